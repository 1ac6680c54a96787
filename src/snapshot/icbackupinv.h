#pragma once

#include "snapshotparams.h"

#include "host/dberror.h"
#include "host/recordset.h"

#include <QDate>
#include <QString>
#include <QVariantMap>

#include <functional>

// The count processes and their snapshot engine: opens a count by copying book
// stock into count rows under a new process, with the pre-checks that may refuse
// it, and answers the process queries of the windows.
//
// The snapshot members are implemented in icbackupinv.cpp (and the files it
// splits into); the process queries are CountProcesses' (model layer), which the
// count sheet uses too.
class AppConnection;
class HostUi;
struct SnapshotContext;

class ICBackupInv
{
public:
    // The highest ids of the stock documents at the moment of a snapshot: stock
    // documents made later are the candidates of the reconciliation.
    struct MaxIds
    {
        int bill = 0;      // ICStockBill.FInterID (the document maximum)
        int mtoChange = 0; // t_MTOChange.FID
        int zp = 0;        // ZPStockBill.FInterID
        int po = 0;        // POStockBill.FInterID
        int stjg = 0;      // ICSTJGBill.FInterID
        int vmi = 0;       // ICVMIInStock.FID
    };

    // The windows' engine: the shared connection, its numbering option and the
    // host UI for messages, as they are when the engine is made.
    ICBackupInv();
    // Works on `connection` and nothing else of the shared state (a second
    // session, a worker thread with its own connection); tells no person.
    explicit ICBackupInv(AppConnection *connection, bool useFullNumber = false)
        : m_connection(connection)
        , m_useFullNumber(useFullNumber)
    {}

    // --- Snapshot ------------------------------------------------------------
    // Creates one process with its rows, all in one transaction that holds the
    // snapshot lock: header, rows, day counter and last-count stamps are written
    // together or not at all. Dialog: isCutDate as chosen, isCycle false,
    // stampLastCheck true, perStock false, isFirst false. A cycle count runs on the
    // due positions of "Stock"; run per stock, it collects the counted items in
    // `cycleTableName` (filled on the first call) and stamps them on the last.
    // Messages are shown through the host UI and kept in lastMessage().
    bool BackUpData(SnapshotParams &params, bool isCutDate, const QDate &cutDate, bool isCycle, bool stampLastCheck,
                    bool perStock, bool isFirst, QString &cycleTableName, bool &success);
    // Captures the document maxima (only documents dated up to `date` with
    // `limitToDate`) and marks the reserved numbers up to them as used.
    bool GetStockBillMaxID(bool limitToDate, const QDate &date);
    // The pre-checks; a non-empty message refuses the snapshot.
    bool SyncPosBill(QString &message);
    bool CheckStockRecCount(const SnapshotParams &params, bool isCutDate, const QDate &date, QString &message);
    bool CheckRetailBillNotSettle(const SnapshotParams &params, QString &message);
    bool CheckBillInterID(const SnapshotParams &params, QString &message);
    // The whole sequence before a dialog snapshot, in its order; false when refused
    // (`message` is empty when the system start date is unknown).
    bool PreCheck(SnapshotParams &params, bool isCutDate, const QDate &date, QString &message);
    // Entries of an item class for the dialog's trees (5 stocks, 8 suppliers,
    // 2037 categories, 2038 brands) with every group above them.
    bool FetchItem(int itemClass, Recordset &result);

    const MaxIds &capturedMaxIds() const { return m_max; }
    // The process of the last BackUpData: its id and number, and whether it was
    // created (a selection without rows creates none).
    int processId() const { return m_processId; }
    QString processNumber() const { return m_processNumber; }
    bool processCreated() const { return m_created; }
    QString lastMessage() const { return m_message; }
    const DbError &lastError() const { return m_error; }

    // --- Process queries and operations ----------------------------------------
    // See CountProcesses::GetProcList.
    bool GetProcList(bool all, bool ascending, const QVariantMap *options, bool recent, Recordset &result);
    // A pending edit of the process list: "FID", "ProcID" (the new name), "Remark".
    bool SaveProc(const QVariantMap &edit);
    // The numbers of the stock documents made by the process, joined by ","; empty
    // when there are none (or they could not be read: see lastError()).
    QString GetStockBillByProcID(int processId);
    // Deletes the process with its rows and frees the document, MTO change and VMI
    // entries reserved for it, in one transaction. Refuses (false, nothing changed)
    // when documents of the process exist by then.
    bool DelProcAndBackupData(int processId);
    bool StockIsBackuped(int stockId);
    // The stock's count has produced documents that still exist.
    bool StockIsFinished(int stockId);
    bool WrightStockFlag(int processId, const QString &flag);
    QString getStockFlag(int processId);
    bool WrightStockStatus(int processId, qint16 status);
    // Retail count or re-count documents of the process that are not audited yet.
    bool isHaveUnCheckBill(int processId);
    // The audited retail counts and re-counts of the process merged into its count
    // rows, in one transaction.
    bool UpdateStockBillDate(int processId);
    // Cancels the stock documents of the process.
    bool DisableStockBill(int processId);
    // The user names for a combo box, in id order, separated by "|".
    QString GetUserComboBoxString();

    // --- Cycle counts ------------------------------------------------------------
    // The positions due for a count under their item's cycle, in `stocks` (every
    // stock when empty), ordered by stock number and name and item number.
    // `statement` receives the query that lists them; with `textOnly` nothing runs.
    bool GetCheckCycItem(QString &statement, bool textOnly, const QList<int> &stocks, Recordset &result);
    // The ids of the stocks holding due positions, ascending.
    bool GetCheckCycStockID(Recordset &result);

private:
    AppConnection *connection() const;
    // Runs a query of the checks; false (with lastError()) when it failed.
    bool query(AppConnection &conn, const SqlFragment &sql, Recordset &result);
    // Shows a message through the host UI (when there is one) and keeps it.
    void tell(const QString &text, const QString &details = {});
    enum class Outcome { Done, NoData, Failed };
    Outcome runSnapshot(SnapshotParams &params, bool isCutDate, const QDate &cutDate, bool isCycle, bool stampLastCheck,
                        bool perStock, bool isFirst, QString &cycleTableName);
    // The transaction of a snapshot; false (with the message) when there is
    // nothing to take at the cut-off date. Throws DbException.
    bool writeSnapshot(SnapshotContext &ctx, SnapshotParams &params, QString &cycleTableName, QString *noData);
    // Runs `work` in one transaction; false with lastError() when it threw.
    bool inTransaction(const std::function<void(AppConnection &)> &work);
    // Throws DbException.
    void captureMaxIds(AppConnection &conn, bool limitToDate, const QDate &date);

    AppConnection *m_connection = nullptr;
    HostUi *m_ui = nullptr;
    bool m_useFullNumber = false;
    MaxIds m_max;
    bool m_maxCaptured = false;
    int m_processId = 0;
    QString m_processNumber;
    bool m_created = false;
    QString m_message;
    DbError m_error;
};
