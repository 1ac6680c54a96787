// stockcheck-cli stocks: the warehouses the operator may count, with the ids that
// `snapshot --stocks` takes; the same list, under the same row-level access
// rules, as the backup dialog's warehouse tree.

#include "cli_streamui.h"
#include "clicommand.h"

#include "host/appconnection.h"
#include "host/texts.h"
#include "snapshot/icbackupinv.h"

namespace {

const char *const kUsage = "stocks --db URL --user ID  list the warehouses the user may count: FItemID, code, name";

const QStringList kValueOptions{QStringLiteral("--db"), QStringLiteral("--user")};

constexpr int stockClass = 5; // the item class of warehouses

int runStocks(CliContext &ctx)
{
    QString error;
    if (!cli::checkArgumentsWithUser(ctx, kValueOptions, {}, &error))
        return cli::badArguments(ctx, error, kUsage);
    AppConnection conn;
    if (!cli::openDatabase(ctx, conn))
        return cli::Refused;
    const ScopedStreamUi ui(ctx.err);
    if (!cli::readNumbering(ctx) || !cli::userExists(ctx, conn))
        return cli::Refused;
    ICBackupInv engine(&conn);
    Recordset rows;
    if (!engine.FetchItem(stockClass, rows)) {
        ctx.err << FormatText("不能读取%1列表。", {LoadText("仓库")}) << "\n";
        if (engine.lastError().isError())
            ctx.err << engine.lastError().detailed() << "\n";
        return cli::Refused;
    }
    // the tree's groups only gather warehouses: a count takes the warehouses themselves
    for (rows.MoveFirst(); !rows.Eof(); rows.MoveNext())
        if (rows.integer(u"FDetail") == 1)
            ctx.out << rows.integer(u"FItemID") << '\t' << rows.text(u"FNumber") << '\t' << rows.text(u"FName") << "\n";
    return cli::Done;
}

const CliCommand command("stocks", kUsage, runStocks);

} // namespace
