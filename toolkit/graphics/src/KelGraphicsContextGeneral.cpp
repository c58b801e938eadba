#include "kel/KelGraphicsContextGeneral.h"

#include "graphics/GdiDraw.h"
#include "rtl/MathUtils.h"

#include <cmath>
#include <numbers>

namespace {

constexpr Double DegToRad = std::numbers::pi / 180;

Integer RoundI(Double AValue) {
    return Integer(Round(AValue));
}

Integer FloorI(Double AValue) {
    return Integer(std::floor(AValue));
}

TPoint RoundPoint(const TPointF& P) {
    return TPoint{RoundI(P.X), RoundI(P.Y)};
}

TRect RoundRectF(const TRectF& R) {
    return Rect(RoundI(R.Left), RoundI(R.Top), RoundI(R.Right), RoundI(R.Bottom));
}

std::vector<TPoint> RoundPoints(const TKelGraphicsPathPolygon& APolygon) {
    std::vector<TPoint> Points;
    Points.reserve(APolygon.size());
    for (const TPointF& P : APolygon)
        Points.push_back(RoundPoint(P));
    return Points;
}

// The counter-clockwise GDI arc of centre (X, Y) and radius F that covers a
// quarter turn from the clockwise angle AStart.
void QuarterArc(TCanvas* ACanvas, Integer X, Integer Y, Integer F, Double AStart) {
    const Double From = -(AStart + 90) * DegToRad;
    const Double To = -AStart * DegToRad;
    ACanvas->Arc(X - F, Y - F, X + F, Y + F, RoundI(X + F * std::cos(From)), RoundI(Y - F * std::sin(From)),
                 RoundI(X + F * std::cos(To)), RoundI(Y - F * std::sin(To)));
}

} // namespace

TPenStyle StrokeKindToPenStyle(TKelGraphicsStrokeKind AKind) {
    switch (AKind) {
    case gskNone:
        return psClear;
    case gskSolid:
        return psSolid;
    case gskDash:
        return psDash;
    case gskDot:
        return psDot;
    case gskDashDot:
        return psDashDot;
    case gskDashDotDot:
        return psDashDotDot;
    }
    return psSolid;
}

TBrushStyle FillKindToBrushStyle(TKelGraphicsFillKind AKind, TBrushStyle ACurrent) {
    switch (AKind) {
    case gfkNone:
        return bsClear;
    case gfkSolid:
    case gfkGradient:
        return bsSolid;
    case gfkTexture:
        return ACurrent;
    }
    return ACurrent;
}

TTextFormat KelTextFormat(bool AWordWrapping, bool AShowAcceleratorChar,
                          TKelGraphicsTextAlign AHorizontalAlign, TKelGraphicsTextAlign AVerticalAlign,
                          TKelGraphicsTextTrimming ATrimming) {
    TTextFormat Format{AWordWrapping ? tfWordBreak : tfSingleLine};
    if (!AShowAcceleratorChar) Format.Include(tfNoPrefix);
    switch (AHorizontalAlign) {
    case gtaCenter:
        Format.Include(tfCenter);
        break;
    case gtaLeading:
        Format.Include(tfLeft);
        break;
    case gtaTrailing:
        Format.Include(tfRight);
        break;
    }
    switch (AVerticalAlign) {
    case gtaCenter:
        Format.Include(tfVerticalCenter);
        break;
    case gtaLeading:
        Format.Include(tfTop);
        break;
    case gtaTrailing:
        Format.Include(tfBottom);
        break;
    }
    if (ATrimming == gttCharacter) Format.Include(tfEndEllipsis);
    if (ATrimming == gttWord) Format.Include(tfWordEllipsis);
    return Format;
}

// ---- Brackets ------------------------------------------------------------------

template <class F>
void TKelGraphicsContextGeneral::Outline(F&& ADraw) {
    TBrush* Brush = Canvas()->Brush();
    const TColor Color = Brush->Color();
    const TBrushStyle Style = Brush->Style();
    Brush->SetStyle(bsClear);
    ADraw();
    Brush->SetColor(Color);
    Brush->SetStyle(Style);
}

