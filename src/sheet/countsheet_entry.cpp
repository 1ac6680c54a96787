// The count sheet window's entry mode (4): typing into the entry grid, the
// cursor and focus rules, the barcode box, the pickers of the unit and composite
// columns, saving, and deleting a row added by hand.

#include "countsheet.h"

#include "host/appconnection.h"
#include "host/hostui.h"
#include "host/logging.h"
#include "host/lookups.h"
#include "host/openwindow.h"
#include "host/sharedstate.h"
#include "host/sysparams.h"
#include "host/texts.h"

namespace {

using namespace EntryCol;

QString arg(const char *name)
{
    return QString::fromLatin1(name);
}

} // namespace

CountSaver CountSheet::makeSaver()
{
    CountSaver saver(m_entry, m_session, *shared().connection, shared().ui,
                     {.processId = currentProcess(),
                      .operatorId = shared().operatorId,
                      .mtoPlanMode = shared().enableMtoPlanMode != 0});
    saver.setStatusSink([this](const QString &text) { setStatus(MessagePanel, text); });
    saver.setFocusBarcode([this] { emit barcodeFocusRequested(); });
    saver.setListClosed([this] { emit errorListClosed(); });
    return saver;
}

bool CountSheet::isRecounted(int row) const
{
    const Recordset &rows = m_model.rows();
    return m_entry.isDataRow(row) && row <= rows.RecordCount() &&
           Recordset::toNumber(rows.value(row - 1, u"FReCheckFlag")) == 1;
}

bool CountSheet::editCell(int row, int col, const QString &text)
{
    if (m_session.loading || !m_entry.isDataRow(row) || !EntryGrid::isEditable(col))
        return false;
    const QString clean = withoutQuotes(text);
    if (clean == m_entry.text(row, col))
        return false;
    if (isRecounted(row)) {
        m_editRefused = true;
        showMessage(LoadText("这一行已经复盘，实存数量以复盘数量为准，不能再修改盘点数量。"));
        return false;
    }
    QString refusal;
    EntryRules::setCell(m_entry, row, col, clean, m_session, &refusal);
    m_editRefused = !refusal.isEmpty();
    if (m_editRefused) { // the cell keeps its figure
        showMessage(refusal);
        return false;
    }
    emit cellChanged(row, col); // the row and the totals row, nothing else
    return true;
}

bool CountSheet::SaveStockData(bool ask)
{
    // the question and the error list take the focus from the grid, whose loss saves
    if (m_saving || m_unloaded || m_mode != SheetMode::Entry)
        return !m_session.dataChanged;
    if (!shared().connection)
        return !m_session.dataChanged;
    restoreBlankCurrentCell();
    m_saving = true;
    QList<int> changed;
    for (int r = 1; r <= m_entry.dataRows(); ++r)
        if (m_entry.isChanged(r))
            changed << r;
    CountSaver saver = makeSaver();
    m_lastSave = saver.SaveStockData(ask);
    m_saving = false;
    switch (m_lastSave) {
    case CountSaver::SaveResult::NotChanged:
        return true;
    case CountSaver::SaveResult::Saved:
        m_rowsSaved = true;
        confirmSaved(changed);
        return true;
    case CountSaver::SaveResult::Failed:
        // the rows the database refused are listed and stay marked: the next save
        // writes them again
        return false;
    case CountSaver::SaveResult::Declined:
    case CountSaver::SaveResult::Rejected:
        break;
    }
    return false;
}

// Someone counting with a scanner looks at the shelf, not at the grid: the status
// line tells that the count just typed has reached the database, and which it was.
void CountSheet::confirmSaved(const QList<int> &rows)
{
    if (rows.size() > 1) {
        setStatus(MessagePanel, FormatText("已保存%1行盘点数据", {rows.size()}));
        return;
    }
    if (rows.isEmpty())
        return;
    const int r = rows.first();
    setStatus(MessagePanel, FormatText("已保存：%1 %2，盘点数量 %3 %4",
                                       {m_entry.text(r, ItemNumber).trimmed(), m_entry.text(r, ItemName).trimmed(),
                                        m_entry.text(r, CheckQty).trimmed(), m_entry.text(r, UnitName).trimmed()}));
}

