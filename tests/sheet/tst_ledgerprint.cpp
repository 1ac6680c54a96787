#include "sheettestbase.h"
#include "testmain.h"

#include "model/ledgergrid.h"
#include "model/maindo.h"
#include "sheet/ledgerprint.h"
#include "sheet/ui/frmmain.h"

#include <QRegularExpression>
#include <QStandardPaths>
#include <QtWidgets>

using sheetfixture::User;

namespace {

constexpr int ManyRows = 240; // several pages in either orientation

QString pdftotext()
{
    return QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
}

// Qt's PDF writer maps a glyph back to the first character that shows it, and a
// CJK font shows radicals and ideographs alike: "方" reads back as the radical
// "⽅". The radicals' compatibility forms and the few of our texts that have none
// read back as the ideographs.
QString readable(const QString &text)
{
    QString result = text.normalized(QString::NormalizationForm_KC);
    for (const auto &[radical, ideograph] : {std::pair{u'\u2EDA', u'页'}, {u'\u2ED4', u'门'}, {u'\u2E9F', u'母'}})
        result.replace(QChar(radical), QChar(ideograph));
    return result;
}

} // namespace

// The printout of the ledger grid through `stockcheck-cli print`, read back with
// pdftotext: header and footer lines, page numbers and count, headings on every
// page and every row, in the check mode and the count book.
class TestLedgerPrint : public SheetTestBase
{
    Q_OBJECT

    QTemporaryDir dir;

    using Run = ProgramRun;
    Run print(const QStringList &args)
    {
        return runProgram(QStringLiteral(STOCKCHECK_CLI),
                          QStringList{QStringLiteral("print"), QStringLiteral("--db"), m_db->url(),
                                      QStringLiteral("--user"), QString::number(User)} +
                              args);
    }
    // The text of each page of a PDF.
    QStringList pages(const QString &pdf)
    {
        const Run p = runProgram(pdftotext(), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QStringList result = readable(p.out).split(QLatin1Char('\f'));
        if (!result.isEmpty() && result.last().trimmed().isEmpty())
            result.removeLast();
        return result;
    }

    bool fill() override
    {
        return SheetTestBase::fill() && sheetfixture::addManyRows(conn(), 2, 2, ManyRows) &&
               conn().Exec(QStringLiteral("UPDATE ICInvBackup SET FQtyAct = 1, FCheckQty = 1 WHERE FInterID = 2")) &&
               conn().Exec(QStringLiteral("INSERT INTO t_Emp (FItemID, FNumber, FName) VALUES (?, 'E1', ?)"),
                           {int(User), QStringLiteral("李会计")});
    }

private slots:
    void pdfCarriesLinesPagesAndRows_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("title");
        QTest::newRow("check") << 1 << QStringLiteral("物料盘点报告单");
        QTest::newRow("count book") << 3 << QStringLiteral("物料盘点表");
    }
    void pdfCarriesLinesPagesAndRows()
    {
        QFETCH(int, mode);
        QFETCH(QString, title);
        if (pdftotext().isEmpty())
            QSKIP("pdftotext is not installed (Debian package poppler-utils; scripts/setup-deps)");
        const QString pdf = dir.filePath(QStringLiteral("mode%1.pdf").arg(mode));
        const Run run = print({QStringLiteral("--process"), QStringLiteral("2"), QStringLiteral("--mode"),
                               QString::number(mode), QStringLiteral("--pdf"), pdf});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);
        const QStringList text = pages(pdf);
        QVERIFY2(text.size() > 1, qPrintable(QString::number(text.size())));
        QCOMPARE(run.out.trimmed(), pdf + QStringLiteral("\t%1").arg(text.size()));

