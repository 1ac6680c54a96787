#include "countapi.h"

#include "entrywriter.h"
#include "requestcheck.h"

#include "host/appconnection.h"
#include "host/recordset.h"
#include "model/countjournal.h"
#include "model/countrowcheck.h"

#include <QDate>
#include <QJsonArray>

namespace {

// A user whom t_UserDataAccess limits to some stocks gets this condition on the
// stock column of a statement; others get none. Statements are chosen among fixed
// texts rather than kept as one text with "? = 0 OR ..." switches: PostgreSQL plans
// a prepared statement once for all values, and such a switch then costs a scan of
// the whole process.
const QString kStockRule = QStringLiteral(
    " AND %1 IN (SELECT FItemID FROM t_UserDataAccess WHERE FUserID = ? AND LOWER(FTableName) = 't_stock')");

const QString kProcesses = QStringLiteral(R"(
SELECT p.FID, p.FProcessID, p.FDate, p.FRemark, p.FBackupType
  FROM ICStockCheckProcess p
 WHERE p.FStatus = 0
   AND EXISTS (SELECT 1 FROM ICInvBackup b WHERE b.FInterID = p.FID%1)
 ORDER BY p.FID DESC)");
const QString kProcess = QStringLiteral("SELECT FID, FStatus FROM ICStockCheckProcess WHERE FID = ?");
const QString kProcessStocks = QStringLiteral(R"(
SELECT s.FItemID, s.FNumber, s.FName
  FROM t_Stock s
 WHERE s.FItemID IN (SELECT DISTINCT b.FStockID FROM ICInvBackup b WHERE b.FInterID = ?)%1
 ORDER BY s.FNumber)");
const QString kProcessPlaces = QStringLiteral(R"(
SELECT x.FStockID, p.FSPID, p.FNumber, p.FName
  FROM (SELECT DISTINCT b.FStockID, b.FStockPlaceID FROM ICInvBackup b
         WHERE b.FInterID = ? AND b.FStockPlaceID <> 0) x
 INNER JOIN t_StockPlace p ON x.FStockPlaceID = p.FSPID
 ORDER BY p.FNumber)");
const QString kItemsByBarcode =
    QStringLiteral("SELECT DISTINCT FItemID FROM t_barcode WHERE FBarCode = ? ORDER BY FItemID");
const QString kItemsByNumber = QStringLiteral("SELECT FItemID FROM t_ICItem WHERE FNumber = ? ORDER BY FItemID");
const QString kRowsOfItem = QStringLiteral(R"(
SELECT t1.FItemID, t2.FNumber, t2.FName, t2.FModel, t2.FQtyDecimal, t1.FUnitID, COALESCE(t4.FName, '') AS FUnitName,
       t1.FStockID, t12.FNumber AS FStockNumber, t12.FName AS FStockName, t1.FStockPlaceID,
       COALESCE(t11.FNumber, '') AS FSPNumber, COALESCE(t11.FName, '') AS FSPName,
       t1.FBatchNo, t1.FMtoNo, COALESCE(t1.FKFDate, '') AS FKFDate, t1.FKFPeriod, t1.FAuxPropID,
       COALESCE(t13.FName, '') AS FAuxPropName, t1.FAuxCheckQty
  FROM ICInvBackup t1 INNER JOIN t_ICItem t2 ON t1.FItemID = t2.FItemID
  LEFT JOIN t_MeasureUnit t4 ON t1.FUnitID = t4.FItemID
  LEFT JOIN t_Stock t12 ON t1.FStockID = t12.FItemID
  LEFT JOIN t_StockPlace t11 ON t1.FStockPlaceID = t11.FSPID AND t1.FStockPlaceID <> 0
  LEFT JOIN t_AuxItem t13 ON t1.FAuxPropID = t13.FItemID AND t1.FAuxPropID <> 0
 WHERE t1.FInterID = ? AND t1.FItemID = ?%1%2
 ORDER BY t12.FNumber, t11.FNumber, t1.FBatchNo, t1.FKFDate)");
const QString kInStock = QStringLiteral(" AND t1.FStockID = ?");
const QString kInPlace = QStringLiteral(" AND t1.FStockID = ? AND t1.FStockPlaceID = ?");
const QString kInBatch = QStringLiteral(" AND t1.FStockID = ? AND t1.FStockPlaceID = ? AND t1.FBatchNo = ?");
const QString kNoteProcess =
    QStringLiteral("UPDATE ICStockCheckSession SET FInterID = ?, FLastEntry = ? WHERE FToken = ?");
const QString kTotals = QStringLiteral(R"(
SELECT COUNT(*) AS FEntries, COALESCE(SUM(FAuxQty), 0) AS FQty
  FROM ICStockCheckJournal WHERE FInterID = ? AND FUserID = ? AND FKind IN (?, ?, ?))");

constexpr int kMaxId = 2147483647;

QString text(const char *s)
{
    return QString::fromUtf8(s);
}

struct Condition
{
    QString sql;
    QVariantList binds;
};

using Session = SessionStore::Session;

// The stock rule of the user on `column`, empty when the user is not limited.
Condition stockRule(const Session &user, const QString &column)
{
    if (!user.limited)
        return {};
    return {kStockRule.arg(column), {user.userId}};
}

// The process when it exists, is open and has rows the user may count; else the refusal.
std::optional<ApiReply> checkProcess(AppConnection &conn, const Session &user, int process)
{
    const Recordset rs = conn.ExecuteRaiseErr(kProcess, {process});
    if (rs.isEmpty())
        return ApiReply::refused(404, QStringLiteral("noProcess"), text("没有这个盘点方案。"));
    if (rs.integer(u"FStatus") != 0)
        return ApiReply::refused(403, QStringLiteral("processClosed"), text("这个盘点方案已经结束，不能再盘点。"));
    if (!user.limited)
        return std::nullopt;
    const Condition rule = stockRule(user, QStringLiteral("b.FStockID"));
    const Recordset allowed = conn.ExecuteRaiseErr(
        QStringLiteral("SELECT 1 AS FOne FROM ICInvBackup b WHERE b.FInterID = ?%1 LIMIT 1").arg(rule.sql),
        QVariantList{process} + rule.binds);
    if (allowed.isEmpty())
        return ApiReply::refused(403, QStringLiteral("forbidden"), text("没有权限盘点这个方案。"));
    return std::nullopt;
}

QJsonObject numbered(int id, const QString &number, const QString &name)
{
    return {{QStringLiteral("id"), id}, {QStringLiteral("number"), number}, {QStringLiteral("name"), name}};
}

struct RowLookup
{
    std::optional<ApiReply> refusal;
    QList<QJsonObject> rows;
    QList<CountRowKey> keys;
};

// The count rows of the code's item(s) in the process, within the stock, place and
// batch when given (place -1: any; batch null: any), and within the stocks the user
// may count. An entry names its batch: an item kept in hundreds of batches is then
// one row to read, not hundreds.
RowLookup lookUp(AppConnection &conn, const Session &user, int process, const QString &barcode,
                 const QString &itemNumber, int stock, int place, const QString &batch = {})
{
    RowLookup out;
    QList<int> itemIds;
    auto collect = [&](const QString &sql, const QString &code) {
        Recordset rs = conn.ExecuteRaiseErr(sql, {code});
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            itemIds << rs.integer(u"FItemID");
    };
    if (!barcode.isEmpty()) {
        collect(kItemsByBarcode, barcode);
        if (itemIds.isEmpty())
            collect(kItemsByNumber, barcode); // an item number typed into the code box
    } else {
        collect(kItemsByNumber, itemNumber);
    }
    const QString code = barcode.isEmpty() ? itemNumber : barcode;
    if (itemIds.isEmpty()) {
        out.refusal =
            ApiReply::refused(404, QStringLiteral("unknownCode"), text("“%1”不是已知的条码或物料代码。").arg(code));
        return out;
    }
    const Condition rule = stockRule(user, QStringLiteral("t1.FStockID"));
    Condition where;
    if (!batch.isNull())
        where = {kInBatch, {stock, place, batch}};
    else if (stock > 0 && place >= 0)
        where = {kInPlace, {stock, place}};
    else if (stock > 0)
        where = {kInStock, {stock}};
    const QString sql = kRowsOfItem.arg(rule.sql, where.sql);
    for (int itemId : itemIds) {
        Recordset rs = conn.ExecuteRaiseErr(sql, QVariantList{process, itemId} + rule.binds + where.binds);
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
            const int spId = rs.integer(u"FStockPlaceID");
            const QVariant counted = rs.Fields(u"FAuxCheckQty");
            out.rows << QJsonObject{
                {QStringLiteral("item"), numbered(rs.integer(u"FItemID"), rs.text(u"FNumber"), rs.text(u"FName"))},
                {QStringLiteral("model"), rs.text(u"FModel")},
                {QStringLiteral("unit"), rs.text(u"FUnitName")},
                {QStringLiteral("decimals"), rs.integer(u"FQtyDecimal")},
                {QStringLiteral("stock"),
                 numbered(rs.integer(u"FStockID"), rs.text(u"FStockNumber"), rs.text(u"FStockName"))},
                {QStringLiteral("place"),
                 spId == 0 ? QJsonValue() : QJsonValue(numbered(spId, rs.text(u"FSPNumber"), rs.text(u"FSPName")))},
                {QStringLiteral("batch"), rs.text(u"FBatchNo")},
                {QStringLiteral("mto"), rs.text(u"FMtoNo")},
                {QStringLiteral("kfDate"), rs.text(u"FKFDate")},
                {QStringLiteral("kfPeriod"), rs.integer(u"FKFPeriod")},
                {QStringLiteral("aux"),
                 rs.integer(u"FAuxPropID") == 0
                     ? QJsonValue()
                     : QJsonValue(QJsonObject{{QStringLiteral("id"), rs.integer(u"FAuxPropID")},
                                              {QStringLiteral("name"), rs.text(u"FAuxPropName")}})},
                {QStringLiteral("unitId"), rs.integer(u"FUnitID")},
                {QStringLiteral("counted"), counted.isNull() ? QJsonValue() : QJsonValue(Recordset::toNumber(counted))},
            };
            out.keys << CountRowKey::fromRecord(rs, process);
        }
    }
    if (out.rows.isEmpty()) {
        const Recordset item = conn.ExecuteRaiseErr(
            QStringLiteral("SELECT FNumber, FName FROM t_ICItem WHERE FItemID = ?"), {itemIds.first()});
        const QString itemName = item.text(u"FNumber") + QLatin1Char(' ') + item.text(u"FName");
        out.refusal = ApiReply::refused(
            404, QStringLiteral("notInCount"),
            (stock > 0 ? text("%1 不在这个仓库（仓位）的盘点中。") : text("%1 不在这个盘点方案中。")).arg(itemName));
    }
    return out;
}

} // namespace

