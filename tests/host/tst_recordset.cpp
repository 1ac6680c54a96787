#include "hostrows.h"
#include "testmain.h"

#include <QSqlError>
#include <QSqlQuery>
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
        QTest::addColumn<QStringList>("expected"); // the ids left; empty when the filter is refused
        QTest::addRow("number") << "FQty > 0" << QStringList{"1", "4"};
        QTest::addRow("text, any case") << "FName = 'BOLT'" << QStringList{"2"};
        QTest::addRow("like") << "FName LIKE 'bolt%'" << QStringList{"2", "3"};
        QTest::addRow("not like") << "FName NOT LIKE '%bolt%'" << QStringList{"1", "4"};
        QTest::addRow("and/or/parens") << "(FQty >= 0 AND FItemID <> 1) OR FNote = 'x'" << QStringList{"2", "3", "4"};
        QTest::addRow("quote inside text") << "FNote = 'a''b'" << QStringList{"2"};
        QTest::addRow("null") << "FNote IS NULL" << QStringList{"1", "4"};
        QTest::addRow("lower-case field name") << "fitemid <= 2" << QStringList{"1", "2"};
        QTest::addRow("unknown field") << "FMissing = 1" << QStringList{};
        QTest::addRow("open quote") << "FName = 'open" << QStringList{};
    }
    void filter()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        Recordset rs = sample();
        QString error;
        QCOMPARE(rs.setFilter(filter, &error), !expected.isEmpty());
        QCOMPARE(column(rs, u"FItemID"), expected.isEmpty() ? (QStringList{"1", "2", "3", "4"}) : expected);
        QVERIFY(rs.setFilter(QString()));
        QCOMPARE(rs.RecordCount(), 4);
    }

    // Each kind of column sorts as values compare: texts without regard to case,
    // numbers as numbers, dates as dates, a mixed column value by value; NULL first.
    void sortByKindOfColumn_data()
    {
        QTest::addColumn<QString>("sort");
        QTest::addColumn<QString>("order"); // the ids
        QTest::addRow("texts, ties in load order") << "FText"
                                                   << "5 1 2 3 4";
        QTest::addRow("texts descending") << "FText DESC"
                                          << "4 1 2 3 5";
        QTest::addRow("numbers") << "FNumber"
                                 << "3 4 1 5 2";
        QTest::addRow("dates descending") << "FDate DESC"
                                          << "1 2 4 5 3";
        QTest::addRow("mixed") << "FMixed, FID DESC"
                               << "5 4 3 1 2";
    }
    void sortByKindOfColumn()
    {
        QFETCH(QString, sort);
        QFETCH(QString, order);
        const QDate d(2026, 3, 1);
        Recordset rs = Recordset::fromRows({QStringLiteral("FID"), QStringLiteral("FText"), QStringLiteral("FNumber"),
                                            QStringLiteral("FDate"), QStringLiteral("FMixed")},
                                           {{1, QStringLiteral("b"), 2.5, d.addDays(3), QStringLiteral("x")},
                                            {2, QStringLiteral("B"), 10, d.addDays(2), QStringLiteral("y")},
                                            {3, QStringLiteral("b"), QVariant(), QVariant(), 7.5},
                                            {4, QStringLiteral("c"), -1.0, d, 3},
                                            {5, QVariant(), 3, d, QVariant()}});
        QVERIFY(rs.setSort(sort));
        QStringList ids;
        for (int r = 0; r < rs.RecordCount(); ++r)
            ids << rs.value(r, u"FID").toString();
        QCOMPARE(ids.join(QLatin1Char(' ')), order);
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

    // A clone shares the values, not the cursor; the cursor stops at the ends.
    void cloneAndCursor()
    {
        Recordset rs = sample();
        rs.Move(2);
        Recordset copy = rs.Clone();
        QCOMPARE(copy.AbsolutePosition(), 0);
        copy.setValue(0, u"FQty", 7.0);
        QCOMPARE(rs.value(0, u"FQty").toDouble(), 7.0);
        QCOMPARE(rs.integer(u"FItemID"), 3);
        rs.Move(10);
        QVERIFY(rs.Eof() && !rs.Fields(u"FItemID").isValid());
        rs.Move(-10);
        QVERIFY(rs.Bof());
        QVERIFY(Recordset().Eof());
    }

    // On SQLite the rows after the first are read straight from the driver's
    // statement: they must come out as the plain QSqlQuery path gives them.
    void directReadingMatchesQuery_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addRow("null") << QVariant();
        QTest::addRow("integer") << QVariant(42);
        QTest::addRow("64-bit integer") << QVariant(qint64(1) << 40);
        QTest::addRow("real") << QVariant(0.1);
        QTest::addRow("real of a whole value") << QVariant(3.0);
        QTest::addRow("chinese text") << QVariant(QStringLiteral("螺丝 M6×20"));
        QTest::addRow("empty text") << QVariant(QStringLiteral(""));
        QTest::addRow("text of digits") << QVariant(QStringLiteral("0012"));
        QTest::addRow("date") << QVariant(QStringLiteral("2026-12-06"));
        QTest::addRow("almost a date") << QVariant(QStringLiteral("2026-13-45"));
    }
    void directReadingMatchesQuery()
    {
        STOCKCHECK_REQUIRE_ENGINE();
        TestDb db;
        OPEN_TEST_DB(db);
        if (db.isPostgres())
            QSKIP("rows are read straight from the statement on SQLite only");
        if (!Recordset::directSqliteReading())
            QSKIP("this build reads SQLite rows through QSqlQuery only");
        QFETCH(QVariant, stored);
        AppConnection &c = db.conn();
        QVERIFY_SQL(c, c.Exec(QStringLiteral("CREATE TABLE t_Probe (FID INTEGER, FValue)")));
        // the first row is read through the query either way; the value fills the
        // second and third (the third from the text cache of the direct reader)
        for (const auto &[id, value] : {std::pair{1, QVariant(0)}, std::pair{2, stored}, std::pair{3, stored}})
            QVERIFY_SQL(c, c.Exec(QStringLiteral("INSERT INTO t_Probe (FID, FValue) VALUES (?, ?)"), {id, value}));
        const auto read = [&](bool direct) {
            QSqlQuery q(c.database());
            q.setForwardOnly(true);
            if (!q.exec(QStringLiteral("SELECT FID, FValue FROM t_Probe ORDER BY FID")))
                qWarning() << q.lastError().text();
            return Recordset::fromQuery(q, true, direct);
        };
        const Recordset direct = read(true), plain = read(false);
        QCOMPARE(direct.RecordCount(), 3);
        QCOMPARE(plain.RecordCount(), 3);
        for (int r = 1; r < 3; ++r) {
            const QVariant a = direct.value(r, u"FValue"), b = plain.value(r, u"FValue");
            QCOMPARE(a.metaType().id(), b.metaType().id());
            QCOMPARE(a, b);
        }
    }
};

STOCKCHECK_TEST(TestRecordset)
#include "tst_recordset.moc"
