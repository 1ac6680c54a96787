#pragma once

#include "host/recordset.h"

#include <QDate>
#include <QString>
#include <QVariantMap>

// The count processes and their snapshot engine: opens a count by copying book
// stock into count rows under a new process, with the pre-checks that may refuse
// it, and answers the process queries of the windows.
//
// The snapshot members are implemented in icbackupinv.cpp (and the files it
// splits into); the process queries in icbackupinv_processes.cpp.
class ICBackupInv
{
public:

    // --- Process queries -------------------------------------------------------
    // Processes with their operator's name ("username") first, ordered by FID.
    // `all` false: open processes only (FStatus = 0); `recent`: the last seven days;
    // `options` may carry "AdvancedFilter" (a structured filter, see the .cpp).
    bool GetProcList(bool all, bool ascending, const QVariantMap *options, bool recent, Recordset &result);
};
