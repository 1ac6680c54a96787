#pragma once

#include "host/hostcomponents.h"

#include <QString>

#include <memory>

class QSettings;

namespace erp {

// The per-user settings store: an ini file, one group per section. The file is
// "StockCheck.ini" in the user's settings folder unless env STOCKCHECK_SETTINGS
// names another. A file that cannot be parsed is kept aside as "<file>.corrupt"
// and the store starts empty, so every value falls back to its default.
class IniSettings : public SettingsStore
{
public:
    IniSettings();
    explicit IniSettings(const QString &path);
    ~IniSettings() override;

    static QString defaultPath();

    QString path() const { return m_path; }

    QVariant value(const QString &section, const QString &key, const QVariant &defaultValue = {}) override;
    void setValue(const QString &section, const QString &key, const QVariant &value) override;
    // A bare name goes into the settings folder; env STOCKCHECK_SETTINGS still wins.
    void setFileName(const QString &fileName) override;

private:
    void open(const QString &path);

    QString m_path;
    std::unique_ptr<QSettings> m_settings;
};

} // namespace erp
