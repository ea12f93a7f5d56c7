#include "AdvGridPrint.h"

#include "AdvGrid.h"
#include "AdvUtil.h"
#include "AsgHTMLE.h"
#include "BaseGrid.h"
#include "Clock.h"
#include "DateUtils.h"
#include "GraphicsPainter.h"
#include "IniFiles.h"
#include "SysFormat.h"

#include <limits>

TPrintSettings::TPrintSettings(TBaseGrid* AOwner)
    : FGrid(AOwner),
      FTitleLines(std::make_unique<TStringList>()),
      FFont(std::make_unique<TFont>()),
      FFixedFont(std::make_unique<TFont>()),
      FHeaderFont(std::make_unique<TFont>()),
      FFooterFont(std::make_unique<TFont>())
{
}

TPrintSettings::~TPrintSettings() = default;

TPersistent* TPrintSettings::GetOwner()
{
    return FGrid;
}

void TPrintSettings::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TPrintSettings*>(Source);
    if (!src) {
        // Also for no source: the base raises the assign error.
        TPersistent::Assign(Source);
        return;
    }
    FFooterSize = src->FFooterSize;
    FHeaderSize = src->FHeaderSize;
    FTime = src->FTime;
    FDate = src->FDate;
    FDateFormat = src->FDateFormat;
    FPageNr = src->FPageNr;
    FTitle = src->FTitle;
    FTitleText = src->FTitleText;
    FTitleLines->Assign(src->FTitleLines.get());
    FFont->Assign(src->FFont.get());
    FFixedFont->Assign(src->FFixedFont.get());
    FHeaderFont->Assign(src->FHeaderFont.get());
    FFooterFont->Assign(src->FFooterFont.get());
    FBorders = src->FBorders;
    FBorderStyle = src->FBorderStyle;
    FBorderColor = src->FBorderColor;
    FCentered = src->FCentered;
    FRepeatFixedRows = src->FRepeatFixedRows;
    FRepeatFixedCols = src->FRepeatFixedCols;
    FLeftSize = src->FLeftSize;
    FRightSize = src->FRightSize;
    FColumnSpacing = src->FColumnSpacing;
    FRowSpacing = src->FRowSpacing;
    FTitleSpacing = src->FTitleSpacing;
    FOrientation = src->FOrientation;
    FPagePrefix = src->FPagePrefix;
    FPageSuffix = src->FPageSuffix;
    FPageNumberOffset = src->FPageNumberOffset;
    FMaxPagesOffset = src->FMaxPagesOffset;
    FFixedWidth = src->FFixedWidth;
    FFixedHeight = src->FFixedHeight;
    FUseFixedHeight = src->FUseFixedHeight;
    FUseFixedWidth = src->FUseFixedWidth;
    FFitToPage = src->FFitToPage;
    FJobName = src->FJobName;
    FPageNumSep = src->FPageNumSep;
    FNoAutoSize = src->FNoAutoSize;
    FNoAutoSizeRow = src->FNoAutoSizeRow;
    FPrintGraphics = src->FPrintGraphics;
    FUseDisplayFont = src->FUseDisplayFont;
    FUseDefaultOrientation = src->FUseDefaultOrientation;
}

const TPropertyList& TPrintSettings::Properties()
{
    using C = TPrintSettings;
    const QStringList positions = {"ppNone",       "ppTopLeft",     "ppTopRight",    "ppTopCenter",
                                   "ppBottomLeft", "ppBottomRight", "ppBottomCenter"};
    static const TPropertyList list =
        TPropertyList()
            .Integer<C>("FooterSize", &C::FooterSize, &C::SetFooterSize)
            .Integer<C>("HeaderSize", &C::HeaderSize, &C::SetHeaderSize)
            .Enum<C, TPrintPosition>("Time", &C::Time, &C::SetTime, positions)
            .Enum<C, TPrintPosition>("Date", &C::Date, &C::SetDate, positions)
            .String<C>("DateFormat", &C::DateFormat, &C::SetDateFormat)
            .Enum<C, TPrintPosition>("PageNr", &C::PageNr, &C::SetPageNr, positions)
            .Enum<C, TPrintPosition>("Title", &C::Title, &C::SetTitle, positions)
            .String<C>("TitleText", &C::TitleText, &C::SetTitleText)
            .Object<C, TStrings>("TitleLines", &C::TitleLines, &C::SetTitleLines)
            .Object<C, TFont>("Font", &C::Font, &C::SetFont)
            .Object<C, TFont>("FixedFont", &C::FixedFont, &C::SetFixedFont)
            .Object<C, TFont>("HeaderFont", &C::HeaderFont, &C::SetHeaderFont)
            .Object<C, TFont>("FooterFont", &C::FooterFont, &C::SetFooterFont)
            .Enum<C, TPrintBorders>("Borders", &C::Borders, &C::SetBorders,
                                    {"pbNoborder", "pbSingle", "pbDouble", "pbVertical", "pbHorizontal", "pbAround",
                                     "pbAroundVertical", "pbAroundHorizontal", "pbCustom"})
            .Enum<C, TPenStyle>("BorderStyle", &C::BorderStyle, &C::SetBorderStyle,
                                {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear",
                                 "psInsideFrame"})
            .Color<C>("BorderColor", &C::BorderColor, &C::SetBorderColor)
            .Boolean<C>("Centered", &C::Centered, &C::SetCentered)
            .Boolean<C>("RepeatFixedRows", &C::RepeatFixedRows, &C::SetRepeatFixedRows)
            .Boolean<C>("RepeatFixedCols", &C::RepeatFixedCols, &C::SetRepeatFixedCols)
            .Integer<C>("LeftSize", &C::LeftSize, &C::SetLeftSize)
            .Integer<C>("RightSize", &C::RightSize, &C::SetRightSize)
            .Integer<C>("ColumnSpacing", &C::ColumnSpacing, &C::SetColumnSpacing)
            .Integer<C>("RowSpacing", &C::RowSpacing, &C::SetRowSpacing)
            .Integer<C>("TitleSpacing", &C::TitleSpacing, &C::SetTitleSpacing)
            .Enum<C, TPrinterOrientation>("Orientation", &C::Orientation, &C::SetOrientation,
                                          {"poPortrait", "poLandscape"})
            .String<C>("PagePrefix", &C::PagePrefix, &C::SetPagePrefix)
            .String<C>("PageSuffix", &C::PageSuffix, &C::SetPageSuffix)
            .Integer<C>("PageNumberOffset", &C::PageNumberOffset, &C::SetPageNumberOffset)
            .Integer<C>("MaxPagesOffset", &C::MaxPagesOffset, &C::SetMaxPagesOffset)
            .Integer<C>("FixedWidth", &C::FixedWidth, &C::SetFixedWidth)
            .Integer<C>("FixedHeight", &C::FixedHeight, &C::SetFixedHeight)
            .Boolean<C>("UseFixedHeight", &C::UseFixedHeight, &C::SetUseFixedHeight)
            .Boolean<C>("UseFixedWidth", &C::UseFixedWidth, &C::SetUseFixedWidth)
            .Enum<C, TFitToPage>("FitToPage", &C::FitToPage, &C::SetFitToPage,
                                 {"fpNever", "fpGrow", "fpShrink", "fpAlways", "fpCustom"})
            .String<C>("JobName", &C::JobName, &C::SetJobName)
            .String<C>("PageNumSep", &C::PageNumSep, &C::SetPageNumSep)
            .Boolean<C>("NoAutoSize", &C::NoAutoSize, &C::SetNoAutoSize)
            .Boolean<C>("NoAutoSizeRow", &C::NoAutoSizeRow, &C::SetNoAutoSizeRow)
            .Boolean<C>("PrintGraphics", &C::PrintGraphics, &C::SetPrintGraphics)
            .Boolean<C>("UseDisplayFont", &C::UseDisplayFont, &C::SetUseDisplayFont)
            .Boolean<C>("UseDefaultOrientation", &C::UseDefaultOrientation, &C::SetUseDefaultOrientation);
    return list;
}

