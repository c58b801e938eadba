// Page controls and their tab sheets.

#include "vcl/PageControl.h"

#include "graphics/GdiControls.h"
#include "graphics/GdiText.h"
#include "graphics/Rect.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Format.h"
#include "vcl/Forms.h"
#include "windowing/Input.h"
#include "windowing/Paint.h"

#include <algorithm>

using namespace winapi;

const TClassInfo& TTabSheet::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TTabSheet, TCustomControl>()
                                       .Property(u"PageControl", &TTabSheet::PageControl, &TTabSheet::SetPageControl)
                                       .Property(u"TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible)
                                       .Default(true)
            .Property(u"OnShow", &TTabSheet::OnShow, [](auto& C, TNotifyEvent E) { C.OnShow = std::move(E); })
            .Property(u"OnHide", &TTabSheet::OnHide, [](auto& C, TNotifyEvent E) { C.OnHide = std::move(E); })
                                       .Build();
    return Info;
}
const TClassInfo& TPageControl::StaticClassInfo() {
    static const TClassInfo Info =
        TClassBuilder<TPageControl, TCustomControl>()
            .Property(u"ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage)
            .Property(u"HotTrack", &TPageControl::HotTrack, &TPageControl::SetHotTrack)
            .Default(false)
            .Property(u"TabHeight", &TPageControl::TabHeight, &TPageControl::SetTabHeight)
            .Default(0)
            .Property(u"TabWidth", &TPageControl::TabWidth, &TPageControl::SetTabWidth)
            .Default(0)
            .Property(u"OnChange", &TPageControl::OnChange, [](auto& C, TNotifyEvent E) { C.OnChange = std::move(E); })
            .Property(u"OnChanging", &TPageControl::OnChanging, [](auto& C, TTabChangingEvent E) { C.OnChanging = std::move(E); })
            .Build();
    return Info;
}

namespace {

// Text measured in a font on the screen, so layouts need no window.
TSize MeasureText(const TFont* Font, const String& Text) {
    HDC DC = GetDC(nullptr);
    TCanvas Measure;
    Measure.SetHandle(DC);
    Measure.Font()->Assign(Font);
    TRect Rect{0, 0, 0, 0};
    DrawText(Measure.Handle(), Text.empty() ? String(u" ") : Text, Rect, DT_SINGLELINE | DT_CALCRECT);
    Measure.SetHandle(nullptr);
    ReleaseDC(nullptr, DC);
    return {Text.empty() ? 0 : Rect.Width(), Rect.Height()};
}

constexpr Integer TabPadding = 6; // on each side of a caption

} // namespace

// ---- TTabSheet ----

TTabSheet::TTabSheet(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(TControlStyle{csAcceptsControls, csClickEvents, csSetCaption, csOpaque, csDoubleClicks,
                                  csParentBackground});
    InitAppearance(false, clBtnFace, true);
    Brush()->SetColor(clBtnFace);
    SetAlign(alClient);
}

TTabSheet::~TTabSheet() = default;

void TTabSheet::BeforeDestruction() {
    SetPageControl(nullptr);
    TCustomControl::BeforeDestruction();
}

void TTabSheet::SetPageControl(TPageControl* Value) {
    if (Value == FPageControl) return;
    SetParent(Value);
}

void TTabSheet::SetParent(TWinControl* AParent) {
    TPageControl* Old = FPageControl;
    auto* New = dynamic_cast<TPageControl*>(AParent);
    if (Old && Old != New) {
        FPageControl = nullptr;
        Old->RemovePage(this);
    }
    TCustomControl::SetParent(AParent);
    if (New && New != Old) {
        FPageControl = New;
        New->InsertPage(this);
    }
}

Integer TTabSheet::PageIndex() const {
    if (!FPageControl) return -1;
    auto& Pages = FPageControl->FPages;
    return Integer(std::find(Pages.begin(), Pages.end(), this) - Pages.begin());
}

void TTabSheet::SetPageIndex(Integer Value) {
    if (!FPageControl) return;
    auto& Pages = FPageControl->FPages;
    Value = std::clamp(Value, 0, Integer(Pages.size()) - 1);
    Pages.erase(Pages.begin() + PageIndex());
    Pages.insert(Pages.begin() + Value, this);
    FPageControl->PageTabChanged();
}

Integer TTabSheet::TabIndex() const {
    if (!FPageControl || !FTabVisible) return -1;
    auto Tabs = FPageControl->VisibleTabs();
    return Integer(std::find(Tabs.begin(), Tabs.end(), this) - Tabs.begin());
}

void TTabSheet::SetTabVisible(bool Value) {
    if (FTabVisible == Value) return;
    FTabVisible = Value;
    if (FPageControl) FPageControl->PageTabChanged();
}

void TTabSheet::WndProc(TMessage& Message) {
    TCustomControl::WndProc(Message);
    if (Message.Msg == CM_TEXTCHANGED && FPageControl) FPageControl->PageTabChanged();
}

void TTabSheet::Paint() {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
}

// ---- TPageControl ----

TPageControl::TPageControl(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks});
    InitAppearance(true, clBtnFace, true);
    Brush()->SetColor(clBtnFace);
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
}

