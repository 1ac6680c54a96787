#include "sheet/entryrules.h"
#include "testmain.h"

#include <QRandomGenerator>
#include <QTest>

using namespace EntryCol;
using Cells = QMap<int, double>;

// The change rules of the entry grid: what an edit recomputes in its row, the
// marks and totals, leaving and entering cells, and the keys.
class TestEntryRules : public QObject
{
    Q_OBJECT

    // A grid of `rows` rows, every row an item with the given cells.
    static void fill(EntryGrid &g, int rows, const Cells &cells, int decimals = 2)
    {
        g.resize(rows);
        for (int r = 1; r <= rows; ++r) {
            g.setDecimals(r, decimals);
            g.setNumber(r, ItemID, 100 + r);
            g.setText(r, ItemNumber, QStringLiteral("1.%1").arg(r));
            g.setText(r, UnitName, QStringLiteral("箱"));
            for (auto it = cells.begin(); it != cells.end(); ++it)
                g.setNumber(r, it.key(), it.value());
        }
        g.recomputeTotals();
    }

private slots:
    void cellChanged_data()
    {
        QTest::addColumn<Cells>("before");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Cells>("after");
        QTest::addRow("base counted, k 12")
            << Cells{{Coefficient, 12}} << int(BaseCheckQty) << "12"
            << Cells{{BaseActualQty, 12}, {CheckQty, 1}, {ActualQty, 1}, {UnitDiffQty, 0}};
        QTest::addRow("base counted with a document difference")
            << Cells{{Coefficient, 4}, {DiffQty, 2}, {SecCheckQty, 3}, {SecDiffQty, 1}} << int(BaseCheckQty) << "10"
            << Cells{{BaseActualQty, 12}, {CheckQty, 2.5}, {ActualQty, 3}, {UnitDiffQty, 0.5}, {SecActualQty, 4}};
        QTest::addRow("base counted, k rounds to 0")
            << Cells{{Coefficient, 0.4}, {DiffQty, 5}, {CheckQty, 3}, {UnitDiffQty, 9}} << int(BaseCheckQty) << "10"
            << Cells{{BaseActualQty, 15}, {CheckQty, 0}, {ActualQty, 0}, {UnitDiffQty, 0}};
        QTest::addRow("base counted, row places")
            << Cells{{Coefficient, 3}} << int(BaseCheckQty) << "10" << Cells{{CheckQty, 3.33}, {ActualQty, 3.33}};
        QTest::addRow("counted, k 6, unit difference 1")
            << Cells{{Coefficient, 6}, {UnitDiffQty, 1}} << int(CheckQty) << "2"
            << Cells{{ActualQty, 3}, {BaseActualQty, 18}, {BaseCheckQty, 12}};
        QTest::addRow("counted, rate 0") << Cells{{Coefficient, 6}, {SecCheckQty, 9}, {SecActualQty, 9}}
                                         << int(CheckQty) << "2" << Cells{{SecCheckQty, 0}, {SecActualQty, 0}};
        QTest::addRow("counted, rate 4") << Cells{{Coefficient, 6}, {SecRate, 4}, {SecDiffQty, 1}} << int(CheckQty)
                                         << "2" << Cells{{SecCheckQty, 3}, {SecActualQty, 4}};
        QTest::addRow("counted with letters")
            << Cells{{Coefficient, 2}} << int(CheckQty) << "3abc" << Cells{{CheckQty, 3}, {BaseCheckQty, 6}};
        QTest::addRow("counted not a number") << Cells{{Coefficient, 2}, {BaseCheckQty, 8}} << int(CheckQty) << "abc"
                                              << Cells{{CheckQty, 0}, {BaseCheckQty, 0}};
        QTest::addRow("rate") << Cells{{BaseCheckQty, 20}, {AdjQty, 2}, {Coefficient, 3}, {SecDiffQty, 1}}
                              << int(SecRate) << "4" << Cells{{SecCheckQty, 5}, {SecActualQty, 6}, {SecAdjQty, 1.5}};
        QTest::addRow("rate 0") << Cells{{BaseCheckQty, 20}, {AdjQty, 2}, {Coefficient, 3}, {SecCheckQty, 7}}
                                << int(SecRate) << "0" << Cells{{SecCheckQty, 0}, {SecActualQty, 0}, {SecAdjQty, 0}};
        QTest::addRow("secondary counted gives the rate")
            << Cells{{BaseCheckQty, 20}, {AdjQty, 2}, {Coefficient, 4}} << int(SecCheckQty) << "4"
            << Cells{{SecRate, 5}, {SecActualQty, 4}, {SecAdjQty, 1.6}};
        QTest::addRow("secondary counted 0")
            << Cells{{BaseCheckQty, 20}, {AdjQty, 2}, {Coefficient, 4}, {SecRate, 5}} << int(SecCheckQty) << "0"
            << Cells{{SecRate, 0}, {SecActualQty, 0}, {SecAdjQty, 0}};
        QTest::addRow("adjustment") << Cells{{Coefficient, 6}, {SecRate, 4}} << int(AdjQty) << "2"
                                    << Cells{{SecAdjQty, 3}};
        QTest::addRow("adjustment, rate 0")
            << Cells{{Coefficient, 6}, {SecAdjQty, 5}} << int(AdjQty) << "2" << Cells{{SecAdjQty, 0}};
        QTest::addRow("note: nothing recomputed")
            << Cells{{Coefficient, 6}, {CheckQty, 2}} << int(Note) << "x" << Cells{{BaseCheckQty, 0}, {CheckQty, 2}};
    }
    void cellChanged()
    {
        QFETCH(Cells, before);
        QFETCH(int, col);
        QFETCH(QString, text);
        QFETCH(Cells, after);
        EntryGrid g;
        fill(g, 3, before);
        EntrySession s;
        QVERIFY(EntryRules::setCell(g, 2, col, text, s));
        for (auto it = after.begin(); it != after.end(); ++it)
            QVERIFY2(qFuzzyCompare(1 + g.number(2, it.key()), 1 + it.value()),
                     qPrintable(QStringLiteral("col %1: %2, expected %3")
                                    .arg(it.key())
                                    .arg(g.number(2, it.key()))
                                    .arg(it.value())));
        QVERIFY(s.dataChanged);
        QVERIFY(g.isChanged(2));
        QVERIFY(!g.isChanged(1) && !g.isChanged(3));
        QCOMPARE(g.number(1, BaseCheckQty), before.value(BaseCheckQty)); // other rows untouched
    }

