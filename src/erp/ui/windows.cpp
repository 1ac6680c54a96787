#include "windows.h"

#include "host/hostcomponents.h"

namespace erp {

void registerWindows(WindowRegistry &windows)
{
    // One line per window, added with the window.
    Q_UNUSED(windows);
}

} // namespace erp
