#include "factories.h"
#include "sheettestbase.h"
#include "testmain.h"

#include "sheet/filterdialog.h"
#include "sheet/finddialog.h"

#include "sheet/ui/frmfilter.h"
#include "sheet/ui/frmfind.h"
#include "sheet/ui/frmmain.h"
#include "sheet/ui/frozentable.h"

#include <QComboBox>
#include <QHeaderView>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>

using namespace sheetfixture;

namespace {

SheetCondition cond(const char *field, const char *compare, const char *value, const char *logic = "")
{
    return {QString::fromUtf8(field), QString::fromLatin1(compare), QString::fromUtf8(value),
            QString::fromLatin1(logic)};
}

// The items of the rows loaded, in their order.
QString items(const CountSheet &sheet)
{
    const Recordset &rs = sheet.model().rows();
    QStringList out;
    for (int r = 0; r < rs.RecordCount(); ++r)
        out << rs.value(r, u"FItemID").toString();
    return out.join(QLatin1Char(' '));
}

} // namespace

// Narrowing and ordering the rows of the count sheet: the filter dialog that the
// row query takes its condition and order from, and find, sort and filter on the
// rows already loaded.
class TestFindFilter : public SheetTestBase
{
    Q_OBJECT

    // The filter dialog as the window registry opens it, filled by `fill` and
    // accepted, or cancelled when `fill` says no.
    void registerFilterDialog(std::function<bool(FilterDialogLogic &)> fill)
    {
        shared().components.windows.add(QStringLiteral("frmFilter"), [fill](const QVariantMap &args) {
            FilterDialogLogic dialog(
                *sheetModeOf(args.value(QLatin1String(MainDo::ArgShowType)).toInt()),
                FilterDialogLogic::Tab(args.value(QLatin1String(FilterDialogLogic::ArgTab)).toInt()));
            if (!fill(dialog) || !dialog.ok())
                dialog.cancel();
            return dialog.result();
        });
    }

    // Items shown by their full numbers.
    bool fill() override
    {
        Factories(conn()).systemParam(QStringLiteral("IC"), QStringLiteral("UseShortNumber"), QStringLiteral("0"));
        return SheetTestBase::fill();
    }

    // Items numbered 12, A120 and B812 beside the sample's A100 and A200.
    bool addTwelves()
    {
        AppConnection &c = conn();
        return addItem(c, {7, "A120", "螺丝钉", 0}) && addItem(c, {8, "B812", "垫圈", 0}) &&
               addItem(c, {9, "12", "销", 0}) && addRow(c, {.item = 7, .qty = 3, .auxQty = 3}) &&
               addRow(c, {.item = 8, .qty = 8, .auxQty = 8}) && addRow(c, {.item = 9, .qty = 12, .auxQty = 12});
    }

    static int targetOf(const CountSheet &sheet, const char *caption)
    {
        for (int i = 0; i < sheet.searchTargets().size(); ++i)
            if (sheet.searchTargets().at(i).caption == QString::fromUtf8(caption))
                return i;
        return -1;
    }

    // The items of the grid rows that each find reached, "-" when it reached none.
    static QString findAll(CountSheet &sheet, const QString &text, int match, int times)
    {
        QSignalSpy found(&sheet, &CountSheet::foundRowRequested);
        sheet.searchTargets()[targetOf(sheet, "物料代码")].value = text;
        QStringList out;
        for (int i = 0; i < times; ++i) {
            const int before = int(found.size());
            const CountSheet::FindResult result = sheet.frmF_FindNow(match, 1);
            if (result == CountSheet::FindResult::CloseFinder) {
                out << QStringLiteral("closed");
                break;
            }
            out << (found.size() > before
                        ? QString::number(int(sheet.entryGrid().number(found.last().at(0).toInt(), EntryCol::ItemID)))
                        : QStringLiteral("-"));
        }
        return out.join(QLatin1Char(' '));
    }

