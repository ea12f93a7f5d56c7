#include "AdvMultiColumnDropDownGrid.h"

#include "AdvDropDownForm.h"
#include "AdvDropDownPaint.h"
#include "ImgList.h"
#include "OsProfile.h"

#include <algorithm>

namespace AdvMultiColumnDropDown {

TAdvColGrid::TAdvColGrid(TComponent* AOwner)
    : TStringGrid(AOwner), FColumns(std::make_unique<TDropDownColumns>(this)), FHeaderFont(std::make_unique<TFont>())
{
    SetFixedRows(1);
    SetFixedCols(0);
    TGridOptions o = Options();
    o.Exclude(goRangeSelect).Exclude(goDrawFocusSelected);
    o.Include(goRowSelect).Include(goHorzLine);
    SetOptions(o);
    SetDefaultDrawing(false);
    SetCtl3D(false);
    SetGridLineWidth(0);
    FOwnLineWidth = 1;
    SetBorderStyle(bsNone);
    SetWantKeys(DLGC_WANTARROWS | DLGC_WANTTAB);
}

TAdvColGrid::~TAdvColGrid() = default;

void TAdvColGrid::SetGridLineWidth(int v)
{
    FOwnLineWidth = v;
    TStringGrid::SetGridLineWidth(0);
    Invalidate();
}

bool TAdvColGrid::InPopup() const
{
    return dynamic_cast<TDropDownForm*>(Parent()) != nullptr;
}

void TAdvColGrid::LoadFromDropDown(TAdvMultiColumnDropDown* DropDown)
{
    if (!DropDown) return;
    FDropDown = DropDown;
    FColumns->Assign(DropDown->Columns());
    SetColCount(std::max(FColumns->Count(), 1));
    const int rows = DropDown->Items()->Count() + 1;
    SetRowCount(rows);
    if (rows > 1) {
        SetFixedRows(1);
        SetRow(1);
        SetRowCount(rows);
    }
    for (int i = 0; i < FColumns->Count(); ++i) SetColWidths(i, FColumns->Items(i)->Width());
    FLineColor = DropDown->LineColor();
    FFixedLineColor = DropDown->FixedLineColor();
    FHeaderColor = DropDown->HeaderColor();
    FHeaderColorTo = DropDown->HeaderColorTo();
    FHeaderHeight = DropDown->HeaderHeight();
    FHeaderFont->Assign(DropDown->HeaderFont());
    FImages = DropDown->Images();
    SetDefaultRowHeight(DropDown->DropDownRowHeight());
    SetRowHeights(0, FHeaderHeight);
    TGridOptions o = Options();
    if (DropDown->ColumnSizing())
        o.Include(goColSizing);
    else
        o.Exclude(goColSizing);
    SetOptions(o);
    for (int i = 0; i < FColumns->Count(); ++i)
        if (FColumns->Items(i)->AutoSize()) MeasureAutoSizeColumn(i);
    SizeWrappedRows();
}

int TAdvColGrid::TotalWidth() const
{
    int w = 2 * BorderWidth();
    for (int i = 0; i < ColCount(); ++i) w += ColWidths(i);
    if (VisibleRowCount() + FixedRows() < RowCount()) w += GetOsProfile().ScrollBarExtent;
    return w;
}

TRect TAdvColGrid::CellBounds(int ACol, int ARow) const
{
    const TRect r = CellRect(ACol, ARow);
    return TRect(r.Left, r.Top, r.Left + ColWidths(ACol), r.Top + RowHeights(ARow));
}

void TAdvColGrid::DoSelect()
{
    if (OnSelect) OnSelect(this);
}

void TAdvColGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    TStringGrid::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FImages && !HasState(csDestroying)) FImages = nullptr;
}

// ---- taking a row

void TAdvColGrid::KeyDown(Word& Key, TShiftState Shift)
{
    FConfirmSelection = true;
    if ((Key == VK_UP || Key == VK_DOWN) && Shift.Contains(ssAlt)) {
        // Alt+Up/Down close the pop-up through the drop-down.
        if (FDropDown) FDropDown->Perform(WM_KEYDOWN, Key, 0);
        return;
    }
    const Word key = Key;
    TStringGrid::KeyDown(Key, Shift);
    if (key == VK_RETURN) DoSelect();
}

void TAdvColGrid::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_KEYDOWN && Message.WParam == VK_TAB) return;
    if (Message.Msg == WM_GETDLGCODE) {
        Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB;
        return;
    }
    TStringGrid::WndProc(Message);
}

void TAdvColGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FConfirmSelection = true;
    TStringGrid::MouseDown(Button, Shift, X, Y);
}

void TAdvColGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TStringGrid::MouseUp(Button, Shift, X, Y);
    int c = 0, r = 0;
    MouseToCell(X, Y, c, r);
    if (r >= FixedRows() && r < RowCount()) DoSelect();
}

bool TAdvColGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    FMouseWheel = true;
    FConfirmSelection = false;
    const bool done = TStringGrid::DoMouseWheelDown(Shift, MousePos);
    FMouseWheel = false;
    return done;
}

bool TAdvColGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    FMouseWheel = true;
    FConfirmSelection = false;
    const bool done = TStringGrid::DoMouseWheelUp(Shift, MousePos);
    FMouseWheel = false;
    return done;
}

// ---- measuring

namespace {
// A data row's text in column Col: the item's line, else the cell text.
QString MultiColumnCellText(const TAdvColGrid* g, int Col, int Row)
{
    if (TAdvMultiColumnDropDown* d = g->DropDown()) {
        if (Row - 1 < d->Items()->Count()) {
            const QStringList& t = d->Items()->Items(Row - 1)->Text();
            return Col < t.size() ? t[Col] : QString();
        }
        return QString();
    }
    return g->Cells(Col, Row);
}
}  // namespace

int ListColumnWidth(TCanvas* Canvas, TFont* Font, int Rows, const std::function<int(int)>& ImageWidth,
                    const std::function<QString(int)>& Text)
{
    Canvas->SetFont(Font);
    int widest = 0;
    for (int r = 1; r < Rows; ++r) {
        const QString text = Text(r);
        int w = ImageWidth(r);
        if (!text.isEmpty()) {
            TRect rc(0, 0, 1000, 500);
            Canvas->DrawText(text, rc, DT_CALCRECT | DT_SINGLELINE);
            w += rc.Width() + 6;
        }
        widest = std::max(widest, w);
    }
    return widest;
}

int ListWrappedRowHeight(TCanvas* Canvas, const std::vector<TDropDownColumn*>& Wrapping,
                         const std::function<int(int)>& Width, const std::function<int(int)>& ImageHeight,
                         const std::function<QString(int)>& Text)
{
    int h = 24;
    for (TDropDownColumn* column : Wrapping) {
        const int c = column->Index();
        int need = ImageHeight(c);
        const QString text = Text(c);
        if (!text.isEmpty()) {
            Canvas->SetFont(column->Font());
            TRect rc(0, 0, Width(c), 500);
            Canvas->DrawText(text, rc, DT_CALCRECT | DT_WORDBREAK);
            need = std::max(need, rc.Height() + 6);
        }
        h = std::max(h, need);
    }
    return h;
}

void TAdvColGrid::MeasureAutoSizeColumn(int Col)
{
    if (Col < 0 || Col >= FColumns->Count() || !FColumns->Items(Col)->AutoSize() || !InPopup()) return;
    TDropDownColumn* column = FColumns->Items(Col);
    // An item without a line in this column keeps the image state of the row before.
    bool image = false;
    const auto imageWidth = [&](int r) {
        if (column->ColumnType() == ctImage && FDropDown && r - 1 < FDropDown->Items()->Count() &&
            Col < FDropDown->Items()->Items(r - 1)->Text().size())
            image = FDropDown->Items()->Items(r - 1)->ImageIndex() >= 0;
        return image && FImages ? FImages->Width() + 4 : 0;
    };
    const int widest = ListColumnWidth(Canvas(), column->Font(), RowCount(), imageWidth,
                                       [&](int r) { return MultiColumnCellText(this, Col, r); });
    SetColWidths(Col, widest);
    column->SetWidth(widest);
}

void TAdvColGrid::SizeWrappedRows()
{
    if (!InPopup()) return;
    std::vector<TDropDownColumn*> wrapping;
    for (int c = 0; c < FColumns->Count(); ++c)
        if (FColumns->Items(c)->Wordwrap()) wrapping.push_back(FColumns->Items(c));
    if (wrapping.empty()) return;
    for (int r = 1; r < RowCount(); ++r) {
        const auto imageHeight = [&](int c) {
            return FColumns->Items(c)->ColumnType() == ctImage && FImages && FDropDown &&
                           r - 1 < FDropDown->Items()->Count() && FDropDown->Items()->Items(r - 1)->ImageIndex() >= 0
                       ? FImages->Height() + 6
                       : 0;
        };
        SetRowHeights(r, ListWrappedRowHeight(
                             Canvas(), wrapping, [this](int c) { return ColWidths(c); }, imageHeight,
                             [&](int c) { return MultiColumnCellText(this, c, r); }));
    }
}

// ---- drawing

