#pragma once

#include <QList>
#include <QString>

#include <optional>

class AppConnection;

namespace erp {

// A unit of a unit group; `coefficient` is in the group's base unit.
struct MeasureUnit
{
    int id = 0;
    QString name;
    double coefficient = 1;
};

// An item's units: its unit group, largest first, and its quantity decimals.
struct ItemUnits
{
    int itemId = 0;
    int unitGroupId = 0;
    int decimals = 0;
    QList<MeasureUnit> units;

    const MeasureUnit *find(const QString &name) const;
    // The unit whose coefficient is 1 (else the smallest): base quantities are in it.
    const MeasureUnit *baseUnit() const;
};

// Composite quantities ("3箱5个"): a quantity written in several units of one
// group, as the count entry shows and accepts them. The functions over units are
// pure; the loaders read t_ICItem and t_MeasureUnit with bound values.
class ComplexQty
{
public:
    // Units of a group (not deleted), largest coefficient first; one unit per
    // coefficient (the lowest id wins). Empty when the group has none or on error.
    static QList<MeasureUnit> loadGroup(AppConnection &connection, int unitGroupId);
    // The item's group and decimals with the units; nullopt for an unknown item.
    static std::optional<ItemUnits> loadItem(AppConnection &connection, int itemId);

    // The units a composite text may use: the names of `unitList` ("箱,个") found in
    // `units`, largest first; all of `units` when the list is empty or names none of them.
    static QList<MeasureUnit> chooseUnits(const QList<MeasureUnit> &units, const QString &unitList);
    // `baseQty` over `units` (largest first): whole numbers of the larger units, the
    // rest in the smallest one with `decimals` places; units with 0 are left out, a
    // quantity of 0 is "0" and the smallest unit, a negative quantity gets one "-".
    static QString format(const QList<MeasureUnit> &units, double baseQty, int decimals);
    // Reads a composite text (a count) back into the base quantity: number and unit
    // name pairs; a number without a name is in the smallest unit. Larger units take
    // whole numbers and the smallest at most `decimals` places, as the editor does; a
    // negative or fractional amount is refused, never rounded or turned positive.
    // nullopt with a message for a person when the text is wrong.
    static std::optional<double> parse(const QList<MeasureUnit> &units, const QString &text, QString *error = nullptr,
                                       int decimals = 10);
    // The same per unit, for an editor that shows each unit's figure ("3箱5个" gives
    // 3 for 箱 and 5 for 个); the list runs parallel to `units`.
    static std::optional<QList<double>> parseParts(const QList<MeasureUnit> &units, const QString &text,
                                                   QString *error = nullptr, int decimals = 10);
};

// The stand-in of the host's stored procedure sp_CalComplexQty: `quantity` in the
// unit named `unitName` of the item, written over the item's units (restricted to
// `unitList` when it names some of them). nullopt when the item or the unit is
// unknown, or on a database error (the caller then leaves its cell as it is).
std::optional<QString> CalComplexQty(AppConnection &connection, int itemId, const QString &unitList, double quantity,
                                     const QString &unitName);

} // namespace erp
