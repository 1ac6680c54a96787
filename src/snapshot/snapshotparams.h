#pragma once

#include "goodsfilter.h"

#include "host/dialect.h"
#include "host/sqlfragment.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QVariantMap>

// The options of one snapshot, keyed by name as the callers know them. A missing
// key reads as empty. "Filter" holds condition rows (GoodsFilter), never SQL.
class SnapshotParams
{
public:
    static inline const QString Stock = QStringLiteral("Stock");               // "1,2,3": t_Stock ids
    static inline const QString Filter = QStringLiteral("Filter");             // condition rows
    static inline const QString CommBrand = QStringLiteral("CommBrand");       // brand ids
    static inline const QString CommCategory = QStringLiteral("CommCategory"); // category ids
    static inline const QString Supplier = QStringLiteral("Supplier");         // supplier ids (not read)
    static inline const QString IsCutDate = QStringLiteral("isCutDate");
    static inline const QString CutDate = QStringLiteral("CutDate"); // "yyyy-MM-dd"
    static inline const QString Operater = QStringLiteral("Operater");
    static inline const QString Date = QStringLiteral("Date");
    static inline const QString CurProcID = QStringLiteral("CurProcID");

    SnapshotParams() = default;
    explicit SnapshotParams(const QVariantMap &values)
        : m_values(values)
    {}

    QVariant value(const QString &key) const { return m_values.value(key); }
    QString text(const QString &key) const { return m_values.value(key).toString(); }
    void setValue(const QString &key, const QVariant &value) { m_values.insert(key, value); }
    void remove(const QString &key) { m_values.remove(key); }
    const QVariantMap &values() const { return m_values; }

    QList<GoodsCondition> conditions() const { return GoodsFilter::fromVariant(value(Filter)); }
    void setConditions(const QList<GoodsCondition> &rows);
    int operatorId() const { return value(Operater).toInt(); }
    bool isCutDate() const;
    QDate cutDate() const; // invalid when missing or not a date

    // The stocks of "Stock"; false with a message when an entry is not an id.
    bool stockIds(QList<int> *ids, QString *error) const;

    // The goods restriction of every snapshot statement: the condition rows when
    // there are any, else the brands, else the categories (only one applies);
    // empty for none. False with a message when a row or an id list is unusable.
    bool goodsFilter(const Dialect &dialect, bool useFullNumber, SqlFragment *out, QString *error) const;

    // "1, 2,3" into ids; an empty text is an empty list. False on anything else.
    static bool parseIds(const QString &text, QList<int> *ids);
    static QString joinIds(const QList<int> &ids);

private:
    QVariantMap m_values;
};

// "expr IN (?, ?, ...)" with the ids bound; "1 = 0" for an empty list (nothing
// can be in it).
SqlFragment inList(const QString &expr, const QList<int> &ids);
