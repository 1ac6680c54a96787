#pragma once

#include "apireply.h"

#include <QJsonObject>
#include <QString>

#include <optional>

// Reads the fields of a request body or query one by one, each checked for its
// type, length and range; the first field that fails becomes the reply, so a
// handler never sees a value it did not ask for in the shape it asked.
class RequestCheck
{
public:
    explicit RequestCheck(const QJsonObject &fields)
        : m_fields(fields)
    {}

    // A required or optional text of at most `maxLength` characters without
    // control characters; trimmed.
    QString text(const QString &name, int maxLength, bool required = true);
    // A whole number in [min, max]; texts of digits are taken too (query strings).
    int whole(const QString &name, int min, int max, bool required = true, int fallback = 0);
    // A finite number in [min, max].
    double number(const QString &name, double min, double max);
    // One of `allowed`.
    QString choice(const QString &name, const QStringList &allowed, const QString &fallback);
    // A client's id for an entry: letters, digits, '-' and '_', 8 to 64 of them.
    QString clientId(const QString &name);

    bool has(const QString &name) const { return m_fields.contains(name) && !m_fields.value(name).isNull(); }
    bool failed() const { return m_failure.has_value(); }
    const ApiReply &failure() const { return *m_failure; }
    void fail(const QString &field, const QString &message);

private:
    QJsonObject m_fields;
    std::optional<ApiReply> m_failure;
};
