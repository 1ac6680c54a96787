#include "host/recordset.h"
#include "testmain.h"

#include <QTest>

// Recordset: filter, sort and clone on loaded rows, as the sheet and the lookups use them.
class TestRecordset : public QObject
{
    Q_OBJECT

private:
    static Recordset sample()
    {
        return Recordset::fromRows(
            {QStringLiteral("FItemID"), QStringLiteral("FName"), QStringLiteral("FQty"), QStringLiteral("FNote")},
            {{1, QStringLiteral("螺丝"), 2.5, QVariant()},
             {2, QStringLiteral("Bolt"), 0.0, QStringLiteral("a'b")},
             {3, QStringLiteral("bolt large"), -1.0, QStringLiteral("x")},
             {4, QStringLiteral("螺母"), 10.0, QVariant()}});
    }

    static QList<int> ids(Recordset rs)
    {
        QList<int> out;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            out << rs.integer(u"FItemID");
        return out;
    }

private slots:
    void filter_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QList<int>>("expected");
        QTest::addRow("number") << "FQty > 0" << QList<int>{1, 4};
        QTest::addRow("text, any case") << "FName = 'BOLT'" << QList<int>{2};
        QTest::addRow("like") << "FName LIKE 'bolt%'" << QList<int>{2, 3};
        QTest::addRow("not like") << "FName NOT LIKE '%bolt%'" << QList<int>{1, 4};
        QTest::addRow("and/or/parens") << "(FQty >= 0 AND FItemID <> 1) OR FNote = 'x'" << QList<int>{2, 3, 4};
        QTest::addRow("quote inside text") << "FNote = 'a''b'" << QList<int>{2};
        QTest::addRow("null") << "FNote IS NULL" << QList<int>{1, 4};
        QTest::addRow("lower-case field name") << "fitemid <= 2" << QList<int>{1, 2};
    }

    void filter()
    {
        QFETCH(QString, filter);
        QFETCH(QList<int>, expected);
        Recordset rs = sample();
        QString error;
        QVERIFY2(rs.setFilter(filter, &error), qPrintable(error));
        QCOMPARE(ids(rs), expected);
        QVERIFY(rs.setFilter(QString()));
        QCOMPARE(rs.RecordCount(), 4);
    }

    void badFilterIsRefusedAndKeepsRows()
    {
        Recordset rs = sample();
        QString error;
        QVERIFY(!rs.setFilter(QStringLiteral("FMissing = 1"), &error));
        QVERIFY(error.contains(QLatin1String("FMissing")));
        QVERIFY(!rs.setFilter(QStringLiteral("FName = 'open"), &error));
        QCOMPARE(rs.RecordCount(), 4);
    }

    void sortIsStableAndCombinesWithFilter()
    {
        Recordset rs = sample();
        QVERIFY(rs.setSort(QStringLiteral("FNote DESC, FItemID")));
        QCOMPARE(ids(rs), (QList<int>{3, 2, 1, 4}));
        QVERIFY(rs.setFilter(QStringLiteral("FItemID > 1")));
        QCOMPARE(ids(rs), (QList<int>{3, 2, 4}));
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
        Recordset closed;
        QVERIFY(!closed.isOpen());
        QVERIFY(closed.Eof());
    }
};

STOCKCHECK_TEST(TestRecordset)
#include "tst_recordset.moc"
