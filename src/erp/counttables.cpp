#include "schemaddl.h"

// The count tables: processes, count rows, the count journal and the snapshot
// work table, plus the rules table of row-level access.

namespace {

// FStatus 0 = open; FBackupType 1 = current stock, 2 = as at a cut-off date.
const char *const kProcess = R"(
CREATE TABLE IF NOT EXISTS ICStockCheckProcess (
    FID INTEGER NOT NULL PRIMARY KEY,
    FProcessID {T:50} NOT NULL,
    FDate {D} NULL,
    FOperatorID INTEGER NOT NULL DEFAULT 0,
    FPrintSettings {T:255} NOT NULL DEFAULT '',
    FStatus SMALLINT NOT NULL DEFAULT 0,
    FRemark {T:255} NOT NULL DEFAULT '',
    FBackupType INTEGER NULL,
    FMaxBillInterID INTEGER NULL,
    FMaxMTOChangeID INTEGER NULL,
    FStockFlag {T:255} NULL
))";

// One row per stock position of a process. A row is identified by FInterID,
// FItemID, FAuxPropID, FUnitID, FBatchNo, FMtoNo, FKFDate, FKFPeriod, FStockID and
// FStockPlaceID; the same identity may occur twice when a position is held in both
// ledgers, so it is not a unique key. FKFDate is "yyyy-MM-dd" or '' (never NULL):
// '' rather than the 0 of the original layout, so that "no date" compares equal
// everywhere. Quantities without a default stay NULL when a writer leaves them
// out, as the sheet's "counted rows" view relies on.
const char *const kBackup = R"(
CREATE TABLE IF NOT EXISTS ICInvBackup (
    FInterID INTEGER NOT NULL,
    FBrNo {T:10} NOT NULL DEFAULT '0',
    FItemID INTEGER NOT NULL,
    FAuxPropID INTEGER NOT NULL DEFAULT 0,
    FUnitID INTEGER NOT NULL,
    FBatchNo {T:200} NOT NULL DEFAULT '',
    FMtoNo {T:300} NOT NULL DEFAULT '',
    FStockID INTEGER NOT NULL,
    FStockPlaceID INTEGER NOT NULL DEFAULT 0,
    FKFDate {T:20} NOT NULL DEFAULT '',
    FKFPeriod INTEGER NOT NULL DEFAULT 0,
    FQty {Q} NULL,
    FAuxQty {Q} NULL,
    FQtyAct {Q} NULL,
    FAuxQtyAct {Q} NULL,
    FCheckQty {Q} NULL,
    FAuxCheckQty {Q} NULL,
    FComplexQty {T:300} NULL,
    FAdj SMALLINT NOT NULL DEFAULT 0,
    FAdjQty {Q} NOT NULL DEFAULT 0,
    FSelect SMALLINT NOT NULL DEFAULT 0,
    FMinus {Q} NULL,
    FNote {T:255} NULL,
    FDateBackup {D} NULL,
    FMaxBillInterID INTEGER NULL,
    FSecUnitID INTEGER NOT NULL DEFAULT 0,
    FSecQty {Q} NOT NULL DEFAULT 0,
    FSecQtyAct {Q} NOT NULL DEFAULT 0,
    FSecCheckQty {Q} NOT NULL DEFAULT 0,
    FSecAdjQty {Q} NOT NULL DEFAULT 0,
    FSecMinus {Q} NOT NULL DEFAULT 0,
    FChecker INTEGER NULL,
    FBal {Q} NULL,
    FBillInterID INTEGER NULL,
    FReCheckQty {Q} NULL,
    FReCheckFlag INTEGER NULL DEFAULT 0
){UPDATED_ROWS})";

