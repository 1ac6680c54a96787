#pragma once

class AppConnection;

// How many people count a process from handhelds right now: users with a live
// stockcheck-server session that sent an entry to the process within the last
// `withinSeconds`. 0 when nobody does, or when the database has no sessions table.
int handheldCounters(AppConnection &conn, int processId, int withinSeconds = 900);
