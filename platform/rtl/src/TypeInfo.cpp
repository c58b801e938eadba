#include "rtl/TypeInfo.h"

#include "rtl/Encoding.h"
#include "rtl/Exception.h"
#include "rtl/Format.h"
#include "rtl/StringUtils.h"
#include "rtl/TextCompare.h"

#include <cstdlib>
#include <cxxabi.h>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace detail {

String ClassNameOf(const std::type_info& Type) {
    // Demangling allocates; class names are asked for in messages and while
    // streaming, so each type is demangled once.
    static std::mutex Lock;
    static std::unordered_map<std::type_index, String> Cache;
    std::lock_guard Guard(Lock);
    auto Found = Cache.find(Type);
    if (Found != Cache.end()) return Found->second;

    int Status = 0;
    std::unique_ptr<char, decltype(&std::free)> Demangled(
        abi::__cxa_demangle(Type.name(), nullptr, nullptr, &Status), &std::free);
    std::string Name = Status == 0 && Demangled ? Demangled.get() : Type.name();
    // Drop namespace qualifiers of the class itself, not those inside
    // template arguments: "detail::TFoo" -> "TFoo".
    const auto TemplateStart = Name.find('<');
    const auto LastScope = Name.rfind("::", TemplateStart);
    if (LastScope != std::string::npos) Name.erase(0, LastScope + 2);
    return Cache.emplace(Type, FromUtf8(Name)).first->second;
}

namespace {
// Splits "a, b ,c" at the commas and trims each name.
std::vector<String> SplitNames(const String& Text) {
    std::vector<String> Names;
    size_t Start = 0;
    while (Start <= Text.size()) {
        const size_t Comma = std::min(Text.find(u',', Start), Text.size());
        String Name = Trim(std::u16string_view(Text).substr(Start, Comma - Start));
        if (!Name.empty()) Names.push_back(std::move(Name));
        Start = Comma + 1;
    }
    return Names;
}
} // namespace

TTypeInfo EnumTypeInfo(String Name, const String& CommaSeparatedNames) {
    TTypeInfo Info;
    Info.Kind = tkEnumeration;
    Info.Name = std::move(Name);
    Info.EnumNames = SplitNames(CommaSeparatedNames);
    Info.MinValue = 0;
    Info.MaxValue = static_cast<Int64>(Info.EnumNames.size()) - 1;
    return Info;
}

TTypeInfo SetTypeInfo(String Name, const TTypeInfo& CompType) {
    TTypeInfo Info;
    Info.Kind = tkSet;
    Info.Name = std::move(Name);
    Info.CompType = &CompType;
    Info.MinValue = 0;
    // Every combination of the element values is a valid mask.
    Info.MaxValue = CompType.MaxValue >= 62 ? std::numeric_limits<Int64>::max()
                                            : (Int64{1} << (CompType.MaxValue + 1)) - 1;
    return Info;
}

TTypeInfo ClassTypeInfo(String Name, const TClassInfo& (*ClassInfoOfType)()) {
    TTypeInfo Info;
    Info.Kind = tkClass;
    Info.Name = std::move(Name);
    Info.ClassInfoOfType = ClassInfoOfType;
    return Info;
}

TTypeInfo MethodTypeInfo() {
    TTypeInfo Info;
    Info.Kind = tkMethod;
    Info.Name = u"TMethod";
    return Info;
}

} // namespace detail

// ---- Type information of the built-in types -----------------------------------

namespace {

template <class T>
TTypeInfo OrdinalTypeInfo(TTypeKind Kind, String Name) {
    TTypeInfo Info;
    Info.Kind = Kind;
    Info.Name = std::move(Name);
    Info.MinValue = static_cast<Int64>(std::numeric_limits<T>::min());
    // UInt64 is reflected through Int64: its upper half is not reachable.
    Info.MaxValue = std::numeric_limits<T>::max() > static_cast<UInt64>(std::numeric_limits<Int64>::max())
                        ? std::numeric_limits<Int64>::max()
                        : static_cast<Int64>(std::numeric_limits<T>::max());
    return Info;
}

TTypeInfo SimpleTypeInfo(TTypeKind Kind, String Name, TFloatType FloatType = ftDouble) {
    TTypeInfo Info;
    Info.Kind = Kind;
    Info.Name = std::move(Name);
    Info.FloatType = FloatType;
    return Info;
}

} // namespace

