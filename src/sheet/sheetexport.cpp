#include "sheetexport.h"

#include "countsheet.h"

#include "host/sharedstate.h"
#include "host/texts.h"
#include "model/entrygrid.h"
#include "model/ledgergrid.h"
#include "model/maindo.h"

#include <QDate>

#include <algorithm>

namespace {

using Kind = ExportColumn::Kind;

enum ColType { DateTimeCol = 0, QuantityCol = 2, WholeCol = 3, DateCol = 7 };

Kind kindOfType(int type)
{
    switch (type) {
    case DateTimeCol:
    case DateCol:
        return Kind::Date;
    case QuantityCol:
        return Kind::Quantity;
    case WholeCol:
        return Kind::Number;
    default:
        return Kind::Text;
    }
}

// The places a quantity text shows ("1,234.50" has two).
int decimalsOf(const QString &text)
{
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    return point < 0 ? 0 : int(text.size() - point - 1);
}

// A cell as the grid shows it, typed by its column: a blank cell stays empty and
// a text that does not read as its kind stays text, so nothing shown is lost.
QVariant typedCell(const QString &text, Kind kind)
{
    if (text.isEmpty())
        return {};
    bool ok = false;
    switch (kind) {
    case Kind::Quantity:
    case Kind::Number: {
        const double value = QString(text).remove(QLatin1Char(',')).toDouble(&ok);
        return ok ? QVariant(value) : QVariant(text);
    }
    case Kind::Date: {
        const QDate date = QDate::fromString(text, QStringLiteral("yyyy/MM/dd"));
        return date.isValid() ? QVariant(date) : QVariant(text);
    }
    case Kind::Text:
        break;
    }
    return text;
}

Kind entryKind(int col, const QList<SheetColumn> &layout)
{
    switch (EntryGrid::kind(col)) {
    case EntryGrid::Kind::Quantity:
        return Kind::Quantity;
    case EntryGrid::Kind::Number:
        return Kind::Number;
    case EntryGrid::Kind::Text:
        break;
    }
    return col <= layout.size() ? kindOfType(layout.at(col - 1).type) : Kind::Text;
}

} // namespace

SheetExport SheetExport::of(const CountSheet &sheet)
{
    if (sheet.mode() != SheetMode::Entry)
        return ledger(sheet.model(), sheet.ledgerGrid(), sheet.mode());
    SheetExport e = entry(sheet.entryGrid(), sheet.model().columnLayout(), sheet.hidesBookFigures());
    for (qsizetype i = 0; i < e.m_columns.size(); ++i) // the widths the person left
        e.m_columns[i].width = sheet.entryColumnWidth(entryColumns().at(i));
    return e;
}

SheetExport SheetExport::ledger(const MainDo &model, const LedgerGrid &grid, SheetMode mode)
{
    SheetExport e;
    e.m_title = LoadText("盘点表");
    QList<int> shown; // ledger columns, from 1
    const QList<SheetColumn> &layout = model.columnLayout();
    for (int col = 1; col <= grid.columnCount() && col <= layout.size(); ++col)
        if (!grid.column(col).hidden) {
            const SheetColumn &c = layout.at(col - 1);
            shown << col;
            e.m_columns << ExportColumn{c.displayCaption(), kindOfType(c.type), grid.column(col).width};
        }
    const int records = model.rows().RecordCount();
    const bool totals = mode == SheetMode::Check;
    e.m_rowCount = records + (totals ? 1 : 0);
    e.m_load = [&model, &grid, shown, columns = e.m_columns, records](int row, ExportRow &values) {
        // grid rows: heading, a blank line, the records from row 3, the total line last
        const int gridRow = row <= records ? row + 2 : grid.maxRows();
        const QStringList cells = model.DRowData(gridRow).split(QLatin1Char('|'));
        for (qsizetype i = 0; i < shown.size(); ++i) {
            const QString text = cells.value(shown.at(i) - 1);
            values.values << typedCell(text, columns.at(i).kind);
            if (columns.at(i).kind == Kind::Quantity && !text.isEmpty())
                values.decimals = std::max(values.decimals, decimalsOf(text));
        }
    };
    return e;
}

QList<int> SheetExport::entryColumns()
{
    QList<int> cols;
    for (int col = EntryCol::StockNumber; col <= EntryCol::Note; ++col)
        if (col != EntryCol::MtoNo || shared().enableMtoPlanMode != 0)
            cols << col;
    return cols;
}

SheetExport SheetExport::entry(const EntryGrid &grid, const QList<SheetColumn> &layout, bool blind)
{
    SheetExport e;
    e.m_title = LoadText("物料盘点表");
    const QList<int> cols = entryColumns();
    for (int col : cols)
        e.m_columns << ExportColumn{EntryGrid::heading(col), entryKind(col, layout),
                                    col <= layout.size() ? layout.at(col - 1).width : 0};
    // the totals row stays out: read back, it would be a record of an unknown item
    e.m_rowCount = grid.dataRows();
    e.m_load = [&grid, cols, columns = e.m_columns, blind](int row, ExportRow &values) {
        values.decimals = grid.decimals(row);
        for (qsizetype i = 0; i < cols.size(); ++i) {
            const int col = cols.at(i);
            if (blind && EntryGrid::isBookColumn(col))
                values.values << QVariant();
            else if (EntryGrid::kind(col) != EntryGrid::Kind::Text)
                values.values << (grid.isBlank(row, col) ? QVariant() : QVariant(grid.number(row, col)));
            else
                values.values << typedCell(grid.text(row, col), columns.at(i).kind);
        }
    };
    return e;
}

bool SheetExport::write(SheetWriter &writer, const QString &fileName, QString *error) const
{
    return writer.Export(fileName, m_title, m_columns, m_rowCount, m_load, error);
}
