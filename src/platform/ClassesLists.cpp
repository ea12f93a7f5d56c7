#include "ClassesLists.h"

#include <algorithm>
#include <numeric>

namespace {

// The fixed texts of the list errors.
const char* const SListIndexError = "List index out of bounds (%1)";
const char* const SSortedListError = "Operation not allowed on sorted list";
const char* const SDuplicateString = "String list does not allow duplicates";
const char* const SInvalidCollectionItem = "Invalid collection item";

[[noreturn]] void ListError(const char* Msg, int Data)
{
    throw EListError(QString::fromLatin1(Msg).arg(Data));
}

// Characters up to blank separate entries of delimited text (NUL included,
// so that a NUL never stops the reader from moving on).
bool IsBlank(QChar c)
{
    return c.unicode() <= 32;
}

// Updates a string list or collection for the scope, also when it throws.
template <class T>
class UpdateScope {
public:
    explicit UpdateScope(T* t) : FT(t) { FT->BeginUpdate(); }
    ~UpdateScope() { FT->EndUpdate(); }
    UpdateScope(const UpdateScope&) = delete;
    UpdateScope& operator=(const UpdateScope&) = delete;

private:
    T* FT;
};

}  // namespace

int CompareListStrings(const QString& S1, const QString& S2, bool CaseSensitive)
{
    int r = QString::compare(S1, S2, Qt::CaseInsensitive);
    if (r != 0 || !CaseSensitive) return r < 0 ? -1 : (r > 0 ? 1 : 0);
    const qsizetype n = std::min(S1.size(), S2.size());
    for (qsizetype i = 0; i < n; ++i) {
        QChar a = S1[i], b = S2[i];
        if (a == b) continue;
        if (a.isLower() && !b.isLower()) return -1;
        if (!a.isLower() && b.isLower()) return 1;
        return a < b ? -1 : 1;
    }
    return S1.size() < S2.size() ? -1 : (S1.size() > S2.size() ? 1 : 0);
}

// ---------------------------------------------------------------------------
// TList

TList::~TList()
{
    Clear();
}

void TList::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= Count()) ListError(SListIndexError, Index);
}

void* TList::Items(int Index) const
{
    CheckIndex(Index);
    return FList[size_t(Index)];
}

void TList::SetItems(int Index, void* Item)
{
    CheckIndex(Index);
    void* old = FList[size_t(Index)];
    if (old == Item) return;
    FList[size_t(Index)] = Item;
    if (old) Notify(old, TListNotification::lnDeleted);
    if (Item) Notify(Item, TListNotification::lnAdded);
}

int TList::Add(void* Item)
{
    FList.push_back(Item);
    if (Item) Notify(Item, TListNotification::lnAdded);
    return Count() - 1;
}

void TList::Insert(int Index, void* Item)
{
    if (Index < 0 || Index > Count()) ListError(SListIndexError, Index);
    FList.insert(FList.begin() + Index, Item);
    if (Item) Notify(Item, TListNotification::lnAdded);
}

void TList::Delete(int Index)
{
    CheckIndex(Index);
    void* old = FList[size_t(Index)];
    FList.erase(FList.begin() + Index);
    if (old) Notify(old, TListNotification::lnDeleted);
}

int TList::Remove(void* Item)
{
    int i = IndexOf(Item);
    if (i >= 0) Delete(i);
    return i;
}

void* TList::Extract(void* Item)
{
    int i = IndexOf(Item);
    if (i < 0) return nullptr;
    FList.erase(FList.begin() + i);
    if (Item) Notify(Item, TListNotification::lnExtracted);
    return Item;
}

int TList::IndexOf(void* Item) const
{
    auto it = std::find(FList.begin(), FList.end(), Item);
    return it == FList.end() ? -1 : int(it - FList.begin());
}

void TList::Clear()
{
    while (!FList.empty()) Delete(Count() - 1);
}

void TList::Exchange(int Index1, int Index2)
{
    CheckIndex(Index1);
    CheckIndex(Index2);
    std::swap(FList[size_t(Index1)], FList[size_t(Index2)]);
}

void TList::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex) return;
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    void* p = FList[size_t(CurIndex)];
    FList.erase(FList.begin() + CurIndex);
    FList.insert(FList.begin() + NewIndex, p);
}

void TList::Pack()
{
    FList.erase(std::remove(FList.begin(), FList.end(), nullptr), FList.end());
}

