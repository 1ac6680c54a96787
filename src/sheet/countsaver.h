#pragma once

#include "entrysession.h"
#include "model/countjournal.h"
#include "model/countrowcheck.h"
#include "model/entrygrid.h"

#include "host/appconnection.h"
#include "host/countrowkey.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class HostUi;

// The figures of one grid row that saving writes into its count row.
struct CountRowValues
{
    int itemId = 0, unitId = 0, auxPropId = 0, stockId = 0, stockPlaceId = 0, kfPeriod = 0;
    QString batchNo, mtoNo, kfDate; // kfDate "yyyy-MM-dd" or empty
    QString note, complexQty;
    double checkQty = 0, diffQty = 0;                             // base counted, document difference
    double unitAccountQty = 0, unitCheckQty = 0, unitDiffQty = 0; // in the row's unit
    double secUnitQty = 0, secQtyAct = 0, secCheckQty = 0, secAdjQty = 0, secDiffQty = 0;
    double coefficient = 0, adjQty = 0, accountQty = 0;
    double baseActual = 0; // for the check only
    int decimals = 0;

    static CountRowValues fromGrid(const EntryGrid &grid, int row);
    CountRowKey key(int processId) const;
};

// Writes the counted figures of the entry grid into the count rows: every changed
// row is checked, rejected rows are listed, accepted ones are written in batches of
// 100 grid rows, each batch one transaction. A batch the database refuses is
// written again row by row, so one bad row never keeps the others from being
// saved; the rows it could not write are listed with the database's reason. A
// written row is no longer marked changed: the next save writes what changed
// since. Book quantities are never written: they are the snapshot's. The window
// forwards its "保存" command, the loss of the grid's focus and the saves with
// asking to SaveStockData(). The process, the operator and the plan-mode flag are
// the ones handed in: another count window may show another process at the same
// time, and a worker thread has its own connection. Every row written gets its
// count journal entry in the same transaction. A changed row that somebody else
// changed after the window read it is not overwritten silently: the person sees
// the other entry and keeps their figure, takes the other one, or saves nothing.
class CountSaver
{
public:
    enum class SaveResult {
        NotChanged, // nothing to save
        Declined,   // the person answered No
        Saved,      // everything written, data changed cleared
        Rejected,   // rows rejected by the check or gone (listed); the others written, data changed stays
        Failed,     // rows the database refused (listed): the others written, data changed stays
    };
    enum class DeleteResult { Nothing, Declined, Refused, Deleted, Failed };
    struct RowWrite
    {
        RowCheck check = RowCheck::Accepted;
        bool written = false;
        QString refused; // an entry rule refused the figures (FillDiffQty)
    };
    struct Options
    {
        int processId = 0;
        int operatorId = 0;                  // written as FChecker
        bool mtoPlanMode = false;            // the error list shows the plan tracking number
        QString source = CountSource::sheet; // of the count journal's entries
    };
    // Rows written per transaction.
    static constexpr int batchRows = 100;

    CountSaver(EntryGrid &grid, EntrySession &session, AppConnection &connection, HostUi *ui, const Options &options);

    // Status panel 1 and the barcode box belong to the window.
    void setStatusSink(std::function<void(const QString &)> sink) { m_status = std::move(sink); }
    void setFocusBarcode(std::function<void()> focus) { m_focusBarcode = std::move(focus); }
    // The error list has closed: the window puts the cursor where the next scan goes.
    void setListClosed(std::function<void()> closed) { m_listClosed = std::move(closed); }
    // One set-based statement pair per batch (default) or one statement pair per row.
    void setSetBased(bool on) { m_setBased = on; }

    SaveResult SaveStockData(bool ask);
    // Checks one row and, when it passes, writes it at once (no message either way).
    RowWrite saveRow(int row);
    // The documents window worked out the row's document differences: write them
    // (when `calculated`), recompute from the base counted quantity, and store the
    // row at once. The window makes the base counted cell current.
    RowWrite FillDiffQty(int row, bool calculated, double baseDiff, double secDiff);
    // mnuSubItem: deletes a row added by hand (asks first, refuses a row with book
    // stock). Deleted means the rows must be reloaded.
    DeleteResult deleteAddedItem(int row);

    // The database's complaint after a row was not written (the first one of a save).
    const DbError &lastError() const { return m_error; }

    static RowCheck checkRow(const CountRowValues &values);
    static QString checkMessage(RowCheck check);
    // Why the database refused a row, in the user's language where the kind of
    // refusal is known (a figure too large, a constraint, a lock), else its own text.
    static QString failureReason(const DbError &error);
    // The two statements of one row: its figures, then its differences computed by
    // the database from the figures just written.
    static QList<SqlStatement> rowStatements(const CountRowValues &values, int processId, int checker);
    // The same for many rows: one statement for the figures of all rows, one for
    // their differences.
    static QList<SqlStatement> batchStatements(const QList<CountRowValues> &rows, int processId, int checker,
                                               const Dialect &dialect);
    // Titles and widths of the error list.
    // The grid holds the row of `key` as its journal entry `entryId` left it: a
    // later save does not take that entry, or earlier ones, for somebody else's.
    static void noteRowSeen(EntrySession &session, const CountRowKey &key, qint64 entryId);

    static QStringList errorTitles(bool mtoPlanMode);
    static QList<int> errorWidths(bool mtoPlanMode);
    QStringList errorLine(int row, const QString &reason) const;

private:
    // batchStatements() over the rows' array made once (`json`), and the count
    // journal's entries of the rows they wrote (the figures after the save) from
    // the same array.
    static QList<SqlStatement> batchStatements(const QString &json, int processId, int checker, const Dialect &dialect);
    // PostgreSQL: the batch's figures statement that journals the rows it wrote.
    SqlStatement journaledFiguresStatement(const QString &json, const Dialect &dialect) const;
    static SqlStatement journalStatement(const QString &json, int processId, const Dialect &dialect,
                                         CountEntryKind kind, const QString &source, int userId);

    struct Pending
    {
        int row;
        CountRowValues values;
    };
    enum class RowOutcome { Written, Gone, Refused };
    bool resolveConflicts();
    bool askAboutConflict(int row, const CountRowValues &values, const CountJournalEntry &other);
    void noteWrittenRows(const QList<Pending> &attempted);
    void writeBatch(const QList<Pending> &rows, QList<QStringList> *errors);
    void writeOneByOne(const QList<Pending> &rows, QList<QStringList> *errors);
    RowOutcome writeRow(const CountRowValues &values);
    bool deleteRow(const CountRowKey &key);
    void status(const char *text);

    EntryGrid &m_grid;
    EntrySession &m_session;
    AppConnection &m_connection;
    HostUi *m_ui;
    Options m_options;
    std::function<void(const QString &)> m_status;
    std::function<void()> m_focusBarcode;
    std::function<void()> m_listClosed;
    bool m_setBased = true;
    CountEntryKind m_kind = CountEntryKind::Set; // of the entries written now
    DbError m_error;
    int m_refused = 0;      // rows the database refused in this save
    int m_gone = 0;         // changed rows whose count row is gone from the database
    qint64 m_journaled = 0; // journal entries this save wrote
};
