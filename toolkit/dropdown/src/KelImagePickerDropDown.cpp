#include "dropdown/KelImagePickerDropDown.h"

#include "os/FilePath.h"
#include "os/FileUtils.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Exception.h"
#include "rtl/MathUtils.h"
#include "vcl/Forms.h"
#include "windowing/Input.h"
#include "windowing/Paint.h"
#include "windowing/SystemMetrics.h"
#include "DropDownScopes.h"

using namespace winapi;

// ---- TImageItem ----

const TClassInfo& TImageItem::StaticClassInfo() {
    using C = TImageItem;
    static const TClassInfo Info = TClassBuilder<C, TCollectionItem>()
                                       .Property(u"Caption", &C::Caption, &C::SetCaption)
                                       .Property(u"ImageIndex", &C::ImageIndex, &C::SetImageIndex)
                                       .Default(-1)
                                       .Property(u"Image", &C::Image, &C::SetImage)
                                       .Property(u"Hint", &C::Hint, &C::SetHint)
                                       .Build();
    return Info;
}

TImageItem::TImageItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FImage(std::make_unique<TPicture>()) {}

TImageItem::~TImageItem() = default;

void TImageItem::Changed() {
    if (auto* Items = dynamic_cast<TImageItems*>(Collection()))
        if (Items->OnChange) Items->OnChange(Items);
}

void TImageItem::SetCaption(const String& Value) {
    if (FCaption == Value) return;
    FCaption = Value;
    Changed();
}

void TImageItem::SetImageIndex(Integer Value) {
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    Changed();
}

void TImageItem::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TImageItem*>(Source);
    if (!Other) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetCaption(Other->FCaption);
    SetImageIndex(Other->FImageIndex);
    FImage->Assign(Other->FImage.get());
    FEnabled = Other->FEnabled;
    FHint = Other->FHint;
}

const TClassInfo& TImageItems::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TImageItems, TOwnedCollection>().Build();
    return Info;
}

TImageItems::TImageItems(TPersistent* AOwner)
    : TOwnedCollection(AOwner, TImageItem::StaticClassInfo()) {}

// ---- TKelImagePickerDropDown ----

const TClassInfo& TKelImagePickerDropDown::StaticClassInfo() {
    using C = TKelImagePickerDropDown;
    static const TClassInfo Info = TClassBuilder<C, TKelCustomDropDown>()
                                       .Property(u"Columns", &C::Columns, &C::SetColumns)
                                       .Default(1)
                                       .Property(u"Items", &C::Items, &C::SetItems)
                                       .Property(u"ItemIndex", &C::ItemIndex, &C::SetItemIndex)
                                       .Default(-1)
                                       .Property(u"Layout", &C::Layout, &C::SetLayout)
                                       .Default(ilCaptionRight)
                                       .Property(u"ItemAppearance", &C::ItemAppearance, &C::SetItemAppearance)
                                       .Build();
    return Info;
}

TKelImagePickerDropDown::TKelImagePickerDropDown(TComponent* AOwner)
    : TKelCustomDropDown(AOwner), FItems(std::make_unique<TImageItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this)) {
    FItems->OnChange = [](TObject*) {};
    FEditorEnabled = false;
    FDropDownEnabled = true;
    CreateListKeyTimer();
    SetCursor(crArrow);
}

// The timer and the list are owned components, freed with the others.
TKelImagePickerDropDown::~TKelImagePickerDropDown() = default;

void TKelImagePickerDropDown::SetItemIndex(Integer Value) {
    if (Value < 0) Value = -1;
    if (Value == FItemIndex || Value >= FItems->Count()) return;
    FItemIndex = Value;
    Invalidate();
    if (OnChange) OnChange(this);
    if (OnSelect) OnSelect(this);
}

Integer TKelImagePickerDropDown::ImageIndex() const {
    return FItemIndex >= 0 && FItemIndex < FItems->Count() ? FItems->Items(FItemIndex)->ImageIndex() : -1;
}

void TKelImagePickerDropDown::SetImageIndex(Integer Value) {
    for (Integer I = 0; I < FItems->Count(); ++I)
        if (FItems->Items(I)->ImageIndex() == Value) {
            SetItemIndex(I);
            return;
        }
    SetItemIndex(-1);
}

void TKelImagePickerDropDown::SelectFirst() {
    if (FItems->Count() > 0) SetItemIndex(0);
}

