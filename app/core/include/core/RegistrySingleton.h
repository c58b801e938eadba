#pragma once
// Registry access for one software key (SOFTWARE\<key name>) under
// HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER, as a singleton per class: one
// instance per class for the whole process, made and destroyed only through
// the class-level CreateSingleton and DestroySingleton. Constructing or
// freeing an instance any other way is refused with an exception, and so is
// every instance operation once the class has no instance. The class name in
// the messages is the actual class (TVANDRELRegistry, TVORNRegistry).
//
// A registry class is declared as
//   class TMyRegistry final : public TRegistrySingleton<TMyRegistry> {
//   public:
//       using TRegistrySingleton::TRegistrySingleton;
//   private:
//       ~TMyRegistry() override = default; // only the class frees it
//   };

#include "os/Registry.h"
#include "rtl/Exception.h"
#include "rtl/Object.h"
#include "rtl/TypeInfo.h"

#include <typeinfo>

// The instance operations; every one first checks that its class has an
// instance. Names of values and keys must not be blank (EAssertionFailed).
class TSoftwareKeyRegistry : public TObject {
public:
    // The key name below SOFTWARE\, as it was given.
    const String& SoftwareKeyName() const { return FSoftwareKeyName; }

    // Whether the value exists in the key; false when the key cannot be
    // opened. With aMustExist a missing value raises
    // "Key\Variable: HKEY_LOCAL_MACHINE\SOFTWARE\<key name>\<value> not found".
    bool HKLMVarExists(const String& aVarName, bool aMustExist) const;
    // The string value; a missing one raises the "not found" message.
    String HKLMGetStr(const String& aVarName) const;
    // Writes the value at once, creating the key when it is missing.
    void HKLMSetStr(const String& aVarName, const String& aValue);

    bool HKCUVarExists(const String& aVarName, bool aMustExist) const;
    String HKCUGetStr(const String& aVarName) const;
    void HKCUSetStr(const String& aVarName, const String& aValue);
    // Deletes the value (a missing one is no error); the key is created when
    // it is missing.
    void HKCUDelVar(const String& aVarName);
    // Deletes `aKeyName`, taken from the root of HKEY_CURRENT_USER (not below
    // the software key), with all its subkeys.
    void HKCUDelKey(const String& aKeyName);

protected:
    explicit TSoftwareKeyRegistry(String aSoftwareKeyName);
    // Raises "Error: Object not created, use %s.CreateSingleton." when the
    // class has no instance.
    virtual void CheckCreated() const = 0;

private:
    String KeyPath() const;
    bool VarExists(HKEY root, const String& aVarName, bool aMustExist) const;
    String GetStr(HKEY root, const String& aVarName) const;
    void SetStr(HKEY root, const String& aVarName, const String& aValue);

    String FSoftwareKeyName;
};

namespace detail {
// The refusal messages of the singleton protocol, with the class name.
[[noreturn]] void RaiseAlreadyCreated(const String& className);
[[noreturn]] void RaiseNotCreated(const String& className);
[[noreturn]] void RaiseDirectCreate(const String& className);
[[noreturn]] void RaiseDirectDestroy(const String& className);
} // namespace detail

template <class TSelf>
class TRegistrySingleton : public TSoftwareKeyRegistry {
public:
    // Refused with "Error: Do not use %s.Create, use %s.CreateSingleton."
    // unless CreateSingleton runs it.
    explicit TRegistrySingleton(const String& aSoftwareKeyName)
        : TSoftwareKeyRegistry(RefuseDirectCreate(aSoftwareKeyName)) {}

    // Raises "Error: Object already created, use %s.GetSingleton." when the
    // instance exists. A constructor that fails leaves no instance.
    static void CreateSingleton(const String& aSoftwareKeyName) {
        if (FInstance) detail::RaiseAlreadyCreated(ClassNameOfSelf());
        EnsureDestroyedAtProgramEnd();
        FCreating = true;
        try {
            FInstance = new TSelf(aSoftwareKeyName);
        } catch (...) {
            FCreating = false;
            throw;
        }
        FCreating = false;
    }

    // Raises "Error: Object not created, use %s.CreateSingleton." when there
    // is no instance.
    static TSelf& GetSingleton() {
        if (!FInstance) detail::RaiseNotCreated(ClassNameOfSelf());
        return *FInstance;
    }

    static bool Created() { return FInstance != nullptr; }

    // Destroys the instance when there is one; nothing otherwise.
    static void DestroySingleton() {
        if (!FInstance) return;
        TSelf* instance = FInstance;
        FInstance = nullptr;
        FDestroying = true;
        Free(instance);
    }

    // Freeing the instance other than through DestroySingleton is refused
    // with "Error: Do not use %s.Destroy, this would destroy the singleton
    // object, use %s.DestroySingleton !"; the instance stays.
    void BeforeDestruction() override {
        if (!FDestroying) detail::RaiseDirectDestroy(ClassNameOfSelf());
        FDestroying = false;
        TSoftwareKeyRegistry::BeforeDestruction();
    }

protected:
    void CheckCreated() const override {
        if (!FInstance) detail::RaiseNotCreated(ClassNameOfSelf());
    }

private:
    static String ClassNameOfSelf() { return detail::ClassNameOf(typeid(TSelf)); }

    static const String& RefuseDirectCreate(const String& aSoftwareKeyName) {
        if (!FCreating) detail::RaiseDirectCreate(ClassNameOfSelf());
        return aSoftwareKeyName;
    }

    // A remaining instance is destroyed when the program ends.
    static void EnsureDestroyedAtProgramEnd() {
        static struct TProgramEnd {
            ~TProgramEnd() { DestroySingleton(); }
        } programEnd;
    }

    static inline TSelf* FInstance = nullptr;
    static inline bool FCreating = false;
    static inline bool FDestroying = false;
};
