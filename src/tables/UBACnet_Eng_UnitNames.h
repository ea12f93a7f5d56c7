#pragma once
// The BACnet engineering units: the name of every unit code and the
// categories the unit picker offers them in. Names and category names are
// fixed texts, never translated.

#include <QString>
#include <vector>

// The highest unit code that has a name.
constexpr int BACnetEngUnitLast = 236;

// The name of a unit code; "unknown" for any code outside 0 .. 236.
QString Desc_Unit(int Num_Unit);

// One item of a category's unit list: the code and the text the list shows
// (the code's name, except for a few items listed under their own text).
struct TBACnetUnitItem {
    int Code;
    QString Text;
};

struct TBACnetUnitCategory {
    QString Name;
    std::vector<TBACnetUnitItem> Units;  // in list order
};

// The 23 categories in list order; together they list every code once.
const std::vector<TBACnetUnitCategory>& BACnetUnitCategories();
