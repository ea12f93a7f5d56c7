#pragma once
// The maker's web site: the one host every window and file names, and the
// pages the program links to. Lower units (the update job) take the host from
// here without pulling in the main window.

#include <QString>

extern const QString Maker_Host;
QString Maker_Home_Page();     // the home page, with the software code
QString Maker_Download_Page();  // the download page of this gateway
