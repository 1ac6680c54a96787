// stockcheck-server: the counting page for handhelds and its JSON API.

#include "apiserver.h"

#include "erp/schema.h"
#include "host/appconnection.h"
#include "host/recordset.h"
#include "host/texts.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include <csignal>

namespace {

ApiServer *g_server = nullptr;

void stopOnSignal(int)
{
    if (g_server)
        g_server->stop();
}

const char *const kUsage = "stockcheck-server --db URL [--listen ADDRESS:PORT] [--threads N]\n"
                           "  serves the counting page and its API (default address 127.0.0.1:8080)\n";

bool parseListen(const QString &text, QString *host, int *port)
{
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0)
        return false;
    bool ok = false;
    *port = text.mid(colon + 1).toInt(&ok);
    *host = text.left(colon);
    if (host->startsWith(QLatin1Char('[')) && host->endsWith(QLatin1Char(']')))
        *host = host->mid(1, host->size() - 2);
    return ok && *port >= 0 && *port < 65536 && !host->isEmpty(); // 0: any free port
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    ApiServer::Options options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const bool hasValue = i + 1 < args.size();
        bool ok = hasValue;
        if (a == QLatin1String("--db") && hasValue)
            options.dbUrl = args.at(++i);
        else if (a == QLatin1String("--listen") && hasValue)
            ok = parseListen(args.at(++i), &options.host, &options.port);
        else if (a == QLatin1String("--threads") && hasValue)
            options.threads = args.at(++i).toInt(&ok);
        else
            ok = false;
        if (!ok || options.threads < 1 || options.threads > 256) {
            err << LoadText("参数不正确：") << a << "\n" << kUsage;
            return 2;
        }
    }
    if (options.dbUrl.isEmpty()) {
        err << kUsage;
        return 2;
    }
    {
        AppConnection conn;
        QString error;
        if (!conn.open(options.dbUrl, &error)) {
            err << error << "\n";
            return 1;
        }
        // a database of the count module; the tables this program adds are made below
        if (!conn.Execute(QStringLiteral("SELECT FID FROM ICStockCheckProcess WHERE 1 = 0")).isOpen()) {
            err << LoadText("数据库中没有盘点表，请先建立数据库（stockcheck-cli init）。") << "\n";
            return 1;
        }
        // the session tables of a database made before this program
        if (!erp::createSchema(conn, &error)) {
            err << error << "\n";
            return 1;
        }
    }
    ApiServer server(options);
    QString error;
    if (!server.bind(&error)) {
        err << FormatText("不能在 %1 上监听。", {error}) << "\n";
        return 1;
    }
    g_server = &server;
    std::signal(SIGINT, stopOnSignal);
    std::signal(SIGTERM, stopOnSignal);
    err << FormatText("stockcheck-server 在 http://%1:%2/ 上服务。", {options.host, server.port()}) << "\n";
    err.flush();
    server.run();
    g_server = nullptr;
    return 0;
}
