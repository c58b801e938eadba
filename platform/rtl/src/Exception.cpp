#include "rtl/Exception.h"

#include "rtl/Encoding.h"

Exception::Exception(String message) { SetMessage(std::move(message)); }

void Exception::SetMessage(String message) {
    FMessage = std::move(message);
    FWhat = Utf8(FMessage);
}
