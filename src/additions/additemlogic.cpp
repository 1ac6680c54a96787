#include "additemlogic.h"

#include "host/appconnection.h"
#include "host/countparams.h"
#include "host/hostui.h"
#include "host/loginprops.h"
#include "host/lookups.h"
#include "host/sharedstate.h"
#include "host/sysparams.h"
#include "host/texts.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace {

using Field = AddItemLogic::Field;

const int keyF1 = 112, keyF7 = 118, keyF8 = 119;
const char *const helpTopic = "ICStockCheckAddItem";
// the largest figure every engine stores exactly, as at entry in the count sheet
const double quantityLimit = 9999999999.9999;

const QString serialSql =
    QStringLiteral("SELECT 1 AS found FROM t_ICItemMaterial WHERE COALESCE(FISSNManage, 0) > 0 AND FItemID = ?");
// stocks that can be counted: ordinary ones and the two further kinds
const QString stockSql = QStringLiteral(
    R"(SELECT FItemID, FNumber, FShortNumber, FName, FIsStockMgr FROM t_Stock
 WHERE %1 = ? AND FTypeID IN (500, 20291, 20293) AND FDeleted <> 1 ORDER BY FItemID)");
const QString placeSql = QStringLiteral(
    R"(SELECT t2.FSPID, t2.FNumber, t2.FShortNumber, t2.FName
  FROM t_Stock t1 INNER JOIN t_StockPlace t2 ON t1.FSPGroupID = t2.FSPGroupID
 WHERE t2.FDetail = 1 AND t2.FSPID <> 0 AND t1.FItemID = ? AND t2.%1 = ?)");
const QString auxSql = QStringLiteral(
    R"(SELECT FItemID, FNumber, FName FROM t_AuxItem
 WHERE FItemClassID = ? AND FItemClassID > 0 AND (FNumber = ? OR FName = ?) AND FDeleted = 0)");
// a counting unit converts to the item's base unit: only units of its group
const QString groupUnitSql = QStringLiteral(
    R"(SELECT FMeasureUnitID FROM t_MeasureUnit
 WHERE FUnitGroupID = ? AND (FNumber = ? OR FName = ?) AND FDeleted <> 1 ORDER BY FMeasureUnitID)");
const QString anyUnitSql = QStringLiteral(
    R"(SELECT FMeasureUnitID, FName FROM t_MeasureUnit
 WHERE (FNumber = ? OR FName = ?) AND FDeleted <> 1 ORDER BY FMeasureUnitID)");

QVariantList intList(std::initializer_list<int> ids)
{
    QVariantList out;
    for (int id : ids)
        out << id;
    return out;
}

// Places after the point of a plain decimal, trailing zeros not counted.
int placesOf(const QString &text)
{
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    if (point < 0)
        return 0;
    QString fraction = text.mid(point + 1);
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    return int(fraction.size());
}

// A base-data list of the host stand-in (stock places, batches, aux values).
LookupRecord listLookup(const QString &table, const QVariantMap &options)
{
    BaseDataLookup *lookup = shared().components.lookup.get();
    if (!lookup)
        return {};
    try {
        return lookup->listLookup(table, options);
    } catch (const std::exception &) {
        return {};
    }
}

} // namespace

AddItemLogic::AddItemLogic(int processId, const QDate &today, QObject *parent)
    : QObject(parent)
    , m_processId(processId)
    , m_today(today.isValid() ? today : QDate::currentDate())
{
    m_f.kfDate = m_today;
}

QString AddItemLogic::numberColumn() const
{
    return shared().useFullNumber ? QStringLiteral("FNumber") : QStringLiteral("FShortNumber");
}

QString AddItemLogic::fieldCaption(Field field)
{
    switch (field) {
    case Field::Qty:
        return LoadText("盘点数量");
    case Field::AdjQty:
        return LoadText("调整数量");
    case Field::SecQty:
        return LoadText("数量(辅助)");
    case Field::KFPeriod:
        return LoadText("保质期");
    default:
        return {};
    }
}

