#pragma once

#include "apireply.h"

#include <QString>

#include <optional>

class AppConnection;

// Logins and sessions of stockcheck-server, kept in ICStockCheckSession so that
// several server instances behind one proxy share nothing but the database. The
// device holds a random token; the table holds only its SHA-256, so a copy of the
// table does not log anybody in.
class SessionStore
{
public:
    struct Options
    {
        int sessionHours = 12;          // a shift and then some
        int failureWindowSeconds = 900; // failed logins counted over this window
        int maxFailures = 5;            // then the name is refused until the window passes
    };
    struct Session
    {
        QString tokenHash;
        int userId = 0;
        QString userName;
        qint64 expires = 0;
        QString device;       // what the device called itself at login
        int process = 0;      // the process of the session's last entry
        qint64 lastEntry = 0; // when it was noted
        bool limited = false; // the user may count only the stocks of its access rules
    };

    explicit SessionStore(Options options)
        : m_options(options)
    {}

    // A login: checks the throttle, the password, the right to count from a
    // handheld; answers {"token", "user", "expires"} or a refusal. `failed` is set
    // when the password (or name) was wrong, for the caller to slow the answer.
    ApiReply login(AppConnection &conn, const QString &name, const QString &password, const QString &device,
                   bool *failed) const;
    // The live session of a token presented by a device.
    std::optional<Session> find(AppConnection &conn, const QString &token) const;
    bool logout(AppConnection &conn, const QString &token) const;

    static QString hashOf(const QString &token);
    static qint64 now();

private:
    Options m_options;
};
