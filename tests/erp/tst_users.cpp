#include "erp/passwordhash.h"
#include "erp/users.h"
#include "testdb.h"
#include "testmain.h"

#include <QCryptographicHash>
#include <QTest>

namespace {
struct LoginRow
{
    QString name, password;
    int userId;      // 0: refused
    QString message; // part of the refusal
};
} // namespace

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
        QTest::addColumn<LoginRow>("row");
        QTest::newRow("empty password") << LoginRow{"demo", "", 16394, ""};
        QTest::newRow("blank around the name") << LoginRow{" 张三 ", "zs123", 16395, ""};
        QTest::newRow("wrong password") << LoginRow{"张三", "zs124", 0, "密码不正确"};
        QTest::newRow("password where none is set") << LoginRow{"demo", "x", 0, "密码不正确"};
        QTest::newRow("unknown user") << LoginRow{"王五", "", 0, "用户“王五”不存在"};
        QTest::newRow("forbidden user") << LoginRow{"离职", "x", 0, "已被禁用"};
        QTest::newRow("no name") << LoginRow{"  ", "", 0, "请输入用户名"};
    }
    void login()
    {
        QFETCH(LoginRow, row);
        const auto &[name, password, userId, message] = row;
        int id = 0;
        QString error;
        QCOMPARE(erp::checkLogin(conn(), name, password, &id, &error), userId != 0);
        QCOMPARE(id, userId);
        QVERIFY2(error.contains(message), qPrintable(error));
    }

    // Stored salted, never as text; a new password replaces the old one.
    void passwordsAreSaltedAndReplaced()
    {
        Recordset rs = conn().Execute(QStringLiteral("SELECT FPassword FROM t_user WHERE FUserID IN (16395, 16396)"));
        QVERIFY(!rs.text(u"FPassword").contains(QLatin1String("zs123")));
        QVERIFY(rs.value(0, u"FPassword") != rs.value(1, u"FPassword"));
        QString error;
        int id = 0;
        QVERIFY(erp::setPassword(conn(), 16395, QStringLiteral("new"), &error));
        QVERIFY(!erp::checkLogin(conn(), QStringLiteral("张三"), QStringLiteral("zs123"), &id, &error));
        QVERIFY(erp::checkLogin(conn(), QStringLiteral("张三"), QStringLiteral("new"), &id, &error));
        QVERIFY(!erp::setPassword(conn(), 4711, QStringLiteral("x"), &error));
        QVERIFY2(error.contains(QLatin1String("4711")), qPrintable(error));
    }

    QString storedHash(int id)
    {
        return conn()
            .Execute(QStringLiteral("SELECT FPassword FROM t_user WHERE FUserID = ?"), {id})
            .text(u"FPassword");
    }

    // A database made before keeps "salt$sha256" digests: they still log in, and the
    // first successful login replaces them with the slow form; a failed one does not.
    void olderDigestIsReplacedAtLogin()
    {
        const QByteArray salt = QByteArrayLiteral("0123456789abcdef");
        const QString legacy = QString::fromLatin1(
            salt.toHex() + '$' +
            QCryptographicHash::hash(salt + QByteArrayLiteral("zs123"), QCryptographicHash::Sha256).toHex());
        QVERIFY_SQL(conn(),
                    conn().Exec(QStringLiteral("UPDATE t_user SET FPassword = ? WHERE FUserID = 16395"), {legacy}));
        int id = 0;
        QString error;
        QVERIFY(!erp::checkLogin(conn(), QStringLiteral("张三"), QStringLiteral("zs124"), &id, &error));
        QCOMPARE(storedHash(16395), legacy);
        QVERIFY2(erp::checkLogin(conn(), QStringLiteral("张三"), QStringLiteral("zs123"), &id, &error),
                 qPrintable(error));
        const QString upgraded = storedHash(16395);
        QVERIFY2(upgraded.startsWith(QLatin1String("$argon2id$")), qPrintable(upgraded));
        QVERIFY(!erp::passwordNeedsRehash(upgraded));
        QVERIFY(erp::checkLogin(conn(), QStringLiteral("张三"), QStringLiteral("zs123"), &id, &error));
        QVERIFY(!erp::checkLogin(conn(), QStringLiteral("张三"), QStringLiteral("zs124"), &id, &error));
    }

    // The demo data's salt gives the same string every time, and a string that
    // the library's own verifier accepts.
    void givenSaltIsReproducible()
    {
        const QString a = erp::passwordHash(QStringLiteral("pw"), QByteArrayLiteral("seed"));
        QCOMPARE(erp::passwordHash(QStringLiteral("pw"), QByteArrayLiteral("seed")), a);
        QVERIFY(erp::passwordMatches(QStringLiteral("pw"), a));
        QVERIFY(!erp::passwordMatches(QStringLiteral("pW"), a));
        QVERIFY(!erp::passwordMatches(QStringLiteral("pw"), QStringLiteral("$argon2id$broken")));
    }
};

STOCKCHECK_TEST(TestUsers)
#include "tst_users.moc"
