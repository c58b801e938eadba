#pragma once
// Run-time class information: one TClassInfo record per reflected class with
// its name, its parent's record and a factory, and a registry that finds
// classes by name (RegisterClass, FindClass, GetClass).
//
// A class declares its record with RTL_CLASS(TSelf) at the top of its body
// and defines it next to its other members:
//
//   const TClassInfo& TFoo::StaticClassInfo() {
//       static const TClassInfo Info = TClassBuilder<TFoo, TPersistent>().Build();
//       return Info;
//   }

#include "rtl/Object.h"

#include <functional>
#include <type_traits>
#include <vector>

class TComponent;

struct TClassInfo {
    String Name;
    const TClassInfo* Parent = nullptr;
    // Makes a new, fully constructed instance; empty for abstract classes.
    // Component classes receive their owner, all others ignore it.
    std::function<TObject*(TComponent* AOwner)> Factory;

    // True when this class is AClass or derives from it.
    bool InheritsFrom(const TClassInfo& AClass) const;

    // Creates an instance in two phases (constructor, then AfterConstruction).
    // Raises EInvalidOperation for a class without a factory.
    TObject* CreateInstance(TComponent* AOwner = nullptr) const;
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
} // namespace detail

// Builds the reflection record of TSelf, whose parent class is TParent.
template <class TSelf, class TParent>
requires std::is_base_of_v<TParent, TSelf> && std::is_base_of_v<TObject, TParent>
class TClassBuilder {
public:
    TClassBuilder() {
        FInfo.Name = detail::ClassNameOf(typeid(TSelf));
        FInfo.Parent = &TParent::StaticClassInfo();
        if constexpr (!std::is_abstract_v<TSelf>) {
            if constexpr (std::is_constructible_v<TSelf, TComponent*>)
                FInfo.Factory = [](TComponent* AOwner) -> TObject* { return Create<TSelf>(AOwner); };
            else if constexpr (std::is_default_constructible_v<TSelf>)
                FInfo.Factory = [](TComponent*) -> TObject* { return Create<TSelf>(); };
        }
    }

    TClassInfo Build() { return std::move(FInfo); }

protected:
    TClassInfo FInfo;
};

// The class registry. Names compare without regard to ASCII case.
// Registering a second class under a taken name raises EFilerError
// "A class named %s already exists"; registering a class again does nothing.
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
