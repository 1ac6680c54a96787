// stockcheck-cli history: the count journal of a process, or of one row named by
// its key: who changed a counted figure, when, how and from where.

#include "cli_countrow.h"
#include "clicommand.h"

#include "host/appconnection.h"
#include "host/numbers.h"
#include "host/texts.h"
#include "model/countjournal.h"
#include "model/entrygrid.h"
#include "sheet/countsaver.h"

namespace {

const char *const kUsage =
    "history --db URL --user ID --process FID [--item NUMBER --stock NUMBER [--place NUMBER] [--batch TEXT] "
    "[--mto TEXT] [--kfdate YYYY-MM-DD] [--kfperiod N] [--aux NUMBER]]  list the count entries of a process or of "
    "one of its rows: id, time, user, kind, source, item, warehouse, bin, batch, counted qty (row unit, base unit, "
    "secondary unit), the add an undo takes back";

const QStringList kValueOptions =
    cli::rowKeyOptions() + QStringList{QStringLiteral("--db"), QStringLiteral("--user"), QStringLiteral("--process")};

void printEntry(CliContext &ctx, const CountJournalEntry &e)
{
    const QStringList fields{QString::number(e.id),
                             e.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                             e.userName,
                             CountJournal::kindText(e.kind),
                             CountJournal::sourceText(e.source),
                             e.itemNumber,
                             e.stockNumber,
                             e.placeNumber,
                             e.key.batchNo,
                             plainNumber(e.qty.unitQty),
                             plainNumber(e.qty.baseQty),
                             plainNumber(e.qty.secQty),
                             e.undoneId ? QString::number(e.undoneId) : QString()};
    ctx.out << fields.join(QLatin1Char('\t')) << "\n";
}

int run(CliContext &ctx)
{
    QString error;
    int process = 0;
    if (!cli::checkArgumentsWithUser(ctx, kValueOptions, {}, &error) || !cli::processOption(ctx, &process, &error))
        return cli::badArguments(ctx, error, kUsage);
    bool item = false, stock = false;
    ctx.option(QStringLiteral("--item"), {}, &item);
    ctx.option(QStringLiteral("--stock"), {}, &stock);
    const bool oneRow = item || stock;
    cli::RowKey rowKey;
    if (oneRow && !cli::parseRowKey(ctx, &rowKey, &error))
        return cli::badArguments(ctx, error, kUsage);
    AppConnection conn;
    if (!cli::openDatabase(ctx, conn))
        return cli::Refused;
    try {
        QList<CountJournalEntry> entries;
        if (oneRow) {
            EntryGrid grid;
            const int row = cli::openRow(ctx, conn, process, rowKey, &grid);
            if (row == 0)
                return cli::Refused;
            entries = CountJournal::rowEntries(conn, CountRowValues::fromGrid(grid, row).key(process));
        } else {
            if (!cli::userExists(ctx, conn) || !cli::processExists(ctx, conn, process))
                return cli::Refused;
            entries = CountJournal::processEntries(conn, process);
        }
        for (const CountJournalEntry &e : std::as_const(entries))
            printEntry(ctx, e);
    } catch (const DbException &e) {
        ctx.err << LoadText("读取盘点记录失败：") << e.error().detailed() << "\n";
        return cli::Refused;
    }
    return cli::Done;
}

const CliCommand command("history", kUsage, run);

} // namespace
