#pragma once
// Settings objects of the string grid's look: the in-cell control look and
// the fixed-cell gradients, the background, grouping, the marking of
// modified rows, drag auto-scroll timing and the progress-bar colours.
//
// Each holds its fields with their creation values and setters that only
// store (glyphs, pictures and appearances by copying), unless noted; the
// painting and the effects on the grid are added with the grid's look.
// Assign accepts its own class and copies nothing yet.

#include "AdvDropDownAppearance.h"
#include "AdvObj.h"
#include "Graphics.h"

#include <QString>
#include <memory>

class TBaseGrid;

// ---------------------------------------------------------------------------
// TControlLook

enum TControlStyle { csClassic, csFlat, csWinXP, csBorland, csZUR, csGlyph, csTheme };

class TControlLook : public TPersistent {
public:
    DECLARE_CLASSNAME(TControlLook)
    explicit TControlLook(TBaseGrid* AOwner);
    ~TControlLook() override;
    TPersistent* GetOwner() override;

    ADVOBJ_PLAIN_PROPERTY(int, CheckSize, 15)
    ADVOBJ_PLAIN_PROPERTY(int, RadioSize, 10)
    ADVOBJ_PLAIN_PROPERTY(TControlStyle, ControlStyle, csTheme)
    ADVOBJ_PLAIN_PROPERTY(TColor, Color, 0)
    ADVOBJ_PLAIN_PROPERTY(TColor, CommentColor, RGBColor(255, 0, 0))
    ADVOBJ_PLAIN_PROPERTY(TColor, ProgressBorderColor, 0x808080)
    ADVOBJ_PLAIN_PROPERTY(int, ProgressMarginX, 2)
    ADVOBJ_PLAIN_PROPERTY(int, ProgressMarginY, 2)
    ADVOBJ_PLAIN_BOOL(ProgressXP, false)
    ADVOBJ_PLAIN_BOOL(FlatButton, false)
    ADVOBJ_PLAIN_BOOL(NoDisabledCheckRadioLook, false)
    ADVOBJ_PLAIN_BOOL(NoDisabledButtonLook, false)
    ADVOBJ_PLAIN_BOOL(DropDownAlwaysVisible, false)
    ADVOBJ_PLAIN_BOOL(SpinButtonsAlwaysVisible, false)
    ADVOBJ_PLAIN_BOOL(CheckAlwaysActive, false)
    ADVOBJ_PLAIN_BOOL(RadioAlwaysActive, false)
    ADVOBJ_PLAIN_BOOL(FixedDropDownButton, false)
    ADVOBJ_PLAIN_PROPERTY(int, DropDownCount, 8)
    ADVOBJ_PLAIN_PROPERTY(int, HintMaxWidth, 0)
    ADVOBJ_PLAIN_PROPERTY(TColor, FixedGradientFrom, clNone)
    ADVOBJ_PLAIN_PROPERTY(TColor, FixedGradientTo, clNone)
    ADVOBJ_PLAIN_PROPERTY(TColor, FixedGradientMirrorFrom, clNone)
    ADVOBJ_PLAIN_PROPERTY(TColor, FixedGradientMirrorTo, clNone)
    ADVOBJ_PLAIN_PROPERTY(TColor, FixedGradientHoverFrom, 0x808080)
    ADVOBJ_PLAIN_PROPERTY(TColor, FixedGradientHoverTo, clWhite)
    ADVOBJ_PLAIN_PROPERTY(TColor, FixedGradientHoverMirrorFrom, clNone)
    ADVOBJ_PLAIN_PROPERTY(TColor, FixedGradientHoverMirrorTo, clNone)
    ADVOBJ_PLAIN_PROPERTY(TColor, FixedGradientHoverBorder, 0xC0C0C0)
    ADVOBJ_PLAIN_PROPERTY(TColor, FixedGradientDownFrom, 0x808080)
    ADVOBJ_PLAIN_PROPERTY(TColor, FixedGradientDownTo, 0xC0C0C0)
    ADVOBJ_PLAIN_PROPERTY(TColor, FixedGradientDownMirrorFrom, clNone)
    ADVOBJ_PLAIN_PROPERTY(TColor, FixedGradientDownMirrorTo, clNone)
    ADVOBJ_PLAIN_PROPERTY(TColor, FixedGradientDownBorder, 0x808080)

public:
    // Owned pictures of the check boxes and radio buttons; writing copies.
    TBitmap* CheckedGlyph() const { return FCheckedGlyph.get(); }
    void SetCheckedGlyph(TBitmap* v) { FCheckedGlyph->Assign(v); }
    TBitmap* UnCheckedGlyph() const { return FUnCheckedGlyph.get(); }
    void SetUnCheckedGlyph(TBitmap* v) { FUnCheckedGlyph->Assign(v); }
    TBitmap* RadioOnGlyph() const { return FRadioOnGlyph.get(); }
    void SetRadioOnGlyph(TBitmap* v) { FRadioOnGlyph->Assign(v); }
    TBitmap* RadioOffGlyph() const { return FRadioOffGlyph.get(); }
    void SetRadioOffGlyph(TBitmap* v) { FRadioOffGlyph->Assign(v); }
    // The bars of the grid's drop-down editors; owned, writing copies.
    THeaderAppearance* DropDownHeader() const { return FDropDownHeader.get(); }
    void SetDropDownHeader(THeaderAppearance* v) { FDropDownHeader->Assign(v); }
    TFooterAppearance* DropDownFooter() const { return FDropDownFooter.get(); }
    void SetDropDownFooter(TFooterAppearance* v) { FDropDownFooter->Assign(v); }

