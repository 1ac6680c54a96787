#include "goodsfilter.h"

#include "host/texts.h"
#include "model/sheetfilter.h"

namespace {

struct FieldDef
{
    const char *shown;
    const char *column;      // with full numbers
    const char *shortColumn; // with short numbers (only item numbers differ)
};

const FieldDef kFields[] = {
    {N_("物料代码"), "t4.FNumber", "t4.FShortNumber"},      {N_("物料名称"), "t4.FName", "t4.FName"},
    {N_("仓位代码"), "t5.FNumber", "t5.FNumber"},           {N_("仓位名称"), "t5.FName", "t5.FName"},
    {N_("条形码"), "t4.FGoodsBarCode", "t4.FGoodsBarCode"},
};

const FieldDef *findField(const QString &source)
{
    for (const FieldDef &f : kFields)
        if (source == QString::fromUtf8(f.shown))
            return &f;
    return nullptr;
}

QString rowMessage(const char *text, int row)
{
    return FormatText(text, {row});
}

// The fields as the condition grid offers them: in the words of the login language.
QString shownFields()
{
    QString list;
    for (const FieldDef &f : kFields)
        list = list.isEmpty() ? LoadText(f.shown) : FormatText("%1、%2", {list, LoadText(f.shown)});
    return list;
}

// The SQL operator of a comparison; LIKE follows the dialect so that a pattern
// matches without regard to case on both engines, as the host's server does.
QString sqlOperator(const QString &compare, const Dialect &dialect)
{
    if (compare == QLatin1String("like"))
        return dialect.likeOperator(false);
    if (compare == QLatin1String("not like"))
        return dialect.likeOperator(true);
    return compare;
}

} // namespace

bool GoodsCondition::isEmpty() const
{
    return field.trimmed().isEmpty() && compare.trimmed().isEmpty() && value.isEmpty() && logic.trimmed().isEmpty();
}

