#pragma once

#include "host/dberror.h"
#include "host/recordset.h"

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

class AppConnection;

// The host's stock documents as the document viewer and the command line see
// them, and their audit: posting a gain or loss document of a count to the
// current stock.
namespace erp {

// A document's header with the totals of its entries.
struct StockBill
{
    int interId = 0;
    QString billNo;
    int tranType = 0;
    QDate date;
    int processId = 0;
    bool audited = false;
    int stockId = 0; // the stock of its first entry
    QString stockNumber, stockName;
    int entries = 0;
    double baseQty = 0; // sum of the entries' base quantities
};

// The documents of `ids` in that order; ids without a document are left out.
// nullopt on a database error (the connection's lastError() says which).
std::optional<QList<StockBill>> loadStockBills(AppConnection &c, const QList<int> &ids);
// The FInterID of the document numbered `billNo`; 0 when there is none, nullopt
// on a database error.
std::optional<int> findStockBill(AppConnection &c, const QString &billNo);
// Entries of a document with item, unit and stock place names, by entry number.
Recordset loadStockBillEntries(AppConnection &c, int interId);

// Marks a count process finished (1) or open again (0).
void WrightStockStatus(AppConnection &c, int processId, int status); // throws DbException

enum class AuditResult { Audited, NotFound, AlreadyAudited, Cancelled, Failed };
// Posts a document in one transaction: marks it audited by `userId`, adds (gain)
// or subtracts (loss) its quantities at each entry's position of the current
// stock, and marks its count process finished. On Failed `error` says why and
// nothing has changed.
AuditResult auditStockBill(AppConnection &c, int interId, int userId, DbError *error = nullptr);
// The sentence a person reads about the result.
QString auditResultText(AuditResult result, const QString &billNo);

} // namespace erp
