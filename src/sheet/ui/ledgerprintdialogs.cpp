#include "ledgerprintdialogs.h"

#include "host/texts.h"
#include "sheet/countsheet.h"
#include "sheet/ledgerprint.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>
#include <memory>

namespace {

constexpr int PreviewDpi = 96;

std::unique_ptr<LedgerPrintout> printoutFor(const CountSheet &sheet, QPrinter &printer)
{
    auto printout = std::make_unique<LedgerPrintout>(sheet.model(), sheet.ledgerGrid(), sheet.printLines());
    printer.setPageOrientation(printout->preferredOrientation(printer.pageLayout()));
    printer.setDocName(sheet.title());
    return printout;
}

// One page as an image at the screen's resolution, drawn when it is shown.
QPixmap pageImage(LedgerPrintout &printout, const QPageLayout &layout, int page)
{
    const QRect full = layout.fullRectPixels(PreviewDpi);
    QImage image(full.size(), QImage::Format_RGB32);
    const int dotsPerMeter = int(std::lround(PreviewDpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(layout.paintRectPixels(PreviewDpi).topLeft());
    printout.paintPage(painter, page);
    painter.end();
    return QPixmap::fromImage(image);
}

} // namespace

void ledgerprintui::print(QWidget *parent, const CountSheet &sheet, QPrinter &printer)
{
    const std::unique_ptr<LedgerPrintout> printout = printoutFor(sheet, printer);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() == QDialog::Accepted)
        printout->print(printer, printer.resolution());
}

void ledgerprintui::preview(QWidget *parent, const CountSheet &sheet, QPrinter &printer)
{
    const std::shared_ptr<LedgerPrintout> printout = printoutFor(sheet, printer);
    printout->paginate(printer.pageLayout(), PreviewDpi);

    QDialog dialog(parent);
    dialog.setWindowTitle(LoadText("打印预览"));
    auto *page = new QSpinBox(&dialog);
    page->setRange(1, printout->pageCount());
    auto *count = new QLabel(FormatText("共 %1 页", {printout->pageCount()}), &dialog);
    auto *printButton = new QPushButton(LoadText("打印"), &dialog);
    auto *closeButton = new QPushButton(LoadText("关闭"), &dialog);
    auto *bar = new QHBoxLayout;
    bar->addWidget(page);
    bar->addWidget(count);
    bar->addStretch();
    bar->addWidget(printButton);
    bar->addWidget(closeButton);
    auto *image = new QLabel(&dialog);
    image->setAlignment(Qt::AlignCenter);
    auto *scroll = new QScrollArea(&dialog);
    scroll->setWidget(image);
    scroll->setWidgetResizable(true);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addLayout(bar);
    layout->addWidget(scroll);

    const QPageLayout pageLayout = printer.pageLayout();
    auto show = [&, printout](int number) { image->setPixmap(pageImage(*printout, pageLayout, number)); };
    QObject::connect(page, &QSpinBox::valueChanged, &dialog, show);
    QObject::connect(closeButton, &QPushButton::clicked, &dialog, &QDialog::reject);
    QObject::connect(printButton, &QPushButton::clicked, &dialog, [&] {
        QPrintDialog printDialog(&printer, &dialog);
        if (printDialog.exec() == QDialog::Accepted) {
            printout->print(printer, printer.resolution());
            dialog.accept();
        }
    });
    show(1);
    dialog.resize(pageLayout.fullRectPixels(PreviewDpi).size() + QSize(60, 90));
    dialog.exec();
}

void ledgerprintui::setup(QWidget *parent, QPrinter &printer)
{
    QPageSetupDialog dialog(&printer, parent);
    dialog.exec();
}
