#pragma once

#include <QDate>
#include <QStringList>

class AppConnection;

namespace erp {

// The shop's retail count (t_LS_InventoryCheck) and re-count
// (t_LS_ReInventoryCheck) documents of a count process, as the retail module
// would have them: demo data for the merge of retail count results. Written for
// the process's rows in a warehouse that has point-of-sale documents (a shop),
// else for its first warehouse: an audited count of most rows (some counted
// short or over, one position without a row), an audited re-count of a few rows
// and one count not yet audited. Returns the document numbers; throws DbException.
QStringList writeRetailCounts(AppConnection &connection, int processId, const QDate &date);

} // namespace erp
