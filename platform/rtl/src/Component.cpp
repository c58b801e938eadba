#include "rtl/Component.h"

#include "rtl/ClassBuilder.h"
#include "rtl/Exception.h"
#include "rtl/Format.h"
#include "rtl/TextCompare.h"

#include <algorithm>

namespace {
bool IsIdentStart(Char C) {
    return (C >= u'A' && C <= u'Z') || (C >= u'a' && C <= u'z') || C == u'_';
}
bool IsIdentChar(Char C) {
    return IsIdentStart(C) || (C >= u'0' && C <= u'9');
}

// The states an owner hands down to the components it owns.
const TComponentState InheritedStates{csLoading, csReading, csDesigning};
} // namespace

bool IsValidIdent(const String& Ident) {
    if (Ident.empty() || !IsIdentStart(Ident[0])) return false;
    for (Char C : Ident)
        if (!IsIdentChar(C)) return false;
    return true;
}

const TClassInfo& TComponent::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TComponent, TPersistent>()
                                       .Property(u"Name", &TComponent::Name, &TComponent::SetName)
                                       .Stored(false)
                                       .Property(u"Tag", &TComponent::Tag, &TComponent::SetTag)
                                       .Default(0)
                                       .Build();
    return Info;
}

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    // Deleted without Free, or a descendant's constructor failed: still
    // leave no dangling pointer behind in owners and notification lists.
    TearDown();
}

void TComponent::BeforeDestruction() {
    TPersistent::BeforeDestruction();
    TearDown();
}

void TComponent::TearDown() {
    if (FTornDown) return;
    FTornDown = true;
    Destroying();
    RemoveFreeNotifications();
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::Destroying() {
    if (FComponentState.Contains(csDestroying)) return;
    FComponentState.Include(csDestroying);
    for (Integer I = 0; I < ComponentCount(); ++I)
        Components(I)->Destroying();
}

void TComponent::IncludeComponentState(TComponentState States) {
    FComponentState = FComponentState + States;
    const TComponentState Handed = States * InheritedStates;
    if (Handed.Empty()) return;
    for (Integer I = 0; I < ComponentCount(); ++I)
        Components(I)->IncludeComponentState(Handed);
}

void TComponent::ExcludeComponentState(TComponentState States) {
    FComponentState = FComponentState - States;
    const TComponentState Handed = States * InheritedStates;
    if (Handed.Empty()) return;
    for (Integer I = 0; I < ComponentCount(); ++I)
        Components(I)->ExcludeComponentState(Handed);
}

void TComponent::SetName(const String& NewName) {
    if (FName == NewName) return;
    if (!NewName.empty() && !IsValidIdent(NewName))
        throw EComponentError(Format(u"'%s' is not a valid component name", {NewName}));
    if (FOwner)
        FOwner->ValidateRename(this, FName, NewName);
    else
        ValidateRename(nullptr, FName, NewName);
    ChangeName(NewName);
}

void TComponent::ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) const {
    if (!AComponent || SameText(CurName, NewName)) return;
    const TComponent* Holder = FindComponent(NewName);
    if (Holder && Holder != AComponent)
        throw EComponentError(Format(u"A component named %s already exists", {NewName}));
}

Integer TComponent::ComponentIndex() const {
    return FOwner ? FOwner->FComponents.IndexOf(this) : -1;
}

void TComponent::SetComponentIndex(Integer Value) {
    if (!FOwner) return;
    const Integer Current = ComponentIndex();
    const Integer Last = FOwner->ComponentCount() - 1;
    FOwner->FComponents.Move(Current, std::clamp(Value, 0, Last));
}

TComponent* TComponent::FindComponent(const String& AName) const {
    if (AName.empty()) return nullptr;
    for (Integer I = 0; I < ComponentCount(); ++I)
        if (SameText(Components(I)->FName, AName)) return Components(I);
    return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (AComponent->FOwner == this) return;
    ValidateRename(AComponent, String(), AComponent->FName);
    // A component has one owner: joining this one means leaving the old one,
    // or both would free it.
    if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
    Insert(AComponent);
    if (FComponentState.Contains(csDesigning)) AComponent->IncludeComponentState({csDesigning});
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    if (AComponent->FOwner != this) return;
    Notification(AComponent, opRemove);
    Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
    FComponents.Add(AComponent);
    AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent) {
    FComponents.Remove(AComponent);
    AComponent->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
    while (ComponentCount() > 0) {
        TComponent* Last = Components(ComponentCount() - 1);
        FComponents.Delete(ComponentCount() - 1);
        Last->FOwner = nullptr;
        Free(Last);
    }
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
    // Handlers may free components: walk down from the end and re-check the
    // index against the shrinking list.
    for (Integer I = ComponentCount() - 1; I >= 0; --I) {
        if (I >= ComponentCount()) {
            I = ComponentCount();
            continue;
        }
        Components(I)->Notification(AComponent, Operation);
    }
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this) return;
    if (FFreeNotifies.IndexOf(AComponent) < 0) FFreeNotifies.Add(AComponent);
    if (AComponent->FFreeNotifies.IndexOf(this) < 0) AComponent->FFreeNotifies.Add(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (!AComponent) return;
    FFreeNotifies.Remove(AComponent);
    AComponent->FFreeNotifies.Remove(this);
}

void TComponent::RemoveFreeNotifications() {
    while (FFreeNotifies.Count() > 0) {
        auto* Listener = static_cast<TComponent*>(FFreeNotifies.Last());
        Listener->Notification(this, opRemove);
        // An override that did not pass the call on has not unlinked us.
        RemoveFreeNotification(Listener);
    }
}

void TComponent::Loaded() {
    FComponentState.Exclude(csLoading);
}
