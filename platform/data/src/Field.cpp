#include "data/Field.h"

#include "Provider.h"
#include "data/DataSet.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "rtl/DateTime.h"
#include "rtl/Format.h"
#include "rtl/MathUtils.h"
#include "rtl/TextCompare.h"

#include <cmath>
#include <limits>

namespace {

// The number a stored value holds, for the numeric fields. A text that is
// not a number raises the conversion error.
bool StoredNumber(const detail::TDbValue& value, double& number) {
    if (const auto* I = std::get_if<Int64>(&value))
        number = static_cast<double>(*I);
    else if (const auto* D = std::get_if<double>(&value))
        number = *D;
    else if (const auto* T = std::get_if<detail::TDbDateTime>(&value))
        number = T->Value;
    else if (const auto* S = std::get_if<String>(&value))
        number = StrToFloat(*S, TFormatSettings::Invariant());
    else
        return false;
    return true;
}

String StoredText(const detail::TDbValue& value) {
    if (const auto* S = std::get_if<String>(&value)) return *S;
    if (const auto* I = std::get_if<Int64>(&value)) return IntToStr(*I);
    if (const auto* D = std::get_if<double>(&value)) return FloatToStr(*D);
    if (const auto* T = std::get_if<detail::TDbDateTime>(&value)) return DateTimeToStr(T->Value);
    return String();
}

Int64 CheckedWhole(double value, const String& text) {
    if (!std::isfinite(value) || value < -9.2e18 || value > 9.2e18)
        throw EConvertError(u"'%s' is not a valid integer value", {text});
    return static_cast<Int64>(Round(value));
}

} // namespace

const TClassInfo& TField::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TField, TComponent>().Build();
    return Info;
}
const TClassInfo& TStringField::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TStringField, TField>().Build();
    return Info;
}
const TClassInfo& TMemoField::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TMemoField, TStringField>().Build();
    return Info;
}
const TClassInfo& TIntegerField::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TIntegerField, TField>().Build();
    return Info;
}
const TClassInfo& TFloatField::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TFloatField, TField>().Build();
    return Info;
}
const TClassInfo& TBooleanField::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TBooleanField, TField>().Build();
    return Info;
}
const TClassInfo& TDateTimeField::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TDateTimeField, TField>().Build();
    return Info;
}
const TClassInfo& TBlobField::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TBlobField, TField>().Build();
    return Info;
}

// ---- TField ---------------------------------------------------------------

TField::TField(TComponent* AOwner) : TComponent(AOwner) {}

void TField::SetDataSet(TDataSet* ADataSet) {
    if (ADataSet == FDataSet) return;
    if (ADataSet && ADataSet->Active())
        ADataSet->DatabaseError(u"Cannot perform this operation on an open dataset");
    if (FDataSet) FDataSet->RemoveField(this);
    if (ADataSet) ADataSet->AddField(this);
}

Integer TField::Index() const {
    if (!FDataSet) return -1;
    for (Integer i = 0; i < FDataSet->FieldCount(); ++i)
        if (FDataSet->Fields(i) == this) return i;
    return -1;
}

void TField::BeforeDestruction() {
    if (FDataSet) FDataSet->RemoveField(this);
    TComponent::BeforeDestruction();
}

void TField::Bind(Integer FieldNo, const detail::TDbColumn& Column) {
    FFieldNo = FieldNo;
    FSize = Column.Size;
}

const detail::TDbValue& TField::Data() const {
    if (!FDataSet) throw EDatabaseError(u"Field '%s' has no dataset", {DisplayLabel()});
    return FDataSet->FieldData(*this);
}

void TField::SetData(detail::TDbValue Value) {
    if (!FDataSet) throw EDatabaseError(u"Field '%s' has no dataset", {DisplayLabel()});
    FDataSet->SetFieldData(*this, std::move(Value));
}

bool TField::IsNull() const {
    return detail::IsNull(Data());
}
void TField::Clear() {
    SetData(std::monostate());
}

void TField::RaiseConversion(const String& TypeName) const {
    throw EDatabaseError(u"Cannot access field '%s' as type %s", {DisplayLabel(), TypeName});
}

String TField::AsString() const {
    return StoredText(Data());
}
void TField::SetAsString(const String& Value) {
    SetData(Value);
}
Integer TField::AsInteger() const {
    RaiseConversion(u"Integer");
}
void TField::SetAsInteger(Integer) {
    RaiseConversion(u"Integer");
}
double TField::AsFloat() const {
    RaiseConversion(u"Float");
}
void TField::SetAsFloat(double) {
    RaiseConversion(u"Float");
}
TDateTime TField::AsDateTime() const {
    RaiseConversion(u"DateTime");
}
void TField::SetAsDateTime(TDateTime) {
    RaiseConversion(u"DateTime");
}
bool TField::AsBoolean() const {
    RaiseConversion(u"Boolean");
}
void TField::SetAsBoolean(bool) {
    RaiseConversion(u"Boolean");
}
Variant TField::Value() const {
    return IsNull() ? Variant::Null() : Variant(AsString());
}
void TField::SetValue(const Variant& Value) {
    if (Value.IsNull() || Value.IsEmpty())
        Clear();
    else
        SetAsString(Value.AsString());
}

