#include "sheetfilter.h"

#include "host/texts.h"

#include <QDate>
#include <QRegularExpression>

namespace {

const char *const kComparisons[] = {"=", "<>", ">", ">=", "<", "<=", "like", "not like"};
const char *const kLogics[] = {"and", "or"};
const char *const kAscending = N_("升序");
const char *const kDescending = N_("降序");

// "Asc", "Desc" or empty when the text is no direction.
QString canonicalDirection(const QString &shown)
{
    const QString text = shown.trimmed();
    if (text.compare(QLatin1String("asc"), Qt::CaseInsensitive) == 0 || text == QString::fromUtf8(kAscending) ||
        text == LoadText(kAscending))
        return QStringLiteral("Asc");
    if (text.compare(QLatin1String("desc"), Qt::CaseInsensitive) == 0 || text == QString::fromUtf8(kDescending) ||
        text == LoadText(kDescending))
        return QStringLiteral("Desc");
    return {};
}

bool isPlainName(const QString &name)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return plain.match(name).hasMatch();
}

// The column of the row query behind a definition's field, numbers by the option.
QString numberField(const QString &colName, bool useFullNumber)
{
    if (useFullNumber)
        return colName;
    static const QHash<QString, QString> shortNames = {
        {QStringLiteral("fnumber"), QStringLiteral("FItemShortNumber")},
        {QStringLiteral("fspnumber"), QStringLiteral("FSPShortNumber")},
        {QStringLiteral("fstocknumber"), QStringLiteral("FStockShortNumber")}};
    return shortNames.value(colName.toLower(), colName);
}

// A typed date in the form the columns hold ("yyyy-MM-dd"); other text as typed.
QString dateValue(const QString &typed)
{
    const QString text = typed.trimmed();
    for (const char *format : {"yyyy-MM-dd", "yyyy-M-d", "yyyy/M/d", "yyyyMMdd"}) {
        const QDate date = QDate::fromString(text, QLatin1String(format));
        if (date.isValid())
            return date.toString(QStringLiteral("yyyy-MM-dd"));
    }
    return typed;
}

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

// One filled row as a condition on the row query's column.
SqlFragment condition(const QString &field, const sheetfilter::Column &col, const QString &compare,
                      const QString &value, const Dialect &dialect)
{
    const bool like = compare.endsWith(QLatin1String("like"));
    const bool negated = compare.startsWith(QLatin1String("not"));
    switch (col.kind()) {
    case sheetfilter::ValueKind::Number: {
        bool ok = false;
        const double number = value.trimmed().toDouble(&ok);
        if (!ok)
            return SqlFragment(QStringLiteral("1=0"));
        // a pattern on a number is the number itself, as the host's server reads it
        const QString op = like ? (negated ? QStringLiteral("<>") : QStringLiteral("=")) : compare;
        return SqlFragment(field + QLatin1Char(' ') + op + QStringLiteral(" ?"), {number});
    }
    case sheetfilter::ValueKind::Date:
    case sheetfilter::ValueKind::Text: {
        const QString text = col.kind() == sheetfilter::ValueKind::Date ? dateValue(value) : value;
        if (like) {
            // a date column may be a timestamp, which has no LIKE of its own
            const QString operand = col.kind() == sheetfilter::ValueKind::Date ? dialect.castText(field) : field;
            return SqlFragment(operand + QLatin1Char(' ') + dialect.likeOperator(negated) + QStringLiteral(" ?"),
                               {QLatin1Char('%') + text + QLatin1Char('%')});
        }
        return SqlFragment(field + QLatin1Char(' ') + compare + QStringLiteral(" ?"), {text});
    }
    }
    return {};
}

} // namespace

bool SheetCondition::isEmpty() const
{
    return field.trimmed().isEmpty() && compare.trimmed().isEmpty() && value.isEmpty() && logic.trimmed().isEmpty();
}

