#include "IniDocument.h"

#include "FileIO.h"
#include "rtl/StringUtils.h"
#include "rtl/TextCompare.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

namespace detail {

namespace {

bool IsBlankLine(const String& Line) {
    return Trim(Line).empty();
}

template <class Lines>
void DropTrailingBlankLines(Lines& List) {
    while (!List.empty() && IsBlankLine(List.back()))
        List.pop_back();
}

} // namespace

void TIniDocument::Clear() {
    FPreamble.clear();
    FSections.clear();
}

void TIniDocument::Parse(const TStrings& Lines) {
    Clear();
    TSection* Current = nullptr;
    for (Integer I = 0; I < Lines.Count(); ++I) {
        const String Line = Lines.Strings(I);
        const String Trimmed = Trim(Line);
        if (Trimmed.size() >= 2 && Trimmed.front() == u'[' && Trimmed.back() == u']') {
            const String Name = Trim(std::u16string_view(Trimmed).substr(1, Trimmed.size() - 2));
            // A section that appears twice continues where it first stood.
            Current = FindSection(Name);
            if (!Current) Current = &FSections.emplace_back(TSection{Name, {}});
            continue;
        }
        const auto Equals = Trimmed.find(u'=');
        if (!Current) {
            FPreamble.push_back(Line);
        } else if (Equals != String::npos && Trimmed.front() != u';') {
            Current->Lines.push_back(TLine{true, TrimRight(std::u16string_view(Trimmed).substr(0, Equals)),
                                           TrimLeft(std::u16string_view(Trimmed).substr(Equals + 1))});
        } else {
            Current->Lines.push_back(TLine{false, {}, Line});
        }
    }
    // Text() separates sections with one empty line of its own.
    DropTrailingBlankLines(FPreamble);
    for (TSection& Section : FSections)
        while (!Section.Lines.empty() && !Section.Lines.back().IsKey &&
               IsBlankLine(Section.Lines.back().Value))
            Section.Lines.pop_back();
}

String TIniDocument::Text() const {
    String Result;
    for (const String& Line : FPreamble)
        Result += Line + u"\r\n";
    if (!FPreamble.empty()) Result += u"\r\n";
    for (const TSection& Section : FSections) {
        Result += u"[" + Section.Name + u"]\r\n";
        for (const TLine& Line : Section.Lines)
            Result += (Line.IsKey ? Line.Name + u"=" + Line.Value : Line.Value) + u"\r\n";
        Result += u"\r\n";
    }
    return Result;
}

TIniDocument::TSection* TIniDocument::FindSection(std::u16string_view Section) {
    for (TSection& Candidate : FSections)
        if (AnsiSameText(Candidate.Name, Section)) return &Candidate;
    return nullptr;
}

const TIniDocument::TSection* TIniDocument::FindSection(std::u16string_view Section) const {
    return const_cast<TIniDocument*>(this)->FindSection(Section);
}

const String* TIniDocument::Find(std::u16string_view Section, std::u16string_view Ident) const {
    if (const TSection* Found = FindSection(Section))
        for (const TLine& Line : Found->Lines)
            if (Line.IsKey && AnsiSameText(Line.Name, Ident)) return &Line.Value;
    return nullptr;
}

void TIniDocument::Set(const String& Section, const String& Ident, const String& Value) {
    TSection* Found = FindSection(Section);
    if (!Found) Found = &FSections.emplace_back(TSection{Section, {}});
    for (TLine& Line : Found->Lines) {
        if (Line.IsKey && AnsiSameText(Line.Name, Ident)) {
            Line.Value = Value;
            return;
        }
    }
    Found->Lines.push_back(TLine{true, Ident, Value});
}

bool TIniDocument::EraseSection(std::u16string_view Section) {
    const auto Count =
        std::erase_if(FSections, [&](const TSection& S) { return AnsiSameText(S.Name, Section); });
    return Count > 0;
}

bool TIniDocument::DeleteKey(std::u16string_view Section, std::u16string_view Ident) {
    TSection* Found = FindSection(Section);
    if (!Found) return false;
    const auto Count =
        std::erase_if(Found->Lines, [&](const TLine& L) { return L.IsKey && AnsiSameText(L.Name, Ident); });
    return Count > 0;
}

std::vector<String> TIniDocument::SectionNames() const {
    std::vector<String> Names;
    for (const TSection& Section : FSections)
        Names.push_back(Section.Name);
    return Names;
}

std::vector<std::pair<String, String>> TIniDocument::Keys(std::u16string_view Section) const {
    std::vector<std::pair<String, String>> Result;
    if (const TSection* Found = FindSection(Section))
        for (const TLine& Line : Found->Lines)
            if (Line.IsKey) Result.emplace_back(Line.Name, Line.Value);
    return Result;
}

TIniDocument LoadIniDocument(const String& FileName, const TEncoding*& Encoding) {
    TIniDocument Document;
    struct stat Info {};
    if (::stat(Utf8(FileName).c_str(), &Info) != 0 && errno == ENOENT) {
        if (!Encoding) Encoding = &TEncoding::ANSI();
        return Document;
    }
    TStringList Lines;
    Lines.LoadFromFile(FileName, Encoding);
    Encoding = &Lines.Encoding();
    Document.Parse(Lines);
    return Document;
}

void SaveIniDocument(const String& FileName, const TIniDocument& Document, const TEncoding& Encoding) {
    ReplaceFileAtomically(FileName, Encoding.GetPreamble() + Encoding.GetBytes(Document.Text()));
}

} // namespace detail
