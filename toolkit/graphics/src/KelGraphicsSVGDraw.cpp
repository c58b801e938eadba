// Drawing a loaded SVG document through the drawing class: the view matrix,
// the walk over the element tree, fill, stroke, opacity and the document's
// colour options, gradients, clipping, and each element kind; and the raster
// picture of a document.
//
// Presentation is looked up along the chain of elements being drawn (the
// element, then the groups and "use" elements around it, nearest first), so
// content reached through "use" inherits from the "use" element. A group or
// "use" element with an opacity is drawn into a layer of its own that is
// laid on with that opacity; where no layer can be made, opacities multiply
// down the chain. fill-opacity, stroke-opacity and the alpha of an rgba()
// paint multiply into them.

#include "graphics/GdiPlusGraphics.h"
#include "graphics/GdiPlusImage.h"
#include "kel/KelGraphics.h"
#include "kel/KelGraphicsSVGEngine.h"
#include "kel/RarEvads.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

struct TFreeGraphics {
    void operator()(TKelGraphics* AGraphics) const { Free(AGraphics); }
};
using TGraphicsHolder = std::unique_ptr<TKelGraphics, TFreeGraphics>;

bool IsGradient(const TKelGraphicsSVGElement* AElement) {
    return AElement && (AElement->Type() == etLinearGradient || AElement->Type() == etRadialGradient);
}

bool IsPaintURL(const String& AValue) {
    return AValue.starts_with(u"url(");
}

// The scale a transform gives to lengths: the square root of its area factor.
Single LengthScale(const TKelGraphicsMatrix& M) {
    return Single(std::sqrt(std::abs(Double(M.m11) * M.m22 - Double(M.m12) * M.m21)));
}

// Whether drawing applies the element's own transform: path data, and point
// lists outside a transformed parent, were transformed when loaded.
bool OwnTransformAtDraw(const TKelGraphicsSVGElement* E) {
    if (MatrixIsEmpty(E->Matrix())) return false;
    if (E->Type() == etPath) return false;
    if (E->Type() == etPolyline || E->Type() == etPolygon)
        return E->Parent() != nullptr && !MatrixIsEmpty(E->Parent()->Matrix());
    return true;
}

// Restores the drawing class's state when it goes, also on exceptions:
// the canvas's (clip and transform) only, or also fill, stroke and font.
class TStateScope {
public:
    explicit TStateScope(TKelGraphics* AGraphics, bool ACanvasOnly = false)
        : FGraphics(AGraphics), FCanvasOnly(ACanvasOnly), FState(AGraphics->SaveState(ACanvasOnly)) {}
    ~TStateScope() { FGraphics->RestoreState(FState, FCanvasOnly); }
    TStateScope(const TStateScope&) = delete;
    TStateScope& operator=(const TStateScope&) = delete;

private:
    TKelGraphics* FGraphics;
    bool FCanvasOnly;
    TKelGraphicsSaveState* FState;
};

} // namespace

// ---- Colour options ------------------------------------------------------------------

TColor TKelGraphicsSVGImport::GrayColor(TColor AColor) {
    const Double V = 0.3 * TKelGraphics::GetColorRed(AColor) + 0.6 * TKelGraphics::GetColorGreen(AColor) +
                     0.1 * TKelGraphics::GetColorBlue(AColor);
    const Integer G = Integer(std::lround(V));
    return G + 256 * G + 65536 * G;
}

TColor TKelGraphicsSVGImport::TintedColor(TColor AColor, TColor ATint) {
    const Integer R = TKelGraphics::GetColorRed(AColor) * TKelGraphics::GetColorRed(ATint) / 255;
    const Integer G = TKelGraphics::GetColorGreen(AColor) * TKelGraphics::GetColorGreen(ATint) / 255;
    const Integer B = TKelGraphics::GetColorBlue(AColor) * TKelGraphics::GetColorBlue(ATint) / 255;
    return R + 256 * G + 65536 * B;
}

TColor TKelGraphicsSVGImport::OptionColor(TColor AColor, TColor ACustom) const {
    if (GrayScale()) return GrayColor(AColor);
    if (TintColor() != -1) return TintedColor(AColor, TintColor());
    return ACustom != -1 ? ACustom : AColor;
}

// ---- Drawing on a canvas or a drawing class ---------------------------------------

void TKelGraphicsSVGImport::ComputeViewMatrix(const TRectF& ARect, Single& ASX, Single& ASY) {
    const TRectF VR = ViewRect();
    const Single W = VR.Width(), H = VR.Height();
    ASX = ARect.Width() / W;
    ASY = ARect.Height() / H;
    const Single Angle = Single(RotationAngle() * std::numbers::pi / 180);
    // The target's origin in user units, so that the scale that follows puts
    // it exactly at the rectangle's corner.
    FMatrix = MatrixCreateTranslation(-W / 2, -H / 2) * MatrixCreateRotation(Angle) *
              MatrixCreateTranslation(W / 2, H / 2) * MatrixCreateTranslation(-VR.Left, -VR.Top) *
              MatrixCreateTranslation(ARect.Left / ASX, ARect.Top / ASY) * MatrixCreateScaling(ASX, ASY);
    // A layer covers the target from the device origin to its far corner.
    FLayers.clear();
    FLayerWidth = Integer(std::ceil(ARect.Right));
    FLayerHeight = Integer(std::ceil(ARect.Bottom));
}

