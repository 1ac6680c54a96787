#include "snapshotfixture.h"
#include "testmain.h"

#include "snapshot/ui/backupinvdialog.h"
#include "snapshot/ui/backuptypedialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTreeView>

// The backup dialogs as widgets: their controls, keys and clicks reach the logic.
// Screenshots go to the temporary folder (stockcheck-*.png) for a look.
class TestBackupWidgets : public QObject
{
    Q_OBJECT

    SnapshotFixture fx;
    int stockA = 0, stockB = 0, item = 0;

    struct PickAny : BaseDataLookup
    {
        int calls = 0;
        LookupRecord lookup(int, const QVariantMap &) override
        {
            ++calls;
            return LookupRecord{{{"FItemID", 1}, {"FNumber", "7.01"}, {"FShortNumber", "01"}, {"FName", "样品"}}};
        }
        LookupRecord listLookup(const QString &, const QVariantMap &) override { return {}; }
    };

    template<typename T>
    T *child(QWidget *parent, const char *name)
    {
        T *w = parent->findChild<T *>(QString::fromLatin1(name));
        if (!w)
            QTest::qFail(qPrintable(QStringLiteral("no control %1").arg(QString::fromLatin1(name))), __FILE__,
                         __LINE__);
        return w;
    }

    void screenshot(QWidget *w, const QString &name)
    {
        const QString path =
            QDir::temp().filePath(QStringLiteral("stockcheck-%1-%2.png").arg(name, QGuiApplication::platformName()));
        QVERIFY(w->grab().save(path));
    }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void init()
    {
        QVERIFY(fx.setUp());
        stockA = fx.f->stock(QStringLiteral("01"), QStringLiteral("原料仓"));
        stockB = fx.f->stock(QStringLiteral("02"), QStringLiteral("成品仓"));
        item = fx.f->item({.number = QStringLiteral("7.01"), .name = QStringLiteral("样品")});
        fx.f->currentStock(item, stockA, 0, 3);
        fx.f->baseItem(2038, QStringLiteral("B1"), QStringLiteral("品牌一"));
        fx.f->baseItem(2038, QStringLiteral("B2"), QStringLiteral("品牌二"));
    }
    void cleanup() { fx.tearDown(); }

    void controlsAndRestrictionViews()
    {
        BackupInvDialog dialog;
        QVERIFY(dialog.load());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (const char *name :
             {"Frame1", "Frame2", "Frame3", "optCurStock", "OptCutDate", "dtpDate", "tvwStorehouse", "optCommodity",
              "optSupplier", "optCommBrand", "optCommCategory", "tvwStoreType", "vsProc", "cmdOK", "cmdCancel"})
            QVERIFY2(dialog.findChild<QWidget *>(QString::fromLatin1(name)), name);
        QVERIFY(child<QRadioButton>(&dialog, "optCurStock")->isChecked());
        QCOMPARE(child<QDateEdit>(&dialog, "dtpDate")->date(), QDate::currentDate());
        auto *grid = child<QTableView>(&dialog, "vsProc");
        auto *types = child<QTreeView>(&dialog, "tvwStoreType");
        QVERIFY(grid->isVisible());
        QVERIFY(!types->isVisible());

        // the stock tree ticks with the space key like a person would
        auto *stocks = child<QTreeView>(&dialog, "tvwStorehouse");
        CheckTreeModel *tree = dialog.logic()->stockTree();
        stocks->setFocus();
        stocks->setCurrentIndex(tree->indexOfKey(QStringLiteral("k%1").arg(stockA)));
        QTest::keyClick(stocks, Qt::Key_Space);
        QCOMPARE(tree->checkedKeys(), (QStringList{"k0", QStringLiteral("k%1").arg(stockA)}));

        ConditionGridModel *conditions = dialog.logic()->conditions();
        conditions->setData(conditions->index(0, ConditionGridModel::Field), QStringLiteral("物料代码"));
        conditions->setData(conditions->index(0, ConditionGridModel::Compare), QStringLiteral("like"));
        conditions->setData(conditions->index(0, ConditionGridModel::Value), QStringLiteral("7."));
        QCOMPARE(grid->model()->rowCount(), 2);
        screenshot(&dialog, QStringLiteral("frmBackupInv"));

        auto *brands = child<QRadioButton>(&dialog, "optCommBrand");
        QTest::mouseClick(brands, Qt::LeftButton, {}, QPoint(6, brands->height() / 2));
        QVERIFY(types->isVisible());
        QVERIFY(!grid->isVisible());
        QCOMPARE(types->model()->rowCount(types->model()->index(0, 0)), 2);
        types->expandAll();
        screenshot(&dialog, QStringLiteral("frmBackupInv-brands"));
        auto *commodity = child<QRadioButton>(&dialog, "optCommodity");
        QTest::mouseClick(commodity, Qt::LeftButton, {}, QPoint(6, commodity->height() / 2));
        QVERIFY(grid->isVisible());
    }

