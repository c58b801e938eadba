#pragma once
// Actions and the links that tie controls to them.
//
// An action holds what several controls show and do alike: a caption, a
// checked state, its group, whether it is enabled and visible, a hint, an
// image and a shortcut, and OnExecute. A control linked to an action
// (TControl::SetAction) takes the action's values when it is linked and
// whenever they change; the link decides, property by property, whether
// the control still follows the action (IsCaptionLinked …). A control
// class that follows more of the action derives its own link from
// TControlActionLink and answers it from GetActionLinkClass.

#include "graphics/ImageList.h"
#include "vcl/Controls.h"

#include <memory>
#include <vector>

class TBasicActionLink;

class TBasicAction : public TComponent {
    RTL_CLASS(TBasicAction)
public:
    explicit TBasicAction(TComponent* AOwner);
    void BeforeDestruction() override;

    // Runs OnExecute; false when the action has none.
    virtual bool Execute();
    // Runs OnUpdate; false when the action has none.
    virtual bool Update();
    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;

protected:
    // Tells every link that a property changed.
    void Change();
    const std::vector<TBasicActionLink*>& Clients() const { return FClients; }

private:
    friend class TBasicActionLink;
    std::vector<TBasicActionLink*> FClients;
};

class TCustomAction : public TBasicAction {
    RTL_CLASS(TCustomAction)
public:
    explicit TCustomAction(TComponent* AOwner) : TBasicAction(AOwner) {}

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    bool Checked() const { return FChecked; }
    // Checking an action of a group unchecks the other actions of the group
    // that have the same owner.
    void SetChecked(bool Value);
    Integer GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Integer Value);
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool Value) { FAutoCheck = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value);
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);
    Word ShortCut() const { return FShortCut; }
    void SetShortCut(Word Value);

    // AutoCheck toggles Checked first.
    bool Execute() override;

private:
    String FCaption;
    bool FChecked = false;
    Integer FGroupIndex = 0;
    bool FAutoCheck = false;
    bool FEnabled = true;
    bool FVisible = true;
    String FHint;
    Integer FImageIndex = -1;
    Word FShortCut = 0;
};

class TAction : public TCustomAction {
    RTL_CLASS(TAction)
public:
    explicit TAction(TComponent* AOwner) : TCustomAction(AOwner) {}
};

class TBasicActionLink : public TObject {
    RTL_CLASS(TBasicActionLink)
public:
    explicit TBasicActionLink(TObject* AClient) : FClient(AClient) {}
    ~TBasicActionLink() override;

    TBasicAction* Action() const { return FAction; }
    void SetAction(TBasicAction* Value);
    TObject* Client() const { return FClient; }
    // Runs the action for the client.
    virtual bool Execute();
    virtual bool Update();
    TNotifyEvent OnChange;

protected:
    friend class TBasicAction;
    virtual void Change();
    TObject* FClient;

private:
    TBasicAction* FAction = nullptr;
};

class TActionLink : public TBasicActionLink {
    RTL_CLASS(TActionLink)
public:
    using TBasicActionLink::TBasicActionLink;

    // Whether the client follows the action in each property; by default it
    // does whenever it is linked to a TCustomAction.
    virtual bool IsCaptionLinked() const;
    virtual bool IsCheckedLinked() const;
    virtual bool IsEnabledLinked() const;
    virtual bool IsGroupIndexLinked() const;
    virtual bool IsHintLinked() const;
    virtual bool IsImageIndexLinked() const;
    virtual bool IsShortCutLinked() const;
    virtual bool IsVisibleLinked() const;
    virtual bool IsOnExecuteLinked() const;

    // Pass a linked value on to the client (nothing here).
    virtual void SetCaption(const String&) {}
    virtual void SetChecked(bool) {}
    virtual void SetEnabled(bool) {}
    virtual void SetGroupIndex(Integer) {}
    virtual void SetHint(const String&) {}
    virtual void SetImageIndex(Integer) {}
    virtual void SetShortCut(Word) {}
    virtual void SetVisible(bool) {}

protected:
    TCustomAction* CustomAction() const { return dynamic_cast<TCustomAction*>(Action()); }
};

// The link of a control: caption, enabled state, hint and visibility follow
// the action, and a click runs it.
class TControlActionLink : public TActionLink {
    RTL_CLASS(TControlActionLink)
public:
    explicit TControlActionLink(TControl* AClient) : TActionLink(AClient), FClient(AClient) {}

    bool IsCaptionLinked() const override;
    bool IsEnabledLinked() const override;
    bool IsHintLinked() const override;
    bool IsVisibleLinked() const override;
    bool IsOnExecuteLinked() const override;

    void SetCaption(const String& Value) override;
    void SetEnabled(bool Value) override;
    void SetHint(const String& Value) override;
    void SetVisible(bool Value) override;

protected:
    TControl* FClient;
};
