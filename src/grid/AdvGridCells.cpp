// The cell access layer: texts by real and display indexes, typed values,
// user objects, cell controls, per-cell look, headers and the change hooks.

#include "AdvGrid.h"

#include "AdvUtil.h"
#include "AsgHTMLEText.h"
#include "FormatSettings.h"
#include "SysFormat.h"

#include <algorithm>

namespace {

const QString SAdvGridCellsNoInteger = QStringLiteral("Cell does not contain integer value");
const QString SAdvGridCellsNoFloat = QStringLiteral("Cell does not contain a float value");

// The seven link prefixes in their order of trial.
const QString kAdvGridUrlPrefixes[] = {QStringLiteral("HTTP://"),  QStringLiteral("WWW."),
                                       QStringLiteral("MAILTO:"),  QStringLiteral("HTTPS://"),
                                       QStringLiteral("NNTP://"),  QStringLiteral("FILE://"),
                                       QStringLiteral("FTP://")};

int AdvGridCellsReadInt(QString text)
{
    text = text.trimmed();
    if (text.isEmpty() || text == QStringLiteral("-")) return 0;
    int v = 0;
    if (!TryStrToInt(text, v)) throw EAdvGridError(SAdvGridCellsNoInteger);
    return v;
}

double AdvGridCellsReadFloat(const QString& text)
{
    const QString n = ExtractNumberText(text);
    if (n.isEmpty() || n == QStringLiteral("-")) return 0;
    FormatSettings fs = DefaultFormatSettings();
    fs.DecimalSeparator = u'.';
    double v = 0;
    if (!TryStrToFloat(n, v, fs)) throw EAdvGridError(SAdvGridCellsNoFloat);
    return v;
}

} // namespace

// ---- texts --------------------------------------------------------------------------------

void TAdvStringGrid::RepaintDisplayedCell(int RealColumn, int ARow)
{
    if (FHiddenCols.empty() || !Widget()) return;
    const int d = DisplColIndex(RealColumn);
    if (d != RealColumn && !IsHiddenColumn(RealColumn)) InvalidateCell(d, ARow);
}

QString TAdvStringGrid::AllCells(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return QString();
    if (TGridItem* item = HiddenRowItem(ARow)) {
        QString s = item->Text(ACol);
        GetDisplText(ACol, ARow, s);
        return s;
    }
    return GetCellEx(ACol, DisplRowIndex(ARow));
}

void TAdvStringGrid::SetAllCells(int ACol, int ARow, const QString& Value)
{
    if (ACol < 0 || ARow < 0) return;
    if (TGridItem* item = HiddenRowItem(ARow)) {
        item->SetText(ACol, Value);
        return;
    }
    const int r = DisplRowIndex(ARow);
    SetCellEx(ACol, r, Value);
    RepaintDisplayedCell(ACol, r);
}

QString TAdvStringGrid::AllGridCells(int ACol, int ARow) const
{
    if (ACol < 0 || ARow < 0) return QString();
    if (TGridItem* item = HiddenRowItem(ARow)) return item->Text(ACol);
    return GridCells(ACol, DisplRowIndex(ARow));
}

void TAdvStringGrid::SetAllGridCells(int ACol, int ARow, const QString& Value)
{
    if (ACol < 0 || ARow < 0) return;
    if (TGridItem* item = HiddenRowItem(ARow)) {
        item->SetTextNoGrow(ACol, Value);
        return;
    }
    const int r = DisplRowIndex(ARow);
    SetGridCells(ACol, r, Value);
    RepaintDisplayedCell(ACol, r);
}

int TAdvStringGrid::UnSortedRowIndex(int ARow) const
{
    // A row without an entry stands for itself.
    for (int i = 0; i < FSortRowXRef->Count(); ++i)
        if (FSortRowXRef->Items(i) == ARow) return i;
    return ARow;
}

int TAdvStringGrid::SortedRowIndex(int ARow) const
{
    const int r = ARow >= 0 && ARow < FSortRowXRef->Count() ? FSortRowXRef->Items(ARow) : ARow;
    return DisplRowIndex(r);
}

QString TAdvStringGrid::UnSortedCells(int ACol, int ARow) { return GetCellEx(ACol, UnSortedRowIndex(ARow)); }
void TAdvStringGrid::SetUnSortedCells(int ACol, int ARow, const QString& Value)
{
    SetCellEx(ACol, UnSortedRowIndex(ARow), Value);
}

