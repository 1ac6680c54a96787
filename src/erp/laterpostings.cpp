#include "laterpostings.h"

#include "demorandom.h"

#include "host/appconnection.h"
#include "host/stockdocuments.h"
#include "host/texts.h"

namespace erp {

namespace {

// The positions of open counts, in a fixed order so a seed picks the same ones.
const char *const kPositionsSql = R"(SELECT DISTINCT b.FItemID, b.FStockID, b.FStockPlaceID, b.FBatchNo, b.FMtoNo,
 b.FAuxPropID, b.FKFDate, b.FKFPeriod, i.FUnitID, i.FSecCoefficient
 FROM ICInvBackup b JOIN ICStockCheckProcess p ON p.FID = b.FInterID JOIN t_ICItem i ON i.FItemID = b.FItemID
 WHERE p.FStatus = 0
 ORDER BY b.FStockID, b.FStockPlaceID, b.FItemID, b.FBatchNo, b.FMtoNo, b.FAuxPropID, b.FKFDate, b.FKFPeriod)";

const char *const kMaxBillSql = R"(SELECT MAX(n) AS n FROM (
 SELECT MAX(FInterID) AS n FROM ICStockBill
 UNION ALL SELECT MAX(FNumber) FROM IC_MaxNum WHERE FTableName = 'ICStockBill'
 UNION ALL SELECT MAX(FBillInterID) FROM ICInvBackup) t)";
const char *const kMaxMtoSql = "SELECT MAX(FID) AS n FROM t_MTOChange";

const char *const kBillSql = R"(INSERT INTO ICStockBill (FInterID, FBillNo, FTranType, FDate, FROB, FStatus,
 FCheckerID, FCheckDate, FBillerID, FCancellation, FUpStockWhenSave, FExplanation)
 VALUES (?, ?, ?, ?, 1, 1, ?, ?, ?, 0, 0, ?))";
const char *const kEntrySql = R"(INSERT INTO ICStockBillEntry (FInterID, FEntryID, FItemID, FAuxPropID, FBatchNo,
 FMtoNo, FKFDate, FKFPeriod, FUnitID, FQty, FAuxQty, FSecQty, FDCStockID, FDCSPID, FSCStockID, FSCSPID)
 VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?))";
const char *const kMtoSql = R"(INSERT INTO t_MTOChange (FID, FBillNo, FClassTypeID, FDate, FStatus, FCheckerID,
 FCheckDate, FBillerID, FCancellation, FUpStockWhenSave, FExplanation) VALUES (?, ?, ?, ?, 1, ?, ?, ?, 0, 0, ?))";
const char *const kMtoEntrySql = R"(INSERT INTO t_MTOChangeEntry (FID, FEntryID, FItemID, FStockID, FSPID,
 FBatchNo, FFromMtoNo, FToMtoNo, FAuxPropID, FKFDate, FKFPeriod, FUnitID, FChangeQty, FChangeBaseQty,
 FChangeSecQty) VALUES (?, 1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?))";

// The current stock of a position moves; a position that had none gets a row.
const char *const kMoveSql = R"(UPDATE ICInventory SET FQty = FQty + ?, FSecQty = FSecQty + ?
 WHERE FItemID = ? AND FStockID = ? AND FStockPlaceID = ? AND FBatchNo = ? AND FMtoNo = ? AND FAuxPropID = ?
 AND COALESCE(FKFDate, '') = ? AND FKFPeriod = ?)";
const char *const kNewPositionSql = R"(INSERT INTO ICInventory (FItemID, FStockID, FStockPlaceID, FBatchNo, FMtoNo,
 FAuxPropID, FKFDate, FKFPeriod, FQty, FSecQty) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?))";

struct Position
{
    int item = 0, stock = 0, place = 0, aux = 0, kfPeriod = 0, unit = 0;
    QString batch, mto, kfDate;
    double secCoefficient = 0;
};

