#include "AdvObj.h"

#include <QSet>
#include <gtest/gtest.h>
#include <map>

namespace {

// Checks every published property of obj: Booleans are True exactly when
// named in trueOnes; the others must equal their entry in others.
void ExpectDefaults(TPersistent* obj, const QSet<QString>& trueOnes,
                    const std::map<QString, TPropertyValue>& others)
{
    const TPropertyList* props = obj->PropertyList();
    ASSERT_NE(props, nullptr);
    int seenTrue = 0;
    for (int i = 0; i < props->Count(); ++i) {
        const TPropertyInfo& p = props->Items(i);
        SCOPED_TRACE(p.Name.toStdString());
        const TPropertyValue v = p.Get(obj);
        if (p.Type == TPropertyType::ptBoolean) {
            EXPECT_EQ(std::get<bool>(v), trueOnes.contains(p.Name));
            seenTrue += trueOnes.contains(p.Name);
        } else if (p.Type != TPropertyType::ptObject) {
            auto it = others.find(p.Name);
            ASSERT_NE(it, others.end()) << "no expected value";
            EXPECT_EQ(v, it->second);
        }
    }
    EXPECT_EQ(seenTrue, trueOnes.size());
}

// A value other than v of the same property type.
TPropertyValue Changed(const TPropertyInfo& p, const TPropertyValue& v)
{
    switch (p.Type) {
    case TPropertyType::ptBoolean: return !std::get<bool>(v);
    case TPropertyType::ptString: return std::get<QString>(v) + "x";
    case TPropertyType::ptEnum: return std::get<int>(v) == 0 ? 1 : 0;
    default: return std::get<int>(v) + 3;
    }
}

// Changes every published value property of src through its setter, copies
// src into dst and checks every property equal except the omitted ones,
// which keep dst's defaults. No notification may fire in dst.
void ExpectAssignCopies(TPersistent* src, TPersistent* dst, const QSet<QString>& omitted, TNotifyEvent* dstChange)
{
    int fired = 0;
    if (dstChange) *dstChange = [&fired](TObject*) { ++fired; };
    const TPropertyList* props = src->PropertyList();
    std::map<QString, TPropertyValue> before;
    for (int i = 0; i < props->Count(); ++i) {
        const TPropertyInfo& p = props->Items(i);
        if (p.Type == TPropertyType::ptObject || p.ReadOnly()) continue;
        before[p.Name] = p.Get(dst);
        p.Set(src, Changed(p, p.Get(src)));
    }
    dst->Assign(src);
    for (const auto& [name, old] : before) {
        SCOPED_TRACE(name.toStdString());
        const TPropertyInfo* p = props->Find(name);
        if (omitted.contains(name))
            EXPECT_EQ(p->Get(dst), old);
        else
            EXPECT_EQ(p->Get(dst), p->Get(src));
    }
    EXPECT_EQ(fired, 0);
}

// Runs op on a fresh settings object; answers how often it notified (with
// itself as the sender).
template <class T>
std::function<int()> Counting(std::function<void(T&)> op)
{
    return [op]() {
        std::unique_ptr<T> obj;
        if constexpr (std::is_same_v<T, TSearchFooter>)
            obj = std::make_unique<T>(nullptr, false);
        else
            obj = std::make_unique<T>();
        int n = 0;
        T* self = obj.get();
        obj->OnChange = [&n, self](TObject* s) { n += s == self; };
        op(*obj);
        return n;
    };
}

}  // namespace

