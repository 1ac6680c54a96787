#include "importrecord.h"

#include "sheetreader.h"

#include "host/numbers.h"
#include "host/texts.h"

#include <cmath>

namespace ImportCol {

int position(Field field, bool mtoMode)
{
    // positions with the mode off; the MTO number has none
    static const int off[FieldCount] = {1,  2,  3,  4,  5,  6,  8,  9,  10, 0,  11, 12,
                                        13, 14, 18, 19, 25, 26, 27, 28, 29, 30, 33, 35};
    if (field == MtoNo)
        return mtoMode ? 11 : 0;
    const int p = off[field];
    return mtoMode && p >= 11 ? p + 1 : p;
}

} // namespace ImportCol

namespace {

using namespace ImportCol;

// Widest text each stored column takes.
int maxLength(Field f)
{
    switch (f) {
    case BatchNo:
        return 200;
    case MtoNo:
    case ComplexQty:
        return 300;
    case Note:
        return 255;
    default:
        return 255;
    }
}

QString cellText(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Double:
        return plainNumber(v.toDouble());
    case QMetaType::QDate:
        return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    default:
        return v.toString().trimmed();
    }
}

// A number as a person writes it in a text cell: "12", " -3.5 ", "1,234.50".
bool textNumber(const QString &text, double *value)
{
    bool ok = false;
    const double v = QString(text).remove(QLatin1Char(',')).toDouble(&ok);
    if (ok && std::isfinite(v))
        *value = v;
    return ok && std::isfinite(v);
}

QDate textDate(const QString &text)
{
    const QString day = text.section(QLatin1Char(' '), 0, 0);
    for (const char *format : {"yyyy-MM-dd", "yyyy/MM/dd", "yyyy-M-d", "yyyy/M/d", "yyyy.MM.dd", "yyyyMMdd"}) {
        const QDate d = QDate::fromString(day, QLatin1String(format));
        if (d.isValid())
            return d;
    }
    return {};
}

} // namespace

ImportRecord ImportRecord::read(const QList<QVariant> &cells, int number, bool mtoMode)
{
    ImportRecord r;
    r.number = number;
    auto cell = [&](Field f) {
        const int p = position(f, mtoMode);
        return p > 0 ? cells.value(p - 1) : QVariant();
    };
    auto problem = [&](const QString &message) {
        if (r.problem.isEmpty())
            r.problem = message;
    };
    for (int f = 0; f < FieldCount; ++f) {
        const QVariant v = cell(Field(f));
        if (v.canConvert<ImportCellError>() && v.typeId() == qMetaTypeId<ImportCellError>()) {
            problem(FormatText("第%1条记录第%2列是错误值%3，请改正后再引入。",
                               {number, position(Field(f), mtoMode), v.value<ImportCellError>().code}));
            continue;
        }
        r.texts[f] = cellText(v);
        if (r.texts[f].size() > maxLength(Field(f)))
            problem(FormatText("第%1条记录第%2列的文字过长（最多%3个字符）。",
                               {number, position(Field(f), mtoMode), maxLength(Field(f))}));
    }
    // quantities: an empty cell is 0; text must be a plain number
    const struct
    {
        Field field;
        double *value;
    } quantities[] = {
        {CheckQty, &r.checkQty}, {AdjQty, &r.adjQty}, {Coefficient, &r.coefficient}, {SecCheckQty, &r.secCheckQty}};
    for (const auto &q : quantities) {
        const QVariant v = cell(q.field);
        if (v.typeId() == QMetaType::Double && std::isfinite(v.toDouble()))
            *q.value = v.toDouble();
        else if (!r.texts[q.field].isEmpty() && !textNumber(r.texts[q.field], q.value))
            problem(FormatText("第%1条记录第%2列应为数字：%3", {number, position(q.field, mtoMode), r.texts[q.field]}));
    }
    // the secondary counted cell is 0 on every line of an exported sheet: only a
    // figure in it counts, where any figure in the counted cell does
    r.counted = !r.texts[CheckQty].isEmpty() || r.secCheckQty != 0;
    // production date: a date cell, a date serial or a date written as text
    const QVariant date = cell(KFDate);
    r.kfDateGiven = !r.texts[KFDate].isEmpty();
    if (date.typeId() == QMetaType::QDate)
        r.kfDate = date.toDate();
    else if (date.typeId() == QMetaType::Double && date.toDouble() >= 1 && date.toDouble() < 2958466)
        r.kfDate = QDate(1899, 12, 30).addDays(qint64(date.toDouble()));
    else if (r.kfDateGiven)
        r.kfDate = textDate(r.texts[KFDate]);
    if (r.kfDateGiven && !r.kfDate.isValid())
        problem(FormatText("第%1条记录的生产/采购日期不正确：%2", {number, r.texts[KFDate]}));
    // shelf-life period: whole days; what else it holds the rules report
    r.kfPeriodGiven = !r.texts[KFPeriod].isEmpty();
    if (r.kfPeriodGiven) {
        double days = 0;
        r.kfPeriodValid = textNumber(r.texts[KFPeriod], &days) && days >= 0 && days == std::floor(days) && days < 1e9;
        r.kfPeriod = r.kfPeriodValid ? int(days) : -1;
    }
    return r;
}
