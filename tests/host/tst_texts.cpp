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

namespace {

// A catalog of two texts that remembers the language it was told.
class FakeLoader : public ResLoader
{
public:
    QString language;
    int told = 0;
    void setLanguageID(const QString &lang) override
    {
        language = lang;
        ++told;
    }
    QString LoadString(const QString &text) override
    {
        if (language != QLatin1String("EN"))
            return text;
        if (text == QStringLiteral("仓库"))
            return QStringLiteral("Stock");
        if (text == QStringLiteral("第%1条记录存在非法数据,盘点引入失败"))
            return QStringLiteral("Record %1 holds invalid data (%2)");
        return text;
    }
};

} // namespace

// Login properties and texts in the user language.
class TestTexts : public QObject
{
    Q_OBJECT

private slots:
    void init() { shared().reset(); }
    void cleanupTestCase() { shared().reset(); }

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
        QTest::addRow("no closing semicolon") << QStringLiteral("a=1;b=2") << "b"
                                              << "2";
        QTest::addRow("first of duplicates") << QStringLiteral("a=1;A=2;") << "a"
                                             << "1";
        QTest::addRow("absent") << braces << "SubID"
                                << "";
    }
    void parseProps()
    {
        QFETCH(QString, props);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QVERIFY(ParseProps(props));
        QCOMPARE(GetProp(key), value);
        QCOMPARE(shared().propsString, props);
    }

    void propsValueScansTheStringIgnoringCase_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addRow("lower-case key") << "language"
                                        << "CHT";
        QTest::addRow("last entry without ';'") << "SubID"
                                                << "StdCost";
        QTest::addRow("absent") << "Nope"
                                << "";
    }
    void propsValueScansTheStringIgnoringCase()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        shared().propsString = QStringLiteral("UserID=5;Language=CHT;SubID=StdCost");
        QCOMPARE(GetPropsValue(key), value);
    }

    void loadText_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        const QString composite = LiteralText(QStringLiteral("仓库")) + QStringLiteral("^|^仓库^|^~$~: 01");
        QTest::addRow("literal piece kept, other localised") << "EN" << composite << "仓库Stock: 01";
        QTest::addRow("source language") << "chs" << composite << "仓库仓库: 01";
        QTest::addRow("plain text") << "EN"
                                    << "仓库"
                                    << "Stock";
        QTest::addRow("blank text untouched") << "EN"
                                              << "  "
                                              << "  ";
    }
    void loadText()
    {
        QFETCH(QString, language);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        shared().components.resLoader = std::make_shared<FakeLoader>();
        ParseProps(QStringLiteral("UserID=1;LANGUAGE=") + language + QLatin1Char(';'));
        QCOMPARE(LoadText(text), shown);
    }

    void loaderFollowsTheLoginLanguage()
    {
        auto loader = std::make_shared<FakeLoader>();
        shared().components.resLoader = loader;
        ParseProps(QStringLiteral("LANGUAGE=EN"));
        LoadText("仓库");
        LoadText("仓库");
        QCOMPARE(loader->told, 1);
        ParseProps(QStringLiteral("LANGUAGE=chs"));
        QCOMPARE(LoadText("仓库"), QStringLiteral("仓库"));
        QCOMPARE(loader->told, 2);
    }

    void formatText_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QVariantList>("params");
        QTest::addColumn<QString>("shown");
        QTest::addRow("translated then filled")
            << "EN" << QVariantList{12, "FQty"} << "Record 12 holds invalid data (FQty)";
        QTest::addRow("null is empty") << "EN" << QVariantList{QVariant(), "x"} << "Record  holds invalid data (x)";
        QTest::addRow("source text") << "chs" << QVariantList{3} << "第3条记录存在非法数据,盘点引入失败";
    }
    void formatText()
    {
        QFETCH(QString, language);
        QFETCH(QVariantList, params);
        QFETCH(QString, shown);
        shared().components.resLoader = std::make_shared<FakeLoader>();
        ParseProps(QStringLiteral("LANGUAGE=") + language);
        QCOMPARE(FormatText("第%1条记录存在非法数据,盘点引入失败", params), shown);
    }

    void tenthParameterIsNotEatenByTheFirst()
    {
        QVariantList params;
        for (int i = 1; i <= 10; ++i)
            params << QStringLiteral("p%1").arg(i);
        QCOMPARE(FormatText(QStringLiteral("%1|%10"), params), QStringLiteral("p1|p10"));
    }

    void catalogsWithoutFilesKeepTheSource()
    {
        QTemporaryDir empty;
        qputenv("STOCKCHECK_QM_DIR", empty.path().toUtf8());
        erp::QtResLoader loader;
        loader.setLanguageID(QStringLiteral("EN"));
        QVERIFY(!loader.hasCatalog());
        QCOMPARE(loader.LoadString(QStringLiteral("仓库")), QStringLiteral("仓库"));
        qunsetenv("STOCKCHECK_QM_DIR");
        QCOMPARE(erp::QtResLoader::catalogFile(QStringLiteral("cht")), QStringLiteral("stockcheck_zh_TW.qm"));
        QCOMPARE(erp::QtResLoader::catalogFile(QStringLiteral("chs")), QString());
    }

    void catalogOfTheLoginLanguageIsUsed_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("shown");
        QTest::addRow("English") << "EN"
                                 << "Stock";
        QTest::addRow("English, lower case") << "en"
                                             << "Stock";
        QTest::addRow("Simplified Chinese") << "chs"
                                            << "仓库";
        QTest::addRow("untranslated language") << "CHT"
                                               << "仓库";
    }
    void catalogOfTheLoginLanguageIsUsed()
    {
        QFETCH(QString, language);
        QFETCH(QString, shown);
        const QString lrelease = QLibraryInfo::path(QLibraryInfo::BinariesPath) + QStringLiteral("/lrelease");
        if (!QFile::exists(lrelease))
            QSKIP("lrelease is not installed");
        QTemporaryDir dir;
        QFile ts(dir.filePath(QStringLiteral("stockcheck_en.ts")));
        QVERIFY(ts.open(QIODevice::WriteOnly));
        ts.write(R"(<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS><TS version="2.1" language="en" sourcelanguage="zh_CN"><context><name>StockCheck</name>
<message><source>仓库</source><translation>Stock</translation></message></context></TS>)");
        ts.close();
        QProcess run;
        run.start(lrelease, {ts.fileName(), QStringLiteral("-qm"), dir.filePath(QStringLiteral("stockcheck_en.qm"))});
        QVERIFY(run.waitForFinished() && run.exitCode() == 0);

        qputenv("STOCKCHECK_QM_DIR", dir.path().toUtf8());
        shared().components.resLoader = std::make_shared<erp::QtResLoader>();
        ParseProps(QStringLiteral("UserID=1;LANGUAGE=") + language);
        const QString got = LoadText("仓库");
        qunsetenv("STOCKCHECK_QM_DIR");
        QCOMPARE(got, shown);
    }
};

STOCKCHECK_TEST(TestTexts)
#include "tst_texts.moc"