// Saves with asking before the rows are read again. False when the save failed:
// the edits are only in the grid then, and reading the rows would drop them.
bool CountSheet::saveBeforeReload()
{
    if (m_mode != SheetMode::Entry)
        return true;
    m_lastSave = CountSaver::SaveResult::NotChanged;
    SaveStockData(true);
    return m_lastSave != CountSaver::SaveResult::Failed;
}

void CountSheet::setSelectBillEnabled(bool enabled)
{
    const QString name = QStringLiteral("mnuVSelectBill");
    if (enabled == !m_disabled.contains(name))
        return;
    if (enabled)
        m_disabled.remove(name);
    else
        m_disabled.insert(name);
    emit stateChanged();
}

// A tool, a menu or closing saves without taking the focus from the grid, so the
// cell being typed in is not left: cleared, it is saved with its former figures.
void CountSheet::restoreBlankCurrentCell()
{
    const int row = m_session.currentRow, col = m_session.currentCol;
    if (EntryRules::restoreCurrentBlank(m_entry, m_session))
        emit cellChanged(row, col);
}

// The cell of the session is left: a blank one gets its text back, leaving the
// composite cell keeps its unit names.
void CountSheet::leaveCurrentCell()
{
    const int row = m_session.currentRow, col = m_session.currentCol;
    if (EntryRules::leaveCell(m_entry, m_session))
        emit cellChanged(row, col);
}

EntryRules::Arrival CountSheet::enterCell(int row, int col)
{
    if (m_mode != SheetMode::Entry)
        return {};
    // arriving again in the cell a barcode search made current keeps its former text
    if (row != m_session.currentRow || col != m_session.currentCol)
        leaveCurrentCell();
    const EntryRules::Arrival arrival = EntryRules::enterCell(m_entry, row, col, m_session);
    m_activeRow = row;
    m_activeCol = col;
    setSelectBillEnabled(arrival.selectBillEnabled);
    return arrival;
}

// The composite editor is opened on arrival and by F8 only: it is a dialog, and
// opening it again each time the grid gets the focus back from it would never end.
void CountSheet::gridFocusIn()
{
    if (m_mode != SheetMode::Entry || m_activeRow <= 0)
        return;
    enterCell(m_activeRow, m_activeCol);
}

void CountSheet::gridFocusOut(bool save)
{
    if (m_mode != SheetMode::Entry)
        return;
    leaveCurrentCell();
    if (save)
        SaveStockData(false);
}

EntryRules::KeyAction CountSheet::gridKey(int row, int col, int key)
{
    const EntryRules::KeyAction action = EntryRules::gridKey(m_entry, row, col, key, m_session);
    if (action == EntryRules::KeyAction::ReturnToBarcode)
        emit cellChanged(row, col); // a blank cell got its text back
    return action;
}

BarcodeSearch::Result CountSheet::searchBarcode(const QString &text)
{
    const int leftRow = m_session.currentRow, leftCol = m_session.currentCol;
    const BarcodeSearch::Result result = BarcodeSearch::search(m_entry, withoutQuotes(text), m_session);
    if (!result.searched)
        return result;
    emit highlightsChanged();
    if (leftRow > 0)
        emit cellChanged(leftRow, leftCol); // a blank cell left behind got its text back
    const QString code = text.trimmed();
    if (result.currentRow <= 0) {
        // nothing lights up; the status line says why the cursor stays in the box
        setStatus(MessagePanel, FormatText("找不到条形码为%1的物料", {code}), true);
        emit barcodeNotFound();
        return result;
    }
    if (result.rows.size() == 1) {
        setStatus(MessagePanel, FormatText("条形码%1：%2", {code, m_session.currentItemNumber}));
    } else {
        // the item lies in several places: say which one this is and how to reach the others
        QStringList where;
        for (int col : {StockName, SPName, BatchNo})
            if (const QString part = m_entry.text(result.currentRow, col).trimmed(); !part.isEmpty())
                where << part;
        setStatus(MessagePanel, FormatText("条形码%1对应%2行，当前为其中第%3行：%4 %5；再次扫描转到下一行",
                                           {code, result.rows.size(), result.matchIndex + 1,
                                            m_session.currentItemNumber, where.join(QLatin1Char(' '))}));
    }
    m_activeRow = result.currentRow;
    m_activeCol = result.currentCol();
    emit cellChanged(result.currentRow, CheckQty); // emptied for typing
    setSelectBillEnabled(EntryRules::selectBillEnabled(m_entry, m_activeRow));
    emit currentCellRequested(result.currentRow, CheckQty, true);
    return result;
}

