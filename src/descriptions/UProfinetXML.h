#pragma once
// The PROFINET GSDML file (schema 2.31) of the IO-device model: a fixed
// template with the station name and the module's input and output lengths
// from the general parameters, in UTF-8 with a byte-order mark.

#include <QString>
#include <QStringList>

extern int Gsdml_NB_In;
extern int Gsdml_NB_Out;
extern QString Gsdml_Station_Name;

// The flow after the file-name dialog: a save dialog that chooses only the
// folder, the overwrite question, then WriteGsdmlFile.
void CreateGsdmlFile(const QString& name);
// The folder of the chosen file, "/" and the fixed name.
QString GsdmlPath(const QString& chosen, const QString& name);
// Raises EDescriptionInput when ParGen.xml cannot be parsed.
void LoadGsdmlParameters();
// The lines for the three values.
QStringList GsdmlLines();
// Reads the values and writes the file; false (after an error dialog) when
// nothing was written.
bool WriteGsdmlFile(const QString& path);
