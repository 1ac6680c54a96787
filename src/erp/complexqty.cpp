#include "complexqty.h"

#include "host/appconnection.h"
#include "host/numbers.h"
#include "host/texts.h"

#include <QRegularExpression>

#include <cmath>

namespace erp {

namespace {

const QString groupSql = QStringLiteral(
    R"(SELECT FMeasureUnitID, FName, FCoefficient FROM t_MeasureUnit
        WHERE FUnitGroupID = ? AND FDeleted = 0
        ORDER BY FCoefficient DESC, FMeasureUnitID)");
const QString itemSql = QStringLiteral(R"(SELECT FUnitGroupID, FQtyDecimal FROM t_ICItem WHERE FItemID = ?)");

bool sameName(const QString &a, const QString &b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// Whole numbers of a unit in a quantity; the tolerance keeps 3.9999999 from
// losing a box to binary noise.
double wholeUnits(double quantity, double perUnit)
{
    return std::floor(quantity / perUnit + 1e-9);
}

QString number(double v, int decimals)
{
    return withoutTrailingZeros(quantityText(v, decimals));
}

} // namespace

const MeasureUnit *ItemUnits::find(const QString &name) const
{
    for (const MeasureUnit &u : units)
        if (sameName(u.name, name))
            return &u;
    return nullptr;
}

const MeasureUnit *ItemUnits::baseUnit() const
{
    for (const MeasureUnit &u : units)
        if (u.coefficient == 1)
            return &u;
    return units.isEmpty() ? nullptr : &units.last();
}

QList<MeasureUnit> ComplexQty::loadGroup(AppConnection &connection, int unitGroupId)
{
    QList<MeasureUnit> units;
    Recordset rs = connection.Execute(groupSql, {unitGroupId});
    for (rs.MoveFirst(); rs.isOpen() && !rs.Eof(); rs.MoveNext()) {
        const double coefficient = rs.number(u"FCoefficient");
        if (coefficient <= 0 || (!units.isEmpty() && units.last().coefficient == coefficient))
            continue; // a unit that cannot hold a quantity, or a second name for the same size
        units.append({rs.integer(u"FMeasureUnitID"), rs.text(u"FName").trimmed(), coefficient});
    }
    return units;
}

std::optional<ItemUnits> ComplexQty::loadItem(AppConnection &connection, int itemId)
{
    Recordset rs = connection.Execute(itemSql, {itemId});
    if (!rs.isOpen() || rs.isEmpty())
        return std::nullopt;
    ItemUnits item;
    item.itemId = itemId;
    item.unitGroupId = rs.integer(u"FUnitGroupID");
    item.decimals = qBound(0, rs.integer(u"FQtyDecimal"), 10);
    item.units = loadGroup(connection, item.unitGroupId);
    return item;
}

QList<MeasureUnit> ComplexQty::chooseUnits(const QList<MeasureUnit> &units, const QString &unitList)
{
    QList<MeasureUnit> chosen;
    const QStringList names = unitList.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const MeasureUnit &u : units)
        for (const QString &name : names)
            if (sameName(u.name, name)) {
                chosen << u;
                break;
            }
    return chosen.isEmpty() ? units : chosen;
}

QString ComplexQty::format(const QList<MeasureUnit> &units, double baseQty, int decimals)
{
    if (units.isEmpty())
        return {};
    const MeasureUnit &smallest = units.last();
    // In the smallest unit, rounded first, so that the rest never rounds up to a
    // whole larger unit ("1箱120个").
    double rest = roundQuantity(std::fabs(baseQty) / smallest.coefficient, decimals);
    QString text;
    for (qsizetype i = 0; i + 1 < units.size(); ++i) {
        const double perUnit = units.at(i).coefficient / smallest.coefficient;
        const double n = wholeUnits(rest, perUnit);
        if (n <= 0)
            continue;
        text += number(n, 0) + units.at(i).name;
        rest = roundQuantity(rest - n * perUnit, decimals);
    }
    if (rest != 0 || text.isEmpty())
        text += number(rest, decimals) + smallest.name;
    return baseQty < 0 && roundQuantity(std::fabs(baseQty) / smallest.coefficient, decimals) != 0
               ? QLatin1Char('-') + text
               : text;
}

std::optional<QList<double>> ComplexQty::parseParts(const QList<MeasureUnit> &units, const QString &text,
                                                    QString *error, int decimals)
{
    auto fail = [&](const QString &message) {
        if (error)
            *error = message;
        return std::nullopt;
    };
    if (units.isEmpty())
        return fail(LoadText("该物料没有可用的计量单位"));
    QString body = text.trimmed();
    if (body.startsWith(QLatin1Char('-')))
        return fail(FormatText("综合单位数量不能为负数：%1", {text}));
    if (body.startsWith(QLatin1Char('+')))
        body = body.mid(1).trimmed();
    if (body.isEmpty())
        return fail(FormatText("综合单位数量格式不正确：%1", {text}));
    static const QRegularExpression term(QStringLiteral(R"(\s*(\d+(?:\.\d*)?|\.\d+)\s*([^\d\s.+-]*)\s*)"));
    QList<double> parts(units.size(), 0.0);
    qsizetype pos = 0;
    while (pos < body.size()) {
        const QRegularExpressionMatch m =
            term.match(body, pos, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
        if (!m.hasMatch() || m.capturedLength() == 0)
            return fail(FormatText("综合单位数量格式不正确：%1", {text}));
        const QString name = m.captured(2);
        qsizetype index = units.size() - 1; // a bare number is in the smallest unit
        if (!name.isEmpty()) {
            index = -1;
            for (qsizetype i = 0; i < units.size(); ++i)
                if (sameName(units.at(i).name, name))
                    index = i;
            if (index < 0)
                return fail(FormatText("单位“%1”不属于该物料的计量单位组", {name}));
        }
        const double amount = m.captured(1).toDouble();
        const int places = index + 1 == units.size() ? qBound(0, decimals, 10) : 0;
        if (roundQuantity(amount, places) != roundQuantity(amount, 10))
            return fail(places == 0
                            ? FormatText("“%1”的数量只能是整数：%2", {units.at(index).name, text})
                            : FormatText("“%1”的数量最多只能有%2位小数：%3", {units.at(index).name, places, text}));
        parts[index] += amount;
        pos = m.capturedEnd();
    }
    return parts;
}

std::optional<double> ComplexQty::parse(const QList<MeasureUnit> &units, const QString &text, QString *error,
                                        int decimals)
{
    const std::optional<QList<double>> parts = parseParts(units, text, error, decimals);
    if (!parts)
        return std::nullopt;
    double base = 0;
    for (qsizetype i = 0; i < units.size(); ++i)
        base += parts->at(i) * units.at(i).coefficient;
    return base;
}

std::optional<QString> CalComplexQty(AppConnection &connection, int itemId, const QString &unitList, double quantity,
                                     const QString &unitName)
{
    const std::optional<ItemUnits> item = ComplexQty::loadItem(connection, itemId);
    if (!item || item->units.isEmpty())
        return std::nullopt;
    const MeasureUnit *unit = item->find(unitName);
    if (!unit)
        return std::nullopt;
    const QList<MeasureUnit> units = ComplexQty::chooseUnits(item->units, unitList);
    return ComplexQty::format(units, quantity * unit->coefficient, item->decimals);
}

} // namespace erp
