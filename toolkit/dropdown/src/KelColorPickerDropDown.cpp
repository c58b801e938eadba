#include "dropdown/KelColorPickerDropDown.h"

#include "graphics/Colors.h"
#include "graphics/GdiText.h"
#include "gridbase/MarkupRenderer.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "rtl/Format.h"
#include "rtl/MathUtils.h"
#include "vcl/Forms.h"
#include "windowing/Input.h"
#include "windowing/Paint.h"
#include "windowing/SystemMetrics.h"
#include "DropDownScopes.h"

using namespace winapi;

namespace {

Integer RedOf(TColor C) {
    return C & 0xFF;
}
Integer GreenOf(TColor C) {
    return (C >> 8) & 0xFF;
}
Integer BlueOf(TColor C) {
    return (C >> 16) & 0xFF;
}

String HtmlText(TColor C) {
    return u"#" + IntToHex(RedOf(C), 2) + IntToHex(GreenOf(C), 2) + IntToHex(BlueOf(C), 2);
}

} // namespace

// Each name is "clWeb" and the CSS keyword; the values are the CSS ones,
// written 0x00BBGGRR. Aqua and fuchsia appear as cyan and magenta, and each
// grey once.
const TWebColorName WebColorNames[WebColorCount] = {
    {u"clWebSnow", 0xFAFAFF},
    {u"clWebFloralWhite", 0xF0FAFF},
    {u"clWebLavenderBlush", 0xF5F0FF},
    {u"clWebOldLace", 0xE6F5FD},
    {u"clWebIvory", 0xF0FFFF},
    {u"clWebCornSilk", 0xDCF8FF},
    {u"clWebBeige", 0xDCF5F5},
    {u"clWebAntiqueWhite", 0xD7EBFA},
    {u"clWebWheat", 0xB3DEF5},
    {u"clWebAliceBlue", 0xFFF8F0},
    {u"clWebGhostWhite", 0xFFF8F8},
    {u"clWebLavender", 0xFAE6E6},
    {u"clWebSeashell", 0xEEF5FF},
    {u"clWebLightYellow", 0xE0FFFF},
    {u"clWebPapayaWhip", 0xD5EFFF},
    {u"clWebNavajoWhite", 0xADDEFF},
    {u"clWebMoccasin", 0xB5E4FF},
    {u"clWebBurlywood", 0x87B8DE},
    {u"clWebAzure", 0xFFFFF0},
    {u"clWebMintcream", 0xFAFFF5},
    {u"clWebHoneydew", 0xF0FFF0},
    {u"clWebLinen", 0xE6F0FA},
    {u"clWebLemonChiffon", 0xCDFAFF},
    {u"clWebBlanchedAlmond", 0xCDEBFF},
    {u"clWebBisque", 0xC4E4FF},
    {u"clWebPeachPuff", 0xB9DAFF},
    {u"clWebTan", 0x8CB4D2},
    {u"clWebYellow", 0x00FFFF},
    {u"clWebDarkOrange", 0x008CFF},
    {u"clWebRed", 0x0000FF},
    {u"clWebDarkRed", 0x00008B},
    {u"clWebMaroon", 0x000080},
    {u"clWebIndianRed", 0x5C5CCD},
    {u"clWebSalmon", 0x7280FA},
    {u"clWebCoral", 0x507FFF},
    {u"clWebGold", 0x00D7FF},
    {u"clWebTomato", 0x4763FF},
    {u"clWebCrimson", 0x3C14DC},
    {u"clWebBrown", 0x2A2AA5},
    {u"clWebChocolate", 0x1E69D2},
    {u"clWebSandyBrown", 0x60A4F4},
    {u"clWebLightSalmon", 0x7AA0FF},
    {u"clWebLightCoral", 0x8080F0},
    {u"clWebOrange", 0x00A5FF},
    {u"clWebOrangeRed", 0x0045FF},
    {u"clWebFirebrick", 0x2222B2},
    {u"clWebSaddleBrown", 0x13458B},
    {u"clWebSienna", 0x2D52A0},
    {u"clWebPeru", 0x3F85CD},
    {u"clWebDarkSalmon", 0x7A96E9},
    {u"clWebRosyBrown", 0x8F8FBC},
    {u"clWebPaleGoldenrod", 0xAAE8EE},
    {u"clWebLightGoldenrodYellow", 0xD2FAFA},
    {u"clWebOlive", 0x008080},
    {u"clWebForestGreen", 0x228B22},
    {u"clWebGreenYellow", 0x2FFFAD},
    {u"clWebChartreuse", 0x00FF7F},
    {u"clWebLightGreen", 0x90EE90},
    {u"clWebAquamarine", 0xD4FF7F},
    {u"clWebSeaGreen", 0x578B2E},
    {u"clWebGoldenRod", 0x20A5DA},
    {u"clWebKhaki", 0x8CE6F0},
    {u"clWebOliveDrab", 0x238E6B},
    {u"clWebGreen", 0x008000},
    {u"clWebYellowGreen", 0x32CD9A},
    {u"clWebLawnGreen", 0x00FC7C},
    {u"clWebPaleGreen", 0x98FB98},
    {u"clWebMediumAquamarine", 0xAACD66},
    {u"clWebMediumSeaGreen", 0x71B33C},
    {u"clWebDarkGoldenRod", 0x0B86B8},
    {u"clWebDarkKhaki", 0x6BB7BD},
    {u"clWebDarkOliveGreen", 0x2F6B55},
    {u"clWebDarkgreen", 0x006400},
    {u"clWebLimeGreen", 0x32CD32},
    {u"clWebLime", 0x00FF00},
    {u"clWebSpringGreen", 0x7FFF00},
    {u"clWebMediumSpringGreen", 0x9AFA00},
    {u"clWebDarkSeaGreen", 0x8FBC8F},
    {u"clWebLightSeaGreen", 0xAAB220},
    {u"clWebPaleTurquoise", 0xEEEEAF},
    {u"clWebLightCyan", 0xFFFFE0},
    {u"clWebLightBlue", 0xE6D8AD},
    {u"clWebLightSkyBlue", 0xFACE87},
    {u"clWebCornFlowerBlue", 0xED9564},
    {u"clWebDarkBlue", 0x8B0000},
    {u"clWebIndigo", 0x82004B},
    {u"clWebMediumTurquoise", 0xCCD148},
    {u"clWebTurquoise", 0xD0E040},
    {u"clWebCyan", 0xFFFF00},
    {u"clWebPowderBlue", 0xE6E0B0},
    {u"clWebSkyBlue", 0xEBCE87},
    {u"clWebRoyalBlue", 0xE16941},
    {u"clWebMediumBlue", 0xCD0000},
    {u"clWebMidnightBlue", 0x701919},
    {u"clWebDarkTurquoise", 0xD1CE00},
    {u"clWebCadetBlue", 0xA09E5F},
    {u"clWebDarkCyan", 0x8B8B00},
    {u"clWebTeal", 0x808000},
    {u"clWebDeepskyBlue", 0xFFBF00},
    {u"clWebDodgerBlue", 0xFF901E},
    {u"clWebBlue", 0xFF0000},
    {u"clWebNavy", 0x800000},
    {u"clWebDarkViolet", 0xD30094},
    {u"clWebDarkOrchid", 0xCC3299},
    {u"clWebMagenta", 0xFF00FF},
    {u"clWebDarkMagenta", 0x8B008B},
    {u"clWebMediumVioletRed", 0x8515C7},
    {u"clWebPaleVioletRed", 0x9370DB},
    {u"clWebBlueViolet", 0xE22B8A},
    {u"clWebMediumOrchid", 0xD355BA},
    {u"clWebMediumPurple", 0xDB7093},
    {u"clWebPurple", 0x800080},
    {u"clWebDeepPink", 0x9314FF},
    {u"clWebLightPink", 0xC1B6FF},
    {u"clWebViolet", 0xEE82EE},
    {u"clWebOrchid", 0xD670DA},
    {u"clWebPlum", 0xDDA0DD},
    {u"clWebThistle", 0xD8BFD8},
    {u"clWebHotPink", 0xB469FF},
    {u"clWebPink", 0xCBC0FF},
    {u"clWebLightSteelBlue", 0xDEC4B0},
    {u"clWebMediumSlateBlue", 0xEE687B},
    {u"clWebLightSlateGray", 0x998877},
    {u"clWebWhite", 0xFFFFFF},
    {u"clWebLightgrey", 0xD3D3D3},
    {u"clWebGray", 0x808080},
    {u"clWebSteelBlue", 0xB48246},
    {u"clWebSlateBlue", 0xCD5A6A},
    {u"clWebSlateGray", 0x908070},
    {u"clWebWhiteSmoke", 0xF5F5F5},
    {u"clWebSilver", 0xC0C0C0},
    {u"clWebDimGray", 0x696969},
    {u"clWebMistyRose", 0xE1E4FF},
    {u"clWebDarkSlateBlue", 0x8B3D48},
    {u"clWebDarkSlategray", 0x4F4F2F},
    {u"clWebGainsboro", 0xDCDCDC},
    {u"clWebDarkGray", 0xA9A9A9},
    {u"clWebBlack", 0x000000},
};

