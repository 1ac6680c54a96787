#include "cli_countrow.h"

#include "clicommand.h"

#include "host/appconnection.h"
#include "host/sharedstate.h"
#include "host/texts.h"
#include "model/maindo.h"
#include "sheet/countsaver.h"

#include <QDate>

namespace {

using namespace EntryCol;

// Only the rows of the item are loaded: one row does not need the whole sheet.
const QString fullNumberCondition = QStringLiteral(" AND t2.FNumber = ?");
const QString shortNumberCondition = QStringLiteral(" AND t2.FShortNumber = ?");

bool matches(const EntryGrid &grid, int row, const cli::RowKey &k)
{
    const CountRowValues v = CountRowValues::fromGrid(grid, row);
    auto cell = [&](int col) { return grid.text(row, col).trimmed(); };
    return cell(ItemNumber) == k.item && cell(StockNumber) == k.stock && cell(SPNumber) == k.place &&
           v.batchNo == k.batch && v.mtoNo == k.mto && v.kfDate == k.kfDate && v.kfPeriod == k.kfPeriod &&
           cell(AuxPropNumber) == k.aux;
}

} // namespace

QStringList cli::rowKeyOptions()
{
    return {QStringLiteral("--item"),     QStringLiteral("--stock"), QStringLiteral("--place"),
            QStringLiteral("--batch"),    QStringLiteral("--mto"),   QStringLiteral("--kfdate"),
            QStringLiteral("--kfperiod"), QStringLiteral("--aux")};
}

bool cli::parseRowKey(const CliContext &ctx, RowKey *k, QString *error)
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

static bool loadItemRows(CliContext &ctx, AppConnection &conn, int process, const QString &item, EntryGrid *grid)
{
    shared().showType = SheetMode::Entry;
    MainDo model;
    model.ShowDelete(true); // a row is named by its key; disabled items are counted too
    if (!model.loadColumnLayout())
        return false;
    const SqlFragment itemCondition(shared().useFullNumber ? fullNumberCondition : shortNumberCondition, {item});
    const Recordset rows = model.GetRsMain(process, itemCondition, false, FilterSettings{});
    if (!rows.isOpen()) {
        ctx.err << LoadText("读取盘点数据失败。") << "\n" << conn.lastError().detailed() << "\n";
        return false;
    }
    model.InputFillRow(*grid);
    return true;
}

static int findRow(CliContext &ctx, const EntryGrid &grid, int process, const cli::RowKey &key)
{
    int found = 0, count = 0;
    for (int row = 1; row <= grid.dataRows(); ++row)
        if (matches(grid, row, key)) {
            found = row;
            ++count;
        }
    if (count == 1)
        return found;
    const cli::RowKey &k = key;
    const QString what = FormatText("方案%1，物料%2，仓库%3，仓位“%4”，批次“%5”，计划跟踪号“%6”，生产/采购日期“%7”，"
                                    "保质期%8天，辅助属性“%9”",
                                    {process, k.item, k.stock, k.place, k.batch, k.mto, k.kfDate, k.kfPeriod, k.aux});
    ctx.err << (count == 0 ? LoadText("找不到盘点记录：") : LoadText("符合条件的盘点记录不止一条：")) << what << "\n";
    return 0;
}

int cli::openRow(CliContext &ctx, AppConnection &conn, int process, const RowKey &key, EntryGrid *grid)
{
    if (!readNumbering(ctx) || !userExists(ctx, conn) || !processExists(ctx, conn, process) ||
        !loadItemRows(ctx, conn, process, key.item, grid))
        return 0;
    return findRow(ctx, *grid, process, key);
}