void TList::Sort(const std::function<int(void*, void*)>& Compare)
{
    std::stable_sort(FList.begin(), FList.end(),
                     [&](void* a, void* b) { return Compare(a, b) < 0; });
}

void TList::Notify(void*, TListNotification) {}

// ---------------------------------------------------------------------------
// TStrings

void TStrings::Error(const QString& Msg, int Data) const
{
    throw EStringListError(Msg.contains(QLatin1String("%1")) ? Msg.arg(Data) : Msg);
}

int TStrings::Add(const QString& S)
{
    int i = GetCount();
    Insert(i, S);
    return i;
}

int TStrings::AddObject(const QString& S, TObject* AObject)
{
    int i = Add(S);
    PutObject(i, AObject);
    return i;
}

void TStrings::InsertObject(int Index, const QString& S, TObject* AObject)
{
    Insert(Index, S);
    PutObject(Index, AObject);
}

void TStrings::AddStrings(TStrings* Strings)
{
    if (!Strings) return;
    UpdateScope<TStrings> scope(this);
    const int n = Strings->GetCount();
    for (int i = 0; i < n; ++i) AddObject(Strings->Get(i), Strings->GetObject(i));
}

void TStrings::AddStrings(const QStringList& Strings)
{
    UpdateScope<TStrings> scope(this);
    for (const QString& s : Strings) Add(s);
}

void TStrings::Exchange(int Index1, int Index2)
{
    UpdateScope<TStrings> scope(this);
    QString s = Get(Index1);
    TObject* o = GetObject(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, s);
    PutObject(Index2, o);
}

void TStrings::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex) return;
    if (NewIndex < 0 || NewIndex >= GetCount()) Error(QString::fromLatin1(SListIndexError), NewIndex);
    UpdateScope<TStrings> scope(this);
    QString s = Get(CurIndex);
    TObject* o = GetObject(CurIndex);
    Delete(CurIndex);
    InsertObject(NewIndex, s, o);
}

int TStrings::IndexOf(const QString& S) const
{
    const int n = GetCount();
    for (int i = 0; i < n; ++i)
        if (CompareStrings(Get(i), S) == 0) return i;
    return -1;
}

int TStrings::IndexOfName(const QString& Name) const
{
    const int n = GetCount();
    for (int i = 0; i < n; ++i) {
        QString s = Get(i);
        qsizetype p = s.indexOf(FNameValueSeparator);
        if (p >= 0 && CompareStrings(s.left(p), Name) == 0) return i;
    }
    return -1;
}

int TStrings::IndexOfObject(TObject* AObject) const
{
    const int n = GetCount();
    for (int i = 0; i < n; ++i)
        if (GetObject(i) == AObject) return i;
    return -1;
}

bool TStrings::Equals(TStrings* Strings) const
{
    if (!Strings || Strings->GetCount() != GetCount()) return false;
    const int n = GetCount();
    for (int i = 0; i < n; ++i)
        if (Get(i) != Strings->Get(i)) return false;
    return true;
}

QString TStrings::Names(int Index) const
{
    QString s = Get(Index);
    qsizetype p = s.indexOf(FNameValueSeparator);
    return p >= 0 ? s.left(p) : QString();
}

QString TStrings::Values(const QString& Name) const
{
    int i = IndexOfName(Name);
    return i >= 0 ? ValueFromIndex(i) : QString();
}

void TStrings::SetValues(const QString& Name, const QString& Value)
{
    int i = IndexOfName(Name);
    if (!Value.isEmpty()) {
        if (i < 0) i = Add(QString());
        Put(i, Name + FNameValueSeparator + Value);
    } else if (i >= 0) {
        Delete(i);
    }
}

QString TStrings::ValueFromIndex(int Index) const
{
    QString s = Get(Index);
    qsizetype p = s.indexOf(FNameValueSeparator);
    return p >= 0 ? s.mid(p + 1) : QString();
}

void TStrings::SetValueFromIndex(int Index, const QString& Value)
{
    if (!Value.isEmpty()) {
        if (Index < 0) Index = Add(QString());
        Put(Index, Names(Index) + FNameValueSeparator + Value);
    } else if (Index >= 0) {
        Delete(Index);
    }
}

QString TStrings::Text() const
{
    QString r;
    const int n = GetCount();
    for (int i = 0; i < n; ++i) {
        r += Get(i);
        r += QLatin1String("\r\n");
    }
    return r;
}

