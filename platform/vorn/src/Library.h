#pragma once
// The state of the loaded stand-in library between calls: the open substance
// store, the decimal separator the program asked for, the settings it passed
// and the error text of the last call.
//
// Where the store is: the file named by the environment variable VORN_STORE
// when it is set, else "vorn.sqlite" in the folder of the library file.

#include "SubstanceStore.h"

#include <memory>

namespace vorn {

// The environment variable that names the store file.
inline constexpr const char* StoreVariable = "VORN_STORE";

// The store file the library opens at Create.
String StoreFileName();

class TLibrary {
public:
    static TLibrary& Instance();

    // Opens the store; raises ESubstanceStoreError when it cannot.
    void Connect(Char decimalSeparator);
    void Disconnect();
    bool Connected() const { return FStore != nullptr; }
    // Raises ESubstanceStoreError when Create has not connected the store.
    TSubstanceStore& Store();
    Char DecimalSeparator() const { return FDecimalSeparator; }

    String LastError;
    String ModelVersions;
    String Compartments;

private:
    std::unique_ptr<TSubstanceStore> FStore;
    Char FDecimalSeparator = u'.';
};

} // namespace vorn
