#pragma once

#include "host/hostui.h"

#include <QString>

class QWidget;

namespace erp {

// The host's message dialog, questions, busy cursor, display list, file choices
// and help, as real dialogs over the active window.
class WidgetUi : public HostUi
{
public:
    void message(const QString &text, Icon icon = Icon::Information, const QString &details = {}) override;
    Answer question(const QString &text, bool withCancel = false) override;
    void setBusy(bool busy) override;
    void showList(const QString &caption, const QStringList &titles, const QList<int> &widths,
                  const QList<QStringList> &rows) override;
    int chooseRow(const QString &caption, const QStringList &titles, const QList<QStringList> &rows) override;
    QString openFileName(const QString &caption, const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &filter, const QString &suggested) override;
    void showHelp(const QString &topic) override;

    // The window a dialog belongs to: the active modal dialog, else the active window.
    static QWidget *dialogParent();

private:
    // A dialog must not appear under the hourglass: the normal cursor is pushed
    // while one is open and popped after.
    class NormalCursor;

    int m_busyDepth = 0;
    QString m_lastDir;
};

} // namespace erp
