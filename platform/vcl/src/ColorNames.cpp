// The colour identifier table and the conversions through it.

#include "rtl/Convert.h"
#include "rtl/TextCompare.h"
#include "vcl/ColorNames.h"

namespace {

struct TColorIdent {
    TColor Value;
    const char16_t* Name;
};

// Duplicated values (clLtGray = clSilver, clDkGray = clGray) come after the
// names that colour is written with.
const TColorIdent ColorIdents[] = {
    {clBlack, u"clBlack"},
    {clMaroon, u"clMaroon"},
    {clGreen, u"clGreen"},
    {clOlive, u"clOlive"},
    {clNavy, u"clNavy"},
    {clPurple, u"clPurple"},
    {clTeal, u"clTeal"},
    {clGray, u"clGray"},
    {clSilver, u"clSilver"},
    {clRed, u"clRed"},
    {clLime, u"clLime"},
    {clYellow, u"clYellow"},
    {clBlue, u"clBlue"},
    {clFuchsia, u"clFuchsia"},
    {clAqua, u"clAqua"},
    {clWhite, u"clWhite"},
    {clMoneyGreen, u"clMoneyGreen"},
    {clSkyBlue, u"clSkyBlue"},
    {clCream, u"clCream"},
    {clMedGray, u"clMedGray"},
    {clActiveBorder, u"clActiveBorder"},
    {clActiveCaption, u"clActiveCaption"},
    {clAppWorkSpace, u"clAppWorkSpace"},
    {clBackground, u"clBackground"},
    {clBtnFace, u"clBtnFace"},
    {clBtnHighlight, u"clBtnHighlight"},
    {clBtnShadow, u"clBtnShadow"},
    {clBtnText, u"clBtnText"},
    {clCaptionText, u"clCaptionText"},
    {clDefault, u"clDefault"},
    {clGradientActiveCaption, u"clGradientActiveCaption"},
    {clGradientInactiveCaption, u"clGradientInactiveCaption"},
    {clGrayText, u"clGrayText"},
    {clHighlight, u"clHighlight"},
    {clHighlightText, u"clHighlightText"},
    {clHotLight, u"clHotLight"},
    {clInactiveBorder, u"clInactiveBorder"},
    {clInactiveCaption, u"clInactiveCaption"},
    {clInactiveCaptionText, u"clInactiveCaptionText"},
    {clInfoBk, u"clInfoBk"},
    {clInfoText, u"clInfoText"},
    {clMenu, u"clMenu"},
    {clMenuBar, u"clMenuBar"},
    {clMenuHighlight, u"clMenuHighlight"},
    {clMenuText, u"clMenuText"},
    {clNone, u"clNone"},
    {clScrollBar, u"clScrollBar"},
    {cl3DDkShadow, u"cl3DDkShadow"},
    {cl3DLight, u"cl3DLight"},
    {clWindow, u"clWindow"},
    {clWindowFrame, u"clWindowFrame"},
    {clWindowText, u"clWindowText"},
    {clLtGray, u"clLtGray"},
    {clDkGray, u"clDkGray"},
};

} // namespace

bool ColorToIdent(TColor Color, String& Ident) {
    for (const auto& Entry : ColorIdents)
        if (Entry.Value == Color) {
            Ident = Entry.Name;
            return true;
        }
    return false;
}

bool IdentToColor(const String& Ident, TColor& Color) {
    for (const auto& Entry : ColorIdents)
        if (SameText(Ident, Entry.Name)) {
            Color = Entry.Value;
            return true;
        }
    return false;
}

String ColorToString(TColor Color) {
    String Ident;
    if (ColorToIdent(Color, Ident)) return Ident;
    return u"$" + IntToHex(Cardinal(Color), 8);
}

TColor StringToColor(const String& S) {
    TColor Color;
    if (IdentToColor(S, Color)) return Color;
    return TColor(StrToInt(S));
}

void GetColorValues(const std::function<void(const String&)>& Proc) {
    for (const auto& Entry : ColorIdents)
        Proc(Entry.Name);
}
