#include "apiserver.h"

#include "apireply.h"
#include "requestcheck.h"

#include "host/appconnection.h"
#include "host/dberror.h"

#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QUrlQuery>

#include <httplib.h>

#include <chrono>

namespace {

// Every answer: no caching of API answers, no sniffing, no framing, no referrer,
// and a page that loads only its own scripts and talks only to its own server.
const httplib::Headers kSecurityHeaders = {
    {"X-Content-Type-Options", "nosniff"},
    {"X-Frame-Options", "DENY"},
    {"Referrer-Policy", "no-referrer"},
    {"Content-Security-Policy", "default-src 'self'; script-src 'self'; style-src 'self'; img-src 'self' data:; "
                                "media-src 'self' blob: mediastream:; connect-src 'self'; frame-ancestors 'none'; "
                                "form-action 'none'; base-uri 'none'"},
    {"Permissions-Policy", "camera=(self), microphone=(), geolocation=()"},
};

struct PageFile
{
    const char *path;
    const char *resource;
    const char *type;
};
const PageFile kPage[] = {
    {"/", ":/page/index.html", "text/html; charset=utf-8"},
    {"/index.html", ":/page/index.html", "text/html; charset=utf-8"},
    {"/app.js", ":/page/app.js", "text/javascript; charset=utf-8"},
    {"/texts.js", ":/page/texts.js", "text/javascript; charset=utf-8"},
    {"/app.css", ":/page/app.css", "text/css; charset=utf-8"},
    {"/manifest.json", ":/page/manifest.json", "application/manifest+json"},
};

void reply(httplib::Response &res, const ApiReply &r)
{
    res.status = r.status;
    res.set_header("Cache-Control", "no-store");
    res.set_content(r.json().toStdString(), "application/json; charset=utf-8");
}

QString toQString(const std::string &s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// The query as fields: the first value of each name.
QJsonObject queryFields(const httplib::Request &req)
{
    QJsonObject out;
    for (const auto &[name, value] : req.params) {
        const QString key = toQString(name);
        if (!out.contains(key))
            out.insert(key, toQString(value));
    }
    return out;
}

qint64 nowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

QString bearerToken(const httplib::Request &req)
{
    const std::string header = req.get_header_value("Authorization");
    static const std::string prefix = "Bearer ";
    if (header.size() <= prefix.size() || header.compare(0, prefix.size(), prefix) != 0)
        return {};
    return toQString(header.substr(prefix.size())).trimmed();
}

struct ThreadConnection
{
    QString url;
    std::unique_ptr<AppConnection> conn;
};
thread_local ThreadConnection t_connection;

} // namespace

ApiServer::ApiServer(Options options)
    : m_options(std::move(options))
    , m_sessions(m_options.sessions)
    , m_perSession(m_options.requestsPerSecond, m_options.burst)
    , m_loginsPerAddress(10.0, 50.0)
    , m_server(std::make_unique<httplib::Server>())
{
    const int threads = std::max(1, m_options.threads);
    m_server->new_task_queue = [threads] { return new httplib::ThreadPool(size_t(threads)); };
    m_server->set_payload_max_length(m_options.maxBody);
    m_server->set_default_headers(kSecurityHeaders);
    m_server->set_read_timeout(10);
    m_server->set_write_timeout(10);
    m_server->set_keep_alive_timeout(5);
    setUpRoutes();
}

ApiServer::~ApiServer()
{
    stop();
}

bool ApiServer::bind(QString *error)
{
    const std::string host = m_options.host.toStdString();
    if (m_options.port == 0) {
        m_port = m_server->bind_to_any_port(host);
    } else {
        m_port = m_server->bind_to_port(host, m_options.port) ? m_options.port : -1;
    }
    if (m_port <= 0) {
        *error = QStringLiteral("%1:%2").arg(m_options.host).arg(m_options.port);
        return false;
    }
    return true;
}

void ApiServer::run()
{
    m_server->listen_after_bind();
}

void ApiServer::start()
{
    m_thread = std::thread([this] { run(); });
    for (int i = 0; i < 5000 && !m_server->is_running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void ApiServer::stop()
{
    if (m_server->is_running())
        m_server->stop();
    if (m_thread.joinable())
        m_thread.join();
}

AppConnection *ApiServer::connection(QString *error)
{
    ThreadConnection &t = t_connection;
    if (t.conn && t.url == m_options.dbUrl && t.conn->isOpen())
        return t.conn.get();
    t.conn = std::make_unique<AppConnection>();
    t.url = m_options.dbUrl;
    if (!t.conn->open(m_options.dbUrl, error)) {
        t.conn.reset();
        return nullptr;
    }
    return t.conn.get();
}

void ApiServer::dropConnection()
{
    t_connection.conn.reset();
}

void ApiServer::serve(const httplib::Request &req, httplib::Response &res, bool needsSession, const Handler &handler)
{
    QString error;
    AppConnection *conn = connection(&error);
    if (!conn) {
        qWarning("stockcheck-server: database: %s", qPrintable(error));
        reply(res,
              ApiReply::refused(503, QStringLiteral("unavailable"), QStringLiteral("数据库暂时不可用，请稍后再试。")));
        return;
    }
    try {
        std::optional<countapi::Caller> caller;
        if (needsSession) {
            const QString token = bearerToken(req);
            // limited before the database is asked: a flood of requests, with a
            // token or a made-up one, costs no query beyond its allowance
            if (!token.isEmpty() && !m_perSession.allow(SessionStore::hashOf(token), nowMs())) {
                reply(res, ApiReply::refused(429, QStringLiteral("rateLimited"),
                                             QStringLiteral("请求太频繁，请稍后再试。")));
                return;
            }
            std::optional<SessionStore::Session> session;
            if (!token.isEmpty())
                session = m_sessions.find(*conn, token);
            if (!session) {
                reply(res, ApiReply::refused(401, QStringLiteral("unauthorized"), QStringLiteral("请重新登录。")));
                return;
            }
            caller = countapi::Caller{*session};
        }
        QJsonObject fields = queryFields(req);
        if (req.method == "POST") {
            if (req.get_header_value("Content-Type").rfind("application/json", 0) != 0) {
                reply(res, ApiReply::refused(415, QStringLiteral("badRequest"), QStringLiteral("请求内容应为 JSON。")));
                return;
            }
            QJsonParseError parseError;
            const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(req.body), &parseError);
            if (parseError.error != QJsonParseError::NoError || !doc.isObject()) {
                reply(res,
                      ApiReply::refused(400, QStringLiteral("badRequest"), QStringLiteral("请求内容不是 JSON 对象。")));
                return;
            }
            fields = doc.object();
        }
        reply(res, handler(*conn, caller ? &*caller : nullptr, fields));
    } catch (const DbException &e) {
        // the device learns that it failed, the log learns why
        qWarning("stockcheck-server: %s", qPrintable(e.error().detailed()));
        dropConnection();
        reply(res, ApiReply::refused(500, QStringLiteral("serverError"),
                                     QStringLiteral("数据库暂时不能处理，请稍后再试。")));
    }
}

ApiReply ApiServer::login(AppConnection &conn, const httplib::Request &req, const QJsonObject &body)
{
    if (!m_loginsPerAddress.allow(toQString(req.remote_addr), nowMs()))
        return ApiReply::refused(429, QStringLiteral("rateLimited"), QStringLiteral("请求太频繁，请稍后再试。"));
    RequestCheck check(body);
    const QString user = check.text(QStringLiteral("user"), 80);
    // a password is taken as it is typed: blanks are part of it
    const QJsonValue password = body.value(QStringLiteral("password"));
    if (!check.failed() && (!password.isString() || password.toString().size() > 200))
        check.fail(QStringLiteral("password"), QStringLiteral("“password”应为不超过 200 个字符的文字。"));
    const QString device = check.text(QStringLiteral("device"), 120, false);
    if (check.failed())
        return check.failure();
    bool failed = false;
    const ApiReply r = m_sessions.login(conn, user, password.toString(), device, &failed);
    if (failed)
        std::this_thread::sleep_for(std::chrono::milliseconds(m_options.failedLoginDelayMs));
    return r;
}

void ApiServer::setUpRoutes()
{
    httplib::Server &s = *m_server;
    for (const PageFile &f : kPage) {
        s.Get(f.path, [f](const httplib::Request &, httplib::Response &res) {
            QFile file(QString::fromLatin1(f.resource));
            if (!file.open(QIODevice::ReadOnly)) {
                res.status = 404;
                return;
            }
            res.set_header("Cache-Control", "no-cache");
            res.set_content(file.readAll().toStdString(), f.type);
        });
    }
    s.Get("/api/health", [this](const httplib::Request &req, httplib::Response &res) {
        serve(req, res, false, [](AppConnection &conn, const countapi::Caller *, const QJsonObject &) {
            conn.ExecuteRaiseErr(QStringLiteral("SELECT 1 AS FOne"));
            return ApiReply::ok(QJsonObject{{QStringLiteral("status"), QStringLiteral("ok")}});
        });
    });
    s.Post("/api/login", [this](const httplib::Request &req, httplib::Response &res) {
        serve(req, res, false, [this, &req](AppConnection &conn, const countapi::Caller *, const QJsonObject &body) {
            return login(conn, req, body);
        });
    });
    s.Post("/api/logout", [this](const httplib::Request &req, httplib::Response &res) {
        serve(req, res, true, [this, &req](AppConnection &conn, const countapi::Caller *, const QJsonObject &) {
            m_sessions.logout(conn, bearerToken(req));
            return ApiReply::ok(QJsonObject{});
        });
    });
    using Call = ApiReply (*)(AppConnection &, const countapi::Caller &, const QJsonObject &);
    auto route = [this, &s](bool post, const char *path, Call call) {
        auto handler = [this, call](const httplib::Request &req, httplib::Response &res) {
            serve(req, res, true, [call](AppConnection &conn, const countapi::Caller *caller, const QJsonObject &f) {
                return call(conn, *caller, f);
            });
        };
        if (post)
            s.Post(path, handler);
        else
            s.Get(path, handler);
    };
    route(false, "/api/processes", [](AppConnection &c, const countapi::Caller &who, const QJsonObject &) {
        return countapi::processes(c, who);
    });
    route(false, "/api/stocks", countapi::stocks);
    route(false, "/api/items", countapi::items);
    route(false, "/api/entries", countapi::entries);
    route(true, "/api/entries", countapi::postEntry);
    route(true, "/api/entries/undo", countapi::undo);

    // a refusal made by the library itself (an oversized body, an unknown path)
    // answers in the same shape as the API's own
    s.set_error_handler([](const httplib::Request &, httplib::Response &res) {
        if (!res.body.empty())
            return;
        const bool tooLarge = res.status == 413;
        const ApiReply r =
            ApiReply::refused(res.status, tooLarge ? QStringLiteral("tooLarge") : QStringLiteral("notFound"),
                              tooLarge ? QStringLiteral("请求内容太大。") : QStringLiteral("没有这个地址。"));
        res.set_header("Cache-Control", "no-store");
        res.set_content(r.json().toStdString(), "application/json; charset=utf-8");
    });
    s.set_exception_handler([](const httplib::Request &, httplib::Response &res, std::exception_ptr) {
        reply(res, ApiReply::refused(500, QStringLiteral("serverError"), QStringLiteral("服务器内部错误。")));
    });
}