template <class F>
void TKelGraphicsContextGeneral::Filled(F&& ADraw) {
    TPen* Pen = Canvas()->Pen();
    const TPenStyle Style = Pen->Style();
    Pen->SetStyle(psClear);
    ADraw();
    Pen->SetStyle(Style);
}

// ---- State -------------------------------------------------------------------

TColor TKelGraphicsContextGeneral::GetFillColor() {
    return Canvas() ? Canvas()->Brush()->Color() : gcNull;
}

void TKelGraphicsContextGeneral::SetStroke(const TKelGraphicsStroke* AStroke) {
    if (!Canvas() || !AStroke) return;
    TPen* Pen = Canvas()->Pen();
    Pen->SetColor(AStroke->Color());
    Pen->SetWidth(RoundI(AStroke->Width()));
    Pen->SetStyle(StrokeKindToPenStyle(AStroke->Kind()));
}

void TKelGraphicsContextGeneral::SetStrokeKind(TKelGraphicsStrokeKind AKind) {
    if (Canvas()) Canvas()->Pen()->SetStyle(StrokeKindToPenStyle(AKind));
}

void TKelGraphicsContextGeneral::SetStrokeColor(TColor AColor) {
    if (Canvas()) Canvas()->Pen()->SetColor(AColor);
}

void TKelGraphicsContextGeneral::SetStrokeWidth(Single AWidth) {
    if (Canvas()) Canvas()->Pen()->SetWidth(RoundI(AWidth));
}

void TKelGraphicsContextGeneral::SetFill(const TKelGraphicsFill* AFill) {
    if (!Canvas() || !AFill) return;
    TBrush* Brush = Canvas()->Brush();
    Brush->SetColor(AFill->Color());
    Brush->SetStyle(FillKindToBrushStyle(AFill->Kind(), Brush->Style()));
}

void TKelGraphicsContextGeneral::SetFillKind(TKelGraphicsFillKind AKind) {
    if (Canvas()) Canvas()->Brush()->SetStyle(FillKindToBrushStyle(AKind, Canvas()->Brush()->Style()));
}

void TKelGraphicsContextGeneral::SetFillColor(TColor AColor) {
    if (Canvas()) Canvas()->Brush()->SetColor(AColor);
}

void TKelGraphicsContextGeneral::SetFont(const TKelGraphicsFont* AFont) {
    if (Canvas() && AFont) Canvas()->Font()->Assign(AFont);
}

void TKelGraphicsContextGeneral::SetFontSize(Integer ASize) {
    if (Canvas()) Canvas()->Font()->SetSize(ASize);
}

void TKelGraphicsContextGeneral::SetFontColor(TColor AColor) {
    if (Canvas()) Canvas()->Font()->SetColor(AColor);
}

void TKelGraphicsContextGeneral::SetFontName(const String& AName) {
    if (Canvas()) Canvas()->Font()->SetName(AName);
}

void TKelGraphicsContextGeneral::SetFontStyles(TFontStyles AStyle) {
    if (Canvas()) Canvas()->Font()->SetStyle(AStyle);
}

void TKelGraphicsContextGeneral::SaveState(TKelGraphicsSaveState* AState) {
    if (!Canvas() || !AState) return;
    Canvas()->Refresh();
    AState->SetSaveDC(winapi::SaveDC(Canvas()->Handle()));
}

void TKelGraphicsContextGeneral::RestoreState(TKelGraphicsSaveState* AState) {
    if (!Canvas() || !AState) return;
    winapi::RestoreDC(Canvas()->Handle(), AState->SaveDC());
    AState->SetSaveDC(0);
    Canvas()->Refresh();
}

void TKelGraphicsContextGeneral::ClipRect(const TRectF& ARect) {
    if (!Canvas()) return;
    const TRect R = RoundRectF(ARect);
    winapi::IntersectClipRect(Canvas()->Handle(), R.Left, R.Top, R.Right, R.Bottom);
}

void TKelGraphicsContextGeneral::ClipPath(const TKelGraphicsPath* APath) {
    if (APath) ClipRect(APath->GetBounds());
}

