#include "USaveBincc.h"

#include "Files.h"
#include "SysFormat.h"
#include "SysUtils.h"
#include "UComon.h"
#include "XmlDoc.h"

#include <QByteArray>
#include <optional>

TGeneral_Parameters General_Parameters;
std::array<TS7_Access_Entry, S7TableEntries> S7_Access_Table;
std::array<uint8_t, BankImageSize> Bank1_Image;
std::array<uint8_t, BankImageSize> Bank2_Image;
int Bank1_Length = 0;
int Bank2_Length = 0;

namespace {

// The reasons a build or a save fails, shown after the file's path.
namespace Reasons {
const char* const NoProject = "no project is open";
const char* const ReadSectionMissing = "the section S7_Protocol_Read is missing";
const char* const WriteSectionMissing = "the section S7_Protocol_Write is missing";
const char* const TooManyRules = "more than 1024 rules are enabled; the device holds 1024";
const char* const FileNotRead = "the file cannot be read: ";
const char* const NotBuilt = "the configuration has not been built";
const char* const BufferTooSmall = "The bank buffer is too small for the image.";
}  // namespace Reasons

TBankResult Failure(const QString& path, const QString& reason)
{
    return {false, path, reason};
}

const TBankResult Success{true, {}, {}};

// ---------------------------------------------------------------------------
// Little-endian writing

void PutLE(uint8_t* p, int width, uint32_t v)
{
    for (int i = 0; i < width; ++i)
        p[i] = uint8_t(v >> (8 * i));
}

void CheckRoom(int pos, int size, std::span<uint8_t> buf)
{
    if (pos < 0 || size_t(pos) + size_t(size) > buf.size())
        throw Exception(QLatin1String(Reasons::BufferTooSmall));
}

// ---------------------------------------------------------------------------
// The record layout: every field of the 2048 bytes, contiguous, in order.
// Named fields take their value from General_Parameters, unnamed ones always
// hold their default.

enum class F : uint8_t {
    Unnamed, IP_Address, SubNet_Mask, Gateway, Reset_TimeOut, Serial_Baudrate, Serial_Parity,
    Serial_Stop_Bits, Serial_Data_Bits, DHCP_Flags, Device_Name, Secondary_DNS, Primary_DNS,
    S7_TimeOut, Serial_RS232, Bank2_Address, S7_Entry_Count, Version, Checksum,
};

struct TRecordField {
    uint16_t Offset;
    uint8_t Width;   // bytes per element: 1, 2 or 4
    uint16_t Count;  // elements
    F Id;
    uint32_t Default = 0;  // of every element of an unnamed field
};

constexpr TRecordField RecordLayout[] = {
    {0x000, 4, 1, F::Unnamed, 250000}, {0x004, 4, 1, F::Unnamed, 250000},
    {0x008, 4, 1, F::Unnamed},         {0x00C, 4, 1, F::Unnamed, 9600},
    {0x010, 2, 2, F::Unnamed},         {0x014, 4, 5, F::Unnamed},
    {0x028, 1, 4, F::IP_Address},      {0x02C, 1, 4, F::SubNet_Mask},
    {0x030, 1, 4, F::Gateway},
    {0x034, 2, 1, F::Unnamed, 10000},  {0x036, 2, 1, F::Unnamed, 10001},
    {0x038, 2, 1, F::Unnamed, 10001},  {0x03A, 2, 1, F::Unnamed},
    {0x03C, 4, 5, F::Unnamed},         {0x050, 1, 16, F::Unnamed},
    {0x060, 1, 4, F::Unnamed},         {0x064, 1, 4, F::Unnamed},
    {0x068, 2, 2, F::Unnamed},         {0x06C, 4, 5, F::Unnamed},
    {0x080, 1, 4, F::Unnamed},         {0x084, 4, 31, F::Unnamed},
    {0x100, 1, 4, F::Unnamed},         {0x104, 4, 2, F::Unnamed},
    {0x10C, 2, 2, F::Unnamed},         {0x110, 4, 1, F::Unnamed},
    {0x114, 4, 1, F::Reset_TimeOut},   {0x118, 4, 5, F::Unnamed},
    {0x12C, 4, 22, F::Unnamed},        {0x184, 1, 12, F::Unnamed},
    {0x190, 4, 6, F::Serial_Baudrate}, {0x1A8, 1, 6, F::Serial_Parity},
    {0x1AE, 1, 6, F::Serial_Stop_Bits},{0x1B4, 1, 6, F::Serial_Data_Bits},
    {0x1BA, 1, 2, F::Unnamed, 8},      {0x1BC, 4, 4, F::Unnamed},
    {0x1CC, 2, 10, F::Unnamed},        {0x1E0, 4, 3, F::Unnamed},
    {0x1EC, 1, 32, F::Unnamed},        {0x20C, 4, 2, F::Unnamed},
    {0x214, 1, 512, F::Unnamed},       {0x414, 4, 8, F::Unnamed},
    {0x434, 4, 2, F::Unnamed},         {0x43C, 1, 12, F::Unnamed},
    {0x448, 4, 12, F::Unnamed},        {0x478, 2, 2, F::Unnamed},
    {0x47C, 1, 32, F::Unnamed},        {0x49C, 1, 64, F::Unnamed},
    {0x4DC, 4, 3, F::Unnamed},         {0x4E8, 2, 1, F::DHCP_Flags},
    {0x4EA, 1, 2, F::Unnamed},         {0x4EC, 4, 3, F::Unnamed},
    {0x4F8, 1, 4, F::Unnamed},         {0x4FC, 1, 24, F::Unnamed},
    {0x514, 1, 32, F::Device_Name},    {0x534, 1, 2, F::Unnamed},
    {0x536, 2, 1, F::Unnamed},         {0x538, 1, 4, F::Unnamed},
    {0x53C, 1, 4, F::Secondary_DNS},   {0x540, 4, 3, F::Unnamed},
    {0x54C, 1, 2, F::Unnamed},         {0x54E, 2, 1, F::Unnamed},
    {0x550, 1, 2, F::Unnamed},         {0x552, 2, 1, F::Unnamed},
    {0x554, 4, 8, F::Unnamed},         {0x574, 1, 16, F::Unnamed},
    {0x584, 4, 2, F::Unnamed},         {0x58C, 1, 4, F::Primary_DNS},
    {0x590, 4, 1, F::Unnamed},         {0x594, 2, 3, F::Unnamed},
    {0x59A, 2, 1, F::S7_TimeOut},      {0x59C, 4, 5, F::Unnamed},
    {0x5B0, 1, 20, F::Unnamed},        {0x5C4, 1, 32, F::Unnamed},
    {0x5E4, 4, 3, F::Unnamed},         {0x5F0, 4, 1, F::Serial_RS232},
    {0x5F4, 4, 20, F::Unnamed},        {0x644, 1, 16, F::Unnamed},
    {0x654, 4, 1, F::Bank2_Address},   {0x658, 4, 1, F::S7_Entry_Count},
    {0x65C, 4, 4, F::Unnamed},         {0x66C, 1, 8, F::Version},
    {0x674, 4, 3, F::Unnamed},         {0x680, 1, 4, F::Unnamed},
    {0x684, 4, 14, F::Unnamed},        {0x6BC, 1, 16, F::Unnamed},
    {0x6CC, 4, 12, F::Unnamed},        {0x6FC, 1, 2, F::Unnamed},
    {0x6FE, 2, 1, F::Unnamed},         {0x700, 4, 4, F::Unnamed},
    {0x710, 1, 20, F::Unnamed},        {0x724, 1, 16, F::Unnamed},
    {0x734, 4, 3, F::Unnamed},         {0x740, 1, 32, F::Unnamed},
    {0x760, 4, 6, F::Unnamed},         {0x778, 1, 128, F::Unnamed},
    {0x7F8, 4, 1, F::Unnamed},         {0x7FC, 4, 1, F::Checksum},
};

// The layout must tile the record exactly; a mistyped row fails the build.
constexpr bool LayoutIsContiguous()
{
    int next = 0;
    for (const TRecordField& f : RecordLayout) {
        if (f.Offset != next)
            return false;
        next += f.Width * f.Count;
    }
    return next == GeneralRecordSize;
}
static_assert(LayoutIsContiguous(), "the record layout must cover 2048 bytes without gaps");

uint32_t NamedValue(const TGeneral_Parameters& g, F id, int i)
{
    switch (id) {
    case F::IP_Address: return g.IP_Address[i];
    case F::SubNet_Mask: return g.SubNet_Mask[i];
    case F::Gateway: return g.Gateway[i];
    case F::Reset_TimeOut: return g.Reset_TimeOut;
    case F::Serial_Baudrate: return g.Serial_Baudrate[i];
    case F::Serial_Parity: return g.Serial_Parity[i];
    case F::Serial_Stop_Bits: return g.Serial_Stop_Bits[i];
    case F::Serial_Data_Bits: return g.Serial_Data_Bits[i];
    case F::DHCP_Flags: return g.DHCP_Flags;
    case F::Device_Name: return g.Device_Name[i];
    case F::Secondary_DNS: return g.Secondary_DNS[i];
    case F::Primary_DNS: return g.Primary_DNS[i];
    case F::S7_TimeOut: return g.S7_TimeOut;
    case F::Serial_RS232: return g.Serial_RS232;
    case F::Bank2_Address: return g.Bank2_Address;
    case F::S7_Entry_Count: return g.S7_Entry_Count;
    case F::Version: return g.Version[i];
    case F::Checksum: return g.Checksum;
    case F::Unnamed: break;
    }
    return 0;
}

void SerialiseRecord(const TGeneral_Parameters& g, uint8_t* out)
{
    for (const TRecordField& f : RecordLayout) {
        for (int i = 0; i < f.Count; ++i) {
            const uint32_t v = f.Id == F::Unnamed ? f.Default : NamedValue(g, f.Id, i);
            PutLE(out + f.Offset + i * f.Width, f.Width, v);
        }
    }
}

// ---------------------------------------------------------------------------
// Reading values

// The child element's integer; def when it is missing or does not read.
int ElementInt(const TXmlNode& root, const QString& name, int def)
{
    return StrToIntDef(root.ChildText(name).value_or(QString()), def);
}

bool ElementIsOne(const TXmlNode& root, const char* name)
{
    return root.ChildText(QLatin1String(name)) == QStringLiteral("1");
}

// Four octet elements <prefix>1 .. <prefix>4, each its low 8 bits.
void ReadOctets(const TXmlNode& root, const char* prefix, const int (&defaults)[4], uint8_t (&out)[4])
{
    for (int i = 0; i < 4; ++i)
        out[i] = uint8_t(ElementInt(root, QLatin1String(prefix) + QString::number(i + 1), defaults[i]));
}

// The three serial slots the device uses.
constexpr int SerialSlots[] = {0, 3, 4};

uint32_t BaudRateOf(int index)
{
    static constexpr uint32_t Rates[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
    return index >= 0 && index < 8 ? Rates[index] : 9600;
}

QString LoadFailureReason(const TXmlLoadResult& r)
{
    return QLatin1String(Reasons::FileNotRead) + r.Reason();
}

void ApplyGeneralParameters(const TXmlNode& root)
{
    TGeneral_Parameters& g = General_Parameters;

    const QString name = root.ChildText(QStringLiteral("Eth_Conn_Device_Name")).value_or(QString());
    std::fill(std::begin(g.Device_Name), std::end(g.Device_Name), 0);
    for (int i = 0; i < name.size() && i < 31; ++i)
        g.Device_Name[i] = uint8_t(name[i].unicode() & 0xFF);  // the device keeps one byte per character

    g.DHCP_Flags = 0;
    if (ElementIsOne(root, "Eth_Conn_DHCP_Cable"))
        g.DHCP_Flags |= 0x01;
    if (ElementIsOne(root, "Eth_Conn_DHCP_WiFi"))
        g.DHCP_Flags |= 0x02;

    if (ElementIsOne(root, "Eth_Conn_Enable_DNS")) {
        ReadOctets(root, "Eth_Conn_Primary_DNS", {8, 8, 8, 8}, g.Primary_DNS);
        ReadOctets(root, "Eth_Conn_Secondary_DNS", {8, 8, 4, 4}, g.Secondary_DNS);
    } else {
        std::fill(std::begin(g.Primary_DNS), std::end(g.Primary_DNS), 0);
        std::fill(std::begin(g.Secondary_DNS), std::end(g.Secondary_DNS), 0);
    }

    ReadOctets(root, "S7_Protocol_IP", {192, 168, 0, 10}, g.IP_Address);
    ReadOctets(root, "S7_Protocol_SM", {255, 255, 255, 0}, g.SubNet_Mask);
    if (ElementIsOne(root, "S7_Protocol_EN_GAT"))
        ReadOctets(root, "S7_Protocol_GAT", {192, 168, 0, 1}, g.Gateway);
    else
        std::fill(std::begin(g.Gateway), std::end(g.Gateway), 0xFF);

    g.S7_TimeOut = uint16_t(ElementInt(root, QStringLiteral("S7_Protocol_TimeOut"), 100));
    if (ElementIsOne(root, "S7_Protocol_Enable_Reset_TimeOut")) {
        const int seconds = ElementInt(root, QStringLiteral("S7_Protocol_Reset_TimeOut"), 100);
        g.Reset_TimeOut = uint32_t(seconds) * 1000u;  // wraps to 32 bits like the device's field
    }

    g.Serial_RS232 = root.ChildText(QStringLiteral("SERIAL_SERIAL")) == QStringLiteral("0") ? 1 : 0;
    const std::optional<QString> baud = root.ChildText(QStringLiteral("SERIAL_BAUDRATE"));
    int baudIndex = 0;
    const uint32_t rate = baud && TryStrToInt(*baud, baudIndex) ? BaudRateOf(baudIndex) : 115200;
    const uint8_t parity = uint8_t(ElementInt(root, QStringLiteral("SERIAL_PARITY"), 0));
    int stop = ElementInt(root, QStringLiteral("SERIAL_STOPBITS"), 0);
    if (stop == 1)
        stop = 2;
    for (int slot : SerialSlots) {
        g.Serial_Baudrate[slot] = rate;
        g.Serial_Parity[slot] = parity;
        g.Serial_Stop_Bits[slot] = uint8_t(stop);
        g.Serial_Data_Bits[slot] = 8;
    }
}

// ---------------------------------------------------------------------------
// S7 entries

int AttrInt(const TXmlNode& row, const char* name, int def)
{
    return StrToIntDef(row.AttributeOr(QLatin1String(name), QString()), def);
}

QString AttrText(const TXmlNode& row, const char* name)
{
    return row.Attribute(QLatin1String(name)).value_or(QString());
}

TS7_Access_Entry EntryFromRow(const TXmlNode& row, bool isWrite)
{
    TS7_Access_Entry e{};
    uint8_t a = 0, b = 0, c = 0, d = 0;
    if (!IpTextToBytes(AttrText(row, "PLC_Address"), a, b, c, d))
        e.PLC_IP = uint32_t(a) << 24 | uint32_t(b) << 16 | uint32_t(c) << 8 | d;
    e.PLC_Port = uint16_t(AttrInt(row, "PLC_Port", 0));
    e.PLC_Type = PlcTypeCode(AttrText(row, "PLC_Type"));
    const int rack = AttrInt(row, "Rack", 0) & 0xFF;
    const int slot = AttrInt(row, "Slot", 0) & 0xFF;
    e.Rack_Slot = uint8_t(rack * 32 + slot);
    e.Data_Type = S7DataTypeCode(AttrText(row, "Data_Type"));
    e.Data_Identifier = S7BlockTypeCode(AttrText(row, "Data_Identifier"));
    e.DB_Number = uint16_t(AttrInt(row, "DB_Number", 0));
    e.PLC_Area = S7AreaCode(AttrText(row, "PLC_Area"));
    e.PLC_Add = uint16_t(AttrInt(row, "PLC_Add", 0));
    e.PLC_Bit = uint8_t(AttrInt(row, "PLC_Bit", 0));
    e.PollTime = uint32_t(AttrInt(row, "PollTime", 1000));
    e.Position = uint16_t(AttrInt(row, "Position", 0));
    e.Bit = uint8_t(AttrInt(row, "Bit", 0));
    e.Access_Flags = ComposeAccessFlags(isWrite, AttrText(row, "OnChange"), AttrText(row, "OnCMD"),
                                        AttrText(row, "Swap"), AttrText(row, "SwapWord"));
    return e;
}

void SerialiseEntry(const TS7_Access_Entry& e, uint8_t* p)
{
    PutLE(p + 0, 4, e.PLC_IP);
    PutLE(p + 4, 4, e.PollTime);
    PutLE(p + 8, 2, e.PLC_Add);
    PutLE(p + 10, 2, e.DB_Number);
    PutLE(p + 12, 2, e.PLC_Port);
    PutLE(p + 14, 2, e.Position);
    PutLE(p + 16, 2, 0);  // reserved
    p[18] = e.Bit;
    p[19] = e.PLC_Type;
    p[20] = e.Data_Type;
    p[21] = e.Data_Identifier;
    p[22] = 0;  // reserved
    p[23] = e.Access_Flags;
    p[24] = e.PLC_Bit;
    p[25] = e.PLC_Area;
    p[26] = e.Rack_Slot;
    p[27] = 0;  // reserved
}

uint8_t CodeOf(const QString& text, std::span<const TS7Choice> map, uint8_t fallback)
{
    for (const TS7Choice& c : map) {
        if (text == QLatin1String(c.Text))
            return c.Code;
    }
    return fallback;
}

bool IsY(const QString& s)
{
    return s == QLatin1String("Y");
}

}  // namespace

// ---------------------------------------------------------------------------

void SetGeneralDefaults()
{
    TGeneral_Parameters& g = General_Parameters;
    g = TGeneral_Parameters{};
    const uint8_t ip[4] = {192, 168, 2, 205};
    const uint8_t mask[4] = {255, 255, 255, 0};
    std::copy(std::begin(ip), std::end(ip), g.IP_Address);
    std::copy(std::begin(mask), std::end(mask), g.SubNet_Mask);
    std::fill(std::begin(g.Gateway), std::end(g.Gateway), 0xFF);
    std::fill(std::begin(g.Serial_Data_Bits), std::end(g.Serial_Data_Bits), 8);
}

void StampVersion()
{
    std::fill(std::begin(General_Parameters.Version), std::end(General_Parameters.Version), 0);
    const char version[] = "1.000";
    std::copy(version, version + 5, General_Parameters.Version);
}

uint32_t GeneralRecordChecksum(std::span<const uint8_t> image)
{
    uint32_t sum = 0;
    for (size_t i = 0; i < size_t(GeneralChecksumOffset) && i < image.size(); ++i)
        sum += image[i];
    return sum;
}

int StoreGeneralRecord(int pos, std::span<uint8_t> buf)
{
    CheckRoom(pos, GeneralRecordSize, buf);
    std::array<uint8_t, GeneralRecordSize> image{};
    General_Parameters.Checksum = 0;
    SerialiseRecord(General_Parameters, image.data());
    General_Parameters.Checksum = GeneralRecordChecksum(image);
    PutLE(image.data() + GeneralChecksumOffset, 4, General_Parameters.Checksum);
    std::copy(image.begin(), image.end(), buf.begin() + pos);
    return pos + GeneralRecordSize;
}

void ClearS7Table()
{
    S7_Access_Table.fill(TS7_Access_Entry{});
}

int StoreS7Table(int pos, std::span<uint8_t> buf)
{
    CheckRoom(pos, S7TableSize, buf);
    for (int i = 0; i < S7TableEntries; ++i)
        SerialiseEntry(S7_Access_Table[i], buf.data() + pos + i * S7EntrySize);
    return pos + S7TableSize;
}

// The choice lists of the S7 table, in the order the editor offers them.
static constexpr TS7Choice PlcTypeMap[] = {{"Logo0BA8", 1}, {"S7200", 0}, {"S7300", 10},
                                           {"S7400", 20},   {"S71200", 30}, {"S71500", 40}};
static constexpr TS7Choice DataTypeMap[] = {{"Bit", 1}, {"Byte", 2}, {"Char", 3}, {"Word", 4},
                                            {"Int", 5}, {"DWord", 6}, {"DInt", 7}, {"Real", 8}};
static constexpr TS7Choice BlockTypeMap[] = {{"OB", 8},   {"DB", 10}, {"SDB", 11}, {"FC", 12},
                                             {"SFC", 13}, {"FB", 14}, {"SFB", 15}};
static constexpr TS7Choice AreaMap[] = {{"Direct peripheral access (P)", 0x80}, {"Inputs (I)", 0x81},
                                        {"Output (Q)", 0x82}, {"Flags (M) (Merker)", 0x83}};

std::span<const TS7Choice> PlcTypeChoices() { return PlcTypeMap; }
std::span<const TS7Choice> S7DataTypeChoices() { return DataTypeMap; }
std::span<const TS7Choice> S7BlockTypeChoices() { return BlockTypeMap; }
std::span<const TS7Choice> S7AreaChoices() { return AreaMap; }

uint8_t PlcTypeCode(const QString& text) { return CodeOf(text, PlcTypeMap, 0); }
uint8_t S7DataTypeCode(const QString& text) { return CodeOf(text, DataTypeMap, 1); }
uint8_t S7BlockTypeCode(const QString& text) { return CodeOf(text, BlockTypeMap, 8); }
uint8_t S7AreaCode(const QString& text) { return CodeOf(text, AreaMap, 0x80); }

uint8_t ComposeAccessFlags(bool isWrite, const QString& onChange, const QString& onCmd,
                           const QString& swap, const QString& swapWord)
{
    uint8_t flags = 0;
    if (isWrite) {
        flags |= 0x20;
        if (IsY(onChange))
            flags |= 0x01;
        if (IsY(onCmd))
            flags |= 0x10;
    }
    if (IsY(swap))
        flags |= 0x04;
    if (IsY(swapWord))
        flags |= 0x08;
    return flags;
}

TBankResult LoadGeneralParameters()
{
    if (ParGen_File.isEmpty() || !FileExists(ParGen_File))
        return Success;
    TXmlDocument doc;
    const TXmlLoadResult loaded = doc.LoadFromFile(ParGen_File);
    if (!loaded)
        return Failure(ParGen_File, LoadFailureReason(loaded));
    StampVersion();
    ApplyGeneralParameters(doc.DocumentElement());
    return Success;
}

TBankResult LoadS7Table(int& Count)
{
    Count = 0;
    if (S7_Protocol_File.isEmpty() || !FileExists(S7_Protocol_File))
        return Success;
    TXmlDocument doc;
    const TXmlLoadResult loaded = doc.LoadFromFile(S7_Protocol_File);
    if (!loaded)
        return Failure(S7_Protocol_File, LoadFailureReason(loaded));
    const TXmlNode root = doc.DocumentElement();
    const TXmlNode sections[2] = {root.ChildElement(QStringLiteral("S7_Protocol_Read")),
                                  root.ChildElement(QStringLiteral("S7_Protocol_Write"))};
    if (sections[0].IsNull())
        return Failure(S7_Protocol_File, QLatin1String(Reasons::ReadSectionMissing));
    if (sections[1].IsNull())
        return Failure(S7_Protocol_File, QLatin1String(Reasons::WriteSectionMissing));
    for (int s = 0; s < 2; ++s) {
        for (const TXmlNode& row : sections[s].ChildNodes()) {
            if (row.Attribute(QStringLiteral("Enable")) != QStringLiteral("Y"))
                continue;
            if (Count == S7TableEntries) {
                // Dropping rules silently would send a configuration the user did not make.
                ClearS7Table();
                Count = 0;
                return Failure(S7_Protocol_File, QLatin1String(Reasons::TooManyRules));
            }
            S7_Access_Table[Count++] = EntryFromRow(row, s == 1);
        }
    }
    return Success;
}

TBankResult BuildConfigurationBanks()
{
    Bank1_Length = 0;
    Bank2_Length = 0;
    if (Project_Path.isEmpty())
        return Failure(Project_Path, QLatin1String(Reasons::NoProject));
    SetGeneralDefaults();
    ClearS7Table();
    TBankResult result = LoadGeneralParameters();
    if (!result.Ok)
        return result;
    General_Parameters.Bank2_Address = Bank2StartAddress;
    int count = 0;
    result = LoadS7Table(count);
    if (!result.Ok)
        return result;
    General_Parameters.S7_Entry_Count = uint32_t(count);
    Bank1_Length = StoreGeneralRecord(0, Bank1_Image);
    Bank2_Length = StoreS7Table(0, Bank2_Image);
    return Success;
}

TBankResult SaveConfigurationBanks()
{
    if (Project_Path.isEmpty())
        return Failure(Project_Path, QLatin1String(Reasons::NoProject));
    const QString binDir = Project_Path + QStringLiteral("/bin");
    if (Bank1_Length <= 0 || Bank2_Length <= 0)
        return Failure(binDir, QLatin1String(Reasons::NotBuilt));
    if (const TWriteResult made = CreateFolders(binDir); !made)
        return {false, binDir, made.Error, true};
    // The device takes the two banks as a pair: both are written completely
    // before either replaces its old file.
    const auto bytes = [](const std::array<uint8_t, BankImageSize>& image, int length) {
        return QByteArray(reinterpret_cast<const char*>(image.data()), length);
    };
    const TWriteResult written = SafeWriteFiles({{BankFilePath(1), bytes(Bank1_Image, Bank1_Length)},
                                                 {BankFilePath(2), bytes(Bank2_Image, Bank2_Length)}});
    if (!written)
        return Failure(written.Path, written.Error);
    return Success;
}

QString BankFilePath(int bank)
{
    if (Project_Path.isEmpty())
        return QString();
    return Project_Path + QStringLiteral("/bin/bank%1.bin").arg(bank);
}
