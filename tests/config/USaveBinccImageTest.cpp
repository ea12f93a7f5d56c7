// The general-parameter record and the S7 access table as bytes, without files.
#include "BankBytes.h"
#include "USaveBincc.h"

#include <QString>
#include <gtest/gtest.h>
#include <vector>

namespace {

using namespace BankBytes;

// Bytes at an offset of an otherwise zero image.
struct TPatch {
    int Offset;
    Bytes Data;
};

Bytes StoreRecord()
{
    Bytes image(GeneralRecordSize);
    EXPECT_EQ(StoreGeneralRecord(0, image), GeneralRecordSize);
    return image;
}

void SetUpDefaultRecord()
{
    SetGeneralDefaults();
    General_Parameters.Bank2_Address = 0x80000;
}

}  // namespace

TEST(GeneralRecord, DefaultImageIsByteExact)
{
    SetUpDefaultRecord();
    const Bytes image = StoreRecord();
    EXPECT_EQ(Diff(NeitherFileImage(), image), "");
    EXPECT_EQ(General_Parameters.Checksum, 3466u);
}

TEST(GeneralRecord, EachNamedFieldLandsAtItsOffset)
{
    using G = TGeneral_Parameters;
    struct Case {
        const char* Field;
        void (*Set)(G&);
        TPatch Expected;
    } cases[] = {
        {"IP_Address", [](G& g) { g.IP_Address[0] = 1; g.IP_Address[3] = 4; }, {0x028, {1, 0xA8, 2, 4}}},
        {"SubNet_Mask", [](G& g) { g.SubNet_Mask[1] = 0x12; }, {0x02C, {0xFF, 0x12, 0xFF, 0}}},
        {"Gateway", [](G& g) { g.Gateway[2] = 0x33; }, {0x030, {0xFF, 0xFF, 0x33, 0xFF}}},
        {"Reset_TimeOut", [](G& g) { g.Reset_TimeOut = 0x11223344; }, {0x114, {0x44, 0x33, 0x22, 0x11}}},
        {"Serial_Baudrate[0]", [](G& g) { g.Serial_Baudrate[0] = 0x01020304; }, {0x190, {4, 3, 2, 1}}},
        {"Serial_Baudrate[5]", [](G& g) { g.Serial_Baudrate[5] = 0xA0B0; }, {0x1A4, {0xB0, 0xA0}}},
        {"Serial_Parity[3]", [](G& g) { g.Serial_Parity[3] = 0x55; }, {0x1AB, {0x55}}},
        {"Serial_Stop_Bits[4]", [](G& g) { g.Serial_Stop_Bits[4] = 0x66; }, {0x1B2, {0x66}}},
        {"Serial_Data_Bits[5]", [](G& g) { g.Serial_Data_Bits[5] = 0x77; }, {0x1B9, {0x77}}},
        {"DHCP_Flags", [](G& g) { g.DHCP_Flags = 0x0203; }, {0x4E8, {0x03, 0x02}}},
        {"Device_Name", [](G& g) { g.Device_Name[0] = 'A'; g.Device_Name[30] = 'Z'; }, {0x514, {'A'}}},
        {"Secondary_DNS", [](G& g) { g.Secondary_DNS[0] = 9; }, {0x53C, {9}}},
        {"Primary_DNS", [](G& g) { g.Primary_DNS[3] = 7; }, {0x58F, {7}}},
        {"S7_TimeOut", [](G& g) { g.S7_TimeOut = 0xBEEF; }, {0x59A, {0xEF, 0xBE}}},
        {"Serial_RS232", [](G& g) { g.Serial_RS232 = 0x01000001; }, {0x5F0, {1, 0, 0, 1}}},
        {"Bank2_Address", [](G& g) { g.Bank2_Address = 0x12345678; }, {0x654, {0x78, 0x56, 0x34, 0x12}}},
        {"S7_Entry_Count", [](G& g) { g.S7_Entry_Count = 0x0403; }, {0x658, {0x03, 0x04}}},
        {"Version", [](G& g) { g.Version[7] = 'v'; }, {0x673, {'v'}}},
    };
    SetUpDefaultRecord();
    const Bytes base = StoreRecord();
    for (const Case& c : cases) {
        SetUpDefaultRecord();
        c.Set(General_Parameters);
        Bytes expected = WithChecksum(Patched(base, c.Expected.Offset, c.Expected.Data));
        if (std::string(c.Field) == "Device_Name")
            expected = WithChecksum(Patched(expected, 0x532, {'Z'}));
        EXPECT_EQ(Diff(expected, StoreRecord()), "") << c.Field;
    }
}

