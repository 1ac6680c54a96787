#pragma once

#include "factories.h"
#include "fakeui.h"
#include "testdb.h"

#include "host/sharedstate.h"
#include "import/countimport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// One record of an import file by its fields; the defaults name the plain item
// in stock 01 without a place, counted 5.
struct Rec
{
    QString stockNo = QStringLiteral("01"), stockName = QStringLiteral("原料仓");
    QString spNo, spName;
    QString itemNo = QStringLiteral("1.01"), itemName = QStringLiteral("螺丝");
    QString auxNo, auxName, batch, mto, kfDate, period;
    QString unitNo = QStringLiteral("U1"), unitName = QStringLiteral("个");
    QString ccNo = QStringLiteral("U1"), ccName = QStringLiteral("个");
    QString check = QStringLiteral("5"), complex, adj;
    QString secNo, secName, coef, secCheck, note;
};

Q_DECLARE_METATYPE(Rec)

// The import template as a CSV file: captions, then one line per record.
inline QByteArray csvOf(const QList<Rec> &records, bool mto = false, const QString &column11 = {})
{
    auto quoted = [](QString s) {
        return s.contains(u',') || s.contains(u'"') || s.contains(u'\n')
                   ? u'"' + s.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"'
                   : s;
    };
    QStringList captions;
    for (int i = 1; i <= 35; ++i)
        captions << QStringLiteral("C%1").arg(i);
    captions[10] = QStringLiteral("生产/采购日期");
    if (mto)
        captions.insert(10, QStringLiteral("计划跟踪号"));
    if (!column11.isEmpty())
        captions[10] = column11;
    QByteArray out = captions.join(u',').toUtf8() + "\r\n";
    for (const Rec &r : records) {
        QStringList f(35);
        const QString *values[] = {&r.stockNo,  &r.stockName, &r.spNo,   &r.spName,   &r.itemNo,  &r.itemName,
                                   &r.auxNo,    &r.auxName,   &r.batch,  &r.kfDate,   &r.period,  &r.unitNo,
                                   &r.unitName, &r.ccNo,      &r.ccName, &r.check,    &r.complex, &r.adj,
                                   &r.secNo,    &r.secName,   &r.coef,   &r.secCheck, &r.note};
        const int positions[] = {1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 18, 19, 25, 26, 27, 28, 29, 30, 33, 35};
        for (size_t i = 0; i < std::size(positions); ++i)
            f[positions[i] - 1] = quoted(*values[i]);
        if (mto)
            f.insert(10, quoted(r.mto));
        out += f.join(u',').toUtf8() + "\r\n";
    }
    return out;
}

// A small world for the import: units 个 (U1) and 箱 of 12 (U2), stocks 01 and
// 02 with a place A01 each (in their own place groups), an aux class with two
// values and one of another class, items of each management kind, the user,
// and process 1 with count rows of the plain item (book 8, counted 7) and of the
// secondary-unit item.
class ImportFixture : public QObject
{
    Q_OBJECT
protected:
    std::unique_ptr<TestDb> m_db;
    FakeUi m_ui;
    QTemporaryDir m_dir;
    int pcs = 0, box = 0, kg = 0;
    int stockA = 0, stockB = 0, placeA = 0, placeB = 0;
    int plain = 0, batch = 0, shelf = 0, aux = 0, serial = 0, sec = 0;
    int red = 0, foreignAux = 0;
    int user = 0;
    static constexpr int Process = 1;

