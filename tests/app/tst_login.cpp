#include "app/shell/loginlogic.h"
#include "erp/users.h"
#include "host/hostcomponents.h"
#include "host/loginprops.h"
#include "host/sharedstate.h"
#include "testdb.h"
#include "testmain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Settings kept in memory: what the login remembers, without touching a file.
class MemorySettings : public SettingsStore
{
public:
    QHash<QString, QVariant> values;
    QVariant value(const QString &section, const QString &key, const QVariant &defaultValue) override
    {
        return values.value(section + QLatin1Char('/') + key, defaultValue);
    }
    void setValue(const QString &section, const QString &key, const QVariant &value) override
    {
        values.insert(section + QLatin1Char('/') + key, value);
    }
};

} // namespace

// The login without its dialog: property string, remembered choice, and the
// messages for a login that cannot go on.
class TestLogin : public QObject
{
    Q_OBJECT

    LoginChoice choiceFor(TestDb &db, const QString &user, const QString &password)
    {
        LoginChoice choice;
        choice.user = user;
        choice.password = password;
        QString error;
        [&] { QVERIFY2(DbLocation::parse(db.url(), &choice.database, &error), qPrintable(error)); }();
        return choice;
    }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void cleanup() { shared().reset(); }

    void propsString_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("userName");
        QTest::addRow("simplified") << "chs"
                                    << "张三";
        QTest::addRow("name with a semicolon") << "EN"
                                               << "a;b";
    }
    void propsString()
    {
        QFETCH(QString, language);
        QFETCH(QString, userName);
        LoginResult result;
        result.userId = 16394;
        result.userName = userName;
        result.language = language;
        result.database.path = QStringLiteral("/tmp/x.db");
        const QString props = LoginLogic::propsString(result);
        QVERIFY(props.contains(QStringLiteral("LANGUAGE=") + language + QLatin1Char(';')));
        QVERIFY(ParseProps(props));
        QCOMPARE(GetUserId(), 16394);
        QCOMPARE(GetProp(QStringLiteral("UserName")), userName);
        QCOMPARE(UserLanguage(), language);
        QCOMPARE(GetProp(QStringLiteral("DBType")), QStringLiteral("SQLite"));
    }

    void remembersTheChoiceButNoPassword()
    {
        MemorySettings settings;
        LoginLogic logic(settings);
        QCOMPARE(logic.remembered().language, QStringLiteral("chs")); // nothing remembered yet
        LoginChoice choice;
        choice.user = QStringLiteral("王五");
        choice.password = QStringLiteral("secret");
        choice.language = QStringLiteral("CHT");
        choice.database.engine = Dialect::Engine::PostgreSQL;
        choice.database.host = QStringLiteral("db.example");
        choice.database.port = 6543;
        choice.database.database = QStringLiteral("stock");
        choice.database.user = QStringLiteral("clerk");
        choice.database.password = QStringLiteral("dbsecret");
        logic.remember(choice);
        const LoginChoice back = logic.remembered();
        QCOMPARE(back.user, choice.user);
        QCOMPARE(back.language, choice.language);
        QCOMPARE(back.database.engine, Dialect::Engine::PostgreSQL);
        QCOMPARE(back.database.host, choice.database.host);
        QCOMPARE(back.database.port, 6543);
        QCOMPARE(back.database.database, choice.database.database);
        QCOMPARE(back.database.user, choice.database.user);
        QVERIFY(back.password.isEmpty());
        QVERIFY(back.database.password.isEmpty());
        for (const QVariant &v : std::as_const(settings.values))
            QVERIFY(!v.toString().contains(QLatin1String("secret")));
    }

    void checksUserAndPassword_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("ok");
        QTest::addRow("right password") << "张三"
                                        << "pw'1" << true;
        QTest::addRow("wrong password") << "张三"
                                        << "pw" << false;
        QTest::addRow("unknown user") << "nobody"
                                      << "pw'1" << false;
    }
    void checksUserAndPassword()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(bool, ok);
        TestDb db;
        OPEN_TEST_DB(db);
        QVERIFY_SQL(db.conn(), db.conn().Exec(QStringLiteral("INSERT INTO t_user (FUserID, FName) VALUES (?, ?)"),
                                              {16394, QStringLiteral("张三")}));
        QString error;
        QVERIFY2(erp::setPassword(db.conn(), 16394, QStringLiteral("pw'1"), &error), qPrintable(error));

        MemorySettings settings;
        LoginLogic logic(settings);
        AppConnection connection;
        LoginResult result;
        const bool loggedIn = logic.login(choiceFor(db, user, password), false, connection, &result, &error);
        QCOMPARE(loggedIn, ok);
        QCOMPARE(connection.isOpen(), ok);
        if (ok) {
            QCOMPARE(result.userId, 16394);
            QCOMPARE(result.userName, user);
        } else {
            QVERIFY(!error.isEmpty());
        }
    }

    // A file that is missing, damaged or read-only is refused with a message; a
    // missing file is not created behind the person's back.
    void refusesUnusableFiles()
    {
        if (TestDb::wantsPostgres())
            QSKIP("SQLite files only");
        QTemporaryDir dir;
        const QString missing = dir.filePath(QStringLiteral("missing.db"));
        const QString damaged = dir.filePath(QStringLiteral("damaged.db"));
        QFile file(damaged);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
        file.close();

        MemorySettings settings;
        LoginLogic logic(settings);
        for (const QString &path : {missing, damaged}) {
            LoginChoice choice;
            choice.user = QStringLiteral("demo");
            choice.database.path = path;
            AppConnection connection;
            LoginResult result;
            QString error;
            QVERIFY(!logic.login(choice, false, connection, &result, &error));
            QVERIFY2(error.contains(QFileInfo(path).fileName()), qPrintable(error));
        }
        QVERIFY(!QFile::exists(missing));
    }

    void demoDatabaseIsCreatedWhenMissing()
    {
        if (TestDb::wantsPostgres())
            QSKIP("a demo file is SQLite");
        QTemporaryDir dir;
        LoginChoice choice;
        choice.user = QStringLiteral("demo");
        choice.database.path = dir.filePath(QStringLiteral("demo.db"));
        MemorySettings settings;
        LoginLogic logic(settings);
        AppConnection connection;
        LoginResult result;
        QString error;
        QVERIFY2(logic.login(choice, true, connection, &result, &error), qPrintable(error));
        QVERIFY(result.userId > 0);
        QVERIFY(LoginLogic::userNames(choice.database).contains(QStringLiteral("demo")));
    }
};

STOCKCHECK_TEST(TestLogin)
#include "tst_login.moc"
