#include "kel/KelGraphics.h"

#include "graphics/Colors.h"
#include "kel/KelColorText.h"
#include "kel/KelGraphicsContextGeneral.h"
#include "kel/KelGraphicsContextWin.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "rtl/MathUtils.h"

#include <cmath>

const TClassInfo& TKelGraphics::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelGraphics, TObject>().Build();
    return Info;
}

// --- Creation ---------------------------------------------------------------------

TKelGraphics::TKelGraphics(TCanvas* ACanvas, bool ANative) : FActiveCanvas(ACanvas), FNative(ANative) {
    CreateContextAndState(1, 1);
    FHighlightColor = 0xFF0000;
    FHighlightTextColor = 0xFFFFFF;
}

TKelGraphics::TKelGraphics(TBitmapCanvasSize ASize, bool ANative)
    : FBitmap(std::make_unique<TBitmap>()), FNative(ANative) {
    FBitmap->SetSize(ASize.Width, ASize.Height);
    FActiveCanvas = FBitmap->Canvas();
    CreateContextAndState(Single(ASize.Width), Single(ASize.Height));
}

TKelGraphics* TKelGraphics::CreateBitmapCanvas(Integer AWidth, Integer AHeight, bool ANative, bool) {
    return Create<TKelGraphics>(TBitmapCanvasSize{AWidth, AHeight}, ANative);
}

void TKelGraphics::CreateContextAndState(Single AWidth, Single AHeight) {
    // The canvas is known before the context exists: the GDI+ context opens
    // its surface on it.
    if (FNative)
        FContextNative.reset(GetNativeContextClass()(this));
    else
        FContextGeneral = std::make_unique<TKelGraphicsContextGeneral>(this);
    Context()->SetSize(AWidth, AHeight);
    FFill = std::make_unique<TKelGraphicsFill>(gfkSolid, 0xFFFFFF);
    FStroke = std::make_unique<TKelGraphicsStroke>(gskSolid, 0xC0C0C0);
    FFont = std::make_unique<TKelGraphicsFont>();
    FFill->OnChanged = [this](TObject*) { SetFill(FFill.get()); };
    FStroke->OnChanged = [this](TObject*) { SetStroke(FStroke.get()); };
    FFont->OnChanged = [this](TObject*) { SetFont(FFont.get()); };
}

void TKelGraphics::AfterConstruction() {
    TObject::AfterConstruction();
    SetFill(FFill.get());
    SetStroke(FStroke.get());
    SetFont(FFont.get());
}

TKelGraphics::~TKelGraphics() {
    // Nothing reports back into an object that is going away.
    FFill->OnChanged = nullptr;
    FStroke->OnChanged = nullptr;
    FFont->OnChanged = nullptr;
    FContextNative.reset();
    FContextGeneral.reset();
}

TKelGraphicsContext* TKelGraphics::Context() const {
    return FNative ? FContextNative.get() : FContextGeneral.get();
}

// --- State ---------------------------------------------------------------------------

template <class F>
void TKelGraphics::UpdateState(F&& AChange) {
    // Storing the value in the own fill, stroke or font reports a change that
    // would send it to the context a second time; the counter stops that echo.
    if (FBlockUpdate > 0) return;
    ++FBlockUpdate;
    try {
        AChange();
    } catch (...) {
        --FBlockUpdate;
        throw;
    }
    --FBlockUpdate;
}

void TKelGraphics::SetFill(const TKelGraphicsFill* AFill) {
    UpdateState([&] {
        Context()->SetFill(AFill);
        if (AFill != FFill.get()) FFill->Assign(AFill);
    });
}

void TKelGraphics::SetFillKind(TKelGraphicsFillKind AKind) {
    UpdateState([&] {
        Context()->SetFillKind(AKind);
        FFill->SetKind(AKind);
    });
}

void TKelGraphics::SetFillColor(TColor AColor) {
    UpdateState([&] {
        Context()->SetFillColor(AColor);
        FFill->SetColor(AColor);
    });
}

void TKelGraphics::SetStroke(const TKelGraphicsStroke* AStroke) {
    UpdateState([&] {
        Context()->SetStroke(AStroke);
        if (AStroke != FStroke.get()) FStroke->Assign(AStroke);
    });
}

void TKelGraphics::SetStrokeKind(TKelGraphicsStrokeKind AKind) {
    UpdateState([&] {
        Context()->SetStrokeKind(AKind);
        FStroke->SetKind(AKind);
    });
}

void TKelGraphics::SetStrokeColor(TColor AColor) {
    UpdateState([&] {
        Context()->SetStrokeColor(AColor);
        FStroke->SetColor(AColor);
    });
}

