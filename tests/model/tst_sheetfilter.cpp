#include "fakeui.h"
#include "sheetfixture.h"
#include "testdb.h"
#include "testmain.h"

#include "host/sharedstate.h"
#include "model/maindo.h"
#include "model/sheetfilter.h"

#include <QTest>

using namespace sheetfixture;

namespace {

struct CompileRow
{
    QList<SheetCondition> rows;
    bool fullNumbers;
    QString sql; // or the message when it is refused
    QVariantList binds;
};

struct QueryRow
{
    QList<SheetCondition> rows;
    QList<SheetSortKey> sort;
    QString items; // in their order
};

// The columns of the check mode as the definitions offer them.
const sheetfilter::Columns kColumns = {
    {QStringLiteral("物料代码"), QStringLiteral("FNumber|4|8")},
    {QStringLiteral("物料名称"), QStringLiteral("FName|4|8")},
    {QStringLiteral("生产/采购日期"), QStringLiteral("FKFDate|0|7")},
    {QStringLiteral("基本单位账存数量"), QStringLiteral("FQty|0|2")},
    {QStringLiteral("盘盈数量"), QStringLiteral("FCUUnitOverQty|0|2")},
};

SheetCondition cond(const char *field, const char *compare, const QString &value, const char *logic = "")
{
    return {QString::fromUtf8(field), QString::fromLatin1(compare), value, QString::fromLatin1(logic)};
}

} // namespace