namespace countapi {

ApiReply processes(AppConnection &conn, const Caller &caller)
{
    QJsonArray list;
    const Condition rule = stockRule(caller.session, QStringLiteral("b.FStockID"));
    Recordset rs = conn.ExecuteRaiseErr(kProcesses.arg(rule.sql), rule.binds);
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        list.append(QJsonObject{
            {QStringLiteral("id"), rs.integer(u"FID")},
            {QStringLiteral("number"), rs.text(u"FProcessID")},
            {QStringLiteral("date"), rs.dateTime(u"FDate").date().toString(Qt::ISODate)},
            {QStringLiteral("remark"), rs.text(u"FRemark")},
        });
    return ApiReply::ok(list);
}

ApiReply stocks(AppConnection &conn, const Caller &caller, const QJsonObject &query)
{
    RequestCheck check(query);
    const int process = check.whole(QStringLiteral("process"), 1, kMaxId);
    if (check.failed())
        return check.failure();
    if (auto refusal = checkProcess(conn, caller.session, process))
        return *refusal;
    QHash<int, QJsonArray> places;
    Recordset ps = conn.ExecuteRaiseErr(kProcessPlaces, {process});
    for (ps.MoveFirst(); !ps.Eof(); ps.MoveNext())
        places[ps.integer(u"FStockID")].append(numbered(ps.integer(u"FSPID"), ps.text(u"FNumber"), ps.text(u"FName")));
    QJsonArray list;
    const Condition rule = stockRule(caller.session, QStringLiteral("s.FItemID"));
    Recordset rs = conn.ExecuteRaiseErr(kProcessStocks.arg(rule.sql), QVariantList{process} + rule.binds);
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        QJsonObject stock = numbered(rs.integer(u"FItemID"), rs.text(u"FNumber"), rs.text(u"FName"));
        stock.insert(QStringLiteral("places"), places.value(rs.integer(u"FItemID")));
        list.append(stock);
    }
    return ApiReply::ok(list);
}

