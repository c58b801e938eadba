#pragma once
// Small helpers the drop-down controls share inside the library: the state
// of a key while a message is handled, and a flag raised for one scope.

#include "rtl/Types.h"
#include "windowing/Input.h"

// Whether the key is down as the message being handled saw it.
inline bool KeyHeld(Integer VirtualKey) {
    return winapi::GetKeyState(VirtualKey) < 0;
}

// Raises a flag for the life of a scope and puts back its former value.
struct TFlagSet {
    explicit TFlagSet(bool& AFlag) : Flag(AFlag), Old(AFlag) { Flag = true; }
    ~TFlagSet() { Flag = Old; }
    TFlagSet(const TFlagSet&) = delete;
    TFlagSet& operator=(const TFlagSet&) = delete;
    bool& Flag;
    bool Old;
};
