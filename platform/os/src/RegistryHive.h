#pragma once
// The in-memory model of one registry hive and its text form:
//
//   ; comment
//   [Software\Brennhoven\VANDREL142]
//   "Datapath"="/srv/vandrel/"
//   "Count"=dword:0000000a
//   @="the key's default value"
//
// Every key has its own section, also when it holds no values; a section
// without its parents makes the parents exist too. Strings escape backslash,
// double quote, CR and LF with a backslash. The file is UTF-8.

#include "os/Registry.h"

#include <string>
#include <string_view>
#include <vector>

namespace os::detail {

struct TRegValueData {
    String Name;
    TRegDataType Type = rdString;
    String Text;        // rdString
    Integer Number = 0; // rdInteger
    bool operator==(const TRegValueData&) const = default;
};

// One key with its values (in creation order) and subkeys (in name order).
struct TRegKeyNode {
    String Name;
    std::vector<TRegValueData> Values;
    std::vector<TRegKeyNode> SubKeys;

    const TRegKeyNode* Find(const std::vector<String>& path) const;
    TRegKeyNode* Find(const std::vector<String>& path);
    TRegKeyNode& Create(const std::vector<String>& path);
    bool Remove(const std::vector<String>& path); // the root cannot be removed

    const TRegValueData* FindValue(const String& name) const;
    void SetValue(TRegValueData value);
    bool DeleteValue(const String& name);

    bool operator==(const TRegKeyNode&) const = default;
};

// Splits a key path at backslashes; empty components are dropped.
std::vector<String> SplitKeyPath(const String& path);
String JoinKeyPath(const std::vector<String>& path);

std::string WriteHiveText(const TRegKeyNode& root, const String& rootName);
// Raises ERegistryException naming the file and line of a damaged hive.
TRegKeyNode ReadHiveText(std::string_view text, const String& fileName);

} // namespace os::detail
