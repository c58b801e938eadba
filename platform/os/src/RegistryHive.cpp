#include "RegistryHive.h"

#include "CaseFold.h"
#include "rtl/Encoding.h"

#include <algorithm>

namespace os::detail {

namespace {

TRegKeyNode* FindChild(std::vector<TRegKeyNode>& keys, const String& name) {
    for (auto& key : keys)
        if (SameName(key.Name, name)) return &key;
    return nullptr;
}

void AppendQuoted(std::string& out, const String& text) {
    out += '"';
    for (char c : Utf8(text)) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            out += c;
        }
    }
    out += '"';
}

void WriteKey(std::string& out, const TRegKeyNode& key, const std::string& path) {
    if (!path.empty() || !key.Values.empty()) {
        out += '[' + path + "]\n";
        for (const auto& value : key.Values) {
            if (value.Name.empty())
                out += '@';
            else
                AppendQuoted(out, value.Name);
            out += '=';
            if (value.Type == rdInteger) {
                static const char digits[] = "0123456789abcdef";
                auto bits = static_cast<std::uint32_t>(value.Number);
                out += "dword:";
                for (int shift = 28; shift >= 0; shift -= 4)
                    out += digits[(bits >> shift) & 0xF];
            } else {
                AppendQuoted(out, value.Text);
            }
            out += '\n';
        }
    }
    for (const auto& sub : key.SubKeys)
        WriteKey(out, sub, path.empty() ? Utf8(sub.Name) : path + '\\' + Utf8(sub.Name));
}

class THiveReader {
public:
    THiveReader(std::string_view text, const String& fileName) : FText(text), FFileName(fileName) {}

    TRegKeyNode Read() {
        TRegKeyNode root;
        TRegKeyNode* current = &root;
        std::size_t start = 0;
        while (start <= FText.size()) {
            std::size_t end = FText.find('\n', start);
            if (end == std::string_view::npos) end = FText.size();
            std::string_view line = FText.substr(start, end - start);
            ++FLine;
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            if (line.empty() || line.front() == ';') {
                // blank line or comment
            } else if (line.front() == '[') {
                if (line.back() != ']') Fail();
                current = &root.Create(SplitKeyPath(FromUtf8(line.substr(1, line.size() - 2))));
            } else {
                ReadValue(line, *current);
            }
            start = end + 1;
        }
        return root;
    }

private:
    [[noreturn]] void Fail() const {
        throw ERegistryException(u"The registry file \"" + FFileName + u"\" is damaged at line " +
                                 FromUtf8(std::to_string(FLine)) + u".");
    }

    // Reads a quoted text starting at line[pos] (the opening quote) and
    // leaves pos after the closing quote.
    String ReadQuoted(std::string_view line, std::size_t& pos) const {
        if (pos >= line.size() || line[pos] != '"') Fail();
        std::string bytes;
        for (++pos; pos < line.size(); ++pos) {
            char c = line[pos];
            if (c == '"') {
                ++pos;
                return FromUtf8(bytes);
            }
            if (c == '\\') {
                if (++pos >= line.size()) Fail();
                switch (line[pos]) {
                case '\\':
                    bytes += '\\';
                    break;
                case '"':
                    bytes += '"';
                    break;
                case 'r':
                    bytes += '\r';
                    break;
                case 'n':
                    bytes += '\n';
                    break;
                default:
                    Fail();
                }
            } else {
                bytes += c;
            }
        }
        Fail();
    }

    void ReadValue(std::string_view line, TRegKeyNode& key) const {
        TRegValueData value;
        std::size_t pos = 0;
        if (line.front() == '@')
            pos = 1;
        else
            value.Name = ReadQuoted(line, pos);
        if (pos >= line.size() || line[pos] != '=') Fail();
        ++pos;
        std::string_view data = line.substr(pos);
        if (data.starts_with("dword:")) {
            std::string_view hex = data.substr(6);
            if (hex.size() != 8) Fail();
            std::uint32_t bits = 0;
            for (char c : hex) {
                int digit = c >= '0' && c <= '9'   ? c - '0'
                            : c >= 'a' && c <= 'f' ? c - 'a' + 10
                            : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                   : -1;
                if (digit < 0) Fail();
                bits = bits << 4 | static_cast<std::uint32_t>(digit);
            }
            value.Type = rdInteger;
            value.Number = static_cast<Integer>(bits);
        } else {
            value.Type = rdString;
            value.Text = ReadQuoted(line, pos);
            if (pos != line.size()) Fail();
        }
        key.SetValue(std::move(value));
    }

    std::string_view FText;
    const String& FFileName;
    int FLine = 0;
};

} // namespace

const TRegKeyNode* TRegKeyNode::Find(const std::vector<String>& path) const {
    return const_cast<TRegKeyNode*>(this)->Find(path);
}

TRegKeyNode* TRegKeyNode::Find(const std::vector<String>& path) {
    TRegKeyNode* key = this;
    for (const auto& name : path)
        if (!(key = FindChild(key->SubKeys, name))) return nullptr;
    return key;
}

TRegKeyNode& TRegKeyNode::Create(const std::vector<String>& path) {
    TRegKeyNode* key = this;
    for (const auto& name : path) {
        TRegKeyNode* child = FindChild(key->SubKeys, name);
        if (!child) {
            const String folded = FoldName(name);
            auto at = std::find_if(key->SubKeys.begin(), key->SubKeys.end(),
                                   [&](const TRegKeyNode& k) { return FoldName(k.Name) > folded; });
            child = &*key->SubKeys.insert(at, TRegKeyNode{name, {}, {}});
        }
        key = child;
    }
    return *key;
}

bool TRegKeyNode::Remove(const std::vector<String>& path) {
    if (path.empty()) return false;
    TRegKeyNode* parent = Find(std::vector<String>(path.begin(), path.end() - 1));
    if (!parent) return false;
    auto it = std::find_if(parent->SubKeys.begin(), parent->SubKeys.end(),
                           [&](const TRegKeyNode& k) { return SameName(k.Name, path.back()); });
    if (it == parent->SubKeys.end()) return false;
    parent->SubKeys.erase(it);
    return true;
}

const TRegValueData* TRegKeyNode::FindValue(const String& name) const {
    for (const auto& value : Values)
        if (SameName(value.Name, name)) return &value;
    return nullptr;
}

void TRegKeyNode::SetValue(TRegValueData value) {
    for (auto& existing : Values) {
        if (SameName(existing.Name, value.Name)) {
            value.Name = existing.Name; // the name keeps the case it was created with
            existing = std::move(value);
            return;
        }
    }
    Values.push_back(std::move(value));
}

bool TRegKeyNode::DeleteValue(const String& name) {
    auto it = std::find_if(Values.begin(), Values.end(),
                           [&](const TRegValueData& v) { return SameName(v.Name, name); });
    if (it == Values.end()) return false;
    Values.erase(it);
    return true;
}

std::vector<String> SplitKeyPath(const String& path) {
    std::vector<String> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(u'\\', start);
        if (end == String::npos) end = path.size();
        if (end > start) parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

String JoinKeyPath(const std::vector<String>& path) {
    String joined;
    for (const auto& part : path) {
        if (!joined.empty()) joined += u'\\';
        joined += part;
    }
    return joined;
}

std::string WriteHiveText(const TRegKeyNode& root, const String& rootName) {
    std::string out = "; " + Utf8(rootName) + "\n";
    WriteKey(out, root, "");
    return out;
}

TRegKeyNode ReadHiveText(std::string_view text, const String& fileName) {
    return THiveReader(text, fileName).Read();
}

} // namespace os::detail
