// The edit-mask language: parsing a mask and moving text between its Text
// and EditText forms.

#include "rtl/FormatSettings.h"
#include "rtl/StringUtils.h"
#include "vcl/Mask.h"

namespace {

bool IsDigit(Char C) {
    return C >= u'0' && C <= u'9';
}

// A letter has an upper and a lower case that differ.
bool IsLetter(Char C) {
    String One(1, C);
    return AnsiUpperCase(One) != AnsiLowerCase(One);
}

// The mask's fields, split at the ';' that are not escaped by '\'.
std::vector<String> SplitFields(const String& Mask) {
    std::vector<String> Fields(1);
    for (size_t I = 0; I < Mask.size(); ++I) {
        if (Mask[I] == u'\\' && I + 1 < Mask.size()) {
            Fields.back() += Mask[I];
            Fields.back() += Mask[++I];
        } else if (Mask[I] == u';') {
            Fields.emplace_back();
        } else {
            Fields.back() += Mask[I];
        }
    }
    return Fields;
}

} // namespace

TEditMask::TEditMask(const String& Mask) : FSource(Mask) {
    if (Mask.empty()) return;
    std::vector<String> Fields = SplitFields(Mask);
    if (Fields.size() > 1 && !Fields[1].empty()) FSaveLiterals = Fields[1][0] != u'0';
    if (Fields.size() > 2 && !Fields[2].empty()) FBlank = Fields[2][0];
    const String& Body = Fields[0];
    TCase Case = TCase::None;
    for (size_t I = 0; I < Body.size(); ++I) {
        Char C = Body[I];
        TPosition Position;
        Position.Case = Case;
        switch (C) {
        case u'!':
            FLeadingBlanks = true;
            continue;
        case u'>':
            Case = TCase::Upper;
            continue;
        case u'<':
            if (I + 1 < Body.size() && Body[I + 1] == u'>') {
                ++I;
                Case = TCase::None;
            } else {
                Case = TCase::Lower;
            }
            continue;
        case u'\\':
            if (I + 1 >= Body.size()) continue;
            Position.Literal = Body[++I];
            break;
        case u'0':
        case u'9':
            Position.Kind = TKind::Digit;
            Position.Required = C == u'0';
            break;
        case u'#':
            Position.Kind = TKind::DigitOrSign;
            break;
        case u'L':
        case u'l':
            Position.Kind = TKind::Letter;
            Position.Required = C == u'L';
            break;
        case u'A':
        case u'a':
            Position.Kind = TKind::LetterOrDigit;
            Position.Required = C == u'A';
            break;
        case u'C':
        case u'c':
            Position.Kind = TKind::Any;
            Position.Required = C == u'C';
            break;
        case u':':
            Position.Literal = FormatSettings.TimeSeparator;
            break;
        case u'/':
            Position.Literal = FormatSettings.DateSeparator;
            break;
        case u'_':
            Position.Literal = u' ';
            break;
        default:
            Position.Literal = C;
            break;
        }
        FPositions.push_back(Position);
    }
}

bool TEditMask::IsLiteral(Integer Pos) const {
    return Pos >= 0 && Pos < Length() && FPositions[size_t(Pos)].Kind == TKind::Literal;
}

bool TEditMask::IsRequired(Integer Pos) const {
    return Pos >= 0 && Pos < Length() && FPositions[size_t(Pos)].Required;
}

bool TEditMask::Accepts(Integer Pos, Char C, Char& Out) const {
    if (Pos < 0 || Pos >= Length() || C < 32) return false;
    const TPosition& P = FPositions[size_t(Pos)];
    Out = C;
    if (P.Case == TCase::Upper) Out = AnsiUpperCase(String(1, C))[0];
    if (P.Case == TCase::Lower) Out = AnsiLowerCase(String(1, C))[0];
    switch (P.Kind) {
    case TKind::Literal:
        return false;
    case TKind::Digit:
        return IsDigit(C);
    case TKind::DigitOrSign:
        return IsDigit(C) || C == u'+' || C == u'-';
    case TKind::Letter:
        return IsLetter(C);
    case TKind::LetterOrDigit:
        return IsLetter(C) || IsDigit(C);
    case TKind::Any:
        return true;
    }
    return false;
}

