#pragma once
// The GDI+-style drawing surface: shapes, paths, images and text on a Cairo
// surface, with GDI+'s smoothing and pixel-offset modes, world transform,
// clip and save tokens. A graphics made from an image draws on its pixels.

#include "graphics/DeviceContext.h"
#include "graphics/GdiPlusBrush.h"
#include "graphics/GdiPlusImage.h"
#include "graphics/GdiPlusRegion.h"
#include "graphics/GdiPlusText.h"

class TFont;
class TGPCachedBitmap;

#include <cairo.h>

namespace detail {
struct GpGraphics;
} // namespace detail

class TGPGraphics : public TGdiplusBase {
public:
    // Draws on the context's surface in call order with its GDI drawing,
    // inside its clip and from its origin.
    explicit TGPGraphics(winapi::HDC dc);
    // A null image gives a null handle and status Ok.
    explicit TGPGraphics(TGPImage* image);
    // Draws on the surface with `base` mapping device units to surface
    // pixels, inside the context's current clip; the context is only
    // borrowed and is left as it was found.
    TGPGraphics(cairo_t* context, const cairo_matrix_t& base);
    ~TGPGraphics() override;

    // The device handle is not needed here: the context is the device.
    TGPGraphics(winapi::HDC dc, void* device);
    // Window handles belong to the windowing layer above this one: a
    // graphics for a window is made from its device context instead, so
    // this answers NotImplemented with a null handle.
    TGPGraphics(void* hwnd, bool icm);

    static TGPGraphics* FromImage(TGPImage* image);
    static TGPGraphics* FromHDC(winapi::HDC dc);
    static TGPGraphics* FromHDC(winapi::HDC dc, void* device);
    static TGPGraphics* FromHWND(void* hwnd, bool icm = false);

    // The device context to draw on with GDI between GDI+ calls (for a
    // graphics on an image, one over the image's pixels); null on failure.
    winapi::HDC GetHDC();
    void ReleaseHDC(winapi::HDC dc);

    void Flush(FlushIntention intention = FlushIntentionFlush);
    Status SetRenderingOrigin(Integer x, Integer y);
    Status GetRenderingOrigin(Integer& x, Integer& y);
    Status SetCompositingMode(CompositingMode mode);
    CompositingMode GetCompositingMode();
    Status SetTextContrast(Cardinal contrast);
    Cardinal GetTextContrast();
    Status SetPageUnit(Unit_ unit);
    Unit_ GetPageUnit();
    Status SetPageScale(Single scale);
    Single GetPageScale();
    Single GetDpiX();
    Single GetDpiY();
    Status TransformPoints(CoordinateSpace destSpace, CoordinateSpace srcSpace, TGPPointF* pts, Integer count);
    Status TransformPoints(CoordinateSpace destSpace, CoordinateSpace srcSpace, TGPPoint* pts, Integer count);
    // Every colour is its own nearest: the surfaces hold 32 bits.
    Status GetNearestColor(ARGB& color);
    Status SetCompositingQuality(CompositingQuality quality);
    CompositingQuality GetCompositingQuality();
    Status SetTextRenderingHint(TextRenderingHint hint);
    TextRenderingHint GetTextRenderingHint();
    Status SetSmoothingMode(SmoothingMode mode);
    SmoothingMode GetSmoothingMode();
    Status SetPixelOffsetMode(PixelOffsetMode mode);
    PixelOffsetMode GetPixelOffsetMode();
    Status SetInterpolationMode(InterpolationMode mode);
    InterpolationMode GetInterpolationMode();

    Status SetTransform(const TGPMatrix* matrix);
    Status GetTransform(TGPMatrix* matrix);
    Status ResetTransform();
    Status MultiplyTransform(const TGPMatrix* matrix, MatrixOrder order = MatrixOrderPrepend);
    Status TranslateTransform(Single dx, Single dy, MatrixOrder order = MatrixOrderPrepend);
    Status ScaleTransform(Single sx, Single sy, MatrixOrder order = MatrixOrderPrepend);
    Status RotateTransform(Single angle, MatrixOrder order = MatrixOrderPrepend);

