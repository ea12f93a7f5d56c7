#include "PropertyChecks.h"

#include "AdvObj.h"
#include "ClassesLists.h"
#include "ColorNames.h"
#include "Graphics.h"

#include <gtest/gtest.h>

namespace PropertyChecks {

namespace {

QString ObjectText(const TObject* o)
{
    if (!o) return QStringLiteral("nil");
    if (auto* f = dynamic_cast<const TFont*>(o))
        return QStringLiteral("Font(%1,%2,%3,%4)")
            .arg(f->Name())
            .arg(f->Height())
            .arg(qulonglong(f->Style().Bits()))
            .arg(ColorToString(f->Color()));
    if (auto* b = dynamic_cast<const TBitmap*>(o)) return QStringLiteral("Bitmap(%1x%2)").arg(b->Width()).arg(b->Height());
    if (auto* s = dynamic_cast<const TStrings*>(o)) return QStringLiteral("Strings(%1)").arg(s->CommaText());
    if (auto* l = dynamic_cast<const TIntList*>(o)) return QStringLiteral("Ints(%1)").arg(l->StrValue());
    if (auto* c = dynamic_cast<const TCollection*>(o)) {
        QStringList items;
        for (int i = 0; i < c->Count(); ++i) items << "{" + Values(c->Items(i)).join(',') + "}";
        return "Items(" + items.join(',') + ")";
    }
    if (auto* p = dynamic_cast<const TPersistent*>(o); p && p->PropertyList())
        return "{" + Values(p).join(',') + "}";
    return o->ClassName();
}

QString ValueText(const TPropertyInfo& p, const TPropertyValue& v)
{
    switch (p.Type) {
    case TPropertyType::ptBoolean: return std::get<bool>(v) ? "true" : "false";
    case TPropertyType::ptString: return '"' + std::get<QString>(v) + '"';
    case TPropertyType::ptColor: return ColorToString(std::get<int>(v));
    case TPropertyType::ptEnum: {
        const int i = std::get<int>(v);
        return i >= 0 && i < p.EnumNames.size() ? p.EnumNames[i] : QString::number(i);
    }
    case TPropertyType::ptDouble: return QString::number(std::get<double>(v));
    case TPropertyType::ptObject: return ObjectText(std::get<TObject*>(v));
    default: return QString::number(std::get<int>(v));
    }
}

void ChangeObject(TObject* o, int Seed)
{
    if (auto* f = dynamic_cast<TFont*>(o)) {
        f->SetName(f->Name() == "Courier New" ? "Arial" : "Courier New");
        f->SetHeight(f->Height() - 1 - Seed);
    } else if (auto* b = dynamic_cast<TBitmap*>(o)) {
        b->SetSize(b->Width() + 3 + Seed, b->Height() + 2);
    } else if (auto* s = dynamic_cast<TStrings*>(o)) {
        s->Add(QStringLiteral("line %1").arg(Seed));
    } else if (auto* l = dynamic_cast<TIntList*>(o)) {
        l->Add(7 + Seed);
    } else if (auto* c = dynamic_cast<TCollection*>(o)) {
        TCollectionItem* item = c->Add();
        if (item->PropertyList() && item->PropertyList()->Count() > 0) Change(item, 0);
    } else {
        ADD_FAILURE() << "no way to change a " << o->ClassName().toStdString();
    }
}

}  // namespace

QStringList Values(const TPersistent* Obj)
{
    QStringList out;
    const TPropertyList* list = Obj->PropertyList();
    if (!list) return out;
    for (int i = 0; i < list->Count(); ++i) {
        const TPropertyInfo& p = list->Items(i);
        out << p.Name + "=" + ValueText(p, p.Get(Obj));
    }
    return out;
}

std::vector<std::string> Printable(const QStringList& Values)
{
    std::vector<std::string> out;
    for (const QString& v : Values) out.push_back(v.toStdString());
    return out;
}

QString ValueOf(const TPersistent* Obj, const QString& Name)
{
    const TPropertyInfo* p = Obj->PropertyList()->Find(Name);
    return p ? ValueText(*p, p->Get(Obj)) : QStringLiteral("<none>");
}

void Change(TPersistent* Obj, int Index)
{
    const TPropertyInfo& p = Obj->PropertyList()->Items(Index);
    const TPropertyValue v = p.Get(Obj);
    switch (p.Type) {
    case TPropertyType::ptBoolean: p.Set(Obj, !std::get<bool>(v)); break;
    case TPropertyType::ptString: p.Set(Obj, std::get<QString>(v) + QStringLiteral("x%1").arg(Index)); break;
    case TPropertyType::ptColor: p.Set(Obj, std::get<int>(v) == 0x123456 ? 0x654321 : 0x123456); break;
    case TPropertyType::ptEnum: p.Set(Obj, (std::get<int>(v) + 1) % std::max<int>(2, p.EnumNames.size())); break;
    case TPropertyType::ptDouble: p.Set(Obj, std::get<double>(v) + 1.5); break;
    case TPropertyType::ptObject: ChangeObject(std::get<TObject*>(v), Index); break;
    default: p.Set(Obj, std::get<int>(v) + 3 + Index); break;
    }
}

namespace {

// For each published property i: a fresh source with only property i
// changed (checked: it shows the change and no other property does) and a
// fresh destination, handed to Check.
void ForEachChangedProperty(const TMaker& Make,
                            const std::function<void(TPersistent* Src, TPersistent* Dst, int i)>& Check)
{
    const int count = Make()->PropertyList()->Count();
    ASSERT_GT(count, 0);
    for (int i = 0; i < count; ++i) {
        auto src = Make();
        auto dst = Make();
        SCOPED_TRACE(src->PropertyList()->Items(i).Name.toStdString());
        const QStringList before = Values(src.get());
        Change(src.get(), i);
        QStringList changed = Values(src.get());
        EXPECT_NE(changed[i], before[i]) << "the change does not show";
        changed[i] = before[i];
        EXPECT_EQ(Printable(changed), Printable(before));
        Check(src.get(), dst.get(), i);
    }
}

}  // namespace

void ExpectListRoundTrip(const TMaker& Make)
{
    ForEachChangedProperty(Make, [](TPersistent* src, TPersistent* dst, int) {
        const TPropertyList* list = src->PropertyList();
        for (int k = 0; k < list->Count(); ++k) {
            const TPropertyInfo& p = list->Items(k);
            ASSERT_FALSE(p.ReadOnly());
            list->Write(dst, p.Name, list->Read(src, p.Name));
        }
        EXPECT_EQ(Printable(Values(dst)), Printable(Values(src)));
    });
}

void ExpectAssignEach(const TMaker& Make, const QSet<QString>& NotCopied)
{
    ForEachChangedProperty(Make, [&NotCopied](TPersistent* src, TPersistent* dst, int i) {
        const QStringList fresh = Values(dst);
        dst->Assign(src);
        const bool copied = !NotCopied.contains(src->PropertyList()->Items(i).Name);
        EXPECT_EQ(Printable(Values(dst)), Printable(copied ? Values(src) : fresh));
    });
}

}  // namespace PropertyChecks
