#pragma once

#include <QFont>
#include <QPageLayout>
#include <QString>
#include <QStringList>

class LedgerGrid;
class MainDo;
class QPagedPaintDevice;
class QPainter;
class QPaintDevice;

// What the printout of the ledger grid carries around its rows: the two header
// and two footer lines, each split at "|" into left, centre and right parts.
struct LedgerPrintLines
{
    QStringList header;
    QStringList footer;

    // The lines of the count sheet: its title; the process and the snapshot date;
    // the signature labels with the operator's name after the last; the page number
    // and page count ("&[页]" and "&[总页]" are filled in per page).
    static LedgerPrintLines forSheet(const QString &title, const QString &process, const QString &checkDate,
                                     const QString &operatorName);
    // A line with "&[页]" and "&[总页]" filled in.
    static QString expand(const QString &line, int page, int pageCount);
};

// The operator's name (t_Emp) for the "制表:" label; empty when there is none.
QString ledgerPrintOperatorName(int operatorId);

// The family that stands for "宋体": itself when installed, else a CJK serif or
// sans font, so the Chinese texts never print as boxes.
QString ledgerPrintFontFamily();

// Lays the ledger grid out on pages and paints any page on demand: the first pass
// (paginate) only counts rows per page, so "page X of Y" is known at once and a
// preview of a large count need not draw every page first.
class LedgerPrintout
{
public:
    LedgerPrintout(const MainDo &model, const LedgerGrid &grid, LedgerPrintLines lines);

    // Landscape when the columns fit a landscape page better than a portrait one.
    QPageLayout::Orientation preferredOrientation(const QPageLayout &layout) const;
    // The first pass, for the device's page layout and resolution.
    void paginate(const QPageLayout &layout, int dpi);
    int pageCount() const { return m_pageCount; }
    int rowCount() const { return int(m_rows.size()); }
    // Paints page `page` (1-based) with the painter's origin at the paint rect.
    void paintPage(QPainter &painter, int page) const;
    // Paginates for the device and paints every page.
    bool print(QPagedPaintDevice &device, int dpi);
    // The whole printout as a PDF file; false with the reason on failure.
    bool writePdf(const QString &file, QString *error);

private:
    void paintLine(QPainter &painter, const QFont &font, const QString &line, double top, double height,
                   int page) const;

    const MainDo &m_model;
    QList<int> m_columns;  // visible grid columns, 1-based
    QList<double> m_twips; // their widths
    QList<bool> m_numeric; // right aligned
    QList<int> m_rows;     // grid rows to print, the total line last
    LedgerPrintLines m_lines;
    QString m_family;
    // from paginate, in device pixels
    double m_width = 0, m_height = 0, m_scale = 1, m_rowHeight = 0, m_titleHeight = 0, m_lineHeight = 0;
    int m_dpi = 72, m_rowsPerPage = 1, m_pageCount = 0;
    QFont m_cellFont, m_titleFont, m_lineFont;
};
