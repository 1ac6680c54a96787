#include "servertest.h"

#include "model/sheetfixture.h"
#include "testdb.h"
#include "testmain.h"

#include "erp/gldata.h"
#include "erp/users.h"
#include "model/countentryservice.h"
#include "model/countjournal.h"
#include "model/handheldactivity.h"

#include <QTest>

#include <thread>

using namespace sheetfixture;

namespace {

enum Users { Counter = 16394, NoRight = 16395, Limited = 16396 };
enum Items { Screw = 1, Nut = 2, Bolt = 3 };
enum Processes { Open = 1, Closed = 2, OnlyStockA = 3 };

// Process 1 (open): the screw in stock A and on place P1 of stock B, the bolt in
// two batches of stock A; the nut has a barcode but no row. Process 2 is closed,
// process 3 has rows in stock A only.
bool addCount(AppConnection &c)
{
    using R = GLData::Right;
    QString error;
    const bool ok = addWorld(c) && addItem(c, {Screw, "A100", "螺丝", 2, Piece, Piece, 0, 0, 0, "690001"}) &&
                    addItem(c, {Nut, "A200", "螺母", 0, Piece, Piece, 0, 0, 0, "690002"}) &&
                    addItem(c, {Bolt, "A300", "螺栓", 0, Piece, Piece, 0, 0, 0, "690003"}) &&
                    addProcess(c, Open, QStringLiteral("P1"), QDateTime(QDate(2026, 3, 1), QTime(9, 0))) &&
                    addProcess(c, Closed, QStringLiteral("P2"), QDateTime(QDate(2026, 2, 1), QTime(9, 0)), 1) &&
                    addRow(c, {.item = Screw,
                               .qty = 10,
                               .auxQty = 10,
                               .qtyAct = 0,
                               .auxQtyAct = 0,
                               .checkQty = 0,
                               .auxCheckQty = 0,
                               .minus = -10}) &&
                    addRow(c, {.item = Screw, .stock = StockB, .place = Place, .qty = 4, .auxQty = 4}) &&
                    addRow(c, {.item = Bolt, .batch = QStringLiteral("B1"), .qty = 3, .auxQty = 3}) &&
                    addRow(c, {.item = Bolt, .batch = QStringLiteral("B2"), .qty = 5, .auxQty = 5}) &&
                    addRow(c, {.process = Closed, .item = Screw, .qty = 1, .auxQty = 1}) &&
                    addProcess(c, OnlyStockA, QStringLiteral("P3"), QDateTime(QDate(2026, 3, 2), QTime(9, 0))) &&
                    addRow(c, {.process = OnlyStockA, .item = Screw, .qty = 1, .auxQty = 1}) &&
                    exec(c, "INSERT INTO t_user (FUserID, FName) VALUES (?, ?), (?, ?)",
                         {int(NoRight), QStringLiteral("李四"), int(Limited), QStringLiteral("王五")}) &&
                    exec(c, "INSERT INTO t_UserDataAccess (FUserID, FTableName, FItemID) VALUES (?, 't_Stock', ?)",
                         {int(Limited), int(StockB)}) &&
                    erp::setPassword(c, Counter, QStringLiteral("pw"), &error) &&
                    erp::setPassword(c, NoRight, QStringLiteral("pw"), &error) &&
                    erp::setPassword(c, Limited, QStringLiteral("pw"), &error);
    if (!ok)
        return false;
    erp::grantRights(c, Counter, {R::EnterCount});
    erp::grantRights(c, NoRight, {R::ViewCountReport});
    erp::grantRights(c, Limited, {R::EnterCount});
    return true;
}

QJsonObject entry(const QString &barcode, double qty, const QString &mode, const QString &clientId, int stock = StockA)
{
    return {{"process", int(Open)}, {"barcode", barcode}, {"stock", stock},
            {"qty", qty},           {"mode", mode},       {"clientEntryId", clientId}};
}

CountRowKey screwKey()
{
    CountRowKey k;
    k.processId = Open;
    k.itemId = Screw;
    k.unitId = Piece;
    k.stockId = StockA;
    return k;
}

struct Refusal
{
    const char *who; // "counter", "limited", "none", "forged", "recounted" (the counter on a recounted row)
    const char *method;
    QString path;
    std::string body;
    int status;
    const char *code;
};

} // namespace

