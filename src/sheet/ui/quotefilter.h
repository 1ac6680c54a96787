#pragma once

#include <QObject>

class QWidget;

// Drops the characters ' and " wherever they are typed in one window (its own
// widgets and the editors its grids open), so that no quote reaches a cell, a
// search text or a statement. Watches the application while the window lives.
class QuoteFilter : public QObject
{
    Q_OBJECT
public:
    explicit QuoteFilter(QWidget *window);
    ~QuoteFilter() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool belongsToWindow(QObject *watched) const;

    QWidget *m_window;
};
