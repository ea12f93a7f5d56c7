#pragma once
// The string grid's in-place editing: the event types of the editing cycle
// and the small rules the grid and its editor controls share. The members
// live in TAdvStringGrid (AdvGrid.h, section "editing"); their bodies are in
// AdvGridEdit.cpp (cycle, editability, combo list, hooks) and
// AdvGridEditShow.cpp (opening and committing the special editors).

#include "BaseGrid.h"
#include "Clock.h"
#include "Types.h"

#include <QString>
#include <functional>

class TObject;
class TEditLink;

using TGetEditorTypeEvent = std::function<void(TObject* Sender, int ACol, int ARow, TEditorType& AEditor)>;
// Row first, as the event was always declared.
using TCanEditCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& CanEdit)>;
using TIsFixedCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& IsFixed)>;
using TGetEditorPropEvent = std::function<void(TObject* Sender, int ACol, int ARow, TEditLink* AEditLink)>;
using TGetEditorPropIntEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TCellValidateEvent = std::function<void(TObject* Sender, int ACol, int ARow, QString& Value, bool& Valid)>;
using TEditCellDoneEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TComboChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex, const QString& ASelection)>;
using TComboObjectChangeEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex, const QString& ASelection, TObject* AObject)>;
using TCustomStrToDateEvent = std::function<void(TObject* Sender, const QString& Value, TDateTime& ADate)>;
using TEditChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, const QString& Value)>;
using TEllipsClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, QString& S)>;
using TSpinClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AValue, bool UpDown)>;
using TFloatSpinClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, double AValue, bool UpDown)>;
using TDateTimeSpinClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, TDateTime AValue, bool UpDown)>;
using TRowChangingEvent = std::function<void(TObject* Sender, int OldRow, int NewRow, bool& Allow)>;
using TColChangingEvent = std::function<void(TObject* Sender, int OldCol, int NewCol, bool& Allow)>;
using TCellChangingEvent =
    std::function<void(TObject* Sender, int OldRow, int OldCol, int NewRow, int NewCol, bool& Allow)>;
using TClipboardAllowEvent = std::function<void(TObject* Sender, bool& Allow)>;
using TEndRowSizeEvent = std::function<void(TObject* Sender, int ARow)>;
using TCellClickEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;

// The types the platform's text editor serves (the grid shows NormalEdit).
bool IsTextEditorType(TEditorType t);
// The types that open one of the grid's own editor controls.
bool IsSpinEditorType(TEditorType t);
bool IsEditBtnType(TEditorType t);
bool IsUnitEditBtnType(TEditorType t);

// The integer a spin editor starts from: the digits a text begins with (an
// optional sign included), 0 when it does not begin with a number.
int LeadingInteger(const QString& Text);
