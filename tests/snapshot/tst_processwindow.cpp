#include "snapshottest.h"
#include "testmain.h"

#include "erp/gldata.h"
#include "snapshot/ui/chkstockprocwindow.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QToolBar>

// The count process list as a widget: its controls, an edit typed into the grid,
// the tick tools and the close box reach the logic.
class TestProcessWindow : public SnapshotTest
{
    Q_OBJECT

private slots:
    void window()
    {
        erp::grantRights(conn(), user, erp::allRights());
        QVERIFY(exec("INSERT INTO ICStockCheckProcess (FID, FProcessID, FDate, FOperatorID) VALUES (1, 'P1', ?, ?)",
                     {Dialect::dateValue(QDate(2026, 3, 1)), user}));
        ChkStockProcWindow w({{"UserID", user}});
        QVERIFY(w.load());
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto *grid = w.findChild<QTableView *>("vsProc");
        QVERIFY(grid && w.findChild<QToolBar *>("barProc"));
        QVERIFY(grid->isColumnHidden(ProcListModel::Status));
        QCOMPARE(w.tool(ChkStockProcLogic::Delete)->toolTip(), "删除当前盘点进程");

        // typing into the name cell edits, up to 50 characters; a tool takes the
        // text of the open editor
        grid->setCurrentIndex(grid->model()->index(0, ProcListModel::Name));
        grid->edit(grid->currentIndex());
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor);
        QCOMPARE(editor->maxLength(), 50);
        editor->selectAll();
        QTest::keyClicks(editor, "Y2026");
        w.tool(ChkStockProcLogic::Save)->trigger();
        QCOMPARE(values("SELECT FProcessID FROM ICStockCheckProcess"), "Y2026");

        w.tool(ChkStockProcLogic::WithoutStock)->trigger();
        w.tool(ChkStockProcLogic::WithStock)->trigger();
        QVERIFY(w.tool(ChkStockProcLogic::WithStock)->isChecked());
        QVERIFY(!w.tool(ChkStockProcLogic::WithoutStock)->isChecked());

        w.logic()->model()->setText(0, ProcListModel::Remark, "R");
        ui.answers = {HostUi::Answer::Cancel, HostUi::Answer::Yes};
        QVERIFY(!w.close()); // Cancel stays
        QVERIFY(w.close());  // Yes saves and closes
        QCOMPARE(values("SELECT FRemark FROM ICStockCheckProcess"), "R");
    }
};

STOCKCHECK_TEST(TestProcessWindow)
#include "tst_processwindow.moc"
