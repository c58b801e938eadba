#pragma once
// TKelGraphicsContext: the abstract drawing surface behind the drawing class.
// It turns the drawing class's fill, stroke and font and its shape, text,
// bitmap, clip and transform requests into output on one device. Two
// implementations exist: TKelGraphicsContextWin draws through the GDI+-style
// classes (anti-aliased, with gradients, opacity and transforms),
// TKelGraphicsContextGeneral on a canvas with plain GDI calls.
//
// Rules every implementation keeps:
// - Coordinates are device units, y grows downwards. Angles are degrees
//   measured clockwise from the positive x axis; an arc runs from its start
//   angle through its sweep.
// - The modify modes are accepted and leave every rectangle and point as it is.
// - Shapes and text use the pen, brush and font last sent through the Set
//   operations; the AStroke arguments are not read for drawing, the AFill
//   arguments only by the canvas context's FillRect and FillRoundRect.
// - Paths are flattened with flatness 0.25 where points are needed.
//   pdmPolygon draws the flattened path as one closed polygon, pdmPolyline as
//   an open polyline, pdmPath keeps its figures and curves.
// - Text: SetTextAngle returns the rectangle to lay rotated text out in;
//   DrawText (or the markup renderer) draws into it; ResetTextAngle with the
//   same angle undoes the rotation. Angle 0 rotates nothing.
// - SaveState writes a token into the state object; RestoreState returns to it.
// - The drawing class brackets drawing with BeginScene and EndScene; Render
//   pushes pending output to the device.

#include "graphics/Canvas.h"
#include "graphics/GdiPlusGeometry.h"
#include "graphics/Graphic.h"
#include "kel/KelGraphicsFill.h"
#include "kel/KelGraphicsFont.h"
#include "kel/KelGraphicsMatrix.h"
#include "kel/KelGraphicsPath.h"
#include "kel/KelGraphicsSaveState.h"
#include "kel/KelGraphicsStroke.h"
#include "kel/KelGraphicsTypes.h"
#include "kel/KelJSONMembers.h"

#include <memory>

class TKelGraphics;

// A native path made by CreatePath: a GDI+ path for the GDI+ context, null
// for the canvas context (whose path operations draw into the canvas's path
// bracket).
using TKelGraphicsPathHandle = std::unique_ptr<TGPGraphicsPath>;

class TKelGraphicsContext : public TObject {
public:
    // AGraphics: the drawing class that creates the context; not owned.
    explicit TKelGraphicsContext(TKelGraphics* AGraphics) : FGraphics(AGraphics) {}

    TKelGraphics* Graphics() const { return FGraphics; }
    // The owner's active canvas; null without an owner.
    TCanvas* Canvas() const;
    // The implementation's own drawing object (the GDI+ graphics or the canvas).
    void* NativeCanvas() { return GetNativeCanvas(); }

    // Replays a path through the path operations below: a move opens a
    // figure, a cubic curve becomes Round(length / tolerance) line segments
    // (a single one when that is below 2), the tolerance being Flatness but
    // at least 0.05. A null or empty path gives the bare CreatePath result.
    // With AKeepCurves a curve goes to PathCurveTo instead, for a context
    // that draws curves itself (flattened as finely as its surface needs).
    TKelGraphicsPathHandle ConvertToPath(const TKelGraphicsPath* APath, Single Flatness,
                                         bool AKeepCurves = false);

