#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <cmath>
#include <initializer_list>

// What the demo writers share when they turn the in-memory demo world into rows.
namespace erp::demo {

inline QStringList cols(std::initializer_list<const char *> names)
{
    QStringList out;
    for (const char *n : names)
        out << QString::fromLatin1(n);
    return out;
}

// A null QString would be bound as NULL; the demo's text columns are NOT NULL.
inline QVariant txt(const QString &s)
{
    return s.isNull() ? QVariant(QStringLiteral("")) : QVariant(s);
}

// A figure rounded to `decimals` places, as the demo stores its quantities.
inline double rounded(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

} // namespace erp::demo
