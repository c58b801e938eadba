// Transform lists of the SVG engine ("transform", "gradientTransform").

#include "kel/KelGraphicsSVGEngine.h"
#include "kel/RarEvads.h"
#include "rtl/StringUtils.h"
#include "xml/XMLDocument.h"

#include <cmath>
#include <numbers>

namespace {

// The arguments between the parentheses: separated by spaces, commas or
// both ("10 20", "10,20" and "10, 20" give two items). A number that does
// not parse counts as 0.
std::vector<Double> TransformArguments(std::u16string_view AText) {
    std::vector<Double> Result;
    String Item;
    auto Flush = [&] {
        if (Item.empty()) return;
        Double Value = 0;
        if (!TRarEvads::TryStrToFloatDot(Item, Value)) Value = 0;
        Result.push_back(Value);
        Item.clear();
    };
    for (const Char ch : AText) {
        if (ch == u',' || ch <= u' ')
            Flush();
        else
            Item += ch;
    }
    Flush();
    return Result;
}

Double Radians(Double ADegrees) {
    return ADegrees * std::numbers::pi / 180;
}

TKelGraphicsMatrix Skew(Double AAngle, bool AAlongX) {
    TKelGraphicsMatrix Result = MatrixIdentity();
    (AAlongX ? Result.m21 : Result.m12) = static_cast<Single>(std::tan(AAngle));
    return Result;
}

// The matrix of one transform function; the identity for a name it does not
// know or a wrong number of arguments.
TKelGraphicsMatrix TransformFunction(const String& AName, const String& AArguments) {
    const std::vector<Double> Args = TransformArguments(AArguments);
    const size_t Count = Args.size();
    auto F = [&](size_t AIndex) { return static_cast<Single>(Args[AIndex]); };
    if (AName == u"matrix" && Count == 6) {
        TKelGraphicsMatrix Result = MatrixIdentity();
        Result.m11 = F(0);
        Result.m12 = F(1);
        Result.m21 = F(2);
        Result.m22 = F(3);
        Result.m31 = F(4);
        Result.m32 = F(5);
        return Result;
    }
    if (AName == u"translate" && (Count == 1 || Count == 2))
        return MatrixCreateTranslation(F(0), Count == 2 ? F(1) : 0);
    if (AName == u"scale" && (Count == 1 || Count == 2))
        return MatrixCreateScaling(F(0), Count == 2 ? F(1) : F(0));
    if (AName == u"rotate" && !Trim(AArguments).empty()) {
        // The angle may carry a unit, so it is read from its own text.
        String Angle = Trim(AArguments);
        Angle = Angle.substr(0, Angle.find_first_of(u", "));
        const auto Rotation = MatrixCreateRotation(static_cast<Single>(ParseAngle(Angle)));
        if (Count != 3) return Rotation;
        return MatrixCreateTranslation(-F(1), -F(2)) * Rotation * MatrixCreateTranslation(F(1), F(2));
    }
    if (AName == u"skewX" && Count == 1) return Skew(Radians(Args[0]), true);
    if (AName == u"skewY" && Count == 1) return Skew(Radians(Args[0]), false);
    return MatrixIdentity();
}

} // namespace

TKelGraphicsMatrix TKelGraphicsSVGImport::ParseTransform(const IXMLNode& ANode, const String& AName) {
    if (!ANode.HasAttribute(AName)) return MatrixEmpty();
    return ParseTransform(ANode.Attributes(AName));
}

TKelGraphicsMatrix TKelGraphicsSVGImport::ParseTransform(const String& AText) {
    TKelGraphicsMatrix Result = MatrixIdentity();
    String Rest = Trim(AText);
    while (!Rest.empty()) {
        const size_t Open = Rest.find(u'(');
        const size_t Close = Rest.find(u')');
        if (Open == String::npos || Close == String::npos || Close < Open) break;
        // Functions may be separated by commas as well as white space.
        String Name = Trim(std::u16string_view(Rest).substr(0, Open));
        while (!Name.empty() && Name.front() == u',')
            Name = Trim(std::u16string_view(Name).substr(1));
        const String Arguments = Rest.substr(Open + 1, Close - Open - 1);
        // Points are row vectors and A x B applies A first; the function written
        // last acts first, so each new function goes in front.
        Result = TransformFunction(Name, Arguments) * Result;
        Rest = Trim(std::u16string_view(Rest).substr(Close + 1));
    }
    return Result;
}
