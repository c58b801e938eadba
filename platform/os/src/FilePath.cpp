#include "os/FilePath.h"

#include "os/FileUtils.h"

#include <vector>

namespace {

std::size_t LastDelimiter(const String& fileName) {
    return fileName.rfind(PathDelim);
}

// Position of the extension's dot, or npos.
std::size_t ExtensionDot(const String& fileName) {
    std::size_t dot = fileName.rfind(u'.');
    if (dot == String::npos) return dot;
    std::size_t delim = LastDelimiter(fileName);
    return delim != String::npos && delim > dot ? String::npos : dot;
}

} // namespace

String ExtractFilePath(const String& fileName) {
    std::size_t delim = LastDelimiter(fileName);
    return delim == String::npos ? String() : fileName.substr(0, delim + 1);
}

String ExtractFileName(const String& fileName) {
    std::size_t delim = LastDelimiter(fileName);
    return delim == String::npos ? fileName : fileName.substr(delim + 1);
}

String ExtractFileExt(const String& fileName) {
    std::size_t dot = ExtensionDot(fileName);
    return dot == String::npos ? String() : fileName.substr(dot);
}

String ChangeFileExt(const String& fileName, const String& extension) {
    std::size_t dot = ExtensionDot(fileName);
    return (dot == String::npos ? fileName : fileName.substr(0, dot)) + extension;
}

String IncludeTrailingPathDelimiter(const String& path) {
    return !path.empty() && path.back() == PathDelim ? path : path + PathDelim;
}

String ExcludeTrailingPathDelimiter(const String& path) {
    return !path.empty() && path.back() == PathDelim ? path.substr(0, path.size() - 1) : path;
}

String ExpandFileName(const String& fileName) {
    if (fileName.empty()) return fileName;
    String full =
        fileName.front() == PathDelim ? fileName : IncludeTrailingPathDelimiter(GetCurrentDir()) + fileName;
    std::vector<String> parts;
    std::size_t start = 1;
    while (start <= full.size()) {
        std::size_t end = full.find(PathDelim, start);
        if (end == String::npos) end = full.size();
        String part = full.substr(start, end - start);
        if (part == u"..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != u".") {
            parts.push_back(std::move(part));
        }
        start = end + 1;
    }
    String result;
    for (const auto& part : parts)
        result += PathDelim + part;
    // A trailing delimiter stays; the root is "/".
    return result.empty() || full.back() == PathDelim ? result + PathDelim : result;
}
