#include "kel/KelGraphicsContextWin.h"

#include "kel/KelGraphics.h"
#include "kel/RarEvads.h"
#include "rtl/Exception.h"
#include "rtl/MathUtils.h"
#include "rtl/Stream.h"
#include "rtl/StringUtils.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <span>
#include <vector>

namespace {

TGPRectF GPRect(const TRectF& R) {
    return GPRectF(R.Left, R.Top, R.Width(), R.Height());
}

TGPPointF GPPoint(const TPointF& P) {
    return GPPointF(P.X, P.Y);
}

std::vector<TGPPointF> GPPoints(const TKelGraphicsPathPolygon& APolygon) {
    std::vector<TGPPointF> Points;
    Points.reserve(APolygon.size());
    for (const TPointF& P : APolygon)
        Points.push_back(GPPoint(P));
    return Points;
}

TGPMatrix GPMatrix(const TKelGraphicsMatrix& M) {
    return TGPMatrix(M.m11, M.m12, M.m21, M.m22, M.m31, M.m32);
}

StringAlignment GPAlignment(TKelGraphicsTextAlign AAlign) {
    switch (AAlign) {
    case gtaCenter:
        return StringAlignmentCenter;
    case gtaLeading:
        return StringAlignmentNear;
    case gtaTrailing:
        return StringAlignmentFar;
    }
    return StringAlignmentNear;
}

// The image a graphic draws as: its saved bytes decoded, a bitmap copied
// into 32-bit ARGB.
std::unique_ptr<TGPImage> CreateGPImage(const TGraphic* AGraphic) {
    TMemoryStream Bytes;
    try {
        AGraphic->SaveToStream(&Bytes);
    } catch (const std::bad_alloc&) {
        throw Exception(u"Could not allocate memory for image");
    }
    auto Image =
        std::make_unique<TGPImage>(std::span<const Byte>(Bytes.Memory(), static_cast<size_t>(Bytes.Size())));
    if (Image->GetType() != ImageTypeBitmap) return Image;
    const Integer Width = Integer(Image->GetWidth());
    const Integer Height = Integer(Image->GetHeight());
    auto Copy = std::make_unique<TGPBitmap>(Width, Height, PixelFormat32bppARGB);
    TGPGraphics Target(Copy.get());
    Target.DrawImage(Image.get(), GPRectF(0, 0, Single(Width), Single(Height)));
    return Copy;
}

TKelGraphicsContext* CreateNativeContext(TKelGraphics* AGraphics) {
    return new TKelGraphicsContextWin(AGraphics);
}

} // namespace

TKelGraphicsContextClass GetNativeContextClass() {
    return &CreateNativeContext;
}

ARGB ColorToGPColor(TColor AColor, Single AOpacity) {
    const Int64 Alpha = std::clamp<Int64>(Round(Double(AOpacity) * 255), 0, 255);
    return ColorToARGB(Byte(Alpha), AColor);
}

TGPPen* CreateGPPen(const TKelGraphicsStroke* AStroke) {
    auto* Pen = new TGPPen(ColorToGPColor(AStroke->Color(), AStroke->Opacity()), AStroke->Width());
    switch (AStroke->Kind()) {
    case gskNone:
        break; // the pen's own default
    case gskSolid:
        Pen->SetDashStyle(DashStyleSolid);
        break;
    case gskDash:
        Pen->SetDashStyle(DashStyleDash);
        break;
    case gskDot:
        Pen->SetDashStyle(DashStyleDot);
        break;
    case gskDashDot:
        Pen->SetDashStyle(DashStyleDashDot);
        break;
    case gskDashDotDot:
        Pen->SetDashStyle(DashStyleDashDotDot);
        break;
    }
    Pen->SetLineCap(LineCapFlat, LineCapFlat, DashCapFlat);
    Pen->SetLineJoin(LineJoinMiterClipped);
    Pen->SetMiterLimit(4);
    return Pen;
}

TGPFont* CreateGPFont(const TKelGraphicsFont* AFont) {
    String Name = AFont->Name();
    if (Name.empty() || UpperCase(Name) == u"DEFAULT") Name = u"Arial";
    const Integer Size = AFont->Size() == 0 ? 8 : AFont->Size();
    Integer Style = FontStyleRegular;
    if (AFont->Style().Contains(fsBold)) Style |= FontStyleBold;
    if (AFont->Style().Contains(fsItalic)) Style |= FontStyleItalic;
    if (AFont->Style().Contains(fsUnderline)) Style |= FontStyleUnderline;
    if (AFont->Style().Contains(fsStrikeOut)) Style |= FontStyleStrikeout;
    return new TGPFont(Name, Single(Size), Style, UnitPoint);
}

TGPBrush* CreateGPFontBrush(const TKelGraphicsFont* AFont) {
    return new TGPSolidBrush(ColorToGPColor(AFont->Color(), 1));
}