std::optional<double> AddItemLogic::parseFigure(Field field, const QString &text, int decimals, QString *message)
{
    static const QRegularExpression decimal(QStringLiteral("^-?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)$"));
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
    const QString t = text.trimmed();
    const QString caption = fieldCaption(field);
    if (t.isEmpty())
        return 0.0;
    if (field == Field::KFPeriod) {
        if (!digits.match(t).hasMatch()) {
            *message = FormatText("“%1”应为不小于0的整数。", {caption});
            return std::nullopt;
        }
        return double(t.toInt());
    }
    if (!decimal.match(t).hasMatch()) {
        *message = FormatText("“%1”不是数字。", {caption});
        return std::nullopt;
    }
    const double value = QLocale::c().toDouble(t);
    if (!std::isfinite(value) || std::fabs(value) > quantityLimit) {
        *message = FormatText("数量超出允许的范围：“%1”的绝对值不能超过9,999,999,999.9999。", {caption});
        return std::nullopt;
    }
    if (value < 0 && field != Field::AdjQty) {
        *message = FormatText("“%1”不能为负数。", {caption});
        return std::nullopt;
    }
    if (placesOf(t) > decimals) {
        *message = FormatText("“%1”最多只能有%2位小数。", {caption, decimals});
        return std::nullopt;
    }
    return value;
}

bool AddItemLogic::refuse(const QString &message, Field field)
{
    if (shared().ui)
        shared().ui->message(message, HostUi::Icon::Information);
    emit focusRequested(field);
    return false;
}

void AddItemLogic::clearItem()
{
    AddItemFields cleared;
    cleared.stockId = m_f.stockId;
    cleared.stockNumber = m_f.stockNumber;
    cleared.stockName = m_f.stockName;
    cleared.placeManaged = m_f.placeManaged;
    cleared.placeId = m_f.placeId;
    cleared.placeNumber = m_f.placeNumber;
    cleared.placeName = m_f.placeName;
    cleared.mtoNo = m_f.mtoNo;
    cleared.kfDate = m_f.kfDate;
    cleared.qty = m_f.qty;
    cleared.adjQty = m_f.adjQty;
    cleared.secQty = m_f.secQty;
    cleared.note = m_f.note;
    m_f = cleared;
}

void AddItemLogic::clearEntry()
{
    m_f = AddItemFields();
    m_f.kfDate = m_today;
}

bool AddItemLogic::takeItem(const Recordset &rows)
{
    Recordset rs = rows;
    rs.MoveFirst();
    clearItem();
    m_f.itemId = rs.integer(u"FItemID");
    m_f.itemNumber = rs.text(numberColumn());
    m_f.itemName = rs.text(u"FName");
    m_f.itemModel = rs.text(u"FModel");
    m_f.batchManaged = rs.integer(u"FBatchManager") != 0;
    m_f.shelfLife = rs.integer(u"FISKFPeriod") != 0;
    m_f.defaultKFPeriod = rs.integer(u"FKFPeriod");
    m_f.kfPeriod = m_f.shelfLife ? QString::number(m_f.defaultKFPeriod) : QString();
    m_f.auxClassId = rs.integer(u"FAuxClassID");
    m_f.decimals = rs.integer(u"FQtyDecimal");
    const int storeUnit = rs.integer(u"FStoreUnitID");
    takeUnit(storeUnit > 0 ? storeUnit : rs.integer(u"FUnitID"));
    m_f.secUnitId = rs.integer(u"FSecUnitID");
    m_f.secUnitName = m_f.secUnitId > 0 ? GetUnitInfo(m_f.secUnitId, nullptr, nullptr, false) : QString();
    if (AppConnection *conn = shared().connection) {
        Recordset serial = conn->Execute(serialSql, {m_f.itemId});
        m_f.serial = serial.isOpen() && !serial.isEmpty();
    }
    emit changed();
    return true;
}

void AddItemLogic::takeUnit(int unitId)
{
    int group = 0;
    double coefficient = 1;
    m_f.unitName = GetUnitInfo(unitId, &group, &coefficient, true);
    m_f.unitId = m_f.unitName.isNull() ? 0 : unitId;
    m_f.coefficient = coefficient;
    if (m_f.unitId && !m_f.unitGroupId)
        m_f.unitGroupId = group;
}

