// The component stream reader: a structure check of the whole stream, then
// the components with their properties, references resolved at the end,
// and Loaded for every component read.

#include "rtl/ClassBuilder.h"
#include "rtl/Collection.h"
#include "rtl/Convert.h"
#include "rtl/Encoding.h"
#include "rtl/Filer.h"
#include "rtl/StreamData.h"
#include "rtl/StringList.h"
#include "rtl/TextCompare.h"

#include <algorithm>

namespace {

const char16_t* const SInvalidStream = u"Invalid stream format";
const char16_t* const SInvalidValue = u"Invalid property value";

std::vector<String> SplitPath(const String& Path) {
    std::vector<String> Parts;
    size_t Start = 0;
    for (;;) {
        size_t Dot = Path.find(u'.', Start);
        Parts.push_back(Path.substr(Start, Dot == String::npos ? String::npos : Dot - Start));
        if (Dot == String::npos) break;
        Start = Dot + 1;
    }
    return Parts;
}

String UniqueName(TComponent* Owner, const String& Name, const TComponent* Self) {
    if (!Owner) return Name;
    TComponent* Taken = Owner->FindComponent(Name);
    if (!Taken || Taken == Self) return Name;
    for (Integer N = 1;; ++N) {
        String Candidate = Name + u"_" + IntToStr(N);
        if (!Owner->FindComponent(Candidate)) return Candidate;
    }
}

} // namespace

const TClassInfo& TReader::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TReader, TFiler>().Build();
    return Info;
}

void TReader::Error(const String& Message, Int64 Offset) {
    String Place = DescribePosition ? DescribePosition(Offset) : u"Offset " + IntToStr(Offset);
    throw EReadError(Place + u": " + Message);
}

void TReader::ReadSignature() {
    Int64 Offset = FStream->Position();
    char Signature[4] = {};
    if (FStream->Read(Signature, 4) != 4 || std::string(Signature, 4) != "TPF0") Error(SInvalidStream, Offset);
}

// ---- Structure check ----

void TReader::CheckValue() {
    Int64 Offset = FStream->Position();
    Int64 Remaining = FStream->Size() - Offset;
    auto Need = [&](Int64 Count) {
        if (Count < 0 || Count > FStream->Size() - FStream->Position()) Error(SInvalidStream, Offset);
        FStream->Seek(Count, soCurrent);
    };
    if (Remaining < 1) Error(SInvalidStream, Offset);
    switch (ReadByte(*FStream)) {
    case vaNull:
    case vaFalse:
    case vaTrue:
    case vaNil:
        return;
    case vaList:
        while (NextValue() != vaNull)
            CheckValue();
        ReadByte(*FStream);
        return;
    case vaInt8:
        Need(1);
        return;
    case vaInt16:
        Need(2);
        return;
    case vaInt32:
    case vaSingle:
        Need(4);
        return;
    case vaExtended:
        Need(10);
        return;
    case vaInt64:
    case vaDouble:
    case vaCurrency:
    case vaDate:
        Need(8);
        return;
    case vaString:
    case vaIdent:
        Need(1);
        FStream->Seek(-1, soCurrent);
        Need(ReadByte(*FStream));
        return;
    case vaBinary:
    case vaLString:
    case vaUTF8String:
        Need(4);
        FStream->Seek(-4, soCurrent);
        Need(::ReadInteger(*FStream));
        return;
    case vaWString:
        Need(4);
        FStream->Seek(-4, soCurrent);
        Need(Int64(::ReadInteger(*FStream)) * 2);
        return;
    case vaSet:
        for (;;) {
            Need(1);
            FStream->Seek(-1, soCurrent);
            Byte Length = ReadByte(*FStream);
            if (Length == 0) return;
            Need(Length);
        }
    case vaCollection:
        while (NextValue() != vaNull) {
            TValueType Next = NextValue();
            if (Next == vaInt8 || Next == vaInt16 || Next == vaInt32) CheckValue();
            if (NextValue() != vaList) Error(SInvalidStream, FStream->Position());
            ReadByte(*FStream);
            while (NextValue() != vaNull) {
                if (ReadStr().empty()) Error(SInvalidStream, FStream->Position());
                CheckValue();
            }
            ReadByte(*FStream);
        }
        ReadByte(*FStream);
        return;
    default:
        Error(SInvalidStream, Offset);
    }
}

