#pragma once
// The general-purpose lists of the platform layer: the pointer list TList,
// the string lists TStrings/TStringList (a string with an object per entry)
// and the owned item collections TCollection/TCollectionItem.

#include "Classes.h"
#include "TextEncoding.h"

#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

// ---------------------------------------------------------------------------
// TList: a list of untyped pointers. It owns nothing.

enum class TListNotification { lnAdded, lnExtracted, lnDeleted };

class TList : public TObject {
public:
    DECLARE_CLASSNAME(TList)
    ~TList() override;

    int Count() const { return int(FList.size()); }
    void* Items(int Index) const;
    void SetItems(int Index, void* Item);
    void* operator[](int Index) const { return Items(Index); }

    int Add(void* Item);
    void Insert(int Index, void* Item);
    void Delete(int Index);
    // Deletes the first occurrence; returns its former index, -1 when absent.
    int Remove(void* Item);
    // Takes the first occurrence out without deleting it (lnExtracted).
    void* Extract(void* Item);
    int IndexOf(void* Item) const;
    void Clear();
    void Exchange(int Index1, int Index2);
    void Move(int CurIndex, int NewIndex);
    void* First() const { return Items(0); }
    void* Last() const { return Items(Count() - 1); }
    // Removes every nil entry.
    void Pack();
    // Sorts by Compare (negative, zero, positive); equal entries keep their order.
    void Sort(const std::function<int(void*, void*)>& Compare);

protected:
    virtual void Notify(void* Ptr, TListNotification Action);
    void CheckIndex(int Index) const;

private:
    std::vector<void*> FList;
};

// ---------------------------------------------------------------------------
// TStrings: the abstract string list. Descendants store the strings (a
// string list, the lines of a memo, the items of a combo box); everything
// else is built on Get/Put/GetObject/PutObject/GetCount/Insert/Delete/Clear.

class TStrings : public TPersistent {
public:
    DECLARE_CLASSNAME(TStrings)

    int Count() const { return GetCount(); }
    QString Strings(int Index) const { return Get(Index); }
    void SetStrings(int Index, const QString& S) { Put(Index, S); }
    QString operator[](int Index) const { return Get(Index); }
    TObject* Objects(int Index) const { return GetObject(Index); }
    void SetObjects(int Index, TObject* AObject) { PutObject(Index, AObject); }

    virtual int Add(const QString& S);
    virtual int AddObject(const QString& S, TObject* AObject);
    void InsertObject(int Index, const QString& S, TObject* AObject);
    void AddStrings(TStrings* Strings);
    void AddStrings(const QStringList& Strings);
    virtual void Exchange(int Index1, int Index2);
    virtual void Move(int CurIndex, int NewIndex);
    virtual int IndexOf(const QString& S) const;
    int IndexOfName(const QString& Name) const;
    int IndexOfObject(TObject* AObject) const;
    bool Equals(TStrings* Strings) const;

    // Name=value entries. Names(i) is the text before the first separator
    // ("" when there is none); Values(name) the text after it for the first
    // entry with that name ("" when absent). Writing an empty value deletes
    // the entry; writing to an absent name appends "name=value".
    QString Names(int Index) const;
    QString Values(const QString& Name) const;
    void SetValues(const QString& Name, const QString& Value);
    QString ValueFromIndex(int Index) const;
    void SetValueFromIndex(int Index, const QString& Value);
    QChar NameValueSeparator() const { return FNameValueSeparator; }
    void SetNameValueSeparator(QChar c) { FNameValueSeparator = c; }

    // Every entry followed by CR LF. Writing splits at CR LF, CR or LF; a
    // final line break does not start another entry.
    QString Text() const;
    void SetText(const QString& Value);

