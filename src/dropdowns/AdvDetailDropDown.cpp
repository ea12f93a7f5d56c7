#include "AdvDetailDropDown.h"

#include "AdvDropDownForm.h"
#include "AdvDropDownPaint.h"
#include "AsgHTMLE.h"
#include "ExtCtrls.h"
#include "ImgList.h"
#include "OsProfile.h"

#include <algorithm>

// ---------------------------------------------------------------------------
// The typing completion

namespace {
// The completion around a search: FirstMatch answers the first candidate
// (in list order) that begins with the key, or -1.
std::optional<TDropDownCompletion> DropDownCompleteBy(const std::function<QStringView(int)>& Candidate,
                                                      const QString& Text, int Caret, bool MatchCase,
                                                      const std::function<int(const QString&)>& FirstMatch)
{
    const QString typed = Text.left(std::max(Caret, 0));
    const QString key = CaseKey(typed, MatchCase);
    TDropDownCompletion r;
    const int i = key.isEmpty() ? -1 : FirstMatch(key);
    if (i >= 0) {
        // The whole tail: a cut tail would name no candidate.
        r.Matched = true;
        r.Text = Text.left(key.size()) + Candidate(i).mid(key.size()).toString();
        r.Anchor = int(r.Text.size());
        r.Caret = int(key.size());
        r.ItemIndex = i;
        r.KeyLength = int(key.size());
        return r;
    }
    if (typed.isEmpty()) return std::nullopt;
    r.Text = typed;
    r.Anchor = r.Caret = int(typed.size());
    r.KeyLength = int(typed.size());
    return r;
}
}  // namespace

std::optional<TDropDownCompletion> DropDownComplete(int Count, const std::function<QStringView(int)>& Candidate,
                                                    const QString& Text, int Caret, bool MatchCase)
{
    if (Count <= 0) return std::nullopt;
    const Qt::CaseSensitivity cs = MatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    return DropDownCompleteBy(Candidate, Text, Caret, MatchCase, [&](const QString& key) {
        for (int i = 0; i < Count; ++i)
            if (Candidate(i).startsWith(key, cs)) return i;
        return -1;
    });
}

std::optional<TDropDownCompletion> DropDownComplete(const QStringList& Candidates, const QString& Text, int Caret,
                                                    bool MatchCase)
{
    return DropDownComplete(int(Candidates.size()), [&](int i) { return QStringView(Candidates[i]); }, Text, Caret,
                            MatchCase);
}

void TDropDownCompletionIndex::Clear()
{
    for (Side& s : FSides) s = Side();
}

namespace {
// The compare key of a candidate: a case-insensitive prefix test is a plain
// prefix test of the folded texts.
QString DropDownIndexKey(QStringView Text, bool MatchCase)
{
    return MatchCase ? Text.toString() : Text.toString().toCaseFolded();
}
}  // namespace

void TDropDownCompletionIndex::Build(Side& S, int Count, const std::function<QStringView(int)>& Candidate,
                                     bool MatchCase)
{
    std::vector<std::pair<QString, int>> keyed;
    keyed.reserve(size_t(Count));
    for (int i = 0; i < Count; ++i) keyed.emplace_back(DropDownIndexKey(Candidate(i), MatchCase), i);
    std::sort(keyed.begin(), keyed.end());
    S.Keys.clear();
    S.Keys.reserve(keyed.size());
    S.MinOrder.assign(1, {});
    S.MinOrder[0].reserve(keyed.size());
    for (auto& [key, index] : keyed) {
        S.Keys.push_back(std::move(key));
        S.MinOrder[0].push_back(index);
    }
    for (size_t span = 1; 2 * span <= S.Keys.size(); span *= 2) {
        const std::vector<int>& below = S.MinOrder.back();
        std::vector<int> level(below.size() - span);
        for (size_t i = 0; i < level.size(); ++i) level[i] = std::min(below[i], below[i + span]);
        S.MinOrder.push_back(std::move(level));
    }
    S.Built = true;
}