String WebColorText(TColor Color) {
    for (const TWebColorName& Web : WebColorNames)
        if (Web.Color == Color) return Web.Name;
    return HtmlText(Color);
}

// ---- TColorItem(s) ----

const TClassInfo& TColorItem::StaticClassInfo() {
    using C = TColorItem;
    static const TClassInfo Info = TClassBuilder<C, TCollectionItem>()
                                       .Property(u"Caption", &C::Caption, &C::SetCaption)
                                       .Property(u"Color", TypeInfo_TColor(), &C::Color, &C::SetColor)
                                       .Default(clNone)
                                       .Property(u"Hint", &C::Hint, &C::SetHint)
                                       .Build();
    return Info;
}

void TColorItem::Changed() {
    if (auto* Items = dynamic_cast<TColorItems*>(Collection()))
        if (Items->OnChange) Items->OnChange(Items);
}

void TColorItem::SetCaption(const String& Value) {
    if (FCaption == Value) return;
    FCaption = Value;
    Changed();
}

void TColorItem::SetColor(TColor Value) {
    if (FColor == Value) return;
    FColor = Value;
    Changed();
}

void TColorItem::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TColorItem*>(Source);
    if (!Other) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetCaption(Other->FCaption);
    SetColor(Other->FColor);
    FEnabled = Other->FEnabled;
    FHint = Other->FHint;
}

