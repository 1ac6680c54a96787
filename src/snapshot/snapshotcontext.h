#pragma once

#include "icbackupinv.h"

#include "host/sqlfragment.h"

#include <QDate>
#include <QList>
#include <QString>

class AppConnection;

// Everything one snapshot run decides before it writes: the new process, the kind
// of snapshot, the stocks and the goods and access restrictions (as bound SQL).
struct SnapshotContext
{
    AppConnection *conn = nullptr;
    int processId = 0;
    QString processNumber;
    int operatorId = 0;
    QDate countDate; // "CutDate": the process date and the last count date
    QDate cutDate;   // the cut-off date of a cut-off snapshot
    bool cutOff = false;
    bool cycle = false;
    bool stampLastCheck = false;
    bool perStock = false;
    bool isFirst = false;
    bool inputStockDate = false; // IsInputStockDate: counted quantities start at the book's
    QList<int> stocks;
    SqlFragment goods;       // " AND ..." on t4/t5, or empty
    SqlFragment accessFrom;  // ", (...) te" joined after the other tables, or empty
    SqlFragment accessWhere; // condition on t1, or empty
    ICBackupInv::MaxIds max;
    QString cycleTable; // the per-run item table of a per-stock cycle count
};
