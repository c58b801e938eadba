// The component stream writer: components, their published and defined
// properties, and tagged values.

#include "rtl/ClassBuilder.h"
#include "rtl/Collection.h"
#include "rtl/Encoding.h"
#include "rtl/Filer.h"
#include "rtl/StreamData.h"
#include "rtl/StringList.h"

#include <map>

namespace {

struct TIntegerConsts {
    TIdentToInt IdentToInt;
    TIntToIdent IntToIdent;
};

std::map<const TTypeInfo*, TIntegerConsts>& IntegerConsts() {
    static std::map<const TTypeInfo*, TIntegerConsts> Map;
    return Map;
}

bool IsAscii(const String& Value) {
    for (Char C : Value)
        if (C >= 0x80) return false;
    return true;
}

} // namespace

void RegisterIntegerConsts(const TTypeInfo& IntegerType, TIdentToInt IdentToInt, TIntToIdent IntToIdent) {
    IntegerConsts()[&IntegerType] = {std::move(IdentToInt), std::move(IntToIdent)};
}

TIdentToInt FindIdentToInt(const TTypeInfo& IntegerType) {
    auto Found = IntegerConsts().find(&IntegerType);
    return Found == IntegerConsts().end() ? TIdentToInt() : Found->second.IdentToInt;
}

TIntToIdent FindIntToIdent(const TTypeInfo& IntegerType) {
    auto Found = IntegerConsts().find(&IntegerType);
    return Found == IntegerConsts().end() ? TIntToIdent() : Found->second.IntToIdent;
}

const TClassInfo& TFiler::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TFiler, TObject>().Build();
    return Info;
}
const TClassInfo& TWriter::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TWriter, TFiler>().Build();
    return Info;
}

void TWriter::WriteSignature() {
    FStream->WriteBuffer("TPF0", 4);
}

void TWriter::WriteRootComponent(TComponent* ARoot) {
    SetRoot(ARoot);
    WriteSignature();
    WriteComponent(ARoot);
}

void TWriter::WriteComponent(TComponent* Component) {
    WriteStr(Component->ClassName());
    WriteStr(Component->Name());
    WriteProperties(Component);
    WriteListEnd();
    Component->GetChildren([this](TComponent* Child) { WriteComponent(Child); }, FRoot ? FRoot : Component);
    WriteListEnd();
}

void TWriter::WriteProperties(const TPersistent* Instance) {
    // A component's name is written before its properties, not among them.
    bool IsComponent = dynamic_cast<const TComponent*>(Instance) != nullptr;
    for (const TPropInfo* Prop : GetPropList(Instance))
        if (IsStoredProp(Instance, *Prop) && !(IsComponent && Prop->Name == u"Name")) WriteProperty(Instance, *Prop);
    String Saved = FPropPath;
    const_cast<TPersistent*>(Instance)->DefineProperties(this);
    FPropPath = Saved;
}

void TWriter::WritePropName(const String& Name) {
    WriteStr(FPropPath + Name);
}

void TWriter::WriteProperty(const TPersistent* Instance, const TPropInfo& Prop) {
    const TTypeInfo& Type = *Prop.PropType;
    switch (Type.Kind) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkInt64: {
        if (Prop.IsReadOnly()) return;
        Int64 Value = GetOrdProp(Instance, Prop);
        if (Prop.HasDefault && Value == Prop.Default) return;
        WritePropName(Prop.Name);
        String Ident;
        if (TIntToIdent ToIdent = FindIntToIdent(Type); ToIdent && ToIdent(Integer(Value), Ident))
            WriteIdent(Ident);
        else
            WriteInteger(Value);
        return;
    }
    case tkEnumeration: {
        if (Prop.IsReadOnly()) return;
        Int64 Value = GetOrdProp(Instance, Prop);
        if (Prop.HasDefault && Value == Prop.Default) return;
        WritePropName(Prop.Name);
        if (Type.Name == u"Boolean" || Type.Name == u"bool")
            WriteBoolean(Value != 0);
        else
            WriteIdent(GetEnumName(Type, Value));
        return;
    }
    case tkSet: {
        if (Prop.IsReadOnly()) return;
        Int64 Value = GetOrdProp(Instance, Prop);
        if (Prop.HasDefault && Value == Prop.Default) return;
        WritePropName(Prop.Name);
        std::vector<String> Names;
        for (size_t i = 0; Type.CompType && i < Type.CompType->EnumNames.size(); ++i)
            if (UInt64(Value) & (UInt64(1) << i)) Names.push_back(Type.CompType->EnumNames[i]);
        WriteSet(Names);
        return;
    }
    case tkFloat:
        if (Prop.IsReadOnly()) return;
        WritePropName(Prop.Name);
        WriteFloat(GetFloatProp(Instance, Prop));
        return;
    case tkString:
    case tkLString:
    case tkWString:
    case tkUString: {
        if (Prop.IsReadOnly()) return;
        String Value = GetStrProp(Instance, Prop);
        if (Value.empty()) return;
        WritePropName(Prop.Name);
        WriteString(Value);
        return;
    }
    case tkMethod: {
        TMethod Value = GetMethodProp(Instance, Prop);
        if (!Value.Assigned || Value.Name.empty()) return;
        WritePropName(Prop.Name);
        WriteIdent(Value.Name);
        return;
    }
    case tkClass: {
        TObject* Value = GetObjectProp(Instance, Prop);
        if (!Value) return;
        if (auto* Component = dynamic_cast<TComponent*>(Value)) {
            // A reference: the component's name, with its owner's when that is not the root.
            if (Component->Name().empty()) return;
            String Name = Component->Name();
            if (Component->Owner() && Component->Owner() != FRoot && !Component->Owner()->Name().empty())
                Name = Component->Owner()->Name() + u"." + Name;
            WritePropName(Prop.Name);
            WriteIdent(Name);
            return;
        }
        if (auto* Strings = dynamic_cast<TStrings*>(Value)) {
            if (Strings->Count() == 0) return;
            WritePropName(Prop.Name + u".Strings");
            WriteListBegin();
            for (Integer i = 0; i < Strings->Count(); ++i)
                WriteString(Strings->Get(i));
            WriteListEnd();
            return;
        }
        if (auto* Collection = dynamic_cast<TCollection*>(Value)) {
            WritePropName(Prop.Name);
            WriteCollection(Collection);
            return;
        }
        if (auto* Nested = dynamic_cast<TPersistent*>(Value)) {
            String Saved = FPropPath;
            FPropPath += Prop.Name + u".";
            WriteProperties(Nested);
            FPropPath = Saved;
        }
        return;
    }
    default:
        return;
    }
}

