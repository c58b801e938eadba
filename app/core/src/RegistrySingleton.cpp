#include "core/RegistrySingleton.h"

#include "rtl/StringUtils.h"

namespace {

const String SoftwareRoot = u"SOFTWARE\\";

void AssertNotBlank(const String& name, const Char* what) {
    if (Trim(name).empty()) throw EAssertionFailed(u"Assertion failed: %s must not be blank", {what});
}

} // namespace

namespace detail {

void RaiseAlreadyCreated(const String& className) {
    throw Exception(u"Error: Object already created, use %s.GetSingleton.", {className});
}

void RaiseNotCreated(const String& className) {
    throw Exception(u"Error: Object not created, use %s.CreateSingleton.", {className});
}

void RaiseDirectCreate(const String& className) {
    throw Exception(u"Error: Do not use %s.Create, use %s.CreateSingleton.", {className, className});
}

void RaiseDirectDestroy(const String& className) {
    throw Exception(
        u"Error: Do not use %s.Destroy, this would destroy the singleton object, use %s.DestroySingleton !",
        {className, className});
}

} // namespace detail

TSoftwareKeyRegistry::TSoftwareKeyRegistry(String aSoftwareKeyName)
    : FSoftwareKeyName(std::move(aSoftwareKeyName)) {
    AssertNotBlank(FSoftwareKeyName, u"the software key name");
}

String TSoftwareKeyRegistry::KeyPath() const {
    return SoftwareRoot + FSoftwareKeyName;
}

bool TSoftwareKeyRegistry::VarExists(HKEY root, const String& aVarName, bool aMustExist) const {
    CheckCreated();
    AssertNotBlank(aVarName, u"the value name");
    TRegistry registry(KEY_READ);
    registry.SetRootKey(root);
    const bool exists = registry.OpenKeyReadOnly(KeyPath()) && registry.ValueExists(aVarName);
    registry.CloseKey();
    if (!exists && aMustExist)
        throw Exception(u"Key\\Variable: %s\\%s%s\\%s not found",
                        {RegistryRootName(root), SoftwareRoot, FSoftwareKeyName, aVarName});
    return exists;
}

String TSoftwareKeyRegistry::GetStr(HKEY root, const String& aVarName) const {
    VarExists(root, aVarName, true);
    TRegistry registry(KEY_READ);
    registry.SetRootKey(root);
    // The value was just found; a key that went away since reads as empty.
    const String value = registry.OpenKeyReadOnly(KeyPath()) ? registry.ReadString(aVarName) : String();
    registry.CloseKey();
    return value;
}

void TSoftwareKeyRegistry::SetStr(HKEY root, const String& aVarName, const String& aValue) {
    CheckCreated();
    AssertNotBlank(aVarName, u"the value name");
    TRegistry registry(KEY_ALL_ACCESS);
    registry.SetRootKey(root);
    registry.SetLazyWrite(false);
    if (!registry.OpenKey(KeyPath(), true))
        throw ERegistryException(u"Failed to open key " + RegistryRootName(root) + u"\\" + KeyPath());
    registry.WriteString(aVarName, aValue);
    registry.CloseKey();
}

bool TSoftwareKeyRegistry::HKLMVarExists(const String& aVarName, bool aMustExist) const {
    return VarExists(HKEY_LOCAL_MACHINE, aVarName, aMustExist);
}

String TSoftwareKeyRegistry::HKLMGetStr(const String& aVarName) const {
    return GetStr(HKEY_LOCAL_MACHINE, aVarName);
}

void TSoftwareKeyRegistry::HKLMSetStr(const String& aVarName, const String& aValue) {
    SetStr(HKEY_LOCAL_MACHINE, aVarName, aValue);
}

bool TSoftwareKeyRegistry::HKCUVarExists(const String& aVarName, bool aMustExist) const {
    return VarExists(HKEY_CURRENT_USER, aVarName, aMustExist);
}

String TSoftwareKeyRegistry::HKCUGetStr(const String& aVarName) const {
    return GetStr(HKEY_CURRENT_USER, aVarName);
}

void TSoftwareKeyRegistry::HKCUSetStr(const String& aVarName, const String& aValue) {
    SetStr(HKEY_CURRENT_USER, aVarName, aValue);
}

void TSoftwareKeyRegistry::HKCUDelVar(const String& aVarName) {
    CheckCreated();
    AssertNotBlank(aVarName, u"the value name");
    TRegistry registry(KEY_ALL_ACCESS);
    registry.SetRootKey(HKEY_CURRENT_USER);
    registry.SetLazyWrite(false);
    if (!registry.OpenKey(KeyPath(), true))
        throw ERegistryException(u"Failed to open key HKEY_CURRENT_USER\\" + KeyPath());
    registry.DeleteValue(aVarName);
    registry.CloseKey();
}

void TSoftwareKeyRegistry::HKCUDelKey(const String& aKeyName) {
    CheckCreated();
    AssertNotBlank(aKeyName, u"the key name");
    TRegistry registry(KEY_ALL_ACCESS);
    registry.SetRootKey(HKEY_CURRENT_USER);
    registry.SetLazyWrite(false);
    registry.DeleteKey(u"\\" + aKeyName);
}
