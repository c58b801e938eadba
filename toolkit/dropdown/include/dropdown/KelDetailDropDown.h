#pragma once
// The detail drop-down: a drop-down edit whose pop-up lists detail items
// (caption, markup notes under it in their own font, an image of the item's
// own or from the drop-down's image list) in a one-column item selector that
// this control sizes and draws. Typing completes the edit with the first
// caption that starts with the typed text; keys and the wheel move through
// the list, typed letters jump to matching captions, and cancelling the
// pop-up puts back the item held when it opened.

#include "dropdown/KelDropDown.h"
#include "dropdown/KelItemSelector.h"
#include "vcl/Timer.h"

RTL_ENUM(TVerticalAlignment, taAlignTop, taAlignBottom, taVerticalCenter)

using TOnDrawSelectedItem = std::function<void(TObject* Sender, TCanvas* Canvas, const TRect& R)>;

class TDetailItem : public TCollectionItem {
    RTL_CLASS(TDetailItem)
public:
    explicit TDetailItem(TCollection* ACollection);
    ~TDetailItem() override;
    void Assign(const TPersistent* Source) override;

    // Caption and ImageIndex report a change to the collection.
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);
    TPicture* Image() const { return FImage.get(); }
    void SetImage(const TPicture* Value) { FImage->Assign(Value); }
    // Markup text drawn under the caption.
    const String& Notes() const { return FNotes; }
    void SetNotes(const String& Value) { FNotes = Value; }
    Integer Tag() const { return FTag; }
    void SetTag(Integer Value) { FTag = Value; }
    // Not owned.
    TObject* ItemObject() const { return FItemObject; }
    void SetItemObject(TObject* Value) { FItemObject = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }

private:
    void Changed();
    String FCaption;
    Integer FImageIndex = -1;
    bool FEnabled = true;
    std::unique_ptr<TPicture> FImage;
    TRect FRect;
    String FNotes;
    TObject* FItemObject = nullptr;
    Integer FTag = 0;
};

class TDetailItems : public TOwnedCollection {
    RTL_CLASS(TDetailItems)
public:
    explicit TDetailItems(TPersistent* AOwner);
    TDetailItem* Add() { return static_cast<TDetailItem*>(TCollection::Add()); }
    TDetailItem* Insert(Integer Index) { return static_cast<TDetailItem*>(TCollection::Insert(Index)); }
    TDetailItem* Items(Integer Index) const { return static_cast<TDetailItem*>(TCollection::Items(Index)); }
    // The first item whose caption equals Value exactly, or -1.
    Integer IndexOf(const String& Value) const;
    TNotifyEvent OnChange;
};

class TKelDetailDropDown : public TKelCustomDropDown {
    RTL_CLASS(TKelDetailDropDown)
public:
    explicit TKelDetailDropDown(TComponent* AOwner);
    ~TKelDetailDropDown() override;

    TDetailItems* Items() const { return FItems.get(); }
    void SetItems(const TDetailItems* Value) { FItems->Assign(Value); }
    Integer ItemIndex() const { return FItemIndex; }
    // Values below -1 or past the last item are ignored; -1 clears the text.
    void SetItemIndex(Integer Value);
    Integer ItemHeight() const { return FItemHeight; }
    void SetItemHeight(Integer Value) { FItemHeight = Value; }
    TItemLayout Layout() const { return FLayout; }
    void SetLayout(TItemLayout Value) { FLayout = Value; }
    TVerticalAlignment ImageVAlign() const { return FImageVAlign; }
    void SetImageVAlign(TVerticalAlignment Value) { FImageVAlign = Value; }
    TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
    void SetItemAppearance(const TItemAppearance* Value) { FItemAppearance->Assign(Value); }
    TFont* CaptionFont() const { return FCaptionFont.get(); }
    void SetCaptionFont(const TFont* Value) { FCaptionFont->Assign(Value); }
    TFont* NotesFont() const { return FNotesFont.get(); }
    void SetNotesFont(const TFont* Value) { FNotesFont->Assign(Value); }
    // The list in the pop-up, made with the pop-up form.
    TKelCustomItemSelector* ItemSelector() const { return FItemSelector; }

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();

    // Draws one list cell: image, caption and notes.
    void DrawItem(TCanvas* Canvas, TRect R, Integer Index);

    void WndProc(TMessage& Message) override;

    TNotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedImage;

protected:
    void CreateDropDownForm() override;
    void DoBeforeDropDown() override;
    void DoShowDropDown() override;
    void AdaptDropDownSize() override;
    void DoHideDropDown(bool Cancel) override;
    void DropDownResized() override;
    void MoveToNextItem() override;
    void MoveToPreviousItem() override;
    void ForwardControlKeyPress(TObject* Sender, Char& Key) override;
    void DoSetComponentStyle(TKelStyle AStyle) override;
    void Change() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;

private:
    void FillList();
    void ListItemSelected(TObject* Sender);
    void ItemSize(TSize& Size);

    TItemLayout FLayout = ilCaptionRight;
    std::unique_ptr<TDetailItems> FItems;
    Integer FItemIndex = -1;
    std::unique_ptr<TItemAppearance> FItemAppearance;
    Integer FItemHeight = 22;
    std::unique_ptr<TFont> FCaptionFont;
    std::unique_ptr<TFont> FNotesFont;
    bool FWorkMode = true;
    bool FItemChange = false;
    Integer FItemIdx = -1;
    Integer FItemSel = 0;
    TVerticalAlignment FImageVAlign = taVerticalCenter;
    // Set while a character message that produced a printable character is
    // handled: only such a change completes.
    bool FTypedChar = false;
};
