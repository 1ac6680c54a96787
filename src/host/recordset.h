#pragma once

#include <QDate>
#include <QDateTime>
#include <QSharedPointer>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <vector>

class QSqlQuery;

// A client-side table of query results with a cursor, as the count module reads
// them: fields by name (case-insensitive, PostgreSQL folds names to lower case),
// Filter and Sort on the loaded rows without a new query, and Clone.
//
// Cells are stored column by column in eight-byte slots with a kind byte; texts are
// pooled per column, so a sheet of 100,000 rows by 70 columns stays small.
// Clones share the rows: a value set through one is seen by all (as client-side
// recordsets of the original host do); each clone has its own cursor, filter and sort.
//
// ADO's EOF/BOF are Eof()/Bof() here: EOF is a macro of the C library.
class Recordset
{
public:
    Recordset(); // closed: no fields, no rows
    // `sqliteDates`: texts shaped like dates become dates (SQLite has no date
    // type). `direct`: on SQLite, read the rows after the first straight from the
    // driver's statement (built only where Qt's driver and the program share one
    // libsqlite3); false reads every row through QSqlQuery.
    static Recordset fromQuery(QSqlQuery &query, bool sqliteDates, bool direct = true);
    static bool directSqliteReading();
    static Recordset fromRows(const QStringList &fields, const QList<QVariantList> &rows);

    bool isOpen() const { return m_data != nullptr; }

    // Fields
    int fieldCount() const;
    QString fieldName(int index) const;
    QStringList fieldNames() const;
    int fieldIndex(QStringView name) const; // -1 when absent
    bool hasField(QStringView name) const { return fieldIndex(name) >= 0; }

    // Rows in the current view (after filter and sort)
    int RecordCount() const { return int(m_view.size()); }
    bool isEmpty() const { return m_view.empty(); }
    QVariant value(int row, int field) const;
    QVariant value(int row, QStringView field) const;
    void setValue(int row, int field, const QVariant &value);
    void setValue(int row, QStringView field, const QVariant &value);

    // Cursor
    bool Eof() const;
    bool Bof() const;
    int AbsolutePosition() const { return m_pos; } // 0-based, RecordCount() at EOF
    void MoveFirst() { m_pos = 0; }
    void MoveLast() { m_pos = std::max(0, RecordCount() - 1); }
    void MoveNext();
    void MovePrevious();
    void Move(int offset); // relative to the current record, clamped to BOF/EOF
    void setPosition(int row);
    QVariant Fields(QStringView name) const; // value at the cursor; invalid at EOF or unknown field
    QVariant Fields(int index) const;

    // Typed reads at the cursor: NULL and text that is not a number read as 0 / "".
    QString text(QStringView name) const;
    double number(QStringView name) const;
    int integer(QStringView name) const;
    QDateTime dateTime(QStringView name) const;

    // Filter: comparisons = <> < > <= >= LIKE (with %), AND, OR and parentheses,
    // e.g. "FColName <> 'FMTONo' AND (FQty > 0 OR FNote LIKE 'a%')". An empty text
    // removes the filter. Returns false with a message when the text is invalid.
    bool setFilter(const QString &filter, QString *error = nullptr);
    QString filter() const { return m_filterText; }
    // Sort: "F1 ASC, F2 DESC"; empty restores the load order.
    bool setSort(const QString &sort, QString *error = nullptr);
    QString sort() const { return m_sortText; }

    Recordset Clone() const;

    // Conversions shared by every reader of query values.
    static QDateTime toDateTime(const QVariant &value);
    static double toNumber(const QVariant &value);

    struct Data;

private:
    void rebuildView();
    int rowIndex(int viewRow) const { return m_view[size_t(viewRow)]; }

    QSharedPointer<Data> m_data;
    std::vector<int> m_view; // indexes into the stored rows
    int m_pos = 0;
    QString m_filterText;
    QString m_sortText;
    std::function<bool(const Recordset &, int)> m_filter;
    std::vector<std::pair<int, bool>> m_sortKeys; // field, descending
};
