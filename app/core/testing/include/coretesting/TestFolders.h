#pragma once
// Throw-away folders and a private registry for tests.

#include "rtl/Types.h"
#include "rtltesting/TestFiles.h"

#include <optional>
#include <string>

// A fresh, empty folder (its path ends in '/'), removed with everything in it
// when the object goes.
using TTestFolder = TTempFolder;

// While it lives, both registry roots are kept in a fresh folder of their
// own (VANDREL_REGISTRY_DIR), so a test neither sees nor changes the user's
// settings; the earlier setting comes back afterwards.
class TRegistrySandbox {
public:
    TRegistrySandbox();
    ~TRegistrySandbox();
    TRegistrySandbox(const TRegistrySandbox&) = delete;
    TRegistrySandbox& operator=(const TRegistrySandbox&) = delete;

    const String& Folder() const { return FHives.Path(); }

private:
    TTestFolder FHives;
    std::optional<std::string> FPrevious;
};
