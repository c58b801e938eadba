#pragma once
// The content of a rich edit: text with a character format per character
// and an alignment per paragraph, and its exchange as Rich Text Format.
//
// Paragraphs are separated by CR LF in the text, as in the edit controls.
// The RTF reader takes the font and colour tables, \f \fs \b \i \ul \strike
// \cf \up \dn \super \sub \plain, \par \line \tab, \pard \ql \qc \qr \qj,
// \'hh (Windows-1252), \u with \uc, and the escaped characters; it skips
// destinations it does not know (\* groups, stylesheets, document
// information, pictures, headers). The writer emits the same subset.

#include "graphics/Colors.h"
#include "graphics/GraphicsObjects.h"
#include "rtl/Alignment.h"
#include "rtl/Exception.h"

#include <vector>

// A text that is not Rich Text Format where RTF is required.
class ERichTextError : public Exception {
public:
    using Exception::Exception;
};

struct TCharFormat {
    String Name = u"Arial";
    Integer Size = 10; // points
    TFontStyles Style;
    TColor Color = clWindowText;
    Integer Offset = 0; // twips above (positive) or below the base line

    bool operator==(const TCharFormat&) const = default;
};

class TRichDocument {
public:
    TRichDocument() = default;

    const String& Text() const { return FText; }
    Integer Length() const { return Integer(FText.size()); }
    // The format of the character at Index (the default after the end).
    const TCharFormat& Format(Integer Index) const;
    // Alignment of the paragraph holding the character at Index.
    TAlignment ParagraphAlignment(Integer Index) const;
    const TCharFormat& DefaultFormat() const { return FDefault; }
    void SetDefaultFormat(const TCharFormat& Value) { FDefault = Value; }

    // Replaces Count characters from Start with Text in the given format.
    void Replace(Integer Start, Integer Count, const String& Text, const TCharFormat& Format);
    // Sets the format of Count characters from Start.
    void SetFormat(Integer Start, Integer Count, const TCharFormat& Format);
    // Changes a part of the format of a range through Change.
    template <class F>
    void ChangeFormat(Integer Start, Integer Count, F&& Change) {
        for (Integer I = Start; I < Start + Count && I < Length(); ++I) {
            TCharFormat Changed = Format(I);
            Change(Changed);
            SetFormat(I, 1, Changed);
        }
    }
    // Aligns every paragraph that holds a character of the range.
    void SetParagraphAlignment(Integer Start, Integer Count, TAlignment Value);
    // Replaces everything with plain text in the default format.
    void SetPlainText(const String& Text);
    // Follows a change of the plain text made elsewhere: the changed middle
    // takes InsertFormat, or without one the format of the character before it.
    void FollowText(const String& NewText, const TCharFormat* InsertFormat);

    // Whether the bytes start as Rich Text Format ("{\rtf").
    static bool IsRichText(const std::string& Bytes);
    // Reads RTF; raises ERichTextError when the bytes are not RTF.
    void LoadRtf(const std::string& Bytes);
    // The document as RTF (ASCII bytes).
    std::string SaveRtf() const;

private:
    Integer FormatIndex(const TCharFormat& Format);
    Integer ParagraphOf(Integer Index) const;

    String FText;
    std::vector<Integer> FFormatOf;         // per character, an index into FFormats
    std::vector<TCharFormat> FFormats;      // the distinct formats used
    std::vector<TAlignment> FParagraphs{taLeftJustify}; // one per paragraph
    TCharFormat FDefault;
};
