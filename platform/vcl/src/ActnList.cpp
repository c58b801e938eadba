// Actions, action links, and the link of a control.

#include "vcl/ActnList.h"
#include "rtl/ClassBuilder.h"

#include <algorithm>

// ---- TBasicAction ----

const TClassInfo& TBasicAction::StaticClassInfo() {
    static const TClassInfo Info =
        TClassBuilder<TBasicAction, TComponent>()
            .Property(u"OnExecute", &TBasicAction::OnExecute,
                      [](TBasicAction& A, TNotifyEvent E) { A.OnExecute = std::move(E); })
            .Property(u"OnUpdate", &TBasicAction::OnUpdate,
                      [](TBasicAction& A, TNotifyEvent E) { A.OnUpdate = std::move(E); })
            .Build();
    return Info;
}

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

void TBasicAction::BeforeDestruction() {
    // The links forget the action; their controls keep what they show.
    while (!FClients.empty())
        FClients.back()->SetAction(nullptr);
    TComponent::BeforeDestruction();
}

bool TBasicAction::Execute() {
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

bool TBasicAction::Update() {
    if (!OnUpdate) return false;
    OnUpdate(this);
    return true;
}

void TBasicAction::Change() {
    for (TBasicActionLink* Link : std::vector<TBasicActionLink*>(FClients))
        Link->Change();
}

// ---- TCustomAction ----

const TClassInfo& TCustomAction::StaticClassInfo() {
    static const TClassInfo Info =
        TClassBuilder<TCustomAction, TBasicAction>()
            .Property(u"AutoCheck", &TCustomAction::AutoCheck, &TCustomAction::SetAutoCheck)
            .Default(false)
            .Property(u"Caption", &TCustomAction::Caption, &TCustomAction::SetCaption)
            .Property(u"Checked", &TCustomAction::Checked, &TCustomAction::SetChecked)
            .Default(false)
            .Property(u"Enabled", &TCustomAction::Enabled, &TCustomAction::SetEnabled)
            .Default(true)
            .Property(u"GroupIndex", &TCustomAction::GroupIndex, &TCustomAction::SetGroupIndex)
            .Default(0)
            .Property(u"Hint", &TCustomAction::Hint, &TCustomAction::SetHint)
            .Property(u"ImageIndex", &TCustomAction::ImageIndex, &TCustomAction::SetImageIndex)
            .Default(-1)
            .Property(u"ShortCut", &TCustomAction::ShortCut, &TCustomAction::SetShortCut)
            .Default(0)
            .Property(u"Visible", &TCustomAction::Visible, &TCustomAction::SetVisible)
            .Default(true)
            .Build();
    return Info;
}

const TClassInfo& TAction::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TAction, TCustomAction>().Build();
    return Info;
}

// Each setter asks every link whether its client still follows the action
// (compared with the value before the change), passes the new value to those
// that do, then stores it.
namespace {

template <class TSetter>
void ForLinked(const std::vector<TBasicActionLink*>& Clients, TSetter Setter) {
    for (TBasicActionLink* Link : std::vector<TBasicActionLink*>(Clients))
        if (auto* ActionLink = dynamic_cast<TActionLink*>(Link)) Setter(*ActionLink);
}

} // namespace

void TCustomAction::SetCaption(const String& Value) {
    if (FCaption == Value) return;
    ForLinked(Clients(), [&](TActionLink& L) {
        if (L.IsCaptionLinked()) L.SetCaption(Value);
    });
    FCaption = Value;
    Change();
}

void TCustomAction::SetChecked(bool Value) {
    if (FChecked == Value) return;
    ForLinked(Clients(), [&](TActionLink& L) {
        if (L.IsCheckedLinked()) L.SetChecked(Value);
    });
    FChecked = Value;
    if (Value && FGroupIndex > 0 && Owner())
        for (Integer i = 0; i < Owner()->ComponentCount(); ++i)
            if (auto* Other = dynamic_cast<TCustomAction*>(Owner()->Components(i));
                Other && Other != this && Other->FGroupIndex == FGroupIndex)
                Other->SetChecked(false);
    Change();
}

void TCustomAction::SetGroupIndex(Integer Value) {
    if (FGroupIndex == Value) return;
    ForLinked(Clients(), [&](TActionLink& L) {
        if (L.IsGroupIndexLinked()) L.SetGroupIndex(Value);
    });
    FGroupIndex = Value;
    Change();
}

void TCustomAction::SetEnabled(bool Value) {
    if (FEnabled == Value) return;
    ForLinked(Clients(), [&](TActionLink& L) {
        if (L.IsEnabledLinked()) L.SetEnabled(Value);
    });
    FEnabled = Value;
    Change();
}

