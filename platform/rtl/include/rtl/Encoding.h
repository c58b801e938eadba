#pragma once
// Conversions between UTF-16 strings and the byte encodings used at the
// edges of the program (files, paths, libraries), byte-order-mark detection,
// and TEncoding, the encoding objects that text readers and writers take.
//
// Byte buffers are std::string / std::string_view: one char per byte, the
// same container AnsiString uses.

#include "rtl/Types.h"

#include <string_view>

// UTF-16 to UTF-8. Unpaired surrogates become U+FFFD.
std::string Utf8(std::u16string_view text);

// UTF-8 to UTF-16. Invalid or truncated sequences become U+FFFD; never throws.
String FromUtf8(std::string_view bytes);

// UTF-16 to Windows-1252, the 8-bit code page of every ANSI file. A character
// the code page lacks becomes '?' (one '?' for a surrogate pair).
AnsiString ToAnsi(std::u16string_view text);

// Windows-1252 to UTF-16. Every byte has a character: the five bytes the code
// page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+0081 and so
// on, so any byte string survives FromAnsi followed by ToAnsi unchanged.
String FromAnsi(std::string_view bytes);

// The encoding a byte-order mark at the start of a buffer names.
enum class TBomEncoding { None, Utf8, Utf16LE, Utf16BE };

struct TBomInfo {
    TBomEncoding Encoding = TBomEncoding::None;
    Integer Length = 0; // bytes the mark takes; 0 without one
};

// Looks for the UTF-8 (EF BB BF), UTF-16 LE (FF FE) or UTF-16 BE (FE FF) mark.
TBomInfo DetectBom(std::string_view bytes);

// A text encoding: turns UTF-16 text into bytes and back. The instances are
// process-wide and never freed; pass them around by reference or pointer.
class TEncoding {
public:
    virtual ~TEncoding() = default;
    TEncoding(const TEncoding&) = delete;
    TEncoding& operator=(const TEncoding&) = delete;

    // The text as bytes, without the preamble.
    virtual std::string GetBytes(std::u16string_view text) const = 0;
    // The bytes as text; bytes that cannot be decoded become U+FFFD (or '?'
    // for ASCII). A preamble in the bytes is decoded like any other bytes.
    virtual String GetString(std::string_view bytes) const = 0;
    // The byte-order mark written before the text; empty when the encoding
    // has none.
    virtual std::string GetPreamble() const { return {}; }
    virtual String EncodingName() const = 0;

    // Windows-1252; also the Default encoding for text without a mark.
    static const TEncoding& ANSI();
    static const TEncoding& Default();
    // 7-bit ASCII; any other character becomes '?'.
    static const TEncoding& ASCII();
    static const TEncoding& UTF8();
    // UTF-16 little endian.
    static const TEncoding& Unicode();
    static const TEncoding& BigEndianUnicode();

    // With encoding null: sets it to the encoding the buffer's byte-order
    // mark names (defaultEncoding when there is none) and answers the mark's
    // length. With an encoding given: answers its preamble's length when the
    // buffer starts with that preamble, else 0.
    static Integer GetBufferEncoding(std::string_view bytes, const TEncoding*& encoding,
                                     const TEncoding& defaultEncoding = Default());

protected:
    TEncoding() = default;
};

// Decodes a whole text file's bytes: a UTF-8 or UTF-16 byte-order mark selects
// that encoding (the mark is not part of the text), otherwise withoutBom.
String DecodeText(std::string_view bytes, const TEncoding& withoutBom = TEncoding::ANSI());