const TClassInfo& TColorItems::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TColorItems, TOwnedCollection>().Build();
    return Info;
}

TColorItems::TColorItems(TPersistent* AOwner)
    : TOwnedCollection(AOwner, TColorItem::StaticClassInfo()) {}

// ---- TKelColorPickerDropDown ----

const TClassInfo& TKelColorPickerDropDown::StaticClassInfo() {
    using C = TKelColorPickerDropDown;
    static const TClassInfo Info =
        TClassBuilder<C, TKelCustomDropDown>()
            .Property(u"Columns", &C::Columns, &C::SetColumns)
            .Default(1)
            .Property(u"Colors", &C::Colors, &C::SetColors)
            .Property(u"ItemIndex", &C::ItemIndex, &C::SetItemIndex)
            .Default(-1)
            .Property(u"ColorBoxHeight", &C::ColorBoxHeight, &C::SetColorBoxHeight)
            .Default(14)
            .Property(u"ColorBoxWidth", &C::ColorBoxWidth, &C::SetColorBoxWidth)
            .Default(14)
            .Property(u"ColorBoxBorderColor", TypeInfo_TColor(), &C::ColorBoxBorderColor,
                      &C::SetColorBoxBorderColor)
            .Default(TColor(0))
            .Property(u"Layout", &C::Layout, &C::SetLayout)
            .Default(ilCaptionRight)
            .Property(u"ItemAppearance", &C::ItemAppearance, &C::SetItemAppearance)
            .Property(u"ColorValueText", &C::ColorValueText, &C::SetColorValueText)
            .Default(cvtNone)
            .Property(u"ColorSelectionStyle", &C::ColorSelectionStyle, &C::SetColorSelectionStyle)
            .Default(csList)
            .Property(u"ShowText", &C::ShowText, &C::SetShowText)
            .Default(true)
            .Build();
    return Info;
}

TKelColorPickerDropDown::TKelColorPickerDropDown(TComponent* AOwner)
    : TKelCustomDropDown(AOwner), FColors(std::make_unique<TColorItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this)) {
    // A changed list shows when the pop-up's list is rebuilt.
    FColors->OnChange = [](TObject*) {};
    FEditorEnabled = false;
    FDropDownEnabled = true;
    FDropDownHeight = 200;
    FDropDownHeader->SetVisible(false);
    FDropDownFooter->SetVisible(false);
    CreateListKeyTimer();
    SetCursor(crArrow);
}

// The timer, the list and the panels are owned components, freed with the
// others.
TKelColorPickerDropDown::~TKelColorPickerDropDown() = default;

