#include "countjournal.h"

#include "host/appconnection.h"
#include "host/numbers.h"
#include "host/texts.h"

namespace {

const QString entryColumns =
    QStringLiteral("FInterID, FItemID, FAuxPropID, FUnitID, FBatchNo, FMtoNo, FKFDate, FKFPeriod, FStockID,"
                   " FStockPlaceID, FAuxQty, FQty, FSecQty, FKind, FSource, FUserID, FTime");

const QString appendSql =
    QStringLiteral("INSERT INTO ICStockCheckJournal (%1, FUndoneID, FClientEntryID)"
                   " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, %2, ?, ?) RETURNING FID");

// The kind, source and user are bound before the rows' own values: they come
// first in the text.
const QString appendSelectSql = QStringLiteral(
    R"(INSERT INTO ICStockCheckJournal (%1)
SELECT r.FInterID, r.FItemID, r.FAuxPropID, r.FUnitID, r.FBatchNo, r.FMtoNo, COALESCE(r.FKFDate, ''), r.FKFPeriod,
       r.FStockID, r.FStockPlaceID, COALESCE(r.FAuxQty, 0), COALESCE(r.FQty, 0), COALESCE(r.FSecQty, 0),
       %2, %3, %4, %5
  FROM (%6) r)");

const QString rowFiguresColumnsSql = QStringLiteral(
    R"(SELECT %1.FInterID, %1.FItemID, %1.FAuxPropID, %1.FUnitID, %1.FBatchNo, %1.FMtoNo, %1.FKFDate, %1.FKFPeriod,
       %1.FStockID, %1.FStockPlaceID, %1.FAuxCheckQty AS FAuxQty, %1.FCheckQty AS FQty, %1.FSecCheckQty AS FSecQty)");

const QString readSql = QStringLiteral(
    R"(SELECT j.FID, j.FInterID, j.FItemID, j.FAuxPropID, j.FUnitID, j.FBatchNo, j.FMtoNo, j.FKFDate, j.FKFPeriod,
       j.FStockID, j.FStockPlaceID, j.FAuxQty, j.FQty, j.FSecQty, j.FKind, j.FSource, j.FUserID,
       COALESCE(u.FName, '') AS FUserName, j.FTime, j.FUndoneID, j.FClientEntryID,
       COALESCE(i.FNumber, '') AS FItemNumber, COALESCE(i.FName, '') AS FItemName,
       COALESCE(s.FNumber, '') AS FStockNumber, COALESCE(p.FNumber, '') AS FPlaceNumber
  FROM ICStockCheckJournal j
  LEFT JOIN t_user u ON u.FUserID = j.FUserID
  LEFT JOIN t_ICItem i ON i.FItemID = j.FItemID
  LEFT JOIN t_Stock s ON s.FItemID = j.FStockID
  LEFT JOIN t_StockPlace p ON p.FSPID = j.FStockPlaceID AND j.FStockPlaceID <> 0
 WHERE)");

const QString markSql = QStringLiteral("SELECT COALESCE(MAX(FID), 0) AS FID FROM ICStockCheckJournal");

QString nonNull(const QString &s)
{
    return s.isNull() ? QString(QLatin1String("")) : s;
}

CountJournalEntry entryAt(const Recordset &rs)
{
    CountJournalEntry e;
    e.id = rs.Fields(u"FID").toLongLong();
    e.key = CountRowKey::fromRecord(rs, rs.integer(u"FInterID"));
    e.qty = {rs.number(u"FAuxQty"), rs.number(u"FQty"), rs.number(u"FSecQty")};
    e.kind = CountEntryKind(rs.integer(u"FKind"));
    e.source = rs.text(u"FSource");
    e.userId = rs.integer(u"FUserID");
    e.userName = rs.text(u"FUserName").trimmed();
    const QVariant time = rs.Fields(u"FTime");
    e.time = time.typeId() == QMetaType::QString
                 ? QDateTime::fromString(time.toString(), QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                 : time.toDateTime();
    e.itemNumber = rs.text(u"FItemNumber").trimmed();
    e.itemName = rs.text(u"FItemName").trimmed();
    e.stockNumber = rs.text(u"FStockNumber").trimmed();
    e.placeNumber = rs.text(u"FPlaceNumber").trimmed();
    e.undoneId = rs.Fields(u"FUndoneID").toLongLong();
    e.clientEntryId = rs.Fields(u"FClientEntryID").toString();
    return e;
}

QList<CountJournalEntry> entriesOf(Recordset rs)
{
    QList<CountJournalEntry> out;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        out << entryAt(rs);
    return out;
}

} // namespace

bool CountFigures::sameAs(const CountFigures &o) const
{
    return roundQuantity(unitQty - o.unitQty, 10) == 0 && roundQuantity(baseQty - o.baseQty, 10) == 0 &&
           roundQuantity(secQty - o.secQty, 10) == 0;
}

qint64 CountJournal::append(AppConnection &conn, const CountJournalEntry &e)
{
    const CountRowKey &k = e.key;
    const QVariantList binds{k.processId,
                             k.itemId,
                             k.auxPropId,
                             k.unitId,
                             nonNull(k.batchNo),
                             nonNull(k.mtoNo),
                             nonNull(k.kfDate),
                             k.kfPeriod,
                             k.stockId,
                             k.stockPlaceId,
                             e.qty.unitQty,
                             e.qty.baseQty,
                             e.qty.secQty,
                             int(e.kind),
                             nonNull(e.source),
                             e.userId,
                             e.undoneId > 0 ? QVariant(e.undoneId) : QVariant(QMetaType::fromType<qint64>()),
                             e.clientEntryId.isEmpty() ? QVariant(QMetaType::fromType<QString>())
                                                       : QVariant(e.clientEntryId)};
    // kept prepared: a scanner appends one entry after another
    Recordset rs = conn.ExecuteKept(appendSql.arg(entryColumns, conn.dialect().now()), binds);
    if (!rs.isOpen())
        throw DbException(conn.lastError());
    return rs.isEmpty() ? 0 : rs.Fields(u"FID").toLongLong();
}

SqlStatement CountJournal::appendSelectStatement(const Dialect &d, const SqlFragment &rows, CountEntryKind kind,
                                                 const QString &source, int userId)
{
    const QString sql =
        appendSelectSql.arg(entryColumns, d.castInt(QStringLiteral("?")), d.castText(QStringLiteral("?")),
                            d.castInt(QStringLiteral("?")), d.now(), rows.sql);
    return {sql, QVariantList{int(kind), nonNull(source), userId} + rows.binds};
}

int CountJournal::appendSelect(AppConnection &conn, const SqlFragment &rows, CountEntryKind kind, const QString &source,
                               int userId)
{
    const SqlStatement s = appendSelectStatement(conn.dialect(), rows, kind, source, userId);
    int appended = 0;
    if (!conn.Exec(s.sql, s.binds, &appended))
        throw DbException(conn.lastError());
    return appended;
}

void CountJournal::appendStart(AppConnection &conn, const CountRowKey &key, const QString &source, int userId)
{
    const SqlFragment rows = SqlFragment(rowFiguresSelect(QStringLiteral("b")) + QStringLiteral(" WHERE")) +
                             key.whereClause(QStringLiteral("b.")) +
                             SqlFragment(QStringLiteral(" AND NOT EXISTS (SELECT 1 FROM ICStockCheckJournal j WHERE%1)")
                                             .arg(key.whereClause(QStringLiteral("j.")).sql),
                                         key.whereClause().binds);
    SqlStatement s = appendSelectStatement(conn.dialect(), rows, CountEntryKind::Start, source, userId);
    s.keep = true;
    if (!conn.Exec(s))
        throw DbException(conn.lastError());
}

QString CountJournal::rowFiguresColumns(const QString &alias)
{
    return rowFiguresColumnsSql.arg(alias);
}

QString CountJournal::rowFiguresSelect(const QString &alias)
{
    return rowFiguresColumns(alias) + QStringLiteral(" FROM ICInvBackup ") + alias;
}

int CountJournal::appendRows(AppConnection &conn, const SqlFragment &where, CountEntryKind kind, const QString &source,
                             int userId)
{
    const SqlFragment rows = SqlFragment(rowFiguresSelect(QStringLiteral("b")) + QStringLiteral(" WHERE ")) + where;
    return appendSelect(conn, rows, kind, source, userId);
}

QList<CountJournalEntry> CountJournal::rowEntries(AppConnection &conn, const CountRowKey &key)
{
    const SqlFragment sql =
        SqlFragment(readSql) + key.whereClause(QStringLiteral("j.")) + SqlFragment(QStringLiteral(" ORDER BY j.FID"));
    return entriesOf(conn.ExecuteRaiseErr(sql.sql, sql.binds));
}

QList<CountJournalEntry> CountJournal::processEntries(AppConnection &conn, int processId)
{
    return entriesOf(conn.ExecuteRaiseErr(readSql + QStringLiteral(" j.FInterID = ? ORDER BY j.FID"), {processId}));
}

std::optional<CountJournalEntry> CountJournal::byClientId(AppConnection &conn, int processId,
                                                          const QString &clientEntryId)
{
    const QList<CountJournalEntry> found = entriesOf(conn.ExecuteRaiseErr(
        readSql + QStringLiteral(" j.FInterID = ? AND j.FClientEntryID = ?"), {processId, clientEntryId}));
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

void CountJournal::replayOne(CountFigures &f, const CountJournalEntry &e)
{
    if (isChange(e.kind)) {
        f.unitQty += e.qty.unitQty;
        f.baseQty += e.qty.baseQty;
        f.secQty += e.qty.secQty;
    } else {
        f = e.qty;
    }
}

CountFigures CountJournal::replay(const QList<CountJournalEntry> &entries)
{
    CountFigures f;
    for (const CountJournalEntry &e : entries)
        replayOne(f, e);
    return f;
}

std::optional<CountFigures> CountJournal::replayRow(AppConnection &conn, const CountRowKey &key)
{
    const QList<CountJournalEntry> entries = rowEntries(conn, key);
    if (entries.isEmpty())
        return std::nullopt;
    return replay(entries);
}

qint64 CountJournal::mark(AppConnection &conn)
{
    return conn.ExecuteRaiseErr(markSql).Fields(u"FID").toLongLong();
}

CountJournal::After CountJournal::entriesAfter(AppConnection &conn, int processId, qint64 mark)
{
    // "+FInterID": by the ids after the mark, not by all entries of the process
    const Recordset rs = conn.ExecuteRaiseErr(
        QStringLiteral("SELECT COUNT(*) AS FCount, COALESCE(MAX(FID), 0) AS FMark FROM ICStockCheckJournal"
                       " WHERE FID > ? AND +FInterID = ?"),
        {mark, processId});
    return {rs.Fields(u"FCount").toLongLong(), std::max(mark, rs.Fields(u"FMark").toLongLong())};
}

QList<CountJournalEntry> CountJournal::entriesWhere(AppConnection &conn, const SqlFragment &where)
{
    const SqlFragment sql =
        SqlFragment(readSql + QLatin1Char(' ')) + where + SqlFragment(QStringLiteral(" ORDER BY j.FID"));
    return entriesOf(conn.ExecuteRaiseErr(sql.sql, sql.binds));
}

QStringList CountJournal::historyTitles()
{
    QStringList titles;
    for (const char *t : {N_("时间"), N_("用户"), N_("操作"), N_("来源"), N_("数量"), N_("盘点数量"),
                          N_("基本单位盘点数量"), N_("辅助计量单位盘点数量")})
        titles << LoadText(t);
    return titles;
}

QList<int> CountJournal::historyWidths()
{
    return {1900, 900, 1000, 1500, 1100, 1100, 1700, 2000};
}

QList<QStringList> CountJournal::historyRows(const QList<CountJournalEntry> &entries, int decimals)
{
    QList<QStringList> rows;
    CountFigures after;
    for (const CountJournalEntry &e : entries) {
        replayOne(after, e);
        const QString qty = quantityText(e.qty.unitQty, decimals);
        const QString what = isChange(e.kind) && e.qty.unitQty >= 0 ? QLatin1Char('+') + qty : qty;
        rows << QStringList{e.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                            e.userName,
                            kindText(e.kind),
                            sourceText(e.source),
                            what,
                            quantityText(after.unitQty, decimals),
                            quantityText(after.baseQty, decimals),
                            quantityText(after.secQty, decimals)};
    }
    return rows;
}

QString CountJournal::kindText(CountEntryKind kind)
{
    switch (kind) {
    case CountEntryKind::Start:
        return LoadText("起始数");
    case CountEntryKind::Set:
        return LoadText("录入");
    case CountEntryKind::Add:
        return LoadText("累加");
    case CountEntryKind::Undo:
        return LoadText("撤销累加");
    case CountEntryKind::Recount:
        return LoadText("复盘");
    case CountEntryKind::Import:
        return LoadText("引入");
    case CountEntryKind::AddedItem:
        return LoadText("添加物料");
    case CountEntryKind::RetailResult:
        return LoadText("零售盘点结果");
    case CountEntryKind::Documents:
        return LoadText("选择单据");
    }
    return QString::number(int(kind));
}

QString CountJournal::sourceText(const QString &source)
{
    if (source == CountSource::sheet)
        return LoadText("盘点表");
    if (source == CountSource::commandLine)
        return LoadText("命令行");
    if (source == CountSource::scanner)
        return LoadText("扫描");
    if (source == CountSource::retail)
        return LoadText("零售单");
    if (source == CountSource::addItem)
        return LoadText("添加物料");
    if (source.startsWith(QLatin1String("file:")))
        return FormatText("文件 %1", {source.mid(5)});
    if (source.startsWith(QLatin1String("device:")))
        return FormatText("手持终端 %1", {source.mid(7)});
    return source;
}
