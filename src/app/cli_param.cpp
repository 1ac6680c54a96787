// stockcheck-cli param: reads or sets one of the count's own system parameters
// (blind counting, the recount tolerance). Other parameters of the host are not
// this command's to touch.

#include "clicommand.h"

#include "host/appconnection.h"
#include "host/countparams.h"
#include "host/hostcomponents.h"
#include "host/sharedstate.h"
#include "host/texts.h"

namespace {

const char *const kUsage =
    "param --db URL --user ID (--set KEY=VALUE | --get KEY)  read or set a system parameter of the count"
    " (BlindCount 0|1, RecountToleranceQty, RecountTolerancePercent)";

const QStringList kValueOptions{QStringLiteral("--db"), QStringLiteral("--user"), QStringLiteral("--set"),
                                QStringLiteral("--get")};

struct Request
{
    const countparams::Param *param = nullptr;
    bool set = false;
    QString stored; // the value to write, normalised
};

QString knownKeys()
{
    QStringList keys;
    for (const countparams::Param &p : countparams::all())
        keys << QString::fromLatin1(p.key);
    return keys.join(QStringLiteral(", "));
}

bool parseRequest(const CliContext &ctx, Request *r, QString *error)
{
    if (!cli::checkArgumentsWithUser(ctx, kValueOptions, {}, error))
        return false;
    bool hasSet = false, hasGet = false;
    const QString set = ctx.option(QStringLiteral("--set"), {}, &hasSet);
    const QString get = ctx.option(QStringLiteral("--get"), {}, &hasGet);
    if (hasSet == hasGet ||
        ctx.options(QStringLiteral("--set")).size() + ctx.options(QStringLiteral("--get")).size() != 1) {
        *error = QStringLiteral("give one --set KEY=VALUE or one --get KEY");
        return false;
    }
    r->set = hasSet;
    const qsizetype eq = set.indexOf(QLatin1Char('='));
    if (hasSet && eq < 0) {
        *error = QStringLiteral("--set: \"%1\" is not KEY=VALUE").arg(set);
        return false;
    }
    const QString key = hasSet ? set.left(eq).trimmed() : get.trimmed();
    r->param = countparams::find(key);
    if (!r->param) {
        *error = QStringLiteral("\"%1\" is not a parameter of the count (%2)").arg(key, knownKeys());
        return false;
    }
    return !hasSet || countparams::normalise(*r->param, set.mid(eq + 1), &r->stored, error);
}

// Only someone who may change count plans may change how counts are taken: a
// counter who could switch blind counting off would make it pointless.
bool maySet(CliContext &ctx, AppConnection &connection)
{
    GLData *rights = shared().components.glData.get();
    bool allowed = false;
    try {
        allowed = rights && rights->AccessCheck(connection, ctx.userId, GLData::Right::ChangeCountPlan);
    } catch (const DbException &) {
        allowed = false;
    }
    if (!allowed)
        ctx.err << LoadText("您没有修改盘点参数的权限。") << "\n";
    return allowed;
}

// A snapshot that starts every count at the book (IsInputStockDate) shows the books
// in the counted column: blind counting would hide nothing.
const QString inputStockDateSql =
    QStringLiteral(R"(SELECT FValue FROM t_SystemProfile WHERE FCategory = 'RTSTOCK' AND FKey = 'IsInputStockDate')");

bool blindPossible(CliContext &ctx, AppConnection &connection, const Request &request)
{
    if (qstrcmp(request.param->key, countparams::BlindCount) != 0 || request.stored != QLatin1String("1"))
        return true;
    Recordset rs = connection.ExecuteRaiseErr(inputStockDateSql);
    if (rs.isEmpty() || Recordset::toNumber(rs.Fields(u"FValue")) == 0)
        return true;
    ctx.err << LoadText("盘点实存数量默认等于账存数量时不能使用盲盘。") << "\n";
    return false;
}

int runParam(CliContext &ctx)
{
    Request request;
    QString error;
    if (!parseRequest(ctx, &request, &error))
        return cli::badArguments(ctx, error, kUsage);
    AppConnection connection;
    if (!cli::openDatabase(ctx, connection) || !cli::userExists(ctx, connection))
        return cli::Refused;
    try {
        if (request.set && (!maySet(ctx, connection) || !blindPossible(ctx, connection, request)))
            return cli::Refused;
        if (request.set)
            countparams::setValue(connection, *request.param, request.stored);
        ctx.out << request.param->key << '=' << countparams::value(connection, *request.param) << "\n";
    } catch (const DbException &e) {
        ctx.err << LoadText("系统参数保存失败：") << e.error().detailed() << "\n";
        return cli::Refused;
    }
    return cli::Done;
}

const CliCommand command("param", kUsage, runParam);

} // namespace
