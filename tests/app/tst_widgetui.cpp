#include "erp/ui/helpdialog.h"
#include "erp/ui/listdialog.h"
#include "erp/ui/widgetui.h"
#include "testmain.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableWidget>
#include <QTest>

// The widget side of the host UI: the busy cursor nests, the display list takes
// its column widths in twips and shows long texts whole.
class TestWidgetUi : public QObject
{
    Q_OBJECT

    static bool waiting()
    {
        return QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    }

private slots:
    // A topic of one mode finds the window's page for all modes; a name that
    // could leave the help folder finds nothing.
    void helpPages()
    {
        QVERIFY(erp::HelpDialog::pagePath(QStringLiteral("ICStockCheckFind_4")).endsWith(QLatin1String(".html")));
        QVERIFY(
            erp::HelpDialog::pagePath(QStringLiteral("ICStockCheckMain")).contains(QLatin1String("ICStockCheckMain")));
        QVERIFY(erp::HelpDialog::pagePath(QStringLiteral("../ICStockCheckMain")).isEmpty());
    }

    void busyCursorNests()
    {
        erp::WidgetUi ui;
        ui.setBusy(true);
        ui.setBusy(true);
        ui.setBusy(false);
        QVERIFY(waiting()); // the outer operation still runs
        ui.setBusy(false);
        QVERIFY(!QApplication::overrideCursor());
        ui.setBusy(false); // one end too many does not pop a cursor someone else set
        QApplication::setOverrideCursor(Qt::CrossCursor);
        ui.setBusy(false);
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::CrossCursor);
        QApplication::restoreOverrideCursor();
    }

    void listTakesWidthsInTwips()
    {
        erp::ListDialog dialog(QStringLiteral("错误"), {"行号", "错误"}, {600, 3000},
                               {{"1", "数量不是数字"}, {"2", "仓库不存在", "多出的一列"}});
        auto *table = dialog.findChild<QTableWidget *>(QStringLiteral("lstRows"));
        QVERIFY(table);
        QCOMPARE(table->columnCount(), 3); // a longer row is shown whole
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(table->columnWidth(0), 40);
        QCOMPARE(table->item(1, 2)->text(), QStringLiteral("多出的一列"));
    }

    // A reason longer than its column is shown whole: the column grows, and what
    // is still longer wraps into a taller row; the window can be resized.
    void listShowsLongTextsWhole()
    {
        const QString reason =
            QStringLiteral("基本单位与辅助计量单位盘盈盘亏方向不一致，盘点数据未能成功保存，请检查数据！");
        const QString longer = QString(reason).repeated(6);
        erp::ListDialog dialog(QStringLiteral("错误"), {"行号", "错误类型"}, {600, 1600},
                               {{"1", reason}, {"2", longer}, {"3", "短"}});
        auto *table = dialog.findChild<QTableWidget *>(QStringLiteral("lstRows"));
        QVERIFY(table);
        QVERIFY(dialog.isSizeGripEnabled());
        QVERIFY(table->columnWidth(1) > erp::ListDialog::twipsToPixels(1600));
        QVERIFY(table->wordWrap());
        const QFontMetrics metrics = table->fontMetrics();
        for (int r = 0; r < 3; ++r) {
            const QRect room(0, 0, table->columnWidth(1) - 12, 100000);
            const int needed = metrics.boundingRect(room, Qt::TextWordWrap, table->item(r, 1)->text()).height();
            QVERIFY2(table->rowHeight(r) >= needed, qPrintable(QString::number(r)));
        }
        QVERIFY(table->rowHeight(1) > table->rowHeight(2));
    }
};

STOCKCHECK_TEST(TestWidgetUi)
#include "tst_widgetui.moc"