QString TAdvStringGrid::OriginalCells(int ACol, int ARow)
{
    const int p = ColumnPosition(ACol);
    return GetCellEx(p == -1 ? ACol : p, ARow);
}

void TAdvStringGrid::SetOriginalCells(int ACol, int ARow, const QString& Value)
{
    const int p = ColumnPosition(ACol);
    SetCellEx(p == -1 ? ACol : p, ARow, Value);
}

QString TAdvStringGrid::StrippedCells(int ACol, int ARow) { return HTMLStrip(GetCellEx(ACol, ARow)); }
int TAdvStringGrid::LinesInCell(int ACol, int ARow) { return LineCountOf(GetCellEx(ACol, ARow), true); }

// ---- objects --------------------------------------------------------------------------------

intptr_t TAdvStringGrid::AllObjects(int ACol, int ARow) const
{
    if (ACol < 0 || ARow < 0) return 0;
    if (TGridItem* item = HiddenRowItem(ARow)) {
        TCellProperties* p = item->Props(ACol);
        return p ? p->CellObject() : 0;
    }
    return GetObjectEx(ACol, DisplRowIndex(ARow));
}

void TAdvStringGrid::SetAllObjects(int ACol, int ARow, intptr_t Value)
{
    if (ACol < 0 || ARow < 0) return;
    if (TGridItem* item = HiddenRowItem(ARow)) {
        // The slot holds property objects only: the value goes into one.
        TCellProperties* p = item->Props(ACol);
        if (!p) {
            p = new TCellProperties(this, ACol, ARow);
            item->SetProps(ACol, p);
        }
        p->SetCellObject(Value);
        return;
    }
    SetObjectEx(ACol, DisplRowIndex(ARow), Value);
}

TCellProperties* TAdvStringGrid::GetGridObjectsEx(int ACol, int ARow) const
{
    if (ACol < 0 || ARow < 0) return nullptr;
    if (TGridItem* item = HiddenRowItem(ARow)) return item->Props(ACol);
    return GridObjects(ACol, DisplRowIndex(ARow));
}

// ---- typed values -----------------------------------------------------------------------------

int TAdvStringGrid::Ints(int ACol, int ARow) { return AdvGridCellsReadInt(StrippedCells(ACol, ARow)); }

void TAdvStringGrid::SetInts(int ACol, int ARow, int Value)
{
    SetCellEx(ACol, ARow, QString::number(Value));
    RepaintDisplayedCell(ACol, ARow);
}

int TAdvStringGrid::AllInts(int ACol, int ARow) { return AdvGridCellsReadInt(AllCells(ACol, ARow)); }
void TAdvStringGrid::SetAllInts(int ACol, int ARow, int Value) { SetAllCells(ACol, ARow, QString::number(Value)); }

double TAdvStringGrid::Floats(int ACol, int ARow) { return AdvGridCellsReadFloat(StrippedCells(ACol, ARow)); }

void TAdvStringGrid::SetFloats(int ACol, int ARow, double Value)
{
    QString fmt;
    GetColumnFloatFormat(ACol, ARow, fmt);
    // A format that does not fit raises EConvertError before the cell changes.
    const QString text = Format(fmt, {Value});
    SetCellEx(ACol, ARow, text);
}

double TAdvStringGrid::AllFloats(int ACol, int ARow) { return AdvGridCellsReadFloat(AllCells(ACol, ARow)); }

void TAdvStringGrid::SetAllFloats(int ACol, int ARow, double Value)
{
    SetAllCells(ACol, ARow, Format(FloatFormat(), {Value}));
}

void TAdvStringGrid::GetColumnFloatFormat(int, int, QString& AFormat) { AFormat = FloatFormat(); }

QString TAdvStringGrid::ControlValues(int ACol, int ARow, const QString& ID)
{
    QString v;
    if (!GetControlValue(GetCellEx(ACol, ARow), ID, v)) return QString();
    return v;
}

void TAdvStringGrid::SetControlValues(int ACol, int ARow, const QString& ID, const QString& Value)
{
    QString text = GetCellEx(ACol, ARow);
    if (SetControlValue(text, ID, Value)) SetCellEx(ACol, ARow, text);
}

// ---- current cell --------------------------------------------------------------------------------

QString TAdvStringGrid::CurrentCell() const
{
    const TPoint b = BaseCell(RealCol(), Row());
    return GridCells(b.X, b.Y);
}

