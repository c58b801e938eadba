#pragma once
// A fresh folder for one test, removed with everything in it afterwards.

#include "os/FileUtils.h"
#include "rtl/Encoding.h"

#include <stdlib.h>
#include <string>

class TTempFolder {
public:
    TTempFolder() {
        std::string name = "/tmp/os-test-XXXXXX";
        FPath = FromUtf8(mkdtemp(name.data())) + u"/";
    }
    ~TTempFolder() { DeleteDirectory(FPath); }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const String& Path() const { return FPath; }
    String operator/(const String& name) const { return FPath + name; }
    std::string Native(const String& name = String()) const { return Utf8(FPath + name); }

private:
    String FPath;
};
