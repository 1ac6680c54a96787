#include "ledgermodel.h"

#include "countsheet.h"
#include "gridcells.h"

LedgerModel::LedgerModel(const CountSheet *sheet, Part part, QObject *parent)
    : QAbstractTableModel(parent)
    , m_sheet(sheet)
    , m_part(part)
    , m_lines(2000)
{
    reload();
    connect(sheet, &CountSheet::rowsAboutToReset, this, [this] { beginResetModel(); });
    connect(sheet, &CountSheet::rowsReset, this, [this] {
        m_lines.clear();
        endResetModel();
    });
    connect(sheet, &CountSheet::layoutChanged, this, &LedgerModel::reload);
}

void LedgerModel::reload()
{
    beginResetModel();
    m_lines.clear();
    m_headings.clear();
    const QList<SheetColumn> &layout = m_sheet->model().columnLayout();
    // the heading line of the model, without the captions' trailing markers
    const QStringList captions = m_sheet->model().TRowData().split(QLatin1Char('|'));
    for (qsizetype i = 0; i < layout.size(); ++i)
        m_headings << SheetColumn{QString(), captions.value(i), 8, 0, true}.displayCaption();
    endResetModel();
}

int LedgerModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    if (m_part == Part::Total)
        return m_sheet->mode() == SheetMode::Check && columnCount() > 0 ? 1 : 0;
    return m_sheet->recordCount();
}

int LedgerModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_headings.size());
}

int LedgerModel::gridRow(int row) const
{
    // grid row 1 is the heading, 2 a blank line, data from 3, the total line last
    return m_part == Part::Total ? m_sheet->ledgerGrid().maxRows() : row + 3;
}

const QStringList &LedgerModel::cells(int row) const
{
    if (QStringList *line = m_lines.object(row))
        return *line;
    auto *line = new QStringList(m_sheet->model().DRowData(gridRow(row)).split(QLatin1Char('|')));
    m_lines.insert(row, line);
    return *line;
}

QVariant LedgerModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const QList<SheetColumn> &layout = m_sheet->model().columnLayout();
    switch (role) {
    case Qt::DisplayRole:
        return cells(index.row()).value(index.column());
    case Qt::TextAlignmentRole:
        return gridcells::alignment(index.column() < layout.size() && layout.at(index.column()).type == 2);
    case Qt::FontRole:
        return gridcells::font(m_part == Part::Total);
    default:
        return {};
    }
}

QVariant LedgerModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return m_headings.value(section);
    return gridcells::rowHeading(m_part == Part::Total, section);
}
