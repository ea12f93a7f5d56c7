#include "ComCtrlsPicker.h"

#include "DateUtils.h"
#include "FormatSettings.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QTextCharFormat>
#include <cmath>

// ---------------------------------------------------------------- formats

namespace {

// A run of one letter at i.
int RunLength(const QString& s, int i)
{
    int n = 1;
    while (i + n < s.size() && s[i + n] == s[i]) ++n;
    return n;
}

QString Quoted(const QString& literal)
{
    if (literal.isEmpty()) return QString();
    QString q = literal;
    q.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + q + QLatin1Char('\'');
}

// Translates a format by a table of letter runs; literal text is quoted.
template <class Map>
QString TranslateFormat(const QString& f, Map map)
{
    QString out, literal;
    for (int i = 0; i < f.size();) {
        const QChar c = f[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            int j = f.indexOf(c, i + 1);
            if (j < 0) j = f.size();
            literal += f.mid(i + 1, j - i - 1);
            i = j + 1;
            continue;
        }
        const int n = RunLength(f, i);
        const QString qt = map(c, n);
        if (qt.isNull()) {
            literal += f.mid(i, n);
        } else {
            out += Quoted(literal);
            literal.clear();
            out += qt;
        }
        i += n;
    }
    return out + Quoted(literal);
}

TDateTime FromQDateTime(const QDateTime& d)
{
    const QDate date = d.date();
    const QTime t = d.time();
    return EncodeDate(date.year(), date.month(), date.day()) + EncodeTime(t.hour(), t.minute(), t.second(), 0);
}

QDateTime ToQDateTime(TDateTime v)
{
    int y, mo, d, h, mi, s, ms;
    DecodeDate(v, y, mo, d);
    DecodeTime(v, h, mi, s, ms);
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

}  // namespace

QString PickerFormatToQt(const QString& Format)
{
    return TranslateFormat(Format, [](QChar c, int n) -> QString {
        const int k = std::min(n, 4);
        switch (c.unicode()) {
        case 'd': return QString(k, QLatin1Char('d'));
        case 'M': return QString(k, QLatin1Char('M'));
        case 'y': return k <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy");
        case 'h': return QString(std::min(n, 2), QLatin1Char('h'));
        case 'H': return QString(std::min(n, 2), QLatin1Char('H'));
        case 'm': return QString(std::min(n, 2), QLatin1Char('m'));
        case 's': return QString(std::min(n, 2), QLatin1Char('s'));
        case 't': return QStringLiteral("AP");
        default: return QString();
        }
    });
}

QString DefaultPickerQtFormat(TDateTimeKind Kind)
{
    const FormatSettings fs = DefaultFormatSettings();
    if (Kind == dtkDate) {
        QString f = fs.ShortDateFormat;
        f.replace(QLatin1Char('/'), fs.DateSeparator);
        return TranslateFormat(f, [](QChar c, int n) -> QString {
            const int k = std::min(n, 4);
            switch (c.toLower().unicode()) {
            case 'd': return QString(k, QLatin1Char('d'));
            case 'm': return QString(k, QLatin1Char('M'));
            case 'y': return k <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy");
            default: return QString();
            }
        });
    }
    const bool ampm = fs.LongTimeFormat.contains(QLatin1String("am"), Qt::CaseInsensitive);
    QString f = fs.LongTimeFormat;
    f.replace(QLatin1Char(':'), fs.TimeSeparator);
    return TranslateFormat(f, [ampm](QChar c, int n) -> QString {
        switch (c.toLower().unicode()) {
        case 'h': return QString(std::min(n, 2), ampm ? QLatin1Char('h') : QLatin1Char('H'));
        case 'n': return QString(std::min(n, 2), QLatin1Char('m'));
        case 's': return QString(std::min(n, 2), QLatin1Char('s'));
        default: return QString();
        }
    });
}

// ---------------------------------------------------------------- widget

// The Qt picker of TDateTimePicker: the check box at its left, an overlay
// for the control's own drawing, and the calendar's opening and closing.
class TPickerWidget : public QDateTimeEdit {
public:
    TDateTimePicker* Control = nullptr;
    QCheckBox* Box = nullptr;
    QWidget* Overlay = nullptr;

