#include "StdCtrls.h"
#include "StdCtrlsWidgets.h"
#include "OsProfile.h"
#include "Names.h"
#include "Beep.h"
#include "Clock.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <algorithm>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextEdit>
#include <QValidator>

namespace {

// Error texts of the unit.
const char* const SListIndexError = "List index out of bounds (%1)";

// Limits typed and pasted text to a number of characters; text set by the
// program is not limited (as the original's edit limit works).
class TMaxLengthValidator : public QValidator {
public:
    explicit TMaxLengthValidator(QObject* parent) : QValidator(parent) {}
    int Max = 0;
    State validate(QString& input, int&) const override
    {
        return Max > 0 && input.size() > Max ? Invalid : Acceptable;
    }
};

// Windows line breaks in the text of a multi-line control.
QString ToCrLf(QString s)
{
    s.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return s;
}

QString FromCrLf(QString s)
{
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

}  // namespace

// ---------------------------------------------------------------- TCustomLabel

TCustomLabel::TCustomLabel(TComponent* AOwner)
    : TGraphicControl(AOwner)
{
    SetParentColor(true);
    SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAlignment(TAlignment v)
{
    if (v == FAlignment) return;
    FAlignment = v;
    Invalidate();
}

void TCustomLabel::SetLayout(TVerticalLayout v)
{
    if (v == FLayout) return;
    FLayout = v;
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool v)
{
    if (v == FAutoSize) return;
    FAutoSize = v;
    AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool v)
{
    if (v == FWordWrap) return;
    FWordWrap = v;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool v)
{
    if (v == FTransparent) return;
    FTransparent = v;
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool v)
{
    if (v == FShowAccelChar) return;
    FShowAccelChar = v;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* v)
{
    if (v == FFocusControl) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = v;
    if (v) v->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::WndProc(TMessage& Message)
{
    // The label's accelerator moves the focus to its FocusControl.
    if (Message.Msg == CM_DIALOGCHAR && FFocusControl && Enabled() && FShowAccelChar &&
        IsAccel(unsigned(Message.WParam), Caption()) && FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        Message.Result = 1;
        return;
    }
    TGraphicControl::WndProc(Message);
}

unsigned TCustomLabel::DrawTextFlags() const
{
    unsigned flags = DT_EXPANDTABS;
    if (FWordWrap) flags |= DT_WORDBREAK;
    if (FAlignment == taCenter) flags |= DT_CENTER;
    if (FAlignment == taRightJustify) flags |= DT_RIGHT;
    if (!FShowAccelChar) flags |= DT_NOPREFIX;
    return flags;
}

void TCustomLabel::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    if (!FTransparent) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(Color());
        c->FillRect(r);
    }
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(Font());
    const unsigned flags = DrawTextFlags();
    const QString text = Caption();
    if (FLayout != tlTop) {
        TRect calc = r;
        c->DrawText(text.isEmpty() ? QStringLiteral(" ") : text, calc, flags | DT_CALCRECT);
        int room = r.Height() - calc.Height();
        r.Offset(0, FLayout == tlBottom ? room : room / 2);
    }
    if (Enabled()) {
        c->DrawText(text, r, flags);
    } else {
        // The engraved look of disabled text.
        TRect lit = r;
        lit.Offset(1, 1);
        c->Font()->SetColor(clBtnHighlight);
        c->DrawText(text, lit, flags);
        c->Font()->SetColor(clBtnShadow);
        c->DrawText(text, r, flags);
    }
}

void TCustomLabel::AdjustBounds()
{
    if (!FAutoSize || HasState(csLoading)) return;
    TCanvas measure;
    measure.Font()->Assign(Font());
    TRect r = ClientRect();
    QString text = Caption();
    // An empty caption still takes one line.
    if (text.isEmpty() || (FShowAccelChar && text == QStringLiteral("&"))) text += QLatin1Char(' ');
    measure.DrawText(text, r, DrawTextFlags() | DT_CALCRECT);
    int x = Left();
    if (FAlignment == taRightJustify) x += Width() - r.Right;
    SetBounds(x, Top(), r.Right, r.Bottom);
}

void TCustomLabel::TextChanged()
{
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::FontChanged()
{
    TGraphicControl::FontChanged();
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::EnabledChanged()
{
    TGraphicControl::EnabledChanged();
    Invalidate();
}

// ---------------------------------------------------------------- clipboard routing

unsigned ClipboardKeyMessage(Word Key, TShiftState Shift)
{
    Qt::KeyboardModifiers mods;
    if (Shift.Contains(ssShift)) mods |= Qt::ShiftModifier;
    if (Shift.Contains(ssCtrl)) mods |= Qt::ControlModifier;
    if (Shift.Contains(ssAlt)) mods |= Qt::AltModifier;
    QKeyEvent ev(QEvent::KeyPress, VirtualKeyToQtKey(Key), mods);
    if (ev.matches(QKeySequence::Cut)) return WM_CUT;
    if (ev.matches(QKeySequence::Copy)) return WM_COPY;
    if (ev.matches(QKeySequence::Paste)) return WM_PASTE;
    return 0;
}

void RouteClipboardMenu(TControl* Control, QMenu* Menu, QObject* Context)
{
    // Qt names the entries only by their text, which shows the shortcut
    // after a tab (newer Qt versions give them object names too).
    const struct {
        const char* Name;
        QKeySequence::StandardKey Key;
        unsigned Msg;
    } commands[] = {{"edit-cut", QKeySequence::Cut, WM_CUT},
                    {"edit-copy", QKeySequence::Copy, WM_COPY},
                    {"edit-paste", QKeySequence::Paste, WM_PASTE}};
    for (QAction* a : Menu->actions()) {
        const QString text = a->text();
        const QString shortcut = text.contains(u'\t') ? text.mid(text.indexOf(u'\t') + 1) : QString();
        for (const auto& [name, key, msg] : commands) {
            if (a->objectName() != QLatin1String(name)
                && (shortcut.isEmpty() || shortcut != QKeySequence(key).toString(QKeySequence::NativeText)))
                continue;
            QObject::disconnect(a, &QAction::triggered, nullptr, nullptr);
            const unsigned command = msg;
            QObject::connect(a, &QAction::triggered, Context, [Control, command] {
                GuardEvent([Control, command] { Control->Perform(command); });
            });
        }
    }
}

// ---------------------------------------------------------------- TCustomEdit

// The Qt edit behind TCustomEdit: what the control paints over it comes
// after Qt's painting, and the X11 middle-button paste (a paste that would
// pass by WM_PASTE) is not taken.
class TEditWidget : public TKeyEndWidget<QLineEdit> {
public:
    TCustomEdit* Control = nullptr;

protected:
    void paintEvent(QPaintEvent* e) override
    {
        TKeyEndWidget<QLineEdit>::paintEvent(e);
        if (!Control) return;
        QPainter painter(this);
        GuardEvent([&] { Control->PaintOver(painter); });
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        if (e->button() == Qt::MiddleButton) {
            e->accept();
            return;
        }
        TKeyEndWidget<QLineEdit>::mouseReleaseEvent(e);
    }
};

TCustomEdit::TCustomEdit(TComponent* AOwner)
    : TWinControl(AOwner, new TEditWidget)
{
    static_cast<TEditWidget*>(Widget())->Control = this;
    QLineEdit* e = Edit();
    e->setValidator(new TMaxLengthValidator(e));
    e->setFrame(true);
    // Text dropped from elsewhere would be a paste that passes by WM_PASTE.
    e->setAcceptDrops(false);
    SetControlStyle(ControlStyle() | csClickEvents);
    SetWantKeys(DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL);
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 121, 21);
    QObject::connect(e, &QLineEdit::textChanged, &FSignals, [this](const QString& s) {
        if (FSyncing) return;
        // A change made in the widget (typing, paste, undo).
        FText = s;
        GuardEvent([this] { Change(); });
    });
}

QLineEdit* TCustomEdit::Edit() const
{
    return static_cast<QLineEdit*>(Widget());
}

void TCustomEdit::SetMaxLength(int v)
{
    FMaxLength = std::max(0, v);
    static_cast<TMaxLengthValidator*>(const_cast<QValidator*>(Edit()->validator()))->Max = FMaxLength;
}

void TCustomEdit::SetReadOnly(bool v)
{
    FReadOnly = v;
    Edit()->setReadOnly(v);
    ReadOnlyChanged();
}

void TCustomEdit::SetPasswordChar(QChar v)
{
    FPasswordChar = v;
    Edit()->setEchoMode(v.isNull() ? QLineEdit::Normal : QLineEdit::Password);
}

int TCustomEdit::CharFromPos(TPoint p) const
{
    if (p.Y < 0 || p.Y >= Height()) return -1;
    return Edit()->cursorPositionAt(QPoint(p.X, p.Y));
}

void TCustomEdit::DefaultHandler(TMessage& m)
{
    switch (m.Msg) {
    // The Qt edit would cut from and paste into a read-only text as well;
    // its own read-only flag counts (descendants set it for more reasons).
    case WM_CUT:
        if (!Edit()->isReadOnly()) Edit()->cut();
        return;
    case WM_COPY:
        Edit()->copy();
        return;
    case WM_PASTE:
        if (!Edit()->isReadOnly()) Edit()->paste();
        return;
    default:
        TWinControl::DefaultHandler(m);
    }
}

void TCustomEdit::ForwardKeyToWidget(unsigned Msg, const TMessage& m)
{
    // A one-line edit has no use for Tab; Qt would move the focus on it.
    if ((Msg == WM_KEYDOWN || Msg == WM_KEYUP) && m.WParam == VK_TAB) return;
    if (Msg == WM_KEYDOWN) {
        if (const unsigned msg = ClipboardKeyMessage(Word(m.WParam), KeyboardStateToShiftState())) {
            Perform(msg);
            return;
        }
    }
    TWinControl::ForwardKeyToWidget(Msg, m);
}

bool TCustomEdit::HandleQtEvent(QWidget* w, QEvent* e)
{
    if (e->type() != QEvent::ContextMenu || w != Widget() || PopupMenu()) return TWinControl::HandleQtEvent(w, e);
    // The edit's own menu, its clipboard entries sending the messages.
    auto* ce = static_cast<QContextMenuEvent*>(e);
    QMenu* menu = Edit()->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    RouteClipboardMenu(this, menu, &FSignals);
    menu->popup(ce->globalPos());
    return true;
}

int TCustomEdit::SelStart() const
{
    QLineEdit* e = Edit();
    return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
}

void TCustomEdit::SetSelStart(int v)
{
    QLineEdit* e = Edit();
    e->deselect();
    e->setCursorPosition(std::clamp(v, 0, int(e->text().size())));
}

int TCustomEdit::SelLength() const
{
    return int(Edit()->selectedText().size());
}

void TCustomEdit::SetSelLength(int v)
{
    QLineEdit* e = Edit();
    int start = SelStart();
    int len = std::clamp(v, 0, int(e->text().size()) - start);
    if (len == 0) {
        SetSelStart(start);
        return;
    }
    e->setSelection(start, len);
}

QString TCustomEdit::SelText() const
{
    return Edit()->selectedText();
}

void TCustomEdit::SelectAll()
{
    Edit()->selectAll();
}

void TCustomEdit::ClearSelection()
{
    if (Edit()->hasSelectedText()) Edit()->del();
}

void TCustomEdit::TextChanged()
{
    QLineEdit* e = Edit();
    if (e->text() != FText) {
        FSyncing = true;
        e->setText(FText);
        e->setCursorPosition(0);
        FSyncing = false;
    }
    Change();
}

void TCustomEdit::DoEnter()
{
    if (FAutoSelect && !(ControlState() & csLButtonDown)) SelectAll();
    TWinControl::DoEnter();
}

void TCustomEdit::Change()
{
    if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------- TCustomMaskEdit

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner)
    : TCustomEdit(AOwner)
{
    // Typing and pasting (the user's changes) mark the text modified.
    QObject::connect(Edit(), &QLineEdit::textEdited, Edit(), [this](const QString&) { FModified = true; });
}

void TCustomMaskEdit::SetEditMask(const QString& v)
{
    if (v == FMask.Mask()) return;
    const QString text = Text();
    FMask.SetMask(v);
    if (!FMask.Active()) return;
    FMask.SetText(text);
    ShowMaskText(0);
}

void TCustomMaskEdit::TextChanged()
{
    // A text set by the program is loaded through the mask.
    if (FMask.Active()) {
        FMask.SetText(FText);
        FText = FMask.EditText();
    }
    FModified = false;
    TCustomEdit::TextChanged();
}

void TCustomMaskEdit::ShowMaskText(int caret)
{
    // As a change made in the widget: the text and its change event follow.
    Edit()->setText(FMask.EditText());
    SetSelStart(caret);
}

void TCustomMaskEdit::ForwardKeyToWidget(unsigned Msg, const TMessage& m)
{
    if (!FMask.Active() || ReadOnly()) {
        TCustomEdit::ForwardKeyToWidget(Msg, m);
        return;
    }
    const Word key = Word(m.WParam);
    const bool erase = Msg == WM_KEYDOWN && (key == VK_BACK || key == VK_DELETE);
    const bool typed = Msg == WM_CHAR && key >= 32;
    if (!erase && !typed) {
        TCustomEdit::ForwardKeyToWidget(Msg, m);
        return;
    }
    FMask.SetEditText(Edit()->text());
    FMask.SetSel(SelStart(), SelLength());
    if (erase) {
        if (key == VK_BACK) FMask.Backspace();
        else FMask.Delete();
    } else if (!FMask.TypeChar(QChar(char16_t(key)))) {
        return;
    }
    FModified = true;
    ShowMaskText(FMask.SelStart());
}

void TCustomMaskEdit::DefaultHandler(TMessage& m)
{
    if (!FMask.Active() || (m.Msg != WM_PASTE && m.Msg != WM_CUT) || ReadOnly()) {
        TCustomEdit::DefaultHandler(m);
        return;
    }
    FMask.SetEditText(Edit()->text());
    FMask.SetSel(SelStart(), SelLength());
    if (m.Msg == WM_CUT) {
        if (SelLength() == 0) return;
        Edit()->copy();
        FMask.Backspace();
    } else if (!FMask.PasteText(Clipboard().AsText())) {
        MessageBeep(0);
        return;
    }
    FModified = true;
    ShowMaskText(FMask.SelStart());
}

void TCustomMaskEdit::SetEditRectangle(const TRect& r)
{
    const TRect client = ClientRect();
    Edit()->setTextMargins(std::max(0, r.Left), std::max(0, r.Top), std::max(0, client.Right - r.Right),
                           std::max(0, client.Bottom - r.Bottom));
}

void TCustomMaskEdit::SetSelection(int Anchor, int Caret)
{
    QLineEdit* e = Edit();
    const int len = int(e->text().size());
    Anchor = std::clamp(Anchor, 0, len);
    Caret = std::clamp(Caret, 0, len);
    e->setSelection(Anchor, Caret - Anchor);
    if (Anchor == Caret) e->setCursorPosition(Caret);
}

// ---------------------------------------------------------------- TMemoStrings

QStringList TMemoStrings::Lines() const
{
    QString text = FMemo->PlainText();
    if (text.isEmpty()) return {};
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty()) lines.removeLast();
    return lines;
}

void TMemoStrings::SetLines(const QStringList& lines)
{
    QString text;
    for (const QString& l : lines) text += l + QLatin1Char('\n');
    FMemo->SetPlainText(text);
}

QString TMemoStrings::Get(int Index) const
{
    QStringList lines = Lines();
    if (Index < 0 || Index >= lines.size()) Error(QString::fromLatin1(SListIndexError), Index);
    return lines.at(Index);
}

int TMemoStrings::GetCount() const
{
    return int(Lines().size());
}

void TMemoStrings::Put(int Index, const QString& S)
{
    QStringList lines = Lines();
    if (Index < 0 || Index >= lines.size()) Error(QString::fromLatin1(SListIndexError), Index);
    lines[Index] = S;
    SetLines(lines);
}

void TMemoStrings::Insert(int Index, const QString& S)
{
    QStringList lines = Lines();
    if (Index < 0 || Index > lines.size()) Error(QString::fromLatin1(SListIndexError), Index);
    lines.insert(Index, S);
    SetLines(lines);
}

void TMemoStrings::Delete(int Index)
{
    QStringList lines = Lines();
    if (Index < 0 || Index >= lines.size()) Error(QString::fromLatin1(SListIndexError), Index);
    lines.removeAt(Index);
    SetLines(lines);
}

void TMemoStrings::Clear()
{
    FMemo->SetPlainText(QString());
}

// ---------------------------------------------------------------- TCustomMemo

TCustomMemo::TCustomMemo(TComponent* AOwner, QWidget* AWidget)
    : TWinControl(AOwner, AWidget ? AWidget : new TKeyEndWidget<QPlainTextEdit>),
      FLines(std::make_unique<TMemoStrings>(this))
{
    auto changed = [this] {
        if (FSyncing) return;
        const QString text = ToCrLf(PlainText());
        if (FMaxLength > 0 && text.size() > FMaxLength && text.size() > FText.size()) {
            // Typed or pasted beyond the limit: the edit is refused.
            RefuseOverflow();
            return;
        }
        FText = text;
        GuardEvent([this] { Change(); });
    };
    WithEditor([&](auto* e) {
        using Editor = std::remove_pointer_t<decltype(e)>;
        QObject::connect(e, &Editor::textChanged, &FSignals, changed);
        AttachSubWidget(e->viewport());
    });
    // The rich edit takes text only.
    if (auto* t = qobject_cast<QTextEdit*>(Widget())) t->setAcceptRichText(false);
    SetControlStyle(ControlStyle() | csClickEvents);
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 185, 89);
    UpdateWantKeys();
    UpdateScrollBars();
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::RefuseOverflow()
{
    int caret = 0;
    WithEditor([&](auto* e) { caret = e->textCursor().position(); });
    const QString before = FromCrLf(FText);
    const int grown = int(PlainText().size()) - int(before.size());
    FSyncing = true;
    WithEditor([&](auto* e) {
        e->setPlainText(before);
        QTextCursor c = e->textCursor();
        c.setPosition(std::clamp(caret - grown, 0, int(before.size())));
        e->setTextCursor(c);
    });
    FSyncing = false;
}

QString TCustomMemo::PlainText() const
{
    QString text;
    WithEditor([&](auto* e) { text = e->toPlainText(); });
    return text;
}

void TCustomMemo::SetPlainText(const QString& s)
{
    FSyncing = true;
    WithEditor([&](auto* e) { e->setPlainText(s); });
    FSyncing = false;
    FText = ToCrLf(s);
    Change();
}

void TCustomMemo::TextChanged()
{
    QString plain = FromCrLf(FText);
    if (plain != PlainText()) {
        SetPlainText(plain);
        return;
    }
    FText = ToCrLf(plain);
    Change();
}

void TCustomMemo::SetReadOnly(bool v)
{
    FReadOnly = v;
    WithEditor([&](auto* e) { e->setReadOnly(v); });
}

void TCustomMemo::SetScrollBars(TScrollStyle v)
{
    FScrollBars = v;
    UpdateScrollBars();
}

void TCustomMemo::SetWordWrap(bool v)
{
    FWordWrap = v;
    UpdateScrollBars();
}

void TCustomMemo::UpdateScrollBars()
{
    auto* area = qobject_cast<QAbstractScrollArea*>(Widget());
    if (!area) return;
    bool h = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
    bool v = FScrollBars == ssVertical || FScrollBars == ssBoth;
    area->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    area->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    // A horizontal scroll bar means long lines scroll instead of wrapping.
    bool wrap = FWordWrap && !h;
    if (auto* p = qobject_cast<QPlainTextEdit*>(Widget()))
        p->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    if (auto* t = qobject_cast<QTextEdit*>(Widget()))
        t->setLineWrapMode(wrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
}

void TCustomMemo::SetWantReturns(bool v)
{
    FWantReturns = v;
    UpdateWantKeys();
}

void TCustomMemo::SetWantTabs(bool v)
{
    FWantTabs = v;
    UpdateWantKeys();
}

void TCustomMemo::UpdateWantKeys()
{
    unsigned keys = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
    if (FWantReturns) keys |= DLGC_WANTALLKEYS;
    if (FWantTabs) keys |= DLGC_WANTTAB;
    SetWantKeys(keys);
    WithEditor([&](auto* e) { e->setTabChangesFocus(!FWantTabs); });
}

void TCustomMemo::SelectAll()
{
    WithEditor([](auto* e) { e->selectAll(); });
}

void TCustomMemo::Change()
{
    if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------- TItemModelStrings

namespace {
// Where an item's object is kept in the model.
constexpr int ObjectRole = Qt::UserRole + 0x71;
}  // namespace

void TItemModelStrings::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= GetCount()) Error(QString::fromLatin1(SListIndexError), Index);
}

QString TItemModelStrings::Get(int Index) const
{
    CheckIndex(Index);
    return FModel->data(FModel->index(Index, 0), Qt::DisplayRole).toString();
}

int TItemModelStrings::GetCount() const
{
    return FModel->rowCount();
}

TObject* TItemModelStrings::GetObject(int Index) const
{
    CheckIndex(Index);
    return reinterpret_cast<TObject*>(FModel->data(FModel->index(Index, 0), ObjectRole).value<quintptr>());
}

void TItemModelStrings::Put(int Index, const QString& S)
{
    CheckIndex(Index);
    FModel->setData(FModel->index(Index, 0), S, Qt::DisplayRole);
    Changed();
}

void TItemModelStrings::PutObject(int Index, TObject* AObject)
{
    CheckIndex(Index);
    FModel->setData(FModel->index(Index, 0), QVariant::fromValue(quintptr(AObject)), ObjectRole);
}

void TItemModelStrings::Insert(int Index, const QString& S)
{
    if (Index < 0 || Index > GetCount()) Error(QString::fromLatin1(SListIndexError), Index);
    FModel->insertRows(Index, 1);
    FModel->setData(FModel->index(Index, 0), S, Qt::DisplayRole);
    Changed();
}

void TItemModelStrings::Delete(int Index)
{
    CheckIndex(Index);
    FModel->removeRows(Index, 1);
    Changed();
}

void TItemModelStrings::Clear()
{
    if (GetCount() > 0) FModel->removeRows(0, GetCount());
    Changed();
}

int TItemModelStrings::IndexOf(const QString& S) const
{
    for (int i = 0, n = GetCount(); i < n; ++i)
        if (CompareStrings(Get(i), S) == 0) return i;
    return -1;
}

void TItemModelStrings::Changed()
{
    if (OnItemsChanged) OnItemsChanged();
}

// ---------------------------------------------------------------- TCustomListBox

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner, new TKeyEndWidget<QListWidget>)
{
    QListWidget* l = List();
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    l->setUniformItemSizes(true);
    FItems = std::make_unique<TItemModelStrings>(l->model());
    AttachSubWidget(l->viewport());
    // The list box tells a click by its selection, not by the mouse.
    SetControlStyle(ControlStyle() & ~unsigned(csClickEvents | csCaptureMouse));
    SetWantKeys(DLGC_WANTCHARS | DLGC_WANTARROWS);
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 121, 97);
    QObject::connect(l, &QListWidget::currentRowChanged, &FSignals, [this](int) {
        if (FSettingIndex > 0) return;
        GuardEvent([this] { Click(); });
    });
}

