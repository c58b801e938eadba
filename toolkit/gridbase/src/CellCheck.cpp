// The base of the cell checkers.

#include "gridbase/CellCheck.h"

#include "rtl/ClassBuilder.h"

const TClassInfo& TZirOvararIzazCheck::StaticClassInfo() {
    using C = TZirOvararIzazCheck;
    static const TClassInfo Info = TClassBuilder<C, TComponent>()
                                       .Property(u"AutoCorrect", &C::AutoCorrect, &C::SetAutoCorrect)
                                       .Default(false)
                                       .Property(u"AutoMarkError", &C::AutoMarkError, &C::SetAutoMarkError)
                                       .Default(false)
                                       .Property(u"GotoCell", &C::GotoCell, &C::SetGotoCell)
                                       .Default(false)
                                       .Property(u"UseCorrect", &C::UseCorrect, &C::SetUseCorrect)
                                       .Default(false)
                                       .Property(u"UseMarkError", &C::UseMarkError, &C::SetUseMarkError)
                                       .Default(false)
                                       .Build();
    return Info;
}

TZirOvararIzazCheck::TZirOvararIzazCheck(TComponent* AOwner) : TComponent(AOwner) {}

void TZirOvararIzazCheck::SetGrid(TComponent* Value) {
    if (FGrid == Value) return;
    if (FGrid) FGrid->RemoveFreeNotification(this);
    FGrid = Value;
    if (Value) Value->FreeNotification(this);
}

void TZirOvararIzazCheck::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FGrid) FGrid = nullptr;
}

String TZirOvararIzazCheck::MarkError(Integer, Integer, const String& Value) {
    FLastResult = 1;
    return Value;
}

String TZirOvararIzazCheck::Correct(Integer, Integer, const String& Value) {
    FLastResult = 1;
    return Value;
}
