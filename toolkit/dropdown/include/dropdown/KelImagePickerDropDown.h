#pragma once
// The image picker drop-down: the edit shows the selected item's image
// centred and is not editable by default; the pop-up shows the items in a
// grid of Columns columns. Items come from the image list or from the
// picture files of a folder.

#include "dropdown/KelDetailDropDown.h"

class TImageItem : public TCollectionItem {
    RTL_CLASS(TImageItem)
public:
    explicit TImageItem(TCollection* ACollection);
    ~TImageItem() override;
    void Assign(const TPersistent* Source) override;

    // Caption and ImageIndex report a change to the collection.
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    // The caption without the change report.
    void StoreCaption(const String& Value) { FCaption = Value; }
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);
    TPicture* Image() const { return FImage.get(); }
    void SetImage(const TPicture* Value) { FImage->Assign(Value); }
    // Shown as the list cell's hint.
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }

private:
    void Changed();
    String FCaption;
    Integer FImageIndex = -1;
    bool FEnabled = true;
    std::unique_ptr<TPicture> FImage;
    TRect FRect;
    String FHint;
};

class TImageItems : public TOwnedCollection {
    RTL_CLASS(TImageItems)
public:
    explicit TImageItems(TPersistent* AOwner);
    TImageItem* Add() { return static_cast<TImageItem*>(TCollection::Add()); }
    TImageItem* Insert(Integer Index) { return static_cast<TImageItem*>(TCollection::Insert(Index)); }
    TImageItem* Items(Integer Index) const { return static_cast<TImageItem*>(TCollection::Items(Index)); }
    TNotifyEvent OnChange;
};

class TKelImagePickerDropDown : public TKelCustomDropDown {
    RTL_CLASS(TKelImagePickerDropDown)
public:
    explicit TKelImagePickerDropDown(TComponent* AOwner);
    ~TKelImagePickerDropDown() override;

    TImageItems* Items() const { return FItems.get(); }
    void SetItems(const TImageItems* Value) { FItems->Assign(Value); }
    Integer ItemIndex() const { return FItemIndex; }
    // Ignored at or past Count; any negative value is stored as -1.
    void SetItemIndex(Integer Value);
    // The selected item's image index (-1 without one); writing selects the
    // first item with that image index, or none.
    Integer ImageIndex() const;
    void SetImageIndex(Integer Value);
    Integer Columns() const { return FColumns; }
    void SetColumns(Integer Value) { FColumns = Value; }
    TItemLayout Layout() const { return FLayout; }
    void SetLayout(TItemLayout Value) { FLayout = Value; }
    TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
    void SetItemAppearance(const TItemAppearance* Value) { FItemAppearance->Assign(Value); }
    TKelCustomItemSelector* ItemSelector() const { return FItemSelector; }

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    // One item per image of Images, with empty captions.
    void AddImagesFromImageList();
    // One item per entry matching the path's file mask (folders skipped),
    // its picture loaded from the file; an entry that is no picture leaves
    // an empty item without caption.
    void AddImagesFromFolder(const String& AFolder, bool SetImageCaption);

    void WndProc(TMessage& Message) override;

    TNotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedImage;
    KelItemSelector::TDrawItemEvent OnDrawItem;

protected:
    void CreateDropDownForm() override;
    void DoBeforeDropDown() override;
    void AdaptDropDownSize() override;
    void DoHideDropDown(bool Cancel) override;
    void MoveToNextItem() override;
    void MoveToPreviousItem() override;
    void PaintFocusRect() override;
    void DoSetComponentStyle(TKelStyle AStyle) override;

private:
    void FillList();
    void ListItemSelected(TObject* Sender);
    void DrawSelectedImage();

    Integer FColumns = 1;
    TItemLayout FLayout = ilCaptionRight;
    std::unique_ptr<TImageItems> FItems;
    Integer FItemIndex = -1;
    std::unique_ptr<TItemAppearance> FItemAppearance;
};
