#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "rtl/Encoding.h"
#include "rtl/Events.h"
#include "rtl/Exception.h"
#include "rtl/Format.h"
#include "rtl/Persistent.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

RTL_ENUM(TSampleAlign, saLeft, saCenter, saRight)
RTL_ENUM(TSampleStyle, ssBold, ssItalic, ssUnderline)
using TSampleStyles = TSet<TSampleStyle>;
RTL_SET_INFO(TSampleStyles)

class TSampleFont : public TPersistent {
    RTL_CLASS(TSampleFont)
public:
    Integer Size() const { return FSize; }
    void SetSize(Integer Value) { FSize = Value; }
    const String& Name() const { return FName; }
    void SetName(const String& Value) { FName = Value; }

private:
    Integer FSize = 8;
    String FName = u"Tahoma";
};

// One published property of every kind the streams know.
class TSample : public TPersistent {
    RTL_CLASS(TSample)
public:
    Integer Width() const { return FWidth; }
    void SetWidth(Integer Value) { FWidth = Value; }
    TSampleAlign Align() const { return FAlign; }
    void SetAlign(TSampleAlign Value) { FAlign = Value; }
    TSampleStyles Styles() const { return FStyles; }
    void SetStyles(TSampleStyles Value) { FStyles = Value; }
    Double Ratio() const { return FRatio; }
    void SetRatio(Double Value) { FRatio = Value; }
    Single Scale() const { return FScale; }
    void SetScale(Single Value) { FScale = Value; }
    TDateTime Stamp() const { return FStamp; }
    void SetStamp(TDateTime Value) { FStamp = Value; }
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value) { FCaption = Value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { FVisible = Value; }
    Char Separator() const { return FSeparator; }
    void SetSeparator(Char Value) { FSeparator = Value; }
    Int64 Big() const { return FBig; }
    void SetBig(Int64 Value) { FBig = Value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    Word Port() const { return FPort; }
    void SetPort(Word Value) { FPort = Value; }
    TSampleFont* Font() const { return FFont.get(); }
    TSample* Buddy() const { return FBuddy; }
    void SetBuddy(TSample* Value) { FBuddy = Value; }
    const TNotifyEvent& OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }
    const Variant& Value() const { return FValue; }
    void SetValue(const Variant& V) { FValue = V; }
    Integer Secret() const { return FSecret; }
    void SetSecret(Integer Value) { FSecret = Value; }
    Integer Area() const { return FWidth * 2; }

    // A published handler that event properties can be bound to by name.
    void SampleChanged(TObject*) { ++ChangeCount; }
    int ChangeCount = 0;

private:
    Integer FWidth = 100;
    TSampleAlign FAlign = saLeft;
    TSampleStyles FStyles;
    Double FRatio = 0;
    Single FScale = 0;
    TDateTime FStamp = 0;
    String FCaption;
    bool FVisible = true;
    Char FSeparator = u',';
    Int64 FBig = 0;
    TColor FColor = 0x1FFFFFFF;
    Word FPort = 80;
    std::unique_ptr<TSampleFont> FFont = std::make_unique<TSampleFont>();
    TSample* FBuddy = nullptr;
    TNotifyEvent FOnChange;
    Variant FValue;
    Integer FSecret = 0;
};

// A descendant that publishes one property more and Width again with
// another default.
class TWideSample : public TSample {
    RTL_CLASS(TWideSample)
public:
    TWideSample() { SetWidth(200); }
    Integer Depth() const { return FDepth; }
    void SetDepth(Integer Value) { FDepth = Value; }

private:
    Integer FDepth = 0;
};

} // namespace

const TClassInfo& TSampleFont::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TSampleFont, TPersistent>()
                                       .Property(u"Size", &TSampleFont::Size, &TSampleFont::SetSize)
                                       .Default(8)
                                       .Property(u"Name", &TSampleFont::Name, &TSampleFont::SetName)
                                       .Build();
    return Info;
}