TPageControl::~TPageControl() = default;

TTabSheet* TPageControl::Pages(Integer Index) const {
    if (Index < 0 || Index >= PageCount()) throw EListError(Format(u"List index out of bounds (%d)", {Index}));
    return FPages[std::size_t(Index)];
}

std::vector<TTabSheet*> TPageControl::VisibleTabs() const {
    std::vector<TTabSheet*> Tabs;
    for (TTabSheet* Page : FPages)
        if (Page->TabVisible()) Tabs.push_back(Page);
    return Tabs;
}

void TPageControl::InsertPage(TTabSheet* Page) {
    FPages.push_back(Page);
    if (!FActivePage)
        SetActivePage(Page);
    else
        Page->SetVisible(false);
    PageTabChanged();
}

void TPageControl::RemovePage(TTabSheet* Page) {
    if (ComponentState().Contains(csDestroying)) {
        // Going with the form: no other sheet shows.
        FPages.erase(std::remove(FPages.begin(), FPages.end(), Page), FPages.end());
        if (FActivePage == Page) FActivePage = nullptr;
        return;
    }
    TTabSheet* Next = FActivePage == Page ? FindNextPage(Page, true, false) : FActivePage;
    FPages.erase(std::remove(FPages.begin(), FPages.end(), Page), FPages.end());
    if (FActivePage == Page) {
        FActivePage = nullptr;
        SetActivePage(Next == Page ? nullptr : Next);
    }
    PageTabChanged();
}

void TPageControl::PageTabChanged() {
    FHotTab = -1;
    Realign();
    Invalidate();
}

Integer TPageControl::ActivePageIndex() const {
    return FActivePage ? FActivePage->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(Integer Value) {
    SetActivePage(Value >= 0 && Value < PageCount() ? FPages[std::size_t(Value)] : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* Page) {
    if (Page && Page->PageControl() != this) return;
    if (Page == FActivePage) return;
    TTabSheet* Old = FActivePage;
    // The focus inside the old sheet moves to the new one (or to the page
    // control) before the old sheet hides.
    TCustomForm* Form = GetParentForm(this);
    bool FocusInside = Form && Old && Form->ActiveControl() && Old->ContainsControl(Form->ActiveControl());
    FActivePage = Page;
    if (Page) {
        Page->SetBounds(DisplayRect().Left, DisplayRect().Top, DisplayRect().Width(), DisplayRect().Height());
        Page->SetVisible(true);
        Page->BringToFront();
    }
    if (FocusInside) {
        if (Page && Page->CanFocus()) Page->SelectFirst();
        if (Old->ContainsControl(Form->ActiveControl()) && CanFocus()) SetFocus();
    }
    if (Old) {
        Old->SetVisible(false);
        if (Old->OnHide) Old->OnHide(Old);
    }
    Realign();
    Invalidate();
    if (Page && Page->OnShow) Page->OnShow(Page);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const {
    if (FPages.empty()) return nullptr;
    Integer Count = PageCount();
    Integer Start = Integer(std::find(FPages.begin(), FPages.end(), CurPage) - FPages.begin());
    if (Start == Count) Start = -1;
    if (Start < 0) Start = GoForward ? Count - 1 : 0;
    Integer I = Start;
    for (Integer Step = 0; Step < Count; ++Step) {
        I = GoForward ? (I + 1) % Count : (I + Count - 1) % Count;
        TTabSheet* Page = FPages[std::size_t(I)];
        if (!CheckTabVisible || Page->TabVisible()) return Page;
    }
    return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward, bool CheckTabVisible) {
    TTabSheet* Page = FindNextPage(FActivePage, GoForward, CheckTabVisible);
    if (Page && Page != FActivePage) UserChange(Page);
}

bool TPageControl::CanChange() {
    bool Allow = true;
    if (OnChanging) OnChanging(this, Allow);
    return Allow;
}

void TPageControl::Change() {
    if (OnChange) OnChange(this);
}

void TPageControl::UserChange(TTabSheet* Page) {
    if (!CanChange()) return;
    SetActivePage(Page);
    Change();
}

void TPageControl::SetTabWidth(Integer Value) {
    Value = std::max(Value, 0);
    if (FTabWidth == Value) return;
    FTabWidth = Value;
    Invalidate();
}

void TPageControl::SetTabHeight(Integer Value) {
    Value = std::max(Value, 0);
    if (FTabHeight == Value) return;
    FTabHeight = Value;
    PageTabChanged();
}

void TPageControl::SetHotTrack(bool Value) {
    if (FHotTrack == Value) return;
    FHotTrack = Value;
    Invalidate();
}

void TPageControl::SetHotTab(Integer Value) {
    if (FHotTab == Value) return;
    FHotTab = Value;
    if (FHotTrack) Invalidate();
}

Integer TPageControl::TabRowHeight() const {
    if (VisibleTabs().empty()) return 0;
    return FTabHeight > 0 ? FTabHeight : MeasureText(Font(), u"Ag").cy + 6;
}

TRect TPageControl::TabRect(Integer TabIndex) const {
    auto Tabs = VisibleTabs();
    if (TabIndex < 0 || TabIndex >= Integer(Tabs.size())) return {};
    Integer X = 2;
    for (Integer I = 0;; ++I) {
        Integer W = FTabWidth > 0 ? FTabWidth : MeasureText(Font(), Tabs[std::size_t(I)]->Caption()).cx + 2 * TabPadding;
        if (I == TabIndex) return {X, 2, X + W, 2 + TabRowHeight()};
        X += W;
    }
}

Integer TPageControl::IndexOfTabAt(Integer X, Integer Y) const {
    auto Tabs = VisibleTabs();
    for (Integer I = 0; I < Integer(Tabs.size()); ++I)
        if (PtInRect(TabRect(I), {X, Y})) return I;
    return -1;
}

TRect TPageControl::DisplayRect() const {
    TRect Rect = ClientRect();
    AdjustClientRect(Rect);
    return Rect;
}

void TPageControl::AdjustClientRect(TRect& Rect) const {
    Integer Row = TabRowHeight();
    Rect.Top += Row > 0 ? Row + 2 : 0;
    InflateRect(Rect, -4, -4);
}

void TPageControl::KeyDown(Word& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (Shift.Contains(ssCtrl) || Shift.Contains(ssAlt)) return;
    switch (Key) {
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        // The arrows stop at the first and last tab.
        auto Tabs = VisibleTabs();
        Integer Current = FActivePage ? FActivePage->TabIndex() : -1;
        Integer Next = Current + (Key == VK_LEFT || Key == VK_UP ? -1 : 1);
        if (Next >= 0 && Next < Integer(Tabs.size())) UserChange(Tabs[std::size_t(Next)]);
        Key = 0;
        break;
    }
    default:
        break;
    }
}

void TPageControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    Integer Tab = IndexOfTabAt(X, Y);
    if (Tab < 0) return;
    TTabSheet* Page = VisibleTabs()[std::size_t(Tab)];
    if (Page != FActivePage) {
        if (!CanChange()) return; // the sheet and the focus stay
        SetActivePage(Page);
        if (CanFocus()) SetFocus();
        Change();
    } else if (CanFocus()) {
        SetFocus();
    }
}

void TPageControl::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    SetHotTab(IndexOfTabAt(X, Y));
}

void TPageControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS;
        return;
    case CM_DIALOGKEY:
        // Ctrl+Tab and Ctrl+Shift+Tab anywhere inside the page control.
        if (Message.WParam == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
            TCustomForm* Form = GetParentForm(this);
            TWinControl* Active = Form ? Form->ActiveControl() : nullptr;
            if (Active && (Active == this || ContainsControl(Active))) {
                SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
                Message.Result = 1;
                return;
            }
        }
        break;
    case CM_MOUSELEAVE:
        TCustomControl::WndProc(Message);
        if (Message.LParam == 0) SetHotTab(-1);
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::WndProc(Message);
        Invalidate();
        return;
    case CM_FONTCHANGED:
        TCustomControl::WndProc(Message);
        PageTabChanged();
        return;
    case WM_SIZE:
        TCustomControl::WndProc(Message);
        if (FActivePage) FActivePage->SetBoundsRect(DisplayRect());
        return;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}

void TPageControl::Paint() {
    TCanvas* C = Canvas();
    TRect Client = ClientRect();
    C->Brush()->SetColor(Color());
    C->FillRect(Client);
    Integer Row = TabRowHeight();
    TRect Frame{0, Row > 0 ? Row + 2 : 0, Client.Right, Client.Bottom};
    DrawEdge(C->Handle(), Frame, EDGE_RAISED, BF_RECT);
    auto Tabs = VisibleTabs();
    C->Font()->Assign(Font());
    SetBkMode(C->Handle(), TRANSPARENT);
    HDC DC = C->Handle();
    for (Integer I = 0; I < Integer(Tabs.size()); ++I) {
        TTabSheet* Page = Tabs[std::size_t(I)];
        bool Active = Page == FActivePage;
        TRect Tab = TabRect(I);
        if (Active) {
            // The active tab stands out and joins the frame below it.
            Tab.Left -= 2;
            Tab.Right += 2;
            Tab.Top -= 2;
            Tab.Bottom += 1;
        }
        C->Brush()->SetColor(Color());
        C->FillRect(Tab);
        TRect Edge{Tab.Left, Tab.Top, Tab.Right, Tab.Bottom + (Active ? 1 : 0)};
        DrawEdge(DC, Edge, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT);
        TRect Text = Tab;
        C->Font()->SetColor(!Enabled()                        ? clGrayText
                            : FHotTrack && I == FHotTab && !Active ? clHotLight
                                                              : Font()->Color());
        DrawText(DC, Page->Caption(), Text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (Active && Focused()) {
            TRect Focus = Tab;
            InflateRect(Focus, -3, -3);
            C->DrawFocusRect(Focus);
        }
    }
}
