#pragma once
// An image control: shows a picture at its natural size from the top left,
// centred, stretched to the control or, with Proportional, scaled down
// (never up) keeping its shape. With AutoSize the control takes the
// picture's size.

#include "graphics/Picture.h"
#include "vcl/Controls.h"

#include <memory>

class TImage : public TGraphicControl {
    RTL_CLASS(TImage)
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;

    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(const TPicture* Value) { FPicture->Assign(Value); }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    bool Center() const { return FCenter; }
    void SetCenter(bool Value);
    bool Proportional() const { return FProportional; }
    void SetProportional(bool Value);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool Value);
    // The parent shows through the picture's transparent pixels.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);

    // Where the picture is drawn, in client coordinates.
    TRect DestRect() const;

protected:
    void Paint() override;

private:
    void PictureChanged();

    std::unique_ptr<TPicture> FPicture;
    bool FAutoSize = false;
    bool FCenter = false;
    bool FProportional = false;
    bool FStretch = false;
    bool FTransparent = false;
};
