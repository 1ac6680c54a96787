#pragma once

#include <QDate>
#include <QString>

class AppConnection;

namespace erp {

// Deterministic demo data: the same options always give the same rows.
struct DemoOptions
{
    // Number of stock positions (rows of current stock) to generate, roughly;
    // items, stocks and documents scale with it. Small by default.
    int size = 300;
    // The day the data is built around ("today" of the demo); documents and
    // accounting periods are laid out around it.
    QDate today = QDate::currentDate();
    quint32 seed = 20261206;
};

// Fills an empty, set-up database (createSchema first). Refuses a database that
// already holds demo data, leaving it unchanged.
bool fillDemoData(AppConnection &connection, const DemoOptions &options, QString *error);
// True when the database already holds data (items).
bool hasData(AppConnection &connection);

} // namespace erp
