#include "factories.h"
#include "host/loginprops.h"
#include "host/sysparams.h"
#include "hostrows.h"
#include "testmain.h"

#include <QTest>

namespace {

struct ParamRow
{
    QString key, stored; // null stored: no row
    int (*read)();
    int expected;
};

struct StockListRow
{
    QString number;
    bool fullNumber;
    QString ruleTable; // a t_UserDataAccess row of the user
    int ruleId;
    QStringList expected;
};

} // namespace

// System parameters and the reads built on them, on the engine of this run.
class TestSysParams : public HostDbTest
{
    Q_OBJECT

    void setParam(const QString &key, const QString &value)
    {
        Factories(conn()).systemParam(QStringLiteral("IC"), key, value);
    }

private slots:
    // A missing row takes the default its reader states.
    void parameterReads_data()
    {
        QTest::addColumn<ParamRow>("row");
        // the numbering option is kept in the shared state too
        const auto fullNumbers = [] { return GetConnection() + 2 * shared().useFullNumber; };
        const auto complexQty = [] { return int(GetComplexQtyFlag()); };
        const auto mtoPlanMode = [] { return ReadEnableMtoPlanMode(); };
        const auto periodDates = [] { return int(GetCurPeriodDates(nullptr, nullptr)); };
        QTest::addRow("UseShortNumber 1: short numbers") << ParamRow{"UseShortNumber", "1", fullNumbers, 0};
        QTest::addRow("UseShortNumber 2: full numbers") << ParamRow{"UseShortNumber", "2", fullNumbers, 3};
        QTest::addRow("UseShortNumber missing") << ParamRow{"UseShortNumber", {}, fullNumbers, 0};
        QTest::addRow("ISComplexQty true") << ParamRow{"ISComplexQty", "True", complexQty, 1};
        QTest::addRow("EnableMtoPlanMode missing") << ParamRow{"EnableMtoPlanMode", {}, mtoPlanMode, 0};
        QTest::addRow("CurrentPeriod missing") << ParamRow{"CurrentPeriod", {}, periodDates, 0};
    }
    void parameterReads()
    {
        QFETCH(ParamRow, row);
        if (!row.stored.isNull())
            setParam(row.key, row.stored);
        QCOMPARE(row.read(), row.expected);
    }

    void stockList_data()
    {
        QTest::addColumn<StockListRow>("row");
        QTest::addRow("all visible stocks") << StockListRow{"", true, "", 0, {"1", "2"}};
        QTest::addRow("by full number") << StockListRow{"01", true, "", 0, {"1"}};
        QTest::addRow("by short number") << StockListRow{"01", false, "", 0, {"2"}};
        QTest::addRow("number with a quote") << StockListRow{"0'1", true, "", 0, {}};
        QTest::addRow("access rules restrict") << StockListRow{"", true, "t_Stock", 2, {"2"}};
        QTest::addRow("access rules and number") << StockListRow{"01", true, "t_Stock", 2, {}};
        QTest::addRow("rules of another table only") << StockListRow{"", true, "t_ICItem", 9, {"1", "2"}};
    }
    void stockList()
    {
        QFETCH(StockListRow, row);
        using hostrows::addStock;
        QVERIFY_SQL(conn(), addStock(conn(), 1, QStringLiteral("01"), QStringLiteral("A1")) &&
                                addStock(conn(), 2, QStringLiteral("02"), QStringLiteral("01")) &&
                                addStock(conn(), 3, QStringLiteral("03"), QStringLiteral("C"), 500, 1) &&
                                addStock(conn(), 4, QStringLiteral("04"), QStringLiteral("D"), 501));
        if (row.ruleId)
            Factories(conn()).accessRule(16394, row.ruleTable, row.ruleId);
        ParseProps(QStringLiteral("UserID=16394;UserName=张三;LANGUAGE=chs;"));
        shared().useFullNumber = row.fullNumber;
        const Recordset rs = GetStockList(row.number);
        QVERIFY_SQL(conn(), rs.isOpen());
        QCOMPARE(hostrows::column(rs, u"FItemID"), row.expected);
    }

