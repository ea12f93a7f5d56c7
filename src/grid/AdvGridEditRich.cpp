// The string grid's rich-text control and the rich-text cells' editing:
// raising and lowering the selection, size requests, the grid's keys, and
// the conversion between a cell's RTF and the control's content.

#include "AdvGridEditRich.h"

#include "AdvGrid.h"
#include "AdvGridCellGraphic.h"
#include "RichText.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <cmath>

// ---- RTF in and out --------------------------------------------------------------------------

QString RichEditToRtf(const QTextDocument& Doc)
{
    return RichTextWrite(RichTextFromQt(Doc));
}

void RtfToRichEdit(const QString& Rtf, QTextDocument& Doc)
{
    RichTextToQt(RichTextRead(Rtf, rreWholeText), Doc);
}

// ---- the control ----------------------------------------------------------------------------

TAdvRichEdit::TAdvRichEdit(TComponent* AOwner)
    : TCustomRichEdit(AOwner), FGrid(dynamic_cast<TAdvStringGrid*>(AOwner))
{
    QTextEdit* e = TextEdit();
    e->setFrameShape(QFrame::NoFrame);
    QObject::connect(e->document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, e,
                     [this](const QSizeF&) { RequestSize(); });
    QObject::connect(e, &QTextEdit::selectionChanged, e, [this]() {
        if (FGrid && this == FGrid->FInplaceRichEdit && FGrid->OnRichEditSelectionChange)
            GuardEvent([this]() { FGrid->OnRichEditSelectionChange(FGrid); });
    });
}

QTextEdit* TAdvRichEdit::TextEdit() const
{
    return static_cast<QTextEdit*>(Widget());
}

void TAdvRichEdit::ReCreate()
{
    TextEdit()->document()->setDocumentMargin(2);
}

int TAdvRichEdit::SelOffset() const
{
    QTextCursor c = TextEdit()->textCursor();
    // The format of the selection's first character (the one before the
    // caret when nothing is selected).
    if (c.hasSelection()) c.setPosition(c.selectionStart() + 1);
    return c.charFormat().intProperty(RichTextOffsetProperty);
}

void TAdvRichEdit::SetSelOffset(int Twips)
{
    QTextCharFormat f;
    f.setProperty(RichTextOffsetProperty, Twips);
    f.setVerticalAlignment(Twips > 0   ? QTextCharFormat::AlignSuperScript
                           : Twips < 0 ? QTextCharFormat::AlignSubScript
                                       : QTextCharFormat::AlignNormal);
    QTextCursor c = TextEdit()->textCursor();
    c.mergeCharFormat(f);
    TextEdit()->mergeCurrentCharFormat(f);
}

void TAdvRichEdit::RequestSize()
{
    QTextDocument* d = TextEdit()->document();
    const int w = int(std::ceil(d->idealWidth() + 2 * d->documentMargin()));
    const int h = int(std::ceil(d->size().height()));
    RequestResize(w, h);
}

void TAdvRichEdit::RequestResize(int Width, int Height)
{
    if (!FGrid || FGrid->IsDesigning()) return;
    if (this == FGrid->FRichEdit) {
        FReqWidth = Width;
        FReqHeight = Height;
        return;
    }
    if (this != FGrid->FInplaceRichEdit || FLocked || !FGrid->SizeWhileTyping()->Height()) return;
    // The row grows with the content while the cell stays inside the grid.
    const int row = FGrid->Row();
    const TRect cell = FGrid->CellRect(FGrid->Col(), row);
    if (FGrid->RowHeights(row) < Height + 5 && cell.Top + Height + 5 < FGrid->ClientHeight()) {
        SetHeight(Height + 9);
        FGrid->SetRowHeights(row, Height + 10);
        if (FGrid->OnEndRowSize) FGrid->OnEndRowSize(FGrid, row);
    }
}

