#pragma once

#include <QObject>

#include <functional>

// Several test classes share one program per folder: each registers itself and
// the shared main runs them all (or the ones named with -class Name).
namespace TestRegistry {
using Factory = std::function<QObject *()>;
bool add(const char *name, Factory factory);
} // namespace TestRegistry

#define STOCKCHECK_TEST(Class)                                                                                         \
    static const bool registered_##Class = TestRegistry::add(#Class, [] { return new Class; });
