#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

// The few places where SQLite and PostgreSQL disagree. Statements are written in
// the common subset; what differs is asked of the dialect, never spelled per engine
// at the call site.
class Dialect
{
public:
    enum class Engine { SQLite, PostgreSQL };

    explicit Dialect(Engine engine = Engine::SQLite)
        : m_engine(engine)
    {}

    Engine engine() const { return m_engine; }
    bool isSQLite() const { return m_engine == Engine::SQLite; }
    bool isPostgres() const { return m_engine == Engine::PostgreSQL; }

    // Column types in CREATE TABLE.
    QString quantityType() const;  // decimal(28,10)
    QString dateTimeType() const;  // datetime
    QString textType(int n) const; // varchar(n)
    QString bigTextType() const;   // unlimited text

    // The server's local time and day as SQL expressions (GetDate()).
    QString now() const;
    QString today() const;

    // A value bound in place of a date or time. Both engines compare it with
    // stored datetimes; SQLite keeps datetimes as "yyyy-MM-dd HH:mm:ss" text.
    static QVariant dateTimeValue(const QDateTime &value);
    static QVariant dateValue(const QDate &value);

    // Whole days from a to b, like DATEDIFF(dd, a, b).
    QString dayDiff(const QString &a, const QString &b) const;
    // A datetime expression as "yyyy-MM-dd" text (CONVERT(varchar(10), x, 120)).
    QString dateText(const QString &expr) const;
    // A bound value used as a datetime inside an expression (not a comparison).
    QString dateTimeParam() const;
    // Casts for expressions whose type would otherwise be guessed.
    QString castQuantity(const QString &expr) const;
    QString castText(const QString &expr) const;
    QString castInt(const QString &expr) const;
    // String aggregation over a group (FOR XML PATH / STRING_AGG).
    QString stringAgg(const QString &expr, const QString &separatorLiteral) const;
    // The elements of a JSON array bound as one value (many rows in one statement
    // without one placeholder per value), as a FROM item named `alias`: each element
    // is `alias.value`, its n-th item `alias.value ->> n`.
    QString jsonArrayElements(const QString &alias) const;
    // Case-insensitive LIKE as people expect from a filter.
    QString likeOperator(bool negated = false) const;

    // Date arithmetic on datetime expressions (DATEADD, DATEPART); the counts are
    // SQL expressions too. Results are datetimes at the same time of day.
    QString addDays(const QString &expr, const QString &days) const;
    // The first day of the month `months` after the month of `expr`.
    QString monthStartPlus(const QString &expr, const QString &months) const;
    QString isoWeekday(const QString &expr) const; // 1 Monday ... 7 Sunday
    QString monthOf(const QString &expr) const;
    QString yearOf(const QString &expr) const;
    // The schema that holds the connection's temporary tables ("temp", "pg_temp"):
    // a DROP qualified with it can never hit a permanent table of the same name.
    QString tempSchema() const;

    // Statement that opens a transaction in which no other writer may start:
    // snapshots and number allocation run inside it.
    QString beginExclusive() const;
    // Statements run right after beginExclusive() (PostgreSQL takes an advisory lock).
    QStringList exclusiveLockStatements(int lockKey) const;

private:
    Engine m_engine;
};
