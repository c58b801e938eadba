#pragma once
// A push-style streaming JSON writer over a byte stream.
//
// Each write operation adds one token and returns the writer, so calls chain:
//   writer.WriteBeginObject().WriteName(u"a").WriteInteger(1).WriteEndObject();
// The writer checks the structure as it goes (exactly one top-level object or
// array, names only inside objects, at most 255 nested arrays and objects)
// and raises an exception class of its own with a fixed message for each
// fault.
//
// The text is collected in memory and handed to the target stream when the
// writer is freed (Free), also after an exception: a failed write leaves the
// partial document in the target. Text becomes bytes in the ANSI code page
// (Windows-1252); names and strings escape every character from U+0080 up,
// so the output is pure ASCII except inside raw strings.

#include "kel/KelJSONMembers.h"
#include "rtl/Exception.h"
#include "rtl/Object.h"
#include "rtl/Stream.h"
#include "rtl/Types.h"

#include <array>
#include <memory>
#include <string_view>

// The output as characters: an in-memory buffer copied to the target stream,
// at the target's position, when the writer is freed.
class TKelJSONStreamWriter : public TObject {
public:
    explicit TKelJSONStreamWriter(TStream& AStream);
    ~TKelJSONStreamWriter() override;

    // Appends the text's bytes to the buffer.
    void Write(std::u16string_view Value);

    // Copies the buffer to the target stream.
    void BeforeDestruction() override;

private:
    TStream* FStream; // the target, not owned
    std::unique_ptr<TMemoryStream> FWriteStream;

    KEL_JSON_MEMBERS
};

class TKelJSONWriter : public TObject {
public:
    // "Cannot write name in current Json scope": a pending name is written
    // outside an object.
    class ECannotWriteName : public Exception {
    public:
        ECannotWriteName();
    };
    // "Multiple root values not allowed": a second top-level value.
    class EMultipleRootNotAllowed : public Exception {
    public:
        EMultipleRootNotAllowed();
    };
    // "Object or array expected as top-level value": a scalar at the top.
    class EObjectOrArrayExpected : public Exception {
    public:
        EObjectOrArrayExpected();
    };
    // "Invalid nesting. Not all arrays/objects were properly closed.": a wrong
    // closing bracket, a value without a name inside an object, or Close on
    // an incomplete document.
    class EInvalidNesting : public Exception {
    public:
        EInvalidNesting();
    };
    // "Json value missing": a name while another is pending, or a scope
    // closed with a pending name.
    class EMissingValue : public Exception {
    public:
        EMissingValue();
    };
    // "Maximum level of nested structured reached.": a 256th scope.
    class ETooManyDepthLevels : public Exception {
    public:
        ETooManyDepthLevels();
    };
    // "Json is still empty. Cannot perform operation.": the scope stack is empty.
    class EEmptyJson : public Exception {
    public:
        EEmptyJson();
    };
    // "Cannot write empty name".
    class EEmptyName : public Exception {
    public:
        EEmptyName();
    };

    explicit TKelJSONWriter(TStream& AStream);
    ~TKelJSONWriter() override;

    // Frees the stream writer, which hands the text to the target.
    void BeforeDestruction() override;

    // The indentation unit's length. A length above 0 starts every member,
    // element and closing bracket of a non-empty container on a line of its
    // own (lines end with CR LF), indented by the unit per level, and puts a
    // space after each name's colon; 0 or less writes no whitespace at all.
    Integer IndentLength() const { return Integer(FIndent.size()); }
    void SetIndentLength(Integer Value);

    TKelJSONWriter& WriteBeginObject();
    TKelJSONWriter& WriteEndObject();
    TKelJSONWriter& WriteBeginArray();
    TKelJSONWriter& WriteEndArray();
    // Keeps the member name until the next value is written.
    TKelJSONWriter& WriteName(const String& Name);
    // A quoted string with quotes, backslashes, control characters and
    // everything from U+0080 up escaped as "\uXXXX".
    TKelJSONWriter& WriteString(const String& Value);
    // A quoted string written as it is, without escaping.
    TKelJSONWriter& WriteRawString(const String& Value);
    TKelJSONWriter& WriteBoolean(bool Value);
    TKelJSONWriter& WriteNull();
    // At most 15 significant digits, "." as decimal separator whatever the
    // format settings, exponent form (1E-6, 1.5E20) for very small and very
    // large magnitudes. JSON has no form for NaN and the infinities: they
    // raise EConvertError and nothing is written.
    TKelJSONWriter& WriteDouble(Double Value);
    TKelJSONWriter& WriteInteger(Int64 Value);

    // Checks that exactly one complete top-level value was written (else
    // EInvalidNesting) and marks the writer closed.
    void Close();
    bool Closed() const { return FClosed; }

private:
    // Writes the pending name and the separator the next value needs;
    // AIsContainer for an object or array, the only top-level values.
    void BeginValue(bool AIsContainer);
    void Open(Byte AScope, Char ABracket);
    void CloseScope(Byte AEmptyScope, Byte ANonEmptyScope, Char ABracket);
    void NewLine();
    void WriteQuoted(const String& AText);
    Byte& Top() { return FStack[FStackSize - 1]; }

    std::unique_ptr<TKelJSONStreamWriter> FWriter;
    std::array<Byte, 256> FStack{};
    Integer FStackSize = 1;
    String FIndent;
    String FSeparator = u":";
    String FDeferredName;
    bool FClosed = false;

    KEL_JSON_MEMBERS
};
