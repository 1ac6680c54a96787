#include "testdb.h"
#include "testmain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {
struct Unusable
{
    QString url, content, size;
};
} // namespace

// `stockcheck-cli init` run as a person runs it: it sets a database up once, then
// says so and leaves it alone; databases that cannot be used end with a message
// and a non-zero status.
class TestInit : public QObject
{
    Q_OBJECT

    using Run = ProgramRun;
    static Run init(const QStringList &args)
    {
        return runProgram(QStringLiteral(STOCKCHECK_CLI), QStringList{QStringLiteral("init")} + args);
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
        // url: a file name when content is set; content "-": an empty read-only file
        QTest::addColumn<Unusable>("row");
        QTest::newRow("damaged file") << Unusable{"damaged.db", "this is not a database file", ""};
        QTest::newRow("read-only file") << Unusable{"ro.db", "-", ""};
        QTest::newRow("size not a number, nothing created") << Unusable{"x.db", "", "many"};
    }
    void unusableDatabasesFail()
    {
        QFETCH(Unusable, row);
        auto &[url, content, size] = row;
        if (TestDb::wantsPostgres())
            QSKIP("the command line is checked once, on the SQLite run");
        if (content == QLatin1String("-") && geteuid() == 0)
            QSKIP("file permissions do not bind the superuser");
        QTemporaryDir dir;
        const QString path = dir.filePath(url);
        if (!content.isEmpty()) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            if (content == QLatin1String("-")) // an empty file is an empty database
                f.setPermissions(QFile::ReadOwner);
            else
                f.write(QByteArray(4096, 'x').replace(0, content.size(), content.toUtf8()));
        }
        if (!url.contains(QLatin1String("://")))
            url = QStringLiteral("sqlite:") + path;
        QStringList args{QStringLiteral("--db"), url};
        if (!size.isEmpty())
            args << QStringLiteral("--size") << size;
        const Run r = init(args);
        QCOMPARE(r.exitCode, size.isEmpty() ? 1 : 2);
        QVERIFY2(!r.err.trimmed().isEmpty(), "no message");
        if (!size.isEmpty()) {
            QVERIFY2(r.err.contains(QLatin1String("--size")), qPrintable(r.err));
            QVERIFY(!QFile::exists(path));
        }
    }
};

STOCKCHECK_TEST(TestInit)
#include "tst_init.moc"
