// Colour values of the cell markup and the HI colours.

#include "gridbase/MarkupColors.h"

#include "graphics/Colors.h"
#include "rtl/StringUtils.h"

#include <algorithm>
#include <array>

namespace {

// A table entry written as in "#RRGGBB".
constexpr TColor Hex(Cardinal rrggbb) {
    return RGB(Byte(rrggbb >> 16), Byte(rrggbb >> 8), Byte(rrggbb));
}

// Sorted by the ordinal order of the names: the binary search relies on it.
constexpr std::array<TMarkupColorName, 172> ColorNames{{
    {u"3ddkshadow", cl3DDkShadow},
    {u"3dlight", cl3DLight},
    {u"activeborder", clActiveBorder},
    {u"activecaption", clActiveCaption},
    {u"aliceblue", Hex(0xF0F8FF)},
    {u"antiquewhite", Hex(0xFAEBD7)},
    {u"appworkspace", clAppWorkSpace},
    {u"aqua", Hex(0x00FFFF)},
    {u"aquamarine", Hex(0x7FFFD4)},
    {u"azure", Hex(0xF0FFFF)},
    {u"background", clBackground},
    {u"beige", Hex(0xF5F5DC)},
    {u"bisque", Hex(0xFFE4C4)},
    {u"black", Hex(0x000000)},
    {u"blanchedalmond", Hex(0xFFEBCD)},
    {u"blue", Hex(0x0000FF)},
    {u"blueviolet", Hex(0x8A2BE2)},
    {u"brown", Hex(0xA52A2A)},
    {u"btnface", clBtnFace},
    {u"btnhighlight", clBtnHighlight},
    {u"btnshadow", clBtnShadow},
    {u"btntext", clBtnText},
    {u"burlywood", Hex(0xDEB887)},
    {u"cadetblue", Hex(0x5F9EA0)},
    {u"captiontext", clCaptionText},
    {u"chartreuse", Hex(0x7FFF00)},
    {u"chocolate", Hex(0xD2691E)},
    {u"coral", Hex(0xFF7F50)},
    {u"cornflowerblue", Hex(0x6495ED)},
    {u"cornsilk", Hex(0xFFF8DC)},
    {u"crimson", Hex(0xDC143C)},
    {u"cyan", Hex(0x00FFFF)},
    {u"darkblue", Hex(0x00008B)},
    {u"darkcyan", Hex(0x008B8B)},
    {u"darkgoldenrod", Hex(0xB8860B)},
    {u"darkgray", Hex(0xA9A9A9)},
    {u"darkgreen", Hex(0x006400)},
    {u"darkgrey", Hex(0xA9A9A9)},
    {u"darkkhaki", Hex(0xBDB76B)},
    {u"darkmagenta", Hex(0x8B008B)},
    {u"darkolivegreen", Hex(0x556B2F)},
    {u"darkorange", Hex(0xFF8C00)},
    {u"darkorchid", Hex(0x9932CC)},
    {u"darkred", Hex(0x8B0000)},
    {u"darksalmon", Hex(0xE9967A)},
    {u"darkseagreen", Hex(0x8FBC8F)},
    {u"darkslateblue", Hex(0x483D8B)},
    {u"darkslategray", Hex(0x2F4F4F)},
    {u"darkslategrey", Hex(0x2F4F4F)},
    {u"darkturquoise", Hex(0x00CED1)},
    {u"darkviolet", Hex(0x9400D3)},
    {u"deeppink", Hex(0xFF1493)},
    {u"deepskyblue", Hex(0x00BFFF)},
    {u"dimgray", Hex(0x696969)},
    {u"dimgrey", Hex(0x696969)},
    {u"dodgerblue", Hex(0x1E90FF)},
    {u"firebrick", Hex(0xB22222)},
    {u"floralwhite", Hex(0xFFFAF0)},
    {u"forestgreen", Hex(0x228B22)},
    {u"fuchsia", Hex(0xFF00FF)},
    {u"gainsboro", Hex(0xDCDCDC)},
    {u"ghostwhite", Hex(0xF8F8FF)},
    {u"gold", Hex(0xFFD700)},
    {u"goldenrod", Hex(0xDAA520)},
    {u"gray", Hex(0x808080)},
    {u"graytext", clGrayText},
    {u"green", Hex(0x008000)},
    {u"greenyellow", Hex(0xADFF2F)},
    {u"grey", Hex(0x808080)},
    {u"highlight", clHighlight},
    {u"highlighttext", clHighlightText},
    {u"honeydew", Hex(0xF0FFF0)},
    {u"hotpink", Hex(0xFF69B4)},
    {u"inactiveborder", clInactiveBorder},
    {u"inactivecaption", clInactiveCaption},
    {u"inactivecaptiontext", clInactiveCaptionText},
    {u"indianred", Hex(0xCD5C5C)},
    {u"indigo", Hex(0x4B0082)},
    {u"infobk", clInfoBk},
    {u"infotext", clInfoText},
    {u"ivory", Hex(0xFFFFF0)},
    {u"khaki", Hex(0xF0E68C)},
    {u"lavender", Hex(0xE6E6FA)},
    {u"lavenderblush", Hex(0xFFF0F5)},
    {u"lawngreen", Hex(0x7CFC00)},
    {u"lemonchiffon", Hex(0xFFFACD)},
    {u"lightblue", Hex(0xADD8E6)},
    {u"lightcoral", Hex(0xF08080)},
    {u"lightcyan", Hex(0xE0FFFF)},
    {u"lightgoldenrodyellow", Hex(0xFAFAD2)},
    {u"lightgray", Hex(0xD3D3D3)},
    {u"lightgreen", Hex(0x90EE90)},
    {u"lightgrey", Hex(0xD3D3D3)},
    {u"lightpink", Hex(0xFFB6C1)},
    {u"lightsalmon", Hex(0xFFA07A)},
    {u"lightseagreen", Hex(0x20B2AA)},
    {u"lightskyblue", Hex(0x87CEFA)},
    {u"lightslategray", Hex(0x778899)},
    {u"lightslategrey", Hex(0x778899)},
    {u"lightsteelblue", Hex(0xB0C4DE)},
    {u"lightyellow", Hex(0xFFFFE0)},
    {u"lime", Hex(0x00FF00)},
    {u"limegreen", Hex(0x32CD32)},
    {u"linen", Hex(0xFAF0E6)},
    {u"magenta", Hex(0xFF00FF)},
    {u"maroon", Hex(0x800000)},
    {u"mediumaquamarine", Hex(0x66CDAA)},
    {u"mediumblue", Hex(0x0000CD)},
    {u"mediumorchid", Hex(0xBA55D3)},
    {u"mediumpurple", Hex(0x9370DB)},
    {u"mediumseagreen", Hex(0x3CB371)},
    {u"mediumslateblue", Hex(0x7B68EE)},
    {u"mediumspringgreen", Hex(0x00FA9A)},
    {u"mediumturquoise", Hex(0x48D1CC)},
    {u"mediumvioletred", Hex(0xC71585)},
    {u"menu", clMenu},
    {u"menutext", clMenuText},
    {u"midnightblue", Hex(0x191970)},
    {u"mintcream", Hex(0xF5FFFA)},
    {u"mistyrose", Hex(0xFFE4E1)},
    {u"moccasin", Hex(0xFFE4B5)},
    {u"navajowhite", Hex(0xFFDEAD)},
    {u"navy", Hex(0x000080)},
    {u"oldlace", Hex(0xFDF5E6)},
    {u"olive", Hex(0x808000)},
    {u"olivedrab", Hex(0x6B8E23)},
    {u"orange", Hex(0xFFA500)},
    {u"orangered", Hex(0xFF4500)},
    {u"orchid", Hex(0xDA70D6)},
    {u"palegoldenrod", Hex(0xEEE8AA)},
    {u"palegreen", Hex(0x98FB98)},
    {u"paleturquoise", Hex(0xAFEEEE)},
    {u"palevioletred", Hex(0xDB7093)},
    {u"papayawhip", Hex(0xFFEFD5)},
    {u"peachpuff", Hex(0xFFDAB9)},
    {u"peru", Hex(0xCD853F)},
    {u"pink", Hex(0xFFC0CB)},
    {u"plum", Hex(0xDDA0DD)},
    {u"powderblue", Hex(0xB0E0E6)},
    {u"purple", Hex(0x800080)},
    {u"rebeccapurple", Hex(0x663399)},
    {u"red", Hex(0xFF0000)},
    {u"rosybrown", Hex(0xBC8F8F)},
    {u"royalblue", Hex(0x4169E1)},
    {u"saddlebrown", Hex(0x8B4513)},
    {u"salmon", Hex(0xFA8072)},
    {u"sandybrown", Hex(0xF4A460)},
    {u"seagreen", Hex(0x2E8B57)},
    {u"seashell", Hex(0xFFF5EE)},
    {u"sienna", Hex(0xA0522D)},
    {u"silver", Hex(0xC0C0C0)},
    {u"skyblue", Hex(0x87CEEB)},
    {u"slateblue", Hex(0x6A5ACD)},
    {u"slategray", Hex(0x708090)},
    {u"slategrey", Hex(0x708090)},
    {u"snow", Hex(0xFFFAFA)},
    {u"springgreen", Hex(0x00FF7F)},
    {u"steelblue", Hex(0x4682B4)},
    {u"tan", Hex(0xD2B48C)},
    {u"teal", Hex(0x008080)},
    {u"thistle", Hex(0xD8BFD8)},
    {u"tomato", Hex(0xFF6347)},
    {u"turquoise", Hex(0x40E0D0)},
    {u"violet", Hex(0xEE82EE)},
    {u"wheat", Hex(0xF5DEB3)},
    {u"white", Hex(0xFFFFFF)},
    {u"whitesmoke", Hex(0xF5F5F5)},
    {u"window", clWindow},
    {u"windowframe", clWindowFrame},
    {u"windowtext", clWindowText},
    {u"yellow", Hex(0xFFFF00)},
    {u"yellowgreen", Hex(0x9ACD32)},
}};

// The static-text dialect's names: the 16 basic colours, then 24 system colours.
constexpr std::array<TMarkupColorName, 40> StaticColorNames{{
    {u"clred", Hex(0xFF0000)},
    {u"clblack", Hex(0x000000)},
    {u"clblue", Hex(0x0000FF)},
    {u"clgreen", Hex(0x008000)},
    {u"claqua", Hex(0x00FFFF)},
    {u"clyellow", Hex(0xFFFF00)},
    {u"clfuchsia", Hex(0xFF00FF)},
    {u"clwhite", Hex(0xFFFFFF)},
    {u"cllime", Hex(0x00FF00)},
    {u"clsilver", Hex(0xC0C0C0)},
    {u"clgray", Hex(0x808080)},
    {u"clolive", Hex(0x808000)},
    {u"clnavy", Hex(0x000080)},
    {u"clpurple", Hex(0x800080)},
    {u"clteal", Hex(0x008080)},
    {u"clmaroon", Hex(0x800000)},
    {u"clbackground", clBackground},
    {u"clactivecaption", clActiveCaption},
    {u"clinactivecaption", clInactiveCaption},
    {u"clmenu", clMenu},
    {u"clwindow", clWindow},
    {u"clwindowframe", clWindowFrame},
    {u"clmenutext", clMenuText},
    {u"clwindowtext", clWindowText},
    {u"clcaptiontext", clCaptionText},
    {u"clactiveborder", clActiveBorder},
    {u"clinactiveborder", clInactiveBorder},
    {u"clappworkspace", clAppWorkSpace},
    {u"clhighlight", clHighlight},
    {u"clhighlighttext", clHighlightText},
    {u"clbtnface", clBtnFace},
    {u"clbtnshadow", clBtnShadow},
    {u"clgraytext", clGrayText},
    {u"clbtntext", clBtnText},
    {u"clinactivecaptiontext", clInactiveCaptionText},
    {u"clbtnhighlight", clBtnHighlight},
    {u"cl3ddkshadow", cl3DDkShadow},
    {u"cl3dlight", cl3DLight},
    {u"clinfotext", clInfoText},
    {u"clinfobk", clInfoBk},
}};

int HexDigit(Char ch) {
    if (ch >= u'0' && ch <= u'9') return ch - u'0';
    if (ch >= u'a' && ch <= u'f') return ch - u'a' + 10;
    if (ch >= u'A' && ch <= u'F') return ch - u'A' + 10;
    return -1;
}

// The pair at `index` of the digits; 0 when it is missing or not hexadecimal.
Byte HexPair(std::u16string_view digits, std::size_t index) {
    if (index + 2 > digits.size()) return 0;
    const int high = HexDigit(digits[index]);
    const int low = HexDigit(digits[index + 1]);
    if (high < 0 || low < 0) return 0;
    return Byte(high * 16 + low);
}

TColor HighlightBackground = clHighlight;
TColor HighlightText = clHighlightText;

} // namespace

