#include "Persistence.h"

#include <typeinfo>

namespace {

const char* const SUnknownProperty = "Property %1 does not exist";
const char* const SPropertyType = "Invalid property value for %1";
const char* const SPropertyClass = "Property %1 does not belong to this object's class";
const char* const SReadOnlyProperty = "Property %1 is read-only";
const char* const SPropertyIndex = "Property index out of bounds (%1)";

[[noreturn]] void PropertyError(const char* Msg, const QString& Arg)
{
    throw EPropertyError(QString::fromLatin1(Msg).arg(Arg));
}

}  // namespace

TPropertyList::TPropertyList(const TPropertyList* Base)
{
    if (Base) FItems = Base->FItems;
}

void TPropertyList::TypeError(const QString& Name)
{
    PropertyError(SPropertyType, Name);
}

void TPropertyList::ClassError(const QString& Name)
{
    PropertyError(SPropertyClass, Name);
}

const TPropertyInfo& TPropertyList::Items(int Index) const
{
    if (Index < 0 || Index >= Count()) PropertyError(SPropertyIndex, QString::number(Index));
    return FItems[size_t(Index)];
}

int TPropertyList::IndexOf(const QString& Name) const
{
    for (int i = 0; i < Count(); ++i)
        if (FItems[size_t(i)].Name.compare(Name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

const TPropertyInfo* TPropertyList::Find(const QString& Name) const
{
    int i = IndexOf(Name);
    return i >= 0 ? &FItems[size_t(i)] : nullptr;
}

TPropertyValue TPropertyList::Read(const TObject* Obj, const QString& Name) const
{
    const TPropertyInfo* info = Find(Name);
    if (!info) PropertyError(SUnknownProperty, Name);
    return info->Get(Obj);
}

void TPropertyList::Write(TObject* Obj, const QString& Name, const TPropertyValue& Value) const
{
    const TPropertyInfo* info = Find(Name);
    if (!info) PropertyError(SUnknownProperty, Name);
    if (info->ReadOnly()) PropertyError(SReadOnlyProperty, Name);
    info->Set(Obj, Value);
}

void TPropertyList::AssignProperties(const TObject* Source, TObject* Dest) const
{
    for (const TPropertyInfo& info : FItems)
        if (!info.ReadOnly()) info.Set(Dest, info.Get(Source));
}

TPropertyList& TPropertyList::Add(TPropertyInfo Info)
{
    // A descendant may publish a property again (a new setter): it keeps
    // its place in the order.
    int i = IndexOf(Info.Name);
    if (i >= 0)
        FItems[size_t(i)] = std::move(Info);
    else
        FItems.push_back(std::move(Info));
    return *this;
}

TPropertyList& TPropertyList::NotStored(const QString& Name)
{
    const int i = IndexOf(Name);
    if (i < 0) Items(i);  // raises the list's index error
    FItems[size_t(i)].Stored = false;
    return *this;
}

bool AssignPublished(const TPersistent* Source, TPersistent* Dest)
{
    if (!Source || !Dest || typeid(*Source) != typeid(*Dest)) return false;
    const TPropertyList* list = Dest->PropertyList();
    if (!list) return false;
    list->AssignProperties(Source, Dest);
    return true;
}
