#pragma once

#include "sheetmode.h"

#include "hostcomponents.h"
#include "loginprops.h"
#include "sqlfragment.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class AppConnection;
class HostUi;

// Row filter and order of the count sheet, chosen in the filter dialog. Both are
// compiled from checked column names and bound values, never typed SQL.
struct FilterSettings
{
    SqlFragment filter; // condition on the sheet's columns, empty for none
    QString sortBy;     // "FStockName Desc,FSPName,FName" style, empty for the default
    // The dialog's grid rows behind them (cells joined by tabs), shown again when it reopens.
    QStringList filterRows, sortRows;
    void clear()
    {
        filter = {};
        sortBy.clear();
        filterRows.clear();
        sortRows.clear();
    }
};

// The process-wide state every window and model reads: the connection, the
// operator, the host's components and the flags read from the system parameters.
// One object, reached through shared(); the entry class writes it.
struct SharedState
{
    AppConnection *connection = nullptr; // the connection broker: all SQL goes through it
    int operatorId = 0;
    bool isTest = false;
    bool showFilterBeforeCheck = false;
    bool filterCancelled = false;
    FilterSettings filterSettings;
    QVariantMap hostContext; // "UserID", "CurYear", "CurPeriod"
    bool useFullNumber = true;
    int enableMtoPlanMode = 0;
    int currentPeriod = 0;
    QDate periodFirstDate, periodSecondDate;
    QString propsString; // the host login property string as it was given
    LoginProps loginProps;

    // Count sheet: mode (1 check, 3 print book, 4 input) and the process shown.
    SheetMode showType = SheetMode::Entry;
    int currentProcess = 0;

    HostComponents components;
    HostUi *ui = nullptr;

    // Drops everything (tests start each case from here).
    void reset();
};

SharedState &shared();