#define RTL_BUILTIN_TYPE_INFO(TType, Expression)                                                             \
    const TTypeInfo& TypeInfoOf(TType*) {                                                                    \
        static const TTypeInfo Info = Expression;                                                            \
        return Info;                                                                                         \
    }

RTL_BUILTIN_TYPE_INFO(bool, detail::EnumTypeInfo(u"Boolean", u"False,True"))
RTL_BUILTIN_TYPE_INFO(ShortInt, OrdinalTypeInfo<ShortInt>(tkInteger, u"ShortInt"))
RTL_BUILTIN_TYPE_INFO(Byte, OrdinalTypeInfo<Byte>(tkInteger, u"Byte"))
RTL_BUILTIN_TYPE_INFO(SmallInt, OrdinalTypeInfo<SmallInt>(tkInteger, u"SmallInt"))
RTL_BUILTIN_TYPE_INFO(Word, OrdinalTypeInfo<Word>(tkInteger, u"Word"))
RTL_BUILTIN_TYPE_INFO(Integer, OrdinalTypeInfo<Integer>(tkInteger, u"Integer"))
RTL_BUILTIN_TYPE_INFO(Cardinal, OrdinalTypeInfo<Cardinal>(tkInteger, u"Cardinal"))
RTL_BUILTIN_TYPE_INFO(Int64, OrdinalTypeInfo<Int64>(tkInt64, u"Int64"))
RTL_BUILTIN_TYPE_INFO(UInt64, OrdinalTypeInfo<UInt64>(tkInt64, u"UInt64"))
RTL_BUILTIN_TYPE_INFO(AnsiChar, OrdinalTypeInfo<unsigned char>(tkChar, u"AnsiChar"))
RTL_BUILTIN_TYPE_INFO(Char, OrdinalTypeInfo<Char>(tkWChar, u"Char"))
RTL_BUILTIN_TYPE_INFO(Single, SimpleTypeInfo(tkFloat, u"Single", ftSingle))
RTL_BUILTIN_TYPE_INFO(Double, SimpleTypeInfo(tkFloat, u"Double", ftDouble))
RTL_BUILTIN_TYPE_INFO(String, SimpleTypeInfo(tkUString, u"string"))
RTL_BUILTIN_TYPE_INFO(AnsiString, SimpleTypeInfo(tkLString, u"AnsiString"))
RTL_BUILTIN_TYPE_INFO(Variant, SimpleTypeInfo(tkVariant, u"Variant"))

#undef RTL_BUILTIN_TYPE_INFO

bool TTypeInfo::IsOrdinal() const {
    switch (Kind) {
    case tkInteger:
    case tkChar:
    case tkEnumeration:
    case tkSet:
    case tkWChar:
    case tkInt64:
        return true;
    default:
        return false;
    }
}

bool TPropInfo::IsReadOnly() const {
    return !(SetOrd || SetFloat || SetStr || SetObject || SetMethod || SetVariant);
}

// ---- Classes -----------------------------------------------------------------

bool TClassInfo::InheritsFrom(const TClassInfo& AClass) const {
    for (const TClassInfo* Class = this; Class; Class = Class->Parent)
        if (Class == &AClass) return true;
    return false;
}

TObject* TClassInfo::CreateInstance(TComponent* AOwner) const {
    if (!Factory) throw EInvalidOperation(u"Cannot create an instance of the abstract class " + Name);
    return Factory(AOwner);
}

const TMethodInfo* TClassInfo::MethodAddress(const String& AName) const {
    for (const TClassInfo* Class = this; Class; Class = Class->Parent)
        for (const TMethodInfo& Method : Class->Methods)
            if (SameText(Method.Name, AName)) return &Method;
    return nullptr;
}

namespace {

// Class names are identifiers: folding ASCII letters is all the case
// insensitivity they need.
String RegistryKey(const String& Name) {
    return UpperCase(Name);
}

struct TClassRegistry {
    std::mutex Lock;
    std::map<String, const TClassInfo*> Classes;
};

TClassRegistry& Registry() {
    static TClassRegistry Instance;
    return Instance;
}

} // namespace

void RegisterClass(const TClassInfo& AClass) {
    auto& Reg = Registry();
    std::lock_guard Guard(Reg.Lock);
    auto [Slot, Added] = Reg.Classes.emplace(RegistryKey(AClass.Name), &AClass);
    if (!Added && Slot->second != &AClass)
        throw EFilerError(Format(u"A class named %s already exists", {AClass.Name}));
}