void TReader::CheckStructure() {
    Int64 Offset = FStream->Position();
    if (FStream->Size() - Offset < 1) Error(SInvalidStream, Offset);
    Byte Prefix = ReadByte(*FStream);
    if ((Prefix & 0xF0) == 0xF0) {
        if (Prefix & ffChildPos) CheckValue();
    } else {
        FStream->Seek(-1, soCurrent);
    }
    if (ReadStr().empty()) Error(SInvalidStream, Offset);
    ReadStr();
    while (NextValue() != vaNull) {
        Int64 PropOffset = FStream->Position();
        if (ReadStr().empty()) Error(SInvalidStream, PropOffset);
        CheckValue();
    }
    ReadByte(*FStream);
    while (NextValue() != vaNull)
        CheckStructure();
    ReadByte(*FStream);
}

// ---- Components ----

void TReader::ReadRootComponent(TComponent* ARoot) {
    ReadSignature();
    Int64 Start = FStream->Position();
    try {
        CheckStructure();
    } catch (const EReadError&) {
        throw;
    } catch (const Exception& E) {
        Error(E.Message(), FStream->Position());
    }
    FStream->SetPosition(Start);

    SetRoot(ARoot);
    Byte Prefix = ReadByte(*FStream);
    if ((Prefix & 0xF0) == 0xF0) {
        if (Prefix & ffChildPos) ReadInteger();
    } else {
        FStream->Seek(-1, soCurrent);
    }
    String ClassName = ReadStr();
    bool Matches = false;
    for (const TClassInfo* Class = &ARoot->ClassType(); Class && !Matches; Class = Class->Parent)
        Matches = SameText(Class->Name, ClassName);
    if (!Matches) Error(u"Class " + ClassName + u" does not match " + ARoot->ClassName(), Start);
    String Name = ReadStr();
    if (!Name.empty() && ARoot->Name() != Name) ARoot->SetName(UniqueName(ARoot->Owner(), Name, ARoot));
    ARoot->IncludeComponentState({csLoading, csReading});
    FLoaded.push_back(ARoot);
    try {
        ReadComponentBody(ARoot, ARoot, Start);
        for (const TFixup& Fixup : FFixups) {
            std::vector<String> Parts = SplitPath(Fixup.Name);
            TComponent* Found = Parts.size() == 1 ? ARoot->FindComponent(Parts[0]) : nullptr;
            if (Parts.size() == 2)
                if (TComponent* Owner = SameText(Parts[0], ARoot->Name()) ? ARoot : ARoot->FindComponent(Parts[0]))
                    Found = Owner->FindComponent(Parts[1]);
            if (!Found && SameText(Fixup.Name, ARoot->Name())) Found = ARoot;
            if (!Found && FindReference) Found = FindReference(Fixup.Name);
            else if (!Found) Error(u"Component " + Fixup.Name + u" not found", Fixup.Offset);
            try {
                SetObjectProp(Fixup.Instance, *Fixup.Prop, Found);
            } catch (const Exception& E) {
                Error(u"Error reading " + Fixup.Prop->Name + u": " + E.Message(), Fixup.Offset);
            }
        }
    } catch (...) {
        for (TComponent* Component : FLoaded)
            Component->ExcludeComponentState({csLoading, csReading});
        throw;
    }
    for (TComponent* Component : FLoaded)
        Component->ExcludeComponentState({csReading});
    for (TComponent* Component : FLoaded)
        Component->Loaded();
    ARoot->ExcludeComponentState({csLoading});
}

void TReader::ReadComponentBody(TComponent* Component, TComponent* LookupRoot, Int64) {
    while (!EndOfList())
        ReadProperty(Component, LookupRoot);
    ReadListEnd();
    while (!EndOfList())
        ReadChild(Component, LookupRoot);
    ReadListEnd();
}