void TKelGraphicsSVGImport::PrepareNative(TKelGraphics* AGraphics, const TRectF& ARect) {
    TKelGraphicsContext* Context = AGraphics->Context();
    Context->SetSize(ARect.Width(), ARect.Height());
    Context->SetAntiAliasing(true);
    // Pixel centres at half coordinates, as SVG places them.
    if (auto* GP = static_cast<TGPGraphics*>(Context->NativeCanvas())) {
        GP->SetPixelOffsetMode(PixelOffsetModeHalf);
        GP->SetCompositingQuality(CompositingQualityHighQuality);
    }
    // The fill, stroke and font reach the reopened surface again.
    AGraphics->SetFill(AGraphics->Fill());
    AGraphics->SetStroke(AGraphics->Stroke());
    AGraphics->SetFont(AGraphics->Font());
    AGraphics->BeginScene();
}

void TKelGraphicsSVGImport::Draw(TCanvas* ACanvas, const TRectF& ARect, bool ANative) {
    if (!ACanvas || !HasElements()) return;
    const TRectF VR = ViewRect();
    if (!(VR.Width() > 0) || !(VR.Height() > 0) || !(ARect.Width() > 0) || !(ARect.Height() > 0)) return;
    Single SX = 0, SY = 0;
    ComputeViewMatrix(ARect, SX, SY);
    TGraphicsHolder Graphics(Create<TKelGraphics>(ACanvas, ANative));
    if (ANative) PrepareNative(Graphics.get(), ARect);
    try {
        DrawElements(FElementList, Graphics.get(), SX, SY);
    } catch (...) {
        FDrawChain.clear();
        if (ANative) {
            Graphics->EndScene();
            Graphics->Context()->Render();
        }
        throw;
    }
    if (ANative) {
        Graphics->EndScene();
        Graphics->Context()->Render();
    }
}

void TKelGraphicsSVGImport::Draw(TKelGraphics* AGraphics, const TRectF& ARect, bool ANative,
                                 bool ARecreateGraphics) {
    if (!AGraphics || !HasElements()) return;
    const TRectF VR = ViewRect();
    if (!(VR.Width() > 0) || !(VR.Height() > 0) || !(ARect.Width() > 0) || !(ARect.Height() > 0)) return;
    Single SX = 0, SY = 0;
    ComputeViewMatrix(ARect, SX, SY);
    const bool Prepare = ANative && ARecreateGraphics;
    if (Prepare) FMatrix = FMatrix * AGraphics->GetMatrix();
    // Layers are laid in device pixels: only where the target's own
    // transform adds nothing.
    if (!(AGraphics->GetMatrix() == MatrixIdentity())) FLayerWidth = FLayerHeight = 0;
    TGraphicsHolder Made;
    TKelGraphics* Graphics = AGraphics;
    if (ARecreateGraphics) {
        Made.reset(Create<TKelGraphics>(AGraphics->Canvas(), ANative));
        Graphics = Made.get();
    }
    if (Prepare) PrepareNative(Graphics, ARect);
    try {
        const TStateScope Kept(Graphics);
        DrawElements(FElementList, Graphics, SX, SY);
    } catch (...) {
        FDrawChain.clear();
        if (Prepare) {
            Graphics->EndScene();
            Graphics->Context()->Render();
        }
        throw;
    }
    if (Prepare) {
        Graphics->EndScene();
        Graphics->Context()->Render();
    }
}

TKelBitmap* TKelGraphicsSVGImport::GenerateBitmap(Single AWidth, Single AHeight) {
    if (!HasElements()) return FCachedBitmap.get();
    // The cached picture is kept and redrawn (its bitmap is reused when the
    // size stays); a document that cannot be drawn leaves it empty.
    if (!FCachedBitmap) FCachedBitmap = std::make_unique<TKelBitmap>();
    const auto Nothing = [this] {
        FCachedBitmap->SetGraphic(nullptr);
        return FCachedBitmap.get();
    };
    TRectF R = ViewRect();
    const TRectF Empty = EmptyViewRect();
    const bool Marked =
        R.Left == Empty.Left || R.Top == Empty.Top || R.Right == Empty.Right || R.Bottom == Empty.Bottom;
    if (!(R.Width() > 0) || !(R.Height() > 0) || Marked) return Nothing();
    if (AWidth > -1 && AHeight > -1) R = RectF(0, 0, AWidth, AHeight);
    const Integer W = Integer(std::lround(R.Right));
    const Integer H = Integer(std::lround(R.Bottom));
    if (W <= 0 || H <= 0) return Nothing();
    // Drawn straight into the cached picture's own bitmap, so that nothing
    // is copied afterwards; a transparent start keeps what the document
    // leaves empty see-through.
    TBitmap* Bitmap = FCachedBitmap->Bitmap();
    Bitmap->SetPixelFormat(pf32bit);
    Bitmap->SetAlphaFormat(afPremultiplied);
    Bitmap->SetSize(W, H);
    if (cairo_surface_t* Surface = Bitmap->Surface()) {
        cairo_t* Cairo = cairo_create(Surface);
        cairo_set_operator(Cairo, CAIRO_OPERATOR_CLEAR);
        cairo_paint(Cairo);
        cairo_destroy(Cairo);
        cairo_surface_mark_dirty(Surface);
    }
    Draw(Bitmap->Canvas(), R, true);
    return FCachedBitmap.get();
}

