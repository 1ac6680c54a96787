#pragma once

#include <QString>
#include <QStringList>

class Dialect;

// The statements that create the stand-in's tables, written once for both engines.
// Types that differ are tokens expanded by expand(): {Q} a quantity, {D} a date and
// time, {T:n} a text of up to n characters, {ID} an id the database allocates. Every statement may run again without
// effect (IF NOT EXISTS).
namespace erp::ddl {

QStringList masterDataTables(); // items, units, stocks, places, base data, users
QStringList systemTables();     // parameters, periods, numbering, column definitions
QStringList stockTables();      // current stock and period balances
QStringList documentTables();   // stock documents, MTO changes, VMI receipts, retail
QStringList countTables();      // count processes, count rows, work table, access rules
// Views and triggers: their syntax differs more than a token can cover.
QStringList viewsAndTriggers(const Dialect &dialect);

QString expand(const QString &statement, const Dialect &dialect);
// Names of the tables the statements above create, in creation order.
QStringList tableNames();

} // namespace erp::ddl