// ---- print settings in an INI file ------------------------------------------------------

namespace {

// Booleans are "Y" or "N"; only "Y" reads as true.
QString AdvGridPrintYN(bool b)
{
    return b ? QStringLiteral("Y") : QStringLiteral("N");
}

int AdvGridPrintStyleBits(TFontStyles s)
{
    return (s.Contains(fsBold) ? 1 : 0) | (s.Contains(fsItalic) ? 2 : 0) | (s.Contains(fsUnderline) ? 4 : 0) |
           (s.Contains(fsStrikeOut) ? 8 : 0);
}

// The stored font lines: name, size in points, style bits and colour.
const char* const AdvGridPrintFontKeys[3] = {"Font", "HeaderFont", "FooterFont"};

void AdvGridPrintWriteFont(TMemIniFile& ini, const QString& sec, const QString& prefix, TFont* f)
{
    ini.WriteString(sec, prefix + QStringLiteral("Name"), f->Name());
    ini.WriteInteger(sec, prefix + QStringLiteral("Size"), f->Size());
    ini.WriteInteger(sec, prefix + QStringLiteral("Style"), AdvGridPrintStyleBits(f->Style()));
    ini.WriteInteger(sec, prefix + QStringLiteral("Color"), int(f->Color()));
}

void AdvGridPrintReadFont(const TMemIniFile& ini, const QString& sec, const QString& prefix, TFont* f)
{
    f->SetName(ini.ReadString(sec, prefix + QStringLiteral("Name"), QStringLiteral("Arial")));
    f->SetSize(ini.ReadInteger(sec, prefix + QStringLiteral("Size"), 10));
    // Set bits add to the font's style; clear bits remove nothing.
    const int bits = ini.ReadInteger(sec, prefix + QStringLiteral("Style"), 0);
    TFontStyles s = f->Style();
    if (bits & 1) s.Include(fsBold);
    if (bits & 2) s.Include(fsItalic);
    if (bits & 4) s.Include(fsUnderline);
    if (bits & 8) s.Include(fsStrikeOut);
    f->SetStyle(s);
    f->SetColor(TColor(ini.ReadInteger(sec, prefix + QStringLiteral("Color"), 0)));
}

TPrintPosition AdvGridPrintPosition(int v)
{
    return v >= 1 && v <= 6 ? TPrintPosition(v) : ppNone;
}

} // namespace

void TAdvStringGrid::SavePrintSettings(const QString& Key, const QString& Section)
{
    TPrintSettings* ps = FPrintSettings;
    TMemIniFile ini(Key);
    const QString& s = Section;
    ini.WriteInteger(s, "ColumnSpacing", ps->ColumnSpacing());
    ini.WriteInteger(s, "RowSpacing", ps->RowSpacing());
    ini.WriteInteger(s, "TitleSpacing", ps->TitleSpacing());
    ini.WriteInteger(s, "FixedHeight", ps->FixedHeight());
    ini.WriteInteger(s, "FixedWidth", ps->FixedWidth());
    ini.WriteString(s, "Centered", AdvGridPrintYN(ps->Centered()));
    ini.WriteString(s, "NoAutoSize", AdvGridPrintYN(ps->NoAutoSize()));
    ini.WriteString(s, "UseFixedHeight", AdvGridPrintYN(ps->UseFixedHeight()));
    ini.WriteString(s, "UseFixedWidth", AdvGridPrintYN(ps->UseFixedWidth()));
    ini.WriteString(s, "RepeatFixedRows", AdvGridPrintYN(ps->RepeatFixedRows()));
    ini.WriteString(s, "RepeatFixedCols", AdvGridPrintYN(ps->RepeatFixedCols()));
    ini.WriteString(s, "UseDisplFont", AdvGridPrintYN(ps->UseDisplayFont()));
    ini.WriteString(s, "UseDefOrientation", AdvGridPrintYN(ps->UseDefaultOrientation()));
    ini.WriteInteger(s, "Borders", int(ps->Borders()));
    ini.WriteInteger(s, "BorderColor", int(ps->BorderColor()));
    ini.WriteInteger(s, "BorderStyle", int(ps->BorderStyle()));
    ini.WriteInteger(s, "Date", int(ps->Date()));
    ini.WriteInteger(s, "PageNr", int(ps->PageNr()));
    ini.WriteInteger(s, "Title", int(ps->Title()));
    ini.WriteInteger(s, "Time", int(ps->Time()));
    ini.WriteString(s, "DateFormat", ps->DateFormat());
    ini.WriteString(s, "TitleText", ps->TitleText());
    ini.WriteInteger(s, "FooterSize", ps->FooterSize());
    ini.WriteInteger(s, "HeaderSize", ps->HeaderSize());
    ini.WriteInteger(s, "LeftSize", ps->LeftSize());
    ini.WriteInteger(s, "RightSize", ps->RightSize());
    ini.WriteInteger(s, "FitToPage", int(ps->FitToPage()));
    TFont* fonts[3] = {ps->Font(), ps->HeaderFont(), ps->FooterFont()};
    for (int i = 0; i < 3; ++i) AdvGridPrintWriteFont(ini, s, QLatin1String(AdvGridPrintFontKeys[i]), fonts[i]);
    ini.WriteString(s, "PageNumSep", ps->PageNumSep());
    ini.WriteString(s, "PageSuffix", ps->PageSuffix());
    ini.WriteString(s, "PagePrefix", ps->PagePrefix());
    ini.WriteInteger(s, "Orientation", int(ps->Orientation()));
    ini.WriteString(s, "TitleLines", EscapeNewlines(ps->TitleLines()->Text()));
    ini.WriteString(s, "PrintGraphics", AdvGridPrintYN(ps->PrintGraphics()));
    ini.UpdateFile();
}

