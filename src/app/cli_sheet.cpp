// stockcheck-cli sheet: the count sheet of a process as its grid shows it: the
// heading line, then one line per row, the visible columns only, separated by
// tabs. Modes 1 and 3 print the ledger grid (mode 1 with its total line); mode 4
// the entry grid, its totals last. --filter and --sort narrow and order the rows
// as the filter dialog would, by the column captions of the mode.

#include "cli_sheetload.h"
#include "cli_streamui.h"

#include "host/appconnection.h"
#include "host/countparams.h"
#include "host/loginprops.h"
#include "host/sharedstate.h"
#include "host/sysparams.h"
#include "host/texts.h"
#include "model/entrygrid.h"
#include "model/maindo.h"
#include "model/sheetfilter.h"
#include "sheet/countsheet.h"

namespace {

const char *const kUsage = "sheet --db URL --user ID --process FID --mode 1|3|4 [--view all|counted]"
                           " [--filter FIELD:OP:VALUE[:LOGIC] ...] [--sort FIELD:asc|desc ...]"
                           "  print the count sheet of a process as its grid shows it";

struct Request
{
    int process = 0;
    SheetMode mode = SheetMode::Entry;
    CountSheet::DataView view = CountSheet::DataView::All;
    QList<SheetCondition> conditions;
    QList<SheetSortKey> sortKeys;
};

bool parseRequest(const CliContext &ctx, Request *r, QString *error)
{
    if (!cli::sheetArguments(ctx, {QStringLiteral("--view"), QStringLiteral("--filter"), QStringLiteral("--sort")},
                             &r->process, &r->mode, error))
        return false;
    for (const QString &text : ctx.options(QStringLiteral("--filter"))) {
        SheetCondition c;
        if (!sheetfilter::parseCondition(text, &c, error))
            return false;
        r->conditions << c;
    }
    for (const QString &text : ctx.options(QStringLiteral("--sort"))) {
        SheetSortKey k;
        if (!sheetfilter::parseSortKey(text, &k, error))
            return false;
        r->sortKeys << k;
    }
    const QString view = ctx.option(QStringLiteral("--view"), QStringLiteral("all"));
    if (view != QLatin1String("all") && view != QLatin1String("counted")) {
        *error = QStringLiteral("--view: \"%1\" is not all or counted").arg(view);
        return false;
    }
    r->view = view == QLatin1String("all") ? CountSheet::DataView::All : CountSheet::DataView::Checked;
    return true;
}

// A cell on one line of its own: a note may hold a tab or a line break.
QString cellText(QString text)
{
    for (QChar &c : text)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    return text;
}

// The ledger's line of a grid row (cells joined by "|") with the visible cells only.
QString visibleCells(const LedgerGrid &grid, const QString &line)
{
    const QStringList cells = line.split(QLatin1Char('|'));
    QStringList shown;
    for (int col = 1; col <= grid.columnCount(); ++col)
        if (!grid.column(col).hidden)
            shown << cellText(cells.value(col - 1));
    return shown.join(QLatin1Char('\t'));
}

void printLedger(CliContext &ctx, MainDo &model, LedgerGrid &grid, SheetMode mode)
{
    const int records = model.rows().RecordCount();
    QStringList headings;
    for (int col = 1; col <= grid.columnCount(); ++col)
        if (!grid.column(col).hidden)
            headings << cellText(model.columnLayout().at(col - 1).displayCaption());
    ctx.out << headings.join(QLatin1Char('\t')) << "\n";
    for (int row = 3; row < records + 3; ++row)
        ctx.out << visibleCells(grid, model.DRowData(row)) << "\n";
    if (mode == SheetMode::Check)
        ctx.out << visibleCells(grid, model.DRowData(grid.maxRows())) << "\n";
}

void printEntryGrid(CliContext &ctx, const MainDo &model)
{
    EntryGrid grid;
    model.InputFillRow(grid);
    const bool complexQty = GetComplexQtyFlag();
    QList<int> shown;
    for (int col = 1; col <= EntryCol::Count; ++col)
        if (!CountSheet::isEntryColumnHidden(col, complexQty, model.hidesBookFigures()))
            shown << col;
    QStringList cells;
    for (int col : shown)
        cells << cellText(EntryGrid::heading(col));
    ctx.out << cells.join(QLatin1Char('\t')) << "\n";
    for (int row = 1; row <= grid.totalsRow(); ++row) {
        cells.clear();
        for (int col : shown)
            cells << cellText(grid.text(row, col));
        ctx.out << cells.join(QLatin1Char('\t')) << "\n";
    }
}

// The conditions and order of the command line in the shared filter settings, as
// the filter dialog leaves them; false with the message when a caption is not one
// the mode offers.
bool applyFilter(const Request &r, const AppConnection &connection, QString *error)
{
    MainDo::HeadStrings lists;
    MainDo model;
    model.setMode(r.mode);
    if (!model.GetHeadString(modeNumber(r.mode), lists)) {
        *error = connection.lastError().detailed();
        return false;
    }
    FilterSettings &s = shared().filterSettings;
    return sheetfilter::compileFilter(r.conditions, lists.filterColumns, connection.dialect(), shared().useFullNumber,
                                      &s.filter, error) &&
           sheetfilter::compileSort(r.sortKeys, lists.sortColumns, shared().useFullNumber, &s.sortBy, error);
}

int runSheet(CliContext &ctx)
{
    Request request;
    QString error;
    cli::CommandStart start(ctx, parseRequest(ctx, &request, &error), error, kUsage);
    if (start.exitCode() != 0)
        return start.exitCode();
    AppConnection &connection = start.connection;
    if (!cli::readNumbering(ctx))
        return cli::Refused;
    if (!applyFilter(request, connection, &error))
        return cli::badArguments(ctx, error, kUsage);
    MainDo model;
    LedgerGrid grid;
    if (!cli::loadSheet(ctx, connection, request.process, request.mode, request.view, model, grid))
        return cli::Refused;
    if (request.mode == SheetMode::Entry)
        printEntryGrid(ctx, model);
    else
        printLedger(ctx, model, grid, request.mode);
    return cli::Done;
}

const CliCommand sheetCommand("sheet", kUsage, runSheet);

} // namespace

bool cli::loadSheet(CliContext &ctx, AppConnection &connection, int process, SheetMode mode, CountSheet::DataView view,
                    MainDo &model, LedgerGrid &grid)
{
    if (!cli::readNumbering(ctx) || !cli::userExists(ctx, connection) || !cli::processExists(ctx, connection, process))
        return false;
    shared().showType = mode;
    model.Ldg(&grid);
    model.ResizeColWidth(); // a missing column definition is told through the stream
    if (model.columnLayout().isEmpty())
        return false;
    if (mode == SheetMode::PrintBook && view == CountSheet::DataView::Checked &&
        countparams::hidesBookFigures(connection, GetUserId())) {
        ctx.err << LoadText("盲盘时不能查看账存数据。") << "\n";
        return false;
    }
    const bool itemsWithoutStock = mode == SheetMode::PrintBook && view == CountSheet::DataView::All;
    const Recordset rows =
        model.GetRsMain(process, CountSheet::viewCondition(mode, view), itemsWithoutStock, shared().filterSettings);
    if (!rows.isOpen()) {
        ctx.err << LoadText("读取盘点数据失败。") << "\n" << connection.lastError().detailed() << "\n";
        return false;
    }
    if (mode != SheetMode::Entry) {
        grid.setMaxRows(rows.RecordCount() + (mode == SheetMode::Check ? 3 : 2));
        model.GetSumData();
    }
    return true;
}
