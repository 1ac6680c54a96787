#pragma once

class AppConnection;

// Rows every host database carries from its installation on: transaction and class
// type names, the "no stock place" row, the day counter of process numbers and the
// column definitions of the count sheet. Only missing rows are added, so running
// them again changes nothing. Throw DbException; run inside the schema transaction.
namespace erp {
void seedSystemRows(AppConnection &connection);
void seedColumnDefinitions(AppConnection &connection);
} // namespace erp
