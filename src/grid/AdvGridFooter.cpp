// The floating footer: its settings' effects on the grid, the template of
// the custom preview, and the panel that paints the four footer styles,
// shows hints and passes clicks on.

#include "AdvGridFooter.h"

#include "AdvGrid.h"
#include "AsgHTMLE.h"
#include "Forms.h"

#include <QEvent>
#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

#include <algorithm>

namespace {

// The looks whose fixed cells get the white inner edge.
bool FooterSoftLook(TAdvStringGrid* g)
{
    const TGridLook l = g->Look();
    return (l == glSoft || l == glZUR || l == glXP || l == glVista) && !g->Flat();
}

const TColor kFooterGray = RGBColor(128, 128, 128);

}  // namespace

// ---- settings ---------------------------------------------------------------------------------

TAdvStringGrid* TFloatingFooter::StringGrid() const { return dynamic_cast<TAdvStringGrid*>(FGrid); }

void TFloatingFooter::Invalidate()
{
    if (TAdvStringGrid* g = StringGrid(); g && g->FooterPanel()) g->FooterPanel()->Invalidate();
}

void TFloatingFooter::SetHeight(int v)
{
    FHeight = v;
    TAdvStringGrid* g = StringGrid();
    if (g && g->FooterPanel() && v > 0) g->FooterPanel()->SetHeight(v - 1);
}

void TFloatingFooter::SetVisible(bool v)
{
    FVisible = v;
    TAdvStringGrid* g = StringGrid();
    if (!g) return;
    if (TFooterPanel* p = g->FooterPanel()) {
        p->SetHeight(v ? std::max(0, FHeight - 1) : 0);
        p->SetVisible(v);
    }
    const bool takesLastRow = v && FFooterStyle == fsFixedLastRow;
    g->SetFixedFooters(takesLastRow ? 1 : 0);
    g->SetHideLastRow(takesLastRow);
    g->Invalidate();
}

void TFloatingFooter::SetFooterStyle(TFooterStyle v)
{
    FFooterStyle = v;
    TAdvStringGrid* g = StringGrid();
    if (!g) return;
    g->SetHideLastRow(v == fsFixedLastRow && FVisible);
    g->Invalidate();
    Invalidate();
}

void TFloatingFooter::SetColor(TColor v)
{
    FColor = v;
    Invalidate();
}

void TFloatingFooter::SetColumn(int v)
{
    FColumn = v;
    Invalidate();
}

void TFloatingFooter::SetCustomTemplate(const QString& v)
{
    FCustomTemplate = v;
    Invalidate();
}

void TFloatingFooter::SetShowHint(bool v)
{
    FShowHint = v;
    if (TAdvStringGrid* g = StringGrid(); g && g->FooterPanel()) g->FooterPanel()->SetShowHint(v);
}

void TFloatingFooter::SetBorderColor(TColor v)
{
    if (v == FBorderColor) return;
    FBorderColor = v;
    Invalidate();
}

void TFloatingFooter::SetColumnCalc(int ACol, TColumnCalcType Value)
{
    TAdvStringGrid* g = StringGrid();
    if (!g || g->RowCount() == 0) return;
    g->GetCellProperties(ACol, g->RowCount() - 1)->SetCalcType(Value);
    g->CalcFooter(ACol);
}

TColumnCalcType TFloatingFooter::GetColumnCalc(int ACol) const
{
    TAdvStringGrid* g = StringGrid();
    if (!g || g->RowCount() == 0) return acNONE;
    const TCellProperties* p = g->GridObjects(ACol, g->RowCount() - 1);
    return p ? p->CalcType() : acNONE;
}

void TFloatingFooter::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TFloatingFooter*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    FCalculateHiddenRows = s->FCalculateHiddenRows;
    FColor = s->FColor;
    FColumn = s->FColumn;
    FCustomTemplate = s->FCustomTemplate;
    FFooterStyle = s->FFooterStyle;
    SetVisible(s->FVisible);
    SetShowHint(s->FShowHint);
}

// ---- the template -----------------------------------------------------------------------------

