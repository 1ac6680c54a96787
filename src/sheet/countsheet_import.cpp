// The count sheet window's import command (mnuFileIn): the person picks a file,
// the count import (its own layer, reached by name) merges it, the rows reload.

#include "countsheet.h"
#include "recountlogic.h"

#include "host/hostui.h"
#include "host/openwindow.h"
#include "host/sharedstate.h"
#include "host/texts.h"

#include <QFileInfo>

void CountSheet::mnuFileIn()
{
    HostUi *ui = shared().ui;
    if (m_mode != SheetMode::Entry || !ui || !saveBeforeReload())
        return;
    const QString fileName =
        ui->openFileName(LoadText("选择引入的Excel文件"), LoadText("Excel 文件 (*.xls *.xlsx *.csv);;所有文件 (*)"));
    if (fileName.isEmpty())
        return;
    if (!QFileInfo(fileName).isFile()) {
        showMessage(LoadText("指定引入Excel文件不存在，请重新选择!"));
        return;
    }
    if (OpenWindow(QStringLiteral("CountImport"),
                   {{QStringLiteral("Path"), fileName}, {QStringLiteral("ProcID"), currentProcess()}}))
        loadRows();
}

void CountSheet::mnuRecount()
{
    if (currentProcess() <= 0 || !saveBeforeReload())
        return;
    QVariantMap result;
    OpenWindow(QStringLiteral("frmRecount"), {{QLatin1String(RecountLogic::ArgProcessID), currentProcess()}}, &result);
    if (result.value(QLatin1String(RecountLogic::ResultChanged)).toBool())
        loadRows();
}
