// The spin edit: the value model and the character filter as tables, the
// steps of every type, the keys, the repeat timer and the arrow layout.
#include "DialogResponder.h"
#include "EditorsFixture.h"
#include "Resources.h"
#include "TestHarness.h"
#include "asgspin.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLineEdit>

namespace {

class SpinTest : public EditorTest {
protected:
    TAsgSpinEdit* NewSpin(TAsgSpinType type = sptNormal, const QString& text = QStringLiteral("0"))
    {
        auto* s = Add<TAsgSpinEdit>(20, 20, 121, 21);
        s->SetSpinType(type);
        s->SetText(text);
        return s;
    }
    static QLineEdit* LineEdit(TAsgSpinEdit* s) { return static_cast<QLineEdit*>(s->Widget()); }
};

TEST_F(SpinTest, ValueModel)
{
    EXPECT_EQ(SpinReadValue(QString(), 10), 0);
    EXPECT_EQ(SpinReadValue(QStringLiteral("abc"), 10), 10);
    EXPECT_EQ(SpinReadValue(QStringLiteral(" 42 "), 10), 42);
    EXPECT_EQ(SpinReadValue(QStringLiteral("$1F"), 0), 31);
    EXPECT_DOUBLE_EQ(SpinReadFloat(QStringLiteral("abc"), 2.5), 2.5);
    EXPECT_DOUBLE_EQ(SpinReadFloat(QStringLiteral("1.5"), 2.5), 1.5);
    const TDateTime now = FClock->Now();
    EXPECT_DOUBLE_EQ(SpinReadDate(QStringLiteral("0"), 5), now);
    EXPECT_DOUBLE_EQ(SpinReadDate(QString(), 5), now);
    EXPECT_DOUBLE_EQ(SpinReadDate(QStringLiteral("xx.yy"), 5), 5);
    EXPECT_DOUBLE_EQ(SpinReadDate(QStringLiteral("31.01.2024"), 5), EncodeDate(2024, 1, 31));
    EXPECT_DOUBLE_EQ(SpinReadTime(QStringLiteral("nonsense")), 0);

    TAsgSpinEdit* s = NewSpin();
    s->SetMinValue(5);
    s->SetMaxValue(5);
    s->SetValue(1000);
    EXPECT_EQ(s->Text(), QStringLiteral("1000"));
    s->SetMaxValue(100);
    s->SetValue(1000);
    EXPECT_EQ(s->Text(), QStringLiteral("100"));

    // A float edit falls back to its float minimum, not the integer one.
    TAsgSpinEdit* f = NewSpin(sptFloat, QStringLiteral("abc"));
    f->SetMinValue(0);
    f->SetMinFloatValue(2.5);
    EXPECT_DOUBLE_EQ(f->FloatValue(), 2.5);
    f->SetMinFloatValue(0);
    f->SetPrecision(2);
    f->SetFloatValue(1.5);
    EXPECT_EQ(f->Text(), QStringLiteral("1.50"));
    f->SetPrecision(0);
    f->SetFloatValue(0.1 + 0.2);
    EXPECT_EQ(f->Text(), QStringLiteral("0.3"));
}

TEST_F(SpinTest, ValidCharacters)
{
    const QChar esc(27), ctrlC(3);
    const struct {
        const char* name;
        TAsgSpinType type;
        const char* text;
        int selStart, selLength;
        QChar key;
        bool editor;
        int precision;
        bool accepted;
    } rows[] = {
        {"float digit beyond precision", sptFloat, "1.25", 4, 0, u'3', true, 2, false},
        {"float digit, precision 0", sptFloat, "1.25", 4, 0, u'3', true, 0, true},
        {"float digit before separator", sptFloat, "1.25", 1, 0, u'3', true, 2, true},
        {"second decimal separator", sptFloat, "1.25", 4, 0, u'.', true, 0, false},
        {"decimal separator replacing the first", sptFloat, "1.25", 1, 1, u'.', true, 0, true},
        {"minus at caret 2", sptNormal, "12", 2, 0, u'-', true, 0, false},
        {"minus at caret 0", sptNormal, "12", 0, 0, u'-', true, 0, true},
        {"second minus, first selected", sptNormal, "-12", 0, 1, u'-', true, 0, true},
        {"thousand separator in integer", sptNormal, "12", 2, 0, u',', true, 0, false},
        {"plus in integer", sptNormal, "12", 2, 0, u'+', true, 0, false},
        {"Ctrl+C in integer", sptNormal, "12", 2, 0, ctrlC, true, 0, false},
        {"thousand separator in float", sptFloat, "12", 2, 0, u',', true, 0, false},
        {"third time separator", sptTime, "10:20:30", 8, 0, u':', true, 0, false},
        {"second time separator", sptTime, "10:20", 5, 0, u':', true, 0, true},
        {"time separator in a date", sptDate, "10.", 3, 0, u':', true, 0, false},
        {"date separator in a date", sptDate, "10", 2, 0, u'.', true, 0, true},
        {"letter", sptFloat, "1", 1, 0, u'a', true, 0, false},
        {"editor off: float digit", sptFloat, "1", 1, 0, u'2', false, 0, false},
        {"editor off: float Escape", sptFloat, "1", 1, 0, esc, false, 0, true},
        {"editor off: integer Escape", sptNormal, "1", 1, 0, esc, false, 0, false},
        {"backspace, editor on", sptNormal, "1", 1, 0, QChar(8), true, 0, true},
        {"backspace, editor off", sptFloat, "1", 1, 0, QChar(8), false, 0, false},
    };
    for (const auto& r : rows) {
        TSpinCharInput in{r.key, QString::fromLatin1(r.text), r.selStart, r.selLength, r.type, r.editor, r.precision};
        EXPECT_EQ(SpinIsValidChar(in), r.accepted) << r.name;
    }
}

TEST_F(SpinTest, Stepping)
{
    TAsgSpinEdit* s = NewSpin();
    s->SetIncrement(5);
    s->IncValue(false);
    EXPECT_EQ(s->Text(), QStringLiteral("5"));
    s->IncValue(true);
    EXPECT_EQ(s->Text(), QStringLiteral("10"));

    TAsgSpinEdit* f = NewSpin(sptFloat, QStringLiteral("1.5"));
    f->IncValue(true);
    EXPECT_EQ(f->Text(), QStringLiteral("2.5"));
    f->DecValue(false);
    EXPECT_EQ(f->Text(), QStringLiteral("2.4"));

    const struct { const char* text; int caret; bool up; const char* expect; } times[] = {
        {"23:30:00", 0, true, "00:30:00"},
        {"00:00:30", 3, false, "23:59:30"},
        {"10:20:30", 7, true, "10:20:31"},
        {"10:20:30", 4, true, "10:21:30"},
    };
    TAsgSpinEdit* t = NewSpin(sptTime);
    for (auto r : times) {
        t->SetText(QString::fromLatin1(r.text));
        t->SetSelStart(r.caret);
        r.up ? t->IncValue(false) : t->DecValue(false);
        EXPECT_EQ(t->Text(), QString::fromLatin1(r.expect)) << r.text << " " << r.caret;
    }

    const struct { const char* text; int caret; const char* expect; } dates[] = {
        {"31.01.2024", 0, "01.02.2024"},
        {"31.01.2024", 4, "29.02.2024"},
        {"31.01.2024", 8, "31.01.2025"},
    };
    TAsgSpinEdit* d = NewSpin(sptDate);
    for (auto r : dates) {
        d->SetText(QString::fromLatin1(r.text));
        d->SetSelStart(r.caret);
        d->IncValue(false);
        EXPECT_EQ(d->Text(), QString::fromLatin1(r.expect)) << r.text << " " << r.caret;
        EXPECT_FALSE(d->UsDates());
    }

    FormatSettings us = EditorTestFormat();
    us.ShortDateFormat = QStringLiteral("MM/dd/yyyy");
    us.DateSeparator = u'/';
    UseFormat(us);
    d->SetText(QStringLiteral("01/31/2024"));
    d->SetSelStart(0);
    d->IncValue(false);
    EXPECT_EQ(d->Text(), QStringLiteral("02/29/2024"));
    EXPECT_TRUE(d->UsDates());
}

TEST_F(SpinTest, StepsThatCannotBeMadeKeepTheValue)
{
    TAsgSpinEdit* d = NewSpin(sptDate, QStringLiteral("29.02.2024"));
    d->SetSelStart(8);
    EXPECT_THROW(d->IncValue(false), Exception);
    EXPECT_EQ(d->Text(), QStringLiteral("29.02.2024"));

    TAsgSpinEdit* t = NewSpin(sptTime, QStringLiteral("10:00:00"));
    t->SetIncrementHours(24);
    t->SetSelStart(0);
    EXPECT_THROW(t->IncValue(false), Exception);
    EXPECT_EQ(t->Text(), QStringLiteral("10:00:00"));

    // From the arrow button the failure is one reported message.
    Form->Show();
    d->SetFocus();
    d->SetSelStart(8);
    DialogResponder r;
    r.ExpectMessage(QStringLiteral("cannot be moved by a year"));
    TAdvTimerSpeedButton* up = d->Button()->UpButton();
    Input::Click(up, QPoint(3, 3));
    EXPECT_EQ(r.Pending(), 0);
    EXPECT_EQ(d->Text(), QStringLiteral("29.02.2024"));
}

TEST_F(SpinTest, ReadOnlyBeeps)
{
    TAsgSpinEdit* s = NewSpin();
    s->SetReadOnly(true);
    s->IncValue(false);
    EXPECT_EQ(s->Text(), QStringLiteral("0"));
    EXPECT_EQ(Beeps.Count(), 1);
}

TEST_F(SpinTest, Keys)
{
    Form->Show();
    TAsgSpinEdit* s = NewSpin();
    auto* next = Add<TEdit>(20, 60, 100, 21);
    int keyDowns = 0;
    s->OnKeyDown = [&](TObject*, Word&, TShiftState) { ++keyDowns; };
    s->SetFocus();
    Input::Key(s->Widget(), Qt::Key_Up);
    EXPECT_EQ(s->Text(), QStringLiteral("1"));
    Input::Key(s->Widget(), Qt::Key_PageUp);
    EXPECT_EQ(s->Text(), QStringLiteral("2"));
    EXPECT_EQ(keyDowns, 0);

    // Editor off: digits refused with a beep each; Up steps and selects all;
    // Delete and paste change nothing.
    s->SetEditorEnabled(false);
    Beeps.Reset();
    Input::Key(s->Widget(), Qt::Key_unknown, Qt::NoModifier, QStringLiteral("7"));
    Input::Key(s->Widget(), Qt::Key_unknown, Qt::NoModifier, QStringLiteral("8"));
    EXPECT_EQ(s->Text(), QStringLiteral("2"));
    EXPECT_EQ(Beeps.Count(), 2);
    Input::Key(s->Widget(), Qt::Key_Up);
    EXPECT_EQ(s->Text(), QStringLiteral("3"));
    EXPECT_EQ(s->SelLength(), 1);
    s->SetSelStart(0);
    Input::Key(s->Widget(), Qt::Key_Delete);
    QApplication::clipboard()->setText(QStringLiteral("99"));
    Input::Key(s->Widget(), Qt::Key_V, Qt::ControlModifier);
    Input::Key(s->Widget(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(s->Text(), QStringLiteral("3"));
    s->SetEditorEnabled(true);

    // Keypad decimal key with "," as the decimal separator.
    FormatSettings comma = EditorTestFormat();
    comma.DecimalSeparator = u',';
    comma.ThousandSeparator = u'.';
    UseFormat(comma);
    TAsgSpinEdit* f = NewSpin(sptFloat, QStringLiteral("1"));
    f->SetExcelStyleDecimalSeparator(true);
    f->SetFocus();
    f->SetSelStart(1);
    Input::Key(f->Widget(), Qt::Key_Period, Qt::KeypadModifier, QStringLiteral("."));
    EXPECT_EQ(f->Text(), QStringLiteral("1,"));
    UseFormat(EditorTestFormat());

    // Enter as Tab.
    s->SetFocus();
    s->SetReturnIsTab(true);
    Input::Key(s->Widget(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::processEvents();
    EXPECT_FALSE(s->Focused());
    (void)next;
}

TEST_F(SpinTest, LeavingClampsReadableText)
{
    Form->Show();
    TAsgSpinEdit* s = NewSpin();
    auto* other = Add<TEdit>(20, 60, 100, 21);
    s->SetFocus();
    s->SetText(QStringLiteral("150"));
    other->SetFocus();
    EXPECT_EQ(s->Text(), QStringLiteral("100"));
    s->SetFocus();
    s->SetText(QStringLiteral("abc"));
    other->SetFocus();
    EXPECT_EQ(s->Text(), QStringLiteral("abc"));
}

TEST_F(SpinTest, RepeatTimer)
{
    Form->Show();
    TAsgSpinEdit* s = NewSpin();
    TAdvTimerSpeedButton* up = s->Button()->UpButton();
    Input::Press(up, QPoint(3, 3));
    EXPECT_EQ(up->RepeatInterval(), 400);
    EXPECT_EQ(s->Text(), QStringLiteral("0"));
    up->TimerExpired();
    EXPECT_EQ(up->RepeatInterval(), 100);
    EXPECT_EQ(s->Text(), QStringLiteral("1"));
    Input::Release(up, QPoint(3, 3));
    EXPECT_EQ(up->RepeatInterval(), 0);
    EXPECT_EQ(s->Text(), QStringLiteral("2"));

    Input::Click(up, QPoint(3, 3));
    EXPECT_EQ(s->Text(), QStringLiteral("3"));

    // A step that raises stops the timer before the message.
    s->SetSpinType(sptTime);
    s->SetText(QStringLiteral("10:00:00"));
    s->SetIncrementHours(30);
    s->SetSelStart(0);
    Input::Press(up, QPoint(3, 3));
    EXPECT_THROW(up->TimerExpired(), Exception);
    EXPECT_EQ(up->RepeatInterval(), 0);
    EXPECT_FALSE(up->TimerRunning(1));
    DialogResponder r;
    r.ExpectMessage(QStringLiteral("cannot be stepped"));
    Input::Release(up, QPoint(3, 3));
    EXPECT_EQ(r.Pending(), 0);
}

TEST_F(SpinTest, ArrowLayoutAndGlyphs)
{
    TRect up, down;
    SpinArrowRects(spVertical, 15, 21, up, down);
    EXPECT_EQ(up, Bounds(0, 0, 15, 10));
    EXPECT_EQ(down, Bounds(0, 9, 15, 12));
    SpinArrowRects(spHorizontal, 20, 17, up, down);
    EXPECT_EQ(down, Bounds(0, 0, 10, 17));
    EXPECT_EQ(up, Bounds(11, 0, 10, 17));

    TAsgSpinButton* b = NewSpin()->Button();
    b->SetDirection(spHorizontal);
    EXPECT_EQ(b->Width(), 20);
    EXPECT_EQ(b->UpButton()->ButtonDirection(), bdRight);
    EXPECT_EQ(b->DownButton()->ButtonDirection(), bdLeft);
    EXPECT_EQ(b->ButtonColors().BorderColor, TColor(0));

    // The default glyph: olive, rows of 1, 3, 5, 7 black pixels under an empty row.
    QImage g = b->UpButton()->Glyph()->Image().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(g.size(), QSize(9, 6));
    const char* rows[] = {".........", "....#....", "...###...", "..#####..", ".#######.", "........."};
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 9; ++x)
            EXPECT_EQ(g.pixel(x, y), rows[y][x] == '#' ? qRgb(0, 0, 0) : qRgb(128, 128, 0)) << x << "," << y;
    QImage d = b->DownButton()->Glyph()->Image().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(d, g.mirrored(false, true));
}

}  // namespace
