#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <vector>

// The demo data as it is built in memory before it is written: master data first,
// then stock positions, documents and balances that refer to it by index.

namespace erp::demo {

struct Unit
{
    int id = 0;
    int group = 0;
    QString number, name;
    double coefficient = 1;
};

struct UnitGroup
{
    int id = 0;
    QString number, name;
    std::vector<int> units; // indexes into World::units; the first is the base unit
};

struct AuxValue
{
    int id = 0;
    int classId = 0;
    QString number, name;
};

// A record that also has a t_Item row (stocks, suppliers, brands, categories, groups).
struct TreeRecord
{
    int id = 0;
    int classId = 0;
    QString number, name;
    int parentId = 0;
    bool detail = true;
};

enum class StockRole { Normal, Shop, Consigned, Special501, Virtual502, Virtual503, Other };

struct Stock
{
    int id = 0;
    QString number, name;
    int parentId = 0;
    int typeId = 500;
    StockRole role = StockRole::Normal;
    int placeGroup = 0;        // FSPGroupID, 0 without stock places
    std::vector<int> places;   // FSPIDs
    bool secondLedger = false; // holds POInventory positions
    bool unaudited = false;    // the one stock whose documents are not all audited
};

struct StockPlace
{
    int id = 0;
    int group = 0;
    QString number, name;
};

struct Item
{
    int id = 0;
    int family = 0;
    int parentId = 0;
    QString number, shortNumber, name, model, helpCode, barcode;
    int erpCls = 1;
    int unitGroup = 0;                             // index into World::groups
    int baseUnit = 0, storeUnit = 0, secUnit = -1; // indexes into World::units
    double secCoefficient = 0;                     // base units per secondary unit
    int qtyDecimal = 0;
    bool batch = false, shelfLife = false, serial = false;
    int kfPeriod = 0;
    int auxClass = 0;
    int brand = 0, category = 0, supplier = 0;
    int cycleUnit = 0, cycle = 0, daysPer = 0;
    QDate lastCheck;
    double price = 0;
    bool deleted = false;
};

enum class Ledger { IC, PO };

// One row of current stock.
struct Position
{
    Ledger ledger = Ledger::IC;
    int item = 0;  // index into World::items
    int stock = 0; // index into World::stocks
    int placeId = 0;
    QString batch, mto, kfDate; // kfDate "yyyy-MM-dd" or empty
    int kfPeriod = 0;
    int auxId = 0;
    double qty = 0;
    double moveCurrent = 0;  // net posted movement of the current period's documents
    double movePrevious = 0; // the same for the previous period
    QDate stockIn;
};

struct World
{
    QDate today;
    int year = 0, period = 0;         // current accounting period
    int prevYear = 0, prevPeriod = 0; // the one before
    QDate periodStart, prevStart, prevEnd;

    std::vector<UnitGroup> groups;
    std::vector<Unit> units;
    std::vector<AuxValue> auxValues;
    std::vector<TreeRecord> treeRecords; // every t_Item row except items and units
    std::vector<Stock> stocks;
    std::vector<StockPlace> places;
    std::vector<TreeRecord> suppliers, brands, categories;
    std::vector<Item> items;
    std::vector<Position> positions;
    QList<int> userIds;
    int nextItemId = 1001; // t_Item ids are shared by every class

    int allocateItemId() { return nextItemId++; }
    const Unit &unit(int index) const { return units[size_t(index)]; }
};

} // namespace erp::demo
