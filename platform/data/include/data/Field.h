#pragma once
// Fields: the columns of a data set's current record. A field reads and
// writes the value of its column in the current record (or in the record
// being edited) and converts it to and from text, numbers, dates and
// Booleans. Fields made by the program before the data set opens
// ("persistent" fields, with their labels, widths, formats and ranges) are
// bound to the columns of the same name; without them the data set makes one
// field per column when it opens and frees them when it closes.

#include "rtl/Alignment.h"
#include "rtl/Component.h"
#include "rtl/Variant.h"

namespace detail {
struct TDbColumn;
struct TDbValue;
} // namespace detail

class TDataSet;

enum TFieldType { ftUnknown, ftString, ftInteger, ftFloat, ftBoolean, ftDateTime, ftMemo, ftBlob };

class TField : public TComponent {
    RTL_CLASS(TField)
public:
    explicit TField(TComponent* AOwner);

    TDataSet* DataSet() const { return FDataSet; }
    // Makes this a persistent field of the data set (which must be closed).
    void SetDataSet(TDataSet* ADataSet);

    const String& FieldName() const { return FFieldName; }
    void SetFieldName(const String& Value) { FFieldName = Value; }
    TFieldType DataType() const { return FDataType; }
    // Characters of a text column as the database declares them; 0 otherwise.
    Integer Size() const { return FSize; }
    // The position among the data set's fields, from 0.
    Integer Index() const;

    // The caption shown for the field; its name until one is set.
    String DisplayLabel() const { return FDisplayLabel.empty() ? FFieldName : FDisplayLabel; }
    void SetDisplayLabel(const String& Value) { FDisplayLabel = Value; }
    // The width in characters a grid gives the field.
    Integer DisplayWidth() const { return FDisplayWidth > 0 ? FDisplayWidth : DefaultDisplayWidth(); }
    void SetDisplayWidth(Integer Value) { FDisplayWidth = Value; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value) { FAlignment = Value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { FVisible = Value; }

    bool IsNull() const;
    void Clear();

    // Text, as the program shows and edits it. Writing the empty text to a
    // field that is not text makes it null.
    virtual String AsString() const;
    virtual void SetAsString(const String& Value);
    virtual Integer AsInteger() const;
    virtual void SetAsInteger(Integer Value);
    virtual double AsFloat() const;
    virtual void SetAsFloat(double Value);
    virtual TDateTime AsDateTime() const;
    virtual void SetAsDateTime(TDateTime Value);
    virtual bool AsBoolean() const;
    virtual void SetAsBoolean(bool Value);
    // The value as a Variant; null for a null field.
    virtual Variant Value() const;
    virtual void SetValue(const Variant& Value);

    // The text a grid shows (a display format applied where one is set).
    virtual String DisplayText() const { return AsString(); }

    // Bound to a column by the data set when it opens.
    void Bind(Integer FieldNo, const detail::TDbColumn& Column);
    Integer FieldNo() const { return FFieldNo; }

protected:
    void BeforeDestruction() override;

    virtual Integer DefaultDisplayWidth() const { return 10; }
    [[noreturn]] void RaiseConversion(const String& TypeName) const;
    // The stored value in the current record (null without one), and
    // writing a new one into the record being edited.
    const detail::TDbValue& Data() const;
    void SetData(detail::TDbValue Value);

    TFieldType FDataType = ftUnknown;
    TAlignment FAlignment = taLeftJustify;

private:
    friend class TDataSet;
    TDataSet* FDataSet = nullptr;
    String FFieldName;
    String FDisplayLabel;
    Integer FDisplayWidth = 0;
    Integer FSize = 0;
    Integer FFieldNo = -1;
    bool FVisible = true;
};

class TStringField : public TField {
    RTL_CLASS(TStringField)
public:
    explicit TStringField(TComponent* AOwner);
    String AsString() const override;
    void SetAsString(const String& Value) override;
    Integer AsInteger() const override;
    void SetAsInteger(Integer Value) override;
    double AsFloat() const override;
    void SetAsFloat(double Value) override;
    bool AsBoolean() const override;
    Variant Value() const override;

protected:
    Integer DefaultDisplayWidth() const override;
};

class TMemoField : public TStringField {
    RTL_CLASS(TMemoField)
public:
    explicit TMemoField(TComponent* AOwner);
};

// Whole numbers; MinValue and MaxValue give the allowed range once either is
// set (0 .. MaxValue when only the upper bound is set).
class TIntegerField : public TField {
    RTL_CLASS(TIntegerField)
public:
    explicit TIntegerField(TComponent* AOwner);
    String AsString() const override;
    void SetAsString(const String& Value) override;
    Integer AsInteger() const override;
    void SetAsInteger(Integer Value) override;
    double AsFloat() const override;
    void SetAsFloat(double Value) override;
    bool AsBoolean() const override;
    Variant Value() const override;
    void SetValue(const Variant& Value) override;

