// The drop-down edit base: the order of its construction, its presets,
// Assign, streaming, the style tables, the selection painter, the frame,
// the label and the values written through the widget.
#include "AdvDropDownBars.h"
#include "AdvUtilPaint.h"
#include "DropDownFixture.h"
#include "GraphicsRecording.h"
#include "Names.h"
#include "Persistence.h"

#include <QLineEdit>

namespace {

using DropDownBase = DropDownTest;

// Records the virtual calls that reach it while it is made.
class TRecordingDropDown : public TAdvCustomDropDown {
public:
    explicit TRecordingDropDown(TComponent* AOwner) : TAdvCustomDropDown(AOwner) {}
    QStringList Calls;
    TListBox* Late = nullptr;  // made after the base, as editors make theirs

    void CreateDropDownForm() override
    {
        Calls << QStringLiteral("CreateDropDownForm");
        TAdvCustomDropDown::CreateDropDownForm();
    }
    void CreateDropDownButton() override
    {
        Calls << QStringLiteral("CreateDropDownButton");
        TAdvCustomDropDown::CreateDropDownButton();
    }
    void UpdateDropDownButton() override
    {
        Calls << QStringLiteral("UpdateDropDownButton");
        TAdvCustomDropDown::UpdateDropDownButton();
    }
    void SetText(const QString& v) override
    {
        Calls << QStringLiteral("SetText");
        TAdvCustomDropDown::SetText(v);
    }
    void SetSelectionColorStyle(TSelectionColorStyle s) override
    {
        Calls << QStringLiteral("SetSelectionColorStyle");
        TAdvCustomDropDown::SetSelectionColorStyle(s);
    }
    void SetComponentStyle(TVisualStyle s) override
    {
        Calls << QStringLiteral("SetComponentStyle");
        TAdvCustomDropDown::SetComponentStyle(s);
        // Members made after the base are not there yet.
        if (Late) Late->SetColor(DropDownColor());
    }

protected:
    void InitializeEditor() override
    {
        TAdvCustomDropDown::InitializeEditor();
        Calls << QStringLiteral("InitializeEditor");
        Late = new TListBox(this);
    }
};

TEST_F(DropDownBase, ConstructionReachesOverridesInOrder)
{
    auto* d = Create<TRecordingDropDown>(Form);
    EXPECT_EQ(d->Calls, QStringList({"CreateDropDownForm", "CreateDropDownButton", "UpdateDropDownButton",
                                     "SetText", "SetSelectionColorStyle", "SetComponentStyle",
                                     "InitializeEditor"}));
    // The fresh look: Luna pop-up colours and the Office 2007 selection.
    EXPECT_EQ(d->DropDownColor(), 15984090);
    EXPECT_EQ(d->DropDownColorTo(), 15785680);
    EXPECT_EQ(d->DropDownBorderColor(), clNone);
    EXPECT_EQ(d->SelectionColor(), 14155773);
    EXPECT_EQ(d->SelectionColorTo(), 5821692);
    EXPECT_EQ(d->GetComponentStyle(), TVisualStyle::tsOffice2007Luna);
    EXPECT_EQ(d->Width(), 200);
    EXPECT_EQ(d->Height(), 21);
    EXPECT_EQ(d->DropDownButtonWidth(), 17);
    EXPECT_EQ(d->Button()->OwnWidth(), 16) << "a new drop button is 16 wide although the width reads 17";
    EXPECT_EQ(d->Version(), QStringLiteral("1.2.1.4"));
    d->SetVersion(QStringLiteral("9.9"));
    EXPECT_EQ(d->Version(), QStringLiteral("1.2.1.4"));
    EXPECT_TRUE(d->Late);
}

TEST_F(DropDownBase, StyleTableSamples)
{
    auto* d = Create<TTestListDropDown>(Form);
    d->SetComponentStyle(TVisualStyle::tsWindowsVista);
    EXPECT_EQ(d->DropDownHeader()->Color(), 16776697);
    EXPECT_EQ(d->DropDownHeader()->ColorTo(), 16775920);
    EXPECT_EQ(d->DropDownFooter()->Color(), 16775920) << "the footer's gradient runs the other way";
    EXPECT_EQ(d->DropDownFooter()->ColorTo(), 16776697);
    EXPECT_EQ(d->DropDownBorderColor(), 9934743);
    EXPECT_EQ(d->ButtonAppearance()->BorderColorDown(), 16703386);

    d->SetComponentStyle(TVisualStyle::tsOffice2003Blue);
    EXPECT_EQ(d->DropDownHeader()->BorderColor(), 0);
    EXPECT_EQ(d->DropDownFooter()->BorderColor(), 9841920);
    EXPECT_EQ(d->ButtonAppearance()->Color(), 16572875);
    EXPECT_EQ(d->ButtonAppearance()->ColorHot(), 15465983);

    // Blue, Silver and XP leave the pop-up border alone.
    for (TVisualStyle s : {TVisualStyle::tsOffice2003Blue, TVisualStyle::tsOffice2003Silver,
                           TVisualStyle::tsWindowsXP}) {
        d->SetDropDownBorderColor(clLime);
        d->SetComponentStyle(s);
        EXPECT_EQ(d->DropDownBorderColor(), clLime) << int(s);
    }
    // Custom only changes the style read back.
    d->SetComponentStyle(TVisualStyle::tsOffice2010Black);
    const TColor header = d->DropDownHeader()->Color(), button = d->ButtonAppearance()->ColorDown();
    d->SetComponentStyle(TVisualStyle::tsCustom);
    EXPECT_EQ(d->GetComponentStyle(), TVisualStyle::tsCustom);
    EXPECT_EQ(d->DropDownHeader()->Color(), header);
    EXPECT_EQ(d->ButtonAppearance()->ColorDown(), button);
    EXPECT_EQ(d->DropDownHeader()->Font()->Color(), 14145494);
}

TEST_F(DropDownBase, SelectionStylesKeepOrOverwriteUserColours)
{
    auto* d = Create<TTestListDropDown>(Form);
    d->SetSelectionColorStyle(scCustom);
    d->SetSelectionColor(clRed);
    d->SetSelectionColorTo(clYellow);
    EXPECT_EQ(d->SelectionColor(), clRed);
    d->SetSelectionColorStyle(scWindows7);
    EXPECT_EQ(d->SelectionColor(), 16575452);
    EXPECT_EQ(d->SelectionColorTo(), 16571329);
    d->SetSelectionColorStyle(scCustom);
    EXPECT_EQ(d->SelectionColor(), 16575452) << "switching back restores nothing";
}

TEST_F(DropDownBase, DrawSelectionPerStyle)
{
    auto* d = Create<TTestListDropDown>(Form);
    const TRect r(0, 0, 60, 20);
    d->SetSelectionColorStyle(scCustom);
    d->SetSelectionColor(clRed);
    TRecordingCanvas custom;
    d->DrawSelection(&custom, r, clWhite, 0);
    ASSERT_EQ(custom.Ops().size(), 1u);
    EXPECT_EQ(custom.Ops()[0].Kind, QStringLiteral("Rectangle"));
    EXPECT_EQ(custom.Ops()[0].BrushColor, clRed);
    EXPECT_EQ(custom.Ops()[0].PenColor, clRed);

    // The framed styles: the same painter arguments draw the same pixels.
    const struct {
        TSelectionColorStyle Style;
        TColor Corner, Border, Lower, Upper, MirrorFrom, MirrorTo;
    } frames[] = {
        {scOffice2007, 12835295, 9295827, 13302015, 16056063, 5821692, 11792892},
        {scWindowsVista, 16575947, 16637593, 16643559, 16645110, clNone, clNone},
        {scWindows7, 14730670, 13542013, 16640731, 16643307, clNone, clNone},
    };
    for (const auto& f : frames) {
        d->SetSelectionColorStyle(f.Style);
        TRecordingCanvas got, want;
        d->DrawSelection(&got, r, clWhite, 1);
        DrawGradientButtonFrame(&want, r, 1, d->SelectionColor(), d->SelectionColorTo(), f.MirrorFrom, f.MirrorTo,
                                f.Border, f.Upper, f.Lower, f.Corner, clWhite);
        EXPECT_EQ(got.Log(), want.Log()) << int(f.Style);
        EXPECT_FALSE(got.Log().isEmpty());
    }
}

TEST_F(DropDownBase, ColorTonesColourTheButtonAndBorder)
{
    auto* d = Create<TTestListDropDown>(Form);
    TColorTones t;
    t.Background.BrushColor = clAqua;
    t.Background.BorderColor = clNavy;
    t.Hover.BrushColor = clYellow;
    t.Selected.BrushColor = clRed;
    d->SetColorTones(t);
    EXPECT_EQ(d->Button()->ButtonColor(), clAqua);
    EXPECT_EQ(d->Button()->ButtonColorHot(), clYellow);
    EXPECT_EQ(d->Button()->ButtonColorDown(), clRed);
    EXPECT_EQ(d->Button()->ButtonBorderColor(), clNavy);
    EXPECT_EQ(d->BorderColor(), clNavy);
    // Through the library's interface as well.
    IVisualStyle* style = d;
    style->SetComponentStyle(TVisualStyle::tsWindows7);
    EXPECT_EQ(d->GetComponentStyle(), TVisualStyle::tsWindows7);
}

TEST_F(DropDownBase, AssignCopiesTheListedPropertiesOnly)
{
    auto* a = Create<TTestListDropDown>(Form);
    auto* b = Create<TTestListDropDown>(Form);
    a->SetDropDownColor(clRed);
    a->SetDropDownWidth(300);
    a->SetEditType(etFloat);
    a->SetPrecision(3);
    a->SetPrefix(QStringLiteral("$"));
    a->SetDropDownButtonWidth(20);
    a->SetDropDownButtonHint(QStringLiteral("Open"));
    a->SetEditorEnabled(false);
    a->SetFlat(true);
    a->SetSelectionColorStyle(scWindows7);
    a->DropDownHeader()->SetHeight(30);
    // Not copied:
    a->SetTextDirect(QStringLiteral("1.000"));
    a->SetBorderColor(clNavy);
    a->SetLabelCaption(QStringLiteral("Baud"));
    a->OnDropDown = [](TObject*, bool&) {};

    b->Assign(a);
    EXPECT_EQ(b->DropDownColor(), clRed);
    EXPECT_EQ(b->DropDownWidth(), 300);
    EXPECT_EQ(b->EditType(), etFloat);
    EXPECT_EQ(b->Precision(), 3);
    EXPECT_EQ(b->Prefix(), QStringLiteral("$"));
    EXPECT_EQ(b->DropDownButtonWidth(), 20);
    EXPECT_EQ(b->Button()->OwnWidth(), 20);
    EXPECT_EQ(b->Button()->Hint(), QStringLiteral("Open"));
    EXPECT_FALSE(b->EditorEnabled());
    EXPECT_TRUE(b->ControlStyle() & csDoubleClicks) << "the field only, not the style change";
    EXPECT_TRUE(b->Flat());
    EXPECT_EQ(b->SelectionColorStyle(), scWindows7);
    EXPECT_EQ(b->DropDownHeader()->Height(), 30);
    EXPECT_NE(b->Text(), QStringLiteral("1.000"));
    EXPECT_EQ(b->BorderColor(), clNone);
    EXPECT_TRUE(b->LabelCaption().isEmpty());
    EXPECT_FALSE(b->OnDropDown);
    // From anything else nothing happens.
    TStringList other;
    EXPECT_NO_THROW(b->Assign(&other));
}

TEST_F(DropDownBase, StreamedStylesComeBackWithoutThePresets)
{
    auto* d = Create<TTestListDropDown>(Form);
    const TPropertyList* props = d->PropertyList();
    ASSERT_TRUE(props);
    EXPECT_EQ(std::get<int>(props->Read(d, QStringLiteral("ZURStyle"))), int(TVisualStyle::tsOffice2007Luna));
    EXPECT_EQ(std::get<int>(props->Read(d, QStringLiteral("SelectionColorStyle"))), int(scOffice2007));
    props->Write(d, QStringLiteral("ZURStyle"), int(TVisualStyle::tsOffice2003Blue));
    props->Write(d, QStringLiteral("SelectionColorStyle"), int(scWindows7));
    EXPECT_EQ(d->GetComponentStyle(), TVisualStyle::tsOffice2003Blue);
    EXPECT_EQ(d->SelectionColorStyle(), scWindows7);
    EXPECT_EQ(d->DropDownColor(), 15984090) << "the colours of the preset are not applied";
    EXPECT_EQ(d->SelectionColor(), 14155773);
    props->Write(d, QStringLiteral("ZURStyle"), 99);
    EXPECT_EQ(d->GetComponentStyle(), TVisualStyle::tsOffice2003Blue) << "an ordinal out of range is ignored";
}

TEST_F(DropDownBase, WrittenSizesForgetTheUserSize)
{
    auto* d = Create<TTestListDropDown>(Form);
    d->SetDropDownWidth(0);
    EXPECT_EQ(d->UserDropDownWidth(), -1);
    d->SetDropDownButtonHint(QStringLiteral("Pick"));
    EXPECT_TRUE(d->Button()->ShowHint());
    d->SetDropDownButtonHint(QString());
    EXPECT_FALSE(d->Button()->ShowHint());
}

TEST_F(DropDownBase, LabelInAllFifteenPositions)
{
    ShowForm();
    auto* d = Add<TTestListDropDown>(100, 100, 150, 21);
    d->SetLabelMargin(4);
    d->SetLabelCaption(QStringLiteral("Port"));
    TLabel* label = d->Label();
    ASSERT_TRUE(label);
    const int lw = label->Width(), lh = label->Height();
    const int L = 100, T = 100, W0 = 150, H0 = d->Height(), M = 4;
    const int centredTop = T + (H0 - lh) / 2, centredLeft = L + (W0 - lw) / 2;
    const struct {
        TLabelPosition Position;
        int Left, Top;
    } cases[] = {
        {lpLeftTop, L - lw - M, T},
        {lpLeftCenter, L - lw - M, centredTop},
        {lpLeftBottom, L - lw - M, T + H0 - lh},
        {lpTopLeft, L, T - lh - M},
        {lpBottomLeft, L, T + H0 + M},
        {lpLeftTopLeft, L - M, T},
        {lpLeftCenterLeft, L - M, centredTop},
        {lpLeftBottomLeft, L - M, T + H0 - lh},
        {lpTopCenter, centredLeft, T - lh - M},
        {lpBottomCenter, centredLeft, T + H0 + M},
        {lpRightTop, L + W0 + M, T},
        {lpRightCenter, L + W0 + M, centredTop},
        {lpRighBottom, L + W0 + M, T + H0 - lh},
        {lpTopRight, L + W0 - lw, T - lh - M},
        {lpBottomRight, L + W0 - lw, T + H0 + M},
    };
    for (const auto& c : cases) {
        d->SetLabelPosition(c.Position);
        EXPECT_EQ(label->Left(), c.Left) << int(c.Position);
        EXPECT_EQ(label->Top(), c.Top) << int(c.Position);
    }
    d->SetVisible(false);
    EXPECT_FALSE(label->Visible()) << "the label hides with the edit";
    d->SetVisible(true);
    EXPECT_TRUE(label->Visible());
}

TEST_F(DropDownBase, BorderColourByStateAndFocus)
{
    ShowForm();
    auto* other = Add<TEdit>(20, 200, 80, 21);
    const struct {
        TColor Border, Focus;
        bool Enabled, Focused;
        TColor Frame;  // the outer frame colour; clNone: no frame of ours
    } cases[] = {
        {clNavy, clRed, true, false, clNavy},
        {clNavy, clRed, true, true, clRed},
        {clNone, clRed, true, false, clNone},
        {clNone, clRed, true, true, clRed},
        {clNavy, clNone, true, true, clNavy},
        {clNone, clNone, false, false, clSilver},  // a disabled themed edit
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Border << "/" << c.Focus << " enabled " << c.Enabled << " focused "
                                        << c.Focused);
        auto* d = Add<TTestListDropDown>(20, 20);
        d->SetBorderColor(c.Border);
        d->SetFocusBorderColor(c.Focus);
        d->SetEnabled(c.Enabled);
        if (c.Focused) d->SetFocus(); else other->SetFocus();
        TRecordingCanvas canvas;
        d->DrawBorder(&canvas);
        if (c.Frame == clNone) {
            EXPECT_TRUE(canvas.Ops().empty());
        } else {
            ASSERT_FALSE(canvas.Ops().empty());
            EXPECT_EQ(canvas.Ops()[0].Kind, QStringLiteral("FrameRect"));
            EXPECT_EQ(canvas.Ops()[0].BrushColor, c.Frame);
            EXPECT_EQ(canvas.Ops()[0].Rect, d->ClientRect());
        }
        Free(d);
    }
}

