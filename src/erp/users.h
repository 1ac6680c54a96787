#pragma once

#include <QString>
#include <QStringList>

class AppConnection;

namespace erp {

// The host's users (t_user): names for the login dialog and the password check.
QStringList userNames(AppConnection &connection);
// True with the user's id when name and password match; false with a message for
// the person otherwise (unknown user, wrong password, database error).
bool checkLogin(AppConnection &connection, const QString &userName, const QString &password, int *userId,
                QString *error);
// Stores a password for a user (kept as a salted hash, never as text).
bool setPassword(AppConnection &connection, int userId, const QString &password, QString *error);

} // namespace erp
