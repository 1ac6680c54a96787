#pragma once

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QVariantList>

class AppConnection;

// The options of the factories below; tests fill them with designated initializers.
namespace factory {

struct UnitSpec
{
    QString name;
    double coefficient = 1;
};

struct ItemSpec
{
    QString number;
    QString name;
    int unitGroup = 0; // 0: defaultUnitGroup()
    int storeUnit = 0; // the unit of count rows; 0: the base unit
    int secUnit = 0;   // secondary unit (any unit id), 0: none
    double secCoefficient = 0;
    int qtyDecimal = 0;
    bool batch = false;
    int kfPeriod = 0; // > 0: shelf-life management with this period
    int auxClass = 0;
    bool serial = false;
    int brand = 0;
    int category = 0;
    QString barcode; // a t_barcode row of type 4
    int erpCls = 1;
    bool deleted = false;
    int cycleUnit = 0; // 11603 days, 11602 weeks, other > 0 months
    int cycle = 0;
    int daysPer = 0;
    QDate lastCheck;
    QString model;
    QString shortNumber; // default: the last part of the number
    QString helpCode;
    double price = 0;
};

struct Position
{
    QString batch;
    QString mto;
    QString kfDate; // "yyyy-MM-dd"
    int kfPeriod = 0;
    int auxId = 0;
    double secQty = 0;
    bool secondLedger = false; // POInventory instead of ICInventory
};

struct Entry
{
    int item = 0;
    double qty = 0;    // base units
    int stock = 0;     // FDCStockID, or FSCStockID for types 24 and 137
    int place = 0;     // FDCSPID (types 24 and 137 too), FSCSPID for the source of a transfer
    int fromStock = 0; // transfers (41, 74): the source side
    int fromPlace = 0;
    QString batch, mto, kfDate; // no kfDate: NULL
    int kfPeriod = 0;
    int auxId = 0;
    int unit = 0; // 0: the item's stock unit
    double secQty = 0;
};

struct Header
{
    QDate date; // default: today
    bool audited = true;
    bool upStockWhenSave = false;
    bool cancelled = false;
    int poMode = 0;
    int procId = 0;
    QString billNo; // default: type and id
};

} // namespace factory

// Builds host data for a test in a few lines:
//
//     Factories f(db.conn());
//     const int pcs = f.unitGroup(QStringLiteral("数量组"), {{"个", 1}, {"盒", 10}});
//     const int item = f.item({.number = "1.01.001", .name = "螺丝", .unitGroup = pcs});
//     const int stock = f.stock("01", "原料仓");
//     const int place = f.stockPlace(stock, "A01", "A区01");
//     f.currentStock(item, stock, place, 120);
//     f.document(1, {{.item = item, .qty = 10, .stock = stock, .place = place}});
//
// Ids are allocated above what the database holds, so factories can add to demo
// data too. A failing statement fails the running test with the database's message.
class Factories
{
public:
    explicit Factories(AppConnection &connection);

    using UnitSpec = factory::UnitSpec;
    // A unit group and its units; the first unit is the base unit. Returns the
    // group id; unit(name) gives a unit's id.
    int unitGroup(const QString &name, const QList<UnitSpec> &units);
    int unit(const QString &name) const;
    // The group and base unit an item gets when it names none: "个" in "数量组".
    int defaultUnitGroup();

    using ItemSpec = factory::ItemSpec;
    int item(const ItemSpec &spec);

    // A stock (FTypeID 500 unless given), with its t_Item row.
    int stock(const QString &number, const QString &name, int typeId = 500);
    // A stock place of the stock's place group; the stock becomes place-managed.
    int stockPlace(int stockId, const QString &number, const QString &name);
    int auxValue(int classId, const QString &number, const QString &name);
    // A t_Item record of another class: 8 supplier (also t_Supplier), 2037
    // category, 2038 brand (also t_ComCategory / t_ComBrand), groups with detail=false.
    int baseItem(int classId, const QString &number, const QString &name, int parentId = 0, bool detail = true);

    using Position = factory::Position;
    void currentStock(int itemId, int stockId, int placeId, double qty, const Position &position = {});
    // An opening balance row (ICInvBal; POInvBal with secondLedger).
    void balance(int year, int period, int itemId, int stockId, int placeId, double begQty,
                 const Position &position = {}, const QDate &stockIn = {});

    using Entry = factory::Entry;
    using Header = factory::Header;
    // A stock document of the type's table (6/26 ZPStockBill, 74 POStockBill,
    // 92/137 ICSTJGBill, others ICStockBill); returns its FInterID.
    int document(int tranType, const QList<Entry> &entries, const Header &header = {});
    // An MTO change (t_MTOChange, class 1107011) of one entry: `entry.mto` is the
    // number the goods leave, `toMto` the one they go to.
    int mtoChange(const Entry &entry, const QString &toMto, const Header &header = {});
    // A receipt of consigned stock (ICVMIInStock, class 1007601).
    int vmiReceipt(const Entry &entry, int supplierId = 0, const Header &header = {});

    void systemParam(const QString &category, const QString &key, const QString &value);
    void period(int year, int period, const QDate &start, const QDate &end);
    // A user (and an employee of the same id); returns the id.
    int user(const QString &name, const QString &password = {}, int id = 0);
    void accessRule(int userId, const QString &table, int id);

private:
    bool exec(const QString &sql, const QVariantList &binds);
    int maxOf(const QString &sql);
    int nextItemId();
    void itemRow(int id, int classId, const QString &number, const QString &name, int parentId, bool detail);
    int storeUnitOf(int itemId);

    AppConnection &m_c;
    int m_lastItemId = 0;
    int m_defaultGroup = 0;
    QHash<QString, int> m_units;
};
