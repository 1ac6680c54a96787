#pragma once

#include "host/hostcomponents.h"

class AppConnection;

namespace erp {

// Row-level access over t_UserDataAccess (FUserID, FTableName, FItemID): the ids of
// a table's rows a user may see. A user without rows is unrestricted; a table
// without rows for the user is unrestricted for that user.
class UserDataAccess : public DataAccess
{
public:
    bool IsUsed(AppConnection &connection, const QString &propsString, int userId) override;
    void GetRowAccessInfo(const QStringList &tableNames) override;
    // From: ", (SELECT DISTINCT FItemID AS <DataCol> FROM t_UserDataAccess WHERE ...) <DataTableAs>"
    // per restricted setting; Where: "<DataTableAs>.<DataCol> = <BillTableAs>.<BillCol>"
    // joined by AND. Both carry their bound values in text order.
    void GetAccessDataSQL(AppConnection &connection, int userId, const QList<DataAccessSetting> &settings,
                          SqlFragment *from, SqlFragment *where, bool firstVariant) override;
};

} // namespace erp
