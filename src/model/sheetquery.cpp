#include "sheetquery.h"

#include "host/dialect.h"

#include <QRegularExpression>
#include <QStringList>

namespace sheetquery {

namespace {

const QString definitionsSql = QStringLiteral(
    R"(SELECT FInterID, FTypeID, %1 AS FColCaption, FHeadSecond, FColName, FTableName, FColType,
       FColWidth, FVisible, FItemClassID, FVisForQuest, FReturnDataType, FCountPriceType,
       FCtlIndex, FName, FTableAlias, FAction, FNeedCount, FIsPrimary, FLogicAction,
       FStatistical, FMergeable, FVisForOrder, FControl, FMode
  FROM ICChatBillTitle
 WHERE FTypeID = ?
 ORDER BY FInterID)");

const QString headSql = QStringLiteral(
    R"(SELECT %1 AS FColCaption, FVisForQuest, FVisForOrder, FColName, FItemClassID, FColType
  FROM ICChatBillTitle
 WHERE FTypeID = ?
 ORDER BY FInterID)");

// t1 the snapshot row, t2 the item, t3 its base unit, t4 the row's counting unit,
// t5 the item's secondary unit.
const QString rowsFrom = QStringLiteral(R"(
  FROM ICInvBackup t1 INNER JOIN t_ICItem t2 ON t1.FItemID = t2.FItemID
  LEFT JOIN t_MeasureUnit t3 ON t2.FUnitID = t3.FItemID
  LEFT JOIN t_MeasureUnit t4 ON t1.FUnitID = t4.FItemID
  LEFT JOIN t_MeasureUnit t5 ON t2.FSecUnitID = t5.FItemID
  LEFT JOIN t_StockPlace t11 ON t1.FStockPlaceID = t11.FSPID
  LEFT JOIN t_Stock t12 ON t1.FStockID = t12.FItemID
  LEFT JOIN t_AuxItem t13 ON t1.FAuxPropID = t13.FItemID
  LEFT JOIN t_barcode t14 ON t2.FItemID = t14.FItemID AND t14.FCodeType = 0
  LEFT JOIN t_Item t15 ON t2.FComBrandID = t15.FItemID AND t2.FComBrandID <> 0
  LEFT JOIN t_Item t16 ON t2.FComCategoryID = t16.FItemID AND t2.FComCategoryID <> 0
)");

const QString notDeleted = QStringLiteral(" AND t2.FDeleted <> 1");

// Items without a snapshot row, in the columns of the count book, once under each
// stock of the process (s, named by t12); %1 a NULL quantity, %2 the current time.
const QString itemBlockSelect = QStringLiteral(R"(
SELECT RTRIM(t12.FName) AS FStockName, s.FStockID, t2.FItemID, '' AS FSPName, t2.FShortNumber, t2.FNumber,
        t2.FName, t2.FModel, COALESCE(t7.FName, '') AS FComBrand, COALESCE(t6.FBarCode, '') AS FBarCode,
        COALESCE(t8.FName, '') AS FComCategory,
        '' AS FBatchNo, '' AS FMtoNo, '' AS FKFDate, 0 AS FKFPeriod, t4.FCoefficient, 0 AS FSPID,
        t2.FQtyDecimal, t2.FPriceDecimal, %1 AS FBal, '' AS FNote, %1 AS FMinus, %2 AS FDateBackup,
        CAST(NULL AS INTEGER) AS FMaxBillInterID,
        t3.FName AS FUnitName, %1 AS FQty, %1 AS FQtyAct, %1 AS FCheckQty, %1 AS FOverQty, %1 AS FDownQty,
        t2.FCUUnitID, t4.FUnitGroupID, t4.FName AS FCUUnitName, %1 AS FCUUnitQty,
        %1 AS FCUUnitQtyAct, %1 AS FCUUnitCheckQty, %1 AS FCUUnitOverQty, %1 AS FCUUnitDownQty,
        t2.FDeleted, t5.FName AS FSecUnitName, '' AS FAuxPropName,
        %1 AS FAdjQty, %1 AS FSecQty, %1 AS FSecQtyAct, %1 AS FSecCheckQty, %1 AS FSecAdjQty,
        0 AS FSecCoefficient, %1 AS FSecOverQty, %1 AS FSecDownQty,
        t12.FNumber AS FStockNumber, t12.FShortNumber AS FStockShortNumber, '' AS FSPNumber, '' AS FSPShortNumber,
        t2.FNumber AS FItemNumber, t2.FShortNumber AS FItemShortNumber
   FROM t_ICItem t2 INNER JOIN t_MeasureUnit t3 ON t2.FUnitID = t3.FItemID
  INNER JOIN t_MeasureUnit t4 ON t2.FCUUnitID = t4.FItemID
  LEFT JOIN t_MeasureUnit t5 ON t2.FSecUnitID = t5.FItemID
  LEFT JOIN t_barcode t6 ON t2.FItemID = t6.FItemID AND t6.FCodeType = 0
  LEFT JOIN t_Item t7 ON t2.FComBrandID = t7.FItemID AND t2.FComBrandID <> 0
  LEFT JOIN t_Item t8 ON t2.FComCategoryID = t8.FItemID AND t2.FComCategoryID <> 0
  INNER JOIN (SELECT DISTINCT FStockID FROM ICInvBackup WHERE FInterID = ?) s ON 1=1
  LEFT JOIN t_Stock t12 ON s.FStockID = t12.FItemID
)");

const QString defaultOrder = QStringLiteral("FStockName Desc,FSPName,FName");

bool isPrintMode(SheetMode mode)
{
    return mode == SheetMode::PrintBook;
}

bool isCheckMode(SheetMode mode)
{
    return mode == SheetMode::Check;
}

QStringList headColumnsOf(SheetMode mode)
{
    QStringList c;
    if (!isPrintMode(mode) && !isCheckMode(mode))
        c << QStringLiteral("t1.FComplexQty AS FCUMutiUnitCheckQty");
    c << QStringLiteral("RTRIM(t12.FName) AS FStockName") << QStringLiteral("t1.FStockID")
      << QStringLiteral("t1.FItemID") << QStringLiteral("t11.FName AS FSPName") << QStringLiteral("t2.FShortNumber")
      << QStringLiteral("t2.FNumber") << QStringLiteral("t2.FName") << QStringLiteral("t2.FModel")
      << QStringLiteral("COALESCE(t15.FName, '') AS FComBrand")
      << QStringLiteral("COALESCE(t14.FBarCode, '') AS FBarCode")
      << QStringLiteral("COALESCE(t16.FName, '') AS FComCategory") << QStringLiteral("t1.FBatchNo")
      << QStringLiteral("t1.FMtoNo") << QStringLiteral("t1.FKFDate") << QStringLiteral("t1.FKFPeriod")
      << QStringLiteral("t4.FCoefficient") << QStringLiteral("t1.FStockPlaceID") << QStringLiteral("t2.FQtyDecimal")
      << QStringLiteral("t2.FPriceDecimal");
    if (!isPrintMode(mode))
        c << QStringLiteral("t2.FSecUnitDecimal");
    c << QStringLiteral("t1.FBal") << QStringLiteral("t1.FNote") << QStringLiteral("t1.FMinus")
      << QStringLiteral("t1.FDateBackup") << QStringLiteral("t1.FMaxBillInterID")
      << QStringLiteral("t3.FName AS FUnitName");
    return c;
}

// The count book is printed blank for counting: every quantity is NULL.
QStringList printQuantities(const QString &nullQty)
{
    QStringList c;
    for (const char *f : {"FQty", "FQtyAct", "FCheckQty", "FOverQty", "FDownQty"})
        c << nullQty + QStringLiteral(" AS ") + QLatin1String(f);
    c << QStringLiteral("t1.FUnitID") << QStringLiteral("t4.FUnitGroupID") << QStringLiteral("t4.FName AS FCUUnitName");
    for (const char *f : {"FCUUnitQty", "FCUUnitQtyAct", "FCUUnitCheckQty", "FCUUnitOverQty", "FCUUnitDownQty"})
        c << nullQty + QStringLiteral(" AS ") + QLatin1String(f);
    c << QStringLiteral("t2.FDeleted") << QStringLiteral("t5.FName AS FSecUnitName")
      << QStringLiteral("COALESCE(t13.FName, '*') AS FAuxPropName") << QStringLiteral("t1.FAdjQty");
    for (const char *f : {"FSecQty", "FSecQtyAct", "FSecCheckQty", "FSecAdjQty"})
        c << nullQty + QStringLiteral(" AS ") + QLatin1String(f);
    c << QStringLiteral("CASE WHEN t1.FSecQty = 0 THEN 0 ELSE t1.FQty / t1.FSecQty END AS FSecCoefficient");
    c << nullQty + QStringLiteral(" AS FSecOverQty") << nullQty + QStringLiteral(" AS FSecDownQty");
    return c;
}

// A positive difference is over, a negative one short; with a counting-unit
// coefficient of 0 both show the difference whatever its sign.
QStringList overAndShort(const QString &minus, const QString &over, const QString &down)
{
    return {QStringLiteral("CASE WHEN %1 > 0 THEN %1 WHEN t4.FCoefficient = 0 THEN %1 ELSE NULL END AS %2")
                .arg(minus, over),
            QStringLiteral("CASE WHEN %1 < 0 THEN -%1 WHEN t4.FCoefficient = 0 THEN -%1 ELSE NULL END AS %2")
                .arg(minus, down)};
}

// Entry mode: the stored quantities as saved. Check mode: the book quantity is
// the counting-unit quantity plus the adjustment.
QStringList storedQuantities(SheetMode mode, const Dialect &dialect)
{
    const bool check = isCheckMode(mode);
    QStringList c;
    c << (check ? dialect.castQuantity(QStringLiteral("(t1.FAuxQty + t1.FAdjQty) * t4.FCoefficient")) +
                      QStringLiteral(" AS FQty")
                : QStringLiteral("t1.FQty"));
    c << QStringLiteral("t1.FQtyAct") << QStringLiteral("t1.FCheckQty");
    c << overAndShort(QStringLiteral("t1.FMinus"), QStringLiteral("FOverQty"), QStringLiteral("FDownQty"));
    c << QStringLiteral("t1.FUnitID") << QStringLiteral("t4.FUnitGroupID") << QStringLiteral("t4.FName AS FCUUnitName");
    c << (check ? QStringLiteral("(t1.FAuxQty + t1.FAdjQty) AS FCUUnitQty")
                : QStringLiteral("t1.FAuxQty AS FCUUnitQty"));
    c << QStringLiteral("t1.FAuxQtyAct AS FCUUnitQtyAct") << QStringLiteral("t1.FAuxCheckQty AS FCUUnitCheckQty");
    if (check) {
        // a coefficient of 0 gives no counting-unit difference rather than a failed query
        c << QStringLiteral("CASE WHEN t1.FMinus > 0 THEN t1.FMinus / NULLIF(t4.FCoefficient, 0) ELSE NULL END"
                            " AS FCUUnitOverQty")
          << QStringLiteral("CASE WHEN t1.FMinus < 0 THEN -t1.FMinus / NULLIF(t4.FCoefficient, 0) ELSE NULL END"
                            " AS FCUUnitDownQty");
    } else {
        c << QStringLiteral("CASE WHEN t1.FMinus > 0 THEN t1.FMinus * t4.FCoefficient ELSE NULL END AS FCUUnitOverQty")
          << QStringLiteral(
                 "CASE WHEN t1.FMinus < 0 THEN -t1.FMinus * t4.FCoefficient ELSE NULL END AS FCUUnitDownQty");
    }
    c << QStringLiteral("t2.FDeleted") << QStringLiteral("t5.FName AS FSecUnitName")
      << QStringLiteral("t13.FName AS FAuxPropName") << QStringLiteral("t1.FAdjQty");
    c << (check ? QStringLiteral("t1.FSecQty + t1.FSecAdjQty AS FSecQty") : QStringLiteral("t1.FSecQty"));
    c << QStringLiteral("t1.FSecQtyAct") << QStringLiteral("t1.FSecCheckQty") << QStringLiteral("t1.FSecAdjQty");
    // Entry: the item's own rate, base units per secondary unit, whatever the counts
    // or the books of the row give; the secondary unit's coefficient only for an
    // item without one (a secondary unit of the item's own unit group).
    c << (check
              ? QStringLiteral("CASE WHEN t1.FSecCheckQty = 0 THEN 0 ELSE t1.FCheckQty / t1.FSecCheckQty END"
                               " AS FSecCoefficient")
              : QStringLiteral("CASE WHEN t2.FSecUnitID = 0 THEN 0 WHEN t2.FSecCoefficient > 0 THEN t2.FSecCoefficient"
                               " ELSE COALESCE(t5.FCoefficient, 0) END AS FSecCoefficient"));
    c << overAndShort(QStringLiteral("t1.FSecMinus"), QStringLiteral("FSecOverQty"), QStringLiteral("FSecDownQty"));
    // a recount (in the row's unit); the check mode shows the first count beside it,
    // filled in from the count journal for the recounted rows
    c << QStringLiteral("t1.FReCheckQty") << QStringLiteral("t1.FReCheckFlag");
    if (check)
        c << dialect.castQuantity(QStringLiteral("NULL")) + QStringLiteral(" AS FFirstCheckQty");
    return c;
}

QStringList numberColumns(SheetMode mode)
{
    QStringList c{QStringLiteral("t12.FNumber AS FStockNumber"),
                  QStringLiteral("t12.FShortNumber AS FStockShortNumber")};
    const bool print = isPrintMode(mode);
    if (!print)
        c << QStringLiteral("t3.FNumber AS FUnitNumber") << QStringLiteral("t3.FShortNumber AS FUnitShortNumber");
    c << QStringLiteral("t11.FNumber AS FSPNumber") << QStringLiteral("t11.FShortNumber AS FSPShortNumber");
    if (!print)
        c << QStringLiteral("t4.FNumber AS FCUUnitNumber") << QStringLiteral("t4.FShortNumber AS FCUUnitShortNumber");
    c << QStringLiteral("t2.FNumber AS FItemNumber") << QStringLiteral("t2.FShortNumber AS FItemShortNumber");
    if (!print)
        c << QStringLiteral("t5.FNumber AS FSecUnitNumber") << QStringLiteral("t5.FShortNumber AS FSecUnitShortNumber")
          << QStringLiteral("t13.FNumber AS FAuxPropNumber") << QStringLiteral("t13.FNumber AS FAuxPropShortNumber")
          << QStringLiteral("t2.FSecUnitID") << QStringLiteral("t1.FAuxPropID");
    return c;
}

// The name a select item gives its column: "t1.FQty" -> FQty, "... AS FOverQty" -> FOverQty.
QString aliasOf(const QString &item)
{
    const qsizetype as = item.lastIndexOf(QLatin1String(" AS "), -1, Qt::CaseInsensitive);
    const QString name = as >= 0 ? item.mid(as + 4).trimmed() : item.trimmed();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 ? name.mid(dot + 1) : name;
}

QStringList hiddenBookColumns()
{
    return {QStringLiteral("t1.FQty AS ") + hiddenBookFields()[0],
            QStringLiteral("t1.FAuxQty AS ") + hiddenBookFields()[1],
            QStringLiteral("t1.FSecQty AS ") + hiddenBookFields()[2]};
}

QString selectList(const Dialect &dialect, SheetMode mode, bool blind)
{
    QStringList c = headColumnsOf(mode);
    c << (isPrintMode(mode) ? printQuantities(dialect.castQuantity(QStringLiteral("NULL")))
                            : storedQuantities(mode, dialect));
    c << numberColumns(mode);
    if (blind) {
        const QString nullQty = dialect.castQuantity(QStringLiteral("NULL"));
        for (QString &item : c) {
            const QString alias = aliasOf(item);
            if (bookFields().contains(alias, Qt::CaseInsensitive))
                item = nullQty + QStringLiteral(" AS ") + alias;
        }
        // The entry grid still needs the books to work out the differences it saves:
        // under names of their own that no column, filter, sort or output offers.
        if (mode == SheetMode::Entry)
            c << hiddenBookColumns();
    }
    return QStringLiteral("SELECT ") + c.join(QStringLiteral(",\n       "));
}

SqlFragment joinedAccess(const SqlFragment &from)
{
    if (from.isEmpty())
        return {};
    SqlFragment f = from;
    if (!f.sql.trimmed().startsWith(QLatin1Char(',')))
        f.sql.prepend(QStringLiteral(", "));
    f.sql += QLatin1Char('\n');
    return f;
}

SqlFragment andCondition(const SqlFragment &condition)
{
    if (condition.isEmpty())
        return {};
    return SqlFragment(QStringLiteral(" AND (")) + condition + SqlFragment(QStringLiteral(")"));
}

SqlFragment snapshotRows(const Dialect &dialect, const RowQuery &q)
{
    SqlFragment sql(selectList(dialect, q.mode, q.blind) + rowsFrom);
    sql += joinedAccess(q.accessFrom);
    sql += SqlFragment(QStringLiteral(" WHERE 1=1"));
    if (!q.showDeleted)
        sql += SqlFragment(notDeleted);
    sql += andCondition(q.accessWhere);
    sql += SqlFragment(QStringLiteral(" AND t1.FInterID = ?"), {q.processId});
    sql += q.extraCondition;
    return sql;
}

// Every item of the master that has no snapshot row in the process, once for each
// stock of the process, so that goods found on the shelf can be written in. Each
// copy names its stock: the rows would look like duplicates otherwise, and the
// count book sorts them into their stock's pages. The access condition is applied
// with its join (a join alone would repeat the rows).
SqlFragment itemsWithoutStock(const Dialect &dialect, const RowQuery &q)
{
    SqlFragment sql(itemBlockSelect.arg(dialect.castQuantity(QStringLiteral("NULL")), dialect.now()), {q.processId});
    sql += joinedAccess(q.itemAccessFrom);
    sql += SqlFragment(QStringLiteral(" WHERE t2.FItemID NOT IN (SELECT FItemID FROM ICInvBackup WHERE FInterID = ?)"),
                       {q.processId});
    if (!q.showDeleted)
        sql += SqlFragment(notDeleted);
    sql += andCondition(q.itemAccessWhere);
    return sql;
}

} // namespace

const QStringList &bookFields()
{
    static const QStringList fields{
        QStringLiteral("FQty"),        QStringLiteral("FCUUnitQty"),     QStringLiteral("FSecQty"),
        QStringLiteral("FBal"),        QStringLiteral("FMinus"),         QStringLiteral("FOverQty"),
        QStringLiteral("FDownQty"),    QStringLiteral("FCUUnitOverQty"), QStringLiteral("FCUUnitDownQty"),
        QStringLiteral("FSecOverQty"), QStringLiteral("FSecDownQty"),    QStringLiteral("FSecMinus")};
    return fields;
}

const std::array<QString, 3> &hiddenBookFields()
{
    static const std::array<QString, 3> fields{QStringLiteral("FHiddenBookQty"), QStringLiteral("FHiddenBookAuxQty"),
                                               QStringLiteral("FHiddenBookSecQty")};
    return fields;
}

QString columnDefinitions(const QString &captionColumn)
{
    return definitionsSql.arg(captionColumn);
}

QString headColumns(const QString &captionColumn)
{
    return headSql.arg(captionColumn);
}

QString orderBy(const QString &sortBy)
{
    static const QRegularExpression key(QStringLiteral("^([A-Za-z_][A-Za-z0-9_]*)(?:\\s+(ASC|DESC))?$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QString text = sortBy.trimmed().isEmpty() ? defaultOrder : sortBy;
    QStringList keys;
    for (const QString &part : text.split(QLatin1Char(','))) {
        const QRegularExpressionMatch m = key.match(part.trimmed());
        if (!m.hasMatch())
            return orderBy(QString()); // not a plain order: the default one
        const bool descending = m.captured(2).compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0;
        keys << m.captured(1) + (descending ? QStringLiteral(" DESC NULLS LAST") : QStringLiteral(" ASC NULLS FIRST"));
    }
    return keys.join(QStringLiteral(", "));
}

SqlFragment rows(const Dialect &dialect, const RowQuery &q)
{
    SqlFragment body = snapshotRows(dialect, q);
    if (q.includeItemsWithoutStock && isPrintMode(q.mode))
        body += SqlFragment(QStringLiteral("\nUNION ALL\n")) + itemsWithoutStock(dialect, q);
    SqlFragment sql(QStringLiteral("SELECT a.* FROM (\n"));
    sql += body;
    sql += SqlFragment(QStringLiteral("\n) a\n WHERE 1=1"));
    sql += andCondition(q.filter);
    sql += SqlFragment(QStringLiteral("\n ORDER BY ") + orderBy(q.sortBy));
    return sql;
}

} // namespace sheetquery
