#pragma once

struct HostComponents;
class AppConnection;

namespace erp {

// Puts the working stand-ins of the host components into `components`: period
// dates, log, login properties, row-level access, texts, settings, system values,
// the spreadsheet writer and the base-data lookups over `connection`.
void installStandIns(HostComponents &components, AppConnection &connection);

} // namespace erp
