#pragma once
// TKelGraphicsContextWin: the drawing context on the GDI+-style classes, the
// native one: anti-aliased shapes, gradients, opacity, transforms and rotated
// text. It keeps its own copies of fill, stroke and font and rebuilds the
// matching pen, brush and font whenever a copy changes.
//
// A surface is open from SetSize until the first Render (the first
// EndScene); without one every drawing, state and measuring operation does
// nothing (a measurement answers an empty rectangle). Right after the surface
// is made its state is saved as the base state; SetAntiAliasing,
// SetTextQuality and ResetTransform return to it, apply their setting and
// save it again, dropping any transform or clip applied since.

#include "graphics/GdiPlusGraphics.h"
#include "kel/KelGraphicsContext.h"

class TKelGraphicsContextWin : public TKelGraphicsContext {
public:
    // The pen, brush and font are made by the first Set calls on an open surface.
    explicit TKelGraphicsContextWin(TKelGraphics* AGraphics);
    ~TKelGraphicsContextWin() override;

    void* GetNativeCanvas() override { return FGPGraphics.get(); }
    TKelGraphicsPathHandle CreatePath() override;
    // The colour of the owning drawing class's fill.
    TColor GetFillColor() override;
    TRectF CalculateText(const String& AText, const TRectF& ARect, bool AWordWrapping) override;
    // Turns the transform so that text laid out in the returned rectangle,
    // which is centred on the origin, appears rotated by AAngle about the
    // centre of ARect; width and height are swapped when ARect is taller than
    // wide.
    TRectF SetTextAngle(const TRectF& ARect, Single AAngle) override;
    TKelGraphicsMatrix GetMatrix() override;
    // The first call only: closes the surface.
    void Render() override;
    void PathOpen(TGPGraphicsPath* APath) override;
    void PathMoveTo(TGPGraphicsPath* APath, const TPointF& APoint) override;
    void PathLineTo(TGPGraphicsPath* APath, const TPointF& APoint) override;
    // Curves stay curves: the surface flattens them as finely as it draws.
    void PathCurveTo(TGPGraphicsPath* APath, const TKelGraphicsPathCubicBezier& ABezier,
                     Single ATolerance) override;
    // Recorded; drawing does not use it.
    void SetScale(Single AScale) override { FScale = AScale; }
    Single Scale() const { return FScale; }
    void PathClose(TGPGraphicsPath* APath) override;
    void ResetClip() override;
    void ResetTransform() override;
    void ScaleTransform(Single AX, Single AY) override;
    void RotateTransform(Single AAngle) override;
    void TranslateTransform(Single AX, Single AY) override;
    void SetTextQuality(TKelGraphicsTextQuality ATextQuality) override;
    void SetAntiAliasing(bool AAntiAliasing) override;
    void SetShowAcceleratorChar(bool AShowAcceleratorChar) override;
    // Opens a surface on the owner's canvas (closing the current one).
    void SetSize(Single AWidth, Single AHeight) override;
    void ResetTextAngle(Single AAngle) override;
    void BeginScene() override {}
    void EndScene() override;
    void BeginPrinting() override {}
    void EndPrinting() override {}
    void StartSpecialPen() override {}
    void StopSpecialPen() override {}
    void RestoreState(TKelGraphicsSaveState* AState) override;
    void SaveState(TKelGraphicsSaveState* AState) override;
    void SetFontSize(Integer ASize) override;
    void SetFontColor(TColor AColor) override;
    void SetFontName(const String& AName) override;
    void SetFont(const TKelGraphicsFont* AFont) override;
    void SetFontStyles(TFontStyles AStyle) override;
    void SetMatrix(const TKelGraphicsMatrix& AMatrix) override;
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
    // Filled as a polygon.
    void FillPolyline(const TKelGraphicsFill* AFill, const TKelGraphicsPathPolygon& APolyline) override;
    // The arc closed by its chord.
    void FillArc(const TKelGraphicsFill* AFill, const TPointF& ACenter, const TPointF& ARadius,
                 Single AStartAngle, Single ASweepAngle) override;
    void DrawArc(const TKelGraphicsStroke* AStroke, const TPointF& ACenter, const TPointF& ARadius,
                 Single AStartAngle, Single ASweepAngle) override;
    void FillRect(const TKelGraphicsFill* AFill, const TRectF& ARect,
                  TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) override;
    // Sides as lines on the pixels (Left .. Right - 1, Top .. Bottom - 1).
    void DrawRect(const TKelGraphicsStroke* AStroke, const TRectF& ARect, TKelGraphicsSides ASides,
                  TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) override;
    void FillRoundRect(const TKelGraphicsFill* AFill, const TRectF& ARect, Single ARounding,
                       TKelGraphicsCorners ACorners,
                       TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) override;
    void DrawRoundRect(const TKelGraphicsStroke* AStroke, const TRectF& ARect, Single ARounding,
                       TKelGraphicsCorners ACorners,
                       TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) override;
    void FillEllipse(const TKelGraphicsFill* AFill, const TRectF& ARect,
                     TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) override;
    // The outline lies on (Left, Top, Right - 1, Bottom - 1).
    void DrawEllipse(const TKelGraphicsStroke* AStroke, const TRectF& ARect,
                     TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) override;
    // ASrcRect and AOpacity are not used. Raises Exception "Could not
    // allocate memory for image" when the picture's bytes cannot be held.
    void DrawBitmap(const TGraphic* ABitmap, const TRectF& ASrcRect, const TRectF& ADstRect,
                    Single AOpacity) override;
    // Both replace the clip; they do not intersect it.
    void ClipRect(const TRectF& ARect) override;
    void ClipPath(const TKelGraphicsPath* APath) override;
    void DrawFocusPath(const TKelGraphicsStroke* AStroke, const TKelGraphicsPath* APath,
                       TColor AColor) override;
    void DrawFocusRectangle(const TKelGraphicsStroke* AStroke, const TRectF& ARect, TColor AColor,
                            TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) override;
    // AAngle is not used here; rotation comes from SetTextAngle.
    void DrawText(const String& AText, const TRectF& ARect, bool AWordWrapping,
                  TKelGraphicsTextAlign AHorizontalAlign, TKelGraphicsTextAlign AVerticalAlign,
                  TKelGraphicsTextTrimming ATrimming, Single AAngle) override;
    void DrawPath(const TKelGraphicsStroke* AStroke, const TKelGraphicsPath* APath,
                  TKelGraphicsPathDrawMode APathMode) override;
    void FillPath(const TKelGraphicsFill* AFill, const TKelGraphicsPath* APath,
                  TKelGraphicsPathDrawMode APathMode) override;

