#pragma once
// Float points, sizes and rectangles of the drawing layer, with the geometry
// routines the drawing class, the drawing contexts, the path type and the
// renderers share, the picture tests, resource loading into a picture holder,
// and the character test. All routines are stateless.
//
// Rounding to integers is to the nearest, halves to even; truncation is
// towards zero.

#include "graphics/Rect.h"
#include "kel/Resources.h"
#include "rtl/Types.h"

#include <memory>

class TPicture;
class TGraphic;
class TKelBitmap;

struct TPointF {
    Single X = 0;
    Single Y = 0;
    friend bool operator==(const TPointF&, const TPointF&) = default;
};

struct TSizeF {
    Single cx = 0;
    Single cy = 0;
    friend bool operator==(const TSizeF&, const TSizeF&) = default;
};

// (Left, Top, Right, Bottom); width = Right - Left, height = Bottom - Top.
struct TRectF {
    Single Left = 0;
    Single Top = 0;
    Single Right = 0;
    Single Bottom = 0;

    Single Width() const { return Right - Left; }
    Single Height() const { return Bottom - Top; }
    TPointF TopLeft() const { return {Left, Top}; }
    TPointF BottomRight() const { return {Right, Bottom}; }
    friend bool operator==(const TRectF&, const TRectF&) = default;
};

inline TPointF PointF(Single x, Single y) {
    return {x, y};
}
inline TSizeF SizeF(Single cx, Single cy) {
    return {cx, cy};
}
inline TRectF RectF(Single left, Single top, Single right, Single bottom) {
    return {left, top, right, bottom};
}

// --- Geometry ---------------------------------------------------------------

Single RectWidthF(const TRectF& ARect);
Single RectHeightF(const TRectF& ARect);
// Moves the rectangle by (DX, DY). Always true: the rectangle is never null here.
bool OffsetRectF(TRectF& ARect, Single DX, Single DY);
// Grows the rectangle by DX on the left and right and DY on the top and bottom.
void InflateRectF(TRectF& ARect, Single DX, Single DY);
// Left and top edges inside, right and bottom edges outside, as for integer rectangles.
bool PtInRectF(const TRectF& ARect, const TPointF& APoint);
// True when the two overlap with positive area; sharing an edge is no overlap.
bool RectIntersectsF(const TRectF& ARect1, const TRectF& ARect2);
// The overlap of the two; all zeros and false when it is empty.
bool IntersectRectF(TRectF& ADest, const TRectF& ARect1, const TRectF& ARect2);
// Right <= Left or Bottom <= Top, equality judged within single precision.
bool IsRectEmptyF(const TRectF& ARect);

// The same size centred in ABounds on whole-unit offsets. This form moves
// ARect itself and copies the result to AResult.
void CenterRectF(TRectF& ARect, const TRectF& ABounds, TRectF& AResult);
// The same, leaving ARect untouched.
TRectF CenterRectF(const TRectF& ARect, const TRectF& ABounds);

// ARect scaled down or up to fit ABounds, keeping its aspect ratio, and
// centred in them; AScale is the factor the size was divided by. When the
// bounds or the rectangle have no size, AScale is 1 and ARect comes back as is.
TRectF FitRectF(const TRectF& ARect, const TRectF& ABounds, Single& AScale);
TRectF FitRectF(const TRectF& ARect, const TRectF& ABounds);

// The rectangle on whole device pixels at AScale (1 when AScale <= 0): the
// top-left truncated, the size rounded. With AHalfPixel the result moves by
// half a device pixel right and down, onto pixel centres.
TRectF SnapRectToPixelsF(const TRectF& ARect, bool AHalfPixel, Single AScale);

Single PointLengthF(const TPointF& APoint);
TRect RectFToRect(const TRectF& ARect);
TRectF RectToRectF(const TRect& ARect);
TPointF PointToPointF(const TPoint& APoint);
TSize SizeFToSize(const TSizeF& ASize);

// --- Pictures ---------------------------------------------------------------

// True for a null holder, a holder without graphic and an empty graphic.
bool IsPictureEmpty(const TPicture* APicture);
// The holder's graphic; null for a null holder.
TGraphic* PictureGraphic(const TPicture* APicture);
// Loads the picture from the module's raw-data resource of that name (the
// program's when AInstance is null), the format told by the data; leaves it
// unchanged when there is no such resource. Data no picture class reads
// raises EInvalidGraphic.
void LoadBitmapFromResource(TPicture* APicture, const String& AResourceName, HINSTANCE AInstance = nullptr);
// A new picture holder loaded by LoadBitmapFromResource (empty when the
// module has no such resource).
std::unique_ptr<TKelBitmap> CreateBitmapFromResource(const String& AResourceName, HINSTANCE AInstance = nullptr);

// --- Characters -------------------------------------------------------------

// "0" to "9"; above 127 any Unicode decimal, letter or other number.
bool IsNumericChar(Char ch);
