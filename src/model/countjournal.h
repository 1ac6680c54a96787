#pragma once

#include "host/appconnection.h"
#include "host/countrowkey.h"
#include "host/sqlfragment.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// What a count entry did to its row. The numbers are stored in FKind.
enum class CountEntryKind {
    Start = 0,        // the figures a row had before its first add (counted from the book)
    Set = 1,          // typed into the count sheet or set by a command
    Add = 2,          // added to what the row held (a scan, a handheld, --add)
    Undo = 3,         // takes back an add (FUndoneID names it)
    Recount = 4,      // a recount replaced the row's count
    Import = 5,       // a count file was merged
    AddedItem = 6,    // goods added by hand (a new row, or added to one)
    RetailResult = 7, // the shop's count documents were merged
    Documents = 8,    // documents after the snapshot were folded into the row
};

// Where an entry came from, as stored in FSource: one of these, or
// "file:<name>" for an import and "device:<id>" for a handheld.
namespace CountSource {
inline const QString sheet = QStringLiteral("sheet");
inline const QString commandLine = QStringLiteral("cli");
inline const QString scanner = QStringLiteral("scan");
inline const QString retail = QStringLiteral("retail");
inline const QString addItem = QStringLiteral("additem");
inline QString file(const QString &name)
{
    return QStringLiteral("file:") + name;
}
inline QString device(const QString &id)
{
    return QStringLiteral("device:") + id;
}
} // namespace CountSource

// The counted figures of a count row: FAuxCheckQty, FCheckQty, FSecCheckQty.
struct CountFigures
{
    double unitQty = 0; // in the row's unit
    double baseQty = 0;
    double secQty = 0;

    // Equal once rounded to the ten places the columns keep.
    bool sameAs(const CountFigures &other) const;
};

struct CountJournalEntry
{
    qint64 id = 0;
    CountRowKey key;
    CountEntryKind kind = CountEntryKind::Set;
    CountFigures qty; // the change for an add or undo, else the figures after the entry
    QString source;
    int userId = 0;
    QString userName; // read back only, as the next three
    QString itemNumber, itemName, stockNumber, placeNumber;
    QDateTime time; // read back only: the server's time of the entry
    qint64 undoneId = 0;
    QString clientEntryId;
};

// The count journal (ICStockCheckJournal): one entry per change of a row's
// counted figures. Every writer appends inside the transaction that changes the
// row, after changing it: the row's lock is then held, so two writers of one row
// get their entries in the order their changes take effect. The append functions
// throw DbException, so a failed append rolls the row change back with it.
//
// Replay: start from zero; an add or undo adds its figures, every other kind
// replaces the figures with its own. Replaying a row's entries in FID order gives
// exactly the row's counted figures.
class CountJournal
{
public:
    static bool isChange(CountEntryKind kind) { return kind == CountEntryKind::Add || kind == CountEntryKind::Undo; }

    // One entry; returns its FID.
    static qint64 append(AppConnection &conn, const CountJournalEntry &entry);
    // One entry per row `rows` yields, set-based. `rows` must give the columns
    // FInterID, FItemID, FAuxPropID, FUnitID, FBatchNo, FMtoNo, FKFDate, FKFPeriod,
    // FStockID, FStockPlaceID, FAuxQty, FQty, FSecQty (by these names). Returns the
    // entries appended.
    static int appendSelect(AppConnection &conn, const SqlFragment &rows, CountEntryKind kind, const QString &source,
                            int userId);
    // The statement of appendSelect(), for a writer that runs a batch of statements.
    static SqlStatement appendSelectStatement(const Dialect &dialect, const SqlFragment &rows, CountEntryKind kind,
                                              const QString &source, int userId);
    // One entry per count row of ICInvBackup that `where` selects (a condition on
    // the columns of ICInvBackup aliased "b", without WHERE), carrying its counted
    // figures now.
    static int appendRows(AppConnection &conn, const SqlFragment &where, CountEntryKind kind, const QString &source,
                          int userId);
    // The row's figures now as its "start" entry, when the row has no entry yet:
    // what a row counted from its book, or before the journal kept it, held
    // before its first change here. Prepared once per connection.
    static void appendStart(AppConnection &conn, const CountRowKey &key, const QString &source, int userId);
    // The rows of ICInvBackup as appendSelect() takes them, for writers that need
    // their own condition or join: "SELECT ... FROM ICInvBackup <alias>".
    static QString rowFiguresSelect(const QString &alias);
    // Its SELECT list alone ("SELECT <alias>.FInterID, ..."), for a FROM of their own.
    static QString rowFiguresColumns(const QString &alias);

    // A row's entries in FID order, with the names of their users.
    static QList<CountJournalEntry> rowEntries(AppConnection &conn, const CountRowKey &key);
    // All entries of a process in FID order.
    static QList<CountJournalEntry> processEntries(AppConnection &conn, int processId);
    // The entries `where` selects (a condition on the journal aliased "j"), in FID order.
    static QList<CountJournalEntry> entriesWhere(AppConnection &conn, const SqlFragment &where);
    // The highest FID of the journal, 0 without any: what a window read with its
    // rows, to tell later which rows somebody changed meanwhile. The ids grow
    // across processes, so the highest of all serves, and is found at once.
    static qint64 mark(AppConnection &conn);
    // How many entries of a process came after `mark`, and the highest of them
    // (`mark` itself without any); read by the ids after the mark, which are few.
    struct After
    {
        qint64 count = 0;
        qint64 mark = 0;
    };
    static After entriesAfter(AppConnection &conn, int processId, qint64 mark);
    // The entry a client's id names in a process.
    static std::optional<CountJournalEntry> byClientId(AppConnection &conn, int processId,
                                                       const QString &clientEntryId);
    static CountFigures replay(const QList<CountJournalEntry> &entries);
    // One step of the replay: `figures` after the entry `e`.
    static void replayOne(CountFigures &figures, const CountJournalEntry &e);
    // The replay of the row's entries; none when the row has no entries.
    static std::optional<CountFigures> replayRow(AppConnection &conn, const CountRowKey &key);

    // The "盘点记录" list of a row: time, user, what was done, from where, and the
    // row's counted figures after each entry.
    static QStringList historyTitles();
    static QList<int> historyWidths();
    static QList<QStringList> historyRows(const QList<CountJournalEntry> &entries, int decimals);

    // The kind and source as a person reads them.
    static QString kindText(CountEntryKind kind);
    static QString sourceText(const QString &source);
};
