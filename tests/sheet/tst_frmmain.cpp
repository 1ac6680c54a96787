#include "../model/sheetfixture.h"
#include "fakeui.h"
#include "testdb.h"
#include "testmain.h"

#include "erp/demodata.h"
#include "host/sharedstate.h"
#include "sheet/countsheet.h"
#include "sheet/ui/frmmain.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

// The count sheet window offscreen on the demo database with a snapshot of its
// whole stock: the wiring of each mode, keys, quotes, help, the test-mode close
// and widths kept across sessions. With STOCKCHECK_SCREENSHOTS set to a folder,
// each mode leaves a picture there.
class TestFrmMain : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> m_db;
    FakeUi m_ui;
    QTemporaryDir m_settingsDir;

    QString settingsPath() const { return m_settingsDir.filePath(QStringLiteral("StockCheck.ini")); }

    template<typename T>
    static T *child(QWidget *w, const char *name)
    {
        return w->findChild<T *>(QLatin1String(name));
    }

    static void saveScreenshot(QWidget *w, const QString &name)
    {
        const QString dir = qEnvironmentVariable("STOCKCHECK_SCREENSHOTS");
        if (!dir.isEmpty())
            QVERIFY(w->grab().save(QDir(dir).filePath(name)));
    }

    void reopenSettings()
    {
        m_db->installShared();
        shared().ui = &m_ui;
    }