// The editor starts from the cell's figures rather than empty; closed untouched
// (Enter after Tab into the cell) it gives nothing, so the count stays as it was.
bool CountSheet::openComplexEditor(int row, const QVariantMap &placement)
{
    if (m_mode != SheetMode::Entry || !m_entry.isDataRow(row) || isEntryColumnHidden(ComplexQty))
        return false;
    QVariantMap args = placement;
    args.insert(arg("HotTrace"), true);
    args.insert(arg("ItemID"), int(m_entry.number(row, ItemID)));
    args.insert(arg("UnitGroupID"), int(m_entry.number(row, UnitGroupID)));
    args.insert(arg("sAuxMutilCheckQtyStr"), m_entry.text(row, ComplexQty));
    args.insert(arg("ComplexCol"), int(ComplexQty));
    args.insert(arg("AuxQtyCol"), int(BaseCheckQty));
    QVariantMap answer;
    if (!OpenWindow(arg("ComplexQtyEditor"), args, &answer) || !answer.contains(arg("FComplexQty")))
        return false;
    return applyComplexQty(row, answer.value(arg("FComplexQty")).toString(), answer.value(arg("BaseQty")).toDouble());
}

bool CountSheet::applyComplexQty(int row, const QString &text, double baseQty)
{
    if (m_session.loading || !m_entry.isDataRow(row))
        return false;
    QString refusal;
    if (!EntryRules::applyComplexQty(m_entry, row, withoutQuotes(text), baseQty, m_session, &refusal)) {
        if (!refusal.isEmpty())
            showMessage(refusal);
        return false;
    }
    emit cellChanged(row, ComplexQty);
    return true;
}

// The row's unit is part of its count row and cannot change; the lookup shows the
// units of the group, and a person who picks another one is told where to count in it.
void CountSheet::openUnitPicker(int row)
{
    if (m_mode != SheetMode::Entry || !m_entry.isDataRow(row))
        return;
    QVariantMap options;
    const int group = int(m_entry.number(row, UnitGroupID));
    if (group > 0)
        options.insert(arg("UnitGroupID"), group);
    const LookupRecord chosen = LookupBaseData(7, QString(), 0, options);
    if (!chosen.isValid())
        return;
    const int unit = chosen.value(arg("FMeasureUnitID")).toInt();
    if (unit == int(m_entry.number(row, UnitID)))
        return;
    showMessage(isEntryColumnHidden(ComplexQty)
                    ? LoadText("盘点记录的单位不能更改。")
                    : LoadText("盘点记录的单位不能更改；按其他单位的数量请在“盘点综合单位数量”中按F8录入。"));
}

CountSaver::RowWrite CountSheet::FillDiffQty(bool calculated, double baseDiff, double secDiff)
{
    const int row = m_activeRow;
    if (m_mode != SheetMode::Entry || !m_entry.isDataRow(row) || !shared().connection)
        return {};
    if (isRecounted(row)) {
        CountSaver::RowWrite refused;
        refused.refused = LoadText("这一行已经复盘，实存数量以复盘数量为准，不能再修改盘点数量。");
        showMessage(refused.refused);
        return refused;
    }
    enterCell(row, BaseCheckQty);
    emit currentCellRequested(row, BaseCheckQty, false);
    CountSaver saver = makeSaver();
    const CountSaver::RowWrite write = saver.FillDiffQty(row, calculated, baseDiff, secDiff);
    if (!write.refused.isEmpty())
        showMessage(write.refused);
    emit cellChanged(row, BaseCheckQty);
    return write;
}

