#include "os/Registry.h"

#include "RegistryHive.h"
#include "RegistryStore.h"
#include "rtl/StringList.h"

#include <algorithm>

namespace {

using os::detail::ChangeHive;
using os::detail::ReadHive;
using os::detail::TRegKeyNode;
using os::detail::TRegValueData;

constexpr Cardinal KEY_SET_VALUE = 0x0002;

[[noreturn]] void FailGet(const String& name) {
    throw ERegistryException(u"Failed to get data for '" + name + u"'");
}
[[noreturn]] void FailSet(const String& name) {
    throw ERegistryException(u"Failed to set data for '" + name + u"'");
}
[[noreturn]] void FailType(const String& name) {
    throw ERegistryException(u"Invalid data type for '" + name + u"'");
}

// Line breaks cannot be part of a key name in the hive file.
bool ValidKeyPath(const std::vector<String>& path) {
    return std::none_of(path.begin(), path.end(),
                        [](const String& name) { return name.find_first_of(u"\r\n") != String::npos; });
}

// Sets a value of the key at `path`; a value that already holds the same
// data is left as it is, so the hive is not written again. False when the key
// does not exist or the hive cannot be written.
bool SetKeyValue(HKEY root, const std::vector<String>& path, TRegValueData data) {
    bool keyFound = false;
    const bool stored = ChangeHive(root, [&](TRegKeyNode& hive) {
        TRegKeyNode* key = hive.Find(path);
        if (!(keyFound = key != nullptr)) return false;
        const TRegValueData* old = key->FindValue(data.Name);
        if (old && old->Type == data.Type &&
            (data.Type == rdInteger ? old->Number == data.Number : old->Text == data.Text))
            return false;
        key->SetValue(std::move(data));
        return true;
    });
    return stored && keyFound;
}

} // namespace

TRegistry::TRegistry() = default;

TRegistry::TRegistry(Cardinal access) : FAccess(access) {}

TRegistry::~TRegistry() {
    CloseKey();
}

void TRegistry::SetRootKey(HKEY value) {
    if (value == FRootKey) return;
    CloseKey();
    FRootKey = value;
}

std::vector<String> TRegistry::ResolvePath(const String& key) const {
    std::vector<String> path;
    if (FKeyOpen && (key.empty() || key.front() != u'\\')) path = FCurrentPath;
    for (auto& part : os::detail::SplitKeyPath(key))
        path.push_back(std::move(part));
    return path;
}

bool TRegistry::CanWrite() const {
    return (FAccess & KEY_SET_VALUE) != 0;
}

bool TRegistry::OpenKey(const String& key, bool canCreate) {
    std::vector<String> path = ResolvePath(key);
    bool exists = ReadHive(FRootKey)->Find(path) != nullptr;
    if (!exists && canCreate && CanWrite() && ValidKeyPath(path))
        exists = ChangeHive(FRootKey, [&](TRegKeyNode& hive) {
            if (hive.Find(path)) return false;
            hive.Create(path);
            return true;
        });
    if (!exists) return false;
    FCurrentPath = std::move(path);
    FKeyOpen = true;
    FReadOnly = !CanWrite();
    return true;
}

bool TRegistry::OpenKeyReadOnly(const String& key) {
    std::vector<String> path = ResolvePath(key);
    if (!ReadHive(FRootKey)->Find(path)) return false;
    FCurrentPath = std::move(path);
    FKeyOpen = true;
    FReadOnly = true;
    return true;
}

bool TRegistry::CreateKey(const String& key) {
    std::vector<String> path = ResolvePath(key);
    bool created = CanWrite() && ValidKeyPath(path) && ChangeHive(FRootKey, [&](TRegKeyNode& hive) {
                       if (hive.Find(path)) return false;
                       hive.Create(path);
                       return true;
                   });
    if (!created) throw ERegistryException(u"Failed to create key " + key);
    return true;
}

void TRegistry::CloseKey() {
    FKeyOpen = false;
    FReadOnly = false;
    FCurrentPath.clear();
}

bool TRegistry::KeyExists(const String& key) const {
    return ReadHive(FRootKey)->Find(ResolvePath(key)) != nullptr;
}

bool TRegistry::DeleteKey(const String& key) {
    std::vector<String> path = ResolvePath(key);
    if (path.empty() || !CanWrite()) return false;
    bool removed = false;
    return ChangeHive(FRootKey, [&](TRegKeyNode& hive) { return removed = hive.Remove(path); }) && removed;
}