void TCustomAction::SetVisible(bool Value) {
    if (FVisible == Value) return;
    ForLinked(Clients(), [&](TActionLink& L) {
        if (L.IsVisibleLinked()) L.SetVisible(Value);
    });
    FVisible = Value;
    Change();
}

void TCustomAction::SetHint(const String& Value) {
    if (FHint == Value) return;
    ForLinked(Clients(), [&](TActionLink& L) {
        if (L.IsHintLinked()) L.SetHint(Value);
    });
    FHint = Value;
    Change();
}

void TCustomAction::SetImageIndex(Integer Value) {
    if (FImageIndex == Value) return;
    ForLinked(Clients(), [&](TActionLink& L) {
        if (L.IsImageIndexLinked()) L.SetImageIndex(Value);
    });
    FImageIndex = Value;
    Change();
}

void TCustomAction::SetShortCut(Word Value) {
    if (FShortCut == Value) return;
    ForLinked(Clients(), [&](TActionLink& L) {
        if (L.IsShortCutLinked()) L.SetShortCut(Value);
    });
    FShortCut = Value;
    Change();
}

bool TCustomAction::Execute() {
    if (!FEnabled) return false;
    if (FAutoCheck) SetChecked(!FChecked);
    return TBasicAction::Execute();
}

// ---- Links ----

const TClassInfo& TBasicActionLink::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TBasicActionLink, TObject>().Build();
    return Info;
}
const TClassInfo& TActionLink::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TActionLink, TBasicActionLink>().Build();
    return Info;
}
const TClassInfo& TControlActionLink::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TControlActionLink, TActionLink>().Build();
    return Info;
}

TBasicActionLink::~TBasicActionLink() {
    if (FAction) {
        auto& Clients = FAction->FClients;
        Clients.erase(std::remove(Clients.begin(), Clients.end(), this), Clients.end());
    }
}

void TBasicActionLink::SetAction(TBasicAction* Value) {
    if (FAction == Value) return;
    if (FAction) {
        auto& Clients = FAction->FClients;
        Clients.erase(std::remove(Clients.begin(), Clients.end(), this), Clients.end());
    }
    FAction = Value;
    if (FAction) FAction->FClients.push_back(this);
}

bool TBasicActionLink::Execute() {
    return FAction && FAction->Execute();
}

bool TBasicActionLink::Update() {
    return FAction && FAction->Update();
}

void TBasicActionLink::Change() {
    if (OnChange) OnChange(FAction);
}

bool TActionLink::IsCaptionLinked() const {
    return CustomAction() != nullptr;
}
bool TActionLink::IsCheckedLinked() const {
    return CustomAction() != nullptr;
}
bool TActionLink::IsEnabledLinked() const {
    return CustomAction() != nullptr;
}
bool TActionLink::IsGroupIndexLinked() const {
    return CustomAction() != nullptr;
}
bool TActionLink::IsHintLinked() const {
    return CustomAction() != nullptr;
}
bool TActionLink::IsImageIndexLinked() const {
    return CustomAction() != nullptr;
}
bool TActionLink::IsShortCutLinked() const {
    return CustomAction() != nullptr;
}
bool TActionLink::IsVisibleLinked() const {
    return CustomAction() != nullptr;
}
bool TActionLink::IsOnExecuteLinked() const {
    return Action() != nullptr;
}

// A control follows a property only while it still shows the action's value.
bool TControlActionLink::IsCaptionLinked() const {
    return TActionLink::IsCaptionLinked() && FClient->Caption() == CustomAction()->Caption();
}
bool TControlActionLink::IsEnabledLinked() const {
    return TActionLink::IsEnabledLinked() && FClient->Enabled() == CustomAction()->Enabled();
}
bool TControlActionLink::IsHintLinked() const {
    return TActionLink::IsHintLinked() && FClient->Hint() == CustomAction()->Hint();
}
bool TControlActionLink::IsVisibleLinked() const {
    return TActionLink::IsVisibleLinked() && FClient->Visible() == CustomAction()->Visible();
}
bool TControlActionLink::IsOnExecuteLinked() const {
    return TActionLink::IsOnExecuteLinked() && !FClient->OnClick;
}

void TControlActionLink::SetCaption(const String& Value) {
    if (IsCaptionLinked()) FClient->SetCaption(Value);
}
void TControlActionLink::SetEnabled(bool Value) {
    if (IsEnabledLinked()) FClient->SetEnabled(Value);
}
void TControlActionLink::SetHint(const String& Value) {
    if (IsHintLinked()) FClient->SetHint(Value);
}
void TControlActionLink::SetVisible(bool Value) {
    if (IsVisibleLinked()) FClient->SetVisible(Value);
}
