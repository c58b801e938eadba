#pragma once
// A pull-style streaming JSON reader over a byte stream.
//
// The reader hands out one token at a time (Peek tells which comes next, the
// Read operations consume it) and checks the document's structure as it
// goes: exactly one top-level object or array, followed only by whitespace,
// at most 255 nested arrays and objects. Every structural fault raises an
// exception class of its own with a fixed message and the place it was found.
//
// Bytes are characters of the ANSI code page (Windows-1252), one byte per
// character: no byte-order mark and no UTF-8 decoding. Characters outside it
// come as "\uXXXX" escapes, which ReadString turns back into characters.

#include "kel/KelJSONMembers.h"
#include "rtl/Exception.h"
#include "rtl/Object.h"
#include "rtl/Stream.h"
#include "rtl/Types.h"

#include <array>
#include <memory>

// The base of every fault the reader finds in its input. The message is the
// fault's own fixed text; where it was found comes with it: the byte offset
// from the start of the input (0-based) and the line and column there
// (1-based; a line ends at a line feed).
class EKelJSONReadError : public Exception {
public:
    explicit EKelJSONReadError(String AMessage) : Exception(std::move(AMessage)) {}
    EKelJSONReadError(std::u16string_view AFormat, std::initializer_list<TVarRec> AArgs)
        : Exception(AFormat, AArgs) {}

    Int64 Position() const { return FPosition; }
    Integer Line() const { return FLine; }
    Integer Column() const { return FColumn; }
    // Sets the place from the input's bytes and an offset into them.
    void SetPlace(const Byte* AData, Int64 ASize, Int64 APosition);

private:
    Int64 FPosition = 0;
    Integer FLine = 1;
    Integer FColumn = 1;
};

// The input as characters: an in-memory copy of the source's bytes, read one
// byte at a time.
class TKelJSONStreamReader : public TObject {
public:
    // "End of JSON input reached."
    class EEndOfInputReached : public EKelJSONReadError {
    public:
        EEndOfInputReached();
    };

    // Copies the source's bytes from its current position to its end (callers
    // position it at 0); later changes to the source are not seen.
    explicit TKelJSONStreamReader(TStream& AStream);
    ~TKelJSONStreamReader() override;

    // The character at the read position, advancing by one; character 0 at the
    // end of the input (without advancing).
    Char ReadChar();
    // As ReadChar, with the position left where it was.
    Char PeekChar() const;
    // As ReadChar, but raises EEndOfInputReached at the end of the input.
    Char NextChar();
    // Stamps AError with the place AOffset bytes before the read position.
    void Locate(EKelJSONReadError& AError, Int64 AOffset = 0) const;
    // Moves the position back by one byte (the character is not used).
    void Backup(Char c);
    // Moves the position forward by Count bytes, at most to the end.
    void MoveNext(Integer Count);
    bool Eof() const { return FPosition >= FSize; }

    // The read position in bytes from the start of the input.
    Int64 Position() const { return FPosition; }
    void SetPosition(Int64 Value);

private:
    TStream* FStream; // the source, not owned
    std::unique_ptr<TMemoryStream> FReadStream;
    const Byte* FData = nullptr; // FReadStream's bytes
    Int64 FSize = 0;
    Int64 FPosition = 0;

    KEL_JSON_MEMBERS
};

// What Peek reports as the next token.
enum TKelJSONToken : Byte {
    jstoBeginObject,
    jstoEndObject,
    jstoBeginArray,
    jstoEndArray,
    jstoName,
    jstoBoolean,
    jstoNull,
    jstoText,
    jstoNumber,
    jstoEOF
};

class TKelJSONReader : public TObject {
public:
    // The pending token: what a scan found and no read has consumed yet.
    enum TKelJSONState : Byte {
        jstNone = 0, // nothing peeked
        jstBeginObject = 1,
        jstEndObject = 2,
        jstBeginArray = 3,
        jstEndArray = 4,
        jstTrue = 5,
        jstFalse = 6,
        jstNull = 7,
        jstDoubleQuoted = 8,      // a string value whose opening quote is consumed
        jstBuffered = 9,          // a text kept in FPeekedString
        jstDoubleQuotedName = 10, // a member name whose opening quote is consumed
        jstInt64 = 11,            // an integer in FPeekedInt64
        jstNumber = 12,           // a number's text in FPeekedNumber
        jstEOF = 13
    };

