#pragma once

#include "server/apiserver.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <httplib.h>

#include <memory>

// A device talking to a stockcheck-server started in the test on a free port.
struct Answer
{
    int status = 0; // 0: no answer
    QJsonObject body;
    QJsonArray list;
    httplib::Headers headers;
    QString code() const { return body.value(QStringLiteral("code")).toString(); }
    QString text() const
    {
        return QString::number(status) + QLatin1Char(' ') + QJsonDocument(body).toJson(QJsonDocument::Compact);
    }
};

class Device
{
public:
    explicit Device(int port)
        : m_client("127.0.0.1", port)
    {
        m_client.set_read_timeout(30);
    }
    QString token;

    Answer get(const QString &path) { return answer(m_client.Get(path.toStdString(), headers())); }
    Answer post(const QString &path, const QJsonObject &body)
    {
        return postRaw(path, QJsonDocument(body).toJson(QJsonDocument::Compact).toStdString());
    }
    Answer postRaw(const QString &path, const std::string &body, const char *type = "application/json")
    {
        return answer(m_client.Post(path.toStdString(), headers(), body, type));
    }
    bool login(const QString &user, const QString &password)
    {
        const Answer a =
            post(QStringLiteral("/api/login"), {{"user", user}, {"password", password}, {"device", "scanner-7"}});
        token = a.body.value(QStringLiteral("token")).toString();
        return a.status == 200 && !token.isEmpty();
    }

private:
    httplib::Headers headers() const
    {
        httplib::Headers h;
        if (!token.isEmpty())
            h.emplace("Authorization", "Bearer " + token.toStdString());
        return h;
    }
    static Answer answer(const httplib::Result &r)
    {
        Answer a;
        if (!r)
            return a;
        a.status = r->status;
        a.headers = r->headers;
        const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(r->body));
        a.body = doc.object();
        a.list = doc.array();
        return a;
    }
    httplib::Client m_client;
};

// A server on the test's database, serving from its own threads until it goes.
inline std::unique_ptr<ApiServer> startServer(const QString &url, ApiServer::Options options = {})
{
    options.dbUrl = url;
    options.port = 0;
    options.threads = 4;
    options.failedLoginDelayMs = 0;
    auto server = std::make_unique<ApiServer>(options);
    QString error;
    if (!server->bind(&error))
        return nullptr;
    server->start();
    return server;
}
