#pragma once

#include <QList>
#include <QString>

class AppConnection;

// System parameters of our own count features, in t_SystemProfile under "IC":
// blind counting and the tolerance beyond which a difference is counted again.
// A missing row reads as its default, so a database made before these existed
// behaves as one seeded with the defaults.
namespace countparams {

inline constexpr const char *BlindCount = "BlindCount";
inline constexpr const char *RecountToleranceQty = "RecountToleranceQty";
inline constexpr const char *RecountTolerancePercent = "RecountTolerancePercent";

struct Param
{
    const char *key;
    const char *defaultValue;
    const char *description; // FDescription of the row this module adds
};

// Every parameter of ours, in the order they are listed.
const QList<Param> &all();
// The parameter named `key` (exactly as spelt), or null.
const Param *find(const QString &key);

// The value as it is stored: "0"/"1" for the flag, a plain non-negative decimal
// for the tolerances. False with the reason when `text` is not such a value.
bool normalise(const Param &param, const QString &text, QString *stored, QString *error);

// The stored value, or the default when the row is missing. Throws DbException.
QString value(AppConnection &connection, const Param &param);
// Writes the value (already normalised), adding the row when there is none, in one
// transaction. Throws DbException.
void setValue(AppConnection &connection, const Param &param, const QString &stored);

struct Tolerance
{
    double quantity = 0; // base unit
    double percent = 0;  // of the book quantity
};
Tolerance recountTolerance(AppConnection &connection); // throws DbException
bool blindCount(AppConnection &connection);            // throws DbException

// Whether book quantities and differences are kept from `userId`: blind counting
// is on and the user lacks the right to view count reports. When the parameter or
// the right cannot be read the answer is yes: a counter never sees the books by
// an error.
bool hidesBookFigures(AppConnection &connection, int userId);

} // namespace countparams