TEST_F(DropDownBase, HeightBelowTheMinimumGrowsBack)
{
    auto* d = Add<TTestListDropDown>(20, 20);
    const int minimum = d->GetMinHeight();
    ASSERT_GT(minimum, 5);
    d->SetHeight(5);
    EXPECT_EQ(d->Height(), minimum);
    d->SetHeight(30);
    EXPECT_EQ(d->Height(), 30);
    // The button sits at the right edge inside the frame.
    EXPECT_EQ(d->Button()->Left() + d->Button()->Width(), d->Width() - 2);
    EXPECT_EQ(d->GetEditRect().Right, d->Width() - 4 - d->Button()->OwnWidth() - 3);
}

TEST_F(DropDownBase, FocusBoxOfAnEditThatCannotBeTyped)
{
    auto* d = Focused<TTestListDropDown>();
    d->SetEditorEnabled(false);
    d->SetTextDirect(QStringLiteral("Serial"));
    TRecordingCanvas canvas;
    d->PaintEditArea(&canvas);
    ASSERT_EQ(canvas.Ops().size(), 2u);
    EXPECT_EQ(canvas.Ops()[0].Kind, QStringLiteral("Rectangle"));
    EXPECT_EQ(canvas.Ops()[0].Rect, TRect(2, 2, d->Width() - 17 - 1, d->Height() - 2));
    EXPECT_EQ(canvas.Ops()[0].BrushColor, clHighlight);
    EXPECT_EQ(canvas.Ops()[1].Text, QStringLiteral("Serial"));
    EXPECT_EQ(canvas.Ops()[1].FontColor, clHighlightText);
    d->SetFocusDraw(false);
    canvas.ClearLog();
    d->PaintEditArea(&canvas);
    EXPECT_TRUE(canvas.Ops().empty());
}

