#include "finddialog.h"

#include "countsheet.h"
#include "sheetsettings.h"

#include "host/lookups.h"
#include "host/sharedstate.h"
#include "host/texts.h"

#include <QDate>

namespace {

const char *const kSortChoices[] = {N_("(无)"), N_("升序"), N_("降序")};
const char *const kConditions[] = {N_("等于"), N_("不等"), N_("小于"), N_("大于"), N_("包含")};
const char *const kOperators[] = {" = ", " <> ", " < ", " > ", ""};
constexpr int Contains = 4;

QString quoted(const QString &value)
{
    QString v = value;
    v.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + v + QLatin1Char('\'');
}

// A value as the loaded rows' filter compares it: numbers as numbers, the rest quoted.
QString literal(const SearchTarget &t, const QString &value)
{
    if (t.kind == SearchTarget::Kind::Number) {
        bool number = false;
        value.toDouble(&number);
        if (number)
            return value;
    }
    if (t.kind == SearchTarget::Kind::Date) {
        const QDate date = QDate::fromString(value, Qt::ISODate);
        if (date.isValid())
            return quoted(date.toString(QStringLiteral("yyyy-MM-dd")));
    }
    return quoted(value);
}

bool option(const char *key, bool firstByDefault)
{
    SettingsStore *s = shared().components.settings.get();
    if (!s)
        return firstByDefault;
    const QString v = s->value(QLatin1String(SheetSettings::Section), QLatin1String(key)).toString();
    return v.isEmpty() ? firstByDefault : v == QLatin1String("1");
}

void setOption(const char *key, bool first)
{
    if (SettingsStore *s = shared().components.settings.get())
        s->setValue(QLatin1String(SheetSettings::Section), QLatin1String(key),
                    first ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace

FindDialogLogic::FindDialogLogic(CountSheet &sheet, int actionMode)
    : m_sheet(sheet)
    , m_actionMode(actionMode)
{
    for (const SearchTarget &t : sheet.searchTargets()) {
        findTexts << t.value;
        sortChoices << NoSort;
        filterConditions << NoCondition;
        filterValues << QString();
    }
    loadOptions();
}

int FindDialogLogic::targetCount() const
{
    return int(m_sheet.searchTargets().size());
}

QString FindDialogLogic::caption(int row) const
{
    return m_sheet.searchTargets().value(row).caption;
}

QStringList FindDialogLogic::sortChoiceNames()
{
    QStringList out;
    for (const char *c : kSortChoices)
        out << QString::fromUtf8(c);
    return out;
}

QStringList FindDialogLogic::filterConditionNames()
{
    QStringList out;
    for (const char *c : kConditions)
        out << QString::fromUtf8(c);
    return out;
}

QString FindDialogLogic::sortText() const
{
    QStringList keys;
    const QList<SearchTarget> &targets = m_sheet.searchTargets();
    for (int i = 0; i < targets.size() && i < sortChoices.size(); ++i)
        if (sortChoices.at(i) != NoSort)
            keys << targets.at(i).rowField() +
                        (sortChoices.at(i) == Descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC"));
    return keys.join(QLatin1Char(','));
}

QString FindDialogLogic::filterText() const
{
    QStringList parts;
    const QList<SearchTarget> &targets = m_sheet.searchTargets();
    for (int i = 0; i < targets.size() && i < filterConditions.size(); ++i) {
        const int c = filterConditions.at(i);
        const QString value = filterValues.value(i).trimmed();
        if (c < 0 || c > Contains || value.isEmpty())
            continue;
        const SearchTarget &t = targets.at(i);
        parts << (c == Contains
                      ? t.rowField() + QStringLiteral(" Like ") + quoted(QLatin1Char('%') + value + QLatin1Char('%'))
                      : t.rowField() + QLatin1String(kOperators[c]) + literal(t, value));
    }
    return parts.join(QStringLiteral(" AND "));
}

bool FindDialogLogic::ok()
{
    switch (m_actionMode) {
    case SortMode:
        m_sheet.frmF_SortNow(sortText());
        return true;
    case FilterMode:
        m_sheet.frmF_FilterNow(filterText());
        return true;
    default:
        break;
    }
    QList<SearchTarget> &targets = m_sheet.searchTargets();
    for (int i = 0; i < targets.size() && i < findTexts.size(); ++i)
        targets[i].value = findTexts.at(i).trimmed();
    return m_sheet.frmF_FindNow(searchMatch ? 1 : 0, searchIgnoreCase ? 1 : 0) == CountSheet::FindResult::CloseFinder;
}

void FindDialogLogic::help() const
{
    ShowHelp(112, QLatin1String(HelpTopic) + QString::number(modeNumber(m_sheet.mode())));
}

void FindDialogLogic::loadOptions()
{
    searchMatch = !option("Search_Match", true);
    searchIgnoreCase = !option("Search_UL", false);
    filterMatch = !option("Filter_Match", true);
    filterIgnoreCase = !option("Filter_UL", false);
}

void FindDialogLogic::saveOptions() const
{
    setOption("Search_Match", !searchMatch);
    setOption("Search_UL", !searchIgnoreCase);
    setOption("Filter_Match", !filterMatch);
    setOption("Filter_UL", !filterIgnoreCase);
}
