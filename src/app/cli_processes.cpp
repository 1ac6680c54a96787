// stockcheck-cli processes / process: the count process list without a window:
// list the processes; rename, re-mark or delete one through the list's own checks,
// rights and messages.

#include "cli_streamui.h"
#include "clicommand.h"

#include "host/appconnection.h"
#include "host/texts.h"
#include "snapshot/chkstockproclogic.h"
#include "snapshot/icbackupinv.h"

#include <QScopeGuard>

namespace {

const char *const kListUsage =
    "processes --db URL --user ID [--all] [--recent]  list the count processes (open ones unless --all; "
    "--recent: of the last seven days): FID, number, date, operator, status, remark";
const char *const kProcessUsage =
    "process --db URL --user ID --process FID [--name TEXT] [--remark TEXT] [--delete]  rename or re-mark a "
    "count process, or delete it with its rows";

// The person of the command: a --delete on the command line is the confirmation.
class ConfirmingUi : public StreamUi
{
public:
    using StreamUi::StreamUi;
    Answer question(const QString &, bool) override { return Answer::Yes; }
};

QString line(const ProcListModel::Process &p)
{
    return QStringList{QString::number(p.id),     p.name,  p.date.toString(QStringLiteral("yyyy-MM-dd")), p.user,
                       QString::number(p.status), p.remark}
        .join(QLatin1Char('\t'));
}

int runList(CliContext &ctx)
{
    QString error;
    const QStringList flags{QStringLiteral("--all"), QStringLiteral("--recent")};
    if (!cli::checkArgumentsWithUser(ctx, {QStringLiteral("--db"), QStringLiteral("--user")}, flags, &error))
        return cli::badArguments(ctx, error, kListUsage);
    AppConnection conn;
    if (!cli::openDatabase(ctx, conn))
        return cli::Refused;
    const ScopedStreamUi ui(ctx.err);
    if (!cli::userExists(ctx, conn))
        return cli::Refused;
    Recordset list;
    if (!ICBackupInv().GetProcList(ctx.flag(QStringLiteral("--all")), true, nullptr,
                                   ctx.flag(QStringLiteral("--recent")), list)) {
        ctx.err << conn.lastError().detailed() << "\n";
        return cli::Refused;
    }
    ProcListModel model;
    model.load(list);
    for (const ProcListModel::Process &p : model.processes())
        ctx.out << line(p) << "\n";
    return cli::Done;
}

int runProcess(CliContext &ctx)
{
    QString error;
    int process = 0;
    const QStringList options{QStringLiteral("--db"), QStringLiteral("--user"), QStringLiteral("--process"),
                              QStringLiteral("--name"), QStringLiteral("--remark")};
    if (!cli::checkArgumentsWithUser(ctx, options, {QStringLiteral("--delete")}, &error) ||
        !cli::processOption(ctx, &process, &error))
        return cli::badArguments(ctx, error, kProcessUsage);
    bool rename = false, remark = false;
    const QString name = ctx.option(QStringLiteral("--name"), {}, &rename);
    const QString note = ctx.option(QStringLiteral("--remark"), {}, &remark);
    const bool remove = ctx.flag(QStringLiteral("--delete"));
    if (remove == (rename || remark))
        return cli::badArguments(ctx, LoadText("请给出 --name、--remark 或者 --delete 之一"), kProcessUsage);
    AppConnection conn;
    if (!cli::openDatabase(ctx, conn))
        return cli::Refused;
    ConfirmingUi ui(ctx.err);
    shared().ui = &ui;
    const auto done = qScopeGuard([] { shared().ui = nullptr; });
    if (!cli::userExists(ctx, conn) || !cli::processExists(ctx, conn, process))
        return cli::Refused;
    ChkStockProcLogic list({{QStringLiteral("UserID"), ctx.userId}});
    if (!list.load())
        return cli::Refused;
    int row = 0;
    while (list.model()->process(row) && list.model()->process(row)->id != process)
        ++row;
    if (!list.model()->process(row))
        return cli::Refused;
    list.setCurrentRow(row);
    if (remove)
        return list.deleteCurrent() ? cli::Done : cli::Refused;
    if (rename)
        list.model()->setText(row, ProcListModel::Name, name);
    if (remark)
        list.model()->setText(row, ProcListModel::Remark, note);
    if (!list.save())
        return cli::Refused;
    ctx.out << line(*list.model()->process(row)) << "\n";
    return cli::Done;
}

const CliCommand listCommand("processes", kListUsage, runList);
const CliCommand processCommand("process", kProcessUsage, runProcess);

} // namespace
