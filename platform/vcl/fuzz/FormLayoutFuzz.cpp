// Text form layouts: the input is a layout read into a new form (made
// without its own layout) on the headless backend, with the standard
// classes registered; a layout that reads is written back and read again
// into another form. Errors must be exceptions, never faults, and a layout
// that fails leaves nothing behind.

#include "rtl/Exception.h"
#include "rtltesting/FuzzInput.h"
#include "vcl/FormLayout.h"
#include "vcl/Forms.h"
#include "windowing/HeadlessBackend.h"

// Fontconfig keeps what it parsed of its configuration for the whole run.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

namespace {

bool ReadInto(const String& Text) {
    TForm* Form = CreateNew<TForm>(nullptr);
    bool Read = false;
    try {
        ReadLayoutText(Form, Text, u"fuzz.layout");
        Read = true;
    } catch (const Exception&) {
    }
    if (Read) {
        String Written;
        try {
            Written = WriteLayoutText(Form);
        } catch (const Exception&) {
        }
        if (!Written.empty()) {
            TForm* Again = CreateNew<TForm>(nullptr);
            try {
                ReadLayoutText(Again, Written, u"written.layout");
            } catch (const Exception&) {
            }
            Free(Again);
        }
    }
    Free(Form);
    return Read;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool Started = [] {
        UseHeadlessBackend();
        RegisterStandardClasses();
        return true;
    }();
    (void)Started;
    ReadInto(FuzzText(data, size));
    return 0;
}