void RegisterClasses(std::initializer_list<const TClassInfo*> AClasses) {
    for (const TClassInfo* Class : AClasses)
        RegisterClass(*Class);
}

void UnRegisterClass(const TClassInfo& AClass) {
    auto& Reg = Registry();
    std::lock_guard Guard(Reg.Lock);
    auto Found = Reg.Classes.find(RegistryKey(AClass.Name));
    if (Found != Reg.Classes.end() && Found->second == &AClass) Reg.Classes.erase(Found);
}

const TClassInfo* GetClass(const String& AClassName) {
    auto& Reg = Registry();
    std::lock_guard Guard(Reg.Lock);
    auto Found = Reg.Classes.find(RegistryKey(AClassName));
    return Found == Reg.Classes.end() ? nullptr : Found->second;
}

const TClassInfo& FindClass(const String& AClassName) {
    if (const TClassInfo* Class = GetClass(AClassName)) return *Class;
    throw EClassNotFound(Format(u"Class %s not found", {AClassName}));
}

// ---- Property lists ------------------------------------------------------------

std::vector<const TPropInfo*> GetPropList(const TClassInfo& AClass) {
    std::vector<const TClassInfo*> Chain;
    for (const TClassInfo* Class = &AClass; Class; Class = Class->Parent)
        Chain.push_back(Class);

    std::vector<const TPropInfo*> List;
    for (auto Class = Chain.rbegin(); Class != Chain.rend(); ++Class)
        for (const TPropInfo& Prop : (*Class)->Properties) {
            auto Same = std::find_if(List.begin(), List.end(), [&](const TPropInfo* Known) {
                return SameText(Known->Name, Prop.Name);
            });
            if (Same != List.end())
                *Same = &Prop;
            else
                List.push_back(&Prop);
        }
    return List;
}

std::vector<const TPropInfo*> GetPropList(const TObject* Instance) {
    return GetPropList(Instance->ClassType());
}

const TPropInfo* GetPropInfo(const TClassInfo& AClass, const String& PropName) {
    for (const TClassInfo* Class = &AClass; Class; Class = Class->Parent)
        for (const TPropInfo& Prop : Class->Properties)
            if (SameText(Prop.Name, PropName)) return &Prop;
    return nullptr;
}

const TPropInfo* GetPropInfo(const TObject* Instance, const String& PropName) {
    return GetPropInfo(Instance->ClassType(), PropName);
}

const TPropInfo& FindPropInfo(const TObject* Instance, const String& PropName) {
    if (const TPropInfo* Prop = GetPropInfo(Instance, PropName)) return *Prop;
    throw EPropertyError(Format(u"Property %s does not exist", {PropName}));
}

// ---- Typed access ----------------------------------------------------------------

namespace {

[[noreturn]] void WrongKind(const TPropInfo& Prop) {
    throw EPropertyConvertError(Format(u"Invalid property type: %s", {Prop.PropType->Name}));
}

template <class F>
const F& Getter(const TPropInfo& Prop, const F& Accessor) {
    if (!Accessor) WrongKind(Prop);
    return Accessor;
}

template <class F>
const F& Setter(const TPropInfo& Prop, const F& Accessor, bool KindFits) {
    if (!KindFits) WrongKind(Prop);
    if (!Accessor) throw EPropertyError(Format(u"Property %s is read-only", {Prop.Name}));
    return Accessor;
}

bool IsStringKind(TTypeKind Kind) {
    return Kind == tkString || Kind == tkLString || Kind == tkWString || Kind == tkUString;
}

} // namespace

Int64 GetOrdProp(const TObject* Instance, const TPropInfo& Prop) {
    return Getter(Prop, Prop.GetOrd)(*Instance);
}

void SetOrdProp(TObject* Instance, const TPropInfo& Prop, Int64 Value) {
    const auto& Set = Setter(Prop, Prop.SetOrd, Prop.PropType->IsOrdinal());
    if (Value < Prop.PropType->MinValue || Value > Prop.PropType->MaxValue)
        throw ERangeError(u"Range check error");
    Set(*Instance, Value);
}

Int64 GetInt64Prop(const TObject* Instance, const TPropInfo& Prop) {
    return GetOrdProp(Instance, Prop);
}

void SetInt64Prop(TObject* Instance, const TPropInfo& Prop, Int64 Value) {
    SetOrdProp(Instance, Prop, Value);
}

