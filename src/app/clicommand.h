#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>

class AppConnection;

// One command of stockcheck-cli. Each command lives in its own cli_<name>.cpp and
// registers itself with a static CliCommand, so adding a command touches no list.
struct CliContext
{
    QStringList args; // the command's own arguments (after the command name)
    QString dbUrl;    // --db
    int userId = 0;   // --user (0 when not given)
    QTextStream &out;
    QTextStream &err;

    // The value after `name` ("--stocks 1,2"), or `fallback`; `found` tells whether it was given.
    QString option(const QString &name, const QString &fallback = {}, bool *found = nullptr) const;
    QStringList options(const QString &name) const; // every value of a repeated option
    bool flag(const QString &name) const;
};

struct CliCommand
{
    using Run = std::function<int(CliContext &)>;
    CliCommand(const char *name, const char *usage, Run run);
};

namespace cli {
// Opens the database of --db for a command and installs the shared state (host
// stand-ins, operator, login properties of the user). On failure prints the
// message as the window would word it and returns false.
bool openDatabase(CliContext &ctx, AppConnection &connection, bool requireSchema = true);
// Every argument is one of `valueOptions` followed by its value, or one of
// `flags`, and an operator (--user) is named; else false with the message.
bool checkArguments(const CliContext &ctx, const QStringList &valueOptions, const QStringList &flags, QString *error);
// After openDatabase: reads the numbering option that numbers are shown by;
// prints the failure and returns false when the database cannot tell it.
bool readNumbering(CliContext &ctx);
// The operator of --user is a user of the database; else the message is printed.
bool userExists(CliContext &ctx, AppConnection &connection);
} // namespace cli