// Signed partial quantities per stock position of a cut-off snapshot; emptied
// before and after every snapshot. (FQytLock is spelt as the host spells it.)
const char *const kBackupTemp = R"(
CREATE TABLE IF NOT EXISTS ICInvBackupTemp (
    FBrNo {T:10} NULL DEFAULT '0',
    FItemID INTEGER NOT NULL,
    FStockID INTEGER NOT NULL,
    FBatchNo {T:200} NULL DEFAULT '',
    FMtoNo {T:300} NULL DEFAULT '',
    FStockPlaceID INTEGER NULL DEFAULT 0,
    FKFDate {T:20} NULL DEFAULT '',
    FKFPeriod INTEGER NULL DEFAULT 0,
    FQty {Q} NULL,
    FQytLock {Q} NULL,
    FQtyAct {Q} NULL,
    FCheckQty {Q} NULL,
    FSelect SMALLINT NULL DEFAULT 0,
    FAdj SMALLINT NULL DEFAULT 0,
    FDateBackup {D} NULL,
    FMaxBillInterID INTEGER NULL,
    FAuxQty {Q} NULL,
    FAuxQtyAct {Q} NULL,
    FAuxCheckQty {Q} NULL,
    FInterID INTEGER NULL,
    FSecQty {Q} NULL,
    FAdjQty {Q} NULL,
    FAuxPropID INTEGER NULL DEFAULT 0
))";

// One row per change of a count row's counted figures, appended in the same
// transaction as the change. Replaying a row's entries in FID order gives its
// counted figures (FAuxCheckQty, FCheckQty, FSecCheckQty in FAuxQty, FQty,
// FSecQty): an add (2) or undo (3) carries the change, every other kind the
// row's figures after it. A start entry (0) keeps the figures a row had before
// the first add, so a row counted from its book quantities replays too. FKind:
// 0 start, 1 set, 2 add, 3 undo, 4 recount, 5 import, 6 added item, 7 retail
// result, 8 documents folded in. FUndoneID: the add an undo takes back.
// FClientEntryID: a handheld's own id of an entry, so a retry is not counted twice.
const char *const kJournal = R"(
CREATE TABLE IF NOT EXISTS ICStockCheckJournal (
    FID {ID},
    FInterID INTEGER NOT NULL,
    FItemID INTEGER NOT NULL,
    FAuxPropID INTEGER NOT NULL DEFAULT 0,
    FUnitID INTEGER NOT NULL,
    FBatchNo {T:200} NOT NULL DEFAULT '',
    FMtoNo {T:300} NOT NULL DEFAULT '',
    FKFDate {T:20} NOT NULL DEFAULT '',
    FKFPeriod INTEGER NOT NULL DEFAULT 0,
    FStockID INTEGER NOT NULL,
    FStockPlaceID INTEGER NOT NULL DEFAULT 0,
    FAuxQty {Q} NOT NULL DEFAULT 0,
    FQty {Q} NOT NULL DEFAULT 0,
    FSecQty {Q} NOT NULL DEFAULT 0,
    FKind SMALLINT NOT NULL,
    FSource {T:255} NOT NULL DEFAULT '',
    FUserID INTEGER NOT NULL DEFAULT 0,
    FTime {D} NOT NULL,
    FUndoneID INTEGER NULL,
    FClientEntryID {T:100} NULL
))";

// Row-level access rules: a user with rows for a table sees only those ids of it;
// a user without any row is not restricted.
const char *const kUserDataAccess = R"(
CREATE TABLE IF NOT EXISTS t_UserDataAccess (
    FUserID INTEGER NOT NULL,
    FTableName {T:50} NOT NULL,
    FItemID INTEGER NOT NULL
))";

// The host's rights of the count module: a user holds a right when a row names it
// ("BackupStock", "ViewCountReport", "ChangeCountPlan", "DeleteCountPlan").
const char *const kUserRight = R"(
CREATE TABLE IF NOT EXISTS t_UserRight (
    FUserID INTEGER NOT NULL,
    FRight {T:50} NOT NULL
))";

// The host's business log: who did what, when.
const char *const kLog = R"(
CREATE TABLE IF NOT EXISTS t_Log (
    FID INTEGER NOT NULL PRIMARY KEY,
    FDate {D} NOT NULL,
    FUserID INTEGER NOT NULL,
    FFunctionID {T:20} NOT NULL DEFAULT '',
    FDescription {T:255} NOT NULL DEFAULT ''
))";

