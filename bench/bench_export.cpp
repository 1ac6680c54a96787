// Exporting a 100,000-row count sheet to .xlsx: the entry grid of mode 4 and the
// ledger of mode 1, loaded as the window loads them, written through the count
// sheet's export (SheetExport and the host's spreadsheet writer), against
// libxlsxwriter in constant-memory mode writing the same values from memory in a
// bare loop, measured in the same run. Targets: < 5 s and at most twice the bare
// loop.
//
//   bench_export [--rows N] [--repeat N] [--pg URL] [--keep DIR]
//
// SQLite runs in a temporary file. PostgreSQL runs when --pg or STOCKCHECK_BENCH_PG
// names a server; a schema of its own is made there and dropped afterwards.
// --keep leaves the written files in DIR.

#include "benchcount.h"
#include "benchutil.h"

#include "model/entrygrid.h"
#include "model/ledgergrid.h"
#include "model/maindo.h"
#include "sheet/countsheet.h"
#include "sheet/sheetexport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int ProcessId = 900001;
QString outDir;

double msSince(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// The table's cells as libxlsxwriter takes them, read before the bare loop so that
// it measures the library's writing alone. Texts share one buffer: a sheet of
// 100,000 rows stays small.
struct Cells
{
    enum Type : unsigned char { Empty, Number, Date, Text };
    struct Cell
    {
        double number = 0;
        quint32 text = 0; // offset into `texts` (zero-terminated), or the date packed yyyymmdd
        Type type = Empty;
    };
    int columns = 0;
    std::vector<std::string> captions;
    std::vector<double> widths;
    std::vector<Cell> cells;
    std::vector<unsigned char> decimals; // per row
    std::string texts;

    explicit Cells(const SheetExport &table)
    {
        columns = int(table.columns().size());
        for (const ExportColumn &c : table.columns()) {
            captions.push_back(c.caption.toStdString());
            widths.push_back(std::max(1.0, (c.width / 15.0 - 5.0) / 7.0));
        }
        cells.reserve(size_t(table.rowCount()) * size_t(columns));
        ExportRow row;
        for (int r = 1; r <= table.rowCount(); ++r) {
            row.values.clear();
            row.decimals = 0;
            table.loadRow(r, row);
            decimals.push_back((unsigned char)std::clamp(row.decimals, 0, 10));
            for (int c = 0; c < columns; ++c) {
                const QVariant v = row.values.value(c);
                Cell cell;
                const ExportColumn::Kind kind = table.columns().at(c).kind;
                if (v.isNull()) {
                } else if (kind == ExportColumn::Kind::Quantity || kind == ExportColumn::Kind::Number) {
                    cell = {v.toDouble(), 0, Number};
                } else if (kind == ExportColumn::Kind::Date && v.toDate().isValid()) {
                    const QDate d = v.toDate();
                    cell = {0, quint32(d.year() * 10000 + d.month() * 100 + d.day()), Date};
                } else if (const QByteArray t = v.toString().toUtf8(); !t.isEmpty()) {
                    cell = {0, quint32(texts.size()), Text};
                    texts.append(t.constData(), size_t(t.size()));
                    texts.push_back('\0');
                }
                cells.push_back(cell);
            }
        }
    }
};

// The same values written by libxlsxwriter with nothing around it.
double bareWrite(const Cells &cells, const QString &fileName, const char *title)
{
    QElapsedTimer t;
    t.start();
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook *book = workbook_new_opt(QFile::encodeName(fileName).constData(), &options);
    lxw_worksheet *sheet = workbook_add_worksheet(book, title);
    lxw_format *bold = workbook_add_format(book);
    format_set_bold(bold);
    lxw_format *date = workbook_add_format(book);
    format_set_num_format(date, "yyyy/mm/dd");
    lxw_format *quantity[11];
    for (int d = 0; d <= 10; ++d) {
        quantity[d] = workbook_add_format(book);
        format_set_num_format(quantity[d], d == 0 ? "#,##0" : ("#,##0." + std::string(size_t(d), '0')).c_str());
    }
    for (int c = 0; c < cells.columns; ++c) {
        worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), cells.widths[size_t(c)], nullptr);
        worksheet_write_string(sheet, 0, lxw_col_t(c), cells.captions[size_t(c)].c_str(), bold);
    }
    worksheet_freeze_panes(sheet, 1, 0);
    const size_t rows = cells.decimals.size();
    for (size_t r = 0; r < rows; ++r) {
        const Cells::Cell *row = cells.cells.data() + r * size_t(cells.columns);
        for (int c = 0; c < cells.columns; ++c) {
            const Cells::Cell &cell = row[c];
            const auto excelRow = lxw_row_t(r + 1);
            switch (cell.type) {
            case Cells::Number:
                worksheet_write_number(sheet, excelRow, lxw_col_t(c), cell.number, quantity[cells.decimals[r]]);
                break;
            case Cells::Date: {
                lxw_datetime dt{int(cell.text / 10000), int(cell.text / 100 % 100), int(cell.text % 100), 0, 0, 0.0};
                worksheet_write_datetime(sheet, excelRow, lxw_col_t(c), &dt, date);
                break;
            }
            case Cells::Text:
                worksheet_write_string(sheet, excelRow, lxw_col_t(c), cells.texts.data() + cell.text, nullptr);
                break;
            case Cells::Empty:
                break;
            }
        }
    }
    const lxw_error e = workbook_close(book);
    if (e != LXW_NO_ERROR) {
        std::fprintf(stderr, "bare write: %s\n", lxw_strerror(e));
        return -1;
    }
    return msSince(t);
}

