#pragma once

#include "countapi.h"
#include "ratelimiter.h"
#include "sessionstore.h"

#include <QJsonObject>
#include <QString>

#include <functional>

#include <memory>
#include <thread>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

class AppConnection;
struct ApiReply;

// stockcheck-server's HTTP side: the JSON API under /api and the counting page
// from the program's resources. Requests run on a pool of worker threads, each
// with its own database connection; sessions live in the database, so several
// servers on one database serve the same devices.
class ApiServer
{
public:
    struct Options
    {
        QString dbUrl;
        QString host = QStringLiteral("127.0.0.1");
        int port = 8080; // 0: any free port
        int threads = 16;
        size_t maxBody = 16 * 1024;    // bytes of a request body
        double requestsPerSecond = 20; // per session, with bursts of `burst`
        double burst = 60;
        int failedLoginDelayMs = 1000;
        SessionStore::Options sessions;
    };

    explicit ApiServer(Options options);
    ~ApiServer();
    ApiServer(const ApiServer &) = delete;
    ApiServer &operator=(const ApiServer &) = delete;

    // Binds the address; false with a message when it cannot.
    bool bind(QString *error);
    int port() const { return m_port; }
    // Serves until stop(); in the calling thread, or in a thread of its own.
    void run();
    void start();
    void stop();

private:
    // A call of the API: the connection of this thread, the caller (null before
    // login) and the request's fields (the JSON body of a POST, else the query).
    using Handler = std::function<ApiReply(AppConnection &, const countapi::Caller *, const QJsonObject &)>;
    void setUpRoutes();
    void serve(const httplib::Request &req, httplib::Response &res, bool needsSession, const Handler &handler);
    ApiReply login(AppConnection &conn, const httplib::Request &req, const QJsonObject &body);
    AppConnection *connection(QString *error);
    void dropConnection();

    Options m_options;
    SessionStore m_sessions;
    RateLimiter m_perSession;
    // login attempts per address; behind a proxy every device has the proxy's
    // address, so this is a ceiling for all of them: generous for people, tight for a script
    RateLimiter m_loginsPerAddress;
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = 0;
};