void TReader::ReadChild(TComponent* Parent, TComponent* LookupRoot) {
    Int64 Offset = FStream->Position();
    Byte Flags = 0;
    Byte Prefix = ReadByte(*FStream);
    if ((Prefix & 0xF0) == 0xF0) {
        Flags = Prefix & 0x0F;
        if (Flags & ffChildPos) ReadInteger();
    } else {
        FStream->Seek(-1, soCurrent);
    }
    String ClassName = ReadStr();
    String Name = ReadStr();
    TComponent* Component = nullptr;
    if (Flags & ffInherited) {
        Component = Name.empty() ? nullptr : LookupRoot->FindComponent(Name);
        if (!Component) Error(u"Ancestor for '" + Name + u"' not found", Offset);
    } else {
        try {
            if (CreateComponent) {
                Component = CreateComponent(ClassName, FRoot);
            } else {
                const TClassInfo& Class = FindClass(ClassName);
                if (!Class.InheritsFrom(TComponent::StaticClassInfo())) throw EClassNotFound(u"Class " + ClassName + u" not found");
                Component = dynamic_cast<TComponent*>(Class.CreateInstance(FRoot));
            }
            if (!Component) throw EClassNotFound(u"Class " + ClassName + u" not found");
            if (!Name.empty()) Component->SetName(Name);
        } catch (const EReadError&) {
            throw;
        } catch (const Exception& E) {
            Error(E.Message(), Offset);
        }
        Component->IncludeComponentState({csLoading, csReading});
        FLoaded.push_back(Component);
        Component->SetParentComponent(Parent);
    }
    if (std::find(FLoaded.begin(), FLoaded.end(), Component) == FLoaded.end()) {
        Component->IncludeComponentState({csLoading, csReading});
        FLoaded.push_back(Component);
    }
    // Inside an inline frame, inherited children are the frame's own.
    ReadComponentBody(Component, (Flags & ffInline) ? Component : LookupRoot, Offset);
}

void TReader::ReadProperty(TPersistent* Instance, TComponent* LookupRoot) {
    Int64 Offset = FStream->Position();
    FPropOffset = Offset;
    String FullName = ReadStr();
    std::vector<String> Parts = SplitPath(FullName);
    auto* Component = dynamic_cast<TComponent*>(Instance);
    String Owner = Component && !Component->Name().empty() ? Component->Name() + u"." : String();
    try {
        TPersistent* Target = Instance;
        for (size_t i = 0; i + 1 < Parts.size(); ++i) {
            const TPropInfo* Prop = GetPropInfo(Target, Parts[i]);
            TPersistent* Next = Prop && Prop->Kind() == tkClass ? dynamic_cast<TPersistent*>(GetObjectProp(Target, *Prop)) : nullptr;
            if (!Next) Error(u"Property " + FullName + u" does not exist", Offset);
            Target = Next;
        }
        const String& Last = Parts.back();
        if (const TPropInfo* Prop = GetPropInfo(Target, Last)) {
            ReadPropValue(Target, *Prop, LookupRoot);
            return;
        }
        if (auto* Strings = dynamic_cast<TStrings*>(Target); Strings && SameText(Last, u"Strings")) {
            std::vector<String> Lines;
            ReadListBegin();
            while (!EndOfList())
                Lines.push_back(ReadString());
            ReadListEnd();
            Strings->BeginUpdate();
            Strings->Clear();
            for (const String& Line : Lines)
                Strings->Add(Line);
            Strings->EndUpdate();
            return;
        }
        FPropName = Last;
        FDefinedFound = false;
        Target->DefineProperties(this);
        if (!FDefinedFound) Error(u"Property " + FullName + u" does not exist", Offset);
    } catch (const EReadError&) {
        throw;
    } catch (const Exception& E) {
        Error(u"Error reading " + Owner + FullName + u": " + E.Message(), Offset);
    }
}

