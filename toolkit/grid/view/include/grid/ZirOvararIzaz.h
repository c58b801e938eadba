#pragma once
// TZirOvararIzaz: the string grid as the application uses it. On the input
// layer it decides how every cell looks (font, colours, gradient, alignment,
// display and export text), switches looks and colour styles, rescales for a
// new DPI, and reads and writes its look as a small text file.

#include "grid/ZirOvararIzazInput.h"

class TZirOvararIzaz : public TZirOvararIzazInput {
    RTL_CLASS(TZirOvararIzaz)
public:
    explicit TZirOvararIzaz(TComponent* AOwner);
    ~TZirOvararIzaz() override;

    // ---- Cell visual properties, alignment and measuring, change of scale ----

    // ---- Look and style presets, theme adaptation, visual-properties file ----

protected:
    // ---- Cell visual properties, alignment and measuring, change of scale: protected part ----

    // ---- Look and style presets, theme adaptation, visual-properties file: protected part ----

private:
    // ---- Cell visual properties, alignment and measuring, change of scale: state ----

    // ---- Look and style presets, theme adaptation, visual-properties file: state ----
};