// ---- The element walk --------------------------------------------------------------

void TKelGraphicsSVGImport::DrawElements(TKelGraphicsSVGElementList& AList, TKelGraphics* AGraphics,
                                         Single ASX, Single ASY) {
    for (Integer I = 0; I < AList.Count(); ++I)
        DrawElement(AList.Items(I), AGraphics, ASX, ASY);
}

TKelGraphicsSVGElement* TKelGraphicsSVGImport::Presenter(TKelGraphicsSVGElement* AElement) {
    return AElement->ClassRef() ? AElement->ClassRef() : AElement;
}

template <class F>
TKelGraphicsSVGElement* TKelGraphicsSVGImport::Inherited(TKelGraphicsSVGElement* AElement, F&& AHas) const {
    auto Look = [&](TKelGraphicsSVGElement* E) -> TKelGraphicsSVGElement* {
        if (TKelGraphicsSVGElement* P = Presenter(E); AHas(P)) return P;
        if (E->ClassRef() && AHas(E)) return E;
        return nullptr;
    };
    if (TKelGraphicsSVGElement* Found = Look(AElement)) return Found;
    for (auto It = FDrawChain.rbegin(); It != FDrawChain.rend(); ++It)
        if (TKelGraphicsSVGElement* Found = Look(*It)) return Found;
    return nullptr;
}

TKelGraphicsMatrix TKelGraphicsSVGImport::ElementMatrix(const TKelGraphicsSVGElement* AElement) const {
    TKelGraphicsMatrix Result = OwnTransformAtDraw(AElement) ? AElement->Matrix() : MatrixIdentity();
    for (auto It = FDrawChain.rbegin(); It != FDrawChain.rend(); ++It) {
        const TKelGraphicsSVGElement* A = *It;
        // A "use" element places its content at (x, y) first, then transforms it.
        if (A->Type() == etUse) Result = Result * MatrixCreateTranslation(A->X(), A->Y());
        if (!MatrixIsEmpty(A->Matrix())) Result = Result * A->Matrix();
    }
    return Result;
}

void TKelGraphicsSVGImport::DrawElement(TKelGraphicsSVGElement* E, TKelGraphics* G, Single ASX, Single ASY) {
    // Deep nesting or a "use" that reaches itself stops here.
    if (Integer(FDrawChain.size()) >= MaxDrawDepth) return;
    TKelGraphicsSVGElement* P = Presenter(E);
    if (P->DisplayValue() == u"none" || E->DisplayValue() == u"none") return;
    switch (E->Type()) {
    case etContainer:
    case etUse:
    case etRect:
    case etLine:
    case etCircle:
    case etEllipse:
    case etPolyline:
    case etPolygon:
    case etPath:
    case etImage:
    case etText:
    case etTextSpan:
    case etTextSpanChild:
    case etTextPath:
        break;
    default:
        return; // definitions and paint servers draw nothing where they stand
    }

    // Every element sets the fill and stroke it draws with, so only the clip
    // needs to come back; the caller's fill, stroke and font are kept once
    // for the whole document (see Draw).
    TStateScope State(G, true);
    const TKelGraphicsMatrix M = ElementMatrix(E) * FMatrix;

    Single Opacity = 1;
    if (CustomOpacity() != -1) {
        Opacity = CustomOpacity();
    } else {
        if (P->HasOpacity()) Opacity = P->Opacity();
        for (TKelGraphicsSVGElement* A : FDrawChain)
            if (Presenter(A)->HasOpacity() && !IsLayer(A)) Opacity *= Presenter(A)->Opacity();
    }
    ApplyFill(E, G, M, Opacity);
    ApplyStroke(E, G, M, Opacity);
    ApplyClip(E, G, M);

    FDrawChain.push_back(E);
    struct TPop {
        std::vector<TKelGraphicsSVGElement*>& Chain;
        ~TPop() { Chain.pop_back(); }
    } Pop{FDrawChain};

    switch (E->Type()) {
    case etContainer:
        if (E->HasElements() &&
            !DrawLayer(E, G, [&](TKelGraphics* AG) { DrawElements(*E->Elements(), AG, ASX, ASY); }))
            DrawElements(*E->Elements(), G, ASX, ASY);
        break;
    case etUse:
        if (!DrawLayer(E, G, [&](TKelGraphics* AG) { DrawUse(E, AG, ASX, ASY); })) DrawUse(E, G, ASX, ASY);
        break;
    case etImage:
        DrawImage(E, G, M);
        break;
    case etText:
    case etTextSpan:
    case etTextSpanChild:
    case etTextPath:
        DrawText(E, G, M);
        if (E->HasElements()) DrawElements(*E->Elements(), G, ASX, ASY);
        break;
    default: {
        TKelGraphicsPath Path;
        if (!BuildShape(E, Path)) break;
        Path.ApplyMatrix(M);
        const TKelGraphicsSVGElement* Rule =
            Inherited(E, [](const TKelGraphicsSVGElement* X) { return X->HasFillRule(); });
        Path.SetFillMode(Rule && Rule->FillRule() == frEvenOdd ? gpfAlternate : gpfWinding);
        G->DrawPath(&Path, pdmPath);
    }
    }
}