TGPStringFormat* CreateGPStringFormat(TKelGraphicsTextAlign AHorizontalAlign,
                                      TKelGraphicsTextAlign AVerticalAlign, bool AWordWrapping,
                                      TKelGraphicsTextTrimming ATrimming, bool AShowAcceleratorChar) {
    auto* Format = new TGPStringFormat();
    Format->SetAlignment(GPAlignment(AHorizontalAlign));
    Format->SetLineAlignment(GPAlignment(AVerticalAlign));
    Integer Flags = StringFormatFlagsNoClip;
    if (!AWordWrapping) Flags |= StringFormatFlagsNoWrap;
    Format->SetFormatFlags(Flags);
    if (ATrimming == gttCharacter) Format->SetTrimming(StringTrimmingCharacter);
    if (ATrimming == gttWord) Format->SetTrimming(StringTrimmingWord);
    Format->SetHotkeyPrefix(AShowAcceleratorChar ? HotkeyPrefixShow : HotkeyPrefixNone);
    return Format;
}

// The stops of a gradient repeated (or mirrored) over [0, ACount) of its
// length, then squeezed into [0, 1]: ACount times the gradient, as the spread
// paints it beyond its end.
void SpreadStops(std::vector<ARGB>& AColors, std::vector<Single>& APositions, Integer ACount,
                 TKelGraphicsGradientSpread ASpread) {
    if (ACount <= 1 || AColors.empty()) return;
    std::vector<ARGB> Colors;
    std::vector<Single> Positions;
    const size_t N = AColors.size();
    for (Integer Copy = 0; Copy < ACount; ++Copy) {
        const bool Mirror = ASpread == ggsReflect && Copy % 2 == 1;
        for (size_t I = 0; I < N; ++I) {
            const size_t K = Mirror ? N - 1 - I : I;
            const Single At = Mirror ? 1 - APositions[K] : APositions[K];
            if (ASpread == ggsPad && Copy > 0) {
                // Padding: the last colour up to the end.
                Colors.push_back(AColors.back());
                Positions.push_back(1);
                break;
            }
            Colors.push_back(AColors[K]);
            Positions.push_back((Copy + At) / Single(ACount));
        }
        if (ASpread == ggsPad && Copy > 0) break;
    }
    if (Positions.back() < 1) {
        Colors.push_back(Colors.back());
        Positions.push_back(1);
    }
    AColors = std::move(Colors);
    APositions = std::move(Positions);
}

// A brush for a fill with an explicit gradient geometry (see
// TKelGraphicsGradientGeometry). ABounds: the device bounds of the area.
TGPBrush* CreateGeometryBrush(const TKelGraphicsFill* AFill, std::vector<ARGB> AColors,
                              std::vector<Single> APositions, const TGPRectF& ABounds) {
    const TKelGraphicsGradientGeometry& G = AFill->GradientGeometry();
    if (AColors.empty()) return new TGPSolidBrush(ColorToGPColor(gcNull, 0));
    const TGPMatrix Transform = GPMatrix(G.Transform);
    if (AFill->GradientType() == gfgtLinear) {
        auto* Brush =
            new TGPLinearGradientBrush(GPPoint(G.Start), GPPoint(G.End), AColors.front(), AColors.back());
        Brush->SetInterpolationColors(AColors.data(), APositions.data(), Integer(AColors.size()));
        Brush->SetWrapMode(G.Spread == ggsPad       ? WrapModeClamp
                           : G.Spread == ggsReflect ? WrapModeTileFlipX
                                                    : WrapModeTile);
        Brush->SetTransform(&Transform);
        return Brush;
    }
    // Radial: rings from the circle inwards to the focus. The circle grows by
    // a whole number of radii until it covers the area, and the spread fills
    // the rings beyond the first.
    const TKelGraphicsMatrix ToGradient = G.Transform.Inverse();
    Double Reach = 1;
    if (G.Radius > 0) {
        for (const Single X : {ABounds.X, ABounds.X + ABounds.Width})
            for (const Single Y : {ABounds.Y, ABounds.Y + ABounds.Height}) {
                const TPointF P = PointF(X, Y) * ToGradient;
                Reach = std::max(Reach,
                                 Double(std::hypot(P.X - G.Start.X, P.Y - G.Start.Y)) / G.Radius +
                                     Double(std::hypot(G.End.X - G.Start.X, G.End.Y - G.Start.Y)) / G.Radius);
            }
    }
    const Integer Count = Integer(std::min<Double>(std::ceil(Reach), 64));
    SpreadStops(AColors, APositions, Count, G.Spread);
    const Single R = G.Radius * Count;
    TGPGraphicsPath Circle;
    Circle.AddEllipse(GPRectF(G.Start.X - R, G.Start.Y - R, 2 * R, 2 * R));
    auto* Brush = new TGPPathGradientBrush(&Circle);
    Brush->SetCenterPoint(GPPoint(G.End));
    std::reverse(AColors.begin(), AColors.end());
    std::reverse(APositions.begin(), APositions.end());
    for (Single& Position : APositions)
        Position = 1 - Position;
    Brush->SetInterpolationColors(AColors.data(), APositions.data(), Integer(AColors.size()));
    Brush->SetTransform(&Transform);
    return Brush;
}