    // A sheet of process 1 in `mode`.
    std::unique_ptr<CountSheet> openSheet(SheetMode mode)
    {
        auto sheet = std::make_unique<CountSheet>(mode);
        sheet->open();
        sheet->chooseProcess(processIndex(*sheet, 1));
        return sheet;
    }

private slots:
    void filterDialogKeepsConditionsAndRows()
    {
        FilterDialogLogic dialog(SheetMode::Check, FilterDialogLogic::FilterTab);
        QVERIFY(dialog.filterFields().contains(QStringLiteral("物料代码")));
        QCOMPARE(dialog.conditions().size(), FilterDialogLogic::GridRows);
        dialog.conditions()[0] = cond("物料代码", "like", "12", "and");
        dialog.sortKeys()[1] = {QStringLiteral("物料名称"), QStringLiteral("降序")};
        QVERIFY(dialog.ok());
        const FilterSettings &s = shared().filterSettings;
        QCOMPARE(s.filter.sql, QStringLiteral("FNumber %1 ?").arg(conn().dialect().likeOperator()));
        QCOMPARE(s.filter.binds, QVariantList{QStringLiteral("%12%")});
        QCOMPARE(s.sortBy, QStringLiteral("FName Desc"));
        QVERIFY(!shared().filterCancelled && !dialog.isCancelled());
        // the accepted rows come back at the next opening, empty rows dropped
        const FilterDialogLogic again(SheetMode::Check, FilterDialogLogic::SortTab);
        QCOMPARE(again.conditions().first(), cond("物料代码", "like", "12", "and"));
        QCOMPARE(again.sortKeys().first(), (SheetSortKey{QStringLiteral("物料名称"), QStringLiteral("降序")}));
        QVERIFY(again.conditions().at(1).isEmpty());
    }