QString ExpandFooterTemplate(const QString& Template, const std::function<QString(int ACol)>& CellText,
                             int RealColCount)
{
    QString out;
    int pos = 0;
    while (pos < Template.size()) {
        const int open = Template.indexOf(QLatin1String("<#"), pos);
        const int close = open < 0 ? -1 : Template.indexOf(QLatin1Char('>'), open + 2);
        if (close < 0) {
            out += Template.mid(pos);
            break;
        }
        out += Template.mid(pos, open - pos);
        const QString tag = Template.mid(open + 2, close - open - 2);
        bool ok = !tag.isEmpty() && std::all_of(tag.begin(), tag.end(), [](QChar ch) {
            return ch >= QLatin1Char('0') && ch <= QLatin1Char('9');
        });
        const int col = ok ? tag.toInt(&ok) : -1;
        if (ok && col >= 0 && col < RealColCount) out += CellText(col);
        pos = close + 1;
    }
    return out;
}

// ---- the panel --------------------------------------------------------------------------------

TFooterPanel::TFooterPanel(TComponent* AOwner) : TCustomPanel(AOwner), FGrid(dynamic_cast<TAdvStringGrid*>(AOwner))
{
    SetAlign(alBottom);
    SetBorderWidth(0);
    SetBevelOuter(bvNone);
    SetHeight(0);
}

void TFooterPanel::CreateWnd()
{
    if (!FGrid || !FGrid->FloatingFooter()) return;
    TFloatingFooter* ff = FGrid->FloatingFooter();
    SetHeight(ff->Visible() ? ff->Height() : 0);
    if (FGrid->OnCreatedFloatingFooter) FGrid->OnCreatedFloatingFooter(FGrid);
}

TFooterPanel::TPaintedKey TFooterPanel::CurrentKey() const
{
    if (!FGrid) return {};
    return {FGrid->LeftCol(), FGrid->Row(), FooterWidth()};
}

void TFooterPanel::GridPainted()
{
    if (FGrid && FGrid->FloatingFooter() && Visible() && CurrentKey() != FPainted) Invalidate();
}

int TFooterPanel::FooterWidth() const
{
    // Columns past the panel's edge do not show: the sum stops there.
    const int limit = ClientWidth();
    int w = 0;
    for (int c = 0; c < FGrid->FixedCols() && w <= limit; ++c) w += FGrid->ColWidths(c);
    for (int c = FGrid->LeftCol(); c < FGrid->ColCount() && w <= limit; ++c) w += FGrid->ColWidths(c);
    return w;
}

int TFooterPanel::ColumnAt(int X) const
{
    if (!FGrid) return -1;
    if (FGrid->UseRightToLeftAlignment()) X = ClientWidth() - X;
    int sum = 0;
    for (int c = 0; c < FGrid->FixedCols(); ++c) {
        sum += FGrid->ColWidths(c);
        if (X < sum) return c;
    }
    for (int c = FGrid->LeftCol(); c < FGrid->ColCount(); ++c) {
        sum += FGrid->ColWidths(c);
        if (X < sum) return c;
    }
    return -1;
}

TRect TFooterPanel::Mirror(const TRect& R) const
{
    if (!FGrid || !FGrid->UseRightToLeftAlignment()) return R;
    const int w = ClientWidth();
    return TRect(w - R.Right, R.Top, w - R.Left, R.Bottom);
}

void TFooterPanel::FillRest(TCanvas* C, int W)
{
    const int cw = ClientWidth();
    if (W >= cw) return;
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(FGrid->Color());
    C->FillRect(Mirror(TRect(W, 0, cw, ClientHeight())));
}

void TFooterPanel::Paint()
{
    PaintOn(Canvas());
    FPainted = CurrentKey();
}

int TFooterPanel::PaintOn(TCanvas* C)
{
    // The settings go first when the grid is freed.
    if (!FGrid || !FGrid->FloatingFooter()) return 0;
    TFloatingFooter* ff = FGrid->FloatingFooter();
    int right = 0;
    switch (ff->FooterStyle()) {
    case fsFixedLastRow: right = PaintFixedLastRow(C); break;
    case fsColumnPreview: right = PaintPreview(C, false); break;
    case fsCustomPreview: right = PaintPreview(C, true); break;
    case fsCustomPaint:
        right = ClientWidth();
        if (FGrid->OnFooterPaint) FGrid->OnFooterPaint(this, ff->Column(), C, ClientRect());
        break;
    }
    if (ff->BorderColor() != clNone) {
        C->Pen()->SetStyle(psSolid);
        C->Pen()->SetWidth(1);
        C->Pen()->SetColor(ff->BorderColor());
        const TRect line = Mirror(TRect(0, 0, right, 1));
        C->MoveTo(line.Left, 0);
        C->LineTo(line.Right, 0);
    }
    return right;
}