TGPBrush* CreateGPBrush(const TKelGraphicsFill* AFill, const TGPGraphicsPath* APath) {
    TGPRectF Bounds;
    if (APath) const_cast<TGPGraphicsPath*>(APath)->GetBounds(Bounds);
    if (AFill->Kind() == gfkSolid) return new TGPSolidBrush(ColorToGPColor(AFill->Color(), AFill->Opacity()));
    if (AFill->Kind() != gfkGradient) return new TGPSolidBrush(ColorToGPColor(gcNull, 0)); // see-through

    Bounds = GPRectF(Bounds.X - 1, Bounds.Y - 1, Bounds.Width + 2, Bounds.Height + 2);

    // The stops, from the start of the gradient (0) to its end (1).
    std::vector<ARGB> Colors;
    std::vector<Single> Positions;
    if (AFill->GradientMode() == gfgmDefault) {
        const Single Opacity = AFill->Opacity();
        if (AFill->ColorMirror() == gcNull || AFill->ColorMirrorTo() == gcNull) {
            Colors = {ColorToGPColor(AFill->Color(), Opacity), ColorToGPColor(AFill->ColorTo(), Opacity)};
            Positions = {0, 1};
        } else {
            Colors = {ColorToGPColor(AFill->Color(), Opacity), ColorToGPColor(AFill->ColorTo(), Opacity),
                      ColorToGPColor(AFill->ColorMirror(), Opacity),
                      ColorToGPColor(AFill->ColorMirrorTo(), Opacity)};
            Positions = {0, 0.5f, 0.5f, 1};
        }
    } else {
        const TKelGraphicsFillGradientItems* Items = AFill->GradientItems();
        for (Integer I = 0; I < Items->Count(); ++I) {
            const TKelGraphicsFillGradientItem* Item = Items->Items(I);
            Colors.push_back(ColorToGPColor(Item->Color(), Item->Opacity()));
            Positions.push_back(Item->Position());
        }
        if (!Colors.empty()) {
            if (std::find(Positions.begin(), Positions.end(), 0.0f) == Positions.end()) {
                Colors.insert(Colors.begin(), Colors.front());
                Positions.insert(Positions.begin(), 0);
            }
            if (std::find(Positions.begin(), Positions.end(), 1.0f) == Positions.end()) {
                Colors.push_back(Colors.back());
                Positions.push_back(1);
            }
        }
    }

    if (AFill->GradientGeometry().Active) return CreateGeometryBrush(AFill, Colors, Positions, Bounds);

    const TGPMatrix GradientMatrix = GPMatrix(AFill->GradientMatrix());
    if (AFill->GradientType() == gfgtLinear) {
        TGPLinearGradientBrush* Brush = nullptr;
        switch (AFill->Orientation()) {
        case gfoHorizontal:
            Brush = new TGPLinearGradientBrush(Bounds, 0, 0, LinearGradientModeHorizontal);
            break;
        case gfoVertical:
            Brush = new TGPLinearGradientBrush(Bounds, 0, 0, LinearGradientModeVertical);
            break;
        case gfoCustom:
            Brush = new TGPLinearGradientBrush(Bounds, 0, 0, AFill->GradientAngle(), false);
            break;
        }
        if (!Colors.empty())
            Brush->SetInterpolationColors(Colors.data(), Positions.data(), Integer(Colors.size()));
        TGPMatrix Transform;
        Brush->GetTransform(&Transform);
        Transform.Multiply(&GradientMatrix, MatrixOrderPrepend);
        Brush->SetTransform(&Transform);
        return Brush;
    }

    // A path gradient runs from the boundary (0) to the centre (1): the stops reversed.
    TGPGraphicsPath BoundsPath;
    if (!APath) BoundsPath.AddRectangle(Bounds);
    auto* Brush = new TGPPathGradientBrush(APath ? APath : &BoundsPath);
    if (AFill->GradientCenterColor() != gcNull)
        Brush->SetCenterColor(ColorToGPColor(AFill->GradientCenterColor(), AFill->Opacity()));
    Brush->SetCenterPoint(GPPoint(AFill->GradientCenterPoint()));
    std::reverse(Colors.begin(), Colors.end());
    std::reverse(Positions.begin(), Positions.end());
    for (Single& Position : Positions)
        Position = 1 - Position;
    if (!Colors.empty())
        Brush->SetInterpolationColors(Colors.data(), Positions.data(), Integer(Colors.size()));
    Brush->SetTransform(&GradientMatrix);
    return Brush;
}

// ---- The context -------------------------------------------------------------

