#include "erp/users.h"
#include "testdb.h"
#include "testmain.h"

#include <QTest>

// Login against t_user: names offered, passwords checked against their salted
// hash, and a clear message for every refusal.
class TestUsers : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> db;
    AppConnection &conn() { return db->conn(); }

    void addUser(int id, const QString &name, const QString &password, int forbidden = 0)
    {
        QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("INSERT INTO t_user (FUserID, FName, FForbidden) "
                                                       "VALUES (?, ?, ?)"),
                                        {id, name, forbidden}));
        QString error;
        QVERIFY2(erp::setPassword(conn(), id, password, &error), qPrintable(error));
    }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void init()
    {
        db = std::make_unique<TestDb>();
        OPEN_TEST_DB(*db);
        addUser(16394, QStringLiteral("demo"), QString());
        addUser(16395, QStringLiteral("张三"), QStringLiteral("zs123"));
        addUser(16396, QStringLiteral("李四"), QStringLiteral("zs123"));
        addUser(16397, QStringLiteral("离职"), QStringLiteral("x"), 1);
    }
    void cleanup() { db.reset(); }

    void namesOfActiveUsers()
    {
        QCOMPARE(erp::userNames(conn()),
                 QStringList({QStringLiteral("demo"), QStringLiteral("张三"), QStringLiteral("李四")}));
    }

    void login_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("userId");      // 0: refused
        QTest::addColumn<QString>("message"); // part of the refusal
        QTest::newRow("empty password") << "demo"
                                        << "" << 16394 << "";
        QTest::newRow("blank around the name") << " 张三 "
                                               << "zs123" << 16395 << "";
        QTest::newRow("same password, other salt") << "李四"
                                                   << "zs123" << 16396 << "";
        QTest::newRow("wrong password") << "张三"
                                        << "zs124" << 0 << "密码不正确";
        QTest::newRow("password where none is set") << "demo"
                                                    << "x" << 0 << "密码不正确";
        QTest::newRow("unknown user") << "王五"
                                      << "" << 0 << "用户“王五”不存在";
        QTest::newRow("forbidden user") << "离职"
                                        << "x" << 0 << "已被禁用";
        QTest::newRow("no name") << "  "
                                 << "" << 0 << "请输入用户名";
    }

    void login()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(int, userId);
        QFETCH(QString, message);
        int id = 0;
        QString error;
        QCOMPARE(erp::checkLogin(conn(), name, password, &id, &error), userId != 0);
        QCOMPARE(id, userId);
        QVERIFY2(error.contains(message), qPrintable(error));
    }

    void passwordIsNeverStoredAsText()
    {
        Recordset rs = conn().Execute(QStringLiteral("SELECT FPassword FROM t_user WHERE FUserID IN (16395, 16396) "
                                                     "ORDER BY FUserID"));
        const QString first = rs.text(u"FPassword");
        rs.MoveNext();
        QVERIFY(!first.contains(QLatin1String("zs123")));
        QVERIFY(first != rs.text(u"FPassword")); // salted
    }

    void changedPasswordReplacesTheOld()
    {
        QString error;
        QVERIFY(erp::setPassword(conn(), 16395, QStringLiteral("new"), &error));
        int id = 0;
        QVERIFY(!erp::checkLogin(conn(), QStringLiteral("张三"), QStringLiteral("zs123"), &id, &error));
        QVERIFY(erp::checkLogin(conn(), QStringLiteral("张三"), QStringLiteral("new"), &id, &error));
        QVERIFY(!erp::setPassword(conn(), 4711, QStringLiteral("x"), &error));
        QVERIFY2(error.contains(QLatin1String("4711")), qPrintable(error));
    }
};

STOCKCHECK_TEST(TestUsers)
#include "tst_users.moc"
