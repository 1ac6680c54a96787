// stockcheck-cli documents: the gain or loss documents of a count, made through
// the checks of the count sheet's output commands; one line per document made.

#include "cli_streamui.h"
#include "clicommand.h"

#include "erp/stockbills.h"
#include "host/appconnection.h"
#include "host/texts.h"
#include "model/maindo.h"
#include "sheet/documentoutput.h"

namespace {

const char *const kUsage =
    "documents --db URL --user ID --process FID --kind gain|loss  make the gain or loss documents of a count;\n"
    "    prints per document: number, warehouse code, entries, total base quantity";

const QStringList kValueOptions{QStringLiteral("--db"), QStringLiteral("--user"), QStringLiteral("--process"),
                                QStringLiteral("--kind")};

// 1 gain, 2 loss; 0 when the option is missing or unknown.
int kindOption(const CliContext &ctx)
{
    const QString kind = ctx.option(QStringLiteral("--kind"));
    return kind == QLatin1String("gain") ? 1 : kind == QLatin1String("loss") ? 2 : 0;
}

int runDocuments(CliContext &ctx)
{
    QString error;
    int process = 0;
    if (!cli::checkArgumentsWithUser(ctx, kValueOptions, {}, &error) || !cli::processOption(ctx, &process, &error))
        return cli::badArguments(ctx, error, kUsage);
    const int kind = kindOption(ctx);
    if (kind == 0)
        return cli::badArguments(ctx, QStringLiteral("--kind: gain or loss"), kUsage);
    AppConnection conn;
    if (!cli::openDatabase(ctx, conn))
        return cli::Refused;
    const ScopedStreamUi ui(ctx.err);
    if (!cli::readNumbering(ctx) || !cli::userExists(ctx, conn) || !cli::processExists(ctx, conn, process))
        return cli::Refused;
    MainDo model;
    const DocumentOutput::Result result = DocumentOutput::run(model, kind, process, {}, false);
    if (result.outcome == DocumentOutput::Outcome::Nothing) {
        ctx.out << LoadText("没有需要输出的单据。") << "\n";
        return cli::Done;
    }
    if (result.outcome != DocumentOutput::Outcome::Made)
        return cli::Refused;
    const std::optional<QList<erp::StockBill>> bills = erp::loadStockBills(conn, result.documents);
    if (!bills) {
        ctx.err << conn.lastError().detailed() << "\n";
        return cli::Refused;
    }
    for (const erp::StockBill &bill : *bills)
        ctx.out << bill.billNo << '\t' << bill.stockNumber << '\t' << bill.entries << '\t'
                << QString::number(bill.baseQty, 'f', 4) << "\n";
    return cli::Done;
}

const CliCommand command("documents", kUsage, runDocuments);

} // namespace
