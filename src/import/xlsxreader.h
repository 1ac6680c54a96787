#pragma once

#include "sheetreader.h"

#include <QByteArray>
#include <QStringList>
#include <QXmlStreamReader>

#include <vector>

// The first sheet of an .xlsx workbook, read from the zip with minizip and parsed
// as it streams: shared strings (rich-text runs joined, phonetic runs left out),
// inline strings, the cached values of formulas, cells placed by their reference,
// and numbers whose style is a date format read as dates in the workbook's 1900 or
// 1904 system.
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
    bool feed();
    bool damaged();
    bool readSharedStrings(const QByteArray &xml);
    void readStyles(const QByteArray &xml);
    QString firstSheetPath(const QByteArray &workbook, const QByteArray &rels);
    QVariant cellValue() const;

    void *m_zip = nullptr; // unzFile
    bool m_sheetOpen = false;
    bool m_eof = false;
    qint64 m_expanded = 0;
    bool m_date1904 = false;
    QStringList m_shared;
    std::vector<bool> m_dateStyles; // by style index (cellXfs)
    QXmlStreamReader m_xml;
    QByteArray m_chunk;

    // the cell being read
    int m_col = -1;
    QString m_type;
    int m_style = 0;
    QString m_value;
    bool m_inValue = false;
    bool m_inInline = false;
    int m_phonetic = 0;
    bool m_sheetDone = false;
};