void TWriter::WriteValue(TValueType Value) {
    WriteByte(*FStream, Value);
}

void TWriter::WriteInteger(Int64 Value) {
    if (Value >= -128 && Value <= 127) {
        WriteValue(vaInt8);
        WriteShortInt(*FStream, ShortInt(Value));
    } else if (Value >= -32768 && Value <= 32767) {
        WriteValue(vaInt16);
        WriteSmallInt(*FStream, SmallInt(Value));
    } else if (Value >= INT32_MIN && Value <= INT32_MAX) {
        WriteValue(vaInt32);
        ::WriteInteger(*FStream, Integer(Value));
    } else {
        WriteValue(vaInt64);
        WriteInt64(*FStream, Value);
    }
}

void TWriter::WriteBoolean(bool Value) {
    WriteValue(Value ? vaTrue : vaFalse);
}

void TWriter::WriteString(const String& Value) {
    if (IsAscii(Value)) {
        std::string Bytes(Value.begin(), Value.end());
        if (Bytes.size() <= 255) {
            WriteValue(vaString);
            WriteByte(*FStream, Byte(Bytes.size()));
        } else {
            WriteValue(vaLString);
            ::WriteInteger(*FStream, Integer(Bytes.size()));
        }
        FStream->WriteBuffer(Bytes.data(), Int64(Bytes.size()));
        return;
    }
    std::string Bytes = Utf8(Value);
    if (Bytes.size() < 2 * Value.size()) {
        WriteValue(vaUTF8String);
        ::WriteInteger(*FStream, Integer(Bytes.size()));
        FStream->WriteBuffer(Bytes.data(), Int64(Bytes.size()));
        return;
    }
    WriteValue(vaWString);
    ::WriteInteger(*FStream, Integer(Value.size()));
    for (Char C : Value)
        WriteWord(*FStream, Word(C));
}

void TWriter::WriteIdent(const String& Ident) {
    if (Ident == u"False" || Ident == u"false") {
        WriteValue(vaFalse);
    } else if (Ident == u"True" || Ident == u"true") {
        WriteValue(vaTrue);
    } else if (Ident == u"nil") {
        WriteValue(vaNil);
    } else if (Ident == u"Null") {
        WriteValue(vaNull);
    } else {
        WriteValue(vaIdent);
        WriteStr(Ident);
    }
}

void TWriter::WriteFloat(Extended Value) {
    WriteValue(vaExtended);
    WriteExtended(*FStream, Value);
}

void TWriter::WriteSet(const std::vector<String>& Names) {
    WriteValue(vaSet);
    for (const String& Name : Names)
        WriteStr(Name);
    WriteStr(String());
}

void TWriter::WriteCollection(const TCollection* Collection) {
    WriteValue(vaCollection);
    for (Integer i = 0; Collection && i < Collection->Count(); ++i) {
        WriteListBegin();
        String Saved = FPropPath;
        FPropPath.clear();
        WriteProperties(Collection->Items(i));
        FPropPath = Saved;
        WriteListEnd();
    }
    WriteListEnd();
}

void TWriter::WriteBinary(const TBytes& Data) {
    WriteValue(vaBinary);
    ::WriteInteger(*FStream, Integer(Data.size()));
    if (!Data.empty()) FStream->WriteBuffer(Data.data(), Int64(Data.size()));
}

void TWriter::WriteStr(const String& Value) {
    WriteShortString(*FStream, Utf8(Value));
}

void TWriter::DefineProperty(const String& Name, TReaderProc, TWriterProc WriteData, bool HasData) {
    if (!HasData || !WriteData) return;
    WritePropName(Name);
    WriteData(this);
}

void TWriter::DefineBinaryProperty(const String& Name, TStreamProc, TStreamProc WriteData, bool HasData) {
    if (!HasData || !WriteData) return;
    TMemoryStream Data;
    WriteData(&Data);
    TBytes Bytes(size_t(Data.Size()));
    Data.SetPosition(0);
    if (!Bytes.empty()) Data.ReadBuffer(Bytes.data(), Int64(Bytes.size()));
    WritePropName(Name);
    WriteBinary(Bytes);
}

void WriteComponent(TStream& Stream, TComponent* Instance) {
    TWriter Writer(&Stream);
    Writer.WriteRootComponent(Instance);
}