void TAdvStringGrid::LoadPrintSettings(const QString& Key, const QString& Section)
{
    TPrintSettings* ps = FPrintSettings;
    TMemIniFile ini(Key);
    const QString& s = Section;
    const auto yes = [&](const char* key, const char* def) {
        return ini.ReadString(s, key, QLatin1String(def)) == QLatin1String("Y");
    };
    const auto inRange = [&](const char* key, int def, int hi, auto set) {
        const int v = ini.ReadInteger(s, key, def);
        if (v >= 0 && v <= hi) set(v);
    };
    ps->SetColumnSpacing(ini.ReadInteger(s, "ColumnSpacing", 20));
    ps->SetRowSpacing(ini.ReadInteger(s, "RowSpacing", 20));
    ps->SetTitleSpacing(ini.ReadInteger(s, "TitleSpacing", 20));
    ps->SetFixedHeight(ini.ReadInteger(s, "FixedHeight", 0));
    ps->SetFixedWidth(ini.ReadInteger(s, "FixedWidth", 0));
    ps->SetCentered(yes("Centered", "Y"));
    ps->SetNoAutoSize(yes("NoAutoSize", "N"));
    ps->SetUseFixedHeight(yes("UseFixedHeight", "N"));
    ps->SetUseFixedWidth(yes("UseFixedWidth", "N"));
    ps->SetRepeatFixedRows(yes("RepeatFixedRows", "N"));
    ps->SetRepeatFixedCols(yes("RepeatFixedCols", "N"));
    ps->SetUseDisplayFont(yes("UseDisplFont", "N"));
    ps->SetUseDefaultOrientation(yes("UseDefOrientation", "N"));
    inRange("Borders", 0, 8, [&](int v) { ps->SetBorders(TPrintBorders(v)); });
    ps->SetBorderColor(TColor(ini.ReadInteger(s, "BorderColor", 0)));
    inRange("BorderStyle", 0, 6, [&](int v) { ps->SetBorderStyle(TPenStyle(v)); });
    ps->SetDate(AdvGridPrintPosition(ini.ReadInteger(s, "Date", 0)));
    ps->SetPageNr(AdvGridPrintPosition(ini.ReadInteger(s, "PageNr", 0)));
    ps->SetTitle(AdvGridPrintPosition(ini.ReadInteger(s, "Title", 0)));
    ps->SetTime(AdvGridPrintPosition(ini.ReadInteger(s, "Time", 0)));
    ps->SetDateFormat(ini.ReadString(s, "DateFormat", QString()));
    ps->SetTitleText(ini.ReadString(s, "TitleText", QString()));
    ps->SetFooterSize(ini.ReadInteger(s, "FooterSize", 100));
    ps->SetHeaderSize(ini.ReadInteger(s, "HeaderSize", 100));
    ps->SetLeftSize(ini.ReadInteger(s, "LeftSize", 100));
    ps->SetRightSize(ini.ReadInteger(s, "RightSize", 100));
    inRange("FitToPage", 0, 4, [&](int v) { ps->SetFitToPage(TFitToPage(v)); });
    TFont* fonts[3] = {ps->Font(), ps->HeaderFont(), ps->FooterFont()};
    for (int i = 0; i < 3; ++i) AdvGridPrintReadFont(ini, s, QLatin1String(AdvGridPrintFontKeys[i]), fonts[i]);
    ps->SetPageNumSep(ini.ReadString(s, "PageNumSep", QString()));
    ps->SetPageSuffix(ini.ReadString(s, "PageSuffix", QString()));
    ps->SetPagePrefix(ini.ReadString(s, "PagePrefix", QString()));
    inRange("Orientation", 0, 1, [&](int v) { ps->SetOrientation(TPrinterOrientation(v)); });
    ps->TitleLines()->SetText(UnescapeNewlines(ini.ReadString(s, "TitleLines", QString())));
    ps->SetPrintGraphics(yes("PrintGraphics", "N"));
    // Written back also after a load, so a missing file is created.
    ini.UpdateFile();
}

// ---- print jobs and previews ------------------------------------------------------------

namespace {

// Restores a value when the scope ends, also through an exception.
template <class T>
class AdvGridPrintRestore {
public:
    AdvGridPrintRestore(T& ref, T value) : FRef(ref), FOld(ref) { FRef = value; }
    ~AdvGridPrintRestore() { FRef = FOld; }

private:
    T& FRef;
    T FOld;
};

bool AdvGridPrintTopPos(TPrintPosition p)
{
    return p >= ppTopLeft && p <= ppTopCenter;
}
bool AdvGridPrintBottomPos(TPrintPosition p)
{
    return p >= ppBottomLeft && p <= ppBottomCenter;
}

} // namespace

