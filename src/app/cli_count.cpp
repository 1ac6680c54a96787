// stockcheck-cli count: counts one row of a process as a person typing into the
// entry grid would, and saves that row through the same row check as the window.

#include "cli_streamui.h"
#include "clicommand.h"

#include "erp/complexqty.h"
#include "host/appconnection.h"
#include "host/sharedstate.h"
#include "host/sysparams.h"
#include "host/texts.h"
#include "model/maindo.h"
#include "sheet/countsaver.h"
#include "sheet/countsheet.h"
#include "sheet/entryrules.h"

#include <QDate>

namespace {

using namespace EntryCol;

const char *const kUsage =
    "count --db URL --user ID --process FID --item NUMBER --stock NUMBER [--place NUMBER] [--batch TEXT] "
    "[--mto TEXT] [--kfdate YYYY-MM-DD] [--kfperiod N] [--aux NUMBER] (--qty Q [--base] | --composite TEXT) "
    "[--adj A] [--secqty S] [--note TEXT]  count one row of a process and save it";

const QStringList kValueOptions{
    QStringLiteral("--db"),        QStringLiteral("--user"),     QStringLiteral("--process"), QStringLiteral("--item"),
    QStringLiteral("--stock"),     QStringLiteral("--place"),    QStringLiteral("--batch"),   QStringLiteral("--mto"),
    QStringLiteral("--kfdate"),    QStringLiteral("--kfperiod"), QStringLiteral("--aux"),     QStringLiteral("--qty"),
    QStringLiteral("--composite"), QStringLiteral("--adj"),      QStringLiteral("--secqty"),  QStringLiteral("--note")};
const QString kBaseFlag = QStringLiteral("--base");

// Only the rows of the item are loaded: one count does not need the whole sheet.
const QString fullNumberCondition = QStringLiteral(" AND t2.FNumber = ?");
const QString shortNumberCondition = QStringLiteral(" AND t2.FShortNumber = ?");

// The count row as the options name it; empty texts and 0 where an option is left out.
struct RowKey
{
    QString item, stock, place, batch, mto, kfDate, aux;
    int kfPeriod = 0;
};

// What is typed into the row, in the order it is typed.
struct Entry
{
    QString qty; // into 27, or 19 with `base`
    bool base = false;
    QString composite;
    QString adj, secQty, note;
    bool hasAdj = false, hasSecQty = false, hasNote = false;
};

struct Request
{
    int process = 0;
    RowKey key;
    Entry entry;
};

bool parseKey(const CliContext &ctx, RowKey *k, QString *error)
{
    bool given = false;
    k->item = ctx.option(QStringLiteral("--item")).trimmed();
    k->stock = ctx.option(QStringLiteral("--stock")).trimmed();
    if (k->item.isEmpty() || k->stock.isEmpty()) {
        *error = LoadText("缺少物料代码（--item）或仓库代码（--stock）");
        return false;
    }
    k->place = ctx.option(QStringLiteral("--place")).trimmed();
    k->batch = ctx.option(QStringLiteral("--batch")).trimmed();
    k->mto = ctx.option(QStringLiteral("--mto")).trimmed();
    k->aux = ctx.option(QStringLiteral("--aux")).trimmed();
    const QString date = ctx.option(QStringLiteral("--kfdate"), {}, &given);
    if (given) {
        const QDate d = QDate::fromString(date, QStringLiteral("yyyy-MM-dd"));
        if (!d.isValid()) {
            *error = FormatText("--kfdate：“%1”不是 YYYY-MM-DD 形式的日期", {date});
            return false;
        }
        k->kfDate = d.toString(QStringLiteral("yyyy-MM-dd"));
    }
    return ctx.wholeOption(QStringLiteral("--kfperiod"), &k->kfPeriod, &given, error);
}

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
    return true;
}

bool parseRequest(const CliContext &ctx, Request *r, QString *error)
{
    if (!cli::checkArgumentsWithUser(ctx, kValueOptions, {kBaseFlag}, error))
        return false;
    return cli::processOption(ctx, &r->process, error) && parseKey(ctx, &r->key, error) &&
           parseEntry(ctx, &r->entry, error);
}

bool matches(const EntryGrid &grid, int row, const RowKey &k)
{
    const CountRowValues v = CountRowValues::fromGrid(grid, row);
    auto cell = [&](int col) { return grid.text(row, col).trimmed(); };
    return cell(ItemNumber) == k.item && cell(StockNumber) == k.stock && cell(SPNumber) == k.place &&
           v.batchNo == k.batch && v.mtoNo == k.mto && v.kfDate == k.kfDate && v.kfPeriod == k.kfPeriod &&
           cell(AuxPropNumber) == k.aux;
}

// The entry grid of the item's rows in the process, filled as the window fills it.
bool loadRows(CliContext &ctx, AppConnection &conn, const Request &r, EntryGrid *grid)
{
    shared().showType = SheetMode::Entry;
    MainDo model;
    model.ShowDelete(true); // a row is named by its key; disabled items are counted too
    if (!model.loadColumnLayout())
        return false;
    const SqlFragment itemCondition(shared().useFullNumber ? fullNumberCondition : shortNumberCondition, {r.key.item});
    const Recordset rows = model.GetRsMain(r.process, itemCondition, false, FilterSettings{});
    if (!rows.isOpen()) {
        ctx.err << LoadText("读取盘点数据失败。") << "\n" << conn.lastError().detailed() << "\n";
        return false;
    }
    model.InputFillRow(*grid);
    return true;
}

// Row number of the key, 0 with a message when there is none or more than one.
int findRow(CliContext &ctx, const EntryGrid &grid, const Request &r)
{
    int found = 0, count = 0;
    for (int row = 1; row <= grid.dataRows(); ++row)
        if (matches(grid, row, r.key)) {
            found = row;
            ++count;
        }
    if (count == 1)
        return found;
    const RowKey &k = r.key;
    const QString what = FormatText("方案%1，物料%2，仓库%3，仓位“%4”，批次“%5”，计划跟踪号“%6”，生产/采购日期“%7”，"
                                    "保质期%8天，辅助属性“%9”",
                                    {r.process, k.item, k.stock, k.place, k.batch, k.mto, k.kfDate, k.kfPeriod, k.aux});
    ctx.err << (count == 0 ? LoadText("找不到盘点记录：") : LoadText("符合条件的盘点记录不止一条：")) << what << "\n";
    return 0;
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

int run(CliContext &ctx)
{
    Request request;
    QString error;
    if (!parseRequest(ctx, &request, &error))
        return cli::badArguments(ctx, error, kUsage);
    AppConnection conn;
    if (!cli::openDatabase(ctx, conn))
        return cli::Refused;
    const ScopedStreamUi ui(ctx.err);
    if (!cli::readNumbering(ctx) || !cli::userExists(ctx, conn) || !cli::processExists(ctx, conn, request.process))
        return cli::Refused;
    EntryGrid grid;
    if (!loadRows(ctx, conn, request, &grid))
        return cli::Refused;
    const int row = findRow(ctx, grid, request);
    if (row == 0)
        return cli::Refused;
    EntrySession session;
    session.complexQty = [&conn](int item, const QString &units, double qty, const QString &unit) {
        return erp::CalComplexQty(conn, item, units, qty, unit);
    };
    if (const int typed = typeEntry(ctx, conn, grid, row, request.entry, session); typed != cli::Done)
        return typed;
    shared().currentProcess = request.process;
    const CountSaver::Options options{
        .processId = request.process, .operatorId = ctx.userId, .mtoPlanMode = shared().enableMtoPlanMode != 0};
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
