#pragma once
// The root of the program's exceptions: a UTF-16 message text.

#include <exception>
#include <string>

#include "rtl/Types.h"

class Exception : public std::exception {
public:
    explicit Exception(String message);
    ~Exception() override = default;

    const String& Message() const { return FMessage; }
    void SetMessage(String message);

    // The message as UTF-8, for diagnostics outside the program's own text.
    const char* what() const noexcept override { return FWhat.c_str(); }

private:
    String FMessage;
    std::string FWhat;
};