// The families the documents window lists, with a word for their numbers.
const struct
{
    int type;
    const char *prefix;
} kFamilies[] = {{TranType::PurchaseReceipt, "WIN"},
                 {TranType::ProductReceipt, "CIN"},
                 {TranType::SubcontractReceipt, "JIN"},
                 {TranType::OtherReceipt, "QIN"},
                 {TranType::Requisition, "SOUT"},
                 {TranType::Transfer, "CHG"},
                 {TranType::SalesIssue, "XOUT"},
                 {TranType::SubcontractIssue, "JOUT"},
                 {TranType::OtherIssue, "QOUT"},
                 {TranType::Gain, "CPY"},
                 {TranType::Loss, "CPK"}};
constexpr int kMtoChange = 1107011;

QVariant kfDateValue(const QString &kfDate)
{
    return kfDate.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(kfDate);
}

class Poster
{
public:
    Poster(AppConnection &c, const PostingOptions &o)
        : m_c(c)
        , m_o(o)
        , m_rng(o.seed)
        , m_date(o.date.isValid() ? o.date : QDate::currentDate())
    {}

    QList<PostedDocument> run(const QList<Position> &positions)
    {
        m_positions = positions;
        m_nextBill = m_c.ExecuteRaiseErr(QString::fromLatin1(kMaxBillSql)).integer(u"n") + 1;
        m_nextMto = m_c.ExecuteRaiseErr(QString::fromLatin1(kMaxMtoSql)).integer(u"n") + 1;
        QList<PostedDocument> posted;
        for (int i = 0; i < m_o.documents; ++i) {
            const Position &p = m_rng.pick(m_positions);
            if (m_o.mtoPlanMode && m_rng.chance(0.2))
                posted << mtoChange(p);
            else
                posted << stockBill(p);
        }
        return posted;
    }

private:
    void exec(const char *sql, const QVariantList &binds) { m_c.ExecuteRaiseErr(QString::fromLatin1(sql), binds); }

    void move(const Position &p, const QString &mto, int stock, int place, double qty)
    {
        const double sec = p.secCoefficient > 0 ? qty / p.secCoefficient : 0;
        int affected = 0;
        if (!m_c.Exec(QString::fromLatin1(kMoveSql),
                      {qty, sec, p.item, stock, place, p.batch, mto, p.aux, p.kfDate, p.kfPeriod}, &affected))
            throw DbException(m_c.lastError());
        if (affected == 0)
            exec(kNewPositionSql, {p.item, stock, place, p.batch, mto, p.aux, p.kfDate, p.kfPeriod, qty, sec});
    }

    // A stock and place other than the position's for a transfer to go to; none
    // when the open counts hold one stock only.
    std::optional<std::pair<int, int>> otherStock(const Position &p)
    {
        QList<std::pair<int, int>> stocks;
        for (const Position &o : std::as_const(m_positions))
            if (o.stock != p.stock && (stocks.isEmpty() || stocks.last().first != o.stock))
                stocks << std::pair{o.stock, o.place};
        if (stocks.isEmpty())
            return std::nullopt;
        return m_rng.pick(stocks);
    }

    PostedDocument stockBill(const Position &first)
    {
        const auto *family = &m_rng.pick(kFamilies);
        const auto to = otherStock(first);
        if (family->type == TranType::Transfer && !to)
            family = &kFamilies[0]; // nowhere to transfer to: a receipt instead
        const int id = m_nextBill++;
        const QString billNo =
            QStringLiteral("%1%2").arg(QLatin1String(family->prefix)).arg(id, 6, 10, QLatin1Char('0'));
        const QVariant date = Dialect::dateValue(m_date);
        exec(kBillSql, {id, billNo, family->type, date, m_o.userId, date, m_o.userId, QStringLiteral("盘点期间过账")});
        // a document of several entries keeps to the stock of its first
        QList<Position> lines{first};
        for (int n = m_rng.between(1, 3); lines.size() < n;) {
            const Position &p = m_rng.pick(m_positions);
            if (p.stock == first.stock)
                lines << p;
            else
                --n;
        }
        const auto [toStock, toPlace] = to.value_or(std::pair{first.stock, first.place});
        int entry = 0;
        for (const Position &p : lines)
            postEntry(id, ++entry, family->type, p, toStock, toPlace);
        return {id, billNo, family->type, entry};
    }

