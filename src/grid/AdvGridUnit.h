#pragma once
// What the string-grid unit does once per process: the focus frame that
// follows window moves, the class table for streamed grids and their
// children, the date-editor availability, and the registered clipboard
// format and window messages; plus small unit routines.
//
// AdvGridUnitInit runs at start-up (CreateAppWindows, or the first grid's
// constructor when that comes first) and AdvGridUnitDone at shut-down; each
// does its work once however often it is called in pairs.

#include <QString>
#include <QStringList>

class TAdvStringGrid;
class TControl;

void AdvGridUnitInit();
void AdvGridUnitDone();
// 0 before start-up, below 0 while started.
int AdvGridUnitCounter();

// The grid whose focus frame follows moves and resizes of its window and
// its ancestors (MoveFocusHelper); clears itself with its grid.
TAdvStringGrid* FocusFrameGrid();
void SetFocusFrameGrid(TAdvStringGrid* Grid);

// The common controls are newer than 4.69: the date editors may open.
bool DateTimeEditorsAvailable();
// Tests stand in for an old system with this.
void SetDateTimeEditorsAvailable(bool v);
unsigned GridClipboardFormat();    // "TAdvStringGrid Cells"
unsigned GridEditDoneMessage();    // "GridEditDone"
unsigned GridDTPShiftFocusMessage();   // "DTPShiftFocus"
// The font name the hint window uses.
QString& GridHintFontName();

// The classes forms stream grids and their children by, in order.
const QStringList& AdvGridClassNames();

// Makes a control transparent for the mouse.
void SetWindowTransparent(TControl* Control);
