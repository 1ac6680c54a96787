#include "documentmaker.h"

#include "host/appconnection.h"
#include "host/stockdocuments.h"
#include "host/texts.h"

#include <QStringList>

namespace erp {

namespace {

// Serialises document runs, so two of them never draw the same numbers.
const int kDocumentLock = 0x53434244;

// A row takes part when its difference, rounded to its item's decimals, has the
// sign of the kind ("%1": > or <) and it is not on a document that still exists.
const char *const kTakesRow = R"(ROUND(FMinus, COALESCE((SELECT i.FQtyDecimal FROM t_ICItem i
 WHERE i.FItemID = ICInvBackup.FItemID), 0)) %1 0
 AND (FBillInterID IS NULL OR NOT EXISTS (SELECT 1 FROM ICStockBill h WHERE h.FInterID = ICInvBackup.FBillInterID)))";

const char *const kStocksSql = R"(SELECT FStockID, COUNT(*) AS FRows FROM ICInvBackup
 WHERE FInterID = ? AND %1 GROUP BY FStockID ORDER BY FStockID)";

const char *const kAddNumberingSql = R"(INSERT INTO icbillno (FBillID, FBillName, FPreLetter, FCurNo)
 VALUES (?, ?, ?, 1) ON CONFLICT DO NOTHING)";
const char *const kNumberingSql = R"(SELECT FPreLetter, FCurNo, FLength FROM icbillno WHERE FBillID = ?)";
const char *const kAdvanceNumberingSql = R"(UPDATE icbillno SET FCurNo = FCurNo + ? WHERE FBillID = ?)";

// Above every id in use: documents, numbers that editors reserved, and links of
// count rows to documents deleted since (a reused id would look linked again).
const char *const kMaxIdSql = R"(SELECT MAX(n) AS n FROM (
 SELECT MAX(FInterID) AS n FROM ICStockBill
 UNION ALL SELECT MAX(FNumber) FROM IC_MaxNum WHERE FTableName = 'ICStockBill'
 UNION ALL SELECT MAX(FBillInterID) FROM ICInvBackup) t)";

const char *const kHeaderSql = R"(INSERT INTO ICStockBill (FInterID, FBillNo, FTranType, FDate, FROB, FStatus,
 FBillerID, FProcID, FExplanation) VALUES )";
const char *const kHeaderRow = "(?, ?, ?, %1, 1, 0, ?, ?, '')";

// Each stock's rows get the id of its document.
const char *const kLinkSql = R"(WITH m(FStockID, FBillID) AS (VALUES %1)
UPDATE ICInvBackup SET FBillInterID = (SELECT m.FBillID FROM m WHERE m.FStockID = ICInvBackup.FStockID)
 WHERE FInterID = ? AND FStockID IN (SELECT m.FStockID FROM m) AND %2)";
const char *const kLinkRow = "(CAST(? AS INTEGER), CAST(? AS INTEGER))";

// One entry per linked row: the absolute rounded differences in the base, row and
// secondary units, valued at the item's cost price. A unit without a coefficient
// counts in base units.
const char *const kEntriesSql = R"(INSERT INTO ICStockBillEntry (FInterID, FEntryID, FItemID, FAuxPropID,
 FBatchNo, FMtoNo, FKFDate, FKFPeriod, FUnitID, FQty, FAuxQty, FSecQty, FSecCoefficient, FPrice, FAuxPrice,
 FAmount, FPlanPrice, FPlanAmount, FDCStockID, FDCSPID, FNote)
SELECT q.FBillInterID, ROW_NUMBER() OVER (PARTITION BY q.FBillInterID ORDER BY q.FItemID, q.FStockPlaceID,
 q.FBatchNo, q.FMtoNo, q.FAuxPropID, q.FKFDate, q.FKFPeriod, q.FUnitID), q.FItemID, q.FAuxPropID, q.FBatchNo,
 q.FMtoNo, NULLIF(q.FKFDate, ''), q.FKFPeriod, q.FUnitID, q.FQty,
 CASE WHEN q.FCoefficient = 0 THEN q.FQty ELSE ABS(ROUND(q.FMinus / q.FCoefficient, q.FDecimals)) END,
 q.FSecQty, q.FSecCoefficient, q.FPrice, q.FPrice * q.FCoefficient, ROUND(q.FQty * q.FPrice, 2), q.FPrice,
 ROUND(q.FQty * q.FPrice, 2), q.FStockID, q.FStockPlaceID, q.FNote
FROM (SELECT b.FBillInterID, b.FItemID, b.FAuxPropID, b.FBatchNo, b.FMtoNo, b.FKFDate, b.FKFPeriod, b.FUnitID,
 b.FStockID, b.FStockPlaceID, COALESCE(b.FNote, '') AS FNote, b.FMinus,
 COALESCE(i.FQtyDecimal, 0) AS FDecimals, COALESCE(u.FCoefficient, 0) AS FCoefficient,
 ABS(ROUND(b.FMinus, COALESCE(i.FQtyDecimal, 0))) AS FQty,
 ABS(ROUND(b.FSecMinus, COALESCE(i.FSecUnitDecimal, 0))) AS FSecQty,
 COALESCE(i.FSecCoefficient, 0) AS FSecCoefficient, COALESCE(i.FPlanPrice, 0) AS FPrice
 FROM %1 b
 LEFT JOIN t_ICItem i ON i.FItemID = b.FItemID
 LEFT JOIN t_MeasureUnit u ON u.FMeasureUnitID = b.FUnitID%2) q)";