void TKelGraphics::SetStrokeWidth(Single AWidth) {
    UpdateState([&] {
        Context()->SetStrokeWidth(AWidth);
        FStroke->SetWidth(AWidth);
    });
}

void TKelGraphics::SetFont(const TKelGraphicsFont* AFont) {
    UpdateState([&] {
        Context()->SetFont(AFont);
        if (AFont != FFont.get()) FFont->AssignSource(AFont);
    });
}

void TKelGraphics::SetFontColor(TColor AColor) {
    UpdateState([&] {
        Context()->SetFontColor(AColor);
        FFont->SetColor(AColor);
    });
}

void TKelGraphics::SetFontName(const String& AName) {
    UpdateState([&] {
        Context()->SetFontName(AName);
        FFont->SetName(AName);
    });
}

void TKelGraphics::SetFontSize(Integer ASize) {
    UpdateState([&] {
        Context()->SetFontSize(ASize);
        FFont->SetSize(ASize);
    });
}

void TKelGraphics::SetFontStyles(TFontStyles AStyle) {
    UpdateState([&] {
        Context()->SetFontStyles(AStyle);
        FFont->SetStyle(AStyle);
    });
}

void TKelGraphics::Assign(const TKelGraphics* Source) {
    if (!Source || Source == this) return;
    FFill->BeginUpdate();
    FFill->Assign(Source->Fill());
    FFill->EndUpdate();
    FStroke->BeginUpdate();
    FStroke->Assign(Source->Stroke());
    FStroke->EndUpdate();
    FFont->BeginUpdate();
    FFont->AssignSource(Source->Font());
    FFont->EndUpdate();
}

TKelGraphicsSaveState* TKelGraphics::SaveState(bool ACanvasOnly) {
    auto State = std::make_unique<TKelGraphicsSaveState>();
    if (!ACanvasOnly) {
        State->SetFill(FFill.get());
        State->SetStroke(FStroke.get());
        State->SetFont(FFont.get());
    }
    Context()->SaveState(State.get());
    return State.release();
}

void TKelGraphics::RestoreState(TKelGraphicsSaveState* AState, bool ACanvasOnly) {
    if (!AState) return;
    std::unique_ptr<TKelGraphicsSaveState> State(AState);
    if (!ACanvasOnly) {
        SetFill(State->Fill());
        SetStroke(State->Stroke());
        SetFont(State->Font());
    }
    Context()->RestoreState(State.get());
}

// --- Forwarders ----------------------------------------------------------------------

void TKelGraphics::BeginScene() {
    Context()->BeginScene();
}
void TKelGraphics::EndScene() {
    Context()->EndScene();
}
void TKelGraphics::BeginPrinting() {
    Context()->BeginPrinting();
}
void TKelGraphics::EndPrinting() {
    Context()->EndPrinting();
}
void TKelGraphics::StartSpecialPen() {
    Context()->StartSpecialPen();
}
void TKelGraphics::StopSpecialPen() {
    Context()->StopSpecialPen();
}
TKelGraphicsMatrix TKelGraphics::GetMatrix() {
    return Context()->GetMatrix();
}
void TKelGraphics::SetMatrix(const TKelGraphicsMatrix& AMatrix) {
    Context()->SetMatrix(AMatrix);
}
void TKelGraphics::ClipRect(const TRectF& ARect) {
    Context()->ClipRect(ARect);
}

// --- Shapes ----------------------------------------------------------------------------

bool TKelGraphics::ShouldFill() const {
    return (FFill->Color() != gcNull && FFill->Kind() != gfkNone) || FFill->Kind() == gfkTexture;
}

bool TKelGraphics::ShouldStroke() const {
    return FStroke->Color() != gcNull && FStroke->Kind() != gskNone;
}

void TKelGraphics::DrawLine(const TPointF& AFromPoint, const TPointF& AToPoint,
                            TKelGraphicsModifyPointMode AModifyPointModeFrom,
                            TKelGraphicsModifyPointMode AModifyPointModeTo) {
    if (ShouldStroke())
        Context()->DrawLine(FStroke.get(), AFromPoint, AToPoint, AModifyPointModeFrom, AModifyPointModeTo);
}

void TKelGraphics::DrawPolygon(const TKelGraphicsPathPolygon& APolygon) {
    if (ShouldFill()) {
        if (FFill->Kind() == gfkTexture) {
            TKelGraphicsPath Path;
            Path.AddPolygon(APolygon);
            DrawTexture(Path.GetBounds(), FFill->Texture(), FFill->TextureMode());
        } else {
            Context()->FillPolygon(FFill.get(), APolygon);
        }
    }
    if (ShouldStroke()) Context()->DrawPolygon(FStroke.get(), APolygon);
}