String GetEnumProp(const TObject* Instance, const TPropInfo& Prop) {
    if (Prop.Kind() != tkEnumeration) WrongKind(Prop);
    return GetEnumName(*Prop.PropType, GetOrdProp(Instance, Prop));
}

void SetEnumProp(TObject* Instance, const TPropInfo& Prop, const String& Value) {
    if (Prop.Kind() != tkEnumeration) WrongKind(Prop);
    const Int64 Ordinal = GetEnumValue(*Prop.PropType, Value);
    if (Ordinal < 0) throw EPropertyConvertError(Format(u"Invalid property element: %s", {Value}));
    SetOrdProp(Instance, Prop, Ordinal);
}

String GetStrProp(const TObject* Instance, const TPropInfo& Prop) {
    if (Prop.Kind() == tkWChar) return String(1, static_cast<Char>(GetOrdProp(Instance, Prop)));
    if (Prop.Kind() == tkChar)
        return FromAnsi(AnsiString(1, static_cast<AnsiChar>(GetOrdProp(Instance, Prop))));
    return Getter(Prop, Prop.GetStr)(*Instance);
}

void SetStrProp(TObject* Instance, const TPropInfo& Prop, const String& Value) {
    if (Prop.Kind() == tkWChar || Prop.Kind() == tkChar) {
        if (Value.size() != 1) throw EPropertyConvertError(u"Invalid property value");
        const Int64 Code = Prop.Kind() == tkWChar ? Value[0] : static_cast<unsigned char>(ToAnsi(Value)[0]);
        SetOrdProp(Instance, Prop, Code);
        return;
    }
    Setter(Prop, Prop.SetStr, IsStringKind(Prop.Kind()))(*Instance, Value);
}

Extended GetFloatProp(const TObject* Instance, const TPropInfo& Prop) {
    return Getter(Prop, Prop.GetFloat)(*Instance);
}

void SetFloatProp(TObject* Instance, const TPropInfo& Prop, Extended Value) {
    Setter(Prop, Prop.SetFloat, Prop.Kind() == tkFloat)(*Instance, Value);
}

TObject* GetObjectProp(const TObject* Instance, const TPropInfo& Prop) {
    return Getter(Prop, Prop.GetObject)(*Instance);
}

void SetObjectProp(TObject* Instance, const TPropInfo& Prop, TObject* Value) {
    Setter(Prop, Prop.SetObject, Prop.Kind() == tkClass)(*Instance, Value);
}

TMethod GetMethodProp(const TObject* Instance, const TPropInfo& Prop) {
    return Getter(Prop, Prop.GetMethod)(*Instance);
}

void SetMethodProp(TObject* Instance, const TPropInfo& Prop, const TMethod& Value) {
    Setter(Prop, Prop.SetMethod, Prop.Kind() == tkMethod)(*Instance, Value);
}

Variant GetVariantProp(const TObject* Instance, const TPropInfo& Prop) {
    return Getter(Prop, Prop.GetVariant)(*Instance);
}

void SetVariantProp(TObject* Instance, const TPropInfo& Prop, const Variant& Value) {
    Setter(Prop, Prop.SetVariant, Prop.Kind() == tkVariant)(*Instance, Value);
}

String GetSetProp(const TObject* Instance, const TPropInfo& Prop, bool Brackets) {
    if (Prop.Kind() != tkSet) WrongKind(Prop);
    return SetToString(*Prop.PropType, static_cast<UInt64>(GetOrdProp(Instance, Prop)), Brackets);
}

void SetSetProp(TObject* Instance, const TPropInfo& Prop, const String& Value) {
    if (Prop.Kind() != tkSet) WrongKind(Prop);
    SetOrdProp(Instance, Prop, static_cast<Int64>(StringToSet(*Prop.PropType, Value)));
}