void TAdvStringGrid::SetCurrentCell(const QString& Value)
{
    const TPoint b = BaseCell(RealCol(), Row());
    SetCellEx(b.X, b.Y, Value);
}

QString TAdvStringGrid::GetCurrentCellText()
{
    const TPoint b = BaseCell(RealCol(), Row());
    return GetCellEx(b.X, b.Y);
}

void TAdvStringGrid::SetCurrentCellText(const QString& Value)
{
    if (IsMergedNonBaseCell(RealCol(), Row())) {
        const TPoint b = BaseCell(RealCol(), Row());
        SetEditText(DisplColIndex(b.X), b.Y, Value);
    } else {
        SetEditText(Col(), Row(), Value);
    }
}

// ---- cell controls -----------------------------------------------------------------------------------

TControl* TAdvStringGrid::CellControls(int ACol, int ARow) const
{
    const TCellProperties* p = GridObjects(ACol, ARow);
    return p ? p->Control() : nullptr;
}

void TAdvStringGrid::SetCellControls(int ACol, int ARow, TControl* Value)
{
    const int realRow = RealRowIndex(ARow);
    if (!Value) {
        TCellProperties* p = GridObjects(ACol, ARow);
        if (!p || !p->Control()) return;
        const int i = FControlList->ControlIndex(ACol, realRow);
        if (i >= 0) FControlList->RemoveControl(i);
        if (FNumCellControls > 0) --FNumCellControls;
        p->SetControl(nullptr);
        return;
    }
    const int i = FControlList->ControlIndex(ACol, realRow);
    if (i >= 0) FControlList->RemoveControl(i);
    TCellProperties* p = GetCellProperties(ACol, ARow);
    if (!p->Control()) ++FNumCellControls;
    FControlList->AddControl(ACol, realRow, Value);
    p->SetControl(Value);
    Value->SetParent(this);
    const TRect r = CellRect(DisplColIndex(ACol), ARow);
    Value->SetBounds(r.Left - 1, r.Top - 1, r.Width() + 1, r.Height() + 1);
}

// ---- per-cell look ----------------------------------------------------------------------------------

namespace {

template <class T, class F>
T AdvGridCellsLook(const TCellProperties* p, T def, F get)
{
    return p ? get(p) : def;
}

} // namespace

TColor TAdvStringGrid::Colors(int ACol, int ARow) const
{
    return AdvGridCellsLook(GridObjects(ACol, ARow), clNone, [](const TCellProperties* p) { return p->BrushColor(); });
}

void TAdvStringGrid::SetColors(int ACol, int ARow, TColor Value)
{
    GetCellProperties(ACol, ARow)->SetBrushColor(Value);
    if (FUpdateCount == 0) RepaintCell(DisplColIndex(ACol), ARow);
}

TColor TAdvStringGrid::ColorsTo(int ACol, int ARow) const
{
    return AdvGridCellsLook(GridObjects(ACol, ARow), clNone, [](const TCellProperties* p) { return p->BrushColorTo(); });
}

