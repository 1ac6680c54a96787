#pragma once

#include "sqlfragment.h"

class Recordset;

#include <QHashFunctions>
#include <QString>

// The identity of a count row within its process: process, item, auxiliary
// property, unit, batch, MTO number, production date, shelf-life period, stock and
// stock place. Every statement that touches one count row uses whereClause().
struct CountRowKey
{
    int processId = 0;
    int itemId = 0;
    int auxPropId = 0;
    int unitId = 0;
    QString batchNo;
    QString mtoNo;
    QString kfDate; // "yyyy-MM-dd" or empty
    int kfPeriod = 0;
    int stockId = 0;
    int stockPlaceId = 0;

    // " FInterID = ? AND FItemID = ? ..." with the values bound; `alias` prefixes
    // the columns ("t1." or empty). An empty production date matches '' and NULL.
    SqlFragment whereClause(const QString &alias = {}) const;
    // The key of the current record of `rs`, which has the count row's key columns
    // under their names (FItemID, FAuxPropID, ... FStockPlaceID).
    static CountRowKey fromRecord(const Recordset &rs, int processId);

    bool operator==(const CountRowKey &) const = default;
};

inline size_t qHash(const CountRowKey &k, size_t seed = 0)
{
    return qHashMulti(seed, k.processId, k.itemId, k.auxPropId, k.unitId, k.batchNo, k.mtoNo, k.kfDate, k.kfPeriod,
                      k.stockId, k.stockPlaceId);
}
