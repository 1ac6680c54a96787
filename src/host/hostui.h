#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// Everything the logic of a window asks of a person, and every window it opens,
// goes through this interface. The widgets implement it with real dialogs; tests
// use a scripted fake that answers from a list and records what was shown, so no
// test ever waits on a modal dialog.
class HostUi
{
public:
    enum class Icon { Information, Warning, Critical, Question };
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~HostUi() = default;

    // The host message dialog; its title is always "诺凡提示". `details` is shown
    // folded under the text (the failing statement of a database error, say).
    virtual void message(const QString &text, Icon icon = Icon::Information, const QString &details = {}) = 0;
    // Yes/No, or Yes/No/Cancel with `withCancel`.
    virtual Answer question(const QString &text, bool withCancel = false) = 0;

    // The hourglass while a long operation runs.
    virtual void setBusy(bool busy) = 0;

    // A list of rows in columns, shown modally (the host's display list, used for
    // error lists). Widths are in the host's units (twips; 1440 to the inch).
    virtual void showList(const QString &caption, const QStringList &titles, const QList<int> &widths,
                          const QList<QStringList> &rows) = 0;

    // One of `rows` chosen by the person (0-based), -1 when cancelled. Without a
    // person to ask nothing is chosen.
    virtual int chooseRow(const QString &caption, const QStringList &titles, const QList<QStringList> &rows)
    {
        Q_UNUSED(caption);
        Q_UNUSED(titles);
        Q_UNUSED(rows);
        return -1;
    }

    // File choices; an empty result means the person cancelled.
    virtual QString openFileName(const QString &caption, const QString &filter) = 0;
    virtual QString saveFileName(const QString &caption, const QString &filter, const QString &suggested) = 0;

    // Help topic of a window (F1).
    virtual void showHelp(const QString &topic) = 0;
};
