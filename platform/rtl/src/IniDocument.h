#pragma once
// The contents of an INI file: sections of name=value keys in file order,
// with comments and other lines kept where they stand, so that a file
// written back differs from the one read only where keys changed.
// Section and key names compare without regard to case.

#include "rtl/Encoding.h"
#include "rtl/StringList.h"
#include "rtl/Types.h"

#include <string_view>
#include <vector>

namespace detail {

class TIniDocument {
public:
    // Reads the lines of a file's text: "[name]" starts a section; within a
    // section "name=value" is a key (both parts trimmed); other lines
    // (comments, blank lines, lines before the first section) are kept.
    void Parse(const TStrings& Lines);
    // Every section followed by an empty line; lines end with CR LF.
    String Text() const;
    void Clear();

    // The value of the first key of that name, or null.
    const String* Find(std::u16string_view Section, std::u16string_view Ident) const;
    // Replaces the first key's value or appends the key (and the section).
    void Set(const String& Section, const String& Ident, const String& Value);
    // Answer whether anything was removed.
    bool EraseSection(std::u16string_view Section);
    bool DeleteKey(std::u16string_view Section, std::u16string_view Ident);

    std::vector<String> SectionNames() const;
    // The keys of a section as (name, value), in file order.
    std::vector<std::pair<String, String>> Keys(std::u16string_view Section) const;

private:
    struct TLine {
        bool IsKey = false;
        String Name;  // keys: the name
        String Value; // keys: the value; other lines: the line as read
    };
    struct TSection {
        String Name;
        std::vector<TLine> Lines;
    };

    TSection* FindSection(std::u16string_view Section);
    const TSection* FindSection(std::u16string_view Section) const;

    std::vector<String> FPreamble; // lines before the first section
    std::vector<TSection> FSections;
};

// The file's document and the encoding it was written in (its byte-order
// mark, else Encoding, else ANSI). A missing file reads as empty; a file
// that cannot be read raises EFOpenError.
TIniDocument LoadIniDocument(const String& FileName, const TEncoding*& Encoding);
// Replaces the file atomically; raises EFCreateError when it cannot.
void SaveIniDocument(const String& FileName, const TIniDocument& Document, const TEncoding& Encoding);

} // namespace detail
