#pragma once
// The root of the object model: every class of the desktop program derives
// from TObject and is created and destroyed in two phases, so that work that
// needs virtual dispatch runs on the finished object:
//   Create<T>(args...)  constructs, then calls the virtual AfterConstruction;
//   Free(p)             calls the virtual BeforeDestruction, then deletes.
// Constructors and destructors never call virtual operations.

#include "rtl/Types.h"

#include <type_traits>
#include <utility>

struct TClassInfo;

class TObject {
public:
    TObject() = default;
    virtual ~TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;

    // The name of the object's own (most derived) class, e.g. "TFont".
    String ClassName() const;

    // The reflection record of the nearest class that declares one (see
    // RTL_CLASS in rtl/TypeInfo.h); for TObject itself, TObject's record.
    virtual const TClassInfo& ClassType() const;
    static const TClassInfo& StaticClassInfo();

    // True when the object's class is AClass or derives from it.
    bool InheritsFrom(const TClassInfo& AClass) const;

    // Run by Create<T> once the most derived constructor has finished, and by
    // Free just before the destructors run.
    virtual void AfterConstruction() {}
    virtual void BeforeDestruction() {}
};

// Frees an object created with Create<T> (or by a class factory). Null-safe.
inline void Free(TObject* Obj) {
    if (!Obj) return;
    Obj->BeforeDestruction();
    delete Obj;
}

// Constructs a T and completes it with AfterConstruction. When that hook
// fails the half-made object is deleted and the exception passes on.
template <class T, class... Args>
requires std::is_base_of_v<TObject, T> T* Create(Args&&... args) {
    T* Obj = new T(std::forward<Args>(args)...);
    try {
        Obj->AfterConstruction();
    } catch (...) {
        delete Obj;
        throw;
    }
    return Obj;
}

// Clears the reference first, then frees the object, so nothing reached from
// the destruction sees a pointer to a dying object.
template <class T>
requires std::is_base_of_v<TObject, T>
void FreeAndNil(T*& Obj) {
    T* Old = Obj;
    Obj = nullptr;
    Free(Old);
}
