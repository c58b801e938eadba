#pragma once
// TControlLook: the grid's ControlLook settings: check and radio glyphs and
// sizes, fixed-cell gradients, drop-down and up-down buttons in cells and
// progress bars, read by the cell painters and the in-place editors.

#include "graphics/Colors.h"
#include "graphics/Graphic.h"
#include "grid/GridSettingsOwner.h"
#include "grid/GridSettingsTypes.h"

#include <memory>

class TControlLook : public TPersistent {
    RTL_CLASS(TControlLook)
public:
    // AOwner may be null: the object then reaches no grid.
    explicit TControlLook(IGridSettingsOwner* AOwner);
    ~TControlLook() override;

    // Copies from another control look the settings listed in the class's
    // copy rule, without setters and without repainting; other sources are
    // ignored.
    void Assign(const TPersistent* Source) override;
    TPersistent* GetOwner() const override;

    // Back to the default colours (also run by every style preset).
    void Init();

    bool ButtonPrefix() const { return FButtonPrefix; }
    void SetButtonPrefix(bool Value) { FButtonPrefix = Value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TColor CommentColor() const { return FCommentColor; }
    void SetCommentColor(TColor Value);
    TBitmap* CheckedGlyph() const { return FCheckedGlyph.get(); }
    void SetCheckedGlyph(const TBitmap* Value);

    TColor FixedGradientFrom() const { return FFixedGradientFrom; }
    void SetFixedGradientFrom(TColor Value);
    TColor FixedGradientTo() const { return FFixedGradientTo; }
    void SetFixedGradientTo(TColor Value);
    TColor FixedGradientMirrorFrom() const { return FFixedGradientMirrorFrom; }
    void SetFixedGradientMirrorFrom(TColor Value);
    TColor FixedGradientMirrorTo() const { return FFixedGradientMirrorTo; }
    void SetFixedGradientMirrorTo(TColor Value);
    TColor FixedGradientHoverFrom() const { return FFixedGradientHoverFrom; }
    void SetFixedGradientHoverFrom(TColor Value);
    TColor FixedGradientHoverTo() const { return FFixedGradientHoverTo; }
    void SetFixedGradientHoverTo(TColor Value);
    TColor FixedGradientHoverMirrorFrom() const { return FFixedGradientHoverMirrorFrom; }
    void SetFixedGradientHoverMirrorFrom(TColor Value);
    TColor FixedGradientHoverMirrorTo() const { return FFixedGradientHoverMirrorTo; }
    void SetFixedGradientHoverMirrorTo(TColor Value);
    TColor FixedGradientHoverBorder() const { return FFixedGradientHoverBorder; }
    void SetFixedGradientHoverBorder(TColor Value);
    TColor FixedGradientDownFrom() const { return FFixedGradientDownFrom; }
    void SetFixedGradientDownFrom(TColor Value);
    TColor FixedGradientDownTo() const { return FFixedGradientDownTo; }
    void SetFixedGradientDownTo(TColor Value);
    TColor FixedGradientDownMirrorFrom() const { return FFixedGradientDownMirrorFrom; }
    void SetFixedGradientDownMirrorFrom(TColor Value);
    TColor FixedGradientDownMirrorTo() const { return FFixedGradientDownMirrorTo; }
    void SetFixedGradientDownMirrorTo(TColor Value);
    TColor FixedGradientDownBorder() const { return FFixedGradientDownBorder; }
    void SetFixedGradientDownBorder(TColor Value);

    bool FixedDropDownButton() const { return FFixedDropDownButton; }
    void SetFixedDropDownButton(bool Value) { FFixedDropDownButton = Value; }
    Integer HintMaxWidth() const { return FHintMaxWidth; }
    void SetHintMaxWidth(Integer Value) { FHintMaxWidth = Value; }
    TBitmap* UnCheckedGlyph() const { return FUnCheckedGlyph.get(); }
    void SetUnCheckedGlyph(const TBitmap* Value);
    TBitmap* RadioOnGlyph() const { return FRadioOnGlyph.get(); }
    void SetRadioOnGlyph(const TBitmap* Value);
    TBitmap* RadioOffGlyph() const { return FRadioOffGlyph.get(); }
    void SetRadioOffGlyph(const TBitmap* Value);

    // 16 whenever ControlStyle is csDOV, else the stored size.
    Integer CheckSize() const;
    void SetCheckSize(Integer Value);
    bool CheckAlwaysActive() const { return FCheckAlwaysActive; }
    void SetCheckAlwaysActive(bool Value) { FCheckAlwaysActive = Value; }
    Integer RadioSize() const { return FRadioSize; }
    void SetRadioSize(Integer Value);
    bool RadioAlwaysActive() const { return FRadioAlwaysActive; }
    void SetRadioAlwaysActive(bool Value) { FRadioAlwaysActive = Value; }
    bool RadioRange() const { return FRadioRange; }
    void SetRadioRange(bool Value);
    ZirOvararIzaz::TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(ZirOvararIzaz::TControlStyle Value);

    bool DropDownAlwaysVisible() const { return FDropDownAlwaysVisible; }
    void SetDropDownAlwaysVisible(bool Value);
    Integer DropDownButtonWidth() const { return FDropDownButtonWidth; }
    void SetDropDownButtonWidth(Integer Value);
    Integer DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(Integer Value) { FDropDownCount = Value; }
    // The drop-down editors' header and footer bar looks (null when the
    // owner made none); the setters copy into them.
    TPersistent* DropDownHeader() const { return FDropDownHeader.get(); }
    void SetDropDownHeader(const TPersistent* Value);
    TPersistent* DropDownFooter() const { return FDropDownFooter.get(); }
    void SetDropDownFooter(const TPersistent* Value);

    bool SpinButtonsAlwaysVisible() const { return FSpinButtonsAlwaysVisible; }
    void SetSpinButtonsAlwaysVisible(bool Value);
    bool FlatButton() const { return FFlatButton; }
    void SetFlatButton(bool Value);
    bool NoDisabledCheckRadioLook() const { return FNoDisabledCheckRadioLook; }
    void SetNoDisabledCheckRadioLook(bool Value);
    bool NoDisabledButtonLook() const { return FNoDisabledButtonLook; }
    void SetNoDisabledButtonLook(bool Value);

    TColor ProgressBorderColor() const { return FProgressBorderColor; }
    void SetProgressBorderColor(TColor Value) { FProgressBorderColor = Value; }
    Integer ProgressMarginX() const { return FProgressMarginX; }
    void SetProgressMarginX(Integer Value);
    Integer ProgressMarginY() const { return FProgressMarginY; }
    void SetProgressMarginY(Integer Value);
    bool ProgressXP() const { return FProgressXP; }
    void SetProgressXP(bool Value);
    // A negative height is ignored.
    Integer ProgressHeight() const { return FProgressHeight; }
    void SetProgressHeight(Integer Value);

private:
    void Repaint();
    void WriteThrough(TDOVGradientColor Which, TColor Value);

    IGridSettingsOwner* FOwner;
    bool FButtonPrefix = false;
    TColor FColor = clBlack;
    TColor FCommentColor = clRed;
    std::unique_ptr<TBitmap> FCheckedGlyph;
    std::unique_ptr<TBitmap> FUnCheckedGlyph;
    std::unique_ptr<TBitmap> FRadioOnGlyph;
    std::unique_ptr<TBitmap> FRadioOffGlyph;
    TColor FFixedGradientFrom = clNone;
    TColor FFixedGradientTo = clNone;
    TColor FFixedGradientMirrorFrom = clNone;
    TColor FFixedGradientMirrorTo = clNone;
    TColor FFixedGradientHoverFrom = clNone;
    TColor FFixedGradientHoverTo = clNone;
    TColor FFixedGradientHoverMirrorFrom = clNone;
    TColor FFixedGradientHoverMirrorTo = clNone;
    TColor FFixedGradientHoverBorder = clNone;
    TColor FFixedGradientDownFrom = clNone;
    TColor FFixedGradientDownTo = clNone;
    TColor FFixedGradientDownMirrorFrom = clNone;
    TColor FFixedGradientDownMirrorTo = clNone;
    TColor FFixedGradientDownBorder = clNone;
    bool FFixedDropDownButton = false;
    Integer FHintMaxWidth = 0;
    Integer FCheckSize = 15;
    bool FCheckAlwaysActive = false;
    Integer FRadioSize = 10;
    bool FRadioAlwaysActive = false;
    bool FRadioRange = false;
    ZirOvararIzaz::TControlStyle FControlStyle = ZirOvararIzaz::csTheme;
    bool FDropDownAlwaysVisible = false;
    Integer FDropDownButtonWidth = 16;
    Integer FDropDownCount = 8;
    std::unique_ptr<TPersistent> FDropDownHeader;
    std::unique_ptr<TPersistent> FDropDownFooter;
    bool FSpinButtonsAlwaysVisible = false;
    bool FFlatButton = false;
    bool FNoDisabledCheckRadioLook = false;
    bool FNoDisabledButtonLook = false;
    TColor FProgressBorderColor = clGray;
    Integer FProgressMarginX = 2;
    Integer FProgressMarginY = 2;
    bool FProgressXP = false;
    Integer FProgressHeight = 0;
};
