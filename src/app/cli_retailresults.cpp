// stockcheck-cli retail-results: the audited retail counts and re-counts of a
// count process merged into its count rows. retail-demo: the host stand-in's
// demo retail count documents for a process, to have something to merge.

#include "cli_streamui.h"
#include "clicommand.h"

#include "erp/retailcounts.h"
#include "host/appconnection.h"
#include "host/texts.h"
#include "snapshot/icbackupinv.h"

namespace {

const char *const kUsage = "retail-results --db URL --user ID --process FID  merge the audited retail count and "
                           "re-count documents of a count into its rows; prints FID, rows, counted rows, re-counted "
                           "rows";
const char *const kDemoUsage = "retail-demo --db URL --user ID --process FID  (demo data) write the shop's retail "
                               "count and re-count documents of a count; prints their numbers";

const QString summarySql = QStringLiteral(R"(SELECT COUNT(*) AS FRows,
       SUM(CASE WHEN FQtyAct IS NOT NULL THEN 1 ELSE 0 END) AS FCounted,
       SUM(CASE WHEN FReCheckFlag = 1 THEN 1 ELSE 0 END) AS FReCounted
  FROM ICInvBackup WHERE FInterID = ?)");

bool prepare(CliContext &ctx, AppConnection &conn, int *process, const char *usage, int *exit)
{
    QString error;
    const QStringList options{QStringLiteral("--db"), QStringLiteral("--user"), QStringLiteral("--process")};
    if (!cli::checkArgumentsWithUser(ctx, options, {}, &error) || !cli::processOption(ctx, process, &error)) {
        *exit = cli::badArguments(ctx, error, usage);
        return false;
    }
    *exit = cli::Refused;
    return cli::openDatabase(ctx, conn) && cli::userExists(ctx, conn) && cli::processExists(ctx, conn, *process);
}

int runRetailResults(CliContext &ctx)
{
    AppConnection conn;
    int process = 0, exit = 0;
    if (!prepare(ctx, conn, &process, kUsage, &exit))
        return exit;
    const ScopedStreamUi ui(ctx.err);
    ICBackupInv engine;
    if (engine.isHaveUnCheckBill(process))
        ctx.err << LoadText("该盘点方案还有未审核的零售盘点单，只计入已审核的。") << "\n";
    if (!engine.UpdateStockBillDate(process)) {
        ctx.err << LoadText("计入零售盘点结果失败：") << engine.lastError().detailed() << "\n";
        return cli::Refused;
    }
    Recordset rs = conn.Execute(summarySql, {process});
    ctx.out << process << '\t' << rs.integer(u"FRows") << '\t' << rs.integer(u"FCounted") << '\t'
            << rs.integer(u"FReCounted") << "\n";
    return cli::Done;
}

int runRetailDemo(CliContext &ctx)
{
    AppConnection conn;
    int process = 0, exit = 0;
    if (!prepare(ctx, conn, &process, kDemoUsage, &exit))
        return exit;
    try {
        for (const QString &number : erp::writeRetailCounts(conn, process, QDate::currentDate()))
            ctx.out << number << "\n";
    } catch (const DbException &e) {
        ctx.err << e.error().detailed() << "\n";
        return cli::Refused;
    }
    return cli::Done;
}

const CliCommand resultsCommand("retail-results", kUsage, runRetailResults);
const CliCommand demoCommand("retail-demo", kDemoUsage, runRetailDemo);

} // namespace