int TAdvStringGrid::MapFontHeight(int PointSize) const
{
    return -int(Trunc(PointSize * 254.0 / 72.0 * FFontscalefactor));
}

int TAdvStringGrid::MapFontSize(int Height) const
{
    return int(Trunc(Height * 72.0 / 254.0));
}

QString TAdvStringGrid::ConcatWithSpace(const QString& A, const QString& B)
{
    if (A.isEmpty()) return B;
    if (B.isEmpty()) return A;
    return A + QLatin1Char(' ') + B;
}

void TAdvStringGrid::PrintGetPageNum(int PageNum, int PageColNum, QString& PageNumString)
{
    if (OnPrintGetPageNum) OnPrintGetPageNum(this, PageNum, PageColNum, PageNumString);
}

bool TAdvStringGrid::IsPrintRow(int ARow)
{
    if (!FPrintRun || !FPrintRun->SelectedOnly) return true;
    if (ARow < FixedRows() && FPrintSettings->FixedCellsAlways()) return true;
    if (FMouseActions->DisjunctRowSelect()) return RowSelect(ARow);
    const TGridRect s = Selection();
    return ARow >= s.Top && ARow <= s.Bottom;
}

bool TAdvStringGrid::IsPrintCol(int ACol)
{
    if (!FPrintRun || !FPrintRun->SelectedOnly) return true;
    if (FMouseActions->DisjunctRowSelect()) return true;
    if (ACol < FixedCols() && FPrintSettings->FixedCellsAlways()) return true;
    if (FMouseActions->DisjunctColSelect()) return ColSelect(ACol);
    const TGridRect s = Selection();
    return ACol >= s.Left && ACol <= s.Right;
}

void TAdvStringGrid::Print()
{
    RunPrint(TGridRect(0, 0, ColCount() - 1, RowCount() - 1), false);
}

void TAdvStringGrid::PrintSelection()
{
    RunPrint(Selection(), false);
}

void TAdvStringGrid::PrintRect(const TGridRect& Gridrect)
{
    RunPrint(Gridrect, false);
}

void TAdvStringGrid::PrintSelectedRows()
{
    RunPrint(TGridRect(0, 0, ColCount() - 1, RowCount() - 1), true);
}

void TAdvStringGrid::PrintSelectedCols()
{
    PrintSelectedRows();
}

void TAdvStringGrid::PrintOn(TPrinter* APrinter)
{
    AdvGridPrintRestore<TPrinter*> target(FPrintTarget, APrinter);
    Print();
}

void TAdvStringGrid::RunPrint(const TGridRect& Gridrect, bool SelectedOnly)
{
    ExportNotification(esExportStart, -1);
    FPrintRect = Gridrect;
    TPrinter* p = FPrintTarget ? FPrintTarget : Printer();
    if (!FPrintSettings->UseDefaultOrientation()) p->SetOrientation(FPrintSettings->Orientation());
    const int xres = p->XResolution(), yres = p->YResolution();
    FPrintPreviewRect = TRect(0, 0, int(std::lround(254.0 / xres * p->PageWidth())),
                              int(std::lround(254.0 / yres * p->PageHeight())));
    p->SetTitle(FPrintSettings->JobName());
    p->BeginDoc();
    int n = std::numeric_limits<int>::max();
    if (!FFastPrint) {
        // Counting draws nothing: a canvas that only measures, at the
        // printer's resolution, keeps the job unopened.
        try {
            n = PrintPages(p->MeasureCanvas(), 2, SelectedOnly, -1, xres);
        } catch (...) {
            p->Abort();
            throw;
        }
    }
    FPrintPageFrom = 1;
    FPrintPageTo = n;
    FPrintPageNum = n;
    if (OnPrintStart) {
        p->Abort();
        int from = 1, to = n;
        OnPrintStart(this, n, from, to);
        if (from == 0 || to == 0 || from > to) return;
        FPrintPageFrom = from;
        FPrintPageTo = to;
        p->BeginDoc();
    }
    FPrintPageNum = FPrintPageTo;
    AdvGridPrintRestore<bool> toPrinter(FPrintToPrinter, true);
    try {
        PrintPages(p->Canvas(), 1, SelectedOnly, n, xres);
    } catch (...) {
        // Pages printed so far stay printed.
        try {
            p->EndDoc();
        } catch (...) {
        }
        throw;
    }
    p->EndDoc();
    ExportNotification(esExportDone, -1);
}

void TAdvStringGrid::PrintPreview(TCanvas* Canvas, const TRect& Displayrect)
{
    RunPreview(Canvas, Displayrect, TGridRect(0, 0, ColCount() - 1, RowCount() - 1), false);
}

void TAdvStringGrid::PrintPreviewRect(TCanvas* Canvas, const TRect& Displayrect, const TGridRect& Gridrect)
{
    RunPreview(Canvas, Displayrect, Gridrect, false);
}

void TAdvStringGrid::PrintPreviewSelection(TCanvas* Canvas, const TRect& Displayrect)
{
    RunPreview(Canvas, Displayrect, Selection(), false);
}

void TAdvStringGrid::PrintPreviewSelectedRows(TCanvas* Canvas, const TRect& Displayrect)
{
    RunPreview(Canvas, Displayrect, TGridRect(0, 0, ColCount() - 1, RowCount() - 1), true);
}

void TAdvStringGrid::PrintPreviewSelectedCols(TCanvas* Canvas, const TRect& Displayrect)
{
    PrintPreviewSelectedRows(Canvas, Displayrect);
}

