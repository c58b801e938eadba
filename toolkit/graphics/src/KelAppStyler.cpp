// Form and application stylers, their tones and the style a control finds on
// its form.

#include "kel/KelAppStyler.h"

#include "graphics/Colors.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "vcl/Forms.h"
#include "vcl/Frame.h"
#include "vcl/StdCtrls.h"
#include "windowing/Messages.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

constexpr Cardinal StylerVersion = 0x02040001;

struct TStyleName {
    const Char* Name;
    TKelStyle Style;
};

constexpr std::array<TStyleName, 26> StyleNames{{
    {u"Office 2003 Blue", tsOffice2003Blue},
    {u"Office 2003 Silver", tsOffice2003Silver},
    {u"Office 2003 Olive", tsOffice2003Olive},
    {u"Office 2003 Classic", tsOffice2003Classic},
    {u"Office 2007 Blue", tsOffice2007Luna},
    {u"Office 2007 Silver", tsOffice2007Silver},
    {u"Office 2007 Black", tsOffice2007Obsidian},
    {u"Windows XP", tsWindowsXP},
    {u"Windows Vista", tsWindowsVista},
    {u"Windows 7", tsWindows7},
    {u"Windows 8", tsWindows8},
    {u"Windows 10", tsWindows10},
    {u"Terminal", tsTerminal},
    {u"Office 2010 Blue", tsOffice2010Blue},
    {u"Office 2010 Silver", tsOffice2010Silver},
    {u"Office 2010 Black", tsOffice2010Black},
    {u"Office 2013 White", tsOffice2013White},
    {u"Office 2013 Light gray", tsOffice2013LightGray},
    {u"Office 2013 Gray", tsOffice2013Gray},
    {u"Office 2016 White", tsOffice2016White},
    {u"Office 2016 Gray", tsOffice2016Gray},
    {u"Office 2016 Black", tsOffice2016Black},
    {u"Office 2019 White", tsOffice2019White},
    {u"Office 2019 Gray", tsOffice2019Gray},
    {u"Office 2019 Black", tsOffice2019Black},
    {u"Custom", tsCustom},
}};

String VersionText(Cardinal ANumber) {
    return IntToStr((ANumber >> 24) & 0xFF) + u"." + IntToStr((ANumber >> 16) & 0xFF) + u"." +
           IntToStr((ANumber >> 8) & 0xFF) + u"." + IntToStr(ANumber & 0xFF);
}

bool IsFrame(const TComponent* AComponent) {
    return dynamic_cast<const TCustomFrame*>(AComponent) != nullptr;
}

// The first windowed control from AOwner up the owner chain.
TWinControl* FirstWindowedOwner(TComponent* AOwner) {
    for (TComponent* C = AOwner; C; C = C->Owner())
        if (auto* W = dynamic_cast<TWinControl*>(C)) return W;
    return nullptr;
}

TStylerThemeWindow* MakeThemeWindow(TComponent* AStyler, TWinControl* AParent) {
    auto* Window = Create<TStylerThemeWindow>(AStyler);
    Window->SetVisible(false);
    if (AParent) Window->SetParent(AParent);
    return Window;
}

TKelStyle StyleOfForm(const TComponent* AForm, TKelStyle ADefault) {
    for (Integer I = 0; I < AForm->ComponentCount(); ++I) {
        const auto* Styler = dynamic_cast<const TKelFormStyler*>(AForm->Components(I));
        if (Styler && Styler->Enabled() && Styler->Style() != tsCustom) return Styler->Style();
    }
    return ADefault;
}

} // namespace

TColorTones DefaultColorTones() {
    TColorTones T;
    T.Background = {clWindow, clHighlight, clWindowText};
    T.Foreground = {0xC0C0C0, 0xC0C0C0, 0};
    T.Selected = {clHighlight, clHighlight, clHighlightText};
    T.Hover = {0x808080, 0x808080, 0xFFFFFF};
    T.Disabled = {clWindow, 0xC0C0C0, 0xC0C0C0};
    return T;
}

TColorTones MetroColorTones(bool ALight, TColor AColor, TColor) {
    TColorTones T;
    T.Background = ALight ? TColorTone{0xFFFFFF, AColor, 0} : TColorTone{0, AColor, 0xFFFFFF};
    T.Foreground = {0xC0C0C0, 0xC0C0C0, 0};
    T.Selected = {AColor, AColor, 0xFFFFFF};
    T.Hover = {ShadeColor(AColor, 20), ShadeColor(AColor, 20), 0xFFFFFF};
    T.Disabled = {0xC0C0C0, 0x808080, 0x808080};
    return T;
}

