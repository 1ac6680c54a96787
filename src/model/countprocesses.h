#pragma once

#include "host/recordset.h"

#include <QVariantMap>

class AppConnection;

// The count processes as the process list, the count sheet and the snapshot engine
// ask for them. Works on the connection it is handed.
class CountProcesses
{
public:
    explicit CountProcesses(AppConnection &connection)
        : m_connection(connection)
    {}

    // Processes with their operator's name ("username") first, ordered by FID.
    // `all` false: open processes only (FStatus = 0); `recent`: the last seven days;
    // `options` may carry "AdvancedFilter": a list of conditions, each a map with
    // "Field" (a column of the list), "Compare" (= <> < > <= >= like) and "Value",
    // all of which must hold; a condition naming anything else refuses the list.
    bool GetProcList(bool all, bool ascending, const QVariantMap *options, bool recent, Recordset &result);

private:
    AppConnection &m_connection;
};
