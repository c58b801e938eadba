#pragma once
// Failures of operating-system services that have no result to report them
// through.

#include "rtl/Exception.h"

class EOSError : public Exception {
public:
    EOSError(String message, int errorCode) : Exception(std::move(message)), FErrorCode(errorCode) {}
    int ErrorCode() const { return FErrorCode; }

private:
    int FErrorCode;
};

// "<what>: <system message of the error code>".
[[noreturn]] void RaiseLastOSError(const String& what, int errorCode);