TCustomListBox::~TCustomListBox() = default;

QListWidget* TCustomListBox::List() const
{
    return static_cast<QListWidget*>(Widget());
}

int TCustomListBox::ItemIndex() const
{
    return List()->currentRow();
}

void TCustomListBox::SetItemIndex(int v)
{
    if (v < 0 || v >= Count()) v = -1;
    ++FSettingIndex;
    List()->setCurrentRow(v);
    if (v < 0) List()->clearSelection();
    --FSettingIndex;
}

// ---------------------------------------------------------------- TCheckListBox

TCheckListBox::TCheckListBox(TComponent* AOwner) : TCustomListBox(AOwner)
{
    QListWidget* l = List();
    // New items get their (empty) box; a change of check state the list
    // itself makes is a user toggle.
    QObject::connect(l->model(), &QAbstractItemModel::rowsInserted, &FCheckSignals,
                     [this](const QModelIndex&, int first, int last) {
                         ++FSettingCheck;
                         for (int i = first; i <= last; ++i)
                             if (QListWidgetItem* it = List()->item(i)) it->setCheckState(Qt::Unchecked);
                         --FSettingCheck;
                     });
    // Only a change of the check state counts, not a new text.
    QObject::connect(l->model(), &QAbstractItemModel::dataChanged, &FCheckSignals,
                     [this](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                         if (FSettingCheck > 0 || !roles.contains(Qt::CheckStateRole)) return;
                         GuardEvent([this] { ClickCheck(); });
                     });
}

