// The grid drop-down's colour presets, one row per style.

#include "dropdowngrid/ZedArudorIdudIvudAriz.h"

namespace ZedArudorIdudIvudAriz {

namespace {

constexpr TColor Keep = TColor(0x7FFFFFFF);

struct TStylePreset {
    TKelStyle Style;
    TColor Header, HeaderTo, HeaderFont;
    // scCustom: the selection colour below; otherwise the preset gives it.
    TSelectionColorStyle Selection;
    TColor SelectionColor, SelectionText, Line, FixedLine;
};

// Colours as $BBGGRR; Keep leaves the value as it is.
constexpr TStylePreset Presets[] = {
    {tsOffice2003Blue, 0xD68759, 0x933803, 0xFFFFFF, scOffice2007, Keep, 0x000000, 0x962D00, 0x962D00},
    {tsOffice2003Silver, 0xBDA4A5, 0x957475, Keep, scOffice2007, Keep, 0x000000, 0x947C7C, 0x947C7C},
    {tsOffice2003Olive, 0x82C0AF, 0x447A63, Keep, scOffice2007, Keep, 0x000000, 0x588060, 0x588060},
    {tsOffice2003Classic, 0x808080, 0x808080, Keep, scOffice2007, Keep, 0x000000, 0x808080, 0x808080},
    {tsOffice2007Luna, 0xFFEFE3, 0xFFD2AF, 0x723708, scOffice2007, Keep, 0x000000, 0xFFD2AF, 0xFFD2AF},
    {tsOffice2007Obsidian, 0xF2F1F0, 0xC9C2BD, 0x433C37, scOffice2007, Keep, 0x000000, 0x5C534C, 0x5C534C},
    {tsWindowsXP, clBtnFace, clBtnFace, 0x000000, scCustom, clHighlight, clHighlightText, 0xC0C0C0, 0x000000},
    {tsWhidbey, 0xEBEEEF, 0x7E9898, 0xFFFFFF, scOffice2007, Keep, 0x000000, 0x962D00, 0x962D00},
    {tsOffice2007Silver, 0xF8F7F6, 0xE8E0DB, 0x8B4215, scOffice2007, Keep, 0x000000, 0x74706F, 0x74706F},
    {tsWindowsVista, 0xFFFDF9, 0xFFFAF0, 0x000000, scWindowsVista, Keep, 0x000000, 0xFCF2DA, 0xFCF2DA},
    {tsWindows7, 0xFDFBFA, 0xFDF3EB, 0x000000, scWindows7, Keep, 0x000000, 0xFBD6B8, 0xFBD6B8},
    {tsTerminal, clBtnFace, clBtnFace, 0x000000, scCustom, clHighlight, clHighlightText, 0x808080, 0x808080},
    {tsOffice2010Blue, 0xEDDBCD, clNone, 0x5B391E, scCustom, 0x6CD0FF, 0x000000, 0xEEDDCF, 0xEEDDCF},
    {tsOffice2010Silver, 0xEDE9E5, clNone, 0x5B391E, scCustom, 0x6CD0FF, 0x000000, 0xEEDDCF, 0xEEDDCF},
    {tsOffice2010Black, 0x828282, clNone, 0xD7D7D6, scCustom, 0x6CD0FF, 0x000000, 0xEEDDCF, 0xEEDDCF},
    {tsWindows8, 0xF7F6F5, clNone, 0x000000, scCustom, 0xF7E0C9, 0x000000, 0xE4E3E2, 0xE4E3E2},
    {tsWindows10, 0xF7F6F5, clNone, 0x000000, scCustom, 0xF7E0C9, 0x000000, 0xE4E3E2, 0xE4E3E2},
    {tsOffice2013White, 0xFFFFFF, clNone, 0x000000, scCustom, 0xFCE2C8, 0x000000, 0xD4D4D4, 0xD4D4D4},
    {tsOffice2013LightGray, 0xF6F6F6, clNone, 0x000000, scCustom, 0xFCE2C8, 0x000000, 0xC6C6C6, 0xC6C6C6},
    {tsOffice2013Gray, 0xE5E5E5, clNone, 0x000000, scCustom, 0xFCE2C8, 0x000000, 0xABABAB, 0xABABAB},
    {tsOffice2016White, 0xFFFFFF, clNone, 0x000000, scCustom, 0xE3BDA3, 0x000000, 0xD4D4D4, 0xD4D4D4},
    {tsOffice2016Gray, 0x444444, clNone, 0xF0F0F0, scCustom, 0xB2B2B2, 0x000000, 0x444444, 0x444444},
    {tsOffice2016Black, 0x444444, clNone, 0xFFFFFF, scCustom, 0x444444, 0xFFFFFF, 0x6A6A6A, 0x6A6A6A},
    {tsOffice2019White, 0xFFFFFF, clNone, 0x444444, scCustom, 0xF9ECDE, 0x393A3B, 0xD4D4D4, 0xABABAB},
    {tsOffice2019Gray, 0x666666, clNone, 0xFFFFFF, scCustom, 0x86888A, 0x000000, 0xD4D4D4, 0x999999},
    {tsOffice2019Black, 0x262626, clNone, 0xDADADA, scCustom, 0xB1B1B1, 0xFFFFFF, 0xD4D4D4, 0x999999},
};

} // namespace

Integer GridDropDownStylePresetCount() { return Integer(std::size(Presets)); }

void TCustomKelGridDropDown::DoSetComponentStyle(TKelStyle AStyle) {
    TKelCustomDropDown::DoSetComponentStyle(AStyle);
    FKelStyle = AStyle;
    for (const TStylePreset& P : Presets) {
        if (P.Style != AStyle) continue;
        FHeaderColor = P.Header;
        FHeaderColorTo = P.HeaderTo;
        if (P.HeaderFont != Keep) FHeaderFont->SetColor(P.HeaderFont);
        SetSelectionColorStyle(P.Selection);
        if (P.SelectionColor != Keep) {
            FSelectionColor = P.SelectionColor;
            FSelectionColorTo = P.SelectionColor;
        }
        FSelectionTextColor = P.SelectionText;
        FLineColor = P.Line;
        FFixedLineColor = P.FixedLine;
        return;
    }
}

} // namespace ZedArudorIdudIvudAriz
