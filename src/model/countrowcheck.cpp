#include "countrowcheck.h"

#include "host/numbers.h"
#include "host/texts.h"

namespace {

int sign(double v)
{
    return v > 0 ? 1 : (v < 0 ? -1 : 0);
}

} // namespace

RowCheck checkCountRow(const RowCheckFigures &v)
{
    // Decided on figures rounded to the row's places, so binary noise never flips a sign.
    const int d = v.decimals;
    const double book = roundQuantity(v.accountQty, d);
    const double actual = roundQuantity(v.baseActual, d);
    if (book < 0 && actual < book)
        return RowCheck::NegativeBook;
    const double a = roundQuantity(v.adjQty * v.coefficient + v.accountQty - v.baseActual, d);
    const double b = roundQuantity(v.secUnitQty + v.secAdjQty - v.secQtyAct, d);
    const bool accepted = (a != 0 || b == 0) && ((a == 0 && b == 0) || sign(a) + sign(b) != 0);
    return accepted ? RowCheck::Accepted : RowCheck::Direction;
}

QString rowCheckMessage(RowCheck check)
{
    switch (check) {
    case RowCheck::NegativeBook:
        return LoadText("账存数量为负且实存数量小于账存数量，盘点数据未能成功保存，请检查数据！");
    case RowCheck::Direction:
        return LoadText("基本单位与辅助计量单位盘盈盘亏方向不一致，盘点数据未能成功保存，请检查数据！");
    case RowCheck::Accepted:
        break;
    }
    return {};
}
