#pragma once
// Sets a flag for the length of a scope and puts the old value back, also
// when an exception passes.

class TFlagScope {
public:
    TFlagScope(bool& Flag, bool Value) : FFlag(Flag), FOld(Flag) { FFlag = Value; }
    ~TFlagScope() { FFlag = FOld; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& FFlag;
    bool FOld;
};
