// The look's settings objects as the grid creates them: creation values,
// owned parts, and an Assign that takes its own class and copies nothing
// yet.

#include "AdvGridLook.h"
#include "HoldersTestKit.h"

#include <gtest/gtest.h>

using TLookValues = std::vector<std::string>;

namespace {

TLookValues LookValuesOf(const TControlLook& l)
{
    return {HOLDER_VALUE(l, CheckSize), HOLDER_VALUE(l, RadioSize), HOLDER_VALUE(l, ControlStyle),
            HOLDER_COLOR(l, Color), HOLDER_COLOR(l, CommentColor), HOLDER_COLOR(l, ProgressBorderColor),
            HOLDER_VALUE(l, ProgressMarginX), HOLDER_VALUE(l, ProgressMarginY), HOLDER_VALUE(l, ProgressXP),
            HOLDER_VALUE(l, FlatButton), HOLDER_VALUE(l, NoDisabledCheckRadioLook),
            HOLDER_VALUE(l, NoDisabledButtonLook), HOLDER_VALUE(l, DropDownAlwaysVisible),
            HOLDER_VALUE(l, SpinButtonsAlwaysVisible), HOLDER_VALUE(l, CheckAlwaysActive),
            HOLDER_VALUE(l, RadioAlwaysActive), HOLDER_VALUE(l, FixedDropDownButton), HOLDER_VALUE(l, DropDownCount),
            HOLDER_VALUE(l, HintMaxWidth), HOLDER_COLOR(l, FixedGradientFrom), HOLDER_COLOR(l, FixedGradientTo),
            HOLDER_COLOR(l, FixedGradientMirrorFrom), HOLDER_COLOR(l, FixedGradientMirrorTo),
            HOLDER_COLOR(l, FixedGradientHoverFrom), HOLDER_COLOR(l, FixedGradientHoverTo),
            HOLDER_COLOR(l, FixedGradientHoverMirrorFrom), HOLDER_COLOR(l, FixedGradientHoverMirrorTo),
            HOLDER_COLOR(l, FixedGradientHoverBorder), HOLDER_COLOR(l, FixedGradientDownFrom),
            HOLDER_COLOR(l, FixedGradientDownTo), HOLDER_COLOR(l, FixedGradientDownMirrorFrom),
            HOLDER_COLOR(l, FixedGradientDownMirrorTo), HOLDER_COLOR(l, FixedGradientDownBorder)};
}

TLookValues LookValuesOf(const TBackGround& b)
{
    return {HOLDER_VALUE(b, Display), HOLDER_VALUE(b, Cells),  HOLDER_VALUE(b, Left),
            HOLDER_VALUE(b, Top),     HOLDER_COLOR(b, Color), HOLDER_COLOR(b, ColorTo)};
}

TLookValues LookValuesOf(const TGrouping& g)
{
    return {HOLDER_VALUE(g, AutoSelectGroup),  HOLDER_VALUE(g, AutoCheckGroup),   HOLDER_VALUE(g, GroupCountFormat),
            HOLDER_COLOR(g, HeaderColor),      HOLDER_COLOR(g, HeaderColorTo),    HOLDER_COLOR(g, HeaderTextColor),
            HOLDER_VALUE(g, HeaderUnderline),  HOLDER_COLOR(g, HeaderLineColor),  HOLDER_VALUE(g, HeaderLineWidth),
            HOLDER_VALUE(g, MergeHeader),      HOLDER_VALUE(g, MergeSummary),     HOLDER_VALUE(g, ShowGroupCount),
            HOLDER_VALUE(g, Summary),          HOLDER_COLOR(g, SummaryColor),     HOLDER_COLOR(g, SummaryColorTo),
            HOLDER_COLOR(g, SummaryTextColor), HOLDER_VALUE(g, SummaryLine),      HOLDER_COLOR(g, SummaryLineColor),
            HOLDER_VALUE(g, SummaryLineWidth)};
}

TLookValues LookValuesOf(const TShowModified& m)
{
    return {HOLDER_VALUE(m, Enabled), HOLDER_COLOR(m, Color)};
}

TLookValues LookValuesOf(const TDragScrollOptions& o)
{
    const TDragScrollDelays& d = *o.Delays();
    const TDragScrollMargins& m = *o.Margins();
    return {HOLDER_VALUE(o, Active),       HOLDER_VALUE(d, InitialDelay), HOLDER_VALUE(d, RepeatDelay),
            HOLDER_VALUE(m, TopMargin),    HOLDER_VALUE(m, BottomMargin), HOLDER_VALUE(m, LeftMargin),
            HOLDER_VALUE(m, RightMargin)};
}

TLookValues LookValuesOf(const TGridProgressAppearance& p)
{
    return {HOLDER_COLOR(p, CompleteColor),    HOLDER_COLOR(p, CompleteFontColor), HOLDER_COLOR(p, UnCompleteColor),
            HOLDER_COLOR(p, UnCompleteFontColor), HOLDER_COLOR(p, Level0Color),    HOLDER_COLOR(p, Level0ColorTo),
            HOLDER_COLOR(p, Level1Color),      HOLDER_COLOR(p, Level1ColorTo),     HOLDER_COLOR(p, Level2Color),
            HOLDER_COLOR(p, Level2ColorTo),    HOLDER_COLOR(p, Level3Color),       HOLDER_COLOR(p, Level3ColorTo),
            HOLDER_VALUE(p, Level1Perc),       HOLDER_VALUE(p, Level2Perc),        HOLDER_COLOR(p, BorderColor),
            HOLDER_VALUE(p, ShowBorder),       HOLDER_VALUE(p, Stacked),           HOLDER_VALUE(p, ShowPercentage),
            HOLDER_VALUE(p, CompletionSmooth), HOLDER_VALUE(p, ShowGradient),      HOLDER_VALUE(p, Steps),
            HOLDER_VALUE(p, Style)};
}

// Assign from its own class is taken and copies nothing; a source of
// another class raises the assign error or is ignored, as the class does.
template <class T>
void ExpectLookAssignTakesItsOwnClassOnly(const std::function<void(T&)>& Change, bool ForeignRaises)
{
    SCOPED_TRACE(typeid(T).name());
    T src(nullptr), dst(nullptr);
    Change(src);
    ASSERT_NE(LookValuesOf(src), LookValuesOf(dst));
    const TLookValues before = LookValuesOf(dst);
    EXPECT_NO_THROW(dst.Assign(&src));
    TBands other;
    if (ForeignRaises)
        EXPECT_THROW(dst.Assign(&other), EConvertError);
    else
        EXPECT_NO_THROW(dst.Assign(&other));
    EXPECT_EQ(LookValuesOf(dst), before);
}

}  // namespace

