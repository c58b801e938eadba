#pragma once
// Free routines shared by the drop-down controls, their bars and pickers, and
// by the string grid's painters: locale separators, the DPI factor, the
// Windows version probes, gradient and background painting, colour mixing,
// image-and-text drawing, text measuring and fitting, number classification
// for the edit types and hexadecimal conversion.

#include "graphics/Canvas.h"
#include "graphics/ImageList.h"
#include "gridbase/RarEvad.h"
#include "rtl/Types.h"
#include "vcl/Controls.h"

class TBitmap;

RTL_ENUM(TGradientDirection, gdHorizontal, gdVertical)

// ---- Locale and system ----

// GetThousandSeparator and GetDecimalSeparator, read from the process-wide
// format settings at every call, come with the grid foundation's utilities.
// The height of "0" in a font of Size points at PixelsPerInch.
Integer TextHeightAtDPI(Integer PixelsPerInch, Integer Size);
// The control's scale against 96 pixels per inch: its form's monitor's
// pixels per inch when the form scales (96 when it does not), the screen's
// without a form. Exactly 1 at 96, else the ratio of text heights.
Single GetDPIScale(TControl* Control);
// Major and minor version of the operating system (through ntdll's
// RtlGetVersion); unchanged when the probe is missing or fails.
void GetWindowsVersion(Integer& Major, Integer& Minor);
bool IsWindows10();
// Major version 6: Vista, 7, 8 and 8.1.
bool IsWindowsVista();

// ---- Painting ----

// Steps solid bands from FromColor to ToColor over Rect, left to right when
// Horizontal, else top to bottom; each band overlaps the next by a pixel.
void DrawBandedGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, Integer Steps, TRect Rect,
                        bool Horizontal);
// A gradient (80 bands) when ColorTo is set, else a fill in Color when set;
// then a frame of BorderWidth in BorderColor when set.
void DrawBackgroundAndBorder(TCanvas* Canvas, const TRect& Rect, TColor Color, TColor ColorTo,
                             TColor BorderColor, Integer BorderWidth, TGradientDirection Direction);
// An image of the list (4 pixels in, vertically centred) and a one-line text
// with an ellipsis, centred when there is no image.
void DrawImageText(TCanvas* Canvas, const TRect& Rect, const String& Text, TCustomImageList* Images,
                   Integer ImageIndex);
// Copies Bitmap into Rect with the colour of its top-left pixel replaced by Color.
void DrawTransparentBitmap(TCanvas* Canvas, const TBitmap* Bitmap, TColor Color, const TRect& Rect);

// ---- Colours ----

// Percent of Color1 and the rest of Color2, channel by channel; 100 and 0
// answer the colour itself unconverted.
TColor BlendColor(TColor Color1, TColor Color2, Integer Percent);
// Each channel scaled by (100 + delta)% (never brightened); a channel of 0
// becomes the positive delta.
TColor DarkenColor(TColor Color, Integer DeltaR, Integer DeltaG, Integer DeltaB);

// ---- Text ----

// The size of a one-line text ((0, 0) when empty).
void MeasureText(TCanvas* Canvas, const String& Text, TSize& Size);
// Text cut from the end (with "..." when Ellipsis) until narrower than
// MaxWidth; the whole text when no cut fits.
void TruncateText(TCanvas* Canvas, const String& Text, Integer MaxWidth, bool Ellipsis, String& Result);
// The size of a markup text laid out in Rect ((0, 0) when empty).
void MeasureMarkupText(TCanvas* Canvas, const String& Text, const TRect& Rect, TCustomImageList* Images,
                       bool Option, TComponent* Owner, Single DPIScale, TSize& Size);
// The text, upper-cased unless CaseSensitive.
String CaseFold(const String& Text, bool CaseSensitive);

// ---- Numbers ----

enum TNumberTextKind { ntInteger, ntFloat, ntText, ntHex };
TNumberTextKind ClassifyNumberText(const String& Text);
String StripThousandSeparators(const String& Text);
Integer HexDigitValue(Char Ch);
// 32-bit, wrapping; characters that are not hexadecimal digits count as 0.
Integer HexToInt(const String& Text);
bool IsRangeSeparator(Char Ch);
