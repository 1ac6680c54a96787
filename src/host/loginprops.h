#pragma once

#include <QList>
#include <QPair>
#include <QString>

// The host login's properties ("UserID=16394;UserName=张三;LANGUAGE=chs;..."),
// parsed into a keyed collection whose keys compare without regard to case.
class LoginProps
{
public:
    void clear() { m_entries.clear(); }
    void add(const QString &key, const QString &value);
    bool contains(const QString &key) const;
    QString value(const QString &key) const; // empty when absent
    int count() const { return int(m_entries.size()); }

private:
    QList<QPair<QString, QString>> m_entries;
};

// The login property string as the host gives it, and its parsed form in the
// shared state.
bool ParseProps(const QString &text);
QString GetPropsString();
QString GetProp(const QString &key);
int GetUserId();
// Scans the property string itself: the text after "key=" up to the next ";".
QString GetPropsValue(const QString &key);
// The user language: "chs", "CHT" or "EN" (the "LANGUAGE" property).
QString UserLanguage();
// name + "_CHT" / "_EN" by the user language: the localized column of a table.
QString LocalizedColumn(const QString &name);
