// The colour styles of the drop-downs: the preset tables (edit, pop-up and
// bars; button appearance; drop-down button; item appearance), the colour
// tones, the selection colour presets and the selection background, and the
// item appearance with its three selection presets.

#include "dropdown/KelDropDown.h"
#include "dropdown/KelItemAppearance.h"
#include "gridbase/CellPainting.h"
#include "rtl/ClassBuilder.h"

#include <array>
#include <optional>

namespace {

// "Not written": the present value is kept.
constexpr TColor Keep = TColor(0x2EEEEEEE);

void Put(TColor& Target, TColor Value) {
    if (Value != Keep) Target = Value;
}

// ---- Edit, pop-up and bars ----

struct TBarRow {
    TColor Color, ColorTo, Font, Border;
};

struct TEditStyleRow {
    TKelStyle Style;
    TColor EditColor, EditFont;
    TColor DropDownColor, DropDownColorTo, DropDownBorderColor;
    TBarRow Header;
    std::optional<TBarRow> Footer;
};

const TEditStyleRow EditStyles[] = {
    {tsOffice2003Blue, clWindow, clWindowText, 0xFFFFFF, clNone, Keep, {0xFCE1CB, 0xE0A57D, 0x000000, 0x000000},
     TBarRow{0xFCE1CB, 0xE0A57D, 0x000000, 0x962D00}},
    {tsOffice2003Silver, clWindow, clWindowText, 0xFFFFFF, clNone, Keep, {0xECE2E1, 0xB39698, 0x000000, 0x947C7C}, {}},
    {tsOffice2003Olive, clWindow, clWindowText, 0xFFFFFF, clNone, clNone, {0xCFF0EA, 0x8CC0B1, 0x000000, 0x588060}, {}},
    {tsOffice2003Classic, clWindow, clWindowText, 0xF2F2F2, 0xF2F2F2, clNone, {0x808080, 0x808080, 0xFFFFFF, 0x808080},
     {}},
    {tsOffice2007Luna, clWindow, clWindowText, 0xF3E5DA, 0xF0DED0, clNone, {0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF}, {}},
    {tsOffice2007Obsidian, clWindow, clWindowText, 0xFFFFFF, clNone, clNone, {0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C},
     {}},
    {tsWindowsXP, clWindow, clWindowText, 0xFFFFFF, clNone, Keep, {0xFFFFFF, clBtnFace, 0x000000, 0x808080}, {}},
    {tsWhidbey, clWindow, clWindowText, 0xF5F9FA, 0xF5F9FA, clNone, {0xEBEEEF, 0x7E9898, 0xFFFFFF, 0x962D00}, {}},
    {tsOffice2007Silver, clWindow, clWindowText, 0xF8F4F1, 0xF0E8E3, clNone, {0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F},
     {}},
    {tsWindowsVista, clWindow, clWindowText, 0xFFFFFF, 0xFFFFFF, 0x979797, {0xFFFDF9, 0xFFFAF0, 0x000000, 0xFCF2DA},
     TBarRow{0xFFFAF0, 0xFFFDF9, 0x000000, 0xFCF2DA}},
    {tsWindows7, clWindow, clWindowText, 0xFFFFFF, 0xFFFFFF, 0x979797, {0xFDFBFA, 0xFDF3EB, 0x000000, 0xFBD6B8}, {}},
    {tsTerminal, clWindow, clWindowText, 0xFFFFFF, 0xFFFFFF, 0x808080, {clBtnFace, clBtnFace, 0x000000, clNone}, {}},
    {tsOffice2010Blue, clWindow, clWindowText, 0xFFFFFF, 0xF1EFED, 0xEDEDEC, {0xFDF6EF, 0xF0DAC7, 0x5B391E, 0xC7B29F}, {}},
    {tsOffice2010Silver, clWindow, clWindowText, 0xFFFFFF, 0xF1EFED, 0xEDEDEC, {0xFFFFFF, 0xEDE5E0, 0x5B391E, 0xD2CDC8},
     {}},
    {tsOffice2010Black, clWindow, clWindowText, 0xFFFFFF, 0xF1EFED, 0xEDEDEC, {0xBFBFBF, 0x919191, 0xD7D7D6, 0x6D6D6D},
     {}},
    {tsWindows8, clWindow, clWindowText, 0xFFFFFF, 0xFFFFFF, 0xE4E3E2, {0xF7F6F5, 0xF7F6F5, 0x000000, 0xE4E3E2}, {}},
    {tsOffice2013White, clWindow, clWindowText, 0xFFFFFF, clNone, 0xD4D4D4, {0xFFFFFF, clNone, 0x000000, 0xD4D4D4}, {}},
    {tsOffice2013LightGray, clWindow, clWindowText, 0xFFFFFF, clNone, 0xD4D4D4, {0xF6F6F6, clNone, 0x000000, 0xC6C6C6},
     {}},
    {tsOffice2013Gray, clWindow, clWindowText, 0xFFFFFF, clNone, 0xD4D4D4, {0xE5E5E5, clNone, 0x000000, 0xABABAB}, {}},
    {tsWindows10, clWindow, clWindowText, 0xFFFFFF, 0xFFFFFF, 0xE4E3E2, {0xF7F6F5, 0xF7F6F5, 0x000000, 0xE4E3E2}, {}},
    {tsOffice2016White, clWindow, clWindowText, 0xFFFFFF, clNone, 0xD4D4D4, {0xFFFFFF, clNone, 0x505050, 0xD4D4D4}, {}},
    {tsOffice2016Gray, clWindow, clWindowText, 0xB2B2B2, clNone, 0x444444, {0x444444, clNone, 0xF0F0F0, 0x444444}, {}},
    {tsOffice2016Black, clWindow, clWindowText, 0x363636, clNone, 0x444444, {0x444444, clNone, 0xF0F0F0, 0x444444}, {}},
    {tsOffice2019White, 0xFFFFFF, 0x444648, 0xFFFFFF, clNone, 0xC4C6C8, {0xFFFFFF, clNone, 0x5E5E5E, 0xABABAB}, {}},
    {tsOffice2019Gray, 0xB8BBBE, 0x232425, 0xB8BBBE, clNone, 0x666666, {0xB8BBBE, clNone, 0x232425, 0x808080}, {}},
    {tsOffice2019Black, 0x444444, 0xFFFFFF, 0x444444, clNone, 0xADB0B3, {0x444444, clNone, 0xFFFFFF, 0x444648}, {}},
};

const TEditStyleRow* FindEditStyle(TKelStyle Style) {
    for (const auto& Row : EditStyles)
        if (Row.Style == Style) return &Row;
    return nullptr;
}

// ---- Button appearance ----

struct TButtonStyleRow {
    TKelStyle Style;
    TColor Color, ColorTo, BorderColor, ColorHot, ColorHotTo, BorderColorHot, ColorDown, ColorDownTo,
        BorderColorDown, ColorDisabled, ColorDisabledTo, ColorChecked, ColorCheckedTo, BorderColorChecked,
        BorderColorDisabled, Font;
};

// The rows given for a style or a family; the others are derived below.
const TButtonStyleRow ButtonStyles[] = {
    {tsOffice2003Blue, 0xFCE1CB, 0xE0A57D, clNone, 0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE,
     0xF2F2F2, 0xB6B6B6, 0x76AFF1, 0x4190F3, 0x45667B, Keep, clWindowText},
    {tsOffice2003Classic, 0xFFFFFF, 0xC9D1D5, clNone, 0xD2BDB6, 0xD2BDB6, 0x808080, 0xB59285, 0xB59285, 0x808080,
     0xD8D5D4, 0xD8D5D4, 0xD8D5D4, 0xD8D5D4, 0x808080, Keep, clWindowText},
    {tsWindowsXP, 0xFFFFFF, clBtnFace, clNone, 0xEFD3C6, 0xEFD3C6, clHighlight, clActiveCaption, clActiveCaption,
     clHighlight, 0xB6B6B6, 0xB6B6B6, 0xB9D8DC, 0xB9D8DC, 0x000000, Keep, clWindowText},
    {tsTerminal, clBtnFace, clBtnFace, clNone, 0xC0C0C0, 0xC0C0C0, 0x808080, clHighlight, clHighlight, 0x808080,
     clBtnFace, clBtnFace, clBtnFace, clBtnFace, clHighlight, Keep, clWindowText},
    {tsOffice2010Blue, 0xFDF6EF, 0xF0DAC7, 0xC7B29F, 0x8AE3FD, clNone, 0x58CAF1, 0x6CD0FF, clNone, 0x308AC2, 0xF2F2F2,
     0xB6B6B6, 0x45E1FE, clNone, 0x4FA0CE, Keep, clWindowText},
    {tsOffice2016White, 0xFFFFFF, clNone, 0xD4D4D4, 0xF2E1D5, clNone, 0xF2E1D5, 0xE3BDA3, clNone, 0xE3BDA3, 0xFFFFFF,
     clNone, 0xF2D5C2, clNone, 0xF2D5C2, 0xD4D4D4, clWindowText},
    {tsOffice2019Black, 0x444444, 0x444444, 0x686868, 0x686868, 0x686868, 0xB5B5B5, 0x828282, 0x828282, 0x828282,
     0x444444, clNone, 0x686868, 0x686868, 0x828282, 0xC4C4C4, 0xFFFFFF},
};

// Families sharing one button row (with their own face colours).
TKelStyle ButtonFamily(TKelStyle Style) {
    switch (Style) {
    case tsOffice2003Silver:
    case tsOffice2003Olive:
    case tsOffice2007Luna:
    case tsOffice2007Obsidian:
    case tsWhidbey:
    case tsOffice2007Silver:
        return tsOffice2003Blue;
    case tsOffice2010Silver:
    case tsOffice2010Black:
        return tsOffice2010Blue;
    default:
        return Style;
    }
}

// Face colours the Office 2003 and 2007 family gives its members.
std::optional<std::pair<TColor, TColor>> FamilyFace(TKelStyle Style) {
    switch (Style) {
    case tsOffice2003Blue:
        return std::pair{TColor(0xFCE1CB), TColor(0xE0A57D)};
    case tsOffice2003Silver:
        return std::pair{TColor(0xECE2E1), TColor(0xB39698)};
    case tsOffice2003Olive:
        return std::pair{TColor(0xCFF0EA), TColor(0x8CC0B1)};
    case tsOffice2007Luna:
        return std::pair{TColor(0xFFEFE3), TColor(0xFFDDC4)};
    case tsOffice2007Obsidian:
        return std::pair{TColor(0xF2F1F0), TColor(0xC9C2BD)};
    case tsWhidbey:
        return std::pair{TColor(0xFFFFFF), TColor(0xDFEDF0)};
    case tsOffice2007Silver:
        return std::pair{TColor(0xF9F8F8), TColor(0xE4E2DF)};
    default:
        return std::nullopt;
    }
}

const TButtonStyleRow* GivenButtonRow(TKelStyle Style) {
    for (const auto& Row : ButtonStyles)
        if (Row.Style == Style) return &Row;
    return nullptr;
}

} // namespace