TColor StylerFormColor(TKelStyle AStyle) {
    switch (AStyle) {
    case tsOffice2013White:
    case tsOffice2016White:
    case tsOffice2019White:
        return 0xFFFFFF;
    case tsOffice2013LightGray:
        return 0xC0C0C0;
    case tsOffice2013Gray:
    case tsOffice2016Gray:
        return 0x808080;
    case tsOffice2019Gray:
        return 0x666666;
    case tsOffice2016Black:
    case tsOffice2019Black:
        return 0x000000;
    default:
        return clBtnFace;
    }
}

TKelStyle FormStylerStyle(TComponent* AComponent, TKelStyle ADefault) {
    if (!AComponent) return ADefault;
    if (dynamic_cast<TCustomForm*>(AComponent)) return StyleOfForm(AComponent, ADefault);
    if (auto* Control = dynamic_cast<TControl*>(AComponent)) {
        TCustomForm* Form = GetParentForm(Control, true);
        return Form ? StyleOfForm(Form, ADefault) : ADefault;
    }
    return ADefault;
}

// --- Class records ------------------------------------------------------------------

const TClassInfo& TStylerThemeWindow::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TStylerThemeWindow, TWinControl>().Build();
    return Info;
}

const TClassInfo& TKelFormStyler::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelFormStyler, TComponent>().Build();
    return Info;
}

const TClassInfo& TKelAppStyler::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelAppStyler, TComponent>().Build();
    return Info;
}

// --- TStylerThemeWindow ------------------------------------------------------------

void TStylerThemeWindow::WndProc(TMessage& Message) {
    if (Message.Msg == winapi::WM_THEMECHANGED && OnThemeChange) OnThemeChange(this);
    TWinControl::WndProc(Message);
}

// --- TKelFormStyler ------------------------------------------------------------------

TKelFormStyler::TKelFormStyler(TComponent* AOwner) : TComponent(AOwner) {
    FTones = DefaultColorTones();
    FMetroColor = FTones.Selected.BrushColor;
    if (Designing() && !(AOwner && (AOwner->ComponentState().Contains(csReading) ||
                                    AOwner->ComponentState().Contains(csLoading))))
        FAppColor = 0xE29E00;
}

TKelFormStyler::~TKelFormStyler() = default;

void TKelFormStyler::AfterConstruction() {
    TComponent::AfterConstruction();
    if (!Designing()) {
        FThemeWindow = MakeThemeWindow(this, FirstWindowedOwner(Owner()));
        FThemeWindow->OnThemeChange = [this](TObject* Sender) { ThemeChanged(Sender); };
    }
    SetEnabled(true);
}

void TKelFormStyler::BeforeDestruction() {
    if (FAppStyle) {
        FAppStyle->UnRegisterFormStyler(this);
        FAppStyle->RemoveFreeNotification(this);
        FAppStyle = nullptr;
    }
    if (FComboBox) {
        FComboBox->RemoveFreeNotification(this);
        FComboBox = nullptr;
    }
    TComponent::BeforeDestruction();
}

bool TKelFormStyler::Loading() const {
    return ComponentState().Contains(csLoading);
}

bool TKelFormStyler::Designing() const {
    return ComponentState().Contains(csDesigning);
}

void TKelFormStyler::Assign(const TPersistent* Source) {
    if (const auto* Other = dynamic_cast<const TKelFormStyler*>(Source)) {
        SetAutoThemeAdapt(Other->AutoThemeAdapt());
        SetStyle(Other->Style());
        return;
    }
    TComponent::Assign(Source);
}

void TKelFormStyler::Loaded() {
    TComponent::Loaded();
    if (Designing()) return;
    if (FAppStyle) {
        FStyle = FAppStyle->Style();
        FTones = FAppStyle->ColorTones();
        SetMetro(FAppStyle->Metro());
        SetMetroStyle(FAppStyle->MetroStyle());
        SetMetroTextColor(FAppStyle->MetroTextColor());
        SetMetroColor(FAppStyle->MetroColor());
    } else {
        const TKelStyle Loaded = FStyle;
        SetStyle(tsCustom);
        SetStyle(Loaded);
    }
    if (FMetro) SetColorTones(FTones);
    ThemeChanged(this);
}

void TKelFormStyler::SetAppColor(TColor Value) {
    if (Value == FAppColor) return;
    FAppColor = Value;
    if (FStyle != tsCustom && !Loading()) ApplyStyle();
}