bool AddItemLogic::enterItem(const QString &number)
{
    const QString text = number.trimmed();
    if (m_f.itemId > 0 && text == m_f.itemNumber)
        return true;
    if (text.isEmpty()) {
        clearItem();
        emit changed();
        return true;
    }
    const Recordset rows = FindItem(text);
    if (!rows.isOpen()) {
        if (shared().ui && shared().connection)
            shared().ui->message(LoadText("读取物料失败。"), HostUi::Icon::Critical,
                                 shared().connection->lastError().detailed());
        emit focusRequested(Field::Item);
        return false;
    }
    if (!rows.isEmpty())
        return takeItem(rows);
    const bool again =
        shared().ui &&
        shared().ui->question(LoadText("物料代码在基础资料中不存在或被禁用，是否重新输入?")) == HostUi::Answer::Yes;
    clearItem();
    if (again)
        m_f.itemNumber = text; // kept and selected, to be typed over
    emit changed();
    if (again)
        emit focusRequested(Field::Item);
    return false;
}

bool AddItemLogic::enterUnit(const QString &numberOrName)
{
    const QString text = numberOrName.trimmed();
    if (text == m_f.unitName && m_f.unitId > 0)
        return true;
    if (!m_f.itemId)
        return refuse(LoadText("请先选择物料!"), Field::Item);
    AppConnection *conn = shared().connection;
    Recordset rs = conn ? conn->Execute(groupUnitSql, {m_f.unitGroupId, text, text}) : Recordset();
    if (text.isEmpty() || !rs.isOpen() || rs.isEmpty()) {
        m_f.unitId = 0;
        m_f.unitName = text;
        emit changed();
        return refuse(LoadText("计量单位不存在，请输入！"), Field::Unit);
    }
    takeUnit(rs.integer(u"FMeasureUnitID"));
    emit changed();
    return true;
}

bool AddItemLogic::takeStock(const Recordset &rows)
{
    Recordset rs = rows;
    rs.MoveFirst();
    const int id = rs.integer(u"FItemID");
    if (id != m_f.stockId) {
        m_f.placeId = 0;
        m_f.placeNumber.clear();
        m_f.placeName.clear();
    }
    m_f.stockId = id;
    m_f.stockNumber = rs.text(numberColumn());
    m_f.stockName = rs.text(u"FName");
    m_f.placeManaged = rs.integer(u"FIsStockMgr") != 0;
    emit changed();
    return true;
}

bool AddItemLogic::enterStock(const QString &number)
{
    const QString text = number.trimmed();
    if (m_f.stockId > 0 && text == m_f.stockNumber)
        return true;
    AppConnection *conn = shared().connection;
    Recordset rs = conn && !text.isEmpty() ? conn->Execute(stockSql.arg(numberColumn()), {text}) : Recordset();
    if (rs.isOpen() && !rs.isEmpty())
        return takeStock(rs);
    m_f.stockId = 0;
    m_f.stockNumber = text;
    m_f.stockName.clear();
    m_f.placeManaged = false;
    m_f.placeId = 0;
    m_f.placeNumber.clear();
    m_f.placeName.clear();
    emit changed();
    if (text.isEmpty())
        return true;
    return refuse(LoadText("此仓库不存在，请重新输入!"), Field::Stock);
}

bool AddItemLogic::enterStockPlace(const QString &number)
{
    const QString text = number.trimmed();
    if (m_f.placeId > 0 && text == m_f.placeNumber)
        return true;
    m_f.placeId = 0;
    m_f.placeNumber = text;
    m_f.placeName.clear();
    if (text.isEmpty()) {
        emit changed();
        return true;
    }
    AppConnection *conn = shared().connection;
    Recordset rs =
        conn && m_f.placeManaged ? conn->Execute(placeSql.arg(numberColumn()), {m_f.stockId, text}) : Recordset();
    if (!rs.isOpen() || rs.isEmpty()) {
        emit changed();
        return refuse(LoadText("该仓库中不存在此仓位或为非明细仓位，请重新输入!"), Field::StockPlace);
    }
    m_f.placeId = rs.integer(u"FSPID");
    m_f.placeName = rs.text(u"FName");
    emit changed();
    return true;
}

