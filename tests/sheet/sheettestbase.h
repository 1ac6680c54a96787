#pragma once

#include "../model/sheetfixture.h"
#include "fakeui.h"
#include "testdb.h"

#include "host/sharedstate.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// A fresh database with the sample process 1 and a second process 2 for every
// test, a scripted person, and a settings file of the test's own.
class SheetTestBase : public QObject
{
    Q_OBJECT
protected:
    std::unique_ptr<TestDb> m_db;
    FakeUi m_ui;
    QTemporaryDir m_settingsDir;

    QString settingsPath() const { return m_settingsDir.filePath(QStringLiteral("StockCheck.ini")); }
    AppConnection &conn() { return m_db->conn(); }

    // Process 2: item 1 counted, item 2 not counted, item 6 with no book stock
    // counted as nothing; item 4 has no row.
    bool addSecondProcess()
    {
        using namespace sheetfixture;
        Row counted;
        counted.process = 2;
        counted.item = 1;
        counted.qty = 5;
        counted.auxQty = 5;
        counted.qtyAct = 5;
        counted.checkQty = 5;
        Row open = counted;
        open.item = 2;
        open.qty = 4;
        open.qtyAct = open.checkQty = QVariant();
        Row zero = counted;
        zero.item = 6;
        zero.qty = zero.qtyAct = zero.checkQty = 0;
        return addProcess(conn(), 2, QStringLiteral("P2"), QDateTime(QDate(2026, 4, 2), QTime(14, 5))) &&
               addItem(conn(), {6, "A600", "弹簧", 0}) && addRow(conn(), counted) && addRow(conn(), open) &&
               addRow(conn(), zero);
    }

    // Re-reads the settings file, as a new session would.
    void reopenSettings()
    {
        m_db->installShared();
        shared().ui = &m_ui;
    }

protected slots:
    void initTestCase()
    {
        STOCKCHECK_REQUIRE_ENGINE();
        qputenv("STOCKCHECK_SETTINGS", settingsPath().toUtf8());
    }

    void init()
    {
        QFile::remove(settingsPath());
        m_db = std::make_unique<TestDb>();
        OPEN_TEST_DB(*m_db);
        reopenSettings();
        m_ui.clear();
        QVERIFY_SQL(conn(), sheetfixture::addSample(conn()));
        QVERIFY_SQL(conn(), addSecondProcess());
    }

    void cleanup()
    {
        shared().reset();
        m_db.reset();
    }
};