// By name.
Int64 GetOrdProp(const TObject* Instance, const String& PropName) {
    return GetOrdProp(Instance, FindPropInfo(Instance, PropName));
}
void SetOrdProp(TObject* Instance, const String& PropName, Int64 Value) {
    SetOrdProp(Instance, FindPropInfo(Instance, PropName), Value);
}
String GetEnumProp(const TObject* Instance, const String& PropName) {
    return GetEnumProp(Instance, FindPropInfo(Instance, PropName));
}
void SetEnumProp(TObject* Instance, const String& PropName, const String& Value) {
    SetEnumProp(Instance, FindPropInfo(Instance, PropName), Value);
}
String GetStrProp(const TObject* Instance, const String& PropName) {
    return GetStrProp(Instance, FindPropInfo(Instance, PropName));
}
void SetStrProp(TObject* Instance, const String& PropName, const String& Value) {
    SetStrProp(Instance, FindPropInfo(Instance, PropName), Value);
}
Extended GetFloatProp(const TObject* Instance, const String& PropName) {
    return GetFloatProp(Instance, FindPropInfo(Instance, PropName));
}
void SetFloatProp(TObject* Instance, const String& PropName, Extended Value) {
    SetFloatProp(Instance, FindPropInfo(Instance, PropName), Value);
}
TObject* GetObjectProp(const TObject* Instance, const String& PropName) {
    return GetObjectProp(Instance, FindPropInfo(Instance, PropName));
}
void SetObjectProp(TObject* Instance, const String& PropName, TObject* Value) {
    SetObjectProp(Instance, FindPropInfo(Instance, PropName), Value);
}
String GetSetProp(const TObject* Instance, const String& PropName, bool Brackets) {
    return GetSetProp(Instance, FindPropInfo(Instance, PropName), Brackets);
}
void SetSetProp(TObject* Instance, const String& PropName, const String& Value) {
    SetSetProp(Instance, FindPropInfo(Instance, PropName), Value);
}

// ---- Enumerations and sets ------------------------------------------------------

String GetEnumName(const TTypeInfo& TypeInfo, Int64 Value) {
    if (Value < 0 || Value >= static_cast<Int64>(TypeInfo.EnumNames.size())) return String();
    return TypeInfo.EnumNames[static_cast<size_t>(Value)];
}

Int64 GetEnumValue(const TTypeInfo& TypeInfo, const String& Name) {
    for (size_t I = 0; I < TypeInfo.EnumNames.size(); ++I)
        if (SameText(TypeInfo.EnumNames[I], Name)) return static_cast<Int64>(I);
    return -1;
}

String SetToString(const TTypeInfo& SetType, UInt64 Mask, bool Brackets) {
    String Text;
    const auto& Names = SetType.CompType->EnumNames;
    for (size_t I = 0; I < Names.size() && I < 64; ++I)
        if (Mask & (UInt64{1} << I)) {
            if (!Text.empty()) Text += u',';
            Text += Names[I];
        }
    return Brackets ? u"[" + Text + u"]" : Text;
}

UInt64 StringToSet(const TTypeInfo& SetType, const String& Value) {
    String Text = Trim(Value);
    if (!Text.empty() && Text.front() == u'[') Text.erase(0, 1);
    if (!Text.empty() && Text.back() == u']') Text.pop_back();
    UInt64 Mask = 0;
    for (const String& Name : detail::SplitNames(Text)) {
        const Int64 Ordinal = GetEnumValue(*SetType.CompType, Name);
        if (Ordinal < 0) throw EPropertyConvertError(Format(u"Invalid property element: %s", {Name}));
        Mask |= UInt64{1} << Ordinal;
    }
    return Mask;
}

// ---- Stream defaults -------------------------------------------------------------

bool IsStoredProp(const TObject* Instance, const TPropInfo& Prop) {
    return Prop.StoredFunc ? Prop.StoredFunc(*Instance) : Prop.StoredConst;
}

bool IsDefaultPropertyValue(const TObject* Instance, const TPropInfo& Prop) {
    if (Prop.PropType->IsOrdinal()) return Prop.HasDefault && GetOrdProp(Instance, Prop) == Prop.Default;
    switch (Prop.Kind()) {
    case tkFloat:
        return GetFloatProp(Instance, Prop) == 0;
    case tkString:
    case tkLString:
    case tkWString:
    case tkUString:
        return GetStrProp(Instance, Prop).empty();
    case tkMethod:
        return !GetMethodProp(Instance, Prop).Assigned;
    case tkClass:
        return GetObjectProp(Instance, Prop) == nullptr;
    case tkVariant:
        return GetVariantProp(Instance, Prop).IsEmpty();
    default:
        return false;
    }
}

TMethod FindMethod(TObject* Instance, const String& AName) {
    if (!Instance) return {};
    const TMethodInfo* Method = Instance->ClassType().MethodAddress(AName);
    if (!Method) return {};
    return {Instance, Method->Name, true};
}