    // "Invalid Json parser state. Expected state: %d": a typed read found
    // another token than the one it reads.
    class EInvalidStateException : public EKelJSONReadError {
    public:
        explicit EInvalidStateException(TKelJSONState AExpected);
    };
    // "Unterminated array": neither ',' nor ']' after an element.
    class EUnterminatedArray : public EKelJSONReadError {
    public:
        EUnterminatedArray();
    };
    // "Unterminated object": neither ',' nor '}' after a member's value.
    class EUnterminatedObject : public EKelJSONReadError {
    public:
        EUnterminatedObject();
    };
    // "Name expected": a member name does not start with '"'.
    class ENameExpected : public EKelJSONReadError {
    public:
        ENameExpected();
    };
    // "Colon expected": no ':' after a member name.
    class EColonExpected : public EKelJSONReadError {
    public:
        EColonExpected();
    };
    // "Multiple root values not allowed": more than whitespace after the
    // top-level value.
    class EMultipleRootNotAllowed : public EKelJSONReadError {
    public:
        EMultipleRootNotAllowed();
    };
    // "Value expected but invalid character found": a malformed literal or
    // number, or no value where one is due.
    class EExpectedValue : public EKelJSONReadError {
    public:
        EExpectedValue();
    };
    // "Object or array expected as top-level value" (also for an empty input).
    class EObjectOrArrayExpected : public EKelJSONReadError {
    public:
        EObjectOrArrayExpected();
    };
    // "Maximum level of nested structured reached.": a 256th scope.
    class ETooManyDepthLevels : public EKelJSONReadError {
    public:
        ETooManyDepthLevels();
    };

    explicit TKelJSONReader(TStream& AStream);
    ~TKelJSONReader() override;

    // The next token, without consuming it.
    TKelJSONToken Peek();
    // False when the next token ends an object or an array, else true (also
    // at the end of the document).
    bool HasNext();
    bool Eof() { return Peek() == jstoEOF; }
    bool IsNull() { return Peek() == jstoNull; }

    // Consume a bracket or brace; a begin opens a scope, an end closes one.
    void ReadBeginObject();
    void ReadEndObject();
    void ReadBeginArray();
    void ReadEndArray();

    // A member name: the text between its quotes, not unescaped.
    String ReadName();
    // Right after Peek or HasNext reported a name: the name, left unread.
    String PeekName();
    // A string value, unescaped, or the text of a number (an integer in its
    // own decimal form, any other number as written). A bad escape raises
    // Exception "Invalid code at position %s" or "Unexpected end of string".
    String ReadString();
    bool ReadBoolean();
    void ReadNull();
    // Integers; a non-integer number or a string is converted as a
    // floating-point number ("." as decimal separator) and accepted when it
    // is whole and in range: 2.0 and 1e3 read as 2 and 1000. A text that is
    // no number raises EConvertError.
    Integer ReadInteger();
    Int64 ReadInt64();
    Double ReadDouble();

    // Consumes one whole value, nested arrays and objects included.
    void SkipValue();

private:
    // Scans the next token into FPeeked when nothing is pending.
    void EnsurePeeked();
    void Scan();
    void ScanValue(Byte AScope);
    bool ScanLiteral(Char AFirst);
    bool ScanNumber(Char AFirst);

    Char NextSignificantChar();
    void ConsumeSignificantChar();
    void SkipWhitespace();
    // The text of a string or name after its opening quote, up to and past
    // its closing quote (or to the end of the input).
    String ScanQuotedText();

    void Push(Byte AScope);
    void Pop();
    Byte& Top() { return FStack[FStackSize - 1]; }

    // Raises EInvalidStateException with AExpected.
    [[noreturn]] void Expect(TKelJSONState AExpected);
    // Raises AError with the place of the character AOffset bytes before the
    // read position (1: the character just read).
    template <class E>
    [[noreturn]] void Raise(E AError, Int64 AOffset = 0) {
        FReader->Locate(AError, AOffset);
        throw AError;
    }
    // The pending text kept as jstBuffered and converted as a floating-point
    // number; for whole numbers in [AMin, AMax] only, else expects jstInt64.
    Double ConvertBuffered(String AText);
    Int64 ConvertBufferedWhole(String AText, Double AMin, Double AMax);
    Int64 ReadWhole(Int64 AMin, Int64 AMax);

    std::unique_ptr<TKelJSONStreamReader> FReader;
    std::array<Byte, 256> FStack{};
    Integer FStackSize = 1;
    TKelJSONState FPeeked = jstNone;
    Int64 FPeekedInt64 = 0;
    String FPeekedNumber;
    String FPeekedString;

    KEL_JSON_MEMBERS
};