const char *const kLinkedRowsWhere = " WHERE b.FInterID = ? AND b.FBillInterID >= ? AND b.FBillInterID <= ?";

// PostgreSQL links the rows and writes their entries in one statement: the
// entries come from the rows the update returns, so no second pass finds them
// again, and the plan does not rest on statistics taken before the link.
const char *const kLinkAndEntriesSql = R"(WITH m(FStockID, FBillID) AS (VALUES %1),
linked AS (UPDATE ICInvBackup SET FBillInterID = m.FBillID FROM m
 WHERE m.FStockID = ICInvBackup.FStockID AND ICInvBackup.FInterID = ? AND %2 RETURNING ICInvBackup.*)
)";

struct Kind
{
    int tranType;
    const char *comparison;
    const char *prefix; // of document numbers when the host has no numbering for the type yet
    const char *name;
};

const Kind kKinds[] = {{TranType::Gain, ">", "PYIN", N_("盘盈单")}, {TranType::Loss, "<", "PKOUT", N_("盘亏单")}};

int userIdOf(const QString &propsString)
{
    for (const QString &pair : propsString.split(QLatin1Char(';'))) {
        const int eq = pair.indexOf(QLatin1Char('='));
        if (eq > 0 && pair.left(eq).trimmed().compare(QLatin1String("UserID"), Qt::CaseInsensitive) == 0)
            return pair.mid(eq + 1).trimmed().toInt();
    }
    return 0;
}

// The next `count` numbers of the type, advancing the host's counter.
QStringList drawNumbers(AppConnection &c, const Kind &kind, int count)
{
    c.ExecuteRaiseErr(QString::fromUtf8(kAddNumberingSql),
                      {kind.tranType, LoadText(kind.name), QString::fromLatin1(kind.prefix)});
    Recordset rs = c.ExecuteRaiseErr(QString::fromUtf8(kNumberingSql), {kind.tranType});
    const QString prefix = rs.text(u"FPreLetter");
    const qint64 first = std::max<qint64>(1, qint64(rs.number(u"FCurNo")));
    const int width = rs.integer(u"FLength");
    c.ExecuteRaiseErr(QString::fromUtf8(kAdvanceNumberingSql), {count, kind.tranType});
    QStringList numbers;
    for (int k = 0; k < count; ++k)
        numbers << prefix + QStringLiteral("%1").arg(first + k, std::max(width, 0), 10, QLatin1Char('0'));
    return numbers;
}

} // namespace

void DocumentMaker::MakeStockCheckBillNew(const QString &propsString, int &processId, QString &message, int &kind,
                                          int &count, QList<int> *documents)
{
    count = 0;
    message.clear();
    if (documents)
        documents->clear();
    if (kind != 1 && kind != 2)
        throw DbException(DbError{FormatText("单据类型%1不正确。", {kind}), {}, {}});
    const Kind &k = kKinds[kind - 1];
    const QString takes = QString::fromUtf8(kTakesRow).arg(QString::fromLatin1(k.comparison));

    Transaction tx(m_c, Transaction::Exclusive, kDocumentLock);
    Recordset stocks = m_c.ExecuteRaiseErr(QString::fromUtf8(kStocksSql).arg(takes), {processId});
    if (stocks.isEmpty()) {
        tx.commit();
        return;
    }
    const int n = stocks.RecordCount();
    const QStringList numbers = drawNumbers(m_c, k, n);
    const int firstId = int(m_c.ExecuteRaiseErr(QString::fromUtf8(kMaxIdSql)).number(u"n")) + 1;

    QStringList headerRows, linkRows;
    QVariantList headerBinds, linkBinds;
    const QString headerRow = QString::fromLatin1(kHeaderRow).arg(m_c.dialect().today());
    const int user = userIdOf(propsString);
    for (int row = 0; row < n; ++row) {
        const int id = firstId + row;
        headerRows << headerRow;
        headerBinds << id << numbers[row] << k.tranType << user << processId;
        linkRows << QString::fromLatin1(kLinkRow);
        linkBinds << stocks.value(row, u"FStockID") << id;
    }
    m_c.ExecuteRaiseErr(QString::fromUtf8(kHeaderSql) + headerRows.join(QStringLiteral(", ")), headerBinds);
    const QString values = linkRows.join(QStringLiteral(", "));
    linkBinds << processId;
    if (m_c.dialect().isSQLite()) {
        m_c.ExecuteRaiseErr(QString::fromUtf8(kLinkSql).arg(values, takes), linkBinds);
        m_c.ExecuteRaiseErr(
            QString::fromUtf8(kEntriesSql).arg(QStringLiteral("ICInvBackup"), QString::fromLatin1(kLinkedRowsWhere)),
            {processId, firstId, firstId + n - 1});
    } else {
        m_c.ExecuteRaiseErr(QString::fromUtf8(kLinkAndEntriesSql).arg(values, takes) +
                                QString::fromUtf8(kEntriesSql).arg(QStringLiteral("linked"), QString()),
                            linkBinds);
    }
    tx.commit();

    count = n;
    if (documents)
        for (int row = 0; row < n; ++row)
            documents->append(firstId + row);
    message = FormatText("%1已生成%2张：%3", {LoadText(k.name), n, numbers.join(QStringLiteral(", "))});
}

} // namespace erp
