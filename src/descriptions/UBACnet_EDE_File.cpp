#include "UBACnet_EDE_File.h"

#include "Clock.h"
#include "DateUtils.h"
#include "UComon.h"
#include "UDescriptionFiles.h"

QString EDE_Device_Instance;
bool EDE_Long_Names = false;
int EDE_Instance_Counters[Ede_Type_Count] = {};

namespace {

struct TObjectType {
    const char* Text;
    int Code;
};

const TObjectType Object_Types[Ede_Type_Count] = {
    {"ANALOG INPUT", 0},        {"ANALOG OUT", 1},          {"ANALOG VALUE", 2},
    {"BINARY INPUT", 3},        {"BINARY OUT", 4},          {"BINARY VALUE", 5},
    {"MULTI STATE INPUT", 13},  {"MULTI STATE OUTPUT", 14}, {"MULTI STATE VALUE", 19},
    {"LIFE SAFETY POINT", 21},  {"LIFE SAFETY ZONE", 22},   {"ACCUMULATOR", 23},
    {"ACCESS DOOR", 30},        {"CHARACTERSTRING VALUE", 40}, {"DATETIME VALUE", 44},
    {"INTEGER VALUE", 45},      {"LARGE ANALOG VALUE", 46}, {"POSITIVE INTEGER VALUE", 48},
};

const QString Empty_Fields = QStringLiteral(";;;;;;");

}  // namespace

void ClearEdeCounters()
{
    std::fill(std::begin(EDE_Instance_Counters), std::end(EDE_Instance_Counters), 0);
}

void LoadEdeDevice()
{
    EDE_Device_Instance.clear();
    EDE_Long_Names = false;
    const TProjectInput parGen(ParGen_File);
    const bool serial = parGen.IntOr(QStringLiteral("BACnet_Type"), 0) == 1;
    EDE_Device_Instance =
        parGen.ValueOr(serial ? QStringLiteral("BACnet_Ser_DEV_IDE") : QStringLiteral("BACnet_DEV_IDE"), QString());
    EDE_Long_Names = parGen.Value(QStringLiteral("BACnet_Desc_Chars_Limit")) == QStringLiteral("1");
}

int BacnetObjectTypeCode(const QString& dataType)
{
    const QString key = dataType.trimmed().toUpper();
    for (const TObjectType& t : Object_Types)
        if (key == QLatin1String(t.Text)) return t.Code;
    return 0;
}

int NextEdeInstance(int code)
{
    for (int i = 0; i < Ede_Type_Count; ++i)
        if (Object_Types[i].Code == code) return EDE_Instance_Counters[i]++;
    return 0;
}

std::vector<TBACnet_EDE_Obj> LoadEdeObjects()
{
    std::vector<TBACnet_EDE_Obj> objects;
    const TProjectInput table(BACnet_Slave_File);
    for (const QString& section : {QStringLiteral("BACnet_in_Read"), QStringLiteral("BACnet_in_Write")}) {
        for (const TXmlNode& row : table.Rows(section)) {
            const QString mnemonic = RowText(row, QStringLiteral("Mnemonic"));
            const int code = BacnetObjectTypeCode(RowText(row, QStringLiteral("Data_Type")));
            TBACnet_EDE_Obj o;
            o.DevObjInstance = EDE_Device_Instance;
            o.ObjectName = mnemonic.left(EDE_Long_Names ? 32 : 16);
            o.ObjectType = QString::number(code);
            o.ObjectInstance = QString::number(NextEdeInstance(code));
            o.Keyname = EDE_Device_Instance + u'_' + mnemonic + u'_' + o.ObjectInstance;
            o.Description = o.ObjectName;
            o.UnitCode = RowText(row, QStringLiteral("Eng_Unit"));
            objects.push_back(std::move(o));
        }
    }
    return objects;
}

QString EdeTimestamp()
{
    // The separators are the list's own, not the regional ones.
    const TDateTime now = Now();
    int y, mo, d, h, mi, s, ms;
    DecodeDate(now, y, mo, d);
    DecodeTime(now, h, mi, s, ms);
    auto two = [](int v) { return QString::number(v).rightJustified(2, u'0'); };
    return two(h) + u':' + two(mi) + u':' + two(s) + u' ' + two(d) + u'/' + two(mo) + u'/' + QString::number(y);
}

QStringList EdeLines(const std::vector<TBACnet_EDE_Obj>& objects)
{
    QStringList out;
    out << QStringLiteral("PROJECT_NAME; ") + Vendor_Name + QStringLiteral("--") + Project_Name + Empty_Fields
        << QStringLiteral("VERSION_OF_REFERENCEFILE;1.0;;;;;;")
        << QStringLiteral("TIMESTAMP_OF_LAST_CHANGE;") + EdeTimestamp() + Empty_Fields
        << QStringLiteral("AUTHOR_OF_LAST_CHANGE;") + Vendor_Name + Empty_Fields
        << QStringLiteral("VERSION_OF_LAYOUT;2;;;;;;")
        << QStringLiteral("# mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;")
        << QStringLiteral(
               "# keyname;device obj.-instance;object-name;object-type;object-instance;description;unit-code;");
    for (const TBACnet_EDE_Obj& o : objects) {
        QString line;
        for (const QString* f : {&o.Keyname, &o.DevObjInstance, &o.ObjectName, &o.ObjectType, &o.ObjectInstance,
                                 &o.Description, &o.UnitCode})
            line += *f + u';';
        out << line;
    }
    return out;
}

bool WriteEdeLines(const QString& name, const std::vector<TBACnet_EDE_Obj>& objects)
{
    return GenerateDescriptionFile(name, TTextEncoding::Ansi, [&] { return EdeLines(objects); });
}

bool BuildEdeFile(const QString& name)
{
    std::vector<TBACnet_EDE_Obj> objects;
    try {
        ClearEdeCounters();
        LoadEdeDevice();
        objects = LoadEdeObjects();
    } catch (const EDescriptionInput& e) {
        ShowDescriptionError(e.Message());
        return false;
    }
    return WriteEdeLines(name, objects);
}

bool WriteEdeFile(const QString& name)
{
    return BuildEdeFile(name);
}

QString EdeFileName(const QString& chosen)
{
    return chosen.right(4).toUpper() == QStringLiteral(".CSV") ? chosen : chosen + QStringLiteral(".csv");
}
