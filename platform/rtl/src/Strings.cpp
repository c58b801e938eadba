// TStrings: everything a list of lines offers on top of its storage.

#include "DelimitedText.h"
#include "ListErrors.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Exception.h"
#include "rtl/StringList.h"
#include "rtl/StringUtils.h"
#include "rtl/TextCompare.h"

#include <memory>

const TClassInfo& TStrings::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TStrings, TPersistent>().Build();
    return Info;
}

void TStrings::IndexError(Integer Index) const {
    throw EStringListError(detail::ListIndexErrorText(Index));
}

Integer TStrings::CompareStrings(const String& S1, const String& S2) const {
    return AnsiCompareText(S1, S2);
}

// ------------------------------------------------------------------ storage

void TStrings::Put(Integer Index, const String& S) {
    WithUpdate([&] {
        TObject* Object = GetObject(Index);
        Delete(Index);
        InsertObject(Index, S, Object);
    });
}

TObject* TStrings::GetObject(Integer /*Index*/) const {
    return nullptr;
}

void TStrings::PutObject(Integer /*Index*/, TObject* /*AObject*/) {}

void TStrings::InsertObject(Integer Index, const String& S, TObject* AObject) {
    Insert(Index, S);
    PutObject(Index, AObject);
}

// ------------------------------------------------------- lines and objects

Integer TStrings::Add(const String& S) {
    const Integer Index = Count();
    Insert(Index, S);
    return Index;
}

Integer TStrings::AddObject(const String& S, TObject* AObject) {
    const Integer Index = Add(S);
    PutObject(Index, AObject);
    return Index;
}

void TStrings::AddStrings(const TStrings& Strings) {
    WithUpdate([&] {
        for (Integer I = 0; I < Strings.Count(); ++I)
            AddObject(Strings.Get(I), Strings.GetObject(I));
    });
}

void TStrings::Exchange(Integer Index1, Integer Index2) {
    WithUpdate([&] {
        const String Line1 = Get(Index1);
        TObject* Object1 = GetObject(Index1);
        Put(Index1, Get(Index2));
        PutObject(Index1, GetObject(Index2));
        Put(Index2, Line1);
        PutObject(Index2, Object1);
    });
}

void TStrings::Move(Integer CurIndex, Integer NewIndex) {
    if (CurIndex == NewIndex) return;
    if (NewIndex < 0 || NewIndex >= Count()) IndexError(NewIndex);
    WithUpdate([&] {
        const String Line = Get(CurIndex);
        TObject* Object = GetObject(CurIndex);
        Delete(CurIndex);
        InsertObject(NewIndex, Line, Object);
    });
}

Integer TStrings::IndexOf(const String& S) const {
    for (Integer I = 0; I < Count(); ++I)
        if (CompareStrings(Get(I), S) == 0) return I;
    return -1;
}

Integer TStrings::IndexOfName(const String& Name) const {
    for (Integer I = 0; I < Count(); ++I) {
        const String Line = Get(I);
        const auto Separator = Line.find(FNameValueSeparator);
        if (Separator != String::npos && CompareStrings(Line.substr(0, Separator), Name) == 0) return I;
    }
    return -1;
}

Integer TStrings::IndexOfObject(const TObject* AObject) const {
    for (Integer I = 0; I < Count(); ++I)
        if (GetObject(I) == AObject) return I;
    return -1;
}

// --------------------------------------------------------- name=value lines

String TStrings::Names(Integer Index) const {
    const String Line = Get(Index);
    const auto Separator = Line.find(FNameValueSeparator);
    return Separator == String::npos ? String() : Line.substr(0, Separator);
}

String TStrings::ValueFromIndex(Integer Index) const {
    const String Line = Get(Index);
    const auto Separator = Line.find(FNameValueSeparator);
    return Separator == String::npos ? String() : Line.substr(Separator + 1);
}

void TStrings::SetValueFromIndex(Integer Index, const String& Value) {
    if (Value.empty()) {
        Delete(Index);
        return;
    }
    Put(Index, Names(Index) + FNameValueSeparator + Value);
}

String TStrings::Values(const String& Name) const {
    const Integer Index = IndexOfName(Name);
    return Index < 0 ? String() : ValueFromIndex(Index);
}

void TStrings::SetValues(const String& Name, const String& Value) {
    const Integer Index = IndexOfName(Name);
    if (Value.empty()) {
        if (Index >= 0) Delete(Index);
    } else if (Index < 0) {
        Add(Name + FNameValueSeparator + Value);
    } else {
        Put(Index, Name + FNameValueSeparator + Value);
    }
}

