#pragma once

#include "host/hostui.h"

#include <QList>
#include <QString>
#include <QStringList>

// A scripted person: answers questions and file choices from queues (Yes when the
// queue is empty) and records every message and list shown, so tests can check
// what a person would have seen without any dialog opening.
class FakeUi : public HostUi
{
public:
    struct Shown
    {
        QString text;
        Icon icon;
        QString details;
    };
    struct ListShown
    {
        QString caption;
        QStringList titles;
        QList<int> widths;
        QList<QStringList> rows;
    };

    QList<Answer> answers;
    QStringList fileNames;
    QList<Shown> messages;
    QStringList questions;
    QList<ListShown> lists;
    QList<int> choices;            // answers to chooseRow, -1 (cancel) when empty
    QList<ListShown> choicesShown; // what chooseRow offered
    QStringList helpTopics;
    int busyDepth = 0;

    // The texts of all messages, for QCOMPARE.
    QStringList messageTexts() const;
    QString lastMessage() const { return messages.isEmpty() ? QString() : messages.last().text; }
    void clear();

    void message(const QString &text, Icon icon, const QString &details) override;
    Answer question(const QString &text, bool withCancel) override;
    void setBusy(bool busy) override;
    void showList(const QString &caption, const QStringList &titles, const QList<int> &widths,
                  const QList<QStringList> &rows) override;
    int chooseRow(const QString &caption, const QStringList &titles, const QList<QStringList> &rows) override;
    QString openFileName(const QString &caption, const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &filter, const QString &suggested) override;
    void showHelp(const QString &topic) override;
};
