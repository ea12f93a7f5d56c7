#include "Classes.h"
#include "Persistence.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

// --- component state -----------------------------------------------------

namespace {

// Records what it sees: the state at each property write, Loaded calls,
// the destruction hook and the notifications it gets.
class TProbe : public TComponent {
public:
    DECLARE_CLASSNAME(TProbe)
    explicit TProbe(TComponent* AOwner, QStringList* log = nullptr, bool callBase = true)
        : TComponent(AOwner), FLog(log), FCallBase(callBase) {}

    void SetValue(int v)
    {
        FValue = v;
        FWrittenWhileLoading = HasState(csLoading);
    }
    bool FWrittenWhileLoading = false;
    int FLoadedCount = 0;
    QStringList Notes;

protected:
    void Loaded() override
    {
        ++FLoadedCount;
        if (FLog) *FLog << QStringLiteral("loaded %1 (loading %2)").arg(Name()).arg(HasState(csLoading));
        if (FCallBase) TComponent::Loaded();
    }
    void BeforeDestruction() override
    {
        // Before the base call on purpose: the state must already be set.
        if (FLog)
            *FLog << QStringLiteral("before destruction %1 (%2, destroying %3)")
                         .arg(Name(), ClassName())
                         .arg(HasState(csDestroying));
        TComponent::BeforeDestruction();
    }
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        Notes << QStringLiteral("%1 %2")
                     .arg(Operation == TOperation::opInsert ? QStringLiteral("insert") : QStringLiteral("remove"),
                          AComponent->Name());
    }

private:
    QStringList* FLog;
    bool FCallBase;
    int FValue = 0;
};

TProbe* Probe(TComponent* owner, const QString& name, QStringList* log = nullptr, bool callBase = true)
{
    auto* p = Create<TProbe>(owner, log, callBase);
    p->SetName(name);
    return p;
}

}  // namespace

TEST(Component, LoadingStateAndLoadedOncePerComponent)
{
    QStringList log;
    TProbe* form = Probe(nullptr, QStringLiteral("form"), &log);
    TProbe* a = Probe(form, QStringLiteral("a"), &log);
    TProbe* b = Probe(form, QStringLiteral("b"), &log, /*callBase=*/false);
    TProbe* inner = Probe(a, QStringLiteral("inner"), &log);

    form->BeginLoading();
    for (TProbe* p : {form, a, b, inner}) {
        p->SetValue(1);
        EXPECT_TRUE(p->FWrittenWhileLoading) << p->Name().toStdString();
    }
    form->EndLoading();
    EXPECT_EQ(log, QStringList({"loaded inner (loading 1)", "loaded a (loading 1)", "loaded b (loading 1)",
                                "loaded form (loading 1)"}));
    for (TProbe* p : {form, a, b, inner}) {
        EXPECT_EQ(p->FLoadedCount, 1) << p->Name().toStdString();
        EXPECT_FALSE(p->HasState(csLoading)) << p->Name().toStdString();
        p->SetValue(2);
        EXPECT_FALSE(p->FWrittenWhileLoading);
    }
    // Ending again loads nothing a second time.
    form->EndLoading();
    EXPECT_EQ(a->FLoadedCount, 1);
    log.clear();
    Free(form);
}

namespace {

class TBaseWidget : public TObject {
public:
    void AfterConstruction() override { FSetUp = SetUpKind(); }
    QString FSetUp;

protected:
    virtual QString SetUpKind() const { return QStringLiteral("base"); }
};

class TDerivedWidget : public TBaseWidget {
protected:
    QString SetUpKind() const override { return QStringLiteral("derived ") + FExtra; }

private:
    QString FExtra = QStringLiteral("with its fields");
};

}  // namespace

TEST(Component, AfterConstructionReachesTheDescendant)
{
    std::unique_ptr<TDerivedWidget> w(Create<TDerivedWidget>());
    EXPECT_EQ(w->FSetUp, QStringLiteral("derived with its fields"));
}

TEST(Component, BeforeDestructionRunsOnceWithDestroyingSet)
{
    QStringList log;
    TProbe* form = Probe(nullptr, QStringLiteral("form"), &log);
    Probe(form, QStringLiteral("child"), &log);
    Free(form);
    // Once each, form first, the whole object still there (the class name
    // is the descendant's), destroying already set when the hook ran.
    EXPECT_EQ(log, QStringList({"before destruction form (TProbe, destroying 1)",
                                "before destruction child (TProbe, destroying 1)"}));
}