void TKelImagePickerDropDown::SelectLast() {
    if (FItems->Count() > 0) SetItemIndex(FItems->Count() - 1);
}

void TKelImagePickerDropDown::SelectNext() {
    if (FItemIndex < 0)
        SelectFirst();
    else if (FItemIndex + 1 < FItems->Count())
        SetItemIndex(FItemIndex + 1);
}

void TKelImagePickerDropDown::SelectPrevious() {
    if (FItemIndex < 0)
        SelectFirst();
    else if (FItemIndex > 0)
        SetItemIndex(FItemIndex - 1);
}

void TKelImagePickerDropDown::AddImagesFromImageList() {
    if (!FImages) return;
    for (Integer I = 0; I < FImages->Count(); ++I)
        FItems->Add()->SetImageIndex(I);
}

void TKelImagePickerDropDown::AddImagesFromFolder(const String& AFolder, bool SetImageCaption) {
    const String Directory = ExtractFilePath(AFolder);
    TSearchRec Found;
    for (Integer Status = FindFirst(AFolder, faAnyFile, Found); Status == 0; Status = FindNext(Found)) {
        // Folders ("." and ".." among them) hold no picture.
        if (Found.Attr & faDirectory) continue;
        TImageItem* Item = FItems->Add();
        try {
            Item->Image()->LoadFromFile(Directory + Found.Name);
            if (SetImageCaption) Item->StoreCaption(Found.Name);
        } catch (const Exception&) {
            Item->Image()->SetGraphic(nullptr);
        }
    }
    FindClose(Found);
}

// ---- The pop-up ----

void TKelImagePickerDropDown::CreateDropDownForm() {
    TKelCustomDropDown::CreateDropDownForm();
    CreateListSelector(stImage);
}

void TKelImagePickerDropDown::FillList() {
    if (!FItemSelector) return;
    FItemSelector->OnItemSelect = nullptr;
    FItemSelector->SetColumns(FColumns);
    FItemSelector->SetImages(FImages);
    FItemSelector->SetItemLayout(FLayout);
    FItemSelector->SetColor(FDropDownColor);
    FItemSelector->ItemAppearance()->Assign(FItemAppearance.get());
    TSelectorItems* List = FItemSelector->Items();
    List->BeginUpdate();
    List->Clear();
    for (Integer I = 0; I < FItems->Count(); ++I) {
        const TImageItem* Source = FItems->Items(I);
        TSelectorItem* Item = List->Add();
        Item->SetCaption(Source->Caption());
        Item->SetImage(Source->Image());
        Item->SetImageIndex(Source->ImageIndex());
        Item->SetHint(Source->Hint());
    }
    List->EndUpdate();
    FItemSelector->UpdateSelectorPanel();
    FItemSelector->SetItemIndex(FItemIndex);
    FItemSelector->OnItemSelect = [this](TObject* Sender) { ListItemSelected(Sender); };
    FItemSelector->SetShowHint(ShowHint());
}

void TKelImagePickerDropDown::ListItemSelected(TObject*) {
    SetItemIndex(FItemSelector->ItemIndex());
    if (!FInternalCall) DoHideDropDown(false);
}

void TKelImagePickerDropDown::DoBeforeDropDown() {
    TKelCustomDropDown::DoBeforeDropDown();
    FillList();
    if (FItemSelector) {
        if (OnDrawItem)
            FItemSelector->OnDrawItem = [this](TObject*, TCanvas* Canvas, const TRect& R, Integer Index) {
                if (OnDrawItem) OnDrawItem(this, Canvas, R, Index);
            };
        else
            FItemSelector->OnDrawItem = nullptr;
    }
    FOldItemIndex = FItemIndex;
}

void TKelImagePickerDropDown::AdaptDropDownSize() {
    if (!FItemSelector) {
        TKelCustomDropDown::AdaptDropDownSize();
        return;
    }
    FItemSelector->SetAlign(alNone);
    TSize Panel{0, 0};
    FItemSelector->GetPanelSize(Panel);
    if (FDropDownWidth <= 0) FItemSelector->SetWidth(Panel.cx + 4);
    if (FDropDownHeight <= 0) FItemSelector->SetHeight(Panel.cy + 4);
    // The base sizes the pop-up from the hosted control's recorded size.
    const Single F = FDPIScale > 0 ? FDPIScale : 1.0f;
    FOrigCtrlW = Integer(Round(FItemSelector->Width() / F));
    FOrigCtrlH = Integer(Round(FItemSelector->Height() / F));
    TKelCustomDropDown::AdaptDropDownSize();
    if (FItemSelector->VertScrollBar()->IsScrollBarVisible() && FDropDownForm)
        FDropDownForm->SetWidth(FDropDownForm->Width() + GetSystemMetrics(SM_CXVSCROLL));
}