void TAdvRichEdit::WndProc(TMessage& m)
{
    TCustomRichEdit::WndProc(m);
    if (m.Msg == WM_GETDLGCODE) m.Result |= DLGC_WANTTAB;
}

void TAdvRichEdit::KeyDown(Word& Key, TShiftState Shift)
{
    TCustomRichEdit::KeyDown(Key, Shift);
    TAdvStringGrid* g = FGrid;
    if (!g || Key == 0) return;
    auto toGrid = [&](bool reopen) {
        Word k = Key;
        if (g->CanFocus()) {
            try {
                g->SetFocus();
            } catch (const EInvalidOperation&) {
            }
        }
        g->KeyDown(k, Shift);
        if (reopen) g->ShowInplaceEdit();
        Key = 0;
    };
    if (Key == VK_TAB && g->Options().Contains(goTabs)) toGrid(true);
    else if ((Key == VK_UP || Key == VK_DOWN) && !g->WordWrap() && !g->MultilineCells()) toGrid(false);
}

void TAdvRichEdit::DoExit()
{
    TAdvStringGrid* g = FGrid;
    // Whatever takes the focus, the edit ends with its value stored; a
    // focus move made by an edit link or by the grid's own commit does not.
    if (g && this == g->FInplaceRichEdit && Visible() && !g->FEditLinkFocusChange && !g->FBlockKill)
        g->HideInplaceEdit();
    if (g) g->FEditLinkFocusChange = false;
    TCustomRichEdit::DoExit();
}

// ---- the grid's side ----------------------------------------------------------------------

TAdvRichEdit* TAdvStringGrid::RichEdit()
{
    if (!FRichEdit) {
        auto* r = new TAdvRichEdit(this);
        r->SetParent(this);
        r->SetBounds(0, 0, 0, 0);
        r->TextEdit()->setFrameShape(QFrame::NoFrame);
        r->SetVisible(false);
        r->SetEnabled(false);
        FRichEdit = r;
    }
    return static_cast<TAdvRichEdit*>(FRichEdit);
}

TAdvRichEdit* TAdvStringGrid::InplaceRichEdit()
{
    if (!FInplaceRichEdit) {
        auto* r = new TAdvRichEdit(this);
        r->SetParent(this);
        r->SetVisible(false);
        r->SetEnabled(false);
        FInplaceRichEdit = r;
    }
    return static_cast<TAdvRichEdit*>(FInplaceRichEdit);
}

void TAdvStringGrid::ShowRichEditor(int ACol, int ARow, const TRect& R, TColor AColor)
{
    TAdvRichEdit* re = InplaceRichEdit();
    const int c = RealColIndex(ACol);
    GetEditorProp(c, ARow, FEditLink);
    re->LockResize();
    re->ReCreate();
    re->SetBounds(R.Left, R.Top, R.Width(), R.Height());
    CellToRichEdit(c, ARow, re);
    re->UnlockResize();
    re->SetColor(AColor);
    re->SetEnabled(true);
    re->SetVisible(true);
    if (Navigation()->EditSelectAll()) re->SelectAll();
    FocusEditor(re);
}

void TAdvStringGrid::RichToCell(int ACol, int ARow, TAdvRichEdit* ARichEdit)
{
    SetCells(ACol, ARow, RichToString(ARichEdit));
}

QString TAdvStringGrid::RichToString(TAdvRichEdit* ARichEdit)
{
    if (HasState(csDestroying) || !ARichEdit) return QString();
    return RichEditToRtf(*ARichEdit->TextEdit()->document());
}

void TAdvStringGrid::CellToRichEdit(int ACol, int ARow, TAdvRichEdit* ARichEdit)
{
    QTextDocument* d = ARichEdit->TextEdit()->document();
    const QString text = Cells(ACol, ARow);
    d->clear();
    if (text.isEmpty()) return;
    if (IsRichText(text)) RtfToRichEdit(text, *d);
    else QTextCursor(d).insertText(text);
}
