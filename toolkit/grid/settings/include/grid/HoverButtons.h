#pragma once
// The grid's HoverButtons settings: the row of small buttons shown over the
// row under the mouse (THoverButtons), their collection and its items.

#include "graphics/Picture.h"
#include "grid/GridSettingsTypes.h"
#include "rtl/Collection.h"

#include <memory>

class THoverButtonsCollectionItem : public TCollectionItem {
    RTL_CLASS(THoverButtonsCollectionItem)
public:
    explicit THoverButtonsCollectionItem(TCollection* ACollection);
    ~THoverButtonsCollectionItem() override;

    // From another item: everything but the image index.
    void Assign(const TPersistent* Source) override;

    // Caption, Enabled, Flat, Hint and ImageIndex store a changed value only,
    // then report the change to the collection.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value);
    // Copies the given picture and reports the change.
    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(const TPicture* Value);
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    Integer Tag() const { return FTag; }
    void SetTag(Integer Value) { FTag = Value; }
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    // Pixels; 0 lets the grid choose.
    Integer Width() const { return FWidth; }
    void SetWidth(Integer Value) { FWidth = Value; }

private:
    bool FEnabled = true;
    String FHint;
    std::unique_ptr<TPicture> FPicture;
    String FCaption;
    Integer FTag = 0;
    Integer FImageIndex = 0;
    bool FFlat = false;
    Integer FWidth = 0;
};

class THoverButtonsCollection : public TOwnedCollection {
    RTL_CLASS(THoverButtonsCollection)
public:
    explicit THoverButtonsCollection(TPersistent* AOwner);

    THoverButtonsCollectionItem* Add();
    THoverButtonsCollectionItem* Insert(Integer Index);
    THoverButtonsCollectionItem* Items(Integer Index) const;
    void SetItems(Integer Index, const THoverButtonsCollectionItem* Value);

    // Set by every item change; the grid's showing step reads and clears it.
    bool Updated() const { return FUpdated; }
    void SetUpdated(bool Value) { FUpdated = Value; }

protected:
    void Update(TCollectionItem* Item) override;

private:
    bool FUpdated = false;
};

class THoverButtons : public TPersistent {
    RTL_CLASS(THoverButtons)
public:
    explicit THoverButtons(TPersistent* AOwner);
    ~THoverButtons() override;

    // From other hover buttons: Enabled, the buttons, Column, Position, Rows
    // and MoveActiveRow; other sources are ignored.
    void Assign(const TPersistent* Source) override;
    TPersistent* GetOwner() const override { return FOwner; }

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    Integer Column() const { return FColumn; }
    void SetColumn(Integer Value) { FColumn = Value; }
    THoverButtonPosition Position() const { return FPosition; }
    void SetPosition(THoverButtonPosition Value) { FPosition = Value; }
    // The setter copies the given collection's items.
    THoverButtonsCollection* Buttons() const { return FButtons.get(); }
    void SetButtons(const THoverButtonsCollection* Value);
    THoverRows Rows() const { return FRows; }
    void SetRows(THoverRows Value) { FRows = Value; }
    bool MoveActiveRow() const { return FMoveActiveRow; }
    void SetMoveActiveRow(bool Value) { FMoveActiveRow = Value; }

private:
    TPersistent* FOwner;
    bool FEnabled = false;
    Integer FColumn = 0;
    THoverButtonPosition FPosition = hbLeftFromColumnLeft;
    std::unique_ptr<THoverButtonsCollection> FButtons;
    THoverRows FRows = hrNormal;
    bool FMoveActiveRow = true;
};
