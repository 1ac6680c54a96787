#include "recordsetfilter.h"

#include "recordset.h"

#include <QList>

namespace {

struct Token
{
    enum Type { Ident, Str, Num, Op, LParen, RParen, And, Or, Not, Like, Is, NullKw, End } type = End;
    QString text;
};

bool tokenize(const QString &s, QList<Token> &out, QString *error)
{
    int i = 0;
    const int n = int(s.size());
    while (i < n) {
        const QChar c = s.at(i);
        if (c.isSpace()) {
            ++i;
        } else if (c == QLatin1Char('(')) {
            out.append(Token{Token::LParen, QStringLiteral("(")});
            ++i;
        } else if (c == QLatin1Char(')')) {
            out.append(Token{Token::RParen, QStringLiteral(")")});
            ++i;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('#')) {
            const QChar quote = c;
            QString text;
            ++i;
            bool closed = false;
            while (i < n) {
                if (s.at(i) == quote) {
                    if (quote == QLatin1Char('\'') && i + 1 < n && s.at(i + 1) == quote) {
                        text += quote;
                        i += 2;
                        continue;
                    }
                    closed = true;
                    ++i;
                    break;
                }
                text += s.at(i++);
            }
            if (!closed) {
                if (error)
                    *error = QStringLiteral("unterminated text in filter");
                return false;
            }
            out.append(Token{Token::Str, text});
        } else if (c == QLatin1Char('<') || c == QLatin1Char('>') || c == QLatin1Char('=')) {
            QString op(c);
            if (i + 1 < n &&
                (s.at(i + 1) == QLatin1Char('=') || (c == QLatin1Char('<') && s.at(i + 1) == QLatin1Char('>'))))
                op += s.at(++i);
            ++i;
            out.append(Token{Token::Op, op});
        } else if (c.isDigit() || c == QLatin1Char('-') || c == QLatin1Char('.')) {
            int j = i + 1;
            while (j < n && (s.at(j).isDigit() || s.at(j) == QLatin1Char('.') || s.at(j) == QLatin1Char('e') ||
                             s.at(j) == QLatin1Char('E')))
                ++j;
            out.append(Token{Token::Num, s.mid(i, j - i)});
            i = j;
        } else if (c == QLatin1Char('[')) {
            const int j = int(s.indexOf(QLatin1Char(']'), i));
            if (j < 0) {
                if (error)
                    *error = QStringLiteral("unterminated field name in filter");
                return false;
            }
            out.append(Token{Token::Ident, s.mid(i + 1, j - i - 1)});
            i = j + 1;
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            int j = i + 1;
            while (j < n && (s.at(j).isLetterOrNumber() || s.at(j) == QLatin1Char('_') || s.at(j) == QLatin1Char('.')))
                ++j;
            const QString word = s.mid(i, j - i);
            const QString upper = word.toUpper();
            if (upper == QLatin1String("AND"))
                out.append(Token{Token::And, word});
            else if (upper == QLatin1String("OR"))
                out.append(Token{Token::Or, word});
            else if (upper == QLatin1String("NOT"))
                out.append(Token{Token::Not, word});
            else if (upper == QLatin1String("LIKE"))
                out.append(Token{Token::Like, word});
            else if (upper == QLatin1String("IS"))
                out.append(Token{Token::Is, word});
            else if (upper == QLatin1String("NULL"))
                out.append(Token{Token::NullKw, word});
            else
                out.append(Token{Token::Ident, word});
            i = j;
        } else {
            if (error)
                *error = QStringLiteral("unexpected character '%1' in filter").arg(c);
            return false;
        }
    }
    out.append(Token{Token::End, {}});
    return true;
}

bool likeMatch(QStringView text, QStringView pattern)
{
    // % and * match any run, _ one character; case-insensitive
    size_t t = 0, p = 0, star = size_t(-1), mark = 0;
    while (t < size_t(text.size())) {
        if (p < size_t(pattern.size()) &&
            (pattern[p] == QLatin1Char('_') || (pattern[p] != QLatin1Char('%') && pattern[p] != QLatin1Char('*') &&
                                                pattern[p].toCaseFolded() == text[t].toCaseFolded()))) {
            ++t;
            ++p;
        } else if (p < size_t(pattern.size()) && (pattern[p] == QLatin1Char('%') || pattern[p] == QLatin1Char('*'))) {
            star = p++;
            mark = t;
        } else if (star != size_t(-1)) {
            p = star + 1;
            t = ++mark;
        } else {
            return false;
        }
    }
    while (p < size_t(pattern.size()) && (pattern[p] == QLatin1Char('%') || pattern[p] == QLatin1Char('*')))
        ++p;
    return p == size_t(pattern.size());
}

bool isNumeric(const QVariant &v)
{
    switch (v.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

// -1, 0, 1; both values non-null
int compareValues(const QVariant &a, const QVariant &b)
{
    if (isNumeric(a) && isNumeric(b)) {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    const bool aDate = a.metaType().id() == QMetaType::QDateTime || a.metaType().id() == QMetaType::QDate;
    const bool bDate = b.metaType().id() == QMetaType::QDateTime || b.metaType().id() == QMetaType::QDate;
    if (aDate || bDate) {
        const QDateTime x = Recordset::toDateTime(a), y = Recordset::toDateTime(b);
        if (x.isValid() && y.isValid())
            return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (isNumeric(a) || isNumeric(b)) {
        bool okA = false, okB = false;
        const double x = a.toString().trimmed().toDouble(&okA), y = b.toString().trimmed().toDouble(&okB);
        if (okA && okB)
            return x < y ? -1 : (x > y ? 1 : 0);
    }
    const int c = QString::compare(a.toString(), b.toString(), Qt::CaseInsensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

using Predicate = std::function<bool(const Recordset &, int)>;

class FilterParser
{
public:
    FilterParser(const Recordset &rs, QList<Token> tokens)
        : m_rs(rs)
        , m_tokens(std::move(tokens))
    {}

    Predicate parse(QString *error)
    {
        Predicate p = orExpr();
        if (m_error.isEmpty() && peek().type != Token::End)
            m_error = QStringLiteral("unexpected '%1' in filter").arg(peek().text);
        if (!m_error.isEmpty()) {
            if (error)
                *error = m_error;
            return {};
        }
        return p;
    }

private:
    const Token &peek() const { return m_tokens.at(std::min<qsizetype>(m_pos, m_tokens.size() - 1)); }
    Token take() { return m_tokens.at(std::min<qsizetype>(m_pos++, m_tokens.size() - 1)); }

    Predicate orExpr()
    {
        Predicate left = andExpr();
        while (m_error.isEmpty() && peek().type == Token::Or) {
            take();
            Predicate right = andExpr();
            left = [left, right](const Recordset &rs, int row) { return left(rs, row) || right(rs, row); };
        }
        return left;
    }

    Predicate andExpr()
    {
        Predicate left = factor();
        while (m_error.isEmpty() && peek().type == Token::And) {
            take();
            Predicate right = factor();
            left = [left, right](const Recordset &rs, int row) { return left(rs, row) && right(rs, row); };
        }
        return left;
    }

    Predicate factor()
    {
        if (peek().type == Token::Not) {
            take();
            Predicate inner = factor();
            return [inner](const Recordset &rs, int row) { return !inner(rs, row); };
        }
        if (peek().type == Token::LParen) {
            take();
            Predicate inner = orExpr();
            if (take().type != Token::RParen)
                m_error = QStringLiteral("missing ')' in filter");
            return inner;
        }
        const Token field = take();
        if (field.type != Token::Ident) {
            m_error = QStringLiteral("field name expected in filter, found '%1'").arg(field.text);
            return {};
        }
        const int index = m_rs.fieldIndex(field.text);
        if (index < 0) {
            m_error = QStringLiteral("unknown field '%1' in filter").arg(field.text);
            return {};
        }
        if (peek().type == Token::Is) {
            take();
            bool negate = false;
            if (peek().type == Token::Not) {
                take();
                negate = true;
            }
            if (take().type != Token::NullKw) {
                m_error = QStringLiteral("NULL expected after IS in filter");
                return {};
            }
            return [index, negate](const Recordset &rs, int row) { return rs.value(row, index).isNull() != negate; };
        }
        bool negatedLike = false;
        if (peek().type == Token::Not) {
            take();
            negatedLike = true;
        }
        const Token op = take();
        if (op.type == Token::Like) {
            const Token pattern = take();
            if (pattern.type != Token::Str && pattern.type != Token::Num) {
                m_error = QStringLiteral("pattern expected after LIKE in filter");
                return {};
            }
            const QString text = pattern.text;
            return [index, text, negatedLike](const Recordset &rs, int row) {
                const QVariant v = rs.value(row, index);
                if (v.isNull())
                    return false;
                return likeMatch(v.toString(), text) != negatedLike;
            };
        }
        if (op.type != Token::Op || negatedLike) {
            m_error = QStringLiteral("comparison expected in filter, found '%1'").arg(op.text);
            return {};
        }
        const Token literal = take();
        QVariant value;
        if (literal.type == Token::Num) {
            bool ok = false;
            value = literal.text.toDouble(&ok);
            if (!ok) {
                m_error = QStringLiteral("invalid number '%1' in filter").arg(literal.text);
                return {};
            }
        } else if (literal.type == Token::Str) {
            value = literal.text;
        } else if (literal.type == Token::NullKw) {
            value = QVariant();
        } else {
            m_error = QStringLiteral("value expected in filter, found '%1'").arg(literal.text);
            return {};
        }
        const QString o = op.text;
        return [index, value, o](const Recordset &rs, int row) {
            const QVariant v = rs.value(row, index);
            if (value.isNull() || v.isNull()) {
                const bool bothNull = value.isNull() && v.isNull();
                if (o == QLatin1String("="))
                    return bothNull;
                if (o == QLatin1String("<>"))
                    return value.isNull() ? !v.isNull() : true;
                return false;
            }
            const int c = compareValues(v, value);
            if (o == QLatin1String("="))
                return c == 0;
            if (o == QLatin1String("<>"))
                return c != 0;
            if (o == QLatin1String("<"))
                return c < 0;
            if (o == QLatin1String(">"))
                return c > 0;
            if (o == QLatin1String("<="))
                return c <= 0;
            return c >= 0;
        };
    }

    const Recordset &m_rs;
    QList<Token> m_tokens;
    qsizetype m_pos = 0;
    QString m_error;
};

} // namespace

namespace RecordsetFilter {

Predicate parse(const Recordset &rs, const QString &filter, QString *error)
{
    QList<Token> tokens;
    if (!tokenize(filter, tokens, error))
        return {};
    return FilterParser(rs, tokens).parse(error);
}

int compareValues(const QVariant &a, const QVariant &b)
{
    return ::compareValues(a, b);
}

} // namespace RecordsetFilter
