#pragma once
// What the BACnet objects window knows apart from its widgets: the object
// types of its two pages, their length ranges and proposed lengths, the
// checks of one row, the object limit and the description-length option of
// the general parameters.

#include <QString>
#include <QStringList>
#include <functional>

// The pages of the window.
enum TBACnetPage { BACnetReadPage = 0, BACnetWritePage = 1 };

// The columns of both grids (real indexes).
namespace BACnetCol {
constexpr int DataType = 1, EngUnit = 2, Position = 3, StartBit = 4, Length = 5, Swap = 6, Mnemonic = 7;
}

// The object types a page offers, in list order.
QStringList BACnetPageTypes(TBACnetPage page);

// The length the write page proposes for a chosen type (compared without
// letter case); empty when it proposes none.
QString BACnetProposedLength(const QString& choice);

// The checks of one data row of a page, in order; cell gives a real
// column's text. Answers the message that follows "Error row <n>", or an
// empty text when the row passes. nByte is the page's data-array size.
QString BACnetRowFault(TBACnetPage page, const std::function<QString(int col)>& cell, int nByte);

// The most objects both pages may hold together.
inline int BACnetMaxObjects(bool descLimit) { return descLimit ? 1000 : 2000; }
// The message when there are more: without a row number.
QString BACnetTooManyObjects(bool descLimit);

// The description-length option of the general-parameter file: true exactly
// when the root's child BACnet_Desc_Chars_Limit holds "1". A missing file
// leaves it off; a file that does not parse leaves it off and sets error to
// the text the user is shown.
bool ReadBACnetDescLimit(const QString& parGenPath, QString& error);
