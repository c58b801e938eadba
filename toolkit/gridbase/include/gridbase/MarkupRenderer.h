#pragma once
// The cell markup renderer: lays a markup text out in a rectangle of a
// canvas, line by line, and in one call measures it, draws it and finds the
// anchor, picture or form control under a point. Every line is laid out
// twice from the same starting state: a measuring pass consumes the line's
// markup and finds its size, a drawing pass draws exactly that markup in the
// line's aligned rectangle (painting nothing when only hit-testing).
//
// Nothing is kept between calls but the program-wide colour, entity and
// highlight tables. No input makes a render fail, loop or recurse: unknown
// tags are skipped, an unterminated tag drops the rest of the text, and a
// picture that cannot be found or loaded takes no room.

#include "graphics/Canvas.h"
#include "graphics/Rect.h"
#include "rtl/Types.h"
#include "windowing/Messages.h"

class TCustomImageList;
class TPictureContainer;
class THTMLPictureCache;

struct TMarkupDrawParams {
    // Its font is the base font; pen, brush and font are as they were when
    // the call returns.
    TCanvas* Canvas = nullptr;
    String Text;
    // The layout area; text starts one pixel right of its left edge.
    TRect Rect;
    // Sources of "IDX:" pictures, named pictures and pictures by address;
    // any may be null, and the pictures needing it then take no room.
    TCustomImageList* Images = nullptr;
    TPictureContainer* PictureContainer = nullptr;
    THTMLPictureCache* PictureCache = nullptr;
    winapi::HWND OwnerWindow = nullptr;
    // The point to test, in canvas coordinates.
    Integer HitX = -1, HitY = -1;
    // The anchor (from 0) that gets a focus rectangle and whose target is
    // returned; -1 none.
    Integer FocusAnchor = -1;
    // The anchor (from 1) under the mouse.
    Integer HotAnchor = -1;
    // Only the hot anchor is underlined and takes the hover colours.
    bool HoverOnly = false;
    // The drawing pass runs but paints nothing.
    bool HitTestOnly = false;
    // Only measuring: nothing drawn, nothing cut at the bottom, never a hit.
    bool MeasureOnly = false;
    // Wrap at blanks; otherwise lines end only at line-breaking tags and
    // text that does not fit ends in an ellipsis.
    bool WordWrap = true;
    // Anchors and FONT colours and backgrounds leave the caller's colours.
    bool FixedColors = false;
    // The blink phase: off draws BLINK text in the background colour.
    bool BlinkOn = true;
    // "IDX:" pictures and system icons stretched by ImageScale.
    bool StretchImages = false;
    // Values below 1 count as 1.
    double ImageScale = 1;
    // Scale of sizes written in the markup and of unsized pictures.
    Single ControlScale = 1;
    TColor AnchorColor = 0xFF0000;
    TColor HoverBackColor = clNone;
    TColor HoverTextColor = clNone;
    TColor ShadowColor = 0x808080;
    Integer ShadowOffset = 1;
    // The form control with this ID is held down.
    bool PressedControl = false;
    String PressedControlID;
    // 0 left to right; 1..3 right-to-left modes (without effect outside a
    // Middle-East locale).
    Byte BiDiMode = 0;
};

struct TMarkupDrawResult {
    bool Hit = false;
    // Target of the anchor hit, or "ctrl" for a form control; written only
    // on a hit.
    String Anchor;
    // The decoded runs as laid out, a carriage return for each BR.
    String PlainText;
    String FocusAnchorHref;
    String AnchorTitle;
    // The widest line without trailing blanks, and the sum of line heights.
    Integer Width = 0;
    Integer Height = 0;
    Integer AnchorCount = 0;
    // The anchor hit (from 1), -1 none; its box on its line (written on a hit).
    Integer HitAnchor = -1;
    TRect HitAnchorRect;
    TRect ControlRect;
    // In, with HitTestOnly: the control to report wherever it lies.
    String ControlID;
    String ControlValue;
    String ControlType;
};

// Lays out, draws and hit-tests; the result is Result.Hit.
bool DrawMarkupOnCanvas(const TMarkupDrawParams& Params, TMarkupDrawResult& Result);

// The HTML static-text control's build of the renderer: its dialect, no form
// controls, its own highlight colours and style, line spacing, LINE-HEIGHT,
// OFS and BODY gradients and corner pictures.
struct TStaticMarkupDrawParams {
    TCanvas* Canvas = nullptr;
    String Text;
    TRect Rect;
    TCustomImageList* Images = nullptr;
    TPictureContainer* PictureContainer = nullptr;
    THTMLPictureCache* PictureCache = nullptr;
    Integer HitX = -1, HitY = -1;
    Integer FocusAnchor = -1;
    Integer HotAnchor = -1;
    bool HoverOnly = false;
    bool HitTestOnly = false;
    bool MeasureOnly = false;
    bool WordWrap = true;
    bool BlinkOn = true;
    // Line breaks in the text kept as BR (else blanks).
    bool KeepLineBreaks = true;
    TColor AnchorColor = 0xFF0000;
    TColor HoverBackColor = clNone;
    TColor HoverTextColor = clNone;
    TColor ShadowColor = 0x808080;
    Integer ShadowOffset = 1;
    TColor HighlightColor = clHighlight;
    TColor HighlightTextColor = clHighlightText;
    TFontStyles HighlightStyle;
    // Pixels added to every line's height.
    Integer LineSpacing = 0;
    // FONT SIZE values other than 1..5 follow the scale when the form is scaled.
    bool FormScaled = false;
    // The control's DPI scale; not above 0: the canvas's dots per inch / 96.
    double Scale = 1;
};

struct TStaticMarkupDrawResult {
    bool Hit = false;
    String Anchor;
    // The hit anchor's TITLE after measuring, overwritten by the focus
    // anchor's target when drawing.
    String AnchorInfo;
    Integer Width = 0;
    Integer Height = 0;
    Integer AnchorCount = 0;
    Integer HitAnchor = -1;
    TRect HitAnchorRect;
    String PlainText;
};

bool DrawStaticTextMarkup(const TStaticMarkupDrawParams& Params, TStaticMarkupDrawResult& Result);