std::optional<TDropDownCompletion> TDropDownCompletionIndex::Complete(int Count,
                                                                      const std::function<QStringView(int)>& Candidate,
                                                                      const QString& Text, int Caret, bool MatchCase)
{
    if (Count <= 0) return std::nullopt;
    Side& side = FSides[MatchCase ? 1 : 0];
    if (!side.Built || int(side.Keys.size()) != Count) Build(side, Count, Candidate, MatchCase);
    return DropDownCompleteBy(Candidate, Text, Caret, MatchCase, [&side, MatchCase](const QString& key) {
        const QString probe = DropDownIndexKey(key, MatchCase);
        const auto first = std::lower_bound(side.Keys.begin(), side.Keys.end(), probe);
        const auto last = std::partition_point(first, side.Keys.end(),
                                               [&](const QString& k) { return k.startsWith(probe); });
        if (first == last) return -1;
        const size_t lo = size_t(first - side.Keys.begin()), n = size_t(last - first);
        size_t level = 0;
        while ((size_t(2) << level) <= n) ++level;
        const std::vector<int>& m = side.MinOrder[level];
        return std::min(m[lo], m[lo + n - (size_t(1) << level)]);
    });
}

void TDropDownTyping::KeyDown(Word Key)
{
    if (Key == VK_BACK || Key == VK_ESCAPE || Key == VK_DELETE)
        FEnabled = false;
    else if (Key != VK_RETURN)
        FEnabled = true;
}

void TDropDownTyping::Change(TAdvCustomDropDown& Edit, TDropDownCompletionIndex& Index, int Count,
                             const std::function<QStringView(int)>& Candidate, bool MatchCase, int ItemCount,
                             const std::function<void(int)>& SelectDirect)
{
    const QString text = Edit.TControl::Text();
    const auto done = Index.Complete(Count, Candidate, text, Edit.SelStart(), MatchCase);
    if (!done) return;
    const bool matched = done->Matched && done->ItemIndex < ItemCount;
    auto note = [&] {
        if (!matched) return;
        FPending = true;
        FItemIndex = done->ItemIndex;
        FKeyLength = done->KeyLength;
    };
    if (matched) SelectDirect(done->ItemIndex);
    if (FNoteAt == naBeforeWrite) note();
    if (done->Text != text) Edit.SetTextDirect(done->Text);
    Edit.SetSelection(done->Anchor, done->Caret);
    if (FNoteAt == naAfterWrite) note();
}

void TDropDownTyping::KeyUp(TAdvCustomDropDown& Edit, const std::function<void(int)>& Select)
{
    if (!FPending) return;
    Select(FItemIndex);
    Edit.SetSelection(FKeyLength, int(Edit.TControl::Text().size()));
    FPending = false;
}

// ---------------------------------------------------------------------------
// Items

TDetailItem::TDetailItem(TCollection* Collection)
    : TCollectionItem(Collection), FImage(std::make_unique<TPicture>())
{
}

TDetailItem::~TDetailItem() = default;

void TDetailItem::SetCaption(const QString& v)
{
    if (v == FCaption) return;
    FCaption = v;
    Changed(false);
}

void TDetailItem::SetImageIndex(int v)
{
    if (v == FImageIndex) return;
    FImageIndex = v;
    Changed(false);
}

void TDetailItem::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TDetailItem*>(Source);
    if (!s) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetCaption(s->FCaption);
    SetImageIndex(s->FImageIndex);
    FImage->Assign(s->FImage.get());
    FNotes = s->FNotes;
    FTag = s->FTag;
    FItemObject = s->FItemObject;
}

TDetailItems::TDetailItems(TPersistent* AOwner)
    : TCollection(ItemClassOf<TDetailItem>()), FOwner(AOwner)
{
}

int TDetailItems::IndexOf(const QString& Text) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Caption() == Text) return i;
    return -1;
}

