#include "importstaging.h"

#include "model/countjournal.h"

#include "host/appconnection.h"

#include <QJsonDocument>

#include <algorithm>

namespace {

// The items of one buffered row, in the order the staging insert unpacks them.
enum Item {
    ItItemID,
    ItAuxPropID,
    ItUnitID,
    ItBatchNo,
    ItMtoNo,
    ItStockID,
    ItStockPlaceID,
    ItKFDate,
    ItKFPeriod,
    ItCheckQty,
    ItAuxCheckQty,
    ItAdjQty,
    ItComplexQty,
    ItNote,
    ItSecUnitID,
    ItSecCheckQty,
    ItSecAdjQty,
    ItRowNum,
    ItDecimals,
    ItCoefficient
};

const char *const kKeyColumns[] = {"FItemID", "FAuxPropID", "FUnitID",  "FBatchNo",     "FMtoNo",
                                   "FKFDate", "FKFPeriod",  "FStockID", "FStockPlaceID"};

QString nonNull(const QString &s)
{
    return s.isNull() ? QString(QLatin1String("")) : s;
}

} // namespace

ImportStaging::ImportStaging(AppConnection &connection, const QString &table, const Context &context)
    : m_c(connection)
    , m_table(table)
    , m_double(table + QStringLiteral("_Double"))
    , m_context(context)
{}

ImportStaging::~ImportStaging()
{
    drop();
}

void ImportStaging::drop()
{
    if (!m_created)
        return;
    m_created = false;
    const QString schema = m_c.dialect().tempSchema();
    // clean-up never hides the outcome: a failure here leaves a temporary table
    // that goes with the connection anyway
    m_c.Exec(QStringLiteral("DROP TABLE IF EXISTS %1.%2").arg(schema, m_table));
    m_c.Exec(QStringLiteral("DROP TABLE IF EXISTS %1.%2").arg(schema, m_double));
}

void ImportStaging::create()
{
    const Dialect &d = m_c.dialect();
    const QString q = d.quantityType();
    m_c.ExecuteRaiseErr(QStringLiteral(R"(CREATE TEMP TABLE %1 (
 FInterID INTEGER NOT NULL, FBrNo %2 NOT NULL, FItemID INTEGER NOT NULL, FAuxPropID INTEGER NOT NULL,
 FUnitID INTEGER NOT NULL, FBatchNo %3 NOT NULL, FMtoNo %4 NOT NULL, FStockID INTEGER NOT NULL, FQty %5,
 FSelect SMALLINT NOT NULL, FAdj SMALLINT NOT NULL, FAdjQty %5 NOT NULL, FDateBackup %6, FMaxBillInterID INTEGER,
 FCheckQty %5, FComplexQty %4 NULL, FQtyAct %5, FAuxCheckQty %5, FAuxQtyAct %5, FAuxQty %5, FMinus %5,
 FNote %7, FStockPlaceID INTEGER NOT NULL, FKFDate %8 NOT NULL DEFAULT '', FKFPeriod INTEGER NOT NULL DEFAULT 0,
 FSecUnitID INTEGER NOT NULL DEFAULT 0, FSecQty %5 NOT NULL DEFAULT 0, FSecQtyAct %5 NOT NULL DEFAULT 0,
 FSecCheckQty %5 NOT NULL DEFAULT 0, FSecAdjQty %5 NOT NULL DEFAULT 0, FSecMinus %5 NOT NULL DEFAULT 0,
 FRowNum INTEGER NOT NULL DEFAULT 0, FChecker INTEGER, FQtyDecimal INTEGER NOT NULL DEFAULT 0,
 FCoefficient %5 NOT NULL DEFAULT 1))")
                            .arg(m_table, d.textType(10), d.textType(200), d.textType(300), q, d.dateTimeType(),
                                 d.textType(255), d.textType(20)));
    m_created = true;
    m_c.ExecuteRaiseErr(QStringLiteral(R"(CREATE TEMP TABLE %1 (
 FInterID INTEGER NOT NULL, FBrNo %2 NOT NULL, FItemID INTEGER NOT NULL, FAuxPropID INTEGER NOT NULL,
 FUnitID INTEGER NOT NULL, FBatchNo %3 NOT NULL, FMtoNo %4 NOT NULL, FStockID INTEGER NOT NULL,
 FStockPlaceID INTEGER NOT NULL, FKFDate %5 NOT NULL DEFAULT '', FKFPeriod INTEGER NOT NULL DEFAULT 0,
 FRowNum INTEGER NOT NULL DEFAULT 0, FNumber %6 NOT NULL, FName %7 NOT NULL))")
                            .arg(m_double, d.textType(10), d.textType(200), d.textType(300), d.textType(20),
                                 d.textType(80), d.textType(255)));
}

