// stockcheck-cli users: the users who may log in, with the ids that --user takes.

#include "clicommand.h"

#include "host/appconnection.h"
#include "host/texts.h"

namespace {

const char *const kUsage = "users --db URL  list the users who may log in: FUserID, name";

const QStringList kValueOptions{QStringLiteral("--db")};

// The users of the login dialog's list.
const QString usersSql = QStringLiteral(R"(SELECT FUserID, FName FROM t_user WHERE FForbidden = 0 ORDER BY FUserID)");

int runUsers(CliContext &ctx)
{
    QString error;
    if (!cli::checkArguments(ctx, kValueOptions, {}, &error))
        return cli::badArguments(ctx, error, kUsage);
    AppConnection conn;
    if (!cli::openDatabase(ctx, conn))
        return cli::Refused;
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
