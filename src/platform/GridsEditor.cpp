// The grid's in-place editor protocol and the editor base.

#include "Grids.h"

#include "Beep.h"
#include "Names.h"
#include "StdCtrlsWidgets.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>
#include <algorithm>

namespace {

// The Qt base of the editor, with its margins reachable.
class TInplaceTextWidget : public QPlainTextEdit {
public:
    using QPlainTextEdit::setViewportMargins;
};

} // namespace

// ---- the grid's side ---------------------------------------------------------

TInplaceEdit* TCustomGrid::CreateEditor()
{
    return new TInplaceEdit(this);
}

bool TCustomGrid::CanEditShow()
{
    return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) && FEditorMode
           && SelectionInside() && (FOptions.Contains(goAlwaysShowEditor) || Focused());
}

bool TCustomGrid::EditorShown() const
{
    return FEditor && FEditor->Visible() && FEditorLoaded;
}

void TCustomGrid::SetEditorMode(bool v)
{
    if (v) {
        FEditorMode = true;
        ShowEditor();
    } else {
        HideEditorEx(false);
        if (!EditorShown()) FEditorMode = false;
    }
}

void TCustomGrid::ShowEditor()
{
    FEditorMode = true;
    if (!CanEditShow()) return;
    if (!FEditor) {
        FEditor = CreateEditor();
        FEditor->SetParent(this);
        FEditor->FGrid = this;
        FEditor->SetVisible(false);
    }
    if (!FEditorLoaded || !(FEditorCell == FCurrent)) {
        FEditorCell = FCurrent;
        FEditor->FLoading = true;
        FEditor->UpdateContents();
        FEditor->FLoading = false;
        FEditor->SelectAll();
        FEditorLoaded = true;
    }
    FEditor->BoundsChanged();
    FEditor->SetVisible(true);
    UpdateEditorBounds();
    InvalidateCell(FCurrent.X, FCurrent.Y);
    if (Focused() || Showing()) {
        if (FEditor->CanFocus()) {
            try {
                FEditor->SetFocus();
            } catch (const EInvalidOperation&) {
            }
        }
    }
}

void TCustomGrid::ShowEditorChar(QChar ch)
{
    ShowEditor();
    if (!EditorShown()) return;
    if (ch == QChar(8)) {
        FEditor->SetSelText(QString());
        if (FEditor->FMask.Active()) FEditor->SetEditText(QString());
        else FEditor->SetText(QString());
        return;
    }
    QChar key = ch;
    FEditor->KeyPress(key);
    if (key.isNull()) return;
    FEditor->SetSelText(QString(key));
}

void TCustomGrid::HideEditorEx(bool Cancel)
{
    if (!FEditor || !FEditorLoaded) return;
    if (!Cancel) {
        // An incomplete mask keeps the editor open with the caret on the gap.
        const int missing = FEditor->MaskMissingPosition();
        if (missing >= 0) {
            MessageBeep(0);
            FEditor->SetSelStart(missing);
            FEditor->SetSelLength(0);
            return;
        }
    }
    const bool hadFocus = FEditor->TWinControl::Focused();
    const TGridCoord cell = FEditorCell;
    const QString text = FEditor->Text();
    FEditorLoaded = false;
    FEditorCell = TGridCoord{-1, -1};
    FEditor->SetVisible(false);
    if (!Cancel && CanEditModify()) SetEditText(cell.X, cell.Y, text);
    InvalidateCell(cell.X, cell.Y);
    if (hadFocus && CanFocus()) {
        try {
            SetFocus();
        } catch (const EInvalidOperation&) {
        }
    }
}

void TCustomGrid::InvalidateEditor()
{
    FEditorLoaded = false;
    if (FEditor && FEditor->Visible()) {
        FEditorCell = TGridCoord{-1, -1};
        ShowEditor();
    }
}

void TCustomGrid::UpdateEditorBounds()
{
    if (!FEditor || !FEditorLoaded) return;
    const TRect r = CellRect(FEditorCell.X, FEditorCell.Y);
    // Out of view: hidden from sight, the edit goes on.
    const bool inView = !r.IsEmpty();
    if (inView) FEditor->BoundsChanged();
    if (FEditor->Widget()) FEditor->Widget()->setVisible(inView && FEditor->Visible());
}

// ---- TInplaceEdit --------------------------------------------------------------

