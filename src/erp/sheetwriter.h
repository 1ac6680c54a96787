#pragma once

#include "host/hostcomponents.h"

namespace erp {

// The host's export component: writes a table as an .xlsx workbook (typed cells,
// frozen heading row, column widths) or as a .csv file in UTF-8 with a byte order
// mark, so spreadsheet programs read the Chinese texts right.
class SpreadsheetWriter : public SheetWriter
{
public:
    bool Export(const QString &fileName, const QString &title, const QList<ExportColumn> &columns, int rowCount,
                const RowLoader &loadRow, QString *error) override;

    // The text of a value in a .csv cell: quantities with their decimals and no
    // grouping, dates as yyyy-MM-dd, texts quoted when they hold a separator, a
    // quote or a line break.
    static QString csvField(const QVariant &value, ExportColumn::Kind kind, int decimals);

private:
    static bool writeXlsx(const QString &fileName, const QString &title, const QList<ExportColumn> &columns,
                          int rowCount, const RowLoader &loadRow, QString *error);
    static bool writeCsv(const QString &fileName, const QList<ExportColumn> &columns, int rowCount,
                         const RowLoader &loadRow, QString *error);
};

} // namespace erp
