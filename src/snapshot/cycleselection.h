#pragma once

#include <QList>
#include <QString>

class AppConnection;
class Dialect;

// The stock positions whose items are due for a count under their count cycle,
// collected in the temporary table temp1 of the connection: per position of both
// ledgers (stocks of type 501 only through the first), the item's cycle unit name,
// last count date and next due date (CurCycDate), and the ledger it was found in
// (FLedger 1 or 2); positions due later than now are left out. Items without a last count date have no due date and are
// always due.
namespace CycleSelection {

// (Re)creates temp1 for `stocks` (every stock when empty). Throws DbException.
void create(AppConnection &connection, const QList<int> &stocks, bool useFullNumber);
// Drops temp1 when it exists; never fails.
void drop(AppConnection &connection);
// The next due date of the item aliased b: the last count date moved on by the
// cycle, for weeks to the weekday FDaysPer, for months to the day FDaysPer. A
// February day above 28 depends on whether the year of `today` (an expression:
// the database's now() for a run) is divisible by 4.
QString dueDate(const Dialect &dialect, const QString &today);

} // namespace CycleSelection
