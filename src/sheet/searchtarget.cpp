#include "searchtarget.h"

#include "host/sharedstate.h"

#include <QHash>

QString SearchTarget::rowField() const
{
    if (shared().useFullNumber)
        return field;
    static const QHash<QString, QString> shortNames = {
        {QStringLiteral("fnumber"), QStringLiteral("FItemShortNumber")},
        {QStringLiteral("fspnumber"), QStringLiteral("FSPShortNumber")},
        {QStringLiteral("fstocknumber"), QStringLiteral("FStockShortNumber")}};
    return shortNames.value(field.toLower(), field);
}
