// stockcheck-cli audit: approves one stock document as the document viewer does,
// posting it to the current stock.

#include "cli_streamui.h"
#include "clicommand.h"

#include "erp/stockbills.h"
#include "host/appconnection.h"

namespace {

const char *const kUsage = "audit --db URL --user ID --bill NUMBER  approve a document and post it to the stock";

const QStringList kValueOptions{QStringLiteral("--db"), QStringLiteral("--user"), QStringLiteral("--bill")};

int runAudit(CliContext &ctx)
{
    QString error;
    if (!cli::checkArgumentsWithUser(ctx, kValueOptions, {}, &error))
        return cli::badArguments(ctx, error, kUsage);
    const QString billNo = ctx.option(QStringLiteral("--bill")).trimmed();
    if (billNo.isEmpty())
        return cli::badArguments(ctx, QStringLiteral("--bill: the document number"), kUsage);
    AppConnection conn;
    if (!cli::openDatabase(ctx, conn))
        return cli::Refused;
    const ScopedStreamUi ui(ctx.err);
    if (!cli::userExists(ctx, conn))
        return cli::Refused;
    const std::optional<int> id = erp::findStockBill(conn, billNo);
    if (!id) {
        ctx.err << conn.lastError().detailed() << "\n";
        return cli::Refused;
    }
    DbError dbError;
    const erp::AuditResult result =
        *id == 0 ? erp::AuditResult::NotFound : erp::auditStockBill(conn, *id, ctx.userId, &dbError);
    if (result != erp::AuditResult::Audited) {
        ctx.err << erp::auditResultText(result, billNo) << "\n";
        if (dbError.isError())
            ctx.err << dbError.detailed() << "\n";
        return cli::Refused;
    }
    ctx.out << erp::auditResultText(result, billNo) << "\n";
    return cli::Done;
}

const CliCommand command("audit", kUsage, runAudit);

} // namespace