TEST(GridLook, ValuesAfterConstruction)
{
    struct Row {
        const char* Name;
        TLookValues Actual, Expected;
    };
    const std::vector<Row> rows = {
        {"TControlLook", LookValuesOf(TControlLook(nullptr)),
         {"CheckSize=15", "RadioSize=10", "ControlStyle=6", "Color=clBlack", "CommentColor=clRed",
          "ProgressBorderColor=clGray", "ProgressMarginX=2", "ProgressMarginY=2", "ProgressXP=false",
          "FlatButton=false", "NoDisabledCheckRadioLook=false", "NoDisabledButtonLook=false",
          "DropDownAlwaysVisible=false", "SpinButtonsAlwaysVisible=false", "CheckAlwaysActive=false",
          "RadioAlwaysActive=false", "FixedDropDownButton=false", "DropDownCount=8", "HintMaxWidth=0",
          "FixedGradientFrom=clNone", "FixedGradientTo=clNone", "FixedGradientMirrorFrom=clNone",
          "FixedGradientMirrorTo=clNone", "FixedGradientHoverFrom=clGray", "FixedGradientHoverTo=clWhite",
          "FixedGradientHoverMirrorFrom=clNone", "FixedGradientHoverMirrorTo=clNone",
          "FixedGradientHoverBorder=clSilver", "FixedGradientDownFrom=clGray", "FixedGradientDownTo=clSilver",
          "FixedGradientDownMirrorFrom=clNone", "FixedGradientDownMirrorTo=clNone",
          "FixedGradientDownBorder=clGray"}},
        {"TBackGround", LookValuesOf(TBackGround(nullptr)),
         {"Display=0", "Cells=0", "Left=0", "Top=0", "Color=clWindow", "ColorTo=clBtnFace"}},
        {"TGrouping", LookValuesOf(TGrouping(nullptr)),
         {"AutoSelectGroup=false", "AutoCheckGroup=false", "GroupCountFormat=\"\"", "HeaderColor=clNone",
          "HeaderColorTo=clNone", "HeaderTextColor=clNone", "HeaderUnderline=false", "HeaderLineColor=clBlue",
          "HeaderLineWidth=2", "MergeHeader=false", "MergeSummary=false", "ShowGroupCount=false", "Summary=false",
          "SummaryColor=clNone", "SummaryColorTo=clNone", "SummaryTextColor=clNone", "SummaryLine=false",
          "SummaryLineColor=clBlue", "SummaryLineWidth=2"}},
        {"TShowModified", LookValuesOf(TShowModified(nullptr)), {"Enabled=false", "Color=clYellow"}},
        {"TDragScrollOptions", LookValuesOf(TDragScrollOptions(nullptr)),
         {"Active=false", "InitialDelay=1000", "RepeatDelay=250", "TopMargin=50", "BottomMargin=50",
          "LeftMargin=50", "RightMargin=50"}},
        {"TGridProgressAppearance", LookValuesOf(TGridProgressAppearance(nullptr)),
         {"CompleteColor=clRed", "CompleteFontColor=clBlue", "UnCompleteColor=clNone",
          "UnCompleteFontColor=clWindowText", "Level0Color=clLime", "Level0ColorTo=$00E1FFE1",
          "Level1Color=clYellow", "Level1ColorTo=$00CAFFFF", "Level2Color=$0053A9FF", "Level2ColorTo=$00A8D3FF",
          "Level3Color=clRed", "Level3ColorTo=$00CACAFF", "Level1Perc=70", "Level2Perc=90", "BorderColor=clBlack",
          "ShowBorder=false", "Stacked=false", "ShowPercentage=true", "CompletionSmooth=true",
          "ShowGradient=true", "Steps=11", "Style=0"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        EXPECT_EQ(r.Actual, r.Expected);
    }
}

TEST(GridLook, AssignTakesItsOwnClassAndCopiesNothingYet)
{
    ExpectLookAssignTakesItsOwnClassOnly<TControlLook>([](TControlLook& l) { l.SetCheckSize(20); }, true);
    ExpectLookAssignTakesItsOwnClassOnly<TGrouping>([](TGrouping& g) { g.SetMergeHeader(true); }, false);
    ExpectLookAssignTakesItsOwnClassOnly<TShowModified>([](TShowModified& m) { m.SetEnabled(true); }, false);
    ExpectLookAssignTakesItsOwnClassOnly<TDragScrollOptions>(
        [](TDragScrollOptions& o) { o.Margins()->SetTopMargin(9); }, false);
    ExpectLookAssignTakesItsOwnClassOnly<TGridProgressAppearance>(
        [](TGridProgressAppearance& p) { p.SetSteps(4); }, false);
}

TEST(GridLook, OwnedPartsAndTheModifiedMarkColour)
{
    THolderGridForm f;
    TControlLook look(f.Grid);
    EXPECT_EQ(look.GetOwner(), f.Grid);
    EXPECT_EQ(look.DropDownHeader()->GetOwner(), f.Grid);
    EXPECT_EQ(look.DropDownFooter()->Buttons()->GetOwner(), f.Grid);
    EXPECT_EQ(look.DropDownHeader()->Font()->Name(), "Tahoma");
    EXPECT_TRUE(look.DropDownFooter()->SizeGrip());

    THeaderAppearance header(nullptr);
    header.SetHeight(30);
    look.SetDropDownHeader(&header);
    header.SetHeight(40);
    EXPECT_EQ(look.DropDownHeader()->Height(), 30);
    TBitmap glyph(13, 13);
    look.SetCheckedGlyph(&glyph);
    glyph.SetSize(1, 1);
    EXPECT_EQ(look.CheckedGlyph()->Width(), 13);
    EXPECT_TRUE(look.RadioOffGlyph()->Empty());

    TDragScrollOptions drag(f.Grid);
    EXPECT_EQ(drag.GetOwner(), f.Grid);
    EXPECT_EQ(drag.Delays()->GetOwner(), &drag);
    EXPECT_EQ(drag.Margins()->GetOwner(), &drag);

    // The grid repaints its first column when the mark colour is written.
    TShowModified modified(f.Grid);
    int changes = 0;
    modified.OnChange = [&](TObject* s) { changes += s == &modified; };
    modified.SetEnabled(true);
    EXPECT_EQ(changes, 0);
    modified.SetColor(clAqua);
    modified.SetColor(clAqua);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(modified.Color(), clAqua);
}
