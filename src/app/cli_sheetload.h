#pragma once

#include "clicommand.h"
#include "sheet/countsheet.h"

class LedgerGrid;
class MainDo;

namespace cli {

// After openDatabase: checks the operator and the process, then loads the rows of
// the process in `mode` as the window loads them, the ledger laid out in `grid`
// with its total line (modes 1 and 3). False with the message printed.
bool loadSheet(CliContext &ctx, AppConnection &connection, int process, SheetMode mode, CountSheet::DataView view,
               MainDo &model, LedgerGrid &grid);

} // namespace cli
