#include "ledgerprint.h"

#include "host/appconnection.h"
#include "host/recordset.h"
#include "host/sharedstate.h"
#include "host/texts.h"
#include "model/ledgergrid.h"
#include "model/maindo.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

namespace {

constexpr double TwipsPerInch = 1440.0;
constexpr double CellPoints = 9.0; // at full width; smaller when the columns are squeezed
constexpr double MinCellPoints = 5.0;
constexpr double MinFitPoints = 3.5; // a single cell that does not fit
constexpr double TitlePoints = 16.0;
constexpr double LinePoints = 9.0;
constexpr double LineSpacing = 1.8; // row height per point of font size
constexpr int PdfDpi = 600;

const QString PageField = QStringLiteral("&[页]");
const QString PageCountField = QStringLiteral("&[总页]");

// Without shaping the PDF maps each glyph back to its character: shaped digits
// after a letter ("P2") would read back as nothing.
QFont printFont(const QString &family, double points)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

} // namespace

LedgerPrintLines LedgerPrintLines::forSheet(const QString &title, const QString &process, const QString &checkDate,
                                            const QString &operatorName)
{
    LedgerPrintLines lines;
    lines.header << title << LoadText("盘点方案:") + process + QLatin1Char('|') + checkDate;
    lines.footer << LoadText("部门主管:|财务:|审核:|监盘:|制表:") + operatorName
                 << LoadText("第 &[页] 页") + QStringLiteral("        |") + LoadText("共 &[总页] 页");
    return lines;
}

QString LedgerPrintLines::expand(const QString &line, int page, int pageCount)
{
    QString text = line;
    // the count first: "&[页]" is no part of "&[总页]", but keep the order obvious
    text.replace(PageCountField, QString::number(pageCount));
    text.replace(PageField, QString::number(page));
    return text;
}

QString ledgerPrintOperatorName(int operatorId)
{
    AppConnection *conn = shared().connection;
    if (!conn || operatorId <= 0)
        return {};
    const Recordset rs = conn->Execute(QStringLiteral("SELECT FName FROM t_Emp WHERE FItemID = ?"), {operatorId});
    return rs.isOpen() && !rs.isEmpty() ? rs.text(u"FName") : QString();
}

QString ledgerPrintFontFamily()
{
    const QStringList installed = QFontDatabase::families();
    for (const char *family : {"宋体", "SimSun", "Noto Serif CJK SC", "Noto Sans CJK SC"})
        if (installed.contains(QString::fromUtf8(family)))
            return QString::fromUtf8(family);
    return QStringLiteral("宋体"); // Qt's own fallback then picks a font
}

LedgerPrintout::LedgerPrintout(const MainDo &model, const LedgerGrid &grid, LedgerPrintLines lines)
    : m_model(model)
    , m_lines(std::move(lines))
    , m_family(ledgerPrintFontFamily())
{
    const QList<SheetColumn> &layout = model.columnLayout();
    for (int col = 1; col <= grid.columnCount(); ++col) {
        if (grid.column(col).hidden)
            continue;
        m_columns << col;
        const int twips = grid.column(col).width > 0 ? grid.column(col).width : layout.value(col - 1).width;
        m_twips << std::max(twips, 300);
        m_numeric << grid.column(col).numeric;
    }
    const int records = model.rows().RecordCount();
    m_rows.reserve(records + 1);
    for (int row = 3; row < records + 3; ++row)
        m_rows << row;
    if (model.mode() == SheetMode::Check && grid.maxRows() > records + 2)
        m_rows << grid.maxRows(); // the total line
}

QPageLayout::Orientation LedgerPrintout::preferredOrientation(const QPageLayout &layout) const
{
    double total = 0;
    for (double w : m_twips)
        total += w;
    QPageLayout portrait = layout;
    portrait.setOrientation(QPageLayout::Portrait);
    const double portraitWidth = portrait.paintRect(QPageLayout::Inch).width() * TwipsPerInch;
    return total > portraitWidth ? QPageLayout::Landscape : QPageLayout::Portrait;
}

