// Times a full build and save of the configuration banks from a 1024-row
// S7_Protocol.xml and a complete ParGen.xml. Run by hand in the optimised
// build; prints the median of repeated runs and the process's peak memory.
#include "Files.h"
#include "Services.h"
#include "UComon.h"
#include "USaveBincc.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

bool Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray ParGen()
{
    const char* elements[][2] = {
        {"S7_Protocol_IP1", "192"}, {"S7_Protocol_IP2", "168"}, {"S7_Protocol_IP3", "0"}, {"S7_Protocol_IP4", "5"},
        {"S7_Protocol_SM1", "255"}, {"S7_Protocol_SM2", "255"}, {"S7_Protocol_SM3", "255"}, {"S7_Protocol_SM4", "0"},
        {"S7_Protocol_GAT1", "192"}, {"S7_Protocol_GAT2", "168"}, {"S7_Protocol_GAT3", "0"}, {"S7_Protocol_GAT4", "1"},
        {"S7_Protocol_EN_GAT", "1"}, {"S7_Protocol_TimeOut", "100"}, {"S7_Protocol_Enable_Reset_TimeOut", "1"},
        {"S7_Protocol_Reset_TimeOut", "100"}, {"Eth_Conn_Device_Name", "Gateway"}, {"Eth_Conn_DHCP_Cable", "0"},
        {"Eth_Conn_DHCP_WiFi", "0"}, {"Eth_Conn_Enable_DNS", "1"}, {"Eth_Conn_Primary_DNS1", "8"},
        {"Eth_Conn_Primary_DNS2", "8"}, {"Eth_Conn_Primary_DNS3", "8"}, {"Eth_Conn_Primary_DNS4", "8"},
        {"Eth_Conn_Secondary_DNS1", "8"}, {"Eth_Conn_Secondary_DNS2", "8"}, {"Eth_Conn_Secondary_DNS3", "4"},
        {"Eth_Conn_Secondary_DNS4", "4"}, {"SERIAL_SERIAL", "0"}, {"SERIAL_BAUDRATE", "7"},
        {"SERIAL_PARITY", "0"}, {"SERIAL_STOPBITS", "0"},
    };
    QByteArray xml = "<Par_Gen>\n";
    for (const auto& e : elements)
        xml += QByteArray("  <") + e[0] + ">" + e[1] + "</" + e[0] + ">\n";
    return xml + "</Par_Gen>\n<!--SW_VERSION = 1.000-->\n";
}

QByteArray S7Table()
{
    QByteArray xml = "<S7_Protocol>\n";
    for (const char* section : {"S7_Protocol_Read", "S7_Protocol_Write"}) {
        xml += QByteArray("  <") + section + ">\n";
        for (int i = 0; i < 512; ++i) {
            xml += QStringLiteral(
                       "    <row Enable=\"Y\" PLC_Address=\"192.168.1.%1\" PLC_Port=\"102\" PLC_Type=\"S71200\" "
                       "Rack=\"0\" Slot=\"1\" Data_Type=\"Word\" Data_Identifier=\"DB\" DB_Number=\"%2\" "
                       "PLC_Area=\"Inputs (I)\" PLC_Add=\"%3\" PLC_Bit=\"0\" PollTime=\"500\" OnChange=\"Y\" "
                       "OnCMD=\"N\" Position=\"%4\" Bit=\"0\" Swap=\"Y\" SwapWord=\"N\" Mnemonic=\"Rule %5\"/>\n")
                       .arg(i % 10 + 1).arg(i).arg(i * 2).arg(i % 1500).arg(i)
                       .toUtf8();
        }
        xml += QByteArray("  </") + section + ">\n";
    }
    return xml + "</S7_Protocol>\n<!--SW_VERSION = 1.000-->\n";
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    Services().ProgramDirOverride = dir.path();
    SetProgramFolders();
    Project_Name = QStringLiteral("Bench");
    Project_Path = Projects_Dir + QStringLiteral("/Bench");
    QDir().mkpath(Project_Path);
    Set_Files();
    if (!Write(ParGen_File, ParGen()) || !Write(S7_Protocol_File, S7Table()))
        return 1;

    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 50;
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        const TBankResult built = BuildConfigurationBanks();
        const TBankResult saved = SaveConfigurationBanks();
        ms.push_back(t.nsecsElapsed() / 1e6);
        if (!built.Ok || !saved.Ok || General_Parameters.S7_Entry_Count != 1024) {
            std::fprintf(stderr, "build failed: %s\n", qPrintable(built.Reason + saved.Reason));
            return 1;
        }
    }
    std::sort(ms.begin(), ms.end());
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("runs %d, median %.2f ms (min %.2f, max %.2f), peak resident memory %ld KiB\n", runs,
                ms[ms.size() / 2], ms.front(), ms.back(), usage.ru_maxrss);
    return 0;
}