// ---- TStringField -----------------------------------------------------------

TStringField::TStringField(TComponent* AOwner) : TField(AOwner) {
    FDataType = ftString;
}

Integer TStringField::DefaultDisplayWidth() const {
    return Size() > 0 ? Size() : 20;
}
String TStringField::AsString() const {
    return StoredText(Data());
}
void TStringField::SetAsString(const String& Value) {
    SetData(Value);
}
Integer TStringField::AsInteger() const {
    const String Text = AsString();
    return Text.empty() ? 0 : StrToInt(Text);
}
void TStringField::SetAsInteger(Integer Value) {
    SetData(IntToStr(Value));
}
double TStringField::AsFloat() const {
    const String Text = AsString();
    return Text.empty() ? 0 : StrToFloat(Text);
}
void TStringField::SetAsFloat(double Value) {
    SetData(FloatToStr(Value));
}
bool TStringField::AsBoolean() const {
    const String Text = AsString();
    if (SameText(Text, u"True") || SameText(Text, u"T") || SameText(Text, u"Yes") || Text == u"1" ||
        Text == u"-1")
        return true;
    if (Text.empty() || SameText(Text, u"False") || SameText(Text, u"F") || SameText(Text, u"No") ||
        Text == u"0")
        return false;
    throw EDatabaseError(u"'%s' is not a valid boolean value for field '%s'", {Text, DisplayLabel()});
}
Variant TStringField::Value() const {
    return IsNull() ? Variant::Null() : Variant(AsString());
}

TMemoField::TMemoField(TComponent* AOwner) : TStringField(AOwner) {
    FDataType = ftMemo;
}

// ---- TIntegerField ----------------------------------------------------------

TIntegerField::TIntegerField(TComponent* AOwner) : TField(AOwner) {
    FDataType = ftInteger;
    FAlignment = taRightJustify;
}

Int64 TIntegerField::AsLargeInt() const {
    const detail::TDbValue& Stored = Data();
    if (const auto* I = std::get_if<Int64>(&Stored)) return *I;
    double Number = 0;
    if (!StoredNumber(Stored, Number)) return 0;
    return CheckedWhole(Number, StoredText(Stored));
}

void TIntegerField::SetAsLargeInt(Int64 Value) {
    if (FMinValue != 0 || FMaxValue != 0) {
        if (Value < FMinValue || Value > FMaxValue)
            throw EDatabaseError(u"%d is not a valid value for field '%s'. The allowed range is %d to %d",
                                 {Value, DisplayLabel(), FMinValue, FMaxValue});
    }
    SetData(Value);
}

String TIntegerField::AsString() const {
    return IsNull() ? String() : IntToStr(AsLargeInt());
}
void TIntegerField::SetAsString(const String& Value) {
    if (Value.empty())
        Clear();
    else
        SetAsLargeInt(StrToInt64(Value));
}
Integer TIntegerField::AsInteger() const {
    const Int64 Value = AsLargeInt();
    if (Value < std::numeric_limits<Integer>::min() || Value > std::numeric_limits<Integer>::max())
        throw EConvertError(u"'%s' is not a valid integer value", {IntToStr(Value)});
    return static_cast<Integer>(Value);
}
void TIntegerField::SetAsInteger(Integer Value) {
    SetAsLargeInt(Value);
}
double TIntegerField::AsFloat() const {
    return static_cast<double>(AsLargeInt());
}
void TIntegerField::SetAsFloat(double Value) {
    SetAsLargeInt(CheckedWhole(Value, FloatToStr(Value)));
}
bool TIntegerField::AsBoolean() const {
    return AsLargeInt() != 0;
}
Variant TIntegerField::Value() const {
    if (IsNull()) return Variant::Null();
    const Int64 Whole = AsLargeInt();
    if (Whole >= std::numeric_limits<Integer>::min() && Whole <= std::numeric_limits<Integer>::max())
        return Variant(static_cast<Integer>(Whole));
    return Variant(Whole);
}
void TIntegerField::SetValue(const Variant& Value) {
    if (Value.IsNull() || Value.IsEmpty())
        Clear();
    else if (VarIsStr(Value))
        SetAsString(Value.AsString());
    else
        SetAsLargeInt(Value.AsInt64());
}

// ---- TFloatField ------------------------------------------------------------

TFloatField::TFloatField(TComponent* AOwner) : TField(AOwner) {
    FDataType = ftFloat;
    FAlignment = taRightJustify;
}

double TFloatField::AsFloat() const {
    double Number = 0;
    StoredNumber(Data(), Number);
    return Number;
}

void TFloatField::SetAsFloat(double Value) {
    if (FMinValue != 0 || FMaxValue != 0) {
        if (Value < FMinValue || Value > FMaxValue)
            throw EDatabaseError(u"%g is not a valid value for field '%s'. The allowed range is %g to %g",
                                 {Value, DisplayLabel(), FMinValue, FMaxValue});
    }
    SetData(Value);
}

