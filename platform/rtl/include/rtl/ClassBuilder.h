#pragma once
// TClassBuilder: the declarative block that builds a class's reflection
// record next to the class, in its source file:
//
//   const TClassInfo& TFont::StaticClassInfo() {
//       static const TClassInfo Info = TClassBuilder<TFont, TPersistent>()
//           .Property(u"Color", TypeInfo_TColor(), &TFont::Color, &TFont::SetColor).Default(clWindowText)
//           .Property(u"Name", &TFont::Name, &TFont::SetName)
//           .Property(u"Style", &TFont::Style, &TFont::SetStyle).Default(0)
//           .Build();
//       return Info;
//   }
//
// A getter is anything callable with a const reference to the class
// (a const member function, a data member pointer, a lambda); a setter
// anything callable with a reference and the value, or nullptr for a
// read-only property. The property's type follows from the getter's result
// unless a TTypeInfo is given.

#include "rtl/Exception.h"
#include "rtl/TypeInfo.h"

#include <stdexcept>
#include <type_traits>
#include <utility>

namespace detail {

template <class T>
struct IsSet : std::false_type {};
template <class E>
struct IsSet<TSet<E>> : std::true_type {};

template <class T>
struct IsFunction : std::false_type {};
template <class R, class... A>
struct IsFunction<std::function<R(A...)>> : std::true_type {};

// The object as the class that declared the property; the property tables
// are only ever applied to instances of that class or its descendants.
template <class C>
const C& AsClass(const TObject& Obj) {
    if (auto* Typed = dynamic_cast<const C*>(&Obj)) return *Typed;
    throw EInvalidCast(u"Invalid class typecast");
}
template <class C>
C& AsClass(TObject& Obj) {
    if (auto* Typed = dynamic_cast<C*>(&Obj)) return *Typed;
    throw EInvalidCast(u"Invalid class typecast");
}

// An event handler that is a published method: remembers its object and
// method so that reflection can name it again.
template <class Sig>
struct TBoundMethod;
template <class R, class... A>
struct TBoundMethod<R(A...)> {
    TObject* Instance;
    const TMethodInfo* Method;
    std::function<R(TObject*, A...)> Invoke;
    R operator()(A... Args) const { return Invoke(Instance, std::forward<A>(Args)...); }
};

template <class T>
struct MemberFunctionTraits;
template <class C, class R, class... A>
struct MemberFunctionTraits<R (C::*)(A...)> {
    using Class = C;
    using Signature = R(A...);
};

} // namespace detail

template <class TSelf, class TParent>
requires std::is_base_of_v<TParent, TSelf> && std::is_base_of_v<TObject, TParent>
class TClassBuilder {
public:
    TClassBuilder() {
        FInfo.Name = detail::ClassNameOf(typeid(TSelf));
        FInfo.Parent = &TParent::StaticClassInfo();
        if constexpr (!std::is_abstract_v<TSelf>) {
            if constexpr (std::is_constructible_v<TSelf, TComponent*>) {
                FInfo.Factory = [](TComponent* AOwner) -> TObject* { return Create<TSelf>(AOwner); };
            } else if constexpr (std::is_constructible_v<TSelf, TCollection*>) {
                FInfo.Factory = [](TComponent*) -> TObject* {
                    return Create<TSelf>(static_cast<TCollection*>(nullptr));
                };
                FInfo.ItemFactory = [](TCollection* ACollection) -> TObject* {
                    return Create<TSelf>(ACollection);
                };
            } else if constexpr (std::is_default_constructible_v<TSelf>)
                FInfo.Factory = [](TComponent*) -> TObject* { return Create<TSelf>(); };
        }
    }

    // A published property whose type follows from the getter.
    template <class TGetter, class TSetter>
    TClassBuilder& Property(String Name, TGetter Getter, TSetter Setter) {
        using T = ValueType<TGetter>;
        return Property(std::move(Name), TypeInfoFor<T>(), std::move(Getter), std::move(Setter));
    }

