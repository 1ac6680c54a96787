#include "lookupmodel.h"

#include "host/texts.h"

namespace erp {

LookupModel::LookupModel(const QList<LookupColumn> &columns, QObject *parent)
    : QAbstractTableModel(parent)
    , m_columns(columns)
{}

void LookupModel::setRows(const Recordset &rows)
{
    beginResetModel();
    m_rows = rows;
    m_fieldIndex.clear();
    for (const LookupColumn &c : std::as_const(m_columns))
        m_fieldIndex << m_rows.fieldIndex(c.field);
    endResetModel();
}

int LookupModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.RecordCount();
}

int LookupModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant LookupModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.column() >= m_fieldIndex.size())
        return {};
    const int field = m_fieldIndex.at(index.column());
    if (field < 0)
        return {};
    const QVariant value = m_rows.value(index.row(), field);
    if (role == Qt::DisplayRole) {
        // quantities come back as doubles on SQLite and as text of a NUMERIC on
        // PostgreSQL; show both alike, without trailing zeros
        if (value.typeId() == QMetaType::Double)
            return QString::number(value.toDouble(), 'g', 15);
        return value;
    }
    if (role == Qt::TextAlignmentRole && value.typeId() == QMetaType::Double)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant LookupModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_columns.size())
        return LoadText(m_columns.at(section).caption);
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace erp