bool AddItemLogic::enterAuxProp(const QString &number)
{
    const QString text = number.trimmed();
    if (m_f.auxPropId > 0 && text == m_f.auxPropNumber)
        return true;
    m_f.auxPropId = 0;
    m_f.auxPropNumber = text;
    m_f.auxPropName.clear();
    if (text.isEmpty()) {
        emit changed();
        return true;
    }
    if (!m_f.itemId) {
        emit changed();
        return refuse(LoadText("请先选择物料!"), Field::Item);
    }
    AppConnection *conn = shared().connection;
    Recordset rs = conn ? conn->Execute(auxSql, {m_f.auxClassId, text, text}) : Recordset();
    if (!rs.isOpen() || rs.isEmpty()) {
        emit changed();
        return refuse(LoadText("辅助属性在此物料中不存在!"), Field::AuxProp);
    }
    m_f.auxPropId = rs.integer(u"FItemID");
    m_f.auxPropNumber = rs.text(u"FNumber");
    m_f.auxPropName = rs.text(u"FName");
    emit changed();
    return true;
}

bool AddItemLogic::enterSecUnit(const QString &numberOrName)
{
    const QString text = numberOrName.trimmed();
    if (text == m_f.secUnitName && (m_f.secUnitId > 0 || text.isEmpty()))
        return true;
    m_f.secUnitId = 0;
    m_f.secUnitName = text;
    if (text.isEmpty()) {
        emit changed();
        return true;
    }
    AppConnection *conn = shared().connection;
    Recordset rs = conn ? conn->Execute(anyUnitSql, {text, text}) : Recordset();
    if (!rs.isOpen() || rs.isEmpty()) {
        emit changed();
        return refuse(LoadText("计量单位不存在，请输入！"), Field::SecUnit);
    }
    m_f.secUnitId = rs.integer(u"FMeasureUnitID");
    m_f.secUnitName = rs.text(u"FName");
    emit changed();
    return true;
}

bool AddItemLogic::enterMtoNo(const QString &text)
{
    m_f.mtoNo = text.trimmed();
    emit changed();
    if (m_f.serial && !m_f.mtoNo.isEmpty())
        return refuse(LoadText("此项物料启用了序列号管理，计划跟踪号必须为空！"), Field::MtoNo);
    return true;
}

void AddItemLogic::setBatchNo(const QString &text)
{
    m_f.batchNo = text;
}

void AddItemLogic::setKFDate(const QDate &date)
{
    m_f.kfDate = date;
}

void AddItemLogic::setNote(const QString &text)
{
    m_f.note = text;
}

bool AddItemLogic::enterNumber(Field field, const QString &text)
{
    switch (field) {
    case Field::Qty:
        m_f.qty = text;
        break;
    case Field::AdjQty:
        m_f.adjQty = text;
        break;
    case Field::SecQty:
        m_f.secQty = text;
        break;
    case Field::KFPeriod:
        m_f.kfPeriod = text;
        break;
    default:
        return false;
    }
    QString message;
    if (!parseFigure(field, text, m_f.decimals, &message))
        return refuse(message, field);
    return true;
}

