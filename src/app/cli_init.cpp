#include "clicommand.h"

#include "erp/demodata.h"
#include "erp/schema.h"
#include "host/appconnection.h"
#include "host/texts.h"

#include <QElapsedTimer>

// stockcheck-cli init: sets up a database for the demo, the tests and the
// benchmarks. A database that already holds data is left exactly as it is.

namespace {

int countRows(AppConnection &connection, const QString &table)
{
    return connection.Execute(QStringLiteral("SELECT COUNT(*) AS n FROM ") + table).integer(u"n");
}

const char *const kUsage = "init --db URL [--size N] [--seed N]  create the tables and fill demo data";

const QStringList kValueOptions{QStringLiteral("--db"), QStringLiteral("--size"), QStringLiteral("--seed")};

int runInit(CliContext &ctx)
{
    erp::DemoOptions options;
    int seed = int(options.seed);
    bool given = false;
    QString error;
    if (!cli::checkArguments(ctx, kValueOptions, {}, &error) ||
        !ctx.idOption(QStringLiteral("--size"), &options.size, &given, &error) ||
        !ctx.idOption(QStringLiteral("--seed"), &seed, &given, &error))
        return cli::badArguments(ctx, error, kUsage);
    options.seed = quint32(seed);

    AppConnection connection;
    if (!cli::openDatabase(ctx, connection, false))
        return cli::Refused;
    if (!erp::schemaExists(connection) && !erp::createSchema(connection, &error)) {
        ctx.err << error << "\n";
        return cli::Refused;
    }
    if (erp::hasData(connection)) {
        ctx.out << LoadText("数据库已经初始化，没有做任何修改。") << "\n";
        return cli::Done;
    }
    QElapsedTimer timer;
    timer.start();
    if (!erp::fillDemoData(connection, options, &error)) {
        ctx.err << error << "\n";
        return cli::Refused;
    }
    const int positions =
        countRows(connection, QStringLiteral("ICInventory")) + countRows(connection, QStringLiteral("POInventory"));
    ctx.out << FormatText("已创建数据库表并生成演示数据：%1 条库存记录，%2 个物料，%3 张单据，用时 %4 秒。",
                          {positions, countRows(connection, QStringLiteral("t_ICItem")),
                           countRows(connection, QStringLiteral("ICStockBill")),
                           QString::number(timer.elapsed() / 1000.0, 'f', 1)})
            << "\n"
            // the names are typed to log in: data that no translation may change
            << FormatText("可登录的用户：demo（无密码）、%1（密码 123456）、%2（密码 654321，只能查看原料仓库）、"
                          "administrator（密码 admin）。",
                          {QStringLiteral("张三"), QStringLiteral("李四")})
            << "\n";
    return cli::Done;
}

const CliCommand initCommand("init", kUsage, runInit);

} // namespace