bool TCheckListBox::Checked(int Index) const
{
    const QListWidgetItem* it = List()->item(Index);
    return it && it->checkState() == Qt::Checked;
}

void TCheckListBox::SetChecked(int Index, bool Value)
{
    QListWidgetItem* it = List()->item(Index);
    if (!it) return;
    ++FSettingCheck;
    it->setCheckState(Value ? Qt::Checked : Qt::Unchecked);
    --FSettingCheck;
}

void TCheckListBox::ToggleChecked(int Index)
{
    if (!List()->item(Index)) return;
    SetChecked(Index, !Checked(Index));
    ClickCheck();
}

void TCheckListBox::ClickCheck()
{
    if (OnClickCheck) OnClickCheck(this);
}

// ---------------------------------------------------------------- TCustomCheckBox

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner)
    : TWinControl(AOwner, new TKeyEndWidget<QCheckBox>)
{
    QCheckBox* b = Box();
    b->setTristate(false);
    SetControlStyle(ControlStyle() & ~unsigned(csClickEvents | csCaptureMouse));
    SetTabStop(true);
    SetBounds(0, 0, 97, 17);
    // The widget toggles on a click or the space bar; the state is ours.
    QObject::connect(b, &QCheckBox::clicked, &FSignals, [this](bool) {
        GuardEvent([this] { Toggle(); });
        ShowState();
    });
}

