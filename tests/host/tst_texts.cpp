#include "erp/resloader.h"
#include "host/loginprops.h"
#include "host/sharedstate.h"
#include "host/texts.h"
#include "testmain.h"

#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// Login properties, and texts in the user language from a real catalog.
class TestTexts : public QObject
{
    Q_OBJECT

    QTemporaryDir catalogs;

private slots:
    void initTestCase()
    {
        // an English catalog of two texts, made as the build makes the real ones
        const QString lrelease = QLibraryInfo::path(QLibraryInfo::BinariesPath) + QStringLiteral("/lrelease");
        if (!QFile::exists(lrelease))
            QSKIP("lrelease is not installed");
        QFile ts(catalogs.filePath(QStringLiteral("stockcheck_en.ts")));
        QVERIFY(ts.open(QIODevice::WriteOnly));
        ts.write(R"(<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS><TS version="2.1" language="en" sourcelanguage="zh_CN"><context><name>StockCheck</name>
<message><source>仓库</source><translation>Stock</translation></message>
<message><source>第%1条记录存在非法数据,盘点引入失败</source><translation>Record %1 is invalid (%2)</translation></message>
</context></TS>)");
        ts.close();
        QProcess run;
        run.start(lrelease,
                  {ts.fileName(), QStringLiteral("-qm"), catalogs.filePath(QStringLiteral("stockcheck_en.qm"))});
        QVERIFY(run.waitForFinished() && run.exitCode() == 0);
        qputenv("STOCKCHECK_QM_DIR", catalogs.path().toUtf8());
    }
    void init()
    {
        shared().reset();
        shared().components.resLoader = std::make_shared<erp::QtResLoader>();
    }
    void cleanupTestCase()
    {
        shared().reset();
        qunsetenv("STOCKCHECK_QM_DIR");
    }

    void parseProps_data()
    {
        QTest::addColumn<QString>("props");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        const QString braces = QStringLiteral("UserID=16394;DBConn={Provider=x;Data Source=srv};LANGUAGE=EN;");
        QTest::addRow("braced value kept whole") << braces << "DBConn"
                                                 << "Provider=x;Data Source=srv";
        QTest::addRow("entry after braces") << braces << "LANGUAGE"
                                            << "EN";
        QTest::addRow("key case ignored") << braces << "userid"
                                          << "16394";
        QTest::addRow("blanks trimmed") << QStringLiteral(" UserName = 张三 ;x=1") << "UserName"
                                        << "张三";
    }
    void parseProps()
    {
        QFETCH(QString, props);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QVERIFY(ParseProps(props));
        QCOMPARE(GetProp(key), value);
    }

    void propsValueFindsTheKeyInAnyCase()
    {
        shared().propsString = QStringLiteral("UserID=5;Language=CHT;SubID=StdCost");
        QCOMPARE(GetPropsValue(QStringLiteral("language")), QStringLiteral("CHT"));
        QCOMPARE(GetPropsValue(QStringLiteral("SUBID")), QStringLiteral("StdCost")); // last, without ';'
        QCOMPARE(GetPropsValue(QStringLiteral("Nope")), QString());
    }

    void textsInTheLoginLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariantList>("params"); // FormatText when not empty
        QTest::addColumn<QString>("shown");
        const QString composite = LiteralText(QStringLiteral("仓库")) + QStringLiteral("^|^仓库^|^~$~: 01");
        const QString numbered = QStringLiteral("第%1条记录存在非法数据,盘点引入失败");
        QTest::addRow("plain") << "EN"
                               << "仓库" << QVariantList() << "Stock";
        QTest::addRow("language in lower case") << "en"
                                                << "仓库" << QVariantList() << "Stock";
        QTest::addRow("literal piece kept") << "EN" << composite << QVariantList() << "仓库Stock: 01";
        QTest::addRow("source language") << "chs" << composite << QVariantList() << "仓库仓库: 01";
        QTest::addRow("language without catalog") << "CHT"
                                                  << "仓库" << QVariantList() << "仓库";
        QTest::addRow("translated, then filled")
            << "EN" << numbered << QVariantList{12, "FQty"} << "Record 12 is invalid (FQty)";
        QTest::addRow("NULL fills as empty")
            << "chs" << numbered << QVariantList{QVariant()} << "第条记录存在非法数据,盘点引入失败";
    }
    void textsInTheLoginLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, text);
        QFETCH(QVariantList, params);
        QFETCH(QString, shown);
        ParseProps(QStringLiteral("UserID=1;LANGUAGE=") + language);
        QCOMPARE(params.isEmpty() ? LoadText(text) : FormatText(text, params), shown);
    }

    void loaderFollowsALanguageChange()
    {
        ParseProps(QStringLiteral("LANGUAGE=EN"));
        QCOMPARE(LoadText("仓库"), QStringLiteral("Stock"));
        ParseProps(QStringLiteral("LANGUAGE=chs"));
        QCOMPARE(LoadText("仓库"), QStringLiteral("仓库"));
    }
};

STOCKCHECK_TEST(TestTexts)
#include "tst_texts.moc"
