#pragma once
// A string grid that records what the platform grid asks of it, for the
// grid tests.

#include "Forms.h"
#include "Grids.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <vector>

class TProbeGrid : public TStringGrid {
public:
    explicit TProbeGrid(TComponent* AOwner) : TStringGrid(AOwner) {}

    struct Drawn {
        int Col, Row;
        TRect Rect;
        TGridDrawState State;
    };
    std::vector<Drawn> DrawnCells;
    int FocusMode = -1;  // -1: the real focus, 0: never, 1: always
    std::function<bool(int, int)> Refuse;
    std::function<bool(QChar)> Accept;
    std::function<void(int, int, TRect, TGridDrawState)> OnDraw;
    int ColWidthsChanges = 0;
    int RowHeightsChanges = 0;
    int Clicks = 0;
    int Creates = 0;
    int UpdateContentsCalls = 0;
    std::vector<std::pair<int, int>> ColumnMoves;
    QStringList SetEditCalls;
    std::vector<unsigned> Timers;
    std::vector<int> ScrollCodes;
    std::function<bool(TMessage&)> Intercept;  // true: finished here
    QStringList KeysSeen;

    bool Focused() const override { return FocusMode < 0 ? TStringGrid::Focused() : FocusMode == 1; }
    void WndProc(TMessage& m) override
    {
        if (m.Msg == WM_TIMER) Timers.push_back(unsigned(m.WParam));
        if (m.Msg == WM_VSCROLL || m.Msg == WM_HSCROLL) ScrollCodes.push_back(ScrollCodeOf(m.WParam));
        if (Intercept && Intercept(m)) return;
        TStringGrid::WndProc(m);
    }
    void Click() override
    {
        ++Clicks;
        TStringGrid::Click();
    }

    // The protected handlers, reachable from the tests.
    using TStringGrid::CanEditShow;
    void KeyDown(Word& Key, TShiftState Shift) override
    {
        KeysSeen.append(QStringLiteral("down %1").arg(Key));
        TStringGrid::KeyDown(Key, Shift);
    }
    void KeyPress(QChar& Key) override
    {
        KeysSeen.append(QStringLiteral("press %1").arg(Key));
        TStringGrid::KeyPress(Key);
    }
    using TStringGrid::SetGridState;
    using TStringGrid::UpdateScrollRange;

    // Renders the widget (or a part of it, widget coordinates) into an image.
    QImage Render(const QRect& part = QRect())
    {
        QImage img(Widget()->size(), QImage::Format_RGB32);
        img.fill(Qt::magenta);
        DrawnCells.clear();
        Widget()->render(&img, QPoint(), part.isNull() ? QRegion(Widget()->rect()) : QRegion(part),
                         QWidget::DrawChildren);
        return img;
    }

protected:
    void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override
    {
        DrawnCells.push_back(Drawn{ACol, ARow, ARect, AState});
        if (OnDraw) OnDraw(ACol, ARow, ARect, AState);
        TStringGrid::DrawCell(ACol, ARow, ARect, AState);
    }
    bool SelectCell(int ACol, int ARow) override
    {
        if (Refuse && Refuse(ACol, ARow)) return false;
        return TStringGrid::SelectCell(ACol, ARow);
    }
    bool CanEditAcceptKey(QChar k) override { return Accept ? Accept(k) : TStringGrid::CanEditAcceptKey(k); }
    void ColWidthsChanged() override { ++ColWidthsChanges; }
    void RowHeightsChanged() override { ++RowHeightsChanges; }
    void ColumnMoved(int f, int t) override
    {
        ColumnMoves.push_back({f, t});
        TStringGrid::ColumnMoved(f, t);
    }
    TInplaceEdit* CreateEditor() override
    {
        ++Creates;
        return new TCountingEdit(this, &UpdateContentsCalls);
    }
    void SetEditText(int c, int r, const QString& v) override
    {
        SetEditCalls.append(QStringLiteral("%1,%2=%3").arg(c).arg(r).arg(v));
        TStringGrid::SetEditText(c, r, v);
    }

private:
    class TCountingEdit : public TInplaceEdit {
    public:
        TCountingEdit(TComponent* o, int* n) : TInplaceEdit(o), N(n) {}
        int* N;

    protected:
        void UpdateContents() override
        {
            ++*N;
            TInplaceEdit::UpdateContents();
        }
    };
};

// A shown form holding one probe grid (bsNone, no scroll bars unless asked).
struct GridFixture {
    GridFixture(int w = 400, int h = 300)
    {
        Form = Create<TForm>(nullptr);
        Form->SetBounds(0, 0, w + 20, h + 20);
        Grid = Create<TProbeGrid>(Form);
        Grid->SetParent(Form);
        Grid->SetBorderStyle(bsNone);
        Grid->SetScrollBars(TScrollStyle::ssNone);
        Grid->SetBounds(0, 0, w, h);
        Form->Show();
    }
    ~GridFixture() { Free(Form); }
    TForm* Form;
    TProbeGrid* Grid;
};

// Mouse events at exact client points of a widget (buttons held as given).
inline void SendMouse(QWidget* w, QEvent::Type t, Qt::MouseButton b, QPoint p, Qt::MouseButtons held,
                      Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QMouseEvent e(t, QPointF(p), QPointF(w->mapToGlobal(p)), b, held, mods);
    QApplication::sendEvent(w, &e);
}
inline QPoint CellCenter(TCustomGrid* g, int c, int r)
{
    const TRect rc = g->CellRect(c, r);
    return QPoint((rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2);
}
