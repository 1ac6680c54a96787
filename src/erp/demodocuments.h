#pragma once

#include "demomodel.h"

class AppConnection;

namespace erp {
class DemoRandom;
}

namespace erp::demo {

// Writes about `count` stock documents of every kind over the positions (receipts,
// issues, requisitions, transfers, virtual-stock and processing documents, MTO
// changes, consigned-stock receipts), their numbering, reserved numbers and the
// shop's point-of-sale documents; records the posted movements on the positions.
// Throws DbException.
void buildDocuments(AppConnection &connection, World &w, DemoRandom &rng, int count);

} // namespace erp::demo
