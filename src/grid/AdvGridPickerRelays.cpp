// What the grid does when its date pickers report: a changed value goes to
// the edit-change and date-time events, a closing calendar may end the
// edit at once, and a dropping calendar takes the picker's options.

#include "AdvGrid.h"

#include "AdvDateTimePicker.h"
#include "AdvGridEditors.h"
#include "DateUtils.h"

void TAdvStringGrid::DatePickerChange(TObject* Sender)
{
    if (!OnEditChange) return;
    auto* p = dynamic_cast<TDateTimePicker*>(Sender);
    if (!p) return;
    const QString value = p->Kind() == dtkTime ? TimeToStr(p->Time()) : DateToStr(p->Date());
    OnEditChange(Sender, Col(), Row(), value);
}

void TAdvStringGrid::DateAndTimePickerChange(TObject* Sender)
{
    if (!OnDateTimeChange) return;
    if (auto* p = dynamic_cast<TDateTimePicker*>(Sender)) OnDateTimeChange(Sender, Col(), Row(), p->DateTime());
}

void TAdvStringGrid::DatePickerCloseUp(TObject* Sender)
{
    if (OnDatePickerCloseUp) OnDatePickerCloseUp(Sender, Row(), Col());
    // The picked date is stored at once.
    if (FMouseActions && FMouseActions->DirectDateClose()) HideInplaceEdit();
}

void TAdvStringGrid::DatePickerDropDown(TObject* Sender)
{
    if (auto* p = dynamic_cast<TDateTimePicker*>(Sender)) {
        unsigned style = p->CalendarStyle() & ~(MCS_NOTODAY | MCS_NOTODAYCIRCLE | MCS_WEEKNUMBERS);
        if (!p->ShowToday()) style |= MCS_NOTODAY;
        if (!p->ShowTodayCircle()) style |= MCS_NOTODAYCIRCLE;
        if (p->WeekNumbers()) style |= MCS_WEEKNUMBERS;
        p->SetCalendarStyle(style);
        const TSize least = p->CalendarMinSize();
        p->SetCalendarSize(least.cx + 2, least.cy + 2);
    }
    if (OnDatePickerDropDown) OnDatePickerDropDown(Sender, Row(), Col());
}

bool TAdvStringGrid::DateTimeChangeNotify(TMessage& m)
{
    auto* n = reinterpret_cast<TNMDateTimeChange*>(m.LParam);
    if (!n || n->Code != DTN_DATETIMECHANGE) return false;
    if (OnDateTimeChange) OnDateTimeChange(this, Col(), Row(), n->Valid ? n->Value : TDateTime(0));
    return true;
}