// The button row of a style: its own, else its family's, else the light or
// dark reference row; the face and frame colours of a derived row are the
// style's header-bar colours (the Office 2003/2007 family has its own faces).
static TButtonStyleRow ButtonStyleRow(TKelStyle Style) {
    if (const TButtonStyleRow* Own = GivenButtonRow(Style)) return *Own;
    const TButtonStyleRow* Base = GivenButtonRow(ButtonFamily(Style));
    if (!Base) Base = GivenButtonRow(IsLightStyle(Style) ? tsOffice2016White : tsOffice2019Black);
    TButtonStyleRow Row = *Base;
    Row.Style = Style;
    if (auto Face = FamilyFace(Style)) {
        Row.Color = Face->first;
        Row.ColorTo = Face->second;
        return Row;
    }
    if (const TEditStyleRow* Edit = FindEditStyle(Style)) {
        Row.Color = Edit->Header.Color;
        Row.ColorTo = Edit->Header.ColorTo;
        Row.BorderColor = Edit->Header.Border;
    }
    return Row;
}

namespace {

// ---- Drop-down button ----

struct TArrowButtonRow {
    TColor Color, Hot, Down, Text, TextHot, TextDown;
};

std::optional<TArrowButtonRow> ArrowButtonRow(TKelStyle Style) {
    switch (Style) {
    case tsOffice2019White:
        return TArrowButtonRow{0xFFFFFF, 0xF2E1D5, 0xE3BDA3, 0x444648, 0x232425, 0x232425};
    case tsOffice2019Gray:
        return TArrowButtonRow{0xB8BBBE, 0x969696, 0x666666, 0x232425, 0x232425, 0x232425};
    case tsOffice2019Black:
        return TArrowButtonRow{0x444444, 0x686868, 0x828282, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
    default:
        return std::nullopt;
    }
}

// ---- Item appearance ----

struct TItemStyleRow {
    TKelStyle Style;
    TColor ColorHot, ColorHotTo, ColorMirrorHot, ColorMirrorHotTo, BorderColorHot, ColorSelected, ColorSelectedTo,
        ColorMirrorSelected, ColorMirrorSelectedTo, BorderColorSelected, BorderColor, BorderColorTop,
        BorderColorBottom, EdgeColor, ColorSelectedText, Font;
};

const TItemStyleRow ItemStyles[] = {
    {tsOffice2003Blue, 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, clNone, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE, clNone,
     0x42AEFE, clNone, clNone, clNone, 0x000000, 0x000000},
    {tsOffice2007Luna, 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, clNone, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE, clNone,
     0x42AEFE, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF, 0x000000, 0x000000},
    {tsWindowsXP, 0xEFD3C6, 0xEFD3C6, clNone, clNone, clNone, clHighlight, clNone, clNone, clNone, clNone, clHighlight,
     clNone, clNone, clNone, clHighlightText, 0x000000},
    {tsWindows7, 0xFDFBFA, 0xFDF3EB, clNone, clNone, clNone, 0xFCEBDC, 0xFCDBC1, clNone, clNone, clNone, 0xCEA27D,
     0xFDF4EB, 0xFDEADB, 0xE0C5AE, 0x000000, 0x000000},
    {tsOffice2010Blue, 0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, clNone, 0x7BEEFF, 0x6CD0FF, 0x6CD0FF, 0x7BEEFF, clNone,
     0x308AC2, clNone, clNone, clNone, 0x000000, 0x000000},
    {tsOffice2010Black, 0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, 0x58CAF1, 0x7BEEFF, 0x6CD0FF, 0x6CD0FF, 0x7BEEFF,
     0x308AC2, Keep, clNone, clNone, clNone, 0x000000, 0x000000},
    {tsOffice2016White, 0xF2E1D5, clNone, clNone, clNone, 0xF2E1D5, 0xE3BDA3, clNone, clNone, clNone, 0xE3BDA3, Keep,
     Keep, Keep, Keep, 0x000000, 0x000000},
    {tsOffice2019Black, 0x505050, 0x505050, clNone, clNone, 0x505050, 0x828282, clNone, clNone, clNone, 0x828282, Keep,
     Keep, Keep, Keep, 0x000000, 0xF0F0F0},
};

TKelStyle ItemFamily(TKelStyle Style) {
    switch (Style) {
    case tsOffice2003Silver:
    case tsOffice2003Olive:
    case tsWhidbey:
        return tsOffice2003Blue;
    case tsOffice2007Obsidian:
    case tsOffice2007Silver:
        return tsOffice2007Luna;
    case tsOffice2010Silver:
        return tsOffice2010Blue;
    case tsOffice2019White:
        return tsOffice2016White;
    default:
        return Style;
    }
}

const TItemStyleRow& ItemStyleRow(TKelStyle Style) {
    for (TKelStyle Wanted : {Style, ItemFamily(Style)})
        for (const auto& Row : ItemStyles)
            if (Row.Style == Wanted) return Row;
    const TKelStyle Reference = IsLightStyle(Style) ? tsOffice2016White : tsOffice2019Black;
    for (const auto& Row : ItemStyles)
        if (Row.Style == Reference) return Row;
    return ItemStyles[0];
}

// ---- Selection presets ----

struct TSelectionPreset {
    TColor From, To, Mirror, MirrorTo, TopLine, BottomLine, Border, CornerNear;
};

std::optional<TSelectionPreset> SelectionPreset(TSelectionColorStyle Style) {
    switch (Style) {
    case scOffice2007:
        return TSelectionPreset{0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC, 0xF4FEFF, 0xCAF8FF, 0x8DD7D3, 0xC3D9DF};
    case scWindowsVista:
        return TSelectionPreset{0xFDF8F1, 0xFCEFD5, clNone, clNone, 0xFDFBF6, 0xFDF5E7, 0xFDDE99, 0xFCEDCB};
    case scWindows7:
        return TSelectionPreset{0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xFDF4EB, 0xFDEADB, 0xCEA27D, 0xE0C5AE};
    default:
        return std::nullopt;
    }
}

} // namespace

// ---- The drop-down's style operations ----

void TKelCustomDropDown::DoSetComponentStyle(TKelStyle AStyle) {
    FKelStyle = AStyle;
    const TEditStyleRow* Row = FindEditStyle(AStyle);
    if (AStyle == tsCustom || !Row) return;
    SetColor(Row->EditColor);
    Font()->SetColor(Row->EditFont);
    FDropDownColor = Row->DropDownColor;
    FDropDownColorTo = Row->DropDownColorTo;
    Put(FDropDownBorderColor, Row->DropDownBorderColor);
    const auto PutBar = [](TBarAppearance& Bar, const TBarRow& Look) {
        Bar.SetColor(Look.Color);
        Bar.SetColorTo(Look.ColorTo);
        Bar.Font()->SetColor(Look.Font);
        Bar.SetBorderColor(Look.Border);
    };
    PutBar(*FDropDownHeader, Row->Header);
    PutBar(*FDropDownFooter, Row->Footer.value_or(Row->Header));

    const TButtonStyleRow Button = ButtonStyleRow(AStyle);
    TKelButtonAppearance& Look = *FButtonAppearance;
    Look.Font()->SetColor(clWindowText);
    Look.SetColor(Button.Color);
    Look.SetColorTo(Button.ColorTo);
    Look.SetBorderColor(Button.BorderColor);
    Look.SetColorHot(Button.ColorHot);
    Look.SetColorHotTo(Button.ColorHotTo);
    Look.SetBorderColorHot(Button.BorderColorHot);
    Look.SetColorDown(Button.ColorDown);
    Look.SetColorDownTo(Button.ColorDownTo);
    Look.SetBorderColorDown(Button.BorderColorDown);
    Look.SetColorDisabled(Button.ColorDisabled);
    Look.SetColorDisabledTo(Button.ColorDisabledTo);
    Look.SetColorChecked(Button.ColorChecked);
    Look.SetColorCheckedTo(Button.ColorCheckedTo);
    Look.SetBorderColorChecked(Button.BorderColorChecked);
    if (Button.BorderColorDisabled != Keep) Look.SetBorderColorDisabled(Button.BorderColorDisabled);
    Look.Font()->SetColor(Button.Font);

    if (FButton) {
        if (auto Arrow = ArrowButtonRow(AStyle)) {
            FButton->SetButtonColor(Arrow->Color);
            FButton->SetButtonColorHot(Arrow->Hot);
            FButton->SetButtonColorDown(Arrow->Down);
            FButton->SetButtonTextColor(Arrow->Text);
            FButton->SetButtonTextColorHot(Arrow->TextHot);
            FButton->SetButtonTextColorDown(Arrow->TextDown);
        } else {
            FButton->SetButtonColor(clNone);
            FButton->SetButtonColorHot(clNone);
            FButton->SetButtonColorDown(clNone);
            FButton->SetButtonTextColor(clNone);
            FButton->SetButtonTextColorHot(clNone);
            FButton->SetButtonTextColorDown(clNone);
            FButton->SetButtonBorderColor(clNone);
        }
    }
    Invalidate();
}

void TKelCustomDropDown::DoSetColorTones(const TColorTones& ATones) {
    if (FButton) {
        FButton->SetButtonColor(ATones.Background.BrushColor);
        FButton->SetButtonColorHot(ATones.Hover.BrushColor);
        FButton->SetButtonColorDown(ATones.Selected.BrushColor);
        FButton->SetButtonBorderColor(ATones.Background.BorderColor);
    }
    SetBorderColor(ATones.Background.BorderColor);
}

void TKelCustomDropDown::SetSelectionColorStyle(TSelectionColorStyle Value) {
    FSelectionColorStyle = Value;
    if (auto Preset = SelectionPreset(Value)) {
        FSelectionColor = Preset->From;
        FSelectionColorTo = Preset->To;
    }
    // The list pickers' list takes the style too.
    if (FItemSelector) FItemSelector->ItemAppearance()->SetColorStyle(Value);
}

void TKelCustomDropDown::DrawSelectionBackground(TCanvas* Canvas, const TRect& Rect, TColor CornerColor,
                                                 Integer Part) {
    if (!Canvas) return;
    if (FSelectionColorStyle == scCustom) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(FSelectionColor);
        Canvas->Pen()->SetColor(FSelectionColor);
        Canvas->Rectangle(Rect);
        return;
    }
    auto Preset = SelectionPreset(FSelectionColorStyle);
    if (!Preset) return;
    DrawSelectionFrame(Canvas, FSelectionColor, FSelectionColorTo, Preset->Mirror, Preset->MirrorTo, Preset->TopLine,
                       Preset->BottomLine, Preset->Border, Preset->CornerNear, CornerColor, Rect, Part);
}