void TKelColorPickerDropDown::AddDefaultColors() {
    static constexpr struct {
        const char16_t* Caption;
        TColor Color;
    } Defaults[] = {
        {u"Black", 0x000000},  {u"Maroon", 0x000080},  {u"Green", 0x008000}, {u"Olive", 0x008080},
        {u"Navy", 0x800000},   {u"Purple", 0x800080},  {u"Teal", 0x808000},  {u"Gray", 0x808080},
        {u"Silver", 0xC0C0C0}, {u"Red", 0x0000FF},     {u"Lime", 0x00FF00},  {u"Yellow", 0x00FFFF},
        {u"Blue", 0xFF0000},   {u"Fuchsia", 0xFF00FF}, {u"Aqua", 0xFFFF00},  {u"White", 0xFFFFFF}};
    FColors->BeginUpdate();
    FColors->Clear();
    for (const auto& D : Defaults) {
        TColorItem* Item = FColors->Add();
        Item->SetCaption(D.Caption);
        Item->SetColor(D.Color);
    }
    FColors->EndUpdate();
}

void TKelColorPickerDropDown::EndUpdate() {
    if (FUpdateCount <= 0) return;
    if (--FUpdateCount == 0) {
        RebuildSelectorItems();
        if (FItemSelector) FItemSelector->UpdateSelectorPanel();
    }
}

void TKelColorPickerDropDown::WriteItemIndex(Integer Value) {
    if (Value >= FColors->Count()) return;
    if (Value < 0) Value = -1;
    FItemIndex = Value;
    if (Value >= 0) FSelectedColor = FColors->Items(Value)->Color();
    Invalidate();
    if (OnSelect) OnSelect(this);
}

void TKelColorPickerDropDown::WriteSelectedColor(TColor Value) {
    if (Value == FSelectedColor) return;
    FSelectedColor = ColorToRGB(Value);
    for (Integer I = 0; I < FColors->Count(); ++I)
        if (ColorToRGB(FColors->Items(I)->Color()) == FSelectedColor) {
            WriteItemIndex(I);
            return;
        }
    // No list colour is this one: the face and the colour's text must not
    // name the colour selected before.
    FItemIndex = -1;
    Invalidate();
}

void TKelColorPickerDropDown::SetColorBoxWidth(Integer Value) {
    if (Value == FColorBoxWidth) return;
    FColorBoxWidth = Value;
    Invalidate();
}

void TKelColorPickerDropDown::SetColorBoxHeight(Integer Value) {
    if (Value == FColorBoxHeight) return;
    FColorBoxHeight = Value;
    Invalidate();
}

void TKelColorPickerDropDown::SetColorBoxBorderColor(TColor Value) {
    if (Value == FColorBoxBorderColor) return;
    FColorBoxBorderColor = Value;
    Invalidate();
}

void TKelColorPickerDropDown::SetShowText(bool Value) {
    if (Value == FShowText) return;
    FShowText = Value;
    Invalidate();
}

// ---- The panels ----

void TKelColorPickerDropDown::CreateItemSelector() {
    CreateListSelector(stColor);
}

void TKelColorPickerDropDown::CreateCubePanel() {
    if (!FDropDownForm) return;
    if (!FColorCubePanel) {
        FColorCubePanel = Create<TKelColorCubePanel>(this);
        FColorCubePanel->SetParent(FDropDownForm);
    }
    FColorCubePanel->SetBounds(0, 0, FColorCubePanel->Width(), 160);
    FColorCubePanel->SetColor(FDropDownColor);
    SetControl(FColorCubePanel);
}

void TKelColorPickerDropDown::CreateSpectrumPanel() {
    if (!FDropDownForm) return;
    if (!FSpectrumPanel) {
        FSpectrumPanel = Create<TKelColorSpectrumPanel>(this);
        FSpectrumPanel->SetParent(FDropDownForm);
    }
    FSpectrumPanel->SetBounds(0, 0, FSpectrumPanel->Width(), FSpectrumPanel->Height());
    FSpectrumPanel->SetColor(FDropDownColor);
    SetControl(FSpectrumPanel);
}

void TKelColorPickerDropDown::CreateColorSelector() {
    if (!FDropDownForm) return;
    if (!FColorSelector) {
        FColorSelector = Create<TCustomColorSelector>(this);
        FColorSelector->SetParent(FDropDownForm);
        FColorSelector->AddDefaultPalette();
    }
    FColorSelector->SetBounds(0, 0, FColorSelector->Width(), FColorSelector->Height());
    FColorSelector->SetColor(FDropDownColor);
    FColorSelector->ArrangeItems();
    SetControl(FColorSelector);
}