String TFloatField::AsString() const {
    return IsNull() ? String() : FloatToStrF(AsFloat(), ffGeneral, FPrecision, 0);
}
void TFloatField::SetAsString(const String& Value) {
    if (Value.empty())
        Clear();
    else
        SetAsFloat(StrToFloat(Value));
}
Integer TFloatField::AsInteger() const {
    const double Value = AsFloat();
    return static_cast<Integer>(CheckedWhole(Value, FloatToStr(Value)));
}
void TFloatField::SetAsInteger(Integer Value) {
    SetAsFloat(Value);
}
Variant TFloatField::Value() const {
    return IsNull() ? Variant::Null() : Variant(AsFloat());
}
void TFloatField::SetValue(const Variant& Value) {
    if (Value.IsNull() || Value.IsEmpty())
        Clear();
    else if (VarIsStr(Value))
        SetAsString(Value.AsString());
    else
        SetAsFloat(Value.AsDouble());
}
String TFloatField::DisplayText() const {
    if (IsNull()) return String();
    return FDisplayFormat.empty() ? AsString() : FormatFloat(FDisplayFormat, AsFloat());
}

// ---- TBooleanField ----------------------------------------------------------

TBooleanField::TBooleanField(TComponent* AOwner) : TField(AOwner) {
    FDataType = ftBoolean;
}

bool TBooleanField::AsBoolean() const {
    const detail::TDbValue& Stored = Data();
    Int64 Whole = 0;
    if (const auto* S = std::get_if<String>(&Stored))
        return SameText(*S, u"True") || SameText(*S, u"T") || SameText(*S, u"Yes") ||
               (TryStrToInt64(*S, Whole) && Whole != 0);
    double Number = 0;
    return StoredNumber(Stored, Number) && Number != 0;
}
void TBooleanField::SetAsBoolean(bool Value) {
    SetData(Int64(Value ? 1 : 0));
}
String TBooleanField::AsString() const {
    if (IsNull()) return String();
    return AsBoolean() ? u"True" : u"False";
}
void TBooleanField::SetAsString(const String& Value) {
    if (Value.empty())
        Clear();
    else if (SameText(Value, u"True") || SameText(Value, u"T") || SameText(Value, u"Yes"))
        SetAsBoolean(true);
    else if (SameText(Value, u"False") || SameText(Value, u"F") || SameText(Value, u"No"))
        SetAsBoolean(false);
    else
        throw EDatabaseError(u"'%s' is not a valid boolean value for field '%s'", {Value, DisplayLabel()});
}
Integer TBooleanField::AsInteger() const {
    return AsBoolean() ? 1 : 0;
}
void TBooleanField::SetAsInteger(Integer Value) {
    SetAsBoolean(Value != 0);
}
Variant TBooleanField::Value() const {
    return IsNull() ? Variant::Null() : Variant(AsBoolean());
}
void TBooleanField::SetValue(const Variant& Value) {
    if (Value.IsNull() || Value.IsEmpty())
        Clear();
    else if (VarIsStr(Value))
        SetAsString(Value.AsString());
    else
        SetAsBoolean(Value.AsBoolean());
}

// ---- TDateTimeField ---------------------------------------------------------

TDateTimeField::TDateTimeField(TComponent* AOwner) : TField(AOwner) {
    FDataType = ftDateTime;
}

TDateTime TDateTimeField::AsDateTime() const {
    const detail::TDbValue& Stored = Data();
    if (const auto* T = std::get_if<detail::TDbDateTime>(&Stored)) return T->Value;
    if (const auto* S = std::get_if<String>(&Stored)) return StrToDateTime(*S);
    double Number = 0;
    StoredNumber(Stored, Number);
    return Number;
}
void TDateTimeField::SetAsDateTime(TDateTime Value) {
    SetData(detail::TDbDateTime{Value});
}
String TDateTimeField::AsString() const {
    return IsNull() ? String() : DateTimeToStr(AsDateTime());
}
void TDateTimeField::SetAsString(const String& Value) {
    if (Value.empty())
        Clear();
    else
        SetAsDateTime(StrToDateTime(Value));
}
double TDateTimeField::AsFloat() const {
    return AsDateTime();
}
void TDateTimeField::SetAsFloat(double Value) {
    SetAsDateTime(Value);
}
Variant TDateTimeField::Value() const {
    return IsNull() ? Variant::Null() : Variant::FromDate(AsDateTime());
}
void TDateTimeField::SetValue(const Variant& Value) {
    if (Value.IsNull() || Value.IsEmpty())
        Clear();
    else if (VarIsStr(Value))
        SetAsString(Value.AsString());
    else
        SetAsDateTime(Value.AsDateTime());
}

// ---- TBlobField -------------------------------------------------------------

TBlobField::TBlobField(TComponent* AOwner) : TField(AOwner) {
    FDataType = ftBlob;
}
String TBlobField::AsString() const {
    return StoredText(Data());
}
void TBlobField::SetAsString(const String& Value) {
    SetData(Value);
}
Variant TBlobField::Value() const {
    return IsNull() ? Variant::Null() : Variant(AsString());
}
