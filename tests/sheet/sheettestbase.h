#pragma once

#include "../model/sheetfixture.h"
#include "fakeui.h"
#include "testdb.h"

#include "erp/demodata.h"
#include "host/loginprops.h"
#include "host/sharedstate.h"
#include "sheet/countsheet.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// "FCheckQty=36 FNote=x": the named fields of the one count row of `item` in
// `process`, in one line that shows every value when it fails.
inline QString figures(AppConnection &c, int process, int item, const QString &fields)
{
    const Recordset rs =
        c.Execute(QStringLiteral("SELECT * FROM ICInvBackup WHERE FInterID = ? AND FItemID = ?"), {process, item});
    QStringList out{QStringLiteral("%1 rows:").arg(rs.RecordCount())};
    for (const QString &f : fields.split(QLatin1Char(' '))) {
        const QVariant v = rs.Fields(f);
        bool number = false;
        const double d = v.toString().toDouble(&number);
        out << f + QLatin1Char('=') +
                   (v.isNull() ? QStringLiteral("NULL")
                    : number   ? QString::number(d)
                               : v.toString());
    }
    return out.mid(rs.RecordCount() == 1 ? 1 : 0).join(QLatin1Char(' '));
}

// The index of process `id` in the sheet's selector, -1 when it is not listed.
inline int processIndex(const CountSheet &sheet, int id)
{
    for (int i = 0; i < sheet.processes().size(); ++i)
        if (sheet.processes().at(i).id == id)
            return i;
    return -1;
}

// The entry-grid row of `item` (with the auxiliary property `aux`), 0 when it has none.
inline int rowOfItem(const CountSheet &sheet, int item, int aux = 0)
{
    const EntryGrid &g = sheet.entryGrid();
    for (int r = 1; r <= g.dataRows(); ++r)
        if (int(g.number(r, EntryCol::ItemID)) == item && int(g.number(r, EntryCol::AuxPropID)) == aux)
            return r;
    return 0;
}

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
        counted.qty = counted.auxQty = counted.qtyAct = counted.checkQty = 5;
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

    // The data of every test: the sample processes 1 and 2 unless a test class says otherwise.
    virtual bool fill() { return sheetfixture::addSample(conn()) && addSecondProcess(); }

    // The demo database with a snapshot of its whole stock, for the window tests.
    bool fillDemo()
    {
        ParseProps(QStringLiteral("UserID=16394;LANGUAGE=chs;"));
        QString error;
        return erp::fillDemoData(conn(), erp::DemoOptions{}, &error) &&
               sheetfixture::snapshotStock(conn(), 1, QStringLiteral("2026120600001"));
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
        QVERIFY_SQL(conn(), fill());
    }

    void cleanup()
    {
        shared().reset();
        m_db.reset();
    }
};
