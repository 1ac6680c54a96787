// The count sheet's "盘点记录": the count journal of the current row.

#include "countsheet.h"

#include "host/appconnection.h"
#include "host/hostui.h"
#include "host/sharedstate.h"
#include "host/texts.h"
#include "model/countjournal.h"

namespace {

// The key of a row of the ledger (mode 1), as its query reads it.
CountRowKey ledgerKey(const Recordset &rows, int row, int processId)
{
    CountRowKey k;
    k.processId = processId;
    k.itemId = rows.value(row, u"FItemID").toInt();
    k.auxPropId = rows.value(row, u"FAuxPropID").toInt();
    k.unitId = rows.value(row, u"FUnitID").toInt();
    k.batchNo = rows.value(row, u"FBatchNo").toString();
    k.mtoNo = rows.value(row, u"FMtoNo").toString();
    const QVariant date = rows.value(row, u"FKFDate");
    k.kfDate = date.typeId() == QMetaType::QDate || date.typeId() == QMetaType::QDateTime
                   ? date.toDate().toString(QStringLiteral("yyyy-MM-dd"))
                   : date.toString().left(10);
    k.kfPeriod = rows.value(row, u"FKFPeriod").toInt();
    k.stockId = rows.value(row, u"FStockID").toInt();
    k.stockPlaceId = rows.value(row, u"FStockPlaceID").toInt();
    return k;
}

} // namespace

void CountSheet::mnuVHistory()
{
    HostUi *ui = shared().ui;
    AppConnection *conn = shared().connection;
    if (!ui || !conn || currentProcess() <= 0)
        return;
    CountRowKey key;
    int decimals = 0;
    if (m_mode == SheetMode::Entry) {
        if (!m_entry.isDataRow(m_activeRow)) {
            ui->message(LoadText("请先选择一行盘点数据。"));
            return;
        }
        key = CountRowValues::fromGrid(m_entry, m_activeRow).key(currentProcess());
        decimals = m_entry.decimals(m_activeRow);
    } else {
        const Recordset &rows = m_model.rows();
        if (m_ledgerRow < 0 || m_ledgerRow >= rows.RecordCount()) {
            ui->message(LoadText("请先选择一行盘点数据。"));
            return;
        }
        key = ledgerKey(rows, m_ledgerRow, currentProcess());
        decimals = rows.value(m_ledgerRow, u"FQtyDecimal").toInt();
    }
    try {
        const QList<CountJournalEntry> entries = CountJournal::rowEntries(*conn, key);
        if (entries.isEmpty()) {
            ui->message(LoadText("这一行还没有盘点记录：它的数量是备份时的数量。"));
            return;
        }
        ui->showList(LoadText("盘点记录"), CountJournal::historyTitles(), CountJournal::historyWidths(),
                     CountJournal::historyRows(entries, decimals));
    } catch (const DbException &e) {
        ui->message(LoadText("读取盘点记录失败。"), HostUi::Icon::Critical, e.error().detailed());
    }
}
