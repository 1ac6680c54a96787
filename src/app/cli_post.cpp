// stockcheck-cli post: audited stock documents and MTO changes posted after the
// snapshots of the open counts, so that there is something to reconcile.

#include "cli_streamui.h"
#include "clicommand.h"

#include "erp/laterpostings.h"
#include "host/appconnection.h"
#include "host/sysparams.h"
#include "host/texts.h"

namespace {

const char *const kUsage = "post --db URL --user ID --documents N [--date YYYY-MM-DD] [--seed S]  post audited "
                           "documents on the positions of the open counts, moving the current stock";

const QStringList kValueOptions{QStringLiteral("--db"), QStringLiteral("--user"), QStringLiteral("--documents"),
                                QStringLiteral("--date"), QStringLiteral("--seed")};

bool parse(const CliContext &ctx, erp::PostingOptions *o, QString *error)
{
    if (!cli::checkArgumentsWithUser(ctx, kValueOptions, {}, error))
        return false;
    bool given = false;
    if (!ctx.idOption(QStringLiteral("--documents"), &o->documents, &given, error))
        return false;
    if (!given) {
        *error = LoadText("缺少单据数量（--documents N）");
        return false;
    }
    int seed = 1;
    if (!ctx.wholeOption(QStringLiteral("--seed"), &seed, &given, error))
        return false;
    o->seed = quint64(seed);
    const QString date = ctx.option(QStringLiteral("--date"), {}, &given);
    if (given) {
        o->date = QDate::fromString(date, QStringLiteral("yyyy-MM-dd"));
        if (!o->date.isValid()) {
            *error = FormatText("--date：“%1”不是 YYYY-MM-DD 形式的日期", {date});
            return false;
        }
    }
    o->userId = ctx.userId;
    return true;
}

int run(CliContext &ctx)
{
    erp::PostingOptions options;
    QString error;
    if (!parse(ctx, &options, &error))
        return cli::badArguments(ctx, error, kUsage);
    AppConnection conn;
    if (!cli::openDatabase(ctx, conn))
        return cli::Refused;
    const ScopedStreamUi ui(ctx.err);
    if (!cli::userExists(ctx, conn))
        return cli::Refused;
    options.mtoPlanMode = ReadEnableMtoPlanMode() != 0;
    const auto posted = erp::postLaterDocuments(conn, options, &error);
    if (!posted) {
        ctx.err << error << "\n";
        return cli::Refused;
    }
    // id, number, type and entries of each document, for reconcile --mark
    for (const erp::PostedDocument &d : *posted)
        ctx.out << d.id << '\t' << d.billNo << '\t' << d.tranType << '\t' << d.entries << "\n";
    return cli::Done;
}

const CliCommand command("post", kUsage, run);

} // namespace
