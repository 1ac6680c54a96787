#pragma once

#include "snapshotcontext.h"

#include "host/sqlfragment.h"

#include <QList>

// The statements of a snapshot that write count rows and the process header.
namespace SnapshotSql {

// The name of the temporary table of due positions of a cycle count.
inline const QString cycleTable = QStringLiteral("temp1");

// Current stock of one ledger ("ICInventory" or "POInventory") into count rows,
// one row per stock position, with the starting counted quantities.
SqlFragment currentStockInsert(const SnapshotContext &ctx, const QString &ledger);
// The summed signed parts of the work table into count rows (cut-off snapshot).
SqlFragment workTableInsert(const SnapshotContext &ctx);

SqlFragment rowsExist(const SnapshotContext &ctx);
SqlFragment processHeader(const SnapshotContext &ctx);
SqlFragment dayCounter(const SnapshotContext &ctx);
// The last-count stamps of the snapshot's items (and, for a per-stock cycle run,
// the collection of its items in the per-run table).
QList<SqlFragment> lastCheckStamps(const SnapshotContext &ctx);

SqlFragment clearWorkTable();

// The per-run table name quoted for SQL; empty when the name is not one this
// program makes (digits, letters, underscores).
QString quotedName(const QString &name);

} // namespace SnapshotSql
