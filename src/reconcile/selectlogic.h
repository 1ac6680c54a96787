#pragma once

#include "documentquery.h"
#include "selectcontext.h"

#include "host/appconnection.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <array>
#include <functional>
#include <optional>

// Columns of the documents grid `ldgSelect`, numbered from 1 as the window's
// commands address them.
namespace SelectCol {
enum : int {
    InterID = 1,
    Mark = 2,
    Date = 3,
    InOrOut = 4,
    TypeName = 5,
    BillNo = 6,
    SPName = 7,
    ItemNumber = 8,
    ItemName = 9,
    Model = 10,
    AuxProp = 11,
    BatchNo = 12,
    MtoNo = 13,
    KFDate = 14,
    KFPeriod = 15,
    Unit = 16,
    Qty = 17,
    SecUnit = 18,
    SecQty = 19,
    EntryID = 20,
    ROB = 21,
    TranTypeID = 22,
    Changed = 23,
    Count = 23
};
} // namespace SelectCol

// One entry of a listed document, with the person's mark on it.
struct DocumentEntry
{
    int interId = 0; // FInterID of a stock document, FID of an MTO change
    int entryId = 0;
    int tranType = 0; // FTranType, or the class of an MTO change
    bool inflow = false;
    bool marked = false;  // "Y"
    bool changed = false; // toggled since the window opened
    QDate date;
    QString typeName, billNo, spName, itemNumber, itemName, model, auxProp, batchNo, mtoNo, kfDate, unit, secUnit;
    int kfPeriod = 0, rob = 0;
    double qty = 0, secQty = 0;

    bool isMtoChange() const { return tranType == DocumentQuery::MtoChangeClass; }
    // A stock document and an MTO change may share an id: the kind tells them apart.
    bool sameDocument(const DocumentEntry &o) const { return interId == o.interId && isMtoChange() == o.isMtoChange(); }
};

// The logic of the window of documents after the snapshot (frmSelect): lists the
// documents that moved the stock line of one count row after its snapshot, lets
// the person mark whole documents, and "计算" folds the marked ones into the row.
// The calculation reserves the marked entries for this process, releases those
// unmarked again and hands the totals to the row writer inside one transaction:
// the reservations and the row's new difference are written together or not at all.
class SelectLogic : public QObject
{
    Q_OBJECT
public:
    // Writes the row's document differences (base, secondary) on the connection the
    // logic was given; false, with the reason for the person when there is one,
    // when the row was not written, which undoes the reservations too. The count
    // sheet hands its writer to the window as the argument "RowWriter".
    using RowWriter = std::function<bool(double baseDiff, double secDiff, QString *reason)>;

    static constexpr const char *HelpTopic = "ICStockCheckSelect";
    static constexpr const char *SettingsSection = "frmSelectBill";
    static constexpr const char *GridSection = "ldgSelect";
    enum StatusPanel { MessagePanel = 1, ItemPanel = 3 };

    explicit SelectLogic(AppConnection &connection, QObject *parent = nullptr);

    // --- public members of the window ---
    void setProcID(int id) { m_procId = id; }
    void setDicupInfo(const QVariantMap &info) { m_info = info; }
    bool CalcateOK() const { return m_calculated; }
    void setContext(const SelectContext &context) { m_context = context; }
    const SelectContext &context() const { return m_context; }
    void setRowWriter(RowWriter writer) { m_writer = std::move(writer); }
    // Language, number column and MTO planning mode; by default from the shared state.
    void setQueryOptions(bool mtoPlanMode, bool fullNumbers, const QString &language);

    // Loading: the view settings and the documents of the row.
    void open();
    bool GetRSSelect();

    // --- the grid ---
    int rowCount() const { return int(m_rows.size()); }
    const DocumentEntry &entry(int index) const { return m_rows.at(index); }
    QString text(int index, int col) const;
    static QString heading(int col);
    bool isColumnHidden(int col) const;
    // A click on a data row (from 0) and a column (from 1): the mark column flips the
    // whole document. True when marks changed.
    bool click(int index, int col);
    // Marks or unmarks the documents of these ids (the command line); false when an
    // id is not listed.
    bool setMarked(const QList<int> &documentIds, bool marked, QList<int> *unknown = nullptr);

    // --- commands ---
    bool isCalculateEnabled() const { return !m_rows.isEmpty(); }
    void mnuVCalulate();
    void mnuFExit() { emit closeRequested(); }
    void mnuVToolBar();
    void mnuVStatus();
    void mnuVLabel();
    void mnuHelp();
    // The totals of the last calculation: inflows negative, outflows positive.
    double baseTotal() const { return m_baseTotal; }
    double secTotal() const { return m_secTotal; }
    // Why the last calculation wrote nothing (empty when it did, or had nothing to write).
    QString refusal() const { return m_refusal; }

    // --- view ---
    bool showToolBar() const { return m_showToolBar; }
    bool showToolBarLabels() const { return m_showLabels; }
    bool showStatusBar() const { return m_showStatus; }
    QString statusText(int panel) const;
    int columnWidth(int col) const; // twips, 0 when none is stored
    void setColumnWidth(int col, int twips);
    // Unload and terminate: the widths and the view settings go back to the store.
    void saveSettings() const;

signals:
    void rowsChanged();
    void stateChanged();
    void CalFactQty();
    void closeRequested();

private:
    QList<SqlStatement> reservationUpdates(QList<int> *documents);
    bool writeCalculation(const QList<SqlStatement> &updates, const QList<int> &documents);
    bool negativeStockRefused() const;
    void message(const QString &text);

    AppConnection &m_connection;
    int m_procId = 0;
    QVariantMap m_info;
    SelectContext m_context;
    RowWriter m_writer;
    bool m_mtoPlanMode = false;
    bool m_fullNumbers = true;
    QString m_language;
    QList<DocumentEntry> m_rows;
    bool m_calculated = false;
    double m_baseTotal = 0, m_secTotal = 0;
    QString m_refusal;
    bool m_showToolBar = true, m_showLabels = true, m_showStatus = true;
    QString m_message;
    std::array<int, SelectCol::Count + 1> m_widths{};
};