ApiReply items(AppConnection &conn, const Caller &caller, const QJsonObject &query)
{
    RequestCheck check(query);
    const int process = check.whole(QStringLiteral("process"), 1, kMaxId);
    const QString barcode = check.text(QStringLiteral("barcode"), 80, false);
    const QString item = check.text(QStringLiteral("item"), 80, false);
    const int stock = check.whole(QStringLiteral("stock"), 0, kMaxId, false, 0);
    const int place = check.whole(QStringLiteral("place"), -1, kMaxId, false, -1);
    if (!check.failed() && barcode.isEmpty() == item.isEmpty())
        check.fail(QStringLiteral("barcode"), text("请给出“barcode”或“item”之一。"));
    if (check.failed())
        return check.failure();
    if (auto refusal = checkProcess(conn, caller.session, process))
        return *refusal;
    const RowLookup found = lookUp(conn, caller.session, process, barcode, item, stock, place);
    if (found.refusal)
        return *found.refusal;
    QJsonArray rows;
    for (const QJsonObject &r : found.rows)
        rows.append(r);
    return ApiReply::ok(QJsonObject{{QStringLiteral("rows"), rows}});
}

ApiReply postEntry(AppConnection &conn, const Caller &caller, const QJsonObject &body)
{
    RequestCheck check(body);
    const int process = check.whole(QStringLiteral("process"), 1, kMaxId);
    const QString barcode = check.text(QStringLiteral("barcode"), 80, false);
    const QString item = check.text(QStringLiteral("item"), 80, false);
    const int stock = check.whole(QStringLiteral("stock"), 1, kMaxId);
    const int place = check.whole(QStringLiteral("place"), 0, kMaxId, false, 0);
    const QString batch = check.text(QStringLiteral("batch"), 200, false);
    const QString mto = check.text(QStringLiteral("mto"), 300, false);
    const QString kfDate = check.text(QStringLiteral("kfDate"), 10, false);
    const int kfPeriod = check.whole(QStringLiteral("kfPeriod"), 0, 1000000, false, -1);
    const int aux = check.whole(QStringLiteral("aux"), 0, kMaxId, false, -1);
    const int unit = check.whole(QStringLiteral("unit"), 1, kMaxId, false, 0);
    const QString mode =
        check.choice(QStringLiteral("mode"), {QStringLiteral("set"), QStringLiteral("add")}, QStringLiteral("set"));
    const double qty = check.number(QStringLiteral("qty"), 0, countQuantityLimit);
    const QString clientId = check.clientId(QStringLiteral("clientEntryId"));
    if (!check.failed() && barcode.isEmpty() == item.isEmpty())
        check.fail(QStringLiteral("barcode"), text("请给出“barcode”或“item”之一。"));
    if (!check.failed() && !kfDate.isEmpty() && !QDate::fromString(kfDate, Qt::ISODate).isValid())
        check.fail(QStringLiteral("kfDate"), text("“kfDate”应为 YYYY-MM-DD 形式的日期。"));
    if (!check.failed() && mode == QLatin1String("add") && qty <= 0)
        check.fail(QStringLiteral("qty"), text("累加的数量应大于 0。"));
    if (check.failed())
        return check.failure();
    // a retry of an entry already stored is answered before anything else is looked up:
    // the row or the process may have changed meanwhile, the entry stands
    if (const auto first = CountJournal::byClientId(conn, process, clientId)) {
        if (first->userId != caller.session.userId)
            return ApiReply::refused(409, QStringLiteral("conflict"), text("这个录入编号已被另一用户使用。"));
        return ApiReply::ok(QJsonObject{{QStringLiteral("entryId"), first->id},
                                        {QStringLiteral("repeated"), true},
                                        {QStringLiteral("mode"), mode},
                                        {QStringLiteral("qty"), qty}});
    }
    if (auto refusal = checkProcess(conn, caller.session, process))
        return *refusal;
    const RowLookup found =
        lookUp(conn, caller.session, process, barcode, item, stock, place, batch.isNull() ? QStringLiteral("") : batch);
    if (found.refusal)
        return *found.refusal;
    QList<int> matches;
    for (int i = 0; i < found.keys.size(); ++i) {
        const CountRowKey &k = found.keys.at(i);
        if (k.batchNo == batch && (!body.contains(QStringLiteral("mto")) || k.mtoNo == mto) &&
            (!body.contains(QStringLiteral("kfDate")) || k.kfDate == kfDate) &&
            (kfPeriod < 0 || k.kfPeriod == kfPeriod) && (aux < 0 || k.auxPropId == aux) &&
            (unit == 0 || k.unitId == unit))
            matches << i;
    }
    if (matches.isEmpty())
        return ApiReply::refused(404, QStringLiteral("notInCount"), text("这个批次（仓位）不在这个盘点方案中。"));
    if (matches.size() > 1) {
        ApiReply reply = ApiReply::refused(409, QStringLiteral("ambiguous"),
                                           text("有几条盘点记录符合，请选择生产日期、计划跟踪号或辅助属性。"));
        QJsonArray rows;
        for (int i : matches)
            rows.append(found.rows.at(i));
        reply.body.insert(QStringLiteral("rows"), rows);
        return reply;
    }
    HandheldEntry entry;
    entry.key = found.keys.at(matches.first());
    entry.qty = qty;
    entry.add = mode == QLatin1String("add");
    entry.userId = caller.session.userId;
    entry.clientEntryId = clientId;
    entry.device = caller.session.device;
    const EntryOutcome outcome = handheld::storeEntry(conn, entry);
    if (outcome.status >= 400)
        return ApiReply::refused(outcome.status, outcome.code, outcome.message);
    QJsonObject row = found.rows.at(matches.first());
    row.insert(QStringLiteral("counted"), outcome.counted); // as the entry left it
    // the count sheet asks which processes are counted from handhelds: a minute is exact enough
    const qint64 now = SessionStore::now();
    if (caller.session.process != process || now - caller.session.lastEntry > 60)
        conn.Exec(kNoteProcess, {process, now, caller.session.tokenHash});
    return ApiReply::ok(QJsonObject{{QStringLiteral("entryId"), outcome.entryId},
                                    {QStringLiteral("repeated"), outcome.repeated},
                                    {QStringLiteral("counted"), outcome.counted},
                                    {QStringLiteral("mode"), mode},
                                    {QStringLiteral("qty"), qty},
                                    {QStringLiteral("row"), row}});
}

