#include "ui/UiGlobals.h"

#include "rtl/MathUtils.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

TdmDataObjects* dmDataObjects = nullptr;

Double ScaleFactor = 1.0;

void MeasureScaleFactor(const TLabel& Label100) { ScaleFactor = Label100.Width() / 100.0; }

Integer ScaledWidth(Integer DesignedWidth) { return Integer(Round(DesignedWidth * ScaleFactor)); }

void AutoScrollOff(TCustomForm& Form) { Form.SetAutoScroll(false); }

void TFreeForm::operator()(TCustomForm* Form) const {
    Free(Form);
}
