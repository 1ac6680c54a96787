#include "testmain.h"

#include "host/sharedstate.h"
#include "model/maindo.h"

#include <QTest>

namespace {

struct CellRow
{
    int mode, type;
    QString field, caption;
    QVariant value;
    int decimals;
    QString shown;
};

} // namespace

// Sums and the lines of the ledger grid, without a database.
class TestSheetTexts : public QObject
{
    Q_OBJECT

    static SheetColumn column(const char *field, int type, const char *caption = "列$")
    {
        return {QString::fromLatin1(field), QString::fromUtf8(caption), type, 1000, true};
    }

private slots:
    void cleanup() { shared().reset(); }

    // Each row's own places round its terms: 1.25 adds 1.3 with one place and 1
    // without; NULL and text add nothing; a column the rows lack sums to 0.
    void sumsFollowEachRowsDecimals()
    {
        shared().showType = SheetMode::Check;
        MainDo model;
        model.setRows(Recordset::fromRows({QStringLiteral("FQtyDecimal"), QStringLiteral("FQty"),
                                           QStringLiteral("FQtyAct"), QStringLiteral("FSecDownQty")},
                                          {{1, 1.25, QVariant(), -0.05},
                                           {0, 1.25, 2, -0.05},
                                           {2, QVariant(), 0.005, 1},
                                           {2, QStringLiteral("abc"), QVariant(), QVariant()}}));
        model.GetSumData();
        const auto &sums = model.sums();
        QCOMPARE(sums[0], 2.3);  // FQty
        QCOMPARE(sums[1], 2.01); // FQtyAct
        QCOMPARE(sums[4], 0.0);  // FCUUnitQty is not among the rows
        QCOMPARE(sums[11], 0.9); // FSecDownQty: -0.1 + 0 + 1
    }

    void dataLineCells_data()
    {
        QTest::addColumn<CellRow>("row");
        const QString q = QStringLiteral("数量$");
        const QDateTime morning(QDate(2026, 1, 5), QTime(8, 0));
        QTest::addRow("grouped quantity") << CellRow{1, 2, "FQty", q, 1234.5, 2, "1,234.50"};
        QTest::addRow("negative") << CellRow{1, 2, "FQty", q, -1234.55, 1, "-1,234.6"};
        QTest::addRow("NULL quantity") << CellRow{1, 2, "FQty", q, {}, 2, ""};
        QTest::addRow("date") << CellRow{1, 0, "FDateBackup", q, morning, 2, "2026/01/05"};
        QTest::addRow("empty date") << CellRow{1, 0, "FKFDate", q, "", 2, ""};
        QTest::addRow("no shelf life") << CellRow{1, 3, "FKFPeriod", q, 0, 2, ""};
        QTest::addRow("count book counted blank") << CellRow{3, 2, "FSecCheckQty", "盘点数量$", 5, 2, ""};
        QTest::addRow("check counted shown") << CellRow{1, 2, "FCheckQty", "基本单位盘点数量$", 5, 2, "5.00"};
    }
    void dataLineCells()
    {
        QFETCH(CellRow, row);
        shared().showType = *sheetModeOf(row.mode);
        MainDo model;
        model.setColumnLayout({column("FBatchNo", 8), {row.field, row.caption, row.type, 1000, true}});
        model.setRows(Recordset::fromRows({QStringLiteral("FQtyDecimal"), QStringLiteral("FBatchNo"), row.field},
                                          {{row.decimals, QStringLiteral("x"), row.value}}));
        QCOMPARE(model.DRowData(3), QStringLiteral("x|") + row.shown + QLatin1Char('|'));
    }

    // The heading, the blank line under it, the rows and the total line with the
    // widest places of all rows (four on an empty sheet); the count book has none.
    void gridRowsAndTotalLine()
    {
        shared().showType = SheetMode::Check;
        MainDo model;
        LedgerGrid grid;
        model.Ldg(&grid);
        model.setColumnLayout({column("FName", 8, "物料名称$"), column("FQty", 2, "账存$"), column("FNote", 8),
                               column("FSecDownQty", 2)});
        QCOMPARE(model.TRowData(), QStringLiteral("物料名称$|账存$|列$|列$|"));
        const QStringList fields{QStringLiteral("FQtyDecimal"), QStringLiteral("FName"), QStringLiteral("FQty"),
                                 QStringLiteral("FNote"), QStringLiteral("FSecDownQty")};
        model.setRows(Recordset::fromRows(fields, {}));
        grid.setMaxRows(3);
        model.GetSumData();
        QCOMPARE(model.DRowData(3), QStringLiteral("合计|0.0000||0.0000|"));
        model.setRows(Recordset::fromRows(fields, {{1, QStringLiteral("a"), 1000.25, QStringLiteral("n"), QVariant()},
                                                   {3, QStringLiteral("b"), 0.0015, QVariant(), 2}}));
        grid.setMaxRows(2 + 3);
        model.GetSumData();
        const QStringList lines{model.DRowData(2), model.DRowData(3), model.DRowData(4), model.DRowData(5)};
        QCOMPARE(lines, (QStringList{"", "a|1,000.3|n||", "b|0.002||2.000|", "合计|1,000.302||2.000|"}));
        shared().showType = SheetMode::PrintBook;
        grid.setMaxRows(2 + 2);
        QCOMPARE(model.DRowData(5), QString());
    }
};

STOCKCHECK_TEST(TestSheetTexts)
#include "tst_sheettexts.moc"
