#pragma once

#include "host/sheetmode.h"

#include "host/sqlfragment.h"

#include <array>

#include <QString>
#include <QStringList>

class Dialect;

// The statements behind the count sheet: its column definitions, and its rows per
// mode (1 check, 3 print the count book, anything else: enter counted quantities).
namespace sheetquery {

// Column definitions of a mode in definition order; `captionColumn` is one of
// FColCaption, FColCaption_CHT, FColCaption_EN. Binds the mode.
QString columnDefinitions(const QString &captionColumn);
// Caption, filter and sort flags of the definitions of a mode. Binds the mode.
QString headColumns(const QString &captionColumn);

struct RowQuery
{
    SheetMode mode = SheetMode::Entry;
    int processId = 0;
    SqlFragment extraCondition; // " AND ..." on the snapshot rows (t1), or empty
    bool showDeleted = false;
    // Items of the master without a snapshot row, once per stock of the process
    // (the count book only).
    bool includeItemsWithoutStock = false;
    // Row-level access: a join (starting with ",") and a condition.
    SqlFragment accessFrom, accessWhere;
    SqlFragment itemAccessFrom, itemAccessWhere;
    SqlFragment filter; // on the sheet's columns, empty for none
    QString sortBy;     // checked order text, empty for the default
    // Blind counting: the book quantities and differences come back NULL, so no
    // filter, sort, total or output built on the rows can show them.
    bool blind = false;
};

// The columns of the row query that blind counting leaves NULL.
const QStringList &bookFields();
// Blind entry mode only: the book in the base unit, the row's unit and the
// secondary unit under these names, for the grid's hidden book cells.
const std::array<QString, 3> &hiddenBookFields();

SqlFragment rows(const Dialect &dialect, const RowQuery &query);

// The sort order as it goes into the statement, or the default order when `sortBy`
// is empty or is not a plain list of column names with ASC/DESC. NULLs sort first
// ascending and last descending on both engines.
QString orderBy(const QString &sortBy);

} // namespace sheetquery