void TKelGraphicsContextGeneral::StartSpecialPen() {
    TCanvas* C = Canvas();
    if (!C) return;
    TPen* Pen = C->Pen();
    if (FPrinting) {
        FOldPenStyle = Pen->Style();
        FOldPenWidth = Pen->Width();
        Pen->SetStyle(psDot);
        Pen->SetWidth(1);
        return;
    }
    // Select the canvas's own pen first (an empty polyline draws nothing), so
    // that the canvas does not select it over the focus pen at the next shape.
    C->Polyline({});
    FFocusPen =
        winapi::ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, TLogBrush{BS_SOLID, ColorToRGB(Pen->Color()), 0});
    FOldPenHandle = winapi::SelectObject(C->Handle(), FFocusPen);
}

void TKelGraphicsContextGeneral::StopSpecialPen() {
    TCanvas* C = Canvas();
    if (!C) return;
    if (FPrinting) {
        C->Pen()->SetStyle(FOldPenStyle);
        C->Pen()->SetWidth(FOldPenWidth);
        return;
    }
    if (!FFocusPen) return;
    winapi::SelectObject(C->Handle(), FOldPenHandle);
    winapi::DeleteObject(FFocusPen);
    FFocusPen = nullptr;
    FOldPenHandle = nullptr;
}

// ---- Paths -------------------------------------------------------------------

void TKelGraphicsContextGeneral::PathMoveTo(TGPGraphicsPath*, const TPointF& APoint) {
    if (Canvas()) Canvas()->MoveTo(RoundI(APoint.X), RoundI(APoint.Y));
}

void TKelGraphicsContextGeneral::PathLineTo(TGPGraphicsPath*, const TPointF& APoint) {
    if (Canvas()) Canvas()->LineTo(RoundI(APoint.X), RoundI(APoint.Y));
}

void TKelGraphicsContextGeneral::PathClose(TGPGraphicsPath*) {
    if (Canvas()) winapi::CloseFigure(Canvas()->Handle());
}

// ---- Shapes ------------------------------------------------------------------

void TKelGraphicsContextGeneral::DrawLine(const TKelGraphicsStroke*, const TPointF& AFromPoint,
                                          const TPointF& AToPoint, TKelGraphicsModifyPointMode,
                                          TKelGraphicsModifyPointMode) {
    if (!Canvas()) return;
    Canvas()->MoveTo(RoundI(AFromPoint.X), RoundI(AFromPoint.Y));
    Canvas()->LineTo(RoundI(AToPoint.X), RoundI(AToPoint.Y));
}

void TKelGraphicsContextGeneral::DrawPolygon(const TKelGraphicsStroke*,
                                             const TKelGraphicsPathPolygon& APolygon) {
    if (!Canvas() || APolygon.empty()) return;
    Outline([&] { Canvas()->Polygon(RoundPoints(APolygon)); });
}

void TKelGraphicsContextGeneral::DrawPolyline(const TKelGraphicsStroke*,
                                              const TKelGraphicsPathPolygon& APolyline) {
    if (!Canvas() || APolyline.empty()) return;
    Outline([&] { Canvas()->Polyline(RoundPoints(APolyline)); });
}

void TKelGraphicsContextGeneral::FillPolygon(const TKelGraphicsFill*,
                                             const TKelGraphicsPathPolygon& APolygon) {
    if (!Canvas() || APolygon.empty()) return;
    Filled([&] { Canvas()->Polygon(RoundPoints(APolygon)); });
}

void TKelGraphicsContextGeneral::FillPolyline(const TKelGraphicsFill* AFill,
                                              const TKelGraphicsPathPolygon& APolyline) {
    FillPolygon(AFill, APolyline);
}

void TKelGraphicsContextGeneral::GdiArc(const TPointF& ACenter, const TPointF& ARadius, Single AStartAngle,
                                        Single ASweepAngle) {
    // GDI runs counter-clockwise from its start point to its end point: from
    // the end of the clockwise arc back to its start.
    const Double From = -(Double(AStartAngle) + ASweepAngle) * DegToRad;
    const Double To = -Double(AStartAngle) * DegToRad;
    const Double X = ACenter.X, Y = ACenter.Y, RX = ARadius.X, RY = ARadius.Y;
    Canvas()->Arc(FloorI(X - RX), FloorI(Y - RY), FloorI(X + RX), FloorI(Y + RY),
                  FloorI(X + RX * std::cos(From)), FloorI(Y - RY * std::sin(From)),
                  FloorI(X + RX * std::cos(To)), FloorI(Y - RY * std::sin(To)));
}

