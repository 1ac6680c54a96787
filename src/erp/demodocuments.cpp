#include "demodocuments.h"

#include "bulkinsert.h"
#include "demorandom.h"
#include "demovalues.h"

#include "host/appconnection.h"
#include "host/stockdocuments.h"

#include <map>

// Stock documents of every kind the count module reads, laid over the current stock
// positions. A posted document (audited, or posted on saving, and not cancelled)
// moves its positions; the movements are recorded on the positions so that the
// opening balances can be derived from today's stock (writeStockAndBalances).
// Documents that are not audited appear only in one stock, so that the demo shows
// the refusal of a snapshot there and allows it everywhere else.

namespace erp::demo {

using namespace TranType;

namespace {

QVariant kfDate(const Position &p)
{
    // document entries leave the production date NULL when there is none
    return p.kfDate.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(p.kfDate);
}

const QStringList kHeaderColumns =
    cols({"FInterID", "FBillNo", "FTranType", "FDate", "FROB", "FStatus", "FCheckerID", "FCheckDate", "FBillerID",
          "FCancellation", "FUpStockWhenSave", "FPOMode", "FSupplyID", "FExplanation"});
const QStringList kEntryColumns =
    cols({"FInterID",        "FEntryID",      "FItemID",    "FAuxPropID", "FBatchNo",       "FMtoNo",
          "FKFDate",         "FKFPeriod",     "FUnitID",    "FQty",       "FAuxQty",        "FSecQty",
          "FSecCoefficient", "FPrice",        "FAuxPrice",  "FAmount",    "FPlanPrice",     "FPlanAmount",
          "FDCStockID",      "FDCSPID",       "FSCStockID", "FSCSPID",    "FSourceInterID", "FSourceEntryID",
          "FSourceTranType", "FSourceBillNo", "FNote"});

// One of the four header/entry pairs of stock documents.
struct BillTable
{
    BillTable(AppConnection &c, const char *name)
        : header(c, QString::fromLatin1(name), kHeaderColumns)
        , entry(c, QString::fromLatin1(name) + QStringLiteral("Entry"), kEntryColumns)
        , tableName(QString::fromLatin1(name))
    {}
    BulkInsert header;
    BulkInsert entry;
    QString tableName;
    int lastId = 0;
};

// An entry: its position, signed effect and where the document names the stock.
struct Line
{
    int position = 0;
    int source = -1;              // transfers: the position goods leave
    double qty = 0;               // base units, positive
    int sign = 1;                 // effect on `position` (transfers: +1 there, -1 at `source`)
    bool sourceSideStock = false; // requisitions: the stock on the source side, the place on the destination side
};

struct Status
{
    QVariant checker;
    bool upStockWhenSave = false;
    bool cancelled = false;
    bool posted() const { return !cancelled && (checker.toInt() != 0 || upStockWhenSave); }
};

} // namespace

class DocumentBuilder
{
public:
    DocumentBuilder(AppConnection &c, World &w, DemoRandom &rng)
        : m_c(c)
        , m_w(w)
        , m_rng(rng)
        , m_ic(c, "ICStockBill")
        , m_zp(c, "ZPStockBill")
        , m_po(c, "POStockBill")
        , m_stjg(c, "ICSTJGBill")
        , m_mtoHead(c, QStringLiteral("t_MTOChange"),
                    cols({"FID", "FBillNo", "FClassTypeID", "FDate", "FCheckerID", "FCheckDate", "FBillerID",
                          "FUpStockWhenSave"}))
        , m_mtoEntry(
              c, QStringLiteral("t_MTOChangeEntry"),
              cols({"FID", "FEntryID", "FItemID", "FStockID", "FSPID", "FBatchNo", "FFromMtoNo", "FToMtoNo",
                    "FAuxPropID", "FKFDate", "FKFPeriod", "FUnitID", "FChangeQty", "FChangeBaseQty", "FChangeSecQty"}))
        , m_vmiHead(c, QStringLiteral("ICVMIInStock"),
                    cols({"FID", "FBillNo", "FClassTypeID", "FDate", "FSupplyID", "FCheckerID", "FCheckDate",
                          "FBillerID", "FUpStockWhenSave"}))
        , m_vmiEntry(c, QStringLiteral("ICVMIInStockEntry"),
                     cols({"FID", "FEntryID", "FItemID", "FStockID", "FSPID", "FBatchNo", "FMTONo", "FAuxPropID",
                           "FKFDate", "FKFPeriod", "FUnitID", "FQty", "FAuxQty", "FSecQty", "FPrice", "FAmount"}))
    {
        index();
    }