void TStrings::SetText(const QString& Value)
{
    UpdateScope<TStrings> scope(this);
    Clear();
    const qsizetype n = Value.size();
    qsizetype i = 0;
    while (i < n) {
        qsizetype start = i;
        while (i < n && Value[i] != QLatin1Char('\r') && Value[i] != QLatin1Char('\n')) ++i;
        Add(Value.mid(start, i - start));
        if (i < n && Value[i] == QLatin1Char('\r')) ++i;
        if (i < n && Value[i] == QLatin1Char('\n')) ++i;
    }
}

QString TStrings::Quoted(const QString& S, QChar Quote)
{
    QString r;
    r.reserve(S.size() + 2);
    r += Quote;
    for (QChar c : S) {
        r += c;
        if (c == Quote) r += c;
    }
    r += Quote;
    return r;
}

QString TStrings::BuildDelimited(QChar Delim, QChar Quote, bool Strict) const
{
    const int n = GetCount();
    if (n == 1 && Get(0).isEmpty()) return QString(Quote) + Quote;
    QString r;
    for (int i = 0; i < n; ++i) {
        QString s = Get(i);
        bool quote = std::any_of(s.begin(), s.end(), [&](QChar c) {
            return c == Quote || c == Delim || (!Strict && IsBlank(c));
        });
        if (i > 0) r += Delim;
        r += quote ? Quoted(s, Quote) : s;
    }
    return r;
}

