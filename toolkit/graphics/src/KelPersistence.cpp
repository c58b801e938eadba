// JSON persistence: the writer and reader of saved objects, and the save and
// load façade with its class tests.

#include "kel/KelPersistence.h"

#include "graphics/Colors.h"
#include "graphics/Graphic.h"
#include "graphics/Picture.h"
#include "kel/KelGraphicsFill.h"
#include "kel/KelGraphicsFont.h"
#include "kel/KelGraphicsStroke.h"
#include "kel/RarEvads.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Collection.h"
#include "rtl/Component.h"
#include "rtl/Convert.h"
#include "rtl/Encoding.h"
#include "rtl/FormatSettings.h"
#include "rtl/MathUtils.h"
#include "rtl/StringList.h"
#include "rtl/StringUtils.h"

#include <algorithm>
#include <fstream>

String TypeKey = u"$type";
TKelExcludePropertyListArray GlobalExcludeList;
TObject* GlobalIOReference = nullptr;
TComponent* GlobalRootObject = nullptr;
TKelReaderCustomReadPropertyEvent GlobalReadPropertyHook;
TKelWriterCustomWritePropertyEvent GlobalWritePropertyHook;

namespace {

void FreeObject(TObject* AObject) {
    Free(AObject);
}

bool Excluded(const String& AName) {
    return TRarEvads::IndexOfTextInArray(AName, GlobalExcludeList) >= 0;
}

// The published properties in name order, ASCII case folded.
std::vector<const TPropInfo*> SortedProperties(const TObject* AObject) {
    std::vector<const TPropInfo*> Props = GetPropList(AObject);
    std::stable_sort(Props.begin(), Props.end(), [](const TPropInfo* A, const TPropInfo* B) {
        return UpperCase(A->Name) < UpperCase(B->Name);
    });
    return Props;
}

bool IsBooleanType(const TTypeInfo* AType) {
    return AType->Kind == tkEnumeration && AType->Name == u"Boolean";
}

bool IsFont(const TObject* AObject) {
    return TKelPersistence::IsDescendingClass(&AObject->ClassType(), {u"TFont"});
}

bool IsPersistent(const TClassInfo* AClass) {
    return TKelPersistence::IsDescendingClass(AClass, {u"TPersistent"});
}

String ColorToText(TColor AColor) {
    if (AColor == -1) return u"gcNull";
    const TColor C = ColorToRGB(AColor);
    return u"#" + IntToHex(C & 0xFF, 2) + IntToHex((C >> 8) & 0xFF, 2) + IntToHex((C >> 16) & 0xFF, 2);
}

Integer HexDigit(Char C) {
    if (C >= u'0' && C <= u'9') return C - u'0';
    if (C >= u'A' && C <= u'F') return C - u'A' + 10;
    if (C >= u'a' && C <= u'f') return C - u'a' + 10;
    return -1;
}

// "gcNull" or "#RRGGBB" (hexadecimal digits in either case).
TColor TextToColorValue(const String& AText) {
    if (AText == u"gcNull") return -1;
    if (AText.size() != 7 || AText[0] != u'#')
        throw EConvertError(u"'%s' is not a valid color value", {AText});
    Integer Channels[3];
    for (int I = 0; I < 3; ++I) {
        const Integer Hi = HexDigit(AText[1 + 2 * I]);
        const Integer Lo = HexDigit(AText[2 + 2 * I]);
        if (Hi < 0 || Lo < 0) throw EConvertError(u"'%s' is not a valid color value", {AText});
        Channels[I] = Hi * 16 + Lo;
    }
    return Channels[0] | Channels[1] << 8 | Channels[2] << 16;
}

String BytesToHex(TMemoryStream& AStream) {
    static const char16_t* Digits = u"0123456789ABCDEF";
    String Result;
    const auto* Bytes = static_cast<const Byte*>(AStream.Memory());
    for (Int64 I = 0; I < AStream.Size(); ++I) {
        Result += Digits[Bytes[I] >> 4];
        Result += Digits[Bytes[I] & 15];
    }
    return Result;
}

bool PictureEmpty(const TObject* AObject) {
    if (const auto* Picture = dynamic_cast<const TPicture*>(AObject))
        return !Picture->Graphic() || Picture->Graphic()->Empty();
    if (const auto* Graphic = dynamic_cast<const TGraphic*>(AObject)) return Graphic->Empty();
    return true;
}

void SavePicture(const TObject* AObject, TStream* AStream) {
    if (const auto* Picture = dynamic_cast<const TPicture*>(AObject))
        Picture->SaveToStream(AStream);
    else if (const auto* Graphic = dynamic_cast<const TGraphic*>(AObject))
        Graphic->SaveToStream(AStream);
}

void LoadPicture(TObject* AObject, TStream* AStream) {
    if (auto* Picture = dynamic_cast<TPicture*>(AObject))
        Picture->LoadFromStream(AStream);
    else if (auto* Graphic = dynamic_cast<TGraphic*>(AObject))
        Graphic->LoadFromStream(AStream);
}

String QuotedName(const String& AName) {
    return u"\"" + AName + u"\"";
}

// Puts the separators to '.' and ',' for one save or load.
class TSeparatorScope {
public:
    TSeparatorScope() : FDecimal(FormatSettings.DecimalSeparator), FThousand(FormatSettings.ThousandSeparator) {
        FormatSettings.DecimalSeparator = u'.';
        FormatSettings.ThousandSeparator = u',';
    }
    ~TSeparatorScope() {
        FormatSettings.DecimalSeparator = FDecimal;
        FormatSettings.ThousandSeparator = FThousand;
    }

private:
    Char FDecimal;
    Char FThousand;
};

} // namespace

