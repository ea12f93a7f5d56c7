#include "ClassesLists.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

QStringList Lines(const TStrings& s)
{
    return s.ToStringList();
}

struct TextCase {
    const char* text;
    QStringList items;
};

}  // namespace

TEST(StringList, CommaTextReading)
{
    const TextCase cases[] = {
        {"", {}},
        {"a,b,c", {"a", "b", "c"}},
        {"4, 5,6", {"4", "5", "6"}},
        {"  a , b ", {"a", "b"}},
        {"a b", {"a", "b"}},
        {"\"a b\",c", {"a b", "c"}},
        {"\"a\"\"b\"", {"a\"b"}},
        {"\"a,b\"", {"a,b"}},
        {"a,,b", {"a", "", "b"}},
        {"a,", {"a", ""}},
        {",a", {"", "a"}},
        {",", {"", ""}},
        {"\"\"", {""}},
        {"\"abc", {"abc"}},
        {"\"a\"b,c", {"a", "b", "c"}},
        {"a\"b", {"a\"b"}},
        {"\"x\ty\"\t,\tz", {"x\ty", "z"}},
    };
    TStringList sl;
    for (const auto& c : cases) {
        sl.SetCommaText(QString::fromUtf8(c.text));
        EXPECT_EQ(Lines(sl), c.items) << c.text;
    }
}

TEST(StringList, CommaTextWritingRoundTrips)
{
    const TextCase cases[] = {
        {"", {}},
        {"\"\"", {""}},
        {"a,b", {"a", "b"}},
        {"\"a b\"", {"a b"}},
        {"\"a\"\"b\"", {"a\"b"}},
        {"\"a,b\",c", {"a,b", "c"}},
        {"a,,b", {"a", "", "b"}},
        {",", {"", ""}},
        {"\"x\ty\"", {"x\ty"}},
        {"\"line\r\nbreak\"", {"line\r\nbreak"}},
    };
    TStringList sl;
    TStringList back;
    for (const auto& c : cases) {
        sl.Clear();
        sl.AddStrings(c.items);
        EXPECT_EQ(sl.CommaText(), QString::fromUtf8(c.text)) << c.text;
        back.SetCommaText(sl.CommaText());
        EXPECT_EQ(Lines(back), c.items) << c.text;
    }
}

TEST(StringList, CommaTextIgnoresTheListsDelimiterSettings)
{
    TStringList sl;
    sl.SetDelimiter(QLatin1Char(';'));
    sl.SetQuoteChar(QLatin1Char('\''));
    sl.SetStrictDelimiter(true);
    sl.SetCommaText(QStringLiteral("a b;c,'d'"));
    EXPECT_EQ(Lines(sl), QStringList({"a", "b;c", "'d'"}));
    EXPECT_EQ(sl.CommaText(), QStringLiteral("a,b;c,'d'"));
}

TEST(StringList, DelimitedText)
{
    TStringList sl;
    sl.SetDelimiter(QLatin1Char(';'));
    // Not strict: blanks separate too and get entries quoted.
    sl.SetDelimitedText(QStringLiteral("a b;c;\"d;e\""));
    EXPECT_EQ(Lines(sl), QStringList({"a", "b", "c", "d;e"}));
    sl.Clear();
    sl.AddStrings(QStringList({"a b", "c;d", "e"}));
    EXPECT_EQ(sl.DelimitedText(), QStringLiteral("\"a b\";\"c;d\";e"));

    // Strict: only the delimiter separates; blanks stay and need no quotes.
    sl.SetStrictDelimiter(true);
    sl.SetDelimitedText(QStringLiteral(" a b ; c;"));
    EXPECT_EQ(Lines(sl), QStringList({" a b ", " c", ""}));
    EXPECT_EQ(sl.DelimitedText(), QStringLiteral(" a b ; c;"));

    sl.SetQuoteChar(QLatin1Char('\''));
    sl.Clear();
    sl.AddStrings(QStringList({"it's", "x;y"}));
    EXPECT_EQ(sl.DelimitedText(), QStringLiteral("'it''s';'x;y'"));
    TStringList back;
    back.SetDelimiter(QLatin1Char(';'));
    back.SetQuoteChar(QLatin1Char('\''));
    back.SetStrictDelimiter(true);
    back.SetDelimitedText(sl.DelimitedText());
    EXPECT_EQ(Lines(back), QStringList({"it's", "x;y"}));
}