TKelGraphicsContextWin::TKelGraphicsContextWin(TKelGraphics* AGraphics)
    : TKelGraphicsContext(AGraphics), FScale(TRarEvads::GetDPIScale()),
      FFont(std::make_unique<TKelGraphicsFont>()),
      FFill(std::make_unique<TKelGraphicsFill>(gfkSolid, 0xFFFFFF)),
      FStroke(std::make_unique<TKelGraphicsStroke>(gskSolid, 0xC0C0C0)) {
    FFont->OnChanged = [this](TObject*) { FontChanged(); };
    FFill->OnChanged = [this](TObject*) { FillChanged(); };
    FStroke->OnChanged = [this](TObject*) { StrokeChanged(); };
}

TKelGraphicsContextWin::~TKelGraphicsContextWin() {
    DestroyResources();
}

void TKelGraphicsContextWin::DestroyResources() {
    if (!FGPGraphics) return;
    FGPGraphics->Restore(FSaveGP);
    FTextMatrix.reset();
    FGPGraphics.reset();
}

template <class F>
void TKelGraphicsContextWin::ChangeBaseState(F&& AChange) {
    if (!HasSurface()) return;
    FGPGraphics->Restore(FSaveGP);
    AChange();
    FSaveGP = FGPGraphics->Save();
}

template <class F>
void TKelGraphicsContextWin::WithPenSmoothing(F&& ADraw) {
    if (!HasSurface()) return;
    const bool Dashed = FGPPen && FGPPen->GetDashStyle() != DashStyleSolid;
    if (Dashed) {
        FSmoothingMode = FGPGraphics->GetSmoothingMode();
        FGPGraphics->SetSmoothingMode(SmoothingModeDefault);
    }
    ADraw();
    if (Dashed) FGPGraphics->SetSmoothingMode(FSmoothingMode);
}

TKelGraphicsPathHandle TKelGraphicsContextWin::CreatePath() {
    return std::make_unique<TGPGraphicsPath>(FillModeAlternate);
}

TColor TKelGraphicsContextWin::GetFillColor() {
    return Graphics() ? Graphics()->Fill()->Color() : gcNull;
}

void TKelGraphicsContextWin::SetSize(Single AWidth, Single AHeight) {
    FContextSize = SizeF(AWidth, AHeight);
    DestroyResources();
    TCanvas* Target = Canvas();
    if (!Target) return;
    FGPGraphics = std::make_unique<TGPGraphics>(Target->Handle());
    FSaveGP = FGPGraphics->Save();
}

void TKelGraphicsContextWin::Render() {
    if (!FNeedsRendering) return;
    FNeedsRendering = false;
    DestroyResources();
}

void TKelGraphicsContextWin::EndScene() {
    if (HasSurface()) Render();
}

// ---- State -------------------------------------------------------------------

void TKelGraphicsContextWin::FillChanged() {
    // Every fill builds its brush for the path it fills.
    FGPBrush.reset();
}

void TKelGraphicsContextWin::StrokeChanged() {
    FGPPen.reset(CreateGPPen(FStroke.get()));
}

void TKelGraphicsContextWin::FontChanged() {
    // Made when text is first measured or drawn: finding a font is dear.
    FGPFont.reset();
}

TGPFont* TKelGraphicsContextWin::GPFont() {
    if (!FGPFont) FGPFont.reset(CreateGPFont(FFont.get()));
    return FGPFont.get();
}

void TKelGraphicsContextWin::UpdateBrush(const TGPGraphicsPath* APath) {
    FGPBrush.reset(CreateGPBrush(FFill.get(), APath));
}

void TKelGraphicsContextWin::SetFill(const TKelGraphicsFill* AFill) {
    if (!HasSurface() || !AFill) return;
    // Assign leaves the matrix and the explicit geometry out.
    FFill->SetGradientMatrix(AFill->GradientMatrix());
    FFill->SetGradientGeometry(AFill->GradientGeometry());
    FFill->Assign(AFill);
}

void TKelGraphicsContextWin::SetFillKind(TKelGraphicsFillKind AKind) {
    if (HasSurface()) FFill->SetKind(AKind);
}

void TKelGraphicsContextWin::SetFillColor(TColor AColor) {
    if (HasSurface()) FFill->SetColor(AColor);
}

void TKelGraphicsContextWin::SetStroke(const TKelGraphicsStroke* AStroke) {
    if (HasSurface() && AStroke) FStroke->Assign(AStroke);
}

void TKelGraphicsContextWin::SetStrokeKind(TKelGraphicsStrokeKind AKind) {
    if (HasSurface()) FStroke->SetKind(AKind);
}

void TKelGraphicsContextWin::SetStrokeColor(TColor AColor) {
    if (HasSurface()) FStroke->SetColor(AColor);
}

void TKelGraphicsContextWin::SetStrokeWidth(Single AWidth) {
    if (HasSurface()) FStroke->SetWidth(AWidth);
}

void TKelGraphicsContextWin::SetFont(const TKelGraphicsFont* AFont) {
    if (HasSurface() && AFont) FFont->Assign(AFont);
}

void TKelGraphicsContextWin::SetFontColor(TColor AColor) {
    if (HasSurface()) FFont->SetColor(AColor);
}

