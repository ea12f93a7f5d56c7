#include "UEds.h"

#include "Clock.h"
#include "DateUtils.h"
#include "UComon.h"
#include "UDescriptionFiles.h"

#include <algorithm>

TPdoEntry PDO_Table[2 * Pdo_Max_Per_Direction];
int RPDO_Count = 0;
int TPDO_Count = 0;
std::vector<SDO_Index> SDO_Indexes;
QStringList EDS_Lines;

namespace {

const char* const Receive_Stems[Pdo_Max_Per_Direction] = {
    "b",  "c",  "d",  "e",  "f",  "g",  "h",  "j",  "k",  "i",  "aa", "ab", "ac", "ad", "ae",
    "af", "ag", "ah", "ai", "al", "am", "an", "ao", "ap", "aq", "ar", "as", "at", "au", "av"};
const char* const Transmit_Stems[Pdo_Max_Per_Direction] = {
    "l",  "m",  "n",  "o",  "p",  "q",  "r",  "s",  "t",  "u",  "ca", "cb", "cc", "cd", "ce",
    "cf", "cg", "ch", "ci", "cl", "cm", "cn", "co", "cp", "cq", "cr", "cs", "ct", "cu", "cv"};

const QString Product_Name = QStringLiteral("R7arir / CANopen - Converter");

// Upper-case hexadecimal with at least `digits` digits.
QString Hex(uint32_t v, int digits)
{
    return QString::number(v, 16).toUpper().rightJustified(digits, u'0');
}

QString Section(uint32_t index)
{
    return u'[' + Hex(index, 4) + u']';
}

QString SubSection(uint32_t index, uint32_t sub)
{
    return u'[' + Hex(index, 4) + QStringLiteral("sub") + Hex(sub, 1) + u']';
}

// One fixed object: a null pointer leaves the key out.
struct TFixedObject {
    const char* Section;
    const char* SubNumber;
    const char* ParameterName;
    const char* ObjectType;
    const char* DataType;
    const char* AccessType;
    const char* DefaultValue;
    const char* PDOMapping;
};

const TFixedObject Fixed_Objects[] = {
    {"[1000]", nullptr, "Device Type", "0x07", "0x0007", "const", "0x000101A4", "0"},
    {"[1001]", nullptr, "Error Register", "0x07", "0x0005", "ro", "0x00", "0"},
    {"[1005]", nullptr, "COB-ID SYNC", "0x07", "0x0007", "rw", "0x80000080", "0"},
    {"[1006]", nullptr, "Communication Cycle Period", "0x07", "0x0007", "rw", "0x00000000", "0"},
    {"[1008]", nullptr, "Manufacturer Device Name", "0x07", "0x0009", "const", "s1", "0"},
    {"[1014]", nullptr, "COB-ID EMCY", "0x07", "0x0007", "ro", "$NODEID+0x80", "0"},
    {"[1016]", "3", "Heartbeat Consumer Entries", "0x08", nullptr, nullptr, nullptr, nullptr},
    {"[1016sub0]", nullptr, "Number of Entries", "0x07", "0x0005", "ro", "0x02", "0"},
    {"[1016sub1]", nullptr, "Consumer Heartbeat Time 1", "0x07", "0x0007", "rw", "0x00000000", "0"},
    {"[1016sub2]", nullptr, "Consumer Heartbeat Time 2", "0x07", "0x0007", "rw", "0x00000000", "0"},
    {"[1017]", nullptr, "Producer Heartbeat Time", "0x07", "0x0006", "rw", "0x000003E8", "0"},
    {"[1018]", "5", "Identity Object", "0x09", nullptr, nullptr, nullptr, nullptr},
    {"[1018sub0]", nullptr, "number of entries", "0x07", "0x0005", "ro", "0x4", "0"},
    {"[1018sub1]", nullptr, "Vendor Id", "0x07", "0x0007", "ro", nullptr, "0"},
    {"[1018sub2]", nullptr, "Product Code", "0x07", "0x0007", "ro", nullptr, "0"},
    {"[1018sub3]", nullptr, "Revision number", "0x07", "0x0007", "ro", nullptr, "0"},
    {"[1018sub4]", nullptr, "Serial number", "0x07", "0x0007", "ro", nullptr, "0"},
    {"[1029]", "2", "Error Behaviour", "0x08", nullptr, nullptr, nullptr, nullptr},
    {"[1029sub0]", nullptr, "Number of Entries", "0x07", "0x0005", "ro", "1", "0"},
    {"[1029sub1]", nullptr, "Communication Error", "0x07", "0x0005", "rw", "0x0", "0"},
    {"[1280]", "4", "Client SDO Parameter 1", "0x09", nullptr, nullptr, nullptr, nullptr},
    {"[1280sub0]", nullptr, "Number of Entries", "0x07", "0x0005", "ro", "0x03", "0"},
    {"[1280sub1]", nullptr, "COB-ID Client -> Server", "0x07", "0x0007", "rw", nullptr, "0"},
    {"[1280sub2]", nullptr, "COB-ID Server -> Client", "0x07", "0x0007", "rw", nullptr, "0"},
    {"[1280sub3]", nullptr, "Node ID of the SDO Server", "0x07", "0x0005", "rw", nullptr, "0"},
};

void AddFixedObjects(QStringList& out)
{
    const char* const keys[] = {"SubNumber", "ParameterName", "ObjectType", "DataType",
                                "AccessType", "DefaultValue", "PDOMapping"};
    for (const TFixedObject& o : Fixed_Objects) {
        out << QString::fromUtf8(o.Section);
        const char* const values[] = {o.SubNumber, o.ParameterName, o.ObjectType, o.DataType,
                                      o.AccessType, o.DefaultValue, o.PDOMapping};
        for (int k = 0; k < 7; ++k)
            if (values[k]) out << QString::fromUtf8(keys[k]) + u'=' + QString::fromUtf8(values[k]);
        // The last fixed object runs straight into the next section.
        if (&o != &std::end(Fixed_Objects)[-1]) out << QString();
    }
}

// An entry whose keys are all "ParameterName", "ObjectType", "DataType",
// "AccessType", "DefaultValue", "PDOMapping" in that order.
void AddEntry(QStringList& out, const QString& section, const QString& name, const QString& dataType,
              const QString& access, const QString& def, const QString& mapping)
{
    out << section << QStringLiteral("ParameterName=") + name << QStringLiteral("ObjectType=0x07")
        << QStringLiteral("DataType=") + dataType << QStringLiteral("AccessType=") + access
        << QStringLiteral("DefaultValue=") + def << QStringLiteral("PDOMapping=") + mapping << QString();
}

void AddRecordHeader(QStringList& out, uint32_t index, int subNumber, const QString& name, const QString& type)
{
    out << Section(index) << QStringLiteral("SubNumber=") + QString::number(subNumber)
        << QStringLiteral("ParameterName=") + name << QStringLiteral("ObjectType=") + type << QString();
}

struct TDirection {
    bool Receive;
    int First;  // the first PDO_Table entry
    int Count;
    uint32_t Communication, Mapping, Variable;
};

void AddCommunication(QStringList& out, const TDirection& d)
{
    const QString kind = d.Receive ? QStringLiteral("Receive") : QStringLiteral("Transmit");
    for (int i = 0; i < d.Count; ++i) {
        const TPdoEntry& e = PDO_Table[d.First + i];
        const uint32_t c = d.Communication + i;
        AddRecordHeader(out, c, 4, kind + QStringLiteral(" PDO Communication Parameter ") + QString::number(i + 1),
                        QStringLiteral("0x09"));
        AddEntry(out, SubSection(c, 0), QStringLiteral("Number of Entries"), QStringLiteral("0x0005"),
                 QStringLiteral("ro"), QStringLiteral("0x03"), QStringLiteral("0"));
        AddEntry(out, SubSection(c, 1), QStringLiteral("COB-ID"), QStringLiteral("0x0007"), QStringLiteral("rw"),
                 QStringLiteral("0x") + Hex(uint32_t(e.CobId), 8), QStringLiteral("0"));
        AddEntry(out, SubSection(c, 2), QStringLiteral("Transmission Type"), QStringLiteral("0x0005"),
                 QStringLiteral("rw"), QStringLiteral("0xFE"), QStringLiteral("0"));
        AddEntry(out, SubSection(c, 3), QStringLiteral("Inhibit Time"), QStringLiteral("0x0006"),
                 QStringLiteral("rw"), QStringLiteral("0x0"), QStringLiteral("0"));
    }
}

void AddMapping(QStringList& out, const TDirection& d)
{
    for (int i = 0; i < d.Count; ++i) {
        const int dim = PDO_Table[d.First + i].Dimension;
        const uint32_t m = d.Mapping + i;
        const uint32_t v = d.Variable + i;
        const QString name = d.Receive ? QStringLiteral("Receive PDO Mapping Parameter")
                                       : QStringLiteral("Transmit PDO Mapping Parameter ") + QString::number(i + 1);
        AddRecordHeader(out, m, dim + 1, name, QStringLiteral("0x09"));
        AddEntry(out, SubSection(m, 0), QStringLiteral("Number of Entries"), QStringLiteral("0x0005"),
                 QStringLiteral("ro"), QStringLiteral("0x") + Hex(dim, 2), QStringLiteral("0"));
        for (int j = 1; j <= dim; ++j)
            AddEntry(out, SubSection(m, j), QStringLiteral("Mapping Entry ") + QString::number(j),
                     QStringLiteral("0x0007"), QStringLiteral("ro"),
                     QStringLiteral("0x") + Hex(v, 4) + Hex(j, 2) + QStringLiteral("08"), QStringLiteral("0"));
    }
}

void AddVariables(QStringList& out, const TDirection& d)
{
    const char* const* stems = d.Receive ? Receive_Stems : Transmit_Stems;
    for (int i = 0; i < d.Count; ++i) {
        const int dim = PDO_Table[d.First + i].Dimension;
        const uint32_t v = d.Variable + i;
        AddRecordHeader(out, v, dim + 1,
                        (d.Receive ? QStringLiteral("RPDO") : QStringLiteral("TPDO")) + QString::number(i + 1),
                        QStringLiteral("0x08"));
        AddEntry(out, SubSection(v, 0), QStringLiteral("Number of Entries"), QStringLiteral("0x0005"),
                 d.Receive ? QStringLiteral("ro") : QStringLiteral("rw"), QStringLiteral("0x") + Hex(dim, 2),
                 QStringLiteral("0"));
        for (int j = 1; j <= dim; ++j)
            AddEntry(out, SubSection(v, j), QString::fromUtf8(stems[i]) + QString::number(j),
                     QStringLiteral("0x0005"), d.Receive ? QStringLiteral("rww") : QStringLiteral("rwr"),
                     QStringLiteral("0x00"), QStringLiteral("1"));
    }
}

// Lower limit, upper limit and default of an application variable by its
// byte count: 1, 2, or anything else as 4.
struct TVariableType {
    const char* DataType;
    const char* Low;
    const char* High;
    const char* Default;
};

const TVariableType &VariableType(uint8_t quantity)
{
    static const TVariableType types[] = {
        {"0x0005", "0x00", "0xFF", "0x00"},
        {"0x0006", "0x0000", "0xFFFF", "0x0000"},
        {"0x0007", "0x00000000", "0xFFFFFFFF", "0x00000000"},
    };
    return quantity == 1 ? types[0] : quantity == 2 ? types[1] : types[2];
}

void AddManufacturerObjects(QStringList& out)
{
    for (const SDO_Index& x : SDO_Indexes) {
        const int n = int(x.Sub_Indexs.size());
        const bool hasSub0 = n > 0 && x.Sub_Indexs.front().Sub == 0;
        AddRecordHeader(out, x.Index, hasSub0 ? n : n + 1, QStringLiteral("App Vars"), QStringLiteral("0x9"));
        if (!hasSub0 && n > 0)
            out << SubSection(x.Index, 0) << QStringLiteral("ParameterName=Largest Sub-Index supported")
                << QStringLiteral("ObjectType=0x7") << QStringLiteral("DataType=0x0005")
                << QStringLiteral("AccessType=ro")
                << QStringLiteral("DefaultValue=0x") + Hex(x.Sub_Indexs.back().Sub, 2)
                << QStringLiteral("PDOMapping=0") << QString();
        for (const SDO_Sub_Type& s : x.Sub_Indexs) {
            const TVariableType& t = VariableType(s.Quantity);
            out << SubSection(x.Index, s.Sub) << QStringLiteral("ParameterName=Application Variable")
                << QStringLiteral("ObjectType=0x7") << QStringLiteral("DataType=") + QString::fromUtf8(t.DataType)
                << QStringLiteral("LowLimit=") + QString::fromUtf8(t.Low)
                << QStringLiteral("HighLimit=") + QString::fromUtf8(t.High)
                << QStringLiteral("DefaultValue=") + QString::fromUtf8(t.Default)
                << (s.Readonly ? QStringLiteral("AccessType=ro") : QStringLiteral("AccessType=rw"))
                << QStringLiteral("PDOMapping=0") << QString();
        }
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// Reading

void LoadPdoTable()
{
    RPDO_Count = 0;
    TPDO_Count = 0;
    const TProjectInput table(PDO_CANopen_File);
    auto load = [&](const QString& section, int first) {
        const QList<TXmlNode> rows = table.Rows(section);
        const int n = std::min(int(rows.size()), Pdo_Max_Per_Direction);
        for (int i = 0; i < n; ++i) {
            TPdoEntry& e = PDO_Table[first + i];
            e.CobId = RowIntOr(rows[i], QStringLiteral("COB-ID"), 0);
            e.Dimension = RowIntOr(rows[i], QStringLiteral("Dimension"), 8);
            // A hand-edited size would ask for as many mapping sections.
            if (e.Dimension < 0 || e.Dimension > 8) e.Dimension = 8;
        }
        return n;
    };
    RPDO_Count = load(QStringLiteral("Receive_PDO"), 0);
    TPDO_Count = load(QStringLiteral("Transmit_PDO"), Pdo_Max_Per_Direction);
}

int FindSdoIndex(uint16_t index)
{
    for (size_t i = 0; i < SDO_Indexes.size(); ++i)
        if (SDO_Indexes[i].Index == index) return int(i);
    return -1;
}

void LoadSdoServerObjects()
{
    const TProjectInput table(SDO_Server_CANopen_File);
    for (const bool readonly : {true, false}) {
        const QString section = readonly ? QStringLiteral("SDO_Read") : QStringLiteral("SDO_Write");
        for (const TXmlNode& row : table.Rows(section)) {
            const int index = RowInt(row, QStringLiteral("Index"));
            const int sub = RowInt(row, QStringLiteral("SubIndex"));
            const int bytes = RowInt(row, QStringLiteral("NByte"));
            const SDO_Sub_Type entry{uint8_t(sub & 0xFF), uint8_t(bytes & 0xFF), readonly, QString()};
            const int found = FindSdoIndex(uint16_t(index & 0xFFFF));
            if (found >= 0)
                SDO_Indexes[size_t(found)].Sub_Indexs.push_back(entry);
            else
                SDO_Indexes.push_back(SDO_Index{uint16_t(index & 0xFFFF), {entry}});
        }
    }
}

void SortSdoSubIndexes()
{
    for (SDO_Index& x : SDO_Indexes)
        std::stable_sort(x.Sub_Indexs.begin(), x.Sub_Indexs.end(),
                         [](const SDO_Sub_Type& a, const SDO_Sub_Type& b) { return a.Sub < b.Sub; });
}

// ---------------------------------------------------------------------------
// Writing

QString EdsDateText(double now)
{
    int y, m, d;
    DecodeDate(now, y, m, d);
    return QStringLiteral("%1-%2-%3").arg(m, 2, 10, QChar(u'0')).arg(d, 2, 10, QChar(u'0')).arg(y);
}

QString EdsTimeText(double now)
{
    int h, m, s, ms;
    DecodeTime(now, h, m, s, ms);
    const QString suffix = h < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
    const int h12 = (h == 0 || h == 12) ? 12 : h > 12 ? h - 12 : h;
    return QStringLiteral("%1:%2").arg(h12, 2, 10, QChar(u'0')).arg(m, 2, 10, QChar(u'0')) + suffix;
}

QStringList EdsLines()
{
    SDO_Indexes.clear();
    LoadPdoTable();
    LoadSdoServerObjects();
    SortSdoSubIndexes();
    const double now = Now();
    const QString date = EdsDateText(now);
    const QString time = EdsTimeText(now);

    QStringList& out = EDS_Lines;
    out.clear();
    out << QStringLiteral("[FileInfo]") << QStringLiteral("FileName=R7arir_CANopen.eds")
        << QStringLiteral("FileVersion=1") << QStringLiteral("FileRevision=0") << QStringLiteral("EDSVersion=4.0")
        << QStringLiteral("Description=") + Product_Name << QStringLiteral("CreationTime=") + time
        << QStringLiteral("CreationDate=") + date << QStringLiteral("CreatedBy=") + Vendor_Name
        << QStringLiteral("ModificationTime=") + time << QStringLiteral("ModificationDate=") + date
        << QStringLiteral("ModifiedBy=") + Vendor_Name << QString();

    out << QStringLiteral("[DeviceInfo]") << QStringLiteral("VendorName=") + Vendor_Name
        << QStringLiteral("VendorNumber=0x00") << QStringLiteral("ProductName=") + Product_Name
        << QStringLiteral("ProductNumber=107") << QStringLiteral("RevisionNumber=0x0")
        << QStringLiteral("OrderCode=GW52107");
    for (const char* rate : {"10", "20", "50", "125", "250", "500", "800", "1000"})
        out << QStringLiteral("BaudRate_") + QString::fromUtf8(rate) +
                   (qstrcmp(rate, "800") == 0 ? QStringLiteral("=0") : QStringLiteral("=1"));
    out << QStringLiteral("DynamicChannelsSupported=0") << QStringLiteral("GroupMessaging=0")
        << QStringLiteral("LSS_Supported=0") << QStringLiteral("Granularity=0")
        << QStringLiteral("SimpleBootUpSlave=1") << QStringLiteral("SimpleBootUpMaster=0")
        << QStringLiteral("NrOfRXPDO=") + QString::number(RPDO_Count)
        << QStringLiteral("NrOfTXPDO=") + QString::number(TPDO_Count) << QString();

    out << QStringLiteral("[Comments]") << QStringLiteral("Lines=0") << QString() << QStringLiteral("[DummyUsage]");
    for (int i = 1; i <= 7; ++i) out << QStringLiteral("Dummy000%1=0").arg(i);
    out << QString();

    out << QStringLiteral("[MandatoryObjects]") << QStringLiteral("SupportedObjects=3") << QStringLiteral("1=0x1000")
        << QStringLiteral("2=0x1001") << QStringLiteral("3=0x1018") << QString();

    const TDirection receive{true, 0, RPDO_Count, 0x1400, 0x1600, 0x7000};
    const TDirection transmit{false, Pdo_Max_Per_Direction, TPDO_Count, 0x1800, 0x1A00, 0x7050};
    out << QStringLiteral("[OptionalObjects]")
        << QStringLiteral("SupportedObjects=") + QString::number(8 + 3 * RPDO_Count + 3 * TPDO_Count);
    int number = 0;
    for (uint32_t index : {0x1005u, 0x1006u, 0x1008u, 0x1014u, 0x1016u, 0x1017u, 0x1029u, 0x1280u})
        out << QString::number(++number) + QStringLiteral("=0x") + Hex(index, 4);
    const std::pair<uint32_t, int> optional[] = {
        {receive.Communication, RPDO_Count}, {receive.Mapping, RPDO_Count},
        {transmit.Communication, TPDO_Count}, {transmit.Mapping, TPDO_Count},
        {receive.Variable, RPDO_Count},      {transmit.Variable, TPDO_Count},
    };
    for (const auto& [base, count] : optional)
        for (int i = 0; i < count; ++i) out << QString::number(++number) + QStringLiteral("=0x") + Hex(base + i, 4);
    out << QString();

    out << QStringLiteral("[ManufacturerObjects]")
        << QStringLiteral("SupportedObjects=") + QString::number(SDO_Indexes.size());
    for (size_t i = 0; i < SDO_Indexes.size(); ++i)
        out << QString::number(i + 1) + QStringLiteral("=0x") + Hex(SDO_Indexes[i].Index, 4);
    out << QString();

    AddFixedObjects(out);
    AddCommunication(out, receive);
    AddMapping(out, receive);
    AddCommunication(out, transmit);
    AddMapping(out, transmit);
    AddVariables(out, receive);
    AddVariables(out, transmit);
    AddManufacturerObjects(out);
    out << QString();
    return out;
}

bool WriteEdsFile(const QString& name)
{
    const bool written = GenerateDescriptionFile(name, TTextEncoding::Ansi, [] { return EdsLines(); });
    EDS_Lines.clear();
    return written;
}