    // A published property of an explicitly named type (TColor, TDateTime…).
    template <class TGetter, class TSetter>
    TClassBuilder& Property(String Name, const TTypeInfo& Type, TGetter Getter, TSetter Setter) {
        using T = ValueType<TGetter>;
        constexpr bool ReadOnly = std::is_null_pointer_v<TSetter>;
        TPropInfo& Prop = FInfo.Properties.emplace_back();
        Prop.Name = std::move(Name);
        Prop.PropType = &Type;

        auto Get = [Getter](const TObject& Obj) -> T {
            return std::invoke(Getter, detail::AsClass<TSelf>(Obj));
        };
        auto Set = [Setter](TObject& Obj, T Value) {
            if constexpr (!ReadOnly)
                std::invoke(Setter, detail::AsClass<TSelf>(Obj), std::move(Value));
            else
                (void)Setter, (void)Obj, (void)Value; // read-only: never called
        };

        if constexpr (std::is_same_v<T, bool>) {
            Prop.GetOrd = [Get](const TObject& Obj) -> Int64 { return Get(Obj) ? 1 : 0; };
            if constexpr (!ReadOnly) Prop.SetOrd = [Set](TObject& Obj, Int64 V) { Set(Obj, V != 0); };
        } else if constexpr (std::is_enum_v<T>) {
            Prop.GetOrd = [Get](const TObject& Obj) -> Int64 { return static_cast<Int64>(Get(Obj)); };
            if constexpr (!ReadOnly)
                Prop.SetOrd = [Set](TObject& Obj, Int64 V) { Set(Obj, static_cast<T>(V)); };
        } else if constexpr (detail::IsSet<T>::value) {
            Prop.GetOrd = [Get](const TObject& Obj) -> Int64 { return static_cast<Int64>(Get(Obj).Mask()); };
            if constexpr (!ReadOnly)
                Prop.SetOrd = [Set](TObject& Obj, Int64 V) { Set(Obj, T::FromMask(static_cast<UInt64>(V))); };
        } else if constexpr (std::is_integral_v<T>) {
            Prop.GetOrd = [Get](const TObject& Obj) -> Int64 { return static_cast<Int64>(Get(Obj)); };
            if constexpr (!ReadOnly)
                Prop.SetOrd = [Set](TObject& Obj, Int64 V) { Set(Obj, static_cast<T>(V)); };
        } else if constexpr (std::is_floating_point_v<T>) {
            Prop.GetFloat = [Get](const TObject& Obj) -> Extended { return Get(Obj); };
            if constexpr (!ReadOnly)
                Prop.SetFloat = [Set](TObject& Obj, Extended V) { Set(Obj, static_cast<T>(V)); };
        } else if constexpr (std::is_same_v<T, String>) {
            Prop.GetStr = Get;
            if constexpr (!ReadOnly) Prop.SetStr = [Set](TObject& Obj, const String& V) { Set(Obj, V); };
        } else if constexpr (std::is_pointer_v<T> && std::is_base_of_v<TObject, std::remove_pointer_t<T>>) {
            using C = std::remove_pointer_t<T>;
            Prop.GetObject = [Get](const TObject& Obj) -> TObject* { return Get(Obj); };
            if constexpr (!ReadOnly)
                Prop.SetObject = [Set](TObject& Obj, TObject* V) {
                    C* Typed = dynamic_cast<C*>(V);
                    if (V && !Typed) throw EPropertyConvertError(u"Invalid property value");
                    Set(Obj, Typed);
                };
        } else if constexpr (std::is_same_v<T, Variant>) {
            Prop.GetVariant = Get;
            if constexpr (!ReadOnly) Prop.SetVariant = [Set](TObject& Obj, const Variant& V) { Set(Obj, V); };
        } else if constexpr (detail::IsFunction<T>::value) {
            BindEvent<T>(Prop, Get, Set, ReadOnly);
        } else {
            static_assert(sizeof(T) == 0, "no reflection for this property type");
        }
        return *this;
    }