ApiReply entries(AppConnection &conn, const Caller &caller, const QJsonObject &query)
{
    RequestCheck check(query);
    const int process = check.whole(QStringLiteral("process"), 1, kMaxId);
    const int limit = check.whole(QStringLiteral("limit"), 1, 200, false, 20);
    if (check.failed())
        return check.failure();
    if (auto refusal = checkProcess(conn, caller.session, process))
        return *refusal;
    const int user = caller.session.userId;
    const Recordset totals = conn.ExecuteRaiseErr(
        kTotals, {process, user, int(CountEntryKind::Set), int(CountEntryKind::Add), int(CountEntryKind::Undo)});
    return ApiReply::ok(QJsonObject{{QStringLiteral("entries"), handheld::lastEntries(conn, process, user, limit)},
                                    {QStringLiteral("count"), totals.integer(u"FEntries")},
                                    {QStringLiteral("total"), totals.number(u"FQty")}});
}

ApiReply undo(AppConnection &conn, const Caller &caller, const QJsonObject &body)
{
    RequestCheck check(body);
    const int process = check.whole(QStringLiteral("process"), 1, kMaxId);
    if (check.failed())
        return check.failure();
    if (auto refusal = checkProcess(conn, caller.session, process))
        return *refusal;
    const EntryOutcome outcome = handheld::undoLastAdd(conn, process, caller.session.userId, caller.session.device);
    if (outcome.status >= 400)
        return ApiReply::refused(outcome.status, outcome.code, outcome.message);
    return ApiReply::ok(
        QJsonObject{{QStringLiteral("entryId"), outcome.entryId}, {QStringLiteral("counted"), outcome.counted}});
}

} // namespace countapi