    void otherColumnsAndLoading()
    {
        EntryGrid g;
        fill(g, 2, {{Coefficient, 6}});
        EntrySession s;
        s.loading = true;
        QVERIFY(!EntryRules::setCell(g, 1, CheckQty, QStringLiteral("2"), s));
        QVERIFY(!s.dataChanged && !g.isChanged(1));
        QCOMPARE(g.number(1, BaseCheckQty), 0.0);

        s.loading = false;
        QVERIFY(!EntryRules::setCell(g, 1, BaseBookQty, QStringLiteral("7"), s));
        QVERIFY(!g.isChanged(1)); // no rule: not even the row mark
        QCOMPARE(g.number(g.totalsRow(), BaseCheckQty), 0.0);
        QVERIFY(!EntryRules::cellChanged(g, g.totalsRow(), CheckQty, s));
    }

    // One edit updates the totals row without visiting the rows; after any number
    // of edits it holds what a full recount gives.
    void totalsFollowEdits()
    {
        EntryGrid g;
        fill(g, 50, {{Coefficient, 3}, {SecRate, 2}, {BookQty, 1.25}}, 3);
        EntrySession s;
        QRandomGenerator random(7);
        const QList<int> cols{CheckQty, BaseCheckQty, AdjQty, SecCheckQty, SecRate};
        for (int i = 0; i < 500; ++i) {
            const int row = 1 + int(random.bounded(50));
            const double value = random.bounded(100000) / 1000.0 - 20;
            EntryRules::setCell(g, row, cols.at(int(random.bounded(cols.size()))), QString::number(value), s);
        }
        EntryGrid fresh = g;
        fresh.recomputeTotals();
        for (int col : EntryGrid::totalColumns())
            QCOMPARE(g.text(g.totalsRow(), col), fresh.text(fresh.totalsRow(), col));
        QCOMPARE(g.number(g.totalsRow(), BookQty), 62.5);
    }

