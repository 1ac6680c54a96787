#pragma once

#include "hostcomponents.h"
#include "recordset.h"
#include "sqlfragment.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

// System parameters (t_SystemProfile), the current period and its dates, the
// server date, and the row-level access fragments: the reads every window makes
// through the shared connection. A missing parameter row never fails: each read
// takes the default its caller expects.

// Values of `keys` in `category`, trimmed key -> value; a later row with the same
// key wins. Database errors are thrown (DbException).
QHash<QString, QString> GetSystemProfile(const QString &category, const QStringList &keys);
// One value, or `fallback` when the row is missing (never throws).
QString SystemValue(const QString &category, const QString &key, const QString &fallback = {});

// Reads "UseShortNumber": true (full numbers) unless it is 1; false without a row.
// The answer is also kept in shared().useFullNumber. Throws database errors.
bool GetConnection();
// "EnableMtoPlanMode" as an integer, 0 when absent or unreadable.
int ReadEnableMtoPlanMode();
// "ShowFilterBeforeCheck": a number other than 0 is true; false without a row.
bool ReadShowFilterBeforeCheck();

// Current period ("CurrentPeriod", "CurrentYear") and its two dates from the list
// server; stores the period in the shared state. False when the period row is missing.
bool GetCurPeriodDates(QDate *first, QDate *second);
QDateTime GetServerDateTime(); // invalid on failure
QDate GetServerDate();         // the server's day (time dropped); invalid on failure
bool IsAfterPeriodStart();     // server day on or after the first period date
bool CheckDate();              // server day on or after the second period date
QDate GetStartDate();          // start date of the start period; invalid when unknown

// "AlertSameCheckStockRecord" is "1"; false (and a false result) on a database error.
bool GetAlertSameRecord(bool *flag);
// Updates the parameter, or adds its row when the database has none. On failure
// nothing changes and the connection's lastError() says why.
void SetAlertSameRecord(bool flag);
bool GetComplexQtyFlag();

// Records the backup type of a process (and a missing FMaxBillInterID) and caches
// "<id>|BackupType" and "<id>|MaxInterID" in `cache`.
bool SetBackupType(int processId, int backupType, QHash<QString, QVariant> &cache);

// Row-level access: the join and the condition that restrict a query for the user;
// both stay empty when no rules apply to the user. False when the rules cannot be
// read: the caller refuses rather than showing everything. The rules are read on
// `connection`; the overload without it is the windows', on the shared connection.
bool GetDataAccessSQL(AppConnection &connection, const QString &propsString, int userId, const QStringList &tableNames,
                      const QList<DataAccessSetting> &settings, SqlFragment *from, SqlFragment *where,
                      bool useFirstVariant);
bool GetDataAccessSQL(const QString &propsString, int userId, const QStringList &tableNames,
                      const QList<DataAccessSetting> &settings, SqlFragment *from, SqlFragment *where,
                      bool useFirstVariant);
// Stocks the user may see (FName, FItemID, FIsStockMgr), optionally one by number.
// Without the row-level access component nothing is listed rather than everything.
Recordset GetStockList(const QString &number = {});
