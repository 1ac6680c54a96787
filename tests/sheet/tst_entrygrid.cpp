#include "model/entrygrid.h"
#include "testmain.h"

#include <QTest>

// The entry grid's cells: numbers rounded to the row's places, blanks, leading
// numbers of typed text, and the totals row.
class TestEntryGrid : public QObject
{
    Q_OBJECT

private slots:
    void cellsFollowTheirColumnKind()
    {
        EntryGrid g;
        g.resize(2);
        g.setDecimals(1, 2);
        g.setText(1, EntryCol::CheckQty, QStringLiteral("12.345abc"));
        QCOMPARE(g.text(1, EntryCol::CheckQty), QStringLiteral("12.35"));
        QCOMPARE(g.number(1, EntryCol::CheckQty), 12.35);
        g.setText(1, EntryCol::CheckQty, QStringLiteral("  "));
        QVERIFY(g.isBlank(1, EntryCol::CheckQty) && g.number(1, EntryCol::CheckQty) == 0);
        g.setNumber(1, EntryCol::Coefficient, 0.125); // not a quantity: not rounded
        QCOMPARE(g.text(1, EntryCol::Coefficient), QStringLiteral("0.125"));
        QCOMPARE(g.text(99, EntryCol::Note), QString()); // outside the grid: nothing, no crash
    }

    void totalsSumEveryDataRowWithTheWidestPlaces()
    {
        EntryGrid g;
        g.resize(3);
        g.setDecimals(2, 3);
        g.setNumber(1, EntryCol::CheckQty, 1.6); // rounds to 2 on a row without places
        g.setNumber(2, EntryCol::CheckQty, 0.125);
        g.setNumber(3, EntryCol::BookQty, 4);
        g.recomputeTotals();
        QCOMPARE(g.totalsRow(), 4);
        QCOMPARE(g.text(4, EntryCol::CheckQty), QStringLiteral("2.125"));
        QCOMPARE(g.number(4, EntryCol::BookQty), 4.0);
        g.markChanged(4);
        QVERIFY(!g.isDataRow(4) && !g.isChanged(4));
    }
};

STOCKCHECK_TEST(TestEntryGrid)
#include "tst_entrygrid.moc"
