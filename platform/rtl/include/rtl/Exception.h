#pragma once
// The root of the program's exceptions: a UTF-16 message text.

#include <exception>
#include <string>

#include "rtl/Format.h"
#include "rtl/Types.h"

class Exception : public std::exception {
public:
    explicit Exception(String message);
    // The message built with Format, e.g. EConvertError(u"'%s' is not a valid date", {text}).
    Exception(std::u16string_view format, std::initializer_list<TVarRec> args);
    ~Exception() override = default;

    const String& Message() const { return FMessage; }
    void SetMessage(String message);

    // The message as UTF-8, for diagnostics outside the program's own text.
    const char* what() const noexcept override { return FWhat.c_str(); }

private:
    String FMessage;
    std::string FWhat;
};

// The exception classes the program and its libraries raise by name. Each
// carries only its message; the class tells the kind of failure.
#define RTL_DECLARE_EXCEPTION(Name, Base)              \
    class Name : public Base {                         \
    public:                                            \
        explicit Name(String message) : Base(std::move(message)) {} \
        Name(std::u16string_view format, std::initializer_list<TVarRec> args) : Base(format, args) {} \
    };

RTL_DECLARE_EXCEPTION(EAbort, Exception)  // silent: reported to nobody
RTL_DECLARE_EXCEPTION(EConvertError, Exception)
RTL_DECLARE_EXCEPTION(EListError, Exception)
RTL_DECLARE_EXCEPTION(EStringListError, EListError)
RTL_DECLARE_EXCEPTION(EAssertionFailed, Exception)
RTL_DECLARE_EXCEPTION(EInvalidCast, Exception)
RTL_DECLARE_EXCEPTION(EInvalidOperation, Exception)
RTL_DECLARE_EXCEPTION(EOutOfMemory, Exception)
RTL_DECLARE_EXCEPTION(EArgumentException, Exception)
RTL_DECLARE_EXCEPTION(EArgumentOutOfRangeException, EArgumentException)
RTL_DECLARE_EXCEPTION(EStreamError, Exception)
RTL_DECLARE_EXCEPTION(EFileStreamError, EStreamError)
RTL_DECLARE_EXCEPTION(EFOpenError, EFileStreamError)
RTL_DECLARE_EXCEPTION(EFCreateError, EFileStreamError)
RTL_DECLARE_EXCEPTION(EReadError, EStreamError)
RTL_DECLARE_EXCEPTION(EWriteError, EStreamError)
RTL_DECLARE_EXCEPTION(EResNotFound, Exception)
RTL_DECLARE_EXCEPTION(EFilerError, EStreamError)
RTL_DECLARE_EXCEPTION(EClassNotFound, EFilerError)
RTL_DECLARE_EXCEPTION(EComponentError, Exception)
RTL_DECLARE_EXCEPTION(EPropertyError, Exception)
RTL_DECLARE_EXCEPTION(EPropertyConvertError, Exception)
RTL_DECLARE_EXCEPTION(ERangeError, Exception)

#undef RTL_DECLARE_EXCEPTION