void TKelColorPickerDropDown::CreateDropDownForm() {
    TKelCustomDropDown::CreateDropDownForm();
    switch (FColorSelectionStyle) {
    case csList:
        CreateItemSelector();
        break;
    case csDiscrete:
        CreateColorSelector();
        break;
    case csColorCube:
        CreateCubePanel();
        break;
    case csSpectrum:
        CreateSpectrumPanel();
        break;
    }
}

void TKelColorPickerDropDown::RebuildSelectorItems() {
    if (!FItemSelector) return;
    TSelectorItems* List = FItemSelector->Items();
    List->BeginUpdate();
    List->Clear();
    for (Integer I = 0; I < FColors->Count(); ++I) {
        const TColorItem* Source = FColors->Items(I);
        TSelectorItem* Item = List->Add();
        Item->SetCaption(Source->Caption());
        Item->SetColor(Source->Color());
        Item->SetHint(Source->Hint());
    }
    List->EndUpdate();
}

void TKelColorPickerDropDown::ApplySelectorSettings() {
    if (!FItemSelector) return;
    FItemSelector->OnItemSelect = nullptr;
    FItemSelector->SetColumns(FColumns);
    FItemSelector->SetImages(FImages);
    FItemSelector->SetItemLayout(FLayout);
    FItemSelector->SetColor(FDropDownColor);
    RebuildSelectorItems();
    FItemSelector->SetColorBoxHeight(FColorBoxHeight);
    FItemSelector->SetColorBoxWidth(FColorBoxWidth);
    FItemSelector->ItemAppearance()->Assign(FItemAppearance.get());
    FItemSelector->UpdateSelectorPanel();
    FItemSelector->SetItemIndex(FItemIndex);
    FItemSelector->OnItemSelect = [this](TObject* Sender) { ListItemSelected(Sender); };
    FItemSelector->SetShowHint(ShowHint());
}

void TKelColorPickerDropDown::PrepareStyle() {
    const auto Hide = [](TControl* Control) {
        if (Control) Control->SetVisible(false);
    };
    switch (FColorSelectionStyle) {
    case csList:
        CreateItemSelector();
        if (!FItemSelector) break;
        Hide(FColorCubePanel), Hide(FSpectrumPanel), Hide(FColorSelector);
        ApplySelectorSettings();
        if (OnDrawColor)
            FItemSelector->OnDrawItem = [this](TObject*, TCanvas* Canvas, const TRect& R, Integer Index) {
                if (OnDrawColor) OnDrawColor(this, Canvas, R, Index);
            };
        else
            FItemSelector->OnDrawItem = nullptr;
        break;
    case csDiscrete:
        CreateColorSelector();
        if (!FColorSelector) break;
        FColorSelector->SetAlign(alNone);
        Hide(FItemSelector), Hide(FSpectrumPanel), Hide(FColorCubePanel);
        // Handed over unbound, so that the palette's selection of the colour
        // does not come back as a pick.
        FColorSelector->OnItemSelect = nullptr;
        FColorSelector->WriteSelectedColor(FSelectedColor);
        FColorSelector->ArrangeItems();
        FColorSelector->OnItemSelect = [this](TObject* Sender) { PaletteColorSelected(Sender); };
        FColorSelector->WriteItemColorStyle(FSelectionColorStyle);
        FColorSelector->SetVisible(true);
        break;
    case csColorCube:
        CreateCubePanel();
        if (!FColorCubePanel) break;
        FColorCubePanel->SetAlign(alNone);
        Hide(FItemSelector), Hide(FSpectrumPanel), Hide(FColorSelector);
        FColorCubePanel->SetSelectedColor(FSelectedColor);
        FColorCubePanel->InitCubeCells();
        FColorCubePanel->OnSelect = [this](TObject*) {
            PanelColorSelected(FColorCubePanel->SelectedColor());
        };
        FColorCubePanel->SetVisible(true);
        FColorCubePanel->ResetCube();
        break;
    case csSpectrum:
        CreateSpectrumPanel();
        if (!FSpectrumPanel) break;
        FSpectrumPanel->SetAlign(alNone);
        Hide(FItemSelector), Hide(FColorCubePanel), Hide(FColorSelector);
        FSpectrumPanel->SetSelectedColor(FSelectedColor);
        FSpectrumPanel->ArrangeSpectrum();
        FSpectrumPanel->OnSelect = [this](TObject*) { PanelColorSelected(FSpectrumPanel->SelectedColor()); };
        FSpectrumPanel->SetVisible(true);
        break;
    }
    FOldItemIndex = FItemIndex;
    FOldSelectedColor = FSelectedColor;
}

