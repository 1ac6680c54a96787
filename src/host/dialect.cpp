#include "dialect.h"

QString Dialect::quantityType() const
{
    return isSQLite() ? QStringLiteral("REAL") : QStringLiteral("NUMERIC(28,10)");
}

QString Dialect::dateTimeType() const
{
    return isSQLite() ? QStringLiteral("TEXT") : QStringLiteral("TIMESTAMP(0)");
}

QString Dialect::textType(int n) const
{
    return isSQLite() ? QStringLiteral("TEXT") : QStringLiteral("VARCHAR(%1)").arg(n);
}

QString Dialect::bigTextType() const
{
    return QStringLiteral("TEXT");
}

QString Dialect::now() const
{
    return isSQLite() ? QStringLiteral("datetime('now','localtime')") : QStringLiteral("LOCALTIMESTAMP(0)");
}

QString Dialect::today() const
{
    return isSQLite() ? QStringLiteral("datetime('now','localtime','start of day')")
                      : QStringLiteral("CAST(CURRENT_DATE AS TIMESTAMP(0))");
}

QVariant Dialect::dateTimeValue(const QDateTime &value)
{
    if (!value.isValid())
        return QVariant(QMetaType::fromType<QString>());
    return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QVariant Dialect::dateValue(const QDate &value)
{
    if (!value.isValid())
        return QVariant(QMetaType::fromType<QString>());
    return value.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00");
}

QString Dialect::dayDiff(const QString &a, const QString &b) const
{
    if (isSQLite())
        return QStringLiteral("CAST(julianday(date(%2)) - julianday(date(%1)) AS INTEGER)").arg(a, b);
    return QStringLiteral("(CAST(%2 AS DATE) - CAST(%1 AS DATE))").arg(a, b);
}

QString Dialect::dateText(const QString &expr) const
{
    if (isSQLite())
        return QStringLiteral("substr(%1,1,10)").arg(expr);
    return QStringLiteral("to_char(%1,'YYYY-MM-DD')").arg(expr);
}

QString Dialect::dateTimeParam() const
{
    return isSQLite() ? QStringLiteral("?") : QStringLiteral("CAST(? AS TIMESTAMP(0))");
}

QString Dialect::castQuantity(const QString &expr) const
{
    return QStringLiteral("CAST(%1 AS %2)").arg(expr, quantityType());
}

QString Dialect::castText(const QString &expr) const
{
    return QStringLiteral("CAST(%1 AS TEXT)").arg(expr);
}

QString Dialect::castInt(const QString &expr) const
{
    return QStringLiteral("CAST(%1 AS INTEGER)").arg(expr);
}

QString Dialect::stringAgg(const QString &expr, const QString &separatorLiteral) const
{
    if (isSQLite())
        return QStringLiteral("group_concat(%1, %2)").arg(expr, separatorLiteral);
    return QStringLiteral("string_agg(%1, %2)").arg(castText(expr), separatorLiteral);
}

QString Dialect::jsonArrayElements(const QString &alias) const
{
    if (isSQLite())
        return QStringLiteral("json_each(?) AS %1").arg(alias);
    return QStringLiteral("json_array_elements(CAST(? AS json)) AS %1").arg(alias);
}

QString Dialect::likeOperator(bool negated) const
{
    const QString op = isSQLite() ? QStringLiteral("LIKE") : QStringLiteral("ILIKE");
    return negated ? QStringLiteral("NOT ") + op : op;
}

QString Dialect::addDays(const QString &expr, const QString &days) const
{
    if (isSQLite())
        return QStringLiteral("datetime(%1, (%2) || ' days')").arg(expr, days);
    return QStringLiteral("(%1 + (%2) * INTERVAL '1 day')").arg(expr, days);
}

QString Dialect::monthStartPlus(const QString &expr, const QString &months) const
{
    if (isSQLite())
        return QStringLiteral("datetime(%1, 'start of month', (%2) || ' months')").arg(expr, months);
    return QStringLiteral("(date_trunc('month', %1) + (%2) * INTERVAL '1 month')").arg(expr, months);
}

QString Dialect::isoWeekday(const QString &expr) const
{
    if (isSQLite())
        return QStringLiteral("((CAST(strftime('%w', %1) AS INTEGER) + 6) % 7 + 1)").arg(expr);
    return QStringLiteral("CAST(EXTRACT(ISODOW FROM %1) AS INTEGER)").arg(expr);
}

QString Dialect::monthOf(const QString &expr) const
{
    if (isSQLite())
        return QStringLiteral("CAST(strftime('%m', %1) AS INTEGER)").arg(expr);
    return QStringLiteral("CAST(EXTRACT(MONTH FROM %1) AS INTEGER)").arg(expr);
}

QString Dialect::yearOf(const QString &expr) const
{
    if (isSQLite())
        return QStringLiteral("CAST(strftime('%Y', %1) AS INTEGER)").arg(expr);
    return QStringLiteral("CAST(EXTRACT(YEAR FROM %1) AS INTEGER)").arg(expr);
}

QString Dialect::tempSchema() const
{
    return isSQLite() ? QStringLiteral("temp") : QStringLiteral("pg_temp");
}

QString Dialect::beginExclusive() const
{
    return isSQLite() ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN");
}

QStringList Dialect::exclusiveLockStatements(int lockKey) const
{
    if (isSQLite())
        return {};
    return {QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(lockKey)};
}