    // The context's own copies.
    const TKelGraphicsFill* Fill() const { return FFill.get(); }
    const TKelGraphicsStroke* Stroke() const { return FStroke.get(); }
    const TKelGraphicsFont* Font() const { return FFont.get(); }

private:
    bool HasSurface() const { return FGPGraphics != nullptr; }
    // Restores the base state and frees the surface, which leaves its drawing
    // on the device context.
    void DestroyResources();
    // Returns to the base state, runs AChange and saves the base state again.
    template <class F>
    void ChangeBaseState(F&& AChange);
    void FillChanged();
    void StrokeChanged();
    void FontChanged();
    // A new brush for the fill copy, sized to APath.
    void UpdateBrush(const TGPGraphicsPath* APath);
    TGPFont* GPFont();
    // Runs ADraw with smoothing off while the pen is dashed.
    template <class F>
    void WithPenSmoothing(F&& ADraw);
    void FillGPPath(const TGPGraphicsPath* APath);
    void RoundedOutline(TKelGraphicsPath& APath, const TRectF& ARect, Single ARounding,
                        TKelGraphicsCorners ACorners);

    bool FShowAcceleratorChar = false;
    std::unique_ptr<TGPMatrix> FTextMatrix;
    SmoothingMode FSmoothingMode = SmoothingModeDefault;
    Cardinal FSaveGP = 0;
    Single FScale;
    TPointF FMovePoint;
    bool FNeedsRendering = true;
    std::unique_ptr<TKelGraphicsFont> FFont;
    std::unique_ptr<TKelGraphicsFill> FFill;
    std::unique_ptr<TKelGraphicsStroke> FStroke;
    // Null until text needs it (see GPFont).
    std::unique_ptr<TGPFont> FGPFont;
    TSizeF FContextSize;
    std::unique_ptr<TGPBrush> FGPBrush;
    std::unique_ptr<TGPPen> FGPPen;
    std::unique_ptr<TGPGraphics> FGPGraphics;
};

// Creates the native context for a drawing class.
using TKelGraphicsContextClass = TKelGraphicsContext* (*)(TKelGraphics* AGraphics);
TKelGraphicsContextClass GetNativeContextClass();

// A colour with an opacity (0 to 1) as an ARGB value, system colours resolved.
ARGB ColorToGPColor(TColor AColor, Single AOpacity);
// The GDI+ objects of the context's copies; the caller owns them.
TGPPen* CreateGPPen(const TKelGraphicsStroke* AStroke);
// "Arial" for an empty or "DEFAULT" name, 8 points for size 0.
TGPFont* CreateGPFont(const TKelGraphicsFont* AFont);
// Text is always opaque.
TGPBrush* CreateGPFontBrush(const TKelGraphicsFont* AFont);
TGPStringFormat* CreateGPStringFormat(TKelGraphicsTextAlign AHorizontalAlign,
                                      TKelGraphicsTextAlign AVerticalAlign, bool AWordWrapping,
                                      TKelGraphicsTextTrimming ATrimming, bool AShowAcceleratorChar);
// The brush of a fill for the area of APath (null: an empty area).
TGPBrush* CreateGPBrush(const TKelGraphicsFill* AFill, const TGPGraphicsPath* APath);
