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
    QString brands, categories;
    QList<GoodsCondition> conditions;
};

bool idList(const QString &option, const QString &text, QList<int> *ids, QString *error)
{
    if (SnapshotParams::parseIds(text, ids) && !ids->isEmpty())
        return true;
    *error = FormatText("%1：“%2”应为以逗号分隔的内码", {option, text});
    return false;
}

bool parseRequest(const CliContext &ctx, Request *r, QString *error)
{
    if (!cli::checkArguments(ctx, kValueOptions, {}, error))
        return false;
    bool given = false;
    const QString stocks = ctx.option(QStringLiteral("--stocks"), {}, &given);
    if (!given) {
        *error = LoadText("缺少要盘点的仓库（--stocks 仓库内码,...）");
        return false;
    }
    if (!idList(QStringLiteral("--stocks"), stocks, &r->stocks, error))
        return false;
    const QString cutoff = ctx.option(QStringLiteral("--cutoff"), {}, &given);
    if (given) {
        r->cutoff = QDate::fromString(cutoff, QStringLiteral("yyyy-MM-dd"));
        if (!r->cutoff.isValid()) {
            *error = FormatText("--cutoff：“%1”不是 YYYY-MM-DD 形式的日期", {cutoff});
            return false;
        }
    }
    QList<int> ids;
    bool brands = false, categories = false;
    r->brands = ctx.option(QStringLiteral("--brands"), {}, &brands);
    r->categories = ctx.option(QStringLiteral("--categories"), {}, &categories);
    if (brands && categories) {
        *error = LoadText("--brands 和 --categories 只能用一个");
        return false;
    }
    if ((brands && !idList(QStringLiteral("--brands"), r->brands, &ids, error)) ||
        (categories && !idList(QStringLiteral("--categories"), r->categories, &ids, error)))
        return false;
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
        p.setValue(SnapshotParams::CommBrand, r.brands);
    if (!r.categories.isEmpty())
        p.setValue(SnapshotParams::CommCategory, r.categories);
    p.setValue(SnapshotParams::IsCutDate, r.cutoff.isValid());
    p.setValue(SnapshotParams::CutDate, date.toString(QStringLiteral("yyyy-MM-dd")));
    p.setValue(SnapshotParams::Operater, userId);
    return p;
}

int run(CliContext &ctx)
{
    Request request;
    QString error;
    if (!parseRequest(ctx, &request, &error)) {
        ctx.err << error << "\n" << LoadText("用法：") << "stockcheck-cli " << kUsage << "\n";
        return 2;
    }
    AppConnection conn;
    if (!cli::openDatabase(ctx, conn))
        return 2;
    if (!cli::readNumbering(ctx))
        return 1;
    if (!cli::userExists(ctx, conn))
        return 2;
    const bool cutOff = request.cutoff.isValid();
    const QDate date = cutOff ? request.cutoff : GetServerDate();
    SnapshotParams params = paramsOf(request, ctx.userId, date);

    ICBackupInv engine;
    QString refusal;
    if (!engine.PreCheck(params, cutOff, date, refusal)) {
        ctx.err << (refusal.isEmpty() ? LoadText("读不到系统启用日期，不能备份！") : refusal) << "\n";
        return 1;
    }
    QString cycleTable;
    bool success = false;
    engine.BackUpData(params, cutOff, date, false, true, false, false, cycleTable, success);
    if (!success) {
        ctx.err << engine.lastMessage() << "\n";
        if (engine.lastError().isError())
            ctx.err << engine.lastError().detailed() << "\n";
        return 1;
    }
    if (!engine.processCreated()) {
        ctx.err << LoadText("没有可用的数据，不能备份！") << "\n";
        return 1;
    }
    ctx.out << engine.processId() << '\t' << engine.processNumber() << "\n";
    return 0;
}

const CliCommand command("snapshot", kUsage, run);

} // namespace
