#include "UBACnet_Eng_UnitNames.h"

#include <array>

namespace {

// The engineering units of BACnet by code, as the device description files
// and the picker show them. The temperature scales and the newton of one
// unit are written with a capital; a few names keep the spelling the
// gateway's earlier versions used, which stored projects and the files made
// from them already carry.
constexpr std::array<const char*, BACnetEngUnitLast + 1> EngUnitNames = {
    "square-meters",                          // 0
    "square-feet",
    "milliamperes",
    "amperes",
    "ohms",
    "volts",                                  // 5
    "kilovolts",
    "megavolts",
    "volt-amperes",
    "kilovolt-amperes",
    "megavolt-amperes",                       // 10
    "volt-amperes-reactive",
    "kilovolt-amperes-reactive",
    "megavolt-amperes-reactive",
    "degrees-phase",
    "power-factor",                           // 15
    "joules",
    "kilojoules",
    "watt-hours",
    "kilowatt-hours",
    "btus",                                   // 20
    "therms",
    "ton-hours",
    "joules-per-kilogram-dry-air",
    "btus-per-pound-dry-air",
    "cycles-per-hour",                        // 25
    "cycles-per-minute",
    "hertz",
    "grams-of-water-per-kilogram-dry-air",
    "percent-relative-humidity",
    "millimeters",                            // 30
    "meters",
    "inches",
    "feet",
    "watts-per-square-foot",
    "watts-per-square-meter",                 // 35
    "lumens",
    "luxes",
    "foot-candles",
    "kilograms",
    "pounds-mass",                            // 40
    "tons",
    "kilograms-per-second",
    "kilograms-per-minute",
    "kilograms-per-hour",
    "pounds-mass-per-minute",                 // 45
    "pounds-mass-per-hour",
    "watts",
    "kilowatts",
    "megawatts",
    "btus-per-hour",                          // 50
    "housepower",
    "tons-refrigeration",
    "pascals",
    "kilopascals",
    "bars",                                   // 55
    "pounds-force-per-square-inch",
    "centimeters-of-water",
    "inches-of-water",
    "millimeters-of-mercury",
    "centimeters-of-mercury",                 // 60
    "inches-of-mercury",
    "degrees-Celsius",
    "degrees-Kelvin",
    "degrees-Fahrenheit",
    "degree-days-Celsius",                    // 65
    "degree-days-Fahrenheit",
    "years",
    "months",
    "weeks",
    "days",                                   // 70
    "hours",
    "minutes",
    "seconds",
    "meters-per-second",
    "kilometers-per-hour",                    // 75
    "feet-per-second",
    "feet-per-meters",
    "miles-per-hour",
    "cubic-feet",
    "cubic-meters",                           // 80
    "imperial-gallons",
    "liters",
    "us-gallons",
    "cubic-feet-per-minute",
    "cubic-meters-per-second",                // 85
    "imperial-gallons-per-minute",
    "liters-per-second",
    "liters-per-minute",
    "us-gallons-per-minute",
    "degrees-angular",                        // 90
    "degrees-Celsius-per-hour",
    "degrees-Celsius-per-minute",
    "degrees-Fahrenheit-per-hour",
    "degrees-Fahrenheit-per-minute",
    "no-units",                               // 95
    "parts-per-million",
    "parts-per-billion",
    "percent",
    "percent-per-second",
    "per-minute",                             // 100
    "per-second",
    "psi-per-degree-Fahrenheit",
    "radiants",
    "revolutions-per-minute",
    "currency1",                              // 105
    "currency2",
    "currency3",
    "currency4",
    "currency5",
    "currency6",                              // 110
    "currency7",
    "currency8",
    "currency9",
    "currency10",
    "square-inches",                          // 115
    "square-centimeters",
    "btus-per-pound",
    "centimeters",
    "pounds-mass-per-second",
    "delta-degrees-Fahrenheit",               // 120
    "delta-degrees-Kelvin",
    "kilohms",
    "megohms",
    "millivolts",
    "kilojoules-per-kilogram",                // 125
    "megajoules",
    "joules-per-degree-Kelvin",
    "btus-per-kilogram-degree-Kelvin",
    "kilohertz",
    "megahertz",                              // 130
    "per-hour",
    "milliwatts",
    "hectopascals",
    "millibars",
    "cubic-meters-per-hour",                  // 135
    "liters-per-hour",
    "kilowatt-hours-per-square-meter",
    "kilowatt-hours-per-square-foot",
    "megajoules-hours-per-square-meter",
    "megajoules-hours-per-square-foot",       // 140
    "watts-per-square-meter-degree-kelvin",
    "cubic-feet-per-second",
    "percent-obscuration-per-foot",
    "percent-obscuration-per-meter",
    "milliohms",                              // 145
    "megawatt-hours",
    "kilo-btus",
    "mega-btus",
    "kilojoules-per-kilogram-dry-air",
    "megajoules-per-kilogram-dry-air",        // 150
    "kilojoules-per-degree-Kelvin",
    "megajoules-per-degree-Kelvin",
    "newton",
    "grams-per-second",
    "grams-per-minute",                       // 155
    "tons-per-hour",
    "kilo-btus-per-hour",
    "hundredths-seconds",
    "milliseconds",
    "newton-meters",                          // 160
    "millimeters-per-second",
    "millimeters-per-minute",
    "meters-per-minute",
    "meters-per-hour",
    "cubic-meters-per-minute",                // 165
    "meters-per-second-per-second",
    "amperes-per-meter",
    "amperes-per-square-meter",
    "ampere-square-meters",
    "farads",                                 // 170
    "henrys",
    "ohm-meters",
    "siemens",
    "siemens-per-meter",
    "teslas",                                 // 175
    "volts-per-degree-Kelvin",
    "volts-per-meter",
    "webers",
    "candelas",
    "candelas-per-square-meter",              // 180
    "degrees-Kelvin-per-hour",
    "degrees-Kelvin-per-minute",
    "joule-seconds",
    "radians-per-second",
    "square-meters-per-Newton",               // 185
    "kilograms-per-cubic-meter",
    "newton-seconds",
    "newtons-per-meter",
    "watts-per-meter-per-degree-Kelvin",
    "microsiemens",                           // 190
    "cubic-feet-per-hour",
    "us-gallons-per-hour",
    "kilometers",
    "micrometers",
    "grams",                                  // 195
    "milligrams",
    "milliliters",
    "milliliters-per-second",
    "decibels",
    "decibels-millivolt",                     // 200
    "decibels-volt",
    "millisiemens",
    "watt-hours-reactive",
    "kilowatt-hours-reactive",
    "megawatt-hours-reactive",                // 205
    "millimeters-of-water",
    "per-mille",
    "grams-per-gram",
    "kilograms-per-kilogram",
    "grams-per-kilogram",                     // 210
    "milligrams-per-gram",
    "milligrams-per-kilogram",
    "grams-per-milliliter",
    "grams-per-liter",
    "milligrams-per-liter",                   // 215
    "micrograms-per-liter",
    "grams-per-cubic-meter",
    "milligrams-per-cubic-meter",
    "micrograms-per-cubic-meter",
    "nanograms-per-cubic-meter",              // 220
    "grams-per-cubic-centimeter",
    "becquerels",
    "kilobecquerels",
    "megabecquerels",
    "gray",                                   // 225
    "milligray",
    "microgray",
    "sieverts",
    "millisieverts",
    "microsieverts",                          // 230
    "microsieverts-per-hour",
    "decibels-a",
    "nephelometric-turbidity-unit",
    "pH",
    "grams-per-square-meter",                 // 235
    "minutes-per-degree-kelvin",
};

// A category's list: single codes and rising ranges ({first, last}).
struct EngUnitRange {
    int First;
    int Last;
};

struct EngUnitCategoryRow {
    const char* Name;
    std::vector<EngUnitRange> Ranges;
};

// Items listed under a text of their own instead of the code's name.
struct EngUnitListText {
    int Code;
    const char* Text;
};
constexpr EngUnitListText EngUnitListTexts[] = {
    {172, "ohms-meters"},
    {139, "megajoules-per-square-meter"},
    {140, "megajoules-per-square-foot"},
    {207, "per-mille"},
};

std::vector<TBACnetUnitCategory> BuildEngUnitCategories()
{
    const EngUnitCategoryRow rows[] = {
        {"Acceleration", {{166, 166}}},
        {"Area", {{0, 0}, {116, 116}, {1, 1}, {115, 115}}},
        {"Currency", {{105, 114}}},
        {"Electrical", {{2, 3}, {167, 169}, {199, 201}, {170, 171}, {4, 4}, {172, 172}, {145, 145},
                        {122, 123}, {190, 190}, {202, 202}, {173, 175}, {5, 5}, {124, 124}, {6, 13},
                        {176, 177}, {14, 15}, {178, 178}}},
        {"Energy", {{16, 17}, {125, 126}, {18, 19}, {146, 146}, {203, 205}, {20, 20}, {147, 148}, {21, 22}}},
        {"Enthalpy", {{23, 23}, {149, 150}, {24, 24}, {117, 117}}},
        {"Entropy", {{127, 127}, {151, 152}, {128, 128}}},
        {"Force", {{153, 153}}},
        {"Frequency", {{25, 27}, {129, 131}}},
        {"Humidity", {{28, 29}}},
        {"Length", {{194, 194}, {30, 30}, {118, 118}, {193, 193}, {31, 33}}},
        {"Light", {{179, 180}, {34, 38}}},
        {"Mass", {{196, 196}, {195, 195}, {39, 41}}},
        {"Mass Flow", {{154, 155}, {42, 44}, {119, 119}, {45, 46}, {156, 156}}},
        {"Power", {{132, 132}, {47, 50}, {157, 157}, {51, 52}}},
        {"Pressure", {{53, 53}, {133, 133}, {54, 54}, {134, 134}, {55, 56}, {206, 206}, {57, 61}}},
        {"Temperature", {{62, 63}, {181, 182}, {64, 66}, {120, 121}}},
        {"Time", {{67, 73}, {158, 159}}},
        {"Torque", {{160, 160}}},
        {"Velocity", {{161, 162}, {74, 74}, {163, 164}, {75, 78}}},
        {"Volume", {{79, 81}, {197, 197}, {82, 83}}},
        {"Volumetric Flow", {{142, 142}, {84, 84}, {191, 191}, {85, 85}, {165, 165}, {135, 135}, {86, 86},
                             {198, 198}, {87, 88}, {136, 136}, {89, 89}, {192, 192}}},
        {"Other", {{90, 94}, {183, 183}, {186, 186}, {137, 140}, {95, 95}, {187, 188}, {96, 98}, {143, 144},
                   {99, 103}, {184, 184}, {104, 104}, {185, 185}, {189, 189}, {141, 141}, {207, 236}}},
    };
    std::vector<TBACnetUnitCategory> out;
    for (const EngUnitCategoryRow& row : rows) {
        TBACnetUnitCategory category{QString::fromLatin1(row.Name), {}};
        for (const EngUnitRange& range : row.Ranges)
            for (int code = range.First; code <= range.Last; ++code) {
                QString text = Desc_Unit(code);
                for (const EngUnitListText& own : EngUnitListTexts)
                    if (own.Code == code) text = QString::fromLatin1(own.Text);
                category.Units.push_back({code, text});
            }
        out.push_back(std::move(category));
    }
    return out;
}

}  // namespace

QString Desc_Unit(int Num_Unit)
{
    if (Num_Unit < 0 || Num_Unit > BACnetEngUnitLast)
        return QStringLiteral("unknown");
    return QString::fromLatin1(EngUnitNames[size_t(Num_Unit)]);
}

const std::vector<TBACnetUnitCategory>& BACnetUnitCategories()
{
    static const std::vector<TBACnetUnitCategory> categories = BuildEngUnitCategories();
    return categories;
}
