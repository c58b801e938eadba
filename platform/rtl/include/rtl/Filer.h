#pragma once
// Component streams: the binary "TPF0" format of components and their
// published properties, its writer (TWriter) and reader (TReader), extra
// data a class defines for them (DefineProperties), and the text form of
// the same stream that form layouts are written in.
//
// A stream holds one component: a signature, then the component's class
// name and name, its properties (each a name and a tagged value) closed by
// a null tag, and its children, each one a component in turn, closed by a
// null tag. Values are tagged with TValueType.
//
// The text form shows the same things line by line:
//
//   object frmMain: TfrmMain
//     Caption = 'Main'#13#10'window'
//     Font.Style = [fsBold]
//     OnClick = FormClick
//     Items.Strings = (
//       'one'
//       'two')
//     object btnOK: TButton
//       Left = 8
//     end
//   end
//
// Reading checks the whole stream's structure before any property is set,
// so a damaged stream changes nothing; errors name the place: the byte
// offset of a binary stream, the file and line of a text.

#include "rtl/Component.h"
#include "rtl/Exception.h"
#include "rtl/Stream.h"

#include <functional>
#include <vector>

class TCollection;

enum TValueType : Byte {
    vaNull = 0,
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,
    vaString = 6,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12,
    vaNil = 13,
    vaCollection = 14,
    vaSingle = 15,
    vaCurrency = 16,
    vaDate = 17,
    vaWString = 18,
    vaInt64 = 19,
    vaUTF8String = 20,
    vaDouble = 21,
};

// The prefix flags of a component in a stream: it exists already in an
// ancestor's layout (ffInherited), or it is a frame placed inline whose own
// layout is read first (ffInline).
enum : Byte { ffInherited = 1, ffChildPos = 2, ffInline = 4 };

class TReader;
class TWriter;
using TReaderProc = std::function<void(TReader* Reader)>;
using TWriterProc = std::function<void(TWriter* Writer)>;
using TStreamProc = std::function<void(TStream* Stream)>;

// Integer properties of a type may be written as identifiers (a colour as
// "clWindow"): the type registers its two conversions once.
using TIdentToInt = std::function<bool(const String& Ident, Integer& Value)>;
using TIntToIdent = std::function<bool(Integer Value, String& Ident)>;
void RegisterIntegerConsts(const TTypeInfo& IntegerType, TIdentToInt IdentToInt, TIntToIdent IntToIdent);
TIdentToInt FindIdentToInt(const TTypeInfo& IntegerType);
TIntToIdent FindIntToIdent(const TTypeInfo& IntegerType);

class TFiler : public TObject {
    RTL_CLASS(TFiler)
public:
    explicit TFiler(TStream* Stream) : FStream(Stream) {}

    // The component whose stream this is (events bind to its methods,
    // references resolve among its components).
    TComponent* Root() const { return FRoot; }
    void SetRoot(TComponent* Value) { FRoot = Value; }
    TStream* Stream() const { return FStream; }

    // Extra data of a class, stored under a property name: the writer
    // calls WriteData when HasData; the reader calls ReadData when the
    // stream holds that name.
    virtual void DefineProperty(const String& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) = 0;
    virtual void DefineBinaryProperty(const String& Name, TStreamProc ReadData, TStreamProc WriteData,
                                      bool HasData) = 0;

protected:
    TStream* FStream;
    TComponent* FRoot = nullptr;
};

class TWriter : public TFiler {
    RTL_CLASS(TWriter)
public:
    using TFiler::TFiler;

    // The signature, then the root component with its children.
    void WriteRootComponent(TComponent* ARoot);
    void WriteSignature();
    // A component: prefix, class name, name, properties, children.
    void WriteComponent(TComponent* Component);
    // The published properties that differ from their defaults, nested
    // objects under dotted names, then the defined properties.
    void WriteProperties(const TPersistent* Instance);

    // Values with their tags.
    void WriteValue(TValueType Value);
    void WriteInteger(Int64 Value); // the smallest of vaInt8, vaInt16, vaInt32, vaInt64
    void WriteBoolean(bool Value);
    void WriteString(const String& Value);
    void WriteIdent(const String& Ident);
    void WriteFloat(Extended Value);
    void WriteSet(const std::vector<String>& Names);
    void WriteListBegin() { WriteValue(vaList); }
    void WriteListEnd() { WriteValue(vaNull); }
    void WriteCollection(const TCollection* Collection);
    void WriteBinary(const TBytes& Data);
    // A short string without a tag (names).
    void WriteStr(const String& Value);

