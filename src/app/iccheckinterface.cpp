#include "iccheckinterface.h"

#include "host/hostui.h"
#include "host/logging.h"
#include "host/openwindow.h"
#include "host/sharedstate.h"
#include "host/sysparams.h"
#include "host/texts.h"

#include "import/countimport.h"
#include "model/maindo.h"

namespace {

ICCheckInterface::ImportEntry &importEntry()
{
    static ICCheckInterface::ImportEntry entry;
    return entry;
}

// A count sheet operation: the sheet in `mode`, bracketed in the log.
void showSheet(const QString &logName, int mode)
{
    LogBracket log(logName);
    {
        MainDo sheet;
        sheet.Show(mode, 0);
    }
    log.end(0);
}

} // namespace

ICCheckInterface::ICCheckInterface()
{
    SharedState &s = shared();
    s.isTest = false;
    // The host normally creates this object before it hands over the connection.
    // The parameter is then read when LocalConnection arrives; a connection that
    // is already there is read at once, so the last created instance wins either way.
    if (s.connection)
        s.showFilterBeforeCheck = ReadShowFilterBeforeCheck();
    else
        m_filterFlagPending = true;
}

// The connection belongs to the host and outlives this object: a count sheet left
// open by CheckDataInput goes on using it, so it is not released here.
ICCheckInterface::~ICCheckInterface() = default;

void ICCheckInterface::LocalConnection(AppConnection *connection)
{
    shared().connection = connection;
    if (m_filterFlagPending && connection) {
        shared().showFilterBeforeCheck = ReadShowFilterBeforeCheck();
        m_filterFlagPending = false;
    }
}

void ICCheckInterface::OperaterID(int operatorId)
{
    shared().operatorId = operatorId;
}

void ICCheckInterface::BackupCheckData()
{
    OpenWindow(QStringLiteral("frmBackupInv"));
}

void ICCheckInterface::PrintCheckBook()
{
    showSheet(QStringLiteral("N5StockCheck.ICCheckInterface.PrintCheckBook"), 3);
}

void ICCheckInterface::IsTest(bool test)
{
    shared().isTest = test;
}

void ICCheckInterface::CheckDataInput()
{
    showSheet(QStringLiteral("N5StockCheck.ICCheckInterface.CheckDataInput"), 4);
}

void ICCheckInterface::CheckDataCheck(int operatorId)
{
    LogBracket log(QStringLiteral("N5StockCheck.ICCheckInterface.CheckDataCheck"));
    shared().operatorId = operatorId;
    {
        MainDo sheet;
        sheet.Show(1, 0);
    }
    log.end(0);
}

void ICCheckInterface::DisChkStockProc(const QVariantMap &context)
{
    shared().hostContext = context;
    OpenWindow(QStringLiteral("frmChkStockProc"), context);
}

void ICCheckInterface::TestImport(const QString &path)
{
    if (importEntry()) {
        importEntry()(path);
        return;
    }
    countimport::TestImport(path);
}

void ICCheckInterface::setImportEntry(ImportEntry entry)
{
    importEntry() = std::move(entry);
}
