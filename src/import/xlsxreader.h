#pragma once

#include "sheetreader.h"

#include <QByteArray>
#include <QStringList>

#include <vector>

// The first sheet of an .xlsx workbook, read from the zip with minizip: the small
// parts (workbook, relations, styles, shared strings) with QXmlStreamReader, the
// sheet itself with a scanner of its few elements as it streams, several times
// faster on a sheet of 100,000 lines. Shared strings (rich-text runs joined,
// phonetic runs left out), inline strings, the cached values of formulas, cells
// placed by their reference, and numbers whose style is a date format read as
// dates in the workbook's 1900 or 1904 system.
class XlsxReader : public SheetReader
{
public:
    static std::unique_ptr<SheetReader> open(const QString &path, const Limits &limits, QString *error);
    ~XlsxReader() override;

protected:
    bool nextLine(QList<QVariant> *cells) override;

private:
    explicit XlsxReader(const Limits &limits);
    bool load(const QString &path);
    bool readEntry(const QString &name, qint64 maxBytes, QByteArray *out, bool *found = nullptr);
    bool openSheet(const QString &name);
    bool damaged();
    bool readSharedStrings(const QByteArray &xml);
    void readStyles(const QByteArray &xml);
    QString firstSheetPath(const QByteArray &workbook, const QByteArray &rels);
    QVariant cellValue() const;

    // the sheet's bytes as they are inflated
    bool fill();                          // more bytes; false at the end or on a failure
    bool findByte(char c, qsizetype *at); // from m_pos, filling as needed
    bool readTag(QByteArray *tag);        // the next markup after text (`text` gets the text before it)
    QByteArray m_text;                    // text before the last tag

    void *m_zip = nullptr; // unzFile
    bool m_sheetOpen = false;
    bool m_eof = false;
    qint64 m_expanded = 0;
    bool m_date1904 = false;
    QStringList m_shared;
    std::vector<bool> m_dateStyles; // by style index (cellXfs)
    QByteArray m_buffer;
    qsizetype m_pos = 0;

    // the cell being read
    int m_col = -1;
    QByteArray m_type;
    int m_style = 0;
    QString m_value;
    bool m_sheetDone = false;
};
