#include "quotefilter.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QWidget>

namespace {

bool hasQuote(const QString &text)
{
    return text.contains(QLatin1Char('\'')) || text.contains(QLatin1Char('"'));
}

} // namespace

QuoteFilter::QuoteFilter(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    QCoreApplication::instance()->installEventFilter(this);
}

QuoteFilter::~QuoteFilter()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool QuoteFilter::belongsToWindow(QObject *watched) const
{
    auto *widget = qobject_cast<QWidget *>(watched);
    return widget && widget->window() == m_window;
}

bool QuoteFilter::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
        if (hasQuote(static_cast<QKeyEvent *>(event)->text()) && belongsToWindow(watched))
            return true;
        break;
    case QEvent::InputMethod: {
        auto *im = static_cast<QInputMethodEvent *>(event);
        if (hasQuote(im->commitString()) && belongsToWindow(watched)) {
            QString text = im->commitString();
            text.remove(QLatin1Char('\''));
            text.remove(QLatin1Char('"'));
            im->setCommitString(text, im->replacementStart(), im->replacementLength());
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
