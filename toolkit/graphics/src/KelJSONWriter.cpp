// The push-style JSON writer and the character stream under it.

#include "kel/KelJSONWriter.h"

#include "KelJSONScopes.h"
#include "kel/RarEvads.h"
#include "rtl/Convert.h"
#include "rtl/Encoding.h"

#include <cmath>

using namespace kel_json;

// --- TKelJSONStreamWriter ------------------------------------------------------

TKelJSONStreamWriter::TKelJSONStreamWriter(TStream& AStream)
    : FStream(&AStream), FWriteStream(std::make_unique<TMemoryStream>()) {}

TKelJSONStreamWriter::~TKelJSONStreamWriter() = default;

void TKelJSONStreamWriter::Write(std::u16string_view Value) {
    const AnsiString bytes = ToAnsi(Value);
    FWriteStream->WriteBuffer(bytes.data(), Int64(bytes.size()));
}

void TKelJSONStreamWriter::BeforeDestruction() {
    // The buffer is released first, so that a target that refuses the bytes
    // raises once and the text is not handed over twice.
    const std::unique_ptr<TMemoryStream> text = std::move(FWriteStream);
    if (text && text->Size() > 0) FStream->WriteBuffer(text->Memory(), text->Size());
    TObject::BeforeDestruction();
}

// --- TKelJSONWriter: exceptions -------------------------------------------------

TKelJSONWriter::ECannotWriteName::ECannotWriteName()
    : Exception(u"Cannot write name in current Json scope") {}
TKelJSONWriter::EMultipleRootNotAllowed::EMultipleRootNotAllowed()
    : Exception(MultipleRootNotAllowedMessage) {}
TKelJSONWriter::EObjectOrArrayExpected::EObjectOrArrayExpected() : Exception(ObjectOrArrayExpectedMessage) {}
TKelJSONWriter::EInvalidNesting::EInvalidNesting()
    : Exception(u"Invalid nesting. Not all arrays/objects were properly closed.") {}
TKelJSONWriter::EMissingValue::EMissingValue() : Exception(u"Json value missing") {}
TKelJSONWriter::ETooManyDepthLevels::ETooManyDepthLevels() : Exception(TooManyDepthLevelsMessage) {}
TKelJSONWriter::EEmptyJson::EEmptyJson() : Exception(u"Json is still empty. Cannot perform operation.") {}
TKelJSONWriter::EEmptyName::EEmptyName() : Exception(u"Cannot write empty name") {}

// --- TKelJSONWriter ------------------------------------------------------------

TKelJSONWriter::TKelJSONWriter(TStream& AStream) : FWriter(std::make_unique<TKelJSONStreamWriter>(AStream)) {
    FStack[0] = scEmptyDocument;
}

TKelJSONWriter::~TKelJSONWriter() = default;

void TKelJSONWriter::BeforeDestruction() {
    // The stream writer goes even when the target refuses its text.
    const std::unique_ptr<TKelJSONStreamWriter> writer = std::move(FWriter);
    if (writer) writer->BeforeDestruction();
    TObject::BeforeDestruction();
}

void TKelJSONWriter::SetIndentLength(Integer Value) {
    FIndent = String(std::size_t(std::max(Value, 0)), u' ');
    FSeparator = Value > 0 ? u": " : u":";
}

void TKelJSONWriter::NewLine() {
    if (FIndent.empty()) return;
    FWriter->Write(u"\r\n");
    for (Integer level = 1; level < FStackSize; ++level)
        FWriter->Write(FIndent);
}

void TKelJSONWriter::WriteQuoted(const String& AText) {
    FWriter->Write(u"\"");
    FWriter->Write(AText);
    FWriter->Write(u"\"");
}

