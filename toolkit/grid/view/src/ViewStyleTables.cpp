// The colour sets of the grid's 27 styles. Colours are 0xBBGGRR; clNone
// switches a colour off; Keep leaves the grid's value alone.

#include "ViewStyleTables.h"

#include <array>

namespace ZirOvararIzazStyles {
namespace {

using P = TGridStylePreset;

P Base(TKelGridStyle S) {
    P p{};
    p.Style = S;
    p.SetsLook = false;
    p.Look = glXP;
    p.Dresses = true;
    for (TColor& c : p.Gradient) c = Keep;
    p.ActiveCell = p.ActiveCellTo = Keep;
    p.Selection = p.SelectionTo = p.SelectionText = Keep;
    p.GridLine = p.GridFixedLine = Keep;
    p.Border = Keep;
    p.FixedColor = Keep;
    for (TColor& c : p.SortHeader) c = Keep;
    p.Hover = hkNone;
    for (TColor& c : p.HoverGradient) c = Keep;
    p.HoverBorder = Keep;
    p.HoverBorderGridOnly = false;
    for (TColor& c : p.DownGradient) c = Keep;
    p.DownBorder = Keep;
    p.FontColor = p.FixedFontColor = p.ActiveCellFontColor = Keep;
    p.SelectionStyleEnd = seKeep;
    p.ControlLookFromTo = p.ControlLookMirrors = false;
    p.StoresUIStyle = false;
    return p;
}

void Look(P& p, TGridLook L) {
    p.SetsLook = true;
    p.Look = L;
}
void Gradient(P& p, TColor From, TColor To, TColor MirrorFrom, TColor MirrorTo) {
    p.Gradient[0] = From;
    p.Gradient[1] = To;
    p.Gradient[2] = MirrorFrom;
    p.Gradient[3] = MirrorTo;
}
void Flat(P& p, TColor C) { Gradient(p, C, C, C, C); }
void Active(P& p, TColor From, TColor To) {
    p.ActiveCell = From;
    p.ActiveCellTo = To;
}
void Selection(P& p, TColor Color, TColor Text) {
    p.Selection = Color;
    p.SelectionText = Text;
}
void Lines(P& p, TColor Grid, TColor Fixed) {
    p.GridLine = Grid;
    p.GridFixedLine = Fixed;
}
void SortHeader(P& p, TColor A, TColor B, TColor C, TColor D) {
    p.SortHeader[0] = A;
    p.SortHeader[1] = B;
    p.SortHeader[2] = C;
    p.SortHeader[3] = D;
}
void SortHeader(P& p, TColor C) { SortHeader(p, C, C, C, C); }
void Hover(P& p, TColor A, TColor B, TColor C, TColor D, TColor Border) {
    p.Hover = hkTable;
    p.HoverGradient[0] = A;
    p.HoverGradient[1] = B;
    p.HoverGradient[2] = C;
    p.HoverGradient[3] = D;
    p.HoverBorder = Border;
}
void Down(P& p, TColor A, TColor B, TColor C, TColor D, TColor Border) {
    p.DownGradient[0] = A;
    p.DownGradient[1] = B;
    p.DownGradient[2] = C;
    p.DownGradient[3] = D;
    p.DownBorder = Border;
}

void Office2003(P& p, TColor From, TColor To) {
    Look(p, glXP);
    Gradient(p, From, To, clNone, clNone);
    Active(p, 0x94E6FB, 0x1595EE);
    Selection(p, 0x94E6FB, clBlack);
    p.SelectionTo = 0x1595EE;
    Lines(p, 0xC0C0C0, 0x808080);
    p.ControlLookFromTo = true;
}

void Office2007(P& p, TColor From, TColor To) {
    Look(p, glOffice2007);
    Gradient(p, From, To, clNone, clNone);
    p.ControlLookFromTo = true;
}

void Office2010(P& p, TColor Flat_, TColor FixedLine, TColor Header) {
    Look(p, glOffice2007);
    Flat(p, Flat_);
    Active(p, 0x5BD5FF, 0x71EFFF);
    Selection(p, 0xFFDBB7, clBlack);
    Lines(p, 0xC0C0C0, FixedLine);
    SortHeader(p, Header);
    Hover(p, 0x6BDFFF, 0xAFEFFF, 0xAFEFFF, 0xE6FCFF, 0x3ABFE8);
    Down(p, 0x5BD5FF, 0x64E0FF, 0x64E0FF, 0x71EFFF, 0x308AC2);
    p.SelectionStyleEnd = seDefault;
    p.ControlLookMirrors = true;
}

void Windows8(P& p) {
    Look(p, glOffice2007);
    Flat(p, 0xF7F6F5);
    Active(p, 0xF7F6F5, 0xF7F6F5);
    Selection(p, 0xDAA026, clWhite);
    Lines(p, 0xDCDBDA, 0xDCDBDA);
    p.Border = 0xE4E3E2;
    SortHeader(p, 0xF7F6F5);
    Hover(p, 0xF7EFE8, 0xF7EFE8, 0xF7EFE8, 0xF7EFE8, 0xF9CEA4);
    Down(p, 0xF7E0C9, 0xF7E0C9, 0xF7E0C9, 0xF7E0C9, 0xE4A262);
    p.SelectionStyleEnd = seDefault;
    p.ControlLookMirrors = true;
}

void Office2013(P& p, TColor Flat_, TColor Lines_) {
    Look(p, glOffice2007);
    Flat(p, Flat_);
    Active(p, Flat_, Flat_);
    Selection(p, 0xDAA026, clWhite);
    Lines(p, Lines_, Lines_);
    p.Border = Lines_;
    SortHeader(p, Flat_);
    Hover(p, 0xFCF0E4, 0xFCF0E4, 0xFCF0E4, 0xFCF0E4, 0xEAB47E);
    Down(p, 0xFCE2C8, 0xFCE2C8, 0xFCE2C8, 0xFCE2C8, 0xE59D56);
    p.SelectionStyleEnd = seDefault;
    p.ControlLookMirrors = true;
    p.StoresUIStyle = true;
}

// The 2016 and 2019 styles: hover and pressed colours from the application
// colour.
void AppShaded(P& p) {
    p.Hover = hkAppShade;
    p.HoverBorder = 0xB1B1B1;
    p.DownBorder = 0xABABAB;
    p.StoresUIStyle = true;
}

void Office2016(P& p, TColor Flat_, TColor Active_, TColor FixedLine, TColor Border) {
    Look(p, glOffice2007);
    Flat(p, Flat_);
    Active(p, Active_, Active_);
    Selection(p, 0xC6C6C6, clBlack);
    Lines(p, 0xD4D4D4, FixedLine);
    p.Border = Border;
    SortHeader(p, Flat_);
    AppShaded(p);
    p.SelectionStyleEnd = seDefault;
    p.ControlLookMirrors = true;
}

void Office2019(P& p, TColor Flat_, TColor FixedLine) {
    Look(p, glCustom);
    Flat(p, Flat_);
    Lines(p, 0xD4D4D4, FixedLine);
    p.Border = FixedLine;
    p.FixedColor = Flat_;
    SortHeader(p, Flat_);
    AppShaded(p);
    p.ControlLookFromTo = true;
    p.ControlLookMirrors = true;
}

std::array<P, 27> BuildPresets() {
    std::array<P, 27> T;
    for (size_t i = 0; i < T.size(); ++i) T[i] = Base(TKelGridStyle(i));

    Office2003(T[gsOffice2003Blue], 0xFCE1CB, 0xE0A57D);
    Office2003(T[gsOffice2003Silver], 0xECE2E1, 0xB39698);
    Office2003(T[gsOffice2003Olive], 0xCFF0EA, 0x8CC0B1);

    P& Classic = T[gsOffice2003Classic];
    Look(Classic, glXP);
    Gradient(Classic, 0xFFFFFF, 0xCCD4D8, clNone, clNone);
    Active(Classic, 0xD8D5D4, 0xD8D5D4);
    Lines(Classic, 0xC0C0C0, 0x808080);

    P& Luna = T[gsOffice2007Luna];
    Office2007(Luna, 0xFBF9F6, 0xE8DBD2);
    Active(Luna, 0x9DD8F9, 0x5EC1F1);
    Selection(Luna, 0x5EC1F1, clBlack);
    Lines(Luna, 0xF1EDEB, 0xD1BBA4);
    Hover(Luna, 0xE4E2DF, 0xDBD3CD, 0xDBD3CD, 0xD2C5BC, 0xB79F87);
    Down(Luna, 0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D);
    Luna.SelectionStyleEnd = seOffice2007;

    P& Obsidian = T[gsOffice2007Obsidian];
    Office2007(Obsidian, 0xF7F7F7, 0xDEDEDE);
    Active(Obsidian, 0x9DD8F9, 0x5EC1F1);
    Selection(Obsidian, 0x5EC1F1, clBlack);
    Lines(Obsidian, 0xE5D7D0, 0x808080);

    P& XP = T[gsWindowsXP];
    Look(XP, glXP);
    Gradient(XP, clBtnFace, clBtnFace, clNone, clNone);
    Active(XP, clBtnFace, clBtnFace);
    Lines(XP, 0xC0C0C0, 0x808080);

    P& Whidbey = T[gsWhidbey];
    Gradient(Whidbey, 0xFFFFFF, clBtnFace, clNone, clNone);
    Active(Whidbey, 0x94E6FB, 0x1595EE);
    Lines(Whidbey, 0xC0C0C0, 0x808080);

    T[gsCustom].Dresses = false;

    P& Silver = T[gsOffice2007Silver];
    Office2007(Silver, 0xF3F3F1, 0xCAC9C8);
    Silver.Gradient[2] = Silver.Gradient[3] = Keep;
    Active(Silver, 0x99CCFF, 0x699CFF);
    Selection(Silver, 0x95C7F5, clBlack);
    Lines(Silver, 0xE5D7D0, 0x808080);

    P& Vista = T[gsWindowsVista];
    Look(Vista, glVista);
    Gradient(Vista, 0xFFFFFF, 0xFFFFFF, 0xFAF8F7, 0xF4F2F1);
    Active(Vista, 0xFDF8F1, 0xFCEFD5);
    Selection(Vista, 0xEACAB6, clBlack);
    Lines(Vista, 0xECECF0, 0xD4D2D1);
    Hover(Vista, 0xFFF7E3, 0xFFF7E3, 0xFFEDBD, 0xFBE7B7, 0xE3C993);
    Vista.HoverBorderGridOnly = true;
    Down(Vista, 0xF9E4BC, 0xF9E4BC, 0xF7D68D, 0xF5D18A, 0xAE904F);
    SortHeader(Vista, 0xFCF9F2, 0xFCF9F2, 0xF9F1E1, 0xF6ECD8);
    Vista.SelectionStyleEnd = seVista;
    Vista.ControlLookMirrors = true;

    P& Win7 = T[gsWindows7];
    Look(Win7, glWin7);
    Gradient(Win7, 0xFDFCFA, 0xFAF0E6, 0xF4E6DC, 0xF7E9DD);
    Active(Win7, 0xFCEBDC, 0xFCDBC1);
    Selection(Win7, 0xEACAB6, clBlack);
    Lines(Win7, 0xECECF0, 0xD4D2D1);
    Hover(Win7, 0xFEFBF8, 0xFAF2ED, 0xF4E4D7, 0xE8D2C1, 0xEEE8E3);
    Win7.HoverBorderGridOnly = true;
    Down(Win7, 0xF1E8DD, 0xF1E4D8, 0xECDBCF, 0xEDDCCF, 0xD5BCAA);
    SortHeader(Win7, 0xFCF9F2, 0xFCF9F2, 0xF9F1E1, 0xF6ECD8);
    Win7.SelectionStyleEnd = seWin7;
    Win7.ControlLookMirrors = true;

    P& Terminal = T[gsTerminal];
    Look(Terminal, glStandard);
    Terminal.Dresses = false;

    Office2010(T[gsOffice2010Blue], 0xF5E7DA, 0xC7B0A0, 0xD6CEC7);
    Office2010(T[gsOffice2010Silver], 0xE8E3DF, 0xBAB5B1, 0xAAAAAA);
    Office2010(T[gsOffice2010Black], 0x6A6A6A, 0x444444, 0xBABABA);

    Windows8(T[gsWindows8]);
    Windows8(T[gsWindows10]);

    Office2013(T[gsOffice2013white], 0xEEEEEE, 0xD4D4D4);
    Office2013(T[gsOffice2013LightGray], 0xFAFAFA, 0xC6C6C6);
    Office2013(T[gsOffice2013Gray], 0xF3F3F3, 0xABABAB);

    Office2016(T[gsOffice2016white], 0xFFFFFF, 0xE1E1E1, 0xD5D5D5, 0xABABAB);
    P& Gray16 = T[gsOffice2016Gray];
    Office2016(Gray16, 0x6A6A6A, 0x262626, 0xD3D3D3, 0x999999);
    Gray16.FixedFontColor = Gray16.ActiveCellFontColor = clWhite;
    P& Black16 = T[gsOffice2016Black];
    Office2016(Black16, 0x252525, 0x646464, 0xB0B0B0, 0x999999);
    Black16.FixedFontColor = Black16.ActiveCellFontColor = clWhite;

    // The active-cell and selection colours of 2019 white and gray follow
    // the application colour when one is given (ViewStyles.cpp); these are
    // the colours without one.
    P& White19 = T[gsOffice2019white];
    Office2019(White19, 0xFFFFFF, 0xABABAB);
    White19.Gradient[2] = White19.Gradient[3] = clNone;
    Active(White19, 0xB0784A, 0xB0784A);
    Selection(White19, 0xD1B9A5, clBlack);
    White19.ActiveCellFontColor = 0x444648;
    White19.FixedFontColor = 0x3B3B3B;
    P& Gray19 = T[gsOffice2019Gray];
    Office2019(Gray19, 0x666666, 0x999999);
    Active(Gray19, 0x262626, 0x262626);
    Selection(Gray19, 0x969696, clBlack);
    Gray19.FixedFontColor = Gray19.ActiveCellFontColor = clWhite;
    P& Black19 = T[gsOffice2019Black];
    Office2019(Black19, 0x262626, 0x999999);
    Active(Black19, 0x646464, 0x646464);
    Selection(Black19, 0x5C5E60, clWhite);
    Black19.FixedFontColor = Black19.ActiveCellFontColor = clWhite;
    Black19.FontColor = 0x232425;
    return T;
}

} // namespace

const TGridStylePreset& GridStylePreset(TKelGridStyle AStyle) {
    static const std::array<P, 27> Presets = BuildPresets();
    return Presets[size_t(AStyle) < Presets.size() ? size_t(AStyle) : size_t(gsCustom)];
}

} // namespace ZirOvararIzazStyles