void TAdvColGrid::DrawCellLines(TCanvas* Canvas, const TRect& R, bool Header)
{
    const TGridOptions o = Options();
    const int width = Header ? 1 : FOwnLineWidth;
    const int c = LineInset(FOwnLineWidth, Header);
    if (Header || width > 0) Canvas->Pen()->SetColor(Header ? FFixedLineColor : FLineColor);
    Canvas->Pen()->SetWidth(width);
    if (width <= 0) return;
    if (o.Contains(Header ? goFixedHorzLine : goHorzLine)) {
        Canvas->MoveTo(R.Left - c + 1, R.Bottom - c);
        Canvas->LineTo(R.Right - c + 1, R.Bottom - c);
    }
    if (o.Contains(Header ? goFixedVertLine : goVertLine)) {
        const int x = UseRightToLeftAlignment() ? R.Right - c + 1 : R.Right - c;
        Canvas->MoveTo(x, R.Bottom - c);
        Canvas->LineTo(x, R.Top - c);
    }
}

void TAdvColGrid::DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    TCanvas* canvas = Canvas();
    if (FDropDown && FDropDown->OnDropDownDrawItem) {
        FDropDown->OnDropDownDrawItem(FDropDown, ACol, ARow, canvas, ARect);
        return;
    }
    const int kind = ColCount() == 1 ? 0 : ACol == 0 ? 1 : ACol == ColCount() - 1 ? 2 : 3;
    TRect r = CellBounds(ACol, ARow);
    const bool header = ARow < FixedRows();
    TColor back = Color();
    TAlignment alignment = taLeftJustify;
    bool wrap = false, ellipsis = false;
    QString text = Cells(ACol, ARow);
    int image = -1;
    if (ACol < FColumns->Count()) {
        TDropDownColumn* column = FColumns->Items(ACol);
        back = column->Color();
        alignment = column->Alignment();
        wrap = column->Wordwrap();
        ellipsis = column->Ellipsis();
        canvas->SetFont(column->Font());
        if (!header && FDropDown && ARow - 1 < FDropDown->Items()->Count()) {
            TDropDownItem* item = FDropDown->Items()->Items(ARow - 1);
            text = ACol < item->Text().size() ? item->Text()[ACol] : QString();
            if (column->ColumnType() == ctImage) image = item->ImageIndex();
        }
    } else {
        canvas->SetFont(FHeaderFont.get());
    }
    if (FDropDown && FDropDown->OnDropDownGetItemText) FDropDown->OnDropDownGetItemText(FDropDown, ACol, ARow, text);
    const bool selected = !header && AState.Contains(gdSelected);
    if (!header) {
        if (!selected) {
            canvas->Pen()->SetColor(back);
            canvas->Pen()->SetWidth(1);
            canvas->Brush()->SetColor(back);
            canvas->FillRect(r);
        } else if (FDropDown) {
            FDropDown->DrawSelection(canvas, r, back, kind);
        } else {
            canvas->Brush()->SetColor(clActiveCaption);
            canvas->FillRect(r);
        }
    } else {
        text = ACol < FColumns->Count() ? FColumns->Items(ACol)->Header() : QString();
        image = -1;
        if (FHeaderColor == clNone || FHeaderColorTo == clNone) {
            canvas->Brush()->SetColor(FHeaderColor);
            canvas->FillRect(r);
        } else if (FDropDown) {
            FDropDown->DrawBackgroundGradient(canvas, FHeaderColor, FHeaderColorTo, 80, r, gdVertical);
        } else {
            DrawDropDownGradient(canvas, FHeaderColor, FHeaderColorTo, 80, r, false);
        }
    }
    DrawCellLines(canvas, r, header);
    r.Left += FOwnLineWidth;
    r.Top += FOwnLineWidth;
    r.Right -= FOwnLineWidth;
    r.Bottom -= FOwnLineWidth;
    TRect tr = r;
    tr.Left += 2;
    TCustomImageList* images = FDropDown ? FDropDown->Images() : nullptr;
    if (images && image >= 0) {
        const int y = images->Height() < r.Height() ? r.Top + (r.Height() - images->Height()) / 2 : r.Top;
        images->Draw(canvas, r.Left + 2, y, image, true);
        tr.Left += images->Width() + 4;
    }
    if (text.isEmpty()) return;
    unsigned flags = DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX;
    flags |= wrap ? DT_WORDBREAK | DT_EDITCONTROL : DT_SINGLELINE;
    flags |= alignment == taRightJustify ? DT_RIGHT : alignment == taCenter ? DT_CENTER : DT_LEFT;
    if (ellipsis) flags |= DT_END_ELLIPSIS;
    if (header) canvas->SetFont(FHeaderFont.get());
    if (selected && FDropDown) canvas->Font()->SetColor(FDropDown->SelectionTextColor());
    canvas->Brush()->SetStyle(bsClear);
    canvas->DrawText(text, tr, flags);
}

}  // namespace AdvMultiColumnDropDown