    void Assign(TPersistent* Source) override;
    // Colours and fixed gradients back to their creation values.
    void Init();

private:
    TBaseGrid* FGrid;
    std::unique_ptr<TBitmap> FCheckedGlyph;
    std::unique_ptr<TBitmap> FUnCheckedGlyph;
    std::unique_ptr<TBitmap> FRadioOnGlyph;
    std::unique_ptr<TBitmap> FRadioOffGlyph;
    std::unique_ptr<THeaderAppearance> FDropDownHeader;
    std::unique_ptr<TFooterAppearance> FDropDownFooter;
};

// ---------------------------------------------------------------------------
// TBackGround: the picture or gradient behind the cells.

enum TBackGroundDisplay { bdTile, bdFixed, bdGradientHorz, bdGradientVert };
// Which cells show the background.
enum TBackGroundCells { bcNormal, bcFixed, bcAll };

class TBackGround : public TPersistent {
public:
    DECLARE_CLASSNAME(TBackGround)
    explicit TBackGround(TBaseGrid* AOwner);
    ~TBackGround() override;
    TPersistent* GetOwner() override;

// Every setter stores and repaints the grid.
#define ADVGRID_BACKGROUND_PROPERTY(Type, Name, Default)  \
public:                                                   \
    Type Name() const { return F##Name; }                 \
    void Set##Name(Type v)                                \
    {                                                     \
        F##Name = v;                                      \
        Changed();                                        \
    }                                                     \
                                                          \
private:                                                  \
    Type F##Name = Default;

    ADVGRID_BACKGROUND_PROPERTY(TBackGroundDisplay, Display, bdTile)
    ADVGRID_BACKGROUND_PROPERTY(TBackGroundCells, Cells, bcNormal)
    // Client position of the picture with bdFixed.
    ADVGRID_BACKGROUND_PROPERTY(int, Left, 0)
    ADVGRID_BACKGROUND_PROPERTY(int, Top, 0)
    ADVGRID_BACKGROUND_PROPERTY(TColor, Color, clWindow)
    // clNone switches the gradient off.
    ADVGRID_BACKGROUND_PROPERTY(TColor, ColorTo, clBtnFace)
#undef ADVGRID_BACKGROUND_PROPERTY

public:
    // Owned; writing copies.
    TBitmap* Bitmap() const { return FBitmap.get(); }
    void SetBitmap(TBitmap* v)
    {
        FBitmap->Assign(v);
        Changed();
    }

    // Copies every property and the picture.
    void Assign(TPersistent* Source) override;

private:
    void Changed();
    TBaseGrid* FGrid;
    std::unique_ptr<TBitmap> FBitmap;
};

// ---------------------------------------------------------------------------
// TGrouping: the look of group header and summary rows.

class TGrouping : public TPersistent {
public:
    DECLARE_CLASSNAME(TGrouping)
    explicit TGrouping(TBaseGrid* AOwner) : FGrid(AOwner) {}
    TPersistent* GetOwner() override;