// stockcheck-server as handhelds use it: logins and sessions in the database,
// entries through the entry service and its journal, refusals that change nothing,
// and two server instances on one database serving the same devices.
class TestServer : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> db;
    std::unique_ptr<ApiServer> server;
    AppConnection &conn() { return db->conn(); }

    int journalEntries()
    {
        return conn().Execute(QStringLiteral("SELECT COUNT(*) AS n FROM ICStockCheckJournal")).integer(u"n");
    }
    double counted(const CountRowKey &key)
    {
        const SqlFragment sql =
            SqlFragment(QStringLiteral("SELECT FAuxCheckQty FROM ICInvBackup WHERE")) + key.whereClause();
        return conn().Execute(sql.sql, sql.binds).number(u"FAuxCheckQty");
    }
    // Every row of the open process equals the replay of its journal.
    void verifyReplay()
    {
        Recordset rs = conn().Execute(
            QStringLiteral("SELECT FItemID, FStockID, FStockPlaceID, FBatchNo, FUnitID, FAuxCheckQty, FCheckQty, "
                           "FSecCheckQty FROM ICInvBackup WHERE FInterID = ?"),
            {int(Open)});
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
            CountRowKey k = screwKey();
            k.itemId = rs.integer(u"FItemID");
            k.stockId = rs.integer(u"FStockID");
            k.stockPlaceId = rs.integer(u"FStockPlaceID");
            k.batchNo = rs.text(u"FBatchNo");
            const std::optional<CountFigures> replay = CountJournal::replayRow(conn(), k);
            if (!replay)
                continue;
            const CountFigures row{rs.number(u"FAuxCheckQty"), rs.number(u"FCheckQty"), rs.number(u"FSecCheckQty")};
            QVERIFY2(replay->sameAs(row), qPrintable(QStringLiteral("item %1 stock %2: row %3, journal %4")
                                                         .arg(k.itemId)
                                                         .arg(k.stockId)
                                                         .arg(row.unitQty)
                                                         .arg(replay->unitQty)));
        }
    }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void init()
    {
        db = std::make_unique<TestDb>();
        OPEN_TEST_DB(*db);
        QVERIFY_SQL(conn(), addCount(conn()));
        server = startServer(db->url());
        QVERIFY(server);
    }
    void cleanup()
    {
        server.reset();
        db.reset();
    }

    void login_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QJsonValue>("password");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("code");
        QTest::newRow("counter") << "张三" << QJsonValue("pw") << 200 << "";
        QTest::newRow("wrong password") << "张三" << QJsonValue("pW") << 401 << "badLogin";
        QTest::newRow("unknown user, same answer") << "赵六" << QJsonValue("pw") << 401 << "badLogin";
        QTest::newRow("without the right to count") << "李四" << QJsonValue("pw") << 403 << "noRight";
        QTest::newRow("password not a text") << "张三" << QJsonValue(123) << 400 << "badRequest";
        QTest::newRow("no user") << "" << QJsonValue("pw") << 400 << "badRequest";
    }
    void login()
    {
        QFETCH(QString, user);
        QFETCH(QJsonValue, password);
        QFETCH(int, status);
        QFETCH(QString, code);
        Device d(server->port());
        const Answer a = d.post(QStringLiteral("/api/login"), {{"user", user}, {"password", password}});
        QCOMPARE(a.status, status);
        QCOMPARE(a.code(), code);
        // the device gets a token, the database only its hash
        const int sessions =
            conn().Execute(QStringLiteral("SELECT COUNT(*) AS n FROM ICStockCheckSession")).integer(u"n");
        QCOMPARE(sessions, status == 200 ? 1 : 0);
        if (status == 200) {
            const QString token = a.body.value(QStringLiteral("token")).toString();
            QVERIFY(conn()
                        .Execute(QStringLiteral("SELECT 1 AS x FROM ICStockCheckSession WHERE FToken = ?"), {token})
                        .isEmpty());
        }
    }

    // Guessing stops after five misses, even with the right password then.
    void failedLoginsAreThrottled()
    {
        Device d(server->port());
        for (int i = 0; i < 5; ++i)
            QCOMPARE(d.post(QStringLiteral("/api/login"), {{"user", "张三"}, {"password", "x"}}).status, 401);
        const Answer a = d.post(QStringLiteral("/api/login"), {{"user", "张三"}, {"password", "pw"}});
        QCOMPARE(a.status, 429);
        QCOMPARE(a.code(), QStringLiteral("loginThrottled"));
    }

    void refusalsChangeNothing_data()
    {
        QTest::addColumn<Refusal>("r");
        const QString entries = QStringLiteral("/api/entries");
        auto body = [](const QJsonObject &o) { return QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString(); };
        const std::string good = body(entry("690001", 5, "set", "entry-0001"));
        QJsonObject negative = entry("690001", -1, "set", "entry-0002");
        QJsonObject textQty = entry("690001", 0, "set", "entry-0003");
        textQty.insert("qty", "5");
        QJsonObject oversized = entry("690001", 1, "set", "entry-0004");
        oversized.insert("pad", QString(20000, QLatin1Char('x')));
        QJsonObject longCode = entry(QString(81, QLatin1Char('9')), 1, "set", "entry-0005");
        QJsonObject closed = entry("690001", 1, "set", "entry-0006");
        closed.insert("process", int(Closed));
        QTest::newRow("no token") << Refusal{"none", "POST", entries, good, 401, "unauthorized"};
        QTest::newRow("forged token") << Refusal{"forged", "POST", entries, good, 401, "unauthorized"};
        QTest::newRow("oversized body") << Refusal{"counter", "POST", entries, body(oversized), 413, "tooLarge"};
        QTest::newRow("negative quantity") << Refusal{"counter", "POST", entries, body(negative), 400, "badRequest"};
        QTest::newRow("quantity as text") << Refusal{"counter", "POST", entries, body(textQty), 400, "badRequest"};
        QTest::newRow("quantity beyond the columns")
            << Refusal{"counter", "POST", entries, body(entry("690001", 1e20, "set", "entry-0007")), 400, "badRequest"};
        QTest::newRow("add of nothing") << Refusal{
            "counter", "POST", entries, body(entry("690001", 0, "add", "entry-0008")), 400, "badRequest"};
        QTest::newRow("SQL in the code") << Refusal{
            "counter", "POST", entries, body(entry("x' OR '1'='1", 1, "set", "entry-0009")), 404, "unknownCode"};
        QTest::newRow("code too long") << Refusal{"counter", "POST", entries, body(longCode), 400, "badRequest"};
        QTest::newRow("client id with quotes") << Refusal{
            "counter", "POST", entries, body(entry("690001", 1, "set", "a'; DROP TABLE x--")), 400, "badRequest"};
        QTest::newRow("item not in the count")
            << Refusal{"counter", "POST", entries, body(entry("690002", 1, "set", "entry-0010")), 404, "notInCount"};
        QTest::newRow("closed process") << Refusal{"counter", "POST", entries, body(closed), 403, "processClosed"};
        QTest::newRow("stock the user may not count") << Refusal{"limited", "POST", entries, good, 404, "notInCount"};
        QTest::newRow("process of stocks the user may not count")
            << Refusal{"limited", "GET", QStringLiteral("/api/items?process=3&barcode=690001"), {}, 403, "forbidden"};
        QTest::newRow("recounted row") << Refusal{"recounted", "POST", entries, good, 422, "refused"};
        QTest::newRow("not JSON") << Refusal{"counter", "POST", entries, "qty=5", 400, "badRequest"};
        QTest::newRow("SQL in a query number") << Refusal{
            "counter", "GET", QStringLiteral("/api/items?process=1%20OR%202&barcode=690001"), {}, 400, "badRequest"};
    }
    void refusalsChangeNothing()
    {
        QFETCH(Refusal, r);
        Device d(server->port());
        if (qstrcmp(r.who, "recounted") == 0) {
            const SqlFragment where = screwKey().whereClause();
            QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("UPDATE ICInvBackup SET FReCheckFlag = 1 WHERE") + where.sql,
                                            where.binds));
        }
        if (qstrcmp(r.who, "counter") == 0 || qstrcmp(r.who, "recounted") == 0)
            QVERIFY(d.login(QStringLiteral("张三"), QStringLiteral("pw")));
        else if (qstrcmp(r.who, "limited") == 0)
            QVERIFY(d.login(QStringLiteral("王五"), QStringLiteral("pw")));
        else if (qstrcmp(r.who, "forged") == 0)
            d.token = QString(43, QLatin1Char('A'));
        const Answer a = qstrcmp(r.method, "GET") == 0 ? d.get(r.path)
                         : r.body == "qty=5"           ? d.postRaw(r.path, r.body, "application/json")
                                                       : d.postRaw(r.path, r.body);
        QVERIFY2(a.status == r.status, qPrintable(a.text()));
        QCOMPARE(a.code(), QString::fromLatin1(r.code));
        QVERIFY(!a.body.value(QStringLiteral("error")).toString().isEmpty());
        QCOMPARE(journalEntries(), 0);
        QCOMPARE(counted(screwKey()), 0.0);
    }

    // Set, add, a resent add, undo: the row follows, the journal explains it.
    void entriesSetAddRetryAndUndo()
    {
        Device d(server->port());
        QVERIFY(d.login(QStringLiteral("张三"), QStringLiteral("pw")));
        const QString path = QStringLiteral("/api/entries");
        Answer a = d.post(path, entry("690001", 7, "set", "entry-set-1"));
        QVERIFY2(a.status == 200, qPrintable(a.text()));
        QCOMPARE(a.body.value("counted").toDouble(), 7.0);
        a = d.post(path, entry("690001", 2.5, "add", "entry-add-1"));
        QCOMPARE(a.body.value("counted").toDouble(), 9.5);
        a = d.post(path, entry("690001", 2.5, "add", "entry-add-1")); // the answer was lost; the device sends again
        QVERIFY2(a.status == 200 && a.body.value("repeated").toBool(), qPrintable(a.text()));
        QCOMPARE(counted(screwKey()), 9.5);
        a = d.post(path, entry("690001", 1, "add", "entry-add-2"));
        a = d.post(QStringLiteral("/api/entries/undo"), {{"process", int(Open)}});
        QVERIFY2(a.status == 200, qPrintable(a.text()));
        QCOMPARE(counted(screwKey()), 9.5);
        QCOMPARE(journalEntries(), 4);
        QCOMPARE(conn().Execute(QStringLiteral("SELECT MIN(FSource) AS s FROM ICStockCheckJournal")).text(u"s"),
                 QStringLiteral("device:scanner-7"));
        // the count sheet tells that the process is counted from a handheld, and which not
        QCOMPARE(handheldCounters(conn(), Open), 1);
        QCOMPARE(handheldCounters(conn(), OnlyStockA), 0);
        verifyReplay();
        // the device's list: newest first, the undone add marked, the total of what was counted
        a = d.get(QStringLiteral("/api/entries?process=1"));
        const QJsonArray list = a.body.value("entries").toArray();
        QCOMPARE(list.size(), 4);
        QCOMPARE(list.at(0).toObject().value("kind").toString(), QStringLiteral("undo"));
        QVERIFY(list.at(1).toObject().value("undone").toBool());
        QCOMPARE(a.body.value("total").toDouble(), 9.5);
    }

    // An item in two batches: the lookup shows both, an entry must name one.
    void rowsOfAnItemAreChosen()
    {
        Device d(server->port());
        QVERIFY(d.login(QStringLiteral("张三"), QStringLiteral("pw")));
        Answer a = d.get(QStringLiteral("/api/items?process=1&barcode=690003&stock=101"));
        QCOMPARE(a.body.value("rows").toArray().size(), 2);
        a = d.get(QStringLiteral("/api/items?process=1&barcode=690001"));
        QCOMPARE(a.body.value("rows").toArray().size(), 2); // stock A, and place P1 of stock B
        QCOMPARE(a.body.value("rows").toArray().at(1).toObject().value("place").toObject().value("number").toString(),
                 QStringLiteral("P1"));
        QJsonObject e = entry("690003", 2, "set", "entry-bolt-1");
        QCOMPARE(d.post(QStringLiteral("/api/entries"), e).code(), QStringLiteral("notInCount")); // no batch ''
        e.insert("batch", "B2");
        a = d.post(QStringLiteral("/api/entries"), e);
        QVERIFY2(a.status == 200, qPrintable(a.text()));
        // the limited user sees only the stock it may count
        Device limited(server->port());
        QVERIFY(limited.login(QStringLiteral("王五"), QStringLiteral("pw")));
        a = limited.get(QStringLiteral("/api/stocks?process=1"));
        QCOMPARE(a.list.size(), 1);
        QCOMPARE(a.list.at(0).toObject().value("id").toInt(), int(StockB));
        // the closed process is offered to nobody, the one of stock A not to the limited user
        QCOMPARE(d.get(QStringLiteral("/api/processes")).list.size(), 2);
        QCOMPARE(limited.get(QStringLiteral("/api/processes")).list.size(), 1);
    }

    // Two instances share nothing but the database: a token from one works on the
    // other, two handhelds and the desktop count one row at once, and every entry
    // is in the journal once.
    void twoServersTwoHandheldsAndTheDesk()
    {
        std::unique_ptr<ApiServer> second = startServer(db->url());
        QVERIFY(second);
        Device a(server->port()), b(second->port());
        QVERIFY(a.login(QStringLiteral("张三"), QStringLiteral("pw")));
        b.token = a.token;
        QCOMPARE(b.get(QStringLiteral("/api/processes")).status, 200);
        Device c(second->port());
        QVERIFY(c.login(QStringLiteral("张三"), QStringLiteral("pw")));

        constexpr int perDevice = 40;
        std::atomic<int> failures{0};
        auto handheld = [&](Device &d, const QString &prefix) {
            for (int i = 0; i < perDevice; ++i) {
                const QJsonObject e =
                    entry("690001", 1, "add", QStringLiteral("%1-%2").arg(prefix).arg(i, 4, 10, QLatin1Char('0')));
                if (d.post(QStringLiteral("/api/entries"), e).status != 200)
                    ++failures;
                // a retry of every fifth entry, as after a lost answer
                if (i % 5 == 0 && d.post(QStringLiteral("/api/entries"), e).status != 200)
                    ++failures;
            }
        };
        std::thread first([&] { handheld(a, QStringLiteral("hand-a")); });
        std::thread other([&] { handheld(c, QStringLiteral("hand-c")); });
        AppConnection desk;
        QString error;
        QVERIFY2(desk.open(db->url(), &error), qPrintable(error));
        CountRowKey otherRow = screwKey();
        otherRow.stockId = StockB;
        otherRow.stockPlaceId = Place;
        for (int i = 0; i < perDevice; ++i) {
            QVERIFY(CountEntryService::add(desk, screwKey(), 1, CountSource::sheet, Counter).ok());
            QVERIFY(CountEntryService::set(desk, otherRow, i, CountSource::sheet, Counter).ok());
        }
        first.join();
        other.join();
        QCOMPARE(failures.load(), 0);
        QCOMPARE(counted(screwKey()), 3.0 * perDevice);
        QCOMPARE(counted(otherRow), perDevice - 1.0);
        QCOMPARE(journalEntries(), 4 * perDevice + 1); // and the start entry of the row's first add
        verifyReplay();
    }

    void sessionsEnd()
    {
        Device d(server->port());
        QVERIFY(d.login(QStringLiteral("张三"), QStringLiteral("pw")));
        QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("UPDATE ICStockCheckSession SET FExpires = 1")));
        QCOMPARE(d.get(QStringLiteral("/api/processes")).status, 401);
        QVERIFY(d.login(QStringLiteral("张三"), QStringLiteral("pw")));
        QCOMPARE(d.post(QStringLiteral("/api/logout"), {}).status, 200);
        QCOMPARE(d.get(QStringLiteral("/api/processes")).status, 401);
    }

    void requestsPerSessionAreLimited()
    {
        std::unique_ptr<ApiServer> strict = startServer(db->url(), {.requestsPerSecond = 0.01, .burst = 3});
        QVERIFY(strict);
        Device d(strict->port());
        QVERIFY(d.login(QStringLiteral("张三"), QStringLiteral("pw")));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(d.get(QStringLiteral("/api/processes")).status, 200);
        QCOMPARE(d.get(QStringLiteral("/api/processes")).code(), QStringLiteral("rateLimited"));
    }

    // The page comes from the program with a policy that runs only its own scripts.
    void pageIsServed()
    {
        Device d(server->port());
        httplib::Client client("127.0.0.1", server->port());
        const httplib::Result r = client.Get("/");
        QVERIFY(r && r->status == 200);
        QVERIFY(r->body.find("app.js") != std::string::npos);
        QVERIFY(r->get_header_value("Content-Security-Policy").find("script-src 'self'") != std::string::npos);
        QCOMPARE(d.get(QStringLiteral("/api/health")).status, 200);
    }
};

STOCKCHECK_TEST(TestServer)
#include "tst_server.moc"
