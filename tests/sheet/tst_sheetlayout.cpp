#include "sheettestbase.h"
#include "testmain.h"

#include "host/hostcomponents.h"
#include "sheet/ui/frmmain.h"
#include "sheet/ui/frozentable.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>

// How the count sheet window sits on the screen and shows its columns: the size it
// opens at and keeps per mode, sums that are never cut, and the columns that tell
// the rows apart staying in sight while the quantities scroll.
class TestSheetLayout : public SheetTestBase
{
    Q_OBJECT

    bool fill() override { return fillDemo(); }

    static SettingsStore &settings() { return *shared().components.settings; }

    // The text width a cell of `view` leaves inside `width`.
    static bool showsWhole(const QTableView *view, const QModelIndex &cell, int width)
    {
        const QString text = cell.data().toString();
        const QFont font = qvariant_cast<QFont>(cell.data(Qt::FontRole)).resolve(view->font());
        const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
        return QFontMetrics(font).elidedText(text, Qt::ElideRight, width - 2 * margin - 1) == text;
    }

    static FrozenTable *entryGrid(FrmMain &w) { return w.findChild<FrozenTable *>(QStringLiteral("vsCheck")); }

private slots:
    void defaultGeometry_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<bool>("maximised");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("large screen: most of it, centred")
            << QRect(0, 0, 1920, 1040) << false << QRect(77, 52, 1766, 936);
        QTest::newRow("small screen: all of it") << QRect(0, 0, 1366, 728) << true << QRect(0, 0, 1366, 728);
    }
    void defaultGeometry()
    {
        QFETCH(QRect, available);
        QFETCH(bool, maximised);
        QFETCH(QRect, expected);
        bool max = !maximised;
        QCOMPARE(FrmMain::defaultGeometry(available, &max), expected);
        QCOMPARE(max, maximised);
    }

    // Per mode: the mode-4 window comes back where it was left; the check window,
    // never placed, opens maximised on the small offscreen screen.
    void geometryKeptPerMode()
    {
        {
            FrmMain window(SheetMode::Entry);
            window.showNormal();
            window.setGeometry(QRect(40, 30, 700, 500));
            QVERIFY(window.close());
        }
        QVERIFY(!settings().value(QStringLiteral("N5StockCheck"), QStringLiteral("frmMain4_Geometry")).isNull());
        FrmMain input(SheetMode::Entry);
        QCOMPARE(input.size(), QSize(700, 500));
        QVERIFY(!input.isMaximized());
        FrmMain check(SheetMode::Check);
        QVERIFY(check.windowState() & Qt::WindowMaximized);
    }

    void badGeometryIgnored_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("not base64") << QStringLiteral("#?!");
        QWidget tiny;
        tiny.resize(60, 40);
        QTest::newRow("too small to use") << QString::fromLatin1(tiny.saveGeometry().toBase64());
    }
    void badGeometryIgnored()
    {
        QFETCH(QString, stored);
        settings().setValue(QStringLiteral("N5StockCheck"), QStringLiteral("frmMain4_Geometry"), stored);
        FrmMain window(SheetMode::Entry);
        QVERIFY(window.windowState() & Qt::WindowMaximized);
        QVERIFY(window.width() >= FrmMain::MinimumSize.width());
    }

    // A column too narrow for its sum is widened to the measured width of the sum;
    // one the person made wide enough keeps its width; the widening is not saved.
    void totalsNeverElided()
    {
        settings().setValue(QStringLiteral("N5STOCKPRICE"), QStringLiteral("Col27"), 150);  // twips: too narrow
        settings().setValue(QStringLiteral("N5STOCKPRICE"), QStringLiteral("Col18"), 4000); // wide enough
        {
            FrmMain window(SheetMode::Entry);
            window.show();
            CountSheet &sheet = window.sheet();
            sheet.enterCell(1, EntryCol::CheckQty);
            QVERIFY(sheet.editCell(1, EntryCol::CheckQty, QStringLiteral("98765432.5")));
            FrozenTable *grid = entryGrid(window);
            const QTableView *totals = grid->totalsView();
            for (int col : EntryGrid::totalColumns()) {
                const QModelIndex cell = totals->model()->index(0, col - 1);
                QVERIFY2(showsWhole(totals, cell, grid->columnWidth(col - 1)),
                         qPrintable(QStringLiteral("column %1: %2 in %3 px")
                                        .arg(col)
                                        .arg(cell.data().toString())
                                        .arg(grid->columnWidth(col - 1))));
            }
            QVERIFY(grid->isFittedToTotals(EntryCol::CheckQty - 1));
            QVERIFY(!grid->isFittedToTotals(EntryCol::BaseActualQty - 1));
            QVERIFY(grid->columnWidth(EntryCol::BaseActualQty - 1) > 200);
            m_ui.answers << HostUi::Answer::No; // do not save the count
            QVERIFY(window.close());
        }
        QCOMPARE(settings().value(QStringLiteral("N5STOCKPRICE"), QStringLiteral("Col27")).toInt(), 150);
    }

    // The columns up to the item's name stay put over the scrolling ones, the
    // totals line stays under its columns, and a cell the cursor goes to is not
    // hidden under the frozen columns. A narrow window lets them all scroll.
    void identifyingColumnsStayInSight()
    {
        FrmMain window(SheetMode::Entry);
        window.showNormal();
        window.resize(1500, 700);
        QTest::qWait(50);
        FrozenTable *grid = entryGrid(window);
        QVERIFY(grid->isFrozenShown());
        QTableView *rows = grid->view();
        QTableView *frozen = grid->frozenView();
        QCOMPARE(frozen->isColumnHidden(EntryCol::ItemName - 1), false);
        QCOMPARE(frozen->isColumnHidden(EntryCol::Model - 1), true);
        const int nameX = frozen->columnViewportPosition(EntryCol::ItemName - 1);

        QScrollBar *bar = grid->totalsView()->horizontalScrollBar();
        QCOMPARE(bar->maximum(), rows->horizontalScrollBar()->maximum());
        bar->setValue(bar->maximum());
        QCOMPARE(rows->horizontalScrollBar()->value(), bar->value());
        QCOMPARE(frozen->columnViewportPosition(EntryCol::ItemName - 1), nameX);
        const int note = EntryCol::Note - 1;
        QCOMPARE(grid->totalsView()->columnViewportPosition(note), rows->columnViewportPosition(note));

        const int frozenWidth = frozen->width();
        rows->scrollTo(rows->model()->index(0, EntryCol::Model - 1));
        QCOMPARE(rows->columnViewportPosition(EntryCol::Model - 1), frozenWidth);

        window.resize(700, 500);
        QTest::qWait(50);
        QVERIFY(!grid->isFrozenShown());
    }
};

STOCKCHECK_TEST(TestSheetLayout)
#include "tst_sheetlayout.moc"
