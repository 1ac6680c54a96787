#include "snapshottest.h"
#include "testmain.h"

#include "erp/resloader.h"
#include "snapshot/backupinvlogic.h"
#include "snapshot/goodsfilter.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

namespace {

struct ValidationRow
{
    int stock; // the ticked stock: 1 with rows, 2 without, 0 none
    BackupInvLogic::Restriction restriction;
    QList<QStringList> rows; // condition grid cells
    QString expected;
};

} // namespace

// The backup dialog's logic: the stock tree, the goods restriction, the checks in
// their order, the dictionary it builds and the value pickers.
class TestBackupDialog : public SnapshotTest
{
    Q_OBJECT

    std::shared_ptr<ScriptedLookup> lookup;
    int group1 = 0, group2 = 0, s1 = 0, s2 = 0, s3 = 0, item = 0;

    // Stocks in two groups: 01 {01.01, 01.02}, 02 {02.01}; goods in 01.01 only.
    void seed() override
    {
        lookup = std::make_shared<ScriptedLookup>();
        shared().components.lookup = lookup;
        group1 = f->baseItem(5, "01", "原料", 0, false);
        group2 = f->baseItem(5, "02", "成品", 0, false);
        s1 = f->stock("01.01", "一号仓");
        s2 = f->stock("01.02", "二号仓");
        s3 = f->stock("02.01", "三号仓");
        for (const auto &[stock, parent] : {std::pair{s1, group1}, std::pair{s2, group1}, std::pair{s3, group2}})
            QVERIFY(exec("UPDATE t_Item SET FParentID = ? WHERE FItemID = ?", {parent, stock}));
        item = f->item({.number = "6.01", .name = "货品", .barcode = "690"});
        f->currentStock(item, s1, 0, 8);
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
    // Ticks go down the branch and up to the root; a node with a branch not ticked
    // throughout shows partly ticked, and every node whose box changes is repainted.
    void stockTreeTicks()
    {
        BackupInvLogic logic;
        QVERIFY(logic.load());
        CheckTreeModel *tree = logic.stockTree();
        QAbstractItemModelTester tester(tree, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(tree->text(k(s2)), QStringLiteral("(01.02) 二号仓"));
        const QString root = "k0";
        const QStringList all{root, k(group1), k(group2), k(s1), k(s2), k(s3)};
        const struct
        {
            int id; // 0: the root
            bool tick;
            QStringList expected, partly;
        } steps[] = {
            {s1, true, {root, k(group1), k(s1)}, {root, k(group1)}},
            {s2, true, {root, k(group1), k(s1), k(s2)}, {root}},
            {s1, false, {root, k(group1), k(s2)}, {root, k(group1)}}, // a ticked sibling keeps the group
            {0, true, all, {}}, // a partly ticked group turns whole, its own tick unchanged
            {s1, false, {root, k(group1), k(group2), k(s2), k(s3)}, {root, k(group1)}},
            {group2, false, {root, k(group1), k(s2)}, {root, k(group1)}},
            {s2, false, {}, {}},                              // the last child clears the group and the root
            {group2, true, {root, k(group2), k(s3)}, {root}}, // a branch with everything above it
            {0, false, {}, {}},
        };
        QHash<QString, Qt::CheckState> shown;
        for (const QString &key : all)
            shown[key] = Qt::Unchecked;
        for (const auto &step : steps) {
            QSignalSpy repainted(tree, &QAbstractItemModel::dataChanged);
            tree->setData(tree->indexOfKey(step.id ? k(step.id) : root), step.tick ? Qt::Checked : Qt::Unchecked,
                          Qt::CheckStateRole);
            QStringList got = tree->checkedKeys();
            QStringList want = step.expected;
            got.sort();
            want.sort();
            QCOMPARE(got, want);
            for (const QString &key : all) {
                const Qt::CheckState state = step.partly.contains(key)     ? Qt::PartiallyChecked
                                             : step.expected.contains(key) ? Qt::Checked
                                                                           : Qt::Unchecked;
                QCOMPARE(tree->data(tree->indexOfKey(key), Qt::CheckStateRole).toInt(), int(state));
                const bool told = std::any_of(repainted.begin(), repainted.end(), [&](const QList<QVariant> &args) {
                    return args.at(0).toModelIndex().data(CheckTreeModel::KeyRole).toString() == key;
                });
                QVERIFY2(told || shown.value(key) == state, qPrintable(key));
                shown[key] = state;
            }
        }
    }

    void conditionGridKeepsOneEmptyRow()
    {
        ConditionGridModel grid;
        QAbstractItemModelTester tester(&grid, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(grid.rowCount(), 1);
        QVERIFY(grid.setData(grid.index(0, ConditionGridModel::Field), "物料名称"));
        QCOMPARE(grid.rowCount(), 2);
        QVERIFY(grid.setData(grid.index(1, ConditionGridModel::Value), "a"));
        QCOMPARE(grid.rowCount(), 3);
        QVERIFY(grid.setData(grid.index(1, ConditionGridModel::Value), QString()));
        QCOMPARE(grid.rowCount(), 2); // two empty rows at the end: one goes
        // the listed columns take their lists only
        QVERIFY(!grid.setData(grid.index(0, ConditionGridModel::Compare), "LIKE '%'"));
        QVERIFY(grid.setData(grid.index(0, ConditionGridModel::Compare), "NOT  LIKE"));
        QCOMPARE(grid.rows().first().compare, "not like");
        QVERIFY(!grid.setData(grid.index(0, ConditionGridModel::Logic), "xor"));
    }

    // The first failing check is told, and nothing is taken.
    void validationOrder_data()
    {
        QTest::addColumn<ValidationRow>("row");
        using R = BackupInvLogic::Restriction;
        const QList<QStringList> broken{{"", "", "x", ""}};
        QTest::addRow("no stock comes first") << ValidationRow{0, R::Commodity, broken, "请选择要盘点的仓库!"};
        QTest::addRow("no brand") << ValidationRow{1, R::CommBrand, {}, "请至少选择一个品牌!"};
        QTest::addRow("row without field") << ValidationRow{1, R::Commodity, broken, "第1行，[名称]列数据不完整！"};
        QTest::addRow("row without comparison")
            << ValidationRow{1, R::Commodity, {{"物料名称", "", "x", ""}}, "第1行，[比较]列数据不完整！"};
        QTest::addRow("row without logic before another") << ValidationRow{
            1, R::Commodity, {{"物料名称", "=", "x", ""}, {"仓位名称", "=", "y", ""}}, "第1行，[逻辑]列数据不完整！"};
        QTest::addRow("second row incomplete") << ValidationRow{
            1, R::Commodity, {{"物料名称", "=", "x", "and"}, {"仓位名称", "", "", ""}}, "第2行，[比较]列数据不完整！"};
        QTest::addRow("then the pre-checks") << ValidationRow{2, R::Commodity, {}, "没有可用的数据，不能备份！"};
    }
    void validationOrder()
    {
        QFETCH(ValidationRow, row);
        BackupInvLogic logic;
        QVERIFY(logic.load());
        if (row.stock)
            logic.stockTree()->setChecked(k(row.stock == 1 ? s1 : s2), true);
        logic.setRestriction(row.restriction);
        for (int r = 0; r < row.rows.size(); ++r)
            fillRow(logic, r, row.rows.at(r));
        QVERIFY(!logic.ok());
        QCOMPARE(ui.messageTexts(), QStringList{row.expected});
        QCOMPARE(ui.busyDepth, 0);
        QCOMPARE(processes(), 0);
    }

    // Without the system start date the engine refuses silently; the dialog says why.
    void missingStartDateIsTold()
    {
        QVERIFY(exec("DELETE FROM t_SystemProfile WHERE FKey = 'StartYear'"));
        BackupInvLogic logic;
        QVERIFY(logic.load());
        logic.stockTree()->setChecked(k(s1), true);
        QVERIFY(!logic.ok());
        QCOMPARE(ui.messageTexts(), QStringList{"读不到系统启用日期，不能备份！"});
    }

    // The mode and day of the dialog reach the snapshot; a brand restriction
    // replaces the conditions.
    void dictionaryOfTheDialog()
    {
        BackupInvLogic logic;
        QVERIFY(logic.load());
        logic.setCutDate(true);
        logic.setDate(QDate(2026, 3, 9));
        fillRow(logic, 0, {"物料代码", "like", "6.", ""});
        const int brand = f->baseItem(2038, "B1", "牌子");
        logic.setRestriction(BackupInvLogic::Restriction::CommBrand);
        logic.typeTree()->setChecked(k(brand), true);
        const SnapshotParams p = logic.buildParams();
        QCOMPARE(p.isCutDate(), true);
        QCOMPARE(p.cutDate(), QDate(2026, 3, 9));
        QCOMPARE(p.text(SnapshotParams::CommBrand), QStringLiteral("0,%1").arg(brand));
        QVERIFY(!p.value(SnapshotParams::Filter).isValid());
    }

    // F7 in a value cell: the picker of the row's field, asked with the typed text;
    // its choice fills the cell, a cancelled one leaves it.
    void valueLookups_data()
    {
        QTest::addColumn<QStringList>("row"); // field, item class or table of the picker, value set
        QTest::addRow("item number") << QStringList{"物料代码", "4", "6.01"};
        QTest::addRow("barcode of the chosen item") << QStringList{"条形码", "4", "690"};
        QTest::addRow("stock place name") << QStringList{"仓位名称", "t_StockPlace", "七号位"};
    }
    void valueLookups()
    {
        QFETCH(QStringList, row);
        const QString field = row.at(0), asked = row.at(1), expected = row.at(2);
        f->systemParam("IC", "UseShortNumber", "0");
        BackupInvLogic logic;
        QVERIFY(logic.load());
        fillRow(logic, 0, {field, "=", "typed", ""});
        lookup->answer.properties = asked == "4"
                                        ? QVariantMap{{"FItemID", item}, {"FNumber", "6.01"}, {"FName", "货品"}}
                                        : QVariantMap{{"FSPID", 7}, {"FNumber", "P-7"}, {"FName", "七号位"}};
        QVERIFY(logic.lookupValue(0));
        QCOMPARE(lookup->calls.size(), 1);
        QCOMPARE(lookup->calls.first().first, asked);
        QCOMPARE(lookup->calls.first().second.value("Search").toString(), "typed");
        QCOMPARE(logic.conditions()->rows().first().value, expected);
        lookup->answer = {};
        QVERIFY(!logic.lookupValue(0));
        QCOMPARE(logic.conditions()->rows().first().value, expected);
    }

    // An unknown field lists the fields in the words of the login language, and
    // each listed word is taken back as its field.
    void unknownFieldListsTranslatedFields_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("listed");
        QTest::addRow("source") << "chs"
                                << "物料代码、物料名称、仓位代码、仓位名称、条形码";
        QTest::addRow("English") << "EN"
                                 << "Item Code, Item Name, Bin Code, Bin Name, Barcode";
    }
    void unknownFieldListsTranslatedFields()
    {
        QFETCH(QString, language);
        QFETCH(QString, listed);
        shared().components.resLoader = std::make_shared<erp::QtResLoader>();
        ParseProps(QStringLiteral("UserID=%1;LANGUAGE=%2;").arg(user).arg(language));
        GoodsCondition row;
        QString error;
        QVERIFY(!GoodsFilter::parse(QStringLiteral("FNumber:=:1"), &row, &error));
        QVERIFY2(error.contains(listed), qPrintable(error));
        const QStringList words = listed.split(language == "EN" ? QStringLiteral(", ") : QStringLiteral("、"));
        for (qsizetype i = 0; i < words.size(); ++i) {
            QVERIFY2(GoodsFilter::parse(words.at(i) + QStringLiteral(":=:1"), &row, &error), qPrintable(error));
            QCOMPARE(row.field, GoodsFilter::fields().at(i));
        }
    }
};

STOCKCHECK_TEST(TestBackupDialog)
#include "tst_backupdialog.moc"
