// The grid's paint loop: the cells of the update region, their lines, the
// empty area, the border, the scroll-bar corner and the sizing and moving
// feedback.

#include "Grids.h"

#include "GraphUtils.h"
#include "OsProfile.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <algorithm>

namespace {

struct Span {
    int Index;
    int Offset;
    int Size;
    int Extent;
};

// The indexes of one band whose extent meets [lo, hi), with their offsets.
void BandSpans(const TGridAxis& a, int first, int end, int bandStart, int lo, int hi, std::vector<Span>& out)
{
    out.clear();
    if (first >= end || hi <= lo) return;
    int i = first;
    long long at = bandStart;
    if (lo > bandStart) {
        i = std::max(first, a.IndexAt(lo - bandStart + a.Prefix(first)));
        at = bandStart + a.Prefix(i) - a.Prefix(first);
    }
    for (; i < end && at < hi; ++i) {
        const int ext = a.Extent(i);
        if (ext > 0) out.push_back(Span{i, int(at), a.Size(i), ext});
        at += ext;
    }
}

} // namespace

bool TCustomGrid::HandleQtEvent(QWidget* w, QEvent* e)
{
    if (w != Widget()) return TCustomControl::HandleQtEvent(w, e);
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        // The messages carry client coordinates: the border is taken off here.
        const int b = BorderWidth();
        if (FForwardingMouse || b == 0) return false;
        auto* me = static_cast<QMouseEvent*>(e);
        QMouseEvent moved(me->type(), me->position() - QPointF(b, b), me->scenePosition(), me->globalPosition(),
                          me->button(), me->buttons(), me->modifiers(), me->pointingDevice());
        FForwardingMouse = true;
        struct Reset {
            bool& f;
            ~Reset() { f = false; }
        } reset{FForwardingMouse};
        QCoreApplication::sendEvent(w, &moved);
        e->setAccepted(moved.isAccepted());
        return true;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::DragLeave:
        return DeliverDragOver(w, e);
    default:
        return TCustomControl::HandleQtEvent(w, e);
    }
}

void TCustomGrid::PaintWidget(QPainter& painter)
{
    const int b = BorderWidth();
    // The update region: the painter's system clip, mapped from the device
    // (the window's backing store, or the image of a render) to the widget.
    QRegion region = painter.paintEngine() ? painter.paintEngine()->systemClip() : QRegion();
    if (!region.isEmpty()) region = painter.deviceTransform().inverted().map(region);
    if (region.isEmpty()) region = QRegion(Widget()->rect());
    const QRect outer(0, 0, Width(), Height());
    // The border: a sunken edge (two pixels with Ctl3D, a frame line without).
    if (b > 0 && !region.subtracted(QRegion(outer.adjusted(b, b, -b, -b))).isEmpty()) {
        if (b == 2) {
            painter.fillRect(QRect(0, 0, Width(), 1), ToQColor(clBtnShadow));
            painter.fillRect(QRect(0, 0, 1, Height()), ToQColor(clBtnShadow));
            painter.fillRect(QRect(0, Height() - 1, Width(), 1), ToQColor(clBtnHighlight));
            painter.fillRect(QRect(Width() - 1, 0, 1, Height()), ToQColor(clBtnHighlight));
            painter.fillRect(QRect(1, 1, Width() - 2, 1), ToQColor(cl3DDkShadow));
            painter.fillRect(QRect(1, 1, 1, Height() - 2), ToQColor(cl3DDkShadow));
            painter.fillRect(QRect(1, Height() - 2, Width() - 2, 1), ToQColor(cl3DLight));
            painter.fillRect(QRect(Width() - 2, 1, 1, Height() - 2), ToQColor(cl3DLight));
        } else {
            painter.setPen(ToQColor(clWindowFrame));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRect(0, 0, Width() - 1, Height() - 1));
        }
    }
    // The non-client hook: the control may draw over its border, in window
    // coordinates over its whole size.
    if (b > 0 && !region.subtracted(QRegion(outer.adjusted(b, b, -b, -b))).isEmpty()) {
        painter.save();
        TCanvas nc(&painter);
        TMessage m{WM_NCPAINT, 0, reinterpret_cast<intptr_t>(&nc), 0};
        WndProc(m);
        nc.BindPainter(nullptr);
        painter.restore();
    }
    // The square between two scroll bars.
    if (FBarShown[SB_VERT] && FBarShown[SB_HORZ]) {
        painter.fillRect(QRect(b + ClientW(), b + ClientH(), ScrollBarExtent(SB_VERT), ScrollBarExtent(SB_HORZ)),
                         ToQColor(clBtnFace));
    }
    const QRect client(0, 0, ClientW(), ClientH());
    const QRegion clientRegion = region.translated(-b, -b).intersected(client);
    if (clientRegion.isEmpty()) return;
    painter.save();
    painter.translate(b, b);
    painter.setClipRegion(clientRegion);
    FPaintRegion = clientRegion;
    struct Restore {
        QPainter& p;
        QRegion& r;
        ~Restore()
        {
            p.restore();
            r = QRegion();
        }
    } restore{painter, FPaintRegion};
    TCustomControl::PaintWidget(painter);
}

