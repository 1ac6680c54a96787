#pragma once

#include "selectcontext.h"

#include "host/dialect.h"
#include "host/recordset.h"
#include "host/sqlfragment.h"

#include <QHash>

class AppConnection;

// The documents posted after the snapshot that moved exactly the stock line of
// one count row: stock documents into the row's stock (A), requisitions (B) and
// transfers (C) out of it, and in MTO planning mode the MTO changes into (D) and
// out of (E) its MTO number. Only audited (or posted on save), not cancelled
// documents whose entries are free or reserved by this process. A cut-off process
// takes what is dated after its cut-off day, a current-stock process what has a
// higher id than at the snapshot. Every value is bound.
//
// Fields: FInterID, FCheckSelect, FDate, FInOrOut, FName, FBillNo, FSPName,
// FNumber, FItemName, FModel, FAuxPropName, FBatchNo, FMtoNo, FKFDate, FKFPeriod,
// FUnitName, FQty, FSecUnitName, FSecQty, FEntryID, FROB, FTranTypeID; ordered by
// date and number, a document's entries together.
class DocumentQuery
{
public:
    static constexpr int MtoChangeClass = 1107011; // FTranTypeID of an MTO change

    struct Options
    {
        int processId = 0;
        ProcessInfo process;
        SelectContext row;
        bool mtoPlanMode = false;
        bool fullNumbers = true; // FNumber, else FShortNumber
        QString language;        // "chs", "CHT" or "EN": the column of the type names
    };

    explicit DocumentQuery(const Options &options)
        : m_o(options)
    {}

    SqlFragment statement(const Dialect &dialect) const;
    // Runs the statement; a closed recordset with the connection's lastError() on failure.
    Recordset run(AppConnection &connection) const;

private:
    SqlFragment stockBranch(bool into) const;
    SqlFragment mtoBranch(bool into) const;
    SqlFragment commonLine(const QString &place, const QString &kfColumn) const;
    QHash<int, QString> typeNames(AppConnection &connection) const;

    Options m_o;
};
