#pragma once

#include <QString>

class AppConnection;

// The number and id of a new count process: the server's day as yyyyMMdd and a
// four-digit day counter (icbillno, FBillID = -1), and the largest FID plus 1.
// The counter restarts at 1 when the newest process is not from today, and moves
// on past numbers that are already taken. It is not advanced here: the snapshot
// sets it from the new id when it writes the process. Runs inside the caller's
// snapshot transaction, which serialises allocations; throws DbException.
struct ProcessNumber
{
    int id = 0;
    QString number;

    static ProcessNumber allocate(AppConnection &connection);
};
