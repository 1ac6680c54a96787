#include "maindo.h"

#include "host/dberror.h"
#include "host/hostui.h"
#include "host/logging.h"
#include "host/loginprops.h"
#include "host/sharedstate.h"
#include "host/texts.h"

#include <exception>

namespace {

// The hourglass for the time of a request, whichever way it ends.
class BusyCursor
{
public:
    BusyCursor()
    {
        if (HostUi *ui = shared().ui)
            ui->setBusy(true);
    }
    ~BusyCursor()
    {
        if (HostUi *ui = shared().ui)
            ui->setBusy(false);
    }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

void tell(const QString &text)
{
    if (HostUi *ui = shared().ui)
        ui->message(text);
}

} // namespace

void MainDo::OutCheckBill(int kind, int &count, int &result)
{
    LogBracket log(QStringLiteral("N5StockCheck.MainDo.OutCheckBill"));
    count = 0;
    m_lastDocuments.clear();
    QString failure;
    {
        BusyCursor busy;
        try {
            ListUpdate *maker = shared().components.listUpdate.get();
            if (!maker)
                throw std::runtime_error(
                    FormatText("组件%1未注册。", {QStringLiteral("N5ListServer.clsListUpdate")}).toStdString());
            int processId = shared().currentProcess;
            QString message;
            maker->MakeStockCheckBillNew(GetPropsString(), processId, message, kind, count, &m_lastDocuments);
            result = count > 0 ? -1 : -2;
            if (count > 0)
                tell(message);
        } catch (const DbException &e) {
            failure = e.error().message;
        } catch (const std::exception &e) {
            failure = QString::fromStdString(e.what());
        }
    }
    if (!failure.isNull()) {
        result = -99;
        count = 0;
        m_lastDocuments.clear();
        tell(LoadText("盘点单据输出不成功:") + failure);
    }
    log.end();
}
