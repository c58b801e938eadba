#pragma once
// TKelGraphicsSaveState: a snapshot of a drawing context's state: its font,
// stroke and fill, and the save tokens of its device context.

#include "kel/KelGraphicsFill.h"
#include "kel/KelGraphicsFont.h"
#include "kel/KelGraphicsStroke.h"
#include "rtl/Persistent.h"

#include <memory>

class TKelGraphicsSaveState : public TPersistent {
    RTL_CLASS(TKelGraphicsSaveState)
public:
    TKelGraphicsSaveState();
    ~TKelGraphicsSaveState() override;

    // The device-context save level.
    Integer SaveDC() const { return FSaveDC; }
    void SetSaveDC(Integer Value) { FSaveDC = Value; }
    // The save token of a GDI+ drawing context.
    NativeUInt CustomSaveDC() const { return FCustomSaveDC; }
    void SetCustomSaveDC(NativeUInt Value) { FCustomSaveDC = Value; }

    // The snapshot's own objects; the setters copy the given ones into them.
    TKelGraphicsFont* Font() const { return FFont.get(); }
    void SetFont(const TKelGraphicsFont* Value) { FFont->AssignSource(Value); }
    TKelGraphicsStroke* Stroke() const { return FStroke.get(); }
    void SetStroke(const TKelGraphicsStroke* Value) { FStroke->Assign(Value); }
    TKelGraphicsFill* Fill() const { return FFill.get(); }
    void SetFill(const TKelGraphicsFill* Value) { FFill->Assign(Value); }

private:
    Integer FSaveDC = 0;
    std::unique_ptr<TKelGraphicsFont> FFont;
    std::unique_ptr<TKelGraphicsStroke> FStroke;
    std::unique_ptr<TKelGraphicsFill> FFill;
    NativeUInt FCustomSaveDC = 0;
};
