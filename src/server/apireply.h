#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

// What a call of the API answers: a status and a JSON body. A refusal carries the
// message a person reads and a short code that the page translates.
struct ApiReply
{
    int status = 200;
    QJsonObject body;
    QJsonArray list; // answered instead of `body` when `isList`
    bool isList = false;

    static ApiReply ok(const QJsonObject &body) { return {200, body, {}, false}; }
    static ApiReply ok(const QJsonArray &list) { return {200, {}, list, true}; }
    static ApiReply refused(int status, const QString &code, const QString &message)
    {
        return {status, QJsonObject{{QStringLiteral("error"), message}, {QStringLiteral("code"), code}}, {}, false};
    }
    bool isError() const { return status >= 400; }
    QByteArray json() const;
};
