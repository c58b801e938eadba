#pragma once
// The colour panels of the colour picker's pop-up, each a self-drawn control
// that reports a choice through its select event: a honeycomb of 127
// hexagonal colour cells (TKelColorCubePanel), a hue and lightness spectrum
// picked pixel by pixel with a pipette cursor (TKelColorSpectrumPanel) and a
// palette of colour boxes in rows of base colours and columns of shades
// (TCustomColorSelector).

#include "dropdown/KelItemAppearance.h"
#include "rtl/Collection.h"
#include "vcl/Controls.h"

#include <array>

class TImage;

// The cursor number of the spectrum's pipette in the screen's cursor table.
constexpr TCursor crKelPipette = 54;

class TKelCustomColorSelectorPanel : public TCustomControl {
    RTL_CLASS(TKelCustomColorSelectorPanel)
public:
    explicit TKelCustomColorSelectorPanel(TComponent* AOwner) : TCustomControl(AOwner) {}
    // Arrow and other keys come to the panel, which hands them to its host.
    void WndProc(TMessage& Message) override;
    // Fired by the cube and the spectrum on every mouse-up, asking the host
    // to close.
    TNotifyEvent OnShouldHide;

protected:
    void DoShouldHide() {
        if (OnShouldHide) OnShouldHide(this);
    }
};

class TKelColorCubePanel : public TKelCustomColorSelectorPanel {
    RTL_CLASS(TKelColorCubePanel)
public:
    static constexpr Integer CellCount = 127;

    explicit TKelColorCubePanel(TComponent* AOwner);

    // The 127 cells' centres and colours, row by row from the top.
    void InitCubeCells();
    // Clears the hot cell and gives the panel its fixed size, 182 x 160.
    void ResetCube();

    TColor SelectedColor() const { return FSelectedColor; }
    // Selects the first cell of that colour, or none; no repaint.
    void SetSelectedColor(TColor Value);
    Integer SelectedIndex() const { return FSelectedIndex; }
    Integer HotIndex() const { return FHotIndex; }
    bool ShowRGBHint() const { return FShowRGBHint; }
    // Also switches ShowHint.
    void SetShowRGBHint(bool Value);
    // Cells 1 .. 127; others raise EListError "List index out of bounds (%d)".
    TColor CubeCellColor(Integer Index) const;
    void SetCubeCellColor(Integer Index, TColor Value);
    TPoint CubeCellCenter(Integer Index) const;
    // The lowest cell whose centre lies within 6 pixels of (X, Y), or -1.
    Integer CellAtPos(Integer X, Integer Y) const;

    TNotifyEvent OnSelect;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

private:
    struct TCubeCell {
        Integer X = 0;
        Integer Y = 0;
        TColor Color = clNone;
    };
    void CheckCell(Integer Index) const;
    void DrawCell(TCanvas* Canvas, Integer Index);
    void RedrawCell(Integer Index);

    std::array<TCubeCell, CellCount + 1> FCubeCells{}; // [0] unused
    TPoint FCubeSize{6, 3};
    TColor FSelectedColor = clNone;
    Integer FSelectedIndex = -1;
    Integer FHotIndex = -1;
    bool FShowRGBHint = false;
};

class TKelColorSpectrumPanel : public TKelCustomColorSelectorPanel {
    RTL_CLASS(TKelColorSpectrumPanel)
public:
    explicit TKelColorSpectrumPanel(TComponent* AOwner);

    // 150 x 174 with the spectrum centred 10 pixels from the top and the
    // selected and hot sample boxes under it; clears HotColor.
    void ArrangeSpectrum();

    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor Value) { FSelectedColor = Value; }
    TColor HotColor() const { return FHotColor; }
    TRect SelectedRect() const { return FSelectedRect; }
    TRect HotRect() const { return FHotRect; }
    TImage* SpectrumImage() const { return FSpectrumImage; }

    TNotifyEvent OnSelect;

protected:
    void Paint() override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

private:
    void ImageMouseMove(Integer X, Integer Y);
    void DrawBox(TCanvas* Canvas, const TRect& R, TColor Color);

    TImage* FSpectrumImage = nullptr;
    TColor FHotColor = clNone;
    TColor FSelectedColor = 0xFFFFFF;
    TRect FHotRect;
    TRect FSelectedRect;
};

// The 128 x 128 spectrum: hue from red round to red across, white through the
// full colour to black downwards.
TColor SpectrumPixel(Integer X, Integer Y);

class TColorBoxAppearance : public TPersistent {
    RTL_CLASS(TColorBoxAppearance)
public:
    void Assign(const TPersistent* Source) override;

#define COLOR_BOX_APPEARANCE_COLOR(Name)                                                                     \
    TColor Name() const {                                                                                    \
        return F##Name;                                                                                      \
    }                                                                                                        \
    void Set##Name(TColor Value) {                                                                           \
        F##Name = Value;                                                                                     \
    }
    COLOR_BOX_APPEARANCE_COLOR(BorderColor)
    COLOR_BOX_APPEARANCE_COLOR(OuterBorderColorHot)
    COLOR_BOX_APPEARANCE_COLOR(InnerBorderColorHot)
    COLOR_BOX_APPEARANCE_COLOR(OuterBorderColorSelected)
    COLOR_BOX_APPEARANCE_COLOR(InnerBorderColorSelected)
#undef COLOR_BOX_APPEARANCE_COLOR

    // Never fired by this class.
    TNotifyEvent OnChange;