QStringList TDetailItems::Captions() const
{
    QStringList l;
    l.reserve(Count());
    for (int i = 0; i < Count(); ++i) l << Items(i)->Caption();
    return l;
}

void TDetailItems::Update(TCollectionItem*)
{
    FCompletionIndex.Clear();
    if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------
// The drop-down

TAdvDetailDropDown::TAdvDetailDropDown(TComponent* AOwner)
    : TAdvCustomDropDown(AOwner), FItems(std::make_unique<TDetailItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this))
{
}

TAdvDetailDropDown::~TAdvDetailDropDown()
{
    if (FKeyTimer) FKeyTimer->SetEnabled(false);
}

void TAdvDetailDropDown::InitializeEditor()
{
    TAdvCustomDropDown::InitializeEditor();
    SetEditorEnabled(true);
    SetDropDownEnabled(true);
    FKeyTimer = NewKeyTimer([this] { KeyTimerTick(); });
    FCaptionFont = std::make_unique<TFont>();
    FCaptionFont->Assign(Font());
    FNotesFont = std::make_unique<TFont>();
    FNotesFont->Assign(Font());
}

void TAdvDetailDropDown::KeyTimerTick()
{
    FKeyTimer->SetEnabled(false);
    FLookup.clear();
}

// ---- choosing

void TAdvDetailDropDown::SetItemIndex(int V)
{
    if (V != FItemIndex && V >= 0 && V < FItems->Count()) {
        FItemIndex = V;
        const QString caption = FItems->Items(V)->Caption();
        SetTextDirect(caption);
        SetSelection(0, int(caption.size()));
        Invalidate();
        if (FItemSelector) FItemSelector->Invalidate();
        if (OnSelect) OnSelect(this);
    } else if (V == -1 && FItemIndex != -1) {
        SetTextDirect(QString());
        FItemIndex = -1;
    }
}

void TAdvDetailDropDown::SelectFirst()
{
    if (FItems->Count() > 0) SetItemIndex(0);
}

void TAdvDetailDropDown::SelectLast()
{
    if (FItems->Count() > 0) SetItemIndex(FItems->Count() - 1);
}

void TAdvDetailDropDown::SelectNext()
{
    if (FItems->Count() == 0) return;
    const int next = FItemIndex < 0 ? 0 : FItemIndex + 1;
    if (next < FItems->Count()) SetItemIndex(next);
}

void TAdvDetailDropDown::SelectPrevious()
{
    if (FItems->Count() == 0) return;
    const int prev = FItemIndex < 0 ? 0 : FItemIndex - 1;
    if (prev >= 0) SetItemIndex(prev);
}

// ---- the pop-up

void TAdvDetailDropDown::CreateDropDownForm()
{
    TAdvCustomDropDown::CreateDropDownForm();
    TDropDownForm* form = DropDownForm();
    if (!form) return;
    if (!FItemSelector) {
        FItemSelector = new TAdvCustomItemSelector(this);
        FItemSelector->SetParent(form);
        FItemSelector->SetSelectorType(stImage);
        FItemSelector->SetBounds(0, 0, FItemSelector->Width(), 150);
        FItemSelector->OnDrawItem = [this](TObject*, TCanvas* c, TRect r, int i) { DrawSelectorItem(c, r, i); };
        FItemSelector->OnItemSize = [this](TObject*, TSize& s) { SelectorItemSize(s); };
        FItemSelector->OnResize = [this](TObject*) {
            if (FItemSelector) FItemSelector->UpdateSelectorPanel();
        };
    }
    FItemSelector->SetColor(DropDownColor());
    FItemSelector->UpdateSelectorPanel();
    SetControl(FItemSelector);
}