void TKelGraphics::DrawPolyline(const TKelGraphicsPathPolygon& APolyline) {
    // A polyline is never textured.
    if (FFill->Color() != gcNull && FFill->Kind() != gfkNone) Context()->FillPolyline(FFill.get(), APolyline);
    if (ShouldStroke()) Context()->DrawPolyline(FStroke.get(), APolyline);
}

void TKelGraphics::DrawPath(const TKelGraphicsPath* APath, TKelGraphicsPathDrawMode APathMode) {
    if (!APath) return;
    if (ShouldFill()) {
        if (FFill->Kind() == gfkTexture)
            DrawTexture(APath->GetBounds(), FFill->Texture(), FFill->TextureMode());
        else
            Context()->FillPath(FFill.get(), APath, APathMode);
    }
    if (ShouldStroke()) Context()->DrawPath(FStroke.get(), APath, APathMode);
}

void TKelGraphics::DrawArc(const TPointF& Center, const TPointF& Radius, Single StartAngle,
                           Single SweepAngle) {
    // An arc is filled only with a colour: a texture fill without one stays empty.
    if (FFill->Color() != gcNull && FFill->Kind() != gfkNone) {
        if (FFill->Kind() == gfkTexture) {
            TKelGraphicsPath Path;
            Path.AddArc(Center, Radius, StartAngle, SweepAngle);
            DrawTexture(Path.GetBounds(), FFill->Texture(), FFill->TextureMode());
        } else {
            Context()->FillArc(FFill.get(), Center, Radius, StartAngle, SweepAngle);
        }
    }
    if (ShouldStroke()) Context()->DrawArc(FStroke.get(), Center, Radius, StartAngle, SweepAngle);
}

void TKelGraphics::DrawRectangle(Double ALeft, Double ATop, Double ARight, Double ABottom,
                                 TKelGraphicsSides ASides, TKelGraphicsModifyRectMode AModifyRectMode) {
    const TRectF R = RectF(Single(ALeft), Single(ATop), Single(ARight), Single(ABottom));
    if (ShouldFill()) {
        if (FFill->Kind() == gfkTexture)
            DrawTexture(R, FFill->Texture(), FFill->TextureMode());
        else
            Context()->FillRect(FFill.get(), R, AModifyRectMode);
    }
    if (ShouldStroke()) Context()->DrawRect(FStroke.get(), R, ASides, AModifyRectMode);
}

void TKelGraphics::DrawRoundRectangle(Double ALeft, Double ATop, Double ARight, Double ABottom,
                                      Single ARounding, TKelGraphicsCorners ACorners,
                                      TKelGraphicsModifyRectMode AModifyRectMode) {
    const TRectF R = RectF(Single(ALeft), Single(ATop), Single(ARight), Single(ABottom));
    if (ShouldFill()) {
        if (FFill->Kind() == gfkTexture)
            DrawTexture(R, FFill->Texture(), FFill->TextureMode());
        else
            Context()->FillRoundRect(FFill.get(), R, ARounding, ACorners, AModifyRectMode);
    }
    if (ShouldStroke()) Context()->DrawRoundRect(FStroke.get(), R, ARounding, ACorners, AModifyRectMode);
}

void TKelGraphics::DrawEllipse(Double ALeft, Double ATop, Double ARight, Double ABottom,
                               TKelGraphicsModifyRectMode AModifyRectMode) {
    const TRectF R = RectF(Single(ALeft), Single(ATop), Single(ARight), Single(ABottom));
    if (ShouldFill()) {
        if (FFill->Kind() == gfkTexture)
            DrawTexture(R, FFill->Texture(), FFill->TextureMode());
        else
            Context()->FillEllipse(FFill.get(), R, AModifyRectMode);
    }
    if (ShouldStroke()) Context()->DrawEllipse(FStroke.get(), R, AModifyRectMode);
}

void TKelGraphics::DrawFocusRectangle(Double ALeft, Double ATop, Double ARight, Double ABottom, TColor AColor,
                                      TKelGraphicsModifyRectMode AModifyRectMode) {
    Context()->DrawFocusRectangle(FStroke.get(),
                                  RectF(Single(ALeft), Single(ATop), Single(ARight), Single(ABottom)), AColor,
                                  AModifyRectMode);
}

void TKelGraphics::DrawFocusPath(const TKelGraphicsPath* APath, TColor AColor) {
    Context()->DrawFocusPath(FStroke.get(), APath, AColor);
}

// --- Texture fills ---------------------------------------------------------------------