void TKelColorPickerDropDown::WriteColorSelectionStyle(TColorSelectionStyle Value) {
    if (Value == FColorSelectionStyle) return;
    FColorSelectionStyle = Value;
    ResetUserDropDownSize();
    if (ComponentState().Contains(csDesigning)) return;
    ApplyColorSelectionStyle();
}

void TKelColorPickerDropDown::ApplyColorSelectionStyle() {
    PrepareStyle();
    AdaptDropDownSize();
    if (FControl) FControl->SetAlign(alClient);
    if (FDropDownForm) FDropDownForm->Invalidate();
}

void TKelColorPickerDropDown::SizePopupToPanel() {
    if (!FDropDownForm || !FControl) return;
    FControl->SetAlign(alNone);
    // The panel's own size again: hosting may have stretched it to the form.
    if (FControl == FColorCubePanel)
        FColorCubePanel->SetBounds(0, 0, 182, 160);
    else if (FControl == FSpectrumPanel)
        FSpectrumPanel->SetBounds(0, 0, 150, 174);
    else if (FControl == FColorSelector)
        FColorSelector->ArrangeItems();
    const bool Shown = FControl->Visible();
    const Integer W = Shown ? FControl->Width() + 2 * FDropDownBorderWidth : Width();
    Integer H = 2 * FDropDownBorderWidth;
    if (FDropDownHeader->Visible()) H += FDropDownHeader->Height();
    if (FDropDownFooter->Visible()) H += FDropDownFooter->Height();
    if (Shown) H += FControl->Height();
    FDropDownForm->SetBounds(FDropDownForm->Left(), FDropDownForm->Top(), W, H);
    FControl->SetAlign(alClient);
}

void TKelColorPickerDropDown::DoBeforeDropDown() {
    TKelCustomDropDown::DoBeforeDropDown();
    PrepareStyle();
}

void TKelColorPickerDropDown::PlaceDropDownControl() {
    TKelCustomDropDown::PlaceDropDownControl();
    if (FColorSelectionStyle != csList && FDropDownForm) FDropDownForm->SetSizeable(false);
}

void TKelColorPickerDropDown::AdaptDropDownSize() {
    if (FColorSelectionStyle != csList) {
        SizePopupToPanel();
        return;
    }
    if (!FItemSelector) {
        TKelCustomDropDown::AdaptDropDownSize();
        return;
    }
    FItemSelector->SetAlign(alNone);
    TSize Panel{100, 50};
    if (FItemSelector->Panel()) FItemSelector->GetPanelSize(Panel);
    if (FDropDownWidth <= 0) FItemSelector->SetWidth(Panel.cx + 4);
    if (FDropDownHeight <= 0) FItemSelector->SetHeight(Panel.cy + 4);
    // The base sizes the pop-up from the hosted control's recorded size.
    const Single F = FDPIScale > 0 ? FDPIScale : 1.0f;
    FOrigCtrlW = Integer(Round(FItemSelector->Width() / F));
    FOrigCtrlH = Integer(Round(FItemSelector->Height() / F));
    TKelCustomDropDown::AdaptDropDownSize();
    if (FItemSelector->VertScrollBar()->IsScrollBarVisible() && FDropDownForm)
        FDropDownForm->SetWidth(FDropDownForm->Width() + GetSystemMetrics(SM_CXVSCROLL));
}

// ---- Picking ----

void TKelColorPickerDropDown::ListItemSelected(TObject*) {
    WriteItemIndex(FItemSelector->ItemIndex());
    if (!FInternalCall) DoHideDropDown(false);
}

void TKelColorPickerDropDown::PaletteColorSelected(TObject*) {
    WriteSelectedColor(FColorSelector->SelectedColor());
    WriteItemIndex(-1);
    if (!FInternalCall) DoHideDropDown(false);
}

void TKelColorPickerDropDown::PanelColorSelected(TColor Color) {
    WriteSelectedColor(Color);
    WriteItemIndex(-1);
    DoHideDropDown(false);
}

void TKelColorPickerDropDown::DoHideDropDown(bool Cancel) {
    const bool WasOpen = FDropDownForm && FDropDownForm->Visible();
    TKelCustomDropDown::DoHideDropDown(Cancel);
    if (!Cancel || !WasOpen) return;
    TFlagSet Internal(FInternalCall);
    if (FColorSelectionStyle == csList && FItemSelector) WriteItemIndex(FOldItemIndex);
    if (FColorSelectionStyle == csDiscrete && FColorSelector)
        FColorSelector->WriteSelectedColor(FOldSelectedColor);
    // The colour held at opening comes back in every style, also when no
    // list colour held it.
    if (FSelectedColor != FOldSelectedColor || FItemIndex != FOldItemIndex) {
        FSelectedColor = FOldSelectedColor;
        FItemIndex = FOldItemIndex;
        Invalidate();
    }
}

