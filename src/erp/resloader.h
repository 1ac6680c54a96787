#pragma once

#include "host/hostcomponents.h"

#include <QString>
#include <QTranslator>

namespace erp {

// Texts in the user language from the Qt catalogs (context "StockCheck"): "chs"
// keeps the Simplified Chinese source texts, "CHT" loads stockcheck_zh_TW.qm,
// "EN" stockcheck_en.qm. A text without a translation stays as written.
class QtResLoader : public ResLoader
{
public:
    static constexpr const char *Context = "StockCheck";

    // The folder of the catalogs: env STOCKCHECK_QM_DIR, else <application dir>/
    // translations when it holds catalogs, else the build's translations folder.
    static QString catalogDir();
    // The catalog file of a language, empty for the source language.
    static QString catalogFile(const QString &language);

    void setLanguageID(const QString &language) override;
    QString LoadString(const QString &text) override;

    QString language() const { return m_language; }
    bool hasCatalog() const { return m_loaded; }

private:
    QString m_language = QStringLiteral("chs");
    QTranslator m_translator;
    bool m_loaded = false;
};

} // namespace erp