void TKelGraphicsContextGeneral::DrawArc(const TKelGraphicsStroke*, const TPointF& ACenter,
                                         const TPointF& ARadius, Single AStartAngle, Single ASweepAngle) {
    if (!Canvas()) return;
    Outline([&] { GdiArc(ACenter, ARadius, AStartAngle, ASweepAngle); });
}

void TKelGraphicsContextGeneral::FillArc(const TKelGraphicsFill* AFill, const TPointF& ACenter,
                                         const TPointF& ARadius, Single AStartAngle, Single ASweepAngle) {
    TKelGraphicsPath Arc;
    Arc.AddArc(ACenter, ARadius, AStartAngle, ASweepAngle);
    Arc.ClosePath();
    TKelGraphicsPathPolygon Polygon;
    Arc.FlattenToPolygon(Polygon, KelPathFlatness);
    FillPolygon(AFill, Polygon);
}

void TKelGraphicsContextGeneral::DrawEllipse(const TKelGraphicsStroke*, const TRectF& ARect,
                                             TKelGraphicsModifyRectMode AModifyRectMode) {
    if (!Canvas()) return;
    Outline([&] { Canvas()->Ellipse(RoundRectF(ModifyRect(ARect, AModifyRectMode))); });
}

void TKelGraphicsContextGeneral::FillEllipse(const TKelGraphicsFill*, const TRectF& ARect,
                                             TKelGraphicsModifyRectMode AModifyRectMode) {
    if (!Canvas()) return;
    Filled([&] { Canvas()->Ellipse(RoundRectF(ModifyRect(ARect, AModifyRectMode))); });
}

void TKelGraphicsContextGeneral::DrawRect(const TKelGraphicsStroke* AStroke, const TRectF& ARect,
                                          TKelGraphicsSides ASides,
                                          TKelGraphicsModifyRectMode AModifyRectMode) {
    const TRect R = RoundRectF(ModifyRect(ARect, AModifyRectMode));
    const auto Line = [&](Integer X1, Integer Y1, Integer X2, Integer Y2) {
        DrawLine(AStroke, PointF(Single(X1), Single(Y1)), PointF(Single(X2), Single(Y2)), gcpmRightDown,
                 gcpmRightDown);
    };
    if (ASides.Contains(gsTop)) Line(R.Left, R.Top, R.Right - 1, R.Top);
    if (ASides.Contains(gsLeft)) Line(R.Left, R.Top, R.Left, R.Bottom - 1);
    if (ASides.Contains(gsBottom)) Line(R.Left, R.Bottom - 1, R.Right - 1, R.Bottom - 1);
    if (ASides.Contains(gsRight)) Line(R.Right - 1, R.Top, R.Right - 1, R.Bottom);
}

