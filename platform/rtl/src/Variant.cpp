#include "rtl/Variant.h"

#include "rtl/Convert.h"
#include "rtl/Format.h"
#include "rtl/MathUtils.h"
#include "rtl/TextCompare.h"

#include <cmath>

namespace {

bool IsRealType(TVarType t) {
    return t == varSingle || t == varDouble || t == varCurrency || t == varDate;
}

} // namespace

Variant Variant::Null() {
    Variant v;
    v.FType = varNull;
    return v;
}

Variant Variant::FromDate(TDateTime value) {
    Variant v(value);
    v.FType = varDate;
    return v;
}

Variant Variant::FromCurrency(double value) {
    Variant v(static_cast<double>(Round(value * 10000)) / 10000);
    v.FType = varCurrency;
    return v;
}

void Variant::RaiseCast(TVarType target) const {
    throw EVariantTypeCastError(u"Could not convert variant of type (%s) into type (%s)",
                                {VarTypeAsText(FType), VarTypeAsText(target)});
}

String Variant::AsString() const {
    if (FType == varEmpty || FType == varNull) return String();
    if (FType == varBoolean) return BoolToStr(std::get<bool>(FValue), true);
    if (VarTypeIsInteger(FType)) return IntToStr(std::get<Int64>(FValue));
    if (FType == varDate) return DateTimeToStr(std::get<double>(FValue));
    if (FType == varSingle) return FloatToStrF(std::get<double>(FValue), ffGeneral, 7, 0);
    if (IsRealType(FType)) return FloatToStr(std::get<double>(FValue));
    return std::get<String>(FValue);
}

double Variant::AsDouble() const {
    if (FType == varEmpty) return 0;
    if (FType == varBoolean) return std::get<bool>(FValue) ? -1 : 0;
    if (VarTypeIsInteger(FType)) return static_cast<double>(std::get<Int64>(FValue));
    if (IsRealType(FType)) return std::get<double>(FValue);
    if (FType == varUString) {
        double value = 0;
        if (TryStrToFloat(std::get<String>(FValue), value)) return value;
    }
    RaiseCast(varDouble);
}

bool Variant::TryAsInt64(Int64& value) const {
    double real = 0;
    if (VarTypeIsInteger(FType)) {
        value = std::get<Int64>(FValue);
        return true;
    } else if (FType == varEmpty || FType == varBoolean) {
        value = FType == varBoolean && std::get<bool>(FValue) ? -1 : 0;
        return true;
    } else if (IsRealType(FType)) {
        real = std::get<double>(FValue);
    } else if (FType == varUString) {
        const String& text = std::get<String>(FValue);
        if (TryStrToInt64(text, value)) return true;
        if (!TryStrToFloat(text, real)) return false;
    } else {
        return false;
    }
    if (!std::isfinite(real) || std::fabs(real) >= 9.2e18) return false;
    value = Round(real);
    return true;
}

Int64 Variant::AsInt64() const {
    Int64 value = 0;
    if (!TryAsInt64(value)) RaiseCast(varInt64);
    return value;
}

Integer Variant::AsInteger() const {
    Int64 value = 0;
    if (!TryAsInt64(value) || value < -2147483648LL || value > 2147483647LL) RaiseCast(varInteger);
    return static_cast<Integer>(value);
}

bool Variant::AsBoolean() const {
    if (FType == varBoolean) return std::get<bool>(FValue);
    if (FType == varUString) {
        const String& text = std::get<String>(FValue);
        if (SameText(text, u"True")) return true;
        if (SameText(text, u"False")) return false;
        double value = 0;
        if (TryStrToFloat(text, value)) return value != 0;
        RaiseCast(varBoolean);
    }
    if (FType == varNull) RaiseCast(varBoolean);
    return AsDouble() != 0;
}

TDateTime Variant::AsDateTime() const {
    if (FType == varUString) {
        TDateTime value = 0;
        if (TryStrToDateTime(std::get<String>(FValue), value)) return value;
        RaiseCast(varDate);
    }
    if (FType == varNull) RaiseCast(varDate);
    return AsDouble();
}

bool VarIsStr(const Variant& v) {
    return v.VarType() == varUString;
}

bool VarIsNumeric(const Variant& v) {
    return VarTypeIsInteger(v.VarType()) || v.VarType() == varSingle || v.VarType() == varDouble ||
           v.VarType() == varCurrency;
}

bool VarTypeIsInteger(TVarType type) {
    switch (type) {
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
        return true;
    default:
        return false;
    }
}

String VarToStr(const Variant& v) {
    return v.AsString();
}

String VarTypeAsText(TVarType type) {
    switch (type) {
    case varEmpty:
        return u"Empty";
    case varNull:
        return u"Null";
    case varSmallint:
        return u"Smallint";
    case varInteger:
        return u"Integer";
    case varSingle:
        return u"Single";
    case varDouble:
        return u"Double";
    case varCurrency:
        return u"Currency";
    case varDate:
        return u"Date";
    case varBoolean:
        return u"Boolean";
    case varShortInt:
        return u"ShortInt";
    case varByte:
        return u"Byte";
    case varWord:
        return u"Word";
    case varLongWord:
        return u"LongWord";
    case varInt64:
        return u"Int64";
    case varUString:
        return u"UnicodeString";
    default:
        return u"Unknown";
    }
}
