// The printout of a 100,000-row count report (mode 1) as PDF, in pages per second,
// against a bare QPdfWriter loop that writes the same cell texts at fixed places
// on as many pages, measured in the same run; and the time until a preview shows
// its first page (the layout pass plus one page painted). Goals: the whole PDF
// under 30 s, the first page of the preview under 2 s.
//
//   bench_print [--rows N] [--pg URL]

#include "benchcount.h"
#include "benchutil.h"

#include "host/sharedstate.h"
#include "model/ledgergrid.h"
#include "model/maindo.h"
#include "sheet/countsheet.h"
#include "sheet/ledgerprint.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int ProcessId = 1;

double msSince(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// The same texts, one line per row, without any layout: what writing the pages
// costs by itself.
double bareWrite(const MainDo &model, int rows, int rowsPerPage, const QString &file)
{
    QElapsedTimer t;
    t.start();
    QPdfWriter writer(file);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10)));
    writer.setResolution(300);
    QPainter painter(&writer);
    QFont font(ledgerPrintFontFamily());
    font.setPixelSize(20);
    painter.setFont(font);
    const int lineHeight = 28;
    for (int r = 0; r < rows; ++r) {
        if (r > 0 && r % rowsPerPage == 0)
            writer.newPage();
        const QStringList cells = model.DRowData(r + 3).split(QLatin1Char('|'));
        int x = 0;
        for (const QString &cell : cells) {
            painter.drawText(x, 60 + (r % rowsPerPage) * lineHeight, cell);
            x += 110;
        }
    }
    painter.end();
    return msSince(t);
}

bool runEngine(const QString &label, const QString &url, int rows, const QString &dir)
{
    AppConnection c;
    if (!bench::openHost(c, url) || !bench::prepareCount(c, ProcessId, rows))
        return false;
    shared().showType = SheetMode::Check;
    MainDo model;
    LedgerGrid ledger;
    model.Ldg(&ledger);
    model.ResizeColWidth();
    const Recordset rs =
        model.GetRsMain(ProcessId, CountSheet::viewCondition(SheetMode::Check, CountSheet::DataView::All), false,
                        shared().filterSettings);
    ledger.setMaxRows(rs.RecordCount() + 3);
    model.GetSumData();
    const LedgerPrintLines lines =
        LedgerPrintLines::forSheet(CountSheet::title(SheetMode::Check), QStringLiteral("202612060001"),
                                   QStringLiteral("2026-12-06"), QStringLiteral("演示用户"));

    // the preview: the layout pass for a screen page, then its first page
    QElapsedTimer t;
    t.start();
    LedgerPrintout preview(model, ledger, lines);
    const QPageLayout screenPage(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10));
    preview.paginate(screenPage, 96);
    QImage image(screenPage.paintRectPixels(96).size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        preview.paintPage(painter, 1);
    }
    const double firstPageMs = msSince(t);

    LedgerPrintout printout(model, ledger, lines);
    QString error;
    t.restart();
    if (!printout.writePdf(dir + QStringLiteral("/report.pdf"), &error)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(label), qPrintable(error));
        return false;
    }
    const double pdfMs = msSince(t);
    const int pages = printout.pageCount();
    const int rowsPerPage = std::max(1, (printout.rowCount() + pages - 1) / std::max(1, pages));
    const double bareMs = bareWrite(model, printout.rowCount(), rowsPerPage, dir + QStringLiteral("/bare.pdf"));
    std::printf("%-10s %d rows on %d pages: PDF %.0f ms (%.1f pages/s), bare QPdfWriter loop %.0f ms, ratio %.2f"
                "  (target < 30000 ms: %s)\n",
                qPrintable(label), printout.rowCount(), pages, pdfMs, pages / (pdfMs / 1000.0), bareMs,
                bareMs > 0 ? pdfMs / bareMs : 0.0, pdfMs < 30000 ? "ok" : "MISSED");
    std::printf("%-10s preview: first page on screen after %.0f ms (target < 2000 ms: %s)\n", qPrintable(label),
                firstPageMs, firstPageMs < 2000 ? "ok" : "MISSED");
    std::fflush(stdout);
    shared().reset();
    return pages > 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const bench::Args args(app.arguments());
    const int rows = args.count("--rows", 100000);
    QTemporaryDir dir;
    return bench::onBothEngines(QStringLiteral("bench_print"), args, [&](const QString &label, const QString &url) {
        return runEngine(label, url, rows, dir.path());
    });
}
