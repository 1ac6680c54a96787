// stockcheck-cli users: the users who may log in, with the ids that --user takes.

#include "clicommand.h"

#include "erp/gldata.h"
#include "host/appconnection.h"
#include "host/dberror.h"
#include "host/texts.h"

namespace {

const char *const kUsage = "users --db URL [--grant-handheld ID]  list the users who may log in: FUserID, name;"
                           " --grant-handheld lets a user count from handhelds (stockcheck-server)";

const QStringList kValueOptions{QStringLiteral("--db"), QStringLiteral("--grant-handheld")};

// The users of the login dialog's list.
const QString usersSql = QStringLiteral(R"(SELECT FUserID, FName FROM t_user WHERE FForbidden = 0 ORDER BY FUserID)");

int runUsers(CliContext &ctx)
{
    QString error;
    if (!cli::checkArguments(ctx, kValueOptions, {}, &error))
        return cli::badArguments(ctx, error, kUsage);
    int grantTo = 0;
    bool grant = false;
    if (!ctx.wholeOption(QStringLiteral("--grant-handheld"), &grantTo, &grant, &error))
        return cli::badArguments(ctx, error, kUsage);
    AppConnection conn;
    if (!cli::openDatabase(ctx, conn))
        return cli::Refused;
    if (grant) {
        if (conn.Execute(QStringLiteral("SELECT FUserID FROM t_user WHERE FUserID = ?"), {grantTo}).isEmpty()) {
            ctx.err << FormatText("用户（编号 %1）不存在。", {grantTo}) << "\n";
            return cli::Refused;
        }
        try {
            erp::grantRights(conn, grantTo, {GLData::Right::EnterCount});
        } catch (const DbException &e) {
            ctx.err << e.error().detailed() << "\n";
            return cli::Refused;
        }
    }
    Recordset rows = conn.Execute(usersSql);
    if (!rows.isOpen()) {
        ctx.err << LoadText("读取用户资料失败：") << conn.lastError().detailed() << "\n";
        return cli::Refused;
    }
    for (rows.MoveFirst(); !rows.Eof(); rows.MoveNext())
        ctx.out << rows.integer(u"FUserID") << '\t' << rows.text(u"FName") << "\n";
    return cli::Done;
}

const CliCommand command("users", kUsage, runUsers);

} // namespace