QCheckBox* TCustomCheckBox::Box() const
{
    return static_cast<QCheckBox*>(Widget());
}

void TCustomCheckBox::ShowState()
{
    Qt::CheckState s = FState == cbChecked ? Qt::Checked : FState == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked;
    Box()->setTristate(FState == cbGrayed || FAllowGrayed);
    if (Box()->checkState() != s) Box()->setCheckState(s);
}

void TCustomCheckBox::SetState(TCheckBoxState v)
{
    if (v == FState) return;
    FState = v;
    ShowState();
    // As on the original platform, a change made by the program clicks too
    // (not while the owner is still loading).
    if (!HasState(csLoading)) Click();
}

void TCustomCheckBox::SetAllowGrayed(bool v)
{
    FAllowGrayed = v;
    ShowState();
}

void TCustomCheckBox::SetAlignment(TAlignment v)
{
    FAlignment = v;
    Box()->setLayoutDirection(v == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

void TCustomCheckBox::Toggle()
{
    switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
}

void TCustomCheckBox::TextChanged()
{
    Box()->setText(FText);
    // The form handles accelerators; no shortcut of Qt's own.
    Box()->setShortcut(QKeySequence());
}

// ---------------------------------------------------------------- TCustomComboBox

// The Qt combo of TCustomComboBox: reports the list opening and closing,
// searches a choice list by the characters typed and lets the control draw
// over its own painting.
class TComboWidget : public TKeyEndWidget<QComboBox> {
public:
    TCustomComboBox* Control = nullptr;

    void showPopup() override
    {
        if (Control) GuardEvent([this] { Control->DropDown(); });
        QWidget* container = view()->parentWidget();
        if (container && !FWatching) {
            container->installEventFilter(this);
            view()->installEventFilter(this);
            FWatching = true;
        }
        TKeyEndWidget<QComboBox>::showPopup();
    }

protected:
    // A printable character typed without Ctrl or Alt into a choice list.
    bool IsTypeAhead(const QKeyEvent* e) const
    {
        const QString text = e->text();
        return Control && !isEditable() && !text.isEmpty() && text.at(0).isPrint()
               && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    }
    void keyPressEvent(QKeyEvent* e) override
    {
        if (!IsTypeAhead(e)) {
            TKeyEndWidget<QComboBox>::keyPressEvent(e);
            return;
        }
        // The item found becomes the user's choice (with its events).
        const int i = Control->TypeAheadMatch(e->text());
        if (i >= 0 && i != currentIndex()) setCurrentIndex(i);
        e->accept();
    }
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        // Every way the list closes (a choice, Escape, a click outside) hides
        // its container.
        if (e->type() == QEvent::Hide && Control && view() && watched == view()->parentWidget())
            GuardEvent([this] { Control->CloseUp(); });
        // In the open list the item found is marked; Enter or a click picks it.
        if (e->type() == QEvent::KeyPress && view() && watched == view()) {
            auto* ke = static_cast<QKeyEvent*>(e);
            if (IsTypeAhead(ke)) {
                const int i = Control->TypeAheadMatch(ke->text());
                if (i >= 0) view()->setCurrentIndex(model()->index(i, modelColumn(), rootModelIndex()));
                return true;
            }
        }
        return TKeyEndWidget<QComboBox>::eventFilter(watched, e);
    }
    void paintEvent(QPaintEvent* e) override
    {
        TKeyEndWidget<QComboBox>::paintEvent(e);
        if (!Control) return;
        QPainter painter(this);
        GuardEvent([&] { Control->PaintOver(painter); });
    }

private:
    bool FWatching = false;
};

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner, new TComboWidget)
{
    static_cast<TComboWidget*>(Widget())->Control = this;
    QComboBox* c = Combo();
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setMaxVisibleItems(FDropDownCount);
    FItems = std::make_unique<TItemModelStrings>(c->model());
    FItems->OnItemsChanged = [this] { ShowItemText(); };
    SetControlStyle(ControlStyle() & ~unsigned(csClickEvents | csCaptureMouse));
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 145, 21);

    // The model's own reactions (the first item selected when added, another
    // chosen when the selected one goes) are not the platform's: adding
    // keeps the selection as it was, removing the selected item leaves none.
    QAbstractItemModel* m = c->model();
    auto saved = std::make_shared<int>(-1);
    QObject::connect(m, &QAbstractItemModel::rowsAboutToBeInserted, &FSignals, [this, saved](const QModelIndex&, int, int) {
        *saved = Combo()->currentIndex();
        ++FQuiet;
    });
    QObject::connect(m, &QAbstractItemModel::rowsInserted, &FSignals, [this, saved](const QModelIndex&, int, int) {
        if (*saved < 0 && Combo()->currentIndex() >= 0) {
            QString keep = FText;
            Combo()->setCurrentIndex(-1);
            if (Combo()->isEditable()) Combo()->setEditText(keep);
        }
        --FQuiet;
    });
    QObject::connect(m, &QAbstractItemModel::rowsAboutToBeRemoved, &FSignals, [this, saved](const QModelIndex&, int first, int last) {
        int cur = Combo()->currentIndex();
        *saved = cur < first ? cur : cur > last ? cur - (last - first + 1) : -1;
        ++FQuiet;
    });
    QObject::connect(m, &QAbstractItemModel::rowsRemoved, &FSignals, [this, saved](const QModelIndex&, int, int) {
        if (Combo()->currentIndex() != *saved) Combo()->setCurrentIndex(*saved);
        --FQuiet;
    });

    QObject::connect(c, &QComboBox::currentIndexChanged, &FSignals, [this](int) {
        if (FQuiet > 0) return;
        // The user picked another item.
        FText = Combo()->currentText();
        GuardEvent([this] {
            Click();
            Select();
        });
    });
    QObject::connect(c, &QComboBox::currentTextChanged, &FSignals, [this](const QString& s) { FText = s; });
    SetStyle(csDropDown);
}