void TReader::ReadPropValue(TPersistent* Instance, const TPropInfo& Prop, TComponent* LookupRoot) {
    const TTypeInfo& Type = *Prop.PropType;
    switch (Type.Kind) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkInt64:
        if (NextValue() == vaIdent) {
            String Ident = ReadIdent();
            Integer Value = 0;
            TIdentToInt ToInt = FindIdentToInt(Type);
            if (!ToInt || !ToInt(Ident, Value)) Error(SInvalidValue + String(u": ") + Ident, FPropOffset);
            SetOrdProp(Instance, Prop, Value);
        } else {
            SetOrdProp(Instance, Prop, ReadInt64());
        }
        return;
    case tkEnumeration:
        if (NextValue() == vaFalse || NextValue() == vaTrue)
            SetOrdProp(Instance, Prop, ReadBoolean() ? 1 : 0);
        else
            SetEnumProp(Instance, Prop, ReadIdent());
        return;
    case tkSet: {
        std::vector<String> Names = ReadSet();
        String Joined;
        for (const String& Name : Names)
            Joined += (Joined.empty() ? u"" : u",") + Name;
        SetSetProp(Instance, Prop, Joined);
        return;
    }
    case tkFloat:
        SetFloatProp(Instance, Prop, ReadFloat());
        return;
    case tkString:
    case tkLString:
    case tkWString:
    case tkUString:
        SetStrProp(Instance, Prop, ReadString());
        return;
    case tkMethod: {
        if (NextValue() == vaNil) {
            ReadValue();
            SetMethodProp(Instance, Prop, TMethod());
            return;
        }
        String Name = ReadIdent();
        TMethod Method = FindMethod(FRoot, Name);
        if (!Method.Assigned) Error(u"Method " + Name + u" not found", FPropOffset);
        SetMethodProp(Instance, Prop, Method);
        return;
    }
    case tkClass: {
        TValueType Next = NextValue();
        if (Next == vaNil) {
            ReadValue();
            SetObjectProp(Instance, Prop, nullptr);
        } else if (Next == vaIdent) {
            FFixups.push_back({Instance, &Prop, ReadIdent(), FPropOffset});
        } else if (Next == vaCollection) {
            auto* Collection = dynamic_cast<TCollection*>(GetObjectProp(Instance, Prop));
            if (!Collection) Error(SInvalidValue, FPropOffset);
            ReadCollection(Collection, LookupRoot);
        } else {
            Error(SInvalidValue, FPropOffset);
        }
        return;
    }
    default:
        Error(SInvalidValue, FPropOffset);
    }
}

void TReader::ReadCollection(TCollection* Collection, TComponent* LookupRoot) {
    ReadValue();
    Collection->BeginUpdate();
    try {
        Collection->Clear();
        while (!EndOfList()) {
            TValueType Next = NextValue();
            if (Next == vaInt8 || Next == vaInt16 || Next == vaInt32) ReadInteger();
            ReadListBegin();
            TCollectionItem* Item = Collection->Add();
            while (!EndOfList())
                ReadProperty(Item, LookupRoot);
            ReadListEnd();
        }
        ReadListEnd();
    } catch (...) {
        Collection->EndUpdate();
        throw;
    }
    Collection->EndUpdate();
}

// ---- Values ----

TValueType TReader::NextValue() {
    Int64 Offset = FStream->Position();
    if (Offset >= FStream->Size()) Error(SInvalidStream, Offset);
    TValueType Value = TValueType(ReadByte(*FStream));
    FStream->Seek(-1, soCurrent);
    return Value;
}

TValueType TReader::ReadValue() {
    Int64 Offset = FStream->Position();
    if (Offset >= FStream->Size()) Error(SInvalidStream, Offset);
    return TValueType(ReadByte(*FStream));
}

Int64 TReader::ReadInt64() {
    Int64 Offset = FStream->Position();
    switch (ReadValue()) {
    case vaInt8:
        return ReadShortInt(*FStream);
    case vaInt16:
        return ReadSmallInt(*FStream);
    case vaInt32:
        return ::ReadInteger(*FStream);
    case vaInt64:
        return ::ReadInt64(*FStream);
    default:
        Error(SInvalidValue, Offset);
    }
}

Integer TReader::ReadInteger() {
    Int64 Offset = FStream->Position();
    Int64 Value = ReadInt64();
    if (Value < INT32_MIN || Value > INT32_MAX) Error(SInvalidValue, Offset);
    return Integer(Value);
}

bool TReader::ReadBoolean() {
    Int64 Offset = FStream->Position();
    TValueType Value = ReadValue();
    if (Value != vaTrue && Value != vaFalse) Error(SInvalidValue, Offset);
    return Value == vaTrue;
}

String TReader::ReadString() {
    Int64 Offset = FStream->Position();
    switch (ReadValue()) {
    case vaString: {
        std::string Bytes(ReadByte(*FStream), '\0');
        if (!Bytes.empty()) FStream->ReadBuffer(Bytes.data(), Int64(Bytes.size()));
        return FromAnsi(Bytes);
    }
    case vaLString:
    case vaUTF8String: {
        FStream->Seek(-1, soCurrent);
        bool Utf = ReadByte(*FStream) == vaUTF8String;
        Integer Length = ::ReadInteger(*FStream);
        if (Length < 0 || Length > FStream->Size() - FStream->Position()) Error(SInvalidStream, Offset);
        std::string Bytes(size_t(Length), '\0');
        if (Length) FStream->ReadBuffer(Bytes.data(), Length);
        return Utf ? FromUtf8(Bytes) : FromAnsi(Bytes);
    }
    case vaWString: {
        Integer Length = ::ReadInteger(*FStream);
        if (Length < 0 || Int64(Length) * 2 > FStream->Size() - FStream->Position()) Error(SInvalidStream, Offset);
        String Result;
        Result.reserve(size_t(Length));
        for (Integer i = 0; i < Length; ++i)
            Result += Char(ReadWord(*FStream));
        return Result;
    }
    default:
        Error(SInvalidValue, Offset);
    }
}

