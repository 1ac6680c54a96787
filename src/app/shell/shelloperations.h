#pragma once

#include <QList>
#include <QString>

class WindowRegistry;

// The entry operations the shell offers, in the order of a count's road, with
// the window each one opens. An operation is available when its window is
// registered; the shell disables the others instead of offering a dead button.
struct ShellOperation
{
    QString name;            // entry operation and objectName of its action ("BackupCheckData")
    QString window;          // window it opens ("frmBackupInv")
    const char *caption;     // menu text
    const char *description; // one line for the welcome page and the tool tip

    bool isAvailable(const WindowRegistry &windows) const;
};

const QList<ShellOperation> &shellOperations();