// --- TKelPersistence ----------------------------------------------------------------

const TClassInfo& TKelPersistence::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelPersistence, TObject>().Build();
    return Info;
}

bool TKelPersistence::IsDescendingClass(const TClassInfo* AClass, std::initializer_list<const char16_t*> ANames) {
    for (const TClassInfo* C = AClass; C; C = C->Parent)
        for (const char16_t* Name : ANames)
            if (C->Name == Name) return true;
    return false;
}

bool TKelPersistence::IsWriteOnly(const TPropInfo* APropInfo) {
    switch (APropInfo->Kind()) {
    case tkClass: return !APropInfo->GetObject;
    case tkMethod: return !APropInfo->GetMethod;
    case tkFloat: return !APropInfo->GetFloat;
    case tkString:
    case tkLString:
    case tkUString:
    case tkWString: return !APropInfo->GetStr;
    case tkVariant: return !APropInfo->GetVariant;
    default: return !APropInfo->GetOrd && !APropInfo->GetStr;
    }
}

bool TKelPersistence::IsAssignableProperty(const TObject* AObject, const TPropInfo* APropInfo) {
    if (APropInfo->Kind() != tkClass) return false;
    const TObject* Current = APropInfo->GetObject ? APropInfo->GetObject(*AObject) : nullptr;
    return !Current || IsComponent(&Current->ClassType());
}

bool TKelPersistence::IsColor(const String& ATypeName) {
    return ATypeName == u"TAlphaColor" || ATypeName == u"TColor" || ATypeName == u"TGraphicsColor";
}

String TKelPersistence::GetPropInfoTypeName(const TPropInfo* APropInfo) {
    return APropInfo->PropType->Name;
}

const TClassInfo* TKelPersistence::GetPropInfoDataTypeInfoClassType(const TPropInfo* APropInfo) {
    return APropInfo->PropType->ClassType();
}

String TKelPersistence::GetEnumName(const TPropInfo* APropInfo, Integer AValue) {
    const TTypeInfo* Type = APropInfo->PropType->Kind == tkSet ? APropInfo->PropType->CompType : APropInfo->PropType;
    if (!Type || AValue < 0 || std::size_t(AValue) >= Type->EnumNames.size()) return String();
    return Type->EnumNames[std::size_t(AValue)];
}

