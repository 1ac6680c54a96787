#include "cutoffsnapshot.h"

#include "host/appconnection.h"
#include "host/stockdocuments.h"
#include "host/texts.h"

// Where a signed part of stock comes from: a balance table or a document family,
// its position rows aliased t1 (documents: header t2), the columns that give the
// stock, stock place and MTO number, the signed quantities and the conditions.
// `unit` joins the unit whose coefficient gives the quantity in that unit (mu).
struct MovementSource
{
    enum Kind { BalanceStockedIn, Balance, Documents };

    QString from;
    QString stock;
    QString place;
    QString mto;
    QString qty;
    QString secQty;
    QString unit;
    QString where;
    Kind kind;
};

namespace {

using namespace TranType;

QString lit(const char *text)
{
    return QString::fromLatin1(text);
}

const char *const kItemUnit = " LEFT JOIN t_MeasureUnit mu ON mu.FMeasureUnitID = t4.FStoreUnitID";
const char *const kEntryUnit = " LEFT JOIN t_MeasureUnit mu ON mu.FMeasureUnitID = t1.FUnitID";
const char *const kStockBill = "ICStockBillEntry t1 INNER JOIN ICStockBill t2 ON t2.FInterID = t1.FInterID";
const char *const kZpBill = "ZPStockBillEntry t1 INNER JOIN ZPStockBill t2 ON t2.FInterID = t1.FInterID";
const char *const kStjgBill = "ICSTJGBillEntry t1 INNER JOIN ICSTJGBill t2 ON t2.FInterID = t1.FInterID";
const char *const kPoBill = "POStockBillEntry t1 INNER JOIN POStockBill t2 ON t2.FInterID = t1.FInterID";

// Posted (audited, or stocked when saved) and not cancelled, of the given types.
QString posted(const QString &typeCondition)
{
    return QStringLiteral(" AND (t2.FCheckerID > 0 OR t2.FCheckerID < 0 OR t2.FUpStockWhenSave = 1)"
                          " AND t2.FCancellation = 0 AND t2.FTranType ") +
           typeCondition;
}

QString is(int type)
{
    return QStringLiteral("= ") + QString::number(type);
}

// "SUM(CASE WHEN t2.FTranType IN (inflows) THEN t1.F ELSE/WHEN ... END)"
QString signedSum(const char *column)
{
    const QString c = lit(column);
    return QStringLiteral("SUM(CASE WHEN t2.FTranType IN %1 THEN %2 WHEN t2.FTranType IN %3 THEN -%2 END)")
        .arg(sqlList(Inflows), c, sqlList(Outflows));
}

// The first ledger: balances of both balance tables, stock documents (receipts and
// issues on their receiving side, requisitions and transfers out on their issuing
// side), MTO number changes (both numbers) and VMI receipts.
const std::vector<MovementSource> &firstLedger()
{
    static const std::vector<MovementSource> sources = {
        {lit("ICInvBal t1"),
         lit("t1.FStockID"),
         lit("t1.FStockPlaceID"),
         lit("COALESCE(t1.FMtoNo, '')"),
         lit("SUM(t1.FBegQty)"),
         lit("SUM(t1.FSecBegQty)"),
         lit(kItemUnit),
         {},
         MovementSource::BalanceStockedIn},
        {lit("ICVMIInvBal t1"),
         lit("t1.FStockID"),
         lit("t1.FStockPlaceID"),
         lit("COALESCE(t1.FMtoNo, '')"),
         lit("SUM(t1.FBegQty)"),
         lit("SUM(t1.FSecBegQty)"),
         lit(kItemUnit),
         {},
         MovementSource::BalanceStockedIn},
        {lit(kStockBill), lit("t1.FDCStockID"), lit("t1.FDCSPID"), lit("COALESCE(t1.FMtoNo, '')"), signedSum("t1.FQty"),
         signedSum("t1.FSecQty"), lit(kEntryUnit),
         posted(QStringLiteral("IN ") + sqlList(Inflows, Outflows)) +
             QStringLiteral(" AND NOT (t2.FTranType = %1 AND COALESCE(t2.FPOMode, 0) = %2)")
                 .arg(PurchaseReceipt)
                 .arg(PurchaseModeNotStocked),
         MovementSource::Documents},
        {lit(kStockBill), lit("t1.FSCStockID"), lit("t1.FDCSPID"), lit("COALESCE(t1.FMtoNo, '')"), lit("SUM(-t1.FQty)"),
         lit("SUM(-t1.FSecQty)"), lit(kEntryUnit), posted(is(Requisition)), MovementSource::Documents},
        {lit(kStockBill), lit("t1.FSCStockID"), lit("t1.FSCSPID"), lit("COALESCE(t1.FMtoNo, '')"), lit("SUM(-t1.FQty)"),
         lit("SUM(-t1.FSecQty)"), lit(kEntryUnit), posted(is(Transfer)), MovementSource::Documents},
        {lit("t_MTOChangeEntry t1 INNER JOIN t_MTOChange t2 ON t2.FID = t1.FID"), lit("t1.FStockID"), lit("t1.FSPID"),
         lit("COALESCE(t1.FToMtoNo, '')"), lit("SUM(t1.FChangeBaseQty)"), lit("SUM(t1.FChangeSecQty)"), lit(kEntryUnit),
         lit(" AND (t2.FCheckerID > 0 OR t2.FCheckerID < 0 OR t2.FUpStockWhenSave = 1) AND t2.FCancellation = 0"
             " AND t2.FClassTypeID = 1107011"),
         MovementSource::Documents},
        {lit("t_MTOChangeEntry t1 INNER JOIN t_MTOChange t2 ON t2.FID = t1.FID"), lit("t1.FStockID"), lit("t1.FSPID"),
         lit("COALESCE(t1.FFromMtoNo, '')"), lit("SUM(-t1.FChangeBaseQty)"), lit("SUM(-t1.FChangeSecQty)"),
         lit(kEntryUnit),
         lit(" AND (t2.FCheckerID > 0 OR t2.FCheckerID < 0 OR t2.FUpStockWhenSave = 1) AND t2.FCancellation = 0"
             " AND t2.FClassTypeID = 1107011"),
         MovementSource::Documents},
        // VMI receipts count whether cancelled or not, as the host's ledger does
        {lit("ICVMIInStockEntry t1 INNER JOIN ICVMIInStock t2 ON t2.FID = t1.FID"), lit("t1.FStockID"), lit("t1.FSPID"),
         lit("COALESCE(t1.FMTONo, '')"), lit("SUM(t1.FQty)"), lit("SUM(t1.FSecQty)"), lit(kEntryUnit),
         lit(" AND (t2.FCheckerID > 0 OR t2.FCheckerID < 0 OR t2.FUpStockWhenSave = 1) AND t2.FClassTypeID = 1007601"),
         MovementSource::Documents},
    };
    return sources;
}

// The second ledger: its balances, virtual stock receipts and issues, processing
// materials received and issued, virtual transfers (both sides), and the virtual
// receipts that were carried on into other receipts, taken out again.
const std::vector<MovementSource> &secondLedger()
{
    const QString virtualSigned = QStringLiteral("SUM(CASE WHEN t2.FTranType = %1 THEN %2 ELSE -%2 END)");
    static const std::vector<MovementSource> sources = {
        {lit("POInvBal t1"),
         lit("t1.FStockID"),
         lit("t1.FSPID"),
         lit("COALESCE(t1.FMtoNo, '')"),
         lit("SUM(t1.FBegQty)"),
         lit("SUM(t1.FSecBegQty)"),
         lit(kItemUnit),
         {},
         MovementSource::Balance},
        {lit(kZpBill), lit("t1.FDCStockID"), lit("t1.FDCSPID"), lit("COALESCE(t1.FMtoNo, '')"),
         virtualSigned.arg(VirtualReceipt).arg(QStringLiteral("t1.FQty")),
         virtualSigned.arg(VirtualReceipt).arg(QStringLiteral("t1.FSecQty")), lit(kEntryUnit),
         posted(QStringLiteral("IN ") + sqlList({VirtualReceipt, VirtualIssue})), MovementSource::Documents},
        {lit(kStjgBill), lit("t1.FDCStockID"), lit("t1.FDCSPID"), lit("COALESCE(t1.FMtoNo, '')"), lit("SUM(t1.FQty)"),
         lit("SUM(t1.FSecQty)"), lit(kEntryUnit), posted(is(MaterialsReceived)), MovementSource::Documents},
        {lit(kStjgBill), lit("t1.FSCStockID"), lit("t1.FDCSPID"), lit("COALESCE(t1.FMtoNo, '')"), lit("SUM(-t1.FQty)"),
         lit("SUM(-t1.FSecQty)"), lit(kEntryUnit), posted(is(MaterialsReturned)), MovementSource::Documents},
        {lit(kPoBill), lit("t1.FDCStockID"), lit("t1.FDCSPID"), lit("''"), lit("SUM(t1.FQty)"), lit("SUM(t1.FSecQty)"),
         lit(kEntryUnit), posted(is(VirtualTransfer)), MovementSource::Documents},
        {lit(kPoBill), lit("t1.FSCStockID"), lit("t1.FSCSPID"), lit("''"), lit("SUM(-t1.FQty)"),
         lit("SUM(-t1.FSecQty)"), lit(kEntryUnit), posted(is(VirtualTransfer)), MovementSource::Documents},
        {lit(kZpBill) + QStringLiteral(" INNER JOIN ICStockBillEntry u1 ON u1.FSourceInterID = t1.FInterID"
                                       " AND u1.FSourceEntryID = t1.FEntryID AND u1.FSourceTranType = %1"
                                       " INNER JOIN ICStockBill v1 ON v1.FInterID = u1.FInterID AND v1.FTranType = %2")
                            .arg(VirtualReceipt)
                            .arg(OtherReceipt),
         lit("t1.FDCStockID"), lit("t1.FDCSPID"), lit("COALESCE(t1.FMtoNo, '')"), lit("SUM(-u1.FQty)"),
         lit("SUM(-u1.FSecQty)"), lit(" LEFT JOIN t_MeasureUnit mu ON mu.FMeasureUnitID = u1.FUnitID"),
         posted(is(VirtualReceipt)), MovementSource::Documents},
    };
    return sources;
}

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
    runGroup(firstLedger());
    runGroup(secondLedger());
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

void CutoffSnapshot::runGroup(const std::vector<MovementSource> &sources)
{
    for (const MovementSource &source : sources) {
        const SqlFragment sql = statement(source);
        m_ctx.conn->ExecuteRaiseErr(sql.sql, sql.binds);
    }
}

SqlFragment CutoffSnapshot::statement(const MovementSource &s) const
{
    const Dialect &d = m_ctx.conn->dialect();
    const QString &stock = s.stock;
    const QString &place = s.place;
    const QString &mto = s.mto;
    const QString &qty = s.qty;
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
        .replace(QLatin1String("%7"), s.secQty)
        .replace(QLatin1String("%8"), s.from);

    const QVariant nextDay = Dialect::dateValue(m_ctx.cutDate.addDays(1));
    SqlFragment sql(insertHead + select + s.unit, {Dialect::dateValue(m_ctx.cutDate), m_ctx.max.bill, m_ctx.processId});
    sql += SqlFragment(QStringLiteral(" WHERE 1 = 1") + s.where);
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