bool AddItemLogic::lookup(Field field)
{
    const bool shortNumber = !shared().useFullNumber;
    switch (field) {
    case Field::Item: {
        const QVariantMap options{{QStringLiteral("ExcludeErpClsIDs"), intList({6, 8})}};
        const LookupRecord r = LookupBaseData(4, m_f.itemId ? QString() : m_f.itemNumber, 0, options);
        if (!r.isValid())
            return false;
        const Recordset rows = FindItem(r.value(numberColumn()).toString(), r.value(QStringLiteral("FItemID")).toInt());
        return rows.isOpen() && !rows.isEmpty() && takeItem(rows);
    }
    case Field::Unit: {
        if (!m_f.itemId)
            return refuse(LoadText("请先选择物料!"), Field::Item);
        const QVariantMap options{{QStringLiteral("Conversation"), 1},
                                  {QStringLiteral("UnitGroupID"), m_f.unitGroupId}};
        const LookupRecord r = LookupBaseData(7, QString(), 0, options);
        if (!r.isValid())
            return false;
        takeUnit(r.value(QStringLiteral("FMeasureUnitID")).toInt());
        emit changed();
        return true;
    }
    case Field::SecUnit: {
        const LookupRecord r = LookupBaseData(7, QString(), 0, {});
        if (!r.isValid())
            return false;
        m_f.secUnitId = r.value(QStringLiteral("FMeasureUnitID")).toInt();
        m_f.secUnitName = r.value(QStringLiteral("FName")).toString();
        emit changed();
        return true;
    }
    case Field::Stock: {
        const QVariantMap options{{QStringLiteral("StockTypeIDs"), intList({500, 20291, 20293})}};
        const LookupRecord r = LookupBaseData(5, m_f.stockId ? QString() : m_f.stockNumber, 0, options);
        if (!r.isValid())
            return false;
        m_f.stockId = 0; // taken again from the chosen row
        return enterStock(r.value(numberColumn()).toString());
    }
    case Field::StockPlace: {
        if (!m_f.stockId)
            return refuse(LoadText("仓库不存在，请输入！"), Field::Stock);
        const LookupRecord r =
            listLookup(QStringLiteral("t_StockPlace"),
                       {{QStringLiteral("StockID"), m_f.stockId}, {QStringLiteral("BeShortNumber"), shortNumber}});
        if (!r.isValid())
            return false;
        m_f.placeId = r.value(QStringLiteral("FSPID")).toInt();
        m_f.placeNumber = r.value(numberColumn()).toString();
        m_f.placeName = r.value(QStringLiteral("FName")).toString();
        emit changed();
        return true;
    }
    case Field::Batch: {
        if (!m_f.itemId)
            return refuse(LoadText("请先选择物料!"), Field::Item);
        // blind counting: the picker lists the batches without their stock
        QVariantMap options{{QStringLiteral("ItemID"), m_f.itemId}};
        if (AppConnection *conn = shared().connection; !conn || countparams::hidesBookFigures(*conn, GetUserId()))
            options.insert(QStringLiteral("HideQty"), true);
        const LookupRecord r = listLookup(QStringLiteral("Batch"), options);
        if (!r.isValid())
            return false;
        m_f.batchNo = r.value(QStringLiteral("FBatchNo")).toString();
        emit changed();
        return true;
    }
    case Field::AuxProp: {
        if (!m_f.itemId)
            return refuse(LoadText("请先选择物料!"), Field::Item);
        const LookupRecord r = listLookup(QStringLiteral("t_AuxItem"), {{QStringLiteral("ItemID"), m_f.itemId}});
        if (!r.isValid())
            return false;
        m_f.auxPropId = r.value(QStringLiteral("FItemID")).toInt();
        m_f.auxPropNumber = r.value(QStringLiteral("FNumber")).toString();
        m_f.auxPropName = r.value(QStringLiteral("FName")).toString();
        emit changed();
        return true;
    }
    default:
        return false;
    }
}

bool AddItemLogic::keyPressed(int keyCode, Field field)
{
    if (keyCode == keyF1) {
        ShowHelp(keyF1, QString::fromLatin1(helpTopic));
        return true;
    }
    if (keyCode == keyF7 || (keyCode == keyF8 && (field == Field::Item || field == Field::Batch))) {
        lookup(field);
        return true;
    }
    return false;
}