int TFooterPanel::PaintFixedLastRow(TCanvas* C)
{
    TAdvStringGrid* g = FGrid;
    const int h = ClientHeight(), cw = ClientWidth();
    const int W = FooterWidth();
    const int lastRow = g->RowCount() - 1;
    const bool rtl = g->UseRightToLeftAlignment();
    auto mx = [&](int x) { return rtl ? cw - x : x; };

    // 1. Backgrounds.
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(g->FloatingFooter()->Color());
    C->FillRect(Mirror(TRect(0, 0, W, h)));
    FillRest(C, W);
    if (lastRow < 0) return W;

    // The columns shown: the fixed ones, then those from the left column,
    // up to the panel's edge.
    std::vector<std::pair<int, bool>> cols;  // displayed column, scrolled
    {
        int w = 0;
        for (int c = 0; c < g->FixedCols() && w <= cw; ++c, w += g->ColWidths(c - 1)) cols.emplace_back(c, false);
        for (int c = g->LeftCol(); c < g->ColCount() && w <= cw; ++c, w += g->ColWidths(c - 1))
            cols.emplace_back(c, true);
    }
    const TGridOptions opts = g->Options();
    const bool fixedVert = opts.Contains(goFixedVertLine), fixedHorz = opts.Contains(goFixedHorzLine);
    const bool soft = FooterSoftLook(g);

    // 2. Column separators.
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetWidth(1);
    int x = 0;
    for (const auto& [col, scrolled] : cols) {
        C->Pen()->SetColor(clWhite);
        C->MoveTo(mx(x), h);
        if (fixedVert && soft) C->LineTo(mx(x), 0);
        const int left = x;
        x += g->ColWidths(col);
        if (fixedHorz) {
            C->Pen()->SetColor(g->GridLineColor());
            C->MoveTo(mx(left), 0);
            C->LineTo(mx(x - 1), 0);
        }
        C->Pen()->SetColor(scrolled && g->Look() != glVista ? kFooterGray : clWhite);
        if (fixedVert) {
            C->MoveTo(mx(x - 1), 0);
            C->LineTo(mx(x - 1), h);
        }
    }

    // 3. The cells.
    const int top = fixedHorz ? 1 : 0;
    int left = 0;
    for (const auto& [col, scrolled] : cols) {
        const int real = g->RealColIndex(col);
        int right = left + g->ColWidths(col) - 1;
        const TCellProperties* p = g->GridObjects(real, lastRow);
        if (p && p->IsBaseCell() && p->CellSpanX() > 0) {
            int w = 0;
            for (int c = col; c <= col + p->CellSpanX() && c < g->ColCount(); ++c) w += g->ColWidths(c);
            right = left + w - 1;
        }
        TRect r(left, top, right, h);
        if (fixedHorz && soft) r.Left += 1;
        const TRect mr = Mirror(r);
        if (scrolled) {
            if (g->OnGetCellColor) {
                C->Brush()->SetColor(clNone);
                TGridDrawState st;
                st += gdFixed;
                g->OnGetCellColor(g, lastRow, real, st, C->Brush(), C->Font());
                if (C->Brush()->Color() != clNone) C->FillRect(mr);
            }
            if (p && p->BrushColor() != clNone) {
                C->Brush()->SetColor(p->BrushColor());
                C->FillRect(mr);
            }
        }
        if (scrolled && g->OnFooterPaint && g->IsBaseCell(real, lastRow))
            g->OnFooterPaint(this, col, C, mr);
        else
            g->PaintFooterCell(C, col, lastRow, mr, true);
        left = right + 1;
    }
    return left;
}

void TFooterPanel::PaintRaisedBox(TCanvas* C, const TRect& R)
{
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(FGrid->FloatingFooter()->Color());
    C->FillRect(R);
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetWidth(1);
    C->Pen()->SetColor(kFooterGray);
    C->MoveTo(R.Left, R.Bottom - 1);
    C->LineTo(R.Right - 1, R.Bottom - 1);
    C->LineTo(R.Right - 1, R.Top);
    C->Pen()->SetColor(clWhite);
    C->LineTo(R.Left, R.Top);
    C->LineTo(R.Left, R.Bottom - 1);
}

