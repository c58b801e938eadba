#include "rtl/StringUtils.h"

#include <algorithm>
#include <limits>

namespace {

bool IsTrimmed(Char c) {
    return c <= u' ';
}

// Position as a 0-based index, clamped into 0 .. size.
size_t ClampedIndex(Integer position, size_t size) {
    if (position < 1) return 0;
    return std::min(static_cast<size_t>(position) - 1, size);
}

} // namespace

Integer Length(std::u16string_view s) {
    return static_cast<Integer>(s.size());
}

Integer PosEx(std::u16string_view subStr, std::u16string_view s, Integer offset) {
    if (subStr.empty() || offset < 1 || static_cast<size_t>(offset) > s.size()) return 0;
    const size_t found = s.find(subStr, static_cast<size_t>(offset) - 1);
    return found == std::u16string_view::npos ? 0 : static_cast<Integer>(found) + 1;
}

Integer Pos(std::u16string_view subStr, std::u16string_view s, Integer offset) {
    return PosEx(subStr, s, offset);
}

String Copy(std::u16string_view s, Integer index, Integer count) {
    const size_t start = ClampedIndex(index, s.size());
    if (count < 1 || start >= s.size()) return {};
    return String(s.substr(start, static_cast<size_t>(count)));
}

String Copy(std::u16string_view s, Integer index) {
    return Copy(s, index, std::numeric_limits<Integer>::max());
}

void Delete(String& s, Integer index, Integer count) {
    if (index < 1 || static_cast<size_t>(index) > s.size() || count < 1) return;
    s.erase(static_cast<size_t>(index) - 1, static_cast<size_t>(count));
}

void Insert(std::u16string_view source, String& s, Integer index) {
    s.insert(ClampedIndex(index, s.size()), source);
}

String TrimLeft(std::u16string_view s) {
    size_t first = 0;
    while (first < s.size() && IsTrimmed(s[first]))
        ++first;
    return String(s.substr(first));
}

String TrimRight(std::u16string_view s) {
    size_t end = s.size();
    while (end > 0 && IsTrimmed(s[end - 1]))
        --end;
    return String(s.substr(0, end));
}

String Trim(std::u16string_view s) {
    return TrimLeft(TrimRight(s));
}

String UpperCase(std::u16string_view s) {
    String out(s);
    for (Char& c : out)
        if (c >= u'a' && c <= u'z') c = static_cast<Char>(c - (u'a' - u'A'));
    return out;
}

String LowerCase(std::u16string_view s) {
    String out(s);
    for (Char& c : out)
        if (c >= u'A' && c <= u'Z') c = static_cast<Char>(c + (u'a' - u'A'));
    return out;
}

String StringOfChar(Char ch, Integer count) {
    return count < 1 ? String() : String(static_cast<size_t>(count), ch);
}

String QuotedStr(std::u16string_view s) {
    return AnsiQuotedStr(s, u'\'');
}

String AnsiQuotedStr(std::u16string_view s, Char quote) {
    String out;
    out.reserve(s.size() + 2);
    out += quote;
    for (const Char c : s) {
        out += c;
        if (c == quote) out += quote;
    }
    out += quote;
    return out;
}

String AnsiDequotedStr(std::u16string_view s, Char quote) {
    if (s.empty() || s.front() != quote) return String(s);
    String inner;
    size_t i = 1;
    while (i < s.size()) {
        if (s[i] != quote) {
            inner += s[i++];
        } else if (i + 1 < s.size() && s[i + 1] == quote) {
            inner += quote;
            i += 2;
        } else {
            ++i; // the closing quote
            break;
        }
    }
    // Unterminated ("'abc") or an empty quoted part before more text ("''x"):
    // the text is not a quoted string, so it stays as it is.
    const bool atEnd = i >= s.size();
    if ((inner.empty() || atEnd) && s.back() != quote) return String(s);
    return inner;
}

String StringReplace(std::u16string_view s, std::u16string_view oldPattern, std::u16string_view newPattern,
                     TReplaceFlags flags) {
    if (oldPattern.empty()) return String(s);
    // The case-insensitive search runs on upper-cased copies; the mapping keeps
    // every position, so a hit in the copy is a hit in s.
    const bool ignoreCase = flags.Contains(rfIgnoreCase);
    const String searchIn = ignoreCase ? WideUpperCase(s) : String();
    const String pattern = ignoreCase ? WideUpperCase(oldPattern) : String(oldPattern);
    const std::u16string_view haystack = ignoreCase ? std::u16string_view(searchIn) : s;

    String out;
    size_t from = 0;
    while (true) {
        const size_t hit = haystack.find(pattern, from);
        if (hit == std::u16string_view::npos) break;
        out.append(s.substr(from, hit - from));
        out.append(newPattern);
        from = hit + pattern.size();
        if (!flags.Contains(rfReplaceAll)) break;
    }
    out.append(s.substr(from));
    return out;
}
