#include "demostock.h"

#include "bulkinsert.h"
#include "demomasterdata.h"
#include "demorandom.h"

#include "host/appconnection.h"

#include <QSet>

namespace erp::demo {

namespace {

QStringList cols(std::initializer_list<const char *> names)
{
    QStringList out;
    for (const char *n : names)
        out << QString::fromLatin1(n);
    return out;
}

QVariant txt(const QString &s)
{
    return s.isNull() ? QVariant(QStringLiteral("")) : QVariant(s);
}

double rounded(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

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

double secondary(const World &w, const Position &p, double qty)
{
    const Item &it = w.items[size_t(p.item)];
    return it.secUnit >= 0 && it.secCoefficient > 0 ? rounded(qty / it.secCoefficient, 4) : 0.0;
}

void writeCurrentStock(AppConnection &c, const World &w)
{
    const QStringList columns = cols({"FBrNo", "FItemID", "FStockID", "FStockPlaceID", "FBatchNo", "FMtoNo",
                                      "FAuxPropID", "FKFDate", "FKFPeriod", "FQty", "FSecQty", "FStockInDate"});
    BulkInsert ic(c, QStringLiteral("ICInventory"), columns);
    BulkInsert po(c, QStringLiteral("POInventory"), columns);
    for (const Position &p : w.positions) {
        BulkInsert &out = p.ledger == Ledger::IC ? ic : po;
        out.add({QStringLiteral("0"), w.items[size_t(p.item)].id, w.stocks[size_t(p.stock)].id, p.placeId, txt(p.batch),
                 txt(p.mto), p.auxId, txt(p.kfDate), p.kfPeriod, p.qty, secondary(w, p, p.qty),
                 Dialect::dateValue(p.stockIn)});
    }
    ic.flush();
    po.flush();
}

} // namespace

void writeStockAndBalances(AppConnection &connection, const World &w)
{
    writeCurrentStock(connection, w);
    const auto balanceColumns = [](const char *place, bool supplier) {
        QStringList c =
            cols({"FYear", "FPeriod", "FItemID", "FStockID", place, "FBatchNo", "FMtoNo", "FAuxPropID", "FKFDate",
                  "FKFPeriod", "FStockInDate", "FBegQty", "FReceive", "FSend", "FEndQty", "FSecBegQty", "FSecEndQty"});
        if (supplier)
            c << QStringLiteral("FSupplyID");
        return c;
    };
    BulkInsert ic(connection, QStringLiteral("ICInvBal"), balanceColumns("FStockPlaceID", false));
    BulkInsert vmi(connection, QStringLiteral("ICVMIInvBal"), balanceColumns("FStockPlaceID", true));
    BulkInsert po(connection, QStringLiteral("POInvBal"), balanceColumns("FSPID", false));
    for (const Position &p : w.positions) {
        const Item &it = w.items[size_t(p.item)];
        const Stock &s = w.stocks[size_t(p.stock)];
        const bool consigned = p.ledger == Ledger::IC && s.role == StockRole::Consigned;
        BulkInsert &out = p.ledger == Ledger::PO ? po : (consigned ? vmi : ic);
        const double endCurrent = p.qty;
        const double beginCurrent = rounded(p.qty - p.moveCurrent, it.qtyDecimal);
        const double beginPrevious = rounded(beginCurrent - p.movePrevious, it.qtyDecimal);
        const auto add = [&](int year, int period, double begin, double end) {
            const double net = end - begin;
            QVariantList row = {year,
                                period,
                                it.id,
                                s.id,
                                p.placeId,
                                txt(p.batch),
                                txt(p.mto),
                                p.auxId,
                                txt(p.kfDate),
                                p.kfPeriod,
                                Dialect::dateValue(p.stockIn),
                                begin,
                                net > 0 ? net : 0.0,
                                net < 0 ? -net : 0.0,
                                end,
                                secondary(w, p, begin),
                                secondary(w, p, end)};
            if (&out == &vmi)
                row << it.supplier;
            out.add(row);
        };
        add(w.prevYear, w.prevPeriod, beginPrevious, beginCurrent);
        add(w.year, w.period, beginCurrent, endCurrent);
    }
    ic.flush();
    vmi.flush();
    po.flush();
}

} // namespace erp::demo
