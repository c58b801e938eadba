// A button's picture (glyph pieces or an image-list image) and where it and
// the caption go on the button's face.

#include "graphics/GdiText.h"
#include "graphics/Rect.h"
#include "vcl/Buttons.h"

#include <algorithm>

using namespace winapi;

namespace detail {

TButtonGlyph::TButtonGlyph() : FGlyph(std::make_unique<TBitmap>()) {}
TButtonGlyph::~TButtonGlyph() = default;

void TButtonGlyph::SetGlyph(const TBitmap* Value) {
    if (Value)
        FGlyph->Assign(Value);
    else
        FGlyph = std::make_unique<TBitmap>();
    // A glyph made of equal squares side by side says how many it holds.
    if (Value && !Value->Empty() && Value->Width() % Value->Height() == 0) {
        Integer Count = Value->Width() / Value->Height();
        if (Count >= 1 && Count <= 4) FNumGlyphs = Count;
    }
    Rebuild();
}

void TButtonGlyph::SetNumGlyphs(Integer Value) {
    if (Value < 1 || Value > 4 || Value == FNumGlyphs) return;
    FNumGlyphs = Value;
    Rebuild();
}

void TButtonGlyph::Rebuild() {
    FPieces.reset();
    if (!FGlyph->Empty()) {
        FPieces = std::make_unique<TImageList>();
        FPieces->SetWidth(std::max(1, FGlyph->Width() / FNumGlyphs));
        FPieces->SetHeight(FGlyph->Height());
        FPieces->AddMasked(FGlyph.get(), clDefault);
    }
    if (OnChange) OnChange();
}

TSize TButtonGlyph::PictureSize() const {
    if (Images && ImageIndex >= 0 && ImageIndex < Images->Count()) return {Images->Width(), Images->Height()};
    if (FPieces) return {FPieces->Width(), FPieces->Height()};
    return {0, 0};
}

void TButtonGlyph::Draw(TCanvas* Canvas, const TRect& Client, TPoint Offset, const String& Caption,
                        TButtonLayout Layout, Integer Margin, Integer Spacing, TButtonState State,
                        const TFont* Font) const {
    Canvas->Font()->Assign(Font);
    TSize Picture = PictureSize();
    TRect TextBounds{0, 0, Client.Width(), 0};
    if (!Caption.empty()) DrawText(Canvas->Handle(), Caption, TextBounds, DT_CALCRECT | DT_SINGLELINE);
    TSize Text = Caption.empty() ? TSize{0, 0} : TSize{TextBounds.Width(), TextBounds.Height()};

    // Everything is worked out along the layout's axis, then placed.
    bool Horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
    Integer Room = Horizontal ? Client.Width() : Client.Height();
    Integer PictureLength = Horizontal ? Picture.cx : Picture.cy;
    Integer TextLength = Horizontal ? Text.cx : Text.cy;
    if (PictureLength == 0 || TextLength == 0) Spacing = 0;
    if (Margin == -1) {
        if (Spacing == -1) {
            Margin = (Room - PictureLength - TextLength) / 3;
            Spacing = Margin;
        } else {
            Margin = (Room - PictureLength - Spacing - TextLength) / 2;
        }
    } else if (Spacing == -1) {
        Spacing = (Room - Margin - PictureLength - TextLength) / 2;
    }
    Integer PictureAt = 0, TextAt = 0;
    if (Layout == blGlyphLeft || Layout == blGlyphTop) {
        PictureAt = Margin;
        TextAt = Margin + PictureLength + Spacing;
    } else {
        PictureAt = Room - Margin - PictureLength;
        TextAt = PictureAt - Spacing - TextLength;
    }
    TPoint PicturePos, TextPos;
    if (Horizontal) {
        PicturePos = {PictureAt, (Client.Height() - Picture.cy) / 2};
        TextPos = {TextAt, (Client.Height() - Text.cy) / 2};
    } else {
        PicturePos = {(Client.Width() - Picture.cx) / 2, PictureAt};
        TextPos = {(Client.Width() - Text.cx) / 2, TextAt};
    }
    Integer X0 = Client.Left + Offset.X, Y0 = Client.Top + Offset.Y;

    bool Enabled = State != bsDisabled;
    if (Images && ImageIndex >= 0 && ImageIndex < Images->Count()) {
        Images->Draw(Canvas, X0 + PicturePos.X, Y0 + PicturePos.Y, ImageIndex, Enabled);
    } else if (FPieces) {
        Integer Piece = Integer(State);
        bool Own = Piece < FPieces->Count();
        FPieces->Draw(Canvas, X0 + PicturePos.X, Y0 + PicturePos.Y, Own ? Piece : 0, Own || Enabled);
    }

    if (Caption.empty()) return;
    SetBkMode(Canvas->Handle(), TRANSPARENT);
    TRect TextRect = Bounds(X0 + TextPos.X, Y0 + TextPos.Y, Text.cx, Text.cy);
    if (!Enabled) {
        // The classic embossed look of a disabled caption.
        TRect Light = TextRect;
        OffsetRect(Light, 1, 1);
        Canvas->Font()->SetColor(clBtnHighlight);
        DrawText(Canvas->Handle(), Caption, Light, DT_CENTER | DT_SINGLELINE);
        Canvas->Font()->SetColor(clBtnShadow);
    }
    DrawText(Canvas->Handle(), Caption, TextRect, DT_CENTER | DT_SINGLELINE);
}

} // namespace detail
