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
// The row of the key in the process, after the checks every such command makes
// (numbering option, operator, process), with the item's rows loaded into `grid`
// as the window fills them; 0 with the message printed when any check fails or
// the key names no row or more than one.
int openRow(CliContext &ctx, AppConnection &conn, int process, const RowKey &key, EntryGrid *grid);

} // namespace cli
