#include "Library.h"

#include "rtl/Encoding.h"

#include <cstdlib>
#include <dlfcn.h>

namespace vorn {

String StoreFileName() {
    if (const char* named = std::getenv(StoreVariable); named && *named) return FromUtf8(named);
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&StoreFileName), &info) || !info.dli_fname)
        throw ESubstanceStoreError(u"Cannot find the folder of the substance library.");
    const std::string library = info.dli_fname;
    const size_t slash = library.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : library.substr(0, slash + 1);
    return FromUtf8(folder) + u"vorn.sqlite";
}

TLibrary& TLibrary::Instance() {
    static TLibrary library;
    return library;
}

void TLibrary::Connect(Char decimalSeparator) {
    FStore.reset();
    FStore = std::make_unique<TSubstanceStore>(StoreFileName());
    FDecimalSeparator = decimalSeparator;
}

void TLibrary::Disconnect() {
    FStore.reset();
    ModelVersions.clear();
    Compartments.clear();
}

TSubstanceStore& TLibrary::Store() {
    if (!FStore)
        throw ESubstanceStoreError(
            u"The substance library is not connected to its store; call Create first.");
    return *FStore;
}

} // namespace vorn
