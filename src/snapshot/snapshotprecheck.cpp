// The checks that may refuse a snapshot before it is taken: the system start
// date, point-of-sale synchronisation, stock to count, open retail documents and
// unaudited stock documents of the chosen stocks.

#include "icbackupinv.h"

#include "host/appconnection.h"
#include "host/logging.h"
#include "host/sharedstate.h"
#include "host/stockdocuments.h"
#include "host/sysparams.h"
#include "host/texts.h"

namespace {

const QString posSyncSql = QStringLiteral(
    R"(SELECT FValue FROM t_SystemProfile WHERE FKey = 'ICBillPos' AND FCategory = 'IC' AND FValue = '1')");

const QString stockRowsSql = QStringLiteral(
    R"(SELECT 1 AS FFound FROM %1 a
  LEFT JOIN t_Stock b ON a.FStockID = b.FItemID
  LEFT JOIN t_StockPlace t5 ON a.FStockPlaceID = t5.FSPID
  LEFT JOIN t_ICItem t4 ON a.FItemID = t4.FItemID
 WHERE )");

// %1: the header flag that is still 0 (not submitted, not closed by the day).
const QString openRetailSql = QStringLiteral(
    R"(SELECT DISTINCT COALESCE(s.FNumber, '') AS FNumber, COALESCE(s.FName, '') AS FName
  FROM T_LS_RetailEntry t1
 INNER JOIN T_LS_Retail t2 ON t1.FID = t2.FID
 INNER JOIN t_ICItem t4 ON t1.FItemID = t4.FItemID
  LEFT JOIN t_StockPlace t5 ON t1.FSPID = t5.FSPID
  LEFT JOIN t_Stock s ON t1.FStock = s.FItemID
 WHERE COALESCE(t1.FShoppeID, 0) = 0 AND t2.%1 = 0 AND )");

const QString stockTypesSql = QStringLiteral(R"(SELECT FItemID, FTypeID FROM t_Stock WHERE )");

const QString unauditedHead =
    QStringLiteral(R"(SELECT DISTINCT s.FName AS FStockName, sp.FName AS FSPName, p.FStock, p.FSP FROM ()");
const QString unauditedTail = QStringLiteral(
    R"() p
 INNER JOIN t_Stock s ON s.FItemID = p.FStock
 INNER JOIN t_StockPlace sp ON sp.FSPID = p.FSP
 WHERE )");

const char *const kStockBill = "ICStockBillEntry a INNER JOIN ICStockBill b ON b.FInterID = a.FInterID";
const char *const kMtoChange = "t_MTOChangeEntry a INNER JOIN t_MTOChange b ON b.FID = a.FID";
const char *const kVmiInStock = "ICVMIInStockEntry a INNER JOIN ICVMIInStock b ON b.FID = a.FID"
                                " INNER JOIN t_Supplier sup ON sup.FItemID = b.FSupplyID";
const char *const kZpBill = "ZPStockBillEntry a INNER JOIN ZPStockBill b ON b.FInterID = a.FInterID";
const char *const kStjgBill = "ICSTJGBillEntry a INNER JOIN ICSTJGBill b ON b.FInterID = a.FInterID";
const char *const kPoBill = "POStockBillEntry a INNER JOIN POStockBill b ON b.FInterID = a.FInterID";

// The restrictions every unaudited-document branch shares.
struct BranchScope
{
    SqlFragment goods;
    QVariant nextDay; // invalid: no date limit
};

// Documents of one family whose side (stock, place) touches the stocks; the
// pair is reported.
SqlFragment branch(const char *from, const char *stock, const char *place, const SqlFragment &conditions,
                   const SqlFragment &touch, const BranchScope &scope)
{
    const QString placeColumn = QString::fromLatin1(place);
    SqlFragment sql(QStringLiteral("SELECT ") + QString::fromLatin1(stock) + QStringLiteral(" AS FStock, ") +
                    placeColumn + QStringLiteral(" AS FSP FROM ") + QString::fromLatin1(from) +
                    QStringLiteral(" INNER JOIN t_ICItem t4 ON t4.FItemID = a.FItemID"
                                   " LEFT JOIN t_StockPlace t5 ON t5.FSPID = ") +
                    placeColumn + QStringLiteral(" WHERE b.FCancellation = 0 AND "));
    sql += conditions + SqlFragment(QStringLiteral(" AND ")) + touch + scope.goods;
    if (scope.nextDay.isValid())
        sql += SqlFragment(QStringLiteral(" AND b.FDate < ?"), {scope.nextDay});
    return sql;
}

SqlFragment unaudited(const char *condition, int maxId)
{
    return SqlFragment(QString::fromLatin1(condition), {maxId});
}

SqlFragment ofType(int tranType)
{
    return SqlFragment(QStringLiteral(" AND b.FTranType = ?"), {tranType});
}

// Stocks that keep the second ledger's documents.
bool isSecondLedgerStock(int typeId)
{
    return typeId == 502 || typeId == 503;
}

QString stockLines(Recordset rs)
{
    QStringList lines;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        lines << QStringLiteral("【") + rs.text(u"FNumber") + QStringLiteral("】") + rs.text(u"FName");
    return lines.join(QLatin1Char('\n'));
}

// The chosen stocks and the goods restriction of the parameters, as every check
// of the chosen stocks reads them; false with the message when they cannot be read.
bool readScope(const SnapshotParams &params, const AppConnection &conn, bool useFullNumber, QList<int> *stocks,
               SqlFragment *goods, QString &message)
{
    return params.stockIds(stocks, &message) && params.goodsFilter(conn.dialect(), useFullNumber, goods, &message);
}

// Stand-in of the host's point-of-sale synchronisation procedure: this system
// keeps no point-of-sale data of its own, so there is nothing to bring over; the
// call is logged so that it can be seen to have happened.
void synchronizePosBills()
{
    LogBracket log(QStringLiteral("N5StockCheck.ICBackupInv.Prc_synchronizationData"));
    log.end();
}

} // namespace

