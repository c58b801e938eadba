// Presentation of SVG elements: declarations ("fill:red;stroke:none") from
// style attributes, presentation attributes and style sheets.

#include "KelGraphicsSVGNumbers.h"
#include "kel/KelColorText.h"
#include "kel/KelGraphicsSVGEngine.h"
#include "kel/KelGraphicsTypes.h"
#include "kel/RarEvads.h"
#include "rtl/StringUtils.h"

#include <algorithm>

namespace {

// The characters after the first AFrom up to the first ATo; empty when
// either is missing.
String Between(const String& AText, std::u16string_view AFrom, std::u16string_view ATo) {
    const size_t From = AText.find(AFrom);
    const size_t To = AText.find(ATo);
    if (From == String::npos || To == String::npos || To < From + AFrom.size()) return String();
    return AText.substr(From + AFrom.size(), To - From - AFrom.size());
}

// An opacity: a number, or a percentage as a fraction. False when it does
// not parse.
bool TryParseOpacity(const String& AText, Single& AValue) {
    Double Value = 0;
    bool Percent = false;
    if (!detail::TryParseSVGLength(AText, Value, Percent)) return false;
    AValue = static_cast<Single>(Percent ? Value / 100 : Value);
    return true;
}

// A colour value of "stop-color".
TColor ReadColor(const String& AValue) {
    if (AValue.starts_with(u'#')) return HTMLToColor(AValue);
    if (AValue.starts_with(u"rgb")) {
        Integer Alpha = 0;
        return TKelGraphicsSVGImport::ParseRGB(AValue, Alpha);
    }
    return TextToColor(AValue);
}

bool IsPaintServer(const TKelGraphicsSVGElement* AElement) {
    if (AElement == nullptr) return false;
    const TKelGraphicsSVGElementType Type = AElement->Type();
    return Type == etLinearGradient || Type == etRadialGradient || Type == etPattern;
}

} // namespace

void TKelGraphicsSVGImport::ParsePaint(TKelGraphicsSVGElement* AElement, String& AValue, TColor& AColor,
                                       Single& AAlpha) {
    if (AValue.starts_with(u'#')) {
        AColor = HTMLToColor(AValue);
    } else if (AValue.starts_with(u"url(#")) {
        // The element has one paint server for fill and stroke; the colour stays.
        AElement->SetURLRefID(Between(AValue, u"#", u")"));
    } else if (AValue.starts_with(u"url('#")) {
        AElement->SetURLRefID(Between(AValue, u"#", u"')"));
    } else if (AValue.starts_with(u"rgb")) {
        Integer Alpha = 0;
        AColor = ParseRGB(AValue, Alpha);
        if (Alpha == 0) AValue = u"none";
        // A fractional alpha multiplies into the paint's opacity.
        if (Alpha > 0 && Alpha < 255) AAlpha = Single(Alpha) / 255;
    } else {
        AColor = TextToColor(AValue);
    }
}

