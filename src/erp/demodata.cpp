#include "demodata.h"

#include "bulkinsert.h"
#include "demodocuments.h"
#include "demomasterdata.h"
#include "demorandom.h"
#include "demostock.h"
#include "gldata.h"
#include "passwordhash.h"

#include "host/appconnection.h"
#include "host/texts.h"

namespace erp {

namespace {

using demo::World;

QStringList cols(std::initializer_list<const char *> names)
{
    QStringList out;
    for (const char *n : names)
        out << QString::fromLatin1(n);
    return out;
}

// Calendar months as accounting periods; the current one holds `today`.
void setPeriods(World &w, const QDate &today)
{
    w.today = today;
    w.year = today.year();
    w.period = today.month();
    w.periodStart = QDate(w.year, w.period, 1);
    w.prevEnd = w.periodStart.addDays(-1);
    w.prevStart = QDate(w.prevEnd.year(), w.prevEnd.month(), 1);
    w.prevYear = w.prevStart.year();
    w.prevPeriod = w.prevStart.month();
}

void writePeriods(AppConnection &c, const World &w)
{
    BulkInsert periods(c, QStringLiteral("t_PeriodDate"), cols({"FYear", "FPeriod", "FStartDate", "FEndDate"}));
    for (int year = w.year - 1; year <= w.year; ++year) {
        for (int month = 1; month <= 12; ++month) {
            const QDate start(year, month, 1);
            periods.add({year, month, Dialect::dateValue(start), Dialect::dateValue(start.addMonths(1).addDays(-1))});
        }
    }
    periods.flush();
}

struct Parameter
{
    const char *category;
    const char *key;
    QString value;
    const char *description;
};

void writeParameters(AppConnection &c, const World &w)
{
    const Parameter parameters[] = {
        {"IC", "CurrentYear", QString::number(w.year), "当前会计年度"},
        {"IC", "CurrentPeriod", QString::number(w.period), "当前会计期间"},
        {"IC", "StartYear", QString::number(w.year - 1), "启用年度"},
        {"IC", "StartPeriod", QStringLiteral("1"), "启用期间"},
        {"IC", "UseShortNumber", QStringLiteral("0"), "使用短代码"},
        {"IC", "EnableMtoPlanMode", QStringLiteral("0"), "启用计划跟踪号模式"},
        {"IC", "ISComplexQty", QStringLiteral("1"), "显示综合单位数量"},
        {"IC", "ShowFilterBeforeCheck", QStringLiteral("0"), "打开盘点表前显示过滤条件"},
        {"IC", "AlertSameCheckStockRecord", QStringLiteral("1"), "盘点重复添加时给予提示 "},
        {"IC", "ICBillPos", QStringLiteral("0"), "备份前同步零售单据"},
        {"IC", "BillStatus", QStringLiteral("0"), "期末关账控制"},
        {"IC", "BlindCount", QStringLiteral("0"), "盲盘：录入盘点数量时不显示账存数量和差异"},
        {"IC", "RecountToleranceQty", QStringLiteral("10"), "复盘容差（基本单位数量）"},
        {"IC", "RecountTolerancePercent", QStringLiteral("5"), "复盘容差（账存数量的百分比）"},
        {"RTSTOCK", "IsInputStockDate", QStringLiteral("0"), "盘点实存数量默认等于账存数量"},
    };
    BulkInsert rows(c, QStringLiteral("t_SystemProfile"),
                    cols({"FCategory", "FKey", "FValue", "FReadonly", "FDescription"}));
    for (const Parameter &p : parameters)
        rows.add({QString::fromLatin1(p.category), QString::fromLatin1(p.key), p.value, 0,
                  QString::fromUtf8(p.description)});
    rows.flush();
}

struct DemoUser
{
    int id;
    const char *name;
    const char *password;
    const char *employee;
    bool managesCounts = false; // may change and delete count processes
};

// "demo" needs no password; the others are listed by `stockcheck-cli init`.
const DemoUser kUsers[] = {
    {16393, "administrator", "admin", "系统管理员", true},
    {16394, "demo", "", "演示用户", true},
    {16395, "张三", "123456", "张三"},
    {16396, "李四", "654321", "李四"},
};
constexpr int kRestrictedUser = 16396;

QByteArray saltFrom(DemoRandom &rng)
{
    QByteArray salt;
    for (int i = 0; i < 2; ++i) {
        const quint64 v = rng.next();
        salt.append(reinterpret_cast<const char *>(&v), sizeof v);
    }
    return salt;
}

void writeUsers(AppConnection &c, World &w, DemoRandom &rng)
{
    BulkInsert users(c, QStringLiteral("t_user"), cols({"FUserID", "FName", "FNumber", "FEmpID", "FPassword"}));
    BulkInsert employees(c, QStringLiteral("t_Emp"), cols({"FItemID", "FNumber", "FName"}));
    for (const DemoUser &u : kUsers) {
        const QString number = QString::number(u.id);
        users.add({u.id, QString::fromUtf8(u.name), number, u.id,
                   passwordHash(QString::fromUtf8(u.password), saltFrom(rng))});
        employees.add({u.id, number, QString::fromUtf8(u.employee)});
        w.userIds << u.id;
    }
    users.flush();
    employees.flush();
    // everyone may count; only some may change or delete count processes
    using R = GLData::Right;
    for (const DemoUser &u : kUsers)
        grantRights(c, u.id,
                    u.managesCounts ? allRights() : QList<R>{R::BackupStock, R::ViewCountReport, R::EnterCount});
}

// One user sees the raw-material stocks only, to show row-level access at work.
void writeAccessRules(AppConnection &c, const World &w)
{
    BulkInsert rules(c, QStringLiteral("t_UserDataAccess"), cols({"FUserID", "FTableName", "FItemID"}));
    for (const demo::Stock &s : w.stocks)
        if (s.number.startsWith(QLatin1String("01.")))
            rules.add({kRestrictedUser, QStringLiteral("t_Stock"), s.id});
    rules.flush();
}

} // namespace

bool hasData(AppConnection &connection)
{
    Recordset rs = connection.Execute(QStringLiteral("SELECT FItemID FROM t_ICItem LIMIT 1"));
    return rs.isOpen() && !rs.isEmpty();
}

bool fillDemoData(AppConnection &connection, const DemoOptions &options, QString *error)
{
    if (hasData(connection)) {
        if (error)
            *error = LoadText("数据库中已经有物料数据，没有生成演示数据。");
        return false;
    }
    if (options.size < 1 || !options.today.isValid()) {
        if (error)
            *error = FormatText("演示数据的规模无效：%1", {options.size});
        return false;
    }
    World w;
    setPeriods(w, options.today);
    DemoRandom rng(options.seed);
    try {
        Transaction tx(connection);
        writeParameters(connection, w);
        writePeriods(connection, w);
        writeUsers(connection, w, rng);
        demo::buildMasterData(w, rng, options.size);
        demo::writeMasterData(connection, w);
        writeAccessRules(connection, w);
        demo::buildPositions(w, rng, options.size);
        demo::buildDocuments(connection, w, rng, options.size / 5 + 30);
        demo::writeStockAndBalances(connection, w);
        tx.commit();
        return true;
    } catch (const DbException &e) {
        if (error)
            *error = LoadText("生成演示数据失败：") + e.error().message;
        return false;
    }
}

} // namespace erp
