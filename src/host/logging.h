#pragma once

#include <QString>

// Start and end records of important operations in the host's optional log.
// Logging never changes an operation's outcome and never disturbs an error the
// operation is about to report: nothing here throws or touches error state.

// A handle for LogEnd, 0 when nothing is logged. The logger is looked up once;
// one that says it is disabled is dropped for the rest of the process.
int LogStart(const QString &name) noexcept;
// flag 0: normal end; 1: the operation was abandoned early.
void LogEnd(int handle, int flag = 0) noexcept;
// Forgets the logger so that the next LogStart looks it up again (tests).
void ResetLogging();

// Brackets a scope: LogStart now, LogEnd(flag) when end() is called. A scope left
// without end() (an early return, an exception) writes no end record, as the
// original operations do on their failure paths.
class LogBracket
{
public:
    explicit LogBracket(const QString &name)
        : m_handle(LogStart(name))
    {}
    void end(int flag = 0)
    {
        if (!m_ended)
            LogEnd(m_handle, flag);
        m_ended = true;
    }

private:
    int m_handle;
    bool m_ended = false;
};
