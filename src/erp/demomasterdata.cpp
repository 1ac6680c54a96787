#include "demomasterdata.h"

#include "demorandom.h"

#include <QtMath>

namespace erp::demo {

namespace {

struct UnitSpec
{
    const char *name;
    double coefficient;
};

struct GroupSpec
{
    const char *name;
    std::initializer_list<UnitSpec> units; // the first is the base unit
};

// Unit groups: a base unit and larger or smaller units with their coefficients.
// The last group holds the secondary units, whose rate is per item.
const GroupSpec kGroups[] = {
    {"数量组", {{"个", 1}, {"盒", 10}, {"箱", 120}}},     {"重量组", {{"千克", 1}, {"克", 0.001}, {"吨", 1000}}},
    {"长度组", {{"米", 1}, {"厘米", 0.01}, {"卷", 100}}}, {"容量组", {{"升", 1}, {"毫升", 0.001}, {"桶", 20}}},
    {"包装组", {{"瓶", 1}, {"提", 6}, {"整箱", 24}}},     {"服装组", {{"件", 1}, {"包", 10}}},
    {"辅助组", {{"张", 1}, {"根", 1}, {"捆", 1}}},
};
constexpr int kSecondaryGroup = 6;

// Goods families: the item tree's second level, with the habits of their goods.
struct Family
{
    const char *number;
    const char *name;
    const char *code; // short-number prefix
    std::initializer_list<const char *> adjectives;
    std::initializer_list<const char *> nouns;
    std::initializer_list<const char *> models;
    int group;    // index into kGroups
    int decimals; // FQtyDecimal of most items
    // shares of items with batches, shelf life, auxiliary properties, serial numbers,
    // a secondary unit, a barcode
    double batch, shelfLife, aux, serial, secondary, barcode;
    int category; // index into the detail categories
    double priceLo, priceHi;
    double qtyLo, qtyHi;
};

// clang-format off
const Family kFamilies[] = {
    {"1.01", "五金件", "WJ", {"不锈钢", "镀锌", "高强度", "精密", "标准"},
     {"螺丝", "螺母", "垫片", "铆钉", "弹簧", "轴承", "销钉"}, {"M4×10", "M6×20", "M8×30", "Φ12", "6204", "10mm"},
     0, 0, 0.1, 0, 0, 0, 0.05, 0.3, 3, 0.1, 20, 100, 5000},
    {"1.02", "金属材料", "JS", {"冷轧", "热轧", "镀锌", "优质", "标准"},
     {"钢板", "圆钢", "铝型材", "铜棒", "角钢"}, {"Q235 3mm", "45# Φ20", "6063", "H62 Φ10", "50×50×5"},
     1, 3, 0.4, 0, 0, 0, 0.5, 0.1, 6, 4, 60, 10, 2000},
    {"1.03", "线缆", "XL", {"阻燃", "屏蔽", "铜芯", "耐高温", "通用"},
     {"电线", "网线", "胶管", "控制电缆"}, {"BV2.5", "CAT6", "Φ8", "RVV4×1.5"},
     2, 2, 0.2, 0, 0, 0, 0.3, 0.2, 6, 1, 30, 50, 3000},
    {"1.04", "化工", "HG", {"工业", "环保", "高效", "速干", "通用"},
     {"润滑油", "清洗剂", "油漆", "胶水", "稀释剂"}, {"46#", "500ml", "白色", "AB", "1L"},
     3, 2, 0.8, 0.7, 0, 0, 0, 0.5, 4, 10, 200, 5, 800},
    {"2.01", "电子元件", "DZ", {"工业级", "高精度", "低功耗", "通用", "进口"},
     {"电源模块", "传感器", "控制板", "显示屏", "继电器"}, {"24V 5A", "PT100", "V2.1", "7寸", "HF46F"},
     0, 0, 0.3, 0, 0, 0.4, 0, 0.4, 5, 15, 600, 5, 500},
    {"3.01", "食品饮料", "SP", {"天然", "经典", "低糖", "家庭装", "精选"},
     {"矿泉水", "饼干", "方便面", "咖啡", "牛奶", "果汁"}, {"550ml", "200g", "五连包", "罐装", "1L", "礼盒"},
     4, 0, 0.9, 0.9, 0, 0, 0.2, 1.0, 0, 2, 80, 24, 2400},
    {"3.02", "服装鞋帽", "FZ", {"男式", "女式", "儿童", "休闲", "商务"},
     {"衬衫", "T恤", "运动鞋", "夹克", "工作帽"}, {"纯棉", "速干", "透气", "防风", "春款"},
     5, 0, 0.1, 0, 1.0, 0, 0, 0.8, 2, 30, 400, 5, 300},
};
// clang-format on

struct AuxClassSpec
{
    int classId;
    std::initializer_list<const char *> values;
};

const AuxClassSpec kAuxClasses[] = {
    {3001, {"红色", "蓝色", "黑色", "白色"}},
    {3002, {"S", "M", "L", "XL"}},
};

QString number2(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

void buildUnits(World &w)
{
    int unitId = 0;
    for (int g = 0; g < int(std::size(kGroups)); ++g) {
        UnitGroup group;
        group.id = g + 1;
        group.number = number2(g + 1);
        group.name = QString::fromUtf8(kGroups[g].name);
        int k = 0;
        for (const UnitSpec &spec : kGroups[g].units) {
            Unit u;
            u.id = w.allocateItemId();
            u.group = g;
            u.number = group.number + QLatin1Char('.') + number2(++k);
            u.name = QString::fromUtf8(spec.name);
            u.coefficient = spec.coefficient;
            group.units.push_back(int(w.units.size()));
            w.units.push_back(u);
            ++unitId;
        }
        w.groups.push_back(group);
    }
}

void buildAuxValues(World &w)
{
    int id = 0;
    for (const AuxClassSpec &spec : kAuxClasses) {
        int k = 0;
        for (const char *value : spec.values)
            w.auxValues.push_back(
                {++id, spec.classId, number2(spec.classId % 100) + number2(++k), QString::fromUtf8(value)});
    }
}

TreeRecord tree(World &w, int classId, const QString &number, const QString &name, int parentId, bool detail)
{
    TreeRecord r{w.allocateItemId(), classId, number, name, parentId, detail};
    return r;
}

struct StockSpec
{
    const char *name;
    int typeId;
    StockRole role;
    bool places;
    bool secondLedger;
};

// Stock groups "01" raw materials, "02" products, "03" shops, "04" special stocks.
const char *const kStockGroups[] = {"原料仓库", "成品仓库", "门店仓库", "特殊仓库"};

const StockSpec kStocks[] = {
    {"原料一号仓", 500, StockRole::Normal, true, false},  {"原料二号仓", 500, StockRole::Normal, false, false},
    {"成品仓", 500, StockRole::Normal, true, true},       {"半成品仓", 500, StockRole::Normal, false, false},
    {"中心门店", 500, StockRole::Shop, false, false},     {"供应商寄售仓", 500, StockRole::Consigned, false, false},
    {"代管仓", 501, StockRole::Special501, false, false}, {"受托加工仓", 502, StockRole::Virtual502, true, true},
    {"赠品仓", 503, StockRole::Virtual503, false, true},  {"外租仓", 20291, StockRole::Other, false, false},
    {"在途仓", 20293, StockRole::Other, false, false},
};
// The stock of kStocks whose documents are not all audited: a snapshot there is refused.
constexpr int kUnauditedStock = 3;
// Index of the group of each entry of kStocks.
const int kStockGroupOf[] = {0, 0, 1, 1, 2, 3, 3, 3, 3, 3, 3};

void addPlaces(World &w, Stock &s, int count)
{
    s.placeGroup = int(w.places.empty() ? 1 : w.places.back().group + 1);
    for (int i = 1; i <= count; ++i) {
        StockPlace p;
        p.id = int(w.places.size()) + 1;
        p.group = s.placeGroup;
        const QChar zone = QLatin1Char(char('A' + (i - 1) / 10));
        p.number = zone + number2((i - 1) % 10 + 1);
        p.name = zone + QStringLiteral("区") + number2((i - 1) % 10 + 1) + QStringLiteral("号架");
        s.places.push_back(p.id);
        w.places.push_back(p);
    }
}

void buildStocks(World &w, int size)
{
    std::vector<int> groupIds;
    for (int g = 0; g < int(std::size(kStockGroups)); ++g) {
        TreeRecord r = tree(w, 5, number2(g + 1), QString::fromUtf8(kStockGroups[g]), 0, false);
        groupIds.push_back(r.id);
        w.treeRecords.push_back(r);
    }
    const int placesPerStock = std::min(40, 6 + size / 2000);
    int serial[std::size(kStockGroups)] = {};
    auto add = [&](const QString &name, int group, int typeId, StockRole role, bool places, bool second) {
        Stock s;
        s.id = w.allocateItemId();
        s.number = number2(group + 1) + QLatin1Char('.') + number2(++serial[group]);
        s.name = name;
        s.parentId = groupIds[size_t(group)];
        s.typeId = typeId;
        s.role = role;
        s.secondLedger = second;
        if (places)
            addPlaces(w, s, placesPerStock);
        w.treeRecords.push_back({s.id, 5, s.number, s.name, s.parentId, true});
        w.stocks.push_back(s);
    };
    for (int i = 0; i < int(std::size(kStocks)); ++i) {
        const StockSpec &spec = kStocks[i];
        add(QString::fromUtf8(spec.name), kStockGroupOf[i], spec.typeId, spec.role, spec.places, spec.secondLedger);
    }
    w.stocks[kUnauditedStock].unaudited = true;
    // larger demos spread their stock over more raw-material stocks
    for (int i = 0; i < size / 5000; ++i)
        add(QStringLiteral("原料%1号仓").arg(i + 3), 0, 500, StockRole::Normal, i % 2 == 0, false);
}

void buildPartners(World &w, int size)
{
    const char *const suppliers[] = {"东方五金贸易有限公司", "恒通金属材料公司", "新华电缆厂",      "绿源化工有限公司",
                                     "华芯电子科技公司",     "丰禾食品有限公司", "锦绣服饰有限公司"};
    int n = 0;
    for (const char *name : suppliers)
        w.suppliers.push_back(
            tree(w, 8, QStringLiteral("S%1").arg(++n, 3, 10, QLatin1Char('0')), QString::fromUtf8(name), 0, true));
    for (int i = 0; i < size / 5000; ++i, ++n)
        w.suppliers.push_back(tree(w, 8, QStringLiteral("S%1").arg(n + 1, 3, 10, QLatin1Char('0')),
                                   QStringLiteral("协作供应商%1").arg(i + 1), 0, true));

    const TreeRecord own = tree(w, 2038, QStringLiteral("01"), QStringLiteral("自有品牌"), 0, false);
    const TreeRecord partner = tree(w, 2038, QStringLiteral("02"), QStringLiteral("合作品牌"), 0, false);
    w.brands = {own, partner};
    const char *const brands[] = {"恒丰", "金鼎", "蓝鲸", "青松", "百川", "星河", "远航", "朗月"};
    for (int i = 0; i < int(std::size(brands)); ++i) {
        const TreeRecord &parent = i < 4 ? own : partner;
        w.brands.push_back(tree(w, 2038, parent.number + QLatin1Char('.') + number2(i % 4 + 1),
                                QString::fromUtf8(brands[i]), parent.id, true));
    }

    const TreeRecord daily = tree(w, 2037, QStringLiteral("01"), QStringLiteral("日用品"), 0, false);
    const TreeRecord industrial = tree(w, 2037, QStringLiteral("02"), QStringLiteral("工业品"), 0, false);
    w.categories = {daily, industrial};
    const char *const categories[] = {"饮料", "食品", "服饰", "五金", "化工", "电子", "材料"};
    for (int i = 0; i < int(std::size(categories)); ++i) {
        const TreeRecord &parent = i < 3 ? daily : industrial;
        w.categories.push_back(tree(w, 2037, parent.number + QLatin1Char('.') + number2(i < 3 ? i + 1 : i - 2),
                                    QString::fromUtf8(categories[i]), parent.id, true));
    }
}

// An EAN-13 code with a valid check digit.
QString barcode(DemoRandom &rng)
{
    QString code = QStringLiteral("69");
    for (int i = 0; i < 10; ++i)
        code += QChar(u'0' + rng.below(10));
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += (code.at(i).unicode() - u'0') * (i % 2 ? 3 : 1);
    return code + QChar(u'0' + (10 - sum % 10) % 10);
}

void setCycle(Item &it, DemoRandom &rng, const QDate &today)
{
    switch (rng.below(3)) {
    case 0:
        it.cycleUnit = 11603; // days
        it.cycle = rng.pick(std::initializer_list<int>{7, 14, 30});
        break;
    case 1:
        it.cycleUnit = 11602; // weeks, on a weekday
        it.cycle = rng.between(1, 2);
        it.daysPer = rng.between(1, 7);
        break;
    default:
        it.cycleUnit = 11601; // months, on a day of the month
        it.cycle = rng.pick(std::initializer_list<int>{1, 3});
        it.daysPer = rng.chance(0.2) ? 31 : rng.between(1, 28);
        break;
    }
    if (!rng.chance(0.15)) // some were never counted
        it.lastCheck = today.addDays(-rng.between(0, 120));
}

void setUnits(World &w, Item &it, const Family &f, DemoRandom &rng)
{
    const UnitGroup &group = w.groups[size_t(f.group)];
    it.unitGroup = f.group;
    it.baseUnit = group.units.front();
    // the stock unit is the base unit or a larger unit of the group
    it.storeUnit = it.baseUnit;
    if (rng.chance(0.3)) {
        const int candidate = group.units[size_t(rng.below(int(group.units.size())))];
        if (w.unit(candidate).coefficient >= 1)
            it.storeUnit = candidate;
    }
    if (rng.chance(f.secondary)) {
        const UnitGroup &sec = w.groups[kSecondaryGroup];
        it.secUnit = sec.units[size_t(rng.below(int(sec.units.size())))];
        it.secCoefficient = rng.pick(std::initializer_list<double>{2.5, 4, 12.5, 20, 25, 50});
    }
}

Item makeItem(World &w, DemoRandom &rng, int familyIndex, int seq, int parentId)
{
    const Family &f = kFamilies[familyIndex];
    Item it;
    it.id = w.allocateItemId();
    it.family = familyIndex;
    it.parentId = parentId;
    it.number = QString::fromLatin1(f.number) + QStringLiteral(".%1").arg(seq, 4, 10, QLatin1Char('0'));
    it.shortNumber = QString::fromLatin1(f.code) + QStringLiteral("%1").arg(seq, 4, 10, QLatin1Char('0'));
    it.helpCode = QString::fromLatin1(f.code).toLower() + QString::number(seq);
    const QString noun = QString::fromUtf8(rng.pick(f.nouns));
    it.name = QString::fromUtf8(rng.pick(f.adjectives)) + noun;
    it.model = QString::fromUtf8(rng.pick(f.models));
    it.qtyDecimal = f.decimals == 0 && rng.chance(0.05) ? 1 : (rng.chance(0.05) ? 4 : f.decimals);
    setUnits(w, it, f, rng);
    it.batch = rng.chance(f.batch);
    it.shelfLife = rng.chance(f.shelfLife);
    if (it.shelfLife)
        it.kfPeriod = rng.pick(std::initializer_list<int>{90, 180, 365, 720});
    if (rng.chance(f.aux))
        it.auxClass = rng.pick(kAuxClasses).classId;
    it.serial = !it.batch && rng.chance(f.serial);
    it.erpCls = rng.chance(0.03) ? rng.pick(std::initializer_list<int>{6, 8})
                                 : rng.pick(std::initializer_list<int>{1, 1, 2, 3});
    it.deleted = rng.chance(0.03);
    it.category = w.categories[size_t(2 + f.category)].id;
    if (rng.chance(0.7))
        it.brand = w.brands[size_t(2 + rng.below(int(w.brands.size()) - 2))].id;
    it.supplier = w.suppliers[size_t(rng.below(int(w.suppliers.size())))].id;
    if (rng.chance(f.barcode))
        it.barcode = barcode(rng);
    if (rng.chance(0.25))
        setCycle(it, rng, w.today);
    it.price = std::round((f.priceLo + rng.unit() * (f.priceHi - f.priceLo)) * 100) / 100;
    return it;
}

void buildItems(World &w, DemoRandom &rng, int count)
{
    // item tree: "1" materials, "2" semi-finished goods, "3" merchandise; families below
    const char *const roots[] = {"原材料", "半成品", "商品"};
    std::vector<int> rootIds;
    for (int r = 0; r < 3; ++r) {
        TreeRecord root = tree(w, 4, QString::number(r + 1), QString::fromUtf8(roots[r]), 0, false);
        rootIds.push_back(root.id);
        w.treeRecords.push_back(root);
    }
    std::vector<int> familyIds;
    for (const Family &f : kFamilies) {
        const int root = QString::fromLatin1(f.number).left(1).toInt() - 1;
        TreeRecord node =
            tree(w, 4, QString::fromLatin1(f.number), QString::fromUtf8(f.name), rootIds[size_t(root)], false);
        familyIds.push_back(node.id);
        w.treeRecords.push_back(node);
    }
    std::vector<int> seq(std::size(kFamilies), 0);
    for (int i = 0; i < count; ++i) {
        const int family = i < int(std::size(kFamilies)) ? i : rng.below(int(std::size(kFamilies)));
        w.items.push_back(makeItem(w, rng, family, ++seq[size_t(family)], familyIds[size_t(family)]));
    }
}

} // namespace

void buildMasterData(World &w, DemoRandom &rng, int size)
{
    buildUnits(w);
    buildAuxValues(w);
    buildStocks(w, size);
    buildPartners(w, size);
    buildItems(w, rng, std::max(int(std::size(kFamilies)) * 4, size / 4));
}

double familyQuantity(const Item &item, DemoRandom &rng)
{
    const Family &f = kFamilies[item.family];
    const double raw = f.qtyLo + rng.unit() * (f.qtyHi - f.qtyLo);
    const double scale = std::pow(10.0, item.qtyDecimal);
    return std::round(raw * scale) / scale;
}

int secondaryGroupIndex()
{
    return kSecondaryGroup;
}

} // namespace erp::demo