void TKelPersistence::GetEnumValues(TStrings* AValues, const TPropInfo* APropInfo) {
    const TTypeInfo* Type = APropInfo->PropType->Kind == tkSet ? APropInfo->PropType->CompType : APropInfo->PropType;
    if (!Type) return;
    for (const String& Name : Type->EnumNames)
        AValues->Add(Name);
}

// The drawing layer's persistent value classes, found by name when read.
void RegisterKelPersistentClasses() {
    static const bool Registered = [] {
        RegisterClasses({&TKelGraphicsFill::StaticClassInfo(), &TKelGraphicsFillGradientItem::StaticClassInfo(),
                         &TKelGraphicsStroke::StaticClassInfo(), &TKelGraphicsFont::StaticClassInfo()});
        return true;
    }();
    (void)Registered;
}

TObject* TKelPersistence::CreateObject(const String& AClassName, const TClassInfo* BaseClass) {
    RegisterKelPersistentClasses();
    const TClassInfo* Class = GetClass(AClassName);
    if (!Class) throw EKelReaderException(u"Type " + QuotedName(AClassName) + u" not found");
    if (BaseClass && !Class->InheritsFrom(*BaseClass))
        throw EKelReaderException(u"Type " + QuotedName(AClassName) + u" does not inherit from " + BaseClass->Name);
    // Created through the class's own registered constructor.
    if (IsComponent(Class) && Class->Factory) return Class->CreateInstance(nullptr);
    if (IsDescendingClass(Class, {u"TCollectionItem"}) && Class->ItemFactory) {
        TObject* Item = Class->ItemFactory(nullptr);
        Item->AfterConstruction();
        return Item;
    }
    if (IsPersistent(Class) && Class->Factory) return Class->CreateInstance(nullptr);
    throw EKelReaderException(u"Type " + QuotedName(AClassName) + u" not supported");
}

namespace {

std::unique_ptr<TKelWriter, void (*)(TObject*)> FacadeWriter(TStream& AStream) {
    std::unique_ptr<TKelWriter, void (*)(TObject*)> Writer(Create<TKelWriter>(AStream), &FreeObject);
    Writer->SetIOReference(GlobalIOReference);
    Writer->SetRootObject(GlobalRootObject);
    if (GlobalWritePropertyHook) Writer->OnCustomWriteProperty = GlobalWritePropertyHook;
    return Writer;
}

} // namespace

void TKelPersistence::SaveSettingsToStream(TObject* AObject, TStream* AStream) {
    auto Writer = FacadeWriter(*AStream);
    TSeparatorScope Separators;
    Writer->Write(AObject);
}

void TKelPersistence::SaveSettingsToFile(TObject* AObject, const String& AFileName) {
    TMemoryStream Memory;
    SaveSettingsToStream(AObject, &Memory);
    Memory.SaveToFile(AFileName);
}

void TKelPersistence::LoadSettingsFromStream(TObject* AObject, TStream* AStream) {
    AStream->SetPosition(0);
    std::unique_ptr<TKelReader, void (*)(TObject*)> Reader(Create<TKelReader>(*AStream), &FreeObject);
    Reader->SetIOReference(GlobalIOReference);
    Reader->SetRootObject(GlobalRootObject);
    if (GlobalReadPropertyHook) Reader->OnCustomReadProperty = GlobalReadPropertyHook;
    TSeparatorScope Separators;
    Reader->Read(AObject);
}

void TKelPersistence::LoadSettingsFromFile(TObject* AObject, const String& AFileName) {
    TMemoryStream Memory;
    Memory.LoadFromFile(AFileName);
    LoadSettingsFromStream(AObject, &Memory);
}

// --- TKelWriter -----------------------------------------------------------------------

const TClassInfo& TKelWriter::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelWriter, TObject>().Build();
    return Info;
}

TKelWriter::TKelWriter(TStream& AStream) : FWriter(Create<TKelJSONWriter>(AStream), &FreeObject) {}

TKelWriter::~TKelWriter() = default;

void TKelWriter::SetIOReference(TObject* Value) {
    FIOReference = Value;
    GlobalIOReference = Value;
}

