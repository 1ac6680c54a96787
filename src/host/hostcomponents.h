#pragma once

#include "sqlfragment.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <functional>
#include <memory>

class AppConnection;

// The host application's components that the count module calls. Each is an
// interface here; src/erp provides working stand-ins, tests may put fakes in.

// Period dates of the accounting calendar ("list server").
class ListServer
{
public:
    virtual ~ListServer() = default;
    // Fills the two dates of the given year and period; false when unknown.
    virtual bool GetCurPeriod(const QString &propsString, int year, int period, QDate *first, QDate *second) = 0;
};

// The optional operation log.
class HostLogger
{
public:
    virtual ~HostLogger() = default;
    virtual bool IsEnabled() = 0;
    virtual int LogStart(const QString &name) = 0;
    virtual void LogEnd(int handle, int flag) = 0;
};

// Values of the host login shared between components ("PropsString", "UserName").
class ShareProps
{
public:
    virtual ~ShareProps() = default;
    virtual QVariant GetProperty(const QString &name) = 0;
};

// One restriction entry of row-level access: which rows of DataTable (aliased
// DataTableAs, key DataCol) a query table (BillTableAs.BillCol) may join.
struct DataAccessSetting
{
    QString dataTable, dataTableAs, dataCol, billTableAs, billCol;
};

// Row-level data access rules per user. The rules are read on the connection of
// the caller, so a worker with its own connection never touches the window's.
class DataAccess
{
public:
    virtual ~DataAccess() = default;
    virtual bool IsUsed(AppConnection &connection, const QString &propsString, int userId) = 0;
    virtual void GetRowAccessInfo(const QStringList &tableNames) = 0;
    // Fragments to add to a query: a join (starting with ",") and a condition.
    virtual void GetAccessDataSQL(AppConnection &connection, int userId, const QList<DataAccessSetting> &settings,
                                  SqlFragment *from, SqlFragment *where, bool firstVariant) = 0;
};

// Translates the program's Simplified Chinese texts into the user language.
class ResLoader
{
public:
    virtual ~ResLoader() = default;
    virtual void setLanguageID(const QString &language) = 0;
    virtual QString LoadString(const QString &text) = 0;
};

// Per-user settings (an ini file, "StockCheck.ini"), by section and key.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    virtual QVariant value(const QString &section, const QString &key, const QVariant &defaultValue = {}) = 0;
    virtual void setValue(const QString &section, const QString &key, const QVariant &value) = 0;
    // Points the store at a file: a bare name is placed in the user's settings folder.
    virtual void setFileName(const QString &fileName) { Q_UNUSED(fileName); }
};

// A host system value by category and key (t_SystemProfile).
class SysInfo
{
public:
    virtual ~SysInfo() = default;
    virtual QString GetSysValue(const QString &category, const QString &key) = 0;
};

// The host's list update: makes the gain (kind 1) and loss (kind 2) documents of a
// count process from its rows. Sets `count` and a `message` naming the documents,
// and `documents` (when given) to their FInterIDs. A failure throws (DbException)
// and leaves nothing made.
class ListUpdate
{
public:
    virtual ~ListUpdate() = default;
    virtual void MakeStockCheckBillNew(const QString &propsString, int &processId, QString &message, int &kind,
                                       int &count, QList<int> *documents) = 0;
};

// A record chosen in a base-data lookup: its fields ("FItemID", "FNumber",
// "FShortNumber", "FName", ...).
struct LookupRecord
{
    QVariantMap properties;
    bool isValid() const { return !properties.isEmpty(); }
    QVariant value(const QString &key) const { return properties.value(key); }
};