// ---- Group opacity ---------------------------------------------------------------------

bool TKelGraphicsSVGImport::IsLayer(const TKelGraphicsSVGElement* AElement) const {
    return std::find(FLayers.begin(), FLayers.end(), AElement) != FLayers.end();
}

bool TKelGraphicsSVGImport::DrawLayer(TKelGraphicsSVGElement* E, TKelGraphics* G,
                                      const std::function<void(TKelGraphics*)>& ADraw) {
    const TKelGraphicsSVGElement* P = Presenter(E);
    if (CustomOpacity() != -1 || !P->HasOpacity() || !(P->Opacity() < 1)) return false;
    // A layer is as large as the target: none for a very large one.
    constexpr Int64 MaxLayerPixels = Int64(4096) * 4096;
    if (FLayerWidth <= 0 || FLayerHeight <= 0 || Int64(FLayerWidth) * FLayerHeight > MaxLayerPixels) return false;
    auto* Target = G->Native() ? static_cast<TGPGraphics*>(G->Context()->NativeCanvas()) : nullptr;
    if (!Target || !(G->GetMatrix() == MatrixIdentity())) return false;
    const Single Opacity = std::max(P->Opacity(), 0.0f);
    if (Opacity == 0) return true; // nothing shows

    TBitmap Layer;
    Layer.SetPixelFormat(pf32bit);
    Layer.SetAlphaFormat(afPremultiplied);
    Layer.SetSize(FLayerWidth, FLayerHeight);
    cairo_surface_t* Surface = Layer.Surface();
    if (!Surface || cairo_image_surface_get_format(Surface) != CAIRO_FORMAT_ARGB32) return false;
    {
        cairo_t* Cairo = cairo_create(Surface);
        cairo_set_operator(Cairo, CAIRO_OPERATOR_CLEAR);
        cairo_paint(Cairo);
        cairo_destroy(Cairo);
        cairo_surface_mark_dirty(Surface);
    }
    {
        TGraphicsHolder Graphics(Create<TKelGraphics>(Layer.Canvas(), true));
        PrepareNative(Graphics.get(), RectF(0, 0, Single(FLayerWidth), Single(FLayerHeight)));
        FLayers.push_back(E);
        struct TPopLayer {
            std::vector<const TKelGraphicsSVGElement*>& Layers;
            ~TPopLayer() { Layers.pop_back(); }
        } PopLayer{FLayers};
        try {
            ADraw(Graphics.get());
        } catch (...) {
            Graphics->EndScene();
            Graphics->Context()->Render();
            throw;
        }
        Graphics->EndScene();
        Graphics->Context()->Render();
    }
    cairo_surface_flush(Surface);

    // The layer's premultiplied pixels laid onto the target with the opacity.
    TGPBitmap Pixels(FLayerWidth, FLayerHeight, cairo_image_surface_get_stride(Surface), PixelFormat32bppPARGB,
                     cairo_image_surface_get_data(Surface));
    ColorMatrix Fade;
    for (Integer I = 0; I < 5; ++I)
        Fade.m[I][I] = 1;
    Fade.m[3][3] = Opacity;
    TGPImageAttributes Attributes;
    Attributes.SetColorMatrix(&Fade);
    const PixelOffsetMode Offset = Target->GetPixelOffsetMode();
    Target->SetPixelOffsetMode(PixelOffsetModeNone);
    Target->DrawImage(&Pixels, GPRectF(0, 0, Single(FLayerWidth), Single(FLayerHeight)), 0, 0,
                      Single(FLayerWidth), Single(FLayerHeight), UnitPixel, &Attributes);
    Target->SetPixelOffsetMode(Offset);
    return true;
}

