#include "hostrows.h"
#include "testmain.h"

#include <QTest>

using hostrows::column;

// Recordset: filter, sort and clone on loaded rows, as the sheet and the lookups use them.
class TestRecordset : public QObject
{
    Q_OBJECT

    static Recordset sample()
    {
        return Recordset::fromRows(
            {QStringLiteral("FItemID"), QStringLiteral("FName"), QStringLiteral("FQty"), QStringLiteral("FNote")},
            {{1, QStringLiteral("螺丝"), 2.5, QVariant()},
             {2, QStringLiteral("Bolt"), 0.0, QStringLiteral("a'b")},
             {3, QStringLiteral("bolt large"), -1.0, QStringLiteral("x")},
             {4, QStringLiteral("螺母"), 10.0, QVariant()}});
    }

private slots:
    void filter_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("expected"); // the ids left; "refused" when the filter is refused
        QTest::addRow("number") << "FQty > 0"
                                << "1 4";
        QTest::addRow("text, any case") << "FName = 'BOLT'"
                                        << "2";
        QTest::addRow("like") << "FName LIKE 'bolt%'"
                              << "2 3";
        QTest::addRow("not like") << "FName NOT LIKE '%bolt%'"
                                  << "1 4";
        QTest::addRow("and/or/parens") << "(FQty >= 0 AND FItemID <> 1) OR FNote = 'x'"
                                       << "2 3 4";
        QTest::addRow("quote inside text") << "FNote = 'a''b'"
                                           << "2";
        QTest::addRow("null") << "FNote IS NULL"
                              << "1 4";
        QTest::addRow("lower-case field name") << "fitemid <= 2"
                                               << "1 2";
        QTest::addRow("unknown field") << "FMissing = 1"
                                       << "refused";
        QTest::addRow("open quote") << "FName = 'open"
                                    << "refused";
    }
    void filter()
    {
        QFETCH(QString, filter);
        QFETCH(QString, expected);
        Recordset rs = sample();
        QString error;
        const bool refused = expected == QLatin1String("refused");
        QCOMPARE(rs.setFilter(filter, &error), !refused);
        QCOMPARE(column(rs, u"FItemID").join(QLatin1Char(' ')), refused ? QStringLiteral("1 2 3 4") : expected);
        QVERIFY(rs.setFilter(QString()));
        QCOMPARE(rs.RecordCount(), 4);
    }

    void sortIsStableAndCombinesWithFilter()
    {
        Recordset rs = sample();
        QVERIFY(rs.setSort(QStringLiteral("FNote DESC, FItemID")));
        QCOMPARE(column(rs, u"FItemID"), (QStringList{"3", "2", "1", "4"}));
        QVERIFY(rs.setFilter(QStringLiteral("FItemID > 1")));
        QCOMPARE(column(rs, u"FItemID"), (QStringList{"3", "2", "4"}));
        QVERIFY(!rs.setSort(QStringLiteral("FNope")));
    }

    void cloneSharesValuesNotCursor()
    {
        Recordset rs = sample();
        rs.Move(2);
        Recordset copy = rs.Clone();
        QCOMPARE(copy.AbsolutePosition(), 0);
        copy.setValue(0, u"FQty", 7.0);
        QCOMPARE(rs.value(0, u"FQty").toDouble(), 7.0);
        QCOMPARE(rs.integer(u"FItemID"), 3);
    }

    void cursorStopsAtTheEnds()
    {
        Recordset rs = sample();
        rs.Move(10);
        QVERIFY(rs.Eof());
        QVERIFY(!rs.Fields(u"FItemID").isValid());
        rs.Move(-10);
        QVERIFY(rs.Bof());
        QVERIFY(Recordset().Eof());
    }
};

STOCKCHECK_TEST(TestRecordset)
#include "tst_recordset.moc"