    void SetBoxShown(bool shown)
    {
        Box->setVisible(shown);
        lineEdit()->setTextMargins(shown ? 18 : 0, 0, 0, 0);
        Layout();
    }
    void Layout()
    {
        Box->setGeometry(3, (height() - 14) / 2, 14, 14);
        Overlay->setGeometry(rect());
        Overlay->raise();
    }
    void WatchCalendar()
    {
        if (FWatching || !calendarWidget()) return;
        calendarWidget()->window()->installEventFilter(this);
        FWatching = true;
    }

protected:
    void resizeEvent(QResizeEvent* e) override
    {
        QDateTimeEdit::resizeEvent(e);
        Layout();
    }
    void keyPressEvent(QKeyEvent* e) override
    {
        // A typed digit keeps its field: moving on is the control's choice.
        const bool digit = e->text().size() == 1 && e->text()[0].isDigit();
        const int field = currentSectionIndex();
        QDateTimeEdit::keyPressEvent(e);
        if (digit && currentSectionIndex() != field) setCurrentSectionIndex(field);
        e->accept();
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        if (calendarPopup()) WatchCalendar();
        QDateTimeEdit::mousePressEvent(e);
    }
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (Control && calendarWidget() && watched == calendarWidget()->window()) {
            if (e->type() == QEvent::Show) GuardEvent([this] { Control->DropDown(); });
            if (e->type() == QEvent::Hide) GuardEvent([this] { Control->CloseUp(); });
        }
        return QDateTimeEdit::eventFilter(watched, e);
    }

private:
    bool FWatching = false;
};

// Draws the control's own look over the Qt picker.
class TPickerOverlay : public QWidget {
public:
    TPickerOverlay(TDateTimePicker* c, QWidget* parent) : QWidget(parent), FControl(c)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    TDateTimePicker* FControl;

protected:
    void paintEvent(QPaintEvent*) override;
};

// ---------------------------------------------------------------- control

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TWinControl(AOwner, new TPickerWidget)
{
    auto* w = static_cast<TPickerWidget*>(Widget());
    w->Control = this;
    w->Box = new QCheckBox(w);
    w->Box->setChecked(true);
    w->Box->setFocusPolicy(Qt::NoFocus);
    FCheckBox = w->Box;
    FOverlay = new TPickerOverlay(this, w);
    w->Overlay = FOverlay;
    w->SetBoxShown(false);
    w->setCalendarPopup(true);
    w->setKeyboardTracking(true);
    AttachSubWidget(w->findChild<QLineEdit*>());
    SetTabStop(true);
    SetColor(clWindow);
    SetControlStyle(ControlStyle() & ~unsigned(csClickEvents | csCaptureMouse));
    SetWantKeys(DLGC_WANTCHARS | DLGC_WANTARROWS);
    QObject::connect(w, &QDateTimeEdit::dateTimeChanged, &FSignals, [this](const QDateTime&) {
        if (FQuiet > 0) return;
        GuardEvent([this] { DateTimeChanged(true); });
    });
    QObject::connect(w->Box, &QCheckBox::toggled, &FSignals, [this](bool on) {
        if (FQuiet > 0) return;
        FChecked = on;
        UpdateCheckState();
        GuardEvent([this, on] { DateTimeChanged(on); });
    });
    SetDateTime(Now());
    ApplyFormat();
    SetBounds(0, 0, 186, 21);
}

TDateTimePicker::~TDateTimePicker()
{
    if (auto* w = dynamic_cast<TPickerWidget*>(Widget())) w->Control = nullptr;
}

QDateTimeEdit* TDateTimePicker::Edit() const
{
    return static_cast<QDateTimeEdit*>(Widget());
}

void TPickerOverlay::paintEvent(QPaintEvent*)
{
    if (!FControl) return;
    QPainter p(this);
    GuardEvent([&] { FControl->PaintOver(p); });
}

void TDateTimePicker::SetKind(TDateTimeKind v)
{
    FKind = v;
    ApplyFormat();
}

void TDateTimePicker::SetDateMode(TDTDateMode v)
{
    FDateMode = v;
    ApplyFormat();
}

void TDateTimePicker::ApplyFormat()
{
    ++FQuiet;
    QDateTimeEdit* e = Edit();
    const QDateTime keep = e->dateTime();
    e->setDisplayFormat(FFormat.isEmpty() ? DefaultPickerQtFormat(FKind) : PickerFormatToQt(FFormat));
    e->setCalendarPopup(FKind == dtkDate && FDateMode == dmComboBox);
    e->setDateTime(keep);
    --FQuiet;
    Edit()->update();
}

TDateTime TDateTimePicker::DateTime() const
{
    return FromQDateTime(Edit()->dateTime());
}

void TDateTimePicker::SetDateTime(TDateTime v)
{
    // The program's own writes are no user change.
    ++FQuiet;
    Edit()->setDateTime(ToQDateTime(v));
    --FQuiet;
}

TDateTime TDateTimePicker::Date() const
{
    const QDate d = Edit()->date();
    return EncodeDate(d.year(), d.month(), d.day());
}

void TDateTimePicker::SetDate(TDateTime v)
{
    SetDateTime(std::floor(v) + (DateTime() - std::floor(DateTime())));
}

TDateTime TDateTimePicker::Time() const
{
    const QTime t = Edit()->time();
    return EncodeTime(t.hour(), t.minute(), t.second(), 0);
}

void TDateTimePicker::SetTime(TDateTime v)
{
    SetDateTime(std::floor(DateTime()) + (v - std::floor(v)));
}

void TDateTimePicker::SetFormat(const QString& v)
{
    FFormat = v;
    ApplyFormat();
}

