#include "documentoutput.h"

#include "model/maindo.h"

#include "host/appconnection.h"
#include "host/hostui.h"
#include "host/loginprops.h"
#include "host/sharedstate.h"
#include "host/stockdocuments.h"
#include "host/sysparams.h"
#include "host/texts.h"

#include <QVariantList>

namespace {

const QString processDateSql = QStringLiteral("SELECT FDate FROM ICStockCheckProcess WHERE FID = ?");

// "BillStatus" is read as a Boolean: a number other than 0, or "True".
bool periodClosingOn()
{
    SysInfo *info = shared().components.sysInfo.get();
    if (!info)
        return false;
    const QString value = info->GetSysValue(QStringLiteral("IC"), QStringLiteral("BillStatus")).trimmed();
    bool numeric = false;
    const double number = value.toDouble(&numeric);
    return numeric ? number != 0 : value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

// The snapshot's book date lies before the current period: its documents would
// belong to a period that is already past.
bool snapshotBeforePeriodStart(int processId)
{
    QDate first, second;
    if (!GetCurPeriodDates(&first, &second) || !first.isValid() || !shared().connection)
        return false;
    Recordset rs = shared().connection->Execute(processDateSql, {processId});
    const QDateTime date = rs.isOpen() && !rs.isEmpty() ? rs.dateTime(u"FDate") : QDateTime();
    return date.isValid() && date.date() < first;
}

void tell(const QString &text)
{
    if (HostUi *ui = shared().ui)
        ui->message(text);
}

void setBusy(bool busy)
{
    if (HostUi *ui = shared().ui)
        ui->setBusy(busy);
}

} // namespace

QString DocumentOutput::viewerName()
{
    return QStringLiteral("NVE_N5Bills.Bills");
}

DocumentOutput::Result DocumentOutput::run(MainDo &model, int kind, int processId, const StatusSink &status,
                                           bool openViewer)
{
    Result result;
    result.tranType = kind == 1 ? TranType::Gain : TranType::Loss;
    if (periodClosingOn() && !CheckDate()) {
        tell(LoadText("当前期间已经关账，不能新增当前及以前期间单据。"));
        result.outcome = Outcome::ClosedPeriod;
        return result;
    }
    if (status)
        status(LoadText("正在输出盘点单据,请稍候..."));
    setBusy(true);
    shared().currentProcess = processId;
    if (snapshotBeforePeriodStart(processId)) {
        tell(LoadText("输出盘点单必须在本期间起始日期之后!"));
        result.outcome = Outcome::EarlySnapshot;
    } else {
        int count = 0, answer = 0;
        model.OutCheckBill(kind, count, answer);
        result.outcome = answer == -1 ? Outcome::Made : answer == -2 ? Outcome::Nothing : Outcome::Failed;
        result.documents = model.lastDocuments();
        if (result.outcome == Outcome::Made && openViewer && shared().components.windows.has(viewerName())) {
            QVariantList ids;
            for (int id : result.documents)
                ids << id;
            shared().components.windows.open(viewerName(), {{QStringLiteral("FInterID"), ids},
                                                            {QStringLiteral("FTranType"), result.tranType},
                                                            {QStringLiteral("UserID"), GetUserId()},
                                                            {QStringLiteral("PropsString"), GetPropsString()}});
        }
    }
    setBusy(false);
    if (status)
        status(LoadText("就绪"));
    return result;
}
