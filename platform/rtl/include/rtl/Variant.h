#pragma once
// A small Variant: a value that is empty, null, an integer, a real, a
// currency amount, a date, a text or a Boolean, with the conversions between
// them that cells, fields and settings need.

#include "rtl/DateTime.h"
#include "rtl/Exception.h"
#include "rtl/Types.h"

#include <variant>

class EVariantError : public Exception {
public:
    using Exception::Exception;
};
// "Could not convert variant of type (%s) into type (%s)".
class EVariantTypeCastError : public EVariantError {
public:
    using EVariantError::EVariantError;
};

using TVarType = Word;
constexpr TVarType varEmpty = 0x0000;
constexpr TVarType varNull = 0x0001;
constexpr TVarType varSmallint = 0x0002;
constexpr TVarType varInteger = 0x0003;
constexpr TVarType varSingle = 0x0004;
constexpr TVarType varDouble = 0x0005;
constexpr TVarType varCurrency = 0x0006;
constexpr TVarType varDate = 0x0007;
constexpr TVarType varBoolean = 0x000B;
constexpr TVarType varShortInt = 0x0010;
constexpr TVarType varByte = 0x0011;
constexpr TVarType varWord = 0x0012;
constexpr TVarType varLongWord = 0x0013;
constexpr TVarType varInt64 = 0x0014;
constexpr TVarType varUString = 0x0102;

class Variant {
public:
    Variant() = default; // empty
    Variant(bool value) : FType(varBoolean), FValue(value) {}
    Variant(ShortInt value) : FType(varShortInt), FValue(Int64(value)) {}
    Variant(Byte value) : FType(varByte), FValue(Int64(value)) {}
    Variant(SmallInt value) : FType(varSmallint), FValue(Int64(value)) {}
    Variant(Word value) : FType(varWord), FValue(Int64(value)) {}
    Variant(Integer value) : FType(varInteger), FValue(Int64(value)) {}
    Variant(Cardinal value) : FType(varLongWord), FValue(Int64(value)) {}
    Variant(Int64 value) : FType(varInt64), FValue(value) {}
    Variant(Single value) : FType(varSingle), FValue(double(value)) {}
    Variant(Double value) : FType(varDouble), FValue(value) {}
    Variant(String value) : FType(varUString), FValue(std::move(value)) {}
    Variant(const Char* value) : Variant(String(value ? value : u"")) {}

    static Variant Null();
    static Variant FromDate(TDateTime value);
    // The amount rounded to four decimals (halves to even), as a currency
    // value keeps it.
    static Variant FromCurrency(double value);

    TVarType VarType() const { return FType; }
    bool IsEmpty() const { return FType == varEmpty; }
    bool IsNull() const { return FType == varNull; }

    // Conversions; each raises EVariantTypeCastError for a value that has no
    // such form (a null, a text that is not a number ...). Empty is 0, false
    // and the empty text. Reals become integers rounded halves to even; true
    // is -1 as a number; texts are read with the process-wide format settings.
    String AsString() const;
    Int64 AsInt64() const;
    Integer AsInteger() const;
    double AsDouble() const;
    bool AsBoolean() const;
    TDateTime AsDateTime() const;

    bool operator==(const Variant& other) const = default;

private:
    [[noreturn]] void RaiseCast(TVarType target) const;
    bool TryAsInt64(Int64& value) const;

    TVarType FType = varEmpty;
    std::variant<std::monostate, bool, Int64, double, String> FValue;
};

inline TVarType VarType(const Variant& v) {
    return v.VarType();
}
inline bool VarIsNull(const Variant& v) {
    return v.IsNull();
}
inline bool VarIsEmpty(const Variant& v) {
    return v.IsEmpty();
}
bool VarIsStr(const Variant& v);
bool VarIsNumeric(const Variant& v);
// True for the whole-number types, from Smallint to Int64 (not Boolean).
bool VarTypeIsInteger(TVarType type);
// The text of a value; null gives the empty text.
String VarToStr(const Variant& v);
// The name of a type ("Integer", "UnicodeString" ...).
String VarTypeAsText(TVarType type);
