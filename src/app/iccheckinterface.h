#pragma once

#include <QString>
#include <QVariantMap>

#include <functional>

class AppConnection;

// The one class through which the host drives the count module: it hands over the
// connection and the operator, then calls one entry operation per user command.
// It keeps nothing itself; everything goes into the shared state.
class ICCheckInterface
{
public:
    ICCheckInterface();
    ~ICCheckInterface();
    ICCheckInterface(const ICCheckInterface &) = delete;
    ICCheckInterface &operator=(const ICCheckInterface &) = delete;

    void LocalConnection(AppConnection *connection);
    void OperaterID(int operatorId);
    void BackupCheckData();
    void PrintCheckBook();
    void IsTest(bool test);
    void CheckDataInput();
    void CheckDataCheck(int operatorId);
    void DisChkStockProc(const QVariantMap &context);
    void TestImport(const QString &path);

    // The import subsystem registers the entry TestImport hands the path to (the
    // host layer cannot depend on it).
    using ImportEntry = std::function<void(const QString &path)>;
    static void setImportEntry(ImportEntry entry);

private:
    // ShowFilterBeforeCheck is read when a connection is there to read it from.
    bool m_filterFlagPending = false;
};