String TReader::ReadIdent() {
    Int64 Offset = FStream->Position();
    switch (ReadValue()) {
    case vaIdent:
        return ReadStr();
    case vaFalse:
        return u"False";
    case vaTrue:
        return u"True";
    case vaNil:
        return u"nil";
    case vaNull:
        return u"Null";
    default:
        Error(SInvalidValue, Offset);
    }
}

Extended TReader::ReadFloat() {
    Int64 Offset = FStream->Position();
    switch (NextValue()) {
    case vaExtended:
        ReadValue();
        return ReadExtended(*FStream);
    case vaDouble:
        ReadValue();
        return ReadDouble(*FStream);
    case vaSingle:
        ReadValue();
        return ReadSingle(*FStream);
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64:
        return Extended(ReadInt64());
    default:
        Error(SInvalidValue, Offset);
    }
}

std::vector<String> TReader::ReadSet() {
    Int64 Offset = FStream->Position();
    if (ReadValue() != vaSet) Error(SInvalidValue, Offset);
    std::vector<String> Names;
    for (String Name = ReadStr(); !Name.empty(); Name = ReadStr())
        Names.push_back(Name);
    return Names;
}

void TReader::ReadListBegin() {
    Int64 Offset = FStream->Position();
    if (ReadValue() != vaList) Error(SInvalidValue, Offset);
}

void TReader::ReadListEnd() {
    Int64 Offset = FStream->Position();
    if (ReadValue() != vaNull) Error(SInvalidValue, Offset);
}

TBytes TReader::ReadBinary() {
    Int64 Offset = FStream->Position();
    if (ReadValue() != vaBinary) Error(SInvalidValue, Offset);
    Integer Length = ::ReadInteger(*FStream);
    if (Length < 0 || Length > FStream->Size() - FStream->Position()) Error(SInvalidStream, Offset);
    TBytes Data(static_cast<size_t>(Length));
    if (Length) FStream->ReadBuffer(Data.data(), Length);
    return Data;
}

String TReader::ReadStr() {
    return FromUtf8(ReadShortString(*FStream));
}

void TReader::SkipValue() {
    CheckValue();
}

void TReader::DefineProperty(const String& Name, TReaderProc ReadData, TWriterProc, bool) {
    if (FPropName.empty() || !ReadData || !SameText(Name, FPropName)) return;
    FPropName.clear();
    FDefinedFound = true;
    ReadData(this);
}

void TReader::DefineBinaryProperty(const String& Name, TStreamProc ReadData, TStreamProc, bool) {
    if (FPropName.empty() || !ReadData || !SameText(Name, FPropName)) return;
    FPropName.clear();
    FDefinedFound = true;
    TBytes Bytes = ReadBinary();
    TMemoryStream Data;
    if (!Bytes.empty()) Data.WriteBuffer(Bytes.data(), Int64(Bytes.size()));
    Data.SetPosition(0);
    ReadData(&Data);
}

TComponent* ReadComponent(TStream& Stream, TComponent* Instance) {
    if (!Instance) {
        Int64 Start = Stream.Position();
        TReader Peek(&Stream);
        Peek.ReadSignature();
        Byte Prefix = ReadByte(Stream);
        if ((Prefix & 0xF0) != 0xF0) Stream.Seek(-1, soCurrent);
        String ClassName = Peek.ReadStr();
        Stream.SetPosition(Start);
        Instance = dynamic_cast<TComponent*>(FindClass(ClassName).CreateInstance(nullptr));
        if (!Instance) throw EClassNotFound(u"Class " + ClassName + u" not found");
        try {
            TReader Reader(&Stream);
            Reader.ReadRootComponent(Instance);
        } catch (...) {
            Free(Instance);
            throw;
        }
        return Instance;
    }
    TReader Reader(&Stream);
    Reader.ReadRootComponent(Instance);
    return Instance;
}
