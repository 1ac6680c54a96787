#include "reconcilefixture.h"
#include "testmain.h"

#include "model/entrygrid.h"
#include "reconcile/ui/frmselect.h"
#include "sheet/countsheet.h"

#include <QAction>
#include <QTableView>

// The documents window opened from the count sheet's "选择单据": the row's stock
// line and figures reach it, a click and "计算" write the reservations and the
// row together, the sheet shows the new difference, and a failure leaves the
// database and the grid as they were.
class TestSelectWindow : public ReconcileFixture
{
    Q_OBJECT

    QVariantMap m_args;
    QList<int> m_clicks{0}; // rows clicked in the mark column
    bool m_mtoColumnHidden = false;

    void registerWindow()
    {
        shared().components.windows.add(QStringLiteral("frmSelect"), [this](const QVariantMap &args) {
            m_args = args;
            FrmSelect window(conn(), args);
            auto *grid = window.findChild<QTableView *>(QStringLiteral("ldgSelect"));
            m_mtoColumnHidden = grid->isColumnHidden(SelectCol::MtoNo - 1);
            for (int row : std::as_const(m_clicks))
                emit grid->clicked(grid->model()->index(row, SelectCol::Mark - 1));
            window.findChild<QAction *>(QStringLiteral("Calulate"))->trigger();
            return window.answer();
        });
        shared().components.windows.add(QStringLiteral("FrmBackupType"), [](const QVariantMap &) {
            return QVariantMap{{QStringLiteral("BackupType"), 1}, {QStringLiteral("Cancelled"), false}};
        });
    }

    // The sheet on process 1 with the cursor in the row's counted cell.
    std::unique_ptr<CountSheet> openSheet()
    {
        auto sheet = std::make_unique<CountSheet>(SheetMode::Entry);
        sheet->open();
        sheet->enterCell(1, EntryCol::CheckQty);
        return sheet;
    }

    QString stored()
    {
        const Recordset rs =
            conn().Execute(QStringLiteral("SELECT FCheckQty, FQtyAct, FMinus FROM ICInvBackup WHERE FInterID = 1"));
        return QStringLiteral("%1/%2/%3")
            .arg(rs.number(u"FCheckQty"))
            .arg(rs.number(u"FQtyAct"))
            .arg(rs.number(u"FMinus"));
    }

private slots:
    void calculateFromTheSheet()
    {
        m_f->user(QStringLiteral("demo"), {}, 16394);
        addProcess(1, 0, 0, 20, 18);
        const int receipt = m_f->document(1, {line(10), line(2)}, {.date = cutDate.addDays(1)});
        const int requisition = m_f->document(24, {line(4)}, {.date = cutDate.addDays(2)});
        registerWindow();
        m_clicks = {1, 2}; // the receipt's second entry, the requisition
        auto sheet = openSheet();
        QVERIFY(sheet->run(QStringLiteral("mnuVSelectBill")));
        QCOMPARE(m_args.value(QStringLiteral("AccountQty")).toDouble(), 20.0);
        QCOMPARE(m_args.value(QStringLiteral("CheckQty")).toDouble(), 18.0);
        QCOMPARE(m_args.value(QStringLiteral("DicupInfo")).toMap().value(QStringLiteral("1|BackupType")).toInt(), 1);
        QVERIFY(m_mtoColumnHidden);
        QCOMPARE(sheet->entryGrid().number(1, EntryCol::DiffQty), -8.0);
        QCOMPARE(sheet->entryGrid().number(1, EntryCol::BaseActualQty), 10.0);
        QCOMPARE(stored(), QStringLiteral("18/10/-10"));
        QCOMPARE(reservations(), QStringLiteral("%1.1:1 %1.2:1 %2.1:1").arg(receipt).arg(requisition));
        QCOMPARE(m_ui.messageTexts(), QStringList());
        sheet->unload();
    }

    // A fault between the reservations and the row's difference: neither is
    // written, and the sheet shows the row as it is stored.
    void faultLeavesNothing()
    {
        m_f->user(QStringLiteral("demo"), {}, 16394);
        addProcess(1, 0, 0, 20, 18);
        const int receipt = m_f->document(1, {line(10)}, {.date = cutDate.addDays(1)});
        registerWindow();
        m_clicks = {0};
        auto sheet = openSheet();
        const QString before = stored();
        conn().setStatementHook([](const QString &sql, const QVariantList &) {
            return sql.contains(QLatin1String("UPDATE ICInvBackup")) ? QStringLiteral("disk I/O error") : QString();
        });
        QVERIFY(sheet->run(QStringLiteral("mnuVSelectBill")));
        conn().setStatementHook({});
        QCOMPARE(stored(), before);
        QCOMPARE(reservations(), QStringLiteral("%1.1:0").arg(receipt));
        QCOMPARE(sheet->entryGrid().number(1, EntryCol::DiffQty), 0.0);
        QCOMPARE(sheet->entryGrid().number(1, EntryCol::BaseActualQty), 18.0);
        QCOMPARE(m_ui.messages.size(), 1);
        QVERIFY2(m_ui.lastMessage().startsWith(QStringLiteral("盘点记录未能保存，计算失败")),
                 qPrintable(m_ui.lastMessage()));
        sheet->unload();
    }

    // A process without a backup type is asked for one before the window opens.
    void backupTypeAskedFirst()
    {
        m_f->user(QStringLiteral("demo"), {}, 16394);
        addProcess(1, 0, 0);
        QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("UPDATE ICStockCheckProcess SET FBackupType = NULL")));
        registerWindow();
        auto sheet = openSheet();
        QVERIFY(sheet->run(QStringLiteral("mnuVSelectBill")));
        QCOMPARE(m_args.value(QStringLiteral("DicupInfo")).toMap().value(QStringLiteral("1|BackupType")).toInt(), 1);
        QCOMPARE(conn().Execute(QStringLiteral("SELECT FBackupType FROM ICStockCheckProcess")).integer(u"FBackupType"),
                 1);
        sheet->unload();
    }
};

STOCKCHECK_TEST(TestSelectWindow)
#include "tst_selectwindow.moc"