void ImportStaging::add(const StagedRow &r)
{
    m_buffer.append(QJsonArray{r.itemId,
                               r.auxPropId,
                               r.unitId,
                               nonNull(r.batchNo),
                               nonNull(r.mtoNo),
                               r.stockId,
                               r.stockPlaceId,
                               nonNull(r.kfDate),
                               r.kfPeriod,
                               r.checkQty,
                               r.auxCheckQty,
                               r.adjQty,
                               nonNull(r.complexQty),
                               nonNull(r.note),
                               r.secUnitId,
                               r.secCheckQty,
                               r.secAdjQty,
                               r.rowNum,
                               r.decimals,
                               r.coefficient});
}

void ImportStaging::flush()
{
    if (m_buffer.isEmpty())
        return;
    const Dialect &d = m_c.dialect();
    auto item = [&](Item i, char type) {
        const QString v = QStringLiteral("j.value ->> %1").arg(int(i));
        return type == 'i' ? d.castInt(v) : type == 't' ? d.castText(v) : d.castQuantity(v);
    };
    const QString checkQty = item(ItCheckQty, 'q'), auxCheckQty = item(ItAuxCheckQty, 'q'),
                  secCheckQty = item(ItSecCheckQty, 'q');
    const QString sql =
        QStringLiteral("INSERT INTO ") + m_table +
        QStringLiteral(
            " (FInterID, FBrNo, FItemID, FAuxPropID, FUnitID, FBatchNo, FMtoNo, FStockID, FQty, FSelect, FAdj,"
            " FAdjQty, FDateBackup, FMaxBillInterID, FCheckQty, FComplexQty, FQtyAct, FAuxCheckQty,"
            " FAuxQtyAct, FAuxQty, FMinus, FNote, FStockPlaceID, FKFDate, FKFPeriod, FSecUnitID, FSecQty,"
            " FChecker, FSecQtyAct, FSecCheckQty, FSecAdjQty, FRowNum, FQtyDecimal, FCoefficient) SELECT ?, '0', ") +
        QStringList{item(ItItemID, 'i'),
                    item(ItAuxPropID, 'i'),
                    item(ItUnitID, 'i'),
                    item(ItBatchNo, 't'),
                    item(ItMtoNo, 't'),
                    item(ItStockID, 'i'),
                    QStringLiteral("0, 0, 0"),
                    item(ItAdjQty, 'q'),
                    d.dateTimeParam(),
                    QStringLiteral("?"),
                    checkQty,
                    item(ItComplexQty, 't'),
                    checkQty,
                    auxCheckQty,
                    auxCheckQty,
                    QStringLiteral("0, 0"),
                    item(ItNote, 't'),
                    item(ItStockPlaceID, 'i'),
                    item(ItKFDate, 't'),
                    item(ItKFPeriod, 'i'),
                    item(ItSecUnitID, 'i'),
                    QStringLiteral("0, ?"),
                    secCheckQty,
                    secCheckQty,
                    item(ItSecAdjQty, 'q'),
                    item(ItRowNum, 'i'),
                    item(ItDecimals, 'i'),
                    item(ItCoefficient, 'q')}
            .join(QStringLiteral(", ")) +
        QStringLiteral(" FROM ") + d.jsonArrayElements(QStringLiteral("j"));
    const QByteArray json = QJsonDocument(m_buffer).toJson(QJsonDocument::Compact);
    m_c.ExecuteRaiseErr(sql, {m_context.processId, Dialect::dateTimeValue(m_context.importTime),
                              m_context.maxBillInterId, m_context.operatorId, QString::fromUtf8(json)});
    m_staged += int(m_buffer.size());
    ++m_batches;
    m_buffer = QJsonArray();
}