void CountSheet::mnuFSave()
{
    SaveStockData(false);
}

void CountSheet::mnuSubItem()
{
    if (!m_entry.isDataRow(m_activeRow) || !shared().connection)
        return;
    // the reload after the delete would drop what was typed meanwhile
    if (m_session.dataChanged && !SaveStockData(false))
        return;
    CountSaver saver = makeSaver();
    if (saver.deleteAddedItem(m_activeRow) == CountSaver::DeleteResult::Deleted)
        loadRows();
}

// The documents window (frmSelect) gets the active row's stock line and figures,
// and a writer that stores the row's new document differences: the window calls it
// inside the transaction of its reservations, so both are written or neither.
void CountSheet::mnuVSelectBill()
{
    if (!EntryRules::selectBillEnabled(m_entry, m_activeRow))
        return;
    LogBracket log(QStringLiteral("N5StockCheck.frmMain.mnuVSelectBill_Click"));
    SaveStockData(true);
    const int process = currentProcess();
    const int row = m_activeRow;
    ensureBackupType(process);
    QVariantMap info;
    for (const char *suffix : {"|BackupType", "|CuteDate", "|MaxInterID", "|MaxMTOChangeID"})
        info.insert(QString::number(process) + QLatin1String(suffix), processAttribute(process, suffix));
    const CountRowValues v = CountRowValues::fromGrid(m_entry, row);
    const double oldBase = m_entry.number(row, DiffQty), oldSec = m_entry.number(row, SecDiffQty);
    const bool wasChanged = m_entry.isChanged(row);
    bool touched = false;
    const std::function<bool(double, double, QString *)> writer = [&](double base, double sec, QString *reason) {
        touched = true;
        enterCell(row, BaseCheckQty);
        emit currentCellRequested(row, BaseCheckQty, false);
        CountSaver saver = makeSaver();
        const CountSaver::RowWrite write = saver.FillDiffQty(row, true, base, sec);
        emit cellChanged(row, BaseCheckQty);
        if (!write.refused.isEmpty())
            *reason = write.refused;
        else if (write.check != RowCheck::Accepted)
            *reason = CountSaver::checkMessage(write.check);
        else if (!write.written)
            *reason = CountSaver::failureReason(saver.lastError());
        return write.written;
    };
    const QVariantMap args{{arg("ProcID"), process},
                           {arg("DicupInfo"), info},
                           {arg("ItemID"), v.itemId},
                           {arg("ItemNumber"), m_entry.text(row, ItemNumber).trimmed()},
                           {arg("StockName"), m_entry.text(row, StockName).trimmed()},
                           {arg("StockID"), v.stockId},
                           {arg("SPID"), v.stockPlaceId},
                           {arg("BatchNo"), v.batchNo},
                           {arg("MtoNo"), v.mtoNo},
                           {arg("KFDate"), v.kfDate},
                           {arg("KFPeriod"), v.kfPeriod},
                           {arg("AuxPropID"), v.auxPropId},
                           {arg("AccountQty"), v.accountQty},
                           {arg("CheckQty"), v.checkQty},
                           {arg("Decimals"), v.decimals},
                           {arg("RowWriter"), QVariant::fromValue(writer)}};
    QVariantMap answer;
    OpenWindow(arg("frmSelect"), args, &answer);
    if (touched && !answer.value(arg("CalcateOK")).toBool()) {
        // the reservations were undone: so are the row's figures
        QString refusal;
        EntryRules::setDifferences(m_entry, row, oldBase, oldSec, m_session, &refusal);
        if (!wasChanged)
            m_entry.clearChanged(row);
        emit cellChanged(row, BaseCheckQty);
    }
    log.end();
}

// The add-item dialog appends rows of its own: what was typed is saved first, and
// the rows are read again afterwards.
void CountSheet::mnuAddItem()
{
    if (!saveBeforeReload())
        return;
    SetAlertSameRecord(m_alertSame);
    if (OpenWindow(arg("frmAddItem"), {{arg("ProcID"), currentProcess()}}))
        loadRows();
}