    // Entries joined by Delimiter; an entry is wrapped in QuoteChar (inner
    // quote characters doubled) when it holds the quote character, the
    // delimiter or, unless StrictDelimiter, a character up to blank. A list
    // of one empty entry reads as two quote characters. Reading skips blanks
    // around entries and splits at blanks too, unless StrictDelimiter.
    QString DelimitedText() const;
    void SetDelimitedText(const QString& Value);
    QChar Delimiter() const { return FDelimiter; }
    void SetDelimiter(QChar c) { FDelimiter = c; }
    QChar QuoteChar() const { return FQuoteChar; }
    void SetQuoteChar(QChar c) { FQuoteChar = c; }
    bool StrictDelimiter() const { return FStrictDelimiter; }
    void SetStrictDelimiter(bool v) { FStrictDelimiter = v; }
    // DelimitedText with ",", '"' and blanks as separators, whatever the
    // list's own delimiter settings.
    QString CommaText() const;
    void SetCommaText(const QString& Value);

    QStringList ToStringList() const;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // Copies the entries and objects (and the delimiter settings) of
    // another string list; any other source goes to the base.
    void Assign(TPersistent* Source) override;

    virtual void Clear() = 0;
    virtual void Delete(int Index) = 0;
    virtual void Insert(int Index, const QString& S) = 0;

protected:
    virtual QString Get(int Index) const = 0;
    virtual int GetCount() const = 0;
    virtual TObject* GetObject(int Index) const;
    virtual void Put(int Index, const QString& S);
    virtual void PutObject(int Index, TObject* AObject);
    // Called with true when the first BeginUpdate starts and with false
    // when the last EndUpdate ends.
    virtual void SetUpdateState(bool Updating);
    // The comparison of IndexOf and the name lookups: without case here.
    virtual int CompareStrings(const QString& S1, const QString& S2) const;
    void Error(const QString& Msg, int Data) const;

    static QString Quoted(const QString& S, QChar Quote);

private:
    QString BuildDelimited(QChar Delim, QChar Quote, bool Strict) const;
    void ParseDelimited(const QString& Value, QChar Delim, QChar Quote, bool Strict);

    int FUpdateCount = 0;
    QChar FDelimiter = QLatin1Char(',');
    QChar FQuoteChar = QLatin1Char('"');
    QChar FNameValueSeparator = QLatin1Char('=');
    bool FStrictDelimiter = false;
};

// ---------------------------------------------------------------------------
// TStringList: strings with objects in memory, optionally kept sorted.

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
// Compares the entries Index1 and Index2 of List (negative, 0, positive).
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

class TStringList : public TStrings {
public:
    DECLARE_CLASSNAME(TStringList)
    TStringList() = default;
    ~TStringList() override;

    int Add(const QString& S) override;
    int AddObject(const QString& S, TObject* AObject) override;
    void Clear() override;
    void Delete(int Index) override;
    void Insert(int Index, const QString& S) override;
    void Exchange(int Index1, int Index2) override;
    void Move(int CurIndex, int NewIndex) override;
    int IndexOf(const QString& S) const override;

    // Binary search of a sorted list: true when S is present, Index the
    // first entry equal to S or the position where S would be inserted.
    virtual bool Find(const QString& S, int& Index) const;
    virtual void Sort();
    // Sorts with Compare; equal entries keep their order, objects follow
    // their strings. The comparison sees the list as it was before sorting.
    virtual void CustomSort(const TStringListSortCompare& Compare);

    bool Sorted() const { return FSorted; }
    void SetSorted(bool v);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates v) { FDuplicates = v; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool v);

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    // Loading and saving as a text file; the encoding follows a byte-order
    // mark on reading and is remembered for the next save.
    void LoadFromFile(const QString& path);
    void SaveToFile(const QString& path);
    void SaveToFile(const QString& path, TTextEncoding enc);
    std::optional<TTextEncoding> Encoding() const { return FEncoding; }
    void SetEncoding(std::optional<TTextEncoding> v) { FEncoding = v; }