TEST(GeneralRecord, ChecksumCoversEverythingButItself)
{
    SetUpDefaultRecord();
    General_Parameters.Checksum = 0xDEADBEEF;  // stale: must not count
    General_Parameters.Version[0] = 1;
    General_Parameters.S7_Entry_Count = 2;
    const Bytes image = StoreRecord();
    EXPECT_EQ(General_Parameters.Checksum, 3466u + 1 + 2);
    EXPECT_EQ(Bytes(image.begin() + 0x7FC, image.end()), (Bytes{0x8D, 0x0D, 0, 0}));

    const Bytes ff(2044, 0xFF);
    EXPECT_EQ(GeneralRecordChecksum(ff), 521220u);
    Bytes full(2048, 0xFF);
    EXPECT_EQ(GeneralRecordChecksum(full), 521220u);  // 0x7FC.. not summed
    Bytes last(2048, 0);
    last[0x7FB] = 0xFE;
    EXPECT_EQ(GeneralRecordChecksum(last), 0xFEu);
}

TEST(GeneralRecord, StampVersionOverwritesTheWholeField)
{
    SetUpDefaultRecord();
    std::copy_n("ABCDEFGH", 8, General_Parameters.Version);
    StampVersion();
    const Bytes image = StoreRecord();
    EXPECT_EQ(Bytes(image.begin() + 0x66C, image.begin() + 0x674), (Bytes{0x31, 0x2E, 0x30, 0x30, 0x30, 0, 0, 0}));
}

TEST(GeneralRecord, StoresAtAPositionAndLeavesTheRestAlone)
{
    SetUpDefaultRecord();
    Bytes buf(2048 + 200, 0x5A);
    EXPECT_EQ(StoreGeneralRecord(100, buf), 2148);
    EXPECT_EQ(Diff(NeitherFileImage(), Bytes(buf.begin() + 100, buf.begin() + 2148)), "");
    for (int i : {0, 99, 2148, 2247})
        EXPECT_EQ(buf[i], 0x5A) << i;

    ClearS7Table();
    Bytes table(28672 + 200, 0x5A);
    EXPECT_EQ(StoreS7Table(100, table), 28772);
    EXPECT_EQ(table[99], 0x5A);
    EXPECT_EQ(table[28772], 0x5A);
    EXPECT_EQ(Bytes(table.begin() + 100, table.begin() + 28772), Bytes(28672, 0));

    Bytes small(100);
    EXPECT_ANY_THROW(StoreGeneralRecord(0, small));
}

// ---------------------------------------------------------------------------
// S7 entries

TEST(S7Table, EntryFieldsAreLittleEndianInLayoutOrder)
{
    ClearS7Table();
    TS7_Access_Entry& e = S7_Access_Table[1];
    e.PLC_IP = 192u << 24 | 168u << 16 | 1u << 8 | 125u;
    e.PollTime = 500;
    e.PLC_Add = 20;
    e.DB_Number = 10;
    e.PLC_Port = 102;
    e.Position = 3;
    e.Bit = 0;
    e.PLC_Type = PlcTypeCode(QStringLiteral("S71200"));
    e.Data_Type = S7DataTypeCode(QStringLiteral("Word"));
    e.Data_Identifier = S7BlockTypeCode(QStringLiteral("DB"));
    e.Access_Flags = ComposeAccessFlags(false, {}, {}, QStringLiteral("Y"), QStringLiteral("N"));
    e.PLC_Bit = 0;
    e.PLC_Area = S7AreaCode(QStringLiteral("Inputs (I)"));
    e.Rack_Slot = 1;
    Bytes table(S7TableSize);
    ASSERT_EQ(StoreS7Table(0, table), S7TableSize);
    EXPECT_EQ(Bytes(table.begin() + 28, table.begin() + 56), GoldenEntry);
    EXPECT_EQ(Bytes(table.begin(), table.begin() + 28), Bytes(28, 0));
    EXPECT_EQ(Bytes(table.begin() + 56, table.end()), Bytes(S7TableSize - 56, 0));

    // Every field on its own, to catch a swapped or shifted one.
    struct Case {
        void (*Set)(TS7_Access_Entry&);
        TPatch Expected;
    } cases[] = {
        {[](TS7_Access_Entry& x) { x.PLC_IP = 0x01020304; }, {0, {4, 3, 2, 1}}},
        {[](TS7_Access_Entry& x) { x.PollTime = 0xFFFFFFFF; }, {4, {0xFF, 0xFF, 0xFF, 0xFF}}},
        {[](TS7_Access_Entry& x) { x.PLC_Add = 0x0102; }, {8, {2, 1}}},
        {[](TS7_Access_Entry& x) { x.DB_Number = 0x0304; }, {10, {4, 3}}},
        {[](TS7_Access_Entry& x) { x.PLC_Port = 0x0506; }, {12, {6, 5}}},
        {[](TS7_Access_Entry& x) { x.Position = 0x0708; }, {14, {8, 7}}},
        {[](TS7_Access_Entry& x) { x.Bit = 9; }, {18, {9}}},
        {[](TS7_Access_Entry& x) { x.PLC_Type = 10; }, {19, {10}}},
        {[](TS7_Access_Entry& x) { x.Data_Type = 11; }, {20, {11}}},
        {[](TS7_Access_Entry& x) { x.Data_Identifier = 12; }, {21, {12}}},
        {[](TS7_Access_Entry& x) { x.Access_Flags = 13; }, {23, {13}}},
        {[](TS7_Access_Entry& x) { x.PLC_Bit = 14; }, {24, {14}}},
        {[](TS7_Access_Entry& x) { x.PLC_Area = 15; }, {25, {15}}},
        {[](TS7_Access_Entry& x) { x.Rack_Slot = 16; }, {26, {16}}},
    };
    for (const Case& c : cases) {
        ClearS7Table();
        c.Set(S7_Access_Table[1023]);
        Bytes out(S7TableSize);
        StoreS7Table(0, out);
        Bytes expected(S7TableSize, 0);
        std::copy(c.Expected.Data.begin(), c.Expected.Data.end(), expected.begin() + 1023 * 28 + c.Expected.Offset);
        EXPECT_EQ(Diff(expected, out), "") << "offset " << c.Expected.Offset;
    }
}