    void leavingABlankCellRestoresIt()
    {
        EntryGrid g;
        fill(g, 2, {{Coefficient, 6}, {CheckQty, 5}, {BaseCheckQty, 30}});
        EntrySession s;
        EntryRules::enterCell(g, 1, CheckQty, s);
        QCOMPARE(s.previousText, QStringLiteral("5.00"));
        QCOMPARE(s.currentItemId, 101);
        EntryRules::setCell(g, 1, CheckQty, QStringLiteral("  "), s);
        QCOMPARE(g.number(1, BaseCheckQty), 0.0);
        QVERIFY(EntryRules::leaveCell(g, s));
        QCOMPARE(g.text(1, CheckQty), QStringLiteral("5.00"));
        QCOMPARE(g.number(1, BaseCheckQty), 30.0); // recomputed from the restored text
        QCOMPARE(g.number(g.totalsRow(), CheckQty), 10.0);
        QVERIFY(s.previousText.isEmpty());

        // a cell left with a value keeps it; a blank cell with nothing to restore stays blank
        EntryRules::enterCell(g, 2, AdjQty, s);
        EntryRules::setCell(g, 2, AdjQty, QStringLiteral("3"), s);
        QVERIFY(!EntryRules::leaveCell(g, s));
        QCOMPARE(g.number(2, AdjQty), 3.0);
    }

    void enterInCountedCellReturnsToTheBarcodeBox()
    {
        EntryGrid g;
        fill(g, 1, {{Coefficient, 1}, {CheckQty, 4}});
        EntrySession s;
        EntryRules::enterCell(g, 1, CheckQty, s);
        g.setBlank(1, CheckQty); // emptied for typing, nothing typed
        QCOMPARE(EntryRules::gridKey(g, 1, CheckQty, Qt::Key_Return, s), EntryRules::KeyAction::ReturnToBarcode);
        QCOMPARE(g.number(1, CheckQty), 4.0);
        QVERIFY(!g.isChanged(1)); // nothing was typed: the row is not marked
    }