void TKelCustomDropDown::SetItemAppearanceStyle(TItemAppearance* Appearance, TKelStyle AStyle) {
    FKelStyle = AStyle;
    if (!Appearance || AStyle == tsCustom) return;
    Appearance->SetBorderColorHot(clNone);
    Appearance->SetBorderColorSelected(clNone);
    Appearance->SetColorSelectedText(clBlack);
    Appearance->SetColorHotText(clBlack);
    Appearance->Font()->SetColor(clBlack);
    const TItemStyleRow& Row = ItemStyleRow(AStyle);
    const auto Set = [](TColor Value, auto Setter) {
        if (Value != Keep) Setter(Value);
    };
    TItemAppearance& A = *Appearance;
    Set(Row.ColorHot, [&](TColor V) { A.SetColorHot(V); });
    Set(Row.ColorHotTo, [&](TColor V) { A.SetColorHotTo(V); });
    Set(Row.ColorMirrorHot, [&](TColor V) { A.SetColorMirrorHot(V); });
    Set(Row.ColorMirrorHotTo, [&](TColor V) { A.SetColorMirrorHotTo(V); });
    Set(Row.BorderColorHot, [&](TColor V) { A.SetBorderColorHot(V); });
    Set(Row.ColorSelected, [&](TColor V) { A.SetColorSelected(V); });
    Set(Row.ColorSelectedTo, [&](TColor V) { A.SetColorSelectedTo(V); });
    Set(Row.ColorMirrorSelected, [&](TColor V) { A.SetColorMirrorSelected(V); });
    Set(Row.ColorMirrorSelectedTo, [&](TColor V) { A.SetColorMirrorSelectedTo(V); });
    Set(Row.BorderColorSelected, [&](TColor V) { A.SetBorderColorSelected(V); });
    Set(Row.BorderColor, [&](TColor V) { A.SetBorderColor(V); });
    Set(Row.BorderColorTop, [&](TColor V) { A.SetBorderColorTop(V); });
    Set(Row.BorderColorBottom, [&](TColor V) { A.SetBorderColorBottom(V); });
    Set(Row.EdgeColor, [&](TColor V) { A.SetEdgeColor(V); });
    Set(Row.ColorSelectedText, [&](TColor V) { A.SetColorSelectedText(V); });
    Set(Row.Font, [&](TColor V) { A.Font()->SetColor(V); });
}

