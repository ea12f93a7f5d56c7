#pragma once
// The string grid's print settings: fonts, margins and spacings (in tenths
// of a millimetre), borders, the header and footer lines, page numbering,
// orientation, fitting to the page and the repetition of fixed rows and
// columns.

#include "AdvObj.h"
#include "Graphics.h"
#include "Persistence.h"
#include "Printers.h"

#include <QString>
#include <cmath>
#include <memory>

class TBaseGrid;

// Where a text of the header line (top positions) or footer line (bottom
// positions) is printed.
enum TPrintPosition { ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight, ppBottomCenter };
enum TPrintBorders {
    pbNoborder, pbSingle, pbDouble, pbVertical, pbHorizontal, pbAround, pbAroundVertical, pbAroundHorizontal,
    pbCustom
};
// How the column widths are scaled to the page width.
enum TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };

// Created by its grid and freed with it. Every setter only stores; the
// fonts and the title lines are owned and written by copying their content.
class TPrintSettings : public TPersistent {
public:
    DECLARE_CLASSNAME(TPrintSettings)
    explicit TPrintSettings(TBaseGrid* AOwner);
    ~TPrintSettings() override;
    TPersistent* GetOwner() override;

    // Space below the footer line and above the header line.
    ADVOBJ_PLAIN_PROPERTY(int, FooterSize, 0)
    ADVOBJ_PLAIN_PROPERTY(int, HeaderSize, 0)
    ADVOBJ_PLAIN_PROPERTY(TPrintPosition, Time, ppNone)
    ADVOBJ_PLAIN_PROPERTY(TPrintPosition, Date, ppNone)
    ADVOBJ_PLAIN_PROPERTY(QString, DateFormat, QStringLiteral("dd/mm/yyyy"))
    ADVOBJ_PLAIN_PROPERTY(TPrintPosition, PageNr, ppNone)
    ADVOBJ_PLAIN_PROPERTY(TPrintPosition, Title, ppNone)
    // When not empty it takes the place of TitleLines.
    ADVOBJ_PLAIN_PROPERTY(QString, TitleText, QString())

public:
    TStrings* TitleLines() const { return FTitleLines.get(); }
    void SetTitleLines(TStrings* v) { FTitleLines->Assign(v); }
    // Fonts of the normal and fixed cells (without UseDisplayFont) and of
    // the header and footer lines.
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* v) { FFont->Assign(v); }
    TFont* FixedFont() const { return FFixedFont.get(); }
    void SetFixedFont(TFont* v) { FFixedFont->Assign(v); }
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(TFont* v) { FHeaderFont->Assign(v); }
    TFont* FooterFont() const { return FFooterFont.get(); }
    void SetFooterFont(TFont* v) { FFooterFont->Assign(v); }

    ADVOBJ_PLAIN_PROPERTY(TPrintBorders, Borders, pbSingle)
    ADVOBJ_PLAIN_PROPERTY(TPenStyle, BorderStyle, psSolid)
    ADVOBJ_PLAIN_PROPERTY(TColor, BorderColor, clBlack)
    ADVOBJ_PLAIN_BOOL(Centered, true)
    ADVOBJ_PLAIN_BOOL(RepeatFixedRows, false)
    ADVOBJ_PLAIN_BOOL(RepeatFixedCols, false)
    ADVOBJ_PLAIN_PROPERTY(int, LeftSize, 0)
    ADVOBJ_PLAIN_PROPERTY(int, RightSize, 0)
    ADVOBJ_PLAIN_PROPERTY(int, ColumnSpacing, 0)
    ADVOBJ_PLAIN_PROPERTY(int, RowSpacing, 0)
    ADVOBJ_PLAIN_PROPERTY(int, TitleSpacing, 0)
    ADVOBJ_PLAIN_PROPERTY(TPrinterOrientation, Orientation, poPortrait)
    ADVOBJ_PLAIN_PROPERTY(QString, PagePrefix, QString())
    ADVOBJ_PLAIN_PROPERTY(QString, PageSuffix, QString())
    ADVOBJ_PLAIN_PROPERTY(int, PageNumberOffset, 0)
    ADVOBJ_PLAIN_PROPERTY(int, MaxPagesOffset, 0)
    ADVOBJ_PLAIN_PROPERTY(int, FixedWidth, 0)
    ADVOBJ_PLAIN_PROPERTY(int, FixedHeight, 0)
    ADVOBJ_PLAIN_BOOL(UseFixedHeight, false)
    ADVOBJ_PLAIN_BOOL(UseFixedWidth, false)
    ADVOBJ_PLAIN_PROPERTY(TFitToPage, FitToPage, fpNever)
    // The print job's title in the spooler.
    ADVOBJ_PLAIN_PROPERTY(QString, JobName, QString())
    // Between page number and page total; empty prints the number alone.
    ADVOBJ_PLAIN_PROPERTY(QString, PageNumSep, QStringLiteral("/"))
    ADVOBJ_PLAIN_BOOL(NoAutoSize, false)
    ADVOBJ_PLAIN_BOOL(NoAutoSizeRow, false)
    ADVOBJ_PLAIN_BOOL(PrintGraphics, false)
    ADVOBJ_PLAIN_BOOL(UseDisplayFont, true)
    ADVOBJ_PLAIN_BOOL(UseDefaultOrientation, false)
    // Not published: a printed selection brings the fixed rows and columns
    // along. Neither streamed nor copied.
    ADVOBJ_PLAIN_BOOL(FixedCellsAlways, false)