TCustomComboBox::~TCustomComboBox()
{
    if (auto* w = dynamic_cast<TComboWidget*>(Widget())) w->Control = nullptr;
}

QComboBox* TCustomComboBox::Combo() const
{
    return static_cast<QComboBox*>(Widget());
}

void TCustomComboBox::SetStyle(TComboBoxStyle v)
{
    FStyle = v;
    QComboBox* c = Combo();
    bool editable = v == csDropDown || v == csSimple;
    if (c->isEditable() != editable || (editable && !c->lineEdit())) {
        ++FQuiet;
        QString keep = FText;
        c->setEditable(editable);
        if (editable) {
            QLineEdit* e = c->lineEdit();
            c->setCompleter(nullptr);
            e->setValidator(new TMaxLengthValidator(e));
            static_cast<TMaxLengthValidator*>(const_cast<QValidator*>(e->validator()))->Max = FMaxLength;
            AttachSubWidget(e);
            QObject::connect(e, &QLineEdit::textEdited, &FSignals, [this](const QString& s) {
                FText = s;
                GuardEvent([this] { Change(); });
            });
            if (c->currentIndex() < 0) c->setEditText(keep);
        }
        FText = c->currentText();
        --FQuiet;
    }
    UpdateWantKeys();
}

void TCustomComboBox::UpdateWantKeys()
{
    SetWantKeys(DLGC_WANTCHARS | DLGC_WANTARROWS);
}