void TKelColorPickerDropDown::DropDownFormDestroyed() {
    TKelCustomDropDown::DropDownFormDestroyed();
    if (ComponentState().Contains(csDestroying)) return;
    // The form's destruction took the panels; they are made again on demand.
    FItemSelector = nullptr;
    FColorCubePanel = nullptr;
    FSpectrumPanel = nullptr;
    FColorSelector = nullptr;
}

void TKelColorPickerDropDown::MoveToNextItem() {
    if (!Enabled() || ReadOnly()) return;
    if (FColorSelectionStyle == csList) {
        ListWheelStep(true);
    } else if (FColorSelectionStyle == csDiscrete && FColorSelector) {
        if (FDropDownForm && FDropDownForm->Visible()) {
            FColorSelector->HotNext();
        } else {
            TFlagSet Internal(FInternalCall);
            FColorSelector->SelectNext();
        }
    }
}

void TKelColorPickerDropDown::MoveToPreviousItem() {
    if (!Enabled() || ReadOnly()) return;
    if (FColorSelectionStyle == csList) {
        ListWheelStep(false);
    } else if (FColorSelectionStyle == csDiscrete && FColorSelector) {
        if (FDropDownForm && FDropDownForm->Visible()) {
            FColorSelector->HotPrevious();
        } else {
            TFlagSet Internal(FInternalCall);
            FColorSelector->SelectPrevious();
        }
    }
}

void TKelColorPickerDropDown::DoSetComponentStyle(TKelStyle AStyle) {
    TKelCustomDropDown::DoSetComponentStyle(AStyle);
    if (FItemAppearance) SetItemAppearanceStyle(FItemAppearance.get(), AStyle);
}

void TKelColorPickerDropDown::Loaded() {
    TKelCustomDropDown::Loaded();
    if (FDesignTime && FColors->Count() == 0) AddDefaultColors();
    RebuildSelectorItems();
    ApplySelectorSettings();
    // The current style's panel is built and the pop-up sized; no other
    // style's panel is made.
    if (!ComponentState().Contains(csDesigning)) ApplyColorSelectionStyle();
}

// ---- The face ----

String TKelColorPickerDropDown::GetSelectedColorText() const {
    if (FColorSelectionStyle == csList && FItemIndex >= 0 && FItemIndex < FColors->Count())
        return FColors->Items(FItemIndex)->Caption();
    const TColor RGB = ColorToRGB(FSelectedColor);
    switch (FColorValueText) {
    case cvtHex:
        return IntToHex(FSelectedColor, 6);
    case cvtWebName:
        return WebColorText(RGB);
    case cvtRGB:
        return Format(u"Red:%d,Green:%d,Blue:%d", {RedOf(RGB), GreenOf(RGB), BlueOf(RGB)});
    case cvtHTML:
        return HtmlText(RGB);
    default:
        return String();
    }
}

void TKelColorPickerDropDown::PaintFocusRect() {
    TKelCustomDropDown::PaintFocusRect();
    PaintSelectedColor();
}

