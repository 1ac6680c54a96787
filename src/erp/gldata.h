#pragma once

#include "host/hostcomponents.h"

#include <QList>
#include <QString>

class AppConnection;

namespace erp {

// Rights over t_UserRight (a user holds a right when a row names it) and the
// business log in t_Log.
class UserRights : public GLData
{
public:
    bool AccessCheck(AppConnection &connection, int userId, Right right) override;
    void WriteLog(AppConnection &connection, int userId, const QString &code, const QString &text) override;

    // The key of a right in t_UserRight ("BackupStock", ...).
    static QString key(Right right);
};

// Gives a user rights (idempotent). Throws DbException.
void grantRights(AppConnection &connection, int userId, const QList<GLData::Right> &rights);
// Every right of the count module.
QList<GLData::Right> allRights();

} // namespace erp