int TCustomComboBox::ItemIndex() const
{
    return Combo()->currentIndex();
}

void TCustomComboBox::SetItemIndex(int v)
{
    if (v < 0 || v >= FItems->Count()) v = -1;
    ++FQuiet;
    Combo()->setCurrentIndex(v);
    if (Combo()->isEditable()) Combo()->setEditText(v >= 0 ? FItems->Strings(v) : QString());
    FText = Combo()->currentText();
    --FQuiet;
}

void TCustomComboBox::ShowItemText()
{
    FText = Combo()->currentText();
}

void TCustomComboBox::DoEnter()
{
    FTypeAhead.clear();
    TWinControl::DoEnter();
}

int TCustomComboBox::TypeAheadMatch(const QString& text)
{
    const uint64_t now = GetTickCount64();
    if (now - FTypeAheadTick > uint64_t(QApplication::keyboardInputInterval())) FTypeAhead.clear();
    FTypeAheadTick = now;
    FTypeAhead += text;
    for (int i = 0; i < FItems->Count(); ++i)
        if (FItems->Strings(i).startsWith(FTypeAhead, Qt::CaseInsensitive)) return i;
    return -1;
}

void TCustomComboBox::TextChanged()
{
    ++FQuiet;
    int match = FItems->IndexOf(FText);
    if (Combo()->isEditable()) {
        // The text as given; the item it names (if any) becomes selected.
        QString text = FText;
        Combo()->setCurrentIndex(match);
        Combo()->setEditText(text);
        FText = text;
    } else if (match >= 0) {
        Combo()->setCurrentIndex(match);
        FText = Combo()->currentText();
    } else {
        // A choice list only shows its items: an unknown text changes nothing.
        FText = Combo()->currentText();
    }
    --FQuiet;
}

