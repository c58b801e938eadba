#pragma once
// Form and application stylers: non-visual components that give a whole form
// (TKelFormStyler) or a whole application (TKelAppStyler) one look. A form
// styler applies a TKelStyle to its form and every component on it that
// implements IKelStyleEx or IKelStyle, or colour tones to every component that
// implements IKelTones; frames on the form are walked into. An application
// styler pushes its settings to every form styler registered with it.
//
// Lifetimes: an application styler's list of form stylers does not own them.
// A form styler leaves the list of its application styler when it is freed or
// follows another one; an application styler freed first clears the AppStyle
// of every form styler in its list.

#include "kel/KelStyle.h"
#include "rtl/Component.h"
#include "rtl/StringList.h"
#include "vcl/Controls.h"

#include <functional>
#include <memory>
#include <vector>

class TCustomForm;
class TCustomComboBox;
class TKelAppStyler;

using TApplyStyleEvent = std::function<void(TObject* Sender, TComponent* AComponent, bool& Allow)>;
using TAppliedStyleEvent = std::function<void(TObject* Sender, TComponent* AComponent)>;

// The tones a styler starts with: system window and highlight colours.
TColorTones DefaultColorTones();
// Light or dark tones round one accent colour; ATextColor is not used.
TColorTones MetroColorTones(bool ALight, TColor AColor, TColor ATextColor = 0);
// The colour a form gets with a style.
TColor StylerFormColor(TKelStyle AStyle);

// A hidden window that reports the platform's theme-changed message.
class TStylerThemeWindow : public TWinControl {
    RTL_CLASS(TStylerThemeWindow)
public:
    explicit TStylerThemeWindow(TComponent* AOwner) : TWinControl(AOwner) {}
    void WndProc(TMessage& Message) override;

    TNotifyEvent OnThemeChange;
};

class TKelFormStyler : public TComponent {
    RTL_CLASS(TKelFormStyler)
public:
    explicit TKelFormStyler(TComponent* AOwner);
    ~TKelFormStyler() override;
    // Makes the hidden theme window (at run time) and enables the styler.
    void AfterConstruction() override;
    // Leaves the application styler's list.
    void BeforeDestruction() override;
    // From another form styler: AutoThemeAdapt, then Style, through their writers.
    void Assign(const TPersistent* Source) override;
    void Loaded() override;

    TColor AppColor() const { return FAppColor; }
    void SetAppColor(TColor Value);
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool Metro() const { return FMetro; }
    void SetMetro(bool Value);
    TColor MetroColor() const { return FMetroColor; }
    void SetMetroColor(TColor Value);
    TColor MetroTextColor() const { return FMetroTextColor; }
    void SetMetroTextColor(TColor Value);
    TMetroStyle MetroStyle() const { return FMetroStyle; }
    void SetMetroStyle(TMetroStyle Value);
    TKelStyle Style() const { return FStyle; }
    void SetStyle(TKelStyle Value);
    TKelAppStyler* AppStyle() const { return FAppStyle; }
    void SetAppStyle(TKelAppStyler* Value);
    TCustomComboBox* ComboBox() const { return FComboBox; }
    void SetComboBox(TCustomComboBox* Value);
    const TColorTones& ColorTones() const { return FTones; }
    // The hidden theme window; null at design time.
    TStylerThemeWindow* ThemeWindow() const { return FThemeWindow; }

    // The style applied to the owner (a form or a frame); nothing when disabled.
    void ApplyStyle();
    void ApplyStyleToForm(TCustomForm* Form, TKelStyle AStyle);
    void ApplyStyleToFrame(TComponent* Frame, TKelStyle AStyle);
    void ApplyColorTonesToForm(TCustomForm* Form, const TColorTones& ATones);
    void ApplyColorTonesToFrame(TComponent* Frame, const TColorTones& ATones);
    // Metro on, Style tsCustom (both without their writers), and the tones
    // to every component of the owner that takes tones.
    void SetColorTones(const TColorTones& ATones);
    // The 26 style names, each with its style's ordinal as object.
    static std::unique_ptr<TStringList> GetStyles();
    // The combo box's selection: Style becomes the selected item's style.
    void HandleStyleSelect(TObject* Sender);

