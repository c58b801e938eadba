#pragma once
// The base of the string grid's cell checkers: four virtual operations that
// do nothing here and the switches the grid reads. Before checking a range
// the grid calls StartCheck, then per cell Correct (with UseCorrect) and
// MarkError (with UseMarkError) on the markup-free text, storing what they
// answer, and stops as soon as LastResult is not 1; then StopCheck.

#include "rtl/Component.h"
#include "rtl/TypeInfo.h"

class TZirOvararIzazCheck : public TComponent {
    RTL_CLASS(TZirOvararIzazCheck)
public:
    explicit TZirOvararIzazCheck(TComponent* AOwner);

    bool AutoCorrect() const { return FAutoCorrect; }
    void SetAutoCorrect(bool Value) { FAutoCorrect = Value; }
    bool AutoMarkError() const { return FAutoMarkError; }
    void SetAutoMarkError(bool Value) { FAutoMarkError = Value; }
    bool GotoCell() const { return FGotoCell; }
    void SetGotoCell(bool Value) { FGotoCell = Value; }
    bool UseCorrect() const { return FUseCorrect; }
    void SetUseCorrect(bool Value) { FUseCorrect = Value; }
    bool UseMarkError() const { return FUseMarkError; }
    void SetUseMarkError(bool Value) { FUseMarkError = Value; }
    // The grid it serves; cleared when that grid goes.
    TComponent* Grid() const { return FGrid; }
    void SetGrid(TComponent* Value);
    // 1: go on.
    Integer LastResult() const { return FLastResult; }
    void SetLastResult(Integer Value) { FLastResult = Value; }

    // Both answer the text unchanged and set LastResult to 1.
    virtual String MarkError(Integer ACol, Integer ARow, const String& Value);
    virtual String Correct(Integer ACol, Integer ARow, const String& Value);
    virtual void StartCheck() {}
    virtual void StopCheck() {}

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool FGotoCell = false;
    bool FAutoCorrect = false;
    bool FAutoMarkError = false;
    bool FUseCorrect = false;
    bool FUseMarkError = false;
    TComponent* FGrid = nullptr;
    Integer FLastResult = 1;
};
