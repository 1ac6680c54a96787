#pragma once

#include "sheetreader.h"

#include <QFile>
#include <QString>
#include <QStringDecoder>

// Comma-separated values as spreadsheet programs write them: quoted fields with
// doubled quotes, line breaks inside quotes, CR LF or LF line ends, a last line
// with or without its line end. The text is UTF-8 (with or without a byte-order
// mark) or, when it is not valid UTF-8, GB18030 as older Chinese spreadsheet
// programs save it. Decoded as it is read; numbers stay text (the import reads
// them by column).
class CsvReader : public SheetReader
{
public:
    static std::unique_ptr<SheetReader> open(const QString &path, const Limits &limits, QString *error);
    ~CsvReader() override;

protected:
    bool nextLine(QList<QVariant> *cells) override;

private:
    explicit CsvReader(const Limits &limits);
    bool load(const QString &path);
    bool isUtf8();
    bool refill();
    bool decodeGb18030(const QByteArray &bytes, bool last);

    QFile m_file;
    bool m_gb18030 = false;
    void *m_iconv = nullptr; // iconv_t
    QByteArray m_pending;    // undecoded bytes of a character split between reads
    QStringDecoder m_utf8{QStringDecoder::Utf8};
    QString m_buffer;
    qsizetype m_pos = 0;
    bool m_atEnd = false;
};
