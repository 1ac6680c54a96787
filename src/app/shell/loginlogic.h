#pragma once

#include "host/appconnection.h"

#include <QString>
#include <QStringList>

class SettingsStore;

// What a person chooses in the login dialog. Passwords are never remembered.
struct LoginChoice
{
    QString user;
    QString password;
    QString language = QStringLiteral("chs"); // "chs", "CHT" or "EN"
    DbLocation database;                      // SQLite file or PostgreSQL server

    static QStringList languages() { return {QStringLiteral("chs"), QStringLiteral("CHT"), QStringLiteral("EN")}; }
};

// Who logged in where: what the shell hands to the count module.
struct LoginResult
{
    int userId = 0;
    QString userName;
    QString language;
    DbLocation database;
};

// The login without its dialog: remembering the last choice, opening and checking
// the database, creating the demo database when asked, checking the password,
// and the host login property string. Failures come back as one sentence for the
// person, in the current language.
class LoginLogic
{
public:
    explicit LoginLogic(SettingsStore &settings);

    LoginChoice remembered() const;
    void remember(const LoginChoice &choice);

    // Opens `connection` on the chosen database and checks the user. With
    // `createDemo`, a missing or empty database is set up and filled first.
    bool login(const LoginChoice &choice, bool createDemo, AppConnection &connection, LoginResult *result,
               QString *error) const;
    // The users of the chosen database, for the user list (empty when it cannot be read).
    static QStringList userNames(const DbLocation &database);

    // "UserID=..;UserName=..;LANGUAGE=..;..." as the host login gives it; a value
    // holding ";" is written in braces.
    static QString propsString(const LoginResult &result);

private:
    bool openDatabase(const LoginChoice &choice, bool createDemo, AppConnection &connection, QString *error) const;

    SettingsStore &m_settings;
};