    void DefineProperty(const String& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) override;
    void DefineBinaryProperty(const String& Name, TStreamProc ReadData, TStreamProc WriteData,
                              bool HasData) override;

private:
    void WriteProperty(const TPersistent* Instance, const TPropInfo& Prop);
    void WritePropName(const String& Name);
    String FPropPath;
};

class TReader : public TFiler {
    RTL_CLASS(TReader)
public:
    using TFiler::TFiler;

    // Reads the stream's root into ARoot (its class must be the one the
    // stream names). Every component read is csLoading while its
    // properties are set, and gets Loaded once the whole stream is read.
    void ReadRootComponent(TComponent* ARoot);
    // Raises EReadError "Invalid stream format" unless the next bytes are the signature.
    void ReadSignature();

    // Values: each raises EReadError "Invalid property value" when the
    // next value is not of its kind.
    TValueType NextValue();
    TValueType ReadValue();
    Int64 ReadInt64();
    Integer ReadInteger();
    bool ReadBoolean();
    String ReadString();
    String ReadIdent();
    Extended ReadFloat();
    std::vector<String> ReadSet();
    void ReadListBegin();
    void ReadListEnd();
    bool EndOfList() { return NextValue() == vaNull; }
    TBytes ReadBinary();
    String ReadStr();
    // Skips one value of any kind.
    void SkipValue();

    void DefineProperty(const String& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) override;
    void DefineBinaryProperty(const String& Name, TStreamProc ReadData, TStreamProc WriteData,
                              bool HasData) override;

    // How a position of the stream is named in errors (a text layout names
    // its file and line); the default names the byte offset.
    std::function<String(Int64 Offset)> DescribePosition;
    // Where a reference to a component that the root does not own is
    // looked up (by the name in the stream, "Owner.Name" or "Name"); an
    // answer of null leaves the property nil. Unset, such a name raises
    // "Component <name> not found".
    std::function<TComponent*(const String& Name)> FindReference;
    // Where a component read from the stream is made: by default its class
    // from the registry (FindClass), owned by the root.
    std::function<TComponent*(const String& ClassName, TComponent* Owner)> CreateComponent;

private:
    struct TFixup {
        TPersistent* Instance;
        const TPropInfo* Prop;
        String Name;
        Int64 Offset;
    };
    [[noreturn]] void Error(const String& Message, Int64 Offset);
    void CheckStructure();
    void CheckValue();
    void ReadComponentBody(TComponent* Component, TComponent* LookupRoot, Int64 Offset);
    void ReadChild(TComponent* Parent, TComponent* LookupRoot);
    void ReadProperty(TPersistent* Instance, TComponent* LookupRoot);
    void ReadPropValue(TPersistent* Instance, const TPropInfo& Prop, TComponent* LookupRoot);
    void ReadCollection(TCollection* Collection, TComponent* LookupRoot);

    std::vector<TComponent*> FLoaded;
    std::vector<TFixup> FFixups;
    String FPropName;
    bool FDefinedFound = false;
    Int64 FPropOffset = 0;
};

// Writes the component (with its children) to the stream at its position.
void WriteComponent(TStream& Stream, TComponent* Instance);
// Reads a component from the stream into Instance (with its class, when
// Instance is null: made from the registry, without an owner).
TComponent* ReadComponent(TStream& Stream, TComponent* Instance);

// The text form of a binary component stream, and back. The text's errors
// raise EParserError "<FileName>(<line>): <message>".
String ObjectBinaryToText(TStream& Input);
void ObjectTextToBinary(const String& Text, TStream& Output, const String& FileName = u"");
// As ObjectTextToBinary, also answering for each value's byte offset the
// text line it came from (for errors found when the stream is read).
void ObjectTextToBinary(const String& Text, TStream& Output, const String& FileName,
                        std::vector<std::pair<Int64, Integer>>& OffsetLines);

class EParserError : public Exception {
public:
    explicit EParserError(String message) : Exception(std::move(message)) {}
};