    // The stream default of the last property (ordinal kinds only).
    template <class V>
    TClassBuilder& Default(V Value) {
        TPropInfo& Prop = Last();
        if (!Prop.PropType->IsOrdinal()) throw std::logic_error("Default applies to ordinal properties only");
        Prop.HasDefault = true;
        if constexpr (detail::IsSet<V>::value)
            Prop.Default = static_cast<Int64>(Value.Mask());
        else
            Prop.Default = static_cast<Int64>(Value);
        return *this;
    }

    // Whether the last property is written to streams: a constant, or a
    // const member function / callable of the instance.
    TClassBuilder& Stored(bool IsStored) {
        Last().StoredConst = IsStored;
        return *this;
    }
    template <class F>
    requires(!std::is_same_v<F, bool>) TClassBuilder& Stored(F IsStored) {
        Last().StoredFunc = [IsStored](const TObject& Obj) -> bool {
            return std::invoke(IsStored, detail::AsClass<TSelf>(Obj));
        };
        return *this;
    }

    // A published method, e.g. an event handler of a window:
    //   .Method(u"btnFinishClick", &TfrmMain::btnFinishClick)
    template <class M>
    TClassBuilder& Method(String Name, M Member) {
        using Traits = detail::MemberFunctionTraits<M>;
        using Sig = typename Traits::Signature;
        FInfo.Methods.push_back(TMethodInfo{std::move(Name), typeid(std::function<Sig>),
                                            [Member](TObject* Instance, const TMethodInfo& Info) -> std::any {
                                                return std::function<Sig>(
                                                    MakeBound<Sig>(Instance, &Info, Member));
                                            }});
        return *this;
    }

    TClassInfo Build() { return std::move(FInfo); }

private:
    template <class TGetter>
    using ValueType = std::remove_cvref_t<std::invoke_result_t<TGetter, const TSelf&>>;

    TPropInfo& Last() {
        if (FInfo.Properties.empty()) throw std::logic_error("no property to qualify");
        return FInfo.Properties.back();
    }

    template <class Sig, class M>
    static detail::TBoundMethod<Sig> MakeBound(TObject* Instance, const TMethodInfo* Info, M Member) {
        return MakeBoundImpl(Instance, Info, Member, static_cast<Sig*>(nullptr));
    }
    template <class M, class R, class... A>
    static detail::TBoundMethod<R(A...)> MakeBoundImpl(TObject* Instance, const TMethodInfo* Info, M Member,
                                                       R (*)(A...)) {
        using C = typename detail::MemberFunctionTraits<M>::Class;
        return {Instance, Info, [Member](TObject* Obj, A... Args) -> R {
                    return std::invoke(Member, detail::AsClass<C>(*Obj), std::forward<A>(Args)...);
                }};
    }

    template <class TEvent, class TGet, class TSet>
    static void BindEvent(TPropInfo& Prop, TGet Get, TSet Set, bool ReadOnly) {
        BindEventImpl<TEvent>(Prop, Get, Set, ReadOnly, static_cast<TEvent*>(nullptr));
    }
    template <class TEvent, class TGet, class TSet, class R, class... A>
    static void BindEventImpl(TPropInfo& Prop, TGet Get, TSet Set, bool ReadOnly, std::function<R(A...)>*) {
        using Bound = detail::TBoundMethod<R(A...)>;
        Prop.GetMethod = [Get](const TObject& Obj) -> TMethod {
            const TEvent Handler = Get(Obj);
            if (!Handler) return {};
            if (const Bound* B = Handler.template target<Bound>())
                return {B->Instance, B->Method->Name, true};
            return {nullptr, String(), true};
        };
        if (ReadOnly) return;
        Prop.SetMethod = [Set](TObject& Obj, const TMethod& Value) {
            if (!Value.Assigned) {
                Set(Obj, TEvent());
                return;
            }
            const TMethodInfo* Info =
                Value.Data ? Value.Data->ClassType().MethodAddress(Value.Name) : nullptr;
            if (!Info || Info->Signature != typeid(TEvent))
                throw EPropertyConvertError(u"Invalid property value");
            Set(Obj, std::any_cast<TEvent>(Info->Bind(Value.Data, *Info)));
        };
    }

    TClassInfo FInfo;
};