void TKelFormStyler::SetAutoThemeAdapt(bool Value) {
    FAutoThemeAdapt = Value;
    ThemeChanged(this);
}

void TKelFormStyler::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    FEnabled = Value;
    if (FEnabled) ApplyStyle();
}

void TKelFormStyler::SetMetro(bool Value) {
    if (Value == FMetro) return;
    FMetro = Value;
    if (FMetro) UpdateMetroTones();
}

void TKelFormStyler::SetMetroColor(TColor Value) {
    if (Value == FMetroColor) return;
    FMetroColor = Value;
    UpdateMetroTones();
}

void TKelFormStyler::SetMetroTextColor(TColor Value) {
    if (Value == FMetroTextColor) return;
    FMetroTextColor = Value;
    UpdateMetroTones();
}

void TKelFormStyler::SetMetroStyle(TMetroStyle Value) {
    if (Value == FMetroStyle) return;
    FMetroStyle = Value;
    UpdateMetroTones();
}

void TKelFormStyler::SetStyle(TKelStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    if (FStyle != tsCustom && !Loading()) ApplyStyle();
}

void TKelFormStyler::SetAppStyle(TKelAppStyler* Value) {
    if (Value == FAppStyle) return;
    // Registered with at most the application styler it follows.
    if (FAppStyle) {
        FAppStyle->UnRegisterFormStyler(this);
        FAppStyle->RemoveFreeNotification(this);
    }
    FAppStyle = Value;
    if (!FAppStyle) return;
    FAppStyle->FreeNotification(this);
    if (!Loading()) SetStyle(FAppStyle->Style());
    if (!Designing()) FAppStyle->RegisterFormStyler(this);
}

void TKelFormStyler::SetComboBox(TCustomComboBox* Value) {
    if (Value == FComboBox) return;
    if (FComboBox) FComboBox->RemoveFreeNotification(this);
    FComboBox = Value;
    if (!FComboBox) return;
    FComboBox->FreeNotification(this);
    const std::unique_ptr<TStringList> Styles = GetStyles();
    FComboBox->Items()->Assign(Styles.get());
    FComboBox->OnSelect = [this](TObject* Sender) { HandleStyleSelect(Sender); };
    FComboBox->SetStyle(csDropDownList);
    for (Integer I = 0; I < FComboBox->Items()->Count(); ++I)
        if (reinterpret_cast<std::uintptr_t>(FComboBox->Items()->Objects(I)) == std::uintptr_t(FStyle)) {
            FComboBox->SetItemIndex(I);
            break;
        }
}

std::unique_ptr<TStringList> TKelFormStyler::GetStyles() {
    auto List = std::make_unique<TStringList>();
    for (const TStyleName& S : StyleNames)
        List->AddObject(S.Name, reinterpret_cast<TObject*>(std::uintptr_t(S.Style)));
    return List;
}

void TKelFormStyler::HandleStyleSelect(TObject* Sender) {
    auto* Box = dynamic_cast<TCustomComboBox*>(Sender);
    if (!Box || Box->ItemIndex() < 0) return;
    SetStyle(TKelStyle(reinterpret_cast<std::uintptr_t>(Box->Items()->Objects(Box->ItemIndex()))));
}

void TKelFormStyler::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FAppStyle) FAppStyle = nullptr;
    if (AComponent == FComboBox) FComboBox = nullptr;
}

void TKelFormStyler::ApplyStyle() {
    if (!FEnabled) return;
    if (auto* Form = dynamic_cast<TCustomForm*>(Owner()))
        ApplyStyleToForm(Form, FStyle);
    else if (IsFrame(Owner()))
        ApplyStyleToFrame(Owner(), FStyle);
    DoChange();
}

void TKelFormStyler::StyleComponent(TComponent* AComponent, TKelStyle AStyle) {
    IKelStyleEx* Ex = dynamic_cast<IKelStyleEx*>(AComponent);
    IKelStyle* Plain = Ex ? nullptr : dynamic_cast<IKelStyle*>(AComponent);
    if (!Ex && !Plain) return;
    bool Allow = true;
    if (OnApplyStyle) OnApplyStyle(this, AComponent, Allow);
    if (!Allow) return;
    if (Ex)
        Ex->SetComponentStyleAndAppColor(AStyle, FAppColor);
    else
        Plain->SetComponentStyle(AStyle);
    if (OnAppliedStyle) OnAppliedStyle(this, AComponent);
}

