#include "gridbase/ControlScale.h"

#include "vcl/Forms.h"

float GetControlDPIScale(const TControl* Control) {
    const TCustomForm* Form = Control ? GetParentForm(Control) : nullptr;
    const auto* Scaling = dynamic_cast<const TForm*>(Form);
    if (!Scaling || !Scaling->Scaled()) return 1.0f;
    const TMonitor* Monitor = Scaling->Monitor();
    return Monitor ? float(Monitor->PixelsPerInch()) / 96.0f : 1.0f;
}
