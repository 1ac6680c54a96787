#include "recordset.h"

#include "recordsetfilter.h"

#include <QHash>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlResult>

#ifdef STOCKCHECK_SQLITE_DIRECT
#include <sqlite3.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstring>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

namespace {

enum Kind : quint8 { Null, Int, Double, String, DateTime, Date, Bool };

quint64 slotOfDouble(double d)
{
    quint64 s;
    std::memcpy(&s, &d, sizeof s);
    return s;
}

double doubleOfSlot(quint64 s)
{
    double d;
    std::memcpy(&d, &s, sizeof d);
    return d;
}

// "yyyy-MM-dd HH:mm:ss": how SQLite keeps datetimes here. Checked by shape so that
// dates come back as dates on both engines; texts such as FKFDate ("yyyy-MM-dd") stay texts.
bool looksLikeSqliteDateTime(const QString &s)
{
    if (s.size() != 19)
        return false;
    static const char shape[] = "dddd-dd-dd dd:dd:dd";
    for (int i = 0; i < 19; ++i) {
        const QChar c = s.at(i);
        if (shape[i] == 'd' ? !c.isDigit() : c != QLatin1Char(shape[i]))
            return false;
    }
    return true;
}

} // namespace

struct Recordset::Data
{
    struct Column
    {
        QString name;
        std::vector<quint64> cells;
        std::vector<quint8> kinds;
        QList<QString> strings;
        QHash<QString, int> pool; // only while loading or setting values
        // The last datetime text read and its value: converting a local time asks
        // the system for the time zone every time, and a column of snapshot times
        // holds the same text in every row.
        QString lastDateText;
        quint64 lastDateSlot = 0;
    };
    std::vector<Column> columns;
    int rowCount = 0;

    int internString(Column &c, const QString &s, bool dedup)
    {
        if (!dedup) {
            c.strings.append(s);
            return int(c.strings.size() - 1);
        }
        auto it = c.pool.constFind(s);
        if (it != c.pool.constEnd())
            return it.value();
        const int index = int(c.strings.size());
        c.strings.append(s);
        c.pool.insert(s, index);
        return index;
    }

