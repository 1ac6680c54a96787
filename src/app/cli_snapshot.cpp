// stockcheck-cli snapshot: opens a count as the backup dialog does, with the same
// pre-checks, and prints the new process as "FID<TAB>FProcessID".

#include "clicommand.h"

#include "host/appconnection.h"
#include "host/sharedstate.h"
#include "host/sysparams.h"
#include "host/texts.h"
#include "snapshot/goodsfilter.h"
#include "snapshot/icbackupinv.h"

namespace {

const char *const kUsage =
    "snapshot --db URL --user ID --stocks ID[,ID...] [--cutoff YYYY-MM-DD] [--brands ID,...|--categories ID,...] "
    "[--where FIELD:OP:VALUE[:LOGIC] ...]  open a count: the book stock of the warehouses (t_Stock.FItemID) "
    "into a new count process";

const QStringList kValueOptions{QStringLiteral("--db"),     QStringLiteral("--user"),   QStringLiteral("--stocks"),
                                QStringLiteral("--cutoff"), QStringLiteral("--brands"), QStringLiteral("--categories"),
                                QStringLiteral("--where")};

// What the command line asks for, checked before the database is touched.
struct Request
{
    QList<int> stocks;
    QDate cutoff; // invalid: current stock
    QList<int> brands, categories;
    QList<GoodsCondition> conditions;
};

bool parseRequest(const CliContext &ctx, Request *r, QString *error)
{
    if (!cli::checkArgumentsWithUser(ctx, kValueOptions, {}, error))
        return false;
    bool given = false;
    if (!ctx.idListOption(QStringLiteral("--stocks"), &r->stocks, &given, error))
        return false;
    if (!given) {
        *error = LoadText("缺少要盘点的仓库（--stocks 仓库内码,...）");
        return false;
    }
    const QString cutoff = ctx.option(QStringLiteral("--cutoff"), {}, &given);
    if (given) {
        r->cutoff = QDate::fromString(cutoff, QStringLiteral("yyyy-MM-dd"));
        if (!r->cutoff.isValid()) {
            *error = FormatText("--cutoff：“%1”不是 YYYY-MM-DD 形式的日期", {cutoff});
            return false;
        }
    }
    bool brands = false, categories = false;
    if (!ctx.idListOption(QStringLiteral("--brands"), &r->brands, &brands, error) ||
        !ctx.idListOption(QStringLiteral("--categories"), &r->categories, &categories, error))
        return false;
    if (brands && categories) {
        *error = LoadText("--brands 和 --categories 只能用一个");
        return false;
    }
    const QStringList wheres = ctx.options(QStringLiteral("--where"));
    for (qsizetype i = 0; i < wheres.size(); ++i) {
        GoodsCondition row;
        if (!GoodsFilter::parse(wheres.at(i), &row, error))
            return false;
        // rows are joined with "and" unless told otherwise; the last joins nothing
        if (i + 1 == wheres.size())
            row.logic.clear();
        else if (row.logic.isEmpty())
            row.logic = QStringLiteral("and");
        r->conditions << row;
    }
    return true;
}

SnapshotParams paramsOf(const Request &r, int userId, const QDate &date)
{
    SnapshotParams p;
    p.setValue(SnapshotParams::Stock, SnapshotParams::joinIds(r.stocks));
    p.setConditions(r.conditions);
    if (!r.brands.isEmpty())
        p.setValue(SnapshotParams::CommBrand, SnapshotParams::joinIds(r.brands));
    if (!r.categories.isEmpty())
        p.setValue(SnapshotParams::CommCategory, SnapshotParams::joinIds(r.categories));
    p.setValue(SnapshotParams::IsCutDate, r.cutoff.isValid());
    p.setValue(SnapshotParams::CutDate, date.toString(QStringLiteral("yyyy-MM-dd")));
    p.setValue(SnapshotParams::Operater, userId);
    return p;
}

int run(CliContext &ctx)
{
    Request request;
    QString error;
    if (!parseRequest(ctx, &request, &error))
        return cli::badArguments(ctx, error, kUsage);
    AppConnection conn;
    if (!cli::openDatabase(ctx, conn) || !cli::readNumbering(ctx) || !cli::userExists(ctx, conn))
        return cli::Refused;
    const bool cutOff = request.cutoff.isValid();
    const QDate date = cutOff ? request.cutoff : GetServerDate();
    SnapshotParams params = paramsOf(request, ctx.userId, date);

    ICBackupInv engine;
    QString refusal;
    if (!engine.PreCheck(params, cutOff, date, refusal)) {
        ctx.err << (refusal.isEmpty() ? LoadText("读不到系统启用日期，不能备份！") : refusal) << "\n";
        return cli::Refused;
    }
    QString cycleTable;
    bool success = false;
    engine.BackUpData(params, cutOff, date, false, true, false, false, cycleTable, success);
    if (!success) {
        ctx.err << engine.lastMessage() << "\n";
        if (engine.lastError().isError())
            ctx.err << engine.lastError().detailed() << "\n";
        return cli::Refused;
    }
    if (!engine.processCreated()) {
        ctx.err << LoadText("没有可用的数据，不能备份！") << "\n";
        return cli::Refused;
    }
    ctx.out << engine.processId() << '\t' << engine.processNumber() << "\n";
    return cli::Done;
}

const CliCommand command("snapshot", kUsage, run);

} // namespace
