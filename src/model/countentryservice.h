#pragma once

#include "countjournal.h"

#include "host/dberror.h"

#include <QString>

class AppConnection;

// What a single-row entry came to.
struct CountEntryResult
{
    enum class Status {
        Done,     // written with its journal entry
        Repeated, // the client's id was seen before: the first result, nothing changed
        Refused,  // an entry rule refused it (message says which): nothing changed
        Gone,     // no such count row (or no add to undo)
        Failed,   // the database refused it (error): nothing changed
    };
    Status status = Status::Failed;
    qint64 entryId = 0;
    CountRowKey key;
    CountFigures counted; // the row's counted figures after the entry
    QString message;      // for Refused, Gone and Failed, in the user's language
    DbError error;

    bool ok() const { return status == Status::Done || status == Status::Repeated; }
};

// Counted figures of one row written without the count sheet: a scan, a handheld,
// the command line. Each call is one transaction with its journal entry. The
// database adds (an add never overwrites a concurrent one), the base and
// secondary figures follow the row's unit as the entry grid derives them, the
// actual quantities keep the differences documents put in, and the row passes
// the same rules as a save from the grid (places, no negative count, limits,
// direction of the differences). A client's entry id makes a retry harmless: the
// first result is answered and nothing changes.
class CountEntryService
{
public:
    // Adds `qty` (in the row's unit) to the row's count.
    static CountEntryResult add(AppConnection &conn, const CountRowKey &key, double qty, const QString &source,
                                int userId, const QString &clientEntryId = {});
    // Replaces the row's count with `qty` (in the row's unit).
    static CountEntryResult set(AppConnection &conn, const CountRowKey &key, double qty, const QString &source,
                                int userId, const QString &clientEntryId = {});
    // Takes back the user's last add in the process that is not undone yet.
    static CountEntryResult undoLastAdd(AppConnection &conn, int processId, int userId, const QString &source,
                                        const QString &clientEntryId = {});
};
