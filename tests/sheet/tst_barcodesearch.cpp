#include "sheet/barcodesearch.h"
#include "sheet/entryrules.h"
#include "testmain.h"

#include <QTest>

using namespace EntryCol;
using H = EntryGrid::Highlight;

// The barcode box: matching rows light up, the last one waits for the quantity.
class TestBarcodeSearch : public QObject
{
    Q_OBJECT

    // Rows with the given barcodes and counted quantities 1, 2, 3, ...
    static void fill(EntryGrid &g, const QStringList &codes)
    {
        g.resize(int(codes.size()));
        for (int r = 1; r <= g.dataRows(); ++r) {
            g.setNumber(r, ItemID, 10 + r);
            g.setText(r, BarCode, codes.at(r - 1));
            g.setNumber(r, CheckQty, r);
        }
        g.recomputeTotals();
    }

private slots:
    void search_data()
    {
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("found");
        QTest::addRow("one row") << QStringList{"111", "222", "333"} << "222" << QList<int>{2};
        QTest::addRow("two rows") << QStringList{"111", "222", "111"} << "111" << QList<int>{1, 3};
        QTest::addRow("unknown code") << QStringList{"111", "222"} << "999" << QList<int>{};
        QTest::addRow("exact match only") << QStringList{"1111", " 111", "111"} << "111" << QList<int>{3};
    }
    void search()
    {
        QFETCH(QStringList, codes);
        QFETCH(QString, text);
        QFETCH(QList<int>, found);
        EntryGrid g;
        fill(g, codes);
        EntrySession s;
        const BarcodeSearch::Result result = BarcodeSearch::search(g, text, s);
        QVERIFY(result.searched);
        QCOMPARE(result.rows, found);
        for (int r = 1; r <= g.dataRows(); ++r)
            QCOMPARE(g.highlight(r), found.contains(r) ? H::Found : H::NotFound);
        const int current = found.isEmpty() ? 0 : found.last();
        QCOMPARE(result.currentRow, current);
        QCOMPARE(s.lastBarcode, text);
        for (int r = 1; r <= g.dataRows(); ++r)
            QCOMPARE(g.isBlank(r, CheckQty), r == current); // only the current cell is emptied
        if (current) {
            QCOMPARE(result.currentCol(), int(CheckQty));
            QCOMPARE(s.previousText, QString::number(current));
            QCOMPARE(s.currentItemId, 10 + current);
            // the quantity goes into the emptied cell; Enter returns to the box
            EntryRules::setCell(g, current, CheckQty, QStringLiteral("7"), s);
            QCOMPARE(EntryRules::gridKey(g, current, CheckQty, Qt::Key_Return, s),
                     EntryRules::KeyAction::ReturnToBarcode);
            QCOMPARE(g.number(current, CheckQty), 7.0);
            QVERIFY(s.dataChanged && g.isChanged(current));
        }
    }

    void blankTextDoesNothing()
    {
        EntryGrid g;
        fill(g, {QStringLiteral("111")});
        EntrySession s;
        const BarcodeSearch::Result result = BarcodeSearch::search(g, QStringLiteral("  "), s);
        QVERIFY(!result.searched && result.rows.isEmpty());
        QCOMPARE(g.highlight(1), H::None);
        QCOMPARE(g.number(1, CheckQty), 1.0);
    }

    // A scan after a finished one starts with an empty box; Enter never clears it.
    void keysOfTheBox()
    {
        EntrySession s;
        QVERIFY(!BarcodeSearch::keyClearsBox(Qt::Key_1, s));
        s.lastBarcode = QStringLiteral("111");
        QVERIFY(!BarcodeSearch::keyClearsBox(Qt::Key_Return, s));
        QVERIFY(BarcodeSearch::keyClearsBox(Qt::Key_2, s));
        QVERIFY(s.lastBarcode.isEmpty());
        QVERIFY(!BarcodeSearch::keyClearsBox(Qt::Key_3, s)); // only the first key of the new scan
    }

    // A scan moves the cursor: a cell left blank behind it gets its text back.
    void scanLeavesTheCellBefore()
    {
        EntryGrid g;
        fill(g, {QStringLiteral("111"), QStringLiteral("222")});
        EntrySession s;
        BarcodeSearch::search(g, QStringLiteral("111"), s);
        BarcodeSearch::search(g, QStringLiteral("222"), s); // nothing typed for the first scan
        QCOMPARE(g.number(1, CheckQty), 1.0);
        QVERIFY(g.isBlank(2, CheckQty));
        QCOMPARE(s.previousText, QStringLiteral("2"));
        QVERIFY(!g.isChanged(1) && !s.dataChanged);
    }
};

STOCKCHECK_TEST(TestBarcodeSearch)
#include "tst_barcodesearch.moc"