void TAdvStringGrid::RunPreview(TCanvas* Canvas, const TRect& Displayrect, const TGridRect& Gridrect,
                                bool SelectedOnly)
{
    ExportNotification(esExportStart, -1);
    FPrintRect = Gridrect;
    FPrintPreviewRect = Displayrect;
    struct Done {
        TAdvStringGrid* G;
        ~Done()
        {
            G->ExportNotification(esExportDone, -1);
            G->FIsPrintPreview = false;
        }
    } done{this};
    const int dpi = Canvas->PixelsPerInch();
    int n = 1;
    if (!FFastPrint) {
        n = PrintPages(Canvas, 3, SelectedOnly, -1, dpi);
        FPrintPageNum = n;
    }
    FIsPrintPreview = true;
    int from = 1, to = n;
    if (OnPrintStart) OnPrintStart(this, n, from, to);
    if (from > 0 && to > 0 && from <= to) {
        FPrintPreviewRect = Displayrect;
        PrintPages(Canvas, 0, SelectedOnly, n, dpi);
    }
}

void TAdvStringGrid::PrintDraw(TCanvas* Canvas, const TRect& DrawRect)
{
    PrintDrawRect(Canvas, DrawRect, TGridRect(0, 0, ColCount() - 1, RowCount() - 1));
}

void TAdvStringGrid::PrintDrawRect(TCanvas* Canvas, const TRect& DrawRect, const TGridRect& Gridrect)
{
    FPrintRect = Gridrect;
    const int dpi = Canvas->PixelsPerInch();
    // The page is the drawing rectangle, in 0.1 mm.
    FPrintPreviewRect = TRect(0, 0, int(std::lround((DrawRect.Right - DrawRect.Left) * 254.0 / dpi)),
                              int(std::lround((DrawRect.Bottom - DrawRect.Top) * 254.0 / dpi)));
    FPrintPageFrom = FPrintPageTo = FPrintPageNum = 1;
    FPrintDrawOrigin = TPoint(DrawRect.Left, DrawRect.Top);
    PrintPages(Canvas, 1, false, 1, dpi);
    FPrintDrawOrigin = TPoint(0, 0);
}

// ---- the page engine --------------------------------------------------------------------

