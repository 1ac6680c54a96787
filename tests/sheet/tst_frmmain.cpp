#include "sheettestbase.h"
#include "testmain.h"

#include "sheet/ui/frmmain.h"

#include <QtWidgets>

// The count sheet window offscreen on the demo database with a snapshot of its
// whole stock: the wiring of each mode, widths kept across sessions, the
// test-mode close. With STOCKCHECK_SCREENSHOTS set to a
// folder, each mode leaves a picture there.
class TestFrmMain : public SheetTestBase
{
    Q_OBJECT

    template<typename T>
    static T *child(QWidget *w, const char *name)
    {
        return w->findChild<T *>(QLatin1String(name));
    }
    static QTableView *grid(QWidget *w, const char *name, int part = 0)
    {
        return child<QWidget>(w, name)->findChildren<QTableView *>().value(part);
    }
    static void saveScreenshot(QWidget *w, const QString &name)
    {
        const QString dir = qEnvironmentVariable("STOCKCHECK_SCREENSHOTS");
        if (!dir.isEmpty())
            QVERIFY(w->grab().save(QDir(dir).filePath(name)));
    }
    bool fill() override { return fillDemo(); }

private slots:
    // Captions, grids and commands per mode (commands whose work is not there yet
    // are shown but disabled), and F1 for help.
    void opensInEachMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("texts"); // caption, title
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("hidden");
        QTest::newRow("check") << 1 << QStringList{"物料盘点报告单", "物料盘点报告单"}
                               << QStringList{"mnuFOutBill", "OutLossBill", "PrintPreview", "mnuVSelectData", "Find"}
                               << QStringList{"mnuFSave", "Save", "mnuFileIn", "SubItem", "mnuVSelectBill"};
        QTest::newRow("print") << 3 << QStringList{"打印物料盘点表", "物料盘点表"}
                               << QStringList{"mnuFPrint", "Print", "mnuVSelectData", "AllData"}
                               << QStringList{"mnuFOutBill", "OutProBill", "mnuFileOut", "mnuFSave", "mnuAddItem"};
        QTest::newRow("input") << 4 << QStringList{"录入盘点数据", "物料盘点表"}
                               << QStringList{"mnuFSave", "Save", "mnuFileIn", "SubItem", "SelectBill", "mnuAlertSame"}
                               << QStringList{"mnuFPrint", "Print", "mnuVSelectData", "mnuFOutBill"};
    }
    void opensInEachMode()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, texts);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, hidden);
        FrmMain window(*sheetModeOf(mode));
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(window.windowTitle(), texts.at(0));
        QCOMPARE(child<QLabel>(&window, "titBar")->text(), texts.at(1));
        for (const QString &name : shown)
            QVERIFY2(window.action(name) && window.action(name)->isVisible(), qPrintable(name));
        for (const QString &name : hidden)
            QVERIFY2(!window.action(name) || !window.action(name)->isVisible(), qPrintable(name));
        QCOMPARE(child<QComboBox>(&window, "lstStock")->currentText(), QStringLiteral("2026120600001"));
        const bool input = mode == 4;
        QCOMPARE(child<QWidget>(&window, "vsCheck")->isVisible(), input);
        QCOMPARE(child<QWidget>(&window, "ldgCheck")->isVisible(), !input);
        QCOMPARE(child<QLineEdit>(&window, "txtBarCode")->isVisible(), input);
        QVERIFY(!window.action(QStringLiteral("mnuHAbout"))->isEnabled());
        QCOMPARE(window.action(QStringLiteral("mnuHAbout"))->toolTip(), QStringLiteral("尚未提供"));
        QTableView *rows = grid(&window, input ? "vsCheck" : "ldgCheck");
        QVERIFY(rows->model()->rowCount() > 100);
        QCOMPARE(rows->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
        rows->verticalScrollBar()->setValue(rows->verticalScrollBar()->maximum() / 2);
        saveScreenshot(&window, QStringLiteral("frmMain-mode%1.png").arg(mode));
        rows->horizontalScrollBar()->setValue(rows->horizontalScrollBar()->maximum() * 2 / 3);
        saveScreenshot(&window, QStringLiteral("frmMain-mode%1-quantities.png").arg(mode));
        QVERIFY(m_ui.messages.isEmpty());
        QTest::keyClick(child<QComboBox>(&window, "lstStock"), Qt::Key_F1);
        QCOMPARE(m_ui.helpTopics, QStringList{QStringLiteral("ICStockCheckMain")});
    }

    // A dragged width survives a reload and the window; the frozen totals line follows it.
    void columnWidthsSurviveTheWindow()
    {
        const int col = EntryCol::ItemName - 1;
        {
            FrmMain window(SheetMode::Entry);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QTableView *rows = grid(&window, "vsCheck");
            QVERIFY(rows->isColumnHidden(EntryCol::MtoNo - 1)); // MTO planning is off
            rows->horizontalHeader()->resizeSection(col, 333);
            window.sheet().run(QStringLiteral("mnuView_Refresh"));
            QCOMPARE(rows->columnWidth(col), 333);
            QTableView *totals = grid(&window, "vsCheck", 1);
            QVERIFY(totals && totals != rows);
            QCOMPARE(totals->columnWidth(col), 333);
            QVERIFY(totals->isColumnHidden(EntryCol::ItemID - 1));
            window.close();
        }
        reopenSettings();
        FrmMain window(SheetMode::Entry);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(qAbs(grid(&window, "vsCheck")->columnWidth(col) - 333) <= 1);
    }

    void closesItselfInTestMode()
    {
        shared().isTest = true;
        QPointer<FrmMain> window = new FrmMain(SheetMode::Entry);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        QTRY_VERIFY_WITH_TIMEOUT(window.isNull(), 3000);
        QCOMPARE(shared().currentProcess, 0);
    }
};

STOCKCHECK_TEST(TestFrmMain)
#include "tst_frmmain.moc"
