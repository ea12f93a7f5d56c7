#pragma once
// The date picker with automatic field advance (TCustomDateTimePicker) and
// the date-and-time picker built on it (TAdvDateTimePicker): a date picker
// with an embedded time picker over its right end and a caption label.

#include "AsgComboLabel.h"
#include "AsgDateTimePicker.h"

#include <memory>

class TLabel;

// The number of the registered "DTPShiftFocus" message.
unsigned DTPShiftFocusMessage();

// The time rule of the automatic advance: the hour, minute or second
// changed.
bool TimeAutoTabAdvances(int h0, int m0, int s0, int h1, int m1, int s1);
// The date rule: where the focus goes after a digit changed the date.
enum TDateAutoTab { datStay, datNextField, datTimePart };
TDateAutoTab DateAutoTabAction(const QString& Format, int y0, int m0, int d0, int y1, int m1, int d1);

class TCustomDateTimePicker : public TFlatDatePicker {
public:
    DECLARE_CLASSNAME(TCustomDateTimePicker)
    explicit TCustomDateTimePicker(TComponent* AOwner);

    bool AutoTab() const { return FAutoTab; }
    virtual void SetAutoTab(bool v) { FAutoTab = v; }
    bool SuppressBorders() const override { return true; }
    void WndProc(TMessage& Message) override;

protected:
    virtual void ShiftFocus();
    void KeyPress(QChar& Key) override;
    // Records what the automatic advance compares against.
    virtual void RecordForAutoTab();
    int Fh = 0, Fm = 0, Fs = 0, Fms = 0;

private:
    bool FAutoTab = false;
};

enum TAdvDateTimeKind { dkDate, dkTime, dkDateTime };

// Where the time part goes in a control Width x Height, its text TextWidth
// wide; Bevel: a bevel edge and kind are set.
struct TTimePartCase {
    bool Vista = true;
    bool ComCtl6 = true;
    bool ThemeLibrary = true;
    bool ThemeActive = true;
    bool Metro = false;
};
TRect TimePartBounds(int Width, int Height, int TextWidth, bool Bevel, const TTimePartCase& Case);

class TAdvDateTimePicker : public TCustomDateTimePicker {
public:
    DECLARE_CLASSNAME(TAdvDateTimePicker)
    explicit TAdvDateTimePicker(TComponent* AOwner);
    ~TAdvDateTimePicker() override;

    TAdvDateTimeKind Kind() const { return FKind; }
    void SetKind(TAdvDateTimeKind v);
    TDateTime DateTime() const;
    virtual void SetDateTime(TDateTime Value);
    TDateTime Date() const { return TCustomDateTimePicker::Date(); }
    void SetDate(TDateTime v);
    TDateTime Time() const;
    void SetTime(TDateTime v);
    QString TimeFormat() const { return FTimeFormat; }
    void SetTimeFormat(const QString& v);
    void SetAutoTab(bool v) override;
    bool SuppressBorders() const override { return false; }
    void SetBorderStyle(TPickerBorderStyle v) override;
    // "1.2.0.0"; writes are ignored.
    QString Version() const { return QStringLiteral("1.2.0.0"); }
    void SetVersion(const QString&) {}

    QString LabelCaption() const;
    void SetLabelCaption(const QString& v);
    TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition v);
    int LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int v);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool v);
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool v);
    bool FocusLabel() const { return FFocusLabel; }
    void SetFocusLabel(bool v) { FFocusLabel = v; }
    TFont* LabelFont() const { return FLabelFont.get(); }
    TLabel* PickerLabel() const { return FLabel; }
    TCustomDateTimePicker* TimePicker() const { return FTimePicker; }

    void SetParent(TWinControl* AParent) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetVisible(bool v) override;
    void Loaded() override;
    void AfterConstruction() override;

    TNotifyEvent OnTimeChange;
    TNotifyEvent OnLabelClick;
    TNotifyEvent OnLabelDblClick;

    void UpdateTimePicker();

protected:
    void ShiftFocus() override;
    void RecordForAutoTab() override;
    void DateTimeChanged(bool Valid) override;
    void EnabledChanged() override;
    void ColorChanged() override;
    void DoEnter() override;
    void DoExit() override;
    void PaintOver(QPainter& painter) override;
    virtual void DoChange();
    virtual void DoClick();
    virtual void TimePickerKeyPress(TObject* Sender, QChar& Key);
    void CreateTimePicker();
    void UpdateLabel();

private:
    void SyncTimePickerCheck();
    TAdvDateTimeKind FKind = dkDateTime;
    QString FTimeFormat;
    int Fy = 0, Fmo = 0, Fd = 0;
    TLabel* FLabel = nullptr;
    std::unique_ptr<TFont> FLabelFont;
    TLabelPosition FLabelPosition = lpLeftTop;
    int FLabelMargin = 4;
    bool FLabelTransparent = false;
    bool FFocusLabel = false;
    bool FLabelAlwaysEnabled = false;
    bool FParentFnt = false;
    bool FFirstRun = true;
    TCustomDateTimePicker* FTimePicker = nullptr;
};
