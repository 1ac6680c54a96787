#include "cyclecount.h"

#include "cycleselection.h"
#include "icbackupinv.h"

#include "host/appconnection.h"
#include "host/hostui.h"
#include "host/logging.h"
#include "host/sharedstate.h"
#include "host/texts.h"

namespace {

const QString listDueSql = QStringLiteral(R"(SELECT * FROM temp1 ORDER BY FStockNumber, FStockName, FNumber)");
const QString dueStocksSql = QStringLiteral(R"(SELECT DISTINCT FStockID FROM temp1 ORDER BY FStockID)");

void tell(const QString &text)
{
    if (HostUi *ui = shared().ui)
        ui->message(text, HostUi::Icon::Information);
}

} // namespace

bool ICBackupInv::GetCheckCycItem(QString &statement, bool textOnly, const QList<int> &stocks, Recordset &result)
{
    statement = listDueSql;
    result = Recordset();
    if (textOnly)
        return true;
    return inTransaction([&](AppConnection &c) {
        CycleSelection::create(c, stocks, m_useFullNumber);
        result = c.ExecuteRaiseErr(listDueSql);
        CycleSelection::drop(c);
    });
}

bool ICBackupInv::GetCheckCycStockID(Recordset &result)
{
    result = Recordset();
    return inTransaction([&](AppConnection &c) {
        CycleSelection::create(c, {}, m_useFullNumber);
        result = c.ExecuteRaiseErr(dueStocksSql);
        CycleSelection::drop(c);
    });
}

CycleCount::Outcome CycleCount::run(bool perStock, int operatorId, QList<Created> *created)
{
    LogBracket log(QStringLiteral("N5StockCheck.frmChkStockProc.CycCheck"));
    ICBackupInv engine;
    QString statement;
    Recordset due, stocks;
    if (!engine.GetCheckCycItem(statement, false, {}, due) || !engine.GetCheckCycStockID(stocks) ||
        !engine.GetStockBillMaxID(false, {})) {
        tell(LoadText("备份数据失败！") + QLatin1Char('\n') + engine.lastError().detailed());
        return Outcome::Failed;
    }
    if (due.isEmpty()) {
        tell(LoadText("没有需要备份的物料!"));
        log.end(1);
        return Outcome::NothingDue;
    }

    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    SnapshotParams params;
    params.setValue(SnapshotParams::Filter, QString());
    params.setValue(SnapshotParams::Stock, QString());
    params.setValue(SnapshotParams::Date, today);
    params.setValue(SnapshotParams::CutDate, today);
    params.setValue(SnapshotParams::Operater, operatorId);

    QList<int> ids;
    for (stocks.MoveFirst(); !stocks.Eof(); stocks.MoveNext())
        ids << stocks.integer(u"FStockID");
    const QList<int> runs = perStock ? ids : QList<int>{0};
    QList<Created> made;
    QString itemTable; // the per-stock run's items, stamped after the last stock
    for (qsizetype i = 0; i < runs.size(); ++i) {
        params.setValue(SnapshotParams::Stock, runs.at(i) ? QString::number(runs.at(i)) : QString());
        bool ok = false;
        const bool last = i + 1 == runs.size();
        engine.BackUpData(params, false, QDate::currentDate(), true, !perStock || last, perStock, perStock && i == 0,
                          itemTable, ok);
        // a failing stock has been told; the others still get their count
        if (ok && engine.processCreated())
            made.append({engine.processId(), engine.processNumber()});
    }
    if (created)
        *created = made;
    log.end(made.isEmpty() ? 1 : 0);
    return made.isEmpty() ? Outcome::Failed : Outcome::Done;
}
