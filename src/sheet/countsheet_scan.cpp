// Scan-to-add of the entry mode: each scan adds the quantity per scan to its row
// and stores it at once with its journal entry. The database adds, so counters
// scanning the same goods at two workstations never lose each other's scans.

#include "countsheet.h"

#include "host/appconnection.h"
#include "host/hostui.h"
#include "host/numbers.h"
#include "host/sharedstate.h"
#include "host/texts.h"
#include "model/countentryservice.h"

#include <QLocale>

#include <cmath>

namespace {

using namespace EntryCol;

// A plain decimal above zero: a scan never takes away (undo does).
bool parseScanQty(const QString &text, double *qty)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v) || v <= 0)
        return false;
    *qty = v;
    return true;
}

} // namespace

void CountSheet::mnuScanAdd()
{
    if (m_mode != SheetMode::Entry)
        return;
    m_scanAdd = !m_scanAdd;
    setStatus(MessagePanel,
              m_scanAdd ? LoadText("扫描累加：每次扫描给对应的行累加数量并立即保存") : LoadText("扫描累加已关闭"));
    emit scanAddChanged(m_scanAdd);
    emit stateChanged();
}

CountSheet::ScanOutcome CountSheet::scanAdd(const QString &text)
{
    const QString code = withoutQuotes(text).trimmed();
    if (m_mode != SheetMode::Entry || !m_scanAdd || code.isEmpty() || currentProcess() <= 0 || !shared().connection)
        return ScanOutcome::None;
    m_session.lastBarcode = text; // the next key starts a new scan in a clean box
    const auto refuse = [this](const QString &why, ScanOutcome outcome) {
        setStatus(MessagePanel, why, true);
        emit scanRefused();
        return outcome;
    };
    double qty = 0;
    if (!parseScanQty(m_scanQty, &qty))
        return refuse(FormatText("每次扫描的数量“%1”不是大于零的数字", {m_scanQty}), ScanOutcome::Refused);
    QList<int> rows;
    for (int r = 1; r <= m_entry.dataRows(); ++r)
        if (m_entry.text(r, BarCode) == code)
            rows << r;
    if (rows.isEmpty())
        return refuse(FormatText("找不到条形码为%1的物料", {code}), ScanOutcome::Unknown);
    // typed counts go first: the add builds on them, and they are not lost to it
    if (m_session.dataChanged && !SaveStockData(false))
        return refuse(LoadText("还有没保存的盘点数据，请先处理后再扫描"), ScanOutcome::Refused);

    int row = rows.first();
    if (rows.size() > 1) {
        // the goods lie in several places: the counter says which, nothing is guessed
        QList<QStringList> choices;
        for (int r : rows)
            choices << QStringList{m_entry.text(r, StockName), m_entry.text(r, SPName), m_entry.text(r, BatchNo),
                                   m_entry.text(r, KFDate), m_entry.text(r, CheckQty)};
        HostUi *ui = shared().ui;
        const int pick = ui ? ui->chooseRow(FormatText("条形码%1对应%2行，累加到哪一行？", {code, rows.size()}),
                                            {LoadText("仓库"), LoadText("仓位"), LoadText("批次"), LoadText("生产日期"),
                                             LoadText("盘点数量")},
                                            choices)
                            : -1;
        if (pick < 0 || pick >= rows.size()) {
            setStatus(MessagePanel, FormatText("条形码%1：没有累加", {code}));
            return ScanOutcome::Cancelled;
        }
        row = rows.at(pick);
    }

    const CountRowKey key = CountRowValues::fromGrid(m_entry, row).key(currentProcess());
    const CountEntryResult result =
        CountEntryService::add(*shared().connection, key, qty, CountSource::scanner, shared().operatorId);
    if (!result.ok()) {
        if (result.status == CountEntryResult::Status::Failed)
            showMessage(FormatText("扫描累加没有保存：%1", {result.error.message}), result.error.detailed());
        return refuse(FormatText("条形码%1：%2", {code, result.message}), ScanOutcome::Refused);
    }
    EntryRules::showStoredCount(m_entry, row, result.counted, m_session);
    CountSaver::noteRowSeen(m_session, key, result.entryId);
    m_rowsSaved = true;
    m_activeRow = row;
    m_activeCol = CheckQty;
    emit cellChanged(row, CheckQty);
    emit currentCellRequested(row, CheckQty, false);
    setStatus(MessagePanel, FormatText("条形码%1：%2 累加%3，现为%4 %5",
                                       {code, m_entry.text(row, ItemNumber), quantityText(qty, m_entry.decimals(row)),
                                        m_entry.text(row, CheckQty), m_entry.text(row, UnitName)}));
    emit scanAdded();
    return ScanOutcome::Added;
}

void CountSheet::mnuUndoScan()
{
    if (m_mode != SheetMode::Entry || currentProcess() <= 0 || !shared().connection)
        return;
    const CountEntryResult result = CountEntryService::undoLastAdd(*shared().connection, currentProcess(),
                                                                   shared().operatorId, CountSource::scanner);
    if (!result.ok()) {
        if (result.status == CountEntryResult::Status::Failed)
            showMessage(FormatText("撤销没有保存：%1", {result.error.message}), result.error.detailed());
        setStatus(MessagePanel, result.message, true);
        emit scanRefused();
        return;
    }
    int row = 0;
    for (int r = 1; r <= m_entry.dataRows() && row == 0; ++r)
        if (int(m_entry.number(r, ItemID)) == result.key.itemId &&
            CountRowValues::fromGrid(m_entry, r).key(currentProcess()) == result.key)
            row = r;
    if (row > 0) { // a row outside the view (filtered away) is stored all the same
        EntryRules::showStoredCount(m_entry, row, result.counted, m_session);
        CountSaver::noteRowSeen(m_session, result.key, result.entryId);
        m_activeRow = row;
        m_activeCol = CheckQty;
        emit cellChanged(row, CheckQty);
        emit currentCellRequested(row, CheckQty, false);
    }
    m_rowsSaved = true;
    setStatus(MessagePanel, row > 0 ? FormatText("已撤销上次扫描：%1 现为%2 %3",
                                                 {m_entry.text(row, ItemNumber), m_entry.text(row, CheckQty),
                                                  m_entry.text(row, UnitName)})
                                    : LoadText("已撤销上次扫描"));
}