Integer TEditMask::NextInput(Integer Pos) const {
    Pos = std::max(Pos, 0);
    while (Pos < Length() && IsLiteral(Pos))
        ++Pos;
    return std::min(Pos, Length());
}

Integer TEditMask::PreviousInput(Integer Pos) const {
    Pos = std::min(Pos, Length()) - 1;
    while (Pos >= 0 && IsLiteral(Pos))
        --Pos;
    return Pos;
}

String TEditMask::EmptyText() const {
    String Text;
    for (const TPosition& P : FPositions)
        Text += P.Kind == TKind::Literal ? P.Literal : FBlank;
    return Text;
}

// Text with literals is read run by run: the input positions between two
// literals take the characters up to that literal in Text. Text without
// literals fills the input positions in order. A run given fewer characters
// than it has positions leaves the rest empty at its end, or at its start
// with leading blanks.
String TEditMask::Format(const String& Text) const {
    String Result = EmptyText();
    size_t J = 0;
    auto Place = [&](Integer Pos, Char C) {
        Char Out;
        if (C != u' ' && C != FBlank && Accepts(Pos, C, Out)) Result[size_t(Pos)] = Out;
    };
    if (!FSaveLiterals) {
        std::vector<Integer> Inputs;
        for (Integer Pos = 0; Pos < Length(); ++Pos)
            if (!IsLiteral(Pos)) Inputs.push_back(Pos);
        size_t Count = std::min(Text.size(), Inputs.size());
        size_t Skip = FLeadingBlanks ? Inputs.size() - Count : 0;
        for (size_t I = 0; I < Count; ++I)
            Place(Inputs[Skip + I], Text[I]);
        return Result;
    }
    Integer Pos = 0;
    while (Pos < Length()) {
        if (IsLiteral(Pos)) {
            if (J < Text.size() && Text[J] == FPositions[size_t(Pos)].Literal) ++J;
            ++Pos;
            continue;
        }
        Integer RunEnd = Pos;
        while (RunEnd < Length() && !IsLiteral(RunEnd))
            ++RunEnd;
        Char Stop = RunEnd < Length() ? FPositions[size_t(RunEnd)].Literal : Char(0);
        String Piece;
        while (J < Text.size() && Integer(Piece.size()) < RunEnd - Pos && (Stop == 0 || Text[J] != Stop))
            Piece += Text[J++];
        Integer Start = FLeadingBlanks ? RunEnd - Integer(Piece.size()) : Pos;
        for (size_t I = 0; I < Piece.size(); ++I)
            Place(Start + Integer(I), Piece[I]);
        Pos = RunEnd;
    }
    return Result;
}

String TEditMask::Normalize(const String& EditText) const {
    String Result = EmptyText();
    for (Integer Pos = 0; Pos < Length() && Pos < Integer(EditText.size()); ++Pos) {
        Char C = EditText[size_t(Pos)];
        Char Out;
        if (!IsLiteral(Pos) && C != FBlank && C != u' ' && Accepts(Pos, C, Out)) Result[size_t(Pos)] = Out;
    }
    return Result;
}

String TEditMask::Strip(const String& EditText) const {
    String Text;
    for (Integer Pos = 0; Pos < Length() && Pos < Integer(EditText.size()); ++Pos) {
        Char C = EditText[size_t(Pos)];
        if (IsLiteral(Pos)) {
            if (FSaveLiterals) Text += C;
        } else {
            Text += C == FBlank ? u' ' : C;
        }
    }
    return Text;
}

Integer TEditMask::FirstMissing(const String& EditText) const {
    for (Integer Pos = 0; Pos < Length(); ++Pos) {
        if (!IsRequired(Pos)) continue;
        if (Pos >= Integer(EditText.size())) return Pos;
        Char C = EditText[size_t(Pos)];
        if (C == FBlank || C == u' ') return Pos;
    }
    return -1;
}

String FormatMaskText(const String& EditMask, const String& Value) {
    TEditMask Mask(EditMask);
    return Mask.Empty() ? Value : Mask.Strip(Mask.Format(Value));
}