TEST(StringList, TextUsesCrLf)
{
    TStringList sl;
    sl.AddStrings(QStringList({"a", "", "b"}));
    EXPECT_EQ(sl.Text(), QStringLiteral("a\r\n\r\nb\r\n"));

    const TextCase cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\r\n", {""}},
        {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"a\n\rb", {"a", "", "b"}},
    };
    for (const auto& c : cases) {
        sl.SetText(QString::fromUtf8(c.text));
        EXPECT_EQ(Lines(sl), c.items) << c.text;
    }
}

TEST(StringList, SortedListKeepsOrderAndObjectsFollow)
{
    TObject a, b, c;
    TStringList sl;
    sl.AddObject(QStringLiteral("pear"), &a);
    sl.AddObject(QStringLiteral("Apple"), &b);
    sl.AddObject(QStringLiteral("fig"), &c);
    sl.SetSorted(true);
    EXPECT_EQ(Lines(sl), QStringList({"Apple", "fig", "pear"}));
    EXPECT_EQ(sl.Objects(0), &b);
    EXPECT_EQ(sl.Objects(1), &c);
    EXPECT_EQ(sl.Objects(2), &a);

    // New entries go to their place; Find gives the insertion point.
    EXPECT_EQ(sl.Add(QStringLiteral("banana")), 1);
    int idx = -1;
    EXPECT_FALSE(sl.Find(QStringLiteral("cherry"), idx));
    EXPECT_EQ(idx, 2);
    EXPECT_TRUE(sl.Find(QStringLiteral("PEAR"), idx));
    EXPECT_EQ(idx, 3);
    EXPECT_EQ(sl.IndexOf(QStringLiteral("APPLE")), 0);
    EXPECT_EQ(sl.IndexOf(QStringLiteral("kiwi")), -1);

    // Positional writes would break the order.
    EXPECT_THROW(sl.Insert(0, QStringLiteral("x")), EStringListError);
    EXPECT_THROW(sl.SetStrings(0, QStringLiteral("x")), EStringListError);
    EXPECT_THROW(sl.Move(0, 2), EStringListError);
    EXPECT_EQ(sl.Count(), 4);
    EXPECT_EQ(sl.Strings(0), QStringLiteral("Apple"));
}

TEST(StringList, DuplicatesOfASortedList)
{
    TStringList sl;
    sl.SetSorted(true);
    sl.Add(QStringLiteral("a"));
    sl.Add(QStringLiteral("b"));

    sl.SetDuplicates(dupIgnore);
    EXPECT_EQ(sl.Add(QStringLiteral("B")), 1);
    EXPECT_EQ(Lines(sl), QStringList({"a", "b"}));

    sl.SetDuplicates(dupError);
    EXPECT_THROW(sl.Add(QStringLiteral("A")), EStringListError);
    EXPECT_EQ(sl.Count(), 2);

    sl.SetDuplicates(dupAccept);
    sl.Add(QStringLiteral("A"));
    EXPECT_EQ(sl.Count(), 3);
    EXPECT_EQ(sl.IndexOf(QStringLiteral("a")), 0);

    // An unsorted list takes every entry.
    TStringList plain;
    plain.SetDuplicates(dupError);
    plain.Add(QStringLiteral("a"));
    plain.Add(QStringLiteral("a"));
    EXPECT_EQ(plain.Count(), 2);
}

TEST(StringList, CaseSensitivity)
{
    TStringList sl;
    sl.AddStrings(QStringList({"b", "B", "a", "A"}));
    EXPECT_EQ(sl.IndexOf(QStringLiteral("A")), 2);
    sl.SetCaseSensitive(true);
    EXPECT_EQ(sl.IndexOf(QStringLiteral("A")), 3);
    sl.SetSorted(true);
    EXPECT_EQ(Lines(sl), QStringList({"a", "A", "b", "B"}));
    EXPECT_EQ(sl.IndexOf(QStringLiteral("B")), 3);

    // Switching the case rule re-sorts a sorted list.
    TStringList words;
    words.SetSorted(true);
    words.SetDuplicates(dupAccept);
    words.AddStrings(QStringList({"Bb", "ab", "BA"}));
    EXPECT_EQ(Lines(words), QStringList({"ab", "BA", "Bb"}));
    words.SetCaseSensitive(true);
    EXPECT_EQ(Lines(words), QStringList({"ab", "BA", "Bb"}));
    EXPECT_EQ(words.IndexOf(QStringLiteral("ba")), -1);
}

