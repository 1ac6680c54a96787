#include "helpdialog.h"

#include "host/loginprops.h"
#include "host/texts.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace erp {

QString HelpDialog::pagePath(const QString &topic)
{
    static const QRegularExpression plainName(QStringLiteral("^[A-Za-z0-9_.-]+$"));
    if (!plainName.match(topic).hasMatch() || topic.contains(QLatin1String("..")))
        return {};
    const QString appDir = QCoreApplication::applicationDirPath();
    QStringList dirs{appDir + QStringLiteral("/help"), appDir + QStringLiteral("/../share/stockcheck/help")};
#ifdef STOCKCHECK_SOURCE_DIR
    dirs << QStringLiteral(STOCKCHECK_SOURCE_DIR "/help");
#endif
    // A window with a topic per mode ("Name_4") may have one page for all its
    // modes ("Name").
    QStringList topics{topic};
    static const QRegularExpression modeSuffix(QStringLiteral("_\\d+$"));
    if (const auto m = modeSuffix.match(topic); m.hasMatch())
        topics << topic.left(m.capturedStart());
    const QString language = UserLanguage().toLower();
    for (const QString &t : std::as_const(topics))
        for (const QString &dir : std::as_const(dirs))
            for (const QString &name :
                 {t + QLatin1Char('.') + language + QStringLiteral(".html"), t + QStringLiteral(".html")}) {
                const QFileInfo page(QDir(dir).filePath(name));
                if (page.isFile())
                    return page.absoluteFilePath();
            }
    return {};
}

HelpDialog::HelpDialog(const QString &topic, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(LoadText("帮助"));
    auto *browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("txtHelp"));
    browser->setOpenExternalLinks(true);
    const QString page = pagePath(topic);
    if (!page.isEmpty()) {
        browser->setSearchPaths({QFileInfo(page).absolutePath()});
        browser->setSource(QUrl::fromLocalFile(page));
    } else {
        browser->setHtml(QStringLiteral("<h3>%1</h3><p>%2</p>")
                             .arg(FormatText("主题：%1", {topic}).toHtmlEscaped(),
                                  LoadText("这个主题还没有帮助页。").toHtmlEscaped()));
    }
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(LoadText("关闭"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(browser);
    layout->addWidget(buttons);
    resize(760, 640); // a page reads without scrolling sideways or at every paragraph
}

} // namespace erp
