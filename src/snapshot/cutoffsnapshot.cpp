#include "cutoffsnapshot.h"

#include "host/appconnection.h"
#include "host/texts.h"

#include <iterator>

// Where a signed part of stock comes from: a balance table or a document family,
// its position rows aliased t1 (documents: header t2), the columns that give the
// stock, stock place and MTO number, the signed quantities and the conditions.
// `unit` joins the unit whose coefficient gives the quantity in that unit (mu).
struct MovementSource
{
    enum Kind { BalanceStockedIn, Balance, Documents };

    const char *from;
    const char *stock;
    const char *place;
    const char *mto;
    const char *qty;
    const char *secQty;
    const char *unit;
    const char *where;
    Kind kind;
};

namespace {

const char *const kItemUnit = " LEFT JOIN t_MeasureUnit mu ON mu.FMeasureUnitID = t4.FStoreUnitID";
const char *const kEntryUnit = " LEFT JOIN t_MeasureUnit mu ON mu.FMeasureUnitID = t1.FUnitID";
#define POSTED " AND (t2.FCheckerID > 0 OR t2.FCheckerID < 0 OR t2.FUpStockWhenSave = 1)"
#define NOT_CANCELLED " AND t2.FCancellation = 0"

// The first ledger: balances of both balance tables, stock documents (receipts and
// issues on their receiving side, requisitions and transfers out on their issuing
// side), MTO number changes (both numbers) and VMI receipts.
const MovementSource kFirstLedger[] = {
    {"ICInvBal t1", "t1.FStockID", "t1.FStockPlaceID", "COALESCE(t1.FMtoNo, '')", "SUM(t1.FBegQty)",
     "SUM(t1.FSecBegQty)", kItemUnit, "", MovementSource::BalanceStockedIn},
    {"ICVMIInvBal t1", "t1.FStockID", "t1.FStockPlaceID", "COALESCE(t1.FMtoNo, '')", "SUM(t1.FBegQty)",
     "SUM(t1.FSecBegQty)", kItemUnit, "", MovementSource::BalanceStockedIn},
    {"ICStockBillEntry t1 INNER JOIN ICStockBill t2 ON t2.FInterID = t1.FInterID", "t1.FDCStockID", "t1.FDCSPID",
     "COALESCE(t1.FMtoNo, '')",
     "SUM(CASE WHEN t2.FTranType IN (1, 2, 5, 10, 40, 41) THEN t1.FQty "
     "WHEN t2.FTranType IN (21, 28, 29, 43) THEN -t1.FQty END)",
     "SUM(CASE WHEN t2.FTranType IN (1, 2, 5, 10, 40, 41) THEN t1.FSecQty "
     "WHEN t2.FTranType IN (21, 28, 29, 43) THEN -t1.FSecQty END)",
     kEntryUnit,
     POSTED NOT_CANCELLED " AND t2.FTranType IN (1, 2, 5, 10, 40, 41, 21, 28, 29, 43)"
                          " AND NOT (t2.FTranType = 1 AND COALESCE(t2.FPOMode, 0) = 36681)",
     MovementSource::Documents},
    {"ICStockBillEntry t1 INNER JOIN ICStockBill t2 ON t2.FInterID = t1.FInterID", "t1.FSCStockID", "t1.FDCSPID",
     "COALESCE(t1.FMtoNo, '')", "SUM(-t1.FQty)", "SUM(-t1.FSecQty)", kEntryUnit,
     POSTED NOT_CANCELLED " AND t2.FTranType = 24", MovementSource::Documents},
    {"ICStockBillEntry t1 INNER JOIN ICStockBill t2 ON t2.FInterID = t1.FInterID", "t1.FSCStockID", "t1.FSCSPID",
     "COALESCE(t1.FMtoNo, '')", "SUM(-t1.FQty)", "SUM(-t1.FSecQty)", kEntryUnit,
     POSTED NOT_CANCELLED " AND t2.FTranType = 41", MovementSource::Documents},
    {"t_MTOChangeEntry t1 INNER JOIN t_MTOChange t2 ON t2.FID = t1.FID", "t1.FStockID", "t1.FSPID",
     "COALESCE(t1.FToMtoNo, '')", "SUM(t1.FChangeBaseQty)", "SUM(t1.FChangeSecQty)", kEntryUnit,
     POSTED NOT_CANCELLED " AND t2.FClassTypeID = 1107011", MovementSource::Documents},
    {"t_MTOChangeEntry t1 INNER JOIN t_MTOChange t2 ON t2.FID = t1.FID", "t1.FStockID", "t1.FSPID",
     "COALESCE(t1.FFromMtoNo, '')", "SUM(-t1.FChangeBaseQty)", "SUM(-t1.FChangeSecQty)", kEntryUnit,
     POSTED NOT_CANCELLED " AND t2.FClassTypeID = 1107011", MovementSource::Documents},
    // VMI receipts count whether cancelled or not, as the host's ledger does
    {"ICVMIInStockEntry t1 INNER JOIN ICVMIInStock t2 ON t2.FID = t1.FID", "t1.FStockID", "t1.FSPID",
     "COALESCE(t1.FMTONo, '')", "SUM(t1.FQty)", "SUM(t1.FSecQty)", kEntryUnit, POSTED " AND t2.FClassTypeID = 1007601",
     MovementSource::Documents},
};

// The second ledger: its balances, virtual stock receipts and issues, processing
// materials received and issued, virtual transfers (both sides), and the virtual
// receipts that were carried on into other receipts (type 10), taken out again.
const MovementSource kSecondLedger[] = {
    {"POInvBal t1", "t1.FStockID", "t1.FSPID", "COALESCE(t1.FMtoNo, '')", "SUM(t1.FBegQty)", "SUM(t1.FSecBegQty)",
     kItemUnit, "", MovementSource::Balance},
    {"ZPStockBillEntry t1 INNER JOIN ZPStockBill t2 ON t2.FInterID = t1.FInterID", "t1.FDCStockID", "t1.FDCSPID",
     "COALESCE(t1.FMtoNo, '')", "SUM(CASE WHEN t2.FTranType = 6 THEN t1.FQty ELSE -t1.FQty END)",
     "SUM(CASE WHEN t2.FTranType = 6 THEN t1.FSecQty ELSE -t1.FSecQty END)", kEntryUnit,
     POSTED NOT_CANCELLED " AND t2.FTranType IN (6, 26)", MovementSource::Documents},
    {"ICSTJGBillEntry t1 INNER JOIN ICSTJGBill t2 ON t2.FInterID = t1.FInterID", "t1.FDCStockID", "t1.FDCSPID",
     "COALESCE(t1.FMtoNo, '')", "SUM(t1.FQty)", "SUM(t1.FSecQty)", kEntryUnit,
     POSTED NOT_CANCELLED " AND t2.FTranType = 92", MovementSource::Documents},
    {"ICSTJGBillEntry t1 INNER JOIN ICSTJGBill t2 ON t2.FInterID = t1.FInterID", "t1.FSCStockID", "t1.FDCSPID",
     "COALESCE(t1.FMtoNo, '')", "SUM(-t1.FQty)", "SUM(-t1.FSecQty)", kEntryUnit,
     POSTED NOT_CANCELLED " AND t2.FTranType = 137", MovementSource::Documents},
    {"POStockBillEntry t1 INNER JOIN POStockBill t2 ON t2.FInterID = t1.FInterID", "t1.FDCStockID", "t1.FDCSPID", "''",
     "SUM(t1.FQty)", "SUM(t1.FSecQty)", kEntryUnit, POSTED NOT_CANCELLED " AND t2.FTranType = 74",
     MovementSource::Documents},
    {"POStockBillEntry t1 INNER JOIN POStockBill t2 ON t2.FInterID = t1.FInterID", "t1.FSCStockID", "t1.FSCSPID", "''",
     "SUM(-t1.FQty)", "SUM(-t1.FSecQty)", kEntryUnit, POSTED NOT_CANCELLED " AND t2.FTranType = 74",
     MovementSource::Documents},
    {"ZPStockBillEntry t1 INNER JOIN ZPStockBill t2 ON t2.FInterID = t1.FInterID"
     " INNER JOIN ICStockBillEntry u1 ON u1.FSourceInterID = t1.FInterID AND u1.FSourceEntryID = t1.FEntryID"
     " AND u1.FSourceTranType = 6"
     " INNER JOIN ICStockBill v1 ON v1.FInterID = u1.FInterID AND v1.FTranType = 10",
     "t1.FDCStockID", "t1.FDCSPID", "COALESCE(t1.FMtoNo, '')", "SUM(-u1.FQty)", "SUM(-u1.FSecQty)",
     " LEFT JOIN t_MeasureUnit mu ON mu.FMeasureUnitID = u1.FUnitID", POSTED NOT_CANCELLED " AND t2.FTranType = 6",
     MovementSource::Documents},
};

#undef POSTED
#undef NOT_CANCELLED

const QString insertHead = QStringLiteral(
    R"(INSERT INTO ICInvBackupTemp
 (FBrNo, FItemID, FStockID, FBatchNo, FMtoNo, FStockPlaceID, FKFDate, FKFPeriod, FQty, FQytLock,
  FQtyAct, FCheckQty, FSelect, FAdj, FDateBackup, FMaxBillInterID, FAuxQty, FAuxQtyAct,
  FAuxCheckQty, FInterID, FSecQty, FAdjQty, FAuxPropID)
)");

// The position columns as the count rows keep them: no batch, MTO number, place or
// production date is '' (0 for the place).
const QString positionSelect = QStringLiteral(
    R"(SELECT '0', t1.FItemID, %1, COALESCE(t1.FBatchNo, ''), %2, COALESCE(%3, 0),
       COALESCE(substr(t1.FKFDate, 1, 10), ''), t1.FKFPeriod,
       %4, 0, %4, %4, 0, 0, %5, CAST(? AS INTEGER), %4 / %6, %4 / %6, %4 / %6, CAST(? AS INTEGER), %7, 0, t1.FAuxPropID
  FROM %8
 INNER JOIN t_ICItem t4 ON t4.FItemID = t1.FItemID
 LEFT JOIN t_StockPlace t5 ON t5.FSPID = %3)");

const QString positionGroup = QStringLiteral(
    R"( GROUP BY t1.FItemID, %1, COALESCE(t1.FBatchNo, ''), %2COALESCE(%3, 0),
          COALESCE(substr(t1.FKFDate, 1, 10), ''), t1.FKFPeriod, t1.FAuxPropID, mu.FCoefficient)");

const QString periodsSql = QStringLiteral(
    R"(SELECT FYear, FPeriod, FStartDate, FEndDate FROM t_PeriodDate
 WHERE (FStartDate <= ? AND FEndDate >= ?) OR (FYear = ? AND FPeriod = ?)
 ORDER BY FYear, FPeriod)");
const QString profileSql = QStringLiteral(R"(SELECT FValue FROM t_SystemProfile WHERE FCategory = 'IC' AND FKey = ?)");
const QString anyPartSql = QStringLiteral(R"(SELECT 1 AS FFound FROM ICInvBackupTemp LIMIT 1)");

int profileInt(AppConnection &conn, const QString &key)
{
    Recordset rs = conn.ExecuteRaiseErr(profileSql, {key});
    return rs.isEmpty() ? 0 : int(Recordset::toNumber(rs.Fields(u"FValue")));
}

} // namespace

