#pragma once
// Published properties: for a class, the ordered list of its published
// properties, each with its name, its type and type-erased read and write
// functions over a TPropertyValue. Streaming walks the list in order;
// AssignProperties copies every writable property between two objects of
// the class.
//
// A class publishes its list through TPersistent::PropertyList():
//
//   const TPropertyList& TBands::Properties()
//   {
//       static const TPropertyList list = TPropertyList()
//           .Color<TBands>("PrimaryColor", &TBands::PrimaryColor, &TBands::SetPrimaryColor)
//           .Integer<TBands>("PrimaryLength", &TBands::PrimaryLength, &TBands::SetPrimaryLength)
//           .Boolean<TBands>("Print", &TBands::Print, &TBands::SetPrint);
//       return list;
//   }
//   const TPropertyList* TBands::PropertyList() const { return &Properties(); }
//
// A descendant starts its list from its base's: TPropertyList(&Base::Properties()).

#include "Classes.h"

#include <QStringList>
#include <functional>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

enum class TPropertyType {
    ptInteger,  // int
    ptBoolean,  // bool
    ptDouble,   // double
    ptString,   // QString
    ptColor,    // TColor, held as int
    ptEnum,     // an enumeration, held as int (its ordinal)
    ptSet,      // a set of an enumeration, held as int (bit n = element n)
    ptObject,   // an object reference or owned persistent, held as TObject*
};

// The value of one property: int for integers, colours, enumerations and
// sets; bool; double; QString; TObject* for objects.
using TPropertyValue = std::variant<int, bool, double, QString, TObject*>;

struct TPropertyInfo {
    QString Name;
    TPropertyType Type = TPropertyType::ptInteger;
    // Reads the property of an object of the class.
    std::function<TPropertyValue(const TObject*)> Get;
    // Writes it; empty for a read-only property.
    std::function<void(TObject*, const TPropertyValue&)> Set;
    // The identifiers of an enumeration or set type by ordinal, when given.
    QStringList EnumNames;
    // False for a property that is listed but not written to a stream.
    bool Stored = true;

    bool ReadOnly() const { return !Set; }
};

// The error texts of the property access.
DECLARE_EXCEPTION(EPropertyError, Exception)

class TPropertyList {
public:
    TPropertyList() = default;
    // Starts with the properties of a base class.
    explicit TPropertyList(const TPropertyList* Base);

    int Count() const { return int(FItems.size()); }
    const TPropertyInfo& Items(int Index) const;
    // The property of that name (without case), nil when there is none.
    const TPropertyInfo* Find(const QString& Name) const;
    int IndexOf(const QString& Name) const;

    TPropertyValue Read(const TObject* Obj, const QString& Name) const;
    void Write(TObject* Obj, const QString& Name, const TPropertyValue& Value) const;

    // Copies each writable property, in order, from Source to Dest (both of
    // the class the list was built for).
    void AssignProperties(const TObject* Source, TObject* Dest) const;

    TPropertyList& Add(TPropertyInfo Info);
    // Marks a listed property as not stored (EPropertyError when not listed).
    TPropertyList& NotStored(const QString& Name);

