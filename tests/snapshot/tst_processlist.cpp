#include "snapshottest.h"
#include "testmain.h"

#include "erp/gldata.h"
#include "snapshot/chkstockproclogic.h"

namespace {
using A = HostUi::Answer;
using R = GLData::Right;
using L = ChkStockProcLogic;
} // namespace

// The count process list as a person uses it: every tool in its order, with its
// refusals and messages, answered by the scripted person.
class TestProcessList : public SnapshotTest
{
    Q_OBJECT

    int item = 0, stock = 0;
    QStringList opened; // windows opened, with the process the sheet was to show

    void seed() override
    {
        item = f->item({.number = "1.01", .name = "螺丝"});
        stock = f->stock("S1", "一仓");
        for (int id = 1; id <= 3; ++id) {
            QVERIFY(exec(
                "INSERT INTO ICStockCheckProcess (FID, FProcessID, FDate, FOperatorID, FStatus, FRemark)"
                " VALUES (?, ?, ?, ?, ?, '')",
                {id, QStringLiteral("P%1").arg(id), Dialect::dateValue(QDate(2026, 3, id)), user, id == 3 ? 1 : 0}));
            QVERIFY(exec("INSERT INTO ICInvBackup (FInterID, FItemID, FUnitID, FStockID, FQty) VALUES (?, ?, 1, ?, 5)",
                         {id, item, stock}));
        }
        opened.clear();
        for (const char *name : {"frmBackupInv", "frmMain"})
            shared().components.windows.add(QString::fromLatin1(name), [this, name](const QVariantMap &args) {
                opened << QStringLiteral("%1 %2 %3")
                              .arg(QLatin1String(name), args.value("ShowType").toString())
                              .arg(shared().currentProcess);
                return QVariantMap();
            });
    }
    void grant(const QList<R> &rights) { erp::grantRights(conn(), user, rights); }
    std::unique_ptr<L> openList()
    {
        auto logic = std::make_unique<L>(QVariantMap{{"UserID", user}});
        [&] { QVERIFY(logic->load()); }();
        return logic;
    }
    QString names() { return values("SELECT FProcessID, FRemark FROM ICStockCheckProcess ORDER BY FID"); }
    QString gridIds(L &l)
    {
        QStringList ids;
        for (const auto &p : l.model()->processes())
            ids << QString::number(p.id) + (l.model()->data(l.model()->index(ids.size(), 0)).toString());
        return ids.join(' ');
    }

private slots:
    void opening()
    {
        auto l = openList();
        QCOMPARE(gridIds(*l), "1 2 3Y"); // all processes, ascending, status 1 marked
        QCOMPARE(l->statusText(), "选择已经存在的盘点方案或新建");
        QCOMPARE(l->model()->data(l->model()->index(0, ProcListModel::User)).toString(), "张三");
        QCOMPARE(l->model()->data(l->model()->index(1, ProcListModel::Date)).toString(), "2026-03-02");
    }

    // Each tool asks its right first; without it the message and nothing else.
    void refusedWithoutRight_data()
    {
        QTest::addColumn<int>("tool");
        QTest::addColumn<QString>("message");
        QTest::addRow("new") << int(L::New) << "没有备份账存数据的权限，请与系统管理员联系!";
        QTest::addRow("tick per stock") << int(L::WithStock) << "没有备份账存数据的权限，请与系统管理员联系!";
        QTest::addRow("open") << int(L::Open) << "没有查看盘点报告单的权限，请与系统管理员联系!";
        QTest::addRow("save") << int(L::Save) << "没有更改盘点方案的权限，请与系统管理员联系!";
        QTest::addRow("delete") << int(L::Delete) << "没有删除盘点方案的权限，请与系统管理员联系!";
    }
    void refusedWithoutRight()
    {
        QFETCH(int, tool);
        QFETCH(QString, message);
        auto l = openList();
        l->model()->setText(0, ProcListModel::Name, "新名");
        QVERIFY(!l->toolClick(tool));
        QCOMPARE(ui.messageTexts(), QStringList{message});
        QVERIFY(ui.questions.isEmpty());
        QVERIFY(opened.isEmpty());
        QVERIFY(!l->isTicked(L::WithStock));
        QCOMPARE(names(), "P1 ; P2 ; P3 ");
        QCOMPARE(processes(), 3);
        QCOMPARE(scalar("SELECT COUNT(*) FROM t_Log"), 0);
    }

    void save()
    {
        grant({R::ChangeCountPlan});
        auto l = openList();
        ProcListModel *m = l->model();
        m->setText(0, ProcListModel::Name, "P2"); // the name of another row
        m->setText(1, ProcListModel::Remark, QString(120, QChar(u'备')));
        QVERIFY(!l->toolClick(L::Save));
        QCOMPARE(ui.lastMessage(), "盘点方案[P2]重复，请修改后保存!");
        QCOMPARE(names(), "P1 ; P2 ; P3 "); // nothing written
        QCOMPARE(m->pendingEdits().size(), 2);

        m->setText(0, ProcListModel::Name, "年末盘点"); // replaces the row's edit
        QVERIFY(m->setData(m->index(0, ProcListModel::Remark), "全部"));
        QVERIFY(!(m->flags(m->index(0, ProcListModel::Date)) & Qt::ItemIsEditable));
        QCOMPARE(m->pendingEdits().value(1).value("ProcID").toString(), "年末盘点");
        QVERIFY(l->save());
        QCOMPARE(names(), "年末盘点 全部; P2 " + QString(100, QChar(u'备')) + "; P3 ");
        QVERIFY(!m->hasPendingEdits());
    }

