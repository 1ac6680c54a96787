#include "sheettestbase.h"
#include "testmain.h"

#include "factories.h"
#include "sheet/entrygridmodel.h"
#include "sheet/ui/frmmain.h"
#include "sheet/ui/frozentable.h"

#include <QSignalSpy>
#include <QtWidgets>

using namespace EntryCol;

// The entry window offscreen, driven by keys on its real widgets: a barcode
// scanner counting without the mouse, the composite column, the focus rule that
// saves, and an edit repainting only its row and the totals.
class TestEntryWidgets : public SheetTestBase
{
    Q_OBJECT

    std::unique_ptr<FrmMain> window;
    QTableView *view = nullptr;
    QLineEdit *barcode = nullptr;
    QVariantMap editorArgs;
    int r = 0; // the row of item 1

    // Process 1 in the entry window, shown and active: row r is item 1 in boxes of
    // 12 with the barcode 690001 (book 24, secondary rate 6, adjustment 1).
    bool openWindow()
    {
        window = std::make_unique<FrmMain>(SheetMode::Entry);
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            return false;
        window->sheet().chooseProcess(processIndex(window->sheet(), 1));
        r = rowOfItem(window->sheet(), 1);
        view = window->findChild<QWidget *>(QStringLiteral("vsCheck"))->findChild<QTableView *>();
        barcode = window->findChild<QLineEdit *>(QStringLiteral("txtBarCode"));
        return r > 0 && view && barcode;
    }
    EntryGrid &grid() { return window->sheet().entryGrid(); }
    QString stored(const char *fields) { return figures(conn(), 1, 1, QLatin1String(fields)); }
    QModelIndex cell(int row, int col) const { return view->model()->index(row - 1, col - 1); }
    QColor colour(int row) const
    {
        return view->model()->data(cell(row, CheckQty), Qt::BackgroundRole).value<QColor>();
    }
    QString focused() const { return QApplication::focusWidget()->objectName(); }

    void scan(const QString &code)
    {
        barcode->setFocus();
        QTest::keyClicks(barcode, code);
        QTest::keyClick(barcode, Qt::Key_Return);
    }
    // Types into whatever has the focus, as a keyboard does.
    static void typeKeys(const QString &keys) { QTest::keyClicks(QApplication::focusWidget(), keys); }
    static void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

private slots:
    void init()
    {
        SheetTestBase::init();
        if (QTest::currentTestFailed())
            return;
        Factories(conn()).systemParam(QStringLiteral("IC"), QStringLiteral("ISComplexQty"), QStringLiteral("1"));
        editorArgs.clear();
        shared().components.windows.add(QStringLiteral("ComplexQtyEditor"), [this](const QVariantMap &args) {
            editorArgs = args;
            return QVariantMap{{QStringLiteral("FComplexQty"), QStringLiteral("2箱6个")},
                               {QStringLiteral("BaseQty"), 30.0}};
        });
        QVERIFY(openWindow());
    }
    void cleanup()
    {
        window.reset();
        SheetTestBase::cleanup();
    }