    void keys_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("action");
        using A = EntryRules::KeyAction;
        QTest::addRow("F7 in the unit") << int(UnitName) << int(Qt::Key_F7) << int(A::OpenUnitPicker);
        QTest::addRow("letter in the unit") << int(UnitName) << int(Qt::Key_A) << int(A::Discard);
        QTest::addRow("F8 in the unit") << int(UnitName) << int(Qt::Key_F8) << int(A::Discard);
        QTest::addRow("arrow in the unit") << int(UnitName) << int(Qt::Key_Down) << int(A::Pass);
        QTest::addRow("F8 in the composite") << int(ComplexQty) << int(Qt::Key_F8) << int(A::OpenComplexEditor);
        QTest::addRow("digit in the composite") << int(ComplexQty) << int(Qt::Key_5) << int(A::Discard);
        QTest::addRow("digit in the counted") << int(CheckQty) << int(Qt::Key_5) << int(A::Pass);
        QTest::addRow("quote in the note") << int(Note) << int(Qt::Key_Apostrophe) << int(A::Discard);
        QTest::addRow("Enter in the adjustment") << int(AdjQty) << int(Qt::Key_Enter) << int(A::Pass);
    }
    void keys()
    {
        QFETCH(int, col);
        QFETCH(int, key);
        QFETCH(int, action);
        EntryGrid g;
        fill(g, 1, {});
        EntrySession s;
        QCOMPARE(int(EntryRules::gridKey(g, 1, col, key, s)), action);
    }

    void unitList_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("list");
        QTest::addRow("two units") << "3箱5个"
                                   << "箱,个";
        QTest::addRow("trimmed, decimals") << " 1.5kg 20g "
                                           << "kg,g";
        QTest::addRow("no letters") << "12"
                                    << "";
        QTest::addRow("empty") << ""
                               << "";
        QTest::addRow("name first") << "箱3"
                                    << "箱";
        QTest::addRow("negative") << "-1箱5个"
                                  << "箱,个";
    }
    void unitList()
    {
        QFETCH(QString, text);
        QFETCH(QString, list);
        QCOMPARE(EntryRules::unitListOf(text), list);
    }

    // The composite text follows a typed counted quantity; the unit list is the
    // last composite entry's, or the row's unit when there was none.
    void compositeTextAfterCounting()
    {
        EntryGrid g;
        fill(g, 2, {{Coefficient, 12}});
        EntrySession s;
        QStringList calls;
        s.complexQty = [&](int item, const QString &units, double qty, const QString &unit) -> std::optional<QString> {
            calls << QStringLiteral("%1|%2|%3|%4").arg(item).arg(units).arg(qty).arg(unit);
            if (qty < 0)
                return std::nullopt;
            return QStringLiteral("%1%2").arg(qty).arg(unit);
        };
        EntryRules::enterCell(g, 1, CheckQty, s);
        EntryRules::setCell(g, 1, CheckQty, QStringLiteral("2"), s);
        QCOMPARE(calls, QStringList{QStringLiteral("101|箱|2|箱")});
        QCOMPARE(g.text(1, ComplexQty), QStringLiteral("2箱"));
        QCOMPARE(s.lastUnitList, QStringLiteral("箱"));

        // leaving a composite cell keeps its units for the next rows
        g.setText(2, ComplexQty, QStringLiteral("1箱3个"));
        EntryRules::enterCell(g, 2, ComplexQty, s);
        EntryRules::leaveCell(g, s);
        QCOMPARE(s.lastUnitList, QStringLiteral("箱,个"));
        EntryRules::setCell(g, 2, CheckQty, QStringLiteral("-1"), s); // no result: the cell stays
        QCOMPARE(calls.last(), QStringLiteral("102|箱,个|-1|箱"));
        QCOMPARE(g.text(2, ComplexQty), QStringLiteral("1箱3个"));
    }

    void compositeEditorResult()
    {
        EntryGrid g;
        fill(g, 1, {{Coefficient, 12}});
        EntrySession s;
        QVERIFY(EntryRules::applyComplexQty(g, 1, QStringLiteral("1箱5个"), 17, s));
        QCOMPARE(g.text(1, ComplexQty), QStringLiteral("1箱5个"));
        QCOMPARE(g.number(1, BaseCheckQty), 17.0);
        QCOMPARE(g.number(1, CheckQty), 1.42);
        QVERIFY(g.isChanged(1) && s.dataChanged);
    }

    void arrivalDecisions()
    {
        EntryGrid g;
        fill(g, 2, {});
        g.setNumber(2, ItemID, 0);
        EntrySession s;
        EntryRules::Arrival a = EntryRules::enterCell(g, 1, ComplexQty, s);
        QVERIFY(a.attachComplexEditor && a.selectBillEnabled);
        a = EntryRules::enterCell(g, 2, CheckQty, s);
        QVERIFY(!a.attachComplexEditor && !a.selectBillEnabled);
        QVERIFY(!EntryRules::selectBillEnabled(g, g.totalsRow()));
        QVERIFY(EntryRules::focusIn(g, 1, ComplexQty).attachComplexEditor);
    }
};

STOCKCHECK_TEST(TestEntryRules)
#include "tst_entryrules.moc"