void TCustomGrid::Paint()
{
    TCanvas* cv = Canvas();
    const QRegion rgn = FPaintRegion.isEmpty() ? QRegion(ClientRect().ToQRect()) : FPaintRegion;
    const QRect box = rgn.boundingRect();
    // The empty area (right of the last column, below the last row, the line
    // pixels of lines not drawn) shows the grid's colour.
    cv->Brush()->SetColor(Color());
    cv->Brush()->SetStyle(bsSolid);
    cv->SelectClipRegion(rgn);
    cv->FillRect(TRect::FromQRect(box));

    const AxisView colV = ColView(), rowV = RowView();
    const int fw = int(colV.FixedExtent()), fh = int(rowV.FixedExtent());
    const int cw = ClientW(), ch = ClientH();
    std::vector<Span> fixedCols, scrollCols, fixedRows, scrollRows;
    BandSpans(FCols, 0, FFixedCols, 0, box.left(), std::min(box.right() + 1, fw), fixedCols);
    BandSpans(FCols, FTopLeft.X, ColCount(), int(FCols.Prefix(FFixedCols)), std::max(box.left(), fw),
              std::min(box.right() + 1, cw), scrollCols);
    BandSpans(FRows, 0, FFixedRows, 0, box.top(), std::min(box.bottom() + 1, fh), fixedRows);
    BandSpans(FRows, FTopLeft.Y, RowCount(), int(FRows.Prefix(FFixedRows)), std::max(box.top(), fh),
              std::min(box.bottom() + 1, ch), scrollRows);

    const bool focused = Focused();
    const TGridRect sel = DrawingSelection();
    const bool inside = SelectionInside();
    const bool editorOver = EditorShown();
    const bool drawFocusRect = !FOptions.Contains(goRowSelect)
                               && !(FOptions.Contains(goEditing) && FOptions.Contains(goAlwaysShowEditor));

    auto area = [&](const std::vector<Span>& cols, const std::vector<Span>& rows, bool fixedArea) {
        for (const Span& r : rows) {
            for (const Span& c : cols) {
                if (c.Size <= 0 || r.Size <= 0) continue;
                const TRect cell(c.Offset, r.Offset, c.Offset + c.Size, r.Offset + r.Size);
                if (!rgn.intersects(cell.ToQRect())) continue;
                TGridDrawState st;
                const bool isFixed = c.Index < FFixedCols || r.Index < FFixedRows;
                const bool isCurrent = inside && c.Index == FCurrent.X && r.Index == FCurrent.Y;
                if (isFixed) {
                    st += gdFixed;
                } else {
                    if (isCurrent && focused) st += gdFocused;
                    if (inside && sel.Contains(c.Index, r.Index)) {
                        const bool plainFocus = st.Contains(gdFocused) && !FOptions.Contains(goDrawFocusSelected)
                                                && !FOptions.Contains(goRowSelect);
                        if (!plainFocus) st += gdSelected;
                    }
                }
                cv->SelectClipRegion(rgn);
                if (isCurrent && editorOver) {
                    cv->Brush()->SetColor(Color());
                    cv->Brush()->SetStyle(bsSolid);
                    cv->FillRect(cell);
                    continue;
                }
                if (FDefaultDrawing) {
                    cv->Font()->Assign(Font());
                    if (st.Contains(gdFixed)) {
                        cv->Brush()->SetColor(FFixedColor);
                    } else if (st.Contains(gdSelected)) {
                        cv->Brush()->SetColor(clHighlight);
                        cv->Font()->SetColor(clHighlightText);
                    } else {
                        cv->Brush()->SetColor(Color());
                    }
                    cv->Brush()->SetStyle(bsSolid);
                    cv->FillRect(cell);
                }
                DrawCell(c.Index, r.Index, cell, st);
                if (FDefaultDrawing && st.Contains(gdFixed) && FCtl3D) {
                    cv->SelectClipRegion(rgn);
                    TRect edge = cell;
                    DrawEdge(cv, edge, BDR_RAISEDINNER, BF_RECT);
                }
                if (FDefaultDrawing && st.Contains(gdFocused) && drawFocusRect) {
                    cv->SelectClipRegion(rgn);
                    cv->DrawFocusRect(cell);
                }
            }
        }
        // The lines of the area, after its cells.
        if (cols.empty() || rows.empty()) return;
        const TGridOption vOpt = fixedArea ? goFixedVertLine : goVertLine;
        const TGridOption hOpt = fixedArea ? goFixedHorzLine : goHorzLine;
        const TColor lineColor = fixedArea ? clBlack : clSilver;
        const int left = cols.front().Offset, right = cols.back().Offset + cols.back().Extent;
        const int top = rows.front().Offset, bottom = rows.back().Offset + rows.back().Extent;
        cv->SelectClipRegion(rgn);
        cv->Brush()->SetColor(lineColor);
        cv->Brush()->SetStyle(bsSolid);
        if (FOptions.Contains(vOpt) && FCols.LineWidth() > 0)
            for (const Span& c : cols)
                if (c.Size > 0) cv->FillRect(TRect(c.Offset + c.Size, top, c.Offset + c.Extent, bottom));
        if (FOptions.Contains(hOpt) && FRows.LineWidth() > 0)
            for (const Span& r : rows)
                if (r.Size > 0) cv->FillRect(TRect(left, r.Offset + r.Size, right, r.Offset + r.Extent));
    };
    area(fixedCols, fixedRows, true);
    area(scrollCols, fixedRows, true);
    area(fixedCols, scrollRows, true);
    area(scrollCols, scrollRows, false);

    // Sizing and moving feedback.
    cv->SelectClipRegion(rgn);
    cv->Brush()->SetColor(clBlack);
    cv->Brush()->SetStyle(bsSolid);
    switch (FGridState) {
    case gsColSizing: cv->FillRect(TRect(FSizingPos, 0, FSizingPos + 1, ch)); break;
    case gsRowSizing: cv->FillRect(TRect(0, FSizingPos, cw, FSizingPos + 1)); break;
    case gsColMoving:
        if (FMovePos >= 0) cv->FillRect(TRect(FSizingPos - 1, 0, FSizingPos + 1, ch));
        break;
    case gsRowMoving:
        if (FMovePos >= 0) cv->FillRect(TRect(0, FSizingPos - 1, cw, FSizingPos + 1));
        break;
    default: break;
    }
}

void TStringGrid::DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    if (DefaultDrawing()) {
        const QString& text = Cells(ACol, ARow);
        if (!text.isEmpty()) {
            Canvas()->SetBkMode(TRANSPARENT);
            Canvas()->TextRect(ARect, ARect.Left + 2, ARect.Top + 2, text);
        }
    }
    TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}
