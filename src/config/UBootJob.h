#pragma once
// The job file of the maker's updater, Ethernet_Update.xml beside the
// program: the device address, the ports and one operation per image to
// load (firmware, bank 1, bank 2, as the chosen option says). The updater
// takes it from its own folder; the tool only names the images.

#include "Files.h"

#include <QString>

class TXmlDocument;

// The choices of the update options list, by index.
enum TUpdateChoice {
    ucFirmwareAndConfiguration = 0,
    ucFirmware = 1,
    ucConfiguration = 2,
};

struct TUpdateJob {
    QString DeviceAddress;  // the octet texts joined as typed
    int Choice = ucFirmwareAndConfiguration;
    bool ReadBack = true;
    QString MasterDir;      // the firmware image lies here
    QString ProjectPath;    // the bank files lie in its bin folder
};

// Exe_Dir + "/Ethernet_Update.xml".
QString UpdateJobFileName();

// Clears the document and builds the job in it: the root alone at document
// level, no declaration, no comment. A choice outside the three gives no
// operation.
void BuildUpdateJob(TXmlDocument& doc, const TUpdateJob& job);