const TClassInfo& TSample::StaticClassInfo() {
    static const TClassInfo Info =
        TClassBuilder<TSample, TPersistent>()
            .Property(u"Width", &TSample::Width, &TSample::SetWidth)
            .Default(100)
            .Property(u"Align", &TSample::Align, &TSample::SetAlign)
            .Default(saLeft)
            .Property(u"Styles", &TSample::Styles, &TSample::SetStyles)
            .Default(TSampleStyles{})
            .Property(u"Ratio", &TSample::Ratio, &TSample::SetRatio)
            .Property(u"Scale", &TSample::Scale, &TSample::SetScale)
            .Property(u"Stamp", TypeInfo_TDateTime(), &TSample::Stamp, &TSample::SetStamp)
            .Property(u"Caption", &TSample::Caption, &TSample::SetCaption)
            .Property(u"Visible", &TSample::Visible, &TSample::SetVisible)
            .Default(true)
            .Property(u"Separator", &TSample::Separator, &TSample::SetSeparator)
            .Default(u',')
            .Property(u"Big", &TSample::Big, &TSample::SetBig)
            .Property(u"Color", TypeInfo_TColor(), &TSample::Color, &TSample::SetColor)
            .Default(0x1FFFFFFF)
            .Property(u"Port", &TSample::Port, &TSample::SetPort)
            .Default(80)
            .Property(u"Font", &TSample::Font, nullptr)
            .Property(u"Buddy", &TSample::Buddy, &TSample::SetBuddy)
            .Property(u"OnChange", TypeInfo_TNotifyEvent(), &TSample::OnChange, &TSample::SetOnChange)
            .Property(u"Value", &TSample::Value, &TSample::SetValue)
            .Property(u"Secret", &TSample::Secret, &TSample::SetSecret)
            .Stored(false)
            .Property(u"Area", &TSample::Area, nullptr)
            .Method(u"SampleChanged", &TSample::SampleChanged)
            .Build();
    return Info;
}

const TClassInfo& TWideSample::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TWideSample, TSample>()
                                       .Property(u"Width", &TWideSample::Width, &TWideSample::SetWidth)
                                       .Default(200)
                                       .Property(u"Depth", &TWideSample::Depth, &TWideSample::SetDepth)
                                       .Build();
    return Info;
}

namespace {

// A minimal text stream over the reflection: one "Path=Value" line per
// property that differs from its default, owned objects under dotted paths,
// events by the name of the root object's published method.
void WriteObject(const TObject* Obj, const String& Prefix, String& Text) {
    for (const TPropInfo* Prop : GetPropList(Obj)) {
        const String Path = Prefix + Prop->Name;
        if (Prop->Kind() == tkClass && Prop->IsReadOnly()) {
            if (const TObject* Owned = GetObjectProp(Obj, *Prop)) WriteObject(Owned, Path + u".", Text);
            continue;
        }
        if (Prop->IsReadOnly() || !IsStoredProp(Obj, *Prop) || IsDefaultPropertyValue(Obj, *Prop)) continue;
        String Value;
        switch (Prop->Kind()) {
        case tkInteger:
        case tkInt64:
            Value = IntToStr(GetOrdProp(Obj, *Prop));
            break;
        case tkEnumeration:
            Value = GetEnumProp(Obj, *Prop);
            break;
        case tkSet:
            Value = GetSetProp(Obj, *Prop, true);
            break;
        case tkFloat:
            Value = FloatToStr(GetFloatProp(Obj, *Prop));
            break;
        case tkUString:
        case tkWChar:
            Value = GetStrProp(Obj, *Prop);
            break;
        case tkMethod:
            Value = GetMethodProp(Obj, *Prop).Name;
            break;
        case tkVariant:
            Value = VarToStr(GetVariantProp(Obj, *Prop));
            break;
        default:
            ADD_FAILURE() << "unexpected kind of " << Utf8(Path);
        }
        Text += Path + u"=" + Value + u"\n";
    }
}

void ReadObject(TObject* Root, const String& Text) {
    size_t Start = 0;
    while (Start < Text.size()) {
        const size_t End = Text.find(u'\n', Start);
        const String Line = Text.substr(Start, End - Start);
        Start = End + 1;
        const size_t Equals = Line.find(u'=');
        String Path = Line.substr(0, Equals);
        const String Value = Line.substr(Equals + 1);
        TObject* Obj = Root;
        for (size_t Dot; (Dot = Path.find(u'.')) != String::npos; Path.erase(0, Dot + 1))
            Obj = GetObjectProp(Obj, Path.substr(0, Dot));
        const TPropInfo& Prop = FindPropInfo(Obj, Path);
        switch (Prop.Kind()) {
        case tkInteger:
        case tkInt64:
            SetOrdProp(Obj, Prop, StrToInt64(Value));
            break;
        case tkEnumeration:
            SetEnumProp(Obj, Prop, Value);
            break;
        case tkSet:
            SetSetProp(Obj, Prop, Value);
            break;
        case tkFloat:
            SetFloatProp(Obj, Prop, StrToFloat(Value));
            break;
        case tkMethod:
            SetMethodProp(Obj, Prop, FindMethod(Root, Value));
            break;
        case tkVariant:
            SetVariantProp(Obj, Prop, Variant(Value));
            break;
        default:
            SetStrProp(Obj, Prop, Value);
        }
    }
}

} // namespace