void TKelGraphicsContextWin::SetFontName(const String& AName) {
    if (HasSurface()) FFont->SetName(AName);
}

void TKelGraphicsContextWin::SetFontSize(Integer ASize) {
    if (HasSurface()) FFont->SetSize(ASize);
}

void TKelGraphicsContextWin::SetFontStyles(TFontStyles AStyle) {
    if (HasSurface()) FFont->SetStyle(AStyle);
}

void TKelGraphicsContextWin::SetShowAcceleratorChar(bool AShowAcceleratorChar) {
    if (HasSurface()) FShowAcceleratorChar = AShowAcceleratorChar;
}

void TKelGraphicsContextWin::SetAntiAliasing(bool AAntiAliasing) {
    ChangeBaseState([&] {
        FGPGraphics->SetSmoothingMode(AAntiAliasing ? SmoothingModeAntiAlias : SmoothingModeDefault);
    });
}

void TKelGraphicsContextWin::SetTextQuality(TKelGraphicsTextQuality ATextQuality) {
    ChangeBaseState([&] {
        switch (ATextQuality) {
        case gtqDefault:
            FGPGraphics->SetTextRenderingHint(TextRenderingHintSystemDefault);
            break;
        case gtqAntiAliasing:
            FGPGraphics->SetTextRenderingHint(TextRenderingHintAntiAlias);
            break;
        case gtqClearType:
            FGPGraphics->SetTextRenderingHint(TextRenderingHintClearTypeGridFit);
            break;
        }
    });
}

void TKelGraphicsContextWin::SaveState(TKelGraphicsSaveState* AState) {
    if (HasSurface() && AState) AState->SetCustomSaveDC(FGPGraphics->Save());
}

void TKelGraphicsContextWin::RestoreState(TKelGraphicsSaveState* AState) {
    if (HasSurface() && AState) FGPGraphics->Restore(Cardinal(AState->CustomSaveDC()));
}

// ---- Clip and transform ------------------------------------------------------

void TKelGraphicsContextWin::ClipRect(const TRectF& ARect) {
    if (HasSurface()) FGPGraphics->SetClip(GPRect(ARect), CombineModeReplace);
}

void TKelGraphicsContextWin::ClipPath(const TKelGraphicsPath* APath) {
    if (!HasSurface() || !APath) return;
    const TKelGraphicsPathHandle Path = ConvertToPath(APath, KelPathFlatness, true);
    FGPGraphics->SetClip(Path.get(), CombineModeReplace);
}

void TKelGraphicsContextWin::ResetClip() {
    if (HasSurface()) FGPGraphics->ResetClip();
}

void TKelGraphicsContextWin::ResetTransform() {
    ChangeBaseState([] {});
}

void TKelGraphicsContextWin::ScaleTransform(Single AX, Single AY) {
    if (HasSurface()) FGPGraphics->ScaleTransform(AX, AY, MatrixOrderPrepend);
}

void TKelGraphicsContextWin::RotateTransform(Single AAngle) {
    if (HasSurface()) FGPGraphics->RotateTransform(AAngle, MatrixOrderPrepend);
}

void TKelGraphicsContextWin::TranslateTransform(Single AX, Single AY) {
    if (HasSurface()) FGPGraphics->TranslateTransform(AX, AY, MatrixOrderPrepend);
}

TKelGraphicsMatrix TKelGraphicsContextWin::GetMatrix() {
    TKelGraphicsMatrix Result = TKelGraphicsMatrix::Identity();
    if (!HasSurface()) return Result;
    TGPMatrix Transform;
    FGPGraphics->GetTransform(&Transform);
    Single M[6];
    Transform.GetElements(M);
    Result.m11 = M[0];
    Result.m12 = M[1];
    Result.m21 = M[2];
    Result.m22 = M[3];
    Result.m31 = M[4];
    Result.m32 = M[5];
    return Result;
}

void TKelGraphicsContextWin::SetMatrix(const TKelGraphicsMatrix& AMatrix) {
    if (!HasSurface()) return;
    const TGPMatrix Transform = GPMatrix(AMatrix);
    FGPGraphics->SetTransform(&Transform);
}

// ---- Paths -------------------------------------------------------------------

void TKelGraphicsContextWin::PathOpen(TGPGraphicsPath* APath) {
    if (APath) APath->StartFigure();
}

void TKelGraphicsContextWin::PathMoveTo(TGPGraphicsPath*, const TPointF& APoint) {
    FMovePoint = APoint;
}

void TKelGraphicsContextWin::PathLineTo(TGPGraphicsPath* APath, const TPointF& APoint) {
    if (APath) APath->AddLine(GPPoint(FMovePoint), GPPoint(APoint));
    FMovePoint = APoint;
}

void TKelGraphicsContextWin::PathCurveTo(TGPGraphicsPath* APath, const TKelGraphicsPathCubicBezier& ABezier,
                                         Single) {
    if (APath)
        APath->AddBezier(GPPoint(FMovePoint), GPPoint(ABezier[1]), GPPoint(ABezier[2]), GPPoint(ABezier[3]));
    FMovePoint = ABezier[3];
}

