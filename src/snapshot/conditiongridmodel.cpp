#include "conditiongridmodel.h"

#include "host/texts.h"

namespace {

QString &cell(GoodsCondition &row, int column)
{
    switch (column) {
    case ConditionGridModel::Field:
        return row.field;
    case ConditionGridModel::Compare:
        return row.compare;
    case ConditionGridModel::Value:
        return row.value;
    default:
        return row.logic;
    }
}

const QString &cell(const GoodsCondition &row, int column)
{
    return cell(const_cast<GoodsCondition &>(row), column);
}

} // namespace

ConditionGridModel::ConditionGridModel(QObject *parent)
    : QAbstractTableModel(parent)
{
    m_rows.append(GoodsCondition());
}

void ConditionGridModel::setRows(const QList<GoodsCondition> &rows)
{
    beginResetModel();
    m_rows = rows;
    endResetModel();
    keepOneEmptyRow();
}

QStringList ConditionGridModel::choices(int column)
{
    QStringList out;
    switch (column) {
    case Field:
        for (const QString &f : GoodsFilter::fields())
            out << LoadText(f);
        return out;
    case Compare:
        return GoodsFilter::comparisons();
    case Logic:
        return GoodsFilter::logics();
    default:
        return {};
    }
}

int ConditionGridModel::widthInCharacters(int column)
{
    static const int widths[ColumnCount] = {10, 7, 18, 5};
    return column >= 0 && column < ColumnCount ? widths[column] : 8;
}

int ConditionGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ConditionGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString ConditionGridModel::shown(int column, const QString &stored)
{
    return column == Field && !stored.isEmpty() ? LoadText(stored) : stored;
}

QVariant ConditionGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return shown(index.column(), cell(m_rows.at(index.row()), index.column()));
    return {};
}

bool ConditionGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.row() >= m_rows.size())
        return false;
    const QString text = value.toString();
    QString stored = text;
    // the listed columns take list entries only (or nothing)
    if (!text.trimmed().isEmpty()) {
        if (index.column() == Field)
            stored = GoodsFilter::canonicalField(text);
        else if (index.column() == Compare)
            stored = GoodsFilter::canonicalComparison(text);
        else if (index.column() == Logic)
            stored = GoodsFilter::canonicalLogic(text);
        if (stored.isEmpty())
            return false;
    } else if (index.column() != Value) {
        stored.clear();
    }
    QString &target = cell(m_rows[index.row()], index.column());
    if (target == stored)
        return true;
    target = stored;
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    keepOneEmptyRow();
    return true;
}

void ConditionGridModel::keepOneEmptyRow()
{
    if (m_rows.isEmpty() || !m_rows.last().isEmpty()) {
        const int row = int(m_rows.size());
        beginInsertRows({}, row, row);
        m_rows.append(GoodsCondition());
        endInsertRows();
        return;
    }
    while (m_rows.size() >= 2 && m_rows.at(m_rows.size() - 2).isEmpty()) {
        const int row = int(m_rows.size()) - 1;
        beginRemoveRows({}, row, row);
        m_rows.removeLast();
        endRemoveRows();
    }
}

QVariant ConditionGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    static const char *const titles[ColumnCount] = {N_("名称"), N_("比较"), N_("比较值"), N_("逻辑")};
    return section >= 0 && section < ColumnCount ? LoadText(titles[section]) : QVariant();
}

Qt::ItemFlags ConditionGridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}
