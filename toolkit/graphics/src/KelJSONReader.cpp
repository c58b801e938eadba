// The pull-style JSON reader and the character stream under it.

#include "kel/KelJSONReader.h"

#include "KelJSONScopes.h"
#include "kel/RarEvads.h"
#include "rtl/Convert.h"
#include "rtl/Encoding.h"
#include "rtl/MathUtils.h"

#include <algorithm>
#include <limits>

using namespace kel_json;

namespace {

// Each byte's character in the ANSI code page.
const std::array<Char, 256>& AnsiCharacters() {
    static const std::array<Char, 256> table = [] {
        std::array<Char, 256> characters{};
        for (int byte = 0; byte < 256; ++byte)
            characters[byte] = FromAnsi(std::string(1, char(byte)))[0];
        return characters;
    }();
    return table;
}

bool IsWhitespace(Char c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

// The characters that may follow a literal or a number.
const TRarEvadsCharSet& Delimiters() {
    static const TRarEvadsCharSet delimiters = TRarEvads::CreateCharSet(u"/\\;#{}[]:,' \r\n\f\t");
    return delimiters;
}

bool IsDigit(Char c) {
    return c >= u'0' && c <= u'9';
}

Char UpCase(Char c) {
    return c >= u'a' && c <= u'z' ? Char(c - 32) : c;
}

// The states of the number reader.
enum class TNumberState { None, Sign, Digit, Point, Fraction, ExponentMark, ExponentSign, ExponentDigit };

// Characters a number may have; the 255th without an end is one too many.
constexpr int MaxNumberLength = 255;

} // namespace

// --- Where a fault was found ------------------------------------------------------

void EKelJSONReadError::SetPlace(const Byte* AData, Int64 ASize, Int64 APosition) {
    FPosition = std::clamp<Int64>(APosition, 0, ASize);
    FLine = 1;
    Int64 lineStart = 0;
    for (Int64 i = 0; i < FPosition; ++i)
        if (AData[i] == '\n') {
            ++FLine;
            lineStart = i + 1;
        }
    FColumn = Integer(FPosition - lineStart + 1);
}

// --- TKelJSONStreamReader ------------------------------------------------------

TKelJSONStreamReader::EEndOfInputReached::EEndOfInputReached()
    : EKelJSONReadError(u"End of JSON input reached.") {}

TKelJSONStreamReader::TKelJSONStreamReader(TStream& AStream)
    : FStream(&AStream), FReadStream(std::make_unique<TMemoryStream>()) {
    const Int64 available = std::max<Int64>(0, FStream->Size() - FStream->Position());
    FReadStream->SetSize(available);
    FReadStream->SetSize(FStream->Read(FReadStream->Memory(), available));
    FData = FReadStream->Memory();
    FSize = FReadStream->Size();
}

TKelJSONStreamReader::~TKelJSONStreamReader() = default;

Char TKelJSONStreamReader::ReadChar() {
    if (Eof()) return 0;
    return AnsiCharacters()[FData[FPosition++]];
}

Char TKelJSONStreamReader::PeekChar() const {
    if (Eof()) return 0;
    return AnsiCharacters()[FData[FPosition]];
}

Char TKelJSONStreamReader::NextChar() {
    if (Eof()) {
        EEndOfInputReached error;
        Locate(error);
        throw error;
    }
    return AnsiCharacters()[FData[FPosition++]];
}

void TKelJSONStreamReader::Locate(EKelJSONReadError& AError, Int64 AOffset) const {
    AError.SetPlace(FData, FSize, FPosition - AOffset);
}

void TKelJSONStreamReader::Backup(Char) {
    if (FPosition > 0) --FPosition;
}

void TKelJSONStreamReader::MoveNext(Integer Count) {
    FPosition = std::min(FSize, FPosition + std::max(Count, 0));
}

void TKelJSONStreamReader::SetPosition(Int64 Value) {
    FPosition = std::clamp<Int64>(Value, 0, FSize);
}

// --- TKelJSONReader: exceptions --------------------------------------------------

TKelJSONReader::EInvalidStateException::EInvalidStateException(TKelJSONState AExpected)
    : EKelJSONReadError(u"Invalid Json parser state. Expected state: %d", {Integer(AExpected)}) {}
TKelJSONReader::EUnterminatedArray::EUnterminatedArray() : EKelJSONReadError(u"Unterminated array") {}
TKelJSONReader::EUnterminatedObject::EUnterminatedObject() : EKelJSONReadError(u"Unterminated object") {}
TKelJSONReader::ENameExpected::ENameExpected() : EKelJSONReadError(u"Name expected") {}
TKelJSONReader::EColonExpected::EColonExpected() : EKelJSONReadError(u"Colon expected") {}
TKelJSONReader::EMultipleRootNotAllowed::EMultipleRootNotAllowed()
    : EKelJSONReadError(MultipleRootNotAllowedMessage) {}
TKelJSONReader::EExpectedValue::EExpectedValue()
    : EKelJSONReadError(u"Value expected but invalid character found") {}
TKelJSONReader::EObjectOrArrayExpected::EObjectOrArrayExpected()
    : EKelJSONReadError(ObjectOrArrayExpectedMessage) {}
TKelJSONReader::ETooManyDepthLevels::ETooManyDepthLevels() : EKelJSONReadError(TooManyDepthLevelsMessage) {}

// --- TKelJSONReader: characters -------------------------------------------------

TKelJSONReader::TKelJSONReader(TStream& AStream) : FReader(std::make_unique<TKelJSONStreamReader>(AStream)) {
    FStack[0] = scEmptyDocument;
}

TKelJSONReader::~TKelJSONReader() = default;

void TKelJSONReader::SkipWhitespace() {
    while (!FReader->Eof() && IsWhitespace(FReader->PeekChar()))
        FReader->MoveNext(1);
}

Char TKelJSONReader::NextSignificantChar() {
    SkipWhitespace();
    return FReader->PeekChar();
}

// For the structural characters, which may have whitespace on both sides.
void TKelJSONReader::ConsumeSignificantChar() {
    SkipWhitespace();
    FReader->MoveNext(1);
    SkipWhitespace();
}

String TKelJSONReader::ScanQuotedText() {
    String text;
    while (!FReader->Eof()) {
        const Char c = FReader->ReadChar();
        if (c == u'"') break;
        text += c;
        // An escaped character never ends the text, so the standard escape
        // \" stands for a quote inside it.
        if (c == u'\\' && !FReader->Eof()) text += FReader->ReadChar();
    }
    return text;
}

// --- TKelJSONReader: the token scan -------------------------------------------------

void TKelJSONReader::EnsurePeeked() {
    if (FPeeked == jstNone) Scan();
}

void TKelJSONReader::Scan() {
    const Byte scope = Top();
    switch (scope) {
    case scEmptyDocument:
        Top() = scNonEmptyDocument;
        ScanValue(scope);
        return;
    case scEmptyArray:
        Top() = scNonEmptyArray;
        ScanValue(scope);
        return;
    case scNonEmptyDocument:
        SkipWhitespace();
        if (!FReader->Eof()) Raise(EMultipleRootNotAllowed());
        FPeeked = jstEOF;
        return;
    case scNonEmptyArray:
        switch (NextSignificantChar()) {
        case u',':
            ConsumeSignificantChar();
            ScanValue(scope);
            return;
        case u']':
            ConsumeSignificantChar();
            FPeeked = jstEndArray;
            return;
        default:
            Raise(EUnterminatedArray());
        }
    case scDanglingName:
        Top() = scNonEmptyObject;
        if (NextSignificantChar() != u':') Raise(EColonExpected());
        ConsumeSignificantChar();
        ScanValue(scope);
        return;
    default: // an empty or non-empty object
        Top() = scDanglingName;
        if (scope == scNonEmptyObject) {
            switch (NextSignificantChar()) {
            case u',':
                ConsumeSignificantChar();
                break;
            case u'}':
                ConsumeSignificantChar();
                FPeeked = jstEndObject;
                return;
            default:
                Raise(EUnterminatedObject());
            }
        }
        const Char c = NextSignificantChar();
        if (c == u'"') {
            FReader->MoveNext(1);
            FPeeked = jstDoubleQuotedName;
        } else if (c == u'}' && scope == scEmptyObject) {
            ConsumeSignificantChar();
            FPeeked = jstEndObject;
        } else {
            Raise(ENameExpected());
        }
        return;
    }
}

void TKelJSONReader::ScanValue(Byte AScope) {
    const bool atDocumentLevel = FStackSize == 1;
    const Char c = NextSignificantChar();
    switch (c) {
    case u'"':
        if (atDocumentLevel) Raise(EObjectOrArrayExpected());
        FReader->MoveNext(1);
        FPeeked = jstDoubleQuoted;
        return;
    case u'[':
        ConsumeSignificantChar();
        FPeeked = jstBeginArray;
        return;
    case u'{':
        ConsumeSignificantChar();
        FPeeked = jstBeginObject;
        return;
    case u']':
        if (AScope != scEmptyArray) Raise(EExpectedValue());
        ConsumeSignificantChar();
        FPeeked = jstEndArray;
        return;
    default:
        if (atDocumentLevel) Raise(EObjectOrArrayExpected());
        if (!ScanLiteral(c) && !ScanNumber(c)) Raise(EExpectedValue());
        return;
    }
}

bool TKelJSONReader::ScanLiteral(Char AFirst) {
    const Char* word;
    TKelJSONState state;
    switch (UpCase(AFirst)) {
    case u'T':
        word = u"TRUE";
        state = jstTrue;
        break;
    case u'F':
        word = u"FALSE";
        state = jstFalse;
        break;
    case u'N':
        word = u"NULL";
        state = jstNull;
        break;
    default:
        return false;
    }
    FReader->MoveNext(1);
    for (const Char* letter = word + 1; *letter; ++letter)
        if (UpCase(FReader->NextChar()) != *letter) Raise(EExpectedValue(), 1);
    if (!FReader->Eof() && !TRarEvads::CharInSet(FReader->PeekChar(), Delimiters())) Raise(EExpectedValue());
    FPeeked = state;
    return true;
}

bool TKelJSONReader::ScanNumber(Char AFirst) {
    if (AFirst != u'-' && !IsDigit(AFirst)) return false;

    // The value is gathered as a negative number, whose range holds the most
    // negative 64-bit integer too.
    constexpr Int64 limit = std::numeric_limits<Int64>::min() / 10;
    TNumberState state = TNumberState::None;
    bool negative = false;
    bool fits = true;
    Int64 value = 0;
    FPeekedNumber.clear();
    for (int length = 0; length < MaxNumberLength; ++length) {
        const Char c = FReader->NextChar();
        if (IsDigit(c)) {
            const int digit = c - u'0';
            switch (state) {
            case TNumberState::None:
            case TNumberState::Sign:
                value = -digit;
                state = TNumberState::Digit;
                break;
            case TNumberState::Digit:
                if (value == 0) Raise(EExpectedValue(), 1); // no leading zeros
                fits = fits && (value > limit || (value == limit && digit <= 8));
                if (fits) value = value * 10 - digit;
                break;
            case TNumberState::Point:
                state = TNumberState::Fraction;
                break;
            case TNumberState::ExponentMark:
            case TNumberState::ExponentSign:
                state = TNumberState::ExponentDigit;
                break;
            case TNumberState::Fraction:
            case TNumberState::ExponentDigit:
                break;
            }
        } else if (c == u'-') {
            if (state == TNumberState::None) {
                negative = true;
                state = TNumberState::Sign;
            } else if (state == TNumberState::ExponentMark) {
                state = TNumberState::ExponentSign;
            } else {
                Raise(EExpectedValue(), 1);
            }
        } else if (c == u'+') {
            if (state != TNumberState::ExponentMark) Raise(EExpectedValue(), 1);
            state = TNumberState::ExponentSign;
        } else if (c == u'.') {
            if (state != TNumberState::Digit) Raise(EExpectedValue(), 1);
            state = TNumberState::Point;
        } else if (c == u'e' || c == u'E') {
            if (state != TNumberState::Digit && state != TNumberState::Fraction) Raise(EExpectedValue(), 1);
            state = TNumberState::ExponentMark;
        } else {
            if (!TRarEvads::CharInSet(c, Delimiters())) Raise(EExpectedValue(), 1);
            FReader->Backup(c);
            if (state == TNumberState::Digit && fits &&
                (value != std::numeric_limits<Int64>::min() || negative)) {
                FPeekedInt64 = negative ? value : -value;
                FPeeked = jstInt64;
            } else if (state == TNumberState::Digit || state == TNumberState::Fraction ||
                       state == TNumberState::ExponentDigit) {
                FPeeked = jstNumber;
            } else {
                Raise(EExpectedValue()); // a lone minus, or a number ending in '.', 'e' or a sign
            }
            return true;
        }
        FPeekedNumber += c;
    }
    Raise(EExpectedValue());
}

// --- TKelJSONReader: scopes and tokens ----------------------------------------------

void TKelJSONReader::Push(Byte AScope) {
    if (FStackSize == MaxScopes) Raise(ETooManyDepthLevels());
    FStack[FStackSize++] = AScope;
}

void TKelJSONReader::Pop() {
    if (FStackSize > 0) --FStackSize;
}

void TKelJSONReader::Expect(TKelJSONState AExpected) {
    Raise(EInvalidStateException(AExpected));
}

TKelJSONToken TKelJSONReader::Peek() {
    EnsurePeeked();
    switch (FPeeked) {
    case jstBeginObject:
        return jstoBeginObject;
    case jstEndObject:
        return jstoEndObject;
    case jstBeginArray:
        return jstoBeginArray;
    case jstEndArray:
        return jstoEndArray;
    case jstDoubleQuotedName:
        return jstoName;
    case jstTrue:
    case jstFalse:
        return jstoBoolean;
    case jstNull:
        return jstoNull;
    case jstDoubleQuoted:
    case jstBuffered:
        return jstoText;
    case jstInt64:
    case jstNumber:
        return jstoNumber;
    default:
        return jstoEOF;
    }
}

bool TKelJSONReader::HasNext() {
    const TKelJSONToken token = Peek();
    return token != jstoEndObject && token != jstoEndArray;
}

void TKelJSONReader::ReadBeginObject() {
    EnsurePeeked();
    if (FPeeked != jstBeginObject) Expect(jstBeginObject);
    Push(scEmptyObject);
    FPeeked = jstNone;
}

void TKelJSONReader::ReadEndObject() {
    EnsurePeeked();
    if (FPeeked != jstEndObject) Expect(jstEndObject);
    Pop();
    FPeeked = jstNone;
}

void TKelJSONReader::ReadBeginArray() {
    EnsurePeeked();
    if (FPeeked != jstBeginArray) Expect(jstBeginArray);
    Push(scEmptyArray);
    FPeeked = jstNone;
}

void TKelJSONReader::ReadEndArray() {
    EnsurePeeked();
    if (FPeeked != jstEndArray) Expect(jstEndArray);
    Pop();
    FPeeked = jstNone;
}

String TKelJSONReader::ReadName() {
    EnsurePeeked();
    if (FPeeked != jstDoubleQuotedName) Expect(jstDoubleQuotedName);
    FPeeked = jstNone;
    return ScanQuotedText();
}

String TKelJSONReader::PeekName() {
    const Int64 position = FReader->Position();
    String name = ScanQuotedText();
    FReader->SetPosition(position);
    return name;
}

String TKelJSONReader::ReadString() {
    EnsurePeeked();
    String text;
    switch (FPeeked) {
    case jstDoubleQuoted:
        text = ScanQuotedText();
        break;
    case jstBuffered:
        text = std::move(FPeekedString);
        break;
    case jstInt64:
        text = IntToStr(FPeekedInt64);
        break;
    case jstNumber:
        text = FPeekedNumber;
        break;
    default:
        Expect(jstDoubleQuoted);
    }
    FPeeked = jstNone;
    return TRarEvads::UnescapeString(text);
}

bool TKelJSONReader::ReadBoolean() {
    EnsurePeeked();
    if (FPeeked != jstTrue && FPeeked != jstFalse) Expect(jstTrue);
    const bool value = FPeeked == jstTrue;
    FPeeked = jstNone;
    return value;
}

void TKelJSONReader::ReadNull() {
    EnsurePeeked();
    if (FPeeked != jstNull) Expect(jstNull);
    FPeeked = jstNone;
}

// --- TKelJSONReader: numbers ----------------------------------------------------

Double TKelJSONReader::ConvertBuffered(String AText) {
    FPeekedString = std::move(AText);
    FPeeked = jstBuffered;
    // Raises the conversion error for a text that is no number and leaves the
    // text pending.
    return TRarEvads::StrToFloatDot(FPeekedString);
}

Int64 TKelJSONReader::ConvertBufferedWhole(String AText, Double AMin, Double AMax) {
    const Double value = ConvertBuffered(std::move(AText));
    if (!(value >= AMin && value <= AMax)) Expect(jstInt64);
    const Int64 whole = Round(value);
    if (Double(whole) != value) Expect(jstInt64);
    return whole;
}

Int64 TKelJSONReader::ReadWhole(Int64 AMin, Int64 AMax) {
    EnsurePeeked();
    Int64 value = 0;
    // The whole numbers that a Double holds within the range; for 64 bits
    // the largest one below 2^63.
    const Double highest = AMax == std::numeric_limits<Int64>::max() ? 0x1.fffffffffffffp62 : Double(AMax);
    switch (FPeeked) {
    case jstInt64:
        value = FPeekedInt64;
        if (value < AMin || value > AMax) Expect(jstInt64);
        break;
    case jstNumber:
    case jstDoubleQuoted: {
        String text = FPeeked == jstNumber ? FPeekedNumber : ScanQuotedText();
        if (!TryStrToInt64(text, value) || value < AMin || value > AMax)
            value = ConvertBufferedWhole(std::move(text), Double(AMin), highest);
        break;
    }
    case jstBuffered:
        value = ConvertBufferedWhole(std::move(FPeekedString), Double(AMin), highest);
        break;
    default:
        Expect(jstInt64);
    }
    FPeeked = jstNone;
    return value;
}

Integer TKelJSONReader::ReadInteger() {
    return Integer(ReadWhole(std::numeric_limits<Integer>::min(), std::numeric_limits<Integer>::max()));
}

Int64 TKelJSONReader::ReadInt64() {
    return ReadWhole(std::numeric_limits<Int64>::min(), std::numeric_limits<Int64>::max());
}

Double TKelJSONReader::ReadDouble() {
    EnsurePeeked();
    Double value = 0;
    switch (FPeeked) {
    case jstInt64:
        value = Double(FPeekedInt64);
        break;
    case jstNumber:
        value = ConvertBuffered(FPeekedNumber);
        break;
    case jstDoubleQuoted:
        value = ConvertBuffered(ScanQuotedText());
        break;
    case jstBuffered:
        value = ConvertBuffered(std::move(FPeekedString));
        break;
    default:
        Expect(jstNumber);
    }
    FPeeked = jstNone;
    return value;
}

// --- TKelJSONReader: skipping ---------------------------------------------------

void TKelJSONReader::SkipValue() {
    int depth = 0;
    do {
        EnsurePeeked();
        switch (FPeeked) {
        case jstBeginObject:
            Push(scEmptyObject);
            ++depth;
            break;
        case jstBeginArray:
            Push(scEmptyArray);
            ++depth;
            break;
        case jstEndObject:
        case jstEndArray:
            Pop();
            --depth;
            break;
        case jstDoubleQuoted:
        case jstDoubleQuotedName:
            ScanQuotedText();
            break;
        default: // the scan has consumed the token already
            break;
        }
        FPeeked = jstNone;
    } while (depth > 0);
}