void TStrings::ParseDelimited(const QString& Value, QChar Delim, QChar Quote, bool Strict)
{
    UpdateScope<TStrings> scope(this);
    Clear();
    const qsizetype n = Value.size();
    qsizetype i = 0;
    auto skipBlanks = [&] {
        if (!Strict)
            while (i < n && IsBlank(Value[i])) ++i;
    };
    skipBlanks();
    while (i < n) {
        QString s;
        if (Value[i] == Quote) {
            // A quoted entry ends at the first single quote character; a
            // doubled one stands for itself. A missing end takes the rest.
            ++i;
            while (i < n) {
                if (Value[i] == Quote) {
                    if (i + 1 < n && Value[i + 1] == Quote) {
                        s += Quote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                s += Value[i++];
            }
        } else {
            qsizetype start = i;
            while (i < n && Value[i] != Delim && (Strict || !IsBlank(Value[i]))) ++i;
            s = Value.mid(start, i - start);
        }
        Add(s);
        skipBlanks();
        if (i < n && Value[i] == Delim) {
            ++i;
            // A delimiter at the very end stands before one more, empty entry.
            if (i == n) Add(QString());
            skipBlanks();
        }
    }
}

QString TStrings::DelimitedText() const
{
    return BuildDelimited(FDelimiter, FQuoteChar, FStrictDelimiter);
}

void TStrings::SetDelimitedText(const QString& Value)
{
    ParseDelimited(Value, FDelimiter, FQuoteChar, FStrictDelimiter);
}

QString TStrings::CommaText() const
{
    return BuildDelimited(QLatin1Char(','), QLatin1Char('"'), false);
}

void TStrings::SetCommaText(const QString& Value)
{
    ParseDelimited(Value, QLatin1Char(','), QLatin1Char('"'), false);
}

QStringList TStrings::ToStringList() const
{
    QStringList r;
    const int n = GetCount();
    r.reserve(n);
    for (int i = 0; i < n; ++i) r << Get(i);
    return r;
}

void TStrings::BeginUpdate()
{
    if (FUpdateCount == 0) SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate()
{
    if (FUpdateCount <= 0) return;
    --FUpdateCount;
    if (FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::Assign(TPersistent* Source)
{
    if (auto* src = dynamic_cast<TStrings*>(Source)) {
        if (src == this) return;
        UpdateScope<TStrings> scope(this);
        Clear();
        FDelimiter = src->FDelimiter;
        FQuoteChar = src->FQuoteChar;
        FNameValueSeparator = src->FNameValueSeparator;
        FStrictDelimiter = src->FStrictDelimiter;
        AddStrings(src);
        return;
    }
    TPersistent::Assign(Source);
}

TObject* TStrings::GetObject(int) const
{
    return nullptr;
}

void TStrings::Put(int Index, const QString& S)
{
    UpdateScope<TStrings> scope(this);
    TObject* o = GetObject(Index);
    Delete(Index);
    InsertObject(Index, S, o);
}

void TStrings::PutObject(int, TObject*) {}

void TStrings::SetUpdateState(bool) {}

int TStrings::CompareStrings(const QString& S1, const QString& S2) const
{
    return CompareListStrings(S1, S2, false);
}

// ---------------------------------------------------------------------------
// TStringList

TStringList::~TStringList()
{
    // Nobody is told about the entries going away with the list.
    OnChange = nullptr;
    OnChanging = nullptr;
}

void TStringList::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= int(FList.size())) Error(QString::fromLatin1(SListIndexError), Index);
}

int TStringList::Add(const QString& S)
{
    return AddObject(S, nullptr);
}

int TStringList::AddObject(const QString& S, TObject* AObject)
{
    int index = int(FList.size());
    if (FSorted && Find(S, index)) {
        switch (FDuplicates) {
        case dupIgnore: return index;
        case dupError: Error(QString::fromLatin1(SDuplicateString), 0); break;
        case dupAccept: break;
        }
    }
    InsertItem(index, S, AObject);
    return index;
}

void TStringList::InsertItem(int Index, const QString& S, TObject* AObject)
{
    Changing();
    FList.insert(FList.begin() + Index, TStringItem{S, AObject});
    Changed();
}

void TStringList::Clear()
{
    if (FList.empty()) return;
    Changing();
    FList.clear();
    Changed();
}

void TStringList::Delete(int Index)
{
    CheckIndex(Index);
    Changing();
    FList.erase(FList.begin() + Index);
    Changed();
}

void TStringList::Insert(int Index, const QString& S)
{
    if (FSorted) Error(QString::fromLatin1(SSortedListError), 0);
    if (Index < 0 || Index > int(FList.size())) Error(QString::fromLatin1(SListIndexError), Index);
    InsertItem(Index, S, nullptr);
}

void TStringList::Exchange(int Index1, int Index2)
{
    CheckIndex(Index1);
    CheckIndex(Index2);
    Changing();
    std::swap(FList[size_t(Index1)], FList[size_t(Index2)]);
    Changed();
}

void TStringList::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex) return;
    // Checked before anything moves, so a refused move loses no entry.
    if (FSorted) Error(QString::fromLatin1(SSortedListError), 0);
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    Changing();
    TStringItem item = FList[size_t(CurIndex)];
    FList.erase(FList.begin() + CurIndex);
    FList.insert(FList.begin() + NewIndex, item);
    Changed();
}

int TStringList::IndexOf(const QString& S) const
{
    if (!FSorted) return TStrings::IndexOf(S);
    int i = 0;
    return Find(S, i) ? i : -1;
}

bool TStringList::Find(const QString& S, int& Index) const
{
    int lo = 0, hi = int(FList.size());
    while (lo < hi) {
        int mid = (lo + hi) / 2;
        if (CompareStrings(FList[size_t(mid)].FString, S) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    Index = lo;
    return lo < int(FList.size()) && CompareStrings(FList[size_t(lo)].FString, S) == 0;
}

void TStringList::Sort()
{
    CustomSort([](TStringList* list, int a, int b) {
        return list->CompareStrings(list->FList[size_t(a)].FString, list->FList[size_t(b)].FString);
    });
}

void TStringList::CustomSort(const TStringListSortCompare& Compare)
{
    if (FSorted || FList.size() < 2) return;
    Changing();
    std::vector<int> order(FList.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return Compare(this, a, b) < 0; });
    std::vector<TStringItem> sorted;
    sorted.reserve(FList.size());
    for (int i : order) sorted.push_back(FList[size_t(i)]);
    FList.swap(sorted);
    Changed();
}

void TStringList::SetSorted(bool v)
{
    if (v == FSorted) return;
    if (v) Sort();
    FSorted = v;
}

void TStringList::SetCaseSensitive(bool v)
{
    if (v == FCaseSensitive) return;
    FCaseSensitive = v;
    if (FSorted) {
        FSorted = false;
        Sort();
        FSorted = true;
    }
}

QString TStringList::Get(int Index) const
{
    CheckIndex(Index);
    return FList[size_t(Index)].FString;
}

TObject* TStringList::GetObject(int Index) const
{
    CheckIndex(Index);
    return FList[size_t(Index)].FObject;
}

void TStringList::Put(int Index, const QString& S)
{
    if (FSorted) Error(QString::fromLatin1(SSortedListError), 0);
    CheckIndex(Index);
    Changing();
    FList[size_t(Index)].FString = S;
    Changed();
}

void TStringList::PutObject(int Index, TObject* AObject)
{
    CheckIndex(Index);
    Changing();
    FList[size_t(Index)].FObject = AObject;
    Changed();
}

void TStringList::SetUpdateState(bool Updating)
{
    if (Updating)
        Changing();
    else
        Changed();
}

int TStringList::CompareStrings(const QString& S1, const QString& S2) const
{
    return CompareListStrings(S1, S2, FCaseSensitive);
}

void TStringList::Changed()
{
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing()
{
    if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

// ---------------------------------------------------------------------------
// TCollectionItem

TCollectionItem::TCollectionItem(TCollection* Collection)
{
    SetCollection(Collection);
}

TCollectionItem::~TCollectionItem()
{
    SetCollection(nullptr);
}

void TCollectionItem::SetCollection(TCollection* Value)
{
    if (Value == FCollection) return;
    if (FCollection) FCollection->RemoveItem(this);
    if (Value) Value->InsertItem(this);
}

int TCollectionItem::Index() const
{
    return FCollection ? FCollection->IndexOf(this) : -1;
}

void TCollectionItem::SetIndex(int Value)
{
    int cur = Index();
    if (cur < 0 || cur == Value) return;
    if (Value < 0 || Value >= FCollection->Count()) ListError(SListIndexError, Value);
    auto& items = FCollection->FItems;
    items.erase(items.begin() + cur);
    items.insert(items.begin() + Value, this);
    Changed(true);
}

TPersistent* TCollectionItem::GetOwner()
{
    return FCollection;
}

void TCollectionItem::Changed(bool AllItems)
{
    if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(AllItems ? nullptr : this);
}

// ---------------------------------------------------------------------------
// TCollection

TCollection::TCollection(TCollectionItemFactory ItemClass) : FItemClass(std::move(ItemClass)) {}

TCollection::~TCollection()
{
    // Nothing is updated for the items going away with the collection.
    FUpdateCount = 1;
    Clear();
}

TCollectionItem* TCollection::Add()
{
    TCollectionItem* item = FItemClass ? FItemClass(this) : nullptr;
    if (!item || item->FCollection != this) {
        // An item made outside this collection: never leave it dangling.
        Free(item);
        throw EListError(QString::fromLatin1(SInvalidCollectionItem));
    }
    return item;
}

TCollectionItem* TCollection::Insert(int Index)
{
    if (Index < 0 || Index > Count()) ListError(SListIndexError, Index);
    TCollectionItem* item = Add();
    item->SetIndex(Index);
    return item;
}

void TCollection::Delete(int Index)
{
    TCollectionItem* item = Items(Index);
    Notify(item, TCollectionNotification::cnDeleting);
    Free(item);
}

void TCollection::Clear()
{
    if (FItems.empty()) return;
    UpdateScope<TCollection> scope(this);
    while (!FItems.empty()) Free(FItems.back());
}

TCollectionItem* TCollection::Items(int Index) const
{
    if (Index < 0 || Index >= Count()) ListError(SListIndexError, Index);
    return FItems[size_t(Index)];
}

void TCollection::SetItems(int Index, TCollectionItem* Value)
{
    Items(Index)->Assign(Value);
}

TCollectionItem* TCollection::FindItemID(int ID) const
{
    for (TCollectionItem* item : FItems)
        if (item->FID == ID) return item;
    return nullptr;
}

int TCollection::IndexOf(const TCollectionItem* Item) const
{
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    return it == FItems.end() ? -1 : int(it - FItems.begin());
}

void TCollection::BeginUpdate()
{
    ++FUpdateCount;
}

void TCollection::EndUpdate()
{
    if (FUpdateCount <= 0) return;
    --FUpdateCount;
    Changed();
}

void TCollection::Assign(TPersistent* Source)
{
    if (auto* src = dynamic_cast<TCollection*>(Source)) {
        if (src == this) return;
        UpdateScope<TCollection> scope(this);
        Clear();
        for (int i = 0; i < src->Count(); ++i) Add()->Assign(src->Items(i));
        return;
    }
    TPersistent::Assign(Source);
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::Changed()
{
    if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* Item)
{
    FItems.push_back(Item);
    Item->FCollection = this;
    Item->FID = FNextID++;
    Notify(Item, TCollectionNotification::cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item)
{
    Notify(Item, TCollectionNotification::cnExtracting);
    FItems.erase(std::remove(FItems.begin(), FItems.end(), Item), FItems.end());
    Item->FCollection = nullptr;
    Changed();
}