// ---- TItemAppearance ----

const TClassInfo& TItemAppearance::StaticClassInfo() {
    using C = TItemAppearance;
    static const TClassInfo Info =
        TClassBuilder<C, TPersistent>()
            .Property(u"BorderColor", &C::BorderColor, &C::SetBorderColor)
            .Property(u"BorderColorTop", &C::BorderColorTop, &C::SetBorderColorTop)
            .Property(u"BorderColorBottom", &C::BorderColorBottom, &C::SetBorderColorBottom)
            .Property(u"BorderColorHot", &C::BorderColorHot, &C::SetBorderColorHot)
            .Default(TColor(clNone))
            .Property(u"BorderColorSelected", &C::BorderColorSelected, &C::SetBorderColorSelected)
            .Default(TColor(clNone))
            .Property(u"ColorHot", &C::ColorHot, &C::SetColorHot)
            .Property(u"ColorHotTo", &C::ColorHotTo, &C::SetColorHotTo)
            .Property(u"ColorHotText", &C::ColorHotText, &C::SetColorHotText)
            .Property(u"ColorMirrorHot", &C::ColorMirrorHot, &C::SetColorMirrorHot)
            .Property(u"ColorMirrorHotTo", &C::ColorMirrorHotTo, &C::SetColorMirrorHotTo)
            .Property(u"ColorSelected", &C::ColorSelected, &C::SetColorSelected)
            .Property(u"ColorSelectedTo", &C::ColorSelectedTo, &C::SetColorSelectedTo)
            .Property(u"ColorMirrorSelected", &C::ColorMirrorSelected, &C::SetColorMirrorSelected)
            .Property(u"ColorMirrorSelectedTo", &C::ColorMirrorSelectedTo, &C::SetColorMirrorSelectedTo)
            .Property(u"ColorSelectedText", &C::ColorSelectedText, &C::SetColorSelectedText)
            .Property(u"EdgeColor", &C::EdgeColor, &C::SetEdgeColor)
            .Property(u"Font", &C::Font, &C::SetFont)
            .Build();
    return Info;
}

