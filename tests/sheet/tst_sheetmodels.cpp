#include "sheettestbase.h"
#include "testmain.h"

#include "host/sharedstate.h"
#include "sheet/countsheet.h"
#include "sheet/entrygridmodel.h"
#include "sheet/ledgermodel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

using namespace sheetfixture;

// The Qt models of both grids under Qt's model tester while the sheet loads,
// switches views and processes; their texts, colours and hidden columns.
class TestSheetModels : public SheetTestBase
{
    Q_OBJECT

    static QStringList rowTexts(const QAbstractItemModel &m, int row)
    {
        QStringList out;
        for (int c = 0; c < m.columnCount(); ++c)
            out << m.index(row, c).data().toString();
        return out;
    }

private slots:
    void ledgerRowsAndTotalLine()
    {
        CountSheet sheet(1);
        LedgerModel rows(&sheet, LedgerModel::Part::Rows);
        LedgerModel total(&sheet, LedgerModel::Part::Total);
        QAbstractItemModelTester rowsTester(&rows, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester totalTester(&total, QAbstractItemModelTester::FailureReportingMode::QtTest);
        sheet.open();
        sheet.chooseProcess(1); // P1, listed second
        QCOMPARE(rows.rowCount(), 2);
        QCOMPARE(total.rowCount(), 1);
        QCOMPARE(rows.headerData(0, Qt::Horizontal).toString(), QStringLiteral("仓库")); // no trailing marker
        const QStringList first = rowTexts(rows, 0);
        QCOMPARE(first.at(0), QStringLiteral("成品仓"));
        QCOMPARE(rows.index(0, 11).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
        const QStringList sums = rowTexts(total, 0);
        QCOMPARE(sums.at(0), QStringLiteral("合计"));
        QCOMPARE(sums.at(11), QStringLiteral("36.00")); // FQty: 36, and 0 for the unit of coefficient 0
        sheet.run(QStringLiteral("CheckedData"));
        sheet.run(QStringLiteral("mnuViewShowDeleted"));
        QCOMPARE(rows.rowCount(), 2);
        sheet.chooseProcess(0);
        QCOMPARE(rows.rowCount(), 1);
    }

    void countBookHasNoTotalLine()
    {
        CountSheet sheet(3);
        LedgerModel rows(&sheet, LedgerModel::Part::Rows);
        LedgerModel total(&sheet, LedgerModel::Part::Total);
        QAbstractItemModelTester tester(&rows, QAbstractItemModelTester::FailureReportingMode::QtTest);
        sheet.open();
        QCOMPARE(total.rowCount(), 0);
        QCOMPARE(rows.rowCount(), 3 + 1);
        // the counted columns of a count book stay blank for writing in
        for (int c = 0; c < rows.columnCount(); ++c)
            if (sheet.model().columnLayout().at(c).field == QLatin1String("FCheckQty"))
                for (int r = 0; r < rows.rowCount(); ++r)
                    QCOMPARE(rows.index(r, c).data().toString(), QString());
    }

    void entryGridCellsAndColours()
    {
        CountSheet sheet(4);
        EntryGridModel rows(&sheet, EntryGridModel::Part::Rows);
        EntryGridModel totals(&sheet, EntryGridModel::Part::Totals);
        QAbstractItemModelTester rowsTester(&rows, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester totalsTester(&totals, QAbstractItemModelTester::FailureReportingMode::QtTest);
        sheet.open();
        QCOMPARE(rows.rowCount(), 3);
        QCOMPARE(rows.columnCount(), EntryCol::Count);
        QCOMPARE(rows.headerData(EntryCol::ItemName - 1, Qt::Horizontal).toString(), QStringLiteral("物料名称"));
        const QColor locked(0xFF, 0xFF, 0xD0), open(Qt::white), found(0xFF, 0x80, 0x00);
        QCOMPARE(EntryGridModel::hostColor(EntryGridModel::LockedColor), locked);
        QCOMPARE(EntryGridModel::hostColor(EntryGridModel::FoundColor), found);
        QCOMPARE(rows.index(0, EntryCol::ItemName - 1).data(Qt::BackgroundRole).value<QColor>(), locked);
        QCOMPARE(rows.index(0, EntryCol::CheckQty - 1).data(Qt::BackgroundRole).value<QColor>(), open);
        QCOMPARE(rows.index(0, EntryCol::AdjQty - 1).data(Qt::BackgroundRole).value<QColor>(), open);
        sheet.entryGrid().setHighlight(2, EntryGrid::Highlight::Found);
        QCOMPARE(rows.index(1, EntryCol::CheckQty - 1).data(Qt::BackgroundRole).value<QColor>(), found);
        QCOMPARE(totals.index(0, EntryCol::StockNumber - 1).data().toString(), QStringLiteral("合计"));
        QCOMPARE(totals.index(0, EntryCol::BookQty - 1).data().toString(),
                 QStringLiteral("15.00")); // three rows of 5, with the widest places
        // an accepted edit reaches both models
        QSignalSpy rowSpy(&rows, &QAbstractItemModel::dataChanged);
        QSignalSpy totalSpy(&totals, &QAbstractItemModel::dataChanged);
        QVERIFY(rows.setData(rows.index(1, EntryCol::CheckQty - 1), QStringLiteral("7")));
        QCOMPARE(rowSpy.size(), 1);
        QCOMPARE(totalSpy.size(), 1);
        QVERIFY(!rows.setData(rows.index(1, EntryCol::ItemName - 1), QStringLiteral("7")));
        sheet.chooseProcess(1);
        QCOMPARE(rows.rowCount(), 2);
    }

    void hiddenEntryColumns_data()
    {
        QTest::addColumn<QString>("mto");
        QTest::addColumn<QString>("complex");
        QTest::addColumn<bool>("mtoHidden");
        QTest::addColumn<bool>("complexHidden");
        QTest::newRow("neither") << QString() << QString() << true << true;
        QTest::newRow("MTO planning") << "1"
                                      << "0" << false << true;
        QTest::newRow("composite units") << "0"
                                         << "1" << true << false;
    }
    void hiddenEntryColumns()
    {
        QFETCH(QString, mto);
        QFETCH(QString, complex);
        QFETCH(bool, mtoHidden);
        QFETCH(bool, complexHidden);
        const QString insert =
            QStringLiteral("INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES ('IC', ?, ?)");
        if (!mto.isEmpty())
            QVERIFY_SQL(conn(), conn().Exec(insert, {QStringLiteral("EnableMtoPlanMode"), mto}));
        if (!complex.isEmpty())
            QVERIFY_SQL(conn(), conn().Exec(insert, {QStringLiteral("ISComplexQty"), complex}));
        CountSheet sheet(4);
        sheet.open();
        QCOMPARE(sheet.isEntryColumnHidden(EntryCol::MtoNo), mtoHidden);
        QCOMPARE(sheet.isEntryColumnHidden(EntryCol::ComplexQty), complexHidden);
        QVERIFY(sheet.isEntryColumnHidden(EntryCol::ItemID));
        QVERIFY(sheet.isEntryColumnHidden(EntryCol::StockID));
        QVERIFY(!sheet.isEntryColumnHidden(EntryCol::Note));
    }
};

STOCKCHECK_TEST(TestSheetModels)
#include "tst_sheetmodels.moc"
