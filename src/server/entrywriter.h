#pragma once

#include "host/countrowkey.h"

#include <QJsonArray>
#include <QString>

class AppConnection;

// The one place where the server writes counted quantities: an entry from a
// handheld, its undo, and the list of a user's last entries.
struct HandheldEntry
{
    CountRowKey key;
    double qty = 0; // in the row's unit
    bool add = false;
    int userId = 0;
    QString clientEntryId;
    QString device;
};

struct EntryOutcome
{
    int status = 200; // 4xx with `code` and `message` when refused
    QString code, message;
    bool repeated = false; // the client entry id was seen before: nothing changed
    qint64 entryId = 0;
    double counted = 0; // the row's counted quantity afterwards, in the row's unit
    double qty = 0;     // the quantity of the entry (for an undo: the quantity undone)
};

namespace handheld {

EntryOutcome storeEntry(AppConnection &conn, const HandheldEntry &entry);
// Undoes the last add of `userId` in the process.
EntryOutcome undoLastAdd(AppConnection &conn, int process, int userId, const QString &device);
// The user's last entries in the process, newest first.
QJsonArray lastEntries(AppConnection &conn, int process, int userId, int limit);

} // namespace handheld