    void deleteRefusals()
    {
        grant({R::DeleteCountPlan});
        f->document(40, {{.item = item, .qty = 1, .stock = stock}}, {.procId = 2, .billNo = "PY1"});
        f->document(43, {{.item = item, .qty = 1, .stock = stock}}, {.procId = 2, .billNo = "PK1"});
        auto l = openList();
        l->setCurrentRow(2); // audited
        QVERIFY(!l->deleteCurrent());
        l->setCurrentRow(1); // has documents
        QVERIFY(!l->deleteCurrent());
        ui.answers = {A::No};
        l->setCurrentRow(0); // declined
        QVERIFY(!l->deleteCurrent());
        QCOMPARE(ui.messageTexts(), QStringList({"该盘点方案生成的盘盈(亏)单已经审核，不允许删除!",
                                                 "该盘点方案已经生成下列盘盈(亏)单,不能删除!\nPY1,PK1"}));
        QCOMPARE(ui.questions, QStringList{"您确信要删除第[1]号方案吗?"});
        QCOMPARE(processes(), 3);
        QCOMPARE(scalar("SELECT COUNT(*) FROM ICInvBackup"), 3);
    }

    void deleteAndReload()
    {
        grant({R::DeleteCountPlan});
        auto l = openList();
        l->model()->setText(1, ProcListModel::Remark, "留着"); // an edit of another row stays
        l->setCurrentRow(0);
        ui.answers = {A::Yes};
        QVERIFY(!l->toolClick(L::Delete));
        QCOMPARE(ui.messageTexts(), QStringList{"您指定的第[1]号方案已经顺利删除!"});
        QCOMPARE(gridIds(*l), "2 3Y");
        QCOMPARE(l->model()->processes().first().remark, "留着");
        QCOMPARE(scalar("SELECT COUNT(*) FROM ICInvBackup WHERE FInterID = 1"), 0);
        QCOMPARE(values("SELECT FFunctionID, FDescription FROM t_Log ORDER BY FID"),
                 "K010200 删除盘点开始; K010200 退出删除盘点");
    }

    void exitWithPendingEdits_data()
    {
        QTest::addColumn<QList<A>>("answers");
        QTest::addColumn<bool>("mayChange");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QString>("saved");
        QTest::addRow("yes: saved") << QList<A>{A::Yes} << true << true << "新";
        QTest::addRow("yes without the right: stays") << QList<A>{A::Yes} << false << false << "P1";
        QTest::addRow("no: dropped") << QList<A>{A::No} << true << true << "P1";
        QTest::addRow("cancel: stays") << QList<A>{A::Cancel} << true << false << "P1";
    }
    void exitWithPendingEdits()
    {
        QFETCH(QList<A>, answers);
        QFETCH(bool, mayChange);
        QFETCH(bool, closes);
        QFETCH(QString, saved);
        if (mayChange)
            grant({R::ChangeCountPlan});
        auto l = openList();
        QVERIFY(l->toolClick(L::Exit)); // nothing pending: closes without a question
        l->model()->setText(0, ProcListModel::Name, "新");
        ui.answers = answers;
        QCOMPARE(l->toolClick(L::Exit), closes);
        QCOMPARE(ui.questions, QStringList{"你修改了某些进程的信息，要保存修改吗？"});
        QCOMPARE(values("SELECT FProcessID FROM ICStockCheckProcess WHERE FID = 1"), saved);
        QCOMPARE(l->model()->hasPendingEdits(), !closes);
    }

    void ticksNewOpenAndHelp()
    {
        grant({R::BackupStock, R::ViewCountReport});
        auto l = openList();
        QVERIFY(!l->toolClick(L::WithStock));
        QVERIFY(l->isTicked(L::WithStock));
        QVERIFY(!l->toolClick(L::WithoutStock)); // ticking one clears the other
        QVERIFY(l->isTicked(L::WithoutStock) && !l->isTicked(L::WithStock));
        QVERIFY(!l->toolClick(L::WithoutStock)); // and both may be clear
        QVERIFY(!l->isTicked(L::WithoutStock));

        QVERIFY(!l->toolClick(L::New)); // no tick: the backup dialog
        l->setCurrentRow(1);
        QVERIFY(!l->toolClick(L::Open)); // the count sheet in mode 1 on the selected process
        QVERIFY(!l->toolClick(L::Help));
        QCOMPARE(opened, QStringList({"frmBackupInv  0", "frmMain 1 2"}));
        QCOMPARE(ui.helpTopics, QStringList{"ICStockCheckBackUpProc"});
        QCOMPARE(values("SELECT FDescription FROM t_Log ORDER BY FID"), "新增盘点开始; 退出新增盘点");
        QVERIFY(ui.messages.isEmpty());
    }
};

STOCKCHECK_TEST(TestProcessList)
#include "tst_processlist.moc"