TEST_F(DropDownBase, ClipboardThroughTheWidget)
{
    auto* d = Focused<TTestListDropDown>();
    d->SetEditType(etNumeric);
    d->SetMaxLength(5);
    QStringList pasted;
    d->OnClipboardPaste = [&](TObject*, QString value, bool&) { pasted << value; };
    Clipboard().SetAsText(QStringLiteral("34"));
    d->SetText(QStringLiteral("12"));
    d->SetSelStart(2);
    Key(d, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(d->Text(), QStringLiteral("1234"));
    EXPECT_EQ(d->SelStart(), 4);
    EXPECT_EQ(pasted, QStringList({"1234"}));
    // Beyond MaxLength: refused, the caret still goes where it would.
    Key(d, Qt::Key_Home);
    Key(d, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(d->Text(), QStringLiteral("1234"));
    Clipboard().SetAsText(QStringLiteral("x"));
    d->SetSelStart(1);
    Key(d, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(d->Text(), QStringLiteral("1234")) << "a number type takes no letter";
    EXPECT_EQ(d->SelStart(), 2);
    // Copy reports the selected part of the value.
    QString copied;
    d->OnClipboardCopy = [&](TObject*, QString value, bool&) { copied = value; };
    d->SetSelStart(1);
    d->SetSelLength(2);
    Key(d, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(copied, QStringLiteral("23"));
    EXPECT_EQ(Clipboard().AsText(), QStringLiteral("23"));
}

TEST_F(DropDownBase, TypingOverAWholeSelectionFiresNoChangeAndErasingFiresOne)
{
    auto* d = Focused<TTestListDropDown>();
    d->SetText(QStringLiteral("abc"));
    int changes = 0;
    d->OnChange = [&](TObject*) { ++changes; };
    d->SelectAll();
    Type(d, QStringLiteral("x"));
    EXPECT_EQ(d->Text(), QStringLiteral("x"));
    EXPECT_EQ(changes, 0);
    Type(d, QStringLiteral("y"));
    EXPECT_EQ(changes, 1);
    d->SelectAll();
    Key(d, Qt::Key_Backspace);
    EXPECT_TRUE(d->Text().isEmpty());
    EXPECT_EQ(changes, 2);
    // A refused character leaves the next change to be seen.
    d->SetEditType(etNumeric);
    d->SetText(QStringLiteral("12"));
    changes = 0;
    d->SelectAll();
    Type(d, QStringLiteral("q"));
    d->SetSelStart(2);
    Type(d, QStringLiteral("3"));
    EXPECT_EQ(d->Text(), QStringLiteral("123"));
    EXPECT_EQ(changes, 1);
}

TEST_F(DropDownBase, EscapeSelectsAllAndClearsTheModifiedState)
{
    auto* d = Focused<TTestListDropDown>();
    d->SetText(QStringLiteral("abc"));
    d->SetSelStart(3);
    Type(d, QStringLiteral("d"));
    EXPECT_TRUE(d->GetIsModified());
    Key(d, Qt::Key_Escape);
    EXPECT_FALSE(d->GetIsModified());
    EXPECT_EQ(d->SelLength(), 4);
    EXPECT_EQ(d->Text(), QStringLiteral("abcd")) << "only a cancelled pop-up restores the text";
}

TEST_F(DropDownBase, ValuesWrittenByType)
{
    auto* d = Add<TTestListDropDown>(20, 20);
    d->SetPrecision(2);
    d->SetFloatValue(3.14159);
    EXPECT_EQ(d->Text(), QStringLiteral("3.14"));
    d->SetPrecision(-1);
    d->SetFloatValue(3.14159);
    EXPECT_EQ(d->Text(), QStringLiteral("3.14159"));
    d->SetEditType(etNumeric);
    EXPECT_EQ(d->Text(), QStringLiteral("0")) << "a text that is no integer becomes 0";
    d->SetPrecision(2);
    EXPECT_EQ(d->Precision(), -1) << "ignored for a numeric edit";
    d->SetText(QString());
    EXPECT_EQ(d->Text(), QStringLiteral("0"));
    d->SetEditType(etMoney);
    d->SetIntValue(1234567);
    EXPECT_EQ(d->Text(), QStringLiteral("1,234,567"));
    EXPECT_EQ(d->GetFloatValue(), 1234567);
    d->SetEditType(etPassword);
    EXPECT_EQ(d->PasswordChar(), QChar(u'*'));
    EXPECT_FALSE(d->CanUndo());
}

TEST_F(DropDownBase, APressInsideTheSelectionKeepsItUntilTheRelease)
{
    auto* d = Focused<TTestListDropDown>(20, 20, 200);
    d->SetText(QStringLiteral("abcdefgh"));
    d->SetSelStart(2);
    d->SetSelLength(4);
    QLineEdit* e = static_cast<QLineEdit*>(d->Widget());
    // A point inside the selected "cdef": where the character index 4 begins.
    QPoint inside(0, d->Height() / 2);
    while (inside.x() < d->Width() && d->CharFromPos(TPoint(inside.x(), inside.y())) < 4) inside.rx()++;
    ASSERT_EQ(d->CharFromPos(TPoint(inside.x(), inside.y())), 4);
    QTest::mousePress(e, Qt::LeftButton, Qt::NoModifier, inside);
    EXPECT_EQ(d->SelStart(), 2);
    EXPECT_EQ(d->SelLength(), 4) << "the press is swallowed";
    QTest::mouseRelease(e, Qt::LeftButton, Qt::NoModifier, inside);
    EXPECT_EQ(d->SelLength(), 0);
    EXPECT_EQ(d->SelStart(), d->CharFromPos(TPoint(inside.x(), inside.y())));
}

TEST_F(DropDownBase, ReturnIsTabMovesOn)
{
    ShowForm();
    auto* d = Add<TTestListDropDown>(20, 20);
    auto* next = Add<TEdit>(20, 60, 100, 21);
    d->SetReturnIsTab(true);
    d->SetFocus();
    Key(d, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(next->Focused());
}

TEST_F(DropDownBase, TheWheelReachesTheEditorsWheelOperations)
{
    class TWheelDropDown : public TTestListDropDown {
    public:
        using TTestListDropDown::TTestListDropDown;
        int Down = 0, Up = 0;
        void DoWheelDown() override { ++Down; }
        void DoWheelUp() override { ++Up; }
    };
    auto* d = Focused<TWheelDropDown>();
    d->Perform(WM_MOUSEWHEEL, uintptr_t(uint16_t(int16_t(-120))) << 16, MakeLParam(5, 5));
    d->Perform(WM_MOUSEWHEEL, uintptr_t(uint16_t(int16_t(240))) << 16, MakeLParam(5, 5));
    EXPECT_EQ(d->Down, 1);
    EXPECT_EQ(d->Up, 2);
}

}  // namespace
