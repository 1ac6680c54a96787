#include "fakeui.h"

QStringList FakeUi::messageTexts() const
{
    QStringList texts;
    for (const Shown &m : messages)
        texts << m.text;
    return texts;
}

void FakeUi::clear()
{
    answers.clear();
    fileNames.clear();
    messages.clear();
    questions.clear();
    lists.clear();
    choices.clear();
    choicesShown.clear();
    helpTopics.clear();
    busyDepth = 0;
}

void FakeUi::message(const QString &text, Icon icon, const QString &details)
{
    messages.append({text, icon, details});
}

HostUi::Answer FakeUi::question(const QString &text, bool)
{
    questions.append(text);
    return answers.isEmpty() ? Answer::Yes : answers.takeFirst();
}

void FakeUi::setBusy(bool busy)
{
    busyDepth += busy ? 1 : -1;
}

void FakeUi::showList(const QString &caption, const QStringList &titles, const QList<int> &widths,
                      const QList<QStringList> &rows)
{
    lists.append({caption, titles, widths, rows});
}

int FakeUi::chooseRow(const QString &caption, const QStringList &titles, const QList<QStringList> &rows)
{
    choicesShown.append({caption, titles, {}, rows});
    return choices.isEmpty() ? -1 : choices.takeFirst();
}

QString FakeUi::openFileName(const QString &, const QString &)
{
    return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
}

QString FakeUi::saveFileName(const QString &, const QString &, const QString &)
{
    return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
}

void FakeUi::showHelp(const QString &topic)
{
    helpTopics.append(topic);
}
