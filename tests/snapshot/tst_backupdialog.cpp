#include "snapshotfixture.h"
#include "testmain.h"

#include "snapshot/backupinvlogic.h"

#include <QAbstractItemModelTester>

namespace {

struct ValidationRow
{
    bool tickStock;
    BackupInvLogic::Restriction restriction;
    QList<QStringList> rows; // condition grid cells
    QString expected;
};

struct LookupRow
{
    QString field;
    bool shortNumbers;
    QString asked; // item class or table of the picker
    QString expected;
};

} // namespace

// A base-data picker that answers from a script and records what it was asked.
class ScriptedLookup : public BaseDataLookup
{
public:
    LookupRecord answer;
    QList<QPair<QString, QVariantMap>> calls; // item class or table, options

    LookupRecord lookup(int itemClass, const QVariantMap &options) override
    {
        calls.append({QString::number(itemClass), options});
        return answer;
    }
    LookupRecord listLookup(const QString &table, const QVariantMap &options) override
    {
        calls.append({table, options});
        return answer;
    }
};

// The backup dialog's logic: the stock tree, the goods restriction, the checks in
// their order, the dictionary it builds and the snapshot it starts.
class TestBackupDialog : public QObject
{
    Q_OBJECT

    SnapshotFixture fx;
    std::shared_ptr<ScriptedLookup> lookup;
    int group1 = 0, group2 = 0, s1 = 0, s2 = 0, s3 = 0, item = 0;

    // Stocks in two groups: 01 {01.01, 01.02}, 02 {02.01}.
    void seed()
    {
        Factories &f = *fx.f;
        group1 = f.baseItem(5, QStringLiteral("01"), QStringLiteral("原料"), 0, false);
        group2 = f.baseItem(5, QStringLiteral("02"), QStringLiteral("成品"), 0, false);
        s1 = f.stock(QStringLiteral("01.01"), QStringLiteral("一号仓"));
        s2 = f.stock(QStringLiteral("01.02"), QStringLiteral("二号仓"));
        s3 = f.stock(QStringLiteral("02.01"), QStringLiteral("三号仓"));
        for (const auto &[stock, parent] : {std::pair{s1, group1}, std::pair{s2, group1}, std::pair{s3, group2}})
            QVERIFY_SQL(fx.conn(), fx.conn().Exec(QStringLiteral("UPDATE t_Item SET FParentID = ? WHERE FItemID = ?"),
                                                  {parent, stock}));
        item = f.item(
            {.number = QStringLiteral("6.01"), .name = QStringLiteral("货品"), .barcode = QStringLiteral("690")});
        f.currentStock(item, s1, 0, 8);
    }

    QString k(int id) const { return QStringLiteral("k%1").arg(id); }

    void fillRow(BackupInvLogic &logic, int row, const QStringList &cells)
    {
        ConditionGridModel *grid = logic.conditions();
        for (int c = 0; c < cells.size(); ++c)
            if (!cells.at(c).isEmpty())
                QVERIFY(grid->setData(grid->index(row, c), cells.at(c)));
    }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void init()
    {
        QVERIFY(fx.setUp());
        lookup = std::make_shared<ScriptedLookup>();
        shared().components.lookup = lookup;
        seed();
    }
    void cleanup() { fx.tearDown(); }