void TKelGraphicsContextWin::PathClose(TGPGraphicsPath* APath) {
    if (APath) APath->CloseFigure();
}

// ---- Shapes ------------------------------------------------------------------

void TKelGraphicsContextWin::FillGPPath(const TGPGraphicsPath* APath) {
    UpdateBrush(APath);
    FGPGraphics->FillPath(FGPBrush.get(), APath);
}

void TKelGraphicsContextWin::DrawLine(const TKelGraphicsStroke*, const TPointF& AFromPoint,
                                      const TPointF& AToPoint, TKelGraphicsModifyPointMode,
                                      TKelGraphicsModifyPointMode) {
    WithPenSmoothing([&] { FGPGraphics->DrawLine(FGPPen.get(), GPPoint(AFromPoint), GPPoint(AToPoint)); });
}

void TKelGraphicsContextWin::DrawPolygon(const TKelGraphicsStroke*, const TKelGraphicsPathPolygon& APolygon) {
    if (APolygon.empty()) return;
    const std::vector<TGPPointF> Points = GPPoints(APolygon);
    WithPenSmoothing([&] { FGPGraphics->DrawPolygon(FGPPen.get(), Points.data(), Integer(Points.size())); });
}

void TKelGraphicsContextWin::DrawPolyline(const TKelGraphicsStroke*,
                                          const TKelGraphicsPathPolygon& APolyline) {
    if (APolyline.empty()) return;
    const std::vector<TGPPointF> Points = GPPoints(APolyline);
    WithPenSmoothing([&] { FGPGraphics->DrawLines(FGPPen.get(), Points.data(), Integer(Points.size())); });
}

void TKelGraphicsContextWin::FillPolygon(const TKelGraphicsFill*, const TKelGraphicsPathPolygon& APolygon) {
    if (!HasSurface() || APolygon.empty()) return;
    const std::vector<TGPPointF> Points = GPPoints(APolygon);
    TGPGraphicsPath Path;
    Path.AddPolygon(Points.data(), Integer(Points.size()));
    FillGPPath(&Path);
}

void TKelGraphicsContextWin::FillPolyline(const TKelGraphicsFill* AFill,
                                          const TKelGraphicsPathPolygon& APolyline) {
    FillPolygon(AFill, APolyline);
}

void TKelGraphicsContextWin::DrawArc(const TKelGraphicsStroke*, const TPointF& ACenter,
                                     const TPointF& ARadius, Single AStartAngle, Single ASweepAngle) {
    WithPenSmoothing([&] {
        FGPGraphics->DrawArc(FGPPen.get(), ACenter.X - ARadius.X, ACenter.Y - ARadius.Y, 2 * ARadius.X,
                             2 * ARadius.Y, AStartAngle, ASweepAngle);
    });
}

void TKelGraphicsContextWin::FillArc(const TKelGraphicsFill*, const TPointF& ACenter, const TPointF& ARadius,
                                     Single AStartAngle, Single ASweepAngle) {
    if (!HasSurface()) return;
    TGPGraphicsPath Path;
    Path.AddArc(ACenter.X - ARadius.X, ACenter.Y - ARadius.Y, 2 * ARadius.X, 2 * ARadius.Y, AStartAngle,
                ASweepAngle);
    FillGPPath(&Path);
}

void TKelGraphicsContextWin::DrawRect(const TKelGraphicsStroke* AStroke, const TRectF& ARect,
                                      TKelGraphicsSides ASides, TKelGraphicsModifyRectMode AModifyRectMode) {
    const TRectF R = ModifyRect(ARect, AModifyRectMode);
    const Single Right = R.Right - 1;
    const Single Bottom = R.Bottom - 1;
    if (ASides.Contains(gsTop))
        DrawLine(AStroke, PointF(R.Left, R.Top), PointF(Right, R.Top), gcpmRightDown, gcpmRightDown);
    if (ASides.Contains(gsLeft))
        DrawLine(AStroke, PointF(R.Left, R.Top), PointF(R.Left, Bottom), gcpmRightDown, gcpmRightDown);
    if (ASides.Contains(gsBottom))
        DrawLine(AStroke, PointF(R.Left, Bottom), PointF(Right, Bottom), gcpmRightDown, gcpmRightDown);
    if (ASides.Contains(gsRight))
        DrawLine(AStroke, PointF(Right, R.Top), PointF(Right, Bottom), gcpmRightDown, gcpmRightDown);
}

void TKelGraphicsContextWin::FillRect(const TKelGraphicsFill*, const TRectF& ARect,
                                      TKelGraphicsModifyRectMode AModifyRectMode) {
    if (!HasSurface()) return;
    TGPGraphicsPath Path;
    Path.AddRectangle(GPRect(ModifyRect(ARect, AModifyRectMode)));
    FillGPPath(&Path);
}

