#include "entrygridmodel.h"

#include "countsheet.h"
#include "gridcells.h"

QColor EntryGridModel::hostColor(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

EntryGridModel::EntryGridModel(CountSheet *sheet, Part part, QObject *parent)
    : QAbstractTableModel(parent)
    , m_sheet(sheet)
    , m_part(part)
{
    connect(sheet, &CountSheet::rowsAboutToReset, this, [this] { beginResetModel(); });
    connect(sheet, &CountSheet::rowsReset, this, [this] { endResetModel(); });
    connect(sheet, &CountSheet::cellChanged, this, [this](int row, int) { refreshRow(row); });
    if (part == Part::Rows)
        connect(sheet, &CountSheet::highlightsChanged, this, &EntryGridModel::refreshHighlights);
}

int EntryGridModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return m_part == Part::Totals ? 1 : m_sheet->entryGrid().dataRows();
}

int EntryGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : EntryCol::Count;
}

int EntryGridModel::gridRow(int row) const
{
    return m_part == Part::Totals ? m_sheet->entryGrid().totalsRow() : row + 1;
}

QVariant EntryGridModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const EntryGrid &grid = m_sheet->entryGrid();
    const int row = gridRow(index.row());
    const int col = gridColumn(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        // the grid keeps the books for the save checks; a blind counter never sees them
        if (m_sheet->hidesBookFigures() && EntryGrid::isBookColumn(col))
            return {};
        return grid.text(row, col);
    case Qt::TextAlignmentRole:
        return gridcells::alignment(EntryGrid::kind(col) != EntryGrid::Kind::Text);
    case Qt::BackgroundRole:
        if (m_part == Part::Totals)
            return {};
        if (col == EntryCol::CheckQty && grid.highlight(row) == EntryGrid::Highlight::Found)
            return hostColor(FoundColor);
        return hostColor(EntryGrid::isEditable(col) ? OpenColor : LockedColor);
    case Qt::ForegroundRole:
        return m_part == Part::Rows ? QVariant(QColor(Qt::black)) : QVariant();
    case Qt::FontRole:
        return gridcells::font(m_part == Part::Totals);
    default:
        return {};
    }
}

bool EntryGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || m_part != Part::Rows ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    return m_sheet->editCell(gridRow(index.row()), gridColumn(index.column()), value.toString());
}

Qt::ItemFlags EntryGridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags shown = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    // the composite cell is written by its editor (F8), never typed into
    const int col = gridColumn(index.column());
    if (m_part == Part::Rows && EntryGrid::isEditable(col) && col != EntryCol::ComplexQty)
        return shown | Qt::ItemIsEditable;
    return shown;
}

QVariant EntryGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return EntryGrid::heading(gridColumn(section));
    return gridcells::rowHeading(m_part == Part::Totals, section);
}

// A changed cell can change others of its row (the entry rules) and the totals.
void EntryGridModel::refreshRow(int row)
{
    if (m_part == Part::Totals) {
        emit dataChanged(index(0, 0), index(0, EntryCol::Count - 1));
        return;
    }
    const int r = row - 1;
    if (r >= 0 && r < rowCount())
        emit dataChanged(index(r, 0), index(r, EntryCol::Count - 1));
}

// A barcode search colours the counted cell of every row: one signal for the column.
void EntryGridModel::refreshHighlights()
{
    const int rows = rowCount();
    if (rows > 0) {
        const int column = EntryCol::CheckQty - 1;
        emit dataChanged(index(0, column), index(rows - 1, column), {Qt::BackgroundRole});
    }
}