private slots:
    void initTestCase()
    {
        STOCKCHECK_REQUIRE_ENGINE();
        qputenv("STOCKCHECK_SETTINGS", settingsPath().toUtf8());
    }

    void init()
    {
        QFile::remove(settingsPath());
        m_db = std::make_unique<TestDb>();
        OPEN_TEST_DB(*m_db);
        QString error;
        QVERIFY2(erp::fillDemoData(m_db->conn(), erp::DemoOptions{}, &error), qPrintable(error));
        QVERIFY_SQL(m_db->conn(), sheetfixture::snapshotStock(m_db->conn(), 1, QStringLiteral("2026120600001")));
        reopenSettings();
        ParseProps(QStringLiteral("UserID=16394;LANGUAGE=chs;"));
        m_ui.clear();
    }

    void cleanup()
    {
        shared().reset();
        m_db.reset();
    }

    void opensInEachMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("title");
        QTest::newRow("check") << 1 << "物料盘点报告单";
        QTest::newRow("print") << 3 << "物料盘点表";
        QTest::newRow("input") << 4 << "物料盘点表";
    }
    void opensInEachMode()
    {
        QFETCH(int, mode);
        QFETCH(QString, title);
        FrmMain window(mode);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(child<QLabel>(&window, "titBar")->text(), title);
        QCOMPARE(child<QComboBox>(&window, "lstStock")->currentText(), QStringLiteral("2026120600001"));
        QVERIFY(child<QLabel>(&window, "labCheckDate")->text().startsWith(QStringLiteral("账存日期:20")));
        const bool input = mode == 4;
        QCOMPARE(child<QWidget>(&window, "vsCheck")->isVisible(), input);
        QCOMPARE(child<QWidget>(&window, "ldgCheck")->isVisible(), !input);
        QCOMPARE(child<QLineEdit>(&window, "txtBarCode")->isVisible(), input);
        QCOMPARE(window.action(QStringLiteral("mnuFSave"))->isVisible(), input);
        QCOMPARE(window.action(QStringLiteral("Print"))->isVisible(), !input);
        QCOMPARE(window.action(QStringLiteral("mnuFOutBill"))->isVisible(), mode == 1);
        // shown, but not theirs to do yet
        QAction *find = window.action(QStringLiteral("Find"));
        QVERIFY(find->isVisible());
        QVERIFY(!find->isEnabled());
        QCOMPARE(find->toolTip(), QStringLiteral("尚未提供"));
        auto *grid = child<QWidget>(&window, input ? "vsCheck" : "ldgCheck")->findChild<QTableView *>();
        QVERIFY(grid->model()->rowCount() > 100);
        QCOMPARE(grid->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
        QVERIFY(child<QStatusBar>(&window, "staBar")->isVisible());
        QVERIFY(child<QLabel>(&window, "staBarPanel1")->text().startsWith(QStringLiteral("仓库中共有")));
        grid->scrollToBottom();
        grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum() / 2);
        saveScreenshot(&window, QStringLiteral("frmMain-mode%1.png").arg(mode));
        grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum() * 2 / 3);
        saveScreenshot(&window, QStringLiteral("frmMain-mode%1-quantities.png").arg(mode));
        QVERIFY(m_ui.messages.isEmpty());
        window.close();
    }

    void quotesNeverReachAnInput()
    {
        FrmMain window(4);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *barcode = child<QLineEdit>(&window, "txtBarCode");
        QTest::keyClicks(barcode, QStringLiteral("69'01\"2"));
        QCOMPARE(barcode->text(), QStringLiteral("69012"));
        barcode->clear();
        barcode->insert(QStringLiteral("a'b")); // pasted
        QCOMPARE(barcode->text(), QStringLiteral("ab"));
    }

    void f1OpensHelpAndToolsFollowTheirToggles()
    {
        FrmMain window(1);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(child<QComboBox>(&window, "lstStock"), Qt::Key_F1);
        QCOMPARE(m_ui.helpTopics, QStringList{QStringLiteral("ICStockCheckMain")});
        auto *bar = child<QToolBar>(&window, "barRpt");
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        window.action(QStringLiteral("mnuViewLable"))->trigger();
        QCOMPARE(bar->toolButtonStyle(), Qt::ToolButtonIconOnly);
        window.action(QStringLiteral("mnuToolBar"))->trigger();
        QVERIFY(!bar->isVisible());
        QVERIFY(!window.action(QStringLiteral("mnuToolBar"))->isChecked());
        window.action(QStringLiteral("CheckedData"))->trigger();
        QVERIFY(window.action(QStringLiteral("mnuVSelectData_Checked"))->isChecked());
        QVERIFY(!window.action(QStringLiteral("AllData"))->isChecked());
    }

    void columnWidthsSurviveTheWindow()
    {
        int width = 0;
        {
            FrmMain window(4);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            auto *grid = child<QWidget>(&window, "vsCheck")->findChild<QTableView *>();
            QVERIFY(grid->isColumnHidden(EntryCol::ItemID - 1));
            QVERIFY(grid->isColumnHidden(EntryCol::MtoNo - 1)); // MTO planning is off
            grid->horizontalHeader()->resizeSection(EntryCol::ItemName - 1, 333);
            window.sheet().run(QStringLiteral("mnuView_Refresh")); // a reload keeps what was dragged
            width = grid->columnWidth(EntryCol::ItemName - 1);
            QCOMPARE(width, 333);
            // the frozen totals line follows the rows' columns
            auto *totals = child<QWidget>(&window, "vsCheck")->findChildren<QTableView *>().value(1);
            QVERIFY(totals && totals != grid);
            QCOMPARE(totals->columnWidth(EntryCol::ItemName - 1), 333);
            QVERIFY(totals->isColumnHidden(EntryCol::ItemID - 1));
            window.close();
        }
        reopenSettings();
        FrmMain window(4);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *grid = child<QWidget>(&window, "vsCheck")->findChild<QTableView *>();
        QVERIFY(qAbs(grid->columnWidth(EntryCol::ItemName - 1) - width) <= 1);
    }

    void closesItselfInTestMode()
    {
        shared().isTest = true;
        QPointer<FrmMain> window = new FrmMain(4);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        QTRY_VERIFY_WITH_TIMEOUT(window.isNull(), 3000);
        QCOMPARE(shared().currentProcess, 0);
    }

    // The registry's opener: the input mode returns at once, its window open.
    void opensThroughTheRegistry()
    {
        const QVariantMap answer = FrmMain::open({{QStringLiteral("ShowType"), 4}, {QStringLiteral("Modal"), false}});
        Q_UNUSED(answer);
        FrmMain *window = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *m = qobject_cast<FrmMain *>(w))
                window = m;
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QPointer<FrmMain> guard = window;
        window->close();
        QTRY_VERIFY(guard.isNull());
    }
};

STOCKCHECK_TEST(TestFrmMain)
#include "tst_frmmain.moc"
