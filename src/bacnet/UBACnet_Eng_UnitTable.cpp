// The engineering units by category, in the order the picker lists them.
// The texts are the same in every language.
#include "bacnet/UBACnet_Eng_Unit.h"

#include <iterator>

namespace {

const TBACnet_Eng_Unit_Entry Acceleration[] = {
    {166, "meters-per-second-per-second", nullptr},
};
const TBACnet_Eng_Unit_Entry Area[] = {
    {0, "square-meters", nullptr}, {116, "square-centimeters", nullptr}, {1, "square-feet", nullptr},
    {115, "square-inches", nullptr},
};
const TBACnet_Eng_Unit_Entry Currency[] = {
    {105, "currency1", nullptr}, {106, "currency2", nullptr}, {107, "currency3", nullptr}, {108, "currency4", nullptr},
    {109, "currency5", nullptr}, {110, "currency6", nullptr}, {111, "currency7", nullptr}, {112, "currency8", nullptr},
    {113, "currency9", nullptr}, {114, "currency10", nullptr},
};
const TBACnet_Eng_Unit_Entry Electrical[] = {
    {2, "milliamperes", nullptr}, {3, "amperes", nullptr}, {167, "amperes-per-meter", nullptr},
    {168, "amperes-per-square-meter", nullptr}, {169, "ampere-square-meters", nullptr}, {199, "decibels", nullptr},
    {200, "decibels-millivolt", nullptr}, {201, "decibels-volt", nullptr}, {170, "farads", nullptr},
    {171, "henrys", nullptr}, {4, "ohms", nullptr}, {172, "ohms-meters", "ohm-meters"}, {145, "milliohms", nullptr},
    {122, "kilohms", nullptr}, {123, "megohms", nullptr}, {190, "microsiemens", nullptr},
    {202, "millisiemens", nullptr}, {173, "siemens", nullptr}, {174, "siemens-per-meter", nullptr},
    {175, "teslas", nullptr}, {5, "volts", nullptr}, {124, "millivolts", nullptr}, {6, "kilovolts", nullptr},
    {7, "megavolts", nullptr}, {8, "volt-amperes", nullptr}, {9, "kilovolt-amperes", nullptr},
    {10, "megavolt-amperes", nullptr}, {11, "volt-amperes-reactive", nullptr},
    {12, "kilovolt-amperes-reactive", nullptr}, {13, "megavolt-amperes-reactive", nullptr},
    {176, "volts-per-degree-Kelvin", nullptr}, {177, "volts-per-meter", nullptr}, {14, "degrees-phase", nullptr},
    {15, "power-factor", nullptr}, {178, "webers", nullptr},
};
const TBACnet_Eng_Unit_Entry Energy[] = {
    {16, "joules", nullptr}, {17, "kilojoules", nullptr}, {125, "kilojoules-per-kilogram", nullptr},
    {126, "megajoules", nullptr}, {18, "watt-hours", nullptr}, {19, "kilowatt-hours", nullptr},
    {146, "megawatt-hours", nullptr}, {203, "watt-hours-reactive", nullptr}, {204, "kilowatt-hours-reactive", nullptr},
    {205, "megawatt-hours-reactive", nullptr}, {20, "btus", nullptr}, {147, "kilo-btus", nullptr},
    {148, "mega-btus", nullptr}, {21, "therms", nullptr}, {22, "ton-hours", nullptr},
};
const TBACnet_Eng_Unit_Entry Enthalpy[] = {
    {23, "joules-per-kilogram-dry-air", nullptr}, {149, "kilojoules-per-kilogram-dry-air", nullptr},
    {150, "megajoules-per-kilogram-dry-air", nullptr}, {24, "btus-per-pound-dry-air", nullptr},
    {117, "btus-per-pound", nullptr},
};
const TBACnet_Eng_Unit_Entry Entropy[] = {
    {127, "joules-per-degree-Kelvin", nullptr}, {151, "kilojoules-per-degree-Kelvin", nullptr},
    {152, "megajoules-per-degree-Kelvin", nullptr}, {128, "btus-per-kilogram-degree-Kelvin", nullptr},
};
const TBACnet_Eng_Unit_Entry Force[] = {
    {153, "newton", nullptr},
};
const TBACnet_Eng_Unit_Entry Frequency[] = {
    {25, "cycles-per-hour", nullptr}, {26, "cycles-per-minute", nullptr}, {27, "hertz", nullptr},
    {129, "kilohertz", nullptr}, {130, "megahertz", nullptr}, {131, "per-hour", nullptr},
};
const TBACnet_Eng_Unit_Entry Humidity[] = {
    {28, "grams-of-water-per-kilogram-dry-air", nullptr}, {29, "percent-relative-humidity", nullptr},
};
const TBACnet_Eng_Unit_Entry Length[] = {
    {194, "micrometers", nullptr}, {30, "millimeters", nullptr}, {118, "centimeters", nullptr},
    {193, "kilometers", nullptr}, {31, "meters", nullptr}, {32, "inches", nullptr}, {33, "feet", nullptr},
};
const TBACnet_Eng_Unit_Entry Light[] = {
    {179, "candelas", nullptr}, {180, "candelas-per-square-meter", nullptr}, {34, "watts-per-square-foot", nullptr},
    {35, "watts-per-square-meter", nullptr}, {36, "lumens", nullptr}, {37, "luxes", nullptr},
    {38, "foot-candles", nullptr},
};
const TBACnet_Eng_Unit_Entry Mass[] = {
    {196, "milligrams", nullptr}, {195, "grams", nullptr}, {39, "kilograms", nullptr}, {40, "pounds-mass", nullptr},
    {41, "tons", nullptr},
};
const TBACnet_Eng_Unit_Entry Mass_Flow[] = {
    {154, "grams-per-second", nullptr}, {155, "grams-per-minute", nullptr}, {42, "kilograms-per-second", nullptr},
    {43, "kilograms-per-minute", nullptr}, {44, "kilograms-per-hour", nullptr},
    {119, "pounds-mass-per-second", nullptr}, {45, "pounds-mass-per-minute", nullptr},
    {46, "pounds-mass-per-hour", nullptr}, {156, "tons-per-hour", nullptr},
};
const TBACnet_Eng_Unit_Entry Power[] = {
    {132, "milliwatts", nullptr}, {47, "watts", nullptr}, {48, "kilowatts", nullptr}, {49, "megawatts", nullptr},
    {50, "btus-per-hour", nullptr}, {157, "kilo-btus-per-hour", nullptr}, {51, "housepower", nullptr},
    {52, "tons-refrigeration", nullptr},
};
const TBACnet_Eng_Unit_Entry Pressure[] = {
    {53, "pascals", nullptr}, {133, "hectopascals", nullptr}, {54, "kilopascals", nullptr},
    {134, "millibars", nullptr}, {55, "bars", nullptr}, {56, "pounds-force-per-square-inch", nullptr},
    {206, "millimeters-of-water", nullptr}, {57, "centimeters-of-water", nullptr}, {58, "inches-of-water", nullptr},
    {59, "millimeters-of-mercury", nullptr}, {60, "centimeters-of-mercury", nullptr},
    {61, "inches-of-mercury", nullptr},
};
const TBACnet_Eng_Unit_Entry Temperature[] = {
    {62, "degrees-Celsius", nullptr}, {63, "degrees-Kelvin", nullptr}, {181, "degrees-Kelvin-per-hour", nullptr},
    {182, "degrees-Kelvin-per-minute", nullptr}, {64, "degrees-Fahrenheit", nullptr},
    {65, "degree-days-Celsius", nullptr}, {66, "degree-days-Fahrenheit", nullptr},
    {120, "delta-degrees-Fahrenheit", nullptr}, {121, "delta-degrees-Kelvin", nullptr},
};
const TBACnet_Eng_Unit_Entry Time[] = {
    {67, "years", nullptr}, {68, "months", nullptr}, {69, "weeks", nullptr}, {70, "days", nullptr},
    {71, "hours", nullptr}, {72, "minutes", nullptr}, {73, "seconds", nullptr},
    {158, "hundredths-seconds", nullptr}, {159, "milliseconds", nullptr},
};
const TBACnet_Eng_Unit_Entry Torque[] = {
    {160, "newton-meters", nullptr},
};
const TBACnet_Eng_Unit_Entry Velocity[] = {
    {161, "millimeters-per-second", nullptr}, {162, "millimeters-per-minute", nullptr},
    {74, "meters-per-second", nullptr}, {163, "meters-per-minute", nullptr}, {164, "meters-per-hour", nullptr},
    {75, "kilometers-per-hour", nullptr}, {76, "feet-per-second", nullptr}, {77, "feet-per-meters", nullptr},
    {78, "miles-per-hour", nullptr},
};
const TBACnet_Eng_Unit_Entry Volume[] = {
    {79, "cubic-feet", nullptr}, {80, "cubic-meters", nullptr}, {81, "imperial-gallons", nullptr},
    {197, "milliliters", nullptr}, {82, "liters", nullptr}, {83, "us-gallons", nullptr},
};
const TBACnet_Eng_Unit_Entry Volumetric_Flow[] = {
    {142, "cubic-feet-per-second", nullptr}, {84, "cubic-feet-per-minute", nullptr},
    {191, "cubic-feet-per-hour", nullptr}, {85, "cubic-meters-per-second", nullptr},
    {165, "cubic-meters-per-minute", nullptr}, {135, "cubic-meters-per-hour", nullptr},
    {86, "imperial-gallons-per-minute", nullptr}, {198, "milliliters-per-second", nullptr},
    {87, "liters-per-second", nullptr}, {88, "liters-per-minute", nullptr}, {136, "liters-per-hour", nullptr},
    {89, "us-gallons-per-minute", nullptr}, {192, "us-gallons-per-hour", nullptr},
};
const TBACnet_Eng_Unit_Entry Other[] = {
    {90, "degrees-angular", nullptr}, {91, "degrees-Celsius-per-hour", nullptr},
    {92, "degrees-Celsius-per-minute", nullptr}, {93, "degrees-Fahrenheit-per-hour", nullptr},
    {94, "degrees-Fahrenheit-per-minute", nullptr}, {183, "joule-seconds", nullptr},
    {186, "kilograms-per-cubic-meter", nullptr}, {137, "kilowatt-hours-per-square-meter", nullptr},
    {138, "kilowatt-hours-per-square-foot", nullptr},
    {139, "megajoules-per-square-meter", "megajoules-hours-per-square-meter"},
    {140, "megajoules-per-square-foot", "megajoules-hours-per-square-foot"}, {95, "no-units", nullptr},
    {187, "newton-seconds", nullptr}, {188, "newtons-per-meter", nullptr}, {96, "parts-per-million", nullptr},
    {97, "parts-per-billion", nullptr}, {98, "percent", nullptr}, {143, "percent-obscuration-per-foot", nullptr},
    {144, "percent-obscuration-per-meter", nullptr}, {99, "percent-per-second", nullptr},
    {100, "per-minute", nullptr}, {101, "per-second", nullptr}, {102, "psi-per-degree-Fahrenheit", nullptr},
    {103, "radiants", nullptr}, {184, "radians-per-second", nullptr}, {104, "revolutions-per-minute", nullptr},
    {185, "square-meters-per-Newton", nullptr}, {189, "watts-per-meter-per-degree-Kelvin", nullptr},
    {141, "watts-per-square-meter-degree-kelvin", nullptr}, {207, "per-mille", nullptr},
    {208, "grams-per-gram", nullptr}, {209, "kilograms-per-kilogram", nullptr}, {210, "grams-per-kilogram", nullptr},
    {211, "milligrams-per-gram", nullptr}, {212, "milligrams-per-kilogram", nullptr},
    {213, "grams-per-milliliter", nullptr}, {214, "grams-per-liter", nullptr}, {215, "milligrams-per-liter", nullptr},
    {216, "micrograms-per-liter", nullptr}, {217, "grams-per-cubic-meter", nullptr},
    {218, "milligrams-per-cubic-meter", nullptr}, {219, "micrograms-per-cubic-meter", nullptr},
    {220, "nanograms-per-cubic-meter", nullptr}, {221, "grams-per-cubic-centimeter", nullptr},
    {222, "becquerels", nullptr}, {223, "kilobecquerels", nullptr}, {224, "megabecquerels", nullptr},
    {225, "gray", nullptr}, {226, "milligray", nullptr}, {227, "microgray", nullptr}, {228, "sieverts", nullptr},
    {229, "millisieverts", nullptr}, {230, "microsieverts", nullptr}, {231, "microsieverts-per-hour", nullptr},
    {232, "decibels-a", nullptr}, {233, "nephelometric-turbidity-unit", nullptr}, {234, "pH", nullptr},
    {235, "grams-per-square-meter", nullptr}, {236, "minutes-per-degree-kelvin", nullptr},
};

#define CATEGORY(name, units) {name, units, std::size(units)}

} // namespace

const TBACnet_Eng_Unit_Category BACnet_Eng_Unit_Categories[] = {
    CATEGORY("Acceleration", Acceleration), CATEGORY("Area", Area), CATEGORY("Currency", Currency),
    CATEGORY("Electrical", Electrical), CATEGORY("Energy", Energy), CATEGORY("Enthalpy", Enthalpy),
    CATEGORY("Entropy", Entropy), CATEGORY("Force", Force), CATEGORY("Frequency", Frequency),
    CATEGORY("Humidity", Humidity), CATEGORY("Length", Length), CATEGORY("Light", Light), CATEGORY("Mass", Mass),
    CATEGORY("Mass Flow", Mass_Flow), CATEGORY("Power", Power), CATEGORY("Pressure", Pressure),
    CATEGORY("Temperature", Temperature), CATEGORY("Time", Time), CATEGORY("Torque", Torque),
    CATEGORY("Velocity", Velocity), CATEGORY("Volume", Volume), CATEGORY("Volumetric Flow", Volumetric_Flow),
    CATEGORY("Other", Other),
};

const std::size_t BACnet_Eng_Unit_Category_Count = std::size(BACnet_Eng_Unit_Categories);
