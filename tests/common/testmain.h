#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

// Several test classes share one program per folder: each registers itself and
// the shared main runs them all (or the ones named with -class Name).
namespace TestRegistry {
using Factory = std::function<QObject *()>;
bool add(const char *name, Factory factory);
} // namespace TestRegistry

#define STOCKCHECK_TEST(Class)                                                                                         \
    static const bool registered_##Class = TestRegistry::add(#Class, [] { return new Class; });

// A program run as a person runs it: its exit status (-1: it did not end by
// itself), stdout and stderr.
struct ProgramRun
{
    int exitCode = -1;
    QString out, err;
};
ProgramRun runProgram(const QString &program, const QStringList &args);
