#pragma once

#include <QHash>
#include <QString>

class AppConnection;

// The master data an import checks its records against, loaded once before the
// first record into maps keyed by number "|" name (full or short numbers, by the
// numbering option). Per record the checks are lookups in memory.
struct ImportLookups
{
    struct Item
    {
        int id = 0;
        bool batch = false;     // fbatchmanager = 1
        bool shelfLife = false; // FIsKFPeriod > 0
        bool serial = false;    // FISSNManage = 1
        int auxClass = 0;
        int secUnit = 0;
    };
    struct Unit
    {
        int id = 0;
        double coefficient = 1;
    };
    struct Stock
    {
        int id = 0;
        int placeGroup = 0;
    };
    struct AuxItem
    {
        int id = 0;
        int classId = 0;
    };

    QHash<QString, Item> items;
    QHash<QString, Unit> units;
    QHash<QString, Stock> stocks;
    QHash<QString, int> places;      // any place group
    QHash<QString, int> groupPlaces; // "group|number|name": the stock's own entry
    QHash<QString, AuxItem> auxItems;
    QHash<int, int> decimals; // places of an item's quantities (t_ICItemBase)

    // Throws DbException.
    void load(AppConnection &connection, bool useFullNumber);
    // The stock's own place of that number and name, else the one of any group.
    int placeOf(const QString &placeKey, const Stock &stock) const;
};