    void postEntry(int id, int entry, int type, const Position &p, int toStock, int toPlace)
    {
        const double qty = m_rng.between(1, 20);
        const double sec = p.secCoefficient > 0 ? qty / p.secCoefficient : 0;
        int dcStock = p.stock, dcPlace = p.place, scStock = 0, scPlace = 0;
        if (type == TranType::Requisition) {
            dcStock = 0, scStock = p.stock, scPlace = p.place;
        } else if (type == TranType::Transfer) {
            dcStock = toStock, dcPlace = toPlace, scStock = p.stock, scPlace = p.place;
        }
        exec(kEntrySql, {id, entry, p.item, p.aux, p.batch, p.mto, kfDateValue(p.kfDate), p.kfPeriod, p.unit, qty, qty,
                         sec, dcStock, dcPlace, scStock, scPlace});
        const bool inflow =
            std::find(TranType::Inflows.begin(), TranType::Inflows.end(), type) != TranType::Inflows.end();
        if (type == TranType::Transfer) {
            move(p, p.mto, p.stock, p.place, -qty);
            move(p, p.mto, toStock, toPlace, qty);
        } else {
            move(p, p.mto, p.stock, p.place, inflow ? qty : -qty);
        }
    }

    PostedDocument mtoChange(const Position &p)
    {
        const int id = m_nextMto++;
        const QString billNo = QStringLiteral("MTO%1").arg(id, 6, 10, QLatin1Char('0'));
        const QVariant date = Dialect::dateValue(m_date);
        // to another MTO number, or back to none
        QString to = QStringLiteral("MTO-%1").arg(m_rng.between(1, 5));
        if (to == p.mto)
            to = QStringLiteral("");
        exec(kMtoSql, {id, billNo, kMtoChange, date, m_o.userId, date, m_o.userId, QStringLiteral("盘点期间过账")});
        const double qty = m_rng.between(1, 10);
        const double sec = p.secCoefficient > 0 ? qty / p.secCoefficient : 0;
        exec(kMtoEntrySql, {id, p.item, p.stock, p.place, p.batch, p.mto, to, p.aux, kfDateValue(p.kfDate), p.kfPeriod,
                            p.unit, qty, qty, sec});
        move(p, p.mto, p.stock, p.place, -qty);
        move(p, to, p.stock, p.place, qty);
        return {id, billNo, kMtoChange, 1};
    }

    AppConnection &m_c;
    PostingOptions m_o;
    DemoRandom m_rng;
    QDate m_date;
    QList<Position> m_positions;
    int m_nextBill = 1, m_nextMto = 1;
};

QList<Position> openPositions(AppConnection &c)
{
    Recordset rs = c.ExecuteRaiseErr(QString::fromLatin1(kPositionsSql));
    QList<Position> out;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        out << Position{.item = rs.integer(u"FItemID"),
                        .stock = rs.integer(u"FStockID"),
                        .place = rs.integer(u"FStockPlaceID"),
                        .aux = rs.integer(u"FAuxPropID"),
                        .kfPeriod = rs.integer(u"FKFPeriod"),
                        .unit = rs.integer(u"FUnitID"),
                        .batch = rs.text(u"FBatchNo"),
                        .mto = rs.text(u"FMtoNo"),
                        .kfDate = rs.text(u"FKFDate").left(10),
                        .secCoefficient = rs.number(u"FSecCoefficient")};
    return out;
}

} // namespace

std::optional<QList<PostedDocument>> postLaterDocuments(AppConnection &c, const PostingOptions &options, QString *error)
{
    try {
        Transaction tx(c);
        const QList<Position> positions = openPositions(c);
        if (positions.isEmpty()) {
            if (error)
                *error = LoadText("没有未结束的盘点方案，无处过账单据");
            return std::nullopt;
        }
        QList<PostedDocument> posted = Poster(c, options).run(positions);
        tx.commit();
        return posted;
    } catch (const DbException &e) {
        if (error)
            *error = FormatText("过账单据失败：%1", {e.error().message});
        return std::nullopt;
    }
}

} // namespace erp