void LedgerPrintout::paginate(const QPageLayout &layout, int dpi)
{
    m_dpi = dpi;
    const QRect paint = layout.paintRectPixels(dpi);
    m_width = paint.width();
    m_height = paint.height();
    double total = 0;
    for (double w : m_twips)
        total += w / TwipsPerInch * dpi;
    m_scale = total > 0 ? m_width / total : 1.0;
    const double px = dpi / 72.0;
    const double cellPoints = std::max(MinCellPoints, CellPoints * std::min(1.0, m_scale));
    m_cellFont = printFont(m_family, cellPoints);
    m_titleFont = printFont(m_family, TitlePoints);
    m_titleFont.setBold(true);
    m_lineFont = printFont(m_family, LinePoints);
    m_rowHeight = cellPoints * LineSpacing * px;
    m_titleHeight = TitlePoints * LineSpacing * px;
    m_lineHeight = LinePoints * LineSpacing * px;
    const double body = m_height - m_titleHeight - 2 * m_lineHeight * (m_lines.footer.size() + 1);
    m_rowsPerPage = std::max(1, int(std::floor((body - m_rowHeight) / m_rowHeight)));
    m_pageCount = std::max(1, int((m_rows.size() + m_rowsPerPage - 1) / m_rowsPerPage));
}

void LedgerPrintout::paintLine(QPainter &painter, const QFont &font, const QString &line, double top, double height,
                               int page) const
{
    painter.setFont(font);
    const QStringList parts = LedgerPrintLines::expand(line, page, m_pageCount).split(QLatin1Char('|'));
    const int n = int(parts.size());
    if (n == 1) {
        painter.drawText(QRectF(0, top, m_width, height), Qt::AlignCenter, parts.first());
        return;
    }
    if (n <= 3) {
        const Qt::Alignment align[3] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
        for (int i = 0; i < n; ++i)
            painter.drawText(QRectF(0, top, m_width, height), align[i] | Qt::AlignVCenter, parts.at(i));
        return;
    }
    // more parts than left, centre and right: equal slots across the width
    const double slot = m_width / n;
    for (int i = 0; i < n; ++i)
        painter.drawText(QRectF(i * slot, top, slot, height), Qt::AlignLeft | Qt::AlignVCenter, parts.at(i));
}