void TKelGraphicsContextWin::RoundedOutline(TKelGraphicsPath& APath, const TRectF& ARect, Single ARounding,
                                            TKelGraphicsCorners ACorners) {
    const Single R = ARounding;
    const Single L = ARect.Left;
    const Single T = ARect.Top;
    const Single Rt = ARect.Right - 1;
    const Single B = ARect.Bottom - 1;
    const TPointF Radius{R, R};
    if (ACorners.Contains(gcBottomLeft)) {
        APath.MoveTo(PointF(L + R, B));
        APath.AddArc(PointF(L + R, B - R), Radius, -270, 90);
        APath.LineTo(PointF(L, B - R));
    } else {
        APath.MoveTo(PointF(L, B));
    }
    if (ACorners.Contains(gcTopLeft)) {
        APath.LineTo(PointF(L, T + R));
        APath.AddArc(PointF(L + R, T + R), Radius, -180, 90);
        APath.LineTo(PointF(L + R, T));
    } else {
        APath.LineTo(PointF(L, T));
    }
    if (ACorners.Contains(gcTopRight)) {
        APath.LineTo(PointF(Rt - R, T));
        APath.AddArc(PointF(Rt - R, T + R), Radius, -90, 90);
        APath.LineTo(PointF(Rt, T + R));
    } else {
        APath.LineTo(PointF(Rt, T));
    }
    if (ACorners.Contains(gcBottomRight)) {
        APath.LineTo(PointF(Rt, B - R));
        APath.AddArc(PointF(Rt - R, B - R), Radius, 0, 90);
        APath.LineTo(PointF(Rt - R, B));
    } else {
        APath.LineTo(PointF(Rt, B));
    }
    APath.LineTo(ACorners.Contains(gcBottomLeft) ? PointF(L + R, B) : PointF(L, B));
    APath.ClosePath();
}

void TKelGraphicsContextWin::FillRoundRect(const TKelGraphicsFill* AFill, const TRectF& ARect,
                                           Single ARounding, TKelGraphicsCorners ACorners,
                                           TKelGraphicsModifyRectMode AModifyRectMode) {
    TKelGraphicsPath Path;
    RoundedOutline(Path, ModifyRect(ARect, AModifyRectMode), ARounding, ACorners);
    FillPath(AFill, &Path, pdmPolygon);
}

void TKelGraphicsContextWin::DrawRoundRect(const TKelGraphicsStroke* AStroke, const TRectF& ARect,
                                           Single ARounding, TKelGraphicsCorners ACorners,
                                           TKelGraphicsModifyRectMode AModifyRectMode) {
    TKelGraphicsPath Path;
    RoundedOutline(Path, ModifyRect(ARect, AModifyRectMode), ARounding, ACorners);
    DrawPath(AStroke, &Path, pdmPolygon);
}

void TKelGraphicsContextWin::FillEllipse(const TKelGraphicsFill*, const TRectF& ARect,
                                         TKelGraphicsModifyRectMode AModifyRectMode) {
    if (!HasSurface()) return;
    TGPGraphicsPath Path;
    Path.AddEllipse(GPRect(ModifyRect(ARect, AModifyRectMode)));
    FillGPPath(&Path);
}

void TKelGraphicsContextWin::DrawEllipse(const TKelGraphicsStroke*, const TRectF& ARect,
                                         TKelGraphicsModifyRectMode AModifyRectMode) {
    const TRectF R = ModifyRect(ARect, AModifyRectMode);
    WithPenSmoothing(
        [&] { FGPGraphics->DrawEllipse(FGPPen.get(), R.Left, R.Top, R.Width() - 1, R.Height() - 1); });
}

void TKelGraphicsContextWin::DrawPath(const TKelGraphicsStroke* AStroke, const TKelGraphicsPath* APath,
                                      TKelGraphicsPathDrawMode APathMode) {
    if (!HasSurface() || !APath) return;
    if (APathMode == pdmPath) {
        const TKelGraphicsPathHandle Path = ConvertToPath(APath, KelPathFlatness, true);
        WithPenSmoothing([&] { FGPGraphics->DrawPath(FGPPen.get(), Path.get()); });
        return;
    }
    DrawFlattenedPath(AStroke, APath, APathMode);
}

void TKelGraphicsContextWin::FillPath(const TKelGraphicsFill* AFill, const TKelGraphicsPath* APath,
                                      TKelGraphicsPathDrawMode APathMode) {
    if (!HasSurface() || !APath) return;
    if (APathMode == pdmPath) {
        const TKelGraphicsPathHandle Path = ConvertToPath(APath, KelPathFlatness, true);
        FillGPPath(Path.get());
        return;
    }
    FillFlattenedPath(AFill, APath, APathMode);
}

void TKelGraphicsContextWin::DrawBitmap(const TGraphic* ABitmap, const TRectF&, const TRectF& ADstRect,
                                        Single) {
    if (!HasSurface() || !ABitmap || ABitmap->Empty()) return;
    const std::unique_ptr<TGPImage> Image = CreateGPImage(ABitmap);
    FGPGraphics->DrawImage(Image.get(), GPRect(ADstRect));
}

