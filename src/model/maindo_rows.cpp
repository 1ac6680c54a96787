// Row quantities, rounding, sums and the texts of the ledger and entry grids.

#include "maindo.h"

#include "sheetquery.h"

#include "host/numbers.h"
#include "host/sharedstate.h"
#include "host/texts.h"
#include "model/entrygrid.h"

#include <QHash>

#include <cmath>

namespace {

const QString qtyDecimalField = QStringLiteral("FQtyDecimal");
const QString periodField = QStringLiteral("FKFPeriod");

enum ColType { DateTimeCol = 0, QuantityCol = 2, DateCol = 7 };

// The count book leaves the counted columns blank for writing in by hand.
bool isCountedColumn(const SheetColumn &c)
{
    return c.caption == u"基本单位盘点数量$" || c.caption == u"盘点数量$" ||
           c.field.compare(QLatin1String("FCheckQty"), Qt::CaseInsensitive) == 0 ||
           c.field.compare(QLatin1String("FCUUnitCheckQty"), Qt::CaseInsensitive) == 0;
}

QString plainText(const QVariant &v)
{
    if (v.isNull())
        return {};
    switch (v.metaType().id()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return plainNumber(v.toDouble());
    case QMetaType::QDateTime:
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    default:
        return v.toString();
    }
}

// "yyyy/mm/dd" of a datetime or of a text that starts with a date; blank otherwise.
QString dateText(const QVariant &v)
{
    if (v.isNull())
        return {};
    if (v.metaType().id() == QMetaType::QDateTime)
        return v.toDateTime().toString(QStringLiteral("yyyy/MM/dd"));
    if (v.metaType().id() == QMetaType::QDate)
        return v.toDate().toString(QStringLiteral("yyyy/MM/dd"));
    const QString s = v.toString().trimmed();
    if (s.isEmpty())
        return {};
    const QDate d = QDate::fromString(s.left(10), QStringLiteral("yyyy-MM-dd"));
    return d.isValid() ? d.toString(QStringLiteral("yyyy/MM/dd")) : s;
}

bool isDateType(int type)
{
    return type == DateTimeCol || type == DateCol;
}

// The entry grid shows short numbers when full numbers are not in use.
QString entryField(const QString &field, bool fullNumbers)
{
    static const QHash<QString, QString> shortOf = {
        {QStringLiteral("fnumber"), QStringLiteral("FShortNumber")},
        {QStringLiteral("fstocknumber"), QStringLiteral("FStockShortNumber")},
        {QStringLiteral("fspnumber"), QStringLiteral("FSPShortNumber")},
        {QStringLiteral("funitnumber"), QStringLiteral("FUnitShortNumber")},
        {QStringLiteral("fcuunitnumber"), QStringLiteral("FCUUnitShortNumber")},
        {QStringLiteral("fsecunitnumber"), QStringLiteral("FSecUnitShortNumber")},
        {QStringLiteral("fauxpropnumber"), QStringLiteral("FAuxPropShortNumber")}};
    return fullNumbers ? field : shortOf.value(field.toLower(), field);
}

// Differences that documents after the snapshot put between counted and actual
// quantities: actual minus counted, per unit.
struct Difference
{
    const char *field, *actual, *counted;
};
const Difference kDifferences[] = {{"FDiffQty", "FQtyAct", "FCheckQty"},
                                   {"FCUUnitDiffQty", "FCUUnitQtyAct", "FCUUnitCheckQty"},
                                   {"FSecDiffQty", "FSecQtyAct", "FSecCheckQty"}};

// How one entry-grid column is read from the rows.
struct EntrySource
{
    int field = -1;                // column of the rows
    int actual = -1, counted = -1; // a computed difference instead
    bool date = false;
    bool period = false;
};

} // namespace