void TKelColorPickerDropDown::PaintSelectedColor() {
    if (!HandleAllocated()) return;
    const HDC DC = GetWindowDC(Handle());
    TCanvas Canvas;
    Canvas.SetHandle(DC);
    const TRect R(1, 1, Width() - FButtonWidth - 2, Height() - 2);
    if (OnDrawSelectedColor) {
        OnDrawSelectedColor(this, &Canvas, R);
    } else if (FSelectedColor != clNone) {
        const bool Highlight = !FEditorEnabled && Focused();
        const TColor Back = Highlight ? clHighlight : Color();
        Canvas.Pen()->SetColor(Back);
        Canvas.Brush()->SetColor(Back);
        Canvas.Rectangle(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
        const Integer BoxTop = (Height() - FColorBoxHeight) / 2 + R.Top;
        const TRect Box(R.Left + 4, BoxTop, R.Left + 4 + FColorBoxWidth, BoxTop + FColorBoxHeight);
        Canvas.Pen()->SetColor(FColorBoxBorderColor);
        Canvas.Brush()->SetColor(FSelectedColor);
        Canvas.Rectangle(Box);
        if (FShowText) {
            Canvas.Font()->Assign(Font());
            if (Highlight) Canvas.Font()->SetColor(clHighlightText);
            const String Text = GetSelectedColorText();
            const TRect TextRect(Box.Right + 4, R.Top, R.Right, R.Bottom);
            Canvas.Brush()->SetStyle(bsClear);
            if (Text.find(u"</") != String::npos) {
                TMarkupDrawParams Params;
                Params.Canvas = &Canvas;
                Params.Text = Text;
                Params.Rect = TextRect;
                Params.OwnerWindow = Handle();
                Params.ShadowOffset = 2;
                Params.ShadowColor = 0x808080;
                Params.AnchorColor = 0xFF0000;
                Params.HoverBackColor = clNone;
                Params.HoverTextColor = clNone;
                Params.ControlScale = 1.0f;
                TMarkupDrawResult Result;
                DrawMarkupOnCanvas(Params, Result);
            } else {
                TRect Rect = TextRect;
                DrawText(DC, Text, Rect,
                         DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
            }
            Canvas.Brush()->SetStyle(bsSolid);
        }
    }
    Canvas.SetHandle(nullptr);
    ReleaseDC(Handle(), DC);
}

// ---- Keys ----

void TKelColorPickerDropDown::ListKey(Word Key, bool EnterHandled) {
    const Integer Count = FColors->Count();
    if (HandleListKey(Key, Count, [this] { ApplySelectorSettings(); })) return;
    const bool Open = ListOpen();
    const auto ListStep = [&](Integer Step) {
        const Integer I = FItemSelector->ItemIndex();
        MoveListTo(I < 0 ? 0 : I + Step);
    };
    switch (Key) {
    case VK_RETURN:
        if (!EnterHandled && OnSelect) OnSelect(this);
        break;
    case VK_END:
        if (Count > 0) WriteItemIndex(Count - 1);
        break;
    case VK_HOME:
        WriteItemIndex(0);
        break;
    case VK_UP:
        if (Open)
            ListStep(-FColumns);
        else if (FItemIndex < 0)
            WriteItemIndex(0);
        else if (FItemIndex > 0)
            WriteItemIndex(FItemIndex - 1);
        break;
    case VK_DOWN:
        if (Open)
            ListStep(FColumns);
        else if (FItemIndex < 0)
            WriteItemIndex(0);
        else if (FItemIndex + 1 < Count)
            WriteItemIndex(FItemIndex + 1);
        break;
    default:
        break;
    }
}

void TKelColorPickerDropDown::WndProc(TMessage& Message) {
    if (Message.Msg == WM_CHAR) {
        // The character a key produced looks the list up.
        if (FColorSelectionStyle == csList) ListTypeAheadChar(Char(Message.WParam));
        TKelCustomDropDown::WndProc(Message);
        return;
    }
    if (Message.Msg != WM_KEYDOWN) {
        TKelCustomDropDown::WndProc(Message);
        return;
    }
    const Word Key = Word(Message.WParam);
    const bool Open = FDropDownForm && FDropDownForm->Visible();
    bool EnterHandled = false;
    if (Enabled() && Open && Key == VK_RETURN) {
        if (FColorSelectionStyle == csList && FItemSelector && FItemSelector->ItemHot() >= 0) {
            FItemSelector->SetItemIndex(FItemSelector->ItemHot());
            EnterHandled = true;
        } else if (FColorSelectionStyle == csDiscrete && FColorSelector && FColorSelector->ItemHot() >= 0) {
            FColorSelector->WriteItemIndex(FColorSelector->ItemHot());
            EnterHandled = true;
        }
    }
    switch (Key) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_UP:
    case VK_DOWN:
        Message.Result = 0;
        break;
    default:
        TKelCustomDropDown::WndProc(Message);
        break;
    }
    if (!Enabled() || KeyHeld(VK_MENU)) return;
    if (FColorSelectionStyle == csList && FItemSelector) {
        ListKey(Key, EnterHandled);
    } else if (FColorSelectionStyle == csDiscrete && FColorSelector) {
        {
            TFlagSet Internal(FInternalCall);
            FColorSelector->HandleKey(Key, FEditorEnabled, FDropDownForm && FDropDownForm->Visible());
        }
        if (Key == VK_RETURN && !EnterHandled && OnSelect) OnSelect(this);
    }
}

void RegisterColorPickerClasses() {
    RegisterColorSelectorClasses();
    RegisterClasses({&TKelColorPickerDropDown::StaticClassInfo(), &TColorItem::StaticClassInfo(),
                     &TColorItems::StaticClassInfo()});
}