TEST(StringList, NamesAndValues)
{
    TStringList sl;
    sl.AddStrings(QStringList({"Port=502", "host=a=b", "plain", "=empty"}));
    EXPECT_EQ(sl.Names(0), QStringLiteral("Port"));
    EXPECT_EQ(sl.Names(2), QString());
    EXPECT_EQ(sl.Values(QStringLiteral("HOST")), QStringLiteral("a=b"));
    EXPECT_EQ(sl.Values(QStringLiteral("plain")), QString());
    EXPECT_EQ(sl.ValueFromIndex(2), QString());
    EXPECT_EQ(sl.ValueFromIndex(3), QStringLiteral("empty"));
    EXPECT_EQ(sl.IndexOfName(QStringLiteral("port")), 0);
    EXPECT_EQ(sl.IndexOfName(QStringLiteral("plain")), -1);

    sl.SetValues(QStringLiteral("port"), QStringLiteral("102"));
    EXPECT_EQ(sl.Strings(0), QStringLiteral("port=102"));
    sl.SetValues(QStringLiteral("new"), QStringLiteral("1"));
    EXPECT_EQ(sl.Strings(4), QStringLiteral("new=1"));
    sl.SetValues(QStringLiteral("HOST"), QString());
    EXPECT_EQ(sl.IndexOfName(QStringLiteral("host")), -1);
    EXPECT_EQ(sl.Count(), 4);
    sl.SetValueFromIndex(0, QStringLiteral("7"));
    EXPECT_EQ(sl.Strings(0), QStringLiteral("port=7"));
}

TEST(StringList, EditingKeepsObjectsWithTheirStrings)
{
    TObject o1, o2, o3;
    TStringList sl;
    sl.AddObject(QStringLiteral("one"), &o1);
    sl.AddObject(QStringLiteral("two"), &o2);
    sl.InsertObject(0, QStringLiteral("zero"), &o3);
    EXPECT_EQ(Lines(sl), QStringList({"zero", "one", "two"}));
    sl.Exchange(0, 2);
    EXPECT_EQ(Lines(sl), QStringList({"two", "one", "zero"}));
    EXPECT_EQ(sl.Objects(0), &o2);
    sl.Move(0, 2);
    EXPECT_EQ(Lines(sl), QStringList({"one", "zero", "two"}));
    EXPECT_EQ(sl.Objects(2), &o2);
    EXPECT_EQ(sl.IndexOfObject(&o3), 1);
    sl.Delete(1);
    EXPECT_EQ(sl.IndexOfObject(&o3), -1);
    sl.SetStrings(0, QStringLiteral("uno"));
    EXPECT_EQ(sl.Objects(0), &o1);

    EXPECT_THROW(sl.Strings(2), EStringListError);
    EXPECT_THROW(sl.Delete(-1), EStringListError);
    EXPECT_THROW(sl.Insert(3, QString()), EStringListError);
    EXPECT_THROW(sl.Exchange(0, 5), EStringListError);
}

TEST(StringList, CustomSortIsStableAndSeesTheUnsortedList)
{
    TStringList sl;
    sl.AddStrings(QStringList({"ccc", "a", "bb", "d", "ee"}));
    sl.CustomSort([](TStringList* list, int i, int j) {
        return int(list->Strings(j).size() - list->Strings(i).size());
    });
    EXPECT_EQ(Lines(sl), QStringList({"ccc", "bb", "ee", "a", "d"}));
    sl.Sort();
    EXPECT_EQ(Lines(sl), QStringList({"a", "bb", "ccc", "d", "ee"}));
}