        const QString all = text.join(QLatin1Char('\n'));
        for (int i = 0; i < text.size(); ++i) {
            const QString &page = text.at(i);
            const QString at = QStringLiteral("page %1: ").arg(i + 1);
            QVERIFY2(page.contains(title), qPrintable(at + page));
            QVERIFY2(page.contains(QStringLiteral("盘点方案:P2")), qPrintable(at + page));
            QVERIFY2(page.contains(QStringLiteral("账存日期:2026-04-02 14:05")), qPrintable(at + page));
            for (const char *label : {"部门主管:", "财务:", "审核:", "监盘:"})
                QVERIFY2(page.contains(QString::fromUtf8(label)), qPrintable(at + page));
            QVERIFY2(page.contains(QStringLiteral("制表:李会计")), qPrintable(at + page));
            // pdftotext keeps the spaces of a line only where it sees a gap
            const QString packed = QString(page).remove(QLatin1Char(' '));
            QVERIFY2(packed.contains(QStringLiteral("第%1页").arg(i + 1)), qPrintable(at + page));
            QVERIFY2(packed.contains(QStringLiteral("共%1页").arg(text.size())), qPrintable(at + page));
            QVERIFY2(page.contains(QStringLiteral("物料代码")) || page.contains(QStringLiteral("物料名称")),
                     qPrintable(at + "no column headings\n" + page));
        }
        // every row once: the batches of the many rows, and the item of the others
        for (int b = 1; b <= ManyRows; ++b) {
            const QRegularExpression batch(QStringLiteral("\\bB%1\\b").arg(b));
            QCOMPARE(all.count(batch), 1);
        }
        QVERIFY(all.contains(QStringLiteral("A100")));
    }

    // The printout paginates every row and the total line; the orientation
    // follows the columns' widths. (The page lines: the PDF test.)
    void pagesAndLines()
    {
        const LedgerPrintLines lines = LedgerPrintLines::forSheet(QStringLiteral("T"), QStringLiteral("P2"),
                                                                  QStringLiteral("账存日期:x"), QStringLiteral("王"));

        MainDo model;
        model.setMode(SheetMode::Check);
        LedgerGrid grid;
        model.Ldg(&grid);
        model.ResizeColWidth();
        const Recordset rows = model.GetRsMain(2, {}, false, shared().filterSettings);
        QVERIFY(rows.isOpen());
        grid.setMaxRows(rows.RecordCount() + 3);
        LedgerPrintout printout(model, grid, lines);
        QCOMPARE(printout.rowCount(), rows.RecordCount() + 1); // and the total line
        const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(12, 12, 12, 12),
                             QPageLayout::Millimeter);
        printout.paginate(a4, 300);
        const int portrait = printout.pageCount();
        QPageLayout wide = a4;
        wide.setOrientation(QPageLayout::Landscape);
        printout.paginate(wide, 300);
        QVERIFY2(printout.pageCount() > portrait, "a landscape page holds fewer rows");
        // wide columns ask for landscape, narrow ones for portrait
        for (int col = 1; col <= grid.columnCount(); ++col)
            grid.column(col).width = 200;
        QCOMPARE(LedgerPrintout(model, grid, lines).preferredOrientation(a4), QPageLayout::Portrait);
        for (int col = 1; col <= grid.columnCount(); ++col)
            grid.column(col).width = 3000;
        QCOMPARE(LedgerPrintout(model, grid, lines).preferredOrientation(a4), QPageLayout::Landscape);
    }

    // The window's preview shows the first page at once and pages through the
    // count; the print commands are there in the check and print modes.
    void windowPreviewsPages()
    {
        FrmMain window(SheetMode::PrintBook);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const int process = processIndex(window.sheet(), 2);
        QVERIFY(process >= 0);
        window.sheet().chooseProcess(process);
        for (const char *name : {"mnuFPrint", "mnuFPrintPreview", "mnuFPrintSetup"})
            QVERIFY2(window.action(QString::fromLatin1(name))->isEnabled(), name);
        int pages = 0;
        bool drawn = false;
        QTimer::singleShot(0, &window, [&] {
            QDialog *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            const auto spin = dialog->findChild<QSpinBox *>();
            const QList<QLabel *> labels = dialog->findChildren<QLabel *>();
            pages = spin ? spin->maximum() : 0;
            if (spin)
                spin->setValue(pages);
            for (const QLabel *label : labels)
                drawn = drawn || !label->pixmap().isNull();
            dialog->reject();
        });
        window.action(QStringLiteral("mnuFPrintPreview"))->trigger();
        QVERIFY(drawn);
        QVERIFY2(pages > 1, qPrintable(QString::number(pages)));
    }

    void refusesWrongRequests()
    {
        const QString pdf = dir.filePath(QStringLiteral("x.pdf"));
        QCOMPARE(print({QStringLiteral("--process"), QStringLiteral("2"), QStringLiteral("--mode"), QStringLiteral("4"),
                        QStringLiteral("--pdf"), pdf})
                     .exitCode,
                 2);
        const Run missing = print({QStringLiteral("--process"), QStringLiteral("99"), QStringLiteral("--mode"),
                                   QStringLiteral("1"), QStringLiteral("--pdf"), pdf});
        QCOMPARE(missing.exitCode, 1);
        QVERIFY(!QFile::exists(pdf));
    }
};

STOCKCHECK_TEST(TestLedgerPrint)
#include "tst_ledgerprint.moc"
