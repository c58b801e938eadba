#include "coretesting/TestFolders.h"

#include "os/FileUtils.h"
#include "os/Folders.h"
#include "os/OSError.h"
#include "rtl/Encoding.h"

#include <cerrno>
#include <stdlib.h>

TTestFolder::TTestFolder() {
    std::string name = Utf8(os::TempFolder()) + "vandrel-test-XXXXXX";
    if (!mkdtemp(name.data())) RaiseLastOSError(u"Cannot create a test folder", errno);
    FPath = FromUtf8(name) + u"/";
}

TTestFolder::~TTestFolder() {
    DeleteDirectory(FPath);
}

TRegistrySandbox::TRegistrySandbox() {
    if (const char* previous = getenv("VANDREL_REGISTRY_DIR")) FPrevious = previous;
    setenv("VANDREL_REGISTRY_DIR", Utf8(FHives.Path()).c_str(), 1);
}

TRegistrySandbox::~TRegistrySandbox() {
    if (FPrevious)
        setenv("VANDREL_REGISTRY_DIR", FPrevious->c_str(), 1);
    else
        unsetenv("VANDREL_REGISTRY_DIR");
}
