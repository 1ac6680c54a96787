#pragma once

#include <QDialog>

namespace erp {

// The help window of a topic (F1): the topic's page from the help folder, or the
// topic's name when no page is written for it.
class HelpDialog : public QDialog
{
    Q_OBJECT
public:
    explicit HelpDialog(const QString &topic, QWidget *parent = nullptr);

    // The page of a topic, searched beside the program and in the source tree;
    // empty when there is none. Topics are plain names: no path can be smuggled in.
    static QString pagePath(const QString &topic);
};

} // namespace erp
