#pragma once

#include "clicommand.h"

#include "host/appconnection.h"
#include "host/hostui.h"
#include "host/sharedstate.h"

#include <QTextStream>

#include <optional>

// The person of a command-line run: messages go to the error stream as a window
// would show them, questions are answered No, nothing is chosen or shown.
class StreamUi : public HostUi
{
public:
    explicit StreamUi(QTextStream &err)
        : m_err(err)
    {}
    void message(const QString &text, Icon, const QString &details) override
    {
        m_err << text << "\n";
        if (!details.isEmpty())
            m_err << details << "\n";
    }
    Answer question(const QString &, bool) override { return Answer::No; }
    void setBusy(bool) override {}
    void showList(const QString &, const QStringList &, const QList<int> &, const QList<QStringList> &) override {}
    QString openFileName(const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }
    void showHelp(const QString &) override {}

private:
    QTextStream &m_err;
};

// The StreamUi of a command, installed as the shared person while it lives.
class ScopedStreamUi
{
public:
    explicit ScopedStreamUi(QTextStream &err)
        : m_ui(err)
    {
        shared().ui = &m_ui;
    }
    ~ScopedStreamUi() { shared().ui = nullptr; }
    ScopedStreamUi(const ScopedStreamUi &) = delete;
    ScopedStreamUi &operator=(const ScopedStreamUi &) = delete;

private:
    StreamUi m_ui;
};

namespace cli {

// The start most commands on the database make: the command line as `parsed`
// found it (exit 2 with `error` and the usage when it is wrong), the database
// opened (exit 1), and the person's questions and messages on stderr while the
// command runs.
class CommandStart
{
public:
    CommandStart(CliContext &ctx, bool parsed, const QString &error, const char *usage)
    {
        if (!parsed)
            m_exit = badArguments(ctx, error, usage);
        else if (!openDatabase(ctx, connection))
            m_exit = Refused;
        else
            m_ui.emplace(ctx.err);
    }
    // 0 when the command may go on, else its exit status.
    int exitCode() const { return m_exit; }

    AppConnection connection;

private:
    int m_exit = 0;
    std::optional<ScopedStreamUi> m_ui;
};

} // namespace cli