int TAdvStringGrid::PrintPages(TCanvas* Canvas, int Mode, bool SelectedOnly, int Total, int Dpi)
{
    TPrintSettings* ps = FPrintSettings;
    TAdvGridPrintRun run;
    run.Canvas = Canvas;
    run.Mode = Mode;
    run.SelectedOnly = SelectedOnly;
    run.Total = Total;
    run.Dpi = Dpi > 0 ? Dpi : ScreenPixelsPerInch;
    run.ScreenToPaper = 254.0 / ScreenPixelsPerInch;
    AdvGridPrintRestore<TAdvGridPrintRun*> current(FPrintRun, &run);
    // Everything below is in 0.1 mm with y upward; logical (0, 0) is the
    // page's top-left corner on the device.
    const TRect& pr = FPrintPreviewRect;
    const bool paper = Mode == 1 || Mode == 2;
    const TAdvGridPrintMapping mapping(Canvas, MM_LOMETRIC, paper ? FPrintDrawOrigin : TPoint(pr.Left, pr.Top));
    FFontscalefactor = 1.0;
    struct ScaleBack {
        TAdvStringGrid* G;
        ~ScaleBack() { G->FFontscalefactor = 1.0; }
    } scaleBack{this};
    TFont keepFont;
    keepFont.Assign(Canvas->Font());
    TPen keepPen;
    keepPen.Assign(Canvas->Pen());
    struct ToolsBack {
        TCanvas* C;
        TFont* F;
        TPen* P;
        ~ToolsBack()
        {
            C->Font()->Assign(F);
            C->Pen()->Assign(P);
        }
    } toolsBack{Canvas, &keepFont, &keepPen};

    // Engine pen and line heights.
    Canvas->Pen()->SetColor(clBlack);
    Canvas->Pen()->SetStyle(ps->BorderStyle());
    Canvas->Pen()->SetWidth(ps->Borders() == pbDouble ? 10 : 2);
    run.HeaderLineH = PrintFontLine(ps->HeaderFont(), QStringLiteral("gh")).Y;
    run.FooterLineH = PrintFontLine(ps->FooterFont(), QStringLiteral("gh")).Y;
    run.LineUnit = PrintFontLine(ps->Font(), QStringLiteral("gh")).Y / 8;
    run.TextInset = PrintFontLine(ps->Font(), QStringLiteral("g")).X / 2;

    // Page size: on paper the preview rectangle holds it in 0.1 mm; a
    // preview's rectangle is in device pixels, its corners converted.
    if (paper) {
        run.W = pr.Right - pr.Left;
        run.H = -(pr.Bottom - pr.Top);
    } else {
        const TRect lp = Canvas->DPtoLP(pr);
        run.W = lp.Right - lp.Left;
        run.H = lp.Bottom - lp.Top;
    }
    FPrintPageRect = TRect(0, 0, run.W, run.H);
    run.Spacing = ps->UseFixedWidth() ? 0 : ps->ColumnSpacing() + 20;

    const TGridRect R = FPrintRect;
    const int cols = std::max(ColCount(), R.Right + 1);
    // Sized to the grid, however many columns it has.
    FMaxWidths.assign(size_t(cols) + 2, 0);
    FIndents.assign(size_t(cols) + 2, 0);
    CalcPrintColWidths();

    // Fitting to the page width.
    if (ps->FitToPage() != fpNever) {
        long long sum = 0;
        for (int c = R.Left; c <= R.Right; ++c)
            if (IsPrintCol(c)) sum += FMaxWidths[size_t(c)] + run.Spacing;
        const long long spacing = (long long)run.Spacing * (R.Right - R.Left + 1);
        double scale = 1.0;
        if (sum != spacing)
            scale = double(run.W - ps->RightSize() - ps->LeftSize() - spacing) / double(sum - spacing);
        if (ps->FitToPage() == fpShrink && scale > 1.0) scale = 1.0;
        if (ps->FitToPage() == fpGrow && scale < 1.0) scale = 1.0;
        if (ps->FitToPage() == fpCustom && scale != 1.0 && OnFitToPage) {
            bool allow = true;
            OnFitToPage(this, scale, allow);
            if (!allow) scale = 1.0;
        }
        if (scale != 1.0)
            for (int c = R.Left; c <= R.Right; ++c) FMaxWidths[size_t(c)] = int(Trunc(FMaxWidths[size_t(c)] * scale));
        run.Scale = scale;
    }
    for (int c = R.Left; c <= R.Right; ++c) {
        int w = FMaxWidths[size_t(c)];
        if (OnPrintSetColumnWidth) OnPrintSetColumnWidth(this, c, w);
        FMaxWidths[size_t(c)] = w;
    }

    // The column bands, worked out first so page numbers know whether there
    // is more than one.
    struct Band {
        int First, Last, Used;
        bool Repeat;
    };
    std::vector<Band> bands;
    {
        int col = R.Left;
        while (col <= R.Right) {
            Band b{col, col, 0, false};
            b.Repeat = FixedCols() > 0 && ps->RepeatFixedCols() && (!bands.empty() || R.Left >= FixedCols());
            int used = 0;
            if (b.Repeat)
                for (int k = 0; k < FixedCols(); ++k) used += FMaxWidths[size_t(k)] + run.Spacing;
            int last = col - 1;
            const int room = run.W - ps->RightSize();
            while (used <= room && last < R.Right) {
                const int add = FMaxWidths[size_t(last + 1)] + run.Spacing;
                if (used + add > room) break;
                used += add;
                ++last;
            }
            // At least one column after the first, never beyond the rectangle.
            const int least = std::min(col + 1, R.Right);
            while (last < least) {
                ++last;
                used += FMaxWidths[size_t(last)] + run.Spacing;
            }
            b.Last = last;
            b.Used = used;
            bands.push_back(b);
            col = last + 1;
        }
    }
    run.MultiBand = bands.size() > 1;

    const bool whole = R.Top <= FixedRows() && R.Bottom >= LastNormalRow();
    const auto areas = [&](bool firstOfBand) {
        const bool anyTop = AdvGridPrintTopPos(ps->Time()) || AdvGridPrintTopPos(ps->Date()) ||
                            AdvGridPrintTopPos(ps->PageNr()) || AdvGridPrintTopPos(ps->Title());
        const bool anyBottom = AdvGridPrintBottomPos(ps->Time()) || AdvGridPrintBottomPos(ps->Date()) ||
                               AdvGridPrintBottomPos(ps->PageNr()) || AdvGridPrintBottomPos(ps->Title());
        const int extra = ps->TitleText().isEmpty() ? std::max(0, ps->TitleLines()->Count() - 1) : 0;
        (void)firstOfBand;
        run.TopArea = anyTop ? run.LineUnit + run.HeaderLineH + ps->HeaderSize() : ps->HeaderSize();
        if (AdvGridPrintTopPos(ps->Title())) run.TopArea += extra * run.HeaderLineH;
        run.BottomArea = anyBottom ? 2 * (run.LineUnit + run.FooterLineH) + ps->FooterSize()
                                   : run.LineUnit + run.FooterLineH + ps->FooterSize();
        if (AdvGridPrintBottomPos(ps->Title())) run.BottomArea += extra * run.FooterLineH;
    };
    const auto rowOnPage = [&](int r) { return 2 * run.LineUnit + GetPrintRowHeight(r) + ps->RowSpacing(); };
    const auto inRange = [&] {
        const int page = run.PageCounter + 1;
        return page >= FPrintPageFrom && page <= FPrintPageTo;
    };
    const auto startNextPage = [&] {
        const long long n = (long long)run.PageCounter + 2;
        if (n < FPrintPageFrom || n > FPrintPageTo) return;
        if (Mode == 1 && n - 1 >= FPrintPageFrom && FPrintToPrinter) {
            TPrinter* p = FPrintTarget ? FPrintTarget : Printer();
            p->NewPage();
        }
        if (run.Drawing() && OnPrintPage) OnPrintPage(this, Canvas, int(n), run.W, run.H);
    };
    (void)inRange;

    for (size_t bi = 0; bi < bands.size() && !run.Cancelled; ++bi) {
        const Band& b = bands[bi];
        run.BandNr = int(bi);
        run.PageInBand = 0;
        run.RepeatCols = b.Repeat;
        FPrintPageWidth = b.Used;
        // Indents: the left edges of the band's columns.
        const int start = ps->Centered() ? 0 : ps->LeftSize();
        FIndents[0] = start;
        FIndents[size_t(b.First)] = start;
        for (int k = b.First; k <= b.Last; ++k)
            FIndents[size_t(k) + 1] = FIndents[size_t(k)] + (IsPrintCol(k) ? FMaxWidths[size_t(k)] + run.Spacing : 0);
        int F = 0;
        if (b.Repeat) {
            for (int k = 0; k < FixedCols(); ++k) {
                FIndents[size_t(k) + 1] = FIndents[size_t(k)] + FMaxWidths[size_t(k)] + run.Spacing;
                F += FMaxWidths[size_t(k)] + run.Spacing;
            }
        }
        if (ps->Centered() && b.Used < run.W) {
            const int off = (run.W - b.Used) / 2;
            for (int k = b.First; k <= b.Last + 1; ++k) FIndents[size_t(k)] += off;
            if (b.Repeat)
                for (int k = 0; k <= FixedCols(); ++k) FIndents[size_t(k)] += off;
        }
        for (int k = b.First; k <= b.Last + 1; ++k) FIndents[size_t(k)] += F;
        FPrintColStart = b.First;
        FPrintColEnd = b.Last;
        areas(true);

        const auto printLine = [&](int r, int y) {
            int h = 0;
            if (b.Repeat) h = PrintRowCells(y, 0, FixedCols() - 1, r);
            return std::max(h, PrintRowCells(y, b.First, b.Last, r));
        };

        int row = R.Top;
        if (run.Drawing() && OnPrintPage) OnPrintPage(this, Canvas, run.PageCounter + 1, run.W, run.H);
        bool firstLine = true;
        bool endedAtRow = false;
        int pageRows = 0;
        int y = 0;
        while (row <= R.Bottom && !run.Cancelled) {
            ExportNotification(whole ? esExportNewRow : esExportSelRow, row);
            if (firstLine) {
                y = -run.TopArea;
                const int t = PrintHeaderFooter();
                y -= ps->TitleSpacing() + t;
                if (row != 0 && ps->RepeatFixedRows() && FixedRows() > 0 &&
                    (run.PageCounter > 0 || R.Top >= FixedRows()))
                    for (int fr = 0; fr < FixedRows(); ++fr) y -= printLine(fr, y);
                firstLine = false;
                pageRows = 0;
            }
            bool fitted = true, forced = false;
            if (IsPrintRow(row)) {
                const int h = rowOnPage(row);
                const bool fits = y - h > run.H + run.BottomArea;
                if (fits || pageRows == 0) {
                    // A row taller than the page goes alone on its page, cut
                    // at the bottom area, so every run ends.
                    forced = !fits;
                    y -= printLine(row, y);
                    ++pageRows;
                } else {
                    fitted = false;
                }
            }
            if (fitted) ++row;
            bool newPage = false;
            if (OnPrintNewPage) OnPrintNewPage(this, row, newPage);
            int next = row;
            while (next <= R.Bottom && !IsPrintRow(next)) ++next;
            const bool remain = next <= R.Bottom;
            const bool complete =
                remain && (forced || !fitted || newPage || y - rowOnPage(next) < run.H + run.BottomArea);
            if (run.Drawing() && (complete || !remain)) {
                if (OnPrintPageDone) OnPrintPageDone(this, Canvas, row, y, run.PageCounter + 1, run.W, run.H);
                bool cancel = false;
                if (OnPrintCancel) OnPrintCancel(this, run.PageCounter + 1, cancel);
                run.Cancelled = cancel;
            }
            if (!remain) row = R.Bottom + 1;
            endedAtRow = false;
            if (complete) {
                FinishPrintPage(b.First, b.Last, y);
                if (run.Cancelled) {
                    endedAtRow = true;
                    break;
                }
                startNextPage();
                if (FFastPrint && run.PageCounter > FPrintPageFrom - 1) row = R.Bottom + 1;
                ++run.PageCounter;
                ++run.PageInBand;
                firstLine = true;
                endedAtRow = true;
                areas(false);
            }
        }
        if (!endedAtRow) FinishPrintPage(b.First, b.Last, y);
        if (run.Cancelled) {
            ++run.PageCounter;
            break;
        }
        if (bi + 1 < bands.size()) startNextPage();
        ++run.PageCounter;
    }
    return run.PageCounter;
}