TEST(SettingsObjects, DefaultsAfterConstruction)
{
    const std::map<QString, TPropertyValue> footerValues = {
        {"Color", int(0xFFFFFF)}, {"ColorTo", int(clBtnFace)}, {"SearchColumn", -1}, {"SearchDirection", int(sdTopBottom)},
        {"FindNextCaption", QString()}, {"FindPrevCaption", QString()}, {"HighLightCaption", QString()},
        {"HintClose", QString()}, {"HintFindNext", QString()}, {"HintFindPrev", QString()},
        {"HintHighlight", QString()}, {"MatchCaseCaption", QString()},
    };
    const QSet<QString> footerTrue = {"AutoSearch", "ShowClose", "ShowFindNext", "ShowFindPrev",
                                      "ShowHighLight", "ShowMatchCase"};
    {
        SCOPED_TRACE("TSearchFooter run time");
        TSearchFooter f(nullptr, false);
        ExpectDefaults(&f, footerTrue, footerValues);
        EXPECT_FALSE(f.AutoThemeAdapt());
        EXPECT_EQ(f.LastSearch(), "");
    }
    {
        SCOPED_TRACE("TSearchFooter design time");
        auto values = footerValues;
        values["FindNextCaption"] = QString("Find &next");
        values["FindPrevCaption"] = QString("Find &previous");
        values["HighLightCaption"] = QString("Highlight");
        values["HintClose"] = QString("Close");
        values["HintFindNext"] = QString("Find next occurrence");
        values["HintFindPrev"] = QString("Find previous occurrence");
        values["HintHighlight"] = QString("Highlight occurrences");
        values["MatchCaseCaption"] = QString("Match case");
        TSearchFooter f(nullptr, true);
        ExpectDefaults(&f, footerTrue, values);
    }
    {
        SCOPED_TRACE("TNavigation");
        TNavigation n;
        ExpectDefaults(&n,
                       {"AdvanceOnEnterLoop", "AdvanceAutoEdit", "AdvanceSkipReadOnlyCells", "AllowCtrlEnter",
                        "AllowClipboardRowGrow", "AllowClipboardColGrow", "EditSelectAll", "ComboGetUpDown",
                        "CursorWalkAlwaysEdit", "LeftRightRowSelect", "CopyHTMLTagsToClipboard", "SkipFixedCells",
                        "SkipDisabledRows"},
                       {{"AdvanceDirection", 0}, {"TabAdvanceDirection", 0}, {"InsertPosition", 0},
                        {"ClipboardPasteAction", 0}, {"CursorAdvance", 0}, {"HomeEndKey", 0}});
        EXPECT_EQ(n.PropertyList()->Count(), 13 + 24 + 6);
    }
    {
        SCOPED_TRACE("TMouseActions");
        TMouseActions m(nullptr);
        ExpectDefaults(&m, {"AutoSizeColOnDblClick", "PreciseNodeClick"},
                       {{"FixedRowsEdit", int(fceNone)}, {"FixedColsEdit", int(fceNone)},
                        {"FixedRowsEditor", int(fceEdit)}, {"FixedColsEditor", int(fceEdit)},
                        {"WheelIncrement", 0}, {"WheelAction", int(waMoveSelection)}});
        EXPECT_EQ(m.FixedComboValues()->Count(), 0);
        EXPECT_EQ(m.PropertyList()->Count(), 30 + 7);
    }
    {
        SCOPED_TRACE("TBands");
        TBands b;
        ExpectDefaults(&b, {}, {{"PrimaryColor", int(clInfoBk)}, {"SecondaryColor", int(clWindow)},
                                {"PrimaryLength", 1}, {"SecondaryLength", 1}});
        EXPECT_EQ(b.TotalLength(), 2);
    }
    {
        SCOPED_TRACE("TSyncGrid, TFocusHelper");
        TSyncGrid s(nullptr);
        ExpectDefaults(&s, {}, {});
        EXPECT_EQ(s.Grid(), nullptr);
        TFocusHelper h(nullptr);
        ExpectDefaults(&h, {}, {});
    }
}

