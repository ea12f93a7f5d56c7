#pragma once
// The PROFIBUS DP device description (GSD revision 5) of the slave model:
// a fixed template around the input and output lengths of the general
// parameters, offered in modules of up to 64 bytes.

#include <QString>
#include <QStringList>

// The general parameters' PROFINET_NB_IN and PROFINET_NB_OUT of the last run.
extern int Gsd_NB_In;
extern int Gsd_NB_Out;

// Modules of up to 64 bytes for a length: 0 for a length of 0 or less.
int GsdModuleCount(int length);
// The most modules a file may offer: the module number is one byte.
constexpr int Gsd_Max_Modules = 255;

// The chosen path with ".gsd" appended unless it already ends in it
// (letter case ignored).
QString GsdFileName(const QString& chosen);

// The whole flow: needs ParGen.xml, reads the two lengths, refuses lengths
// that need more than Gsd_Max_Modules modules, asks for the file and
// before replacing one, then writes it.
void CreateGsdFile();
// The lines of the file for Gsd_NB_In and Gsd_NB_Out.
QStringList GsdLines();
// Writes the file; false (after an error dialog) when it could not.
bool WriteGsdFile(const QString& name);