void TAdvDetailDropDown::FillSelector()
{
    if (!FItemSelector) return;
    FItemSelector->OnItemSelect = nullptr;
    FItemSelector->SetColumns(1);
    FItemSelector->SetImages(Images());
    FItemSelector->SetItemLayout(FLayout);
    FItemSelector->SetColor(DropDownColor());
    FItemSelector->ItemAppearance()->Assign(FItemAppearance.get());
    FItemSelector->Items()->Clear();
    for (int i = 0; i < FItems->Count(); ++i) {
        TDetailItem* d = FItems->Items(i);
        TSelectorItem* item = FItemSelector->Items()->Add();
        item->SetCaption(d->Caption());
        item->SetImage(d->Image());
        item->SetImageIndex(d->ImageIndex());
    }
    FItemSelector->UpdateSelectorPanel();
    FItemSelector->SetItemIndex(FItemIndex);
    FItemSelector->OnItemSelect = [this](TObject* s) { SelectorItemSelected(s); };
}

void TAdvDetailDropDown::BeforeDropDown()
{
    TAdvCustomDropDown::BeforeDropDown();
    FillSelector();
    FOldItemIndex = FItemIndex;
}

void TAdvDetailDropDown::DoShowDropDown()
{
    TAdvCustomDropDown::DoShowDropDown();
    if (!FItemSelector) return;
    // The item width follows the pop-up, whose size is final only now.
    FItemSelector->UpdateSelectorPanel();
    if (FItemSelector->CanFocus()) FItemSelector->SetFocus();
}

void TAdvDetailDropDown::UpdateDropDownSize()
{
    if (FItemSelector) {
        FItemSelector->SetAlign(alNone);
        if (DropDownWidth() <= 0) FItemSelector->SetWidth(Width());
        if (DropDownHeight() <= 0) FItemSelector->SetHeight(100);
    }
    TAdvCustomDropDown::UpdateDropDownSize();
}

void TAdvDetailDropDown::DoHideDropDown(bool Cancel)
{
    TAdvCustomDropDown::DoHideDropDown(Cancel);
    if (Cancel && FOldItemIndex != -1) SetItemIndex(FOldItemIndex);
}

void TAdvDetailDropDown::DropDownFormSizing(TObject* Sender)
{
    TAdvCustomDropDown::DropDownFormSizing(Sender);
    if (FItemSelector) FItemSelector->UpdateSelectorPanel();
}

void TAdvDetailDropDown::DropDownFormDestroyed()
{
    TAdvCustomDropDown::DropDownFormDestroyed();
    if (!HasState(csDestroying)) FItemSelector = nullptr;
}

void TAdvDetailDropDown::SelectorItemSelected(TObject*)
{
    if (!FItemSelector) return;
    const int i = FItemSelector->ItemIndex();
    if (i < 0 || i >= FItems->Count()) return;
    SetItemIndex(i);
    const QString caption = FItems->Items(i)->Caption();
    if (TControl::Text() != caption) SetTextDirect(caption);
    SetSelection(0, int(caption.size()));
    if (!FInternalCall) DoHideDropDown(false);
}

void TAdvDetailDropDown::SelectorItemSize(TSize& ASize)
{
    // One system border on each side and the selector's own margins.
    constexpr int BorderWidth = 1;
    const int outer = DropDownWidth() > 0 ? DropDownWidth() : (DropDownForm() ? DropDownForm()->Width() : Width());
    int w = outer - 2 * BorderWidth - 4;
    if (FItemSelector && FItemSelector->VertScrollBar()->IsScrollBarVisible()) w -= GetOsProfile().ScrollBarExtent;
    ASize = TSize(w, FItemHeight);
}