TEST(S7Table, CodeMapsCompareTheWholeTextWithCase)
{
    struct Case {
        uint8_t (*Map)(const QString&);
        const char* Text;
        uint8_t Code;
    } cases[] = {
        {PlcTypeCode, "Logo0BA8", 1},  {PlcTypeCode, "S7200", 0},   {PlcTypeCode, "S7300", 10},
        {PlcTypeCode, "S7400", 20},    {PlcTypeCode, "S71200", 30}, {PlcTypeCode, "S71500", 40},
        {PlcTypeCode, "S7-300", 0},    {PlcTypeCode, "", 0},        {PlcTypeCode, "s71500", 0},
        {S7DataTypeCode, "Bit", 1},    {S7DataTypeCode, "Byte", 2}, {S7DataTypeCode, "Char", 3},
        {S7DataTypeCode, "Word", 4},   {S7DataTypeCode, "Int", 5},  {S7DataTypeCode, "DWord", 6},
        {S7DataTypeCode, "DInt", 7},   {S7DataTypeCode, "Real", 8}, {S7DataTypeCode, "word", 1},
        {S7DataTypeCode, "", 1},       {S7DataTypeCode, "Word ", 1},
        {S7BlockTypeCode, "OB", 8},    {S7BlockTypeCode, "DB", 10}, {S7BlockTypeCode, "SDB", 11},
        {S7BlockTypeCode, "FC", 12},   {S7BlockTypeCode, "SFC", 13}, {S7BlockTypeCode, "FB", 14},
        {S7BlockTypeCode, "SFB", 15},  {S7BlockTypeCode, "db", 8},  {S7BlockTypeCode, "", 8},
        {S7AreaCode, "Direct peripheral access (P)", 0x80}, {S7AreaCode, "Inputs (I)", 0x81},
        {S7AreaCode, "Output (Q)", 0x82}, {S7AreaCode, "Flags (M) (Merker)", 0x83},
        {S7AreaCode, "Inputs(I)", 0x80}, {S7AreaCode, "", 0x80},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.Map(QString::fromLatin1(c.Text)), c.Code) << '"' << c.Text << '"';
}

TEST(S7Table, AccessFlagsOfReadAndWriteRows)
{
    const QString values[] = {QStringLiteral("Y"), QStringLiteral("N"), QStringLiteral("y")};
    for (bool write : {false, true}) {
        for (const QString& change : values) {
            for (const QString& cmd : values) {
                for (const QString& swap : values) {
                    for (const QString& word : values) {
                        uint8_t expected = 0;
                        if (write) {
                            expected |= 0x20;
                            expected |= change == QLatin1String("Y") ? 0x01 : 0;
                            expected |= cmd == QLatin1String("Y") ? 0x10 : 0;
                        }
                        expected |= swap == QLatin1String("Y") ? 0x04 : 0;
                        expected |= word == QLatin1String("Y") ? 0x08 : 0;
                        const uint8_t flags = ComposeAccessFlags(write, change, cmd, swap, word);
                        EXPECT_EQ(flags, expected);
                        EXPECT_EQ(flags & 0xC2, 0);
                        if (!write) {
                            EXPECT_EQ(flags & 0x31, 0);
                        }
                    }
                }
            }
        }
    }
}

TEST(S7Table, AnEmptyTableIsAllZero)
{
    S7_Access_Table[5].PollTime = 7;
    ClearS7Table();
    Bytes out(S7TableSize, 0xEE);
    StoreS7Table(0, out);
    EXPECT_EQ(out, Bytes(S7TableSize, 0));
}