void TAdvStringGrid::CalcPrintColWidths()
{
    TPrintSettings* ps = FPrintSettings;
    TAdvGridPrintRun& run = *FPrintRun;
    const TGridRect R = FPrintRect;
    if (ps->NoAutoSize()) {
        for (int c = R.Left; c <= R.Right; ++c)
            if (IsPrintCol(c)) FMaxWidths[size_t(c)] = int(std::lround(ColWidths(c) * run.ScreenToPaper));
        return;
    }
    const auto measureRow = [&](int r) {
        for (int c = R.Left; c <= R.Right; ++c) {
            if (!IsPrintCol(c)) continue;
            const int rc = RealColIndex(c);
            if (CellSpan(rc, r).X > 0) continue; // merged across columns
            const int w = ps->UseFixedWidth() ? ps->FixedWidth() : MeasurePrintCell(rc, r).X;
            FMaxWidths[size_t(c)] = std::max(FMaxWidths[size_t(c)], w);
        }
    };
    if (ps->RepeatFixedRows())
        for (int r = 0; r < FixedRows(); ++r) measureRow(r);
    for (int r = R.Top; r <= R.Bottom; ++r) measureRow(r);
}

TPoint TAdvStringGrid::PrintFontLine(TFont* Font, const QString& Text)
{
    TCanvas* c = FPrintRun->Canvas;
    c->Font()->Assign(Font);
    c->Font()->SetHeight(std::min(-1, MapFontHeight(Font->Size())));
    const TSize s = c->TextExtent(Text);
    return TPoint(s.cx, s.cy);
}

int TAdvStringGrid::GetPrintRowHeight(int ARow)
{
    TPrintSettings* ps = FPrintSettings;
    TAdvGridPrintRun& run = *FPrintRun;
    if (run.CacheRow == ARow) return run.CacheHeight;
    if (ps->NoAutoSizeRow()) return int(std::lround(RowHeights(ARow) * run.ScreenToPaper)) - 4;
    int h = 0;
    if (ps->UseFixedHeight()) {
        h = ps->FixedHeight();
    } else {
        const double keep = FFontscalefactor;
        FFontscalefactor = run.Scale;
        int last = 0;
        for (int c = FPrintRect.Left; c <= FPrintRect.Right; ++c) {
            const int rc = RealColIndex(c);
            last = MeasurePrintCell(rc, ARow).Y;
            if (CellSpan(rc, ARow).Y == 0) h = std::max(h, last);
        }
        FFontscalefactor = keep;
        if (h == 0) h = last;
        h += h / 8;
        if (OnPrintSetRowHeight) OnPrintSetRowHeight(this, ARow, h);
    }
    run.CacheRow = ARow;
    run.CacheHeight = h;
    return h;
}

// ---- page numbers, header and footer ------------------------------------------------------

QString TAdvStringGrid::GetPrintPageNumText()
{
    TPrintSettings* ps = FPrintSettings;
    TAdvGridPrintRun& run = *FPrintRun;
    QString s;
    if (run.MultiBand) {
        s = QStringLiteral("%1-%2").arg(run.PageInBand + 1).arg(run.BandNr + 1);
        PrintGetPageNum(run.PageInBand + 1, run.BandNr + 1, s);
        return s;
    }
    const long long n = (long long)run.PageCounter + 1 + ps->PageNumberOffset();
    // Formed in 64 bits: a fast print's total is the largest integer.
    if (!ps->PageNumSep().isEmpty() && run.Total > 1)
        s = QString::number(n) + ps->PageNumSep() + QString::number((long long)run.Total + ps->MaxPagesOffset());
    else
        s = QString::number(n);
    PrintGetPageNum(run.PageCounter + 1, run.BandNr + 1, s);
    return s;
}

