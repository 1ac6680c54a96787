#include "entrywriter.h"

#include "host/appconnection.h"
#include "host/recordset.h"
#include "model/countentryservice.h"

#include <QJsonObject>

namespace {

// The user's entries in a process, newest first, with what a person needs to
// recognise the row; an add that was undone says so.
const QString kLastEntries = QStringLiteral(R"(
SELECT j.FID, j.FKind, j.FAuxQty, j.FTime, j.FBatchNo, j.FClientEntryID, j.FUndoneID,
       i.FNumber AS FItemNumber, i.FName AS FItemName, s.FName AS FStockName, COALESCE(p.FName, '') AS FSPName,
       COALESCE(mu.FName, '') AS FUnitName,
       (SELECT COUNT(*) FROM ICStockCheckJournal u WHERE u.FInterID = j.FInterID AND u.FUndoneID = j.FID) AS FUndone
  FROM ICStockCheckJournal j
  LEFT JOIN t_ICItem i ON j.FItemID = i.FItemID
  LEFT JOIN t_Stock s ON j.FStockID = s.FItemID
  LEFT JOIN t_StockPlace p ON j.FStockPlaceID = p.FSPID AND j.FStockPlaceID <> 0
  LEFT JOIN t_MeasureUnit mu ON j.FUnitID = mu.FItemID
 WHERE j.FInterID = ? AND j.FUserID = ? AND j.FKind IN (?, ?, ?)
 ORDER BY j.FID DESC
 LIMIT ?)");

EntryOutcome outcomeOf(const CountEntryResult &r, double qty)
{
    EntryOutcome o;
    o.entryId = r.entryId;
    o.counted = r.counted.unitQty;
    o.qty = qty;
    o.repeated = r.status == CountEntryResult::Status::Repeated;
    o.message = r.message;
    switch (r.status) {
    case CountEntryResult::Status::Done:
    case CountEntryResult::Status::Repeated:
        break;
    case CountEntryResult::Status::Refused:
        o.status = 422;
        o.code = QStringLiteral("refused");
        break;
    case CountEntryResult::Status::Gone:
        o.status = 404;
        o.code = QStringLiteral("gone");
        break;
    case CountEntryResult::Status::Failed:
        o.status = 500;
        o.code = QStringLiteral("serverError");
        o.message = QStringLiteral("数据库暂时不能保存，请稍后再试。");
        break;
    }
    return o;
}

// The journal's source of an entry from `device` (a phone that gave no name is "handheld").
QString sourceOf(const QString &device)
{
    return CountSource::device(device.isEmpty() ? QStringLiteral("handheld") : device);
}

} // namespace

namespace handheld {

EntryOutcome storeEntry(AppConnection &conn, const HandheldEntry &e)
{
    const QString source = sourceOf(e.device);
    const CountEntryResult r = e.add ? CountEntryService::add(conn, e.key, e.qty, source, e.userId, e.clientEntryId)
                                     : CountEntryService::set(conn, e.key, e.qty, source, e.userId, e.clientEntryId);
    return outcomeOf(r, e.qty);
}

EntryOutcome undoLastAdd(AppConnection &conn, int process, int userId, const QString &device)
{
    const QString source = sourceOf(device);
    const CountEntryResult r = CountEntryService::undoLastAdd(conn, process, userId, source);
    return outcomeOf(r, 0);
}

QJsonArray lastEntries(AppConnection &conn, int process, int userId, int limit)
{
    QJsonArray out;
    Recordset rs = conn.ExecuteRaiseErr(kLastEntries, {process, userId, int(CountEntryKind::Set),
                                                       int(CountEntryKind::Add), int(CountEntryKind::Undo), limit});
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        const auto kind = CountEntryKind(rs.integer(u"FKind"));
        out.append(QJsonObject{
            {QStringLiteral("id"), rs.Fields(u"FID").toLongLong()},
            {QStringLiteral("kind"), kind == CountEntryKind::Set   ? QStringLiteral("set")
                                     : kind == CountEntryKind::Add ? QStringLiteral("add")
                                                                   : QStringLiteral("undo")},
            {QStringLiteral("qty"), rs.number(u"FAuxQty")},
            {QStringLiteral("time"), Recordset::toDateTime(rs.Fields(u"FTime")).toString(Qt::ISODate)},
            {QStringLiteral("item"), rs.text(u"FItemNumber")},
            {QStringLiteral("name"), rs.text(u"FItemName")},
            {QStringLiteral("stock"), rs.text(u"FStockName")},
            {QStringLiteral("place"), rs.text(u"FSPName")},
            {QStringLiteral("batch"), rs.text(u"FBatchNo")},
            {QStringLiteral("unit"), rs.text(u"FUnitName")},
            {QStringLiteral("clientEntryId"), rs.text(u"FClientEntryID")},
            {QStringLiteral("undone"), rs.integer(u"FUndone") > 0},
        });
    }
    return out;
}

} // namespace handheld
