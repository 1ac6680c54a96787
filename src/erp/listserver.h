#pragma once

#include "host/hostcomponents.h"

class AppConnection;

namespace erp {

// Period dates of the accounting calendar, read from t_PeriodDate. The first date
// is the period's first day (FStartDate), the second its last day (FEndDate): the
// count module allows documents from the first day on, and treats a server day on
// or after the last day as a closed period when closing control is on.
class PeriodListServer : public ListServer
{
public:
    explicit PeriodListServer(AppConnection &connection)
        : m_connection(connection)
    {}
    bool GetCurPeriod(const QString &propsString, int year, int period, QDate *first, QDate *second) override;

private:
    AppConnection &m_connection;
};

} // namespace erp