CutoffSnapshot::Result CutoffSnapshot::rebuild(QString *message)
{
    if (!choosePeriod(message))
        return Result::NoData;
    runGroup(kFirstLedger, int(std::size(kFirstLedger)));
    runGroup(kSecondLedger, int(std::size(kSecondLedger)));
    if (m_ctx.conn->ExecuteRaiseErr(anyPartSql).isEmpty()) {
        *message = LoadText("没有可用的数据，不能备份！");
        return Result::NoData;
    }
    return Result::Rows;
}

bool CutoffSnapshot::choosePeriod(QString *message)
{
    AppConnection &conn = *m_ctx.conn;
    const int currentYear = profileInt(conn, QStringLiteral("CurrentYear"));
    const int currentPeriod = profileInt(conn, QStringLiteral("CurrentPeriod"));
    const QVariant cut = Dialect::dateValue(m_ctx.cutDate);
    Recordset periods = conn.ExecuteRaiseErr(periodsSql, {cut, cut, currentYear, currentPeriod});

    bool found = false;
    int cutYear = 0, cutPeriod = 0;
    QDate cutStart, currentStart;
    for (periods.MoveFirst(); !periods.Eof(); periods.MoveNext()) {
        const QDate start = periods.dateTime(u"FStartDate").date();
        const QDate end = periods.dateTime(u"FEndDate").date();
        const int year = periods.integer(u"FYear");
        const int period = periods.integer(u"FPeriod");
        if (year == currentYear && period == currentPeriod)
            currentStart = start;
        if (!found && start <= m_ctx.cutDate && end >= m_ctx.cutDate) {
            found = true;
            cutYear = year;
            cutPeriod = period;
            cutStart = start;
        }
    }
    if (!found) {
        *message = LoadText("截止日期超出已定义的会计期间范围，不能备份！");
        return false;
    }
    const bool beforeCurrent = cutYear < currentYear || (cutYear == currentYear && cutPeriod < currentPeriod);
    if (beforeCurrent || !currentStart.isValid()) {
        m_baseYear = cutYear;
        m_basePeriod = cutPeriod;
        m_baseStart = cutStart;
    } else {
        m_baseYear = currentYear;
        m_basePeriod = currentPeriod;
        m_baseStart = currentStart;
    }
    return true;
}

