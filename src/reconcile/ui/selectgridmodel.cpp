#include "selectgridmodel.h"

#include "reconcile/selectlogic.h"

SelectGridModel::SelectGridModel(SelectLogic &logic, QObject *parent)
    : QAbstractTableModel(parent)
    , m_logic(logic)
{
    // marks change whole documents at once: the rows are few, a reset is cheap
    connect(&m_logic, &SelectLogic::rowsChanged, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

int SelectGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_logic.rowCount();
}

int SelectGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : SelectCol::Count;
}

QVariant SelectGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int col = index.column() + 1;
    if (role == Qt::DisplayRole)
        return m_logic.text(index.row(), col);
    if (role == Qt::TextAlignmentRole) {
        if (col == SelectCol::Qty || col == SelectCol::SecQty || col == SelectCol::KFPeriod)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        if (col == SelectCol::Mark)
            return int(Qt::AlignCenter);
    }
    return {};
}

QVariant SelectGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return SelectLogic::heading(section + 1);
    return QAbstractTableModel::headerData(section, orientation, role);
}
