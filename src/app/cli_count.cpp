// stockcheck-cli count: counts one row of a process as a person typing into the
// entry grid would, and saves that row through the same row check as the window.

#include "cli_countrow.h"
#include "cli_streamui.h"
#include "clicommand.h"

#include "erp/complexqty.h"
#include "host/appconnection.h"
#include "host/numbers.h"
#include "host/sharedstate.h"
#include "host/sysparams.h"
#include "host/texts.h"
#include "model/countentryservice.h"
#include "model/maindo.h"
#include "sheet/countsaver.h"
#include "sheet/countsheet.h"
#include "sheet/entryrules.h"

namespace {

using namespace EntryCol;

const char *const kUsage =
    "count --db URL --user ID --process FID --item NUMBER --stock NUMBER [--place NUMBER] [--batch TEXT] "
    "[--mto TEXT] [--kfdate YYYY-MM-DD] [--kfperiod N] [--aux NUMBER] (--qty Q [--base] | --composite TEXT) "
    "[--adj A] [--secqty S] [--note TEXT] [--add]  count one row of a process and save it; with --add the --qty "
    "(in the row's unit) is added to what the row holds";

const QStringList kValueOptions =
    cli::rowKeyOptions() + QStringList{QStringLiteral("--db"),        QStringLiteral("--user"),
                                       QStringLiteral("--process"),   QStringLiteral("--qty"),
                                       QStringLiteral("--composite"), QStringLiteral("--adj"),
                                       QStringLiteral("--secqty"),    QStringLiteral("--note")};
const QString kRecountedSql = QStringLiteral("SELECT COALESCE(FReCheckFlag, 0) AS FReCheckFlag FROM ICInvBackup WHERE");

const QString kBaseFlag = QStringLiteral("--base");
const QString kAddFlag = QStringLiteral("--add");

// What is typed into the row, in the order it is typed.
struct Entry
{
    QString qty; // into 27, or 19 with `base`
    bool base = false;
    QString composite;
    QString adj, secQty, note;
    bool hasAdj = false, hasSecQty = false, hasNote = false;
    bool add = false; // added to the row by the database, not typed
};

struct Request
{
    int process = 0;
    cli::RowKey key;
    Entry entry;
};

bool parseEntry(const CliContext &ctx, Entry *e, QString *error)
{
    bool qty = false, composite = false;
    if (!ctx.quantityOption(QStringLiteral("--qty"), &e->qty, &qty, error))
        return false;
    e->composite = ctx.option(QStringLiteral("--composite"), {}, &composite).trimmed();
    e->base = ctx.flag(kBaseFlag);
    if (qty == composite || (e->base && !qty)) {
        *error = LoadText("请给出 --qty 数量（可加 --base）或 --composite 综合单位数量，两者只能用一个");
        return false;
    }
    if (!ctx.quantityOption(QStringLiteral("--adj"), &e->adj, &e->hasAdj, error) ||
        !ctx.quantityOption(QStringLiteral("--secqty"), &e->secQty, &e->hasSecQty, error))
        return false;
    e->note = ctx.option(QStringLiteral("--note"), {}, &e->hasNote);
    e->add = ctx.flag(kAddFlag);
    if (e->add && (!qty || e->base || e->hasAdj || e->hasSecQty || e->hasNote)) {
        *error = LoadText("--add 只能与 --qty（行的单位）一起使用");
        return false;
    }
    return true;
}

bool parseRequest(const CliContext &ctx, Request *r, QString *error)
{
    if (!cli::checkArgumentsWithUser(ctx, kValueOptions, {kBaseFlag, kAddFlag}, error))
        return false;
    return cli::processOption(ctx, &r->process, error) && cli::parseRowKey(ctx, &r->key, error) &&
           parseEntry(ctx, &r->entry, error);
}

// The composite text read back into the base quantity over the row's units.
bool compositeBase(CliContext &ctx, AppConnection &conn, const EntryGrid &grid, int row, const QString &text,
                   double *base)
{
    const int group = int(grid.number(row, UnitGroupID));
    std::optional<erp::ItemUnits> item = erp::ComplexQty::loadItem(conn, int(grid.number(row, ItemID)));
    QList<erp::MeasureUnit> units;
    if (item)
        units = group > 0 && group != item->unitGroupId ? erp::ComplexQty::loadGroup(conn, group) : item->units;
    QString error;
    const std::optional<double> qty =
        units.isEmpty() ? std::nullopt : erp::ComplexQty::parse(units, CountSheet::withoutQuotes(text), &error);
    if (!qty) {
        ctx.err << FormatText("--composite：“%1”不是这一物料的综合单位数量", {text});
        if (!error.isEmpty())
            ctx.err << "（" << error << "）";
        ctx.err << "\n";
        return false;
    }
    *base = *qty;
    return true;
}

// Types the entry into the row's cells, each as the grid's cursor would visit it.
// A figure the entry rules refuse ends the command with their message, as the
// window would show it.
int typeEntry(CliContext &ctx, AppConnection &conn, EntryGrid &grid, int row, const Entry &e, EntrySession &session)
{
    QString refusal;
    auto type = [&](int col, const QString &text) {
        EntryRules::enterCell(grid, row, col, session);
        EntryRules::setCell(grid, row, col, CountSheet::withoutQuotes(text), session, &refusal);
        EntryRules::leaveCell(grid, session);
        return refusal.isEmpty();
    };
    if (!e.composite.isEmpty()) {
        double base = 0;
        if (!compositeBase(ctx, conn, grid, row, e.composite, &base))
            return cli::BadArguments;
        EntryRules::enterCell(grid, row, ComplexQty, session);
        EntryRules::applyComplexQty(grid, row, CountSheet::withoutQuotes(e.composite), base, session, &refusal);
        EntryRules::leaveCell(grid, session);
    } else {
        type(e.base ? BaseCheckQty : CheckQty, e.qty);
    }
    const bool typed = refusal.isEmpty() && (!e.hasAdj || type(AdjQty, e.adj)) &&
                       (!e.hasSecQty || type(SecCheckQty, e.secQty)) && (!e.hasNote || type(Note, e.note));
    if (typed)
        return cli::Done;
    ctx.err << refusal << "\n";
    return cli::Refused;
}

void printRow(CliContext &ctx, const EntryGrid &grid, int row)
{
    for (int col : {BaseActualQty, BaseCheckQty, ActualQty, CheckQty, ComplexQty, AdjQty, SecActualQty, SecCheckQty,
                    SecAdjQty, Note})
        ctx.out << EntryGrid::heading(col) << '\t' << grid.text(row, col) << "\n";
}

// --add: the database adds to the row, so counters adding at the same time never
// lose each other's figures.
int addToRow(CliContext &ctx, AppConnection &conn, const CountRowKey &key, const QString &qtyText)
{
    const CountEntryResult r =
        CountEntryService::add(conn, key, qtyText.toDouble(), CountSource::commandLine, ctx.userId);
    if (!r.ok()) {
        ctx.err << r.message << "\n";
        if (!r.error.statement.isEmpty())
            ctx.err << r.error.detailed() << "\n";
        return cli::Refused;
    }
    ctx.out << EntryGrid::heading(CheckQty) << '\t' << plainNumber(r.counted.unitQty) << "\n"
            << EntryGrid::heading(BaseCheckQty) << '\t' << plainNumber(r.counted.baseQty) << "\n"
            << EntryGrid::heading(SecCheckQty) << '\t' << plainNumber(r.counted.secQty) << "\n";
    return cli::Done;
}

int run(CliContext &ctx)
{
    Request request;
    QString error;
    cli::CommandStart start(ctx, parseRequest(ctx, &request, &error), error, kUsage);
    if (start.exitCode() != 0)
        return start.exitCode();
    AppConnection &conn = start.connection;
    EntryGrid grid;
    const int row = cli::openRow(ctx, conn, request.process, request.key, &grid);
    if (row == 0)
        return cli::Refused;
    if (request.entry.add)
        return addToRow(ctx, conn, CountRowValues::fromGrid(grid, row).key(request.process), request.entry.qty);
    // a recounted row has its count from the recount, which the grid does not let a new count replace
    const SqlFragment where = CountRowValues::fromGrid(grid, row).key(request.process).whereClause();
    if (conn.Execute(kRecountedSql + where.sql, where.binds).integer(u"FReCheckFlag") == 1) {
        ctx.err << LoadText("这一行已经复盘，实存数量以复盘数量为准，不能再修改盘点数量。") << "\n";
        return cli::Refused;
    }
    EntrySession session;
    session.complexQty = [&conn](int item, const QString &units, double qty, const QString &unit) {
        return erp::CalComplexQty(conn, item, units, qty, unit);
    };
    if (const int typed = typeEntry(ctx, conn, grid, row, request.entry, session); typed != cli::Done)
        return typed;
    shared().currentProcess = request.process;
    const CountSaver::Options options{.processId = request.process,
                                      .operatorId = ctx.userId,
                                      .mtoPlanMode = shared().enableMtoPlanMode != 0,
                                      .source = CountSource::commandLine};
    CountSaver saver(grid, session, conn, shared().ui, options);
    const CountSaver::RowWrite write = saver.saveRow(row);
    if (write.check != RowCheck::Accepted || !write.refused.isEmpty()) {
        ctx.err << (write.refused.isEmpty() ? CountSaver::checkMessage(write.check) : write.refused) << "\n";
        return cli::Refused;
    }
    if (!write.written) {
        const DbError &e = saver.lastError();
        ctx.err << LoadText("保存盘点数据失败：") << CountSaver::failureReason(e) << "\n";
        if (!e.statement.isEmpty())
            ctx.err << e.detailed() << "\n";
        return cli::Refused;
    }
    printRow(ctx, grid, row);
    return cli::Done;
}

const CliCommand command("count", kUsage, run);

} // namespace
