#pragma once
// The failures of the data-access layer: EDatabaseError for misuse of a data
// set or a field (a closed data set, an unknown field, a value out of range),
// EADOError for a failure the database provider reports, carrying the
// provider's own message.

#include "rtl/Exception.h"

class EDatabaseError : public Exception {
public:
    explicit EDatabaseError(String message) : Exception(std::move(message)) {}
    EDatabaseError(std::u16string_view format, std::initializer_list<TVarRec> args)
        : Exception(format, args) {}
};

class EADOError : public EDatabaseError {
public:
    explicit EADOError(String message) : EDatabaseError(std::move(message)) {}
    EADOError(std::u16string_view format, std::initializer_list<TVarRec> args)
        : EDatabaseError(format, args) {}
};