    void build(int documents)
    {
        for (int i = 0; i < documents; ++i)
            oneDocument();
        for (BulkInsert *b : {&m_ic.header, &m_ic.entry, &m_zp.header, &m_zp.entry, &m_po.header, &m_po.entry,
                              &m_stjg.header, &m_stjg.entry, &m_mtoHead, &m_mtoEntry, &m_vmiHead, &m_vmiEntry})
            b->flush();
        writeNumbering();
        writeRetail();
    }

private:
    void index();
    void oneDocument();
    QDate documentDate(bool *current);
    Status status(const std::vector<Line> &lines);
    double lineQty(int position, int sign);
    std::vector<Line> sameStockLines(const std::vector<int> &pool, int sign, bool sourceSide = false);
    void stockBill(BillTable &table, int tranType, std::vector<Line> lines, int poMode = 0);
    void carryOn(int zpId, int zpEntry, const Line &line, const QDate &date);
    void transfer(BillTable &table, int tranType, const std::vector<std::vector<int>> &groups);
    void mtoChange();
    void vmiReceipt();
    void move(int position, double qty, bool current);
    QVariantList entryRow(int id, int entryId, const Line &line, const Position &p, double qty) const;
    QString billNo(const QString &prefix, int type);
    void writeNumbering();
    void writeRetail();

    int user() { return m_rng.pick(m_w.userIds); }
    const Position &pos(int i) const { return m_w.positions[size_t(i)]; }
    const Item &itemOf(int i) const { return m_w.items[size_t(pos(i).item)]; }
    const Stock &stockOf(int i) const { return m_w.stocks[size_t(pos(i).stock)]; }

    AppConnection &m_c;
    World &m_w;
    DemoRandom &m_rng;
    BillTable m_ic, m_zp, m_po, m_stjg;
    BulkInsert m_mtoHead, m_mtoEntry, m_vmiHead, m_vmiEntry;
    int m_mtoId = 0, m_vmiId = 0;
    std::map<int, int> m_numbers; // transaction type -> last number

