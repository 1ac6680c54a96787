#include "testmain.h"

#include <QApplication>
#include <QList>
#include <QPair>
#include <QProcess>
#include <QStringList>
#include <QTest>

#include <memory>

namespace {
QList<QPair<QByteArray, TestRegistry::Factory>> &registry()
{
    static QList<QPair<QByteArray, TestRegistry::Factory>> list;
    return list;
}
} // namespace

bool TestRegistry::add(const char *name, Factory factory)
{
    registry().append({QByteArray(name), std::move(factory)});
    return true;
}

ProgramRun runProgram(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QStringList args = app.arguments();
    QStringList only;
    for (qsizetype i = 1; i + 1 < args.size(); ++i) {
        if (args.at(i) == QLatin1String("-class")) {
            only << args.at(i + 1);
            args.remove(i, 2);
            --i;
        }
    }
    int failures = 0;
    for (const auto &[name, factory] : registry()) {
        if (!only.isEmpty() && !only.contains(QString::fromLatin1(name)))
            continue;
        std::unique_ptr<QObject> test(factory());
        failures += QTest::qExec(test.get(), args);
    }
    return failures == 0 ? 0 : 1;
}