void TAdvDetailDropDown::DrawSelectorItem(TCanvas* Canvas, TRect R, int Index)
{
    if (OnDrawSelectedImage) {
        OnDrawSelectedImage(this, Canvas, R);
        return;
    }
    if (Index < 0 || Index >= FItems->Count() || !Canvas) return;
    TDetailItem* item = FItems->Items(Index);
    TGraphic* picture = item->Image()->Graphic();
    const bool hasPicture = picture && !picture->Empty();
    const bool hasCaption = !item->Caption().isEmpty();
    auto pictureX = [&](int w) { return hasCaption ? R.Left + 2 : R.Left + (R.Width() - w) / 2; };
    if (!hasPicture && Images() && item->ImageIndex() >= 0) {
        const int w = Images()->Width(), h = Images()->Height();
        Images()->Draw(Canvas, pictureX(w), R.Top + (R.Height() - h) / 2, item->ImageIndex(), true);
        R.Left += w + 4;
    } else if (hasPicture) {
        const int w = picture->Width(), h = picture->Height();
        if (auto* bmp = dynamic_cast<TBitmap*>(picture)) bmp->SetTransparent(true);
        Canvas->Draw(pictureX(w), R.Top + (R.Height() - h) / 2, picture);
        R.Left += w + 4;
    }
    const bool hot = FItemSelector && FItemSelector->ItemHot() == Index;
    auto itemColour = [&](TFont* f) {
        if (hot) f->SetColor(FItemAppearance->ColorHotText());
        if (Index == FItemIndex) f->SetColor(FItemAppearance->ColorSelectedText());
    };
    Canvas->SetFont(FCaptionFont.get());
    itemColour(Canvas->Font());
    Canvas->Brush()->SetStyle(bsClear);
    R.Left += 4;
    R.Right -= 4;
    R.Top += 2;
    Canvas->DrawText(item->Caption(), R, DT_END_ELLIPSIS);
    if (item->Notes().isEmpty()) return;
    R.Top += Canvas->TextHeight(QStringLiteral("gh"));
    Canvas->SetFont(FNotesFont.get());
    itemColour(Canvas->Font());
    THTMLDrawArgs args;
    args.ImageList = Images();
    args.Window = FItemSelector;
    THTMLDrawResult result;
    DrawHTMLText(Canvas, item->Notes(), R, args, result);
}

// ---- styles

void TAdvDetailDropDown::SetSelectionColorStyle(TSelectionColorStyle Style)
{
    TAdvCustomDropDown::SetSelectionColorStyle(Style);
    if (FItemSelector) FItemSelector->ItemAppearance()->SetColorStyle(Style);
}

void TAdvDetailDropDown::SetComponentStyle(TVisualStyle AStyle)
{
    TAdvCustomDropDown::SetComponentStyle(AStyle);
    // The item appearance does not exist yet while the base styles itself.
    if (FItemAppearance) SetItemAppearanceStyle(FItemAppearance.get(), AStyle);
}

// ---- typing

void TAdvDetailDropDown::HandleChange()
{
    FCompletion.Forget();
    TAdvCustomDropDown::HandleChange();
    if (HasState(csDesigning) || !FCompletion.Enabled() || !FItems) return;
    SetIsModified(!TControl::Text().isEmpty());
    TDetailItems* items = FItems.get();
    FCompletion.Change(
        *this, items->CompletionIndex(), items->Count(),
        [items](int i) { return QStringView(items->Items(i)->Caption()); }, FMatchCase, items->Count(),
        [this](int i) { SetItemIndexDirect(i); });
}

void TAdvDetailDropDown::HandleKeyDown(Word& Key, TShiftState Shift)
{
    if (FItems->Count() == 0) {
        TAdvCustomDropDown::HandleKeyDown(Key, Shift);
        return;
    }
    const Word key = Key;
    FCompletion.KeyDown(key);
    if (key == VK_RETURN) {
        const int i = FItems->IndexOf(TControl::Text());
        if (i >= 0) {
            SetTextDirect(FItems->Items(i)->Caption());
            SetItemIndex(i);
            HandleChange();
        }
    }
    TAdvCustomDropDown::HandleKeyDown(Key, Shift);
    if (key == VK_ESCAPE) {
        const int i = FItems->IndexOf(TControl::Text());
        if (i >= 0) SetItemIndex(i);
    }
}

void TAdvDetailDropDown::HandleKeyUp(Word& Key, TShiftState Shift)
{
    TAdvCustomDropDown::HandleKeyUp(Key, Shift);
    FCompletion.KeyUp(*this, [this](int i) {
        if (i < FItems->Count()) SetItemIndexDirect(i);
    });
}