    void filterDialogRefusesOrCancelsWithoutChange_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("message");
        QTest::addRow("sort row without direction") << false << QStringLiteral("第1行排序类型不能为空!");
        QTest::addRow("cancel") << true << QString();
    }
    void filterDialogRefusesOrCancelsWithoutChange()
    {
        QFETCH(bool, cancel);
        QFETCH(QString, message);
        shared().filterSettings.filter = SqlFragment(QStringLiteral("FName = ?"), {QStringLiteral("螺母")});
        FilterDialogLogic dialog(SheetMode::Entry, FilterDialogLogic::FilterTab);
        dialog.conditions()[0] = cond("物料名称", "=", "螺丝");
        dialog.sortKeys()[0] = {QStringLiteral("物料代码"), QString()};
        if (cancel)
            dialog.cancel();
        else
            QVERIFY(!dialog.ok());
        QCOMPARE(m_ui.messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(shared().filterSettings.filter.binds, QVariantList{QStringLiteral("螺母")});
        QCOMPARE(shared().filterCancelled, cancel);
        QCOMPARE(dialog.result().value(QStringLiteral("Cancelled")).toBool(), true);
    }

    // The filter and sort commands read the rows again through the dialog's
    // condition, unless it was cancelled.
    void filterCommandReloads_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("items");
        QTest::addRow("entry, accepted") << 4 << true << QStringLiteral("2");
        QTest::addRow("count book, cancelled") << 3 << false << QString(); // as it was
    }
    void filterCommandReloads()
    {
        QFETCH(int, mode);
        QFETCH(bool, accept);
        QFETCH(QString, items);
        registerFilterDialog([accept](FilterDialogLogic &d) {
            d.conditions()[0] = cond("物料名称", "like", "母");
            return accept;
        });
        const auto sheet = openSheet(*sheetModeOf(mode));
        const QString before = ::items(*sheet);
        QVERIFY(sheet->run(QStringLiteral("mnuEdit_Filter")));
        QCOMPARE(::items(*sheet), items.isEmpty() ? before : items);
        if (mode == 4)
            QCOMPARE(sheet->entryGrid().dataRows(), 1);
    }

    // Finding on the item number visits the matching rows in their order, asks at
    // the end whether to start again, and sees only the rows the filter lets pass.
    void find_data()
    {
        QTest::addColumn<int>("match");
        QTest::addColumn<QString>("rowFilter");
        QTest::addColumn<QList<HostUi::Answer>>("answers");
        QTest::addColumn<QString>("visited");
        using A = HostUi::Answer;
        QTest::addRow("match: 12 anywhere, then again from the start")
            << 1 << QString() << QList<A>{A::Yes} << QStringLiteral("9 7 8 9 7");
        QTest::addRow("whole value: only 12, then the finder closes")
            << 0 << QString() << QList<A>{A::No} << QStringLiteral("9 closed");
        QTest::addRow("under a filter") << 1 << QStringLiteral("FName Like '%螺丝%'") << QList<A>{A::No}
                                        << QStringLiteral("7 closed");
    }
    void find()
    {
        QFETCH(int, match);
        QFETCH(QString, rowFilter);
        QFETCH(QList<HostUi::Answer>, answers);
        QFETCH(QString, visited);
        QVERIFY_SQL(conn(), addTwelves());
        const auto sheet = openSheet(SheetMode::Entry);
        QVERIFY(sheet->frmF_SortNow(QStringLiteral("FNumber ASC")));
        QVERIFY(sheet->frmF_FilterNow(rowFilter));
        QSignalSpy closing(sheet.get(), &CountSheet::finderCloseRequested);
        m_ui.answers = answers;
        QCOMPARE(findAll(*sheet, QStringLiteral("12"), match, 5), visited);
        QCOMPARE(m_ui.questions.size(), 1);
        QCOMPARE(m_ui.questions.first(), QStringLiteral("你已搜索完全部记录，但没有找到相应的内容!是否重新搜索?"));
        QCOMPARE(closing.size(), visited.endsWith(QLatin1String("closed")) ? 1 : 0);
    }

    void findWithoutTextAsksForOne()
    {
        const auto sheet = openSheet(SheetMode::Check);
        QCOMPARE(sheet->frmF_FindNow(1, 1), CountSheet::FindResult::NotFound);
        QCOMPARE(m_ui.messageTexts(), QStringList{QStringLiteral("请输入要搜索的字符!")});
        // the ledger grid's rows start at 3
        QSignalSpy found(sheet.get(), &CountSheet::foundRowRequested);
        sheet->searchTargets()[targetOf(*sheet, "物料名称")].value = QStringLiteral("螺丝");
        QCOMPARE(sheet->frmF_FindNow(0, 1), CountSheet::FindResult::Found);
        QCOMPARE(found.first().at(0).toInt(), sheet->gridRowOf(1)); // 螺母 of 成品仓 comes first
        QCOMPARE(sheet->gridRowOf(1), 4);
    }

    // The find window's sort and filter tabs order and narrow the loaded rows
    // without a query; reading the rows again removes them.
    void loadedRowsSortAndFilter_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addRow("entry") << 4;
        QTest::addRow("check") << 1;
    }
    void loadedRowsSortAndFilter()
    {
        QFETCH(int, mode);
        QVERIFY_SQL(conn(), addTwelves());
        const auto sheet = openSheet(*sheetModeOf(mode));
        const int all = sheet->recordCount();
        int statements = 0;
        conn().setStatementHook([&statements](const QString &, const QVariantList &) {
            ++statements;
            return QString();
        });
        FindDialogLogic finder(*sheet, FindDialogLogic::FilterMode);
        const int name = targetOf(*sheet, "物料名称");
        finder.filterConditions[name] = 4; // 包含
        finder.filterValues[name] = QStringLiteral("螺丝");
        QCOMPARE(finder.filterText(), QStringLiteral("FName Like '%螺丝%'"));
        QVERIFY(finder.ok()); // the window closes
        finder.setActionMode(FindDialogLogic::SortMode);
        finder.sortChoices[targetOf(*sheet, "物料代码")] = FindDialogLogic::Descending;
        QVERIFY(finder.ok());
        QCOMPARE(statements, 0);
        conn().setStatementHook({});
        QCOMPARE(items(*sheet), QStringLiteral("7 1"));
        QCOMPARE(sheet->rowFilter(), QStringLiteral("FName Like '%螺丝%'"));
        if (mode == 4)
            QCOMPARE(sheet->entryGrid().dataRows(), 2);
        else
            QCOMPARE(sheet->ledgerGrid().maxRows(), 2 + 3);
        sheet->mnuView_Refresh();
        QCOMPARE(sheet->recordCount(), all);
        QVERIFY(sheet->rowFilter().isEmpty());
    }

    // A heading click sorts by its column, ascending first, then the other way;
    // entry-grid columns outside 2 to 17 do nothing.
    void headingClicks()
    {
        QVERIFY_SQL(conn(), addTwelves());
        const auto sheet = openSheet(SheetMode::Entry);
        QVERIFY(sheet->headingClicked(EntryCol::ItemNumber));
        QCOMPARE(items(*sheet), QStringLiteral("9 1 7 2 8"));
        QVERIFY(sheet->headingClicked(EntryCol::ItemNumber));
        QCOMPARE(items(*sheet), QStringLiteral("8 2 7 1 9"));
        QCOMPARE(sheet->entryGrid().text(1, EntryCol::ItemNumber), QStringLiteral("B812"));
        QVERIFY(!sheet->headingClicked(EntryCol::BaseActualQty));
        QVERIFY(!sheet->headingClicked(EntryCol::ItemID));
        QCOMPARE(items(*sheet), QStringLiteral("8 2 7 1 9"));
    }

    // The window's wiring: the find tool opens the find window, whose OK makes the
    // found row current; a heading click sorts; the filter dialog's grid reaches the
    // logic.
    void windows()
    {
        FrmMain window(SheetMode::Entry);
        CountSheet &sheet = window.sheet();
        sheet.chooseProcess(processIndex(sheet, 1));
        window.action(QStringLiteral("Find"))->trigger();
        auto *finder = window.findChild<FrmFind *>(QStringLiteral("frmFind"));
        QVERIFY(finder && finder->isVisible());
        auto *search = finder->findChild<QTableWidget *>(QStringLiteral("vspSearch"));
        search->item(targetOf(sheet, "物料名称"), 1)->setText(QStringLiteral("螺丝"));
        finder->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
        QTableView *rows = window.grid()->view();
        QCOMPARE(rows->currentIndex().row() + 1, rowOfItem(sheet, 1));
        emit rows->horizontalHeader()->sectionClicked(EntryCol::ItemNumber - 1);
        QCOMPARE(items(sheet), QStringLiteral("1 2"));

        FrmFilter filter(SheetMode::Entry, FilterDialogLogic::SortTab);
        auto *sortGrid = filter.findChild<QTableWidget *>(QStringLiteral("vsSortBy"));
        auto *field = qobject_cast<QComboBox *>(sortGrid->cellWidget(0, 0));
        field->setCurrentIndex(field->findText(QStringLiteral("物料代码")));
        filter.accept();
        QCOMPARE(m_ui.messageTexts(), QStringList{QStringLiteral("第1行排序类型不能为空!")});
        auto *direction = qobject_cast<QComboBox *>(sortGrid->cellWidget(0, 1));
        direction->setCurrentIndex(direction->findText(QStringLiteral("降序")));
        filter.accept();
        QCOMPARE(filter.result(), int(QDialog::Accepted));
        QCOMPARE(shared().filterSettings.sortBy, QStringLiteral("FNumber Desc"));
    }

    // stockcheck-cli sheet with the filter dialog's conditions, by caption.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("numbers"); // item numbers of the lines, or the start of the message
        QTest::addRow("like, descending") << QStringList{"--filter", "物料名称:like:螺:and", "--sort", "物料代码:desc"}
                                          << 0 << QStringLiteral("A200 A100");
        QTest::addRow("caption not offered")
            << QStringList{"--filter", "FName:=:x"} << 2 << QStringLiteral("第1行，[名称]列的“FName”不是可选的字段！");
    }
    void commandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, numbers);
        QProcess p;
        p.start(QStringLiteral(STOCKCHECK_CLI),
                QStringList{QStringLiteral("sheet"), QStringLiteral("--db"), m_db->url(), QStringLiteral("--user"),
                            QString::number(int(User)), QStringLiteral("--process"), QStringLiteral("1"),
                            QStringLiteral("--mode"), QStringLiteral("4")} +
                    args);
        QVERIFY(p.waitForFinished(120000));
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QCOMPARE(p.exitCode(), exitCode);
        if (exitCode != 0) {
            QVERIFY2(err.startsWith(numbers), qPrintable(err));
            return;
        }
        // heading, rows, totals
        const QStringList lines =
            QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY2(lines.size() >= 2, qPrintable(err));
        const qsizetype col = lines.first().split(QLatin1Char('\t')).indexOf(QStringLiteral("物料代码"));
        QVERIFY(col >= 0);
        QStringList shown;
        for (const QString &line : lines.mid(1, lines.size() - 2))
            shown << line.split(QLatin1Char('\t')).value(col);
        QCOMPARE(shown.join(QLatin1Char(' ')), numbers);
    }

    // Counts saved since loading are shown after a sort, not the loaded figures.
    void sortAfterSaveShowsSavedCounts()
    {
        const auto sheet = openSheet(SheetMode::Entry);
        sheet->chooseProcess(processIndex(*sheet, 2)); // item 2 not counted yet, in pieces
        const int row = rowOfItem(*sheet, 2);
        QVERIFY(row > 0);
        QVERIFY(sheet->editCell(row, EntryCol::CheckQty, QStringLiteral("7")));
        QVERIFY(sheet->SaveStockData(false));
        QVERIFY(sheet->frmF_SortNow(QStringLiteral("FName DESC")));
        QCOMPARE(sheet->entryGrid().number(rowOfItem(*sheet, 2), EntryCol::CheckQty), 7.0);
    }
};

STOCKCHECK_TEST(TestFindFilter)
#include "tst_findfilter.moc"
