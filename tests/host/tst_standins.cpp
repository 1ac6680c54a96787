#include "erp/inisettings.h"
#include "testmain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The per-user settings file: a damaged one loses nothing else and is replaced.
class TestSettingsFile : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    // A damaged file is kept aside; the store starts from the defaults and saves again.
    void settingsSurviveReopeningAndCorruption()
    {
        const QString path = dir.filePath(QStringLiteral("StockCheck.ini"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[N5StockCheck\nFindForm_X=5\n\x01\x02\xff[[[");
        f.close();
        const QString section = QStringLiteral("N5StockCheck");
        {
            erp::IniSettings store(path);
            QCOMPARE(store.value(section, QStringLiteral("FindForm_X"), 9).toInt(), 9);
            QVERIFY(QFile::exists(path + QStringLiteral(".corrupt")));
            store.setValue(section, QStringLiteral("FindForm_X"), 120);
            store.setValue(section, QStringLiteral("标签"), QStringLiteral("盘点"));
        }
        erp::IniSettings again(path);
        QCOMPARE(again.value(section, QStringLiteral("FindForm_X")).toInt(), 120);
        QCOMPARE(again.value(section, QStringLiteral("标签")).toString(), QStringLiteral("盘点"));
        QCOMPARE(again.value(QStringLiteral("Other"), QStringLiteral("FindForm_X"), 7).toInt(), 7);
    }
};

STOCKCHECK_TEST(TestSettingsFile)
#include "tst_standins.moc"
