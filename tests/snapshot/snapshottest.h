#pragma once

#include "snapshotfixture.h"

#include "host/hostcomponents.h"

#include <QObject>

// The test classes of this folder: a fresh fixture around every test, filled by
// the class's seed().
class SnapshotTest : public QObject, public SnapshotFixture
{
    Q_OBJECT

protected:
    virtual void seed() {}

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void init()
    {
        QVERIFY(setUp());
        seed();
    }
    void cleanup() { tearDown(); }
};

// A base-data picker that answers from a script and records what it was asked.
class ScriptedLookup : public BaseDataLookup
{
public:
    LookupRecord answer;
    QList<QPair<QString, QVariantMap>> calls; // item class or table, options

    LookupRecord lookup(int itemClass, const QVariantMap &options) override
    {
        calls.append({QString::number(itemClass), options});
        return answer;
    }
    LookupRecord listLookup(const QString &table, const QVariantMap &options) override
    {
        calls.append({table, options});
        return answer;
    }
};