    void stockTreeTicks()
    {
        BackupInvLogic logic;
        QVERIFY(logic.load());
        CheckTreeModel *tree = logic.stockTree();
        QAbstractItemModelTester tester(tree, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(tree->text(QStringLiteral("k0")), QStringLiteral("仓库"));
        QCOMPARE(tree->text(k(s2)), QStringLiteral("(01.02 ) 二号仓"));
        QCOMPARE(tree->parent(tree->indexOfKey(k(s2))), tree->indexOfKey(k(group1)));

        const QString root = QStringLiteral("k0");
        const struct
        {
            int id; // 0: the root
            bool tick;
            QStringList expected;
        } steps[] = {
            {s1, true, {root, k(group1), k(s1)}},
            {s2, true, {root, k(group1), k(s1), k(s2)}},
            {s1, false, {root, k(group1), k(s2)}},    // a ticked sibling keeps the group
            {s2, false, {}},                          // the last child clears the group and the root
            {group2, true, {root, k(group2), k(s3)}}, // a branch with everything above it
            {0, true, {root, k(group1), k(group2), k(s1), k(s2), k(s3)}},
            {group1, false, {root, k(group2), k(s3)}},
            {0, false, {}},
        };
        for (const auto &step : steps) {
            tree->setData(tree->indexOfKey(step.id ? k(step.id) : root), step.tick ? Qt::Checked : Qt::Unchecked,
                          Qt::CheckStateRole);
            QStringList got = tree->checkedKeys();
            QStringList want = step.expected;
            got.sort();
            want.sort();
            QCOMPARE(got, want);
        }
    }

    void conditionGridKeepsOneEmptyRow()
    {
        ConditionGridModel grid;
        QAbstractItemModelTester tester(&grid, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(grid.rowCount(), 1);
        QVERIFY(grid.setData(grid.index(0, ConditionGridModel::Field), QStringLiteral("物料名称")));
        QCOMPARE(grid.rowCount(), 2);
        QVERIFY(grid.setData(grid.index(1, ConditionGridModel::Value), QStringLiteral("a")));
        QCOMPARE(grid.rowCount(), 3);
        QVERIFY(grid.setData(grid.index(1, ConditionGridModel::Value), QString()));
        QCOMPARE(grid.rowCount(), 2); // two empty rows at the end: one goes
        // the listed columns take their lists only
        QVERIFY(!grid.setData(grid.index(0, ConditionGridModel::Compare), QStringLiteral("LIKE '%'")));
        QVERIFY(grid.setData(grid.index(0, ConditionGridModel::Compare), QStringLiteral("NOT  LIKE")));
        QCOMPARE(grid.rows().first().compare, QStringLiteral("not like"));
        QVERIFY(!grid.setData(grid.index(0, ConditionGridModel::Logic), QStringLiteral("xor")));
    }

    // The first failing check is told, and nothing is taken.
    void validationOrder_data()
    {
        QTest::addColumn<ValidationRow>("row");
        using R = BackupInvLogic::Restriction;
        const QList<QStringList> broken{{"", "", "x", ""}};
        QTest::addRow("no stock comes first") << ValidationRow{false, R::Commodity, broken, "请选择要盘点的仓库!"};
        QTest::addRow("no supplier") << ValidationRow{true, R::Supplier, {}, "请至少选择一个供应商!"};
        QTest::addRow("no brand") << ValidationRow{true, R::CommBrand, {}, "请至少选择一个品牌!"};
        QTest::addRow("no category") << ValidationRow{true, R::CommCategory, {}, "请至少选择一个商品类别!"};
        QTest::addRow("row without field") << ValidationRow{true, R::Commodity, broken, "第1行，[名称]列数据不完整！"};
        QTest::addRow("row without comparison")
            << ValidationRow{true, R::Commodity, {{"物料名称", "", "x", ""}}, "第1行，[比较]列数据不完整！"};
        QTest::addRow("row without logic before another")
            << ValidationRow{true,
                             R::Commodity,
                             {{"物料名称", "=", "x", ""}, {"仓位名称", "=", "y", ""}},
                             "第1行，[逻辑]列数据不完整！"};
        QTest::addRow("second row incomplete")
            << ValidationRow{true,
                             R::Commodity,
                             {{"物料名称", "=", "x", "and"}, {"仓位名称", "", "", ""}},
                             "第2行，[比较]列数据不完整！"};
    }
    void validationOrder()
    {
        QFETCH(ValidationRow, row);
        BackupInvLogic logic;
        QVERIFY(logic.load());
        if (row.tickStock)
            logic.stockTree()->setChecked(k(s1), true);
        logic.setRestriction(row.restriction);
        for (int r = 0; r < row.rows.size(); ++r)
            fillRow(logic, r, row.rows.at(r));
        QVERIFY(!logic.ok());
        QCOMPARE(fx.ui.messageTexts(), QStringList{row.expected});
        QCOMPARE(fx.ui.busyDepth, 0);
        QCOMPARE(fx.processes(), 0);
    }

    void dictionaryOfTheDialog()
    {
        BackupInvLogic logic;
        QVERIFY(logic.load());
        logic.stockTree()->setChecked(k(s1), true);
        logic.stockTree()->setChecked(k(s3), true);
        logic.setCutDate(true);
        logic.setDate(QDate(2026, 3, 9));
        SnapshotParams p = logic.buildParams();
        // every ticked node counts: the root and the groups match no stock rows
        QCOMPARE(p.text(SnapshotParams::Stock),
                 QStringLiteral("0,%1,%2,%3,%4").arg(group1).arg(s1).arg(group2).arg(s3));
        QVERIFY(!p.value(SnapshotParams::Filter).isValid()); // an empty grid takes every item
        QCOMPARE(p.isCutDate(), true);
        QCOMPARE(p.text(SnapshotParams::CutDate), QStringLiteral("2026-03-09"));
        QCOMPARE(p.operatorId(), fx.user);

        fillRow(logic, 0, {"物料代码", "like", "6.", "or"});
        fillRow(logic, 1, {"条形码", "=", "690", ""});
        p = logic.buildParams();
        QCOMPARE(p.conditions().size(), 2);
        QCOMPARE(p.conditions().at(1).value, QStringLiteral("690"));

        const int brand = fx.f->baseItem(2038, QStringLiteral("B1"), QStringLiteral("牌子"));
        logic.setRestriction(BackupInvLogic::Restriction::CommBrand);
        QVERIFY(logic.showsTypeTree());
        QCOMPARE(logic.typeTree()->text(QStringLiteral("k0")), QStringLiteral("品牌"));
        logic.typeTree()->setChecked(k(brand), true);
        p = logic.buildParams();
        QCOMPARE(p.text(SnapshotParams::CommBrand), QStringLiteral("0,%1").arg(brand));
        QVERIFY(!p.value(SnapshotParams::Filter).isValid());
    }

    void okTakesTheSnapshot()
    {
        BackupInvLogic logic;
        QVERIFY(logic.load());
        logic.stockTree()->setChecked(k(s2), true); // no stock there
        QVERIFY(!logic.ok());
        QCOMPARE(fx.ui.messageTexts(), QStringList{QStringLiteral("没有可用的数据，不能备份！")});

        fx.ui.clear();
        logic.stockTree()->setChecked(k(s1), true);
        QVERIFY(logic.ok());
        QCOMPARE(fx.ui.messageTexts(), QStringList{QStringLiteral("仓库备份已经完成!请按“确定”返回!")});
        QCOMPARE(fx.ui.busyDepth, 0);
        QCOMPARE(fx.processes(), 1);
        QCOMPARE(countRows(fx.conn(), logic.engine().processId()).size(), 1);
    }

    // F7 in a value cell: the picker of the row's field; its choice fills the cell,
    // a cancelled one leaves it.
    void valueLookups_data()
    {
        QTest::addColumn<LookupRow>("row");
        QTest::addRow("item number") << LookupRow{"物料代码", false, "4", "6.01"};
        QTest::addRow("item short number") << LookupRow{"物料代码", true, "4", "01"};
        QTest::addRow("barcode of the chosen item") << LookupRow{"条形码", false, "4", "690"};
        QTest::addRow("stock place name") << LookupRow{"仓位名称", false, "t_StockPlace", "七号位"};
    }
    void valueLookups()
    {
        QFETCH(LookupRow, row);
        fx.f->systemParam(QStringLiteral("IC"), QStringLiteral("UseShortNumber"), row.shortNumbers ? "1" : "0");
        BackupInvLogic logic;
        QVERIFY(logic.load());
        fillRow(logic, 0, {row.field, "=", "typed", ""});
        const bool items = row.asked == QLatin1String("4");
        lookup->answer.properties =
            items ? QVariantMap{{"FItemID", item}, {"FNumber", "6.01"}, {"FShortNumber", "01"}, {"FName", "货品"}}
                  : QVariantMap{{"FSPID", 7}, {"FNumber", "P-7"}, {"FShortNumber", "P-7"}, {"FName", "七号位"}};
        QVERIFY(logic.lookupValue(0));
        QCOMPARE(lookup->calls.size(), 1);
        QCOMPARE(lookup->calls.first().first, row.asked);
        QCOMPARE(lookup->calls.first().second.value("Search").toString(), QStringLiteral("typed"));
        if (items)
            QCOMPARE(lookup->calls.first().second.value("ErpClsIDs").toList(), (QVariantList{1, 2, 3, 5, 7, 9}));
        QCOMPARE(logic.conditions()->rows().first().value, row.expected);
        lookup->answer = {};
        QVERIFY(!logic.lookupValue(0));
        QCOMPARE(logic.conditions()->rows().first().value, row.expected);
        QVERIFY(!logic.lookupValue(1)); // an empty row has no field to look up
    }
};

STOCKCHECK_TEST(TestBackupDialog)
#include "tst_backupdialog.moc"