TEST(Reflection, PropertiesRoundTripThroughTextAndFindClass) {
    RegisterClasses({&TSample::StaticClassInfo(), &TWideSample::StaticClassInfo()});
    TWideSample Source;
    Source.SetWidth(100); // differs from the descendant's default 200
    Source.SetAlign(saRight);
    Source.SetStyles({ssBold, ssUnderline});
    Source.SetRatio(0.1);
    Source.SetScale(1.5f);
    Source.SetStamp(45000.25);
    Source.SetCaption(u"Kläranlage = 3");
    Source.SetVisible(false);
    Source.SetSeparator(u';');
    Source.SetBig(-9000000000);
    Source.SetColor(0x00B99D7F);
    Source.SetPort(65535);
    Source.Font()->SetSize(12);
    Source.Font()->SetName(u"Segoe UI");
    Source.SetValue(Variant(u"3.5 mg/L"));
    Source.SetSecret(42); // not stored
    Source.SetDepth(3);
    SetMethodProp(&Source, FindPropInfo(&Source, u"OnChange"), FindMethod(&Source, u"SampleChanged"));

    String Text;
    WriteObject(&Source, u"", Text);
    EXPECT_EQ(Text, u"Width=100\nAlign=saRight\nStyles=[ssBold,ssUnderline]\nRatio=0.1\n"
                    u"Scale=1.5\nStamp=45000.25\nCaption=Kläranlage = 3\nVisible=False\nSeparator=;\n"
                    u"Big=-9000000000\nColor=12164479\nPort=65535\nFont.Size=12\nFont.Name=Segoe UI\n"
                    u"OnChange=SampleChanged\nValue=3.5 mg/L\nDepth=3\n");

    std::unique_ptr<TObject, decltype(&Free)> Copy(FindClass(Source.ClassName()).CreateInstance(), &Free);
    auto* Target = dynamic_cast<TWideSample*>(Copy.get());
    ASSERT_NE(Target, nullptr);
    ReadObject(Target, Text);
    String Again;
    WriteObject(Target, u"", Again);
    EXPECT_EQ(Again, Text);
    EXPECT_EQ(Target->Secret(), 0);
    EXPECT_FLOAT_EQ(Target->Scale(), 1.5f);
    Target->OnChange()(Target);
    EXPECT_EQ(Target->ChangeCount, 1);

    // At its defaults an object writes only what has no default: an ordinal
    // declared without one and a non-empty string.
    TSample Defaults;
    String Minimal;
    WriteObject(&Defaults, u"", Minimal);
    EXPECT_EQ(Minimal, u"Big=0\nFont.Name=Tahoma\n");
    UnRegisterClass(TSample::StaticClassInfo());
    UnRegisterClass(TWideSample::StaticClassInfo());
}

TEST(Reflection, PropertyKindsAndTypeNames) {
    struct Case {
        const char16_t* Property;
        TTypeKind Kind;
        const char16_t* TypeName;
    };
    const Case Cases[] = {
        {u"Width", tkInteger, u"Integer"},    {u"Align", tkEnumeration, u"TSampleAlign"},
        {u"Styles", tkSet, u"TSampleStyles"}, {u"Ratio", tkFloat, u"Double"},
        {u"Scale", tkFloat, u"Single"},       {u"Stamp", tkFloat, u"TDateTime"},
        {u"Caption", tkUString, u"string"},   {u"Visible", tkEnumeration, u"Boolean"},
        {u"Separator", tkWChar, u"Char"},     {u"Big", tkInt64, u"Int64"},
        {u"Color", tkInteger, u"TColor"},     {u"Port", tkInteger, u"Word"},
        {u"Font", tkClass, u"TSampleFont"},   {u"OnChange", tkMethod, u"TNotifyEvent"},
        {u"Value", tkVariant, u"Variant"},
    };
    TSample Sample;
    for (const Case& C : Cases) {
        const TPropInfo& Prop = FindPropInfo(&Sample, C.Property);
        EXPECT_EQ(Prop.Kind(), C.Kind) << Utf8(C.Property);
        EXPECT_EQ(Prop.PropType->Name, C.TypeName) << Utf8(C.Property);
    }
    EXPECT_EQ(FindPropInfo(&Sample, u"Font").PropType->ClassType(), &TSampleFont::StaticClassInfo());
    EXPECT_EQ(FindPropInfo(&Sample, u"Styles").PropType->CompType->EnumNames,
              (std::vector<String>{u"ssBold", u"ssItalic", u"ssUnderline"}));
    EXPECT_TRUE(FindPropInfo(&Sample, u"Area").IsReadOnly());
    EXPECT_EQ(GetPropInfo(&Sample, u"width"), &FindPropInfo(&Sample, u"Width"));
}