namespace sheetfilter {

ValueKind Column::kind() const
{
    switch (type) {
    case 0:
    case 7:
        return ValueKind::Date;
    case 8:
        return ValueKind::Text;
    default:
        return ValueKind::Number;
    }
}

Column column(const QString &target)
{
    const QStringList parts = target.split(QLatin1Char('|'));
    Column c;
    c.name = parts.value(0).trimmed();
    c.itemClass = parts.value(1).toInt();
    c.type = parts.value(2).isEmpty() ? 8 : parts.value(2).toInt();
    return c;
}

QStringList comparisons()
{
    QStringList out;
    for (const char *c : kComparisons)
        out << QString::fromLatin1(c);
    return out;
}

QStringList logics()
{
    QStringList out;
    for (const char *l : kLogics)
        out << QString::fromLatin1(l);
    return out;
}

QString canonicalComparison(const QString &shown)
{
    const QString text = shown.simplified().toLower();
    return comparisons().contains(text) ? text : QString();
}

QString canonicalLogic(const QString &shown)
{
    const QString text = shown.trimmed().toLower();
    return logics().contains(text) ? text : QString();
}

QStringList directions()
{
    return {QString::fromUtf8(kAscending), QString::fromUtf8(kDescending)};
}

QString sqlField(const QString &colName, bool useFullNumber)
{
    const QString name = numberField(colName, useFullNumber);
    if (name.compare(QLatin1String("FCUUnitOverQty"), Qt::CaseInsensitive) == 0 ||
        name.compare(QLatin1String("FCUUnitDownQty"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("COALESCE(%1, 0)").arg(name);
    return name;
}

QString validate(const QList<SheetCondition> &conditions, const QList<SheetSortKey> &sortKeys)
{
    for (int i = 0; i < sortKeys.size(); ++i) {
        const SheetSortKey &key = sortKeys.at(i);
        const bool field = !key.field.trimmed().isEmpty(), direction = !key.direction.trimmed().isEmpty();
        if (field && !direction)
            return FormatText("第%1行排序类型不能为空!", {i + 1});
        if (direction && !field)
            return FormatText("第%1行排序字段不能为空!", {i + 1});
    }
    for (int i = 0; i < conditions.size(); ++i) {
        const SheetCondition &row = conditions.at(i);
        if (row.isEmpty())
            continue;
        if (row.field.trimmed().isEmpty())
            return FormatText("第%1行，[名称]列数据不完整！", {i + 1});
        if (row.compare.trimmed().isEmpty())
            return FormatText("第%1行，[比较]列数据不完整！", {i + 1});
        bool followed = false;
        for (int j = i + 1; j < conditions.size() && !followed; ++j)
            followed = !conditions.at(j).isEmpty();
        if (followed && row.logic.trimmed().isEmpty())
            return FormatText("第%1行，[逻辑]列数据不完整！", {i + 1});
    }
    return {};
}

bool compileFilter(const QList<SheetCondition> &rows, const Columns &columns, const Dialect &dialect,
                   bool useFullNumber, SqlFragment *out, QString *error)
{
    *out = {};
    QList<int> filled;
    for (int i = 0; i < rows.size(); ++i)
        if (!rows.at(i).isEmpty())
            filled << i;
    SqlFragment result;
    for (qsizetype n = 0; n < filled.size(); ++n) {
        const int i = filled.at(n);
        const SheetCondition &row = rows.at(i);
        const QString caption = row.field.trimmed();
        const Column col = column(columns.value(caption));
        const QString compare = canonicalComparison(row.compare);
        const bool last = n + 1 == filled.size();
        const QString logic = canonicalLogic(row.logic);
        if (!columns.contains(caption) || !isPlainName(col.name))
            return fail(error, FormatText("第%1行，[名称]列的“%2”不是可选的字段！", {i + 1, row.field}));
        if (compare.isEmpty())
            return fail(error, FormatText("第%1行，[比较]列的“%2”不是可选的比较方式！", {i + 1, row.compare}));
        if (!last && logic.isEmpty())
            return fail(error, FormatText("第%1行，[逻辑]列的“%2”不是可选的逻辑！", {i + 1, row.logic}));
        result += condition(sqlField(col.name, useFullNumber), col, compare, row.value, dialect);
        if (!last)
            result.sql += QLatin1Char(' ') + logic.toUpper() + QLatin1Char(' ');
    }
    *out = result;
    return true;
}

bool compileSort(const QList<SheetSortKey> &keys, const Columns &columns, bool useFullNumber, QString *out,
                 QString *error)
{
    out->clear();
    QStringList order;
    for (int i = 0; i < keys.size(); ++i) {
        const SheetSortKey &key = keys.at(i);
        if (key.isEmpty())
            continue;
        const QString caption = key.field.trimmed();
        const Column col = column(columns.value(caption));
        if (!columns.contains(caption) || !isPlainName(col.name))
            return fail(error, FormatText("第%1行排序字段“%2”不是可选的字段！", {i + 1, key.field}));
        const QString direction = canonicalDirection(key.direction);
        if (direction.isEmpty())
            return fail(error, FormatText("第%1行排序类型不能为空!", {i + 1}));
        order << numberField(col.name, useFullNumber) + QLatin1Char(' ') + direction;
    }
    *out = order.join(QLatin1Char(','));
    return true;
}

bool parseCondition(const QString &text, SheetCondition *out, QString *error)
{
    const qsizetype first = text.indexOf(QLatin1Char(':'));
    const qsizetype second = first < 0 ? -1 : text.indexOf(QLatin1Char(':'), first + 1);
    if (second < 0)
        return fail(error, FormatText("条件“%1”应写作 字段:比较:比较值[:逻辑]", {text}));
    SheetCondition row;
    row.field = text.left(first).trimmed();
    row.compare = canonicalComparison(text.mid(first + 1, second - first - 1));
    QString rest = text.mid(second + 1);
    const qsizetype last = rest.lastIndexOf(QLatin1Char(':'));
    if (last >= 0 && !canonicalLogic(rest.mid(last + 1)).isEmpty()) {
        row.logic = canonicalLogic(rest.mid(last + 1));
        rest.truncate(last);
    }
    row.value = rest;
    if (row.compare.isEmpty())
        return fail(error, FormatText("条件“%1”的比较方式不是可选的比较方式（%2）",
                                      {text, comparisons().join(QLatin1Char(' '))}));
    *out = row;
    return true;
}

bool parseSortKey(const QString &text, SheetSortKey *out, QString *error)
{
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    const QString direction = colon < 0 ? QString() : canonicalDirection(text.mid(colon + 1));
    if (colon <= 0 || direction.isEmpty())
        return fail(error, FormatText("排序“%1”应写作 字段:asc|desc", {text}));
    *out = SheetSortKey{text.left(colon).trimmed(), direction};
    return true;
}

QStringList toLines(const QList<SheetCondition> &rows)
{
    QStringList lines;
    for (const SheetCondition &r : rows) {
        QString value = r.value;
        value.replace(QLatin1Char('\t'), QLatin1Char(' '));
        lines << QStringList{r.field, r.compare, value, r.logic}.join(QLatin1Char('\t'));
    }
    return lines;
}

QList<SheetCondition> conditionsFromLines(const QStringList &lines)
{
    QList<SheetCondition> rows;
    for (const QString &line : lines) {
        const QStringList c = line.split(QLatin1Char('\t'));
        rows << SheetCondition{c.value(0), c.value(1), c.value(2), c.value(3)};
    }
    return rows;
}

QStringList toLines(const QList<SheetSortKey> &keys)
{
    QStringList lines;
    for (const SheetSortKey &k : keys)
        lines << k.field + QLatin1Char('\t') + k.direction;
    return lines;
}

QList<SheetSortKey> sortKeysFromLines(const QStringList &lines)
{
    QList<SheetSortKey> keys;
    for (const QString &line : lines) {
        const QStringList c = line.split(QLatin1Char('\t'));
        keys << SheetSortKey{c.value(0), c.value(1)};
    }
    return keys;
}

} // namespace sheetfilter