TEST(Component, RemovalNotificationReachesSubscribersAndOwner)
{
    TProbe* owner = Probe(nullptr, QStringLiteral("owner"));
    TProbe* sibling = Probe(owner, QStringLiteral("sibling"));
    TProbe* target = Probe(owner, QStringLiteral("target"));
    TProbe* stranger = Probe(nullptr, QStringLiteral("stranger"));
    // Told of each insertion (from the constructor, before a name is set).
    EXPECT_EQ(owner->Notes.count(QStringLiteral("insert ")), 2);
    EXPECT_EQ(owner->FindComponent(QStringLiteral("TARGET")), target);

    target->FreeNotification(stranger);
    owner->Notes.clear();
    sibling->Notes.clear();
    Free(target);
    EXPECT_EQ(stranger->Notes, QStringList({"remove target"}));
    EXPECT_EQ(owner->Notes, QStringList({"remove target"}));
    EXPECT_EQ(sibling->Notes, QStringList({"remove target"}));  // the owner passes it on
    EXPECT_EQ(owner->ComponentCount(), 1);

    // A subscriber that leaves first is not told later.
    TProbe* other = Probe(nullptr, QStringLiteral("other"));
    other->FreeNotification(stranger);
    Free(stranger);
    Free(other);
    Free(owner);
}

TEST(Component, AssignWithoutAMatchRaises)
{
    TPersistent p;
    TComponent c;
    try {
        c.Assign(&p);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot assign a TPersistent to a TComponent"));
    }
    try {
        c.Assign(nullptr);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot assign a nil to a TComponent"));
    }
}

// --- deferred free -------------------------------------------------------

