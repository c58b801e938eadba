#include "rtl/IniFile.h"

#include "IniDocument.h"
#include "rtl/Convert.h"
#include "rtl/DateTime.h"
#include "rtl/Exception.h"
#include "rtl/Format.h"

namespace {

// Names and values that would break the file's lines, or read back as
// something else, are refused rather than written.
void CheckWritable(const String& Section, const String& Ident, const String& Value) {
    auto HasLineBreak = [](const String& Text) { return Text.find_first_of(u"\r\n") != String::npos; };
    if (HasLineBreak(Section) || Section.find(u']') != String::npos)
        throw EArgumentException(u"Invalid INI section name \"" + Section + u"\"");
    if (HasLineBreak(Ident) || Ident.find(u'=') != String::npos)
        throw EArgumentException(u"Invalid INI key name \"" + Ident + u"\"");
    if (HasLineBreak(Value))
        throw EArgumentException(u"INI value of key \"" + Ident + u"\" holds a line break");
}

// Replaces the lines of Strings as one change.
void ReplaceLines(TStrings& Strings, const std::vector<String>& Lines) {
    Strings.BeginUpdate();
    try {
        Strings.Clear();
        for (const String& Line : Lines)
            Strings.Add(Line);
    } catch (...) {
        Strings.EndUpdate();
        throw;
    }
    Strings.EndUpdate();
}

} // namespace

// ---------------------------------------------------------- TCustomIniFile
// Typed values stored as text; existence checks through ReadSection.

Integer TCustomIniFile::ReadInteger(const String& Section, const String& Ident, Integer Default) const {
    return StrToIntDef(ReadString(Section, Ident, u""), Default);
}

void TCustomIniFile::WriteInteger(const String& Section, const String& Ident, Integer Value) {
    WriteString(Section, Ident, IntToStr(Value));
}

bool TCustomIniFile::ReadBool(const String& Section, const String& Ident, bool Default) const {
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& Section, const String& Ident, bool Value) {
    WriteString(Section, Ident, Value ? u"1" : u"0");
}

Double TCustomIniFile::ReadFloat(const String& Section, const String& Ident, Double Default) const {
    return StrToFloatDef(ReadString(Section, Ident, u""), Default);
}

TDateTime TCustomIniFile::ReadDateTime(const String& Section, const String& Ident, TDateTime Default) const {
    TDateTime Value;
    return TryStrToDateTime(ReadString(Section, Ident, u""), Value) ? Value : Default;
}

void TCustomIniFile::WriteFloat(const String& Section, const String& Ident, Double Value) {
    WriteString(Section, Ident, FloatToStr(Value));
}

bool TCustomIniFile::SectionExists(const String& Section) const {
    TStringList Keys;
    ReadSection(Section, Keys);
    return Keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(const String& Section, const String& Ident) const {
    TStringList Keys;
    ReadSection(Section, Keys);
    return Keys.IndexOf(Ident) >= 0;
}

// -------------------------------------------------------- TDocumentIniFile

String TDocumentIniFile::ReadString(const String& Section, const String& Ident, const String& Default) const {
    const String* Value = Document().Find(Section, Ident);
    return Value ? *Value : Default;
}

void TDocumentIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
    CheckWritable(Section, Ident, Value);
    Modify([&](detail::TIniDocument& Document) {
        Document.Set(Section, Ident, Value);
        return true;
    });
}

void TDocumentIniFile::ReadSection(const String& Section, TStrings& Strings) const {
    std::vector<String> Names;
    for (const auto& Key : Document().Keys(Section))
        Names.push_back(Key.first);
    ReplaceLines(Strings, Names);
}

void TDocumentIniFile::ReadSections(TStrings& Strings) const {
    ReplaceLines(Strings, Document().SectionNames());
}

void TDocumentIniFile::ReadSectionValues(const String& Section, TStrings& Strings) const {
    std::vector<String> Lines;
    for (const auto& Key : Document().Keys(Section))
        Lines.push_back(Key.first + u"=" + Key.second);
    ReplaceLines(Strings, Lines);
}

void TDocumentIniFile::EraseSection(const String& Section) {
    Modify([&](detail::TIniDocument& Document) { return Document.EraseSection(Section); });
}

void TDocumentIniFile::DeleteKey(const String& Section, const String& Ident) {
    Modify([&](detail::TIniDocument& Document) { return Document.DeleteKey(Section, Ident); });
}

bool TDocumentIniFile::SectionExists(const String& Section) const {
    return !Document().Keys(Section).empty();
}

bool TDocumentIniFile::ValueExists(const String& Section, const String& Ident) const {
    return Document().Find(Section, Ident) != nullptr;
}

// ------------------------------------------------------------- TMemIniFile

TMemIniFile::TMemIniFile(const String& FileName, const TEncoding* Encoding)
    : TDocumentIniFile(FileName), FEncoding(Encoding) {
    FDocument = std::make_unique<detail::TIniDocument>(detail::LoadIniDocument(FileName, FEncoding));
}

TMemIniFile::~TMemIniFile() = default;

void TMemIniFile::Modify(const std::function<bool(detail::TIniDocument&)>& Change) {
    Change(*FDocument);
}

void TMemIniFile::UpdateFile() {
    detail::SaveIniDocument(FileName(), *FDocument, *FEncoding);
}

void TMemIniFile::Clear() {
    FDocument->Clear();
}

void TMemIniFile::GetStrings(TStrings& Strings) const {
    Strings.SetText(FDocument->Text());
}

void TMemIniFile::SetStrings(const TStrings& Strings) {
    FDocument->Parse(Strings);
}

void TMemIniFile::Rename(const String& FileName, bool Reload) {
    SetFileNameField(FileName);
    if (Reload) *FDocument = detail::LoadIniDocument(FileName, FEncoding);
}

// ---------------------------------------------------------------- TIniFile

TIniFile::TIniFile(const String& FileName)
    : TDocumentIniFile(FileName), FSnapshot(std::make_unique<detail::TIniDocument>()) {}

TIniFile::~TIniFile() = default;

const detail::TIniDocument& TIniFile::Document() const {
    const TEncoding* Encoding = nullptr;
    *FSnapshot = detail::LoadIniDocument(FileName(), Encoding);
    return *FSnapshot;
}

void TIniFile::Modify(const std::function<bool(detail::TIniDocument&)>& Change) {
    const TEncoding* Encoding = nullptr;
    *FSnapshot = detail::LoadIniDocument(FileName(), Encoding);
    if (Change(*FSnapshot)) detail::SaveIniDocument(FileName(), *FSnapshot, *Encoding);
}
