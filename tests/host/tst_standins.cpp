#include "erp/filelogger.h"
#include "erp/inisettings.h"
#include "testmain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The file-based stand-ins: the settings store and the operation log.
class TestFileStandIns : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    QString file(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

    static QString readAll(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

private slots:
    void cleanup()
    {
        qunsetenv("STOCKCHECK_SETTINGS");
        qunsetenv("STOCKCHECK_LOG");
    }

    void settingsSurviveReopening()
    {
        const QString path = file("roundtrip.ini");
        {
            erp::IniSettings store(path);
            store.setValue(QStringLiteral("N5StockCheck"), QStringLiteral("FindForm_X"), 120);
            store.setValue(QStringLiteral("N5StockCheck"), QStringLiteral("标签"), QStringLiteral("盘点"));
        }
        erp::IniSettings again(path);
        QCOMPARE(again.value(QStringLiteral("N5StockCheck"), QStringLiteral("FindForm_X")).toInt(), 120);
        QCOMPARE(again.value(QStringLiteral("N5StockCheck"), QStringLiteral("标签")).toString(),
                 QStringLiteral("盘点"));
        QCOMPARE(again.value(QStringLiteral("Other"), QStringLiteral("FindForm_X"), 7).toInt(), 7);
    }

    void corruptFileFallsBackToDefaultsAndIsKept()
    {
        const QString path = file("corrupt.ini");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[N5StockCheck\nFindForm_X=5\n\x01\x02\xff[[[");
        f.close();
        erp::IniSettings store(path);
        QCOMPARE(store.value(QStringLiteral("N5StockCheck"), QStringLiteral("FindForm_X"), 9).toInt(), 9);
        QVERIFY(QFile::exists(path + QStringLiteral(".corrupt")));
        store.setValue(QStringLiteral("N5StockCheck"), QStringLiteral("FindForm_X"), 3);
        QCOMPARE(erp::IniSettings(path).value(QStringLiteral("N5StockCheck"), QStringLiteral("FindForm_X")).toInt(), 3);
    }

    void loggerPath_data()
    {
        QTest::addColumn<QString>("env");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("logFile");
        QTest::addColumn<bool>("expectLog");
        QTest::addRow("off by default") << "" << false << "" << false;
        QTest::addRow("settings enable it") << "" << true << "chosen.log" << true;
        QTest::addRow("environment enables it") << "env.log" << false << "" << true;
    }
    void loggerPath()
    {
        QFETCH(QString, env);
        QFETCH(bool, enabled);
        QFETCH(QString, logFile);
        QFETCH(bool, expectLog);
        if (!env.isEmpty())
            qputenv("STOCKCHECK_LOG", dir.filePath(env).toUtf8());
        erp::IniSettings settings(file("logger.ini"));
        settings.setValue(QStringLiteral("N5StockCheck"), QStringLiteral("LogEnabled"), enabled);
        settings.setValue(QStringLiteral("N5StockCheck"), QStringLiteral("LogFile"),
                          logFile.isEmpty() ? QString() : dir.filePath(logFile));
        erp::FileLogger logger(erp::FileLogger::configuredPath(&settings));
        QCOMPARE(logger.IsEnabled(), expectLog);
        if (expectLog)
            QCOMPARE(logger.path(), dir.filePath(env.isEmpty() ? logFile : env));
    }

    void logLinesCarryHandleNameAndFlag()
    {
        const QString path = file("ops.log");
        erp::FileLogger logger(path);
        const int a = logger.LogStart(QStringLiteral("N5StockCheck.PubVariant.GetStartDate    获取系统启用日期"));
        const int b = logger.LogStart(QStringLiteral("N5StockCheck.ICBackupInv.BackUpData"));
        QVERIFY(a != b);
        logger.LogEnd(b, 1);
        const QStringList lines = readAll(path).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QVERIFY2(lines.at(0).contains(
                     QStringLiteral("\tstart\t%1\tN5StockCheck.PubVariant.GetStartDate    获取系统启用日期").arg(a)),
                 qPrintable(lines.at(0)));
        QVERIFY2(lines.at(2).endsWith(QStringLiteral("\tend\t%1\tN5StockCheck.ICBackupInv.BackUpData\t1").arg(b)),
                 qPrintable(lines.at(2)));
    }
};

STOCKCHECK_TEST(TestFileStandIns)
#include "tst_standins.moc"
