#pragma once
// The registry: keys and typed values under the two roots HKEY_CURRENT_USER
// and HKEY_LOCAL_MACHINE, kept in one text file per root (see RegistryHives.h
// for where the files live). Every change is written through to the file at
// once, under a lock, by replacing the whole file atomically; readers never
// see a half-written file and two processes never lose each other's writes.
// Key and value names compare case-insensitively and keep the case they were
// created with.

#include "rtl/Exception.h"
#include "rtl/Types.h"

#include <cstdint>
#include <vector>

using HKEY = std::uintptr_t;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;

// Access rights a registry object opens keys with.
inline constexpr Cardinal KEY_READ = 0x20019;
inline constexpr Cardinal KEY_WRITE = 0x20006;
inline constexpr Cardinal KEY_ALL_ACCESS = 0xF003F;

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

// The file that holds a root's keys. With VANDREL_REGISTRY_DIR set, both
// files live in that folder; otherwise HKEY_CURRENT_USER is kept under
// $XDG_CONFIG_HOME/Vandrel/ (default ~/.config/Vandrel/) and
// HKEY_LOCAL_MACHINE in the installation's etc/ folder, beside the folder of
// the program file.
String RegistryHiveFileName(HKEY root);
String RegistryRootName(HKEY root); // "HKEY_CURRENT_USER" …

class TStrings;

class ERegistryException : public Exception {
public:
    explicit ERegistryException(String message) : Exception(std::move(message)) {}
};

class TRegistry {
public:
    TRegistry();
    explicit TRegistry(Cardinal access);
    ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey() const { return FRootKey; }
    // Changing the root closes the open key.
    void SetRootKey(HKEY value);
    Cardinal Access() const { return FAccess; }
    void SetAccess(Cardinal value) { FAccess = value; }
    // Changes are always written through at once; the switch is kept for
    // callers that turn it off and has no further effect.
    bool LazyWrite() const { return FLazyWrite; }
    void SetLazyWrite(bool value) { FLazyWrite = value; }

    // A key name starting with a backslash is taken from the root, any other
    // relative to the open key. Opening replaces the open key.
    bool OpenKey(const String& key, bool canCreate);
    bool OpenKeyReadOnly(const String& key);
    bool CreateKey(const String& key);
    void CloseKey();
    bool KeyExists(const String& key) const;
    bool DeleteKey(const String& key); // with all its subkeys
    bool HasSubKeys() const;
    // Non-zero while a key is open.
    HKEY CurrentKey() const { return FKeyOpen ? FRootKey : 0; }
    // The open key's path below the root as it was asked for, without a
    // leading backslash.
    String CurrentPath() const;

    bool ValueExists(const String& name) const;
    TRegDataType GetDataType(const String& name) const;
    String ReadString(const String& name) const; // empty for a missing value
    Integer ReadInteger(const String& name) const;
    bool ReadBool(const String& name) const;
    void WriteString(const String& name, const String& value);
    void WriteInteger(const String& name, Integer value);
    void WriteBool(const String& name, bool value);
    bool DeleteValue(const String& name);

    // Names of the open key's subkeys (in name order) and values (in the
    // order they were created); the lists are cleared first.
    void GetKeyNames(TStrings* strings) const;
    void GetValueNames(TStrings* strings) const;
    std::vector<String> KeyNames() const;
    std::vector<String> ValueNames() const;

private:
    std::vector<String> ResolvePath(const String& key) const;
    bool CanWrite() const;
    void RequireWritableKey(const String& name) const;

    HKEY FRootKey = HKEY_CURRENT_USER;
    Cardinal FAccess = KEY_ALL_ACCESS;
    bool FLazyWrite = true;
    bool FKeyOpen = false;
    bool FReadOnly = false;
    std::vector<String> FCurrentPath;
};
