#include "seeds.h"

namespace erp {

void seedColumnDefinitions(AppConnection &) {}

} // namespace erp