// ---- Shapes --------------------------------------------------------------------------

bool TKelGraphicsSVGImport::BuildShape(TKelGraphicsSVGElement* E, TKelGraphicsPath& APath) {
    switch (E->Type()) {
    case etRect: {
        if (!(E->Width() > 0) || !(E->Height() > 0)) return false;
        // One radius given serves both; neither exceeds half the side.
        Single Rx = E->Rx() > 0 ? E->Rx() : E->Ry();
        Single Ry = E->Ry() > 0 ? E->Ry() : E->Rx();
        Rx = std::clamp(Rx, 0.0f, E->Width() / 2);
        Ry = std::clamp(Ry, 0.0f, E->Height() / 2);
        APath.AddRectangle(RectF(E->X(), E->Y(), E->X() + E->Width(), E->Y() + E->Height()), Rx, Ry);
        return true;
    }
    case etLine:
        APath.MoveTo(PointF(E->X(), E->Y()));
        APath.LineTo(PointF(E->Width(), E->Height()));
        return true;
    case etCircle:
    case etEllipse:
        if (!(E->Rx() > 0) || !(E->Ry() > 0)) return false;
        APath.AddEllipse(RectF(E->X() - E->Rx(), E->Y() - E->Ry(), E->X() + E->Rx(), E->Y() + E->Ry()));
        return true;
    case etPolyline:
    case etPolygon:
    case etPath:
        if (!E->HasPaths()) return false;
        APath.AddPath(*E->CombinedPath());
        return APath.Count() > 0;
    default:
        return false;
    }
}

// ---- Paint -----------------------------------------------------------------------------

void TKelGraphicsSVGImport::ApplyFill(TKelGraphicsSVGElement* E, TKelGraphics* G, const TKelGraphicsMatrix& M,
                                      Single AOpacity) {
    TKelGraphicsFill* Fill = G->Fill();
    TKelGraphicsSVGElement* Source =
        Inherited(E, [](const TKelGraphicsSVGElement* X) { return X->FillColorValue() != X->DefaultValue; });
    const TKelGraphicsSVGElement* OpacitySource =
        Inherited(E, [](const TKelGraphicsSVGElement* X) { return X->HasFillOpacity(); });
    Single Opacity = AOpacity;
    if (CustomOpacity() == -1) {
        if (OpacitySource) Opacity *= OpacitySource->FillOpacity();
        if (Source) Opacity *= Source->FillAlpha();
    }

    Fill->BeginUpdate();
    try {
        TKelGraphicsGradientGeometry NoGeometry;
        Fill->SetGradientGeometry(NoGeometry);
        Fill->SetOpacity(Opacity);
        if (!Source) {
            // No fill anywhere up the chain: black, as the options give it.
            TColor Color = 0;
            if (GrayScale())
                Color = 0x808080;
            else if (TintColor() != -1)
                Color = TintColor();
            else if (CustomFillColor() != -1)
                Color = CustomFillColor();
            Fill->SetKind(gfkSolid);
            Fill->SetColor(Color);
        } else if (IsPaintURL(Source->FillColorValue())) {
            TKelGraphicsSVGElement* Server =
                Source->PaintServer() ? Source->PaintServer() : FindByID(Source->URLRefID());
            if (IsGradient(Server) || (Server && IsGradient(Server->GradientLink())))
                ApplyGradient(E, Server, G, M, Opacity);
            else
                Fill->SetKind(gfkNone); // a pattern or a missing server paints nothing
        } else if (Source->HasFillColor() && Source->FillColor() != gcNull) {
            Fill->SetKind(gfkSolid);
            Fill->SetColor(OptionColor(Source->FillColor(), CustomFillColor()));
        } else {
            Fill->SetKind(gfkNone);
        }
    } catch (...) {
        Fill->EndUpdate();
        throw;
    }
    Fill->EndUpdate();
}

namespace {

// The stops of a gradient: its own, else those of the gradients it links to.
const TKelGraphicsSVGElement* StopsOwner(const TKelGraphicsSVGElement* AServer) {
    for (Integer Depth = 0; AServer && Depth < TKelGraphicsSVGImport::MaxDrawDepth; ++Depth) {
        if (AServer->HasElements())
            for (Integer I = 0; I < const_cast<TKelGraphicsSVGElement*>(AServer)->Elements()->Count(); ++I)
                if (const_cast<TKelGraphicsSVGElement*>(AServer)->Elements()->Items(I)->Type() == etStop)
                    return AServer;
        AServer = AServer->GradientLink();
    }
    return nullptr;
}

// The first gradient along the links (the element itself included) for which AHas holds.
template <class F>
const TKelGraphicsSVGElement* LinkedWith(const TKelGraphicsSVGElement* AServer, F&& AHas) {
    for (Integer Depth = 0; AServer && Depth < TKelGraphicsSVGImport::MaxDrawDepth; ++Depth) {
        if (AHas(AServer)) return AServer;
        AServer = AServer->GradientLink();
    }
    return nullptr;
}

} // namespace

