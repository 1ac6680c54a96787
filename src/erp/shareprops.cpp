#include "shareprops.h"

#include "host/sharedstate.h"

namespace erp {

namespace {

// "key=value" of the property string, for a value not (yet) parsed into LoginProps.
QString scanProperty(const QString &props, const QString &key)
{
    const QStringList entries = props.split(QLatin1Char(';'));
    for (const QString &entry : entries) {
        const qsizetype eq = entry.indexOf(QLatin1Char('='));
        if (eq > 0 && entry.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return entry.mid(eq + 1).trimmed();
    }
    return {};
}

} // namespace

QVariant LoginShareProps::GetProperty(const QString &name)
{
    const SharedState &s = shared();
    if (name.compare(QLatin1String("PropsString"), Qt::CaseInsensitive) == 0)
        return s.propsString;
    if (name.compare(QLatin1String("UserName"), Qt::CaseInsensitive) == 0) {
        const QString parsed = s.loginProps.value(name);
        return parsed.isEmpty() ? scanProperty(s.propsString, name) : parsed;
    }
    return {};
}

} // namespace erp