std::optional<AddItemLogic::Refusal> AddItemLogic::check() const
{
    if (!m_f.itemId)
        return Refusal{LoadText("必须输入物料！"), Field::Item};
    if (!m_f.unitId)
        return Refusal{LoadText("计量单位不存在，请输入！"), Field::Unit};
    if (!m_f.stockId)
        return Refusal{LoadText("仓库不存在，请输入！"), Field::Stock};
    if (m_f.batchManaged && m_f.batchNo.trimmed().isEmpty())
        return Refusal{LoadText("此项物料采用批次管理请输入批次！"), Field::Batch};
    if (m_f.placeManaged && !m_f.placeId)
        return Refusal{LoadText("此仓库采用仓位管理请输入仓位！"), Field::StockPlace};
    QString message;
    if (m_f.shelfLife) {
        const std::optional<double> period = parseFigure(Field::KFPeriod, m_f.kfPeriod, 0, &message);
        if (!period)
            return Refusal{message, Field::KFPeriod};
        if (*period <= 0 || !m_f.kfDate.isValid())
            return Refusal{LoadText("此项物料采用保质期管理请输入保质期信息！"),
                           m_f.kfDate.isValid() ? Field::KFPeriod : Field::KFDate};
    }
    if (m_f.auxClassId > 0 && !m_f.auxPropId)
        return Refusal{LoadText("此项物料采辅助属性管理请输入辅助属性！"), Field::AuxProp};
    if (m_f.serial && !m_f.mtoNo.trimmed().isEmpty())
        return Refusal{LoadText("此项物料启用了序列号管理，计划跟踪号必须为空！"), Field::MtoNo};
    for (Field f : {Field::Qty, Field::AdjQty, Field::SecQty}) {
        const QString &text = f == Field::Qty ? m_f.qty : (f == Field::AdjQty ? m_f.adjQty : m_f.secQty);
        if (!parseFigure(f, text, m_f.decimals, &message))
            return Refusal{message, f};
    }
    return std::nullopt;
}

AddedEntry AddItemLogic::entry() const
{
    QString unused;
    auto figure = [&](Field f, const QString &text) { return parseFigure(f, text, m_f.decimals, &unused).value_or(0); };
    AddedEntry e;
    CountRowKey &k = e.key;
    k.processId = m_processId;
    k.itemId = m_f.itemId;
    k.auxPropId = m_f.auxPropId;
    k.unitId = m_f.unitId;
    k.batchNo = m_f.batchNo.trimmed();
    k.mtoNo = m_f.mtoNo.trimmed();
    // only goods kept by shelf life carry a date in their key: a date on any other
    // row would set it apart from the snapshot's rows of the same goods
    if (m_f.shelfLife) {
        k.kfDate = m_f.kfDate.toString(QStringLiteral("yyyy-MM-dd"));
        k.kfPeriod = int(figure(Field::KFPeriod, m_f.kfPeriod));
    }
    k.stockId = m_f.stockId;
    k.stockPlaceId = m_f.placeManaged ? m_f.placeId : 0;
    e.secUnitId = m_f.secUnitId;
    e.qty = figure(Field::Qty, m_f.qty);
    e.coefficient = m_f.coefficient;
    e.adjQty = figure(Field::AdjQty, m_f.adjQty);
    e.secQty = figure(Field::SecQty, m_f.secQty);
    e.note = m_f.note;
    e.decimals = m_f.decimals;
    e.userId = shared().operatorId;
    return e;
}

bool AddItemLogic::accept()
{
    if (const std::optional<Refusal> refusal = check())
        return refuse(refusal->message, refusal->field);
    AppConnection *conn = shared().connection;
    if (!conn)
        return false;
    bool alert = true;
    if (!GetAlertSameRecord(&alert))
        alert = true; // unreadable: asking is the safe side
    SnapshotRowAppend append(*conn, shared().ui, alert);
    m_outcome = append.append(entry());
    switch (m_outcome) {
    case SnapshotRowAppend::Outcome::Inserted:
    case SnapshotRowAppend::Outcome::Accumulated:
        ++m_added;
        return true;
    case SnapshotRowAppend::Outcome::Declined:
        return false;
    case SnapshotRowAppend::Outcome::Direction:
        return refuse(SnapshotRowAppend::directionMessage(), Field::Qty);
    case SnapshotRowAppend::Outcome::Recounted:
        return refuse(LoadText("这一行已经复盘，实存数量以复盘数量为准，不能再修改盘点数量。"), Field::Qty);
    case SnapshotRowAppend::Outcome::Failed:
        if (shared().ui)
            shared().ui->message(LoadText("添加物料失败，盘点数据没有改变。"), HostUi::Icon::Critical,
                                 append.lastError().detailed());
        emit focusRequested(Field::Qty);
        return false;
    }
    return false;
}

bool AddItemLogic::cmdADD()
{
    if (!accept())
        return false;
    clearEntry();
    emit changed();
    emit focusRequested(Field::Item);
    return true;
}

bool AddItemLogic::cmdOK()
{
    if (!accept())
        return false;
    emit closeRequested();
    return true;
}