void TKelGraphicsSVGImport::ApplyGradient(TKelGraphicsSVGElement* E, TKelGraphicsSVGElement* AServer,
                                          TKelGraphics* G, const TKelGraphicsMatrix& M, Single AOpacity) {
    TKelGraphicsFill* Fill = G->Fill();
    // The kind comes from the gradient named; geometry, units, spread,
    // transform and stops may come from the gradients it links to.
    const TKelGraphicsSVGElement* Kind = IsGradient(AServer) ? AServer : AServer->GradientLink();
    const bool Linear = Kind->Type() == etLinearGradient;
    const auto* UnitsFrom = LinkedWith(AServer, [](auto* X) { return X->HasGradientUnits(); });
    const auto* SpreadFrom = LinkedWith(AServer, [](auto* X) { return X->HasSpreadMethod(); });
    const auto* MatrixFrom = LinkedWith(AServer, [](auto* X) { return !MatrixIsEmpty(X->GradientMatrix()); });
    const bool UserSpace = UnitsFrom && UnitsFrom->GradientUnits() == guUserSpaceOnUse;

    // A length of the geometry: the nearest gradient that gives it, else the default.
    auto Length = [&](Integer AIndex, Single ADefault, bool& APercent) {
        const auto* From = LinkedWith(
            AServer, [&](auto* X) { return X->Type() == Kind->Type() && X->GradientLength(AIndex).Given; });
        APercent = From ? From->GradientLength(AIndex).Percent : !UserSpace;
        return From ? From->GradientLength(AIndex).Value : ADefault;
    };
    const TRectF VR = ViewRect();
    auto Resolve = [&](Integer AIndex, Single ADefault, Single AExtent) {
        bool Percent = false;
        const Single Value = Length(AIndex, ADefault, Percent);
        return UserSpace && Percent ? Value * AExtent : Value;
    };

    // Gradient space to device: the bounding box (for object units), the
    // gradient's transform, the element's matrix.
    TKelGraphicsMatrix ToDevice = M;
    if (!UserSpace) {
        TKelGraphicsPath Shape;
        if (!BuildShape(E, Shape)) {
            Fill->SetKind(gfkNone);
            return;
        }
        const TRectF B = Shape.GetBounds();
        ToDevice = MatrixCreateScaling(B.Width(), B.Height()) * MatrixCreateTranslation(B.Left, B.Top) * M;
    }
    if (MatrixFrom) ToDevice = MatrixFrom->GradientMatrix() * ToDevice;

    TKelGraphicsGradientGeometry Geometry;
    Geometry.Active = true;
    Geometry.Transform = ToDevice;
    Geometry.Spread = SpreadFrom ? TKelGraphicsGradientSpread(Integer(SpreadFrom->SpreadMethod())) : ggsPad;
    const Single VW = VR.Width(), VH = VR.Height();
    const Single Diagonal = Single(std::hypot(VW, VH) / std::numbers::sqrt2);
    if (Linear) {
        Geometry.Start = PointF(Resolve(0, 0, VW), Resolve(1, 0, VH));
        Geometry.End = PointF(Resolve(2, UserSpace ? VW : 1, VW), Resolve(3, 0, VH));
        Fill->SetGradientType(gfgtLinear);
        Fill->SetOrientation(gfoCustom);
        const Single DX = Geometry.End.X - Geometry.Start.X, DY = Geometry.End.Y - Geometry.Start.Y;
        Single Angle = (DX == 0 && DY == 0) ? 0 : Single(std::atan2(DY, DX) * 180 / std::numbers::pi);
        if (Angle < 0) Angle += 360;
        Fill->SetGradientAngle(Angle);
    } else {
        const Single CX = Resolve(0, UserSpace ? VW / 2 : 0.5f, VW);
        const Single CY = Resolve(1, UserSpace ? VH / 2 : 0.5f, VH);
        Geometry.Start = PointF(CX, CY);
        Geometry.Radius = Resolve(2, UserSpace ? Diagonal / 2 : 0.5f, Diagonal);
        auto Focus = [&](Integer AIndex, Single ACentre, Single AExtent) {
            const auto* From = LinkedWith(AServer, [&](auto* X) {
                return X->Type() == Kind->Type() && X->GradientLength(AIndex).Given;
            });
            return From ? Resolve(AIndex, ACentre, AExtent) : ACentre;
        };
        Geometry.End = PointF(Focus(3, CX, VW), Focus(4, CY, VH));
        Fill->SetGradientType(gfgtRadial);
        Fill->SetGradientCenterPoint(Geometry.Start * ToDevice);
    }

    Fill->SetKind(gfkGradient);
    Fill->SetGradientMode(gfgmCollection);
    Fill->ClearGradientItems();
    if (const TKelGraphicsSVGElement* Owner = StopsOwner(AServer)) {
        Single Previous = 0;
        TKelGraphicsSVGElementList& Stops = *const_cast<TKelGraphicsSVGElement*>(Owner)->Elements();
        for (Integer I = 0; I < Stops.Count(); ++I) {
            const TKelGraphicsSVGElement* Stop = Stops.Items(I);
            if (Stop->Type() != etStop) continue;
            // Offsets never go back, and stay within 0 to 1.
            const Single Offset = std::max(Previous, std::clamp(Stop->Offset(), 0.0f, 1.0f));
            Previous = Offset;
            const TColor Color = Stop->HasStopColor() && Stop->StopColor() != gcNull ? Stop->StopColor() : 0;
            const Single StopOpacity = Stop->HasStopOpacity() ? Stop->StopOpacity() : 1;
            Fill->AddGradientItem(Color, Offset, StopOpacity * AOpacity);
        }
    }
    Fill->SetGradientGeometry(Geometry);
    if (Fill->GradientItems()->Count() == 0) Fill->SetKind(gfkNone);
}