    ADVOBJ_PLAIN_BOOL(AutoSelectGroup, false)
    ADVOBJ_PLAIN_BOOL(AutoCheckGroup, false)
    ADVOBJ_PLAIN_PROPERTY(QString, GroupCountFormat, QString())
    ADVOBJ_PLAIN_PROPERTY(TColor, HeaderColor, clNone)
    ADVOBJ_PLAIN_PROPERTY(TColor, HeaderColorTo, clNone)
    ADVOBJ_PLAIN_PROPERTY(TColor, HeaderTextColor, clNone)
    ADVOBJ_PLAIN_BOOL(HeaderUnderline, false)
    ADVOBJ_PLAIN_PROPERTY(TColor, HeaderLineColor, RGBColor(0, 0, 255))
    ADVOBJ_PLAIN_PROPERTY(int, HeaderLineWidth, 2)
    ADVOBJ_PLAIN_BOOL(MergeHeader, false)
    ADVOBJ_PLAIN_BOOL(MergeSummary, false)
    ADVOBJ_PLAIN_BOOL(ShowGroupCount, false)
    ADVOBJ_PLAIN_BOOL(Summary, false)
    ADVOBJ_PLAIN_PROPERTY(TColor, SummaryColor, clNone)
    ADVOBJ_PLAIN_PROPERTY(TColor, SummaryColorTo, clNone)
    ADVOBJ_PLAIN_PROPERTY(TColor, SummaryTextColor, clNone)
    ADVOBJ_PLAIN_BOOL(SummaryLine, false)
    ADVOBJ_PLAIN_PROPERTY(TColor, SummaryLineColor, RGBColor(0, 0, 255))
    ADVOBJ_PLAIN_PROPERTY(int, SummaryLineWidth, 2)

public:
    // Any other source changes nothing either.
    void Assign(TPersistent* Source) override;

private:
    TBaseGrid* FGrid;
};

// ---------------------------------------------------------------------------
// TShowModified: the marking of rows the user changed. Writing Color fires
// OnChange, which the grid answers by repainting column 0.

class TShowModified : public TPersistent {
public:
    DECLARE_CLASSNAME(TShowModified)
    explicit TShowModified(TBaseGrid* AOwner) : FGrid(AOwner) {}
    TPersistent* GetOwner() override;

    ADVOBJ_PLAIN_BOOL(Enabled, false)

public:
    TColor Color() const { return FColor; }
    void SetColor(TColor v);

    TNotifyEvent OnChange;

    // Any other source changes nothing either.
    void Assign(TPersistent* Source) override;

private:
    TBaseGrid* FGrid;
    TColor FColor = RGBColor(255, 255, 0);
};

// ---------------------------------------------------------------------------
// TDragScrollOptions: when and how fast a drag near an edge scrolls.

// Milliseconds before the first scroll and between the following ones.
class TDragScrollDelays : public TPersistent {
public:
    DECLARE_CLASSNAME(TDragScrollDelays)
    explicit TDragScrollDelays(TPersistent* AOwner) : FOwner(AOwner) {}
    TPersistent* GetOwner() override { return FOwner; }

    ADVOBJ_PLAIN_PROPERTY(int, InitialDelay, 1000)
    ADVOBJ_PLAIN_PROPERTY(int, RepeatDelay, 250)

public:
    void Assign(TPersistent* Source) override;

private:
    TPersistent* FOwner;
};

// The pixels along each edge in which a drag scrolls.
class TDragScrollMargins : public TPersistent {
public:
    DECLARE_CLASSNAME(TDragScrollMargins)
    explicit TDragScrollMargins(TPersistent* AOwner) : FOwner(AOwner) {}
    TPersistent* GetOwner() override { return FOwner; }