    Int64 AsLargeInt() const;
    void SetAsLargeInt(Int64 Value);

    Integer MinValue() const { return FMinValue; }
    void SetMinValue(Integer Value) { FMinValue = Value; }
    Integer MaxValue() const { return FMaxValue; }
    void SetMaxValue(Integer Value) { FMaxValue = Value; }

private:
    Integer FMinValue = 0;
    Integer FMaxValue = 0;
};

// Floating-point numbers: Precision significant digits as text (15 by
// default), DisplayFormat (FormatFloat) for display, MinValue and MaxValue as
// for integers.
class TFloatField : public TField {
    RTL_CLASS(TFloatField)
public:
    explicit TFloatField(TComponent* AOwner);
    String AsString() const override;
    void SetAsString(const String& Value) override;
    Integer AsInteger() const override;
    void SetAsInteger(Integer Value) override;
    double AsFloat() const override;
    void SetAsFloat(double Value) override;
    Variant Value() const override;
    void SetValue(const Variant& Value) override;
    String DisplayText() const override;

    Integer Precision() const { return FPrecision; }
    void SetPrecision(Integer Value) { FPrecision = Value; }
    const String& DisplayFormat() const { return FDisplayFormat; }
    void SetDisplayFormat(const String& Value) { FDisplayFormat = Value; }
    double MinValue() const { return FMinValue; }
    void SetMinValue(double Value) { FMinValue = Value; }
    double MaxValue() const { return FMaxValue; }
    void SetMaxValue(double Value) { FMaxValue = Value; }

private:
    Integer FPrecision = 15;
    String FDisplayFormat;
    double FMinValue = 0;
    double FMaxValue = 0;
};

// True or false; "True" and "False" as text.
class TBooleanField : public TField {
    RTL_CLASS(TBooleanField)
public:
    explicit TBooleanField(TComponent* AOwner);
    String AsString() const override;
    void SetAsString(const String& Value) override;
    bool AsBoolean() const override;
    void SetAsBoolean(bool Value) override;
    Integer AsInteger() const override;
    void SetAsInteger(Integer Value) override;
    Variant Value() const override;
    void SetValue(const Variant& Value) override;

protected:
    Integer DefaultDisplayWidth() const override { return 5; }
};

// Dates with times; as text in the program's format settings, the time left
// out at midnight exactly.
class TDateTimeField : public TField {
    RTL_CLASS(TDateTimeField)
public:
    explicit TDateTimeField(TComponent* AOwner);
    String AsString() const override;
    void SetAsString(const String& Value) override;
    TDateTime AsDateTime() const override;
    void SetAsDateTime(TDateTime Value) override;
    double AsFloat() const override;
    void SetAsFloat(double Value) override;
    Variant Value() const override;
    void SetValue(const Variant& Value) override;

protected:
    Integer DefaultDisplayWidth() const override { return 18; }
};

// Binary data, one byte per character of its text.
class TBlobField : public TField {
    RTL_CLASS(TBlobField)
public:
    explicit TBlobField(TComponent* AOwner);
    String AsString() const override;
    void SetAsString(const String& Value) override;
    Variant Value() const override;
};
