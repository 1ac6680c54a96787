// The count sheet window's export command (mnuFileOut): the rows shown, through
// the host's spreadsheet writer, into a file the person chooses.

#include "countsheet.h"
#include "sheetexport.h"

#include "host/hostcomponents.h"
#include "host/hostui.h"
#include "host/sharedstate.h"
#include "host/texts.h"

#include <QFileInfo>

void CountSheet::mnuFileOut()
{
    SaveStockData(true); // the file shows the grid either way; saving first is offered, not forced
    if (m_mode == SheetMode::Entry && m_entry.dataRows() == 0)
        return;
    HostUi *ui = shared().ui;
    if (!ui)
        return;
    const SheetExport table = SheetExport::of(*this);
    QString fileName = ui->saveFileName(LoadText("引出"), LoadText("Excel 工作簿 (*.xlsx);;CSV 文件 (*.csv)"),
                                        table.title() + QStringLiteral(".xlsx"));
    if (fileName.isEmpty())
        return;
    if (QFileInfo(fileName).suffix().isEmpty()) // a name typed without its kind: the workbook offered first
        fileName += QStringLiteral(".xlsx");
    SheetWriter *writer = shared().components.sheetWriter.get();
    if (!writer) {
        showMessage(LoadText("没有引出组件。"));
        return;
    }
    ui->setBusy(true);
    QString error;
    const bool written = table.write(*writer, fileName, &error);
    ui->setBusy(false);
    if (!written) {
        showMessage(error);
        return;
    }
    setStatus(MessagePanel, FormatText("已引出%1条记录到%2", {table.rowCount(), fileName}));
}
