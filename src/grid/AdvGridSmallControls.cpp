// The string grid's small controls and hooks: the column-move button, the
// snapshot form of a selection, controls placed in cells, the remembered
// column widths, the version numbers, the arrow colour and the small
// relays the editors, the navigation and the hover look ask.

#include "AdvGridSmallControls.h"

#include "AdvGrid.h"
#include "AsgHTMLE.h"
#include "ExtCtrls.h"

#include <QPixmap>
#include <QWidget>

#include <algorithm>

namespace {

// The version of the string grid, bytes from the highest: 6.2.1.3.
constexpr int kSmallControlsVersionNr = 0x06020103;
const QString kSmallControlsVersionDate = QStringLiteral("Sep, 2012");
// Opacity of the snapshot form.
constexpr int kSmallControlsSnapshotAlpha = 192;

void SmallControlsToolWindow(TWinControl* c, bool TransparentForInput)
{
    c->MakeAuxiliaryWindow(TransparentForInput);
    if (QWidget* w = c->Widget()) w->setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

}  // namespace

// ---- the column-move button ----------------------------------------------------------------

THeaderDragButton::THeaderDragButton(TAdvStringGrid* AGrid) : TCustomControl(nullptr), FGrid(AGrid)
{
    SmallControlsToolWindow(this, false);
    SetColor(clBtnFace);
    SetVisible(false);
    SetEnabled(false);
}

void THeaderDragButton::SetFlat(bool v)
{
    FFlat = v;
    Invalidate();
}

void THeaderDragButton::TextChanged()
{
    TCustomControl::TextChanged();
    Invalidate();
}

void THeaderDragButton::Paint() { PaintOn(Canvas()); }

void THeaderDragButton::PaintOn(TCanvas* C)
{
    TRect r = ClientRect();
    if (FGrid && FGrid->RowCount() > 0 && FGrid->ColCount() > 0) {
        TGridDrawState st;
        st += gdFixed;
        FGrid->PaintCellExt(C, 0, 0, r, st);
        C->Font()->Assign(FGrid->FixedFont());
    }
    C->Brush()->SetStyle(bsClear);
    const QString caption = Caption();
    if (caption.contains(QLatin1String("</"))) {
        THTMLDrawArgs args;
        args.ImageList = FGrid ? FGrid->GridImages() : nullptr;
        args.Window = this;
        THTMLDrawResult res;
        DrawHTMLText(C, caption, r, args, res);
    } else {
        C->DrawText(caption, r, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    C->Brush()->SetStyle(bsSolid);
}

THeaderDragButton* TAdvStringGrid::HeaderDragButton() const { return dynamic_cast<THeaderDragButton*>(MoveButton); }

// ---- the snapshot form ---------------------------------------------------------------------

TNoActiveForm::TNoActiveForm(TComponent* AOwner) : TForm(AOwner)
{
    SetBorderStyle(bsNone);
    SmallControlsToolWindow(this, true);
    if (QWidget* w = Widget()) w->setWindowOpacity(kSmallControlsSnapshotAlpha / 255.0);
}

TForm* TAdvStringGrid::SelectionToForm(const TGridRect& ARect)
{
    // 1. The grid as it shows.
    const QImage whole = Widget() ? Widget()->grab().toImage() : QImage();
    // 2. The cells' area, corners ordered.
    TRect a = CellRect(ARect.Left, ARect.Top), b = CellRect(ARect.Right, ARect.Bottom);
    const int left = std::min(a.Left, b.Left), top = std::min(a.Top, b.Top);
    const int right = std::max(a.Right, b.Right), bottom = std::max(a.Bottom, b.Bottom);
    const int w = right - left + 1, h = bottom - top + 1;
    auto* bmp = new TBitmap;
    if (!whole.isNull()) {
        bmp->SetImage(whole.copy(left + 1, top + 1, w, h).convertToFormat(QImage::Format_RGB32));
    } else {
        bmp->SetWidth(w);
        bmp->SetHeight(h);
        bmp->Canvas()->Brush()->SetColor(Color());
        bmp->Canvas()->FillRect(TRect(0, 0, w, h));
    }
    TCanvas* c = bmp->Canvas();
    // 3. The fixed-line edges.
    c->Pen()->SetColor(GridFixedLineColor());
    if (ARect.Left == 0 && FixedCols() > 0 && Options().Contains(goFixedHorzLine)) {
        c->MoveTo(0, 0);
        c->LineTo(0, bmp->Height());
    }
    if (ARect.Top == 0 && FixedRows() > 0 && Options().Contains(goFixedVertLine)) {
        c->MoveTo(0, 0);
        c->LineTo(bmp->Width(), 0);
    }
    // 4. The form, unshown.
    auto* form = Create<TNoActiveForm>(this);
    form->SetBounds(0, 0, bmp->Width(), bmp->Height());
    auto* image = new TImage(form);
    image->SetParent(form);
    image->SetAlign(alClient);
    image->Picture()->SetGraphic(bmp);
    delete bmp;
    return form;
}

// ---- controls in cells ---------------------------------------------------------------------

void TAdvStringGrid::CellControlsUpdate(bool RebuildList)
{
    if (HasState(csDestroying)) return;
    // 1. The list covers every real column.
    if (RebuildList) {
        while (FControlList->Count() > 0) FControlList->RemoveControl(FControlList->Count() - 1);
        for (int c = 0; c < TotalColCount(); ++c)
            for (int r = 0; r < RowCount(); ++r)
                if (TControl* ctl = CellControls(c, r)) FControlList->AddControl(c, RealRowIndex(r), ctl);
    }
    const int lastCol = LeftCol() + VisibleColCount(), lastRow = TopRow() + VisibleRowCount();
    // 2. The in-cell scroll bar follows the current cell.
    if (FScrollBar && FScrollBar->Visible()) {
        if (Col() < LeftCol() || Col() > lastCol || Row() < TopRow() || Row() > lastRow) {
            FScrollBar->SetHeight(0);
        } else {
            const TRect r = CellRect(Col(), Row());
            FScrollBar->SetBounds(r.Right - FScrollBar->Width(), r.Top, FScrollBar->Width(), r.Height());
        }
    }
    // 3.
    if (FNumCellControls == 0) return;
    // 4.
    std::vector<TControl*> shown;
    for (int i = 0; i < FControlList->Count(); ++i) {
        TControlItem* item = FControlList->Control(i);
        TControl* ctl = item ? item->Control() : nullptr;
        if (!ctl) continue;
        const int c = item->X(), realRow = item->Y();
        if (IsHiddenColumn(c)) {
            ctl->SetVisible(false);
            continue;
        }
        const int d = DisplColIndex(c), r = DisplRowIndex(realRow);
        if (r < 0) {  // a hidden row
            ctl->SetVisible(false);
            continue;
        }
        if (d < FixedCols() || r < FixedRows()) continue;  // fixed cells keep their controls
        if (d < LeftCol() || d > lastCol || r < TopRow() || r > lastRow) {
            ctl->SetVisible(false);
            continue;
        }
        const TRect cr = CellRect(d, r);
        ctl->SetBounds(cr.Left - 1, cr.Top - 1, cr.Width() + 1, cr.Height() + 1);
        ctl->SetVisible(true);
        shown.push_back(ctl);
    }
    // 5. Shown controls lay themselves out anew.
    for (TControl* ctl : shown) {
        ctl->Invalidate();
        ctl->SetWidth(ctl->Width() + 1);
        ctl->SetWidth(ctl->Width() - 1);
    }
}

// ---- remembered widths, versions, arrows ---------------------------------------------------

void TAdvStringGrid::InitOrigColSizes()
{
    FOrigColSizes->Clear();
    for (int c = 0; c < ColCount(); ++c) FOrigColSizes->Add(ColWidths(c));
    FOldSize = Width();
}

int TAdvStringGrid::GetVersionNr() { return kSmallControlsVersionNr; }

QString TAdvStringGrid::GetVersionString()
{
    const auto v = uint32_t(GetVersionNr());
    return QStringLiteral("%1.%2.%3.%4 ")
               .arg(v >> 24)
               .arg((v >> 16) & 0xFF)
               .arg((v >> 8) & 0xFF)
               .arg(v & 0xFF)
           + kSmallControlsVersionDate;
}

TColor TAdvStringGrid::ArrowColor() const { return ArwU ? ArwU->Color() : clLime; }

void TAdvStringGrid::SetArrowColor(TColor Value)
{
    for (TArrowWindow* a : {ArwU, ArwD, ArwL, ArwR})
        if (a) a->SetColor(Value);
}

// ---- small hooks ---------------------------------------------------------------------------

void TAdvStringGrid::GotoFirstRow() { SetRow(FixedRows()); }

bool TAdvStringGrid::HoverFixedCell(int ACol, int ARow) const
{
    switch (HoverFixedCells()) {
    case hfNone: return false;
    case hfAll: return ACol < FixedCols() || ARow < FixedRows();
    case hfFixedColumns: return ACol < FixedCols();
    case hfFixedRows: return ARow < FixedRows();
    }
    return false;
}