    // A stock counted with a scanner and the keyboard only: scan, type, Enter, and
    // the box is ready for the next scan and the count is in the database, without
    // a question. Enter without a count keeps it; a wrong barcode lights nothing;
    // letters never reach a quantity, and a locked cell takes no key at all.
    void scannerAndKeyboardOnly()
    {
        scan(QStringLiteral("690001"));
        QCOMPARE(view->currentIndex(), cell(r, CheckQty));
        QCOMPARE(focused(), QStringLiteral("vsCheckEditor"));
        QCOMPARE(colour(r), EntryGridModel::hostColor(EntryGridModel::FoundColor));
        QCOMPARE(colour(r == 1 ? 2 : 1), QColor(Qt::white));
        typeKeys(QStringLiteral("4"));
        press(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), barcode);
        QVERIFY(barcode->text().isEmpty());
        // 48 pieces at the secondary unit's rate of 1 (the item names no rate of its own)
        QTRY_COMPARE(stored("FAuxCheckQty FCheckQty FSecCheckQty"),
                     QStringLiteral("FAuxCheckQty=4 FCheckQty=48 FSecCheckQty=48"));
        QVERIFY(!window->sheet().dataChanged() && m_ui.questions.isEmpty());
        scan(QStringLiteral("690001"));
        press(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), barcode);
        QCOMPARE(grid().number(r, CheckQty), 4.0);

        scan(QStringLiteral("123"));
        QCOMPARE(QApplication::focusWidget(), barcode);
        for (int row = 1; row <= view->model()->rowCount(); ++row)
            QCOMPARE(colour(row), QColor(Qt::white));
        QCOMPARE(window->findChild<QLabel *>(QStringLiteral("staBarPanel1"))->text(),
                 QStringLiteral("找不到条形码为123的物料"));
        scan(QStringLiteral("690001")); // its first key starts a new scan
        QCOMPARE(view->currentIndex(), cell(r, CheckQty));
        typeKeys(QStringLiteral("1a2b.5x"));
        QCOMPARE(qobject_cast<QLineEdit *>(QApplication::focusWidget())->text(), QStringLiteral("12.5"));
        press(Qt::Key_Return);
        QTRY_COMPARE(stored("FAuxCheckQty"), QStringLiteral("FAuxCheckQty=12.5"));
        view->setFocus();
        view->setCurrentIndex(cell(r, ItemName));
        QTest::keyClick(view, Qt::Key_X);
        QCOMPARE(QApplication::focusWidget(), view); // no editor opened
    }

    // What a scan did shows in the status bar: an unknown code stands out and stays
    // selected for the next scan; a code on several rows goes to the first row shown
    // and on with each scan of it, round again after the last; a count saved by
    // leaving the grid is confirmed, and looks ordinary again.
    void scannerFeedbackInTheStatusBar()
    {
        using namespace sheetfixture;
        QVERIFY_SQL(
            conn(),
            addRow(conn(), {.item = 1, .stock = StockB, .unit = Box, .qty = 12, .auxQty = 1}) &&
                addRow(conn(), {.item = 1, .unit = Box, .batch = QStringLiteral("B2"), .qty = 12, .auxQty = 1}));
        window->sheet().mnuView_Refresh();
        QList<int> rows;
        for (int row = 1; row <= grid().dataRows(); ++row)
            if (grid().text(row, BarCode) == QLatin1String("690001"))
                rows << row;
        QCOMPARE(rows.size(), 3);
        const auto *status = window->findChild<QLabel *>(QStringLiteral("staBarPanel1"));

        scan(QStringLiteral("999"));
        QVERIFY(window->sheet().statusAlert() && status->styleSheet().contains(QLatin1String("background")));
        QCOMPARE(barcode->selectedText(), QStringLiteral("999"));
        QCOMPARE(QApplication::focusWidget(), barcode);

        int counted = 5;
        for (int i : {0, 1, 2, 0}) {
            scan(QStringLiteral("690001"));
            const int row = rows.at(i);
            QCOMPARE(view->currentIndex(), cell(row, CheckQty));
            QVERIFY2(status->text().contains(QStringLiteral("对应3行，当前为其中第%1行").arg(i + 1)),
                     qPrintable(status->text()));
            QVERIFY(!window->sheet().statusAlert() && status->styleSheet().isEmpty());
            typeKeys(QString::number(++counted));
            press(Qt::Key_Return);
            QTRY_COMPARE(status->text(), QStringLiteral("已保存：%1 螺丝，盘点数量 %2 箱")
                                             .arg(grid().text(row, ItemNumber), grid().text(row, CheckQty)));
            QCOMPARE(grid().number(row, CheckQty), double(counted));
        }
    }

    // A refused count keeps the cursor in its cell, so the next digits are typed
    // again there instead of being read as a barcode; the count then typed is saved.
    void aRefusedCountStaysInItsCell()
    {
        scan(QStringLiteral("690001"));
        typeKeys(QStringLiteral("-5"));
        press(Qt::Key_Return);
        QCOMPARE(m_ui.lastMessage(), QStringLiteral("“盘点数量”不能为负数。"));
        QTRY_COMPARE(focused(), QStringLiteral("vsCheckEditor"));
        QCOMPARE(view->currentIndex(), cell(r, CheckQty));
        typeKeys(QStringLiteral("3"));
        press(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), barcode);
        QTRY_COMPARE(stored("FAuxCheckQty"), QStringLiteral("FAuxCheckQty=3"));
    }

    // The error list of a save closes with the cursor in the barcode box, wherever
    // the focus was (a tool): digits typed next start the next scan.
    void errorListReturnsToTheBarcodeBox()
    {
        grid().setNumber(r, SecActualQty, 100); // a secondary gain without a base one
        grid().markChanged(r);
        window->sheet().session().dataChanged = true;
        QToolButton *tool = nullptr;
        for (QToolButton *b : window->findChildren<QToolButton *>())
            if (!tool && b->isVisible() && qobject_cast<QToolBar *>(b->parentWidget()))
                tool = b;
        QVERIFY(tool);
        tool->setFocus();
        QCOMPARE(QApplication::focusWidget(), tool);
        window->sheet().mnuFSave();
        QCOMPARE(m_ui.lists.size(), 1);
        QCOMPARE(QApplication::focusWidget(), barcode);
    }

    // Arriving in the composite cell opens its editor, whose base quantity recounts
    // the row; F8 opens it again, starting from the cell.
    void compositeColumn()
    {
        view->setFocus();
        view->setCurrentIndex(cell(r, CheckQty));
        QTest::keyClick(view, Qt::Key_Tab);
        QCOMPARE(view->currentIndex(), cell(r, ComplexQty));
        QTRY_VERIFY(!editorArgs.isEmpty());
        QCOMPARE(grid().text(r, ComplexQty), QStringLiteral("2箱6个"));
        QCOMPARE(grid().number(r, BaseCheckQty), 30.0);
        QCOMPARE(grid().number(r, CheckQty), 2.5);
        QTest::keyClick(view, Qt::Key_F8);
        QCOMPARE(editorArgs.value(QStringLiteral("sAuxMutilCheckQtyStr")).toString(), QStringLiteral("2箱6个"));
    }

    // The tool "保存" commits an open editor; the grid losing the focus to another
    // control saves without asking.
    void focusAndTools()
    {
        view->setFocus();
        view->setCurrentIndex(cell(r, AdjQty));
        QTest::keyClick(view, Qt::Key_2);
        window->action(QStringLiteral("Save"))->trigger();
        QCOMPARE(stored("FAdjQty"), QStringLiteral("FAdjQty=2"));
        QCOMPARE(QApplication::focusWidget(), barcode); // ready for the next scan

        view->setFocus();
        view->setCurrentIndex(cell(r, CheckQty));
        QTest::keyClick(view, Qt::Key_7);
        window->findChild<QComboBox *>(QStringLiteral("lstStock"))->setFocus();
        QTRY_COMPARE(stored("FAuxCheckQty"), QStringLiteral("FAuxCheckQty=7"));
        QVERIFY(m_ui.questions.isEmpty());
    }

    // One edit repaints its row and the totals row; nothing is reloaded.
    void anEditRepaintsItsRowOnly()
    {
        QSignalSpy resets(view->model(), &QAbstractItemModel::modelReset);
        QSignalSpy changes(view->model(), &QAbstractItemModel::dataChanged);
        QVERIFY(view->model()->setData(cell(r, CheckQty), QStringLiteral("5")));
        QCOMPARE(resets.count(), 0);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(changes.first().at(0).toModelIndex().row(), r - 1);
        QCOMPARE(changes.first().at(1).toModelIndex().row(), r - 1);
        QTableView *totals = window->findChild<FrozenTable *>(QStringLiteral("vsCheck"))->totalsView();
        QVERIFY(totals != view);
        QCOMPARE(totals->model()->data(totals->model()->index(0, BaseCheckQty - 1)).toString(),
                 grid().text(grid().totalsRow(), BaseCheckQty));
    }
};

STOCKCHECK_TEST(TestEntryWidgets)
#include "tst_entrywidgets.moc"