TInplaceEdit::TInplaceEdit(TComponent* AOwner)
    : TWinControl(AOwner, new TInplaceTextWidget()), FEdit(static_cast<QPlainTextEdit*>(Widget()))
{
    FEdit->setFrameShape(QFrame::NoFrame);
    FEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FEdit->setTabChangesFocus(true);
    FEdit->document()->setDocumentMargin(0);
    FEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    AttachSubWidget(FEdit->viewport());
    // Text dropped from elsewhere would be a paste that passes by WM_PASTE.
    FEdit->setAcceptDrops(false);
    FEdit->viewport()->setAcceptDrops(false);
    SetTabStop(true);
    SetTextMargins(2, 2);
    QObject::connect(FEdit, &QPlainTextEdit::textChanged, FEdit, [this]() {
        if (FLoading) return;
        FModified = true;
        GuardEvent([this]() { Change(); });
    });
}

TInplaceEdit::~TInplaceEdit() = default;

void TInplaceEdit::SetParent(TWinControl* AParent)
{
    TWinControl::SetParent(AParent);
    FGrid = dynamic_cast<TCustomGrid*>(AParent);
}

QString TInplaceEdit::Text() const
{
    if (!FPasswordChar.isNull()) return FSecret;
    if (FMask.Active()) {
        TEditMaskModel m = FMask;
        m.SetEditText(FEdit->toPlainText());
        return m.Text();
    }
    return FEdit->toPlainText();
}

void TInplaceEdit::SetText(const QString& v)
{
    if (!FPasswordChar.isNull()) {
        FSecret = FMaxLength > 0 ? v.left(FMaxLength) : v;
        FSecret.remove(QChar(u'\n'));
        ShowSecret(int(FSecret.size()));
        return;
    }
    if (FMask.Active()) {
        FMask.SetText(v);
        ShowMaskText(0);
        return;
    }
    FEdit->setPlainText(FMaxLength > 0 ? v.left(FMaxLength) : v);
}

int TInplaceEdit::SelStart() const
{
    return FEdit->textCursor().selectionStart();
}

void TInplaceEdit::SetSelStart(int v)
{
    QTextCursor c = FEdit->textCursor();
    c.setPosition(std::clamp(v, 0, int(FEdit->toPlainText().size())));
    FEdit->setTextCursor(c);
}