    std::vector<int> m_first, m_second, m_consigned, m_shop;
    std::map<int, std::vector<int>> m_byStock;     // first-ledger positions per stock index
    std::map<int, std::vector<int>> m_firstByItem; // first-ledger positions per item index
    std::vector<std::vector<int>> m_firstGoods;    // same goods in several places (transfers)
    std::vector<std::vector<int>> m_secondGoods;
    std::vector<std::vector<int>> m_mtoGoods; // same goods and place, several MTO numbers
};

namespace {
// Groups of two or more positions, in the order of their keys (reproducible).
std::vector<std::vector<int>> groupsOfTwo(std::map<QString, std::vector<int>> &&byKey)
{
    std::vector<std::vector<int>> groups;
    for (auto &entry : byKey)
        if (entry.second.size() >= 2)
            groups.push_back(std::move(entry.second));
    return groups;
}
} // namespace

void DocumentBuilder::index()
{
    std::map<QString, std::vector<int>> firstGoods, secondGoods, mtoGoods;
    for (int i = 0; i < int(m_w.positions.size()); ++i) {
        const Position &p = pos(i);
        const QString goods =
            QStringList{QString::number(p.item), p.batch, p.mto, p.kfDate, QString::number(p.kfPeriod),
                        QString::number(p.auxId)}
                .join(QLatin1Char('|'));
        if (p.ledger == Ledger::PO) {
            m_second.push_back(i);
            secondGoods[goods].push_back(i);
            continue;
        }
        m_first.push_back(i);
        m_byStock[p.stock].push_back(i);
        m_firstByItem[p.item].push_back(i);
        firstGoods[goods].push_back(i);
        const QString place =
            QStringList{
                QString::number(p.item), QString::number(p.stock), QString::number(p.placeId), p.batch, p.kfDate,
                QString::number(p.auxId)}
                .join(QLatin1Char('|'));
        mtoGoods[place].push_back(i);
        if (stockOf(i).role == StockRole::Consigned)
            m_consigned.push_back(i);
        if (stockOf(i).role == StockRole::Shop)
            m_shop.push_back(i);
    }
    m_firstGoods = groupsOfTwo(std::move(firstGoods));
    m_secondGoods = groupsOfTwo(std::move(secondGoods));
    m_mtoGoods = groupsOfTwo(std::move(mtoGoods));
}

QDate DocumentBuilder::documentDate(bool *current)
{
    *current = m_rng.chance(0.55);
    if (!*current)
        return m_w.prevStart.addDays(m_rng.below(int(m_w.prevStart.daysTo(m_w.prevEnd)) + 1));
    const int span = int(m_w.periodStart.daysTo(m_w.today));
    // a good share in the last days, so that a snapshot a few days back finds later documents
    if (m_rng.chance(0.3))
        return m_w.today.addDays(-m_rng.below(std::min(span, 4) + 1));
    return m_w.periodStart.addDays(m_rng.below(span + 1));
}

Status DocumentBuilder::status(const std::vector<Line> &lines)
{
    Status s;
    bool onlyUnauditedStock = !lines.empty();
    for (const Line &l : lines)
        onlyUnauditedStock =
            onlyUnauditedStock && stockOf(l.position).unaudited && (l.source < 0 || stockOf(l.source).unaudited);
    const double r = m_rng.unit();
    if (onlyUnauditedStock && r < 0.4)
        return s; // saved, not audited
    if (onlyUnauditedStock && r < 0.55) {
        s.upStockWhenSave = true;
        return s;
    }
    s.checker = user();
    s.cancelled = m_rng.chance(0.02);
    return s;
}

double DocumentBuilder::lineQty(int position, int sign)
{
    const Position &p = pos(position);
    const double base = std::max(std::abs(p.qty), 1.0) * (0.05 + 0.25 * m_rng.unit());
    double q = rounded(base, itemOf(position).qtyDecimal);
    if (sign > 0 && p.qty > 0) // receipts never exceed half of today's stock
        q = std::min(q, rounded(p.qty / 2, itemOf(position).qtyDecimal));
    return q > 0 ? q : 1.0;
}

std::vector<Line> DocumentBuilder::sameStockLines(const std::vector<int> &pool, int sign, bool sourceSide)
{
    std::vector<Line> lines;
    if (pool.empty())
        return lines;
    const int first = m_rng.pick(pool);
    const std::vector<int> alone = {first};
    const std::vector<int> *sameStock = pos(first).ledger == Ledger::IC ? &m_byStock[pos(first).stock] : &alone;
    const int count = m_rng.between(1, 3);
    for (int k = 0; k < count; ++k) {
        const int p = k == 0 ? first : m_rng.pick(*sameStock);
        if (std::any_of(lines.begin(), lines.end(), [p](const Line &l) { return l.position == p; }))
            continue;
        lines.push_back({p, -1, lineQty(p, sign), sign, sourceSide});
    }
    return lines;
}

QVariantList DocumentBuilder::entryRow(int id, int entryId, const Line &line, const Position &p, double qty) const
{
    const Item &it = m_w.items[size_t(p.item)];
    const Unit &unit = m_w.unit(it.storeUnit);
    const double secQty = it.secUnit >= 0 && it.secCoefficient > 0 ? rounded(qty / it.secCoefficient, 4) : 0.0;
    const int stock = m_w.stocks[size_t(p.stock)].id;
    int dcStock = stock, dcPlace = p.placeId, scStock = 0, scPlace = 0;
    if (line.source >= 0) {
        const Position &s = pos(line.source);
        scStock = m_w.stocks[size_t(s.stock)].id;
        scPlace = s.placeId;
    } else if (line.sourceSideStock) {
        dcStock = 0;
        scStock = stock;
        scPlace = p.placeId;
    }
    return {id,
            entryId,
            it.id,
            p.auxId,
            txt(p.batch),
            txt(p.mto),
            kfDate(p),
            p.kfPeriod,
            unit.id,
            qty,
            rounded(qty / unit.coefficient, 6),
            secQty,
            it.secCoefficient,
            it.price,
            rounded(it.price * unit.coefficient, 4),
            rounded(qty * it.price, 2),
            it.price,
            rounded(qty * it.price, 2),
            dcStock,
            dcPlace,
            scStock,
            scPlace,
            0,
            0,
            0,
            QStringLiteral(""),
            QStringLiteral("")};
}

QString DocumentBuilder::billNo(const QString &prefix, int type)
{
    return prefix + QStringLiteral("%1").arg(++m_numbers[type], 6, 10, QLatin1Char('0'));
}

void DocumentBuilder::move(int position, double qty, bool current)
{
    Position &p = m_w.positions[size_t(position)];
    (current ? p.moveCurrent : p.movePrevious) += qty;
}

// Prefixes of document numbers per transaction type.
QString prefixOf(int tranType)
{
    static const std::map<int, const char *> prefixes = {{PurchaseReceipt, "WIN"},
                                                         {ProductReceipt, "CIN"},
                                                         {SubcontractReceipt, "JIN"},
                                                         {VirtualReceipt, "ZIN"},
                                                         {OtherReceipt, "QIN"},
                                                         {SalesIssue, "XOUT"},
                                                         {Requisition, "SOUT"},
                                                         {VirtualIssue, "ZOUT"},
                                                         {SubcontractIssue, "JOUT"},
                                                         {OtherIssue, "QOUT"},
                                                         {Gain, "PYIN"},
                                                         {Transfer, "CHG"},
                                                         {Loss, "PKOUT"},
                                                         {VirtualTransfer, "ZCHG"},
                                                         {MaterialsReceived, "STIN"},
                                                         {MaterialsReturned, "STOUT"}};
    auto it = prefixes.find(tranType);
    return QString::fromLatin1(it == prefixes.end() ? "DOC" : it->second);
}

void DocumentBuilder::stockBill(BillTable &table, int tranType, std::vector<Line> lines, int poMode)
{
    if (lines.empty())
        return;
    bool current = false;
    const QDate date = documentDate(&current);
    const Status st = status(lines);
    const int id = ++table.lastId;
    const Item &first = itemOf(lines.front().position);
    table.header.add(
        {id, billNo(prefixOf(tranType), tranType), tranType, Dialect::dateValue(date), 1, st.checker.isValid() ? 1 : 0,
         st.checker, st.checker.isValid() ? Dialect::dateValue(date) : QVariant(), user(), st.cancelled ? 1 : 0,
         st.upStockWhenSave ? 1 : 0, poMode, tranType == PurchaseReceipt ? first.supplier : 0, QStringLiteral("")});
    const bool counts = st.posted() && poMode != 36681;
    int entryId = 0;
    for (const Line &l : lines) {
        table.entry.add(entryRow(id, ++entryId, l, pos(l.position), l.qty));
        if (!counts)
            continue;
        move(l.position, l.sign * l.qty, current);
        if (l.source >= 0)
            move(l.source, -l.qty, current);
        // receipts into a virtual stock are sometimes carried on into a real stock
        if (&table == &m_zp && tranType == VirtualReceipt && current && m_rng.chance(0.3))
            carryOn(id, entryId, l, date);
    }
}

// A receipt of type 10 that carries part of a virtual-stock receipt (ZP type 6)
// into a position of the first ledger: the goods leave the second ledger.
void DocumentBuilder::carryOn(int zpId, int zpEntry, const Line &line, const QDate &date)
{
    const Position &from = pos(line.position);
    auto it = m_firstByItem.find(from.item);
    if (it == m_firstByItem.end())
        return;
    const int target = m_rng.pick(it->second);
    if (stockOf(target).unaudited)
        return;
    const double qty = rounded(line.qty / 2, itemOf(target).qtyDecimal);
    if (qty <= 0)
        return;
    const int id = ++m_ic.lastId;
    const QDate when = std::min(m_w.today, date.addDays(m_rng.below(3)));
    m_ic.header.add({id, billNo(prefixOf(OtherReceipt), OtherReceipt), OtherReceipt, Dialect::dateValue(when), 1, 1,
                     user(), Dialect::dateValue(when), user(), 0, 0, 0, 0, QStringLiteral("")});
    QVariantList row = entryRow(id, 1, Line{target, -1, qty, 1, false}, pos(target), qty);
    row[kEntryColumns.indexOf(QStringLiteral("FSourceInterID"))] = zpId;
    row[kEntryColumns.indexOf(QStringLiteral("FSourceEntryID"))] = zpEntry;
    row[kEntryColumns.indexOf(QStringLiteral("FSourceTranType"))] = VirtualReceipt;
    m_ic.entry.add(row);
    move(target, qty, true);
    move(line.position, -qty, true);
}

void DocumentBuilder::transfer(BillTable &table, int tranType, const std::vector<std::vector<int>> &groups)
{
    if (groups.empty())
        return;
    const std::vector<int> &same = m_rng.pick(groups);
    const int to = m_rng.pick(same);
    int from = m_rng.pick(same);
    if (from == to)
        from = same[(size_t(std::find(same.begin(), same.end(), to) - same.begin()) + 1) % same.size()];
    stockBill(table, tranType, {Line{to, from, lineQty(from, -1), 1, false}});
}

void DocumentBuilder::mtoChange()
{
    if (m_mtoGoods.empty())
        return;
    const std::vector<int> &same = m_rng.pick(m_mtoGoods);
    const int from = same[0];
    const int to = same[1 + size_t(m_rng.below(int(same.size()) - 1))];
    bool current = false;
    const QDate date = documentDate(&current);
    const Status st = status({Line{to, from, 0, 1, false}});
    const double qty = lineQty(from, -1);
    const Position &p = pos(from);
    const Item &item = itemOf(from);
    const double sec = item.secUnit >= 0 && item.secCoefficient > 0 ? rounded(qty / item.secCoefficient, 4) : 0.0;
    const int id = ++m_mtoId;
    m_mtoHead.add({id, billNo(QStringLiteral("MTO"), 1107011), 1107011, Dialect::dateValue(date), st.checker,
                   st.checker.isValid() ? Dialect::dateValue(date) : QVariant(), user(), st.upStockWhenSave ? 1 : 0});
    m_mtoEntry.add({id, 1, item.id, stockOf(from).id, p.placeId, txt(p.batch), txt(p.mto), txt(pos(to).mto), p.auxId,
                    kfDate(p), p.kfPeriod, m_w.unit(item.storeUnit).id,
                    rounded(qty / m_w.unit(item.storeUnit).coefficient, 6), qty, sec});
    if (st.checker.isValid() || st.upStockWhenSave) { // the cut-off does not look at cancellation here
        move(to, qty, current);
        move(from, -qty, current);
    }
}

void DocumentBuilder::vmiReceipt()
{
    if (m_consigned.empty())
        return;
    const int target = m_rng.pick(m_consigned);
    bool current = false;
    const QDate date = documentDate(&current);
    const double qty = lineQty(target, 1);
    const Position &p = pos(target);
    const Item &item = itemOf(target);
    const Unit &unit = m_w.unit(item.storeUnit);
    const int id = ++m_vmiId;
    const int checker = user();
    m_vmiHead.add({id, billNo(QStringLiteral("VMI"), 1007601), 1007601, Dialect::dateValue(date), item.supplier,
                   checker, Dialect::dateValue(date), user(), 0});
    m_vmiEntry.add({id, 1, item.id, stockOf(target).id, p.placeId, txt(p.batch), txt(p.mto), p.auxId, kfDate(p),
                    p.kfPeriod, unit.id, qty, rounded(qty / unit.coefficient, 6),
                    item.secUnit >= 0 && item.secCoefficient > 0 ? rounded(qty / item.secCoefficient, 4) : 0.0,
                    item.price, rounded(qty * item.price, 2)});
    move(target, qty, current);
}

void DocumentBuilder::oneDocument()
{
    const int kind = m_rng.below(100);
    if (kind < 30) {
        const int type = m_rng.pick(std::initializer_list<int>{PurchaseReceipt, PurchaseReceipt, PurchaseReceipt,
                                                               ProductReceipt, SubcontractReceipt, OtherReceipt, Gain});
        const int poMode = type == PurchaseReceipt && m_rng.chance(0.05) ? PurchaseModeNotStocked : 0;
        stockBill(m_ic, type, sameStockLines(m_first, 1), poMode);
    } else if (kind < 50) {
        stockBill(m_ic,
                  m_rng.pick(std::initializer_list<int>{SalesIssue, SalesIssue, SubcontractIssue, OtherIssue, Loss}),
                  sameStockLines(m_first, -1));
    } else if (kind < 58) {
        stockBill(m_ic, Requisition, sameStockLines(m_first, -1, true));
    } else if (kind < 68) {
        transfer(m_ic, Transfer, m_firstGoods);
    } else if (kind < 76) {
        const int type = m_rng.chance(0.6) ? VirtualReceipt : VirtualIssue;
        stockBill(m_zp, type, sameStockLines(m_second, type == VirtualReceipt ? 1 : -1));
    } else if (kind < 82) {
        const bool receipt = m_rng.chance(0.6);
        stockBill(m_stjg, receipt ? MaterialsReceived : MaterialsReturned,
                  sameStockLines(m_second, receipt ? 1 : -1, !receipt));
    } else if (kind < 86) {
        transfer(m_po, VirtualTransfer, m_secondGoods);
    } else if (kind < 93) {
        mtoChange();
    } else {
        vmiReceipt();
    }
}

void DocumentBuilder::writeNumbering()
{
    BulkInsert numbers(m_c, QStringLiteral("icbillno"), cols({"FBillID", "FBillName", "FPreLetter", "FCurNo"}),
                       QStringLiteral("ON CONFLICT DO NOTHING"));
    for (int type : {1, 2, 5, 10, 21, 24, 28, 29, 40, 41, 43})
        numbers.add({type, QStringLiteral(""), prefixOf(type), m_numbers[type] + 1});
    numbers.flush();
    // numbers that editors reserved; the snapshot marks those up to its maxima as used
    BulkInsert reserved(m_c, QStringLiteral("IC_MaxNum"), cols({"FTableName", "FNumber", "FUserID", "FFlag"}));
    const std::pair<QString, int> tables[] = {{m_ic.tableName, m_ic.lastId},
                                              {m_zp.tableName, m_zp.lastId},
                                              {m_po.tableName, m_po.lastId},
                                              {m_stjg.tableName, m_stjg.lastId},
                                              {QStringLiteral("t_MTOChange"), m_mtoId},
                                              {QStringLiteral("ICVMIInStock"), m_vmiId}};
    for (const auto &[table, last] : tables) {
        if (last == 0)
            continue;
        reserved.add({table, last, m_w.userIds.value(1), 0});
        reserved.add({table, last + 1, m_w.userIds.value(2), 0});
    }
    reserved.flush();
}

// Point-of-sale documents of the shop: most submitted and closed by the day's
// settlement, the newest ones not, so that a snapshot of the shop is refused.
void DocumentBuilder::writeRetail()
{
    if (m_shop.empty())
        return;
    BulkInsert head(m_c, QStringLiteral("T_LS_Retail"),
                    cols({"FID", "FBillNo", "FDate", "FisSettle", "FDailyBillID", "FBillerID", "FTotalAmount"}));
    BulkInsert entry(m_c, QStringLiteral("T_LS_RetailEntry"),
                     cols({"FID", "FEntryID", "FItemID", "FStock", "FSPID", "FShoppeID", "FBatchNo", "FAuxPropID",
                           "FUnitID", "FQty", "FPrice", "FAmount"}));
    const int count = 6 + int(m_shop.size()) / 20;
    for (int id = 1; id <= count; ++id) {
        const bool open = id > count - 2;
        const QDate date = m_w.today.addDays(-(count - id) / 3);
        double total = 0;
        const int lines = m_rng.between(1, 4);
        for (int e = 1; e <= lines; ++e) {
            const Position &p = pos(m_rng.pick(m_shop));
            const Item &item = m_w.items[size_t(p.item)];
            const double qty = m_rng.between(1, 5);
            const double price = std::round(item.price * 150) / 100;
            total += qty * price;
            entry.add({id, e, item.id, m_w.stocks[size_t(p.stock)].id, p.placeId,
                       e == lines && m_rng.chance(0.2) ? 1 : 0, txt(p.batch), p.auxId, m_w.unit(item.baseUnit).id, qty,
                       price, qty * price});
        }
        head.add({id, QStringLiteral("LS%1").arg(id, 6, 10, QLatin1Char('0')), Dialect::dateValue(date),
                  open && id == count ? 0 : 1, open ? 0 : id, user(), std::round(total * 100) / 100});
    }
    head.flush();
    entry.flush();
}

void buildDocuments(AppConnection &connection, World &w, DemoRandom &rng, int count)
{
    DocumentBuilder(connection, w, rng).build(count);
}

} // namespace erp::demo