int TFooterPanel::PaintPreview(TCanvas* C, bool Template)
{
    TAdvStringGrid* g = FGrid;
    TFloatingFooter* ff = g->FloatingFooter();
    const int W = FooterWidth();
    const TRect R = Mirror(TRect(0, 0, W, ClientHeight()));
    PaintRaisedBox(C, R);
    if (!Template) {
        const TColor saved = g->SelectionTextColor();
        g->SetSelectionTextColor(clBlack);
        if (g->OnFooterPaint)
            g->OnFooterPaint(this, ff->Column(), C, R);
        else if (g->Row() >= 0 && g->Row() < g->RowCount() && ff->Column() >= 0 && ff->Column() < g->ColCount())
            g->PaintFooterCell(C, ff->Column(), g->Row(), R, false);
        g->SetSelectionTextColor(saved);
    } else {
        const int row = g->Row();
        const QString text = ExpandFooterTemplate(
            ff->CustomTemplate(),
            [g, row](int c) { return row >= 0 && row < g->RowCount() ? g->Cells(c, row) : QString(); },
            g->ColCount() + g->NumHiddenColumns());
        TRect tr = R;
        tr.Top += 2;
        C->Font()->Assign(g->Font());
        C->Brush()->SetStyle(bsClear);
        THTMLDrawArgs args;
        args.ImageList = g->GridImages();
        args.PictureCache = g->ImageCache();
        args.LinkColor = g->URLColor();
        args.Window = this;
        THTMLDrawResult res;
        DrawHTMLText(C, text, tr, args, res);
        C->Brush()->SetStyle(bsSolid);
    }
    FillRest(C, W);
    return W;
}

// ---- mouse and hints --------------------------------------------------------------------------

int TFooterPanel::HintRequest(int X, QString& HintStr)
{
    if (!FGrid || !FGrid->FloatingFooter()) return 1;
    const int col = ColumnAt(X);
    if (FGrid->OnGridHint && col >= 0) FGrid->OnGridHint(FGrid, FGrid->RowCount() - 1, col, HintStr);
    if (FGrid->FloatingFooter()->ShowHint()) {
        FLastHintX = col;
        return 0;
    }
    FLastHintX = -1;
    return 1;
}

bool TFooterPanel::HandleQtEvent(QWidget* w, QEvent* e)
{
    if (e->type() == QEvent::ToolTip && w == Widget()) {
        auto* help = static_cast<QHelpEvent*>(e);
        QString hint;
        if (HintRequest(help->pos().x(), hint) == 0 && !hint.isEmpty())
            QToolTip::showText(help->globalPos(), hint, Widget());
        else
            QToolTip::hideText();
        return true;
    }
    return TCustomPanel::HandleQtEvent(w, e);
}

void TFooterPanel::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomPanel::MouseMove(Shift, X, Y);
    const int col = ColumnAt(X);
    if (FLastHintX != -1 && col != FLastHintX) {
        if (Application) Application->CancelHint();
        FLastHintX = col;
    }
}

void TFooterPanel::MouseLeave()
{
    TCustomPanel::MouseLeave();
    FLastHintX = -1;
}

void TFooterPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomPanel::MouseUp(Button, Shift, X, Y);
    if (!FGrid) return;
    if (FGrid->OnClick) FGrid->OnClick(FGrid);
    if (FGrid->OnClickCell) FGrid->OnClickCell(FGrid, FGrid->RowCount() - 1, ColumnAt(X));
}

// ---- the grid's side --------------------------------------------------------------------------

void TAdvStringGrid::SetHideLastRow(bool Value)
{
    if (FHideLastRow == Value) return;
    FHideLastRow = Value;
    Invalidate();
}

TCanvas* TAdvStringGrid::FooterCanvas() const { return FFooterPanel ? FFooterPanel->Canvas() : nullptr; }

void TAdvStringGrid::PaintFooterCell(TCanvas* ACanvas, int ACol, int ARow, const TRect& R, bool Fixed)
{
    // The footer shows the very row the grid keeps empty under it.
    const bool hidden = FHideLastRow;
    FHideLastRow = false;
    TGridDrawState st;
    if (Fixed) st += gdFixed;
    try {
        PaintCellExt(ACanvas, ACol, ARow, R, st);
        TRect content = R;
        if (Fixed) {
            content.Right -= 1;
            content.Bottom -= 2;
        } else {
            content.Inflate(-GridLineWidth(), -GridLineWidth());
        }
        DrawGridCell(ACanvas, ACol, ARow, content, st);
    } catch (...) {
        FHideLastRow = hidden;
        throw;
    }
    FHideLastRow = hidden;
}
