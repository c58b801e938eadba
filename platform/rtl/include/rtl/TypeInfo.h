#pragma once
// Run-time type information: what streams, settings files and the JSON
// persistence need to know about a class without knowing the class.
//
// - TTypeInfo describes a value type: its kind, its name, and for ordinal
//   types their range and enumeration names.
// - TPropInfo describes one published property: name, type, accessors,
//   default value and whether it is stored.
// - TClassInfo describes a class: name, parent, factory, its own published
//   properties (in declaration order) and its published methods.
// - The class registry finds classes by name (RegisterClass, FindClass).
//
// A class declares its record with RTL_CLASS(TSelf) at the top of its body
// and builds it in its source file with TClassBuilder (rtl/ClassBuilder.h).
// The functions at the end read and write properties by name or descriptor.

#include "rtl/Object.h"
#include "rtl/Set.h"
#include "rtl/Variant.h"

#include <any>
#include <functional>
#include <initializer_list>
#include <typeindex>
#include <typeinfo>
#include <vector>

class TCollection;
class TComponent;

// The classification of a property's type, in the platform's order.
enum TTypeKind {
    tkUnknown,
    tkInteger,
    tkChar,
    tkEnumeration,
    tkFloat,
    tkString,
    tkSet,
    tkClass,
    tkMethod,
    tkWChar,
    tkLString,
    tkWString,
    tkVariant,
    tkArray,
    tkRecord,
    tkInterface,
    tkInt64,
    tkDynArray,
    tkUString,
    tkClassRef,
    tkPointer,
    tkProcedure
};

enum TFloatType { ftSingle, ftDouble, ftExtended, ftComp, ftCurr };

struct TTypeInfo {
    TTypeKind Kind = tkUnknown;
    String Name;
    // Ordinal kinds (integer, char, enumeration, set, Int64): the range.
    Int64 MinValue = 0;
    Int64 MaxValue = 0;
    // Enumerations: the value names, lowest first.
    std::vector<String> EnumNames;
    // Sets: the type of their elements.
    const TTypeInfo* CompType = nullptr;
    // Floats: the storage size.
    TFloatType FloatType = ftDouble;
    // Classes: the reflection record of the property's class, fetched when
    // asked so that a class may publish properties of its own type.
    const TClassInfo& (*ClassInfoOfType)() = nullptr;

    bool IsOrdinal() const;
    const TClassInfo* ClassType() const { return ClassInfoOfType ? &ClassInfoOfType() : nullptr; }
};

// The value of an event property as reflection sees it: whether a handler
// is set, and when the handler is a published method, its object and name.
struct TMethod {
    TObject* Data = nullptr;
    String Name;
    bool Assigned = false;
};

struct TPropInfo {
    String Name;
    const TTypeInfo* PropType = nullptr;

    // The stream default of an ordinal property; properties without one are
    // always written.
    bool HasDefault = false;
    Int64 Default = 0;
    // "stored": a constant, or a function of the instance when set.
    bool StoredConst = true;
    std::function<bool(const TObject&)> StoredFunc;

    // Accessors; the family that fits PropType->Kind is set. A missing
    // setter makes the property read-only.
    std::function<Int64(const TObject&)> GetOrd;
    std::function<void(TObject&, Int64)> SetOrd;
    std::function<Extended(const TObject&)> GetFloat;
    std::function<void(TObject&, Extended)> SetFloat;
    std::function<String(const TObject&)> GetStr;
    std::function<void(TObject&, const String&)> SetStr;
    std::function<TObject*(const TObject&)> GetObject;
    std::function<void(TObject&, TObject*)> SetObject;
    std::function<TMethod(const TObject&)> GetMethod;
    std::function<void(TObject&, const TMethod&)> SetMethod;
    std::function<Variant(const TObject&)> GetVariant;
    std::function<void(TObject&, const Variant&)> SetVariant;

    TTypeKind Kind() const { return PropType->Kind; }
    bool IsReadOnly() const;
};

