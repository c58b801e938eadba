#pragma once
// The GDI+-style drawing surface: shapes, paths, images and text on a Cairo
// surface, with GDI+'s smoothing and pixel-offset modes, world transform,
// clip and save tokens. A graphics made from an image draws on its pixels.

#include "graphics/DeviceContext.h"
#include "graphics/GdiPlusBrush.h"
#include "graphics/GdiPlusImage.h"
#include "graphics/GdiPlusText.h"

class TFont;

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

    static TGPGraphics* FromImage(TGPImage* image);
    static TGPGraphics* FromHDC(winapi::HDC dc);

    // The device context to draw on with GDI between GDI+ calls (for a
    // graphics on an image, one over the image's pixels); null on failure.
    winapi::HDC GetHDC();
    void ReleaseHDC(winapi::HDC dc);

    void Flush();
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
    Status DrawLines(const TGPPen* pen, const TGPPointF* points, Integer count);
    Status DrawArc(const TGPPen* pen, Single x, Single y, Single width, Single height, Single startAngle,
                   Single sweepAngle);
    Status DrawArc(const TGPPen* pen, const TGPRectF& rect, Single startAngle, Single sweepAngle);
    Status DrawBezier(const TGPPen* pen, const TGPPointF& pt1, const TGPPointF& pt2, const TGPPointF& pt3,
                      const TGPPointF& pt4);
    Status DrawRectangle(const TGPPen* pen, Single x, Single y, Single width, Single height);
    Status DrawRectangle(const TGPPen* pen, const TGPRectF& rect);
    Status DrawEllipse(const TGPPen* pen, Single x, Single y, Single width, Single height);
    Status DrawEllipse(const TGPPen* pen, const TGPRectF& rect);
    Status DrawPolygon(const TGPPen* pen, const TGPPointF* points, Integer count);
    Status DrawPath(const TGPPen* pen, const TGPGraphicsPath* path);
    Status FillRectangle(const TGPBrush* brush, Single x, Single y, Single width, Single height);
    Status FillRectangle(const TGPBrush* brush, const TGPRectF& rect);
    Status FillRectangle(const TGPBrush* brush, const TGPRect& rect);
    Status FillEllipse(const TGPBrush* brush, Single x, Single y, Single width, Single height);
    Status FillEllipse(const TGPBrush* brush, const TGPRectF& rect);
    Status FillPolygon(const TGPBrush* brush, const TGPPointF* points, Integer count,
                       FillMode fillMode = FillModeAlternate);
    Status FillPath(const TGPBrush* brush, const TGPGraphicsPath* path);

    Status DrawImage(TGPImage* image, Integer x, Integer y);
    Status DrawImage(TGPImage* image, Single x, Single y, Single width, Single height);
    Status DrawImage(TGPImage* image, const TGPRectF& rect);
    // A part of the image into the destination, with optional attributes.
    Status DrawImage(TGPImage* image, const TGPRectF& destRect, Single srcX, Single srcY, Single srcWidth,
                     Single srcHeight, Unit_ srcUnit, const TGPImageAttributes* imageAttributes = nullptr);
    // Onto a parallelogram given by three points (a fourth is ignored).
    Status DrawImage(TGPImage* image, const TGPPointF* destPoints, Integer count);
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

    Status SetClip(const TGPRectF& rect, CombineMode combineMode = CombineModeReplace);
    Status SetClip(const TGPGraphicsPath* path, CombineMode combineMode = CombineModeReplace);
    Status IntersectClip(const TGPRectF& rect);
    Status ExcludeClip(const TGPRectF& rect);
    Status ResetClip();
    bool IsVisible(Single x, Single y);
    bool IsVisible(const TGPRectF& rect);

    // Tokens for nested states; restoring one also drops those saved after it.
    Cardinal Save();
    Status Restore(Cardinal state);

    TGPFont* FCachedFont = nullptr; // owned, see MakeFontEx
    detail::GpGraphics* nativeGraphics = nullptr;
};