    AppConnection &conn() { return m_db->conn(); }
    QString file(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }
    CountImport::Outcome import(const QByteArray &csv, bool mto = false, const QString &name = "in.csv")
    {
        CountImport::Options o;
        o.processId = Process;
        o.operatorId = user;
        o.mtoMode = mto;
        return CountImport(conn(), o).run(file(name, csv));
    }
    // "FCheckQty FQty ..." of the rows of `item`, one line per row.
    QString rowsOf(int item, const QString &fields = QStringLiteral(
                                 "FStockPlaceID FQty FCheckQty FQtyAct FAuxCheckQty FSecCheckQty FMinus FSecMinus"))
    {
        const Recordset rs = conn().Execute(
            QStringLiteral("SELECT %1 FROM ICInvBackup WHERE FInterID = ? AND FItemID = ? ORDER BY FStockID, FBatchNo")
                .arg(QString(fields).replace(u' ', u',')),
            {Process, item});
        QStringList lines;
        for (int r = 0; r < rs.RecordCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < rs.fieldCount(); ++c) {
                const QVariant v = rs.value(r, c);
                cells << (v.isNull() ? QStringLiteral("NULL") : QString::number(Recordset::toNumber(v), 'g', 10));
            }
            lines << cells.join(u' ');
        }
        return lines.join(QStringLiteral("; "));
    }

    void setUpWorld()
    {
        Factories f(conn());
        f.unitGroup(QStringLiteral("数量组"), {{QStringLiteral("个"), 1}, {QStringLiteral("箱"), 12}});
        pcs = f.unit(QStringLiteral("个"));
        box = f.unit(QStringLiteral("箱"));
        f.unitGroup(QStringLiteral("重量组"), {{QStringLiteral("千克"), 1}});
        kg = f.unit(QStringLiteral("千克"));
        conn().Exec(QStringLiteral("UPDATE t_MeasureUnit SET FNumber = 'U1' WHERE FMeasureUnitID = ?"), {pcs});
        conn().Exec(QStringLiteral("UPDATE t_MeasureUnit SET FNumber = 'U2' WHERE FMeasureUnitID = ?"), {box});
        conn().Exec(QStringLiteral("UPDATE t_MeasureUnit SET FNumber = 'KG' WHERE FMeasureUnitID = ?"), {kg});
        stockA = f.stock(QStringLiteral("01"), QStringLiteral("原料仓"));
        stockB = f.stock(QStringLiteral("02"), QStringLiteral("成品仓"));
        placeA = f.stockPlace(stockA, QStringLiteral("A01"), QStringLiteral("一号架"));
        placeB = f.stockPlace(stockB, QStringLiteral("A01"), QStringLiteral("一号架"));
        red = f.auxValue(3001, QStringLiteral("R"), QStringLiteral("红"));
        f.auxValue(3001, QStringLiteral("G"), QStringLiteral("绿"));
        foreignAux = f.auxValue(3002, QStringLiteral("L"), QStringLiteral("大"));
        plain = f.item({.number = QStringLiteral("1.01"), .name = QStringLiteral("螺丝"), .qtyDecimal = 2});
        batch = f.item({.number = QStringLiteral("1.02"), .name = QStringLiteral("螺母"), .batch = true});
        shelf = f.item({.number = QStringLiteral("1.03"), .name = QStringLiteral("胶水"), .kfPeriod = 30});
        aux = f.item({.number = QStringLiteral("1.04"), .name = QStringLiteral("油漆"), .auxClass = 3001});
        serial = f.item({.number = QStringLiteral("1.05"), .name = QStringLiteral("电机"), .serial = true});
        sec = f.item({.number = QStringLiteral("1.06"),
                      .name = QStringLiteral("钢板"),
                      .secUnit = kg,
                      .secCoefficient = 6,
                      .qtyDecimal = 2});
        user = f.user(QStringLiteral("张三"));
        f.systemParam(QStringLiteral("IC"), QStringLiteral("UseShortNumber"), QStringLiteral("0")); // full numbers
        conn().Exec(QStringLiteral("INSERT INTO ICStockCheckProcess (FID, FProcessID, FDate, FOperatorID, FStatus,"
                                   " FBackupType, FMaxBillInterID) VALUES (?, 'P1', ?, ?, 0, 1, 77)"),
                    {Process, Dialect::dateTimeValue(QDateTime(QDate(2026, 3, 1), QTime(9, 0))), user});
        addRow(plain, stockA, 0, 8, 7);
        addRow(sec, stockA, 0, 12, QVariant(), 2);
    }
    void addRow(int item, int stock, int place, double qty, const QVariant &checked, double secQty = 0)
    {
        QVERIFY_SQL(
            conn(),
            conn().Exec(
                QStringLiteral(
                    "INSERT INTO ICInvBackup (FInterID, FItemID, FStockID, FStockPlaceID, FUnitID, FBatchNo, FKFDate, "
                    "FQty,"
                    " FAuxQty, FQtyAct, FAuxQtyAct, FCheckQty, FAuxCheckQty, FMinus, FSecQty, FSecUnitID, FDateBackup)"
                    " VALUES (?, ?, ?, ?, ?, '', '', ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                {Process, item, stock, place, pcs, qty, qty, checked, checked, checked, checked,
                 checked.isNull() ? checked : QVariant(checked.toDouble() - qty), secQty, secQty ? kg : 0,
                 Dialect::dateTimeValue(QDateTime(QDate(2026, 3, 1), QTime(9, 0)))}));
    }

protected slots:
    void initTestCase()
    {
        STOCKCHECK_REQUIRE_ENGINE();
        qputenv("STOCKCHECK_SETTINGS", m_dir.filePath(QStringLiteral("StockCheck.ini")).toUtf8());
    }
    void init()
    {
        m_db = std::make_unique<TestDb>();
        OPEN_TEST_DB(*m_db);
        m_db->installShared();
        shared().ui = &m_ui;
        shared().operatorId = 0;
        m_ui.clear();
        setUpWorld();
        shared().operatorId = user;
    }
    void cleanup()
    {
        shared().reset();
        m_db.reset();
    }
};
