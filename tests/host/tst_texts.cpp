#include "erp/resloader.h"
#include "host/loginprops.h"
#include "host/sharedstate.h"
#include "host/texts.h"
#include "testmain.h"

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

// Login properties, and texts in the user language from the catalogs the build makes.
class TestTexts : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        shared().reset();
        shared().components.resLoader = std::make_shared<erp::QtResLoader>();
    }
    void cleanupTestCase() { shared().reset(); }

    void props_data()
    {
        QTest::addColumn<PropsRow>("row");
        const QString braces = QStringLiteral("UserID=16394;DBConn={Provider=x;Data Source=srv};LANGUAGE=EN;");
        const QString plain = QStringLiteral("UserID=5;Language=CHT;SubID=StdCost");
        QTest::addRow("braced value kept whole") << PropsRow{braces, "DBConn", "Provider=x;Data Source=srv"};
        QTest::addRow("entry after braces") << PropsRow{braces, "LANGUAGE", "EN"};
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
        const QString numbered = QStringLiteral("%1：“%2”不是数字");
        QTest::addRow("plain") << TextRow{"EN", "仓库", {}, "Warehouse"};
        QTest::addRow("language in lower case") << TextRow{"en", "仓库", {}, "Warehouse"};
        QTest::addRow("literal piece kept") << TextRow{"EN", composite, {}, "仓库Warehouse: 01"};
        QTest::addRow("source language") << TextRow{"chs", composite, {}, "仓库仓库: 01"};
        QTest::addRow("language without catalog") << TextRow{"DE", "仓库", {}, "仓库"};
        QTest::addRow("translated, then filled")
            << TextRow{"EN", numbered, {12, "FQty"}, "12: \"FQty\" is not a number"};
        QTest::addRow("NULL fills as empty") << TextRow{"chs", numbered, {QVariant(), 3}, "：“3”不是数字"};
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