    void store(Column &c, size_t row, const QVariant &v, bool sqliteDates, bool dedup = true)
    {
        quint8 kind = Null;
        quint64 slot = 0;
        if (!v.isNull()) {
            switch (v.metaType().id()) {
            case QMetaType::Int:
            case QMetaType::LongLong:
            case QMetaType::UInt:
            case QMetaType::ULongLong:
            case QMetaType::Short:
            case QMetaType::UShort:
            case QMetaType::Char:
                kind = Int;
                slot = quint64(v.toLongLong());
                break;
            case QMetaType::Bool:
                kind = Bool;
                slot = v.toBool() ? 1 : 0;
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                kind = Double;
                slot = slotOfDouble(v.toDouble());
                break;
            case QMetaType::QDateTime:
                kind = DateTime;
                slot = quint64(v.toDateTime().toMSecsSinceEpoch());
                break;
            case QMetaType::QDate:
                kind = Date;
                slot = quint64(v.toDate().toJulianDay());
                break;
            default: {
                const QString s = v.toString();
                if (sqliteDates && looksLikeSqliteDateTime(s)) {
                    if (s == c.lastDateText) {
                        kind = DateTime;
                        slot = c.lastDateSlot;
                        break;
                    }
                    const QDateTime dt = QDateTime::fromString(s, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
                    if (dt.isValid()) {
                        kind = DateTime;
                        slot = quint64(dt.toMSecsSinceEpoch());
                        c.lastDateText = s;
                        c.lastDateSlot = slot;
                        break;
                    }
                }
                kind = String;
                slot = quint64(internString(c, s, dedup));
            }
            }
        }
        c.cells[row] = slot;
        c.kinds[row] = kind;
    }

    void grow(size_t row, size_t *capacity)
    {
        if (row < *capacity)
            return;
        *capacity = std::max<size_t>(64, *capacity * 2);
        for (auto &c : columns) {
            c.cells.resize(*capacity);
            c.kinds.resize(*capacity);
        }
    }

#ifdef STOCKCHECK_SQLITE_DIRECT
    size_t loadSqliteRows(sqlite3_stmt *stmt, size_t row, size_t *capacity);
#endif

    QVariant load(const Column &c, size_t row) const
    {
        const quint64 s = c.cells[row];
        switch (c.kinds[row]) {
        case Int:
            return qint64(s) >= INT_MIN && qint64(s) <= INT_MAX ? QVariant(int(qint64(s))) : QVariant(qint64(s));
        case Double:
            return doubleOfSlot(s);
        case String:
            return c.strings.at(qsizetype(s));
        case DateTime:
            return QDateTime::fromMSecsSinceEpoch(qint64(s));
        case Date:
            return QDate::fromJulianDay(qint64(s));
        case Bool:
            return s != 0;
        default:
            return QVariant();
        }
    }
};

#ifdef STOCKCHECK_SQLITE_DIRECT
// The rows after the current one, read from the statement itself: the same kinds
// as through QSqlQuery (integers, doubles, texts, dates by their shape, NULL), but
// texts are compared as the database's UTF-8 bytes and become strings once per
// distinct value, which makes a sheet of 100,000 rows load about twice as fast.
size_t Recordset::Data::loadSqliteRows(sqlite3_stmt *stmt, size_t row, size_t *capacity)
{
    struct Seen
    {
        quint8 kind;
        quint64 slot;
    };
    struct TextCache
    {
        std::unordered_map<std::string_view, Seen> seen;
        std::deque<std::string> keys; // the bytes the views point into
    };
    const int n = int(columns.size());
    std::vector<TextCache> caches(static_cast<size_t>(n));
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        grow(row, capacity);
        for (int i = 0; i < n; ++i) {
            Column &c = columns[size_t(i)];
            quint8 kind = Null;
            quint64 slot = 0;
            switch (sqlite3_column_type(stmt, i)) {
            case SQLITE_NULL:
                break;
            case SQLITE_INTEGER:
                kind = Int;
                slot = quint64(sqlite3_column_int64(stmt, i));
                break;
            case SQLITE_FLOAT:
                kind = Double;
                slot = slotOfDouble(sqlite3_column_double(stmt, i));
                break;
            default: {
                const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(stmt, i));
                const std::string_view text(bytes ? bytes : "", size_t(sqlite3_column_bytes(stmt, i)));
                TextCache &cache = caches[size_t(i)];
                auto it = cache.seen.find(text);
                if (it == cache.seen.end()) {
                    store(c, row, QString::fromUtf8(text.data(), qsizetype(text.size())), true, false);
                    cache.keys.emplace_back(text);
                    it =
                        cache.seen.emplace(std::string_view(cache.keys.back()), Seen{c.kinds[row], c.cells[row]}).first;
                }
                kind = it->second.kind;
                slot = it->second.slot;
            }
            }
            c.cells[row] = slot;
            c.kinds[row] = kind;
        }
        ++row;
    }
    return row;
}
#endif

Recordset::Recordset() = default;

bool Recordset::directSqliteReading()
{
#ifdef STOCKCHECK_SQLITE_DIRECT
    return true;
#else
    return false;
#endif
}

Recordset Recordset::fromQuery(QSqlQuery &query, bool sqliteDates, bool direct)
{
    Recordset rs;
    rs.m_data = QSharedPointer<Data>::create();
    Data &d = *rs.m_data;
    const QSqlRecord record = query.record();
    const int n = record.count();
    d.columns.resize(size_t(n));
    for (int i = 0; i < n; ++i)
        d.columns[size_t(i)].name = record.fieldName(i);
    size_t capacity = 0;
    size_t row = 0;
    while (query.next()) {
        d.grow(row, &capacity);
        for (int i = 0; i < n; ++i)
            d.store(d.columns[size_t(i)], row, query.value(i), sqliteDates);
        ++row;
#ifdef STOCKCHECK_SQLITE_DIRECT
        // Qt's SQLite driver has stepped its statement to the row just read: the
        // rest is read from the statement directly.
        const QVariant handle = direct && query.result() ? query.result()->handle() : QVariant();
        if (row == 1 && sqliteDates && qstrcmp(handle.typeName(), "sqlite3_stmt*") == 0) {
            if (auto *stmt = *static_cast<sqlite3_stmt *const *>(handle.constData())) {
                row = d.loadSqliteRows(stmt, row, &capacity);
                break;
            }
        }
#else
        Q_UNUSED(direct);
#endif
    }
    for (auto &c : d.columns) {
        c.cells.resize(row);
        c.cells.shrink_to_fit();
        c.kinds.resize(row);
        c.kinds.shrink_to_fit();
        c.pool.clear();
        c.pool.squeeze();
    }
    d.rowCount = int(row);
    rs.rebuildView();
    return rs;
}