void TKelGraphicsSVGImport::ApplyStroke(TKelGraphicsSVGElement* E, TKelGraphics* G,
                                        const TKelGraphicsMatrix& M, Single AOpacity) {
    TKelGraphicsStroke* Stroke = G->Stroke();
    TKelGraphicsSVGElement* Source = Inherited(
        E, [](const TKelGraphicsSVGElement* X) { return X->StrokeColorValue() != X->DefaultValue; });
    const TKelGraphicsSVGElement* WidthSource =
        Inherited(E, [](const TKelGraphicsSVGElement* X) { return X->HasStrokeWidth(); });
    const TKelGraphicsSVGElement* OpacitySource =
        Inherited(E, [](const TKelGraphicsSVGElement* X) { return X->HasStrokeOpacity(); });
    Single Opacity = AOpacity;
    if (CustomOpacity() == -1) {
        if (OpacitySource) Opacity *= OpacitySource->StrokeOpacity();
        if (Source) Opacity *= Source->StrokeAlpha();
    }
    Stroke->BeginUpdate();
    try {
        Stroke->SetOpacity(Opacity);
        const Single Width = WidthSource ? WidthSource->StrokeWidth() : 1;
        Stroke->SetWidth(std::max(Width * LengthScale(M), 1.0f));
        TColor Color = gcNull;
        if (Source && IsPaintURL(Source->StrokeColorValue())) {
            // A gradient outline is drawn in the gradient's first colour.
            TKelGraphicsSVGElement* Server =
                Source->PaintServer() ? Source->PaintServer() : FindByID(Source->URLRefID());
            if (const TKelGraphicsSVGElement* Owner = StopsOwner(Server)) {
                TKelGraphicsSVGElementList& Stops = *const_cast<TKelGraphicsSVGElement*>(Owner)->Elements();
                for (Integer I = 0; I < Stops.Count() && Color == gcNull; ++I)
                    if (Stops.Items(I)->Type() == etStop) Color = Stops.Items(I)->StopColor();
            }
        } else if (Source && Source->HasStrokeColor()) {
            Color = Source->StrokeColor();
        }
        if (Color == gcNull || !(Width > 0)) {
            Stroke->SetKind(gskNone);
        } else {
            Stroke->SetKind(gskSolid);
            Stroke->SetColor(OptionColor(Color, CustomStrokeColor()));
        }
    } catch (...) {
        Stroke->EndUpdate();
        throw;
    }
    Stroke->EndUpdate();
}

// ---- Clipping -----------------------------------------------------------------------

void TKelGraphicsSVGImport::ApplyClip(TKelGraphicsSVGElement* E, TKelGraphics* G,
                                      const TKelGraphicsMatrix& M) {
    TKelGraphicsSVGElement* Clip = E->ClipPathRef();
    if (!Clip && !E->ClipPathRefID().empty()) {
        Clip = FindByID(E->ClipPathRefID());
        if (!Clip) return; // a reference to nothing clips nothing
    }
    if (!Clip) return;
    TKelGraphicsPath Path;
    auto AddShape = [&Path](TKelGraphicsSVGElement* AShape) {
        TKelGraphicsPath Shape;
        if (!BuildShape(AShape, Shape)) return;
        if (OwnTransformAtDraw(AShape)) Shape.ApplyMatrix(AShape->Matrix());
        Path.AddPath(Shape);
    };
    if (Clip->Type() == etClipPath) {
        if (Clip->HasElements())
            for (Integer I = 0; I < Clip->Elements()->Count(); ++I)
                AddShape(Clip->Elements()->Items(I));
        if (!MatrixIsEmpty(Clip->Matrix())) Path.ApplyMatrix(Clip->Matrix());
    } else {
        AddShape(Clip);
    }
    Path.ApplyMatrix(M);
    Path.SetFillMode(gpfWinding);
    if (Path.Count() == 0) {
        // Nothing to show through: everything is clipped away.
        G->ClipRect(RectF(0, 0, 0, 0));
        return;
    }
    // Inside a clipped group the element sees only what both clips let through.
    auto* GP = G->Native() ? static_cast<TGPGraphics*>(G->Context()->NativeCanvas()) : nullptr;
    if (GP) {
        const TKelGraphicsPathHandle Handle = G->Context()->ConvertToPath(&Path, KelPathFlatness, true);
        GP->SetClip(Handle.get(), CombineModeIntersect);
    } else {
        G->Context()->ClipPath(&Path); // the canvas context's clip always intersects
    }
}