    Status Clear(ARGB color);
    Status DrawLine(const TGPPen* pen, Single x1, Single y1, Single x2, Single y2);
    Status DrawLine(const TGPPen* pen, Integer x1, Integer y1, Integer x2, Integer y2);
    Status DrawLine(const TGPPen* pen, const TGPPointF& pt1, const TGPPointF& pt2);
    Status DrawLine(const TGPPen* pen, const TGPPoint& pt1, const TGPPoint& pt2);
    Status DrawLines(const TGPPen* pen, const TGPPointF* points, Integer count);
    Status DrawLines(const TGPPen* pen, const TGPPoint* points, Integer count);
    Status DrawArc(const TGPPen* pen, Single x, Single y, Single width, Single height, Single startAngle,
                   Single sweepAngle);
    Status DrawArc(const TGPPen* pen, const TGPRectF& rect, Single startAngle, Single sweepAngle);
    Status DrawArc(const TGPPen* pen, Integer x, Integer y, Integer width, Integer height, Single startAngle,
                   Single sweepAngle);
    Status DrawArc(const TGPPen* pen, const TGPRect& rect, Single startAngle, Single sweepAngle);
    Status DrawBezier(const TGPPen* pen, Single x1, Single y1, Single x2, Single y2, Single x3, Single y3,
                      Single x4, Single y4);
    Status DrawBezier(const TGPPen* pen, const TGPPointF& pt1, const TGPPointF& pt2, const TGPPointF& pt3,
                      const TGPPointF& pt4);
    Status DrawBezier(const TGPPen* pen, Integer x1, Integer y1, Integer x2, Integer y2, Integer x3, Integer y3,
                      Integer x4, Integer y4);
    Status DrawBezier(const TGPPen* pen, const TGPPoint& pt1, const TGPPoint& pt2, const TGPPoint& pt3,
                      const TGPPoint& pt4);
    // 1 + 3n points: each further three continue the curve.
    Status DrawBeziers(const TGPPen* pen, const TGPPointF* points, Integer count);
    Status DrawBeziers(const TGPPen* pen, const TGPPoint* points, Integer count);
    Status DrawRectangle(const TGPPen* pen, Single x, Single y, Single width, Single height);
    Status DrawRectangle(const TGPPen* pen, const TGPRectF& rect);
    Status DrawRectangle(const TGPPen* pen, Integer x, Integer y, Integer width, Integer height);
    Status DrawRectangle(const TGPPen* pen, const TGPRect& rect);
    Status DrawRectangles(const TGPPen* pen, const TGPRectF* rects, Integer count);
    Status DrawRectangles(const TGPPen* pen, const TGPRect* rects, Integer count);
    Status DrawEllipse(const TGPPen* pen, Single x, Single y, Single width, Single height);
    Status DrawEllipse(const TGPPen* pen, const TGPRectF& rect);
    Status DrawEllipse(const TGPPen* pen, Integer x, Integer y, Integer width, Integer height);
    Status DrawEllipse(const TGPPen* pen, const TGPRect& rect);
    Status DrawPie(const TGPPen* pen, Single x, Single y, Single width, Single height, Single startAngle,
                   Single sweepAngle);
    Status DrawPie(const TGPPen* pen, const TGPRectF& rect, Single startAngle, Single sweepAngle);
    Status DrawPie(const TGPPen* pen, Integer x, Integer y, Integer width, Integer height, Single startAngle,
                   Single sweepAngle);
    Status DrawPie(const TGPPen* pen, const TGPRect& rect, Single startAngle, Single sweepAngle);
    Status DrawPolygon(const TGPPen* pen, const TGPPointF* points, Integer count);
    Status DrawPolygon(const TGPPen* pen, const TGPPoint* points, Integer count);
    Status DrawPath(const TGPPen* pen, const TGPGraphicsPath* path);
    // Cardinal splines through the points; tension 0 gives straight lines.
    Status DrawCurve(const TGPPen* pen, const TGPPointF* points, Integer count);
    Status DrawCurve(const TGPPen* pen, const TGPPointF* points, Integer count, Single tension);
    Status DrawCurve(const TGPPen* pen, const TGPPointF* points, Integer count, Integer offset,
                     Integer numberOfSegments, Single tension = 0.5f);
    Status DrawCurve(const TGPPen* pen, const TGPPoint* points, Integer count);
    Status DrawCurve(const TGPPen* pen, const TGPPoint* points, Integer count, Single tension);
    Status DrawCurve(const TGPPen* pen, const TGPPoint* points, Integer count, Integer offset,
                     Integer numberOfSegments, Single tension = 0.5f);
    Status DrawClosedCurve(const TGPPen* pen, const TGPPointF* points, Integer count);
    Status DrawClosedCurve(const TGPPen* pen, const TGPPointF* points, Integer count, Single tension);
    Status DrawClosedCurve(const TGPPen* pen, const TGPPoint* points, Integer count);
    Status DrawClosedCurve(const TGPPen* pen, const TGPPoint* points, Integer count, Single tension);