void TKelGraphicsSVGImport::ParseDeclarations(TKelGraphicsSVGElement* E, const String& AText) {
    const String Text = Trim(AText);
    size_t Start = 0;
    while (Start < Text.size()) {
        size_t End = Text.find(u';', Start);
        if (End == String::npos) End = Text.size();
        const String Declaration = Text.substr(Start, End - Start);
        Start = End + 1;

        // The name of "xlink:href" holds a colon of its own.
        constexpr std::u16string_view XLink = u"xlink:href";
        const size_t Colon = Declaration.find(u':', Declaration.starts_with(XLink) ? XLink.size() : 0);
        if (Colon == String::npos) continue;
        const String Name = Trim(std::u16string_view(Declaration).substr(0, Colon));
        String Value = Trim(std::u16string_view(Declaration).substr(Colon + 1));

        if (Name == u"display") {
            E->SetDisplayValue(LowerCase(Value));
        } else if (Name == u"fill" || Name == u"stroke") {
            const bool Fill = Name == u"fill";
            TColor Color = Fill ? E->FillColor() : E->StrokeColor();
            (Fill ? E->SetFillColorValue(Value) : E->SetStrokeColorValue(Value));
            Single Alpha = 1;
            if (Fill ? E->HasFillColor() : E->HasStrokeColor()) {
                ParsePaint(E, Value, Color, Alpha);
                (Fill ? E->SetFillColorValue(Value) : E->SetStrokeColorValue(Value));
            } else {
                Color = gcNull;
            }
            (Fill ? E->SetFillColor(Color) : E->SetStrokeColor(Color));
            (Fill ? E->SetFillAlpha(Alpha) : E->SetStrokeAlpha(Alpha));
        } else if (Name == u"fill-opacity" || Name == u"stroke-opacity") {
            const bool Fill = Name == u"fill-opacity";
            (Fill ? E->SetFillOpacityValue(Value) : E->SetStrokeOpacityValue(Value));
            Single Opacity = 1;
            if (Value == TKelGraphicsSVGElement::DefaultValue || !TryParseOpacity(Value, Opacity)) {
                (Fill ? E->SetFillOpacityValue(TKelGraphicsSVGElement::DefaultValue)
                      : E->SetStrokeOpacityValue(TKelGraphicsSVGElement::DefaultValue));
            } else {
                Opacity = std::clamp(Opacity, 0.0f, 1.0f);
                (Fill ? E->SetFillOpacity(Opacity) : E->SetStrokeOpacity(Opacity));
            }
        } else if (Name == u"text-anchor") {
            if (Value == u"start" || Value == u"middle" || Value == u"end") E->SetTextAnchor(Value);
        } else if (Name == u"fill-rule") {
            if (Value == u"evenodd" || Value == u"nonzero") {
                E->SetFillRuleValue(Value);
                E->SetFillRule(Value == u"evenodd" ? frEvenOdd : frNonZero);
            }
        } else if (Name == u"gradientUnits") {
            E->SetHasGradientUnits(true);
            E->SetGradientUnits(Value == u"userSpaceOnUse" ? guUserSpaceOnUse : guObjectBoundingBox);
        } else if (Name == u"spreadMethod") {
            E->SetHasSpreadMethod(true);
            E->SetSpreadMethod(Value == u"reflect" ? smReflect : Value == u"repeat" ? smRepeat : smPad);
        } else if (Name == u"stroke-width") {
            E->SetStrokeWidthValue(Value);
            Double Width = 0;
            bool Percent = false;
            // A width that does not parse leaves the previous one.
            if (E->HasStrokeWidth() && detail::TryParseSVGLength(Value, Width, Percent))
                E->SetStrokeWidth(static_cast<Single>(Width));
        } else if (Name == u"font-family") {
            TFontStyles Style;
            E->SetFontFamily(ParseFontFamily(Value, Style));
            if (E->FontStyle().Empty()) E->SetFontStyle(Style);
        } else if (Name == u"font-style") {
            if (Value == u"italic" && E->FontStyle().Empty()) E->SetFontStyle(TFontStyles{fsItalic});
        } else if (Name == u"font-size") {
            E->SetFontSizeValue(Value);
            if (E->HasFontSize()) E->SetFontSize(ParseLength(Value));
        } else if (Name == u"preserveAspectRatio") {
            E->SetPreserveAspectRatioValue(Value);
            if (E->HasPreserveAspectRatio()) E->SetPreserveAspectRatio(Value == u"none" ? parNone : parOther);
        } else if (Name == u"offset") {
            E->SetOffsetValue(Value);
            Single Offset = 0;
            if (E->HasOffset()) E->SetOffset(TryParseOpacity(Value, Offset) ? Offset : 0);
        } else if (Name == u"stop-opacity") {
            E->SetStopOpacityValue(Value);
            Single Opacity = 0;
            if (E->HasStopOpacity()) E->SetStopOpacity(TryParseOpacity(Value, Opacity) ? Opacity : 0);
        } else if (Name == u"stop-color") {
            E->SetStopColorValue(Value);
            E->SetStopColor(E->HasStopColor() ? ReadColor(Value) : gcNull);
        } else if (Name == u"opacity") {
            E->SetOpacityValue(Value);
            Single Opacity = 0;
            // An opacity that does not parse leaves the previous one.
            if (E->HasOpacity() && TryParseOpacity(Value, Opacity)) E->SetOpacity(Opacity);
        } else if (Name == XLink || Name == u"href") {
            const size_t Hash = Value.find(u'#');
            E->SetHRefID(Hash == String::npos ? Value : Value.substr(Hash + 1));
        } else if (Name == u"class") {
            E->SetClassRefID(Value);
            if (!IsPaintServer(E->Parent()) && FElementClassList.IndexOf(E) < 0) FElementClassList.Add(E);
        } else if (Name == u"id") {
            E->SetID(Value);
        } else if (Name == u"clip-path") {
            E->SetClipPathRefID(Between(Value, u"#", u")"));
        }
    }
}

void TKelGraphicsSVGImport::ParseStyleSheet(const String& AText) {
    String Text = Trim(AText);
    while (!Text.empty()) {
        const size_t Open = Text.find(u'{');
        const size_t Close = Text.find(u'}', Open == String::npos ? 0 : Open);
        if (Open == String::npos || Close == String::npos) break;
        // The class name follows the selector's first "."; a selector
        // without one (an element name) is taken whole.
        const String Selector = Text.substr(0, Open);
        const size_t Dot = Selector.find(u'.');
        const String ClassName = Trim(Dot == String::npos ? Selector : Selector.substr(Dot + 1));

        auto* Rule = Create<TKelGraphicsSVGElement>();
        Rule->SetType(etStyle);
        Rule->SetClassRefID(ClassName);
        ParseDeclarations(Rule, Text.substr(Open + 1, Close - Open - 1));
        if (Rule->ClassRefID().empty())
            Free(Rule);
        else
            FDefsList.Add(Rule);
        Text = Trim(std::u16string_view(Text).substr(Close + 1));
    }
}
