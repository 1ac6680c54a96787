// stockcheck-cli recount: the recount sheet of a process (the counted rows whose
// difference is beyond the tolerance), or one recount entered into a row named by
// its key as `count` names it. A counter who counts blind sees neither the books
// nor the first count.

#include "cli_countrow.h"
#include "cli_streamui.h"
#include "clicommand.h"

#include "host/appconnection.h"
#include "host/countparams.h"
#include "host/loginprops.h"
#include "host/sharedstate.h"
#include "host/texts.h"
#include "model/countjournal.h"
#include "model/entrygrid.h"
#include "model/recount.h"
#include "sheet/countsaver.h"

namespace {

const char *const kUsage =
    "recount --db URL --user ID --process FID (--list | --qty Q --item NUMBER --stock NUMBER [--place NUMBER]"
    " [--batch TEXT] [--mto TEXT] [--kfdate YYYY-MM-DD] [--kfperiod N] [--aux NUMBER])"
    "  list the rows to count again, or enter the recount of one row in its unit";

const QStringList kValueOptions =
    cli::rowKeyOptions() +
    QStringList{QStringLiteral("--db"), QStringLiteral("--user"), QStringLiteral("--process"), QStringLiteral("--qty")};
const QString kListFlag = QStringLiteral("--list");

struct Request
{
    int process = 0;
    bool list = false;
    double qty = 0;
    cli::RowKey key;
};

bool parseRequest(const CliContext &ctx, Request *r, QString *error)
{
    if (!cli::checkArgumentsWithUser(ctx, kValueOptions, {kListFlag}, error) ||
        !cli::processOption(ctx, &r->process, error))
        return false;
    bool hasQty = false;
    const QString qty = ctx.option(QStringLiteral("--qty"), {}, &hasQty);
    r->list = ctx.flag(kListFlag);
    if (r->list == hasQty) {
        *error = QStringLiteral("give --list or --qty with the row's key");
        return false;
    }
    if (r->list) {
        for (const QString &o : cli::rowKeyOptions())
            if (ctx.args.contains(o)) {
                *error = QStringLiteral("%1 names a row: it goes with --qty, not --list").arg(o);
                return false;
            }
        return true;
    }
    const auto value = cli::parseQuantity(qty);
    if (!value || *value < 0) {
        *error = QStringLiteral("--qty: \"%1\" is not a plain quantity of 0 or more").arg(qty);
        return false;
    }
    r->qty = *value;
    return cli::parseRowKey(ctx, &r->key, error);
}

void printLines(CliContext &ctx, const QList<Recount::Line> &lines, bool blind, bool heading)
{
    const bool mto = shared().enableMtoPlanMode != 0;
    if (heading)
        ctx.out << Recount::headings(blind, mto).join(QLatin1Char('\t')) << "\n";
    for (const Recount::Line &l : lines)
        ctx.out << Recount::cells(l, blind, mto).join(QLatin1Char('\t')) << "\n";
}

int runRecount(CliContext &ctx)
{
    Request request;
    QString error;
    cli::CommandStart start(ctx, parseRequest(ctx, &request, &error), error, kUsage);
    if (start.exitCode() != 0)
        return start.exitCode();
    AppConnection &connection = start.connection;
    const bool blind = countparams::hidesBookFigures(connection, ctx.userId);
    Recount recount(connection);
    CountRowKey entered;
    if (!request.list) {
        EntryGrid grid;
        const int row = cli::openRow(ctx, connection, request.process, request.key, &grid);
        if (row == 0)
            return cli::Refused;
        entered = CountRowValues::fromGrid(grid, row).key(request.process);
        if (!recount.enter(entered, request.qty, ctx.userId, CountSource::commandLine, &error)) {
            ctx.err << error << "\n";
            return cli::Refused;
        }
    } else if (!cli::readNumbering(ctx) || !cli::userExists(ctx, connection) ||
               !cli::processExists(ctx, connection, request.process)) {
        return cli::Refused;
    }
    try {
        QList<Recount::Line> lines = recount.lines(request.process, countparams::recountTolerance(connection));
        if (!request.list) // the row just recounted, as the list shows it
            lines.removeIf([&](const Recount::Line &l) { return !(l.key == entered); });
        printLines(ctx, lines, blind, request.list);
    } catch (const DbException &e) {
        ctx.err << LoadText("读取盘点数据失败。") << "\n" << e.error().detailed() << "\n";
        return cli::Refused;
    }
    return cli::Done;
}

const CliCommand command("recount", kUsage, runRecount);

} // namespace