// ---- Focus outlines ----------------------------------------------------------

namespace {

// Holds the smoothing mode and the pen's dash style, width and colour, and
// gives them back when it goes.
class TFocusPenScope {
public:
    TFocusPenScope(TGPGraphics* AGraphics, TGPPen* APen, TColor AColor)
        : FGraphics(AGraphics), FPen(APen), FSmoothing(AGraphics->GetSmoothingMode()) {
        FGraphics->SetSmoothingMode(SmoothingModeDefault);
        if (!FPen) return;
        FDashStyle = FPen->GetDashStyle();
        FWidth = FPen->GetWidth();
        FPen->GetColor(FColor);
        FPen->SetDashStyle(DashStyleDot);
        FPen->SetWidth(1);
        FPen->SetColor(ColorToGPColor(AColor, 1));
    }
    ~TFocusPenScope() {
        if (FPen) {
            FPen->SetWidth(FWidth);
            FPen->SetDashStyle(FDashStyle);
            FPen->SetColor(FColor);
        }
        FGraphics->SetSmoothingMode(FSmoothing);
    }
    TFocusPenScope(const TFocusPenScope&) = delete;
    TFocusPenScope& operator=(const TFocusPenScope&) = delete;

private:
    TGPGraphics* FGraphics;
    TGPPen* FPen;
    SmoothingMode FSmoothing;
    DashStyle FDashStyle = DashStyleSolid;
    Single FWidth = 1;
    ARGB FColor = 0;
};

} // namespace

void TKelGraphicsContextWin::DrawFocusRectangle(const TKelGraphicsStroke* AStroke, const TRectF& ARect,
                                                TColor AColor, TKelGraphicsModifyRectMode AModifyRectMode) {
    if (!HasSurface()) return;
    const TFocusPenScope Scope(FGPGraphics.get(), FGPPen.get(), AColor);
    DrawRect(AStroke, ARect, {gsLeft, gsTop, gsRight, gsBottom}, AModifyRectMode);
}

void TKelGraphicsContextWin::DrawFocusPath(const TKelGraphicsStroke* AStroke, const TKelGraphicsPath* APath,
                                           TColor AColor) {
    if (!HasSurface()) return;
    const TFocusPenScope Scope(FGPGraphics.get(), FGPPen.get(), AColor);
    DrawPath(AStroke, APath, pdmPolygon);
}

// ---- Text --------------------------------------------------------------------

TRectF TKelGraphicsContextWin::CalculateText(const String& AText, const TRectF& ARect, bool AWordWrapping) {
    if (!HasSurface()) return TRectF{};
    const std::unique_ptr<TGPStringFormat> Format(
        CreateGPStringFormat(gtaLeading, gtaLeading, AWordWrapping, gttNone, FShowAcceleratorChar));
    TGPRectF Box;
    FGPGraphics->MeasureString(AText, -1, GPFont(), GPRect(ARect), Format.get(), Box);
    return RectF(Box.X, Box.Y, Box.X + Box.Width, Box.Y + Box.Height);
}

void TKelGraphicsContextWin::DrawText(const String& AText, const TRectF& ARect, bool AWordWrapping,
                                      TKelGraphicsTextAlign AHorizontalAlign,
                                      TKelGraphicsTextAlign AVerticalAlign,
                                      TKelGraphicsTextTrimming ATrimming, Single) {
    if (!HasSurface()) return;
    const std::unique_ptr<TGPBrush> Brush(CreateGPFontBrush(FFont.get()));
    const std::unique_ptr<TGPStringFormat> Format(CreateGPStringFormat(
        AHorizontalAlign, AVerticalAlign, AWordWrapping, ATrimming, FShowAcceleratorChar));
    FGPGraphics->DrawString(AText, GPFont(), GPRect(ARect), Format.get(), Brush.get());
}

TRectF TKelGraphicsContextWin::SetTextAngle(const TRectF& ARect, Single AAngle) {
    if (!HasSurface() || AAngle == 0) return ARect;
    FTextMatrix = std::make_unique<TGPMatrix>();
    FGPGraphics->GetTransform(FTextMatrix.get());
    const Single W = ARect.Width();
    const Single H = ARect.Height();
    // Rotate about the origin first, then move to the centre of ARect.
    TGPMatrix Turn;
    Turn.Translate(ARect.Left + W / 2, ARect.Top + H / 2);
    Turn.Rotate(AAngle);
    FGPGraphics->MultiplyTransform(&Turn, MatrixOrderPrepend);
    if (W >= H) return RectF(-W / 2, -H / 2, W / 2, H / 2);
    return RectF(-H / 2, -W / 2, H / 2, W / 2);
}

void TKelGraphicsContextWin::ResetTextAngle(Single AAngle) {
    if (!HasSurface() || AAngle == 0 || !FTextMatrix) return;
    FGPGraphics->SetTransform(FTextMatrix.get());
    FTextMatrix.reset();
}