TEST(StringList, ChangeNotificationsAndUpdates)
{
    TStringList sl;
    int changing = 0, changed = 0;
    sl.OnChanging = [&](TObject* s) { EXPECT_EQ(s, &sl); ++changing; };
    sl.OnChange = [&](TObject* s) { EXPECT_EQ(s, &sl); ++changed; };
    sl.Add(QStringLiteral("a"));
    EXPECT_EQ(changing, 1);
    EXPECT_EQ(changed, 1);

    sl.BeginUpdate();
    sl.Add(QStringLiteral("b"));
    sl.BeginUpdate();
    sl.Delete(0);
    sl.EndUpdate();
    EXPECT_EQ(changed, 1);
    sl.EndUpdate();
    EXPECT_EQ(changing, 2);
    EXPECT_EQ(changed, 2);

    // Text and comma text replace the content in one change.
    sl.SetCommaText(QStringLiteral("x,y,z"));
    EXPECT_EQ(changed, 3);
    sl.SetText(QStringLiteral("p\r\nq"));
    EXPECT_EQ(changed, 4);
    sl.Clear();
    sl.Clear();
    EXPECT_EQ(changed, 5);
}

TEST(StringList, AssignCopiesEntriesObjectsAndDelimiters)
{
    TObject o;
    TStringList src;
    src.AddObject(QStringLiteral("b"), &o);
    src.Add(QStringLiteral("a"));
    src.SetDelimiter(QLatin1Char(';'));
    src.SetStrictDelimiter(true);

    TStringList dst;
    dst.SetSorted(true);
    dst.Add(QStringLiteral("old"));
    dst.Assign(&src);
    EXPECT_EQ(Lines(dst), QStringList({"a", "b"}));  // the target stays sorted
    EXPECT_EQ(dst.Objects(1), &o);
    EXPECT_EQ(dst.Delimiter(), QLatin1Char(';'));
    EXPECT_TRUE(dst.StrictDelimiter());
    EXPECT_TRUE(dst.Sorted());

    dst.Assign(&dst);
    EXPECT_EQ(dst.Count(), 2);
    EXPECT_TRUE(dst.Equals(&dst));
    EXPECT_FALSE(dst.Equals(&src));

    TPersistent other;
    EXPECT_THROW(dst.Assign(&other), EConvertError);
    EXPECT_THROW(dst.Assign(nullptr), EConvertError);

    dst.AddStrings(&dst);
    EXPECT_EQ(dst.Count(), 2);  // sorted, duplicates ignored
}

TEST(List, PointerList)
{
    int a = 1, b = 2, c = 3;
    TList list;
    list.Add(&a);
    list.Add(nullptr);
    list.Add(&b);
    list.Insert(0, &c);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.IndexOf(&b), 3);
    list.Pack();
    EXPECT_EQ(list.Count(), 3);
    list.Sort([](void* x, void* y) { return *static_cast<int*>(x) - *static_cast<int*>(y); });
    EXPECT_EQ(list.First(), &a);
    EXPECT_EQ(list.Last(), &c);
    list.Move(0, 2);
    EXPECT_EQ(list[2], &a);
    EXPECT_EQ(list.Remove(&b), 0);
    EXPECT_EQ(list.Remove(&b), -1);
    EXPECT_EQ(list.Extract(&c), &c);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_THROW(list.Items(1), EListError);
    EXPECT_THROW(list.Insert(5, &a), EListError);
}

// --- collections -----------------------------------------------------------

namespace {

class TNumberItem : public TCollectionItem {
public:
    DECLARE_CLASSNAME(TNumberItem)
    using TCollectionItem::TCollectionItem;
    int Value() const { return FValue; }
    void SetValue(int v)
    {
        if (v == FValue) return;
        FValue = v;
        Changed(false);
    }
    void Assign(TPersistent* Source) override
    {
        if (auto* src = dynamic_cast<TNumberItem*>(Source)) {
            SetValue(src->FValue);
            return;
        }
        TCollectionItem::Assign(Source);
    }

private:
    int FValue = 0;
};

class TNumbers : public TCollection {
public:
    DECLARE_CLASSNAME(TNumbers)
    TNumbers() : TCollection(ItemClassOf<TNumberItem>()) {}
    TNumberItem* Items(int i) const { return static_cast<TNumberItem*>(TCollection::Items(i)); }
    TNumberItem* Add() { return static_cast<TNumberItem*>(TCollection::Add()); }
    QStringList Values() const
    {
        QStringList r;
        for (int i = 0; i < Count(); ++i) r << QString::number(Items(i)->Value());
        return r;
    }