const std::array<const char *, 12> &MainDo::sumFields()
{
    static const std::array<const char *, 12> fields = {
        "FQty",           "FQtyAct",        "FOverQty", "FDownQty",   "FCUUnitQty",  "FCUUnitQtyAct",
        "FCUUnitOverQty", "FCUUnitDownQty", "FSecQty",  "FSecQtyAct", "FSecOverQty", "FSecDownQty"};
    return fields;
}

double MainDo::NVRound(double value, int decimals)
{
    return roundQuantity(value, decimals);
}

double MainDo::NVRound(const QVariant &value, int decimals)
{
    return value.isNull() ? 0.0 : roundQuantity(Recordset::toNumber(value), decimals);
}

QString MainDo::formatQuantity(double value, int decimals)
{
    decimals = qBound(0, decimals, 10);
    const double rounded = roundQuantity(value, decimals);
    QString digits = QString::number(std::fabs(rounded), 'f', decimals);
    qsizetype integerEnd = digits.indexOf(QLatin1Char('.'));
    if (integerEnd < 0)
        integerEnd = digits.size();
    for (qsizetype i = integerEnd - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(','));
    return rounded < 0 ? QLatin1Char('-') + digits : digits;
}

QString MainDo::TRowData() const
{
    QString line;
    for (const SheetColumn &c : m_layout)
        line += c.caption + QLatin1Char('|');
    return line;
}

void MainDo::GetSumData()
{
    m_sums.fill(0);
    if (!m_rows.isOpen() || m_rows.isEmpty())
        return;
    std::array<int, 12> fields{};
    for (size_t i = 0; i < fields.size(); ++i)
        fields[i] = m_rows.fieldIndex(QString::fromLatin1(sumFields()[i]));
    const int decimalsField = m_rows.fieldIndex(qtyDecimalField);
    for (int r = 0; r < m_rows.RecordCount(); ++r) {
        const int decimals = int(Recordset::toNumber(m_rows.value(r, decimalsField)));
        for (size_t i = 0; i < fields.size(); ++i)
            if (fields[i] >= 0)
                m_sums[i] += NVRound(m_rows.value(r, fields[i]), decimals);
    }
}

QString MainDo::DRowData(int gridRow) const
{
    const int records = m_rows.RecordCount();
    const int lastRow = m_ldg ? m_ldg->maxRows() : records + 3;
    if (mode() == SheetMode::Check && gridRow == lastRow)
        return totalLine();
    const int record = gridRow - 3;
    if (record < 0 || record >= records)
        return {};
    return dataLine(record);
}

void MainDo::resolveLayoutFields() const
{
    m_layoutFields.clear();
    for (const SheetColumn &c : m_layout)
        m_layoutFields.push_back(m_rows.fieldIndex(c.field));
    m_decimalsField = m_rows.fieldIndex(qtyDecimalField);
}

QString MainDo::dataLine(int record) const
{
    if (m_layoutFields.size() != size_t(m_layout.size()))
        resolveLayoutFields();
    const bool print = mode() == SheetMode::PrintBook;
    const int decimals = int(Recordset::toNumber(m_rows.value(record, m_decimalsField)));
    QString line;
    for (qsizetype i = 0; i < m_layout.size(); ++i) {
        const SheetColumn &c = m_layout.at(i);
        if (!(print && isCountedColumn(c))) {
            const QVariant v = m_rows.value(record, m_layoutFields[size_t(i)]);
            if (c.type == DateTimeCol)
                line += dateText(v);
            else if (c.type == QuantityCol)
                line += v.isNull() ? QString() : formatQuantity(Recordset::toNumber(v), decimals);
            else {
                const QString text = plainText(v);
                if (!(c.field.compare(periodField, Qt::CaseInsensitive) == 0 && text == QLatin1String("0")))
                    line += text;
            }
        }
        line += QLatin1Char('|');
    }
    return line;
}