Recordset Recordset::fromRows(const QStringList &fields, const QList<QVariantList> &rows)
{
    Recordset rs;
    rs.m_data = QSharedPointer<Data>::create();
    Data &d = *rs.m_data;
    d.columns.resize(size_t(fields.size()));
    for (qsizetype i = 0; i < fields.size(); ++i) {
        auto &c = d.columns[size_t(i)];
        c.name = fields.at(i);
        c.cells.resize(size_t(rows.size()));
        c.kinds.resize(size_t(rows.size()));
    }
    for (qsizetype r = 0; r < rows.size(); ++r)
        for (qsizetype i = 0; i < fields.size(); ++i)
            d.store(d.columns[size_t(i)], size_t(r), rows.at(r).value(i), false);
    for (auto &c : d.columns)
        c.pool.clear();
    d.rowCount = int(rows.size());
    rs.rebuildView();
    return rs;
}

int Recordset::fieldCount() const
{
    return m_data ? int(m_data->columns.size()) : 0;
}

QString Recordset::fieldName(int index) const
{
    if (!m_data || index < 0 || index >= fieldCount())
        return {};
    return m_data->columns[size_t(index)].name;
}

QStringList Recordset::fieldNames() const
{
    QStringList names;
    for (int i = 0; i < fieldCount(); ++i)
        names << fieldName(i);
    return names;
}

