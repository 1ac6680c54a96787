#include "snapshottest.h"
#include "testmain.h"

#include "snapshot/ui/backupinvdialog.h"
#include "snapshot/ui/backuptypedialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QRadioButton>
#include <QTableView>
#include <QTreeView>

// The backup dialogs as widgets: keys, clicks and editors reach the logic.
class TestBackupWidgets : public SnapshotTest
{
    Q_OBJECT

    int stockA = 0;

    template<typename T>
    static T *child(QWidget *parent, const char *name)
    {
        T *w = parent->findChild<T *>(QString::fromLatin1(name));
        if (!w)
            QTest::qFail(qPrintable(QStringLiteral("no control %1").arg(QString::fromLatin1(name))), __FILE__,
                         __LINE__);
        return w;
    }

    static void clickRadio(QRadioButton *button)
    {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2)); // on its indicator
    }

    void seed() override
    {
        stockA = f->stock("01", "原料仓");
        f->stock("02", "成品仓");
        f->currentStock(f->item({.number = "7.01", .name = "样品"}), stockA, 0, 3);
        f->baseItem(2038, "B1", "品牌一");
        f->baseItem(2038, "B2", "品牌二");
    }

private slots:
    // The restriction buttons swap the grid and the type tree; typed text and F7
    // in a value editor reach the picker, F1 the help; a listed cell edits with its
    // list; OK without a ticked stock is told and keeps the dialog, OK with a stock
    // ticked by the space key takes the snapshot of the condition and closes.
    void backupDialog()
    {
        auto picker = std::make_shared<ScriptedLookup>();
        picker->answer.properties = {{"FItemID", 1}, {"FNumber", "7.01"}, {"FName", "样品"}};
        shared().components.lookup = picker;
        BackupInvDialog dialog;
        QVERIFY(dialog.load());
        dialog.show();
        dialog.activateWindow(); // keys go to the focus of the active window
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto *grid = child<QTableView>(&dialog, "vsProc");
        auto *types = child<QTreeView>(&dialog, "tvwStoreType");
        clickRadio(child<QRadioButton>(&dialog, "optCommBrand"));
        QVERIFY(types->isVisible() && !grid->isVisible());
        QCOMPARE(types->model()->rowCount(types->model()->index(0, 0)), 2);
        clickRadio(child<QRadioButton>(&dialog, "optCommodity"));
        QVERIFY(grid->isVisible() && !types->isVisible());

        ConditionGridModel *conditions = dialog.logic()->conditions();
        conditions->setData(conditions->index(0, ConditionGridModel::Field), "物料名称");
        grid->setFocus();
        grid->setCurrentIndex(conditions->index(0, ConditionGridModel::Value)); // opens the cell's editor
        QWidget *editor = QApplication::focusWidget();
        QVERIFY(editor && editor != grid);
        QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, "样", Qt::NoModifier);
        QTest::keyClick(editor, Qt::Key_F7);
        QCOMPARE(picker->calls.size(), 1);
        QCOMPARE(conditions->rows().first().value, "样品");
        QTest::keyClick(grid, Qt::Key_F1);
        QCOMPARE(ui.helpTopics, QStringList{"ICStockCheckBackUpInv"});
        grid->setCurrentIndex(conditions->index(0, ConditionGridModel::Compare));
        auto *combo = qobject_cast<QComboBox *>(QApplication::focusWidget());
        QVERIFY(combo);
        combo->setCurrentIndex(combo->findText("like"));
        emit combo->activated(combo->currentIndex());
        QCOMPARE(conditions->rows().first().compare, "like");

        QTest::mouseClick(child<QAbstractButton>(&dialog, "cmdOK"), Qt::LeftButton);
        QCOMPARE(ui.messageTexts(), QStringList{"请选择要盘点的仓库!"});
        QVERIFY(dialog.isVisible());
        auto *stocks = child<QTreeView>(&dialog, "tvwStorehouse");
        stocks->setFocus();
        stocks->setCurrentIndex(dialog.logic()->stockTree()->indexOfKey(QStringLiteral("k%1").arg(stockA)));
        QTest::keyClick(stocks, Qt::Key_Space);
        ui.clear();
        QTest::mouseClick(child<QAbstractButton>(&dialog, "cmdOK"), Qt::LeftButton);
        const int process = dialog.logic()->engine().processId();
        // the message names the new process as the process list shows it
        const QString number = values("SELECT FProcessID FROM ICStockCheckProcess WHERE FID = ?", {process});
        QVERIFY(!number.isEmpty());
        QCOMPARE(ui.messageTexts(), QStringList{"仓库备份已经完成!盘点方案编号：" + number + "，请按“确定”返回!"});
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(positions(process).size(), 1);
    }

    void backupTypeDialog()
    {
        BackupTypeDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.logic().result(), (QVariantMap{{"BackupType", 1}, {"Cancelled", true}}));
        clickRadio(child<QRadioButton>(&dialog, "OptCutDate"));
        QTest::mouseClick(child<QAbstractButton>(&dialog, "cmdOK"), Qt::LeftButton);
        QCOMPARE(dialog.logic().result(), (QVariantMap{{"BackupType", 2}, {"Cancelled", false}}));
    }
};

STOCKCHECK_TEST(TestBackupWidgets)
#include "tst_backupwidgets.moc"
