#pragma once
// TComponent: a named persistent object that may own other components.
// An owner frees what it owns; components that only refer to each other ask
// for a free notification and clear their reference in Notification(opRemove).
//
// Destruction runs in BeforeDestruction (through Free), while every object
// involved is still whole: the component is marked csDestroying, every
// component that asked for a free notification hears Notification(this,
// opRemove), the owned components are freed last-created first, and finally
// the owner removes the component (notifying itself and what it owns).

#include "rtl/Events.h"
#include "rtl/List.h"
#include "rtl/Persistent.h"

#include <functional>

enum TOperation { opInsert, opRemove };

RTL_ENUM(TComponentStateItem, csLoading, csReading, csWriting, csDestroying, csDesigning)
using TComponentState = TSet<TComponentStateItem>;
RTL_SET_INFO(TComponentState)

// A component name: empty, or a letter or underscore followed by letters,
// digits and underscores (ASCII).
bool IsValidIdent(const String& Ident);

class TComponent : public TPersistent {
    RTL_CLASS(TComponent)
public:
    // Joins AOwner's components when AOwner is given.
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;

    void BeforeDestruction() override;

    TComponent* Owner() const { return FOwner; }
    TPersistent* GetOwner() const override { return FOwner; }
    String GetNamePath() const override { return FName; }

    const String& Name() const { return FName; }
    // Raises EComponentError "'%s' is not a valid component name" for a name
    // that is not an identifier and "A component named %s already exists"
    // for one that another component of the same owner has (ignoring case).
    virtual void SetName(const String& NewName);

    NativeInt Tag() const { return FTag; }
    void SetTag(NativeInt Value) { FTag = Value; }

    TComponentState ComponentState() const { return FComponentState; }
    // For component streams and designers: marks this component and, with
    // csLoading, csReading and csDesigning, the components it owns.
    void IncludeComponentState(TComponentState States);
    void ExcludeComponentState(TComponentState States);

    // The owned components, in the order they joined.
    Integer ComponentCount() const { return FComponents.Count(); }
    TComponent* Components(Integer Index) const { return static_cast<TComponent*>(FComponents.Items(Index)); }
    // Position in the owner's list, -1 without an owner.
    Integer ComponentIndex() const;
    void SetComponentIndex(Integer Value);

    // The owned component of that name (ignoring case), or null.
    TComponent* FindComponent(const String& AName) const;
    // Takes AComponent over (from its previous owner, if any) and notifies
    // opInsert; RemoveComponent gives it up again with opRemove.
    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    // Frees every owned component, last-created first.
    void DestroyComponents();
    // Marks this component and everything it owns csDestroying.
    void Destroying();

    // Asks to hear Notification(this component, opRemove) from AComponent
    // when it is freed, and the other way round.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // Completion after a stream has set the published properties.
    virtual void Loaded();

    // For component streams: the components written inside this one (those
    // Root owns), and the component this one is placed in when read back.
    virtual void GetChildren(const std::function<void(TComponent* Child)>& /*Proc*/, TComponent* /*Root*/) const {}
    virtual bool HasParent() const { return false; }
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent* /*Value*/) {}

protected:
    // Told when AComponent joins (opInsert) or leaves (opRemove) this
    // component's owner tree, or is freed after asking for a free
    // notification. Overrides clear their references and call this one,
    // which passes the news on to the owned components.
    virtual void Notification(TComponent* AComponent, TOperation Operation);

    // Checks NewName against the names of this owner's components.
    virtual void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) const;
    // Stores the new name without checks.
    virtual void ChangeName(const String& NewName) { FName = NewName; }

private:
    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);
    void RemoveFreeNotifications();
    // Everything destruction does; runs once, from BeforeDestruction or, for
    // a component deleted without Free, from the destructor.
    void TearDown();

    TComponent* FOwner = nullptr;
    String FName;
    NativeInt FTag = 0;
    TComponentState FComponentState;
    TList FComponents;
    TList FFreeNotifies;
    bool FTornDown = false;
};