void TKelWriter::SetRootObject(TComponent* Value) {
    FRootObject = Value;
    GlobalRootObject = Value;
}

void TKelWriter::SetExcludeProperties(const TKelExcludePropertyListArray& Value) {
    FExcludeProperties = Value;
    GlobalExcludeList = Value;
}

void TKelWriter::Write(TObject* AObject) {
    WriteValue(AObject);
}

void TKelWriter::WriteArray(const String& AName, const TKelObjectArray& AArray) {
    FWriter->WriteBeginObject();
    FWriter->WriteName(AName);
    FWriter->WriteBeginArray();
    for (TObject* O : AArray)
        WriteValue(O);
    FWriter->WriteEndArray();
    FWriter->WriteEndObject();
}

void TKelWriter::WriteValue(TObject* AObject) {
    if (!AObject) {
        FWriter->WriteNull();
        return;
    }
    const TClassInfo* Class = &AObject->ClassType();
    if (TKelPersistence::IsCollection(Class)) {
        const auto* Collection = dynamic_cast<const TCollection*>(AObject);
        FWriter->WriteBeginArray();
        for (Integer I = 0; Collection && I < Collection->Count(); ++I)
            WriteObject(Collection->Items(I));
        FWriter->WriteEndArray();
    } else if (TKelPersistence::IsBitmap(Class) || dynamic_cast<const TGraphic*>(AObject)) {
        if (PictureEmpty(AObject)) {
            FWriter->WriteString(String());
        } else {
            TMemoryStream Data;
            SavePicture(AObject, &Data);
            FWriter->WriteString(BytesToHex(Data));
        }
    } else if (TKelPersistence::IsStrings(Class)) {
        const auto* Strings = dynamic_cast<const TStrings*>(AObject);
        FWriter->WriteBeginArray();
        for (Integer I = 0; Strings && I < Strings->Count(); ++I)
            FWriter->WriteString(Strings->Strings(I));
        FWriter->WriteEndArray();
    } else if (auto* Resolver = dynamic_cast<IReferenceResolver*>(FIOReference);
               Resolver && Resolver->NeedsObjectReference(*Class)) {
        FWriter->WriteString(Resolver->GetObjectReference(AObject));
    } else {
        WriteObject(AObject);
    }
}

void TKelWriter::WriteObject(TObject* AObject) {
    FWriter->WriteBeginObject();
    if (!TypeKey.empty()) {
        FWriter->WriteName(TypeKey);
        FWriter->WriteString(AObject->ClassType().Name);
    }
    auto* Filter = dynamic_cast<IPropertyFilter*>(AObject);
    for (const TPropInfo* Prop : SortedProperties(AObject)) {
        const bool Included =
            Filter ? Filter->CanSaveProperty(AObject, Prop->Name, Prop->Kind()) : !Excluded(Prop->Name);
        if (!Included) continue;
        bool CanWrite = true;
        if (OnCustomWriteProperty) OnCustomWriteProperty(AObject, Prop->Name, Prop->Kind(), FWriter.get(), CanWrite);
        if (!CanWrite) continue;
        FWriter->WriteName(Prop->Name);
        WriteProperty(AObject, *Prop);
        if (Prop->Name == u"Size" && IsFont(AObject)) {
            FWriter->WriteName(u"IsFMX");
            FWriter->WriteBoolean(false);
        }
    }
    FWriter->WriteEndObject();
}