QString ImportStaging::keyEquals(const QString &a, const QString &b, bool withBranch) const
{
    QStringList parts{QStringLiteral("%1.FInterID = %2.FInterID").arg(a, b)};
    for (const char *c : kKeyColumns)
        parts << QStringLiteral("%1.%3 = %2.%3").arg(a, b, QLatin1String(c));
    if (withBranch)
        parts << QStringLiteral("%1.FBrNo = %2.FBrNo").arg(a, b);
    return parts.join(QStringLiteral(" AND "));
}

ImportStaging::Result ImportStaging::merge()
{
    flush();
    Result result;
    const QString T = m_table;
    // A place of another place group becomes the stock's own entry of the same
    // number and name. First of all: the book quantities, the directions and the
    // duplicates are then judged on the row the record will really change.
    // (judged once per stock and place named, not per record)
    m_c.ExecuteRaiseErr(QStringLiteral(R"(UPDATE %1 SET FStockPlaceID = m.FNewPlaceID
  FROM (SELECT d.FStockID, d.FStockPlaceID, MIN(p.FSPID) AS FNewPlaceID
          FROM (SELECT DISTINCT FStockID, FStockPlaceID FROM %1 WHERE FStockPlaceID > 0) d
          JOIN t_Stock s ON s.FItemID = d.FStockID
          JOIN t_StockPlace c ON c.FSPID = d.FStockPlaceID
          JOIN t_StockPlace p ON p.FSPGroupID = s.FSPGroupID AND p.FNumber = c.FNumber AND p.FName = c.FName
         WHERE s.FIsStockMgr = 1 AND s.FSPGroupID > 0 AND c.FSPGroupID <> s.FSPGroupID
         GROUP BY d.FStockID, d.FStockPlaceID) m
 WHERE %1.FStockID = m.FStockID AND %1.FStockPlaceID = m.FStockPlaceID)")
                            .arg(T));

    // book quantities of the matching count rows, then the differences with each
    // term rounded to the item's places
    QStringList keys;
    for (const char *c : kKeyColumns)
        keys << QLatin1String(c);
    // (a position held in both ledgers has two rows of one key: their sum is its book)
    if (m_c.dialect().isPostgres()) // the planner knows nothing of a table just filled
        m_c.ExecuteRaiseErr(QStringLiteral("ANALYZE ") + T);
    m_c.ExecuteRaiseErr(QStringLiteral("UPDATE %1 SET (FQty, FSecQty) = (SELECT COALESCE(SUM(b.FQty), 0),"
                                       " COALESCE(SUM(b.FSecQty), 0) FROM ICInvBackup b WHERE %2)")
                            .arg(T, keyEquals(QStringLiteral("b"), T, false)));
    m_c.ExecuteRaiseErr(QStringLiteral("UPDATE %1 SET FSecAdjQty = ROUND(FSecAdjQty, FQtyDecimal)").arg(T));
    m_c.ExecuteRaiseErr(QStringLiteral(R"(UPDATE %1 SET
    FMinus = ROUND(FCheckQty, FQtyDecimal) - ROUND(FQty, FQtyDecimal) - ROUND(FAdjQty * FCoefficient, FQtyDecimal),
    FSecMinus = ROUND(FSecCheckQty, FQtyDecimal) - ROUND(FSecQty, FQtyDecimal) - ROUND(FSecAdjQty, FQtyDecimal))")
                            .arg(T));
    const QString opposite = QStringLiteral(" WHERE ((FMinus = 0 AND FSecMinus <> 0) OR (FMinus > 0 AND FSecMinus < 0)"
                                            " OR (FMinus < 0 AND FSecMinus > 0))");
    Recordset rs = m_c.ExecuteRaiseErr(QStringLiteral("SELECT FRowNum FROM %1%2 ORDER BY FRowNum").arg(T, opposite));
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        result.directionErrors << rs.Fields(0).toInt();
    m_c.ExecuteRaiseErr(QStringLiteral("DELETE FROM %1%2").arg(T, opposite));

    // every copy of a key that occurs more than once stays out
    const QString key = QStringLiteral("FInterID, FBrNo, ") + keys.join(QStringLiteral(", "));
    m_c.ExecuteRaiseErr(
        QStringLiteral(R"(INSERT INTO %1 (FInterID, FBrNo, FItemID, FAuxPropID, FUnitID, FBatchNo, FMtoNo,
 FStockID, FStockPlaceID, FKFDate, FKFPeriod, FRowNum, FNumber, FName)
SELECT t1.FInterID, t1.FBrNo, t1.FItemID, t1.FAuxPropID, t1.FUnitID, t1.FBatchNo, t1.FMtoNo, t1.FStockID,
       t1.FStockPlaceID, t1.FKFDate, t1.FKFPeriod, t1.FRowNum, i.FNumber, i.FName
  FROM (SELECT t.*, COUNT(*) OVER (PARTITION BY %3) AS FCopies FROM %2 t) t1
  JOIN t_ICItem i ON i.FItemID = t1.FItemID
 WHERE t1.FCopies > 1)")
            .arg(m_double, T, key));
    m_c.ExecuteRaiseErr(QStringLiteral("DELETE FROM %1 WHERE FRowNum IN (SELECT FRowNum FROM %2)").arg(T, m_double));
    rs = m_c.ExecuteRaiseErr(
        QStringLiteral("SELECT FItemID, FNumber, FName, FRowNum FROM %1 ORDER BY FItemID, FRowNum").arg(m_double));
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        const int item = rs.Fields(0).toInt();
        if (result.duplicates.isEmpty() || result.duplicates.last().itemId != item)
            result.duplicates << Duplicate{item, rs.Fields(1).toString(), rs.Fields(2).toString(), {}};
        result.duplicates.last().lines << rs.Fields(3).toInt() + 1;
        ++result.duplicateRecords;
    }

    // The merge: all of it or none. A count row keeps its book quantities, its
    // branch, its snapshot time and the document difference folded into its
    // actual quantities; a secondary unit the file leaves out stays the row's.
    const QString b = QStringLiteral("ICInvBackup");
    const QString keep = QStringLiteral("CASE WHEN %1.%2 IS NULL OR %1.%3 IS NULL THEN 0 ELSE %1.%2 - %1.%3 END");
    const QString diff = keep.arg(b, QStringLiteral("FQtyAct"), QStringLiteral("FCheckQty"));
    const QString auxDiff = keep.arg(b, QStringLiteral("FAuxQtyAct"), QStringLiteral("FAuxCheckQty"));
    const QString secDiff = QStringLiteral("(%1.FSecQtyAct - %1.FSecCheckQty)").arg(b);
    const auto recounted = [&](const QString &staged) {
        return QStringLiteral("EXISTS (SELECT 1 FROM ICInvBackup r WHERE %1 AND r.FReCheckFlag = 1)")
            .arg(keyEquals(QStringLiteral("r"), staged, false));
    };
    Transaction transaction(m_c);
    // A recounted row has its count from the recount, which the grid, a scan and a
    // handheld leave alone: the file does too, and the record is reported. Judged
    // inside the merge's transaction, and the update below checks again.
    rs = m_c.ExecuteRaiseErr(QStringLiteral("SELECT t.FRowNum FROM %1 t WHERE %2 ORDER BY t.FRowNum")
                                 .arg(T, recounted(QStringLiteral("t"))));
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        result.recounted << rs.Fields(0).toInt();
    if (!result.recounted.isEmpty())
        m_c.ExecuteRaiseErr(QStringLiteral("DELETE FROM %1 WHERE %2").arg(T, recounted(T)));
    int updated = 0, inserted = 0;
    if (!m_c.Exec(QStringLiteral(R"(UPDATE ICInvBackup SET FSelect = 0, FAdj = 0, FAdjQty = t.FAdjQty,
    FMaxBillInterID = t.FMaxBillInterID, FCheckQty = t.FCheckQty, FComplexQty = t.FComplexQty,
    FQtyAct = t.FQtyAct + %3, FAuxCheckQty = t.FAuxCheckQty, FAuxQtyAct = t.FAuxQtyAct + %4,
    FMinus = t.FMinus + %3, FNote = t.FNote,
    FSecUnitID = CASE WHEN t.FSecUnitID = 0 THEN ICInvBackup.FSecUnitID ELSE t.FSecUnitID END,
    FSecMinus = t.FSecMinus + %5, FSecQtyAct = t.FSecCheckQty + %5, FSecCheckQty = t.FSecCheckQty,
    FSecAdjQty = t.FSecAdjQty, FChecker = t.FChecker
  FROM %1 t, t_MeasureUnit a
 WHERE a.FMeasureUnitID = ICInvBackup.FUnitID AND COALESCE(ICInvBackup.FReCheckFlag, 0) = 0 AND %2)")
                      .arg(T, keyEquals(QStringLiteral("t"), b, false), diff, auxDiff, secDiff),
                  {}, &updated))
        throw DbException(m_c.lastError());
    if (!m_c.Exec(QStringLiteral(R"(INSERT INTO ICInvBackup (FInterID, FBrNo, FItemID, FAuxPropID, FUnitID, FBatchNo,
 FMtoNo, FStockID, FQty, FSelect, FAdj, FAdjQty, FDateBackup, FMaxBillInterID, FCheckQty, FQtyAct, FAuxCheckQty,
 FAuxQtyAct, FAuxQty, FMinus, FNote, FStockPlaceID, FKFDate, FKFPeriod, FSecUnitID, FSecQty, FChecker, FSecQtyAct,
 FSecCheckQty, FSecAdjQty, FSecMinus)
SELECT t.FInterID, t.FBrNo, t.FItemID, t.FAuxPropID, t.FUnitID, t.FBatchNo, t.FMtoNo, t.FStockID, 0, t.FSelect,
       t.FAdj, t.FAdjQty, t.FDateBackup, t.FMaxBillInterID, t.FCheckQty, t.FQtyAct, t.FAuxCheckQty, t.FAuxQtyAct, 0,
       t.FMinus, t.FNote, t.FStockPlaceID, t.FKFDate, t.FKFPeriod, t.FSecUnitID, 0, t.FChecker, t.FSecQtyAct,
       t.FSecCheckQty, t.FSecAdjQty, t.FSecMinus
  FROM %1 t
 WHERE NOT EXISTS (SELECT 1 FROM ICInvBackup b WHERE %2))")
                      .arg(T, keyEquals(QStringLiteral("t"), QStringLiteral("b"), false)),
                  {}, &inserted))
        throw DbException(m_c.lastError());
    // every row the file reached, with its figures after the merge
    CountJournal::appendSelect(m_c,
                               SqlFragment(CountJournal::rowFiguresSelect(QStringLiteral("b")) +
                                           QStringLiteral(" WHERE EXISTS (SELECT 1 FROM %1 t WHERE %2)")
                                               .arg(T, keyEquals(QStringLiteral("t"), QStringLiteral("b"), false))),
                               CountEntryKind::Import, CountSource::file(m_context.fileName), m_context.operatorId);
    transaction.commit();
    Q_UNUSED(updated);
    Q_UNUSED(inserted);
    rs = m_c.ExecuteRaiseErr(QStringLiteral("SELECT COUNT(*) FROM %1").arg(T));
    result.merged = rs.Fields(0).toInt();
    return result;
}