void TKelGraphics::DrawTexture(const TRectF& ARect, const TKelBitmap* ATexture,
                               TKelGraphicsTextureMode AMode) {
    if (IsPictureEmpty(ATexture)) return;
    const Single W = Single(ATexture->Width());
    const Single H = Single(ATexture->Height());
    const Single L = ARect.Left;
    const Single T = ARect.Top;
    const TRectF Whole = RectF(0, 0, W, H);
    switch (AMode) {
    case gtmOriginal: {
        const TRectF R = RectF(L, T, L + W, T + H);
        TRectF V;
        if (!IntersectRectF(V, ARect, R)) return;
        DrawBitmapPart(RectF(0, 0, V.Width(), V.Height()),
                       RectF(R.Left, R.Top, R.Left + V.Width(), R.Top + V.Height()), ATexture);
        break;
    }
    case gtmFit: {
        const Single Scale = 1 / std::max(H / ARect.Height(), W / ARect.Width());
        TRectF D = RectF(0, 0, W * Scale, H * Scale);
        const Single DX = Single(Round((ARect.Width() - D.Width()) / 2));
        const Single DY = Single(Round((ARect.Height() - D.Height()) / 2));
        OffsetRectF(D, L + DX, T + DY);
        DrawBitmapPart(Whole, SnapRectToPixelsF(D, false, 1), ATexture, false, true);
        break;
    }
    case gtmStretch:
        DrawBitmapPart(Whole, ARect, ATexture, false, true);
        break;
    case gtmCenter: {
        TRectF D = Whole;
        OffsetRectF(D, L + Single(Round((ARect.Width() - W) / 2)),
                    T + Single(Round((ARect.Height() - H) / 2)));
        DrawBitmapPart(Whole, SnapRectToPixelsF(D, false, 1), ATexture, true, false, true);
        break;
    }
    case gtmTile: {
        // The last column and row overhang the rectangle: the clip keeps
        // them inside the shape.
        TKelGraphicsSaveState* State = SaveState(true);
        ClipRect(ARect);
        const Integer Columns = Integer(std::trunc(ARect.Width() / W)) + 1;
        const Integer Rows = Integer(std::trunc(ARect.Height() / H)) + 1;
        for (Integer C = 0; C <= Columns; ++C)
            for (Integer R = 0; R <= Rows; ++R) {
                const TRectF Tile = RectF(L + C * W, T + R * H, L + C * W + W, T + R * H + H);
                TRectF V;
                if (IntersectRectF(V, ARect, Tile))
                    DrawBitmap(Tile.Left, Tile.Top, Tile.Left + V.Width(), Tile.Top + V.Height(), ATexture,
                               false, false, false, false);
            }
        RestoreState(State, true);
        break;
    }
    }
}

// --- Hit tests and colours ---------------------------------------------------------------

bool TKelGraphics::PointInCircle(const TPointF& APoint, const TPointF& ACenter, Single ARadius) {
    if (ARadius <= 0) return false;
    const Double DX = (Double(APoint.X) - ACenter.X) / ARadius;
    const Double DY = (Double(APoint.Y) - ACenter.Y) / ARadius;
    return DX * DX + DY * DY <= 1;
}

bool TKelGraphics::PointInPath(const TPointF& APoint, const TKelGraphicsPath* APath) {
    return APath && APath->IsPointVisible(APoint);
}

bool TKelGraphics::PointInPolygon(const TPointF& APoint, const TKelGraphicsPathPolygon& APolygon) {
    return PolygonContainsPoint(APoint, APolygon);
}

bool TKelGraphics::PointInRect(const TPointF& APoint, const TRectF& ARect) {
    return APoint.X >= ARect.Left && APoint.X < ARect.Right && APoint.Y >= ARect.Top &&
           APoint.Y < ARect.Bottom;
}

Byte TKelGraphics::GetColorRed(TColor AColor) {
    return Byte(ColorToRGB(AColor) & 0xFF);
}

Byte TKelGraphics::GetColorGreen(TColor AColor) {
    return Byte((ColorToRGB(AColor) >> 8) & 0xFF);
}

Byte TKelGraphics::GetColorBlue(TColor AColor) {
    return Byte((ColorToRGB(AColor) >> 16) & 0xFF);
}

String TKelGraphics::ColorToHTML(TColor AColor) {
    return u"#" + IntToHex(Integer(GetColorRed(AColor)), 2) + IntToHex(Integer(GetColorGreen(AColor)), 2) +
           IntToHex(Integer(GetColorBlue(AColor)), 2);
}

TColor TKelGraphics::HTMLToColor(const String& AHTML) {
    return ::HTMLToColor(AHTML);
}

TColor TKelGraphics::TextToColor(const String& AText) {
    return ::TextToColor(AText);
}