    // Typed registration with a getter and a setter (or nullptr for a
    // read-only property); each may be a member function or a callable
    // taking the object.
    template <class C, class G, class S>
    TPropertyList& Integer(const QString& Name, G Get, S Set)
    {
        return Add(Make<C, int, int>(Name, TPropertyType::ptInteger, Get, Set));
    }
    template <class C, class G, class S>
    TPropertyList& Boolean(const QString& Name, G Get, S Set)
    {
        return Add(Make<C, bool, bool>(Name, TPropertyType::ptBoolean, Get, Set));
    }
    template <class C, class G, class S>
    TPropertyList& Double(const QString& Name, G Get, S Set)
    {
        return Add(Make<C, double, double>(Name, TPropertyType::ptDouble, Get, Set));
    }
    template <class C, class G, class S>
    TPropertyList& String(const QString& Name, G Get, S Set)
    {
        return Add(Make<C, QString, QString>(Name, TPropertyType::ptString, Get, Set));
    }
    template <class C, class G, class S>
    TPropertyList& Color(const QString& Name, G Get, S Set)
    {
        return Add(Make<C, int, TColor>(Name, TPropertyType::ptColor, Get, Set));
    }
    // E is the enumeration the setter takes; Names its identifiers by ordinal.
    template <class C, class E, class G, class S>
    TPropertyList& Enum(const QString& Name, G Get, S Set, QStringList Names = {})
    {
        return AddNamed(Make<C, int, E>(Name, TPropertyType::ptEnum, Get, Set), std::move(Names));
    }
    // A set held as a bit mask of type M (the getter's and setter's type).
    template <class C, class M, class G, class S>
    TPropertyList& Set(const QString& Name, G Get, S Set, QStringList Names = {})
    {
        return AddNamed(Make<C, int, M>(Name, TPropertyType::ptSet, Get, Set), std::move(Names));
    }
    // T is the object class the setter takes; writing another class raises.
    template <class C, class T, class G, class S>
    TPropertyList& Object(const QString& Name, G Get, S Set)
    {
        TPropertyInfo info;
        info.Name = Name;
        info.Type = TPropertyType::ptObject;
        info.Get = [Get, Name](const TObject* obj) -> TPropertyValue {
            const T* v = std::invoke(Get, Cast<C>(obj, Name));
            return static_cast<TObject*>(const_cast<T*>(v));
        };
        if constexpr (!std::is_null_pointer_v<S>) {
            info.Set = [Set, Name](TObject* obj, const TPropertyValue& v) {
                TObject* o = Value<TObject*>(v, Name);
                T* t = dynamic_cast<T*>(o);
                if (o && !t) TypeError(Name);
                std::invoke(Set, Cast<C>(obj, Name), t);
            };
        }
        return Add(std::move(info));
    }

    // The typed content of a value; raises EPropertyError for another type.
    template <class V>
    static V Value(const TPropertyValue& v, const QString& Name)
    {
        if (const V* p = std::get_if<V>(&v)) return *p;
        TypeError(Name);
    }

private:
    TPropertyList& AddNamed(TPropertyInfo Info, QStringList Names)
    {
        Info.EnumNames = std::move(Names);
        return Add(std::move(Info));
    }
    [[noreturn]] static void TypeError(const QString& Name);
    [[noreturn]] static void ClassError(const QString& Name);

    template <class C>
    static const C& Cast(const TObject* obj, const QString& Name)
    {
        const C* c = dynamic_cast<const C*>(obj);
        if (!c) ClassError(Name);
        return *c;
    }
    template <class C>
    static C& Cast(TObject* obj, const QString& Name)
    {
        C* c = dynamic_cast<C*>(obj);
        if (!c) ClassError(Name);
        return *c;
    }

    // V: the variant alternative; A: the type the getter returns and the
    // setter takes.
    template <class C, class V, class A, class G, class S>
    static TPropertyInfo Make(const QString& Name, TPropertyType Type, G Get, S Set)
    {
        TPropertyInfo info;
        info.Name = Name;
        info.Type = Type;
        info.Get = [Get, Name](const TObject* obj) -> TPropertyValue {
            return V(static_cast<A>(std::invoke(Get, Cast<C>(obj, Name))));
        };
        if constexpr (!std::is_null_pointer_v<S>) {
            info.Set = [Set, Name](TObject* obj, const TPropertyValue& v) {
                std::invoke(Set, Cast<C>(obj, Name), static_cast<A>(Value<V>(v, Name)));
            };
        }
        return info;
    }

    std::vector<TPropertyInfo> FItems;
};

// Copies all published properties from Source to Dest when both are of the
// same class and it publishes a list; false otherwise (nothing copied).
bool AssignPublished(const TPersistent* Source, TPersistent* Dest);
