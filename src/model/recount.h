#pragma once

#include "host/countparams.h"
#include "host/countrowkey.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class AppConnection;

// Counting again the rows whose difference is too large to book unseen. A row is
// picked when its base-unit difference (rounded to the item's places) is larger
// than the absolute tolerance OR larger than the tolerance's percentage of its book
// quantity: either limit alone is enough, so a large slip on a big stock and a
// small one on a small stock are both counted again. Only counted rows take part;
// rows already recounted stay on the list with their recount.
//
// A recount is kept in the row's counting unit in FReCheckQty with FReCheckFlag 1.
// It replaces the actual quantity (documents folded in after the snapshot stay
// added to it) while the first count stays in FCheckQty / FAuxCheckQty, so the
// check mode can show both.
class Recount
{
public:
    struct Line
    {
        CountRowKey key;
        QString stock, place, itemNumber, itemName, model, auxProp, batch, mto, kfDate, unit;
        int decimals = 0;
        double book = 0;       // in the row's unit
        double firstCount = 0; // in the row's unit
        double difference = 0; // base unit
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
    bool enter(const CountRowKey &key, double quantity, int checker, QString *error);

private:
    AppConnection &m_connection;
};