// ---- keys and wheel

void TAdvDetailDropDown::SelectInList(int I)
{
    if (!FItemSelector || I < 0 || I >= FItemSelector->Items()->Count()) return;
    FInternalCall = true;
    FItemSelector->SetItemIndex(I);
    FInternalCall = false;
    FItemSelector->ScrollItemInView(I);
}

void TAdvDetailDropDown::KeyDownMessage(TMessage& Message)
{
    const Word key = Word(Message.WParam);
    const bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
    const bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const bool open = DroppedDown() && FItemSelector;
    if (Enabled() && !alt) {
        const int index = FItemSelector ? FItemSelector->ItemIndex() : -1;
        switch (key) {
        case VK_PRIOR:
        case VK_NEXT: {
            if (!FItemSelector) break;
            if (FItemSelector->Items()->Count() != FItems->Count()) FillSelector();
            const int n = FItemSelector->GetVisibleItemCount();
            if (n < 1) break;
            int target = key == VK_PRIOR ? FItemSelector->ItemIndex() - n : FItemSelector->ItemIndex() + n;
            if (key == VK_PRIOR && target < 1) target = 0;
            if (key == VK_NEXT) target = std::min(target, FItems->Count() - 1);
            SelectInList(target);
            break;
        }
        case VK_END:
        case VK_HOME:
            if (open) {
                FInternalCall = true;
                key == VK_END ? FItemSelector->SelectLast() : FItemSelector->SelectFirst();
                FInternalCall = false;
            } else if (!EditorEnabled()) {
                key == VK_END ? SelectLast() : SelectFirst();
            }
            break;
        case VK_LEFT:
        case VK_RIGHT:
            if (!EditorEnabled() && open) {
                FInternalCall = true;
                key == VK_LEFT ? FItemSelector->SelectPrevious() : FItemSelector->SelectNext();
                FInternalCall = false;
            }
            break;
        case VK_UP:
            if (open)
                SelectInList(index < 0 ? 0 : index - 1);
            else
                SelectPrevious();
            Invalidate();
            break;
        case VK_DOWN:
            if (open)
                SelectInList(index < 0 ? 0 : index + 1);
            else
                SelectNext();
            Invalidate();
            break;
        default: {
            // Type-ahead in the list: letters, digits and the space bar read
            // as themselves. While the user types into a closed edit the
            // completion has the text; the list search would overwrite it.
            const bool typed = (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z') || key == VK_SPACE;
            if (ctrl || !typed || !FItemSelector || (!open && EditorEnabled())) break;
            FLookup += QChar(char16_t(key));
            FInternalCall = true;
            FItemSelector->LookupItem(FLookup);
            FInternalCall = false;
            FKeyTimer->SetEnabled(true);
            break;
        }
        }
        const bool navigation = key == VK_PRIOR || key == VK_NEXT || key == VK_UP || key == VK_DOWN ||
                                key == VK_LEFT || key == VK_RIGHT;
        if (open && navigation) {
            Message.Result = 1;
            return;
        }
    }
    TAdvCustomDropDown::KeyDownMessage(Message);
}

void TAdvDetailDropDown::DoWheelDown()
{
    TAdvCustomDropDown::DoWheelDown();
    if (!DroppedDown() || !FItemSelector) {
        SelectNext();
    } else {
        const int i = FItemSelector->ItemIndex();
        SelectInList(i < 0 ? 0 : i + 1);
    }
    Invalidate();
}

void TAdvDetailDropDown::DoWheelUp()
{
    TAdvCustomDropDown::DoWheelUp();
    if (!DroppedDown() || !FItemSelector) {
        SelectPrevious();
    } else {
        const int i = FItemSelector->ItemIndex();
        SelectInList(i < 0 ? 0 : i - 1);
    }
    Invalidate();
}