QString MainDo::totalLine() const
{
    // the widest places of any row format the totals; an empty sheet shows four
    int decimals = -1;
    const int decimalsField = m_rows.fieldIndex(qtyDecimalField);
    for (int r = 0; r < m_rows.RecordCount(); ++r) {
        const QVariant v = m_rows.value(r, decimalsField);
        if (!v.isNull())
            decimals = std::max(decimals, int(Recordset::toNumber(v)));
    }
    if (decimals < 0)
        decimals = 4;
    QString line;
    for (qsizetype i = 0; i < m_layout.size(); ++i) {
        const SheetColumn &c = m_layout.at(i);
        if (i == 0) {
            line += LoadText("合计");
        } else {
            for (size_t s = 0; s < sumFields().size(); ++s)
                if (c.field.compare(QLatin1String(sumFields()[s]), Qt::CaseInsensitive) == 0)
                    line += formatQuantity(m_sums[s], decimals);
        }
        line += QLatin1Char('|');
    }
    return line;
}

void MainDo::InputFillRow(EntryGrid &grid) const
{
    const int records = m_rows.RecordCount();
    grid.resize(records);
    const bool fullNumbers = shared().useFullNumber;
    const int columns = std::min(int(m_layout.size()), int(EntryCol::Count));
    std::vector<EntrySource> sources(size_t(columns) + 1);
    for (int col = 1; col <= columns; ++col) {
        const SheetColumn &c = m_layout.at(col - 1);
        EntrySource &s = sources[size_t(col)];
        s.date = isDateType(c.type);
        s.period = c.field.compare(periodField, Qt::CaseInsensitive) == 0;
        s.field = m_rows.fieldIndex(entryField(c.field, fullNumbers));
        for (const Difference &d : kDifferences)
            if (c.field.compare(QLatin1String(d.field), Qt::CaseInsensitive) == 0) {
                s.actual = m_rows.fieldIndex(QString::fromLatin1(d.actual));
                s.counted = m_rows.fieldIndex(QString::fromLatin1(d.counted));
            }
    }
    const int decimalsField = m_rows.fieldIndex(qtyDecimalField);
    for (int r = 0; r < records; ++r) {
        const int row = r + 1;
        grid.setDecimals(row, int(Recordset::toNumber(m_rows.value(r, decimalsField))));
        for (int col = 1; col <= columns; ++col) {
            const EntrySource &s = sources[size_t(col)];
            if (s.actual >= 0 || s.counted >= 0) {
                const QVariant actual = m_rows.value(r, s.actual), counted = m_rows.value(r, s.counted);
                if (!actual.isNull() || !counted.isNull())
                    grid.setNumber(row, col, Recordset::toNumber(actual) - Recordset::toNumber(counted));
                continue;
            }
            if (s.field < 0)
                continue;
            const QVariant v = m_rows.value(r, s.field);
            if (v.isNull())
                continue; // cells start blank
            if (EntryGrid::kind(col) != EntryGrid::Kind::Text)
                grid.setNumber(row, col, Recordset::toNumber(v));
            else if (!(s.period && Recordset::toNumber(v) == 0)) // no shelf life: blank, as in the ledger
                grid.setText(row, col, s.date ? dateText(v) : plainText(v));
        }
    }
    // blind: the book comes under its own names, for the hidden cells only
    const int hidden[] = {m_rows.fieldIndex(sheetquery::hiddenBookFields()[0]),
                          m_rows.fieldIndex(sheetquery::hiddenBookFields()[1]),
                          m_rows.fieldIndex(sheetquery::hiddenBookFields()[2])};
    const int bookCols[] = {EntryCol::BaseBookQty, EntryCol::BookQty, EntryCol::SecBookQty};
    if (hidden[0] >= 0)
        for (int r = 0; r < records; ++r)
            for (int i = 0; i < 3; ++i) {
                const QVariant v = m_rows.value(r, hidden[i]);
                if (!v.isNull())
                    grid.setNumber(r + 1, bookCols[i], Recordset::toNumber(v));
            }
    grid.setText(grid.totalsRow(), EntryCol::StockNumber, LoadText("合计"));
    grid.recomputeTotals();
}