void TKelJSONWriter::BeginValue(bool AIsContainer) {
    if (!FDeferredName.empty()) {
        switch (Top()) {
        case scEmptyObject:
            break;
        case scNonEmptyObject:
            FWriter->Write(u",");
            break;
        default:
            throw ECannotWriteName();
        }
        NewLine();
        Top() = scDanglingName;
        WriteQuoted(TRarEvads::EscapeString(FDeferredName));
        FDeferredName.clear();
    }
    switch (Top()) {
    case scEmptyDocument:
        if (!AIsContainer) throw EObjectOrArrayExpected();
        Top() = scNonEmptyDocument;
        break;
    case scEmptyArray:
        Top() = scNonEmptyArray;
        NewLine();
        break;
    case scNonEmptyDocument:
        throw EMultipleRootNotAllowed();
    case scNonEmptyArray:
        FWriter->Write(u",");
        NewLine();
        break;
    case scDanglingName:
        FWriter->Write(FSeparator);
        Top() = scNonEmptyObject;
        break;
    default: // a value without a name inside an object
        throw EInvalidNesting();
    }
}

void TKelJSONWriter::Open(Byte AScope, Char ABracket) {
    BeginValue(true);
    if (FStackSize == MaxScopes) throw ETooManyDepthLevels();
    FStack[FStackSize++] = AScope;
    FWriter->Write(std::u16string_view(&ABracket, 1));
}

void TKelJSONWriter::CloseScope(Byte AEmptyScope, Byte ANonEmptyScope, Char ABracket) {
    if (FStackSize == 0 || (Top() != AEmptyScope && Top() != ANonEmptyScope)) throw EInvalidNesting();
    if (!FDeferredName.empty()) throw EMissingValue();
    const bool wasEmpty = Top() == AEmptyScope;
    --FStackSize;
    if (!wasEmpty) NewLine();
    FWriter->Write(std::u16string_view(&ABracket, 1));
}

TKelJSONWriter& TKelJSONWriter::WriteBeginObject() {
    Open(scEmptyObject, u'{');
    return *this;
}

TKelJSONWriter& TKelJSONWriter::WriteEndObject() {
    CloseScope(scEmptyObject, scNonEmptyObject, u'}');
    return *this;
}

TKelJSONWriter& TKelJSONWriter::WriteBeginArray() {
    Open(scEmptyArray, u'[');
    return *this;
}

TKelJSONWriter& TKelJSONWriter::WriteEndArray() {
    CloseScope(scEmptyArray, scNonEmptyArray, u']');
    return *this;
}

TKelJSONWriter& TKelJSONWriter::WriteName(const String& Name) {
    if (Name.empty()) throw EEmptyName();
    if (!FDeferredName.empty()) throw EMissingValue();
    if (FStackSize == 0) throw EEmptyJson();
    FDeferredName = Name;
    return *this;
}

TKelJSONWriter& TKelJSONWriter::WriteString(const String& Value) {
    BeginValue(false);
    WriteQuoted(TRarEvads::EscapeString(Value));
    return *this;
}

TKelJSONWriter& TKelJSONWriter::WriteRawString(const String& Value) {
    BeginValue(false);
    WriteQuoted(Value);
    return *this;
}

TKelJSONWriter& TKelJSONWriter::WriteBoolean(bool Value) {
    BeginValue(false);
    FWriter->Write(Value ? u"true" : u"false");
    return *this;
}

TKelJSONWriter& TKelJSONWriter::WriteNull() {
    BeginValue(false);
    FWriter->Write(u"null");
    return *this;
}

TKelJSONWriter& TKelJSONWriter::WriteDouble(Double Value) {
    const String text = TRarEvads::FloatToStrDot(Value);
    if (!std::isfinite(Value)) throw EConvertError(u"%s cannot be written as a JSON number", {text});
    BeginValue(false);
    FWriter->Write(text);
    return *this;
}

TKelJSONWriter& TKelJSONWriter::WriteInteger(Int64 Value) {
    BeginValue(false);
    FWriter->Write(IntToStr(Value));
    return *this;
}

void TKelJSONWriter::Close() {
    if (FStackSize != 1 || Top() != scNonEmptyDocument) throw EInvalidNesting();
    FClosed = true;
}