// ---- Images, text and "use" ----------------------------------------------------------

void TKelGraphicsSVGImport::DrawImage(TKelGraphicsSVGElement* E, TKelGraphics* G,
                                      const TKelGraphicsMatrix& M) {
    if (!E->HasBitmap() || !E->Bitmap()->Graphic()) return;
    const TKelGraphicsMatrix Saved = G->GetMatrix();
    G->SetMatrix(M);
    try {
        const TRectF R = RectF(E->X(), E->Y(), E->X() + E->Width(), E->Y() + E->Height());
        if (E->PreserveAspectRatio() == parNone)
            G->DrawBitmap(R, E->Bitmap(), false, true, true, false);
        else
            G->DrawBitmap(R, E->Bitmap(), true, true, true, false);
    } catch (...) {
        G->SetMatrix(Saved);
        throw;
    }
    G->SetMatrix(Saved);
}

void TKelGraphicsSVGImport::DrawText(TKelGraphicsSVGElement* E, TKelGraphics* G,
                                     const TKelGraphicsMatrix& M) {
    if (E->Type() == etText) {
        G->SetFontName(E->FontFamily().empty() ? String(u"Arial") : E->FontFamily());
        const Single Size = E->HasFontSize() && E->FontSize() != 0 ? E->FontSize() : 12;
        TRarEvads::SetFontSize(G->Font(), Size);
        G->SetFontStyles(E->FontStyle());
        // Text takes the colour of its fill, as the fill was worked out.
        G->SetFontColor(G->Fill()->Kind() == gfkSolid ? G->Fill()->Color() : E->FillColor());
    }
    if (E->Text().empty()) return;
    const TKelGraphicsMatrix Saved = G->GetMatrix();
    G->SetMatrix(M * FTextMatrix);
    try {
        const Single H = G->CalculateTextHeight(E->Text());
        const TKelGraphicsSVGElement* Anchor =
            E->Type() == etTextSpanChild && E->Parent() && E->Parent()->Type() == etTextSpan ? E->Parent()
                                                                                             : E;
        Single X = Anchor->X();
        // text-anchor of the element or the text around it.
        const TKelGraphicsSVGElement* AnchorSource =
            Inherited(E, [](const TKelGraphicsSVGElement* A) { return !A->TextAnchor().empty(); });
        if (AnchorSource && AnchorSource->TextAnchor() != u"start") {
            const Single W = G->CalculateTextWidth(E->Text());
            X -= AnchorSource->TextAnchor() == u"middle" ? W / 2 : W;
        }
        G->DrawText(PointF(X, Anchor->Y() - H), E->Text(), 0, true, false);
    } catch (...) {
        G->SetMatrix(Saved);
        throw;
    }
    G->SetMatrix(Saved);
}

void TKelGraphicsSVGImport::DrawUse(TKelGraphicsSVGElement* E, TKelGraphics* G, Single ASX, Single ASY) {
    // The "use" element is the last of the chain here; its target is drawn
    // inside it.
    TKelGraphicsSVGElement* Target = FindByID(E->HRefID());
    if (!Target) return;
    // A reference back into the chain being drawn (the "use" element itself
    // included) would never end.
    for (const TKelGraphicsSVGElement* A : FDrawChain)
        if (A == Target) return;
    for (const TKelGraphicsSVGElement* A = E->Parent(); A; A = A->Parent())
        if (A == Target) return;
    DrawElement(Target, G, ASX, ASY);
}

// ---- Ids ------------------------------------------------------------------------------

void TKelGraphicsSVGImport::IndexIDs(TKelGraphicsSVGElementList& AList) {
    for (Integer I = 0; I < AList.Count(); ++I) {
        TKelGraphicsSVGElement* E = AList.Items(I);
        if (!E->ID().empty()) FIDs.emplace(E->ID(), E);
        if (E->HasElements()) IndexIDs(*E->Elements());
    }
}

TKelGraphicsSVGElement* TKelGraphicsSVGImport::FindByID(const String& AID) {
    if (AID.empty()) return nullptr;
    if (!FIDsIndexed) {
        FIDs.clear();
        IndexIDs(FElementList);
        IndexIDs(FDefsList);
        FIDsIndexed = true;
    }
    const auto It = FIDs.find(AID);
    return It == FIDs.end() ? nullptr : It->second;
}
