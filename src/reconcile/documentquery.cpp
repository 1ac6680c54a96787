#include "documentquery.h"

#include "host/appconnection.h"
#include "host/stockdocuments.h"

namespace {

// Branch A takes every document whose receiving side is the counted stock; the
// direction column tells receipts (and transfers in) from issues.
const QString intoTypes = TranType::sqlList(TranType::Inflows, TranType::Outflows);
const QString inflowTypes = TranType::sqlList(TranType::Inflows);

// Each branch takes only the document and its entry; the names are joined once
// around all of them, which keeps the statement cheap to plan on PostgreSQL.
const QString stockHead = QStringLiteral(R"(SELECT u1.FInterID AS FInterID,
 CASE WHEN COALESCE(v1.FSelectedProcID, 0) = 0 THEN 0 ELSE 1 END AS FCheckSelect, u1.FDate AS FDate,
 %1 AS FInOrOut, 0 AS FIsMto, u1.FBillNo AS FBillNo, %2 AS FSPID, v1.FItemID AS FItemID,
 v1.FAuxPropID AS FAuxPropID, v1.FBatchNo AS FBatchNo, v1.FMtoNo AS FMtoNo, v1.FKFDate AS FKFDate,
 v1.FKFPeriod AS FKFPeriod, v1.FQty AS FQty, v1.FSecQty AS FSecQty, v1.FEntryID AS FEntryID, u1.FROB AS FROB,
 u1.FTranType AS FTranTypeID
 FROM ICStockBill u1 JOIN ICStockBillEntry v1 ON u1.FInterID = v1.FInterID
 WHERE v1.%3 = ? AND v1.FItemID = ?
 AND (u1.FCheckerID <> 0 OR u1.FUpStockWhenSave = 1) AND u1.FCancellation = 0
 AND v1.FBatchNo = ? AND v1.FMtoNo = ?)");

const QString mtoHead = QStringLiteral(R"(SELECT u1.FID AS FInterID,
 CASE WHEN COALESCE(v1.FSelectedProcID, 0) = 0 THEN 0 ELSE 1 END AS FCheckSelect, u1.FDate AS FDate,
 %1 AS FInOrOut, 1 AS FIsMto, u1.FBillNo AS FBillNo, v1.FSPID AS FSPID, v1.FItemID AS FItemID,
 v1.FAuxPropID AS FAuxPropID, v1.FBatchNo AS FBatchNo, v1.%2 AS FMtoNo, v1.FKFDate AS FKFDate,
 v1.FKFPeriod AS FKFPeriod, v1.FChangeBaseQty AS FQty, v1.FChangeSecQty AS FSecQty, v1.FEntryID AS FEntryID,
 0 AS FROB, u1.FClassTypeID AS FTranTypeID
 FROM t_MTOChange u1 JOIN t_MTOChangeEntry v1 ON u1.FID = v1.FID
 WHERE v1.FItemID = ? AND u1.FClassTypeID = ?
 AND (u1.FCheckerID <> 0 OR u1.FUpStockWhenSave = 1) AND u1.FCancellation = 0
 AND v1.FStockID = ? AND v1.FBatchNo = ? AND v1.%2 = ?)");

// Every entry listed is on the row's own item, place and auxiliary property:
// their names come back once, on the first row, and run() copies them to the
// others. Sent with every entry, they were a third of what a listing of a few
// hundred entries carried back on PostgreSQL. The type names come from a map
// read once per connection (typeNames()).
const QString namesHead = QStringLiteral(R"(SELECT d.FInterID, d.FCheckSelect, %3 AS FDate, d.FInOrOut, NULL AS FName,
 d.FBillNo, %2 (SELECT t11.FName FROM t_StockPlace t11 WHERE t11.FSPID = ?) END AS FSPName,
 %2 (SELECT t1.%1 FROM t_ICItem t1 WHERE t1.FItemID = ?) END AS FNumber,
 %2 (SELECT t1.FName FROM t_ICItem t1 WHERE t1.FItemID = ?) END AS FItemName,
 %2 (SELECT t1.FModel FROM t_ICItem t1 WHERE t1.FItemID = ?) END AS FModel,
 %2 (SELECT t12.FName FROM t_AuxItem t12 WHERE t12.FItemID = ?) END AS FAuxPropName, d.FBatchNo, d.FMtoNo, d.FKFDate,
 d.FKFPeriod, %2 (SELECT t3.FName FROM t_ICItem t1 JOIN t_MeasureUnit t3 ON t3.FItemID = t1.FUnitID
  WHERE t1.FItemID = ?) END AS FUnitName, d.FQty,
 %2 (SELECT t13.FName FROM t_ICItem t1 JOIN t_MeasureUnit t13 ON t13.FItemID = t1.FSecUnitID
  WHERE t1.FItemID = ? LIMIT 1) END AS FSecUnitName, d.FSecQty, d.FEntryID, d.FROB, d.FTranTypeID
 FROM (
)");
const QString firstRow = QStringLiteral("CASE WHEN ROW_NUMBER() OVER (%1) = 1 THEN");
// A total order, so that the row numbered first is the first row listed: a
// transfer within the counted place is listed in and out with the same ids.
const QString listingOrder =
    QStringLiteral("ORDER BY d.FDate, d.FBillNo, d.FTranTypeID, d.FInterID, d.FEntryID, d.FInOrOut DESC");
const char *const rowNameColumns[] = {"FSPName",      "FNumber",   "FItemName",   "FModel",
                                      "FAuxPropName", "FUnitName", "FSecUnitName"};
const QString namesTail = QStringLiteral("\n ) d\n ") + listingOrder;

// The class type table names its columns by the login language as it is written.
QString classTypeColumn(const QString &language)
{
    const QString upper = language.toUpper();
    if (upper == QLatin1String("CHT"))
        return QStringLiteral("FName_CHT");
    if (upper == QLatin1String("EN"))
        return QStringLiteral("FName_EN");
    return QStringLiteral("FName_CHS");
}

QString tranTypeColumn(const QString &language)
{
    const QString upper = language.toUpper();
    if (upper == QLatin1String("CHT"))
        return QStringLiteral("FName_CHT");
    if (upper == QLatin1String("EN"))
        return QStringLiteral("FName_EN");
    return QStringLiteral("FName");
}

} // namespace

// Place, auxiliary property, period, production date and the reservation: the
// conditions every branch shares after its own.
SqlFragment DocumentQuery::commonLine(const QString &place, const QString &kfColumn) const
{
    const SelectContext &r = m_o.row;
    SqlFragment f(QStringLiteral(" AND %1 = ? AND v1.FAuxPropID = ? AND v1.FKFPeriod = ?").arg(place),
                  {r.stockPlaceId, r.auxPropId, r.kfPeriod});
    // an entry without a production date holds NULL or an empty text; a dated one
    // may carry a time after the day
    if (r.kfDate.isEmpty())
        f += SqlFragment(QStringLiteral(" AND (%1 IS NULL OR %1 = '')").arg(kfColumn));
    else
        f += SqlFragment(QStringLiteral(" AND substr(%1, 1, 10) = ?").arg(kfColumn), {r.kfDate});
    return f;
}

// Into the stock: receipts, transfers in and the other families on the receiving
// side. Out of it: requisitions (their place is on the receiving side's column)
// and transfers out, in one pass over the issuing side's entries.
SqlFragment DocumentQuery::stockBranch(bool into) const
{
    const SelectContext &r = m_o.row;
    const QString direction =
        into ? QStringLiteral("CASE WHEN u1.FTranType IN %1 THEN 1 ELSE 0 END").arg(inflowTypes) : QStringLiteral("0");
    const QString place =
        into
            ? QStringLiteral("v1.FDCSPID")
            : QStringLiteral("CASE WHEN u1.FTranType = %1 THEN v1.FSCSPID ELSE v1.FDCSPID END").arg(TranType::Transfer);
    const QString stock = into ? QStringLiteral("FDCStockID") : QStringLiteral("FSCStockID");
    SqlFragment f(stockHead.arg(direction, place, stock), {r.stockId, r.itemId, r.batchNo, r.mtoNo});
    if (m_o.process.backupType == ProcessInfo::CutOffDate)
        f += SqlFragment(QStringLiteral(" AND u1.FDate >= ?"), {Dialect::dateValue(m_o.process.cutDate.addDays(1))});
    else
        f += SqlFragment(QStringLiteral(" AND u1.FInterID > ?"), {m_o.process.maxInterId});
    f += commonLine(place, QStringLiteral("v1.FKFDate"));
    if (into) {
        f += SqlFragment(QStringLiteral(" AND u1.FTranType IN ") + intoTypes);
    } else {
        // the same place on the entry alone, before any document is read for it
        f += SqlFragment(QStringLiteral(" AND (v1.FDCSPID = ? OR v1.FSCSPID = ?) AND u1.FTranType IN (?, ?)"),
                         {r.stockPlaceId, r.stockPlaceId, TranType::Requisition, TranType::Transfer});
    }
    f += SqlFragment(QStringLiteral(" AND (COALESCE(v1.FSelectedProcID, 0) = 0 OR v1.FSelectedProcID = ?)"),
                     {m_o.processId});
    return f;
}

SqlFragment DocumentQuery::mtoBranch(bool into) const
{
    const SelectContext &r = m_o.row;
    const QString mtoColumn = into ? QStringLiteral("FToMtoNo") : QStringLiteral("FFromMtoNo");
    const QString head = mtoHead.arg(into ? QStringLiteral("1") : QStringLiteral("0"), mtoColumn);
    SqlFragment f(head, {r.itemId, MtoChangeClass, r.stockId, r.batchNo, r.mtoNo});
    if (m_o.process.backupType == ProcessInfo::CutOffDate)
        f += SqlFragment(QStringLiteral(" AND u1.FDate >= ?"), {Dialect::dateValue(m_o.process.cutDate.addDays(1))});
    else
        f += SqlFragment(QStringLiteral(" AND u1.FID > ?"), {m_o.process.maxMtoChangeId});
    f += commonLine(QStringLiteral("v1.FSPID"), QStringLiteral("v1.FKFDate"));
    f += SqlFragment(QStringLiteral(" AND (COALESCE(v1.FSelectedProcID, 0) = 0 OR v1.FSelectedProcID = ?)"),
                     {m_o.processId});
    return f;
}

SqlFragment DocumentQuery::statement(const Dialect &dialect) const
{
    // A document's date is a day: PostgreSQL gives it as one, which is read without
    // the time zone conversions a timestamp costs. SQLite keeps it as a text.
    const QString date = dialect.isPostgres() ? QStringLiteral("CAST(d.FDate AS DATE)") : QStringLiteral("d.FDate");
    const SqlFragment unionAll(QStringLiteral("\nUNION ALL\n"));
    const SelectContext &r = m_o.row;
    SqlFragment sql(namesHead.arg(m_o.fullNumbers ? QStringLiteral("FNumber") : QStringLiteral("FShortNumber"),
                                  firstRow.arg(listingOrder), date),
                    {r.stockPlaceId, r.itemId, r.itemId, r.itemId, r.auxPropId, r.itemId, r.itemId});
    sql += stockBranch(true) + unionAll + stockBranch(false);
    if (m_o.mtoPlanMode)
        sql += unionAll + mtoBranch(true) + unionAll + mtoBranch(false);
    // ids and entries after date and number keep each document's entries together
    // even when two documents share a date and a number
    sql += SqlFragment(namesTail);
    return sql;
}

// The names of the listed families of stock documents by FTranType, and of the
// MTO change under its class type (an id no transaction type has).
QHash<int, QString> DocumentQuery::typeNames(AppConnection &connection) const
{
    const QString key = QStringLiteral("DocumentQuery.typeNames.") + m_o.language.toUpper();
    const QVariant known = connection.memo(key);
    if (known.isValid())
        return known.value<QHash<int, QString>>();
    const QString types = TranType::sqlList(TranType::Inflows, TranType::Outflows).chopped(1) +
                          QStringLiteral(", %1, %2)").arg(TranType::Requisition).arg(TranType::Transfer);
    Recordset rs =
        connection.Execute(QStringLiteral("SELECT FID, %1 AS FName FROM ICTransactionType WHERE FID IN %2 UNION ALL "
                                          "SELECT FID, %3 AS FName FROM ICClassType WHERE FID = ?")
                               .arg(tranTypeColumn(m_o.language), types, classTypeColumn(m_o.language)),
                           {MtoChangeClass});
    QHash<int, QString> names;
    if (!rs.isOpen())
        return names; // listed without type names rather than not at all; read again next time
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        names.insert(rs.integer(u"FID"), rs.text(u"FName"));
    connection.setMemo(key, QVariant::fromValue(names));
    return names;
}

Recordset DocumentQuery::run(AppConnection &connection) const
{
    const SqlFragment sql = statement(connection.dialect());
    // planning the five branches anew at every call cost more than running them
    Recordset rs = connection.ExecuteKept(sql.sql, sql.binds, true);
    if (!rs.isOpen() || rs.isEmpty())
        return rs;
    for (const char *column : rowNameColumns) {
        const int field = rs.fieldIndex(QString::fromLatin1(column));
        const QVariant value = rs.value(0, field);
        for (int row = 1; row < rs.RecordCount(); ++row)
            rs.setValue(row, field, value);
    }
    const QHash<int, QString> types = typeNames(connection);
    const int name = rs.fieldIndex(u"FName"), type = rs.fieldIndex(u"FTranTypeID");
    for (int row = 0; row < rs.RecordCount(); ++row)
        rs.setValue(row, name, types.value(rs.value(row, type).toInt()));
    return rs;
}
