#pragma once
// The colour picker drop-down: the face shows the selected colour as a box
// and, optionally, a text (the list caption, or the colour as hexadecimal
// digits, web name, RGB bytes or HTML code); the pop-up offers colours in
// one of four styles: a list of named colours, a palette of base colours and
// shades, a honeycomb cube or a spectrum. Keys, the wheel and typed letters
// move through the list and the palette; cancelling puts back the colour
// held when the pop-up opened.

#include "dropdown/KelColorSelector.h"
#include "dropdown/KelDetailDropDown.h"

RTL_ENUM(TColorSelectionStyle, csList, csDiscrete, csColorCube, csSpectrum)
RTL_ENUM(TColorValueText, cvtNone, cvtHex, cvtWebName, cvtRGB, cvtHTML)

// The web colour names, one per distinct colour of the CSS named colours.
struct TWebColorName {
    const char16_t* Name;
    TColor Color;
};
constexpr Integer WebColorCount = 138;
extern const TWebColorName WebColorNames[WebColorCount];
// The web name of a colour ("clWebRed"), or "#RRGGBB" when it has none.
String WebColorText(TColor Color);

class TColorItem : public TCollectionItem {
    RTL_CLASS(TColorItem)
public:
    explicit TColorItem(TCollection* ACollection) : TCollectionItem(ACollection) {}
    void Assign(const TPersistent* Source) override;

    // Caption and Color report a change to the collection.
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }

private:
    void Changed();
    String FCaption;
    TColor FColor = clNone;
    bool FEnabled = true;
    String FHint;
};

class TColorItems : public TOwnedCollection {
    RTL_CLASS(TColorItems)
public:
    explicit TColorItems(TPersistent* AOwner);
    TColorItem* Add() { return static_cast<TColorItem*>(TCollection::Add()); }
    TColorItem* Insert(Integer Index) { return static_cast<TColorItem*>(TCollection::Insert(Index)); }
    TColorItem* Items(Integer Index) const { return static_cast<TColorItem*>(TCollection::Items(Index)); }
    TNotifyEvent OnChange;
};

class TKelColorPickerDropDown : public TKelCustomDropDown {
    RTL_CLASS(TKelColorPickerDropDown)
public:
    explicit TKelColorPickerDropDown(TComponent* AOwner);
    ~TKelColorPickerDropDown() override;

    // Black, Maroon, Green, Olive, Navy, Purple, Teal, Gray, Silver, Red,
    // Lime, Yellow, Blue, Fuchsia, Aqua, White.
    void AddDefaultColors();
    // The list in the pop-up follows Colors at the end of the outermost update.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();

    TColorItems* Colors() const { return FColors.get(); }
    void SetColors(const TColorItems* Value) { FColors->Assign(Value); }
    Integer ItemIndex() const { return FItemIndex; }
    // Ignored at or past the number of colours; negative values store -1.
    void WriteItemIndex(Integer Value);
    void SetItemIndex(Integer Value) { WriteItemIndex(Value); }
    TColor SelectedColor() const { return FSelectedColor; }
    // Stores the RGB value (system colours converted) and selects the first
    // list colour equal to it, or none.
    void WriteSelectedColor(TColor Value);
    void SetSelectedColor(TColor Value) { WriteSelectedColor(Value); }
    Integer Columns() const { return FColumns; }
    void SetColumns(Integer Value) { FColumns = Value; }
    Integer ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(Integer Value);
    Integer ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(Integer Value);
    TColor ColorBoxBorderColor() const { return FColorBoxBorderColor; }
    void SetColorBoxBorderColor(TColor Value);
    TItemLayout Layout() const { return FLayout; }
    void SetLayout(TItemLayout Value) { FLayout = Value; }
    TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
    void SetItemAppearance(const TItemAppearance* Value) { FItemAppearance->Assign(Value); }
    TColorValueText ColorValueText() const { return FColorValueText; }
    void SetColorValueText(TColorValueText Value) { FColorValueText = Value; }
    TColorSelectionStyle ColorSelectionStyle() const { return FColorSelectionStyle; }
    void WriteColorSelectionStyle(TColorSelectionStyle Value);
    void SetColorSelectionStyle(TColorSelectionStyle Value) { WriteColorSelectionStyle(Value); }
    bool ShowText() const { return FShowText; }
    void SetShowText(bool Value);

    // The panels of the pop-up (null until their style needs them).
    TKelCustomItemSelector* ItemSelector() const { return FItemSelector; }
    TKelColorCubePanel* ColorCubePanel() const { return FColorCubePanel; }
    TKelColorSpectrumPanel* SpectrumPanel() const { return FSpectrumPanel; }
    TCustomColorSelector* ColorSelector() const { return FColorSelector; }

    // The face text: the list caption in the list style, else the colour
    // in the form ColorValueText asks for.
    virtual String GetSelectedColorText() const;

    void WndProc(TMessage& Message) override;

    TNotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedColor;
    KelItemSelector::TDrawItemEvent OnDrawColor;

protected:
    virtual void CreateItemSelector();
    virtual void CreateCubePanel();
    virtual void CreateSpectrumPanel();
    virtual void CreateColorSelector();

    void CreateDropDownForm() override;
    void DoBeforeDropDown() override;
    void PlaceDropDownControl() override;
    void AdaptDropDownSize() override;
    void DoHideDropDown(bool Cancel) override;
    void DropDownFormDestroyed() override;
    void MoveToNextItem() override;
    void MoveToPreviousItem() override;
    void PaintFocusRect() override;
    void DoSetComponentStyle(TKelStyle AStyle) override;
    void Loaded() override;

private:
    void ApplySelectorSettings();
    void RebuildSelectorItems();
    // Builds and shows the current style's panel (the others hidden), hands
    // it the selected colour and takes the values a cancel restores.
    void PrepareStyle();
    // The current style made anew: its panel prepared and the pop-up sized.
    void ApplyColorSelectionStyle();
    // The pop-up sized to the hosted panel.
    void SizePopupToPanel();
    void ListItemSelected(TObject* Sender);
    void PaletteColorSelected(TObject* Sender);
    void PanelColorSelected(TColor Color);
    void PaintSelectedColor();
    void ListKey(Word Key, bool EnterHandled);

    Integer FUpdateCount = 0;
    TKelColorCubePanel* FColorCubePanel = nullptr;
    TKelColorSpectrumPanel* FSpectrumPanel = nullptr;
    TCustomColorSelector* FColorSelector = nullptr;
    Integer FColumns = 1;
    TItemLayout FLayout = ilCaptionRight;
    std::unique_ptr<TColorItems> FColors;
    Integer FItemIndex = -1;
    Integer FColorBoxWidth = 14;
    Integer FColorBoxHeight = 14;
    TColorSelectionStyle FColorSelectionStyle = csList;
    TColor FSelectedColor = clNone;
    bool FShowText = true;
    std::unique_ptr<TItemAppearance> FItemAppearance;
    TColor FOldSelectedColor = clNone;
    TColorValueText FColorValueText = cvtNone;
    TColor FColorBoxBorderColor = 0x000000;
};

// Registers the colour picker's and its panels' classes by name.
void RegisterColorPickerClasses();
