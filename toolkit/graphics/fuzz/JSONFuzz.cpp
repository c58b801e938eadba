// JSON documents: every token read in turn, as the persistence readers do,
// with each value read both as text and as a number where it is one.

#include "kel/KelJSONReader.h"
#include "rtl/Stream.h"

#include <cstdint>
#include <typeinfo>

namespace {

bool IsReaderError(const Exception& error) {
    using R = TKelJSONReader;
    const std::type_info& type = typeid(error);
    return type == typeid(Exception) || type == typeid(EConvertError) ||
           type == typeid(TKelJSONStreamReader::EEndOfInputReached) || type == typeid(R::EInvalidStateException) ||
           type == typeid(R::EUnterminatedArray) || type == typeid(R::EUnterminatedObject) ||
           type == typeid(R::ENameExpected) || type == typeid(R::EColonExpected) ||
           type == typeid(R::EMultipleRootNotAllowed) || type == typeid(R::EExpectedValue) ||
           type == typeid(R::EObjectOrArrayExpected) || type == typeid(R::ETooManyDepthLevels);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TBytesStream stream(TBytes(data, data + size));
    try {
        TKelJSONReader reader(stream);
        for (int steps = 0; steps < 100000; ++steps) {
            switch (reader.Peek()) {
            case jstoBeginObject:
                reader.ReadBeginObject();
                break;
            case jstoEndObject:
                reader.ReadEndObject();
                break;
            case jstoBeginArray:
                reader.ReadBeginArray();
                break;
            case jstoEndArray:
                reader.ReadEndArray();
                break;
            case jstoName:
                reader.PeekName();
                reader.ReadName();
                break;
            case jstoBoolean:
                reader.ReadBoolean();
                break;
            case jstoNull:
                reader.ReadNull();
                break;
            case jstoNumber:
                try {
                    reader.ReadDouble();
                } catch (const EConvertError&) {
                    reader.ReadString();
                }
                break;
            case jstoText:
                reader.ReadString();
                break;
            case jstoEOF:
                return 0;
            }
        }
    } catch (const Exception& error) {
        // The reader's own errors and conversion errors answer a malformed
        // document; any other class (a list index, a range) is a fault.
        if (!IsReaderError(error)) throw;
    }
    return 0;
}