protected:
    QString Get(int Index) const override;
    int GetCount() const override { return int(FList.size()); }
    TObject* GetObject(int Index) const override;
    void Put(int Index, const QString& S) override;
    void PutObject(int Index, TObject* AObject) override;
    void SetUpdateState(bool Updating) override;
    // With or without case, by CaseSensitive.
    int CompareStrings(const QString& S1, const QString& S2) const override;
    virtual void Changed();
    virtual void Changing();
    virtual void InsertItem(int Index, const QString& S, TObject* AObject);

    std::optional<TTextEncoding> FEncoding;

private:
    struct TStringItem {
        QString FString;
        TObject* FObject = nullptr;
    };
    void CheckIndex(int Index) const;

    std::vector<TStringItem> FList;
    bool FSorted = false;
    TDuplicates FDuplicates = dupIgnore;
    bool FCaseSensitive = false;
};

// The order of the string lists: without case, texts compare by their
// case-folded characters; with case, texts equal without case put lower
// case first ("a" < "A" < "b"), as the platform's sorted lists do.
int CompareListStrings(const QString& S1, const QString& S2, bool CaseSensitive);

// ---------------------------------------------------------------------------
// TCollection: a list of items it owns, all made by one item factory (the
// item class). Items join their collection in their constructor and leave
// it in their destructor.

class TCollection;

class TCollectionItem : public TPersistent {
public:
    DECLARE_CLASSNAME(TCollectionItem)
    explicit TCollectionItem(TCollection* Collection);
    ~TCollectionItem() override;

    TCollection* Collection() const { return FCollection; }
    // Moves the item to another collection (nil: takes it out of its own).
    virtual void SetCollection(TCollection* Value);
    int Index() const;
    virtual void SetIndex(int Value);
    int ID() const { return FID; }
    virtual QString DisplayName() const { return ClassName(); }
    TPersistent* GetOwner() override;

protected:
    // Tells the collection that this item (or, with AllItems, the whole
    // collection) changed; nothing while the collection is updating.
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
};

enum class TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

using TCollectionItemFactory = std::function<TCollectionItem*(TCollection*)>;

class TCollection : public TPersistent {
public:
    DECLARE_CLASSNAME(TCollection)
    explicit TCollection(TCollectionItemFactory ItemClass);
    ~TCollection() override;

    // The factory of an item class T (constructor T(TCollection*)).
    template <class T>
    static TCollectionItemFactory ItemClassOf()
    {
        return [](TCollection* c) -> TCollectionItem* { return ::Create<T>(c); };
    }

    TCollectionItem* Add();
    TCollectionItem* Insert(int Index);
    void Delete(int Index);
    void Clear();
    int Count() const { return int(FItems.size()); }
    TCollectionItem* Items(int Index) const;
    // Writing an item assigns Value to the item at Index.
    void SetItems(int Index, TCollectionItem* Value);
    TCollectionItem* FindItemID(int ID) const;
    int IndexOf(const TCollectionItem* Item) const;

    virtual void BeginUpdate();
    virtual void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // From another collection: clears this one and adds one item per item
    // of the source, each assigned from its counterpart.
    void Assign(TPersistent* Source) override;
    TPersistent* GetOwner() override { return nullptr; }
    TPersistent* Owner() { return GetOwner(); }

protected:
    // Called after a change: Item is the changed item, nil for the whole
    // collection. Not called while updating; the last EndUpdate calls it
    // with nil.
    virtual void Update(TCollectionItem* Item);
    virtual void Notify(TCollectionItem* Item, TCollectionNotification Action);
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* Item);

    TCollectionItemFactory FItemClass;
    std::vector<TCollectionItem*> FItems;
    int FUpdateCount = 0;
    int FNextID = 0;
};

// A collection that reports the given object as its owner.
class TOwnedCollection : public TCollection {
public:
    DECLARE_CLASSNAME(TOwnedCollection)
    TOwnedCollection(TPersistent* AOwner, TCollectionItemFactory ItemClass)
        : TCollection(std::move(ItemClass)), FOwner(AOwner) {}
    TPersistent* GetOwner() override { return FOwner; }

private:
    TPersistent* FOwner;
};
