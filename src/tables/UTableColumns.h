#pragma once
// The column kinds and colours of the access-table windows' grids, so a
// window's column table reads as its list of columns.

#include "UTableWindow.h"

#include <QStringList>

// The column colours the table windows share.
constexpr TColor TableEnableColor = 11589887;      // Enable column
constexpr TColor TableAddressColor = 16710368;     // addressing
constexpr TColor TableTimingColor = 11075496;      // timing and triggers
constexpr TColor TablePlacementColor = 16045820;   // data-array placement
constexpr TColor TableConversionColor = 11075583;  // conversion
constexpr TColor TableConversion2Color = 16766421; // conversion, second shade

// A plain text column.
TTableColumnSpec TableTextColumn(int header, int width, TColor color, const char* attribute,
                                 std::optional<QString> def = std::nullopt);
// A drop-down list.
TTableColumnSpec TableListColumn(int header, const QStringList& choices, int width, TColor color,
                                 const char* attribute, std::optional<QString> def = std::nullopt);
// A drop-down that also takes typed text.
TTableColumnSpec TableComboEditColumn(int header, const QStringList& choices, int width, TColor color,
                                      const char* attribute, std::optional<QString> def = std::nullopt);
// A data check box ("Y" / "N"), centred.
TTableColumnSpec TableCheckColumn(int header, int width, TColor color, const char* attribute,
                                  std::optional<QString> def = std::nullopt);

// A string grid with real check boxes built from a grid spec, aligned to
// fill parent: the fixed row and column, the header cells, the widths, an
// unchecked box in column 1 of every data row, the row numbers and each data
// cell's colour and alignment from its column. rowHeight 0 keeps the default.
TAdvStringGrid* NewCheckBoxTableGrid(TWinControl* parent, const TTableGridSpec& spec, TGridOptions options,
                                     int rowHeight = 0);

// The texts "first" .. "first + count - 1".
QStringList TableNumberTexts(int first, int count);
// The entries first .. last of the language table, as a list of entry numbers.
std::vector<int> TableEntryRange(int first, int last);
