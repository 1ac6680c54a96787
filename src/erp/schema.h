#pragma once

#include <QString>

class AppConnection;

namespace erp {

// Creates the host tables and the count tables with their indexes, on SQLite and
// PostgreSQL alike. Idempotent: tables that exist are left as they are.
bool createSchema(AppConnection &connection, QString *error);
// True when the count tables exist (the database has been set up).
bool schemaExists(AppConnection &connection);

} // namespace erp
