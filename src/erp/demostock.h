#pragma once

#include "demomodel.h"

class AppConnection;

namespace erp {
class DemoRandom;
}

namespace erp::demo {

// Current stock positions of both ledgers, `size` in all: items in stocks and
// places with batches, production dates, auxiliary properties and MTO numbers as
// their items require. Quantities are the book stock of today.
void buildPositions(World &w, DemoRandom &rng, int size);
// Writes current stock and the opening balances of the previous and the current
// period, derived from today's stock minus the posted movements of each period
// (call after the documents). Throws DbException.
void writeStockAndBalances(AppConnection &connection, const World &w);

} // namespace erp::demo