namespace {

class TTracked : public TComponent {
public:
    explicit TTracked(int* frees, TComponent* owner = nullptr) : TComponent(owner), FFrees(frees) {}
    ~TTracked() override { ++*FFrees; }

private:
    int* FFrees;
};

// Runs the event loop until it is idle for a moment.
void TurnEventLoop()
{
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

TEST(DeferredFree, FreedOnlyOnceTheHandlerHasReturned)
{
    int frees = 0;
    auto* obj = new TTracked(&frees);
    int seenInHandler = -1, seenAfterNestedLoop = -1;
    QTimer::singleShot(0, [&] {
        DeferredFree(obj);
        DeferredFree(obj);  // asking twice frees once
        QCoreApplication::processEvents();
        seenInHandler = frees;
        // A nested loop (a modal window) does not free it either.
        QEventLoop nested;
        QTimer::singleShot(10, &nested, &QEventLoop::quit);
        nested.exec();
        seenAfterNestedLoop = frees;
    });
    TurnEventLoop();
    EXPECT_EQ(seenInHandler, 0);
    EXPECT_EQ(seenAfterNestedLoop, 0);
    EXPECT_EQ(frees, 1);
}

TEST(DeferredFree, AComponentFreedMeanwhileIsNotFreedAgain)
{
    int frees = 0;
    auto* owner = new TComponent();
    auto* child = new TTracked(&frees, owner);
    QTimer::singleShot(0, [&] {
        DeferredFree(child);
        Free(owner);  // takes the child with it
    });
    TurnEventLoop();
    EXPECT_EQ(frees, 1);
}

// --- property list -------------------------------------------------------

namespace {

enum class TAlignLike { alNone, alTop, alClient };

class TPenLike : public TPersistent {
public:
    DECLARE_CLASSNAME(TPenLike)
    int Width = 1;
    void Assign(TPersistent* Source) override
    {
        if (auto* p = dynamic_cast<TPenLike*>(Source)) {
            Width = p->Width;
            return;
        }
        TPersistent::Assign(Source);
    }
};

class TSettings : public TPersistent {
public:
    DECLARE_CLASSNAME(TSettings)
    static const TPropertyList& Properties();
    const TPropertyList* PropertyList() const override { return &Properties(); }

    int Size() const { return FSize; }
    void SetSize(int v) { FSize = v; }
    bool Active() const { return FActive; }
    void SetActive(bool v) { FActive = v; }
    double Ratio() const { return FRatio; }
    void SetRatio(double v) { FRatio = v; }
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& v) { FCaption = v; }
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { FColor = v; }
    TAlignLike Align() const { return FAlign; }
    void SetAlign(TAlignLike v) { FAlign = v; }
    unsigned Borders() const { return FBorders; }
    void SetBorders(unsigned v) { FBorders = v; }
    TPenLike* Pen() const { return FPen.get(); }
    void SetPen(TPenLike* v) { FPen->Assign(v); }
    int Version() const { return 7; }

private:
    int FSize = 0;
    bool FActive = false;
    double FRatio = 0;
    QString FCaption;
    TColor FColor = clNone;
    TAlignLike FAlign = TAlignLike::alNone;
    unsigned FBorders = 0;
    std::unique_ptr<TPenLike> FPen = std::make_unique<TPenLike>();
};

const TPropertyList& TSettings::Properties()
{
    static const TPropertyList list =
        TPropertyList()
            .Integer<TSettings>(QStringLiteral("Size"), &TSettings::Size, &TSettings::SetSize)
            .Boolean<TSettings>(QStringLiteral("Active"), &TSettings::Active, &TSettings::SetActive)
            .Double<TSettings>(QStringLiteral("Ratio"), &TSettings::Ratio, &TSettings::SetRatio)
            .String<TSettings>(QStringLiteral("Caption"), &TSettings::Caption, &TSettings::SetCaption)
            .Color<TSettings>(QStringLiteral("Color"), &TSettings::Color, &TSettings::SetColor)
            .Enum<TSettings, TAlignLike>(QStringLiteral("Align"), &TSettings::Align, &TSettings::SetAlign,
                                         {QStringLiteral("alNone"), QStringLiteral("alTop"),
                                          QStringLiteral("alClient")})
            .Set<TSettings, unsigned>(QStringLiteral("Borders"), &TSettings::Borders, &TSettings::SetBorders)
            .Object<TSettings, TPenLike>(QStringLiteral("Pen"), &TSettings::Pen, &TSettings::SetPen)
            .Integer<TSettings>(QStringLiteral("Version"), &TSettings::Version, nullptr);
    return list;
}

class TMoreSettings : public TSettings {
public:
    DECLARE_CLASSNAME(TMoreSettings)
    static const TPropertyList& Properties()
    {
        static const TPropertyList list =
            TPropertyList(&TSettings::Properties())
                .String<TMoreSettings>(
                    QStringLiteral("Extra"), [](const TMoreSettings& s) { return s.FExtra; },
                    [](TMoreSettings& s, const QString& v) { s.FExtra = v; });
        return list;
    }
    const TPropertyList* PropertyList() const override { return &Properties(); }
    QString FExtra;
};

}  // namespace

TEST(PropertyList, OrderTypesAndAccess)
{
    const TPropertyList& list = TMoreSettings::Properties();
    QStringList names;
    for (int i = 0; i < list.Count(); ++i) names << list.Items(i).Name;
    EXPECT_EQ(names, QStringList({"Size", "Active", "Ratio", "Caption", "Color", "Align", "Borders", "Pen",
                                  "Version", "Extra"}));
    EXPECT_EQ(list.Find(QStringLiteral("align"))->Type, TPropertyType::ptEnum);
    EXPECT_EQ(list.Find(QStringLiteral("Align"))->EnumNames.at(2), QStringLiteral("alClient"));
    EXPECT_EQ(list.Find(QStringLiteral("Color"))->Type, TPropertyType::ptColor);
    EXPECT_TRUE(list.Find(QStringLiteral("Version"))->ReadOnly());
    EXPECT_EQ(list.Find(QStringLiteral("Nope")), nullptr);

    TMoreSettings s;
    list.Write(&s, QStringLiteral("Align"), int(TAlignLike::alClient));
    list.Write(&s, QStringLiteral("Caption"), QStringLiteral("Hello"));
    list.Write(&s, QStringLiteral("Extra"), QStringLiteral("x"));
    EXPECT_EQ(s.Align(), TAlignLike::alClient);
    EXPECT_EQ(std::get<QString>(list.Read(&s, QStringLiteral("caption"))), QStringLiteral("Hello"));
    EXPECT_EQ(std::get<int>(list.Read(&s, QStringLiteral("Version"))), 7);
    EXPECT_EQ(s.FExtra, QStringLiteral("x"));

    EXPECT_THROW(list.Write(&s, QStringLiteral("Size"), QStringLiteral("12")), EPropertyError);
    EXPECT_THROW(list.Write(&s, QStringLiteral("Version"), 8), EPropertyError);
    EXPECT_THROW(list.Write(&s, QStringLiteral("Nope"), 1), EPropertyError);
    TSettings plain;
    EXPECT_THROW(list.Read(&plain, QStringLiteral("Extra")), EPropertyError);
    TPenLike notASettings;
    EXPECT_THROW(list.Write(&s, QStringLiteral("Pen"), static_cast<TObject*>(&s)), EPropertyError);
    EXPECT_THROW(list.Read(&notASettings, QStringLiteral("Size")), EPropertyError);
}

TEST(PropertyList, AssignCopiesEveryPublishedProperty)
{
    TMoreSettings src;
    src.SetSize(3);
    src.SetActive(true);
    src.SetRatio(0.25);
    src.SetCaption(QStringLiteral("c"));
    src.SetColor(clRed);
    src.SetAlign(TAlignLike::alTop);
    src.SetBorders(5);
    src.Pen()->Width = 4;
    src.FExtra = QStringLiteral("e");

    TMoreSettings dst;
    ASSERT_TRUE(AssignPublished(&src, &dst));
    const TPropertyList& list = TMoreSettings::Properties();
    for (int i = 0; i < list.Count(); ++i) {
        const TPropertyInfo& p = list.Items(i);
        if (p.Type == TPropertyType::ptObject) continue;
        EXPECT_EQ(p.Get(&dst), p.Get(&src)) << p.Name.toStdString();
    }
    // The object property is assigned through its setter, not shared.
    EXPECT_NE(dst.Pen(), src.Pen());
    EXPECT_EQ(dst.Pen()->Width, 4);

    TSettings other;
    EXPECT_FALSE(AssignPublished(&src, &other));
    EXPECT_EQ(other.Size(), 0);
}