void TKelWriter::WriteProperty(TObject* AObject, const TPropInfo& AProp) {
    if (TKelPersistence::IsWriteOnly(&AProp)) {
        FWriter->WriteNull();
        return;
    }
    const TTypeInfo* Type = AProp.PropType;
    switch (Type->Kind) {
    case tkInteger:
        if (TKelPersistence::IsColor(Type->Name))
            FWriter->WriteString(ColorToText(TColor(GetOrdProp(AObject, AProp))));
        else
            FWriter->WriteInteger(GetOrdProp(AObject, AProp));
        break;
    case tkChar:
    case tkString:
    case tkWChar:
    case tkLString:
    case tkUString:
        FWriter->WriteString(GetStrProp(AObject, AProp));
        break;
    case tkEnumeration:
        if (IsBooleanType(Type))
            FWriter->WriteBoolean(GetOrdProp(AObject, AProp) != 0);
        else
            FWriter->WriteInteger(GetOrdProp(AObject, AProp));
        break;
    case tkFloat:
        FWriter->WriteDouble(Double(GetFloatProp(AObject, AProp)));
        break;
    case tkSet:
        FWriter->WriteInteger(GetOrdProp(AObject, AProp));
        break;
    case tkInt64:
        FWriter->WriteInteger(GetInt64Prop(AObject, AProp));
        break;
    case tkMethod: {
        const TMethod Method = GetMethodProp(AObject, AProp);
        if (!Method.Assigned || !GlobalRootObject) {
            FWriter->WriteNull();
        } else {
            const bool Published = !Method.Name.empty() && Method.Data == GlobalRootObject &&
                                   GlobalRootObject->ClassType().MethodAddress(Method.Name);
            FWriter->WriteString(Published ? Method.Name : String());
        }
        break;
    }
    case tkClass: {
        TObject* Value = GetObjectProp(AObject, AProp);
        bool Assignable = TKelPersistence::IsAssignableProperty(AObject, &AProp);
        if (OnCustomIsAssignableProperty) OnCustomIsAssignableProperty(AObject, AProp.Name, Assignable);
        if (Assignable) {
            const auto* Component = dynamic_cast<const TComponent*>(Value);
            FWriter->WriteString(Component ? Component->Name() : String());
        } else {
            WriteValue(Value);
        }
        break;
    }
    default:
        FWriter->WriteNull();
        break;
    }
}

// --- TKelReader -----------------------------------------------------------------------

const TClassInfo& TKelReader::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelReader, TObject>().Build();
    return Info;
}

const TClassInfo& TKelReader::TKelObjectReference::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelReader::TKelObjectReference, TObject>().Build();
    return Info;
}

TKelReader::TKelReader(TStream& AStream) : FReader(Create<TKelJSONReader>(AStream), &FreeObject) {}

TKelReader::~TKelReader() = default;

void TKelReader::SetIOReference(TObject* Value) {
    FIOReference = Value;
    GlobalIOReference = Value;
}

void TKelReader::SetRootObject(TComponent* Value) {
    FRootObject = Value;
    GlobalRootObject = Value;
}

void TKelReader::SetExcludeProperties(const TKelExcludePropertyListArray& Value) {
    FExcludeProperties = Value;
    GlobalExcludeList = Value;
}

TObject* TKelReader::Read(const TClassInfo& AClass) {
    return ReadNewObject(&AClass);
}

void TKelReader::Read(TObject* AObject) {
    ReadValue(AObject);
}

TKelObjectArray TKelReader::ReadArray(const String& AName) {
    TKelObjectArray Result;
    try {
        FReader->ReadBeginObject();
        while (FReader->HasNext()) {
            if (FReader->ReadName() != AName) {
                FReader->SkipValue();
                continue;
            }
            FReader->ReadBeginArray();
            while (FReader->HasNext()) {
                if (FReader->IsNull()) {
                    FReader->ReadNull();
                    continue;
                }
                if (TObject* O = ReadNewObject(&TObject::StaticClassInfo())) Result.push_back(O);
            }
            FReader->ReadEndArray();
        }
        FReader->ReadEndObject();
    } catch (...) {
        for (TObject* O : Result)
            Free(O);
        throw;
    }
    return Result;
}

void TKelReader::SolveReferences() {
    auto* Resolver = dynamic_cast<IReferenceResolver*>(FIOReference);
    if (!Resolver) return;
    for (const auto& Ref : FReferences) {
        TObject* O = Resolver->FindObject(Ref->Id);
        const TClassInfo* Class = Ref->Prop->PropType->ClassType();
        if (!O || !Class || O->InheritsFrom(*Class)) SetObjectProp(Ref->Instance, *Ref->Prop, O);
    }
}

