#pragma once

#include <QString>
#include <QStringList>

class AppConnection;
class EntryGrid;
struct CliContext;

// One count row named on the command line by its key, as the commands that work
// on a single row (count, reconcile) take it: --item and --stock, and --place,
// --batch, --mto, --kfdate, --kfperiod, --aux where the row has them.
namespace cli {

struct RowKey
{
    QString item, stock, place, batch, mto, kfDate, aux;
    int kfPeriod = 0;
};

// The options of the key, to add to a command's own.
QStringList rowKeyOptions();
bool parseRowKey(const CliContext &ctx, RowKey *key, QString *error);
// The entry grid of the item's rows in the process, filled as the window fills
// it; false with the message printed.
bool loadItemRows(CliContext &ctx, AppConnection &conn, int process, const QString &item, EntryGrid *grid);
// Row number of the key, 0 with a message when there is none or more than one.
int findRow(CliContext &ctx, const EntryGrid &grid, int process, const RowKey &key);

} // namespace cli
