// stockcheck-cli cycle-count: the cycle count of the process list, one process per
// warehouse or one for all; prints each new process as "FID<TAB>FProcessID".

#include "cli_streamui.h"
#include "clicommand.h"

#include "host/appconnection.h"
#include "host/texts.h"
#include "snapshot/cyclecount.h"

namespace {

const char *const kUsage = "cycle-count --db URL --user ID (--per-stock | --all)  open counts of the positions whose "
                           "items are due under their count cycle today";

int runCycleCount(CliContext &ctx)
{
    QString error;
    const QStringList flags{QStringLiteral("--per-stock"), QStringLiteral("--all")};
    if (!cli::checkArgumentsWithUser(ctx, {QStringLiteral("--db"), QStringLiteral("--user")}, flags, &error))
        return cli::badArguments(ctx, error, kUsage);
    const bool perStock = ctx.flag(QStringLiteral("--per-stock"));
    if (perStock == ctx.flag(QStringLiteral("--all")))
        return cli::badArguments(ctx, LoadText("请给出 --per-stock 或者 --all 之一"), kUsage);
    AppConnection conn;
    if (!cli::openDatabase(ctx, conn))
        return cli::Refused;
    const ScopedStreamUi ui(ctx.err);
    if (!cli::readNumbering(ctx) || !cli::userExists(ctx, conn))
        return cli::Refused;
    QList<CycleCount::Created> created;
    const CycleCount::Outcome outcome = CycleCount::run(perStock, ctx.userId, &created);
    for (const CycleCount::Created &c : created)
        ctx.out << c.id << '\t' << c.number << "\n";
    return outcome == CycleCount::Outcome::Done ? cli::Done : cli::Refused;
}

const CliCommand command("cycle-count", kUsage, runCycleCount);

} // namespace
