#pragma once
// The mini-HTML renderer of the drawing class. DrawMarkupText lays a text
// with a small HTML-like markup out in a rectangle, line by line, and
// measures it, draws it through the drawing class, or finds the link or form
// control under a point. Every line is laid out twice: a first pass measures
// and consumes the line's text, a second pass (unless only measuring) draws
// or hit-tests exactly that text from the same starting state.
//
// Tags (names and attributes without regard to case; attribute values in
// double quotes):
//   A HREF, B, I, U, S, BLINK, BODY (BACKGROUND, BGTOPLEFT, BGTOPRIGHT,
//   BGCOLOR), BR, CONTROL (TYPE, ID, VALUE, WIDTH, HEIGHT), E (error mark),
//   FONT (FACE, COLOR, BGCOLOR, STYLE, SIZE), HI, HR (COLOR), IND x, IMG
//   (SRC, ALT, WIDTH, HEIGHT, ALIGN, FLOAT, WRAP), LI (TYPE, COLOR), OFS x, P
//   (ALIGN, INDENT, FLOAT, BGCOLOR), SHAD, SUB, SUP, UL, Z (hidden).
//
// The drawing class uses it through its markup renderer hook, registered by
// default, so that its DrawText and CalculateText render and measure markup.

#include "graphics/GraphicsObjects.h"
#include "kel/KelGraphics.h"

class TPictureContainer;
class TCustomImageList;

// The inputs of one call.
struct TMarkupTextOptions {
    // The point to test.
    Integer PointX = 0;
    Integer PointY = 0;
    // The link holding the focus, from 0; -1 none.
    Integer FocusLink = -1;
    // The link under the mouse, from 1; -1 none.
    Integer HoverLink = -1;
    // Offset of SHAD shadows on both axes.
    Integer ShadowDistance = 0;
    // The second pass of each line tests the point and draws nothing.
    bool HitTestOnly = false;
    // No second pass at all.
    bool MeasureOnly = false;
    // Pictures from the image list keep their place but are not drawn.
    bool SkipImageListImages = false;
    // Link, FONT and BODY colours are not applied.
    bool KeepColors = false;
    // BLINK text keeps its colour.
    bool BlinkShown = false;
    // Link underline and hover colours only for link number HoverLink.
    bool StyleHoverLinkOnly = false;
    bool WordWrap = false;
    // The control named ControlDownID is shown pressed.
    bool ControlDown = false;
    String ControlDownID;
    // Size factor of check boxes and radio buttons.
    Double ControlScale = 1.0;
    TColor LinkColor = 0xFF0000;
    TColor LinkHoverColor = -1;
    TColor LinkHoverTextColor = -1;
    TColor ShadowColor = -1;
    // Added to the height of every line.
    Integer LineSpacing = 0;
    // Named pictures; not owned, may be null.
    TPictureContainer* PictureContainer = nullptr;
    bool LinkUnderline = true;
    // Pictures for "IDX:" sources; not owned, may be null.
    TCustomImageList* ImageList = nullptr;
    TColor HighlightColor = -1;
    TColor HighlightTextColor = -1;
    TFontStyles HighlightFontStyles;
};

// The outputs of one call. ControlID is also an input: with HitTestOnly the
// control of that ID is reported wherever it lies.
struct TMarkupTextOutputs {
    // Target of the link under the point, or "ctrl" for a form control; kept
    // as given when nothing is hit.
    String Anchor;
    // The text of the laid-out runs without markup, a carriage return per BR.
    String PlainText;
    // Target of link FocusLink.
    String FocusAnchor;
    // Width of the widest line plus 2, and the sum of the line heights.
    Single TextWidth = 0;
    Single TextHeight = 0;
    Integer LinkCount = 0;
    Integer LinkUnderPoint = -1;
    // The box of that link on the line where it ends.
    TRectF LinkUnderPointRect{};
    // The box of the form control under the point, and its attributes.
    TRectF ControlRect{};
    String ControlID;
    String ControlValue;
    String ControlType;
    Integer LineCount = 0;
};

// Lays Text out in Rect with Graphics. True when the point hits a link, a
// linked picture or a form control; always false with MeasureOnly. The fill,
// stroke and font of Graphics are as they were when the call returns.
bool DrawMarkupText(TKelGraphics* Graphics, const String& Text, const TRectF& Rect,
                    const TMarkupTextOptions& Options, TMarkupTextOutputs& Outputs);

// The drawing class's markup renderer: DrawMarkupText with the drawing
// class's link, highlight, picture and image-list settings.
void RenderKelMarkupText(TKelGraphics* AGraphics, const TKelMarkupTextRequest& ARequest,
                         TKelMarkupTextResult& AResult);

// Text with every match of Search (found in the text without its tags) wrapped
// in "<Tag>" and "</Tag>"; the opening tag goes right after the visible
// character before the match, the closing tag right after its last character.
void HighlightMarkup(const String& Text, const String& Search, const String& Tag, String& Result,
                     bool CaseSensitive);
String HighlightMarkup(const String& Text, const String& Search, const String& Tag, bool CaseSensitive);

// The 1-based index of the first position of Text with exactly N - 1 visible
// characters (outside "<" ... ">") before it; Length + 1 for the end; 0 when
// the text has fewer than N - 1 visible characters.
Integer MarkupCharIndex(const String& Text, Integer N);

// The attributes of a CONTROL tag.
struct TMarkupControl {
    // Upper-cased: CHECK, RADIO, EDIT, PASSWORD, BUTTON or COMBO.
    String Type;
    String ID;
    String MaxLen;
    String Prop;
    String Height;
    String Width;
    String Value;
};
TMarkupControl ParseMarkupControl(const String& AAttributes);
