#include "demostock.h"

#include "bulkinsert.h"
#include "demomasterdata.h"
#include "demorandom.h"
#include "demovalues.h"

#include "host/appconnection.h"

#include <QSet>

namespace erp::demo {

namespace {

bool holdsFirstLedger(const Stock &s)
{
    return s.role != StockRole::Virtual502 && s.role != StockRole::Virtual503;
}

struct Candidates
{
    std::vector<int> items;       // not deleted, stockable
    std::vector<int> deleted;     // deleted but still in stock somewhere
    std::vector<int> firstLedger; // stock indexes
    std::vector<int> secondLedger;
};

Candidates candidates(const World &w)
{
    Candidates c;
    for (int i = 0; i < int(w.items.size()); ++i) {
        const Item &it = w.items[size_t(i)];
        if (it.erpCls == 6 || it.erpCls == 8)
            continue;
        (it.deleted ? c.deleted : c.items).push_back(i);
    }
    for (int s = 0; s < int(w.stocks.size()); ++s) {
        if (holdsFirstLedger(w.stocks[size_t(s)]))
            c.firstLedger.push_back(s);
        if (w.stocks[size_t(s)].secondLedger)
            c.secondLedger.push_back(s);
    }
    return c;
}

QString positionKey(const Position &p)
{
    return QStringList{QString::number(int(p.ledger)),
                       QString::number(p.item),
                       QString::number(p.stock),
                       QString::number(p.placeId),
                       p.batch,
                       p.mto,
                       p.kfDate,
                       QString::number(p.kfPeriod),
                       QString::number(p.auxId)}
        .join(QLatin1Char('|'));
}

Position randomPosition(const World &w, const Candidates &c, DemoRandom &rng)
{
    Position p;
    p.ledger = !c.secondLedger.empty() && rng.chance(0.15) ? Ledger::PO : Ledger::IC;
    p.stock = rng.pick(p.ledger == Ledger::PO ? c.secondLedger : c.firstLedger);
    const std::vector<int> &pool = !c.deleted.empty() && rng.chance(0.01) ? c.deleted : c.items;
    p.item = rng.pick(pool);
    const Item &it = w.items[size_t(p.item)];
    const Stock &s = w.stocks[size_t(p.stock)];
    p.placeId = s.places.empty() ? 0 : rng.pick(s.places);
    const QDate made = w.today.addDays(-rng.between(5, std::max(30, it.kfPeriod * 4 / 5)));
    if (it.batch)
        p.batch = QStringLiteral("B%1-%2").arg(made.toString(QStringLiteral("yyMMdd"))).arg(rng.between(1, 9));
    if (it.shelfLife) {
        p.kfDate = made.toString(QStringLiteral("yyyy-MM-dd"));
        p.kfPeriod = it.kfPeriod;
    }
    if (it.auxClass) {
        std::vector<int> values;
        for (const AuxValue &a : w.auxValues)
            if (a.classId == it.auxClass)
                values.push_back(a.id);
        p.auxId = rng.pick(values);
    }
    if (!it.serial && rng.chance(0.03))
        p.mto = QStringLiteral("MTO%1%2").arg(w.year).arg(rng.between(1, 40), 4, 10, QLatin1Char('0'));
    const double q = familyQuantity(it, rng);
    p.qty = rng.chance(0.02) ? 0 : (rng.chance(0.01) ? -rounded(q / 10, it.qtyDecimal) : q);
    p.stockIn = w.prevStart.addDays(-rng.between(1, 300));
    return p;
}

} // namespace

void buildPositions(World &w, DemoRandom &rng, int size)
{
    const Candidates c = candidates(w);
    QSet<QString> seen;
    seen.reserve(size);
    int misses = 0;
    while (int(w.positions.size()) < size && misses < size * 10 + 100) {
        Position p = randomPosition(w, c, rng);
        if (seen.contains(positionKey(p))) {
            ++misses;
            continue;
        }
        seen.insert(positionKey(p));
        w.positions.push_back(p);
        // a second line of the same goods under an MTO number, for MTO changes
        const Item &it = w.items[size_t(p.item)];
        if (int(w.positions.size()) < size && p.ledger == Ledger::IC && p.mto.isEmpty() && !it.serial &&
            rng.chance(0.02)) {
            Position twin = p;
            twin.mto = QStringLiteral("MTO%1%2").arg(w.year).arg(rng.between(41, 80), 4, 10, QLatin1Char('0'));
            twin.qty = rounded(p.qty / 2, it.qtyDecimal);
            if (!seen.contains(positionKey(twin))) {
                seen.insert(positionKey(twin));
                w.positions.push_back(twin);
            }
        }
    }
}

namespace {

// Positions are written once into a work table; current stock and the balances of
// both periods are derived from it set-based, which keeps bound values (the cost
// of bulk writes) to a third.
const QString kCreateWork = QStringLiteral(R"(
CREATE TEMPORARY TABLE erp_demo_position (
    FRow INTEGER NOT NULL, FLedger INTEGER NOT NULL, FConsigned INTEGER NOT NULL,
    FItemID INTEGER NOT NULL, FStockID INTEGER NOT NULL, FStockPlaceID INTEGER NOT NULL,
    FBatchNo %1 NOT NULL, FMtoNo %1 NOT NULL, FAuxPropID INTEGER NOT NULL, FKFDate %1 NOT NULL,
    FKFPeriod INTEGER NOT NULL, FStockInDate %2 NOT NULL,
    FQty %3 NOT NULL, FBegCurrent %3 NOT NULL, FBegPrevious %3 NOT NULL))");

// Secondary quantity of `qty` by the item's rate.
QString secondaryOf(const QString &qty)
{
    return QStringLiteral("CASE WHEN t.FSecUnitID <> 0 AND t.FSecCoefficient > 0 "
                          "THEN ROUND(%1 / t.FSecCoefficient, 4) ELSE 0 END")
        .arg(qty);
}

const QString kInventory = QStringLiteral(
    "INSERT INTO %1 (FBrNo, FItemID, FStockID, FStockPlaceID, FBatchNo, FMtoNo, FAuxPropID, FKFDate, FKFPeriod, "
    "FQty, FSecQty, FStockInDate) "
    "SELECT '0', p.FItemID, p.FStockID, p.FStockPlaceID, p.FBatchNo, p.FMtoNo, p.FAuxPropID, p.FKFDate, "
    "p.FKFPeriod, p.FQty, %2, p.FStockInDate "
    "FROM erp_demo_position p JOIN t_ICItem t ON t.FItemID = p.FItemID WHERE p.FLedger = ? ORDER BY p.FRow");

// One period's balances: opening `begin`, closing `end` (columns of the work table).
const QString kBalance = QStringLiteral(
    "INSERT INTO %1 (FYear, FPeriod, FItemID, FStockID, %2, FBatchNo, FMtoNo, FAuxPropID, FKFDate, FKFPeriod, "
    "FStockInDate, FBegQty, FReceive, FSend, FEndQty, FSecBegQty, FSecEndQty%3) "
    "SELECT ?, ?, p.FItemID, p.FStockID, p.FStockPlaceID, p.FBatchNo, p.FMtoNo, p.FAuxPropID, p.FKFDate, "
    "p.FKFPeriod, p.FStockInDate, p.%4, "
    "CASE WHEN p.%5 > p.%4 THEN p.%5 - p.%4 ELSE 0 END, CASE WHEN p.%5 < p.%4 THEN p.%4 - p.%5 ELSE 0 END, "
    "p.%5, %6, %7%8 "
    "FROM erp_demo_position p JOIN t_ICItem t ON t.FItemID = p.FItemID "
    "WHERE p.FLedger = ? AND p.FConsigned = ? ORDER BY p.FRow");

void writeWorkTable(AppConnection &c, const World &w)
{
    const Dialect &d = c.dialect();
    c.ExecuteRaiseErr(kCreateWork.arg(d.textType(300), d.dateTimeType(), d.quantityType()));
    BulkInsert work(
        c, QStringLiteral("erp_demo_position"),
        cols({"FRow", "FLedger", "FConsigned", "FItemID", "FStockID", "FStockPlaceID", "FBatchNo", "FMtoNo",
              "FAuxPropID", "FKFDate", "FKFPeriod", "FStockInDate", "FQty", "FBegCurrent", "FBegPrevious"}));
    int row = 0;
    for (const Position &p : w.positions) {
        const Item &it = w.items[size_t(p.item)];
        const Stock &s = w.stocks[size_t(p.stock)];
        const bool consigned = p.ledger == Ledger::IC && s.role == StockRole::Consigned;
        const double beginCurrent = rounded(p.qty - p.moveCurrent, it.qtyDecimal);
        const double beginPrevious = rounded(beginCurrent - p.movePrevious, it.qtyDecimal);
        work.add({++row, p.ledger == Ledger::PO ? 1 : 0, consigned ? 1 : 0, it.id, s.id, p.placeId, txt(p.batch),
                  txt(p.mto), p.auxId, txt(p.kfDate), p.kfPeriod, Dialect::dateValue(p.stockIn), p.qty, beginCurrent,
                  beginPrevious});
    }
    work.flush();
}

void writeBalances(AppConnection &c, const World &w, const QString &table, const QString &placeColumn, int ledger,
                   bool consigned)
{
    const QString supplierColumn = consigned ? QStringLiteral(", FSupplyID") : QString();
    const QString supplierValue = consigned ? QStringLiteral(", t.FSource") : QString();
    const auto period = [&](int year, int month, const char *begin, const char *end) {
        const QString b = QString::fromLatin1(begin), e = QString::fromLatin1(end);
        c.ExecuteRaiseErr(kBalance.arg(table, placeColumn, supplierColumn, b, e, secondaryOf(QStringLiteral("p.") + b),
                                       secondaryOf(QStringLiteral("p.") + e), supplierValue),
                          {year, month, ledger, consigned ? 1 : 0});
    };
    period(w.prevYear, w.prevPeriod, "FBegPrevious", "FBegCurrent");
    period(w.year, w.period, "FBegCurrent", "FQty");
}

} // namespace

void writeStockAndBalances(AppConnection &connection, const World &w)
{
    writeWorkTable(connection, w);
    const QString secQty = secondaryOf(QStringLiteral("p.FQty"));
    connection.ExecuteRaiseErr(kInventory.arg(QStringLiteral("ICInventory"), secQty), {0});
    connection.ExecuteRaiseErr(kInventory.arg(QStringLiteral("POInventory"), secQty), {1});
    writeBalances(connection, w, QStringLiteral("ICInvBal"), QStringLiteral("FStockPlaceID"), 0, false);
    writeBalances(connection, w, QStringLiteral("ICVMIInvBal"), QStringLiteral("FStockPlaceID"), 0, true);
    writeBalances(connection, w, QStringLiteral("POInvBal"), QStringLiteral("FSPID"), 1, false);
    connection.ExecuteRaiseErr(QStringLiteral("DROP TABLE erp_demo_position"));
}

} // namespace erp::demo