    virtual void UpdateMetroTones();
    virtual void DoChange();
    virtual Integer GetVersionNr() const;
    String Version() const;
    void SetVersion(const String&) {}

    TApplyStyleEvent OnApplyStyle;
    TAppliedStyleEvent OnAppliedStyle;
    TApplyStyleEvent OnApplyColorTones;
    TAppliedStyleEvent OnAppliedColorTones;
    TNotifyEvent OnChange;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TKelAppStyler;
    void ThemeChanged(TObject* Sender);
    void StyleComponent(TComponent* AComponent, TKelStyle AStyle);
    void TonesComponent(TComponent* AComponent, const TColorTones& ATones);
    bool Loading() const;
    bool Designing() const;

    TColor FAppColor = 0;
    bool FAutoThemeAdapt = false;
    bool FEnabled = false;
    bool FMetro = false;
    TColor FMetroColor = 0;
    TColor FMetroTextColor = 0;
    TMetroStyle FMetroStyle = msLight;
    TKelStyle FStyle = tsCustom;
    TKelAppStyler* FAppStyle = nullptr;
    TCustomComboBox* FComboBox = nullptr;
    TColorTones FTones;
    TStylerThemeWindow* FThemeWindow = nullptr;
};

class TKelAppStyler : public TComponent {
    RTL_CLASS(TKelAppStyler)
public:
    explicit TKelAppStyler(TComponent* AOwner);
    ~TKelAppStyler() override;
    void AfterConstruction() override;
    // Clears the AppStyle of every registered form styler.
    void BeforeDestruction() override;
    // From another application styler: Style, then AutoThemeAdapt.
    void Assign(const TPersistent* Source) override;
    void Loaded() override;

    TColor AppColor() const { return FAppColor; }
    void SetAppColor(TColor Value);
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool Metro() const { return FMetro; }
    void SetMetro(bool Value);
    TColor MetroColor() const { return FMetroColor; }
    void SetMetroColor(TColor Value);
    TColor MetroTextColor() const { return FMetroTextColor; }
    void SetMetroTextColor(TColor Value);
    TMetroStyle MetroStyle() const { return FMetroStyle; }
    void SetMetroStyle(TMetroStyle Value);
    TKelStyle Style() const { return FStyle; }
    void SetStyle(TKelStyle Value);
    const TColorTones& ColorTones() const { return FTones; }
    TStylerThemeWindow* ThemeWindow() const { return FThemeWindow; }

    // Appended once; removed when present.
    void RegisterFormStyler(TKelFormStyler* AFormStyler);
    void UnRegisterFormStyler(TKelFormStyler* AFormStyler);
    const std::vector<TKelFormStyler*>& FormStylers() const { return FFormStylers; }

    // Every registered form styler takes the application's settings.
    void ApplyStyle();
    void SetColorTones(const TColorTones& ATones);

    virtual void UpdateMetroTones();
    virtual void DoChange();
    virtual Integer GetVersionNr() const;
    String Version() const;
    void SetVersion(const String&) {}

    TNotifyEvent OnChange;

private:
    void ThemeChanged(TObject* Sender);
    bool LoadingOrDesigning() const;

    TColor FAppColor = 0x1FFFFFFF;
    bool FAutoThemeAdapt = false;
    bool FEnabled = false;
    bool FMetro = false;
    TColor FMetroColor = 0;
    TColor FMetroTextColor = 0;
    TMetroStyle FMetroStyle = msLight;
    TKelStyle FStyle = tsCustom;
    TColorTones FTones;
    std::vector<TKelFormStyler*> FFormStylers;
    TStylerThemeWindow* FThemeWindow = nullptr;
};
