#include "sheettestbase.h"
#include "testmain.h"

#include "additions/snapshotrowappend.h"
#include "host/sysparams.h"

// 添加物料 of the count entry sheet: what was typed is saved first (after asking),
// the warning toggle is stored for the add-item window, the window gets the
// process, and the rows are read again afterwards.
class TestSheetAddItem : public SheetTestBase
{
    Q_OBJECT

private slots:
    void savesOpensAndReloads()
    {
        using namespace sheetfixture;
        CountSheet sheet(SheetMode::Entry);
        sheet.open();
        sheet.chooseProcess(processIndex(sheet, 1));
        const int before = sheet.recordCount();
        QVERIFY(sheet.editCell(rowOfItem(sheet, 1), EntryCol::CheckQty, QStringLiteral("4")));
        sheet.mnuAlertSame();
        QVariantMap given;
        QString countedWhenOpened;
        bool alertWhenOpened = false;
        shared().components.windows.add(QStringLiteral("frmAddItem"), [&](const QVariantMap &args) {
            given = args;
            countedWhenOpened = figures(conn(), 1, 1, QStringLiteral("FAuxCheckQty"));
            GetAlertSameRecord(&alertWhenOpened);
            AddedEntry entry;
            entry.key = {.processId = 1, .itemId = 4, .unitId = Box, .stockId = StockA};
            entry.qty = 2;
            entry.coefficient = 12;
            SnapshotRowAppend(conn(), &m_ui, false).append(entry);
            return QVariantMap{{QStringLiteral("Added"), 1}};
        });
        m_ui.clear();
        sheet.mnuAddItem();
        QCOMPARE(m_ui.questions.size(), 1); // save what was typed?
        QCOMPARE(countedWhenOpened, QStringLiteral("FAuxCheckQty=4"));
        QVERIFY(alertWhenOpened);
        QCOMPARE(given.value(QStringLiteral("ProcID")).toInt(), 1);
        QCOMPARE(sheet.recordCount(), before + 1);
        QVERIFY(rowOfItem(sheet, 4) > 0);
        QVERIFY(!sheet.dataChanged());
    }
};

STOCKCHECK_TEST(TestSheetAddItem)
#include "tst_sheetadditem.moc"
