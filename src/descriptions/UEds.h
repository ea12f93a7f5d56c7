#pragma once
// The CANopen electronic data sheet (EDS 4.0) of the slave model: the fixed
// communication objects, one receive or transmit PDO per row of the PDO
// table and one manufacturer object per index of the SDO server table.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

struct TPdoEntry {
    int32_t CobId = 0;
    int32_t Dimension = 8;
};

// A direction's rows beyond this are not read: the PDO editor writes no
// more.
constexpr int Pdo_Max_Per_Direction = 30;

// Entries 0..29 receive, 30..59 transmit.
extern TPdoEntry PDO_Table[2 * Pdo_Max_Per_Direction];
extern int RPDO_Count;
extern int TPDO_Count;

struct SDO_Sub_Type {
    uint8_t Sub = 0;
    uint8_t Quantity = 0;
    bool Readonly = false;
    QString Mnemonic;
};

struct SDO_Index {
    uint16_t Index = 0;
    std::vector<SDO_Sub_Type> Sub_Indexs;
};

// One entry per distinct index, in first-occurrence order.
extern std::vector<SDO_Index> SDO_Indexes;
extern QStringList EDS_Lines;

void LoadPdoTable();
// Raises EConvertError when a row's Index, SubIndex or NByte is no integer.
void LoadSdoServerObjects();
int FindSdoIndex(uint16_t index);
// A stable order by Sub within every index.
void SortSdoSubIndexes();

// "MM-DD-YYYY" and "hh:mmAM"/"hh:mmPM" of the platform clock's reading.
QString EdsDateText(double now);
QString EdsTimeText(double now);

// Reads both tables and returns the lines of the file.
QStringList EdsLines();
// The whole generation; false (after an error dialog) when nothing was
// written.
bool WriteEdsFile(const QString& name);