void TKelGraphicsContextGeneral::DrawRoundRect(const TKelGraphicsStroke*, const TRectF& ARect,
                                               Single ARounding, TKelGraphicsCorners ACorners,
                                               TKelGraphicsModifyRectMode AModifyRectMode) {
    TCanvas* C = Canvas();
    if (!C) return;
    const TRect R = RoundRectF(ModifyRect(ARect, AModifyRectMode));
    const Integer Rounding = RoundI(ARounding);
    Outline([&] {
        if (ACorners == TKelGraphicsCorners{gcTopLeft, gcTopRight, gcBottomLeft, gcBottomRight}) {
            C->RoundRect(R.Left, R.Top, R.Right, R.Bottom, 2 * Rounding, 2 * Rounding);
            return;
        }
        if (ACorners.Empty()) {
            C->Rectangle(R);
            return;
        }
        // An outline of lines and quarter arcs, clockwise from the bottom-left corner.
        const Integer L = R.Left, T = R.Top, Rt = R.Right - 1, B = R.Bottom - 1, F = Rounding - 1;
        if (ACorners.Contains(gcBottomLeft)) {
            C->MoveTo(L + F, B);
            QuarterArc(C, L + F, B - F, F, -270);
            C->MoveTo(L, B - F);
        } else {
            C->MoveTo(L, B);
        }
        if (ACorners.Contains(gcTopLeft)) {
            C->LineTo(L, T + F - 2);
            QuarterArc(C, L + F, T + F, F, -180);
            C->MoveTo(L + F, T);
        } else {
            C->LineTo(L, T);
        }
        if (ACorners.Contains(gcTopRight)) {
            C->LineTo(Rt - F, T);
            QuarterArc(C, Rt - F, T + F, F, -90);
            C->MoveTo(Rt, T + F);
        } else {
            C->LineTo(Rt, T);
        }
        if (ACorners.Contains(gcBottomRight)) {
            C->LineTo(Rt, B - F + 1);
            QuarterArc(C, Rt - F, B - F + 1, F, 0);
            C->MoveTo(Rt - F, B);
        } else {
            C->LineTo(Rt, B);
        }
        C->LineTo(ACorners.Contains(gcBottomLeft) ? L + F - 2 : L, B);
    });
}

void TKelGraphicsContextGeneral::FillRect(const TKelGraphicsFill* AFill, const TRectF& ARect,
                                          TKelGraphicsModifyRectMode AModifyRectMode) {
    TCanvas* C = Canvas();
    if (!C || !AFill) return;
    const TRect R = RoundRectF(ModifyRect(ARect, AModifyRectMode));
    if (AFill->Kind() == gfkSolid) {
        if (AFill->Color() != gcNull) Filled([&] { C->Rectangle(R); });
        return;
    }
    if (AFill->Kind() != gfkGradient || AFill->Color() == gcNull || AFill->ColorTo() == gcNull) return;
    const bool Horizontal = AFill->Orientation() == gfoHorizontal;
    if (AFill->ColorMirror() == gcNull || AFill->ColorMirrorTo() == gcNull) {
        DrawRoundedGradient(C, AFill->Color(), AFill->ColorTo(), Horizontal, {}, 0, R);
        return;
    }
    if (AFill->Orientation() == gfoHorizontal) {
        const Integer X = R.Left + (R.Right - R.Left) / 2;
        DrawRoundedGradient(C, AFill->Color(), AFill->ColorTo(), true, {}, 0,
                            Rect(R.Left, R.Top, X, R.Bottom));
        DrawRoundedGradient(C, AFill->ColorMirror(), AFill->ColorMirrorTo(), true, {}, 0,
                            Rect(X, R.Top, R.Right, R.Bottom));
    } else if (AFill->Orientation() == gfoVertical) {
        const Integer Y = R.Top + (R.Bottom - R.Top) / 2;
        DrawRoundedGradient(C, AFill->Color(), AFill->ColorTo(), false, {}, 0,
                            Rect(R.Left, R.Top, R.Right, Y));
        DrawRoundedGradient(C, AFill->ColorMirror(), AFill->ColorMirrorTo(), false, {}, 0,
                            Rect(R.Left, Y, R.Right, R.Bottom));
    }
}

