#pragma once
// TCanvas: the class library's drawing surface over a device context, with
// its own pen, brush and font that it selects into the context when a drawing
// operation needs them (and not again until they change, so objects a caller
// selects through Handle stay in force).

#include <memory>
#include <vector>

#include "graphics/DeviceContext.h"
#include "graphics/GraphicsObjects.h"

class TGraphic;

RTL_ENUM(TFillStyle, fsSurface, fsBorder)

RTL_ENUM(TTextFormats, tfBottom, tfCalcRect, tfCenter, tfEditControl, tfEndEllipsis, tfPathEllipsis, tfExpandTabs,
         tfExternalLeading, tfLeft, tfModifyString, tfNoClip, tfNoPrefix, tfRight, tfRtlReading, tfSingleLine, tfTop,
         tfVerticalCenter, tfWordBreak, tfHidePrefix, tfNoFullWidthCharBreak, tfPrefixOnly, tfTabStop,
         tfWordEllipsis, tfComposited)
using TTextFormat = TSet<TTextFormats>;
RTL_SET_INFO(TTextFormat)

// The DrawText flags of a text format.
Cardinal TextFormatFlags(TTextFormat format);

class TCanvas : public TPersistent {
    RTL_CLASS(TCanvas)
public:
    TCanvas();
    ~TCanvas() override;

    // The device context drawn on; the canvas does not own it.
    winapi::HDC Handle();
    void SetHandle(winapi::HDC value);
    bool HandleAllocated() const { return FHandle != nullptr; }

    TFont* Font() const { return FFont.get(); }
    TPen* Pen() const { return FPen.get(); }
    TBrush* Brush() const { return FBrush.get(); }
    void SetFont(const TFont* value) { FFont->Assign(value); }
    void SetPen(const TPen* value) { FPen->Assign(value); }
    void SetBrush(const TBrush* value) { FBrush->Assign(value); }

    TPoint PenPos();
    void SetPenPos(TPoint value) { MoveTo(value.X, value.Y); }
    // The clip box in logical units.
    TRect ClipRect();

    TColor Pixels(Integer x, Integer y);
    void SetPixels(Integer x, Integer y, TColor value);

    void MoveTo(Integer x, Integer y);
    void LineTo(Integer x, Integer y);
    void Polyline(const std::vector<TPoint>& points);
    void Polygon(const std::vector<TPoint>& points);
    void Rectangle(Integer x1, Integer y1, Integer x2, Integer y2);
    void Rectangle(const TRect& rect) { Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom); }
    void RoundRect(Integer x1, Integer y1, Integer x2, Integer y2, Integer x3, Integer y3);
    void Ellipse(Integer x1, Integer y1, Integer x2, Integer y2);
    void Ellipse(const TRect& rect) { Ellipse(rect.Left, rect.Top, rect.Right, rect.Bottom); }
    void Arc(Integer x1, Integer y1, Integer x2, Integer y2, Integer x3, Integer y3, Integer x4, Integer y4);
    void FillRect(const TRect& rect);
    void FrameRect(const TRect& rect);
    void FloodFill(Integer x, Integer y, TColor color, TFillStyle fillStyle);
    void DrawFocusRect(const TRect& rect);
    void TextOut(Integer x, Integer y, const String& text);
    // Writes text at (x, y) clipped to rect, on the brush colour when the
    // brush is solid.
    void TextRect(const TRect& rect, Integer x, Integer y, const String& text);
    // Formatted text in rect; with tfCalcRect rect receives the text's extent.
    void TextRect(TRect& rect, const String& text, TTextFormat format);
    Integer TextWidth(const String& text);
    Integer TextHeight(const String& text);
    TSize TextExtent(const String& text);

    // Draws a picture at its own size with its top-left corner at (x, y), or
    // stretched into rect, as the picture draws itself: transparent bitmaps
    // without their transparent colour, icons through their masks, pictures
    // with alpha blended, other bitmaps with CopyMode. Null or empty pictures
    // draw nothing.
    void Draw(Integer x, Integer y, const TGraphic* graphic);
    void StretchDraw(const TRect& rect, const TGraphic* graphic);

    // Copies a rectangle of another canvas with the canvas's CopyMode.
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect);
    Integer CopyMode() const { return FCopyMode; }
    void SetCopyMode(Integer value) { FCopyMode = value; }

    // Deselects the canvas's objects from the context so that they are
    // selected again by the next drawing operation.
    void Refresh();

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    enum TCanvasStateFlag : unsigned { csHandleValid = 1, csFontValid = 2, csPenValid = 4, csBrushValid = 8 };
    // Makes sure the context and the listed objects are selected.
    void RequiredState(unsigned required);
    // Subclasses that make their context on demand override this.
    virtual void CreateHandle() {}
    void Changing();
    void Changed();

private:
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    winapi::HDC FHandle = nullptr;
    unsigned FState = 0;
    Integer FCopyMode;
};
