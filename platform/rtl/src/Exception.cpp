#include "rtl/Exception.h"

#include "rtl/Encoding.h"

Exception::Exception(String message) { SetMessage(std::move(message)); }

Exception::Exception(std::u16string_view format, std::initializer_list<TVarRec> args)
    : Exception(Format(format, args)) {}

void Exception::SetMessage(String message) {
    FMessage = std::move(message);
    FWhat = Utf8(FMessage);
}
