#include "kel/PictureContainer.h"

#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "rtl/StringUtils.h"
#include "vcl/Controls.h"

#include <algorithm>

// ---- The cache -------------------------------------------------------------------------

THTMLPicture* THTMLPictureCache::AddPicture() {
    FPictures.push_back(Create<THTMLPicture>());
    return FPictures.back();
}

THTMLPicture* THTMLPictureCache::FindPicture(const String& ID) const {
    for (THTMLPicture* Picture : FPictures)
        if (Picture->ID() == ID) return Picture;
    return nullptr;
}

void THTMLPictureCache::ClearPictures() {
    for (THTMLPicture* Picture : FPictures)
        Free(Picture);
    FPictures.clear();
}

bool THTMLPictureCache::Animate() {
    bool Advanced = false;
    for (THTMLPicture* Picture : FPictures)
        if (Picture->Step()) Advanced = true;
    return Advanced;
}

// ---- Named pictures -------------------------------------------------------------------

const TClassInfo& TPictureItem::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TPictureItem, TCollectionItem>()
                                       .Property(u"Name", &TPictureItem::Name, &TPictureItem::SetName)
                                       .Property(u"Tag", &TPictureItem::Tag, &TPictureItem::SetTag)
                                       .Build();
    return Info;
}

TPictureItem::TPictureItem(TCollection* Collection)
    : TCollectionItem(Collection), FPicture(CreatePicture()) {}

TPictureItem::~TPictureItem() {
    Free(FPicture);
}

THTMLPicture* TPictureItem::CreatePicture() const {
    return Create<THTMLPicture>();
}

void TPictureItem::Assign(const TPersistent* Source) {
    if (auto* Item = dynamic_cast<const TPictureItem*>(Source)) {
        FName = Item->FName;
        FTag = Item->FTag;
        Picture()->Assign(Item->Picture());
        return;
    }
    TCollectionItem::Assign(Source);
}

TPictureContainer* TPictureItem::Container() const {
    return Collection() ? dynamic_cast<TPictureContainer*>(Collection()->Owner()) : nullptr;
}

TPicture* TPictureItem::Bitmap() {
    TPictureContainer* Owner = Container();
    return Owner ? Owner->KeepBitmap(Picture()) : nullptr;
}

TPictureCollection::TPictureCollection(TPersistent* AOwner)
    : TOwnedCollection(AOwner, TPictureItem::StaticClassInfo()) {}

bool TPictureCollection::Animate() {
    bool Advanced = false;
    for (Integer i = 0; i < Count(); ++i)
        if (GetItem(i)->Picture()->Step()) Advanced = true;
    return Advanced;
}

// ---- The container ---------------------------------------------------------------------

const TClassInfo& TPictureContainer::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TPictureContainer, TComponent>().Build();
    return Info;
}

TPictureContainer::TPictureContainer(TComponent* AOwner) : TComponent(AOwner) {
    FItems = CreateItems();
}

TPictureContainer::~TPictureContainer() {
    delete FItems;
}

TPictureCollection* TPictureContainer::CreateItems() {
    return new TPictureCollection(this);
}

THTMLPicture* TPictureContainer::FindPicture(const String& Name) const {
    const String Wanted = UpperCase(Name);
    for (Integer i = 0; i < FItems->Count(); ++i)
        if (UpperCase(FItems->GetItem(i)->Name()) == Wanted) return FItems->GetItem(i)->Picture();
    return nullptr;
}

TPicture* TPictureContainer::FindBitmap(const String& Name) {
    FPicture.reset();
    const THTMLPicture* Picture = FindPicture(Name);
    return Picture ? KeepBitmap(Picture) : nullptr;
}

TPicture* TPictureContainer::KeepBitmap(const THTMLPicture* Picture) {
    FPicture.reset();
    auto Copy = std::make_unique<TPicture>();
    Copy->SetGraphic(Picture);
    FPicture = std::move(Copy);
    return FPicture.get();
}

void TPictureContainer::NotifyControls() {
    for (TControl* Control : FControls)
        Control->Invalidate();
    if (OnChange) OnChange(this);
}

Integer TPictureContainer::GetVersionNr() const {
    return (2 << 24) | (1 << 16) | (1 << 8) | 0;
}

String TPictureContainer::Version() const {
    const Integer Nr = GetVersionNr();
    return IntToStr((Nr >> 24) & 0xFF) + u"." + IntToStr((Nr >> 16) & 0xFF) + u"." +
           IntToStr((Nr >> 8) & 0xFF) + u"." + IntToStr(Nr & 0xFF);
}

void TPictureContainer::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove) std::erase(FControls, AComponent);
}
