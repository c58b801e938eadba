#pragma once
// TFloatingFooter: the grid's FloatingFooter settings, the bar along the
// bottom edge that stays in place while the rows scroll. The bar (the
// footer panel) and its painting are the grid's.

#include "graphics/Colors.h"
#include "grid/GridSettingsOwner.h"
#include "grid/GridSettingsTypes.h"

class TFloatingFooter : public TPersistent {
    RTL_CLASS(TFloatingFooter)
public:
    explicit TFloatingFooter(IGridSettingsOwner* AOwner);

    // From another floating footer: CalculateHiddenRows, Color, Column,
    // CustomTemplate, FooterStyle (stored), Visible (through its setter) and
    // ShowHint (stored); other sources are ignored.
    void Assign(const TPersistent* Source) override;
    TPersistent* GetOwner() const override;

    // Repaints the footer panel.
    void Invalidate();

    // On a change: stored, and the grid shows or hides the bar.
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    // Stored; the grid adds or removes its extra row and repaints.
    TFooterStyle FooterStyle() const { return FFooterStyle; }
    void SetFooterStyle(TFooterStyle Value);
    // Stored; the grid sizes the panel.
    Integer Height() const { return FHeight; }
    void SetHeight(Integer Value);
    // Stored and repainted.
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    Integer Column() const { return FColumn; }
    void SetColumn(Integer Value);
    const String& CustomTemplate() const { return FCustomTemplate; }
    void SetCustomTemplate(const String& Value);
    // On a change: stored and repainted.
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    // Stored and passed on to the panel.
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    bool CalculateHiddenRows() const { return FCalculateHiddenRows; }
    void SetCalculateHiddenRows(bool Value) { FCalculateHiddenRows = Value; }
    bool EnableCalculation() const { return FEnableCalculation; }
    void SetEnableCalculation(bool Value) { FEnableCalculation = Value; }

    // Whether the footer has added an extra row to the grid.
    bool RowAdded() const { return FRowAdded; }
    void SetRowAdded(bool Value) { FRowAdded = Value; }

    TCalcFooterEvent OnCalcFooter;

private:
    IGridSettingsOwner* FOwner;
    TColor FBorderColor = clNone;
    bool FCalculateHiddenRows = true;
    TColor FColor = clBtnFace;
    Integer FColumn = 0;
    String FCustomTemplate;
    TFooterStyle FFooterStyle = fsFixedLastRow;
    bool FShowHint = false;
    bool FVisible = false;
    // The grid sets it to its DefaultRowHeight, whose initial value this is.
    Integer FHeight = 24;
    bool FEnableCalculation = true;
    bool FRowAdded = false;
};
