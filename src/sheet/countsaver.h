#pragma once

#include "model/entrygrid.h"
#include "entrysession.h"

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

// Why a changed row is not written.
enum class RowCheck {
    Accepted = 0,
    NegativeBook = 1, // negative book quantity and an actual quantity below it
    Direction = 2,    // a secondary difference without a base one, or the two of opposite signs
};

// Writes the counted figures of the entry grid into the count rows: every changed
// row is checked, rejected rows are listed, accepted ones are written in batches of
// 100 grid rows, each batch one transaction. The window forwards its "保存" command,
// the loss of the grid's focus and the saves with asking to SaveStockData(). The
// process is the window's own: another count window may show another process at the
// same time. Operator and plan-mode flag are read from the shared state.
class CountSaver
{
public:
    enum class SaveResult {
        NotChanged, // nothing to save
        Declined,   // the person answered No
        Saved,      // everything written, data changed cleared
        Rejected,   // rows rejected (listed) or gone; the others written, data changed stays
        Failed,     // a batch failed: earlier batches stay written, data changed stays
    };
    enum class DeleteResult { Nothing, Declined, Refused, Deleted, Failed };
    struct RowWrite
    {
        RowCheck check = RowCheck::Accepted;
        bool written = false;
    };
    // Rows written per transaction.
    static constexpr int batchRows = 100;

    CountSaver(EntryGrid &grid, EntrySession &session, AppConnection &connection, HostUi *ui, int processId);

    // Status panel 1 and the barcode box belong to the window.
    void setStatusSink(std::function<void(const QString &)> sink) { m_status = std::move(sink); }
    void setFocusBarcode(std::function<void()> focus) { m_focusBarcode = std::move(focus); }
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

    // The database's complaint after Failed or a row not written.
    const DbError &lastError() const { return m_error; }

    static RowCheck checkRow(const CountRowValues &values);
    static QString checkMessage(RowCheck check);
    // The two statements of one row: its figures, then its differences computed by
    // the database from the figures just written.
    static QList<SqlStatement> rowStatements(const CountRowValues &values, int processId, int checker);
    // The same for many rows: one statement for the figures of all rows, one for
    // their differences.
    static QList<SqlStatement> batchStatements(const QList<CountRowValues> &rows, int processId, int checker,
                                               const Dialect &dialect);
    // Titles and widths of the error list.
    static QStringList errorTitles(bool mtoPlanMode);
    static QList<int> errorWidths(bool mtoPlanMode);
    QStringList errorLine(int row, RowCheck check, bool mtoPlanMode) const;

private:
    bool writeBatch(const QList<CountRowValues> &rows);
    void status(const char *text);

    EntryGrid &m_grid;
    EntrySession &m_session;
    AppConnection &m_connection;
    HostUi *m_ui;
    int m_process;
    std::function<void(const QString &)> m_status;
    std::function<void()> m_focusBarcode;
    bool m_setBased = true;
    DbError m_error;
    int m_missing = 0; // changed rows whose count row is gone from the database
};
