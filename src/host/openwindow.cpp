#include "openwindow.h"

#include "hostui.h"
#include "sharedstate.h"
#include "texts.h"

bool OpenWindow(const QString &name, const QVariantMap &args, QVariantMap *result)
{
    const WindowRegistry &windows = shared().components.windows;
    if (!windows.has(name)) {
        if (shared().ui)
            shared().ui->message(LoadText("此功能尚未提供"), HostUi::Icon::Information);
        return false;
    }
    const QVariantMap answer = windows.open(name, args);
    if (result)
        *result = answer;
    return true;
}
