#pragma once
// Free routines that paint the visual parts of grid cells and drop-down
// lists on a canvas: the rounded selection frame, gradients and cell
// backgrounds, colour blends, progress bars, cell shapes, cell buttons in
// four styles, the wavy error underline and bitmaps drawn transparent or
// alpha-blended.
//
// Every routine draws with the canvas's pen and brush and leaves them
// changed; the caller restores what it needs. Colours are platform colour
// values: system colours are resolved where a routine blends them, and
// clNone means no colour.

#include "graphics/Canvas.h"
#include "graphics/Colors.h"
#include "graphics/Rect.h"
#include "kel/KelStyle.h"
#include "rtl/TypeInfo.h"
#include "rtl/Types.h"
#include "windowing/Messages.h"

class TBitmap;
class TFont;
class TWinControl;

RTL_ENUM(TCellShape, csRectangle, csCircle, csTriangleLeft, csTriangleRight, csTriangleUp, csTriangleDown, csDiamond,
         csLineVert, csLineHorz, csRoundRect, csEllips, csSquare, csRoundSquare, csStar, csArrowUp, csArrowDown,
         csArrowLeft, csArrowRight, csHalfStar)

// The looks of the cell buttons.
enum : Integer { cbsThemed = 0, cbsClassic = 1, cbsFlat = 2, cbsCustom = 3 };
// The states of the cell buttons.
enum : Integer { cbNormal = 0, cbHot = 1, cbPressed = 2, cbDisabled = 3 };
// Which cell of a selected run a selection frame closes.
enum : Integer { sfSingle = 0, sfLeftEnd = 1, sfRightEnd = 2, sfMiddle = 3 };

// The look of a level bar: four colour pairs chosen by the percentage (or
// laid end to end when stacked), its frame, percentage text and blocks.
struct TProgressLevelAppearance {
    TColor Level0Color = clLime, Level0ColorTo = clNone;
    TColor Level1Color = clYellow, Level1ColorTo = clNone;
    TColor Level2Color = 0x00A5FF, Level2ColorTo = clNone;
    TColor Level3Color = clRed, Level3ColorTo = clNone;
    Integer Level1Perc = 70, Level2Perc = 90;
    TColor BorderColor = clBlack;
    bool ShowBorder = false, Stacked = false, ShowPercentage = true;
    const TFont* Font = nullptr; // null: the canvas's font
    TColor TextColor = clBlack;
    bool CompletionSmooth = true, ShowGradient = true;
    Integer Steps = 11;
    TColor BackgroundColor = clWhite;
    bool Vertical = false;
};

// ---- Backgrounds and colours -------------------------------------------------

// One cell of a rounded selection; `part` is sfSingle, sfLeftEnd,
// sfRightEnd or sfMiddle.
void DrawSelectionFrame(TCanvas* ACanvas, TColor ColorFrom, TColor ColorTo, TColor MirrorColor, TColor MirrorColorTo,
                        TColor TopLineColor, TColor BottomLineColor, TColor BorderColor, TColor CornerNearColor,
                        TColor CornerColor, TRect R, Integer Part);
// Bands from one colour to the other, along x when horizontal; solid when
// either colour is clNone; nothing for a rectangle without height.
void FillGradientRect(TCanvas* ACanvas, TColor ColorFrom, TColor ColorTo, Integer Steps, TRect R, bool Horizontal);
// A cell background: solid, one gradient, or two mirrored halves
// (direction 0 left/right, 1 top/bottom), then its border or side lines.
void DrawGradientBackground(TCanvas* ACanvas, TRect R, TColor Color, TColor ColorTo, TColor MirrorColor,
                            TColor MirrorColorTo, Integer Direction, TColor BorderColor, bool BorderAsSideLines,
                            bool Fill);
TColor BlendColorAt(TColor ColorFrom, TColor ColorTo, Integer Min, Integer Max, Integer Pos);
TColor HalveColor(TColor Color);
// Each component grown (or shrunk) by the percentage, held within 0..255.
TColor AdjustColorPercent(TColor Color, Integer Percent);
void FillRectColor(TCanvas* ACanvas, const TRect& R, TColor Color);
// A small filled triangle pointing down below (x, y).
void DrawDownMarker(TCanvas* ACanvas, Integer X, Integer Y, TColor Color);

// ---- Progress bars -------------------------------------------------------------

// A bar growing left or right of the middle; empty when max is not positive.
void DrawCenteredBar(TCanvas* ACanvas, TRect R, Integer Value, Integer Max, bool ShowValue, TColor NegativeColor,
                     TColor PositiveColor);
// A bar with its text changing colour where the bar ends; empty when max
// does not exceed min.
void DrawProgressBar(TCanvas* ACanvas, TRect R, TColor FilledColor, TColor FilledTextColor, TColor RestColor,
                     TColor RestTextColor, double Value, Integer InsetX, Integer InsetY, Integer Min, Integer Max,
                     double Divisor, const String& Format, TColor BorderColor, bool TextBelowCentre);
void DrawProgressPie(TCanvas* ACanvas, const TRect& R, TColor FillColor, Integer Percent, bool LowStart);
void DrawProgressLevels(TCanvas* ACanvas, TRect R, Integer Percent, TProgressLevelAppearance Appearance);

// ---- Shapes and buttons -------------------------------------------------------

void DrawCellShape(TCanvas* ACanvas, Integer X, Integer Y, Integer Width, Integer Height, TCellShape Shape,
                   TColor BrushColor, TColor PenColor);
void DrawComboButton(TCanvas* ACanvas, winapi::HWND Window, const TRect& R, Integer Style, Integer State,
                     const TColorTones& Tones, Single Scale);
void DrawPushButton(TCanvas* ACanvas, winapi::HWND Window, const TRect& R, Integer Style, Integer State,
                    const TColorTones& Tones, bool ShowAccelerator, const String& Caption);
void DrawSpinButtons(TCanvas* ACanvas, winapi::HWND Window, const TRect& R, Integer Style, Integer State,
                     const TColorTones& Tones, Single Scale);

// ---- Underline and bitmaps -------------------------------------------------------

// A red zigzag under characters Start (0-based) .. Start + Length - 1 of a
// single-line text laid out as an edit control of `Owner` would lay it out.
void DrawWavyUnderline(TWinControl* Owner, TCanvas* ACanvas, const String& Text, const TRect& R, Integer YOffset,
                       Integer Start, Integer Length);
// A 32-bit premultiplied bitmap blended with its alpha; others drawn plainly.
void DrawBitmapAlpha(TCanvas* ACanvas, Integer X, Integer Y, TBitmap* Bitmap);
// At scale 1 the bitmap's top-left colour shows the background colour; at
// other scales the bitmap is stretched opaque. Drawn at the rectangle's
// top-left corner.
void DrawBitmapScaledTransparent(TCanvas* ACanvas, TBitmap* Bitmap, TColor BackgroundColor, const TRect& R,
                                 Single Scale);
// The program's bitmap resource of that name, as DrawBitmapScaledTransparent;
// nothing when there is no such resource.
void DrawResourceBitmapTransparent(TCanvas* ACanvas, TColor BackgroundColor, const TRect& R, const String& ResName,
                                   Single Scale);
