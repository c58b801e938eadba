#pragma once
// A small shaped window that shows a short text next to a control: a
// balloon with an arrow pointing at the control, or a rounded rectangle.
// TKelToolTip holds the settings; TKelToolTipWindow is the window, a child
// of the control's form. While shown, the control's published "BorderColor"
// takes the settings' BorderColor; it is put back when the window is freed.

#include "graphics/GraphicsObjects.h"
#include "graphics/ImageList.h"
#include "rtl/Component.h"
#include "vcl/Controls.h"

#include <memory>

RTL_ENUM(TKelToolTipPosition, ttTopRight, ttTopLeft, ttTopCenter, ttRight, ttBottomLeft, ttBottomCenter,
         ttBottomRight, ttCustom)
RTL_ENUM(TKelToolTipShape, tsBalloon, tsRectangle)

class TKelToolTip : public TComponent {
    RTL_CLASS(TKelToolTip)
public:
    explicit TKelToolTip(TComponent* AOwner);
    ~TKelToolTip() override;
    // Every setting but Version, the font copied.
    void Assign(const TPersistent* Source) override;

    TColor ControlBorderColor() const { return FControlBorderColor; }
    void SetControlBorderColor(TColor Value) { FControlBorderColor = Value; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { FBorderColor = Value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value) { FFont->Assign(Value); }
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value) { FImageIndex = Value; }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    Integer Margin() const { return FMargin; }
    void SetMargin(Integer Value) { FMargin = Value; }
    // 0: no wrapping.
    Integer MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(Integer Value) { FMaxWidth = Value; }
    TKelToolTipPosition Position() const { return FPosition; }
    void SetPosition(TKelToolTipPosition Value) { FPosition = Value; }
    Integer Rounding() const { return FRounding; }
    void SetRounding(Integer Value) { FRounding = Value; }
    TKelToolTipShape Shape() const { return FShape; }
    void SetShape(TKelToolTipShape Value) { FShape = Value; }
    // The place of a ttCustom tip relative to the control.
    Integer X() const { return FX; }
    void SetX(Integer Value) { FX = Value; }
    Integer Y() const { return FY; }
    void SetY(Integer Value) { FY = Value; }
    String Version() const;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TColor FControlBorderColor = 255;
    TColor FBorderColor = 255;
    TColor FColor = 255;
    std::unique_ptr<TFont> FFont;
    Integer FImageIndex = -1;
    TCustomImageList* FImages = nullptr;
    Integer FMargin = 0;
    Integer FMaxWidth = 0;
    TKelToolTipPosition FPosition = ttRight;
    Integer FRounding = 2;
    TKelToolTipShape FShape = tsBalloon;
    Integer FX = 0;
    Integer FY = 0;
};

class TKelToolTipWindow : public TCustomControl {
    RTL_CLASS(TKelToolTipWindow)
public:
    explicit TKelToolTipWindow(TComponent* AOwner);
    ~TKelToolTipWindow() override;
    // Puts the control's border colour back.
    void BeforeDestruction() override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    const String& Text() const { return FText; }
    // A new text resizes and repaints the window.
    void SetText(const String& Value);
    // The settings in force: those given to Show, else the window's own.
    TKelToolTip* Settings() const { return FToolTip ? FToolTip : FOwnToolTip; }
    TControl* Control() const { return FControl; }

    // Shows the tip next to AControl with the settings AToolTip (null: the
    // window's own); nothing for a null control.
    void Show(TControl* AControl, TKelToolTip* AToolTip);

    virtual void UpdateSize();
    virtual void UpdatePosition();

protected:
    void Paint() override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void UpdateRegion();
    bool IsTop() const;
    bool IsBottom() const;
    Integer ArrowX() const;

    TColor FColor = 255;
    String FText = u"1";
    TKelToolTip* FToolTip = nullptr;
    TKelToolTip* FOwnToolTip = nullptr;
    TControl* FControl = nullptr;
    TColor FSavedBorderColor = 0x1FFFFFFF;
    bool FBorderColorChanged = false;
};