int TAdvStringGrid::PrintHeaderFooter()
{
    TPrintSettings* ps = FPrintSettings;
    TAdvGridPrintRun& run = *FPrintRun;
    const int page = run.PageCounter + 1;
    if (!run.Drawing() || page < FPrintPageFrom || page > FPrintPageTo) return 0;
    QString pageTexts[7];
    const auto put = [&](TPrintPosition pos, const QString& item) {
        if (pos == ppNone) return;
        QString& s = pageTexts[pos];
        // Left texts take the item in front, the others after; the blank is
        // written also into an empty slot.
        if (pos == ppTopLeft || pos == ppBottomLeft) s = item + QLatin1Char(' ') + s;
        else s = s + QLatin1Char(' ') + item;
    };
    const TDateTime now = Now();
    put(ps->Time(), FormatDateTime(QStringLiteral("hh:nn"), now));
    put(ps->Date(), FormatDateTime(ps->DateFormat(), now));
    put(ps->PageNr(), ps->PagePrefix() + QLatin1Char(' ') + GetPrintPageNumText() + QLatin1Char(' ') + ps->PageSuffix());
    QStringList extra;
    QString htmlTitle;
    if (ps->Title() != ppNone) {
        QStringList lines;
        for (int i = 0; i < ps->TitleLines()->Count(); ++i) lines << ps->TitleLines()->Strings(i);
        if (!ps->TitleText().isEmpty()) {
            put(ps->Title(), ps->TitleText());
        } else if (!lines.isEmpty() && GetTextType(lines.join(QString()), EnableHTML()) == 1) {
            // Markup lines make one title, drawn as a block below or above the lines.
            htmlTitle = lines.join(QString());
        } else if (ps->TitleLines()->Count() > 0) {
            QString& s = pageTexts[ps->Title()];
            const QString first = ps->TitleLines()->Strings(0);
            s = (ps->Title() == ppTopLeft || ps->Title() == ppBottomLeft) ? ConcatWithSpace(first, s)
                                                                          : ConcatWithSpace(s, first);
            for (int i = 1; i < ps->TitleLines()->Count(); ++i) extra << ps->TitleLines()->Strings(i);
        }
    }
    const double keepScale = FFontscalefactor;
    FFontscalefactor = run.Scale;
    TCanvas* c = run.Canvas;
    // The lines leave the canvas font and brush as they found them: the
    // cells printed after them start from the engine's print font.
    const TCanvasFontKeeper keepFont(c);
    TBrush keepBrush;
    keepBrush.Assign(c->Brush());
    c->Brush()->SetStyle(bsClear);
    const auto drawAt = [&](TPrintPosition pos, const QString& text, int y) {
        if (text.isEmpty()) return;
        const int w = c->TextWidth(text);
        int x = ps->LeftSize();
        if (pos == ppTopRight || pos == ppBottomRight) x = run.W - w - ps->RightSize() - 20;
        else if (pos == ppTopCenter || pos == ppBottomCenter) x = (run.W - w) / 2;
        c->TextOut(x, y, text);
    };
    PrintFontLine(ps->HeaderFont(), QStringLiteral("gh"));
    for (TPrintPosition p : {ppTopLeft, ppTopRight, ppTopCenter}) drawAt(p, pageTexts[p], -ps->HeaderSize());
    if (AdvGridPrintTopPos(ps->Title())) {
        int off = 0;
        for (const QString& line : extra) {
            off += run.HeaderLineH;
            drawAt(ps->Title(), line, -ps->HeaderSize() - off);
        }
    }
    PrintFontLine(ps->FooterFont(), QStringLiteral("gh"));
    const int fy = run.H + ps->FooterSize() + run.FooterLineH + run.LineUnit;
    for (TPrintPosition p : {ppBottomLeft, ppBottomRight, ppBottomCenter}) drawAt(p, pageTexts[p], fy);
    if (AdvGridPrintBottomPos(ps->Title())) {
        int off = 0;
        for (const QString& line : extra) {
            off += run.FooterLineH;
            drawAt(ps->Title(), line, fy - off);
        }
    }
    const int titleHeight = htmlTitle.isEmpty() ? 0 : PrintHTMLTitle(htmlTitle);
    c->Brush()->Assign(&keepBrush);
    FFontscalefactor = keepScale;
    return titleHeight;
}

int TAdvStringGrid::PrintHTMLTitle(const QString& Html)
{
    TPrintSettings* ps = FPrintSettings;
    TAdvGridPrintRun& run = *FPrintRun;
    // Laid out at screen size in the header font, then placed on the page.
    TFont font;
    font.Assign(ps->HeaderFont());
    const int screenW = std::max(1, int((run.W - ps->LeftSize()) / run.ScreenToPaper));
    THTMLDrawArgs args;
    args.ImageList = FGridImages;
    args.PictureCache = FImageCache;
    args.WordWrap = true;
    THTMLDrawResult size;
    {
        TCanvas m;
        m.Font()->Assign(&font);
        args.MeasureOnly = true;
        DrawHTMLText(&m, Html, TRect(0, 0, screenW, 65535), args, size);
        args.MeasureOnly = false;
    }
    const int h = int(std::lround(size.Height * run.ScreenToPaper));
    const bool top = AdvGridPrintTopPos(ps->Title());
    const TRect dest = top ? TRect(ps->LeftSize(), -ps->HeaderSize(), run.W, -ps->HeaderSize() - h)
                           : TRect(ps->LeftSize(), run.H + ps->FooterSize(), run.W, run.H);
    PaintScaled(run.Canvas, dest, double(run.Dpi) / ScreenPixelsPerInch * run.Scale, [&](TCanvas* sc) {
        sc->Font()->Assign(&font);
        sc->Brush()->SetStyle(bsClear);
        THTMLDrawResult drawn;
        DrawHTMLText(sc, Html, TRect(0, 0, screenW, size.Height), args, drawn);
    });
    return top ? h : 0;
}
