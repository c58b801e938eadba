#pragma once
// Page controls: a row of tabs above a frame that shows one tab sheet at a
// time. The user changes the sheet by a click on its tab, by the arrow keys
// while the page control has the focus, and by Ctrl+Tab and Ctrl+Shift+Tab
// while the focus is anywhere inside it. Before a change by the user
// OnChanging may refuse it (the sheet and the focus stay); after it
// OnChange runs. A sheet's OnShow runs whenever it becomes the active one,
// also when code sets ActivePage.

#include "vcl/Controls.h"

#include <vector>

class TPageControl;

class TTabSheet : public TCustomControl {
    RTL_CLASS(TTabSheet)
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;
    void BeforeDestruction() override;

    TPageControl* PageControl() const { return FPageControl; }
    // Puts the sheet on a page control (as its last page), or takes it off.
    void SetPageControl(TPageControl* Value);
    // The sheet's place among all pages (-1 off a page control).
    Integer PageIndex() const;
    void SetPageIndex(Integer Value);
    // The sheet's place among the shown tabs (-1 when its tab is hidden).
    Integer TabIndex() const;
    // A sheet whose tab is hidden can still be the active one (wizards).
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool Value);

    void SetParent(TWinControl* AParent) override;
    void WndProc(TMessage& Message) override;

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

protected:
    void Paint() override;

private:
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
};

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TPageControl : public TCustomControl {
    RTL_CLASS(TPageControl)
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;

    Integer PageCount() const { return Integer(FPages.size()); }
    TTabSheet* Pages(Integer Index) const;
    TTabSheet* ActivePage() const { return FActivePage; }
    // Shows the sheet (null: none); runs the sheets' OnHide and OnShow but
    // neither OnChanging nor OnChange.
    void SetActivePage(TTabSheet* Page);
    Integer ActivePageIndex() const;
    void SetActivePageIndex(Integer Value);
    // The page after (before) CurPage, round the end; only pages with a
    // shown tab when CheckTabVisible. Null when there is none.
    TTabSheet* FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const;
    // Moves to the next (previous) page as the user does: with OnChanging
    // and OnChange.
    void SelectNextPage(bool GoForward, bool CheckTabVisible = true);

    // The width of every tab (0: each as wide as its caption).
    Integer TabWidth() const { return FTabWidth; }
    void SetTabWidth(Integer Value);
    Integer TabHeight() const { return FTabHeight; }
    void SetTabHeight(Integer Value);
    // The tab under the mouse is drawn in the hot colour.
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool Value);
    // The tab under the mouse (-1: none), as a tab index.
    Integer HotTab() const { return FHotTab; }

    // The rectangle of a shown tab (by tab index), and the tab at a point.
    TRect TabRect(Integer TabIndex) const;
    Integer IndexOfTabAt(Integer X, Integer Y) const;
    // Where the sheets go.
    TRect DisplayRect() const;

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

    void WndProc(TMessage& Message) override;

protected:
    virtual bool CanChange();
    virtual void Change();
    void AdjustClientRect(TRect& Rect) const override;
    void Paint() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* Page);
    void RemovePage(TTabSheet* Page);
    void PageTabChanged();
    // A change asked for by the user: OnChanging, the new sheet with the
    // focus moved into it when it was in the old one, OnChange.
    void UserChange(TTabSheet* Page);
    std::vector<TTabSheet*> VisibleTabs() const;
    Integer TabRowHeight() const;
    void SetHotTab(Integer Value);

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
    Integer FTabWidth = 0;
    Integer FTabHeight = 0;
    bool FHotTrack = false;
    Integer FHotTab = -1;
};
