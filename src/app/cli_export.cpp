// stockcheck-cli export: the count sheet of a process written to a spreadsheet
// file as the window's export writes it: modes 1 and 3 the ledger's visible
// columns, mode 4 the entry grid in the layout the count import reads back.

#include "cli_streamui.h"
#include "clicommand.h"

#include "host/appconnection.h"
#include "host/hostcomponents.h"
#include "host/sharedstate.h"
#include "host/texts.h"
#include "model/entrygrid.h"
#include "model/maindo.h"
#include "sheet/countsheet.h"
#include "sheet/sheetexport.h"

#include <QFileInfo>

namespace {

const char *const kUsage = "export --db URL --user ID --process FID --mode 1|3|4 --out FILE.xlsx|FILE.csv"
                           "  export the count sheet of a process to a spreadsheet file";

struct Request
{
    int process = 0;
    SheetMode mode = SheetMode::Check;
    QString out;
};

bool parseRequest(const CliContext &ctx, Request *r, QString *error)
{
    if (!cli::sheetArguments(ctx, {QStringLiteral("--out")}, &r->process, &r->mode, error))
        return false;
    r->out = ctx.option(QStringLiteral("--out"));
    const QString suffix = QFileInfo(r->out).suffix().toLower();
    if (suffix != QLatin1String("xlsx") && suffix != QLatin1String("csv")) {
        *error = QStringLiteral("--out: \"%1\" is not a file name ending in .xlsx or .csv").arg(r->out);
        return false;
    }
    return true;
}

int write(CliContext &ctx, const SheetExport &table, const QString &fileName)
{
    SheetWriter *writer = shared().components.sheetWriter.get();
    QString error;
    if (!writer || !table.write(*writer, fileName, &error)) {
        ctx.err << (writer ? error : LoadText("没有引出组件。")) << "\n";
        return cli::Refused;
    }
    ctx.out << FormatText("已引出%1条记录到%2", {table.rowCount(), fileName}) << "\n";
    return cli::Done;
}

int runExport(CliContext &ctx)
{
    Request request;
    QString error;
    cli::CommandStart start(ctx, parseRequest(ctx, &request, &error), error, kUsage);
    if (start.exitCode() != 0)
        return start.exitCode();
    AppConnection &connection = start.connection;
    if (!cli::readNumbering(ctx) || !cli::userExists(ctx, connection) ||
        !cli::processExists(ctx, connection, request.process))
        return cli::Refused;
    shared().showType = request.mode;
    MainDo model;
    LedgerGrid ledger;
    model.Ldg(&ledger);
    model.ResizeColWidth(); // a missing column definition is told through the stream
    if (model.columnLayout().isEmpty())
        return cli::Refused;
    const CountSheet::DataView all = CountSheet::DataView::All;
    const Recordset rows = model.GetRsMain(request.process, CountSheet::viewCondition(request.mode, all),
                                           request.mode == SheetMode::PrintBook, shared().filterSettings);
    if (!rows.isOpen()) {
        ctx.err << LoadText("读取盘点数据失败。") << "\n" << connection.lastError().detailed() << "\n";
        return cli::Refused;
    }
    if (request.mode != SheetMode::Entry) {
        ledger.setMaxRows(rows.RecordCount() + (request.mode == SheetMode::Check ? 3 : 2));
        model.GetSumData();
        return write(ctx, SheetExport::ledger(model, ledger, request.mode), request.out);
    }
    EntryGrid grid;
    model.InputFillRow(grid);
    if (grid.dataRows() == 0) { // as the window: an empty entry sheet exports nothing
        ctx.out << LoadText("没有可引出的数据。") << "\n";
        return cli::Done;
    }
    return write(ctx, SheetExport::entry(grid, model.columnLayout(), model.hidesBookFigures()), request.out);
}

const CliCommand exportCommand("export", kUsage, runExport);

} // namespace
