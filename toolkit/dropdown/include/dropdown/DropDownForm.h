#pragma once
// The pop-up of a drop-down edit: a borderless top-level form, owned by the
// form that holds the edit and kept above it, that stacks an optional header
// bar, the hosted control and an optional footer bar inside a border. It
// closes when another window outside it is activated (with cancel, unless
// told otherwise) and remembers when that happened, so a click on the
// edit's button that caused it does not open it again at once.

#include "vcl/Forms.h"

class TKelCustomDropDown;
class TScrollBox;
class TKelHeader;
class TKelFooter;

class TDropDownForm : public TCustomForm {
    RTL_CLASS(TDropDownForm)
public:
    explicit TDropDownForm(TComponent* AOwner) : TDropDownForm(AOwner, 0) {}
    TDropDownForm(TComponent* AOwner, Integer Dummy);
    ~TDropDownForm() override;

    bool IsDeactivating() const { return FIsDeactivating; }
    void SetIsDeactivating(bool Value) { FIsDeactivating = Value; }
    // While set, activation changes are ignored.
    bool BlockActivate() const { return FBlockActivate; }
    void SetBlockActivate(bool Value) { FBlockActivate = Value; }
    // Tick count (milliseconds) of the last deactivation.
    Cardinal DeActivateTime() const { return FDeActivate; }
    void SetDeActivateTime(Cardinal Value) { FDeActivate = Value; }
    TScrollBox* ScrollBox() const { return FScrollBox; }
    bool Sizeable() const { return FSizeable; }
    void SetSizeable(bool Value) { FSizeable = Value; }
    bool Shadow() const { return FShadow; }
    void SetShadow(bool Value) { FShadow = Value; }
    // The header and footer bars, made when first wanted.
    TKelHeader* Header() const { return FHeader; }
    TKelFooter* Footer() const { return FFooter; }
    bool CancelOnDeActivate() const { return FCancelOnDeActivate; }
    void SetCancelOnDeActivate(bool Value) { FCancelOnDeActivate = Value; }
    TKelCustomDropDown* KelDropDown() const { return FKelDropDown; }
    void SetKelDropDown(TKelCustomDropDown* Value) { FKelDropDown = Value; }

    virtual void UpdateSize() {}
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
    // Binds the bars to the drop-down's appearances, making a bar the
    // first time its appearance is visible.
    void InitializeAndUpdate();

    void WndProc(TMessage& Message) override;

    TNotifyEvent OnSize;
    TNotifyEvent OnSizing;

protected:
    void CreateParams(TCreateParams& Params) override;
    void AdjustClientRect(TRect& Rect) const override;
    void Paint() override;
    void PaintBackground(TCanvas* Canvas);

private:
    void HandleActivate(TMessage& Message);

    Cardinal FDeActivate = 0;
    bool FShadow = true;
    TKelFooter* FFooter = nullptr;
    TKelHeader* FHeader = nullptr;
    TKelCustomDropDown* FKelDropDown = nullptr;
    TScrollBox* FScrollBox = nullptr;
    bool FSizeable = false;
    bool FCancelOnDeActivate = true;
    bool FBlockActivate = false;
    bool FIsDeactivating = false;
};