    Status FillRectangle(const TGPBrush* brush, Single x, Single y, Single width, Single height);
    Status FillRectangle(const TGPBrush* brush, const TGPRectF& rect);
    Status FillRectangle(const TGPBrush* brush, Integer x, Integer y, Integer width, Integer height);
    Status FillRectangle(const TGPBrush* brush, const TGPRect& rect);
    Status FillRectangles(const TGPBrush* brush, const TGPRectF* rects, Integer count);
    Status FillRectangles(const TGPBrush* brush, const TGPRect* rects, Integer count);
    Status FillEllipse(const TGPBrush* brush, Single x, Single y, Single width, Single height);
    Status FillEllipse(const TGPBrush* brush, const TGPRectF& rect);
    Status FillEllipse(const TGPBrush* brush, Integer x, Integer y, Integer width, Integer height);
    Status FillEllipse(const TGPBrush* brush, const TGPRect& rect);
    Status FillPie(const TGPBrush* brush, Single x, Single y, Single width, Single height, Single startAngle,
                   Single sweepAngle);
    Status FillPie(const TGPBrush* brush, const TGPRectF& rect, Single startAngle, Single sweepAngle);
    Status FillPie(const TGPBrush* brush, Integer x, Integer y, Integer width, Integer height, Single startAngle,
                   Single sweepAngle);
    Status FillPie(const TGPBrush* brush, const TGPRect& rect, Single startAngle, Single sweepAngle);
    Status FillPolygon(const TGPBrush* brush, const TGPPointF* points, Integer count);
    Status FillPolygon(const TGPBrush* brush, const TGPPointF* points, Integer count, FillMode fillMode);
    Status FillPolygon(const TGPBrush* brush, const TGPPoint* points, Integer count);
    Status FillPolygon(const TGPBrush* brush, const TGPPoint* points, Integer count, FillMode fillMode);
    Status FillPath(const TGPBrush* brush, const TGPGraphicsPath* path);
    Status FillClosedCurve(const TGPBrush* brush, const TGPPointF* points, Integer count);
    Status FillClosedCurve(const TGPBrush* brush, const TGPPointF* points, Integer count, FillMode fillMode,
                           Single tension = 0.5f);
    Status FillClosedCurve(const TGPBrush* brush, const TGPPoint* points, Integer count);
    Status FillClosedCurve(const TGPBrush* brush, const TGPPoint* points, Integer count, FillMode fillMode,
                           Single tension = 0.5f);
    Status FillRegion(const TGPBrush* brush, const TGPRegion* region);

