#pragma once

#include "host/sheetmode.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <optional>

class AppConnection;

// One command of stockcheck-cli. Each command lives in its own cli_<name>.cpp and
// registers itself with a static CliCommand, so adding a command touches no list.
struct CliContext
{
    QStringList args; // the command's own arguments (after the command name, without --lang)
    QString dbUrl;    // --db
    int userId = 0;   // --user (0 when not given)
    QString language; // --lang: "chs", "CHT" or "EN"
    QTextStream &out;
    QTextStream &err;

    // The value after `name` ("--stocks 1,2"), or `fallback`; `found` tells whether it was given.
    QString option(const QString &name, const QString &fallback = {}, bool *found = nullptr) const;
    QStringList options(const QString &name) const; // every value of a repeated option
    bool flag(const QString &name) const;

    // Numbers of options, read with the cli::parse functions below: true when the
    // option is absent (`given` false, the value untouched) or well formed, false
    // with a message naming the option otherwise.
    bool idOption(const QString &name, int *value, bool *given, QString *error) const;
    bool wholeOption(const QString &name, int *value, bool *given, QString *error) const;
    bool idListOption(const QString &name, QList<int> *values, bool *given, QString *error) const;
    // The quantity is kept as its text: it is typed into the grid as written.
    bool quantityOption(const QString &name, QString *value, bool *given, QString *error) const;
};

struct CliCommand
{
    using Run = std::function<int(CliContext &)>;
    // Application::Gui: the command paints pages (fonts need a GUI application,
    // which runs without a screen).
    enum class Application { Core, Gui };
    CliCommand(const char *name, const char *usage, Run run, Application application = Application::Core);
};

namespace cli {

// The exit status of every command.
enum Exit : int {
    Done = 0,
    Refused = 1,      // the database or the rules said no; the message is on stderr
    BadArguments = 2, // the command line is wrong; nothing was touched
};

// Numbers on the command line are plain decimals, all of the text: a reading of
// "1e3", "1,000", "0x10" or "12abc" would be a guess, and a wrong guess counts a
// wrong quantity. Whole numbers fit an int.
std::optional<int> parseId(const QString &text);            // 1, 2, ...
std::optional<int> parseWhole(const QString &text);         // 0, 1, 2, ...
std::optional<QList<int>> parseIdList(const QString &text); // "1025,1026"
std::optional<double> parseQuantity(const QString &text);   // 12, -3.5, 0.25
QStringList languages();                                    // the values of --lang

// Opens the database of --db for a command and installs the shared state (host
// stand-ins, operator, login properties of the user). On failure prints the
// message as the window would word it and returns false.
bool openDatabase(CliContext &ctx, AppConnection &connection, bool requireSchema = true);
// Every argument is one of `valueOptions` followed by its value, or one of
// `flags`, and --db is given; else false with the message.
bool checkArguments(const CliContext &ctx, const QStringList &valueOptions, const QStringList &flags, QString *error);
// checkArguments, and an operator (--user) is named.
bool checkArgumentsWithUser(const CliContext &ctx, const QStringList &valueOptions, const QStringList &flags,
                            QString *error);
// After openDatabase: reads the numbering option that numbers are shown by;
// prints the failure and returns false when the database cannot tell it.
bool readNumbering(CliContext &ctx);
// The operator of --user is a user of the database; else the message is printed.
bool userExists(CliContext &ctx, AppConnection &connection);
// --process: the id of a count process, required.
bool processOption(const CliContext &ctx, int *process, QString *error);
// --mode: a mode of the count sheet (1 check, 3 count book, 4 input), required.
bool modeOption(const CliContext &ctx, SheetMode *mode, QString *error);
// The arguments of a command on one count sheet: --db, --user, --process and
// --mode, plus the command's own `valueOptions`; reads the process and the mode.
bool sheetArguments(const CliContext &ctx, const QStringList &valueOptions, int *process, SheetMode *mode,
                    QString *error);
// The process is in the database; else the message is printed.
bool processExists(CliContext &ctx, AppConnection &connection, int process);
// The message of a wrong command line and the command's usage, on stderr.
int badArguments(CliContext &ctx, const QString &error, const char *usage);

} // namespace cli
