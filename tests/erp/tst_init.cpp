#include "testdb.h"
#include "testmain.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

// `stockcheck-cli init` run as a person runs it: it sets a database up once, then
// says so and leaves it alone; databases that cannot be used end with a message
// and a non-zero status.
class TestInit : public QObject
{
    Q_OBJECT

    struct Run
    {
        int exitCode = -1;
        QString out, err;
    };

    static Run init(const QStringList &args)
    {
        QProcess p;
        p.start(QStringLiteral(STOCKCHECK_CLI), QStringList{QStringLiteral("init")} + args);
        Run r;
        if (!p.waitForFinished(120000))
            return r;
        r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

    // Row counts of tables that init fills, to see that a second run changes nothing.
    static QStringList counts(AppConnection &c)
    {
        QStringList out;
        for (const char *table : {"t_ICItem", "ICInventory", "POInventory", "ICStockBillEntry", "ICInvBal", "t_user",
                                  "t_SystemProfile", "ICChatBillTitle", "icbillno"}) {
            Recordset rs = c.Execute(QStringLiteral("SELECT COUNT(*) AS n FROM ") + QString::fromLatin1(table));
            out << QStringLiteral("%1=%2").arg(QString::fromLatin1(table)).arg(rs.integer(u"n"));
        }
        return out;
    }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }

    void setsUpOnceThenLeavesTheDatabaseAlone()
    {
        // SQLite from an empty file; PostgreSQL in an empty schema of the fixture
        TestDb db;
        QTemporaryDir dir;
        QString url = QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("demo.db"));
        if (TestDb::wantsPostgres()) {
            OPEN_TEST_DB(db);
            url = db.url();
        }
        const Run first = init({QStringLiteral("--db"), url, QStringLiteral("--size"), QStringLiteral("120")});
        QVERIFY2(first.exitCode == 0, qPrintable(first.err));
        QVERIFY2(first.out.contains(QStringLiteral("120 条库存记录")), qPrintable(first.out));

        AppConnection c;
        QString error;
        QVERIFY2(c.open(url, &error), qPrintable(error));
        const QStringList before = counts(c);
        const Run second = init({QStringLiteral("--db"), url, QStringLiteral("--size"), QStringLiteral("500")});
        QVERIFY2(second.exitCode == 0, qPrintable(second.err));
        QVERIFY2(second.out.contains(QStringLiteral("数据库已经初始化")), qPrintable(second.out));
        QCOMPARE(counts(c), before);
    }

    void unusableDatabasesFail_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("content"); // written to the file first
        QTest::newRow("damaged file") << "damaged.db"
                                      << "this is not a database file, only text";
        QTest::newRow("no server") << "postgresql://nobody@127.0.0.1:1/none"
                                   << "";
        QTest::newRow("unknown kind of address") << "mysql://host/db"
                                                 << "";
    }

    void unusableDatabasesFail()
    {
        QFETCH(QString, url);
        QFETCH(QString, content);
        if (TestDb::wantsPostgres())
            QSKIP("the command line is checked once, on the SQLite run");
        QTemporaryDir dir;
        if (!content.isEmpty()) {
            QFile f(dir.filePath(url));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(4096, 'x').replace(0, content.size(), content.toUtf8()));
            f.close();
            url = QStringLiteral("sqlite:") + f.fileName();
        }
        const Run r = init({QStringLiteral("--db"), url});
        QVERIFY2(r.exitCode > 0, qPrintable(r.out));
        QVERIFY2(!r.err.trimmed().isEmpty(), "no message");
    }

    void readOnlyFileFails()
    {
        if (TestDb::wantsPostgres())
            QSKIP("the command line is checked once, on the SQLite run");
        if (geteuid() == 0)
            QSKIP("file permissions do not bind the superuser");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("ro.db"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly)); // an empty file is an empty database
        f.close();
        QFile::setPermissions(path, QFile::ReadOwner);
        const Run r = init({QStringLiteral("--db"), QStringLiteral("sqlite:") + path});
        QVERIFY(r.exitCode > 0);
        QVERIFY(!r.err.trimmed().isEmpty());
    }

    void badSizeIsRefused()
    {
        if (TestDb::wantsPostgres())
            QSKIP("the command line is checked once, on the SQLite run");
        QTemporaryDir dir;
        const Run r = init({QStringLiteral("--db"), QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("x.db")),
                            QStringLiteral("--size"), QStringLiteral("many")});
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(QLatin1String("--size")), qPrintable(r.err));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("x.db"))));
    }
};

STOCKCHECK_TEST(TestInit)
#include "tst_init.moc"