// The base-data pickers (items, units, stocks, stock places, batches, ...): a
// searchable lookup dialog over the host tables. `itemClass` as in t_Item
// (1 customer, 2 department, 3 employee, 4 item, 5 stock, 8 supplier, 7 unit, ...);
// the options carry "Search", "BeShortNumber", "GetDataType", "Filter".
class BaseDataLookup
{
public:
    virtual ~BaseDataLookup() = default;
    virtual LookupRecord lookup(int itemClass, const QVariantMap &options) = 0;
    // A list of a host table's rows (stock places, batches, ...), "Filter" in options.
    virtual LookupRecord listLookup(const QString &table, const QVariantMap &options) = 0;
};

// The host's spreadsheet export: a table written to .xlsx or .csv, chosen by the
// file's extension. The writer asks for the rows one at a time (the window's
// Export_LoadData), so a large sheet is never held a second time.
struct ExportColumn
{
    enum class Kind {
        Text,
        Quantity, // a number shown with its row's decimals
        Number,   // a number shown as it is (ids, rates)
        Date
    };
    QString caption;
    Kind kind = Kind::Text;
    int width = 0; // twips
};

struct ExportRow
{
    QVariantList values; // per column: QString, double or QDate by its kind; null is an empty cell
    int decimals = 0;    // places of the row's quantities
};

class SheetWriter
{
public:
    // Fills `values` with the cells of data row `row` (from 1).
    using RowLoader = std::function<void(int row, ExportRow &values)>;
    virtual ~SheetWriter() = default;
    // False with the reason in `error` when the file cannot be written.
    virtual bool Export(const QString &fileName, const QString &title, const QList<ExportColumn> &columns, int rowCount,
                        const RowLoader &loadRow, QString *error) = 0;
};

// The host's rights and business log ("GLViewHost.GLData"), asked by the count
// process list before it creates, changes or deletes counts.
class GLData
{
public:
    enum class Right {
        BackupStock,     // take a snapshot (new count, cycle count)
        ViewCountReport, // open a count for checking
        ChangeCountPlan, // rename a count process, change its remark
        DeleteCountPlan, // delete a count process with its rows
        EnterCount,      // send counted quantities from a handheld
    };
    virtual ~GLData() = default;
    // Whether the user has the right. Throws DbException when the rights cannot be
    // read: an unreadable table must never read as "allowed".
    virtual bool AccessCheck(AppConnection &connection, int userId, Right right) = 0;
    // A line of the business log with the user and the time. Throws DbException.
    virtual void WriteLog(AppConnection &connection, int userId, const QString &code, const QString &text) = 0;
};

// Windows that core logic opens. The widget layer registers an opener per window
// name ("frmBackupInv", "frmMain", "FrmBackupType", ...); the shell disables what is
// not registered. An opener takes arguments and gives results as maps.
class WindowRegistry
{
public:
    using Opener = std::function<QVariantMap(const QVariantMap &args)>;
    void add(const QString &name, Opener opener) { m_openers.insert(name, std::move(opener)); }
    bool has(const QString &name) const { return m_openers.contains(name); }
    // Shows the window; an empty map when the window is not available.
    QVariantMap open(const QString &name, const QVariantMap &args = {}) const
    {
        auto it = m_openers.constFind(name);
        return it == m_openers.constEnd() ? QVariantMap() : it.value()(args);
    }
    void clear() { m_openers.clear(); }

private:
    QHash<QString, Opener> m_openers;
};

// The "object factory" of the host: where the count module finds each component.
// A missing component behaves as the host's would when it is not registered.
struct HostComponents
{
    std::shared_ptr<ListServer> listServer;
    std::shared_ptr<HostLogger> logger;
    std::shared_ptr<ShareProps> shareProps;
    std::shared_ptr<DataAccess> dataAccess;
    std::shared_ptr<ResLoader> resLoader;
    std::shared_ptr<SettingsStore> settings;
    std::shared_ptr<SysInfo> sysInfo;
    std::shared_ptr<BaseDataLookup> lookup;
    std::shared_ptr<ListUpdate> listUpdate;
    std::shared_ptr<SheetWriter> sheetWriter;
    std::shared_ptr<GLData> glData;
    WindowRegistry windows;
};
