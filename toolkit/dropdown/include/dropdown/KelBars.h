#pragma once
// The pop-up's bars and their push buttons. TKelButton is a small glossy
// button that shows its bar through itself and paints its face from a
// TKelButtonAppearance; it can be a plain, check or grouped button and may
// carry a modal result that closes its drop-down. TKelHeader and TKelFooter
// paint a bar above and below the hosted control from the drop-down's
// DropDownHeader and DropDownFooter: background, border, image, markup
// caption and a row of TKelButtons; the footer also has a size grip that
// resizes the pop-up. TDbgList is the checked list the bars keep their
// buttons in.

#include "dropdown/KelDropDownAppearance.h"
#include "rtl/List.h"
#include "vcl/Timer.h"

#include <functional>

class TKelCustomDropDown;

using TDrawBackGroundEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, const TRect& ARect)>;
using TGetTextEvent = std::function<void(TObject* Sender, String& Text)>;
using TDropDownButtonItemClick = std::function<void(TObject* Sender, Integer ButtonIndex)>;

RTL_ENUM(TKelButtonStyle, tasButton, tasCheck)
RTL_ENUM(TKelButtonState, absUp, absDisabled, absDown, absDropDown, absExclusive)

class TKelButton : public TCustomControl {
    RTL_CLASS(TKelButton)
public:
    explicit TKelButton(TComponent* AOwner);
    ~TKelButton() override;

    void Click() override;
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

    // Caption height + 4 and width + 8, or the image's size when larger.
    void AutoSizeToContent();
    // The drop-down a modal result closes (footer buttons).
    void SetKelDropDown(TKelCustomDropDown* ADropDown) { FKelDropDown = ADropDown; }
    TKelCustomDropDown* KelDropDown() const { return FKelDropDown; }

    TKelButtonAppearance* Appearance() const { return FAppearance; }
    void SetAppearance(TKelButtonAppearance* Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    Integer GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Integer Value) { FGroupIndex = Value; }
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
    TKelButtonStyle Style() const { return FStyle; }
    void SetStyle(TKelButtonStyle Value) { FStyle = Value; }
    TKelButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }
    TTimer* UnHotTimer() const { return FUnHotTimer; }

    void WndProc(TMessage& Message) override;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    void Paint() override;
    virtual void DrawButton(TCanvas* ACanvas);
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    void UpdateExclusive();
    void UpdateTracking();
    void UnHotTimerTick(TObject* Sender);
    bool Inside(Integer X, Integer Y) const;

    Integer FGroupIndex = 0;
    bool FDown = false;
    bool FAllowAllUp = false;
    Integer FOffSet = 4;
    bool FMouseInControl = false;
    bool FHot = false;
    TKelButtonStyle FStyle = tasButton;
    TKelButtonState FState = absUp;
    bool FMouseDownInControl = false;
    bool FGrouped = true;
    bool FDragging = false;
    bool FPropHot = false;
    TTimer* FUnHotTimer = nullptr;
    bool FInitialDown = false;
    bool FInternalClick = false;
    TKelButtonAppearance* FAppearance = nullptr;
    TCustomImageList* FImages = nullptr;
    Integer FImageIndex = -1;
    TModalResult FModalResult = 0;
    TKelCustomDropDown* FKelDropDown = nullptr;
};

// A list of pointers whose reads and writes past the end raise.
class TDbgList : public TList {
    RTL_CLASS(TDbgList)
public:
    TDbgList() = default;
    void AssignList(const TList* ListA);
    // Raise "Index out of bounds in list read access" / "... write access"
    // for an index at or past Count.
    void* GetItemsEx(Integer Index) const;
    void SetItemsEx(Integer Index, void* Value);
};

// What the header and the footer share: painting, the button row and the
// binding to a drop-down. Footer differences are marked.
class TKelBar : public TCustomControl {
    RTL_CLASS(TKelBar)
public:
    ~TKelBar() override;
    void BeforeDestruction() override;

    // Binds the bar: its Images and a copy of the drop-down's appearance;
    // null forgets the images.
    virtual void SetKelDropDown(TKelCustomDropDown* ADropDown) = 0;
    TKelCustomDropDown* KelDropDown() const { return FKelDropDown; }
    void RebuildButtons();
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value) { FImages = Value; }
    // The TKelButtons, in definition order.
    const TDbgList& ButtonList() const { return FButtonList; }
    TKelButton* BarButton(Integer Index) const { return static_cast<TKelButton*>(FButtonList.GetItemsEx(Index)); }
    // The buttons area: client rectangle less the bar's margins.
    virtual TRect ButtonsRect() const = 0;

    virtual void BuildButtons();
    virtual void ClearButtons();
    virtual void ArrangeButtons();
    virtual void UpdateButtons();

    void WndProc(TMessage& Message) override;

    TDrawBackGroundEvent OnDrawBackGround;
    TGetTextEvent OnGetText;

protected:
    TKelBar(TComponent* AOwner, TBarAppearance* AAppearance);
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual bool IsFooter() const = 0;
    // The definitions of the drop-down's own appearance (null without one).
    virtual THeaderButtons* DefinitionButtons() const = 0;
    virtual void ButtonClicked(Integer Index) = 0;
    virtual void PaintGrip(const TRect&) {}
    void AppearanceChanged(TObject* Sender);

    TBarAppearance* FBarAppearance;
    TCustomImageList* FImages = nullptr;
    TKelCustomDropDown* FKelDropDown = nullptr;
    TDbgList FButtonList;
};

class TKelHeader : public TKelBar {
    RTL_CLASS(TKelHeader)
public:
    explicit TKelHeader(TComponent* AOwner);
    ~TKelHeader() override;
    void SetKelDropDown(TKelCustomDropDown* ADropDown) override;
    THeaderAppearance* Appearance() const { return FAppearance.get(); }
    void SetAppearance(const THeaderAppearance* Value) { FAppearance->Assign(Value); }
    THeaderButtons* Buttons() const { return DefinitionButtons(); }
    TRect ButtonsRect() const override;

protected:
    bool IsFooter() const override { return false; }
    THeaderButtons* DefinitionButtons() const override;
    void ButtonClicked(Integer Index) override;

private:
    std::unique_ptr<THeaderAppearance> FAppearance;
};

class TKelFooter : public TKelBar {
    RTL_CLASS(TKelFooter)
public:
    explicit TKelFooter(TComponent* AOwner);
    ~TKelFooter() override;
    void SetKelDropDown(TKelCustomDropDown* ADropDown) override;
    TFooterAppearance* Appearance() const { return FAppearance.get(); }
    void SetAppearance(const TFooterAppearance* Value) { FAppearance->Assign(Value); }
    TFooterButtons* Buttons() const { return static_cast<TFooterButtons*>(DefinitionButtons()); }
    TRect ButtonsRect() const override;
    void BuildButtons() override;
    // SizeGrip on and a bound drop-down with DropDownSizeable.
    bool SizeGripVisible() const;
    // X > Width - 12 and Y > Height - 15, with a visible grip and a parent.
    bool InGripZone(Integer X, Integer Y) const;

protected:
    bool IsFooter() const override { return true; }
    THeaderButtons* DefinitionButtons() const override;
    void ButtonClicked(Integer Index) override;
    void PaintGrip(const TRect& R) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    void RestoreCursor();

    std::unique_ptr<TFooterAppearance> FAppearance;
    TCursor FOldCursor = 0;
};