    // Added once, then updated in place.
    void alertSameRecord()
    {
        bool flag = true;
        QVERIFY(GetAlertSameRecord(&flag) && !flag);
        SetAlertSameRecord(true);
        SetAlertSameRecord(false);
        QVERIFY(GetAlertSameRecord(&flag) && !flag);
        SetAlertSameRecord(true);
        QVERIFY(GetAlertSameRecord(&flag) && flag);
        QCOMPARE(conn()
                     .Execute(QStringLiteral("SELECT COUNT(*) AS n FROM t_SystemProfile"
                                             " WHERE FKey = 'AlertSameCheckStockRecord'"))
                     .integer(u"n"),
                 1);
    }

    // Only a missing document maximum is filled, and only for that process.
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
        const QString process =
            QStringLiteral("INSERT INTO ICStockCheckProcess (FID, FProcessID, FMaxBillInterID) VALUES (?, ?, ?)");
        QVERIFY_SQL(conn(), conn().ExecuteBatch({{process, {7, QStringLiteral("P7"), existing}},
                                                 {process, {8, QStringLiteral("P8"), 0}}}));
        QVERIFY_SQL(conn(), hostrows::addBackupRow(conn(), 7, 1, 1, 80) &&
                                hostrows::addBackupRow(conn(), 7, 2, 1, 60) &&
                                hostrows::addBackupRow(conn(), 8, 2, 1, 99));
        QHash<QString, QVariant> cache;
        QVERIFY(SetBackupType(7, 2, cache));
        const Recordset rs = conn().Execute(QStringLiteral("SELECT FBackupType, FMaxBillInterID FROM"
                                                           " ICStockCheckProcess ORDER BY FID"));
        QCOMPARE(hostrows::column(rs, u"FMaxBillInterID"), (QStringList{QString::number(expected), "0"}));
        QCOMPARE(rs.integer(u"FBackupType"), 2);
        QCOMPARE(cache, (QHash<QString, QVariant>{{"7|BackupType", 2}, {"7|MaxInterID", expected}}));
        cache.clear();
        QVERIFY(SetBackupType(42, 1, cache)); // no such process: nothing cached
        QVERIFY(cache.isEmpty());
    }

    void periodDates_data()
    {
        QTest::addColumn<int>("startOffset"); // days from the server day
        QTest::addColumn<int>("endOffset");
        QTest::addColumn<bool>("afterStart");
        QTest::addColumn<bool>("checkDate");
        QTest::addRow("first and last day today") << 0 << 0 << true << true;
        QTest::addRow("period not begun") << 1 << 30 << false << false;
        QTest::addRow("period ended") << -30 << -1 << true << true;
    }
    void periodDates()
    {
        QFETCH(int, startOffset);
        QFETCH(int, endOffset);
        QFETCH(bool, afterStart);
        QFETCH(bool, checkDate);
        const QDate today = GetServerDate();
        QVERIFY(today.isValid());
        setParam(QStringLiteral("CurrentYear"), QStringLiteral("2026"));
        setParam(QStringLiteral("CurrentPeriod"), QStringLiteral("4"));
        Factories(conn()).period(2026, 4, today.addDays(startOffset), today.addDays(endOffset));
        Factories(conn()).period(2026, 5, today.addDays(100), today.addDays(130));
        QCOMPARE(IsAfterPeriodStart(), afterStart);
        QCOMPARE(CheckDate(), checkDate);
        QCOMPARE(shared().currentPeriod, 4);
        QCOMPARE(shared().periodFirstDate, today.addDays(startOffset));
        QCOMPARE(shared().periodSecondDate, today.addDays(endOffset));
    }

    // The first day of the start period; none while the parameters or the period are missing.
    void startDate()
    {
        Factories(conn()).period(2025, 1, QDate(2025, 1, 1), QDate(2025, 1, 31));
        Factories(conn()).period(2025, 2, QDate(2025, 2, 1), QDate(2025, 2, 28));
        QCOMPARE(GetStartDate(), QDate());
        setParam(QStringLiteral("StartPeriod"), QStringLiteral("2"));
        setParam(QStringLiteral("StartYear"), QStringLiteral("2024"));
        QCOMPARE(GetStartDate(), QDate());
        setParam(QStringLiteral("StartYear"), QStringLiteral("2025"));
        QCOMPARE(GetStartDate(), QDate(2025, 2, 1));
    }
};

STOCKCHECK_TEST(TestSysParams)
#include "tst_sysparams.moc"
