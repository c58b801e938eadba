#include "coretesting/TestFolders.h"

#include "rtl/Encoding.h"

#include <stdlib.h>

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