namespace GoodsFilter {

QStringList fields()
{
    QStringList out;
    for (const FieldDef &f : kFields)
        out << QString::fromUtf8(f.shown);
    return out;
}

// the same comparisons and links as the count sheet's filter
QStringList comparisons()
{
    return sheetfilter::comparisons();
}

QStringList logics()
{
    return sheetfilter::logics();
}

QString canonicalField(const QString &shown)
{
    const QString text = shown.trimmed();
    if (text.isEmpty())
        return {};
    for (const FieldDef &f : kFields) {
        const QString source = QString::fromUtf8(f.shown);
        if (text == source || text == LoadText(source))
            return source;
    }
    return {};
}

QString canonicalComparison(const QString &shown)
{
    return sheetfilter::canonicalComparison(shown);
}

QString canonicalLogic(const QString &shown)
{
    return sheetfilter::canonicalLogic(shown);
}

QString column(const QString &field, bool useFullNumber)
{
    const FieldDef *f = findField(canonicalField(field));
    if (!f)
        return {};
    return QString::fromLatin1(useFullNumber ? f->column : f->shortColumn);
}

QString validate(const QList<GoodsCondition> &rows)
{
    for (int i = 0; i < rows.size(); ++i) {
        const GoodsCondition &row = rows.at(i);
        if (row.isEmpty())
            continue;
        if (row.field.trimmed().isEmpty())
            return rowMessage(N_("第%1行，[名称]列数据不完整！"), i + 1);
        if (row.compare.trimmed().isEmpty())
            return rowMessage(N_("第%1行，[比较]列数据不完整！"), i + 1);
        bool followed = false;
        for (int j = i + 1; j < rows.size() && !followed; ++j)
            followed = !rows.at(j).isEmpty();
        if (followed && row.logic.trimmed().isEmpty())
            return rowMessage(N_("第%1行，[逻辑]列数据不完整！"), i + 1);
    }
    return {};
}

bool compile(const QList<GoodsCondition> &rows, const Dialect &dialect, bool useFullNumber, SqlFragment *out,
             QString *error)
{
    *out = {};
    const QString problem = validate(rows);
    if (!problem.isEmpty()) {
        if (error)
            *error = problem;
        return false;
    }
    QList<int> filled;
    for (int i = 0; i < rows.size(); ++i)
        if (!rows.at(i).isEmpty())
            filled << i;
    if (filled.isEmpty())
        return true;

    SqlFragment condition(QStringLiteral(" AND ("));
    for (qsizetype n = 0; n < filled.size(); ++n) {
        const int i = filled.at(n);
        const GoodsCondition &row = rows.at(i);
        const QString col = column(row.field, useFullNumber);
        const QString compare = canonicalComparison(row.compare);
        const bool last = n + 1 == filled.size();
        const QString logic = last ? QString() : canonicalLogic(row.logic);
        QString bad;
        if (col.isEmpty())
            bad = FormatText("第%1行，[名称]列的“%2”不是可选的字段！", {i + 1, row.field});
        else if (compare.isEmpty())
            bad = FormatText("第%1行，[比较]列的“%2”不是可选的比较方式！", {i + 1, row.compare});
        else if (!last && logic.isEmpty())
            bad = FormatText("第%1行，[逻辑]列的“%2”不是可选的逻辑！", {i + 1, row.logic});
        if (!bad.isEmpty()) {
            if (error)
                *error = bad;
            *out = {};
            return false;
        }
        const bool like = compare.endsWith(QLatin1String("like"));
        const QString value = like ? QLatin1Char('%') + row.value + QLatin1Char('%') : row.value;
        condition +=
            SqlFragment(col + QLatin1Char(' ') + sqlOperator(compare, dialect) + QStringLiteral(" ?"), {value});
        if (!last)
            condition.sql += QLatin1Char(' ') + logic.toUpper() + QLatin1Char(' ');
    }
    condition.sql += QLatin1Char(')');
    *out = condition;
    return true;
}

QVariant toVariant(const QList<GoodsCondition> &rows)
{
    QVariantList list;
    for (const GoodsCondition &row : rows) {
        if (row.isEmpty())
            continue;
        list << QVariantMap{{QStringLiteral("Field"), row.field},
                            {QStringLiteral("Compare"), row.compare},
                            {QStringLiteral("Value"), row.value},
                            {QStringLiteral("Logic"), row.logic}};
    }
    return list.isEmpty() ? QVariant() : QVariant(list);
}

QList<GoodsCondition> fromVariant(const QVariant &value)
{
    QList<GoodsCondition> rows;
    const QVariantList list = value.toList();
    for (const QVariant &v : list) {
        const QVariantMap m = v.toMap();
        rows << GoodsCondition{
            m.value(QStringLiteral("Field")).toString(), m.value(QStringLiteral("Compare")).toString(),
            m.value(QStringLiteral("Value")).toString(), m.value(QStringLiteral("Logic")).toString()};
    }
    return rows;
}

bool parse(const QString &text, GoodsCondition *out, QString *error)
{
    const qsizetype first = text.indexOf(QLatin1Char(':'));
    const qsizetype second = first < 0 ? -1 : text.indexOf(QLatin1Char(':'), first + 1);
    if (second < 0) {
        if (error)
            *error = FormatText("条件“%1”应写作 字段:比较:比较值[:逻辑]", {text});
        return false;
    }
    GoodsCondition row;
    row.field = canonicalField(text.left(first));
    row.compare = canonicalComparison(text.mid(first + 1, second - first - 1));
    QString rest = text.mid(second + 1);
    const qsizetype last = rest.lastIndexOf(QLatin1Char(':'));
    if (last >= 0 && !canonicalLogic(rest.mid(last + 1)).isEmpty()) {
        row.logic = canonicalLogic(rest.mid(last + 1));
        rest.truncate(last);
    }
    row.value = rest;
    QString bad;
    if (row.field.isEmpty())
        bad = FormatText("条件“%1”的字段不是可选的字段（%2）", {text, shownFields()});
    else if (row.compare.isEmpty())
        bad = FormatText("条件“%1”的比较方式不是可选的比较方式（%2）", {text, comparisons().join(QStringLiteral(" "))});
    if (!bad.isEmpty()) {
        if (error)
            *error = bad;
        return false;
    }
    *out = row;
    return true;
}

} // namespace GoodsFilter