    Status DrawImage(TGPImage* image, Single x, Single y);
    Status DrawImage(TGPImage* image, const TGPPointF& point);
    Status DrawImage(TGPImage* image, Integer x, Integer y);
    Status DrawImage(TGPImage* image, const TGPPoint& point);
    Status DrawImage(TGPImage* image, Single x, Single y, Single width, Single height);
    Status DrawImage(TGPImage* image, const TGPRectF& rect);
    Status DrawImage(TGPImage* image, Integer x, Integer y, Integer width, Integer height);
    Status DrawImage(TGPImage* image, const TGPRect& rect);
    // Onto a parallelogram: top left, top right and bottom left (a fourth
    // point is ignored).
    Status DrawImage(TGPImage* image, const TGPPointF* destPoints, Integer count);
    Status DrawImage(TGPImage* image, const TGPPoint* destPoints, Integer count);
    // A source part, unscaled, at a point.
    Status DrawImage(TGPImage* image, Single x, Single y, Single srcX, Single srcY, Single srcWidth,
                     Single srcHeight, Unit_ srcUnit);
    Status DrawImage(TGPImage* image, Integer x, Integer y, Integer srcX, Integer srcY, Integer srcWidth,
                     Integer srcHeight, Unit_ srcUnit);
    // A source part into the destination, with optional attributes; the
    // abort callback is asked once before drawing.
    Status DrawImage(TGPImage* image, const TGPRectF& destRect, Single srcX, Single srcY, Single srcWidth,
                     Single srcHeight, Unit_ srcUnit, const TGPImageAttributes* imageAttributes = nullptr,
                     ImageAbort callback = nullptr, void* callbackData = nullptr);
    Status DrawImage(TGPImage* image, const TGPRect& destRect, Integer srcX, Integer srcY, Integer srcWidth,
                     Integer srcHeight, Unit_ srcUnit, const TGPImageAttributes* imageAttributes = nullptr,
                     ImageAbort callback = nullptr, void* callbackData = nullptr);
    Status DrawImage(TGPImage* image, const TGPPointF* destPoints, Integer count, Single srcX, Single srcY,
                     Single srcWidth, Single srcHeight, Unit_ srcUnit,
                     const TGPImageAttributes* imageAttributes = nullptr, ImageAbort callback = nullptr,
                     void* callbackData = nullptr);
    Status DrawImage(TGPImage* image, const TGPPoint* destPoints, Integer count, Integer srcX, Integer srcY,
                     Integer srcWidth, Integer srcHeight, Unit_ srcUnit,
                     const TGPImageAttributes* imageAttributes = nullptr, ImageAbort callback = nullptr,
                     void* callbackData = nullptr);
    // At device pixel (x, y) through a translation only; WrongState when the
    // world transform scales, rotates or shears.
    Status DrawCachedBitmap(TGPCachedBitmap* cb, Integer x, Integer y);
    // The whole image scaled into an integer rectangle; the float rectangle
    // is rounded first (halves to even).
    Status DrawImageRect(TGPImage* image, Integer x, Integer y, Integer w, Integer h);
    Status DrawImageRect(TGPImage* image, const TGPRectF& rect);

    // Text: a length of -1 takes the whole string. The layout rectangle's
    // zero width or height leaves that direction unbounded; MeasureString
    // answers exactly the box DrawString fills (GDI+'s measuring padding of
    // one sixth of an em each side included, except for typographic formats).
    Status DrawString(const String& string, const TGPFont* font, const TGPRectF& layoutRect,
                      const TGPStringFormat* stringFormat, const TGPBrush* brush);
    Status DrawString(const String& string, Integer length, const TGPFont* font, const TGPRectF& layoutRect,
                      const TGPStringFormat* stringFormat, const TGPBrush* brush);
    Status DrawString(const String& string, Integer length, const TGPFont* font, const TGPPointF& origin,
                      const TGPBrush* brush);
    Status DrawString(const String& string, Integer length, const TGPFont* font, const TGPPointF& origin,
                      const TGPStringFormat* stringFormat, const TGPBrush* brush);
    Status MeasureString(const String& string, Integer length, const TGPFont* font,
                         const TGPRectF& layoutRect, const TGPStringFormat* stringFormat,
                         TGPRectF& boundingBox, Integer* codepointsFitted = nullptr,
                         Integer* linesFilled = nullptr);
    // Writes the size only on success.
    Status MeasureString(const String& string, Integer length, const TGPFont* font,
                         const TGPSizeF& layoutRectSize, const TGPStringFormat* stringFormat, TGPSizeF& size,
                         Integer* codepointsFitted = nullptr, Integer* linesFilled = nullptr);
    Status MeasureString(const String& string, Integer length, const TGPFont* font, const TGPPointF& origin,
                         const TGPStringFormat* stringFormat, TGPRectF& boundingBox);
    Status MeasureString(const String& string, Integer length, const TGPFont* font, const TGPPointF& origin,
                         TGPRectF& boundingBox);
    Status MeasureString(const String& string, Integer length, const TGPFont* font,
                         const TGPRectF& layoutRect, TGPRectF& boundingBox);