void TAdvStringGrid::SetColorsTo(int ACol, int ARow, TColor Value)
{
    GetCellProperties(ACol, ARow)->SetBrushColorTo(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

TCellGradientDirection TAdvStringGrid::Gradients(int ACol, int ARow) const
{
    return AdvGridCellsLook(GridObjects(ACol, ARow), GradientVertical,
                            [](const TCellProperties* p) { return p->GradientDirection(); });
}

void TAdvStringGrid::SetGradients(int ACol, int ARow, TCellGradientDirection Value)
{
    GetCellProperties(ACol, ARow)->SetGradientDirection(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

TColor TAdvStringGrid::FontColors(int ACol, int ARow) const
{
    return AdvGridCellsLook(GridObjects(ACol, ARow), clNone, [](const TCellProperties* p) { return p->FontColor(); });
}

void TAdvStringGrid::SetFontColors(int ACol, int ARow, TColor Value)
{
    GetCellProperties(ACol, ARow)->SetFontColor(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

TFontStyles TAdvStringGrid::FontStyles(int ACol, int ARow) const
{
    return AdvGridCellsLook(GridObjects(ACol, ARow), TFontStyles(), [](const TCellProperties* p) { return p->FontStyle(); });
}

void TAdvStringGrid::SetFontStyles(int ACol, int ARow, TFontStyles Value)
{
    GetCellProperties(ACol, ARow)->SetFontStyle(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

int TAdvStringGrid::FontSizes(int ACol, int ARow) const
{
    return AdvGridCellsLook(GridObjects(ACol, ARow), 0, [](const TCellProperties* p) { return p->FontSize(); });
}

void TAdvStringGrid::SetFontSizes(int ACol, int ARow, int Value)
{
    GetCellProperties(ACol, ARow)->SetFontSize(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

QString TAdvStringGrid::FontNames(int ACol, int ARow) const
{
    return AdvGridCellsLook(GridObjects(ACol, ARow), QString(), [](const TCellProperties* p) { return p->FontName(); });
}

void TAdvStringGrid::SetFontNames(int ACol, int ARow, const QString& Value)
{
    GetCellProperties(ACol, ARow)->SetFontName(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

TAlignment TAdvStringGrid::Alignments(int ACol, int ARow) const
{
    return AdvGridCellsLook(GridObjects(ACol, ARow), taLeftJustify, [](const TCellProperties* p) { return p->Alignment(); });
}

void TAdvStringGrid::SetAlignments(int ACol, int ARow, TAlignment Value)
{
    GetCellProperties(ACol, ARow)->SetAlignment(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

bool TAdvStringGrid::ReadOnly(int ACol, int ARow) const
{
    return AdvGridCellsLook(GridObjects(ACol, ARow), false, [](const TCellProperties* p) { return p->ReadOnly(); });
}

void TAdvStringGrid::SetReadOnly(int ACol, int ARow, bool Value)
{
    GetCellProperties(ACol, ARow)->SetReadOnly(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

bool TAdvStringGrid::WordWraps(int ACol, int ARow) { return GetCellProperties(ACol, ARow)->WordWrap(); }

void TAdvStringGrid::SetWordWraps(int ACol, int ARow, bool Value)
{
    GetCellProperties(ACol, ARow)->SetWordWrap(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TAdvStringGrid::SetCellFont(int ACol, int ARow, TFont* Value)
{
    if (!Value) return;
    TCellProperties* p = GetCellProperties(ACol, ARow);
    p->SetFontName(Value->Name());
    p->SetFontSize(Value->Size());
    p->SetFontStyle(Value->Style());
    p->SetFontColor(Value->Color());
    if (FUpdateCount == 0) RepaintCell(DisplColIndex(ACol), ARow);
}

void TAdvStringGrid::SetRowColor(int ARow, TColor Value)
{
    for (int c = FixedCols(); c < AllColCount(); ++c) {
        if (Value == clNone) {
            if (!GridObjects(c, ARow)) continue;
            if (GetCellType(c, ARow) == ctNone) FreeGridCellProperties(ReleaseCellProperties(c, ARow));
            else GridObjects(c, ARow)->SetBrushColor(clNone);
        } else {
            GetCellProperties(c, ARow)->SetBrushColor(Value);
        }
    }
    RepaintRow(ARow);
}

void TAdvStringGrid::SetRowColorTo(int ARow, TColor Value)
{
    for (int c = FixedCols(); c < AllColCount(); ++c) {
        if (Value == clNone) {
            if (TCellProperties* p = ReleaseCellProperties(c, ARow)) FreeGridCellProperties(p);
        } else {
            GetCellProperties(c, ARow)->SetBrushColorTo(Value);
        }
    }
    RepaintRow(ARow);
}

void TAdvStringGrid::SetRowFontColor(int ARow, TColor Value)
{
    for (int c = FixedCols(); c < AllColCount(); ++c) {
        if (Value == clNone) {
            if (GridObjects(c, ARow) && Colors(c, ARow) == clNone)
                if (TCellProperties* p = ReleaseCellProperties(c, ARow)) FreeGridCellProperties(p);
        } else {
            GetCellProperties(c, ARow)->SetFontColor(Value);
        }
    }
    RepaintRow(ARow);
}

// ---- headers and other settings ---------------------------------------------------------------------

void TAdvStringGrid::SetColumnHeaders(TStrings* Value)
{
    if (!Value) return;
    if (TBaseGrid::FixedRows() > 0) ClearColumnHeaders();
    FColumnHeaders->Assign(Value);
}

void TAdvStringGrid::ShowColumnHeaders()
{
    if (TBaseGrid::FixedRows() <= 0) return;
    for (int k = 0; k < FColumnHeaders->Count() && k < AllColCount(); ++k)
        SetCellEx(k, 0, UnescapeNewlines(FColumnHeaders->Strings(k)));
}

void TAdvStringGrid::ClearColumnHeaders()
{
    for (int c = 0; c < ColCount(); ++c) SetCellEx(c, 0, QString());
}

void TAdvStringGrid::SetRowHeaders(TStrings* Value)
{
    if (!Value) return;
    FRowHeaders->Assign(Value);
}

void TAdvStringGrid::ShowRowHeaders()
{
    if (TBaseGrid::FixedCols() <= 0) return;
    for (int k = 0; k < FRowHeaders->Count() && k < RowCount(); ++k)
        SetCellEx(0, k, UnescapeNewlines(FRowHeaders->Strings(k)));
}

void TAdvStringGrid::ClearRowHeaders()
{
    for (int r = 0; r < RowCount(); ++r) SetCellEx(0, r, QString());
}

void TAdvStringGrid::SetLookupItems(TStrings* Value)
{
    if (Value) FLookupItems->Assign(Value);
}

void TAdvStringGrid::SetFixedFont(TFont* Value)
{
    FFixedFont->Assign(Value);
    Invalidate();
}

void TAdvStringGrid::SetZURGradientFrom(TColor v)
{
    FVisualGradFrom = ColorToRGB(v);
    Invalidate();
}

void TAdvStringGrid::SetZURGradientTo(TColor v)
{
    FVisualGradTo = ColorToRGB(v);
    Invalidate();
}

void TAdvStringGrid::SetZURGradientMirrorFrom(TColor v)
{
    FVisualGradMirrorFrom = ColorToRGB(v);
    Invalidate();
}

void TAdvStringGrid::SetZURGradientMirrorTo(TColor v)
{
    FVisualGradMirrorTo = ColorToRGB(v);
    Invalidate();
}

namespace {
bool& AdvGridCellsHTMLHints()
{
    static bool on = false;
    return on;
}
} // namespace

bool TAdvStringGrid::UseHTMLHints() { return AdvGridCellsHTMLHints(); }

void TAdvStringGrid::SetUseHTMLHints(bool v)
{
    // The switch of the application's hint window class is the look's.
    AdvGridCellsHTMLHints() = v;
}

QString TAdvStringGrid::Version()
{
    const uint32_t v = uint32_t(GetVersionNr());
    return QStringLiteral("%1.%2.%3.%4").arg(v >> 24).arg((v >> 16) & 0xFF).arg((v >> 8) & 0xFF).arg(v & 0xFF);
}

int TAdvStringGrid::PrintColWidth(int ACol) const
{
    return ACol >= 0 && ACol < int(FMaxWidths.size()) ? FMaxWidths[size_t(ACol)] : -1;
}

int TAdvStringGrid::PrintColOffset(int ACol) const
{
    return ACol >= 0 && ACol < int(FIndents.size()) ? FIndents[size_t(ACol)] : -1;
}

// ---- display text and change hooks ---------------------------------------------------------------------

void TAdvStringGrid::GetDisplText(int ACol, int ARow, QString& Value)
{
    TBaseGrid::GetDisplText(ACol, ARow, Value);
    if (URLShowInText()) {
        for (const QString& prefix : kAdvGridUrlPrefixes) {
            QString html;
            if (LinkifyURL(Value, prefix, html) && html != Value) {
                Value = html;
                break;
            }
        }
    }
    QString fmt;
    if (ACol == 1 && FNumNodes > 0 && GroupCountShown(fmt) && IsNode(ARow)) {
        const int n = GetNodeSpan(ARow) - GetSubNodeCount(ARow) - 1;
        QString suffix = QStringLiteral(" (%1)").arg(n);
        if (!fmt.isEmpty()) {
            try {
                suffix = Format(fmt, {n});
            } catch (const EConvertError&) {
            }
        }
        Value += suffix;
    }
}

void TAdvStringGrid::CellsChanged(const TGridRect& R)
{
    if (OnCellsChanged) OnCellsChanged(this, R);
    // A notifier may unregister itself while it is told.
    const std::vector<TGridChangeNotifier*> list = FNotifierList;
    for (TGridChangeNotifier* n : list)
        if (std::find(FNotifierList.begin(), FNotifierList.end(), n) != FNotifierList.end()) n->CellsChanged(R);
    CalcFooter(-1);
}

void TAdvStringGrid::CellsLoaded() { CalcFooter(-1); }
void TAdvStringGrid::CellChanged(int ACol, int) { CalcFooter(ACol); }
void TAdvStringGrid::GridChanged() { CalcFooter(-1); }