void TDateTimePicker::SetMinDate(TDateTime v)
{
    FMinDate = v;
    if (v != 0) Edit()->setMinimumDateTime(ToQDateTime(v));
}

void TDateTimePicker::SetMaxDate(TDateTime v)
{
    FMaxDate = v;
    if (v != 0) Edit()->setMaximumDateTime(ToQDateTime(v));
}

void TDateTimePicker::SetShowCheckbox(bool v)
{
    FShowCheckbox = v;
    static_cast<TPickerWidget*>(Widget())->SetBoxShown(v);
    UpdateCheckState();
}

void TDateTimePicker::SetChecked(bool v)
{
    FChecked = v;
    ++FQuiet;
    FCheckBox->setChecked(v);
    --FQuiet;
    UpdateCheckState();
}

void TDateTimePicker::UpdateCheckState()
{
    // Unticked: the fields show disabled, the box stays usable.
    if (QLineEdit* le = Edit()->findChild<QLineEdit*>()) le->setEnabled(!FShowCheckbox || FChecked);
}

void TDateTimePicker::SetNoValue()
{
    SetChecked(false);
    GuardEvent([this] { DateTimeChanged(false); });
}

void TDateTimePicker::SetDroppedDown(bool v)
{
    if (v == FDroppedDown || FKind != dtkDate) return;
    auto* w = static_cast<TPickerWidget*>(Widget());
    w->WatchCalendar();
    if (!w->calendarWidget()) return;
    if (v) {
        w->calendarWidget()->window()->show();
    } else {
        w->calendarWidget()->window()->hide();
    }
}

QString TDateTimePicker::DisplayText() const
{
    return Edit()->text();
}

int TDateTimePicker::CurrentField() const
{
    return Edit()->currentSectionIndex();
}

void TDateTimePicker::SetCurrentField(int v)
{
    Edit()->setCurrentSectionIndex(std::clamp(v, 0, std::max(0, FieldCount() - 1)));
}

int TDateTimePicker::FieldCount() const
{
    return Edit()->sectionCount();
}

void TDateTimePicker::NextField()
{
    SetCurrentField(CurrentField() + 1);
}

void TDateTimePicker::DateTimeChanged(bool Valid)
{
    if (TWinControl* p = Parent()) {
        TNMDateTimeChange n;
        n.Code = DTN_DATETIMECHANGE;
        n.From = this;
        n.Valid = Valid;
        n.Value = Valid ? DateTime() : 0;
        p->Perform(WM_NOTIFY, 0, reinterpret_cast<intptr_t>(&n));
    }
    if (OnChange) OnChange(this);
}

void TDateTimePicker::SetCalendarStyle(unsigned v)
{
    FCalendarStyle = v;
    auto* w = static_cast<TPickerWidget*>(Widget());
    QCalendarWidget* cal = w->calendarWidget();
    if (!cal) return;
    cal->setVerticalHeaderFormat(v & MCS_WEEKNUMBERS ? QCalendarWidget::ISOWeekNumbers
                                                     : QCalendarWidget::NoVerticalHeader);
    // Today is marked bold unless the style says otherwise.
    QTextCharFormat today;
    if (!(v & MCS_NOTODAYCIRCLE)) today.setFontWeight(QFont::Bold);
    cal->setDateTextFormat(QDate::currentDate(), today);
}

TSize TDateTimePicker::CalendarMinSize() const
{
    auto* w = static_cast<TPickerWidget*>(Widget());
    QCalendarWidget* cal = w->calendarWidget();
    if (!cal) return TSize(0, 0);
    const QSize s = cal->minimumSizeHint();
    return TSize(s.width(), s.height());
}

TSize TDateTimePicker::CalendarSize() const
{
    auto* w = static_cast<TPickerWidget*>(Widget());
    QCalendarWidget* cal = w->calendarWidget();
    if (!cal) return TSize(0, 0);
    return TSize(cal->width(), cal->height());
}

void TDateTimePicker::SetCalendarSize(int W, int H)
{
    auto* w = static_cast<TPickerWidget*>(Widget());
    QCalendarWidget* cal = w->calendarWidget();
    if (!cal) return;
    cal->setGeometry(0, 0, std::max(0, W), std::max(0, H));
    if (QWidget* popup = cal->window(); popup && popup != cal) popup->resize(std::max(0, W), std::max(0, H));
    cal->update();
}

void TDateTimePicker::DropDown()
{
    FDroppedDown = true;
    if (OnDropDown) OnDropDown(this);
}

void TDateTimePicker::CloseUp()
{
    if (!FDroppedDown) return;
    FDroppedDown = false;
    if (OnCloseUp) OnCloseUp(this);
}

void TDateTimePicker::EnabledChanged()
{
    TWinControl::EnabledChanged();
    UpdateCheckState();
}

void TDateTimePicker::FontChanged()
{
    TWinControl::FontChanged();
    FOverlay->update();
}

void TDateTimePicker::Resize()
{
    TWinControl::Resize();
    static_cast<TPickerWidget*>(Widget())->Layout();
}
