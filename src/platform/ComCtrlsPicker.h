#pragma once
// The date-time picker on QDateTimeEdit: a date (with a calendar drop-down
// or up-down arrows) or a time, shown in the picker format of the original
// platform, with an optional check box that says whether there is a value.

#include "Clock.h"
#include "Controls.h"
#include "Notify.h"

class QCheckBox;
class QDateTimeEdit;
class QPainter;

enum TDateTimeKind { dtkDate, dtkTime };

// Style flags of the drop-down calendar.
inline constexpr unsigned MCS_WEEKNUMBERS = 0x4;
inline constexpr unsigned MCS_NOTODAYCIRCLE = 0x8;
inline constexpr unsigned MCS_NOTODAY = 0x10;

// What a picker tells its parent with DTN_DATETIMECHANGE (WM_NOTIFY).
struct TNMDateTimeChange : TNMHdr {
    bool Valid = false;   // false: no date
    TDateTime Value = 0;
};
enum TDTDateMode { dmComboBox, dmUpDown };

// The picker format (d, dd, ddd, dddd, M to MMMM, y, yy, yyyy, h, hh, H, HH,
// m, mm, s, ss, t, tt, 'quoted text') as Qt's display format. Every other
// character is kept as literal text.
QString PickerFormatToQt(const QString& Format);
// The default display format of a kind: the regional short date or long
// time (their letters are the run-time library's: m for month in dates, n
// for minutes).
QString DefaultPickerQtFormat(TDateTimeKind Kind);

class TDateTimePicker : public TWinControl {
public:
    DECLARE_CLASSNAME(TDateTimePicker)
    explicit TDateTimePicker(TComponent* AOwner);
    ~TDateTimePicker() override;

    TDateTimeKind Kind() const { return FKind; }
    void SetKind(TDateTimeKind v);
    TDTDateMode DateMode() const { return FDateMode; }
    void SetDateMode(TDTDateMode v);
    // The value as a date value (whole seconds).
    TDateTime DateTime() const;
    void SetDateTime(TDateTime v);
    TDateTime Date() const;
    void SetDate(TDateTime v);
    TDateTime Time() const;
    void SetTime(TDateTime v);
    // Empty: the regional short date (date kind) or long time (time kind).
    QString Format() const { return FFormat; }
    void SetFormat(const QString& v);
    TDateTime MinDate() const { return FMinDate; }
    void SetMinDate(TDateTime v);
    TDateTime MaxDate() const { return FMaxDate; }
    void SetMaxDate(TDateTime v);
    bool ShowCheckbox() const { return FShowCheckbox; }
    void SetShowCheckbox(bool v);
    // Unticked: no value; the fields show disabled.
    bool Checked() const { return FChecked; }
    void SetChecked(bool v);
    bool DroppedDown() const { return FDroppedDown; }
    void SetDroppedDown(bool v);
    // What the fields show.
    QString DisplayText() const;
    // No value (the check box unticked); reported as a change without value.
    void SetNoValue();
    // The field after the selected one becomes selected (the last stays).
    void NextField();
    int CurrentField() const;
    void SetCurrentField(int v);
    int FieldCount() const;
    // Calendar options: a today line under the calendar, today marked, and
    // week numbers at the left. The owner applies them to the calendar's
    // style when it drops down.
    bool ShowToday() const { return FShowToday; }
    void SetShowToday(bool v) { FShowToday = v; }
    bool ShowTodayCircle() const { return FShowTodayCircle; }
    void SetShowTodayCircle(bool v) { FShowTodayCircle = v; }
    bool WeekNumbers() const { return FWeekNumbers; }
    void SetWeekNumbers(bool v) { FWeekNumbers = v; }
    // The drop-down calendar: its style flags (MCS_*), the smallest size it
    // shows whole in, and its size (placed at the pop-up's top-left).
    unsigned CalendarStyle() const { return FCalendarStyle; }
    void SetCalendarStyle(unsigned v);
    TSize CalendarMinSize() const;
    TSize CalendarSize() const;
    void SetCalendarSize(int W, int H);

    // The value changed (Valid false: no value any more).
    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    friend class TPickerWidget;
    friend class TPickerOverlay;
    virtual void DateTimeChanged(bool Valid);
    virtual void DropDown();
    virtual void CloseUp();
    // Drawing over the Qt picker (client coordinates).
    virtual void PaintOver(QPainter&) {}
    void EnabledChanged() override;
    void FontChanged() override;
    void Resize() override;
    QDateTimeEdit* Edit() const;
    void ApplyFormat();

private:
    void UpdateCheckState();
    TDateTimeKind FKind = dtkDate;
    TDTDateMode FDateMode = dmComboBox;
    QString FFormat;
    TDateTime FMinDate = 0;
    TDateTime FMaxDate = 0;
    bool FShowCheckbox = false;
    bool FChecked = true;
    bool FDroppedDown = false;
    bool FShowToday = true;
    bool FShowTodayCircle = true;
    bool FWeekNumbers = false;
    unsigned FCalendarStyle = 0;
    int FQuiet = 0;
    QCheckBox* FCheckBox = nullptr;
    QWidget* FOverlay = nullptr;
    QObject FSignals;
};
