#include "sheettestbase.h"
#include "testmain.h"

#include "factories.h"
#include "sheet/countsheet.h"
#include "sheet/entrygridmodel.h"
#include "sheet/ui/frmmain.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>

using namespace sheetfixture;
using namespace EntryCol;

// The entry window offscreen, driven by keys on its real widgets: a barcode
// scanner counting without the mouse, a wrong barcode, letters in a quantity,
// the pickers of the unit and composite columns, the focus rule that saves, and
// an edit repainting only its row and the totals.
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
    void openWindow()
    {
        window = std::make_unique<FrmMain>(4);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        CountSheet &sheet = window->sheet();
        for (int i = 0; i < sheet.processes().size(); ++i)
            if (sheet.processes().at(i).id == 1)
                sheet.chooseProcess(i);
        QCOMPARE(sheet.currentProcess(), 1);
        for (int row = 1; row <= sheet.entryGrid().dataRows(); ++row)
            if (int(sheet.entryGrid().number(row, ItemID)) == 1)
                r = row;
        QVERIFY(r > 0);
        view = window->findChild<QWidget *>(QStringLiteral("vsCheck"))->findChild<QTableView *>();
        barcode = window->findChild<QLineEdit *>(QStringLiteral("txtBarCode"));
        QVERIFY(view && barcode);
    }

    double stored(const char *field, int item = 1)
    {
        Recordset rs =
            conn().Execute(QStringLiteral("SELECT * FROM ICInvBackup WHERE FInterID = ? AND FItemID = ?"), {1, item});
        return rs.number(QString::fromLatin1(field));
    }

    QModelIndex cell(int row, int col) const { return view->model()->index(row - 1, col - 1); }

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
        Factories(conn()).systemParam(QStringLiteral("IC"), QStringLiteral("ISComplexQty"), QStringLiteral("1"));
        editorArgs.clear();
        r = 0;
        shared().components.windows.add(QStringLiteral("ComplexQtyEditor"), [this](const QVariantMap &args) {
            editorArgs = args;
            return QVariantMap{{QStringLiteral("FComplexQty"), QStringLiteral("2箱6个")},
                               {QStringLiteral("BaseQty"), 30.0}};
        });
    }
    void cleanup()
    {
        window.reset();
        SheetTestBase::cleanup();
    }

    // Scan, type the count, Enter: the box is ready for the next scan and the count
    // is in the database, without a question and without the mouse.
    void scannerCountsWithoutTheMouse()
    {
        openWindow();
        if (QTest::currentTestFailed())
            return;
        scan(QStringLiteral("690001"));
        QCOMPARE(view->currentIndex(), cell(r, CheckQty));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("vsCheckEditor"));
        QCOMPARE(view->model()->data(cell(r, CheckQty), Qt::BackgroundRole).value<QColor>(),
                 EntryGridModel::hostColor(EntryGridModel::FoundColor));
        QCOMPARE(view->model()->data(cell(r == 1 ? 2 : 1, CheckQty), Qt::BackgroundRole).value<QColor>(),
                 QColor(Qt::white));
        typeKeys(QStringLiteral("4"));
        press(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), barcode);
        QVERIFY(barcode->text().isEmpty());
        QTRY_COMPARE(stored("FAuxCheckQty"), 4.0);
        QCOMPARE(stored("FCheckQty"), 48.0);
        QCOMPARE(stored("FSecCheckQty"), 6.67); // 48 at the counted rate 36 / 5
        QVERIFY(!window->sheet().dataChanged());
        QVERIFY(m_ui.questions.isEmpty());

        // the next scan of the same goods, and Enter without a count keeps the count
        scan(QStringLiteral("690001"));
        QVERIFY(window->sheet().entryGrid().isBlank(r, CheckQty));
        press(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), barcode);
        QCOMPARE(window->sheet().entryGrid().number(r, CheckQty), 4.0);
    }

    void wrongBarcodeHighlightsNothing()
    {
        openWindow();
        if (QTest::currentTestFailed())
            return;
        scan(QStringLiteral("123"));
        QCOMPARE(QApplication::focusWidget(), barcode);
        for (int row = 1; row <= view->model()->rowCount(); ++row)
            QCOMPARE(view->model()->data(cell(row, CheckQty), Qt::BackgroundRole).value<QColor>(), QColor(Qt::white));
        QVERIFY(window->findChild<QLabel *>(QStringLiteral("staBarPanel1"))->text().contains(QStringLiteral("123")));
        // the next key starts a new scan
        QTest::keyClick(barcode, Qt::Key_6);
        QCOMPARE(barcode->text(), QStringLiteral("6"));
    }

    // A quantity cell takes the number only; a locked cell takes no key at all.
    void quantityWithLetters()
    {
        openWindow();
        if (QTest::currentTestFailed())
            return;
        view->setFocus();
        view->setCurrentIndex(cell(r, ItemName));
        QTest::keyClick(view, Qt::Key_X);
        QCOMPARE(view->currentIndex(), cell(r, ItemName));
        QCOMPARE(QApplication::focusWidget(), view); // no editor opened
        view->setCurrentIndex(cell(r, CheckQty));
        QTest::keyClick(view, Qt::Key_A);
        QCOMPARE(QApplication::focusWidget(), view); // no editor opened
        QTest::keyClick(view, Qt::Key_1);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("vsCheckEditor"));
        typeKeys(QStringLiteral("a2b.5x"));
        QCOMPARE(qobject_cast<QLineEdit *>(QApplication::focusWidget())->text(), QStringLiteral("12.5"));
        press(Qt::Key_Return);
        QCOMPARE(window->sheet().entryGrid().text(r, CheckQty), QStringLiteral("12.50"));
        QTRY_COMPARE(stored("FAuxCheckQty"), 12.5);
    }

    // Only F7 and F8 do something in the unit and composite columns; arriving in the
    // composite cell opens its editor; the editor's base quantity recounts the row.
    void unitAndCompositeColumns()
    {
        openWindow();
        if (QTest::currentTestFailed())
            return;
        view->setFocus();
        view->setCurrentIndex(cell(r, UnitName));
        QTest::keyClick(view, Qt::Key_B);
        QTest::keyClick(view, Qt::Key_Delete);
        QCOMPARE(window->sheet().entryGrid().text(r, UnitName), QStringLiteral("箱"));
        QVERIFY(m_ui.messages.isEmpty()); // F7 finds no lookup in this test: nothing opens
        QTest::keyClick(view, Qt::Key_F7);
        QVERIFY(m_ui.messages.isEmpty());

        view->setCurrentIndex(cell(r, CheckQty));
        QTest::keyClick(view, Qt::Key_Tab);
        QCOMPARE(view->currentIndex(), cell(r, ComplexQty));
        QTRY_VERIFY(!editorArgs.isEmpty());
        QCOMPARE(editorArgs.value(QStringLiteral("sAuxMutilCheckQtyStr")).toString(), QString());
        QCOMPARE(editorArgs.value(QStringLiteral("ItemID")).toInt(), 1);
        QCOMPARE(window->sheet().entryGrid().text(r, ComplexQty), QStringLiteral("2箱6个"));
        QCOMPARE(window->sheet().entryGrid().number(r, BaseCheckQty), 30.0);
        QCOMPARE(window->sheet().entryGrid().number(r, CheckQty), 2.5);
        editorArgs.clear();
        QTest::keyClick(view, Qt::Key_5);
        QVERIFY(editorArgs.isEmpty());
        QTest::keyClick(view, Qt::Key_F8);
        QCOMPARE(editorArgs.value(QStringLiteral("sAuxMutilCheckQtyStr")).toString(), QStringLiteral("2箱6个"));
    }

    // The grid losing the focus to another control saves without asking; the tool
    // "保存" commits an open editor first; "选择单据" follows the row.
    void focusAndTools()
    {
        openWindow();
        if (QTest::currentTestFailed())
            return;
        QAction *selectBill = window->action(QStringLiteral("SelectBill"));
        QVERIFY(!selectBill->isEnabled());
        QVERIFY(window->action(QStringLiteral("Save"))->isEnabled());
        QVERIFY(window->action(QStringLiteral("SubItem"))->isEnabled());
        QVERIFY(!window->action(QStringLiteral("AddItem"))->isEnabled());
        view->setFocus();
        view->setCurrentIndex(cell(r, AdjQty));
        QVERIFY(selectBill->isEnabled());
        QTest::keyClick(view, Qt::Key_2);
        window->action(QStringLiteral("Save"))->trigger();
        QCOMPARE(stored("FAdjQty"), 2.0);
        QCOMPARE(QApplication::focusWidget(), barcode); // ready for the next scan

        view->setFocus();
        view->setCurrentIndex(cell(r, CheckQty));
        QTest::keyClick(view, Qt::Key_7);
        window->findChild<QComboBox *>(QStringLiteral("lstStock"))->setFocus();
        QTRY_COMPARE(stored("FAuxCheckQty"), 7.0);
        QVERIFY(m_ui.questions.isEmpty());
    }

    // One edit repaints its row and the totals row; nothing is reloaded.
    void anEditRepaintsItsRowOnly()
    {
        openWindow();
        if (QTest::currentTestFailed())
            return;
        QSignalSpy resets(view->model(), &QAbstractItemModel::modelReset);
        QSignalSpy changes(view->model(), &QAbstractItemModel::dataChanged);
        QVERIFY(view->model()->setData(cell(r, CheckQty), QStringLiteral("5")));
        QCOMPARE(resets.count(), 0);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(changes.first().at(0).toModelIndex().row(), r - 1);
        QCOMPARE(changes.first().at(1).toModelIndex().row(), r - 1);
        QCOMPARE(window->sheet().entryGrid().number(r, BaseCheckQty), 60.0);
        auto *totals = window->findChild<QWidget *>(QStringLiteral("vsCheck"))->findChildren<QTableView *>().value(1);
        QVERIFY(totals && totals != view);
        QCOMPARE(totals->model()->data(totals->model()->index(0, BaseCheckQty - 1)).toString(),
                 window->sheet().entryGrid().text(window->sheet().entryGrid().totalsRow(), BaseCheckQty));
        QVERIFY(!view->model()->setData(cell(r, ItemName), QStringLiteral("x")));
    }
};

STOCKCHECK_TEST(TestEntryWidgets)
#include "tst_entrywidgets.moc"
