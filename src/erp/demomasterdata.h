#pragma once

#include "demomodel.h"

class AppConnection;

namespace erp {
class DemoRandom;
}

namespace erp::demo {

// Units, auxiliary properties, stocks with their places, suppliers, brands,
// categories and items: fixed reference data plus items in proportion to `size`.
void buildMasterData(World &w, DemoRandom &rng, int size);
// A plausible stock quantity of an item, rounded to its decimals.
double familyQuantity(const Item &item, DemoRandom &rng);
int secondaryGroupIndex();

// Writes the master data; throws DbException. Runs in the caller's transaction.
void writeMasterData(AppConnection &connection, const World &w);

} // namespace erp::demo
