#include "widgetui.h"

#include "helpdialog.h"
#include "listdialog.h"

#include "host/texts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace erp {

class WidgetUi::NormalCursor
{
public:
    explicit NormalCursor(bool busy)
        : m_pushed(busy)
    {
        if (m_pushed)
            QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~NormalCursor()
    {
        if (m_pushed)
            QApplication::restoreOverrideCursor();
    }
    NormalCursor(const NormalCursor &) = delete;
    NormalCursor &operator=(const NormalCursor &) = delete;

private:
    bool m_pushed;
};

namespace {

QMessageBox::Icon boxIcon(HostUi::Icon icon)
{
    switch (icon) {
    case HostUi::Icon::Information:
        return QMessageBox::Information;
    case HostUi::Icon::Warning:
        return QMessageBox::Warning;
    case HostUi::Icon::Critical:
        return QMessageBox::Critical;
    case HostUi::Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

void setButtonText(QMessageBox &box, QMessageBox::StandardButton which, const QString &text)
{
    if (QAbstractButton *button = box.button(which))
        button->setText(text);
}

} // namespace

QWidget *WidgetUi::dialogParent()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

void WidgetUi::message(const QString &text, Icon icon, const QString &details)
{
    NormalCursor cursor(m_busyDepth > 0);
    QMessageBox box(boxIcon(icon), LoadText("诺凡提示"), text, QMessageBox::Ok, dialogParent());
    setButtonText(box, QMessageBox::Ok, LoadText("确定"));
    if (!details.isEmpty())
        box.setDetailedText(details);
    box.exec();
}

HostUi::Answer WidgetUi::question(const QString &text, bool withCancel)
{
    NormalCursor cursor(m_busyDepth > 0);
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel)
        buttons |= QMessageBox::Cancel;
    QMessageBox box(QMessageBox::Question, LoadText("诺凡提示"), text, buttons, dialogParent());
    setButtonText(box, QMessageBox::Yes, LoadText("是(&Y)"));
    setButtonText(box, QMessageBox::No, LoadText("否(&N)"));
    setButtonText(box, QMessageBox::Cancel, LoadText("取消"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(withCancel ? QMessageBox::Cancel : QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return withCancel ? Answer::Cancel : Answer::No;
    }
}

void WidgetUi::setBusy(bool busy)
{
    if (busy) {
        ++m_busyDepth;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (m_busyDepth > 0) {
        --m_busyDepth;
        QApplication::restoreOverrideCursor();
    }
}

void WidgetUi::showList(const QString &caption, const QStringList &titles, const QList<int> &widths,
                        const QList<QStringList> &rows)
{
    NormalCursor cursor(m_busyDepth > 0);
    ListDialog dialog(caption, titles, widths, rows, dialogParent());
    dialog.exec();
}

int WidgetUi::chooseRow(const QString &caption, const QStringList &titles, const QList<QStringList> &rows)
{
    NormalCursor cursor(m_busyDepth > 0);
    return ListDialog::choose(caption, titles, rows, dialogParent());
}

QString WidgetUi::openFileName(const QString &caption, const QString &filter)
{
    NormalCursor cursor(m_busyDepth > 0);
    const QString file = QFileDialog::getOpenFileName(dialogParent(), caption, m_lastDir, filter);
    if (!file.isEmpty())
        m_lastDir = QFileInfo(file).absolutePath();
    return file;
}

QString WidgetUi::saveFileName(const QString &caption, const QString &filter, const QString &suggested)
{
    NormalCursor cursor(m_busyDepth > 0);
    // a bare suggested name goes into the folder used last
    QString start = suggested;
    if (!m_lastDir.isEmpty() && QFileInfo(suggested).isRelative())
        start = QDir(m_lastDir).filePath(suggested);
    const QString file = QFileDialog::getSaveFileName(dialogParent(), caption, start, filter);
    if (!file.isEmpty())
        m_lastDir = QFileInfo(file).absolutePath();
    return file;
}

void WidgetUi::showHelp(const QString &topic)
{
    NormalCursor cursor(m_busyDepth > 0);
    HelpDialog dialog(topic, dialogParent());
    dialog.exec();
}

} // namespace erp
