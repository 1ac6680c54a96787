#include "retailcounts.h"

#include "bulkinsert.h"

#include "host/appconnection.h"

namespace erp {

namespace {

// The warehouse of the process that sells over the counter, else its first one.
const QString stockSql = QStringLiteral(R"(SELECT b.FStockID,
       (SELECT COUNT(*) FROM T_LS_RetailEntry r WHERE r.FStock = b.FStockID) AS FRetail
  FROM ICInvBackup b WHERE b.FInterID = ?
 GROUP BY b.FStockID ORDER BY FRetail DESC, b.FStockID LIMIT 1)");
const QString rowsSql = QStringLiteral(R"(SELECT FItemID, FStockPlaceID, FAuxPropID, FBatchNo, FMtoNo, FKFDate,
       COALESCE(FQty, 0) AS FQty
  FROM ICInvBackup WHERE FInterID = ? AND FStockID = ?
 ORDER BY FStockPlaceID, FItemID, FBatchNo, FMtoNo, FAuxPropID)");
// An item of the shop's catalogue that the count has no row of.
const QString missingItemSql = QStringLiteral(R"(SELECT MIN(t.FItemID) AS FItemID FROM t_ICItem t
 WHERE t.FBatchManager = 0 AND t.FISKFPeriod = 0 AND t.FAuxClassID = 0
   AND NOT EXISTS (SELECT 1 FROM ICInvBackup b WHERE b.FInterID = ? AND b.FItemID = t.FItemID))");
const QString nextIdSql = QStringLiteral(R"(SELECT COALESCE(MAX(FID), 0) + 1 AS FID FROM %1)");

const QStringList headerColumns{QStringLiteral("FID"),        QStringLiteral("FBillNo"),
                                QStringLiteral("FDate"),      QStringLiteral("FProcessID"),
                                QStringLiteral("FAuditFlag"), QStringLiteral("FBillerID")};
const QStringList entryColumns{
    QStringLiteral("FID"),      QStringLiteral("FEntryID"),      QStringLiteral("FItemID"),
    QStringLiteral("FStockID"), QStringLiteral("FStockPlaceID"), QStringLiteral("FAuxPropID"),
    QStringLiteral("FBatchNo"), QStringLiteral("FMtoNo"),        QStringLiteral("FKFDate"),
    QStringLiteral("FQty"),     QStringLiteral("FActualQty")};

struct Line
{
    QVariantList position; // item, stock, place, aux, batch, MTO, production date
    double book = 0;
};

class Writer
{
public:
    Writer(AppConnection &c, int processId, const QDate &date)
        : m_c(c)
        , m_process(processId)
        , m_date(date)
    {}

    // One document of `table` with its entries (position, book quantity, counted).
    void document(const QString &table, const QString &prefix, int auditFlag,
                  const QList<std::pair<Line, double>> &entries)
    {
        if (entries.isEmpty())
            return;
        const int id = m_c.ExecuteRaiseErr(nextIdSql.arg(table)).integer(u"FID");
        const QString number = QStringLiteral("%1%2").arg(prefix).arg(id, 6, 10, QLatin1Char('0'));
        BulkInsert head(m_c, table, headerColumns);
        head.add({id, number, Dialect::dateValue(m_date), m_process, auditFlag, 16394});
        head.flush();
        BulkInsert lines(m_c, table + QStringLiteral("Entry"), entryColumns);
        int entry = 0;
        for (const auto &[line, counted] : entries)
            lines.add(QVariantList{id, ++entry} + line.position + QVariantList{line.book, counted});
        lines.flush();
        m_numbers << number;
    }
    QStringList numbers() const { return m_numbers; }

private:
    AppConnection &m_c;
    int m_process;
    QDate m_date;
    QStringList m_numbers;
};

} // namespace

QStringList writeRetailCounts(AppConnection &connection, int processId, const QDate &date)
{
    Transaction tx(connection);
    Recordset stock = connection.ExecuteRaiseErr(stockSql, {processId});
    if (stock.isEmpty())
        return {};
    const int stockId = stock.integer(u"FStockID");
    QList<Line> lines;
    Recordset rows = connection.ExecuteRaiseErr(rowsSql, {processId, stockId});
    for (rows.MoveFirst(); !rows.Eof(); rows.MoveNext()) {
        const QString kfDate = rows.text(u"FKFDate");
        lines << Line{{rows.integer(u"FItemID"), stockId, rows.integer(u"FStockPlaceID"), rows.integer(u"FAuxPropID"),
                       rows.text(u"FBatchNo"), rows.text(u"FMtoNo"), kfDate.isEmpty() ? QVariant() : kfDate},
                      rows.number(u"FQty")};
    }
    // counted as booked, but every fifth short by one and every seventh over by two
    QList<std::pair<Line, double>> counts, recounts, pending;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const Line &l = lines.at(i);
        const double counted = std::max(0.0, l.book - (i % 5 == 4 ? 1 : 0) + (i % 7 == 6 ? 2 : 0));
        (i % 10 == 9 ? pending : counts) << std::pair{l, counted};
        if (i % 5 == 4) // the short ones were counted again and found
            recounts << std::pair{l, l.book};
    }
    const int missing = connection.ExecuteRaiseErr(missingItemSql, {processId}).integer(u"FItemID");
    if (missing > 0)
        counts << std::pair{Line{{missing, stockId, 0, 0, QString(), QString(), QVariant()}, 0}, 3.0};

    Writer w(connection, processId, date);
    w.document(QStringLiteral("t_LS_InventoryCheck"), QStringLiteral("LSPD"), 2, counts);
    w.document(QStringLiteral("t_LS_ReInventoryCheck"), QStringLiteral("LSFP"), 2, recounts);
    w.document(QStringLiteral("t_LS_InventoryCheck"), QStringLiteral("LSPD"), 1, pending);
    tx.commit();
    return w.numbers();
}

} // namespace erp