    QStringList Log;

protected:
    void Update(TCollectionItem* Item) override
    {
        Log << (Item ? QStringLiteral("update %1").arg(Item->Index()) : QStringLiteral("update all"));
    }
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override
    {
        static const char* const names[] = {"added", "extracting", "deleting"};
        Log << QStringLiteral("%1 %2").arg(QLatin1String(names[int(Action)])).arg(Item->ID());
    }
};

TNumbers* Numbers(std::initializer_list<int> values, std::unique_ptr<TNumbers>& keep)
{
    keep = std::make_unique<TNumbers>();
    for (int v : values) keep->Add()->SetValue(v);
    keep->Log.clear();
    return keep.get();
}

}  // namespace

TEST(Collection, AddInsertDeleteAndNotifications)
{
    std::unique_ptr<TNumbers> keep;
    TNumbers* c = Numbers({10, 20, 30}, keep);

    TNumberItem* item = static_cast<TNumberItem*>(c->Insert(1));
    item->SetValue(15);
    EXPECT_EQ(c->Values(), QStringList({"10", "15", "20", "30"}));
    EXPECT_EQ(item->Index(), 1);
    EXPECT_EQ(item->Collection(), c);
    EXPECT_EQ(item->GetOwner(), c);
    EXPECT_EQ(c->Log, QStringList({"added 3", "update all", "update all", "update 1"}));

    c->Log.clear();
    c->Delete(0);
    EXPECT_EQ(c->Values(), QStringList({"15", "20", "30"}));
    EXPECT_EQ(c->Log, QStringList({"deleting 0", "extracting 0", "update all"}));
    EXPECT_EQ(c->FindItemID(3), item);
    EXPECT_EQ(c->FindItemID(0), nullptr);

    item->SetIndex(2);
    EXPECT_EQ(c->Values(), QStringList({"20", "30", "15"}));
    EXPECT_THROW(item->SetIndex(3), EListError);
    EXPECT_THROW(c->Items(3), EListError);
    EXPECT_THROW(c->Insert(4), EListError);
    EXPECT_EQ(c->Count(), 3);

    // Freeing an item takes it out of its collection.
    Free(c->Items(0));
    EXPECT_EQ(c->Values(), QStringList({"30", "15"}));
}

TEST(Collection, UpdatesWaitForTheLastEndUpdate)
{
    std::unique_ptr<TNumbers> keep;
    TNumbers* c = Numbers({1, 2}, keep);
    c->BeginUpdate();
    c->Items(0)->SetValue(5);
    c->Add();
    c->Delete(0);
    EXPECT_EQ(c->Log, QStringList({"added 2", "deleting 0", "extracting 0"}));
    c->EndUpdate();
    EXPECT_EQ(c->Log.last(), QStringLiteral("update all"));
    EXPECT_EQ(c->Log.count(QStringLiteral("update all")), 1);
}

TEST(Collection, AssignCopiesItemByItem)
{
    std::unique_ptr<TNumbers> k1, k2;
    TNumbers* src = Numbers({7, 8, 9}, k1);
    TNumbers* dst = Numbers({1}, k2);
    dst->Assign(src);
    EXPECT_EQ(dst->Values(), QStringList({"7", "8", "9"}));
    EXPECT_NE(dst->Items(0), src->Items(0));
    EXPECT_EQ(dst->Log.count(QStringLiteral("update all")), 1);
    dst->SetItems(0, src->Items(2));
    EXPECT_EQ(dst->Values(), QStringList({"9", "8", "9"}));

    TStringList notACollection;
    EXPECT_THROW(dst->Assign(&notACollection), EConvertError);
    EXPECT_EQ(dst->Count(), 3);
}

TEST(Collection, OwnedCollectionReportsItsOwner)
{
    TPersistent owner;
    TOwnedCollection c(&owner, TCollection::ItemClassOf<TNumberItem>());
    EXPECT_EQ(c.Owner(), &owner);
    TCollectionItem* item = c.Add();
    EXPECT_EQ(item->ClassName(), QStringLiteral("TNumberItem"));

    // An item can move between collections.
    TOwnedCollection other(&owner, TCollection::ItemClassOf<TNumberItem>());
    item->SetCollection(&other);
    EXPECT_EQ(c.Count(), 0);
    EXPECT_EQ(other.Count(), 1);
    EXPECT_EQ(item->Index(), 0);
}