bool ICBackupInv::PreCheck(SnapshotParams &params, bool isCutDate, const QDate &date, QString &message)
{
    message.clear();
    const QDate start = GetStartDate();
    if (!start.isValid())
        return false;
    if (isCutDate && date < start) {
        message = LoadText("截止日期不能小于系统启用日期！");
        return false;
    }
    if (!SyncPosBill(message) || !message.isEmpty())
        return false;
    if (!GetStockBillMaxID(false, {})) {
        message = LoadText("备份数据失败！") + QLatin1Char('\n') + m_error.message;
        return false;
    }
    CheckStockRecCount(params, isCutDate, date, message);
    if (!message.isEmpty())
        return false;
    CheckRetailBillNotSettle(params, message);
    if (!message.isEmpty())
        return false;
    params.setValue(SnapshotParams::IsCutDate, isCutDate);
    params.setValue(SnapshotParams::CutDate, date.toString(QStringLiteral("yyyy-MM-dd")));
    CheckBillInterID(params, message);
    return message.isEmpty();
}

bool ICBackupInv::SyncPosBill(QString &message)
{
    message.clear();
    AppConnection *conn = connection();
    if (!conn)
        return false;
    Recordset rs;
    if (!query(*conn, SqlFragment(posSyncSql), rs)) {
        message = m_error.message;
        return false;
    }
    if (!rs.isEmpty())
        synchronizePosBills();
    return true;
}

bool ICBackupInv::CheckStockRecCount(const SnapshotParams &params, bool isCutDate, const QDate &, QString &message)
{
    message.clear();
    if (isCutDate)
        return true;
    AppConnection *conn = connection();
    if (!conn)
        return false;
    QList<int> stocks;
    SqlFragment goods;
    if (!readScope(params, *conn, m_useFullNumber, &stocks, &goods, message))
        return false;
    const SqlFragment where = inList(QStringLiteral("b.FItemID"), stocks) + goods;
    SqlFragment sql(QStringLiteral("SELECT 1 AS FFound WHERE EXISTS ("));
    sql += SqlFragment(stockRowsSql.arg(QStringLiteral("ICInventory"))) + where;
    sql += SqlFragment(QStringLiteral(") OR EXISTS ("));
    sql += SqlFragment(stockRowsSql.arg(QStringLiteral("POInventory"))) + where + SqlFragment(QStringLiteral(")"));
    Recordset rs;
    if (!query(*conn, sql, rs)) {
        message = m_error.message;
        return false;
    }
    if (rs.isEmpty())
        message = LoadText("没有可用的数据，不能备份！");
    return message.isEmpty();
}

