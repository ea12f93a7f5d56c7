#pragma once
// The checks of the grid importers' fuzz targets: the readers of the text
// cell file and stream, CSV records, fixed-width lines, tab-separated
// clipboard text and XML. Failures go to FuzzFailure (FuzzChecks.h).

#include <cstddef>
#include <cstdint>

// The input as a text cell file (decoded) and as a UTF-16LE stream.
void CheckTextCellReaders(const uint8_t* data, size_t size);
// The input as CSV under each delimiter and dialect, and the writer's round
// trip of cells made from it.
void CheckCSVReader(const uint8_t* data, size_t size);
// The first bytes as positions, the rest as fixed-width lines.
void CheckFixedReader(const uint8_t* data, size_t size);
// The input as clipboard text, and the round trip of cells made from it.
void CheckClipText(const uint8_t* data, size_t size);
// The input as an XML file walked with and without LevelToRow (its last
// byte picks the load settings), and the writer's round trip of cells made
// from it under ISO-8859-1 and UTF-8.
void CheckXmlReader(const uint8_t* data, size_t size);
// The input as a binary grid stream, and a generated stream's round trip
// (FuzzStreamChecks.cpp).
void CheckGridStream(const uint8_t* data, size_t size);
