// stockcheck-cli print: the printout of the ledger grid of a process (mode 1 the
// count report, mode 3 the count book) as a PDF file, laid out as the window prints it.

#include "cli_sheetload.h"
#include "cli_streamui.h"

#include "host/appconnection.h"
#include "host/sharedstate.h"
#include "host/texts.h"
#include "model/countprocesses.h"
#include "model/maindo.h"
#include "sheet/ledgerprint.h"

namespace {

const char *const kUsage = "print --db URL --user ID --process FID --mode 1|3 --pdf FILE"
                           "  write the count report (1) or count book (3) of a process as PDF";

struct Request
{
    int process = 0;
    SheetMode mode = SheetMode::Check;
    QString pdf;
};

bool parseRequest(const CliContext &ctx, Request *r, QString *error)
{
    if (!cli::sheetArguments(ctx, {QStringLiteral("--pdf")}, &r->process, &r->mode, error))
        return false;
    if (r->mode == SheetMode::Entry) { // the entry grid has no printout
        *error = QStringLiteral("--mode: 4 (input) cannot be printed; use 1 (check) or 3 (count book)");
        return false;
    }
    r->pdf = ctx.option(QStringLiteral("--pdf"));
    if (r->pdf.isEmpty()) {
        *error = QStringLiteral("--pdf: the file to write is missing");
        return false;
    }
    return true;
}

// The process as the window's process list shows it, with its snapshot date.
bool findProcess(AppConnection &connection, int process, QString *name, QVariant *date)
{
    Recordset rs;
    if (!CountProcesses(connection).GetProcList(true, false, nullptr, false, rs) || !rs.isOpen())
        return false;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        if (rs.integer(u"FID") == process) {
            *name = rs.text(u"FProcessID");
            *date = rs.Fields(u"FDate");
            return true;
        }
    return false;
}

int runPrint(CliContext &ctx)
{
    Request request;
    QString error;
    cli::CommandStart start(ctx, parseRequest(ctx, &request, &error), error, kUsage);
    if (start.exitCode() != 0)
        return start.exitCode();
    AppConnection &connection = start.connection;
    MainDo model;
    LedgerGrid grid;
    if (!cli::loadSheet(ctx, connection, request.process, request.mode, CountSheet::DataView::All, model, grid))
        return cli::Refused;
    QString process;
    QVariant date;
    if (!findProcess(connection, request.process, &process, &date)) {
        ctx.err << connection.lastError().detailed() << "\n";
        return cli::Refused;
    }
    LedgerPrintout printout(model, grid,
                            LedgerPrintLines::forSheet(CountSheet::title(request.mode), process,
                                                       CountSheet::checkDateText(date, model.rows()),
                                                       ledgerPrintOperatorName(shared().operatorId)));
    if (!printout.writePdf(request.pdf, &error)) {
        ctx.err << error << "\n";
        return cli::Refused;
    }
    ctx.out << request.pdf << "\t" << printout.pageCount() << "\n";
    return cli::Done;
}

const CliCommand printCommand("print", kUsage, runPrint, CliCommand::Application::Gui);

} // namespace
