#pragma once
// A stand-in for the grid: records every call the settings objects make on
// their owner, in order, as short texts ("Repaint", "DOV dgFrom=0xFF").

#include "grid/GridSettingsOwner.h"
#include "rtl/Encoding.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

class TRecordingSettingsOwner : public IGridSettingsOwner {
public:
    std::vector<std::string> Calls;
    bool Loading = false;
    bool Designing = false;
    bool RegistrationSucceeds = true;
    // What CreateDropDownHeader/Footer hand out (null: none).
    std::function<std::unique_ptr<TPersistent>()> MakeAppearance;

    TPersistent* GridObject() override { return nullptr; }
    bool IsLoading() const override { return Loading; }
    bool IsDesigning() const override { return Designing; }

    void Repaint() override { Calls.push_back("Repaint"); }
    void RepaintColumn0() override { Calls.push_back("RepaintColumn0"); }
    void RepaintFooterPanel() override { Calls.push_back("RepaintFooterPanel"); }

    void SetDOVGradient(TDOVGradientColor Which, TColor Value) override {
        char Text[64];
        std::snprintf(Text, sizeof Text, "DOV %s=0x%X",
                      Utf8(GetEnumName(TypeInfoFor<TDOVGradientColor>(), Which)).c_str(),
                      static_cast<unsigned>(Value));
        Calls.push_back(Text);
    }

    std::unique_ptr<TPersistent> CreateDropDownHeader() override {
        return MakeAppearance ? MakeAppearance() : nullptr;
    }
    std::unique_ptr<TPersistent> CreateDropDownFooter() override {
        return MakeAppearance ? MakeAppearance() : nullptr;
    }

    bool RegisterDropTarget() override {
        Calls.push_back("RegisterDropTarget");
        return RegistrationSucceeds;
    }
    void RevokeDropTarget() override { Calls.push_back("RevokeDropTarget"); }
    void SetOleRTFSupport(bool Value) override { Calls.push_back(Value ? "OleRTF on" : "OleRTF off"); }

    void FloatingFooterVisibleChanged() override { Calls.push_back("FooterVisible"); }
    void FloatingFooterStyleChanged() override { Calls.push_back("FooterStyle"); }
    void FloatingFooterHeightChanged() override { Calls.push_back("FooterHeight"); }
    void FloatingFooterShowHintChanged() override { Calls.push_back("FooterShowHint"); }

    void ReStretchColumns() override { Calls.push_back("ReStretch"); }

    // The calls since the last Take, then forgets them.
    std::vector<std::string> Take() {
        std::vector<std::string> Result;
        Result.swap(Calls);
        return Result;
    }
};