TEST(SettingsObjects, WhichSettersNotify)
{
    struct Case {
        const char* Name;
        std::function<int()> Run;  // the number of notifications
        int Expected;
    };
    const auto footer = Counting<TSearchFooter>;
    const auto bands = Counting<TBands>;
    const auto nav = Counting<TNavigation>;
    const std::vector<Case> cases = {
        {"ShowClose to its current value", footer([](TSearchFooter& f) { f.SetShowClose(true); }), 1},
        {"Color same value", footer([](TSearchFooter& f) { f.SetColor(TColor(0xFFFFFF)); }), 1},
        {"caption", footer([](TSearchFooter& f) { f.SetFindNextCaption("x"); }), 1},
        {"AutoThemeAdapt", footer([](TSearchFooter& f) { f.SetAutoThemeAdapt(false); }), 1},
        {"Font", footer([](TSearchFooter& f) { TFont font; f.SetFont(&font); }), 1},
        {"Visible True twice", footer([](TSearchFooter& f) { f.SetVisible(true); f.SetVisible(true); }), 1},
        {"ShowFindNext unchanged", footer([](TSearchFooter& f) { f.SetShowFindNext(true); }), 0},
        {"ShowMatchCase changed", footer([](TSearchFooter& f) { f.SetShowMatchCase(false); }), 1},
        {"plain AutoSearch", footer([](TSearchFooter& f) { f.SetAutoSearch(false); }), 0},
        {"PrimaryLength while inactive", bands([](TBands& b) { b.SetPrimaryLength(3); }), 0},
        {"Active True", bands([](TBands& b) { b.SetActive(true); b.SetActive(true); }), 1},
        {"colour while active", bands([](TBands& b) { b.SetActive(true); b.SetPrimaryColor(clRed); }), 2},
        {"same length while active", bands([](TBands& b) { b.SetActive(true); b.SetSecondaryLength(1); }), 1},
        {"AdvanceDirection", nav([](TNavigation& v) { v.SetAdvanceDirection(adTopBottom); v.SetAdvanceDirection(adTopBottom); }), 1},
        {"AdvanceInsert unchanged", nav([](TNavigation& v) { v.SetAdvanceInsert(false); }), 0},
        {"AutoGotoWhenSorted", nav([](TNavigation& v) { v.SetAutoGotoWhenSorted(true); }), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(c.Run(), c.Expected);
    }

    TBands b;
    b.SetPrimaryLength(3);
    EXPECT_EQ(b.TotalLength(), 4);
    b.SetSecondaryLength(5);
    EXPECT_EQ(b.TotalLength(), 8);

    TMouseActions m(nullptr);
    int changes = 0;
    m.OnChange = [&changes](TObject*) { ++changes; };
    m.SetWheelAction(waScroll);
    m.SetWheelAction(waScroll);
    EXPECT_EQ(changes, 1);
}

TEST(SettingsObjects, SettersWithSideEffects)
{
    TNavigation n;
    n.SetAdvanceAuto(true);
    EXPECT_TRUE(n.AdvanceOnEnter());
    n.SetAdvanceOnEnter(false);
    n.SetAdvanceAuto(false);
    EXPECT_FALSE(n.AdvanceOnEnter());
    n.SetAdvanceOnEnter(true);
    n.SetAdvanceAuto(false);
    EXPECT_TRUE(n.AdvanceOnEnter());

    TMouseActions m(nullptr);
    m.SetDisjunctRowSelect(true);
    m.SetDisjunctColSelect(true);
    EXPECT_TRUE(m.DisjunctRowSelect());
    EXPECT_TRUE(m.DisjunctColSelect());
    m.OnIsDesigning = [](TObject*, bool& d) { d = true; };
    m.SetDisjunctCellSelect(true);
    EXPECT_FALSE(m.DisjunctRowSelect());
    EXPECT_FALSE(m.DisjunctColSelect());
    EXPECT_TRUE(m.DisjunctCellSelect());
    m.SetDisjunctRowSelect(true);
    EXPECT_FALSE(m.DisjunctCellSelect());

    TMouseActions h(nullptr);
    int invalidated = 0, disabled = 0;
    h.OnInvalidate = [&](TObject*) { ++invalidated; };
    h.OnDisableEdit = [&](TObject*) { ++disabled; };
    h.SetHotmailRowSelect(true);
    EXPECT_TRUE(h.DisjunctRowSelect());
    EXPECT_TRUE(h.CheckAllCheck());
    EXPECT_EQ(invalidated, 1);
    h.SetEditOnDblClickOnly(false);
    EXPECT_EQ(disabled, 0);
    h.SetEditOnDblClickOnly(true);
    EXPECT_EQ(disabled, 1);
    h.SetDisjunctRowSelectDirect(false);
    EXPECT_FALSE(h.DisjunctRowSelect());

    TStringList lines;
    lines.Add("a");
    lines.Add("b");
    h.SetFixedComboValues(&lines);
    lines.Clear();
    EXPECT_EQ(h.FixedComboValues()->Count(), 2);
}

TEST(SettingsObjects, AssignCopiesSameClassOnlyWithoutNotifying)
{
    {
        SCOPED_TRACE("TSearchFooter");
        TSearchFooter src(nullptr, true), dst(nullptr, false);
        src.SetAutoThemeAdapt(true);
        src.SetLastSearch("abc");
        src.Font()->SetName("Courier");
        ExpectAssignCopies(&src, &dst, {"AutoSearch", "SearchFixedCells"}, &dst.OnChange);
        EXPECT_FALSE(dst.AutoThemeAdapt());
        EXPECT_EQ(dst.LastSearch(), "");
        EXPECT_EQ(dst.Font()->Name(), "Courier");
    }
    {
        SCOPED_TRACE("TNavigation");
        TNavigation src, dst;
        ExpectAssignCopies(&src, &dst, {"KeepScrollOnSort"}, &dst.OnChange);
    }
    {
        SCOPED_TRACE("TMouseActions");
        TMouseActions src(nullptr), dst(nullptr);
        src.FixedComboValues()->Add("x");
        int other = 0;
        dst.OnInvalidate = dst.OnDisableEdit = [&other](TObject*) { ++other; };
        ExpectAssignCopies(&src, &dst, {"EditOnDblClickOnly", "HotmailRowSelect", "SizeFixedRow"}, &dst.OnChange);
        EXPECT_EQ(dst.FixedComboValues()->Count(), 0);
        EXPECT_EQ(other, 0);
    }
    {
        SCOPED_TRACE("TBands");
        TBands src, dst;
        ExpectAssignCopies(&src, &dst, {}, &dst.OnChange);
        EXPECT_EQ(dst.TotalLength(), src.PrimaryLength() + src.SecondaryLength());
    }
    {
        SCOPED_TRACE("TSyncGrid, TFocusHelper");
        TSyncGrid src(nullptr), dst(nullptr);
        ExpectAssignCopies(&src, &dst, {}, nullptr);
        TFocusHelper hs(nullptr), hd(nullptr);
        ExpectAssignCopies(&hs, &hd, {}, nullptr);
    }
    {
        SCOPED_TRACE("another class changes nothing");
        TBands b;
        TNavigation n;
        n.SetAllowInsertRow(true);
        TNavigation before;
        b.Assign(&n);
        n.Assign(&b);
        EXPECT_TRUE(n.AllowInsertRow());
        EXPECT_EQ(b.TotalLength(), 2);
    }
}

TEST(SettingsObjects, SyncGridIgnoresItsOwnerAndForgetsADestroyedPartner)
{
    auto* owner = new TComponent(nullptr);
    auto* partner = new TComponent(nullptr);
    TSyncGrid s(owner);
    s.SetGrid(owner);
    EXPECT_EQ(s.Grid(), nullptr);
    s.SetGrid(partner);
    EXPECT_EQ(s.Grid(), partner);
    s.SetGrid(owner);
    EXPECT_EQ(s.Grid(), partner);

    TSyncGrid copy(nullptr);
    copy.Assign(&s);
    EXPECT_EQ(copy.Grid(), partner);

    Free(partner);
    EXPECT_EQ(s.Grid(), nullptr);
    EXPECT_EQ(copy.Grid(), nullptr);
    Free(owner);
}
