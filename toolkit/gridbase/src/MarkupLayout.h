#pragma once
// The working parts of the cell markup renderer: the inputs of both builds
// in one record, the state tags change, one pass over one line, and the
// layout object that runs the passes. Text and tags: MarkupRenderer.cpp;
// pictures, form controls, emoji and system icons: MarkupObjects.cpp.

#include "gridbase/MarkupRenderer.h"
#include "gridbase/MarkupTags.h"

#include "graphics/Graphic.h"
#include "graphics/GraphicsObjects.h"

#include <memory>

class TGraphic;

namespace detail::cellmarkup {

// The inputs of either build.
struct TMarkupLayoutParams {
    TMarkupDialect Dialect = TMarkupDialect::Grid;
    TCanvas* Canvas = nullptr;
    String Text;
    TRect Rect;
    TCustomImageList* Images = nullptr;
    TPictureContainer* PictureContainer = nullptr;
    THTMLPictureCache* PictureCache = nullptr;
    winapi::HWND OwnerWindow = nullptr;
    Integer HitX = -1, HitY = -1;
    Integer FocusAnchor = -1;
    Integer HotAnchor = -1;
    bool HoverOnly = false, HitTestOnly = false, MeasureOnly = false, WordWrap = true, FixedColors = false;
    bool BlinkOn = true, StretchImages = false;
    double ImageScale = 1;
    Single ControlScale = 1;
    TColor AnchorColor = 0xFF0000, HoverBackColor = clNone, HoverTextColor = clNone, ShadowColor = 0x808080;
    Integer ShadowOffset = 1;
    bool PressedControl = false;
    String PressedControlID;
    // The static-text build's own inputs.
    TColor HighlightColor = clNone, HighlightTextColor = clNone;
    TFontStyles HighlightStyle;
    Integer LineSpacing = 0;
    bool FormScaled = false;
    bool KeepLineBreaks = true;
};

// What tags change. Both passes of a line start from the same copy.
struct TMarkupState {
    bool AnchorOpen = false;
    String Href, Title;
    Integer AnchorCount = 0;
    Integer PictureCount = 0;
    Integer ListDepth = 0;
    bool Ordered = false;
    Integer ItemNumber = 1;
    Integer ParagraphIndent = 0;
    TMarkupAlign Align = TMarkupAlign::Left;
    bool ParagraphBackground = false;
    TColor ParagraphColor = clNone;
    // The background of the runs; clNone draws them transparently.
    TColor Background = clNone;
    // The background a closing tag falls back to.
    TColor SavedBackground = clNone;
    TColor AnchorSavedBackground = clNone, AnchorSavedText = clNone;
    TColor HighlightSavedBackground = clNone, HighlightSavedText = clNone;
    TFontStyles HighlightSavedStyle;
    bool HighlightOn = false;
    TColor SpanSavedBackground = clNone;
    bool Hidden = false, Subscript = false, Superscript = false, Shadow = false, ErrorMark = false;
    // Rotation: the orientation before the R tag.
    bool Rotated = false;
    Integer SavedOrientation = 0;
    // The static-text offset carried from line to line.
    Integer Offset = 0;
    // The focus box of the focus anchor, open while it is being drawn.
    bool FocusOpen = false;
    Integer FocusLeft = 0;
    // The line-height factor of the static text's P LINE-HEIGHT.
    double LineHeightFactor = 1;
};

// One pass over one line.
struct TMarkupLine {
    bool Drawing = false;
    bool Paint = false; // drawing and not only hit-testing
    Integer Left = 0, Right = 0, Top = 0, Bottom = 0;
    Integer X = 0;
    Integer Width = 0;
    Integer Height = 0;
    Integer GH = 0; // the "gh" height at the start of the line
    Integer SubDrop = 0, SupRaise = 0, PictureOffset = 0;
    Integer TrailingBlank = 0;
    bool Break = false;
    bool Full = false;
    bool Placed = false;    // any text or object placed on the line
    String PlacedText;      // the text placed so far
    Integer ItemsOnLine = 0; // LI tags on this line
    bool AnchorHit = false;
    Integer AnchorLeft = 0, AnchorTop = 0;
    bool FloatSet = false;
    bool DropRest = false;
    // The measuring pass's sub/sup allowances, known to the drawing pass.
    Integer KnownSubDrop = 0, KnownSupRaise = 0;
};

class TMarkupLayout {
public:
    TMarkupLayout(const TMarkupLayoutParams& AParams, TMarkupDrawResult& AResult);
    ~TMarkupLayout();
    bool Run();

private:
    bool Static() const { return P.Dialect == TMarkupDialect::StaticText; }
    // Lays one line out. Measuring consumes its markup from the front of
    // AText; drawing takes the line's markup whole.
    String LayoutLine(String& AText, TMarkupLine& L);
    void TextRun(const String& ARun, Integer ASourceLength, TMarkupLine& L, bool& AConsume);
    // Applies a tag; false when the line must end before it.
    bool Tag(const String& ATag, TMarkupLine& L);
    bool OpeningTag(TMarkupTag AKind, const String& ATag, TMarkupLine& L);
    void ClosingTag(TMarkupTag AKind, const String& ATag, TMarkupLine& L);
    void AnchorOpen(const String& ATag, TMarkupLine& L);
    void AnchorClose(TMarkupLine& L);
    void FontTag(const String& ATag, TMarkupLine& L);
    void BodyTag(const String& ATag, TMarkupLine& L);
    bool ListItem(const String& ATag, TMarkupLine& L);
    void ParagraphTag(const String& ATag, TMarkupLine& L);
    void Zigzag(Integer AFrom, Integer ATo, Integer ABottom);
    void FillBand(const TMarkupLine& L, TColor AColor);

    // Pictures, form controls, emoji (MarkupObjects.cpp).
    bool Picture(const String& ATag, TMarkupLine& L);
    bool Control(const String& ATag, TMarkupLine& L);
    void Emoji(const String& ATag, TMarkupLine& L);
    // The picture a source names; null when there is none. Pictures the
    // cache does not hold are added and loaded once.
    TGraphic* FindPicture(const String& ASource, bool AUseCache);
    void DrawBodyPictures(const String& AAttributes, const String& AUpper);
    void DrawGraphic(TGraphic* AGraphic, const TRect& ABox);

    Integer TextHeight(const String& AText);
    Integer RunWidth(const String& ARun);
    void SelectFont();
    // The metrics of the canvas font that every run of it shares: its line
    // height and the width of a blank, measured once per font.
    struct TFontMetrics {
        String Name;
        Integer Height = 0;
        TFontStyles Style;
        Integer Orientation = 0;
        Integer LineHeight = 0, Blank = 0;
    };
    const TFontMetrics& Metrics();
    void SetStyle(TFontStyle AStyle, bool AOn);
    Integer ListIndent() const;

    TMarkupLayoutParams P;
    TMarkupDrawResult& R;
    TCanvas* C;
    TMarkupState S;
    TFont FBase;
    Cardinal FFlags = 0;
    TColor FEntryBackground = clWhite;
    Integer FPictureHit = -1;
    // Floating pictures: the room they keep beside the following lines.
    Integer FFloatLeft = 0, FFloatRight = 0, FFloatHeight = 0, FFloatTop = 0;
    // Pictures loaded for this call from sources the caller keeps no cache for.
    std::vector<std::unique_ptr<TGraphic>> FOwned;
    std::vector<TFontMetrics> FMetrics;
    // The widths the measuring pass found for the runs of the line, used
    // again by its drawing pass.
    std::vector<Integer> FRunWidths;
    std::size_t FNextRun = 0;
};

} // namespace detail::cellmarkup