TItemAppearance::TItemAppearance(TPersistent* AOwner) : FOwner(AOwner), FFont(std::make_unique<TFont>()) {
    FFont->SetName(u"Segoe UI");
    FFont->SetHeight(-11);
    SetColorStyle(scOffice2007);
    FColorSelectedText = clBlack;
    FColorHotText = clBlack;
    FBorderColorHot = clNone;
    FBorderColorSelected = clNone;
}

TItemAppearance::~TItemAppearance() = default;

void TItemAppearance::SetColorStyle(TSelectionColorStyle Value) {
    if (Value == FColorStyle) return;
    FColorStyle = Value;
    auto Preset = SelectionPreset(Value);
    if (!Preset) return;
    // The hot colours of a preset are its selection pair; the selected ones
    // are deeper.
    FColorHot = Preset->From;
    FColorHotTo = Preset->To;
    FColorMirrorHot = Preset->Mirror;
    FColorMirrorHotTo = Preset->MirrorTo;
    FBorderColorTop = Preset->TopLine;
    FBorderColorBottom = Preset->BottomLine;
    FBorderColor = Preset->Border;
    FEdgeColor = Preset->CornerNear;
    switch (Value) {
    case scOffice2007:
        FColorSelected = 0xA6FFFB;
        FColorSelectedTo = 0x04B9F4;
        FColorMirrorSelected = 0x15C1FB;
        FColorMirrorSelectedTo = 0x68E3F9;
        break;
    case scWindowsVista:
        FColorSelected = 0xFAEEDE;
        FColorSelectedTo = 0xFAE3B4;
        FColorMirrorSelected = clNone;
        FColorMirrorSelectedTo = clNone;
        break;
    default:
        FColorSelected = 0xF9D8B9;
        FColorSelectedTo = 0xFBCAA2;
        FColorMirrorSelected = clNone;
        FColorMirrorSelectedTo = clNone;
        break;
    }
}

void TItemAppearance::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TItemAppearance*>(Source);
    if (!Other) {
        TPersistent::Assign(Source);
        return;
    }
    FColorMirrorHotTo = Other->FColorMirrorHotTo;
    FBorderColor = Other->FBorderColor;
    FColorMirrorHot = Other->FColorMirrorHot;
    FColorSelectedTo = Other->FColorSelectedTo;
    FColorSelected = Other->FColorSelected;
    FEdgeColor = Other->FEdgeColor;
    FColorHotTo = Other->FColorHotTo;
    FBorderColorBottom = Other->FBorderColorBottom;
    FColorHot = Other->FColorHot;
    FBorderColorTop = Other->FBorderColorTop;
    FColorMirrorSelectedTo = Other->FColorMirrorSelectedTo;
    FColorMirrorSelected = Other->FColorMirrorSelected;
    FFont->Assign(Other->FFont.get());
    SetColorStyle(Other->FColorStyle);
    FColorSelectedText = Other->FColorSelectedText;
    FColorHotText = Other->FColorHotText;
    FBorderColorHot = Other->FBorderColorHot;
    FBorderColorSelected = Other->FBorderColorSelected;
}
