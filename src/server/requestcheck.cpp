#include "requestcheck.h"

#include <QJsonDocument>
#include <QRegularExpression>

#include <cmath>

QByteArray ApiReply::json() const
{
    return isList ? QJsonDocument(list).toJson(QJsonDocument::Compact)
                  : QJsonDocument(body).toJson(QJsonDocument::Compact);
}

void RequestCheck::fail(const QString &field, const QString &message)
{
    if (m_failure)
        return; // the first failure is the one reported
    ApiReply reply = ApiReply::refused(400, QStringLiteral("badRequest"), message);
    reply.body.insert(QStringLiteral("field"), field);
    m_failure = reply;
}

QString RequestCheck::text(const QString &name, int maxLength, bool required)
{
    const QJsonValue v = m_fields.value(name);
    if (v.isUndefined() || v.isNull()) {
        if (required)
            fail(name, QStringLiteral("缺少“%1”。").arg(name));
        return QStringLiteral(""); // empty, not null: a null text would be bound as NULL
    }
    if (!v.isString()) {
        fail(name, QStringLiteral("“%1”应为文字。").arg(name));
        return {};
    }
    const QString s = v.toString().trimmed();
    if (s.size() > maxLength) {
        fail(name, QStringLiteral("“%1”太长（最多 %2 个字符）。").arg(name).arg(maxLength));
        return {};
    }
    for (const QChar c : s)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format) {
            fail(name, QStringLiteral("“%1”含有不允许的字符。").arg(name));
            return {};
        }
    if (required && s.isEmpty())
        fail(name, QStringLiteral("缺少“%1”。").arg(name));
    return s;
}

int RequestCheck::whole(const QString &name, int min, int max, bool required, int fallback)
{
    const QJsonValue v = m_fields.value(name);
    if (v.isUndefined() || v.isNull() || (v.isString() && v.toString().isEmpty())) {
        if (required)
            fail(name, QStringLiteral("缺少“%1”。").arg(name));
        return fallback;
    }
    double d = 0;
    bool ok = false;
    if (v.isDouble()) {
        d = v.toDouble();
        ok = std::isfinite(d) && d == std::floor(d);
    } else if (v.isString()) {
        static const QRegularExpression digits(QStringLiteral("^-?[0-9]{1,10}$"));
        ok = digits.match(v.toString()).hasMatch();
        d = v.toString().toDouble();
    }
    if (!ok || d < min || d > max) {
        fail(name, QStringLiteral("“%1”应为 %2 到 %3 之间的整数。").arg(name).arg(min).arg(max));
        return fallback;
    }
    return int(d);
}

double RequestCheck::number(const QString &name, double min, double max)
{
    const QJsonValue v = m_fields.value(name);
    if (!v.isDouble()) {
        fail(name, QStringLiteral("“%1”应为数字。").arg(name));
        return 0;
    }
    const double d = v.toDouble();
    if (!std::isfinite(d) || d < min || d > max) {
        fail(name, QStringLiteral("“%1”应在 %2 到 %3 之间。").arg(name).arg(min, 0, 'g', 15).arg(max, 0, 'g', 15));
        return 0;
    }
    return d;
}

QString RequestCheck::choice(const QString &name, const QStringList &allowed, const QString &fallback)
{
    if (!has(name))
        return fallback;
    const QJsonValue v = m_fields.value(name);
    if (!v.isString() || !allowed.contains(v.toString())) {
        fail(name, QStringLiteral("“%1”应为 %2 之一。").arg(name, allowed.join(QStringLiteral("、"))));
        return fallback;
    }
    return v.toString();
}

QString RequestCheck::clientId(const QString &name)
{
    const QString id = text(name, 64);
    static const QRegularExpression shape(QStringLiteral("^[A-Za-z0-9_-]{8,64}$"));
    if (!failed() && !shape.match(id).hasMatch())
        fail(name, QStringLiteral("“%1”应为 8 到 64 个字母、数字、“-”或“_”。").arg(name));
    return id;
}