public:
    // From other print settings every published property (fonts and title
    // lines by content); any other source, or none, raises the assign error.
    void Assign(TPersistent* Source) override;
    static const TPropertyList& Properties();
    const TPropertyList* PropertyList() const override { return &Properties(); }

private:
    TBaseGrid* FGrid;
    std::unique_ptr<TStringList> FTitleLines;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TFont> FFixedFont;
    std::unique_ptr<TFont> FHeaderFont;
    std::unique_ptr<TFont> FFooterFont;
};

// The state of one run of the page engine. Lengths are in 0.1 mm with y
// growing upward (0 is the top of the printable area, rows go down into
// negative y): the canvas is in its metric mapping mode while the engine
// runs and takes them to device pixels itself.
struct TAdvGridPrintRun {
    TCanvas* Canvas = nullptr;
    int Mode = 0;
    bool SelectedOnly = false;
    int Total = 0;
    int Dpi = 96;           // of the canvas, for the painters drawn at screen size
    int W = 0, H = 0;       // page size; H negative
    int LineUnit = 0, TextInset = 0, HeaderLineH = 0, FooterLineH = 0;
    int Spacing = 0;        // added to every column width
    double Scale = 1.0;     // FitToPage
    double ScreenToPaper = 254.0 / 96.0;
    int TopArea = 0, BottomArea = 0;
    int PageCounter = 0, BandNr = 0, PageInBand = 0;
    bool MultiBand = false;
    bool RepeatCols = false;
    bool Cancelled = false;
    int CacheRow = -1, CacheHeight = 0;
    std::unique_ptr<TFont> KeepFont;

    bool Drawing() const { return Mode == 0 || Mode == 1; }
};

// Puts a canvas in a mapping mode and viewport origin for a scope and
// gives it back its own afterwards, also through an exception.
class TAdvGridPrintMapping {
public:
    TAdvGridPrintMapping(TCanvas* Canvas, int Mode, TPoint Origin)
        : FCanvas(Canvas), FMode(Canvas->MapMode()), FOrigin(Canvas->ViewportOrg())
    {
        FCanvas->SetMapMode(Mode);
        FCanvas->SetViewportOrg(Origin);
    }
    ~TAdvGridPrintMapping()
    {
        FCanvas->SetMapMode(FMode);
        FCanvas->SetViewportOrg(FOrigin);
    }
    TAdvGridPrintMapping(const TAdvGridPrintMapping&) = delete;
    TAdvGridPrintMapping& operator=(const TAdvGridPrintMapping&) = delete;

private:
    TCanvas* FCanvas;
    int FMode;
    TPoint FOrigin;
};
