#pragma once

#include "host/countparams.h"
#include "host/countrowkey.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

class AppConnection;

// Counting again the rows whose difference is too large to book unseen. A row is
// picked when its base-unit difference (rounded to the item's places) is larger
// than the absolute tolerance OR larger than the tolerance's percentage of its book
// quantity: either limit alone is enough, so a large slip on a big stock and a
// small one on a small stock are both counted again. Only counted rows take part;
// rows already recounted stay on the list with their recount.
//
// A recount becomes the row's count (FAuxCheckQty, FCheckQty, the secondary count
// in the row's ratio) and replaces its actual quantity (documents folded in after
// the snapshot stay added to it); FReCheckQty keeps it in the row's unit with
// FReCheckFlag 1. The count journal gets a "recount" entry in the same
// transaction, and keeps the first count: firstCounts() reads it back, so the
// check mode shows first count and recount side by side.
class Recount
{
public:
    struct Line
    {
        CountRowKey key;
        QString stock, place, itemNumber, itemName, model, auxProp, batch, mto, kfDate, unit;
        int decimals = 0;
        double book = 0;                  // in the row's unit
        std::optional<double> firstCount; // in the row's unit: the count, or the first one of a recounted row
        double difference = 0;            // base unit
        bool recounted = false;
        double recount = 0; // in the row's unit, when recounted
    };

    explicit Recount(AppConnection &connection)
        : m_connection(connection)
    {}

    // Whether a difference is beyond the tolerance (see the class comment).
    static bool beyond(double difference, double book, const countparams::Tolerance &tolerance, int decimals);

    // The rows of the recount sheet in stock, place and item order. Throws DbException.
    QList<Line> lines(int processId, const countparams::Tolerance &tolerance);

    // The recount sheet as a table: headings and the cells of a line. `blind`
    // leaves out the book, the first count and the difference; `mto` adds the MTO number.
    static QStringList headings(bool blind, bool mto);
    static QStringList cells(const Line &line, bool blind, bool mto);

    // Takes the recount of one row in its counting unit, in one transaction.
    // False with the reason for a person (a row not counted yet, a unit without a
    // conversion, a negative quantity, a database error).
    bool enter(const CountRowKey &key, double quantity, int checker, const QString &source, QString *error);

    // The count in the row's unit before each recounted row's first recount, from
    // the count journal, for all recounted rows of a process in one read, by
    // keyText(); a row without an entry before its recount has none. Throws
    // DbException.
    static QHash<QString, double> firstCounts(AppConnection &connection, int processId);
    static QString keyText(const CountRowKey &key);

private:
    AppConnection &m_connection;
};