void TKelFormStyler::ApplyStyleToForm(TCustomForm* Form, TKelStyle AStyle) {
    Form->SetColor(StylerFormColor(AStyle));
    StyleComponent(Form, AStyle);
    for (Integer I = 0; I < Form->ComponentCount(); ++I) {
        TComponent* C = Form->Components(I);
        if (IsFrame(C)) ApplyStyleToFrame(C, AStyle);
        StyleComponent(C, AStyle);
    }
}

void TKelFormStyler::ApplyStyleToFrame(TComponent* Frame, TKelStyle AStyle) {
    for (Integer I = 0; I < Frame->ComponentCount(); ++I) {
        TComponent* C = Frame->Components(I);
        StyleComponent(C, AStyle);
        if (IsFrame(C)) ApplyStyleToFrame(C, AStyle);
    }
}

void TKelFormStyler::TonesComponent(TComponent* AComponent, const TColorTones& ATones) {
    auto* Tones = dynamic_cast<IKelTones*>(AComponent);
    if (!Tones) return;
    bool Allow = true;
    if (OnApplyColorTones) OnApplyColorTones(this, AComponent, Allow);
    if (!Allow) return;
    Tones->SetColorTones(ATones);
    if (OnAppliedColorTones) OnAppliedColorTones(this, AComponent);
}

void TKelFormStyler::ApplyColorTonesToForm(TCustomForm* Form, const TColorTones& ATones) {
    TonesComponent(Form, ATones);
    for (Integer I = 0; I < Form->ComponentCount(); ++I) {
        TComponent* C = Form->Components(I);
        if (IsFrame(C)) ApplyColorTonesToFrame(C, ATones);
        TonesComponent(C, ATones);
    }
}

void TKelFormStyler::ApplyColorTonesToFrame(TComponent* Frame, const TColorTones& ATones) {
    for (Integer I = 0; I < Frame->ComponentCount(); ++I) {
        TComponent* C = Frame->Components(I);
        TonesComponent(C, ATones);
        if (IsFrame(C)) ApplyColorTonesToFrame(C, ATones);
    }
}

void TKelFormStyler::SetColorTones(const TColorTones& ATones) {
    FMetro = true;
    FStyle = tsCustom;
    if (auto* Form = dynamic_cast<TCustomForm*>(Owner()))
        ApplyColorTonesToForm(Form, ATones);
    else if (IsFrame(Owner()))
        ApplyColorTonesToFrame(Owner(), ATones);
}

void TKelFormStyler::UpdateMetroTones() {
    if (!FEnabled) return;
    FTones = MetroColorTones(FMetroStyle == msLight, FMetroColor, FMetroTextColor);
    if (FStyle == tsCustom && FMetro) SetColorTones(FTones);
}

void TKelFormStyler::DoChange() {
    if (OnChange) OnChange(this);
}

Integer TKelFormStyler::GetVersionNr() const {
    return Integer(StylerVersion);
}

String TKelFormStyler::Version() const {
    return VersionText(Cardinal(GetVersionNr()));
}

void TKelFormStyler::ThemeChanged(TObject*) {
    if (FAutoThemeAdapt) SetStyle(CurrentOfficeStyle(false));
}

// --- TKelAppStyler -------------------------------------------------------------------

TKelAppStyler::TKelAppStyler(TComponent* AOwner) : TComponent(AOwner) {
    FMetroColor = clHighlight;
}

TKelAppStyler::~TKelAppStyler() = default;

void TKelAppStyler::AfterConstruction() {
    TComponent::AfterConstruction();
    if (!ComponentState().Contains(csDesigning)) {
        TWinControl* MainForm = Application ? Application->MainForm() : nullptr;
        FThemeWindow = MakeThemeWindow(this, MainForm);
        FThemeWindow->OnThemeChange = [this](TObject* Sender) { ThemeChanged(Sender); };
    }
    SetEnabled(true);
}

void TKelAppStyler::BeforeDestruction() {
    // Each form styler leaves the list as its AppStyle is cleared.
    while (!FFormStylers.empty()) {
        TKelFormStyler* Styler = FFormStylers.back();
        Styler->SetAppStyle(nullptr);
        UnRegisterFormStyler(Styler);
    }
    TComponent::BeforeDestruction();
}

void TKelAppStyler::Assign(const TPersistent* Source) {
    if (const auto* Other = dynamic_cast<const TKelAppStyler*>(Source)) {
        SetStyle(Other->Style());
        SetAutoThemeAdapt(Other->AutoThemeAdapt());
        return;
    }
    TComponent::Assign(Source);
}

