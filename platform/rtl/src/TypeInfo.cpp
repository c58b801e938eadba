#include "rtl/TypeInfo.h"

#include "rtl/Encoding.h"
#include "rtl/Exception.h"

#include <cstdlib>
#include <cxxabi.h>
#include <map>
#include <memory>
#include <mutex>
#include <typeindex>
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

} // namespace detail

bool TClassInfo::InheritsFrom(const TClassInfo& AClass) const {
    for (const TClassInfo* Class = this; Class; Class = Class->Parent)
        if (Class == &AClass) return true;
    return false;
}

TObject* TClassInfo::CreateInstance(TComponent* AOwner) const {
    if (!Factory) throw EInvalidOperation(u"Cannot create an instance of the abstract class " + Name);
    return Factory(AOwner);
}

namespace {

// Class names are identifiers: folding ASCII letters is all the case
// insensitivity they need.
String RegistryKey(const String& Name) {
    String Key = Name;
    for (Char& C : Key)
        if (C >= u'a' && C <= u'z') C = static_cast<Char>(C - u'a' + u'A');
    return Key;
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
        throw EFilerError(u"A class named " + AClass.Name + u" already exists");
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
    throw EClassNotFound(u"Class " + AClassName + u" not found");
}
