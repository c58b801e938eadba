#pragma once
// The working parts of the mini-HTML renderer: the state of one call, the
// state of one pass over one line, and the layout object that runs the line
// passes. Shared by the renderer's text tags (KelMarkupRenderer.cpp) and its
// pictures and form controls (KelMarkupObjects.cpp).

#include "kel/KelMarkupRenderer.h"

#include <memory>

class TPicture;

namespace detail {

enum class TMarkupAlign { Left, Center, Right };

// The font as the renderer changes it: restored as a whole between passes.
struct TMarkupFont {
    String Name;
    Integer Height = 0;
    TFontStyles Style;
    TColor Color = 0;
};

// What tags change and what carries from line to line. Both passes of a line
// start from the same copy of it, so a line is drawn as it was measured.
struct TMarkupState {
    TMarkupFont Font;
    TColor TextColor = 0;
    TColor SavedTextColor = 0;
    // Background of the runs drawn until the tag that set it closes; -1 none.
    TColor RunBackground = -1;
    TColor LinkSavedBackground = -1;
    TColor FontSavedBackground = -1;
    bool InLink = false;
    String LinkTarget;
    Integer LinkCount = 0;
    // Where the current link began: the line width and line top at its A tag.
    Single LinkStartWidth = 0;
    Single LinkStartTop = 0;
    bool LinkUnderPointMark = false;
    Integer ListLevel = 0;
    Single Offset = 0;
    TMarkupAlign Align = TMarkupAlign::Left;
    Single Indent = 0;
    bool ParagraphBackground = false;
    TColor ParagraphSavedFill = -1;
    // A two-colour paragraph background: its second colour (-1: one colour) and direction.
    TColor ParagraphColorTo = -1;
    bool ParagraphHorizontal = true;
    TColor BodySavedFill = -1;
    bool Hidden = false;
    bool ErrorMark = false;
    bool Shadow = false;
    bool Subscript = false;
    bool Superscript = false;
    bool HighlightOn = false;
    TColor HighlightSavedTextColor = 0;
    TColor HighlightSavedBackground = -1;
    TFontStyles HighlightSavedStyle;
    Integer ImageCounter = 0;
};

// The hit flags of one line, set by either of its passes.
struct TMarkupLineHits {
    bool TextLink = false;
    bool Object = false;
};

// One pass over one line.
struct TMarkupLinePass {
    // The first pass measures and consumes; the second replays its text.
    bool First = false;
    bool NoDraw = true;
    // The line rectangle.
    Single Left = 0;
    Single Right = 0;
    Single Top = 0;
    Single Bottom = 0;
    // The offset carried from earlier lines.
    Single CarriedOffset = 0;
    // The subscript and superscript allowances the first pass found (the
    // run box of a drawing pass depends on them).
    Single KnownSubscript = 0;
    Single KnownSuperscript = 0;

    Single X = 0;
    Single Width = 0;
    Single TrailingSpace = 0;
    Single Height = 0;
    Single SubscriptAllowance = 0;
    Single SuperscriptAllowance = 0;
    Single PictureShift = 0;
    bool LineEnd = false;
    bool LineFull = false;
    bool ListItem = false;
    bool FloatParagraph = false;

    bool Drawing() const { return !NoDraw; }
    // The bottom of the run box before per-run adjustments.
    Single RunBoxBottom() const { return Bottom - KnownSubscript; }
};

class TMarkupLayout {
public:
    TMarkupLayout(TKelGraphics* AGraphics, const TRectF& ARect, const TMarkupTextOptions& AOptions,
                  TMarkupTextOutputs& AOutputs);

    // Lays the whole text out; the result of DrawMarkupText.
    bool Run(String AText);

private:
    // Consumes this line's text from the front of AText into the result.
    String LayoutLine(String& AText, TMarkupLinePass& ALine, TMarkupLineHits& AHits);
    void LayoutRun(String& AText, String& ALineText, TMarkupLinePass& ALine, TMarkupLineHits& AHits);
    void LayoutTag(const String& ATag, TMarkupLinePass& ALine, TMarkupLineHits& AHits);
    void OpeningTag(const String& ATag, TMarkupLinePass& ALine, TMarkupLineHits& AHits);
    void ClosingTag(const String& ATag, TMarkupLinePass& ALine);

    void LinkStart(const String& ATag, TMarkupLinePass& ALine);
    void LinkEnd(TMarkupLinePass& ALine);
    void FontTag(const String& ATag, TMarkupLinePass& ALine);
    void HorizontalRule(const String& ATag, TMarkupLinePass& ALine);
    void ListItem(const String& ATag, TMarkupLinePass& ALine);
    void Paragraph(const String& ATag, TMarkupLinePass& ALine);
    void ErrorMark(Single AFrom, Single ATo, const TMarkupLinePass& ALine);
    // A background in AColor, or running from AColor to AColorTo (not -1)
    // left to right (AHorizontal) or top to bottom.
    void PaintBackground(const TRectF& ARect, TColor AColor, TColor AColorTo, bool AHorizontal);

    // Pictures and form controls (KelMarkupObjects.cpp).
    void Image(const String& ATag, TMarkupLinePass& ALine, TMarkupLineHits& AHits);
    void Body(const String& ATag, TMarkupLinePass& ALine);
    void Control(const String& ATag, TMarkupLinePass& ALine, TMarkupLineHits& AHits);
    // The picture a source names: a container picture (not owned, AOwned
    // empty) or a loaded one (owned through AOwned). Null when there is none
    // or it cannot be loaded.
    const TPicture* FindPicture(const String& ASource, bool AAllowFile, bool AAllowBase64,
                                std::unique_ptr<TPicture>& AOwned);

    void CaptureFont();
    void ApplyFont(const TMarkupFont& AFont);
    Single TextHeight(const String& AText);
    TRectF MeasureRun(const String& ARun);
    void SetFontStyle(TFontStyle AStyle, bool AOn);

    TKelGraphics* G;
    TRectF FRect;
    const TMarkupTextOptions& O;
    TMarkupTextOutputs& Out;
    TMarkupState S;
    // Colours of the drawing class at entry.
    TColor FEntryFill = -1;
    TMarkupFont FEntryFont;
    // Call-wide picture and float state.
    Integer FPictureUnderPoint = -1;
    Single FFloatLeftWidth = 0;
    Single FFloatRightWidth = 0;
    Single FFloatBottom = 0;
    Integer FFloatParagraph = 0;
    TPoint FFloatParagraphStart{};
};

// Attribute helpers: AUpper is AAttributes upper-cased (same length).
// The text between the first two double quotes after AName; empty when the
// name or the quotes are missing.
String MarkupAttribute(const String& AAttributes, const String& AUpper, const String& AName);
bool HasMarkupAttribute(const String& AUpper, const String& AName);
// AUpper with every AName blotted out, so that a shorter name that AName
// begins with is found on its own.
String MaskMarkupAttribute(String AUpper, const String& AName);
// The integer read from the start of the value, up to where it stops being one.
Integer MarkupInteger(const String& AValue);
// "#RRGGBB" through HTMLToColor, else a colour name; ADefault for an empty value.
TColor MarkupColor(const String& AValue, TColor ADefault);

} // namespace detail