int Recordset::fieldIndex(QStringView name) const
{
    if (!m_data)
        return -1;
    const QStringView wanted = name.trimmed();
    for (size_t i = 0; i < m_data->columns.size(); ++i)
        if (wanted.compare(m_data->columns[i].name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

QVariant Recordset::value(int row, int field) const
{
    if (!m_data || row < 0 || row >= RecordCount() || field < 0 || field >= fieldCount())
        return {};
    return m_data->load(m_data->columns[size_t(field)], size_t(rowIndex(row)));
}

QVariant Recordset::value(int row, QStringView field) const
{
    return value(row, fieldIndex(field));
}

void Recordset::setValue(int row, int field, const QVariant &v)
{
    if (!m_data || row < 0 || row >= RecordCount() || field < 0 || field >= fieldCount())
        return;
    auto &c = m_data->columns[size_t(field)];
    m_data->store(c, size_t(rowIndex(row)), v, false, false);
}

void Recordset::setValue(int row, QStringView field, const QVariant &v)
{
    setValue(row, fieldIndex(field), v);
}

bool Recordset::Eof() const
{
    return m_pos >= RecordCount();
}

bool Recordset::Bof() const
{
    return m_pos < 0 || RecordCount() == 0;
}

void Recordset::MoveNext()
{
    if (m_pos < RecordCount())
        ++m_pos;
}

void Recordset::MovePrevious()
{
    if (m_pos >= 0)
        --m_pos;
}

void Recordset::Move(int offset)
{
    m_pos = std::clamp(m_pos + offset, -1, RecordCount());
}

void Recordset::setPosition(int row)
{
    m_pos = std::clamp(row, -1, RecordCount());
}

QVariant Recordset::Fields(QStringView name) const
{
    return value(m_pos, name);
}

QVariant Recordset::Fields(int index) const
{
    return value(m_pos, index);
}

QString Recordset::text(QStringView name) const
{
    const QVariant v = Fields(name);
    if (v.metaType().id() == QMetaType::QDateTime)
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return v.toString();
}

double Recordset::number(QStringView name) const
{
    return toNumber(Fields(name));
}

int Recordset::integer(QStringView name) const
{
    return int(std::llround(toNumber(Fields(name))));
}

QDateTime Recordset::dateTime(QStringView name) const
{
    return toDateTime(Fields(name));
}

QDateTime Recordset::toDateTime(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::QDateTime:
        return value.toDateTime();
    case QMetaType::QDate:
        return value.toDate().startOfDay();
    default:
        break;
    }
    const QString s = value.toString().trimmed();
    if (s.isEmpty())
        return {};
    for (const char *format : {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-ddTHH:mm:ss", "yyyy-MM-dd",
                               "yyyy/MM/dd", "yyyy/M/d", "yyyy-M-d", "yyyyMMdd"}) {
        const QDateTime dt = QDateTime::fromString(s, QString::fromLatin1(format));
        if (dt.isValid())
            return dt;
    }
    return {};
}

double Recordset::toNumber(const QVariant &value)
{
    if (value.isNull())
        return 0;
    bool ok = false;
    const double d = value.toDouble(&ok);
    return ok ? d : 0;
}

Recordset Recordset::Clone() const
{
    Recordset copy;
    copy.m_data = m_data;
    copy.m_sortText = m_sortText;
    copy.m_sortKeys = m_sortKeys;
    copy.rebuildView();
    return copy;
}

bool Recordset::setFilter(const QString &filter, QString *error)
{
    const QString text = filter.trimmed();
    if (text.isEmpty() || text == QLatin1String("0")) {
        m_filterText.clear();
        m_filter = nullptr;
        rebuildView();
        return true;
    }
    RecordsetFilter::Predicate p = RecordsetFilter::parse(*this, text, error);
    if (!p)
        return false;
    m_filterText = text;
    m_filter = p;
    rebuildView();
    return true;
}

bool Recordset::setSort(const QString &sort, QString *error)
{
    std::vector<std::pair<int, bool>> keys;
    const QStringList parts = sort.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        QStringList words = part.simplified().split(QLatin1Char(' '));
        bool descending = false;
        if (words.size() == 2) {
            const QString dir = words.at(1).toUpper();
            if (dir == QLatin1String("DESC"))
                descending = true;
            else if (dir != QLatin1String("ASC")) {
                if (error)
                    *error = QStringLiteral("invalid sort direction '%1'").arg(words.at(1));
                return false;
            }
        } else if (words.size() != 1) {
            if (error)
                *error = QStringLiteral("invalid sort key '%1'").arg(part.trimmed());
            return false;
        }
        const int index = fieldIndex(words.at(0));
        if (index < 0) {
            if (error)
                *error = QStringLiteral("unknown field '%1' in sort").arg(words.at(0));
            return false;
        }
        keys.emplace_back(index, descending);
    }
    m_sortKeys = std::move(keys);
    m_sortText = sort.trimmed();
    rebuildView();
    return true;
}

namespace {

// One key of a sort, read out of the column once: numbers (and dates) as numbers,
// texts as their rank among the column's texts, anything mixed as values. The
// comparisons of a sort then cost no conversion, which makes sorting 100,000 rows
// several times faster; the order is the one compareValues gives.
struct SortColumn
{
    enum class Type { Numbers, Ranks, Values } type = Type::Values;
    bool descending = false;
    std::vector<char> nulls;
    std::vector<double> numbers;
    std::vector<int> ranks;
    std::vector<QVariant> values;

    int compare(size_t a, size_t b) const
    {
        if (nulls[a] || nulls[b])
            return nulls[a] == nulls[b] ? 0 : (nulls[a] ? -1 : 1);
        switch (type) {
        case Type::Numbers:
            return numbers[a] < numbers[b] ? -1 : (numbers[a] > numbers[b] ? 1 : 0);
        case Type::Ranks:
            return ranks[a] < ranks[b] ? -1 : (ranks[a] > ranks[b] ? 1 : 0);
        case Type::Values:
            break;
        }
        return RecordsetFilter::compareValues(values[a], values[b]);
    }

    // The rows in the order of this key alone, by buckets of rank (ranked texts
    // only): what a stable sort gives, without comparing. Descending puts the
    // highest rank first and NULL last.
    std::vector<int> rankedOrder() const
    {
        const size_t n = ranks.size();
        const int top = n == 0 ? 0 : *std::max_element(ranks.begin(), ranks.end());
        const auto bucketOf = [this, top](size_t r) {
            if (nulls[r])
                return descending ? top + 1 : 0;
            return descending ? top - ranks[r] : ranks[r] + 1;
        };
        std::vector<int> start(size_t(top) + 3, 0);
        for (size_t r = 0; r < n; ++r)
            ++start[size_t(bucketOf(r)) + 1];
        for (size_t b = 1; b < start.size(); ++b)
            start[b] += start[b - 1];
        std::vector<int> order(n);
        for (size_t r = 0; r < n; ++r)
            order[size_t(start[size_t(bucketOf(r))]++)] = int(r);
        return order;
    }
};

SortColumn sortColumn(const Recordset::Data &d, int field, bool descending)
{
    const Recordset::Data::Column &c = d.columns[size_t(field)];
    const size_t n = size_t(d.rowCount);
    SortColumn k;
    k.descending = descending;
    k.nulls.resize(n);
    bool numbers = true, texts = true, dateTimes = true, dates = true;
    for (size_t r = 0; r < n; ++r) {
        const quint8 kind = c.kinds[r];
        k.nulls[r] = kind == Null;
        if (kind == Null)
            continue;
        numbers = numbers && (kind == Int || kind == Double || kind == Bool);
        texts = texts && kind == String;
        dateTimes = dateTimes && kind == DateTime;
        dates = dates && kind == Date;
    }
    if (numbers || dateTimes || dates) {
        k.type = SortColumn::Type::Numbers;
        k.numbers.resize(n);
        for (size_t r = 0; r < n; ++r) {
            const quint64 s = c.cells[r];
            k.numbers[r] = c.kinds[r] == Double ? doubleOfSlot(s) : double(qint64(s));
        }
    } else if (texts) {
        // rank the column's texts once, by their case-folded form (the order of a
        // comparison without regard to case); equal texts share a rank
        std::vector<QString> folded(size_t(c.strings.size()));
        std::vector<int> order(folded.size());
        for (size_t i = 0; i < order.size(); ++i) {
            folded[i] = c.strings.at(qsizetype(i)).toCaseFolded();
            order[i] = int(i);
        }
        const auto text = [&folded](int i) {
            const QString &f = folded[size_t(i)];
            return std::u16string_view(reinterpret_cast<const char16_t *>(f.constData()), size_t(f.size()));
        };
        std::sort(order.begin(), order.end(), [&text](int x, int y) { return text(x) < text(y); });
        std::vector<int> rankOf(order.size());
        int rank = 0;
        for (size_t i = 0; i < order.size(); ++i) {
            if (i > 0 && text(order[i - 1]) != text(order[i]))
                ++rank;
            rankOf[size_t(order[i])] = rank;
        }
        k.type = SortColumn::Type::Ranks;
        k.ranks.resize(n);
        for (size_t r = 0; r < n; ++r)
            k.ranks[r] = k.nulls[r] ? 0 : rankOf[size_t(c.cells[r])];
    } else {
        k.values.resize(n);
        for (size_t r = 0; r < n; ++r)
            k.values[r] = d.load(c, r);
    }
    return k;
}

} // namespace

void Recordset::rebuildView()
{
    m_view.clear();
    if (!m_data) {
        m_pos = 0;
        return;
    }
    std::vector<int> all(size_t(m_data->rowCount));
    for (int i = 0; i < m_data->rowCount; ++i)
        all[size_t(i)] = i;
    if (!m_sortKeys.empty()) {
        std::vector<SortColumn> keys;
        keys.reserve(m_sortKeys.size());
        for (const auto &[field, descending] : m_sortKeys)
            keys.push_back(sortColumn(*m_data, field, descending));
        if (keys.size() == 1 && keys.front().type == SortColumn::Type::Ranks)
            all = keys.front().rankedOrder();
        else
            std::stable_sort(all.begin(), all.end(), [&keys](int a, int b) {
                for (const SortColumn &k : keys) {
                    const int r = k.compare(size_t(a), size_t(b));
                    if (r != 0)
                        return k.descending ? r > 0 : r < 0;
                }
                return false;
            });
    }
    m_view = std::move(all);
    if (m_filter) {
        // the predicate reads through the view, so evaluate against the unfiltered order
        std::vector<int> kept;
        kept.reserve(m_view.size());
        for (size_t i = 0; i < m_view.size(); ++i)
            if (m_filter(*this, int(i)))
                kept.push_back(m_view[i]);
        m_view = std::move(kept);
    }
    m_pos = 0;
}