// The filter dialog's rows compiled for the row query: bound values only, the
// numbering option, the last logic word dropped; and the rows they select on both
// engines, where a value holding quotes or SQL finds nothing and harms nothing.
class TestSheetFilter : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> m_db;
    FakeUi m_ui;

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void init()
    {
        m_db = std::make_unique<TestDb>();
        OPEN_TEST_DB(*m_db);
        m_db->installShared();
        m_ui.clear();
        shared().ui = &m_ui;
        AppConnection &c = m_db->conn();
        QVERIFY_SQL(c, addSample(c) && addItem(c, {7, "A120", "螺丝钉", 0}) && addItem(c, {8, "B812", "垫圈", 0}) &&
                           addItem(c, {9, "12", "销", 0}) && addRow(c, {.item = 7, .qty = 3, .auxQty = 3}) &&
                           addRow(c, {.item = 8, .qty = 8, .auxQty = 8}) &&
                           addRow(c, {.item = 9, .qty = 12, .auxQty = 12}));
    }
    void cleanup()
    {
        shared().reset();
        m_db.reset();
    }

    void compile_data()
    {
        QTest::addColumn<CompileRow>("row");
        const QString like12 = QStringLiteral("%12%");
        QTest::addRow("like with the last and dropped")
            << CompileRow{{cond("物料代码", "like", "12", "and")}, true, "FNumber LIKE ?", {like12}};
        QTest::addRow("short numbers") << CompileRow{
            {cond("物料代码", "not like", "12", "and")}, false, "FItemShortNumber NOT LIKE ?", {like12}};
        QTest::addRow("two rows joined by or, a number bound as a number")
            << CompileRow{{cond("物料名称", "=", "螺丝", "or"), cond("基本单位账存数量", ">", "3")},
                          true,
                          "FName = ? OR FQty > ?",
                          {QStringLiteral("螺丝"), 3.0}};
        QTest::addRow("empty rows between")
            << CompileRow{{cond("物料名称", "<>", "a", "and"), {}, cond("物料名称", "<>", "b", "or")},
                          true,
                          "FName <> ? AND FName <> ?",
                          {QStringLiteral("a"), QStringLiteral("b")}};
        QTest::addRow("a number that is none matches nothing")
            << CompileRow{{cond("基本单位账存数量", "=", "1 OR 1=1")}, true, "1=0", {}};
        QTest::addRow("a missing difference counts as 0")
            << CompileRow{{cond("盘盈数量", "<", "1")}, true, "COALESCE(FCUUnitOverQty, 0) < ?", {1.0}};
        QTest::addRow("a date in the columns' form")
            << CompileRow{{cond("生产/采购日期", ">=", "2026-1-5")}, true, "FKFDate >= ?", {"2026-01-05"}};
        QTest::addRow("a column not offered")
            << CompileRow{{cond("FQty; DROP TABLE t_ICItem", "=", "1")},
                          true,
                          "第1行，[名称]列的“FQty; DROP TABLE t_ICItem”不是可选的字段！",
                          {}};
        QTest::addRow("a comparison not offered") << CompileRow{
            {{}, cond("物料名称", "= 1 OR", "x")}, true, "第2行，[比较]列的“= 1 OR”不是可选的比较方式！", {}};
    }
    void compile()
    {
        QFETCH(CompileRow, row);
        SqlFragment out;
        QString error;
        const bool ok = sheetfilter::compileFilter(row.rows, kColumns, Dialect(), row.fullNumbers, &out, &error);
        QCOMPARE(ok ? out.sql : error, row.sql);
        QCOMPARE(out.binds, row.binds);
    }

    void validation_data()
    {
        QTest::addColumn<QList<SheetCondition>>("rows");
        QTest::addColumn<QList<SheetSortKey>>("sort");
        QTest::addColumn<QString>("message");
        const SheetCondition full = cond("物料名称", "=", "a");
        QTest::addRow("sort field without direction")
            << QList<SheetCondition>{} << QList<SheetSortKey>{{QStringLiteral("物料代码"), {}}}
            << QStringLiteral("第1行排序类型不能为空!");
        QTest::addRow("sort direction without field")
            << QList<SheetCondition>{} << QList<SheetSortKey>{{}, {{}, QStringLiteral("降序")}}
            << QStringLiteral("第2行排序字段不能为空!");
        QTest::addRow("no field") << QList<SheetCondition>{cond("", "=", "a")} << QList<SheetSortKey>{}
                                  << QStringLiteral("第1行，[名称]列数据不完整！");
        QTest::addRow("no comparison") << QList<SheetCondition>{cond("物料名称", "=", "a", "or"),
                                                                cond("物料名称", "", "a")}
                                       << QList<SheetSortKey>{} << QStringLiteral("第2行，[比较]列数据不完整！");
        QTest::addRow("no logic before another row") << QList<SheetCondition>{full, full} << QList<SheetSortKey>{}
                                                     << QStringLiteral("第1行，[逻辑]列数据不完整！");
        QTest::addRow("last row needs no logic") << QList<SheetCondition>{full} << QList<SheetSortKey>{} << QString();
    }
    void validation()
    {
        QFETCH(QList<SheetCondition>, rows);
        QFETCH(QList<SheetSortKey>, sort);
        QFETCH(QString, message);
        QCOMPARE(sheetfilter::validate(rows, sort), message);
    }

    void rowQuery_data()
    {
        QTest::addColumn<QueryRow>("row");
        const QList<SheetSortKey> byNumber{{QStringLiteral("物料代码"), QStringLiteral("升序")}};
        QTest::addRow("like 12") << QueryRow{{cond("物料代码", "like", "12", "and")}, byNumber, "9 7 8"};
        QTest::addRow("descending") << QueryRow{{cond("基本单位账存数量", ">=", "3")},
                                                {{QStringLiteral("基本单位账存数量"), QStringLiteral("Desc")}},
                                                "1 9 8 7"};
        QTest::addRow("or") << QueryRow{
            {cond("物料名称", "=", "螺母", "or"), cond("物料代码", "like", "81")}, byNumber, "2 8"};
        QTest::addRow("quotes in a text") << QueryRow{{cond("物料名称", "=", "x' OR '1'='1")}, byNumber, ""};
        QTest::addRow("quotes in a pattern")
            << QueryRow{{cond("物料名称", "like", "%' OR 1=1; DELETE FROM ICInvBackup; --")}, byNumber, ""};
    }
    void rowQuery()
    {
        QFETCH(QueryRow, row);
        shared().showType = SheetMode::Check;
        MainDo model;
        MainDo::HeadStrings lists;
        QVERIFY(model.GetHeadString(1, lists));
        FilterSettings settings;
        QString error;
        QVERIFY2(sheetfilter::compileFilter(row.rows, lists.filterColumns, m_db->conn().dialect(), true,
                                            &settings.filter, &error),
                 qPrintable(error));
        QVERIFY2(sheetfilter::compileSort(row.sort, lists.sortColumns, true, &settings.sortBy, &error),
                 qPrintable(error));
        const Recordset rs = model.GetRsMain(1, {}, false, settings);
        QVERIFY2(rs.isOpen(), qPrintable(m_db->conn().lastError().detailed()));
        QStringList items;
        for (int r = 0; r < rs.RecordCount(); ++r)
            items << rs.value(r, u"FItemID").toString();
        QCOMPARE(items.join(QLatin1Char(' ')), row.items);
        // nothing typed reached the statement: every row is still there
        QCOMPARE(m_db->conn().Execute(QStringLiteral("SELECT COUNT(*) AS n FROM ICInvBackup")).integer(u"n"), 6);
    }

    void commandLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("parsed"); // field|compare|value|logic, or the message
        QTest::addRow("logic") << "物料代码:not like:12:or"
                               << "物料代码|not like|12|or";
        QTest::addRow("colon in the value") << "备注:=:a:b"
                                            << "备注|=|a:b|";
        QTest::addRow("no comparison") << "物料代码"
                                       << "条件“物料代码”应写作 字段:比较:比较值[:逻辑]";
        QTest::addRow("unknown comparison") << "物料代码:~:1"
                                            << "条件“物料代码:~:1”的比较方式不是可选的比较方式（= <> > >= < <= "
                                               "like not like）";
    }
    void commandLine()
    {
        QFETCH(QString, text);
        QFETCH(QString, parsed);
        SheetCondition c;
        QString error;
        const bool ok = sheetfilter::parseCondition(text, &c, &error);
        const QStringList cells{c.field, c.compare, c.value, c.logic};
        QCOMPARE(ok ? cells.join(QLatin1Char('|')) : error, parsed);
        SheetSortKey key;
        QVERIFY(sheetfilter::parseSortKey(QStringLiteral("物料代码:DESC"), &key, &error));
        QCOMPARE(key.field + key.direction, QStringLiteral("物料代码Desc"));
        QVERIFY(!sheetfilter::parseSortKey(QStringLiteral("物料代码:up"), &key, &error));
    }
};

STOCKCHECK_TEST(TestSheetFilter)
#include "tst_sheetfilter.moc"
