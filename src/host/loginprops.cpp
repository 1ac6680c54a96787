#include "loginprops.h"

#include "sharedstate.h"

void LoginProps::add(const QString &key, const QString &value)
{
    // a collection refuses a duplicate key; the first one stays
    if (!contains(key))
        m_entries.append({key, value});
}

bool LoginProps::contains(const QString &key) const
{
    for (const auto &e : m_entries)
        if (e.first.compare(key, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString LoginProps::value(const QString &key) const
{
    for (const auto &e : m_entries)
        if (e.first.compare(key, Qt::CaseInsensitive) == 0)
            return e.second;
    return {};
}

bool ParseProps(const QString &text)
{
    shared().propsString = text;
    LoginProps props;
    QString rest = text;
    for (;;) {
        const qsizetype eq = rest.indexOf(QLatin1Char('='));
        const QString key = (eq < 0 ? rest : rest.left(eq)).trimmed();
        if (key.isEmpty() || eq < 0)
            break;
        rest = rest.mid(eq + 1);
        QString value;
        const QString trimmed = rest.trimmed();
        if (trimmed.startsWith(QLatin1Char('{'))) {
            const qsizetype close = trimmed.indexOf(QLatin1Char('}'));
            value = close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1);
            const QString after = close < 0 ? QString() : trimmed.mid(close + 1);
            const qsizetype semi = after.indexOf(QLatin1Char(';'));
            rest = semi < 0 ? QString() : after.mid(semi + 1);
        } else {
            const qsizetype semi = rest.indexOf(QLatin1Char(';'));
            value = semi < 0 ? rest : rest.left(semi);
            rest = semi < 0 ? QString() : rest.mid(semi + 1);
        }
        props.add(key, value.trimmed());
    }
    shared().loginProps = props;
    return true;
}

QString GetPropsString()
{
    auto props = shared().components.shareProps;
    if (props) {
        const QVariant v = props->GetProperty(QStringLiteral("PropsString"));
        if (v.isValid())
            return v.toString();
    }
    return shared().propsString;
}

QString GetProp(const QString &key)
{
    return shared().loginProps.value(key);
}

int GetUserId()
{
    return GetProp(QStringLiteral("UserID")).trimmed().toInt();
}

QString GetPropsValue(const QString &key)
{
    QString s = GetPropsString();
    if (!s.endsWith(QLatin1Char(';')))
        s += QLatin1Char(';');
    const qsizetype at = s.indexOf(key + QLatin1Char('='), 0, Qt::CaseInsensitive);
    if (at < 0 || key.isEmpty())
        return {};
    const qsizetype start = at + key.size() + 1;
    const qsizetype semi = s.indexOf(QLatin1Char(';'), start);
    return semi < 0 ? s.mid(start) : s.mid(start, semi - start);
}

QString UserLanguage()
{
    QString lang = shared().loginProps.value(QStringLiteral("LANGUAGE"));
    if (lang.isEmpty())
        lang = GetPropsValue(QStringLiteral("LANGUAGE"));
    return lang.isEmpty() ? QStringLiteral("chs") : lang;
}

QString LocalizedColumn(const QString &name)
{
    const QString lang = UserLanguage().toUpper();
    if (lang == QLatin1String("CHT"))
        return name + QStringLiteral("_CHT");
    if (lang == QLatin1String("EN"))
        return name + QStringLiteral("_EN");
    return name;
}