void TKelGraphicsContextGeneral::FillRoundRect(const TKelGraphicsFill* AFill, const TRectF& ARect,
                                               Single ARounding, TKelGraphicsCorners ACorners,
                                               TKelGraphicsModifyRectMode AModifyRectMode) {
    TCanvas* C = Canvas();
    if (!C || !AFill) return;
    const TRect R = RoundRectF(ModifyRect(ARect, AModifyRectMode));
    const bool Horizontal = AFill->Orientation() == gfoHorizontal;
    if (AFill->Kind() == gfkSolid) {
        if (AFill->Color() != gcNull)
            DrawRoundedGradient(C, AFill->Color(), AFill->Color(), Horizontal, ACorners, ARounding, R);
        return;
    }
    if (AFill->Kind() != gfkGradient || AFill->Color() == gcNull || AFill->ColorTo() == gcNull) return;
    const TRect Inner = Rect(R.Left, R.Top, R.Right - 1, R.Bottom - 1);
    if (AFill->ColorMirror() == gcNull || AFill->ColorMirrorTo() == gcNull) {
        DrawRoundedGradient(C, AFill->Color(), AFill->ColorTo(), Horizontal, ACorners, ARounding, Inner);
        return;
    }
    if (AFill->Orientation() == gfoHorizontal) {
        const Integer X = Inner.Left + (Inner.Right - Inner.Left) / 2;
        DrawRoundedGradient(C, AFill->Color(), AFill->ColorTo(), true,
                            ACorners * TKelGraphicsCorners{gcTopLeft, gcBottomLeft}, ARounding,
                            Rect(Inner.Left, Inner.Top, X, Inner.Bottom));
        DrawRoundedGradient(C, AFill->ColorMirror(), AFill->ColorMirrorTo(), true,
                            ACorners * TKelGraphicsCorners{gcTopRight, gcBottomRight}, ARounding,
                            Rect(X, Inner.Top, Inner.Right, Inner.Bottom));
    } else if (AFill->Orientation() == gfoVertical) {
        const Integer Y = Inner.Top + (Inner.Bottom - Inner.Top) / 2;
        DrawRoundedGradient(C, AFill->Color(), AFill->ColorTo(), false,
                            ACorners * TKelGraphicsCorners{gcTopLeft, gcTopRight}, ARounding,
                            Rect(Inner.Left, Inner.Top, Inner.Right, Y));
        DrawRoundedGradient(C, AFill->ColorMirror(), AFill->ColorMirrorTo(), false,
                            ACorners * TKelGraphicsCorners{gcBottomLeft, gcBottomRight}, ARounding,
                            Rect(Inner.Left, Y, Inner.Right, Inner.Bottom));
    }
}

void TKelGraphicsContextGeneral::DrawBitmap(const TGraphic* ABitmap, const TRectF&, const TRectF& ADstRect,
                                            Single) {
    if (!Canvas()) return;
    Canvas()->StretchDraw(Bounds(RoundI(ADstRect.Left), RoundI(ADstRect.Top), RoundI(ADstRect.Width()),
                                 RoundI(ADstRect.Height())),
                          ABitmap);
}

void TKelGraphicsContextGeneral::PaintPathBracket(const TKelGraphicsPath* APath,
                                                  bool (*APaint)(winapi::HDC)) {
    const winapi::HDC DC = Canvas()->Handle();
    winapi::BeginPath(DC);
    ConvertToPath(APath, KelPathFlatness);
    winapi::EndPath(DC);
    const Integer Previous = winapi::SetPolyFillMode(DC, APath->FillMode() == gpfWinding ? WINDING
                                                                                        : ALTERNATE);
    APaint(DC);
    winapi::SetPolyFillMode(DC, Previous);
    winapi::AbortPath(DC);
}

void TKelGraphicsContextGeneral::DrawPath(const TKelGraphicsStroke* AStroke, const TKelGraphicsPath* APath,
                                          TKelGraphicsPathDrawMode APathMode) {
    if (!Canvas() || !APath) return;
    if (APathMode == pdmPath) {
        PaintPathBracket(APath, winapi::StrokePath);
        return;
    }
    DrawFlattenedPath(AStroke, APath, APathMode);
}

void TKelGraphicsContextGeneral::FillPath(const TKelGraphicsFill* AFill, const TKelGraphicsPath* APath,
                                          TKelGraphicsPathDrawMode APathMode) {
    if (!Canvas() || !APath) return;
    if (APathMode == pdmPath) {
        PaintPathBracket(APath, winapi::FillPath);
        return;
    }
    FillFlattenedPath(AFill, APath, APathMode);
}

template <class F>
void TKelGraphicsContextGeneral::FocusOutline(TColor AColor, F&& ADraw) {
    if (!Canvas()) return;
    Outline([&] {
        Canvas()->Pen()->SetColor(AColor);
        StartSpecialPen();
        ADraw();
        StopSpecialPen();
    });
}