TEST(Reflection, DescendantsListAncestorPropertiesFirstAndRedeclareInPlace) {
    TWideSample Wide;
    const auto List = GetPropList(&Wide);
    ASSERT_EQ(List.size(), GetPropList(TSample::StaticClassInfo()).size() + 1);
    EXPECT_EQ(List.front()->Name, u"Width");
    EXPECT_EQ(List.front()->Default, 200);
    EXPECT_EQ(List.back()->Name, u"Depth");
    EXPECT_TRUE(IsDefaultPropertyValue(&Wide, *List.front()));
}

TEST(Reflection, AccessErrorsCarryThePlatformMessages) {
    TSample Sample;
    auto MessageOf = [](auto&& Action) -> String {
        try {
            Action();
        } catch (const Exception& E) {
            return E.Message();
        }
        return u"(no error)";
    };
    struct Case {
        std::function<void()> Action;
        String Message;
    };
    const Case Cases[] = {
        {[&] { GetOrdProp(&Sample, u"Height"); }, u"Property Height does not exist"},
        {[&] { GetStrProp(&Sample, u"Width"); }, u"Invalid property type: Integer"},
        {[&] { SetFloatProp(&Sample, u"Caption", 1); }, u"Invalid property type: string"},
        {[&] { SetOrdProp(&Sample, u"Area", 1); }, u"Property Area is read-only"},
        {[&] { SetOrdProp(&Sample, u"Port", 65536); }, u"Range check error"},
        {[&] { SetOrdProp(&Sample, u"Align", 3); }, u"Range check error"},
        {[&] { SetEnumProp(&Sample, u"Align", u"saMiddle"); }, u"Invalid property element: saMiddle"},
        {[&] { SetSetProp(&Sample, u"Styles", u"[ssBold,ssStrike]"); },
         u"Invalid property element: ssStrike"},
        {[&] { SetObjectProp(&Sample, u"Buddy", Sample.Font()); }, u"Invalid property value"},
        {[&] { SetStrProp(&Sample, u"Separator", u"ab"); }, u"Invalid property value"},
        {[&] {
             SetMethodProp(&Sample, FindPropInfo(&Sample, u"OnChange"),
                           TMethod{&Sample, u"NoSuchHandler", true});
         },
         u"Invalid property value"},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(MessageOf(C.Action), C.Message);
    EXPECT_EQ(Sample.Port(), 80);
    EXPECT_EQ(Sample.Align(), saLeft);
}

TEST(Reflection, SetsAndEnumerationsAsText) {
    TSample Sample;
    SetSetProp(&Sample, u"Styles", u" [ ssItalic , ssbold ] ");
    EXPECT_EQ(Sample.Styles(), (TSampleStyles{ssBold, ssItalic}));
    EXPECT_EQ(GetSetProp(&Sample, u"Styles"), u"ssBold,ssItalic");
    EXPECT_EQ(GetSetProp(&Sample, u"Styles", true), u"[ssBold,ssItalic]");
    SetSetProp(&Sample, u"Styles", u"[]");
    EXPECT_EQ(GetSetProp(&Sample, u"Styles", true), u"[]");

    const TTypeInfo& Align = TypeInfoFor<TSampleAlign>();
    EXPECT_EQ(GetEnumName(Align, saCenter), u"saCenter");
    EXPECT_EQ(GetEnumName(Align, 3), u"");
    EXPECT_EQ(GetEnumValue(Align, u"SARIGHT"), saRight);
    EXPECT_EQ(GetEnumValue(Align, u"saMiddle"), -1);
    EXPECT_EQ(GetEnumName(TypeInfoFor<bool>(), 1), u"True");
}

TEST(Reflection, EventsBindToPublishedMethodsByName) {
    TSample Root;
    TSample Child;
    const TPropInfo& OnChange = FindPropInfo(&Child, u"OnChange");
    EXPECT_FALSE(GetMethodProp(&Child, OnChange).Assigned);

    SetMethodProp(&Child, OnChange, FindMethod(&Root, u"samplechanged"));
    const TMethod Bound = GetMethodProp(&Child, OnChange);
    EXPECT_TRUE(Bound.Assigned);
    EXPECT_EQ(Bound.Data, &Root);
    EXPECT_EQ(Bound.Name, u"SampleChanged");
    Child.OnChange()(&Child);
    EXPECT_EQ(Root.ChangeCount, 1);

    // A handler that is no published method is set but has no name.
    Child.SetOnChange([](TObject*) {});
    const TMethod Anonymous = GetMethodProp(&Child, OnChange);
    EXPECT_TRUE(Anonymous.Assigned);
    EXPECT_EQ(Anonymous.Name, u"");

    SetMethodProp(&Child, OnChange, TMethod{});
    EXPECT_FALSE(Child.OnChange());
    EXPECT_FALSE(FindMethod(&Root, u"Missing").Assigned);
}