void TKelImagePickerDropDown::DoHideDropDown(bool Cancel) {
    const bool WasOpen = FDropDownForm && FDropDownForm->Visible();
    TKelCustomDropDown::DoHideDropDown(Cancel);
    if (Cancel && WasOpen && FItemSelector) SetItemIndex(FOldItemIndex);
}

void TKelImagePickerDropDown::MoveToNextItem() {
    if (!Enabled() || ReadOnly()) return;
    if (!ListWheelStep(true)) SelectNext();
}

void TKelImagePickerDropDown::MoveToPreviousItem() {
    if (!Enabled() || ReadOnly()) return;
    if (!ListWheelStep(false)) SelectPrevious();
}

void TKelImagePickerDropDown::DoSetComponentStyle(TKelStyle AStyle) {
    TKelCustomDropDown::DoSetComponentStyle(AStyle);
    if (FItemAppearance) SetItemAppearanceStyle(FItemAppearance.get(), AStyle);
}

// ---- Painting ----

void TKelImagePickerDropDown::PaintFocusRect() {
    TKelCustomDropDown::PaintFocusRect();
    DrawSelectedImage();
}

void TKelImagePickerDropDown::DrawSelectedImage() {
    if (!HandleAllocated()) return;
    const HDC DC = GetDC(Handle());
    TCanvas Canvas;
    Canvas.SetHandle(DC);
    const TRect R = GetEditRect();
    if (OnDrawSelectedImage) {
        OnDrawSelectedImage(this, &Canvas, R);
    } else if (FItemIndex >= 0 && FItemIndex < FItems->Count()) {
        const TImageItem* Item = FItems->Items(FItemIndex);
        TGraphic* Picture = Item->Image()->Graphic();
        if (Picture && !Picture->Empty()) {
            Canvas.Draw(R.Left + (R.Width() - Picture->Width()) / 2,
                        R.Top + (R.Height() - Picture->Height()) / 2, Picture);
        } else if (FImages && Item->ImageIndex() >= 0) {
            FImages->Draw(&Canvas, R.Left + (R.Width() - FImages->Width()) / 2,
                          R.Top + (R.Height() - FImages->Height()) / 2, Item->ImageIndex(), true);
        }
    }
    Canvas.SetHandle(nullptr);
    ReleaseDC(Handle(), DC);
}

// ---- Keys ----

void TKelImagePickerDropDown::WndProc(TMessage& Message) {
    if (Message.Msg == WM_CHAR) {
        // The character a key produced looks the items up.
        ListTypeAheadChar(Char(Message.WParam));
        TKelCustomDropDown::WndProc(Message);
        return;
    }
    if (Message.Msg != WM_KEYDOWN) {
        TKelCustomDropDown::WndProc(Message);
        return;
    }
    const Word Key = Word(Message.WParam);
    bool EnterHandled = false;
    if (Enabled() && Key == VK_RETURN && ListOpen() && FItemSelector->ItemHot() >= 0) {
        FItemSelector->SetItemIndex(FItemSelector->ItemHot());
        EnterHandled = true;
    }
    TKelCustomDropDown::WndProc(Message);
    if (!Enabled() || KeyHeld(VK_MENU)) return;
    if (HandleListKey(Key, FItems->Count(), [this] { FillList(); })) return;
    switch (Key) {
    case VK_RETURN:
        if (!EnterHandled && OnSelect) OnSelect(this);
        break;
    case VK_END:
        SelectLast();
        break;
    case VK_HOME:
        SelectFirst();
        break;
    case VK_UP:
    case VK_DOWN: {
        TFlagSet Internal(FInternalCall);
        if (Key == VK_UP)
            SelectPrevious();
        else
            SelectNext();
        if (FItemSelector) FItemSelector->SetItemIndex(FItemIndex);
        break;
    }
    default:
        break;
    }
}
