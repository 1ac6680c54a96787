#pragma once

#include "host/appconnection.h"
#include "host/countrowkey.h"

#include <QString>

class HostUi;

// One accepted entry of the add-item dialog: the count row it belongs to and the
// figures counted, in the unit chosen in the dialog.
struct AddedEntry
{
    CountRowKey key; // the unit of the key is the unit chosen
    int secUnitId = 0;
    double qty = 0;         // counted, in the chosen unit
    double coefficient = 1; // of the chosen unit to the base unit
    double adjQty = 0;      // adjustment, in the chosen unit
    double secQty = 0;      // counted, in the secondary unit
    QString note;
    int decimals = 0; // the item's quantity places: signs are decided after rounding to them
    int userId = 0;   // who counted it, for the count journal

    // The adjustment in the secondary unit, at the ratio of the two counts (0
    // without a secondary count), as the entry grid derives it.
    double secAdjQty() const;
};

// Turns an accepted entry into count-row figures: a new count row with book
// quantities 0, or the counts added to the row of the same key, the differences
// recomputed, and the whole entry rolled back when the base and secondary
// differences point in opposite directions. All of it is one transaction with
// bound values on the connection it is handed, with the row's count journal
// entry (the figures after the entry).
class SnapshotRowAppend
{
public:
    enum class Outcome {
        Inserted,    // a new count row
        Accumulated, // added to the row of the same key
        Declined,    // the person did not want to add to the existing row
        Direction,   // base and secondary differences disagree: nothing written
        Recounted,   // the row of the same key is recounted: nothing written
        Failed,      // the database refused: nothing written, lastError() says why
    };

    // `alertSame`: ask before adding to a row of the same key.
    SnapshotRowAppend(AppConnection &connection, HostUi *ui, bool alertSame);

    Outcome append(const AddedEntry &entry);
    const DbError &lastError() const { return m_error; }

    static QString directionMessage();
    // Whether differences of these signs may stand together (compared after rounding).
    static bool directionsAgree(double baseDiff, double secDiff, int decimals);

private:
    enum class SameRecord { None, Counted, Recounted };
    SameRecord sameRecord(const CountRowKey &key);
    QVariant maxBillInterId(int processId);
    Outcome write(const AddedEntry &entry);

    AppConnection &m_connection;
    HostUi *m_ui;
    bool m_alertSame;
    DbError m_error;
};
