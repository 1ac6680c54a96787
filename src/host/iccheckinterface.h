#pragma once

#include <QString>
#include <QVariantMap>

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
};
