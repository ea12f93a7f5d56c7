#pragma once
// The string grid's exchange with office documents and databases: the
// fixed English messages of the unit. The operations are members of
// TAdvStringGrid (AdvGrid.h).

// The spreadsheet and word-processor automation servers are not there.
inline constexpr const char* kGridExcelServerMissing = "Excel OLE server not found";
inline constexpr const char* kGridWordServerMissing = "Word OLE server not found";
