#pragma once
// The one object of an interface the process uses (its data module, its user
// interaction), installed from outside the core: the program installs the
// real one at start, tests install their own. The installer keeps ownership.

#include "rtl/Exception.h"
#include "rtl/Types.h"

#include <utility>

template <class I>
class TInstallPoint {
public:
    // `missingMessage` is the text of the EInvalidOperation raised when the
    // object is asked for before one is installed.
    explicit constexpr TInstallPoint(const Char* missingMessage) : FMissingMessage(missingMessage) {}

    // Installs `object` (null removes it) and answers the one it replaces.
    I* Install(I* object) { return std::exchange(FInstalled, object); }

    I& Installed() const {
        if (!FInstalled) throw EInvalidOperation(FMissingMessage);
        return *FInstalled;
    }

    bool HasInstalled() const { return FInstalled != nullptr; }

private:
    const Char* FMissingMessage;
    I* FInstalled = nullptr;
};