void TKelReader::ReadTypeMember(String* AClassName) {
    if (TypeKey.empty()) return;
    if (!FReader->HasNext() || FReader->PeekName() != TypeKey)
        throw EKelReaderException(QuotedName(TypeKey) + u" property not found in Object descriptor.");
    FReader->ReadName();
    const String Name = FReader->ReadString();
    if (AClassName) *AClassName = Name;
}

void TKelReader::ReadObject(TObject* AObject) {
    FReader->ReadBeginObject();
    ReadTypeMember(nullptr);
    while (FReader->HasNext()) {
        const String Name = FReader->ReadName();
        const TPropInfo* Prop = GetPropInfo(AObject, Name);
        if (!Prop) {
            FReader->SkipValue();
            continue;
        }
        ReadProperty(AObject, *Prop);
        // A font size written in points by another system.
        if (Prop->Name == u"Size" && IsFont(AObject) && FReader->HasNext() && FReader->PeekName() == u"IsFMX") {
            FReader->ReadName();
            if (FReader->Peek() != jstoBoolean) {
                FReader->SkipValue();
            } else if (FReader->ReadBoolean()) {
                const Int64 Size = GetOrdProp(AObject, *Prop);
                SetOrdProp(AObject, *Prop, Int64(Round(Double(Size) * 72 / 96)));
            }
        }
    }
    FReader->ReadEndObject();
}

TObject* TKelReader::ReadNewObject(const TClassInfo* ABaseClass) {
    FReader->ReadBeginObject();
    String ClassName;
    ReadTypeMember(&ClassName);
    if (ClassName.empty()) ClassName = ABaseClass ? ABaseClass->Name : String();
    TObject* Result = nullptr;
    if (auto* Creator = dynamic_cast<IObjectCreator*>(FIOReference))
        Result = Creator->CreateObject(ClassName, ABaseClass);
    else if (auto* Resolver = dynamic_cast<IReferenceResolver*>(FIOReference))
        Result = Resolver->CreateObject(ClassName, ABaseClass);
    else
        // An IO reference that creates nothing itself (FromJSON makes the
        // loaded object the IO reference) leaves creation to the class
        // registry, so that collection items are not lost.
        Result = TKelPersistence::CreateObject(ClassName, ABaseClass);
    try {
        while (FReader->HasNext()) {
            const String Name = FReader->ReadName();
            const TPropInfo* Prop = Result ? GetPropInfo(Result, Name) : nullptr;
            if (!Prop) {
                FReader->SkipValue();
                continue;
            }
            ReadProperty(Result, *Prop);
        }
        FReader->ReadEndObject();
    } catch (...) {
        if (Result) Free(Result);
        throw;
    }
    return Result;
}

void TKelReader::ReadValue(TObject* AObject) {
    if (!AObject) {
        FReader->ReadNull();
        return;
    }
    const TClassInfo* Class = &AObject->ClassType();
    if (TKelPersistence::IsCollection(Class)) {
        auto* Collection = dynamic_cast<TCollection*>(AObject);
        Collection->Clear();
        FReader->ReadBeginArray();
        while (FReader->HasNext()) {
            if (FReader->IsNull()) {
                FReader->ReadNull();
                continue;
            }
            std::unique_ptr<TObject, void (*)(TObject*)> Read(ReadNewObject(&TObject::StaticClassInfo()),
                                                              &FreeObject);
            if (auto* Source = dynamic_cast<TPersistent*>(Read.get())) Collection->Add()->Assign(Source);
        }
        FReader->ReadEndArray();
    } else if (TKelPersistence::IsBitmap(Class) || dynamic_cast<const TGraphic*>(AObject)) {
        const String Hex = FReader->ReadString();
        if (!Hex.empty()) {
            const TBytes Bytes = TRarEvads::HexStrToBytes(Hex);
            TMemoryStream Data;
            Data.Write(Bytes.data(), Int64(Bytes.size()));
            Data.SetPosition(0);
            LoadPicture(AObject, &Data);
        }
    } else if (TKelPersistence::IsStrings(Class)) {
        auto* Strings = dynamic_cast<TStrings*>(AObject);
        Strings->Clear();
        FReader->ReadBeginArray();
        while (FReader->HasNext()) {
            if (FReader->IsNull()) {
                FReader->ReadNull();
                continue;
            }
            Strings->Add(FReader->ReadString());
        }
        FReader->ReadEndArray();
    } else {
        ReadObject(AObject);
    }
}