bool TRegistry::HasSubKeys() const {
    if (!FKeyOpen) return false;
    const TRegKeyNode* key = ReadHive(FRootKey)->Find(FCurrentPath);
    return key && !key->SubKeys.empty();
}

String TRegistry::CurrentPath() const {
    return os::detail::JoinKeyPath(FCurrentPath);
}

bool TRegistry::ValueExists(const String& name) const {
    return GetDataType(name) != rdUnknown;
}

TRegDataType TRegistry::GetDataType(const String& name) const {
    if (!FKeyOpen) return rdUnknown;
    const auto hive = ReadHive(FRootKey);
    const TRegKeyNode* key = hive->Find(FCurrentPath);
    const TRegValueData* value = key ? key->FindValue(name) : nullptr;
    return value ? value->Type : rdUnknown;
}

String TRegistry::ReadString(const String& name) const {
    if (!FKeyOpen) return String();
    const auto hive = ReadHive(FRootKey);
    const TRegKeyNode* key = hive->Find(FCurrentPath);
    const TRegValueData* value = key ? key->FindValue(name) : nullptr;
    if (!value) return String();
    if (value->Type != rdString && value->Type != rdExpandString) FailType(name);
    return value->Text;
}

Integer TRegistry::ReadInteger(const String& name) const {
    if (!FKeyOpen) FailGet(name);
    const auto hive = ReadHive(FRootKey);
    const TRegKeyNode* key = hive->Find(FCurrentPath);
    const TRegValueData* value = key ? key->FindValue(name) : nullptr;
    if (!value) FailGet(name);
    if (value->Type != rdInteger) FailType(name);
    return value->Number;
}

bool TRegistry::ReadBool(const String& name) const {
    return ReadInteger(name) != 0;
}

void TRegistry::RequireWritableKey(const String& name) const {
    if (!FKeyOpen || FReadOnly) FailSet(name);
}

void TRegistry::WriteString(const String& name, const String& value) {
    RequireWritableKey(name);
    if (!SetKeyValue(FRootKey, FCurrentPath, TRegValueData{name, rdString, value, 0})) FailSet(name);
}

void TRegistry::WriteInteger(const String& name, Integer value) {
    RequireWritableKey(name);
    if (!SetKeyValue(FRootKey, FCurrentPath, TRegValueData{name, rdInteger, String(), value})) FailSet(name);
}

void TRegistry::WriteBool(const String& name, bool value) {
    WriteInteger(name, value ? 1 : 0);
}

bool TRegistry::DeleteValue(const String& name) {
    if (!FKeyOpen || FReadOnly) return false;
    bool removed = false;
    return ChangeHive(FRootKey,
                      [&](TRegKeyNode& hive) {
                          TRegKeyNode* key = hive.Find(FCurrentPath);
                          return removed = key && key->DeleteValue(name);
                      }) &&
           removed;
}

namespace {

void FillStrings(TStrings* strings, const std::vector<String>& names) {
    strings->BeginUpdate();
    try {
        strings->Clear();
        for (const auto& name : names)
            strings->Add(name);
    } catch (...) {
        strings->EndUpdate();
        throw;
    }
    strings->EndUpdate();
}

// The names of a key's subkeys or values, in stored order; none when the key
// does not exist.
template <class TItem>
std::vector<String> NamesIn(HKEY root, const std::vector<String>& path,
                            std::vector<TItem> TRegKeyNode::*items) {
    std::vector<String> names;
    const auto hive = ReadHive(root);
    if (const TRegKeyNode* key = hive->Find(path))
        for (const auto& item : key->*items)
            names.push_back(item.Name);
    return names;
}

} // namespace

void TRegistry::GetKeyNames(TStrings* strings) const {
    FillStrings(strings, KeyNames());
}

void TRegistry::GetValueNames(TStrings* strings) const {
    FillStrings(strings, ValueNames());
}

std::vector<String> TRegistry::KeyNames() const {
    if (!FKeyOpen) return {};
    return NamesIn(FRootKey, FCurrentPath, &TRegKeyNode::SubKeys);
}

std::vector<String> TRegistry::ValueNames() const {
    if (!FKeyOpen) return {};
    return NamesIn(FRootKey, FCurrentPath, &TRegKeyNode::Values);
}