    // The bounds of each of the format's measurable character ranges, as
    // regions (regionCount of them, at least as many as the ranges).
    Status MeasureCharacterRanges(const String& string, Integer length, const TGPFont* font,
                                  const TGPRectF& layoutRect, const TGPStringFormat* stringFormat,
                                  Integer regionCount, TGPRegion* regions);
    // Glyph-index text needs the font's own glyph table, which the text
    // layout here does not expose: both answer NotImplemented.
    Status DrawDriverString(const Word* text, Integer length, const TGPFont* font, const TGPBrush* brush,
                            const TGPPointF* positions, Integer flags, const TGPMatrix* matrix);
    Status MeasureDriverString(const Word* text, Integer length, const TGPFont* font,
                               const TGPPointF* positions, Integer flags, const TGPMatrix* matrix,
                               TGPRectF& boundingBox);

    // The class library's font as a GDI+ font (in points); a face that is
    // not installed becomes "Arial". The caller owns the result.
    TGPFont* MakeFont(const TFont* AFont);
    TGPFont* MakeFont(const TFont* AFont, Integer ASize);
    // As MakeFont, but kept and reused by the graphics; never free it.
    TGPFont* MakeFontEx(const TFont* AFont);
    TGPFont* MakeFontEx(const TFont* AFont, Integer ASize);
    Integer TextWidth(const String& string_, const TFont* font);
    Integer TextHeight(const String& string_, const TFont* font);
    // Honours only DT_CALCRECT of `style`; bkColor clNone paints no
    // background. Answers the height of the resulting rectangle.
    Integer DrawText(const String& string_, Integer len, TRect& rect, const TFont* font, Cardinal style,
                     TColor bkColor);

    Status SetClip(const TGPGraphics* g, CombineMode combineMode = CombineModeReplace);
    Status SetClip(const TGPRectF& rect, CombineMode combineMode = CombineModeReplace);
    Status SetClip(const TGPRect& rect, CombineMode combineMode = CombineModeReplace);
    Status SetClip(const TGPGraphicsPath* path, CombineMode combineMode = CombineModeReplace);
    Status SetClip(const TGPRegion* region, CombineMode combineMode = CombineModeReplace);
    // A GDI region in device pixels.
    Status SetClip(winapi::HRGN hRgn, CombineMode combineMode = CombineModeReplace);
    Status IntersectClip(const TGPRectF& rect);
    Status IntersectClip(const TGPRect& rect);
    Status IntersectClip(const TGPRegion* region);
    Status ExcludeClip(const TGPRectF& rect);
    Status ExcludeClip(const TGPRect& rect);
    Status ExcludeClip(const TGPRegion* region);
    Status ResetClip();
    Status TranslateClip(Single dx, Single dy);
    Status TranslateClip(Integer dx, Integer dy);
    // The clip in world units, into the caller's region.
    Status GetClip(TGPRegion* region);
    Status GetClipBounds(TGPRectF& rect);
    Status GetClipBounds(TGPRect& rect);
    // The clip within the surface (and the device context's clip).
    Status GetVisibleClipBounds(TGPRectF& rect);
    Status GetVisibleClipBounds(TGPRect& rect);
    bool IsClipEmpty();
    bool IsVisibleClipEmpty();
    bool IsVisible(Integer x, Integer y);
    bool IsVisible(const TGPPoint& point);
    bool IsVisible(Integer x, Integer y, Integer width, Integer height);
    bool IsVisible(const TGPRect& rect);
    bool IsVisible(Single x, Single y);
    bool IsVisible(const TGPPointF& point);
    bool IsVisible(Single x, Single y, Single width, Single height);
    bool IsVisible(const TGPRectF& rect);

    // Tokens for nested states; restoring one also drops those saved after it.
    Cardinal Save();
    Status Restore(Cardinal state);
    // A nested drawing space: the source rectangle (in `unit`) maps onto the
    // destination, the transform starts over and the clip starts unlimited
    // inside the outer clip. EndContainer (or Restore) with the token leaves it.
    Cardinal BeginContainer(const TGPRectF& dstRect, const TGPRectF& srcRect, Unit_ unit);
    Cardinal BeginContainer(const TGPRect& dstRect, const TGPRect& srcRect, Unit_ unit);
    Cardinal BeginContainer();
    Status EndContainer(Cardinal state);
    // Only metafiles keep comments: NotImplemented.
    Status AddMetafileComment(const Byte* data, Cardinal sizeData);

    TGPFont* FCachedFont = nullptr; // owned, see MakeFontEx
    detail::GpGraphics* nativeGraphics = nullptr;
};
