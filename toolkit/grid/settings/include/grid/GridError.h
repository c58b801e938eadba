#pragma once
// EKelGridError: the exception the string grid raises for its own checks
// (a cell that holds no number, a refused structure change ...).

#include "rtl/Exception.h"

class EKelGridError : public Exception {
public:
    using Exception::Exception;
};