    virtual void* GetNativeCanvas() = 0;
    virtual TKelGraphicsPathHandle CreatePath() = 0;
    virtual TColor GetFillColor() = 0;
    // The bounds of the plain text laid out from the rectangle's top-left corner.
    virtual TRectF CalculateText(const String& AText, const TRectF& ARect, bool AWordWrapping) = 0;
    virtual TRectF SetTextAngle(const TRectF& ARect, Single AAngle) = 0;
    virtual TKelGraphicsMatrix GetMatrix() = 0;
    virtual void Render() = 0;
    virtual void PathOpen(TGPGraphicsPath* APath) = 0;
    virtual void PathMoveTo(TGPGraphicsPath* APath, const TPointF& APoint) = 0;
    virtual void PathLineTo(TGPGraphicsPath* APath, const TPointF& APoint) = 0;
    // A cubic curve from the current point. Here it becomes line segments as
    // ConvertToPath describes; a context that draws curves keeps it whole.
    virtual void PathCurveTo(TGPGraphicsPath* APath, const TKelGraphicsPathCubicBezier& ABezier,
                             Single ATolerance);
    virtual void SetScale(Single AScale) = 0;
    virtual void PathClose(TGPGraphicsPath* APath) = 0;
    virtual void ResetClip() = 0;
    virtual void ResetTransform() = 0;
    // The transforms are prepended: they act on coordinates before the
    // transform in force.
    virtual void ScaleTransform(Single AX, Single AY) = 0;
    virtual void RotateTransform(Single AAngle) = 0;
    virtual void TranslateTransform(Single AX, Single AY) = 0;
    virtual void SetTextQuality(TKelGraphicsTextQuality ATextQuality) = 0;
    virtual void SetAntiAliasing(bool AAntiAliasing) = 0;
    virtual void SetShowAcceleratorChar(bool AShowAcceleratorChar) = 0;
    // The size of the surface; (re)opens it.
    virtual void SetSize(Single AWidth, Single AHeight) = 0;
    virtual void ResetTextAngle(Single AAngle) = 0;
    virtual void BeginScene() = 0;
    virtual void EndScene() = 0;
    virtual void BeginPrinting() = 0;
    virtual void EndPrinting() = 0;
    // The focus (dotted) pen, and back to the normal one.
    virtual void StartSpecialPen() = 0;
    virtual void StopSpecialPen() = 0;
    virtual void RestoreState(TKelGraphicsSaveState* AState) = 0;
    virtual void SaveState(TKelGraphicsSaveState* AState) = 0;
    virtual void SetFontSize(Integer ASize) = 0;
    virtual void SetFontColor(TColor AColor) = 0;
    virtual void SetFontName(const String& AName) = 0;
    virtual void SetFont(const TKelGraphicsFont* AFont) = 0;
    virtual void SetFontStyles(TFontStyles AStyle) = 0;
    virtual void SetMatrix(const TKelGraphicsMatrix& AMatrix) = 0;
    virtual void SetFill(const TKelGraphicsFill* AFill) = 0;
    virtual void SetFillKind(TKelGraphicsFillKind AKind) = 0;
    virtual void SetFillColor(TColor AColor) = 0;
    virtual void SetStroke(const TKelGraphicsStroke* AStroke) = 0;
    virtual void SetStrokeKind(TKelGraphicsStrokeKind AKind) = 0;
    virtual void SetStrokeColor(TColor AColor) = 0;
    virtual void SetStrokeWidth(Single AWidth) = 0;
    virtual void DrawLine(const TKelGraphicsStroke* AStroke, const TPointF& AFromPoint,
                          const TPointF& AToPoint,
                          TKelGraphicsModifyPointMode AModifyPointModeFrom = gcpmNone,
                          TKelGraphicsModifyPointMode AModifyPointModeTo = gcpmNone) = 0;
    virtual void DrawPolygon(const TKelGraphicsStroke* AStroke, const TKelGraphicsPathPolygon& APolygon) = 0;
    virtual void FillPolygon(const TKelGraphicsFill* AFill, const TKelGraphicsPathPolygon& APolygon) = 0;
    virtual void DrawPolyline(const TKelGraphicsStroke* AStroke,
                              const TKelGraphicsPathPolygon& APolyline) = 0;
    virtual void FillPolyline(const TKelGraphicsFill* AFill, const TKelGraphicsPathPolygon& APolyline) = 0;
    virtual void FillArc(const TKelGraphicsFill* AFill, const TPointF& ACenter, const TPointF& ARadius,
                         Single AStartAngle, Single ASweepAngle) = 0;
    virtual void DrawArc(const TKelGraphicsStroke* AStroke, const TPointF& ACenter, const TPointF& ARadius,
                         Single AStartAngle, Single ASweepAngle) = 0;
    virtual void FillRect(const TKelGraphicsFill* AFill, const TRectF& ARect,
                          TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) = 0;
    // Only the listed sides.
    virtual void DrawRect(const TKelGraphicsStroke* AStroke, const TRectF& ARect, TKelGraphicsSides ASides,
                          TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) = 0;
    // Only the listed corners rounded.
    virtual void FillRoundRect(const TKelGraphicsFill* AFill, const TRectF& ARect, Single ARounding,
                               TKelGraphicsCorners ACorners,
                               TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) = 0;
    virtual void DrawRoundRect(const TKelGraphicsStroke* AStroke, const TRectF& ARect, Single ARounding,
                               TKelGraphicsCorners ACorners,
                               TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) = 0;
    virtual void FillEllipse(const TKelGraphicsFill* AFill, const TRectF& ARect,
                             TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) = 0;
    virtual void DrawEllipse(const TKelGraphicsStroke* AStroke, const TRectF& ARect,
                             TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) = 0;
    // The whole graphic into ADstRect.
    virtual void DrawBitmap(const TGraphic* ABitmap, const TRectF& ASrcRect, const TRectF& ADstRect,
                            Single AOpacity) = 0;
    virtual void ClipRect(const TRectF& ARect) = 0;
    virtual void ClipPath(const TKelGraphicsPath* APath) = 0;
    // A dotted outline in AColor.
    virtual void DrawFocusPath(const TKelGraphicsStroke* AStroke, const TKelGraphicsPath* APath,
                               TColor AColor) = 0;
    virtual void DrawFocusRectangle(const TKelGraphicsStroke* AStroke, const TRectF& ARect, TColor AColor,
                                    TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) = 0;
    // Plain text, no markup.
    virtual void DrawText(const String& AText, const TRectF& ARect, bool AWordWrapping,
                          TKelGraphicsTextAlign AHorizontalAlign, TKelGraphicsTextAlign AVerticalAlign,
                          TKelGraphicsTextTrimming ATrimming, Single AAngle) = 0;
    virtual void DrawPath(const TKelGraphicsStroke* AStroke, const TKelGraphicsPath* APath,
                          TKelGraphicsPathDrawMode APathMode) = 0;
    virtual void FillPath(const TKelGraphicsFill* AFill, const TKelGraphicsPath* APath,
                          TKelGraphicsPathDrawMode APathMode) = 0;

protected:
    // The pdmPolygon and pdmPolyline modes of DrawPath and FillPath: APath
    // flattened with KelPathFlatness, then drawn or filled as one closed
    // polygon (pdmPolygon) or as a polyline.
    void DrawFlattenedPath(const TKelGraphicsStroke* AStroke, const TKelGraphicsPath* APath,
                           TKelGraphicsPathDrawMode APathMode);
    void FillFlattenedPath(const TKelGraphicsFill* AFill, const TKelGraphicsPath* APath,
                           TKelGraphicsPathDrawMode APathMode);

private:
    TKelGraphics* FGraphics;

    KEL_JSON_MEMBERS
};

// The flatness the contexts flatten paths with.
constexpr Single KelPathFlatness = 0.25f;
