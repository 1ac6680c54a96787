#pragma once

#include "importlookups.h"
#include "importrecord.h"

#include <QString>

// A record that passed every rule, converted to the figures of a count row.
struct StagedRow
{
    int rowNum = 0;
    int itemId = 0, auxPropId = 0, unitId = 0, stockId = 0, stockPlaceId = 0, secUnitId = 0;
    QString batchNo, mtoNo, kfDate, complexQty, note;
    int kfPeriod = 0;
    double checkQty = 0;    // base unit: counted x unit coefficient
    double auxCheckQty = 0; // the count unit, as written
    double adjQty = 0;
    double secCheckQty = 0, secAdjQty = 0;
    int decimals = 0;       // the item's places, to which each term of a difference is rounded
    double coefficient = 1; // of the count unit
};

// The rules a record must pass, in their order; the first that fails names the
// record and the reason. A record that passes is converted for staging.
class ImportValidator
{
public:
    ImportValidator(const ImportLookups &lookups, bool mtoMode)
        : m_lookups(lookups)
        , m_mtoMode(mtoMode)
    {}

    // Empty when the record passes (and `row` is filled), else the message.
    QString check(const ImportRecord &record, StagedRow *row) const;

private:
    const ImportLookups &m_lookups;
    bool m_mtoMode;
};