    ADVOBJ_PLAIN_PROPERTY(int, TopMargin, 50)
    ADVOBJ_PLAIN_PROPERTY(int, BottomMargin, 50)
    ADVOBJ_PLAIN_PROPERTY(int, LeftMargin, 50)
    ADVOBJ_PLAIN_PROPERTY(int, RightMargin, 50)

public:
    void Assign(TPersistent* Source) override;

private:
    TPersistent* FOwner;
};

class TDragScrollOptions : public TPersistent {
public:
    DECLARE_CLASSNAME(TDragScrollOptions)
    explicit TDragScrollOptions(TBaseGrid* AOwner);
    ~TDragScrollOptions() override;
    TPersistent* GetOwner() override;

    ADVOBJ_PLAIN_BOOL(Active, false)

public:
    // Owned; writing copies.
    TDragScrollDelays* Delays() const { return FDelays.get(); }
    void SetDelays(TDragScrollDelays* v) { FDelays->Assign(v); }
    TDragScrollMargins* Margins() const { return FMargins.get(); }
    void SetMargins(TDragScrollMargins* v) { FMargins->Assign(v); }

    // Any other source changes nothing either.
    void Assign(TPersistent* Source) override;

private:
    TBaseGrid* FGrid;
    std::unique_ptr<TDragScrollDelays> FDelays;
    std::unique_ptr<TDragScrollMargins> FMargins;
};

// ---------------------------------------------------------------------------
// TGridProgressAppearance: the colours of progress cells. The grid sets
// OnChange.

enum TProgressStyle { psXP, psClassic };

class TGridProgressAppearance : public TPersistent {
public:
    DECLARE_CLASSNAME(TGridProgressAppearance)
    explicit TGridProgressAppearance(TBaseGrid* AOwner) : FGrid(AOwner) {}
    TPersistent* GetOwner() override;

    ADVOBJ_PLAIN_PROPERTY(TColor, CompleteColor, RGBColor(255, 0, 0))
    ADVOBJ_PLAIN_PROPERTY(TColor, CompleteFontColor, RGBColor(0, 0, 255))
    ADVOBJ_PLAIN_PROPERTY(TColor, UnCompleteColor, clNone)
    ADVOBJ_PLAIN_PROPERTY(TColor, UnCompleteFontColor, clWindowText)
    ADVOBJ_PLAIN_PROPERTY(TColor, Level0Color, RGBColor(0, 255, 0))
    ADVOBJ_PLAIN_PROPERTY(TColor, Level0ColorTo, RGBColor(225, 255, 225))
    ADVOBJ_PLAIN_PROPERTY(TColor, Level1Color, RGBColor(255, 255, 0))
    ADVOBJ_PLAIN_PROPERTY(TColor, Level1ColorTo, RGBColor(255, 255, 202))
    ADVOBJ_PLAIN_PROPERTY(TColor, Level2Color, RGBColor(255, 169, 83))
    ADVOBJ_PLAIN_PROPERTY(TColor, Level2ColorTo, RGBColor(255, 211, 168))
    ADVOBJ_PLAIN_PROPERTY(TColor, Level3Color, RGBColor(255, 0, 0))
    ADVOBJ_PLAIN_PROPERTY(TColor, Level3ColorTo, RGBColor(255, 202, 202))
    ADVOBJ_PLAIN_PROPERTY(int, Level1Perc, 70)
    ADVOBJ_PLAIN_PROPERTY(int, Level2Perc, 90)
    ADVOBJ_PLAIN_PROPERTY(TColor, BorderColor, clBlack)
    ADVOBJ_PLAIN_BOOL(ShowBorder, false)
    ADVOBJ_PLAIN_BOOL(Stacked, false)
    ADVOBJ_PLAIN_BOOL(ShowPercentage, true)
    ADVOBJ_PLAIN_BOOL(CompletionSmooth, true)
    ADVOBJ_PLAIN_BOOL(ShowGradient, true)
    ADVOBJ_PLAIN_PROPERTY(int, Steps, 11)
    ADVOBJ_PLAIN_PROPERTY(TProgressStyle, Style, psXP)

public:
    TNotifyEvent OnChange;

    // Any other source changes nothing either.
    void Assign(TPersistent* Source) override;

private:
    TBaseGrid* FGrid;
};
