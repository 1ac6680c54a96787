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

struct PropsRow
{
    QString props, key, value;
    bool raw = false; // GetPropsValue on the property string instead of the parsed properties
};

struct TextRow
{
    QString language, text;
    QVariantList params; // FormatText when not empty
    QString shown;
};

} // namespace

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

    void props_data()
    {
        QTest::addColumn<PropsRow>("row");
        const QString braces = QStringLiteral("UserID=16394;DBConn={Provider=x;Data Source=srv};LANGUAGE=EN;");
        const QString plain = QStringLiteral("UserID=5;Language=CHT;SubID=StdCost");
        QTest::addRow("braced value kept whole") << PropsRow{braces, "DBConn", "Provider=x;Data Source=srv"};
        QTest::addRow("entry after braces") << PropsRow{braces, "LANGUAGE", "EN"};
        QTest::addRow("key case ignored") << PropsRow{braces, "userid", "16394"};
        QTest::addRow("blanks trimmed") << PropsRow{" UserName = 张三 ;x=1", "UserName", "张三"};
        QTest::addRow("raw, key case ignored") << PropsRow{plain, "language", "CHT", true};
        QTest::addRow("raw, last without ';'") << PropsRow{plain, "SUBID", "StdCost", true};
        QTest::addRow("raw, missing") << PropsRow{plain, "Nope", "", true};
    }
    void props()
    {
        QFETCH(PropsRow, row);
        QVERIFY(ParseProps(row.props));
        QCOMPARE(row.raw ? GetPropsValue(row.key) : GetProp(row.key), row.value);
    }

    // The rows run in turn, so the loader also follows each change of language.
    void textsInTheLoginLanguage_data()
    {
        QTest::addColumn<TextRow>("row");
        const QString composite = LiteralText(QStringLiteral("仓库")) + QStringLiteral("^|^仓库^|^~$~: 01");
        const QString numbered = QStringLiteral("第%1条记录存在非法数据,盘点引入失败");
        QTest::addRow("plain") << TextRow{"EN", "仓库", {}, "Stock"};
        QTest::addRow("language in lower case") << TextRow{"en", "仓库", {}, "Stock"};
        QTest::addRow("literal piece kept") << TextRow{"EN", composite, {}, "仓库Stock: 01"};
        QTest::addRow("source language") << TextRow{"chs", composite, {}, "仓库仓库: 01"};
        QTest::addRow("language without catalog") << TextRow{"CHT", "仓库", {}, "仓库"};
        QTest::addRow("translated, then filled")
            << TextRow{"EN", numbered, {12, "FQty"}, "Record 12 is invalid (FQty)"};
        QTest::addRow("NULL fills as empty")
            << TextRow{"chs", numbered, {QVariant()}, "第条记录存在非法数据,盘点引入失败"};
    }
    void textsInTheLoginLanguage()
    {
        QFETCH(TextRow, row);
        ParseProps(QStringLiteral("UserID=1;LANGUAGE=") + row.language);
        QCOMPARE(row.params.isEmpty() ? LoadText(row.text) : FormatText(row.text, row.params), row.shown);
    }
};

STOCKCHECK_TEST(TestTexts)
#include "tst_texts.moc"
