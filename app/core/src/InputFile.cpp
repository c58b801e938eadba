#include "core/InputFile.h"

#include "rtl/Exception.h"
#include "rtl/StringUtils.h"
#include "rtl/TextCompare.h"

namespace {

constexpr std::u16string_view CommentEnd = u"* ID abstraction point";

bool StartsWith(const String& Text, std::u16string_view Start) {
    return Text.compare(0, Start.size(), Start) == 0;
}

bool StartsWithText(const String& Text, std::u16string_view Start) {
    return Text.size() >= Start.size() && SameText(std::u16string_view(Text).substr(0, Start.size()), Start);
}

bool IsCommentLine(const String& Line) {
    return StartsWith(Line, u"*");
}

} // namespace

TInputFile::TInputFile()
    : FLines(std::make_unique<TStringList>()), FComment(std::make_unique<TStringList>()) {}

void TInputFile::Load(const String& FileName) {
    // The lines first: a file that cannot be opened raises before anything
    // has changed.
    FLines->LoadFromFile(FileName);
    FFirstDataLine = -1;
    FVersionDate.clear();
    FFileName = FileName;
    FComment->Clear();
    ReadComment();
    ReadVersionDate();
    FindFirstDataLine();
}

void TInputFile::ReadComment() {
    for (Integer I = 0; I < FLines->Count(); ++I) {
        String Text = Trim(FLines->Strings(I));
        if (StartsWith(Text, CommentEnd)) break;
        Delete(Text, 1, 1);
        FComment->Add(Trim(Text));
    }
    while (FComment->Count() > 0 && FComment->Strings(FComment->Count() - 1).empty())
        FComment->Delete(FComment->Count() - 1);
}

void TInputFile::ReadVersionDate() {
    // The leading comment lines and the first line after them.
    for (Integer I = 0; I < FLines->Count(); ++I) {
        const String& Line = FLines->Strings(I);
        if (Pos(u" (version ", LowerCase(Line)) > 0) {
            String Version = StringReplace(Line, u"(version", u"", {rfIgnoreCase});
            Version = StringReplace(Version, u"*", u"", {rfReplaceAll});
            Version = StringReplace(Version, u")", u"", {rfReplaceAll});
            FVersionDate = Trim(Version);
        }
        if (!IsCommentLine(Line)) break;
    }
}

void TInputFile::FindFirstDataLine() {
    for (Integer I = 0; I < FLines->Count(); ++I)
        if (!IsCommentLine(FLines->Strings(I))) {
            FFirstDataLine = I;
            return;
        }
}

Integer TInputFile::IndexOf(const String& LineStart) const {
    for (Integer I = 0; I < FLines->Count(); ++I)
        if (StartsWithText(FLines->Strings(I), LineStart)) return I;
    return -1;
}

std::vector<String> TInputFile::ValuesOf(const String& LineStart) const {
    const Integer Index = IndexOf(LineStart);
    if (Index < 0) return {};
    TStringList Values;
    Values.SetCommaText(Copy(FLines->Strings(Index), Length(LineStart) + 1));
    std::vector<String> Result;
    for (Integer I = 0; I < Values.Count(); ++I)
        Result.push_back(Values.Strings(I));
    return Result;
}

void TInputFile::CopyLinesFrom(const TInputFile& Source) {
    FLines->Assign(Source.FLines.get());
    FComment->Assign(Source.FComment.get());
    FVersionDate = Source.FVersionDate;
    FFirstDataLine = Source.FFirstDataLine;
    FFileName = Source.FFileName;
}

void TInputFile::Save(const String& /*FileName*/) {
    throw Exception(u"cannot save %s", {ClassName()});
}