void TKelAppStyler::Loaded() {
    TComponent::Loaded();
    if (FAutoThemeAdapt) ThemeChanged(this);
}

bool TKelAppStyler::LoadingOrDesigning() const {
    return ComponentState().Contains(csLoading) || ComponentState().Contains(csDesigning);
}

void TKelAppStyler::RegisterFormStyler(TKelFormStyler* AFormStyler) {
    if (std::find(FFormStylers.begin(), FFormStylers.end(), AFormStyler) == FFormStylers.end())
        FFormStylers.push_back(AFormStyler);
}

void TKelAppStyler::UnRegisterFormStyler(TKelFormStyler* AFormStyler) {
    const auto At = std::find(FFormStylers.begin(), FFormStylers.end(), AFormStyler);
    if (At != FFormStylers.end()) FFormStylers.erase(At);
}

void TKelAppStyler::ApplyStyle() {
    if (!FEnabled) return;
    // A copy: a form styler's handlers may change the list.
    const std::vector<TKelFormStyler*> Stylers = FFormStylers;
    for (TKelFormStyler* S : Stylers) {
        S->SetMetro(FMetro);
        S->SetMetroStyle(FMetroStyle);
        S->SetMetroColor(FMetroColor);
        S->SetMetroTextColor(FMetroTextColor);
        S->SetAppColor(FAppColor);
        S->SetStyle(FStyle);
        S->SetAppColor(FAppColor);
    }
    DoChange();
}

void TKelAppStyler::SetColorTones(const TColorTones& ATones) {
    FTones = ATones;
    FMetro = true;
    FStyle = tsCustom;
    FMetroColor = ATones.Selected.BrushColor;
    if (ATones.Background.BrushColor == 0xFFFFFF) FMetroStyle = msLight;
    if (ATones.Background.BrushColor == 0) FMetroStyle = msDark;
    FMetroTextColor = ATones.Selected.TextColor;
    if (!LoadingOrDesigning()) {
        const std::vector<TKelFormStyler*> Stylers = FFormStylers;
        for (TKelFormStyler* S : Stylers)
            S->SetColorTones(ATones);
    }
    DoChange();
}

void TKelAppStyler::SetAppColor(TColor Value) {
    FAppColor = Value;
    if (!LoadingOrDesigning()) {
        const std::vector<TKelFormStyler*> Stylers = FFormStylers;
        for (TKelFormStyler* S : Stylers) {
            S->SetStyle(FStyle);
            S->SetAppColor(FAppColor);
        }
    }
    DoChange();
}

void TKelAppStyler::SetAutoThemeAdapt(bool Value) {
    FAutoThemeAdapt = Value;
    ThemeChanged(this);
}

void TKelAppStyler::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    FEnabled = Value;
    if (FEnabled) ApplyStyle();
}

void TKelAppStyler::SetMetro(bool Value) {
    if (Value == FMetro) return;
    FMetro = Value;
    UpdateMetroTones();
}

void TKelAppStyler::SetMetroColor(TColor Value) {
    if (Value == FMetroColor) return;
    FMetroColor = Value;
    UpdateMetroTones();
}

void TKelAppStyler::SetMetroTextColor(TColor Value) {
    if (Value == FMetroTextColor) return;
    FMetroTextColor = Value;
    UpdateMetroTones();
}

void TKelAppStyler::SetMetroStyle(TMetroStyle Value) {
    if (Value == FMetroStyle) return;
    FMetroStyle = Value;
    UpdateMetroTones();
}

void TKelAppStyler::SetStyle(TKelStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    if (!LoadingOrDesigning()) ApplyStyle();
}

void TKelAppStyler::UpdateMetroTones() {
    const TColorTones Tones = MetroColorTones(FMetroStyle == msLight, FMetroColor, FMetroTextColor);
    if (FStyle != tsCustom || !FMetro) return;
    if (!LoadingOrDesigning()) {
        const std::vector<TKelFormStyler*> Stylers = FFormStylers;
        for (TKelFormStyler* S : Stylers)
            S->SetColorTones(Tones);
    }
    DoChange();
}

void TKelAppStyler::DoChange() {
    if (OnChange) OnChange(this);
}

Integer TKelAppStyler::GetVersionNr() const {
    return Integer(StylerVersion);
}

String TKelAppStyler::Version() const {
    return VersionText(Cardinal(GetVersionNr()));
}

void TKelAppStyler::ThemeChanged(TObject*) {
    if (FAutoThemeAdapt) SetStyle(CurrentOfficeStyle(false));
}
