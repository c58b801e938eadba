// The image control: a picture placed in the control's rectangle.

#include "vcl/Image.h"

#include "graphics/Rect.h"
#include "rtl/ClassBuilder.h"

#include <algorithm>

const TClassInfo& TImage::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TImage, TGraphicControl>()
                                       .Property(u"AutoSize", &TImage::AutoSize, &TImage::SetAutoSize)
                                       .Default(false)
                                       .Property(u"Center", &TImage::Center, &TImage::SetCenter)
                                       .Default(false)
                                       .Property(u"Picture", &TImage::Picture,
                                                 [](TImage& Image, TPicture* Value) { Image.SetPicture(Value); })
                                       .Property(u"Proportional", &TImage::Proportional, &TImage::SetProportional)
                                       .Default(false)
                                       .Property(u"Stretch", &TImage::Stretch, &TImage::SetStretch)
                                       .Default(false)
                                       .Property(u"Transparent", &TImage::Transparent, &TImage::SetTransparent)
                                       .Default(false)
                                       .Build();
    return Info;
}

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>()) {
    SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
    FPicture->OnChange = [this](TObject*) { PictureChanged(); };
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage() {
    FPicture->OnChange = nullptr;
}

void TImage::SetAutoSize(bool Value) {
    if (FAutoSize == Value) return;
    FAutoSize = Value;
    PictureChanged();
}

void TImage::SetCenter(bool Value) {
    if (FCenter == Value) return;
    FCenter = Value;
    Invalidate();
}

void TImage::SetProportional(bool Value) {
    if (FProportional == Value) return;
    FProportional = Value;
    Invalidate();
}

void TImage::SetStretch(bool Value) {
    if (FStretch == Value) return;
    FStretch = Value;
    Invalidate();
}

void TImage::SetTransparent(bool Value) {
    if (FTransparent == Value) return;
    FTransparent = Value;
    PictureChanged();
}

void TImage::PictureChanged() {
    TGraphic* Graphic = FPicture->Graphic();
    if (Graphic) {
        if (FTransparent != Graphic->Transparent()) Graphic->SetTransparent(FTransparent);
        if (FAutoSize && !Graphic->Empty()) SetBounds(Left(), Top(), Graphic->Width(), Graphic->Height());
    }
    // An opaque picture that covers the control spares the parent's painting.
    bool Covers = Graphic && !FTransparent && (FStretch || (Graphic->Width() >= Width() &&
                                                            Graphic->Height() >= Height()));
    if (Covers)
        SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
    else
        SetControlStyle(ControlStyle() - TControlStyle{csOpaque});
    Invalidate();
}

TRect TImage::DestRect() const {
    Integer PictureWidth = FPicture->Width(), PictureHeight = FPicture->Height();
    Integer ClientW = Width(), ClientH = Height();
    Integer W = PictureWidth, H = PictureHeight;
    if (FStretch || (FProportional && (W > ClientW || H > ClientH))) {
        if (FProportional && W > 0 && H > 0) {
            // Scale to fit, keeping the shape.
            if (Int64(ClientW) * H > Int64(ClientH) * W) {
                H = ClientH;
                W = Integer(Int64(PictureWidth) * ClientH / PictureHeight);
            } else {
                W = ClientW;
                H = Integer(Int64(PictureHeight) * ClientW / PictureWidth);
            }
        } else {
            W = ClientW;
            H = ClientH;
        }
    }
    TRect Result{0, 0, W, H};
    if (FCenter) winapi::OffsetRect(Result, (ClientW - W) / 2, (ClientH - H) / 2);
    return Result;
}

void TImage::Paint() {
    TGraphic* Graphic = FPicture->Graphic();
    if (!Graphic || Graphic->Empty()) return;
    Canvas()->StretchDraw(DestRect(), Graphic);
}
