#include "erp/ui/listdialog.h"
#include "erp/ui/widgetui.h"
#include "testmain.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableWidget>
#include <QTest>

// The widget side of the host UI: the busy cursor nests, the display list takes
// its column widths in twips.
class TestWidgetUi : public QObject
{
    Q_OBJECT

    static bool waiting()
    {
        return QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    }

private slots:
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
};

STOCKCHECK_TEST(TestWidgetUi)
#include "tst_widgetui.moc"
