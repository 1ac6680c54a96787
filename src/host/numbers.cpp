#include "numbers.h"

#include <cmath>

namespace {

constexpr double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10};

// Rounding by arithmetic, when the value is far enough from a half that the
// decimal text cannot round the other way: the text holds 15 significant digits,
// so it differs from the binary value by far less than `margin`. n / 10^d is then
// the same double as the text "n/10^d" read back. Sheets of 100,000 rows round
// millions of quantities; only values at or next to a half take the slow road.
bool roundByArithmetic(double value, int decimals, double *result)
{
    const double scaled = std::fabs(value) * kPow10[decimals];
    if (scaled >= 1e12)
        return false;
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    const double margin = 1e-12 * std::max(scaled, 1.0) + 1e-14 * kPow10[decimals];
    if (std::fabs(fraction - 0.5) <= margin)
        return false;
    const double rounded = (fraction > 0.5 ? whole + 1 : whole) / kPow10[decimals];
    *result = value < 0 ? -rounded : rounded;
    return true;
}

} // namespace

double roundQuantity(double value, int decimals)
{
    if (!std::isfinite(value))
        return 0;
    decimals = qBound(0, decimals, 10);
    double fast = 0;
    if (roundByArithmetic(value, decimals, &fast))
        return fast;
    // Decimal digits of the value as the original's formatting saw them: fifteen
    // significant digits, so that binary noise below them does not count.
    const double magnitude = std::fabs(value);
    const int integerDigits = magnitude < 1 ? 1 : int(std::floor(std::log10(magnitude))) + 1;
    const int fractionDigits = qBound(decimals + 1, 15 - integerDigits, 20);
    const QString digits = QString::number(magnitude, 'f', fractionDigits);
    const qsizetype point = digits.indexOf(QLatin1Char('.'));
    QString kept = point < 0 ? digits : digits.left(point + 1 + decimals);
    const QChar next =
        point < 0 || point + 1 + decimals >= digits.size() ? QLatin1Char('0') : digits.at(point + 1 + decimals);
    double result = kept.toDouble();
    if (next >= QLatin1Char('5'))
        result += std::pow(10.0, -decimals);
    // re-read through text so that the result is the double nearest the decimal
    result = QString::number(result, 'f', decimals).toDouble();
    return value < 0 ? -result : result;
}

double leadingNumber(const QString &text)
{
    const QString s = text.trimmed();
    qsizetype i = 0;
    if (i < s.size() && (s.at(i) == QLatin1Char('-') || s.at(i) == QLatin1Char('+')))
        ++i;
    const qsizetype digitsStart = i;
    bool point = false;
    while (i < s.size() && (s.at(i).isDigit() || (!point && s.at(i) == QLatin1Char('.')))) {
        if (s.at(i) == QLatin1Char('.'))
            point = true;
        ++i;
    }
    if (i == digitsStart)
        return 0;
    bool ok = false;
    const double value = s.left(i).toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}

QString quantityText(double value, int decimals)
{
    const double rounded = roundQuantity(value, decimals);
    return QString::number(rounded == 0 ? 0.0 : rounded, 'f', qBound(0, decimals, 10));
}

QString withoutTrailingZeros(QString text)
{
    if (!text.contains(QLatin1Char('.')))
        return text;
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

QString plainNumber(double value)
{
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(qint64(value));
    return withoutTrailingZeros(QString::number(value, 'f', 10));
}