// The export as the window makes it, from the loaded sheet to the closed file.
double exportTable(const std::function<SheetExport()> &table, const QString &fileName)
{
    SheetWriter *writer = shared().components.sheetWriter.get();
    QElapsedTimer t;
    t.start();
    QString error;
    if (!writer || !table().write(*writer, fileName, &error)) {
        std::fprintf(stderr, "export: %s\n", qPrintable(error));
        return -1;
    }
    return msSince(t);
}

bool measure(const QString &label, const char *what, const std::function<SheetExport()> &table, double loadMs,
             int repeat)
{
    const SheetExport probe = table();
    const QString file = QDir(outDir).filePath(label + QLatin1Char('-') + QLatin1String(what));
    const Cells cells(probe);
    std::vector<double> made, bare;
    for (int r = 0; r < repeat; ++r) {
        const double b = bareWrite(cells, file + QStringLiteral("-bare.xlsx"), probe.title().toUtf8().constData());
        const double m = exportTable(table, file + QStringLiteral(".xlsx"));
        if (b < 0 || m < 0)
            return false;
        bare.push_back(b);
        made.push_back(m);
    }
    const double best = *std::min_element(made.begin(), made.end());
    const double bestBare = *std::min_element(bare.begin(), bare.end());
    const double ratio = bestBare > 0 ? best / bestBare : 0.0;
    std::printf("%-10s %s: %d rows x %d columns (sheet loaded in %.0f ms, %.1f MB written)  export %.0f ms  bare "
                "libxlsxwriter %.0f ms  ratio %.2f  (targets < 5000 ms: %s, ratio <= 2: %s)\n",
                qPrintable(label), what, probe.rowCount(), int(probe.columns().size()), loadMs,
                double(QFileInfo(file + QStringLiteral(".xlsx")).size()) / 1e6, best, bestBare, ratio,
                best < 5000 ? "ok" : "MISSED", ratio <= 2 ? "ok" : "MISSED");
    std::fflush(stdout);
    return true;
}

bool runEngine(const QString &label, const QString &url, int rows, int repeat)
{
    AppConnection c;
    if (!bench::openHost(c, url))
        return false;
    QElapsedTimer t;
    t.start();
    if (!bench::prepareCount(c, ProcessId, rows))
        return false;
    std::printf("%-10s count of %d rows prepared in %lld ms\n", qPrintable(label), rows,
                static_cast<long long>(t.elapsed()));
    std::fflush(stdout);
    const auto all = CountSheet::DataView::All;
    bool ok = true;
    {
        // mode 4: the entry grid, as the window fills it
        shared().showType = SheetMode::Entry;
        t.restart();
        MainDo model;
        model.loadColumnLayout();
        const Recordset rs = model.GetRsMain(ProcessId, CountSheet::viewCondition(SheetMode::Entry, all), false,
                                             shared().filterSettings);
        EntryGrid grid;
        model.InputFillRow(grid);
        const double loadMs = msSince(t);
        // the sheet leaves out the rows of items marked deleted (the demo data has
        // some), so it holds a little under the count's rows; the rows are printed
        ok = grid.dataRows() > 0 &&
             measure(
                 label, "mode 4", [&] { return SheetExport::entry(grid, model.columnLayout()); }, loadMs, repeat);
    }
    {
        // mode 1: the ledger with its total line
        shared().showType = SheetMode::Check;
        t.restart();
        MainDo model;
        LedgerGrid ledger;
        model.Ldg(&ledger);
        model.ResizeColWidth();
        const Recordset rs = model.GetRsMain(ProcessId, CountSheet::viewCondition(SheetMode::Check, all), false,
                                             shared().filterSettings);
        ledger.setMaxRows(rs.RecordCount() + 3);
        model.GetSumData();
        const double loadMs = msSince(t);
        ok = measure(
                 label, "mode 1", [&] { return SheetExport::ledger(model, ledger, SheetMode::Check); }, loadMs,
                 repeat) &&
             ok;
    }
    std::printf("%-10s peak memory of the program %.0f MB\n", qPrintable(label), bench::peakMemoryMb());
    shared().reset();
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const bench::Args args(app.arguments());
    const int rows = args.count("--rows", 100000), repeat = args.count("--repeat", 3);
    QTemporaryDir dir;
    outDir = args.text("--keep", dir.path());
    QDir().mkpath(outDir);
    return bench::onBothEngines(QStringLiteral("bench_export"), args, [&](const QString &label, const QString &url) {
        return runEngine(label, url, rows, repeat);
    });
}