void CutoffSnapshot::runGroup(const MovementSource *sources, int count)
{
    for (int i = 0; i < count; ++i) {
        const SqlFragment sql = statement(sources[i]);
        m_ctx.conn->ExecuteRaiseErr(sql.sql, sql.binds);
    }
}

SqlFragment CutoffSnapshot::statement(const MovementSource &s) const
{
    const Dialect &d = m_ctx.conn->dialect();
    const QString stock = QString::fromLatin1(s.stock);
    const QString place = QString::fromLatin1(s.place);
    const QString mto = QString::fromLatin1(s.mto);
    const QString qty = QString::fromLatin1(s.qty);
    // the quantity in the unit only fills the work table's own columns: a unit
    // without a coefficient must not stop the snapshot
    const QString coefficient = QStringLiteral("NULLIF(mu.FCoefficient, 0)");
    QString select = positionSelect;
    select.replace(QLatin1String("%1"), stock)
        .replace(QLatin1String("%2"), mto)
        .replace(QLatin1String("%3"), place)
        .replace(QLatin1String("%4"), qty)
        .replace(QLatin1String("%5"), d.dateTimeParam())
        .replace(QLatin1String("%6"), coefficient)
        .replace(QLatin1String("%7"), QString::fromLatin1(s.secQty))
        .replace(QLatin1String("%8"), QString::fromLatin1(s.from));

    const QVariant nextDay = Dialect::dateValue(m_ctx.cutDate.addDays(1));
    SqlFragment sql(insertHead + select + QString::fromLatin1(s.unit),
                    {Dialect::dateValue(m_ctx.cutDate), m_ctx.max.bill, m_ctx.processId});
    sql += SqlFragment(QStringLiteral(" WHERE 1 = 1") + QString::fromLatin1(s.where));
    switch (s.kind) {
    case MovementSource::BalanceStockedIn:
        sql += SqlFragment(QStringLiteral(" AND t1.FYear = ? AND t1.FPeriod = ? AND t1.FStockInDate < ?"),
                           {m_baseYear, m_basePeriod, nextDay});
        break;
    case MovementSource::Balance:
        sql += SqlFragment(QStringLiteral(" AND t1.FYear = ? AND t1.FPeriod = ?"), {m_baseYear, m_basePeriod});
        break;
    case MovementSource::Documents:
        sql += SqlFragment(QStringLiteral(" AND t2.FDate >= ? AND t2.FDate < ?"),
                           {Dialect::dateValue(m_baseStart), nextDay});
        break;
    }
    sql += m_ctx.goods;
    if (!m_ctx.stocks.isEmpty())
        sql += SqlFragment(QStringLiteral(" AND ")) + inList(stock, m_ctx.stocks);
    QString group = positionGroup;
    // a constant MTO number is no grouping column (PostgreSQL refuses one)
    const QString mtoGroup = mto.startsWith(QLatin1Char('\'')) ? QString() : mto + QStringLiteral(", ");
    group.replace(QLatin1String("%1"), stock)
        .replace(QLatin1String("%2"), mtoGroup)
        .replace(QLatin1String("%3"), place);
    sql += SqlFragment(group);
    if (s.kind != MovementSource::Documents)
        sql += SqlFragment(QStringLiteral(" HAVING SUM(t1.FBegQty) <> 0"));
    return sql;
}