TColor HexRGBToColor(const String& AValue) {
    std::u16string_view digits = AValue;
    if (!digits.empty() && digits.front() == u'#') digits.remove_prefix(1);
    return RGB(HexPair(digits, 0), HexPair(digits, 2), HexPair(digits, 4));
}

TColor ParseMarkupColor(const String& AValue) {
    if (!AValue.empty() && AValue.front() == u'#') return HexRGBToColor(AValue);
    String name = LowerCase(AValue);
    if (name.starts_with(u"cl")) name.erase(0, 2);
    const auto found = std::lower_bound(ColorNames.begin(), ColorNames.end(), name,
                                        [](const TMarkupColorName& entry, const String& key) {
                                            return std::u16string_view(entry.Name) < key;
                                        });
    if (found != ColorNames.end() && found->Name == name) return found->Color;
    return clBlack;
}

TColor ParseStaticMarkupColor(const String& AValue) {
    if (!AValue.empty() && AValue.front() == u'#') return HexRGBToColor(AValue);
    const String name = LowerCase(AValue);
    for (const TMarkupColorName& entry : StaticColorNames)
        if (entry.Name == name) return entry.Color;
    return clBlack;
}

std::span<const TMarkupColorName> MarkupColorNames() {
    return ColorNames;
}

void SetMarkupHighlightColors(TColor ABackground, TColor AText) {
    HighlightBackground = ABackground;
    HighlightText = AText;
}

TColor MarkupHighlightColor() {
    return HighlightBackground;
}

TColor MarkupHighlightTextColor() {
    return HighlightText;
}