void TKelGraphicsContextGeneral::DrawFocusRectangle(const TKelGraphicsStroke*, const TRectF& ARect,
                                                    TColor AColor,
                                                    TKelGraphicsModifyRectMode AModifyRectMode) {
    FocusOutline(AColor, [&] { Canvas()->Rectangle(RoundRectF(ModifyRect(ARect, AModifyRectMode))); });
}

void TKelGraphicsContextGeneral::DrawFocusPath(const TKelGraphicsStroke* AStroke,
                                               const TKelGraphicsPath* APath, TColor AColor) {
    FocusOutline(AColor, [&] { DrawPath(AStroke, APath, pdmPolygon); });
}

// ---- Text --------------------------------------------------------------------

TRectF TKelGraphicsContextGeneral::CalculateText(const String& AText, const TRectF& ARect,
                                                 bool AWordWrapping) {
    if (!Canvas()) return TRectF{};
    TRect R = RoundRectF(ARect);
    TTextFormat Format{tfCalcRect, AWordWrapping ? tfWordBreak : tfSingleLine};
    if (!FShowAcceleratorChar) Format.Include(tfNoPrefix);
    Canvas()->TextRect(R, AText, Format);
    return RectToRectF(R);
}

void TKelGraphicsContextGeneral::DrawText(const String& AText, const TRectF& ARect, bool AWordWrapping,
                                          TKelGraphicsTextAlign AHorizontalAlign,
                                          TKelGraphicsTextAlign AVerticalAlign,
                                          TKelGraphicsTextTrimming ATrimming, Single AAngle) {
    TCanvas* C = Canvas();
    if (!C) return;
    Outline([&] {
        TRect R = RoundRectF(ARect);
        const TTextFormat Format =
            KelTextFormat(AWordWrapping, FShowAcceleratorChar, AHorizontalAlign, AVerticalAlign, ATrimming);
        // The canvas aligns only single lines vertically: place wrapped text itself.
        if (AWordWrapping && AVerticalAlign != gtaLeading) {
            const Integer H = RoundI(CalculateText(AText, ARect, true).Height());
            if (AVerticalAlign == gtaCenter) {
                const Integer Offset = std::max((R.Bottom - R.Top - H) / 2, 0);
                R.Top += Offset;
                R.Bottom = std::max(std::min(RoundI(ARect.Bottom), R.Top + H), 0);
            } else {
                R.Top = R.Bottom - H;
            }
        }
        if (AAngle != 0)
            DrawRotatedText(AText, R, AHorizontalAlign, AVerticalAlign, AAngle);
        else
            C->TextRect(R, AText, Format);
    });
}

void TKelGraphicsContextGeneral::DrawRotatedText(const String& AText, const TRect& ARect,
                                                 TKelGraphicsTextAlign AHorizontalAlign,
                                                 TKelGraphicsTextAlign AVerticalAlign, Single AAngle) {
    TCanvas* C = Canvas();
    TFont* Font = C->Font();
    const Integer OldOrientation = Font->Orientation();
    Font->SetOrientation(RoundI(-10.0 * AAngle));
    const Double W = C->TextWidth(AText);
    const Double H = C->TextHeight(AText);
    const Double L = ARect.Left, T = ARect.Top, Rt = ARect.Right, B = ARect.Bottom;
    const bool Positive = AAngle > 0;
    // The text runs along y: the horizontal alignment places it along y, the
    // vertical alignment along x.
    Double Y = T;
    switch (AHorizontalAlign) {
    case gtaCenter:
        Y = T + (B - T - W) / 2 + (Positive ? 0 : W);
        break;
    case gtaLeading:
        Y = Positive ? T : B;
        break;
    case gtaTrailing:
        Y = Positive ? B - W : T + W;
        break;
    }
    Double X = L;
    switch (AVerticalAlign) {
    case gtaCenter:
        X = L + (Rt - L) / 2 + (Positive ? H / 2 : -H / 2);
        break;
    case gtaLeading:
        X = Positive ? Rt : L;
        break;
    case gtaTrailing:
        X = Positive ? L + H : Rt - H;
        break;
    }
    C->TextOut(RoundI(X), RoundI(Y), AText);
    Font->SetOrientation(OldOrientation);
}
