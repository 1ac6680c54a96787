#pragma once

#include <QString>
#include <QVariantList>

// A piece of SQL with the values bound to its placeholders, in text order.
// Pieces are joined with their values so that a composed statement always
// carries its binds along: no value is ever pasted into SQL text.
struct SqlFragment
{
    QString sql;
    QVariantList binds;

    SqlFragment() = default;
    explicit SqlFragment(const QString &text, const QVariantList &values = {})
        : sql(text)
        , binds(values)
    {}
    explicit SqlFragment(const char *text)
        : sql(QString::fromUtf8(text))
    {}

    bool isEmpty() const { return sql.trimmed().isEmpty(); }

    SqlFragment &operator+=(const SqlFragment &other)
    {
        sql += other.sql;
        binds += other.binds;
        return *this;
    }
    friend SqlFragment operator+(SqlFragment a, const SqlFragment &b)
    {
        a += b;
        return a;
    }
};
