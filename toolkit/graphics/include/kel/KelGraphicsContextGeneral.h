#pragma once
// TKelGraphicsContextGeneral: the drawing context on a canvas (the owner's
// active canvas) with plain GDI: integer coordinates, no transforms, no
// anti-aliasing, no opacity. Pen, brush and font are the canvas's own; the Set
// operations write them directly, so the context keeps no copies.
//
// Coordinates are rounded to the nearest integer (halves to even), except the
// corner and radial points of arcs, which are floored. Outline operations
// draw with the brush cleared and fill operations with the pen cleared; both
// give the canvas its brush and pen back afterwards.

#include "kel/KelGraphicsContext.h"

class TKelGraphicsContextGeneral : public TKelGraphicsContext {
public:
    using TKelGraphicsContext::TKelGraphicsContext;

    void* GetNativeCanvas() override { return Canvas(); }
    TKelGraphicsPathHandle CreatePath() override { return nullptr; }
    // The brush colour.
    TColor GetFillColor() override;
    // The extent the canvas's formatted text takes from the rectangle's top-left corner.
    TRectF CalculateText(const String& AText, const TRectF& ARect, bool AWordWrapping) override;
    TRectF SetTextAngle(const TRectF& ARect, Single) override { return ARect; }
    TKelGraphicsMatrix GetMatrix() override { return TKelGraphicsMatrix::Identity(); }
    void Render() override {}
    void PathOpen(TGPGraphicsPath*) override {}
    // The path operations draw into the canvas's open path bracket.
    void PathMoveTo(TGPGraphicsPath* APath, const TPointF& APoint) override;
    void PathLineTo(TGPGraphicsPath* APath, const TPointF& APoint) override;
    void SetScale(Single) override {}
    void PathClose(TGPGraphicsPath* APath) override;
    void ResetClip() override {}
    void ResetTransform() override {}
    void ScaleTransform(Single, Single) override {}
    void RotateTransform(Single) override {}
    void TranslateTransform(Single, Single) override {}
    void SetTextQuality(TKelGraphicsTextQuality) override {}
    void SetAntiAliasing(bool) override {}
    void SetShowAcceleratorChar(bool AShowAcceleratorChar) override {
        FShowAcceleratorChar = AShowAcceleratorChar;
    }
    void SetSize(Single, Single) override {}
    void ResetTextAngle(Single) override {}
    void BeginScene() override {}
    void EndScene() override {}
    // While printing the focus pen is the canvas pen made dotted.
    void BeginPrinting() override { FPrinting = true; }
    void EndPrinting() override { FPrinting = false; }
    bool Printing() const { return FPrinting; }
    // The focus pen: on screen a cosmetic pen that sets every other pixel in
    // the pen colour, selected into the device context; while printing the
    // canvas pen with style psDot and width 1. StopSpecialPen gives the
    // previous pen back.
    void StartSpecialPen() override;
    void StopSpecialPen() override;
    // The device context's save level goes into AState's SaveDC.
    void RestoreState(TKelGraphicsSaveState* AState) override;
    void SaveState(TKelGraphicsSaveState* AState) override;
    void SetFontSize(Integer ASize) override;
    void SetFontColor(TColor AColor) override;
    void SetFontName(const String& AName) override;
    void SetFont(const TKelGraphicsFont* AFont) override;
    void SetFontStyles(TFontStyles AStyle) override;
    void SetMatrix(const TKelGraphicsMatrix&) override {}
    void SetFill(const TKelGraphicsFill* AFill) override;
    void SetFillKind(TKelGraphicsFillKind AKind) override;
    void SetFillColor(TColor AColor) override;
    void SetStroke(const TKelGraphicsStroke* AStroke) override;
    void SetStrokeKind(TKelGraphicsStrokeKind AKind) override;
    void SetStrokeColor(TColor AColor) override;
    void SetStrokeWidth(Single AWidth) override;
    void DrawLine(const TKelGraphicsStroke* AStroke, const TPointF& AFromPoint, const TPointF& AToPoint,
                  TKelGraphicsModifyPointMode AModifyPointModeFrom = gcpmNone,
                  TKelGraphicsModifyPointMode AModifyPointModeTo = gcpmNone) override;
    void DrawPolygon(const TKelGraphicsStroke* AStroke, const TKelGraphicsPathPolygon& APolygon) override;
    void FillPolygon(const TKelGraphicsFill* AFill, const TKelGraphicsPathPolygon& APolygon) override;
    void DrawPolyline(const TKelGraphicsStroke* AStroke, const TKelGraphicsPathPolygon& APolyline) override;
    // Filled as a polygon, as the GDI+ context does.
    void FillPolyline(const TKelGraphicsFill* AFill, const TKelGraphicsPathPolygon& APolyline) override;
    // The arc closed by its chord, as the GDI+ context does.
    void FillArc(const TKelGraphicsFill* AFill, const TPointF& ACenter, const TPointF& ARadius,
                 Single AStartAngle, Single ASweepAngle) override;
    void DrawArc(const TKelGraphicsStroke* AStroke, const TPointF& ACenter, const TPointF& ARadius,
                 Single AStartAngle, Single ASweepAngle) override;
    // Solid: the rectangle in the canvas brush; gradient: AFill's colours
    // (mirrored in two halves when both mirror colours are set); none and
    // texture: nothing.
    void FillRect(const TKelGraphicsFill* AFill, const TRectF& ARect,
                  TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) override;
    void DrawRect(const TKelGraphicsStroke* AStroke, const TRectF& ARect, TKelGraphicsSides ASides,
                  TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) override;
    // Painted with AFill's colours as a rounded gradient; a gradient covers
    // one pixel less to the right and bottom than a solid fill.
    void FillRoundRect(const TKelGraphicsFill* AFill, const TRectF& ARect, Single ARounding,
                       TKelGraphicsCorners ACorners,
                       TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) override;
    void DrawRoundRect(const TKelGraphicsStroke* AStroke, const TRectF& ARect, Single ARounding,
                       TKelGraphicsCorners ACorners,
                       TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) override;
    void FillEllipse(const TKelGraphicsFill* AFill, const TRectF& ARect,
                     TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) override;
    void DrawEllipse(const TKelGraphicsStroke* AStroke, const TRectF& ARect,
                     TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) override;
    // The whole graphic stretched into the rounded ADstRect; ASrcRect and
    // AOpacity are not used.
    void DrawBitmap(const TGraphic* ABitmap, const TRectF& ASrcRect, const TRectF& ADstRect,
                    Single AOpacity) override;
    // Clipping only ever narrows: the rounded rectangle, or a path's bounds,
    // is intersected with the device context's clip.
    void ClipRect(const TRectF& ARect) override;
    void ClipPath(const TKelGraphicsPath* APath) override;
    // Outlines with the focus pen in AColor; the pen keeps AColor afterwards.
    void DrawFocusPath(const TKelGraphicsStroke* AStroke, const TKelGraphicsPath* APath,
                       TColor AColor) override;
    void DrawFocusRectangle(const TKelGraphicsStroke* AStroke, const TRectF& ARect, TColor AColor,
                            TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) override;
    // Text on a clear background. A non-zero angle writes the text as one
    // turned run placed by the alignments (trimming and wrapping do not apply).
    void DrawText(const String& AText, const TRectF& ARect, bool AWordWrapping,
                  TKelGraphicsTextAlign AHorizontalAlign, TKelGraphicsTextAlign AVerticalAlign,
                  TKelGraphicsTextTrimming ATrimming, Single AAngle) override;
    void DrawPath(const TKelGraphicsStroke* AStroke, const TKelGraphicsPath* APath,
                  TKelGraphicsPathDrawMode APathMode) override;
    void FillPath(const TKelGraphicsFill* AFill, const TKelGraphicsPath* APath,
                  TKelGraphicsPathDrawMode APathMode) override;

private:
    // Runs ADraw with the brush cleared, or with the pen cleared.
    template <class F>
    void Outline(F&& ADraw);
    template <class F>
    void Filled(F&& ADraw);
    // Runs ADraw as an outline with the focus pen in AColor.
    template <class F>
    void FocusOutline(TColor AColor, F&& ADraw);
    void DrawRotatedText(const String& AText, const TRect& ARect, TKelGraphicsTextAlign AHorizontalAlign,
                         TKelGraphicsTextAlign AVerticalAlign, Single AAngle);
    void GdiArc(const TPointF& ACenter, const TPointF& ARadius, Single AStartAngle, Single ASweepAngle);
    // Replays APath into the canvas's path bracket and paints it with APaint
    // (stroke or fill).
    void PaintPathBracket(const TKelGraphicsPath* APath, bool (*APaint)(winapi::HDC));

    bool FPrinting = false;
    bool FShowAcceleratorChar = false;
    winapi::HGDIOBJ FOldPenHandle = nullptr;
    winapi::HPEN FFocusPen = nullptr;
    TPenStyle FOldPenStyle = psSolid;
    Integer FOldPenWidth = 1;
};

// The pen style and brush style the canvas context uses for a stroke or fill kind.
TPenStyle StrokeKindToPenStyle(TKelGraphicsStrokeKind AKind);
// gfkTexture keeps ACurrent.
TBrushStyle FillKindToBrushStyle(TKelGraphicsFillKind AKind, TBrushStyle ACurrent);
// The canvas text formats of the context's text operations.
TTextFormat KelTextFormat(bool AWordWrapping, bool AShowAcceleratorChar,
                          TKelGraphicsTextAlign AHorizontalAlign, TKelGraphicsTextAlign AVerticalAlign,
                          TKelGraphicsTextTrimming ATrimming);
