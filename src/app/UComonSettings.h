#pragma once
// The settings file Calyptor.xml beside the program: the last project, the
// last device address, the language and the four options, carried from one
// run to the next. It uses a document of its own, so nothing depends on what
// any other document holds between calls.

#include "Files.h"

#include <QString>

// Exe_Dir + "/Calyptor.xml".
QString SettingsFileName();

// Reads the file into the shared state, each value in its own guard with its
// default. A missing or unreadable file gives every default and no project.
// A project or language name that breaks the name rule is ignored.
void ReadSettingsFile();

// Writes the file whole from the shared state, through a temporary file that
// is renamed over the old one. Never throws; on failure Error names the file
// and the system's reason, and the previous file is left as it was.
TWriteResult WriteSettingsFile();