    void keysReachTheLogic()
    {
        auto picker = std::make_shared<PickAny>();
        shared().components.lookup = picker;
        BackupInvDialog dialog;
        QVERIFY(dialog.load());
        dialog.show();
        dialog.activateWindow(); // keys go to the focus of the active window
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto *grid = child<QTableView>(&dialog, "vsProc");
        ConditionGridModel *conditions = dialog.logic()->conditions();
        conditions->setData(conditions->index(0, ConditionGridModel::Field), QStringLiteral("物料名称"));
        grid->setFocus();
        grid->setCurrentIndex(conditions->index(0, ConditionGridModel::Value)); // opens the cell's editor
        QWidget *editor = QApplication::focusWidget();
        QVERIFY(editor && editor != grid);
        QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QStringLiteral("样"), Qt::NoModifier);
        QTest::keyClick(editor, Qt::Key_F7);
        QCOMPARE(picker->calls, 1);
        QCOMPARE(conditions->rows().first().value, QStringLiteral("样品"));

        QTest::keyClick(grid, Qt::Key_F1);
        QCOMPARE(fx.ui.helpTopics, QStringList{"ICStockCheckBackUpInv"});

        // OK without a ticked stock: told, and the dialog stays
        QTest::mouseClick(child<QAbstractButton>(&dialog, "cmdOK"), Qt::LeftButton);
        QCOMPARE(fx.ui.messageTexts(), QStringList{"请选择要盘点的仓库!"});
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void listedCellsEditWithTheirLists()
    {
        BackupInvDialog dialog;
        QVERIFY(dialog.load());
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto *grid = child<QTableView>(&dialog, "vsProc");
        ConditionGridModel *conditions = dialog.logic()->conditions();
        grid->setFocus();
        grid->setCurrentIndex(conditions->index(0, ConditionGridModel::Compare));
        auto *combo = qobject_cast<QComboBox *>(QApplication::focusWidget());
        QVERIFY(combo);
        QCOMPARE(combo->count(), 1 + 8); // empty, then the comparisons
        combo->setCurrentIndex(combo->findText(QStringLiteral("not like")));
        emit combo->activated(combo->currentIndex());
        QCOMPARE(conditions->rows().first().compare, QStringLiteral("not like"));
        QCOMPARE(conditions->rowCount(), 2);
    }

    void okTakesTheSnapshotAndCloses()
    {
        BackupInvDialog dialog;
        QVERIFY(dialog.load());
        dialog.show();
        dialog.logic()->stockTree()->setChecked(QStringLiteral("k%1").arg(stockA), true);
        child<QRadioButton>(&dialog, "OptCutDate")->setChecked(false);
        QTest::mouseClick(child<QAbstractButton>(&dialog, "cmdOK"), Qt::LeftButton);
        QCOMPARE(fx.ui.messageTexts(), QStringList{"仓库备份已经完成!请按“确定”返回!"});
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(fx.processes(), 1);
    }

    void backupTypeDialog()
    {
        BackupTypeDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("选择盘点类型"));
        QVERIFY(child<QRadioButton>(&dialog, "OpCurStock")->isChecked());
        screenshot(&dialog, QStringLiteral("FrmBackupType"));
        QTest::keyClick(&dialog, Qt::Key_F1);
        QCOMPARE(fx.ui.helpTopics, QStringList{"ICStockCheckBackUpType"});
        QCOMPARE(dialog.logic().result(), (QVariantMap{{"BackupType", 1}, {"Cancelled", true}}));
        auto *cutDate = child<QRadioButton>(&dialog, "OptCutDate");
        QTest::mouseClick(cutDate, Qt::LeftButton, {}, QPoint(6, cutDate->height() / 2)); // on its indicator
        QVERIFY(cutDate->isChecked());
        QTest::mouseClick(child<QAbstractButton>(&dialog, "cmdOK"), Qt::LeftButton);
        QCOMPARE(dialog.logic().result(), (QVariantMap{{"BackupType", 2}, {"Cancelled", false}}));
    }
};

STOCKCHECK_TEST(TestBackupWidgets)
#include "tst_backupwidgets.moc"
