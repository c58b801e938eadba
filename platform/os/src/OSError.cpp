#include "os/OSError.h"

#include "rtl/Encoding.h"

#include <cstring>

void RaiseLastOSError(const String& what, int errorCode) {
    char buffer[256];
    const char* text = strerror_r(errorCode, buffer, sizeof buffer);
    throw EOSError(what + u": " + FromUtf8(text), errorCode);
}
