#pragma once

#include "host/hostcomponents.h"

class AppConnection;

namespace erp {

// The host's list update over the count rows: one gain (40) or loss (43) document
// per stock from the rows whose rounded difference has the kind's sign, numbered
// from the host's numbering, with each row linked to its document. Rows already on
// a document that exists are left out, so asking twice makes nothing the second
// time. All of it is one transaction.
class DocumentMaker : public ListUpdate
{
public:
    explicit DocumentMaker(AppConnection &connection)
        : m_c(connection)
    {}

    void MakeStockCheckBillNew(const QString &propsString, int &processId, QString &message, int &kind, int &count,
                               QList<int> *documents) override;

private:
    AppConnection &m_c;
};

} // namespace erp
