#include "selectcontext.h"

#include "model/entrygrid.h"

#include <QDateTime>

namespace {

QString key(const char *name)
{
    return QString::fromLatin1(name);
}

// The snapshot date arrives as a date, a date and time, or their text.
QDate toDate(const QVariant &v)
{
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().date();
    const QString text = v.toString().trimmed().left(10).replace(QLatin1Char('/'), QLatin1Char('-'));
    return QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
}

} // namespace

SelectContext SelectContext::fromArgs(const QVariantMap &a)
{
    SelectContext c;
    c.itemId = a.value(key("ItemID")).toInt();
    c.itemNumber = a.value(key("ItemNumber")).toString().trimmed();
    c.stockName = a.value(key("StockName")).toString().trimmed();
    c.stockId = a.value(key("StockID")).toInt();
    c.stockPlaceId = a.value(key("SPID")).toInt();
    c.batchNo = a.value(key("BatchNo")).toString().trimmed();
    c.mtoNo = a.value(key("MtoNo")).toString().trimmed();
    const QDate kf = toDate(a.value(key("KFDate")));
    c.kfDate = kf.isValid() ? kf.toString(QStringLiteral("yyyy-MM-dd")) : QString();
    c.kfPeriod = a.value(key("KFPeriod")).toInt();
    c.auxPropId = a.value(key("AuxPropID")).toInt();
    c.accountQty = a.value(key("AccountQty")).toDouble();
    c.checkQty = a.value(key("CheckQty")).toDouble();
    c.decimals = a.value(key("Decimals")).toInt();
    return c;
}

SelectContext SelectContext::fromGrid(const EntryGrid &g, int row)
{
    using namespace EntryCol;
    SelectContext c;
    c.itemId = int(g.number(row, ItemID));
    c.itemNumber = g.text(row, ItemNumber).trimmed();
    c.stockName = g.text(row, StockName).trimmed();
    c.stockId = int(g.number(row, StockID));
    c.stockPlaceId = int(g.number(row, StockPlaceID));
    c.batchNo = g.text(row, BatchNo).trimmed();
    c.mtoNo = g.text(row, MtoNo).trimmed();
    const QDate kf = toDate(g.text(row, KFDate));
    c.kfDate = kf.isValid() ? kf.toString(QStringLiteral("yyyy-MM-dd")) : QString();
    c.kfPeriod = int(g.number(row, KFPeriod));
    c.auxPropId = int(g.number(row, AuxPropID));
    c.accountQty = g.number(row, BaseBookQty);
    c.checkQty = g.number(row, BaseCheckQty);
    c.decimals = g.decimals(row);
    return c;
}

QVariantMap SelectContext::toArgs() const
{
    return {{key("ItemID"), itemId},       {key("ItemNumber"), itemNumber}, {key("StockName"), stockName},
            {key("StockID"), stockId},     {key("SPID"), stockPlaceId},     {key("BatchNo"), batchNo},
            {key("MtoNo"), mtoNo},         {key("KFDate"), kfDate},         {key("KFPeriod"), kfPeriod},
            {key("AuxPropID"), auxPropId}, {key("AccountQty"), accountQty}, {key("CheckQty"), checkQty},
            {key("Decimals"), decimals}};
}

std::optional<ProcessInfo> ProcessInfo::fromDictionary(int processId, const QVariantMap &info)
{
    const QString id = QString::number(processId);
    const QVariant type = info.value(id + QStringLiteral("|BackupType"));
    // a process still without a type (the person cancelled the question) has no
    // rule for which documents came later
    if (type.toInt() != CurrentStock && type.toInt() != CutOffDate)
        return std::nullopt;
    ProcessInfo p;
    p.backupType = type.toInt();
    p.cutDate = toDate(info.value(id + QStringLiteral("|CuteDate")));
    p.maxInterId = info.value(id + QStringLiteral("|MaxInterID")).toInt();
    p.maxMtoChangeId = info.value(id + QStringLiteral("|MaxMTOChangeID")).toInt();
    return p;
}