void TKelReader::ReadProperty(TObject* AObject, const TPropInfo& AProp) {
    auto* Filter = dynamic_cast<IPropertyFilter*>(AObject);
    const bool Included =
        Filter ? Filter->CanLoadProperty(AObject, AProp.Name, AProp.Kind()) : !Excluded(AProp.Name);
    if (!Included) {
        FReader->SkipValue();
        return;
    }
    bool CanRead = true;
    if (OnCustomReadProperty) OnCustomReadProperty(AObject, AProp.Name, AProp.Kind(), FReader.get(), CanRead);
    if (!CanRead) return;
    if (TKelPersistence::IsWriteOnly(&AProp) && AProp.Kind() != tkClass) {
        FReader->ReadNull();
        return;
    }
    const bool Store = !AProp.IsReadOnly();
    const TTypeInfo* Type = AProp.PropType;
    switch (Type->Kind) {
    case tkInteger:
        if (TKelPersistence::IsColor(Type->Name)) {
            const TColor Color = TextToColorValue(FReader->ReadString());
            if (Store) SetOrdProp(AObject, AProp, Color);
        } else {
            const Integer Value = FReader->ReadInteger();
            if (Store) SetOrdProp(AObject, AProp, Value);
        }
        break;
    case tkChar:
    case tkString:
    case tkWChar:
    case tkLString:
    case tkUString: {
        const String Value = FReader->ReadString();
        if (Store) SetStrProp(AObject, AProp, Value);
        break;
    }
    case tkEnumeration:
        if (IsBooleanType(Type)) {
            const bool Value = FReader->ReadBoolean();
            if (Store) SetOrdProp(AObject, AProp, Value ? 1 : 0);
        } else {
            const Integer Value = FReader->ReadInteger();
            if (Store) SetOrdProp(AObject, AProp, Value);
        }
        break;
    case tkFloat: {
        const Double Value = FReader->ReadDouble();
        if (Store) SetFloatProp(AObject, AProp, Value);
        break;
    }
    case tkSet: {
        const Integer Value = FReader->ReadInteger();
        if (Store) SetOrdProp(AObject, AProp, Value);
        break;
    }
    case tkInt64: {
        const Int64 Value = FReader->ReadInt64();
        if (Store) SetInt64Prop(AObject, AProp, Value);
        break;
    }
    case tkMethod:
        if (FReader->IsNull()) {
            FReader->ReadNull();
            if (Store) SetMethodProp(AObject, AProp, TMethod{});
        } else {
            const String Name = FReader->ReadString();
            if (!GlobalRootObject || !Store) break;
            TMethod Method;
            if (!Name.empty() && GlobalRootObject->ClassType().MethodAddress(Name))
                Method = TMethod{GlobalRootObject, Name, true};
            SetMethodProp(AObject, AProp, Method);
        }
        break;
    case tkClass:
        ReadClassProperty(AObject, AProp);
        break;
    default:
        FReader->ReadNull();
        break;
    }
}