int TInplaceEdit::SelLength() const
{
    const QTextCursor c = FEdit->textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void TInplaceEdit::SetSelLength(int v)
{
    QTextCursor c = FEdit->textCursor();
    const int start = c.selectionStart();
    c.setPosition(start);
    c.setPosition(std::clamp(start + v, 0, int(FEdit->toPlainText().size())), QTextCursor::KeepAnchor);
    FEdit->setTextCursor(c);
}

QString TInplaceEdit::SelText() const
{
    if (!FPasswordChar.isNull()) return FSecret.mid(SelStart(), SelLength());
    return FEdit->textCursor().selectedText().replace(QChar::ParagraphSeparator, u'\n');
}

void TInplaceEdit::SetSelText(const QString& v)
{
    QString ins = v;
    if (FMaxLength > 0) {
        const int room = FMaxLength - int(FEdit->toPlainText().size()) + SelLength();
        ins = ins.left(std::max(room, 0));
    }
    if (!FPasswordChar.isNull()) {
        ins.remove(QChar(u'\n'));
        ReplaceSecret(SelStart(), SelLength(), ins);
        return;
    }
    FEdit->textCursor().insertText(ins);
}

void TInplaceEdit::SelectAll()
{
    FEdit->selectAll();
}

void TInplaceEdit::SetEditMask(const QString& v)
{
    if (v == FMask.Mask()) return;
    const QString text = Text();
    FMask.SetMask(v);
    if (FMask.Active()) {
        FMask.SetText(text);
        ShowMaskText(0);
    }
}

QString TInplaceEdit::EditText() const
{
    return FEdit->toPlainText();
}

void TInplaceEdit::SetEditText(const QString& v)
{
    if (FMask.Active()) {
        FMask.SetEditText(v);
        ShowMaskText(0);
        return;
    }
    FEdit->setPlainText(v);
}

void TInplaceEdit::ShowMaskText(int caret)
{
    FEdit->setPlainText(FMask.EditText());
    SetSelStart(caret);
}

void TInplaceEdit::SetPasswordChar(QChar v)
{
    if (v == FPasswordChar) return;
    const QString text = Text();
    FPasswordChar = v;
    SetText(text);
}

void TInplaceEdit::ShowSecret(int caret)
{
    const bool loading = FLoading;
    FLoading = true;
    FEdit->setPlainText(QString(FSecret.size(), FPasswordChar));
    FLoading = loading;
    SetSelStart(caret);
    if (!FLoading) {
        FModified = true;
        GuardEvent([this]() { Change(); });
    }
}

void TInplaceEdit::ReplaceSecret(int start, int length, const QString& with)
{
    start = std::clamp(start, 0, int(FSecret.size()));
    FSecret.replace(start, std::clamp(length, 0, int(FSecret.size()) - start), with);
    ShowSecret(start + int(with.size()));
}

void TInplaceEdit::SyncMaskSelection()
{
    FMask.SetEditText(FEdit->toPlainText());
    FMask.SetSel(SelStart(), SelLength());
}

int TInplaceEdit::MaskMissingPosition() const
{
    if (!FMask.Active()) return -1;
    TEditMaskModel m = FMask;
    m.SetEditText(FEdit->toPlainText());
    return m.FirstMissing();
}

void TInplaceEdit::SetReadOnly(bool v)
{
    FReadOnly = v;
    FEdit->setReadOnly(v);
}

void TInplaceEdit::SetAlignment(TEditAlignment v)
{
    FAlignment = v;
    Recreate();
}

void TInplaceEdit::SetWordWrap(bool v)
{
    FWordWrap = v;
    Recreate();
}

void TInplaceEdit::Recreate()
{
    QTextOption opt = FEdit->document()->defaultTextOption();
    opt.setAlignment(FAlignment == eaRight ? Qt::AlignRight : FAlignment == eaCenter ? Qt::AlignHCenter : Qt::AlignLeft);
    FEdit->document()->setDefaultTextOption(opt);
    FEdit->setLineWrapMode(FWordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TInplaceEdit::SetTextMargins(int left, int top, int right, int bottom)
{
    static_cast<TInplaceTextWidget*>(FEdit)->setViewportMargins(left, top, right, bottom);
}

int TInplaceEdit::CharFromPos(TPoint p) const
{
    return FEdit->cursorForPosition(QPoint(p.X, p.Y)).position();
}

int TInplaceEdit::LineFromChar(int index) const
{
    return FEdit->document()->findBlock(std::max(index, 0)).blockNumber();
}

void TInplaceEdit::UpdateContents()
{
    if (!FGrid) return;
    const int c = FGrid->Col(), r = FGrid->Row();
    FMask.SetMask(QString());
    SetMaxLength(FGrid->GetEditLimit());
    const QString mask = FGrid->GetEditMask(c, r);
    const QString text = FGrid->GetEditText(c, r);
    FMask.SetMask(mask);
    if (!FPasswordChar.isNull()) {
        SetText(text);
    } else if (FMask.Active()) {
        FMask.SetText(text);
        FEdit->setPlainText(FMask.EditText());
    } else {
        FEdit->setPlainText(text);
    }
    FModified = false;
}

void TInplaceEdit::BoundsChanged()
{
    if (!FGrid) return;
    const TRect r = FGrid->CellRect(FGrid->FEditorCell.X, FGrid->FEditorCell.Y);
    const int b = FGrid->BorderWidth();
    SetBounds(r.Left + b, r.Top + b, r.Width(), r.Height());
    SetColor(FGrid->Color());
    FEdit->setFont(FGrid->Font()->ToQFont());
}

void TInplaceEdit::KeyDown(Word& Key, TShiftState Shift)
{
    TWinControl::KeyDown(Key, Shift);  // OnKeyDown
    if (Key == 0) return;
    if (const unsigned msg = ClipboardKeyMessage(Key, Shift)) {
        Perform(msg);
        Key = 0;
        return;
    }
    if (!FGrid) return;
    const bool ctrl = Shift.Contains(ssCtrl);
    bool toGrid = false;
    switch (Key) {
    case VK_UP: case VK_DOWN: case VK_PRIOR: case VK_NEXT: case VK_RETURN: case VK_ESCAPE:
        toGrid = true;
        break;
    case VK_HOME: case VK_END: toGrid = ctrl; break;
    case VK_TAB: toGrid = FGrid->Options().Contains(goTabs); break;
    default: break;
    }
    if (toGrid) {
        if (Key == VK_RETURN && FWantReturns && FPasswordChar.isNull()) return;
        FGrid->KeyDown(Key, Shift);
        Key = 0;
        return;
    }
    if (FMask.Active() && (Key == VK_BACK || Key == VK_DELETE)) {
        SyncMaskSelection();
        if (Key == VK_BACK) FMask.Backspace();
        else FMask.Delete();
        const int caret = FMask.SelStart();
        ShowMaskText(caret);
        Key = 0;
    }
    if (FReadOnly && (Key == VK_BACK || Key == VK_DELETE)) Key = 0;
    if (!FPasswordChar.isNull() && (Key == VK_BACK || Key == VK_DELETE)) {
        // The shown characters stand for the text: it is edited here.
        const int start = SelStart(), length = SelLength();
        if (length > 0) ReplaceSecret(start, length, QString());
        else if (Key == VK_BACK && start > 0) ReplaceSecret(start - 1, 1, QString());
        else if (Key == VK_DELETE) ReplaceSecret(start, 1, QString());
        Key = 0;
    }
}

void TInplaceEdit::KeyPress(QChar& Key)
{
    if (FGrid) {
        FGrid->KeyPress(Key);
        if (Key.isNull()) return;
    }
    TWinControl::KeyPress(Key);  // OnKeyPress
    if (Key.isNull()) return;
    const ushort k = Key.unicode();
    if (k == 9 || k == 27 || (k == 13 && (!FWantReturns || !FPasswordChar.isNull()))) {
        Key = QChar();
        return;
    }
    if (k >= 32 && FGrid && (!FGrid->CanEditAcceptKey(Key) || !FGrid->CanEditModify() || FReadOnly)) {
        MessageBeep(0);
        Key = QChar();
        return;
    }
    if (FMask.Active() && k >= 32) {
        SyncMaskSelection();
        if (FMask.TypeChar(Key)) ShowMaskText(FMask.SelStart());
        else MessageBeep(0);
        Key = QChar();
        return;
    }
    if (k >= 32 && FMaxLength > 0 && int(FEdit->toPlainText().size()) - SelLength() >= FMaxLength) {
        MessageBeep(0);
        Key = QChar();
        return;
    }
    if (k >= 32 && !FPasswordChar.isNull()) {
        ReplaceSecret(SelStart(), SelLength(), QString(Key));
        Key = QChar();
    }
}

void TInplaceEdit::KeyUp(Word& Key, TShiftState Shift)
{
    TWinControl::KeyUp(Key, Shift);
}

void TInplaceEdit::DoEnter()
{
    TWinControl::DoEnter();
    if (FGrid) FGrid->InvalidateCell(FGrid->Col(), FGrid->Row());
}

void TInplaceEdit::DoExit()
{
    TWinControl::DoExit();
    if (FGrid) FGrid->InvalidateCell(FGrid->Col(), FGrid->Row());
}

void TInplaceEdit::DefaultHandler(TMessage& m)
{
    const bool secret = !FPasswordChar.isNull();
    // Asked only where it matters: the grid's own answer is an overridable
    // operation, and gone once the grid's destructors have begun.
    const auto canModify = [this]() {
        return !FReadOnly && (!FGrid || (!FGrid->HasState(csDestructing) && FGrid->CanEditModify()));
    };
    switch (m.Msg) {
    case WM_COPY:
        // The text of a password cell stays in the cell.
        if (!secret) FEdit->copy();
        return;
    case WM_CUT:
        if (secret || !canModify() || SelLength() == 0) return;
        FEdit->copy();
        if (FMask.Active()) {
            SyncMaskSelection();
            FMask.Backspace();
            ShowMaskText(FMask.SelStart());
        } else {
            FEdit->textCursor().removeSelectedText();
        }
        return;
    case WM_PASTE:
        if (canModify()) InsertPaste(Clipboard().AsText());
        return;
    default:
        break;
    }
    if (m.Msg == WM_GETDLGCODE) {
        unsigned code = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
        if (FGrid && !FGrid->HasState(csDestructing) && FGrid->Options().Contains(goTabs)) code |= DLGC_WANTTAB;
        m.Result = code;
        return;
    }
    TWinControl::DefaultHandler(m);
}

void TInplaceEdit::Change()
{
    if (OnChange) OnChange(this);
}

void TInplaceEdit::InsertPaste(const QString& Text)
{
    if (FMask.Active()) {
        SyncMaskSelection();
        if (FMask.PasteText(Text)) ShowMaskText(FMask.SelStart());
        else MessageBeep(0);
        return;
    }
    SetSelText(Text);
}

bool TInplaceEdit::HandleQtEvent(QWidget* w, QEvent* e)
{
    if (w != FEdit && w != FEdit->viewport()) return TWinControl::HandleQtEvent(w, e);
    if (e->type() == QEvent::ContextMenu && !PopupMenu()) {
        // The edit's own menu, its clipboard entries sending the messages.
        QMenu* menu = FEdit->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        RouteClipboardMenu(this, menu, FEdit);
        menu->popup(static_cast<QContextMenuEvent*>(e)->globalPos());
        return true;
    }
    // The X11 middle-button paste of the selection passes by WM_PASTE.
    if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::MiddleButton)
        return true;
    return TWinControl::HandleQtEvent(w, e);
}