void LedgerPrintout::paintPage(QPainter &painter, int page) const
{
    painter.save();
    painter.setPen(QPen(Qt::black, std::max(1.0, m_dpi / 144.0)));
    double top = 0;
    for (int i = 0; i < m_lines.header.size(); ++i) {
        const double h = i == 0 ? m_titleHeight : m_lineHeight;
        paintLine(painter, i == 0 ? m_titleFont : m_lineFont, m_lines.header.at(i), top, h, page);
        top += h;
    }
    top += m_lineHeight / 2;

    QList<double> lefts{0};
    for (double w : m_twips)
        lefts << lefts.last() + w / TwipsPerInch * m_dpi * m_scale;
    const double pad = m_dpi / 48.0;
    const QList<SheetColumn> &layout = m_model.columnLayout();
    QFont headingFont = m_cellFont;
    headingFont.setBold(true);
    const QFontMetricsF headingMetrics(headingFont, painter.device());
    const QFontMetricsF cellMetrics(m_cellFont, painter.device());

    // The grid is drawn as whole lines, and a text that fits is placed at its
    // baseline: a rectangle per cell and a laid-out text per cell cost a large
    // report much of its time.
    const double gridTop = top;
    auto drawRow = [&](const QStringList &cells, bool heading) {
        const QFont &font = heading ? headingFont : m_cellFont;
        const QFontMetricsF &fm = heading ? headingMetrics : cellMetrics;
        const double baseline = top + (m_rowHeight - fm.ascent() - fm.descent()) / 2 + fm.ascent();
        painter.drawLine(QLineF(lefts.first(), top, lefts.at(m_columns.size()), top));
        for (int c = 0; c < m_columns.size(); ++c) {
            const QRectF cell(lefts.at(c), top, lefts.at(c + 1) - lefts.at(c), m_rowHeight);
            const Qt::Alignment align = heading ? Qt::AlignHCenter : (m_numeric.at(c) ? Qt::AlignRight : Qt::AlignLeft);
            const QRectF inner = cell.adjusted(pad, 0, -pad, 0);
            const QString text = cells.value(c);
            if (text.isEmpty())
                continue;
            const double advance = fm.horizontalAdvance(text);
            if (advance <= inner.width()) {
                const double x = align == Qt::AlignLeft    ? inner.left()
                                 : align == Qt::AlignRight ? inner.right() - advance
                                                           : inner.left() + (inner.width() - advance) / 2;
                painter.drawText(QPointF(x, baseline), text);
                continue;
            }
            // a narrow column: a smaller font first, so that a quantity stays whole
            QFont smaller = font;
            smaller.setPointSizeF(std::max(MinFitPoints, font.pointSizeF() * inner.width() / advance));
            painter.setFont(smaller);
            painter.drawText(inner, align | Qt::AlignVCenter,
                             QFontMetricsF(smaller, painter.device()).elidedText(text, Qt::ElideRight, inner.width()));
            painter.setFont(font);
        }
        top += m_rowHeight;
    };

    painter.setFont(headingFont);
    QStringList headings;
    for (int col : m_columns)
        headings << layout.value(col - 1).displayCaption();
    drawRow(headings, true);
    painter.setFont(m_cellFont);
    const int first = (page - 1) * m_rowsPerPage;
    const int last = std::min(int(m_rows.size()), first + m_rowsPerPage);
    for (int i = first; i < last; ++i) {
        const QStringList line = m_model.DRowData(m_rows.at(i)).split(QLatin1Char('|'));
        QStringList cells;
        for (int col : m_columns)
            cells << line.value(col - 1);
        drawRow(cells, false);
    }
    painter.drawLine(QLineF(lefts.first(), top, lefts.at(m_columns.size()), top));
    for (int c = 0; c <= m_columns.size(); ++c)
        painter.drawLine(QLineF(lefts.at(c), gridTop, lefts.at(c), top));

    double bottom = m_height - m_lineHeight * m_lines.footer.size();
    for (const QString &line : m_lines.footer) {
        paintLine(painter, m_lineFont, line, bottom, m_lineHeight, page);
        bottom += m_lineHeight;
    }
    painter.restore();
}

bool LedgerPrintout::print(QPagedPaintDevice &device, int dpi)
{
    paginate(device.pageLayout(), dpi);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (int page = 1; page <= m_pageCount; ++page) {
        if (page > 1 && !device.newPage())
            return false;
        paintPage(painter, page);
    }
    return painter.end();
}

bool LedgerPrintout::writePdf(const QString &file, QString *error)
{
    { // the writer does not tell why a file cannot be written
        QFile probe(file);
        if (!probe.open(QIODevice::WriteOnly)) {
            *error = FormatText("不能写入文件%1：%2", {QDir::toNativeSeparators(file), probe.errorString()});
            return false;
        }
    }
    QPdfWriter writer(file);
    writer.setResolution(PdfDpi);
    writer.setCreator(QStringLiteral("StockCheck"));
    writer.setTitle(m_lines.header.value(0));
    QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(12, 12, 12, 12),
                       QPageLayout::Millimeter);
    layout.setOrientation(preferredOrientation(layout));
    writer.setPageLayout(layout);
    if (!print(writer, PdfDpi)) {
        *error = FormatText("不能写入文件%1：%2", {QDir::toNativeSeparators(file), QString()});
        return false;
    }
    return true;
}