// A published method: a member function that event properties can be bound
// to by name.
struct TMethodInfo {
    String Name;
    std::type_index Signature; // typeid(std::function<signature>)
    // Returns a std::function of the method's signature bound to Instance.
    std::function<std::any(TObject* Instance, const TMethodInfo& Method)> Bind;
};

struct TClassInfo {
    String Name;
    const TClassInfo* Parent = nullptr;
    // Makes a new, fully constructed instance; empty for abstract classes.
    // Component classes receive their owner, all others ignore it.
    std::function<TObject*(TComponent* AOwner)> Factory;
    // Collection item classes: makes an item that joins ACollection.
    std::function<TObject*(TCollection* ACollection)> ItemFactory;
    // The properties and methods this class publishes itself.
    std::vector<TPropInfo> Properties;
    std::vector<TMethodInfo> Methods;

    // True when this class is AClass or derives from it.
    bool InheritsFrom(const TClassInfo& AClass) const;

    // Creates an instance in two phases (constructor, then AfterConstruction).
    // Raises EInvalidOperation for a class without a factory.
    TObject* CreateInstance(TComponent* AOwner = nullptr) const;

    // The published method of that name (no regard to ASCII case), searched
    // from this class up; null when there is none.
    const TMethodInfo* MethodAddress(const String& AName) const;
};

// Declares the class's reflection record; put it first in the class body.
// Members after it are private until the next access specifier.
#define RTL_CLASS(TSelf)                                                                                     \
public:                                                                                                      \
    static const TClassInfo& StaticClassInfo();                                                              \
    const TClassInfo& ClassType() const override {                                                           \
        return TSelf::StaticClassInfo();                                                                     \
    }                                                                                                        \
                                                                                                             \
private:

namespace detail {
// The C++ name of a type without namespace qualifiers, e.g. "TFont".
String ClassNameOf(const std::type_info& Type);
TTypeInfo EnumTypeInfo(String Name, const String& CommaSeparatedNames);
TTypeInfo SetTypeInfo(String Name, const TTypeInfo& CompType);
TTypeInfo ClassTypeInfo(String Name, const TClassInfo& (*ClassInfoOfType)());
TTypeInfo MethodTypeInfo();
} // namespace detail

// ---- Type information of value types ---------------------------------------
// TypeInfoFor<T>() finds the description of T through an overload of
// TypeInfoOf(T*): the built-in types below, enumerations and sets declared
// with RTL_ENUM/RTL_ENUM_INFO/RTL_SET_INFO, classes and event types.

const TTypeInfo& TypeInfoOf(bool*);
const TTypeInfo& TypeInfoOf(ShortInt*);
const TTypeInfo& TypeInfoOf(Byte*);
const TTypeInfo& TypeInfoOf(SmallInt*);
const TTypeInfo& TypeInfoOf(Word*);
const TTypeInfo& TypeInfoOf(Integer*);
const TTypeInfo& TypeInfoOf(Cardinal*);
const TTypeInfo& TypeInfoOf(Int64*);
const TTypeInfo& TypeInfoOf(UInt64*);
const TTypeInfo& TypeInfoOf(AnsiChar*);
const TTypeInfo& TypeInfoOf(Char*);
const TTypeInfo& TypeInfoOf(Single*);
const TTypeInfo& TypeInfoOf(Double*);
const TTypeInfo& TypeInfoOf(String*);
const TTypeInfo& TypeInfoOf(AnsiString*);
const TTypeInfo& TypeInfoOf(Variant*);

template <class C>
requires std::is_base_of_v<TObject, C>
const TTypeInfo& TypeInfoOf(C**) {
    static const TTypeInfo Info = detail::ClassTypeInfo(detail::ClassNameOf(typeid(C)), &C::StaticClassInfo);
    return Info;
}

template <class R, class... A>
const TTypeInfo& TypeInfoOf(std::function<R(A...)>*) {
    static const TTypeInfo Info = detail::MethodTypeInfo();
    return Info;
}

template <class T>
const TTypeInfo& TypeInfoFor() {
    return TypeInfoOf(static_cast<T*>(nullptr));
}

