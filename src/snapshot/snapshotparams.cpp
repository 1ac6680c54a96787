#include "snapshotparams.h"

#include "host/texts.h"

void SnapshotParams::setConditions(const QList<GoodsCondition> &rows)
{
    const QVariant v = GoodsFilter::toVariant(rows);
    if (v.isValid())
        setValue(Filter, v);
    else
        remove(Filter);
}

bool SnapshotParams::isCutDate() const
{
    const QVariant v = value(IsCutDate);
    if (v.typeId() == QMetaType::QString) {
        const QString t = v.toString().trimmed().toLower();
        return t == QLatin1String("true") || t == QLatin1String("1");
    }
    return v.toBool();
}

QDate SnapshotParams::cutDate() const
{
    const QVariant v = value(CutDate);
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().date();
    return QDate::fromString(v.toString().trimmed().left(10), QStringLiteral("yyyy-MM-dd"));
}

bool SnapshotParams::stockIds(QList<int> *ids, QString *error) const
{
    if (parseIds(text(Stock), ids))
        return true;
    if (error)
        *error = FormatText("仓库列表“%1”无效，应为以逗号分隔的仓库内码。", {text(Stock)});
    return false;
}

bool SnapshotParams::goodsFilter(const Dialect &dialect, bool useFullNumber, SqlFragment *out, QString *error) const
{
    *out = {};
    const QList<GoodsCondition> rows = conditions();
    if (!rows.isEmpty())
        return GoodsFilter::compile(rows, dialect, useFullNumber, out, error);
    const struct
    {
        const QString &key;
        const char *column;
    } lists[] = {{CommBrand, "t4.FComBrandID"}, {CommCategory, "t4.FComCategoryID"}};
    for (const auto &list : lists) {
        const QString ids = text(list.key).trimmed();
        if (ids.isEmpty())
            continue;
        QList<int> parsed;
        if (!parseIds(ids, &parsed)) {
            if (error)
                *error = FormatText("“%1”无效，应为以逗号分隔的内码。", {ids});
            return false;
        }
        *out = SqlFragment(QStringLiteral(" AND ")) + inList(QString::fromLatin1(list.column), parsed);
        return true;
    }
    return true;
}

bool SnapshotParams::parseIds(const QString &text, QList<int> *ids)
{
    ids->clear();
    if (text.trimmed().isEmpty())
        return true;
    const QStringList parts = text.split(QLatin1Char(','));
    for (const QString &part : parts) {
        bool ok = false;
        const int id = part.trimmed().toInt(&ok);
        if (!ok) {
            ids->clear();
            return false;
        }
        ids->append(id);
    }
    return true;
}

QString SnapshotParams::joinIds(const QList<int> &ids)
{
    QStringList parts;
    for (int id : ids)
        parts << QString::number(id);
    return parts.join(QLatin1Char(','));
}

SqlFragment inList(const QString &expr, const QList<int> &ids)
{
    if (ids.isEmpty())
        return SqlFragment(QStringLiteral("1 = 0"));
    SqlFragment in(expr + QStringLiteral(" IN ("));
    for (qsizetype i = 0; i < ids.size(); ++i) {
        in.sql += i == 0 ? QStringLiteral("?") : QStringLiteral(", ?");
        in.binds << ids.at(i);
    }
    in.sql += QLatin1Char(')');
    return in;
}
