#include "sheetsettings.h"

#include "host/hostcomponents.h"
#include "host/sharedstate.h"

namespace {

SettingsStore *store()
{
    return shared().components.settings.get();
}

QString read(const char *section, const QString &key)
{
    SettingsStore *s = store();
    if (!s)
        return {};
    const QVariant v = s->value(QLatin1String(section), key);
    return v.isValid() ? v.toString().trimmed() : QString();
}

void write(const char *section, const QString &key, const QVariant &value)
{
    if (SettingsStore *s = store())
        s->setValue(QLatin1String(section), key, value);
}

// "True"/"False" as stored; anything else keeps the default.
void readFlag(const char *key, bool *flag)
{
    const QString text = read(SheetSettings::Section, QLatin1String(key));
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 || text == QLatin1String("1"))
        *flag = true;
    else if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0 || text == QLatin1String("0"))
        *flag = false;
}

QString flagText(bool flag)
{
    return flag ? QStringLiteral("True") : QStringLiteral("False");
}

std::optional<int> readWidth(const QString &key)
{
    bool ok = false;
    const double width = read(SheetSettings::GridSection, key).toDouble(&ok);
    if (!ok || width < 0 || width > 1e6)
        return std::nullopt;
    return int(width);
}

QString ledgerKey(SheetMode mode, int col)
{
    return QStringLiteral("ldgCheck%1-%2").arg(modeNumber(mode)).arg(col);
}

QString entryKey(int col)
{
    return QStringLiteral("Col%1").arg(col);
}

QString geometryKey(SheetMode mode)
{
    return QStringLiteral("frmMain%1_Geometry").arg(modeNumber(mode));
}

} // namespace

void SheetSettings::load()
{
    readFlag("bShowtoolbar", &showToolBar);
    readFlag("bShowToolBarLable", &showToolLabels);
    readFlag("bShowStatBar", &showStatusBar);
    readFlag("bShowDeleted", &showDeleted);
    bool ok = false;
    const int id = read(Section, QStringLiteral("StockID")).toInt(&ok);
    if (ok)
        stockId = id;
    showClosedProcesses = read(GridSection, QStringLiteral("ldgCheck_ShowCloseProc")) == QLatin1String("1");
}

void SheetSettings::save() const
{
    write(Section, QStringLiteral("bShowtoolbar"), flagText(showToolBar));
    write(Section, QStringLiteral("bShowToolBarLable"), flagText(showToolLabels));
    write(Section, QStringLiteral("bShowStatBar"), flagText(showStatusBar));
    write(Section, QStringLiteral("StockID"), stockId);
    write(Section, QStringLiteral("bShowDeleted"), flagText(showDeleted));
}

void SheetSettings::saveShowClosedProcesses(bool show)
{
    write(GridSection, QStringLiteral("ldgCheck_ShowCloseProc"), show ? 1 : 0);
}

std::optional<int> SheetSettings::ledgerWidth(SheetMode mode, int col)
{
    return readWidth(ledgerKey(mode, col));
}

void SheetSettings::setLedgerWidth(SheetMode mode, int col, int width)
{
    write(GridSection, ledgerKey(mode, col), width);
}

std::optional<int> SheetSettings::entryWidth(int col)
{
    return readWidth(entryKey(col));
}

void SheetSettings::setEntryWidth(int col, int width)
{
    write(GridSection, entryKey(col), width);
}

QByteArray SheetSettings::windowGeometry(SheetMode mode)
{
    const auto decoded = QByteArray::fromBase64Encoding(read(Section, geometryKey(mode)).toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    return decoded ? *decoded : QByteArray();
}

void SheetSettings::setWindowGeometry(SheetMode mode, const QByteArray &geometry)
{
    write(Section, geometryKey(mode), QString::fromLatin1(geometry.toBase64()));
}