// --------------------------------------------------------------- whole text

String TStrings::Text() const {
    const std::vector<String> Lines = AllLines();
    size_t Length = 0;
    for (const String& Line : Lines)
        Length += Line.size() + 2;
    String Result;
    Result.reserve(Length);
    for (const String& Line : Lines) {
        Result += Line;
        Result += u"\r\n";
    }
    return Result;
}

namespace {

// The lines of Text; CR LF, LF and CR each end a line.
std::vector<String> SplitLines(const String& Text) {
    std::vector<String> Lines;
    const size_t End = Text.size();
    for (size_t Start = 0; Start < End;) {
        size_t Stop = Text.find_first_of(u"\r\n", Start);
        if (Stop == String::npos) Stop = End;
        Lines.push_back(Text.substr(Start, Stop - Start));
        if (Stop + 1 < End && Text[Stop] == u'\r' && Text[Stop + 1] == u'\n') ++Stop;
        Start = Stop + 1;
    }
    return Lines;
}

} // namespace

void TStrings::SetText(const String& Value) {
    SetAllLines(SplitLines(Value));
}

// ------------------------------------------------------- delimited text

std::vector<String> TStrings::AllLines() const {
    std::vector<String> Lines;
    Lines.reserve(static_cast<size_t>(Count()));
    for (Integer I = 0; I < Count(); ++I)
        Lines.push_back(Get(I));
    return Lines;
}

void TStrings::SetAllLines(std::vector<String> Lines) {
    WithUpdate([&] {
        Clear();
        for (const String& Line : Lines)
            Add(Line);
    });
}

String TStrings::DelimitedText() const {
    return detail::JoinDelimitedText(AllLines(), {FDelimiter, FQuoteChar, FStrictDelimiter});
}

void TStrings::SetDelimitedText(const String& Value) {
    SetAllLines(detail::SplitDelimitedText(Value, {FDelimiter, FQuoteChar, FStrictDelimiter}));
}

String TStrings::CommaText() const {
    return detail::JoinDelimitedText(AllLines(), {u',', u'"', false});
}

void TStrings::SetCommaText(const String& Value) {
    SetAllLines(detail::SplitDelimitedText(Value, {u',', u'"', false}));
}

// ---------------------------------------------------- files and streams

void TStrings::LoadFromFile(const String& FileName, const TEncoding* Encoding) {
    TFileStream File(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(File, Encoding);
}

void TStrings::LoadFromStream(TStream& Stream, const TEncoding* Encoding) {
    std::string Bytes(static_cast<size_t>(std::max<Int64>(Stream.Size() - Stream.Position(), 0)), '\0');
    Stream.ReadBuffer(Bytes.data(), static_cast<Int64>(Bytes.size()));
    const Integer Preamble = TEncoding::GetBufferEncoding(Bytes, Encoding);
    const String Decoded = Encoding->GetString(std::string_view(Bytes).substr(static_cast<size_t>(Preamble)));
    Bytes.clear();
    Bytes.shrink_to_fit();
    SetText(Decoded);
    FEncoding = Encoding;
}

void TStrings::SaveToFile(const String& FileName, const TEncoding* Encoding) const {
    TFileStream File(FileName, fmCreate);
    SaveToStream(File, Encoding);
}

void TStrings::SaveToStream(TStream& Stream, const TEncoding* Encoding) const {
    if (!Encoding) Encoding = FEncoding;
    const std::string Preamble = Encoding->GetPreamble();
    Stream.WriteBuffer(Preamble.data(), static_cast<Int64>(Preamble.size()));
    const std::string Bytes = Encoding->GetBytes(Text());
    Stream.WriteBuffer(Bytes.data(), static_cast<Int64>(Bytes.size()));
}

// ---------------------------------------------------- change notification

void TStrings::BeginUpdate() {
    if (FUpdateCount == 0) SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::Assign(const TPersistent* Source) {
    const auto* Strings = dynamic_cast<const TStrings*>(Source);
    if (!Strings) {
        TPersistent::Assign(Source);
        return;
    }
    if (Strings == this) return;
    WithUpdate([&] {
        Clear();
        FNameValueSeparator = Strings->FNameValueSeparator;
        FDelimiter = Strings->FDelimiter;
        FQuoteChar = Strings->FQuoteChar;
        FStrictDelimiter = Strings->FStrictDelimiter;
        AddStrings(*Strings);
    });
}