// Declares an unscoped enumeration with its type information:
//   RTL_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter)
#define RTL_ENUM(TEnum, ...)                                                                                 \
    enum TEnum : int { __VA_ARGS__ };                                                                        \
    RTL_ENUM_INFO(TEnum, __VA_ARGS__)

// Type information for an enumeration declared elsewhere; the names must
// be listed in value order, the values running from 0 in steps of one.
#define RTL_ENUM_INFO(TEnum, ...)                                                                            \
    inline const TTypeInfo& TypeInfoOf(TEnum*) {                                                             \
        static const TTypeInfo Info = detail::EnumTypeInfo(u"" #TEnum, u"" #__VA_ARGS__);                    \
        return Info;                                                                                         \
    }

// Type information for a set type: using TFontStyles = TSet<TFontStyle>;
// RTL_SET_INFO(TFontStyles)
#define RTL_SET_INFO(TSetType)                                                                               \
    inline const TTypeInfo& TypeInfoOf(TSetType*) {                                                          \
        static const TTypeInfo Info = detail::SetTypeInfo(u"" #TSetType, TypeInfoFor<TSetType::TElement>()); \
        return Info;                                                                                         \
    }

// A type that C++ knows only as an alias of another (TColor is an Integer,
// TDateTime a Double) gets its own name through TypeInfo_<Name>(), handed to
// the property builder explicitly:
//   RTL_NAMED_TYPE_INFO(TColor, Integer)  ->  TypeInfo_TColor()
#define RTL_NAMED_TYPE_INFO(TName, TUnderlying)                                                              \
    inline const TTypeInfo& TypeInfo_##TName() {                                                             \
        static const TTypeInfo Info = [] {                                                                   \
            TTypeInfo Named = TypeInfoFor<TUnderlying>();                                                    \
            Named.Name = u"" #TName;                                                                         \
            return Named;                                                                                    \
        }();                                                                                                 \
        return Info;                                                                                         \
    }

RTL_NAMED_TYPE_INFO(TColor, TColor)
RTL_NAMED_TYPE_INFO(TDateTime, TDateTime)

// ---- The class registry ----------------------------------------------------
// Names compare without regard to ASCII case. Registering a second class
// under a taken name raises EFilerError "A class named %s already exists";
// registering a class again does nothing.
void RegisterClass(const TClassInfo& AClass);
void RegisterClasses(std::initializer_list<const TClassInfo*> AClasses);
void UnRegisterClass(const TClassInfo& AClass);
template <class T>
void RegisterClass() {
    RegisterClass(T::StaticClassInfo());
}

// The registered class of that name, or null.
const TClassInfo* GetClass(const String& AClassName);
// The registered class of that name; raises EClassNotFound "Class %s not found".
const TClassInfo& FindClass(const String& AClassName);

// ---- Properties --------------------------------------------------------------
// The published properties of a class, its ancestors' first, each in
// declaration order; a property that a class publishes again replaces the
// ancestor's in place.
std::vector<const TPropInfo*> GetPropList(const TClassInfo& AClass);
std::vector<const TPropInfo*> GetPropList(const TObject* Instance);

// The property of that name (no regard to ASCII case), or null.
const TPropInfo* GetPropInfo(const TClassInfo& AClass, const String& PropName);
const TPropInfo* GetPropInfo(const TObject* Instance, const String& PropName);
// As GetPropInfo, raising EPropertyError "Property %s does not exist".
const TPropInfo& FindPropInfo(const TObject* Instance, const String& PropName);

// Typed access. A property of an unsuitable kind raises EPropertyConvertError
// "Invalid property type: <type name>"; writing a read-only property raises
// EPropertyError "Property <name> is read-only"; an ordinal outside its
// type's range raises ERangeError "Range check error".
Int64 GetOrdProp(const TObject* Instance, const TPropInfo& Prop); // every ordinal kind
void SetOrdProp(TObject* Instance, const TPropInfo& Prop, Int64 Value);
Int64 GetInt64Prop(const TObject* Instance, const TPropInfo& Prop);
void SetInt64Prop(TObject* Instance, const TPropInfo& Prop, Int64 Value);
String GetEnumProp(const TObject* Instance, const TPropInfo& Prop);
// Raises EPropertyConvertError "Invalid property element: <name>" for a name
// the enumeration does not have.
void SetEnumProp(TObject* Instance, const TPropInfo& Prop, const String& Value);
String GetStrProp(const TObject* Instance, const TPropInfo& Prop); // string and char kinds
void SetStrProp(TObject* Instance, const TPropInfo& Prop, const String& Value);
Extended GetFloatProp(const TObject* Instance, const TPropInfo& Prop);
void SetFloatProp(TObject* Instance, const TPropInfo& Prop, Extended Value);
TObject* GetObjectProp(const TObject* Instance, const TPropInfo& Prop);
// Raises EPropertyConvertError "Invalid property value" for an object that
// is not of the property's class.
void SetObjectProp(TObject* Instance, const TPropInfo& Prop, TObject* Value);
TMethod GetMethodProp(const TObject* Instance, const TPropInfo& Prop);
// An unassigned TMethod clears the event; an assigned one must name a
// published method of Data with the event's signature, else
// EPropertyConvertError "Invalid property value".
void SetMethodProp(TObject* Instance, const TPropInfo& Prop, const TMethod& Value);
// Sets as text: the element names joined by "," ("fsBold,fsItalic"), in
// square brackets when Brackets is set.
String GetSetProp(const TObject* Instance, const TPropInfo& Prop, bool Brackets = false);
void SetSetProp(TObject* Instance, const TPropInfo& Prop, const String& Value);
Variant GetVariantProp(const TObject* Instance, const TPropInfo& Prop);
void SetVariantProp(TObject* Instance, const TPropInfo& Prop, const Variant& Value);

// The same operations by property name; an unknown name raises
// EPropertyError "Property %s does not exist".
Int64 GetOrdProp(const TObject* Instance, const String& PropName);
void SetOrdProp(TObject* Instance, const String& PropName, Int64 Value);
String GetEnumProp(const TObject* Instance, const String& PropName);
void SetEnumProp(TObject* Instance, const String& PropName, const String& Value);
String GetStrProp(const TObject* Instance, const String& PropName);
void SetStrProp(TObject* Instance, const String& PropName, const String& Value);
Extended GetFloatProp(const TObject* Instance, const String& PropName);
void SetFloatProp(TObject* Instance, const String& PropName, Extended Value);
TObject* GetObjectProp(const TObject* Instance, const String& PropName);
void SetObjectProp(TObject* Instance, const String& PropName, TObject* Value);
String GetSetProp(const TObject* Instance, const String& PropName, bool Brackets = false);
void SetSetProp(TObject* Instance, const String& PropName, const String& Value);

// Enumeration names: GetEnumName gives the name of a value (an empty text
// outside the range; "False"/"True" for Boolean); GetEnumValue the value of
// a name without regard to ASCII case, or -1.
String GetEnumName(const TTypeInfo& TypeInfo, Int64 Value);
Int64 GetEnumValue(const TTypeInfo& TypeInfo, const String& Name);
// A set's bit mask as text and back; the text may carry square brackets and
// spaces around the names.
String SetToString(const TTypeInfo& SetType, UInt64 Mask, bool Brackets = false);
UInt64 StringToSet(const TTypeInfo& SetType, const String& Value);

// The property is written to streams: its "stored" specifier holds.
bool IsStoredProp(const TObject* Instance, const TPropInfo& Prop);
// The property holds its stream default: an ordinal equal to its declared
// default, a float of 0, an empty string, an unset event, a null object, an
// empty variant.
bool IsDefaultPropertyValue(const TObject* Instance, const TPropInfo& Prop);

// The published method of that name on Instance, as an assigned TMethod, or
// an unassigned one when Instance's class publishes none of that name.
TMethod FindMethod(TObject* Instance, const String& AName);