bool ICBackupInv::CheckRetailBillNotSettle(const SnapshotParams &params, QString &message)
{
    message.clear();
    AppConnection *conn = connection();
    if (!conn)
        return false;
    QList<int> stocks;
    SqlFragment goods;
    if (!readScope(params, *conn, m_useFullNumber, &stocks, &goods, message))
        return false;
    SqlFragment scope = inList(QStringLiteral("t1.FStock"), stocks);
    if (params.isCutDate() && params.cutDate().isValid())
        scope += SqlFragment(QStringLiteral(" AND t2.FDate < ?"), {Dialect::dateValue(params.cutDate().addDays(1))});
    scope += goods + SqlFragment(QStringLiteral(" ORDER BY 1, 2"));

    const struct
    {
        const char *flag;
        const char *text;
    } checks[] = {{"FisSettle", N_("以下仓库有未提交的零售单，请提交后再进行备份：")},
                  {"FDailyBillID", N_("以下仓库有未日结的零售单，请日结后再进行备份：")}};
    for (const auto &check : checks) {
        const SqlFragment sql = SqlFragment(openRetailSql.arg(QString::fromLatin1(check.flag))) + scope;
        Recordset rs;
        if (!query(*conn, sql, rs)) {
            message = LoadText("检查仓库下是否存在未日结的零售单出错：") + m_error.message;
            return false;
        }
        if (!rs.isEmpty()) {
            message = LoadText(check.text) + QLatin1Char('\n') + stockLines(rs);
            return false;
        }
    }
    return true;
}