void TCustomComboBox::SetMaxLength(int v)
{
    FMaxLength = std::max(0, v);
    if (QLineEdit* e = Combo()->lineEdit())
        static_cast<TMaxLengthValidator*>(const_cast<QValidator*>(e->validator()))->Max = FMaxLength;
}

void TCustomComboBox::SetDropDownCount(int v)
{
    FDropDownCount = std::max(1, v);
    Combo()->setMaxVisibleItems(FDropDownCount);
}

bool TCustomComboBox::DroppedDown() const
{
    return Combo()->view() && Combo()->view()->isVisible();
}

void TCustomComboBox::SetDroppedDown(bool v)
{
    if (v)
        Combo()->showPopup();
    else
        Combo()->hidePopup();
}

void TCustomComboBox::Clear()
{
    FItems->Clear();
    ++FQuiet;
    if (Combo()->isEditable()) Combo()->setEditText(QString());
    FText = Combo()->currentText();
    --FQuiet;
}

void TCustomComboBox::Change()
{
    if (OnChange) OnChange(this);
}

void TCustomComboBox::DropDown()
{
    if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp()
{
    if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::Select()
{
    if (OnSelect)
        OnSelect(this);
    else
        Change();
}

// ---------------------------------------------------------------- scroll bar

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner, new QScrollBar(Qt::Horizontal))
{
    SetControlStyle(ControlStyle() & ~unsigned(csClickEvents | csCaptureMouse | csDoubleClicks));
    SetTabStop(true);
    SetBounds(0, 0, 121, GetOsProfile().ScrollBarExtent);
    ShowParams();
    QScrollBar* b = Bar();
    QObject::connect(b, &QAbstractSlider::actionTriggered, &FSignals, [this](int action) {
        if (FQuiet) return;
        int code = -1;
        switch (action) {
        case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
        case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
        case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
        case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
        case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
        case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
        case QAbstractSlider::SliderMove: code = SB_THUMBTRACK; break;
        default: break;
        }
        if (code >= 0) GuardEvent([this, code] { UserAction(code); });
    });
    QObject::connect(b, &QAbstractSlider::sliderReleased, &FSignals, [this] {
        if (FQuiet) return;
        GuardEvent([this] {
            UserAction(SB_THUMBPOSITION);
            UserAction(SB_ENDSCROLL);
        });
    });
}

QScrollBar* TScrollBar::Bar() const { return static_cast<QScrollBar*>(Widget()); }

void TScrollBar::UserAction(int Code)
{
    const int pos = Bar()->sliderPosition();
    const int kept = FPosition;
    if (Parent())
        Parent()->Perform(FKind == sbHorizontal ? WM_HSCROLL : WM_VSCROLL, ScrollWParam(Code, pos),
                          reinterpret_cast<intptr_t>(this));
    // A parent that placed the bar itself keeps its position.
    if (Code == SB_ENDSCROLL || FPosition != kept) return;
    if (pos != FPosition) {
        FPosition = pos;
        if (OnChange) OnChange(this);
    }
}

void TScrollBar::SetKind(TScrollBarKind v)
{
    if (v == FKind) return;
    FKind = v;
    // The bar turns: width and height change places.
    SetBounds(Left(), Top(), Height(), Width());
    ShowParams();
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax)
{
    if (AMax < AMin) AMax = AMin;
    const int top = FPageSize > 0 ? std::max(AMin, AMax - FPageSize + 1) : AMax;
    APosition = std::clamp(APosition, AMin, top);
    const bool changed = APosition != FPosition;
    FMin = AMin;
    FMax = AMax;
    FPosition = APosition;
    ShowParams();
    if (changed && OnChange) OnChange(this);
}

void TScrollBar::SetPageSize(int v)
{
    FPageSize = std::clamp(v, 0, std::max(FMax - FMin + 1, 0));
    SetParams(FPosition, FMin, FMax);
}

void TScrollBar::SetSmallChange(int v)
{
    FSmallChange = std::max(v, 1);
    ShowParams();
}

void TScrollBar::SetLargeChange(int v)
{
    FLargeChange = std::max(v, 1);
    ShowParams();
}

void TScrollBar::PaintTo(TCanvas* Canvas, int X, int Y)
{
    const int w = Width(), h = Height();
    if (!Canvas || w <= 0 || h <= 0) return;
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    Bar()->render(&img, QPoint(0, 0), QRegion(0, 0, w, h), QWidget::DrawWindowBackground);
    Canvas->DrawImage(TRect(X, Y, X + w, Y + h), img, TRect(0, 0, w, h));
}

void TScrollBar::ShowParams()
{
    ++FQuiet;
    QScrollBar* b = Bar();
    b->setOrientation(FKind == sbHorizontal ? Qt::Horizontal : Qt::Vertical);
    // Qt's range ends where the thumb's start can go.
    b->setRange(FMin, FPageSize > 0 ? std::max(FMin, FMax - FPageSize + 1) : FMax);
    b->setPageStep(FPageSize > 0 ? FPageSize : FLargeChange);
    b->setSingleStep(FSmallChange);
    b->setValue(FPosition);
    --FQuiet;
}
