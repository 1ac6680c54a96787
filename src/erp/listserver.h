#pragma once

#include "host/hostcomponents.h"

class AppConnection;

namespace erp {

// Period dates of the accounting calendar, read from t_PeriodDate. The first date
// is the period's first day (FStartDate), the second its last day (FEndDate). So
// the count sheet outputs gain and loss documents from the period's first day on,
// and, when period-closing control is on, only from its last day on.
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
