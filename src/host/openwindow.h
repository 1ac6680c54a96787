#pragma once

#include <QString>
#include <QVariantMap>

// Opens a window by name through the window registry. A window that the program
// does not offer yet is not silently skipped: the person is told "此功能尚未提供"
// and the result is false.
bool OpenWindow(const QString &name, const QVariantMap &args = {}, QVariantMap *result = nullptr);
