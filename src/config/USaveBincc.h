#pragma once
// The two configuration images the gateway loads, built from the project's
// ParGen.xml and S7_Protocol.xml: bank 1, the 2048-byte general-parameter
// record with its byte-sum checksum, and bank 2, the table of 1024 S7 access
// entries of 28 bytes. Both are little-endian; every field is written on its
// own at its offset, so the images do not depend on the host's byte order or
// on how the compiler lays out a struct.
//
// Every image starts from its defaults and each value found in the files is
// put over it in its own guard: a missing or unreadable value keeps its
// default, and two builds from the same files give the same bytes.

#include <QString>
#include <array>
#include <cstdint>
#include <span>

// ---------------------------------------------------------------------------
// Bank 1: the general-parameter record

constexpr int GeneralRecordSize = 2048;
constexpr int GeneralChecksumOffset = 0x7FC;  // the sum covers the bytes before it
constexpr uint32_t Bank2StartAddress = 0x80000;

// The named fields of the record. The unnamed ones always hold their
// defaults and live only in the serialiser's layout table.
struct TGeneral_Parameters {
    uint8_t IP_Address[4];       // octets in text order
    uint8_t SubNet_Mask[4];
    uint8_t Gateway[4];
    uint32_t Reset_TimeOut;      // ms
    uint32_t Serial_Baudrate[6];
    uint8_t Serial_Parity[6];
    uint8_t Serial_Stop_Bits[6];
    uint8_t Serial_Data_Bits[6];
    uint16_t DHCP_Flags;         // bit 0 cable, bit 1 WiFi
    uint8_t Device_Name[32];     // zero-terminated, at most 31 characters
    uint8_t Secondary_DNS[4];
    uint8_t Primary_DNS[4];
    uint16_t S7_TimeOut;         // ms
    uint32_t Serial_RS232;       // 1 RS232, 0 RS485
    uint32_t Bank2_Address;
    uint32_t S7_Entry_Count;
    uint8_t Version[8];
    uint32_t Checksum;
};

extern TGeneral_Parameters General_Parameters;

// Every field to its default; Version, Bank2_Address, S7_Entry_Count and
// Checksum zero.
void SetGeneralDefaults();

// Version := "1.000" followed by zero bytes.
void StampVersion();

// The sum of the unsigned bytes of image[0 .. 0x7FB].
uint32_t GeneralRecordChecksum(std::span<const uint8_t> image);

// Serialises General_Parameters into buf[pos .. pos + 2047] with its checksum
// (which is also stored in General_Parameters.Checksum); returns pos + 2048.
int StoreGeneralRecord(int pos, std::span<uint8_t> buf);

// ---------------------------------------------------------------------------
// Bank 2: the S7 access table

constexpr int S7EntrySize = 28;
constexpr int S7TableEntries = 1024;
constexpr int S7TableSize = S7EntrySize * S7TableEntries;  // 28672

struct TS7_Access_Entry {
    uint32_t PLC_IP;        // a<<24 | b<<16 | c<<8 | d for the text a.b.c.d
    uint32_t PollTime;      // ms
    uint16_t PLC_Add;
    uint16_t DB_Number;
    uint16_t PLC_Port;
    uint16_t Position;      // in the gateway's internal data array
    uint8_t Bit;            // start bit in the data array
    uint8_t PLC_Type;
    uint8_t Data_Type;
    uint8_t Data_Identifier;
    uint8_t Access_Flags;
    uint8_t PLC_Bit;
    uint8_t PLC_Area;
    uint8_t Rack_Slot;      // rack * 32 + slot
};

extern std::array<TS7_Access_Entry, S7TableEntries> S7_Access_Table;

// Every field of every entry to 0.
void ClearS7Table();

// Serialises the 1024 entries into buf[pos ..]; returns pos + 28672.
int StoreS7Table(int pos, std::span<uint8_t> buf);

// A choice text of the S7 table and its device code.
struct TS7Choice {
    const char* Text;
    uint8_t Code;
};
// The choice lists of PLC Type, Data Type, Data Identifier and PLC Area, in
// the order the table editor offers them; the code functions below read
// them, so the editor and the bank builder share one source of texts.
std::span<const TS7Choice> PlcTypeChoices();
std::span<const TS7Choice> S7DataTypeChoices();
std::span<const TS7Choice> S7BlockTypeChoices();
std::span<const TS7Choice> S7AreaChoices();

// The codes of the S7 table's choice texts: the whole text, exactly, with
// case; anything else (the empty text too) gives the map's fallback.
uint8_t PlcTypeCode(const QString& text);     // fallback 0
uint8_t S7DataTypeCode(const QString& text);  // fallback 1 ("Bit")
uint8_t S7BlockTypeCode(const QString& text); // fallback 8 ("OB")
uint8_t S7AreaCode(const QString& text);      // fallback 0x80

// Access_Flags of an entry: a write entry has 0x20, plus 0x01 when OnChange
// and 0x10 when OnCMD is exactly "Y" (read entries ignore both); any entry
// has 0x04 when Swap and 0x08 when SwapWord is exactly "Y".
uint8_t ComposeAccessFlags(bool isWrite, const QString& onChange, const QString& onCmd,
                           const QString& swap, const QString& swapWord);

// ---------------------------------------------------------------------------
// Building and writing the banks

constexpr int BankImageSize = 131072;

extern std::array<uint8_t, BankImageSize> Bank1_Image;
extern std::array<uint8_t, BankImageSize> Bank2_Image;
extern int Bank1_Length;  // bytes of each image to save; 0 until a build succeeded
extern int Bank2_Length;

// The outcome of a build or a save: Ok, or the file concerned and why.
struct TBankResult {
    bool Ok = false;
    QString Path;
    QString Reason;
    bool Folder = false;  // Path is the bin folder, which could not be created
};

// Reads ParGen_File into General_Parameters (defaults when it is missing).
TBankResult LoadGeneralParameters();
// Reads the enabled rows of S7_Protocol_File into S7_Access_Table, read rows
// first, then write rows; Count := the number of entries filled.
TBankResult LoadS7Table(int& Count);

// Defaults, both files, then both images. Shows nothing; on failure the
// lengths stay 0, so nothing of an earlier build can be saved.
TBankResult BuildConfigurationBanks();

// Writes Project_Path/bin/bank1.bin and bank2.bin (creating bin when it is
// missing): both go to temporary files first, which replace the old pair only
// when both are complete, so a failed write leaves the previous pair intact.
// Shows nothing.
TBankResult SaveConfigurationBanks();

// Project_Path/bin/bank<bank>.bin; empty when no project is open.
QString BankFilePath(int bank);
