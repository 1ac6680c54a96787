#pragma once

#include "countrowkey.h"
#include "hostcomponents.h"
#include "recordset.h"

#include <QString>
#include <QVariantMap>

// Shared look-ups of units, items and snapshot rows, and the base-data pickers.

// Name of a unit; its coefficient, and with `wantGroup` its unit group.
QString GetUnitInfo(int unitId, int *groupId, double *coefficient, bool wantGroup);
// Items by number (full or short by the numbering option), then by help code,
// then by barcode (type 4); the first try that finds rows wins. With a preferred
// item the first try keeps only that item when it is among the rows.
Recordset FindItem(const QString &text, int preferredItemId = 0);
// Removes one count row (a row added by hand).
bool DeleteSnapshotRow(const CountRowKey &key);
// Opens the base-data lookup of an item class (1-5, 8 items and the like, 7 units,
// 12 currencies, 13 accounts, 20-999 other base data); an empty record when the
// person cancels, when the class has no lookup, or while another lookup is open.
LookupRecord LookupBaseData(int itemClass, const QString &searchText, int dataType, const QVariantMap &options = {});
// F1 (key code 112) opens the help topic; other keys do nothing.
void ShowHelp(int keyCode, const QString &topic);