void TKelReader::ReadClassProperty(TObject* AObject, const TPropInfo& AProp) {
    TObject* Current = AProp.GetObject ? AProp.GetObject(*AObject) : nullptr;
    const TClassInfo* Class = AProp.PropType->ClassType();
    const TClassInfo* Effective = Current ? &Current->ClassType() : Class;
    if (Current && (TKelPersistence::IsCollection(Effective) || TKelPersistence::IsBitmap(Effective) ||
                    TKelPersistence::IsStrings(Effective) || dynamic_cast<const TGraphic*>(Current))) {
        ReadValue(Current);
        return;
    }
    if (auto* Resolver = dynamic_cast<IReferenceResolver*>(FIOReference);
        Resolver && Class && Resolver->NeedsObjectReference(*Class)) {
        if (FReader->IsNull()) {
            FReader->ReadNull();
            SetObjectProp(AObject, AProp, nullptr);
        } else {
            FReferences.push_back(std::make_unique<TKelObjectReference>(AObject, &AProp, FReader->ReadString()));
        }
        return;
    }
    bool Assignable = TKelPersistence::IsAssignableProperty(AObject, &AProp);
    if (OnCustomIsAssignableProperty) OnCustomIsAssignableProperty(AObject, AProp.Name, Assignable);
    if (Assignable) {
        const String Name = FReader->ReadString();
        if (!FRootObject || AProp.IsReadOnly()) return;
        TComponent* Found = Name.empty() ? nullptr : FRootObject->FindComponent(Name);
        if (Found && Class && !Found->InheritsFrom(*Class)) Found = nullptr;
        SetObjectProp(AObject, AProp, Found);
        return;
    }
    if (!Current) {
        FReader->ReadNull();
        return;
    }
    ReadValue(Current);
}

// --- The JSON members' routines ---------------------------------------------------------

namespace {

// Puts the process-wide settings a forwarder changes back when it ends.
class TSettingsScope {
public:
    TSettingsScope()
        : FTypeKey(TypeKey), FExclude(GlobalExcludeList), FIOReference(GlobalIOReference),
          FRoot(GlobalRootObject) {}
    ~TSettingsScope() {
        TypeKey = FTypeKey;
        GlobalExcludeList = FExclude;
        GlobalIOReference = FIOReference;
        GlobalRootObject = FRoot;
    }

private:
    String FTypeKey;
    TKelExcludePropertyListArray FExclude;
    TObject* FIOReference;
    TComponent* FRoot;
};

String StreamText(const TBytesStream& AStream) {
    return FromAnsi(std::string(AStream.Bytes().begin(), AStream.Bytes().end()));
}

} // namespace

String ObjectToJSON(TObject* AObject) {
    TSettingsScope Settings;
    TBytesStream Stream;
    TKelPersistence::SaveSettingsToStream(AObject, &Stream);
    return StreamText(Stream);
}

String ObjectToJSONExcluding(TObject* AObject, const TKelObjectExcludePropertyListArray& AExcludedProperties) {
    TSettingsScope Settings;
    GlobalExcludeList = AExcludedProperties;
    TBytesStream Stream;
    TKelPersistence::SaveSettingsToStream(AObject, &Stream);
    return StreamText(Stream);
}

void ObjectFromJSON(TObject* AObject, const String& AValue) {
    TSettingsScope Settings;
    TypeKey.clear();
    GlobalIOReference = AObject;
    const AnsiString Bytes = ToAnsi(AValue);
    TBytesStream Stream(TBytes(Bytes.begin(), Bytes.end()));
    TKelPersistence::LoadSettingsFromStream(AObject, &Stream);
}

void LogObjectJSON(TObject* AObject) {
    TRarEvads::Log(ObjectToJSON(AObject));
}

void SaveObjectToJSONFile(TObject* AObject, const String& AFileName) {
    TSettingsScope Settings;
    TKelPersistence::SaveSettingsToFile(AObject, AFileName);
}

void LoadObjectFromJSONFile(TObject* AObject, const String& AFileName) {
    TSettingsScope Settings;
    TKelPersistence::LoadSettingsFromFile(AObject, AFileName);
}

void SaveObjectToJSONStream(TObject* AObject, TStream* AStream) {
    TSettingsScope Settings;
    TKelPersistence::SaveSettingsToStream(AObject, AStream);
}

void LoadObjectFromJSONStream(TObject* AObject, TStream* AStream) {
    TSettingsScope Settings;
    TKelPersistence::LoadSettingsFromStream(AObject, AStream);
}