// Sessions of stockcheck-server: the hash of the token the device holds (never
// the token), its user and when it ends (seconds since 1970, server time). Every
// server instance reads and writes here, so any of them serves any request.
// FInterID and FLastEntry say which process a device counts and when it last sent
// an entry, for the count sheet's "counted from handhelds".
const char *const kSession = R"(
CREATE TABLE IF NOT EXISTS ICStockCheckSession (
    FToken {T:64} NOT NULL PRIMARY KEY,
    FUserID INTEGER NOT NULL,
    FCreated BIGINT NOT NULL,
    FExpires BIGINT NOT NULL,
    FDevice {T:120} NOT NULL DEFAULT '',
    FInterID INTEGER NOT NULL DEFAULT 0,
    FLastEntry BIGINT NOT NULL DEFAULT 0
))";

// Failed logins at stockcheck-server by user name, to slow down guessing.
const char *const kLoginFailure = R"(
CREATE TABLE IF NOT EXISTS ICStockCheckLoginFailure (
    FName {T:80} NOT NULL,
    FTime BIGINT NOT NULL
))";

const char *const kCountIndexes[] = {
    "CREATE INDEX IF NOT EXISTS ix_ICStockCheckProcess_number ON ICStockCheckProcess (FProcessID)",
    // the listing order of a process, and the leading columns of a row's identity
    "CREATE INDEX IF NOT EXISTS ix_ICInvBackup_row ON ICInvBackup "
    "(FInterID, FStockID, FStockPlaceID, FItemID, FBatchNo, FMtoNo, FAuxPropID)",
    "CREATE INDEX IF NOT EXISTS ix_ICInvBackup_stock ON ICInvBackup (FStockID)",
    "CREATE INDEX IF NOT EXISTS ix_ICInvBackup_item ON ICInvBackup (FItemID)",
    "CREATE INDEX IF NOT EXISTS ix_ICInvBackupTemp_item ON ICInvBackupTemp (FItemID)",
    // the entries of one row (history, replay), of one process (its user's last add)
    // (the leading columns of a row's key: narrow, so that appending stays cheap)
    "CREATE INDEX IF NOT EXISTS ix_ICStockCheckJournal_row ON ICStockCheckJournal "
    "(FInterID, FItemID, FStockID, FStockPlaceID, FID)",
    "CREATE INDEX IF NOT EXISTS ix_ICStockCheckJournal_process ON ICStockCheckJournal (FInterID, FUserID, FKind, FID)",
    // whether an add is undone, asked per add by undo and the handheld's list: only undos carry it
    "CREATE INDEX IF NOT EXISTS ix_ICStockCheckJournal_undone ON ICStockCheckJournal (FUndoneID) "
    "WHERE FUndoneID IS NOT NULL",
    "CREATE UNIQUE INDEX IF NOT EXISTS ux_ICStockCheckJournal_client ON ICStockCheckJournal "
    "(FInterID, FClientEntryID) WHERE FClientEntryID IS NOT NULL",
    "CREATE INDEX IF NOT EXISTS ix_t_UserDataAccess_user ON t_UserDataAccess (FUserID, FTableName)",
    "CREATE INDEX IF NOT EXISTS ix_t_UserRight_user ON t_UserRight (FUserID, FRight)",
    "CREATE INDEX IF NOT EXISTS ix_ICStockCheckSession_process ON ICStockCheckSession (FInterID, FLastEntry)",
    "CREATE INDEX IF NOT EXISTS ix_ICStockCheckLoginFailure_name ON ICStockCheckLoginFailure (FName, FTime)",
};

} // namespace

namespace erp::ddl {

QStringList countTables()
{
    QStringList out;
    for (const char *s :
         {kProcess, kBackup, kBackupTemp, kJournal, kUserDataAccess, kUserRight, kLog, kSession, kLoginFailure})
        out << QString::fromUtf8(s);
    for (const char *s : kCountIndexes)
        out << QString::fromLatin1(s);
    return out;
}

} // namespace erp::ddl