bool ICBackupInv::CheckBillInterID(const SnapshotParams &params, QString &message)
{
    message.clear();
    AppConnection *conn = connection();
    if (!conn)
        return false;
    QList<int> stocks;
    BranchScope scope;
    if (!readScope(params, *conn, m_useFullNumber, &stocks, &scope.goods, message))
        return false;
    if (params.isCutDate() && params.cutDate().isValid())
        scope.nextDay = Dialect::dateValue(params.cutDate().addDays(1));

    const SqlFragment typesSql = SqlFragment(stockTypesSql) + inList(QStringLiteral("FItemID"), stocks) +
                                 SqlFragment(QStringLiteral(" ORDER BY FItemID"));
    Recordset types;
    if (!query(*conn, typesSql, types)) {
        message = m_error.message;
        return false;
    }
    QList<int> second, first;
    for (types.MoveFirst(); !types.Eof(); types.MoveNext())
        (isSecondLedgerStock(types.integer(u"FTypeID")) ? second : first) << types.integer(u"FItemID");

    const auto in = [](const char *column, const QList<int> &ids) { return inList(QString::fromLatin1(column), ids); };
    const auto notIn = [&](const char *column) {
        return SqlFragment(QStringLiteral("NOT (")) + in(column, stocks) + SqlFragment(QStringLiteral(")"));
    };
    const auto both = [](const SqlFragment &a, const SqlFragment &b) {
        return a + SqlFragment(QStringLiteral(" AND ")) + b;
    };
    const auto either = [](const SqlFragment &a, const SqlFragment &b) {
        return SqlFragment(QStringLiteral("(")) + a + SqlFragment(QStringLiteral(" OR ")) + b +
               SqlFragment(QStringLiteral(")"));
    };
    const MaxIds &max = m_max;
    QList<SqlFragment> branches;
    if (!first.isEmpty()) {
        const char *billOpen = "b.FCheckerID IS NULL AND b.FInterID <= ?";
        branches
            << branch(kStockBill, "a.FDCStockID", "a.FDCSPID",
                      unaudited("b.FCheckerID IS NULL AND b.FInterID <= ?", max.bill) +
                          SqlFragment(QStringLiteral(" AND b.FTranType <= %1 AND b.FTranType NOT IN %2")
                                          .arg(TranType::Loss)
                                          .arg(TranType::sqlList({TranType::Requisition, TranType::Transfer}))),
                      in("a.FDCStockID", first), scope)
            << branch(kStockBill, "a.FSCStockID", "a.FSCSPID",
                      unaudited(billOpen, max.bill) + ofType(TranType::Requisition), in("a.FSCStockID", first), scope)
            // a transfer is reported on its receiving side when that is a chosen stock
            << branch(kStockBill, "a.FDCStockID", "a.FDCSPID",
                      unaudited(billOpen, max.bill) + ofType(TranType::Transfer),
                      both(in("a.FDCStockID", stocks), either(in("a.FDCStockID", first), in("a.FSCStockID", first))),
                      scope)
            << branch(kStockBill, "a.FSCStockID", "a.FSCSPID",
                      unaudited(billOpen, max.bill) + ofType(TranType::Transfer),
                      both(notIn("a.FDCStockID"), in("a.FSCStockID", first)), scope)
            << branch(kMtoChange, "a.FStockID", "a.FSPID",
                      unaudited("COALESCE(b.FCheckerID, 0) = 0 AND b.FID <= ? AND b.FClassTypeID = 1107011",
                                max.mtoChange),
                      in("a.FStockID", first), scope)
            << branch(kVmiInStock, "a.FStockID", "a.FSPID",
                      unaudited("COALESCE(b.FCheckerID, 0) = 0 AND b.FID <= ? AND b.FClassTypeID = 1007601", max.vmi),
                      in("a.FStockID", first), scope);
    }
    if (!second.isEmpty()) {
        // each family against its own maximum: documents made after the capture
        // are left out whether or not the families share one id sequence
        const char *open = "COALESCE(b.FCheckerID, 0) = 0 AND b.FInterID <= ?";
        const auto typed = [&](std::initializer_list<int> types, int maxId) {
            return unaudited(open, maxId) +
                   SqlFragment(QStringLiteral(" AND b.FTranType IN ") + TranType::sqlList(types));
        };
        branches << branch(kZpBill, "a.FDCStockID", "a.FDCSPID",
                           typed({TranType::VirtualReceipt, TranType::VirtualIssue}, max.zp),
                           in("a.FDCStockID", second), scope)
                 << branch(kStjgBill, "a.FDCStockID", "a.FDCSPID", typed({TranType::MaterialsReceived}, max.stjg),
                           in("a.FDCStockID", second), scope)
                 << branch(kStjgBill, "a.FSCStockID", "a.FSCSPID", typed({TranType::MaterialsReturned}, max.stjg),
                           in("a.FSCStockID", second), scope)
                 << branch(kPoBill, "a.FDCStockID", "a.FDCSPID", typed({TranType::VirtualTransfer}, max.po),
                           both(in("a.FDCStockID", stocks),
                                either(in("a.FDCStockID", second), in("a.FSCStockID", second))),
                           scope)
                 << branch(kPoBill, "a.FSCStockID", "a.FSCSPID", typed({TranType::VirtualTransfer}, max.po),
                           both(notIn("a.FDCStockID"), in("a.FSCStockID", second)), scope);
    }
    if (branches.isEmpty())
        return true;

    SqlFragment sql(unauditedHead);
    for (qsizetype i = 0; i < branches.size(); ++i)
        sql += (i == 0 ? SqlFragment() : SqlFragment(QStringLiteral(" UNION "))) + branches.at(i);
    sql +=
        SqlFragment(unauditedTail) + in("p.FStock", stocks) + SqlFragment(QStringLiteral(" ORDER BY p.FStock, p.FSP"));
    Recordset rs;
    if (!query(*conn, sql, rs)) {
        message = m_error.message;
        return false;
    }
    if (rs.isEmpty())
        return true;
    QStringList lines{LoadText("以下仓库(仓位)有未审核的单据，不能备份：")};
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        lines << FormatText("[%1]仓库,[%2]仓位", {rs.text(u"FStockName").trimmed(), rs.text(u"FSPName")});
    message = lines.join(QLatin1Char('\n'));
    return false;
}

bool ICBackupInv::query(AppConnection &conn, const SqlFragment &sql, Recordset &result)
{
    result = conn.Execute(sql.sql, sql.binds);
    if (result.isOpen())
        return true;
    m_error = conn.lastError();
    return false;
}
