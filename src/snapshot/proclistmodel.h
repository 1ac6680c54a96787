#pragma once

#include <QAbstractTableModel>
#include <QDate>
#include <QList>
#include <QMap>
#include <QVariantMap>

class Recordset;

// The grid of the count process list (vsProc): one row per process, the name and
// the remark editable. A changed name or remark is a pending edit keyed by the
// process's FID ("FID", "ProcID", "Remark"); a second change of the row replaces it.
class ProcListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Mark, Id, Name, Remark, Date, User, Status, ColumnCount };
    static constexpr int NameLength = 50;
    static constexpr int RemarkLength = 100;

    struct Process
    {
        int id = 0;
        QString name;
        QString remark;
        QDate date;
        QString user;
        int status = 0; // FStatus; 1: its documents are audited ("Y")
    };

    using QAbstractTableModel::QAbstractTableModel;

    // Fills the grid from GetProcList, in its order. Pending edits of processes
    // that are still listed stay and are shown; the others go.
    void load(Recordset &list);
    const QList<Process> &processes() const { return m_rows; }
    const Process *process(int row) const;

    // Edits the name or the remark of a row (cut to the column's length).
    bool setText(int row, Column column, const QString &text);
    const QMap<int, QVariantMap> &pendingEdits() const { return m_pending; }
    bool hasPendingEdits() const { return !m_pending.isEmpty(); }
    void clearPendingEdits();
    // The first name that two rows share, in grid order; empty when none.
    QString duplicateName() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void record(const Process &p);

    QList<Process> m_rows;
    QMap<int, QVariantMap> m_pending;
};
