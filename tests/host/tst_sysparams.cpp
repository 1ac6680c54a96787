#include "host/loginprops.h"
#include "host/sharedstate.h"
#include "host/sysparams.h"
#include "hostrows.h"
#include "testdb.h"
#include "testmain.h"

#include <QTest>

using namespace hostrows;

// System parameters and the reads built on them, on the engine of this run.
class TestSysParams : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> db;
    AppConnection &conn() { return db->conn(); }

    QList<int> ids(Recordset rs, QStringView field = u"FItemID")
    {
        QList<int> out;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            out << rs.integer(field);
        return out;
    }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void init()
    {
        db = std::make_unique<TestDb>();
        OPEN_TEST_DB(*db);
        db->installShared();
    }
    void cleanup()
    {
        db.reset();
        shared().reset();
    }

    void parameterReads_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored"); // invalid: no row
        QTest::addColumn<int>("expected");
        const QVariant none;
        QTest::addRow("UseShortNumber 1: short numbers") << "UseShortNumber" << QVariant("1") << 0;
        QTest::addRow("UseShortNumber 0: full numbers") << "UseShortNumber" << QVariant("0") << 1;
        QTest::addRow("UseShortNumber 2: full numbers") << "UseShortNumber" << QVariant("2") << 1;
        QTest::addRow("UseShortNumber missing") << "UseShortNumber" << none << 0;
        QTest::addRow("ShowFilterBeforeCheck 1") << "ShowFilterBeforeCheck" << QVariant("1") << 1;
        QTest::addRow("ShowFilterBeforeCheck missing") << "ShowFilterBeforeCheck" << none << 0;
        QTest::addRow("ISComplexQty 1") << "ISComplexQty" << QVariant("1") << 1;
        QTest::addRow("EnableMtoPlanMode missing") << "EnableMtoPlanMode" << none << 0;
    }
    void parameterReads()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        QFETCH(int, expected);
        if (stored.isValid())
            QVERIFY_SQL(conn(), setProfile(conn(), key, stored.toString()));
        int got = -1;
        if (key == QLatin1String("UseShortNumber")) {
            got = GetConnection();
            QCOMPARE(shared().useFullNumber, bool(expected));
        } else if (key == QLatin1String("ShowFilterBeforeCheck")) {
            got = ReadShowFilterBeforeCheck();
        } else if (key == QLatin1String("ISComplexQty")) {
            got = GetComplexQtyFlag();
        } else {
            got = ReadEnableMtoPlanMode();
        }
        QCOMPARE(got, expected);
    }

    void stockList_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("fullNumber");
        QTest::addColumn<QString>("rules"); // t_UserDataAccess rows of the user: "table:id,..."
        QTest::addColumn<QList<int>>("expected");
        QTest::addRow("all visible stocks") << "" << true << "" << QList<int>{1, 2};
        QTest::addRow("by full number") << "01" << true << "" << QList<int>{1};
        QTest::addRow("by short number") << "01" << false << "" << QList<int>{2};
        QTest::addRow("number with a quote") << "0'1" << true << "" << QList<int>{};
        QTest::addRow("access rules restrict") << "" << true << "t_Stock:2" << QList<int>{2};
        QTest::addRow("access rules and number") << "01" << true << "t_Stock:2" << QList<int>{};
        QTest::addRow("rules of another table only") << "" << true << "t_ICItem:9" << QList<int>{1, 2};
    }
    void stockList()
    {
        QFETCH(QString, number);
        QFETCH(bool, fullNumber);
        QFETCH(QString, rules);
        QFETCH(QList<int>, expected);
        QVERIFY_SQL(conn(), addStock(conn(), 1, QStringLiteral("01"), QStringLiteral("A1"), QStringLiteral("成品仓")));
        QVERIFY_SQL(conn(), addStock(conn(), 2, QStringLiteral("02"), QStringLiteral("01"), QStringLiteral("原料仓")));
        QVERIFY_SQL(conn(),
                    addStock(conn(), 3, QStringLiteral("03"), QStringLiteral("C"), QStringLiteral("旧仓"), 500, 1));
        QVERIFY_SQL(conn(),
                    addStock(conn(), 4, QStringLiteral("04"), QStringLiteral("D"), QStringLiteral("虚仓"), 501));
        if (!rules.isEmpty()) {
            const QString table = rules.section(QLatin1Char(':'), 0, 0);
            for (const QString &id : rules.section(QLatin1Char(':'), 1).split(QLatin1Char(',')))
                QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("INSERT INTO t_UserDataAccess (FUserID, FTableName,"
                                                               " FItemID) VALUES (16394, ?, ?)"),
                                                {table, id.toInt()}));
        }
        ParseProps(QStringLiteral("UserID=16394;UserName=张三;LANGUAGE=chs;"));
        shared().useFullNumber = fullNumber;
        QString statement;
        conn().setStatementHook([&](const QString &sql, const QVariantList &) {
            if (sql.contains(QLatin1String("FFullName")))
                statement = sql;
            return QString();
        });
        Recordset rs = GetStockList(number);
        QVERIFY_SQL(conn(), rs.isOpen());
        QCOMPARE(ids(rs), expected);
        if (!rs.isEmpty())
            QCOMPARE(rs.text(u"FName").isEmpty(), false);
        // without rules for stocks nothing is joined or added
        QCOMPARE(statement.contains(QLatin1String("t_UserDataAccess")), rules.startsWith(QLatin1String("t_Stock")));
        QCOMPARE(statement.contains(QLatin1String(" AND (u1.")), !number.isEmpty());
    }

    void alertSameRecordIsAddedOnceThenUpdated()
    {
        bool flag = true;
        QVERIFY(GetAlertSameRecord(&flag));
        QCOMPARE(flag, false);

        SetAlertSameRecord(true);
        QVERIFY(GetAlertSameRecord(&flag));
        QCOMPARE(flag, true);
        Recordset row =
            conn().Execute(QStringLiteral("SELECT FValue, FReadonly, FDescription FROM t_SystemProfile"
                                          " WHERE FCategory = 'IC' AND FKey = 'AlertSameCheckStockRecord'"));
        QCOMPARE(row.RecordCount(), 1);
        QCOMPARE(row.integer(u"FReadonly"), 1);
        QCOMPARE(row.text(u"FDescription"), QStringLiteral("盘点重复添加时给予提示 "));

        SetAlertSameRecord(false);
        QVERIFY(GetAlertSameRecord(&flag));
        QCOMPARE(flag, false);
        QCOMPARE(conn()
                     .Execute(QStringLiteral("SELECT COUNT(*) AS n FROM t_SystemProfile"
                                             " WHERE FKey = 'AlertSameCheckStockRecord'"))
                     .integer(u"n"),
                 1);
    }

    void setBackupType_data()
    {
        QTest::addColumn<QVariant>("existing");
        QTest::addColumn<int>("expected");
        QTest::addRow("missing is filled") << QVariant(QMetaType::fromType<int>()) << 80;
        QTest::addRow("zero is filled") << QVariant(0) << 80;
        QTest::addRow("set value is kept") << QVariant(55) << 55;
    }
    void setBackupType()
    {
        QFETCH(QVariant, existing);
        QFETCH(int, expected);
        QVERIFY_SQL(conn(), addProcess(conn(), 7, existing));
        QVERIFY_SQL(conn(), addProcess(conn(), 8, QVariant(0)));
        QVERIFY_SQL(conn(), addBackupRow(conn(), 7, 1, 1, {}, 80));
        QVERIFY_SQL(conn(), addBackupRow(conn(), 7, 2, 1, {}, 60));
        QVERIFY_SQL(conn(), addBackupRow(conn(), 8, 2, 1, {}, 99));
        QHash<QString, QVariant> cache;
        QVERIFY(SetBackupType(7, 2, cache));
        Recordset rs = conn().Execute(QStringLiteral("SELECT FID, FBackupType, FMaxBillInterID FROM"
                                                     " ICStockCheckProcess ORDER BY FID"));
        QCOMPARE(rs.integer(u"FBackupType"), 2);
        QCOMPARE(rs.integer(u"FMaxBillInterID"), expected);
        rs.MoveNext();
        QCOMPARE(rs.integer(u"FMaxBillInterID"), 0); // another process is left alone
        QCOMPARE(cache.value(QStringLiteral("7|BackupType")).toInt(), 2);
        QCOMPARE(cache.value(QStringLiteral("7|MaxInterID")).toInt(), expected);

        cache.clear();
        QVERIFY(SetBackupType(42, 1, cache)); // no such process: nothing cached
        QVERIFY(cache.isEmpty());
    }

    void periodComparisons_data()
    {
        QTest::addColumn<int>("startOffset"); // days from the server day
        QTest::addColumn<int>("endOffset");
        QTest::addColumn<bool>("afterStart");
        QTest::addColumn<bool>("checkDate");
        QTest::addRow("inside the period") << -5 << 20 << true << false;
        QTest::addRow("first and last day today") << 0 << 0 << true << true;
        QTest::addRow("period not begun") << 1 << 30 << false << false;
        QTest::addRow("period ended") << -30 << -1 << true << true;
    }
    void periodComparisons()
    {
        QFETCH(int, startOffset);
        QFETCH(int, endOffset);
        QFETCH(bool, afterStart);
        QFETCH(bool, checkDate);
        const QDate today = GetServerDate();
        QVERIFY(today.isValid());
        QVERIFY_SQL(conn(), setProfile(conn(), QStringLiteral("CurrentYear"), QStringLiteral("2026")));
        QVERIFY_SQL(conn(), setProfile(conn(), QStringLiteral("CurrentPeriod"), QStringLiteral("4")));
        QVERIFY_SQL(conn(), addPeriod(conn(), 2026, 4, today.addDays(startOffset), today.addDays(endOffset)));
        QVERIFY_SQL(conn(), addPeriod(conn(), 2026, 5, today.addDays(100), today.addDays(130)));
        QCOMPARE(IsAfterPeriodStart(), afterStart);
        QCOMPARE(CheckDate(), checkDate);
        QCOMPARE(shared().currentPeriod, 4);
        QCOMPARE(shared().periodFirstDate, today.addDays(startOffset));
        QCOMPARE(shared().periodSecondDate, today.addDays(endOffset));
    }

    void periodDatesNeedTheCurrentPeriod()
    {
        QDate first, second;
        QVERIFY(!GetCurPeriodDates(&first, &second));
        QVERIFY(!first.isValid());
    }

    void startDate_data()
    {
        QTest::addColumn<QString>("startYear");
        QTest::addColumn<QString>("startPeriod");
        QTest::addColumn<QDate>("expected");
        QTest::addRow("start period found") << "2025"
                                            << "2" << QDate(2025, 2, 1);
        QTest::addRow("no such period") << "2024"
                                        << "2" << QDate();
        QTest::addRow("parameters missing") << ""
                                            << "" << QDate();
    }
    void startDate()
    {
        QFETCH(QString, startYear);
        QFETCH(QString, startPeriod);
        QFETCH(QDate, expected);
        if (!startYear.isEmpty()) {
            QVERIFY_SQL(conn(), setProfile(conn(), QStringLiteral("StartYear"), startYear));
            QVERIFY_SQL(conn(), setProfile(conn(), QStringLiteral("StartPeriod"), startPeriod));
        }
        QVERIFY_SQL(conn(), addPeriod(conn(), 2025, 1, QDate(2025, 1, 1), QDate(2025, 1, 31)));
        QVERIFY_SQL(conn(), addPeriod(conn(), 2025, 2, QDate(2025, 2, 1), QDate(2025, 2, 28)));
        QCOMPARE(GetStartDate(), expected);
    }
};

STOCKCHECK_TEST(TestSysParams)
#include "tst_sysparams.moc"