private:
    TColor FBorderColor = 0xC5C5C5;
    TColor FOuterBorderColorHot = 0x3694F2;
    TColor FInnerBorderColorHot = 0x94E2FF;
    TColor FOuterBorderColorSelected = 0x0000FF;
    TColor FInnerBorderColorSelected = 0x94E2FF;
};

// Where a colour box stands in a column of shades.
RTL_ENUM(TItemPos, ipStandAlone, ipTop, ipMiddle, ipBottom)

class TColorBoxItem : public TCollectionItem {
    RTL_CLASS(TColorBoxItem)
public:
    explicit TColorBoxItem(TCollection* ACollection) : TCollectionItem(ACollection) {}
    // Colour and enabled flag, not the position.
    void Assign(const TPersistent* Source) override;

    TColor Color() const { return FColor; }
    // Reports a change to the collection.
    void SetColor(TColor Value);
    TItemPos ColorBoxPos() const { return FColorBoxPos; }
    void SetColorBoxPos(TItemPos Value) { FColorBoxPos = Value; }
    // A disabled box is drawn but can be neither hot nor selected.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    // Written by the palette's layout.
    TRect Rect() const { return FRect; }
    void SetRect(const TRect& Value) { FRect = Value; }

private:
    TColor FColor = clNone;
    bool FEnabled = true;
    TRect FRect;
    TItemPos FColorBoxPos = ipStandAlone;
};

class TColorBoxItems : public TOwnedCollection {
    RTL_CLASS(TColorBoxItems)
public:
    explicit TColorBoxItems(TPersistent* AOwner);
    TColorBoxItem* Add() { return static_cast<TColorBoxItem*>(TCollection::Add()); }
    TColorBoxItem* Insert(Integer Index) { return static_cast<TColorBoxItem*>(TCollection::Insert(Index)); }
    TColorBoxItem* Items(Integer Index) const {
        return static_cast<TColorBoxItem*>(TCollection::Items(Index));
    }
    TNotifyEvent OnChange;
};

class TCustomColorSelector : public TKelCustomColorSelectorPanel {
    RTL_CLASS(TCustomColorSelector)
public:
    explicit TCustomColorSelector(TComponent* AOwner);
    ~TCustomColorSelector() override;

    TColorBoxAppearance* ColorBoxAppearance() const { return FColorBoxAppearance.get(); }
    void SetColorBoxAppearance(const TColorBoxAppearance* Value) { FColorBoxAppearance->Assign(Value); }
    TColorBoxItems* Items() const { return FItems.get(); }
    void SetItems(const TColorBoxItems* Value) { FItems->Assign(Value); }
    Integer ItemIndex() const { return FItemIndex; }
    // -1 .. Count-1; other values and disabled boxes are ignored.
    void WriteItemIndex(Integer Index);
    void SetItemIndex(Integer Index) { WriteItemIndex(Index); }
    Integer ItemHot() const { return FItemHot; }
    void SetHotItem(Integer Index);
    Integer Columns() const { return FColumns; }
    void SetColumns(Integer Value);
    Integer ColumnGap() const { return FColumnGap; }
    void SetColumnGap(Integer Value) { FColumnGap = Value; }
    Integer ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(Integer Value);
    Integer ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(Integer Value);
    TSelectionColorStyle ItemColorStyle() const { return FItemColorStyle; }
    void WriteItemColorStyle(TSelectionColorStyle Value);
    TColor SelectedColor() const { return FSelectedColor; }
    void WriteSelectedColor(TColor Value);
    void SetSelectedColor(TColor Value) { WriteSelectedColor(Value); }

    // The first box containing the point (right and bottom edges excluded), or -1.
    Integer ItemAtPos(Integer X, Integer Y) const;
    // The box's rectangle, (-1, -1, -1, -1) outside the items.
    void GetItemRect(Integer Index, TRect& R) const;
    void DrawAllItems(TCanvas* Canvas);
    // The arrow and page keys (virtual keys 33 .. 40).
    void HandleKey(Word Key, bool EditorEnabled, bool DroppedDown);
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    // The 60 boxes of the default palette: ten base colours and five shades of each.
    void AddDefaultPalette();

    virtual void DrawColorBox(Integer Index, TCanvas* Canvas);
    virtual void GetItemsRect(TRect& R) const;
    virtual void GetColorBoxSize(TSize& Size) const;
    virtual void ArrangeItems();
    virtual void InvalidateItem(Integer Index);

    TNotifyEvent OnItemSelect;

protected:
    void Paint() override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseLeave() override;

private:
    bool IsValid(Integer Index) const { return Index >= 0 && Index < FItems->Count(); }
    bool IsDisabled(Integer Index) const { return IsValid(Index) && !FItems->Items(Index)->Enabled(); }

    Integer FItemIndex = -1;
    Integer FItemHot = -1;
    Integer FOffSetX = 4;
    Integer FOffSetY = 4;
    Integer FColumns = 10;
    Integer FColumnGap = 4;
    Integer FColorBoxHeight = 12;
    Integer FColorBoxWidth = 12;
    std::unique_ptr<TColorBoxAppearance> FColorBoxAppearance;
    std::unique_ptr<TColorBoxItems> FItems;
    TSelectionColorStyle FItemColorStyle = scCustom;
    TColor FSelectedColor = clNone;
};

// Registers the panels' classes by name.
void RegisterColorSelectorClasses();
