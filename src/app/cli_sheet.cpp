#include "cli_streamui.h"
#include "clicommand.h"

#include "host/appconnection.h"
#include "host/sharedstate.h"
#include "host/sysparams.h"
#include "host/texts.h"
#include "model/maindo.h"
#include "sheet/countsheet.h"
#include "model/entrygrid.h"

// stockcheck-cli sheet: the count sheet of a process as its grid would show it.
// Modes 1 and 3: the heading line and one line per row of the ledger grid (and
// the total line in mode 1); mode 4: the cells of the entry grid, its totals last.

namespace {

bool readArguments(CliContext &ctx, int *process, SheetMode *mode, CountSheet::DataView *view)
{
    bool ok = false;
    *process = ctx.option(QStringLiteral("--process")).toInt(&ok);
    if (!ok || *process <= 0) {
        ctx.err << "--process: the id (FID) of a count process is needed\n";
        return false;
    }
    const std::optional<SheetMode> chosen = sheetModeOf(ctx.option(QStringLiteral("--mode")).toInt(&ok));
    if (chosen)
        *mode = *chosen;
    if (!ok || !chosen) {
        ctx.err << "--mode: 1 (check), 3 (count book) or 4 (input)\n";
        return false;
    }
    const QString v = ctx.option(QStringLiteral("--view"), QStringLiteral("all"));
    if (v != QLatin1String("all") && v != QLatin1String("counted")) {
        ctx.err << "--view: all or counted\n";
        return false;
    }
    *view = v == QLatin1String("all") ? CountSheet::DataView::All : CountSheet::DataView::Checked;
    return true;
}

void printLedger(CliContext &ctx, MainDo &model, LedgerGrid &grid, SheetMode mode)
{
    const int records = model.rows().RecordCount();
    grid.setMaxRows(records + (mode == SheetMode::Check ? 3 : 2));
    model.GetSumData();
    ctx.out << model.TRowData() << "\n";
    for (int row = 3; row < records + 3; ++row)
        ctx.out << model.DRowData(row) << "\n";
    if (mode == SheetMode::Check)
        ctx.out << model.DRowData(grid.maxRows()) << "\n";
}

void printEntryGrid(CliContext &ctx, const MainDo &model)
{
    EntryGrid grid;
    model.InputFillRow(grid);
    QString line;
    for (int col = 1; col <= EntryCol::Count; ++col)
        line += EntryGrid::heading(col) + QLatin1Char('|');
    ctx.out << line << "\n";
    for (int row = 1; row <= grid.totalsRow(); ++row) {
        line.clear();
        for (int col = 1; col <= EntryCol::Count; ++col)
            line += grid.text(row, col) + QLatin1Char('|');
        ctx.out << line << "\n";
    }
}

int runSheet(CliContext &ctx)
{
    int process = 0;
    SheetMode mode = SheetMode::Entry;
    CountSheet::DataView view = CountSheet::DataView::All;
    if (!readArguments(ctx, &process, &mode, &view))
        return 2;
    AppConnection connection;
    if (!cli::openDatabase(ctx, connection))
        return 1;
    const ScopedStreamUi ui(ctx.err);
    if (!cli::readNumbering(ctx))
        return 1;
    shared().showType = mode;
    MainDo model;
    LedgerGrid grid;
    model.Ldg(&grid);
    model.ResizeColWidth();
    if (model.columnLayout().isEmpty())
        return 1;
    const bool itemsWithoutStock = mode == SheetMode::PrintBook && view == CountSheet::DataView::All;
    const Recordset rows =
        model.GetRsMain(process, CountSheet::viewCondition(mode, view), itemsWithoutStock, shared().filterSettings);
    if (!rows.isOpen()) {
        ctx.err << LoadText("读取盘点数据失败。") << "\n" << connection.lastError().detailed() << "\n";
        return 1;
    }
    if (mode == SheetMode::Entry)
        printEntryGrid(ctx, model);
    else
        printLedger(ctx, model, grid, mode);
    return 0;
}

const CliCommand sheetCommand("sheet",
                              "sheet --db URL --user ID --process FID --mode 1|3|4 [--view all|counted]"
                              "  print the count sheet of a process as its grid shows it",
                              runSheet);

} // namespace
