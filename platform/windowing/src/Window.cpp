// Window classes and records: creation, destruction, the tree, styles,
// visibility, placement and z-order.

#include "WindowSystem.h"
#include "rtl/StringUtils.h"
#include "rtl/TextCompare.h"
#include "windowing/Focus.h"
#include "windowing/SystemMetrics.h"
#include "windowing/ToolTips.h"

#include <algorithm>

using namespace winapi;

namespace {

std::vector<HWND>& SiblingList(HWND window) {
    return IsTopLevel(*window) ? System().TopLevels : window->Parent->Children;
}

void Unlink(HWND window) {
    auto& list = SiblingList(window);
    list.erase(std::remove(list.begin(), list.end(), window), list.end());
}

// Inserts a top-level window at the front of its band (topmost or not).
void InsertTopLevelAtFront(HWND window) {
    auto& list = System().TopLevels;
    bool topmost = window->ExStyle & WS_EX_TOPMOST;
    auto at = list.begin();
    if (!topmost)
        while (at != list.end() && ((*at)->ExStyle & WS_EX_TOPMOST))
            ++at;
    list.insert(at, window);
}

void InsertTopLevelAtBack(HWND window) {
    auto& list = System().TopLevels;
    if (window->ExStyle & WS_EX_TOPMOST) {
        auto at = list.begin();
        while (at != list.end() && ((*at)->ExStyle & WS_EX_TOPMOST))
            ++at;
        list.insert(at, window);
    } else {
        list.push_back(window);
    }
}

// Puts owned windows back above their owners after the owner moved up.
void RaiseOwnedAbove(HWND owner) {
    auto& list = System().TopLevels;
    std::vector<HWND> owned;
    for (HWND w : list)
        if (w->Owner == owner) owned.push_back(w);
    for (auto it = owned.rbegin(); it != owned.rend(); ++it) {
        HWND w = *it;
        auto ownerAt = std::find(list.begin(), list.end(), owner);
        auto at = std::find(list.begin(), list.end(), w);
        if (at > ownerAt) {
            list.erase(at);
            // Not above topmost windows unless topmost itself.
            ownerAt = std::find(list.begin(), list.end(), owner);
            list.insert(ownerAt, w);
        }
        RaiseOwnedAbove(w);
    }
}

void ApplyZOrder(HWND window, HWND insertAfter) {
    bool top = IsTopLevel(*window);
    if (top) {
        if (insertAfter == HWND_TOPMOST)
            window->ExStyle |= WS_EX_TOPMOST;
        else if (insertAfter == HWND_NOTOPMOST)
            window->ExStyle &= ~WS_EX_TOPMOST;
    }
    auto& list = SiblingList(window);
    Unlink(window);
    if (insertAfter == HWND_BOTTOM) {
        if (top)
            InsertTopLevelAtBack(window);
        else
            list.push_back(window);
    } else if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST ||
               !Record(insertAfter) || insertAfter == window) {
        if (top)
            InsertTopLevelAtFront(window);
        else
            list.insert(list.begin(), window);
    } else {
        auto at = std::find(list.begin(), list.end(), insertAfter);
        list.insert(at == list.end() ? list.end() : at + 1, window);
    }
    if (top) {
        RaiseOwnedAbove(window);
        Backend().WindowRaised(window);
    }
}

void DestroyPhaseOne(HWND window) {
    window->Destroying = true;
    Send(window, WM_DESTROY);
    for (HWND child : std::vector<HWND>(window->Children))
        if (Record(child)) DestroyPhaseOne(child);
}

void DestroyPhaseTwo(HWND window) {
    for (HWND child : std::vector<HWND>(window->Children))
        if (Record(child)) DestroyPhaseTwo(child);
    Send(window, WM_NCDESTROY);
    auto& system = System();
    detail::DropWindowTimers(window);
    system.DropTargets.erase(window);
    detail::ForgetClipboardWindow(window);
    detail::ForgetWindow(window);
    if (IsTopLevel(*window)) system.BackendPtr->WindowDestroyed(window);
    Unlink(window);
    if (!IsTopLevel(*window))
        window->Parent = nullptr; // the record stays until collected; keep no link into the tree
    detail::ReleaseSurface(*window);
    system.Live.erase(window);
    system.Graveyard.emplace_back(window);
}

} // namespace

namespace winapi {

ATOM RegisterClass(const WNDCLASS& windowClass) {
    if (windowClass.lpszClassName.empty() || !windowClass.lpfnWndProc) return 0;
    auto& system = System();
    String key = UpperCase(windowClass.lpszClassName);
    if (system.Classes.count(key)) return 0;
    auto record = std::make_shared<TWindowClassRecord>();
    record->Info = windowClass;
    record->Atom = ATOM(detail::RegisterAtom(windowClass.lpszClassName));
    system.Classes.emplace(key, record);
    return record->Atom;
}

bool UnregisterClass(const String& className) {
    auto& system = System();
    String key = UpperCase(className);
    auto found = system.Classes.find(key);
    if (found == system.Classes.end()) return false;
    for (HWND window : system.Live)
        if (window->Class == found->second) return false; // windows of the class still exist
    system.Classes.erase(found);
    return true;
}

bool GetClassInfo(const String& className, WNDCLASS& windowClass) {
    auto& system = System();
    auto found = system.Classes.find(UpperCase(className));
    if (found == system.Classes.end()) return false;
    windowClass = found->second->Info;
    return true;
}

Integer GetClassName(HWND window, String& className) {
    if (!Record(window)) return 0;
    className = window->Class->Info.lpszClassName;
    return Integer(className.size());
}

DWORD GetClassLong(HWND window, Integer index) {
    if (!Record(window) || index != GCL_STYLE) return 0;
    return window->Class->Info.style;
}

DWORD SetClassLong(HWND window, Integer index, DWORD value) {
    if (!Record(window) || index != GCL_STYLE) return 0;
    DWORD old = window->Class->Info.style;
    window->Class->Info.style = value;
    return old;
}

HWND CreateWindowEx(DWORD exStyle, const String& className, const String& windowName, DWORD style, Integer x,
                    Integer y, Integer width, Integer height, HWND parent, NativeInt id, void* param) {
    auto& system = System();
    auto found = system.Classes.find(UpperCase(className));
    // The common controls' classes are there without being registered.
    if (found == system.Classes.end() && SameText(className, TOOLTIPS_CLASS)) {
        InitCommonControls();
        found = system.Classes.find(UpperCase(className));
    }
    if (found == system.Classes.end()) return nullptr;
    bool child = style & WS_CHILD;
    if (parent && !Record(parent)) return nullptr;
    if (child && !parent) return nullptr;

    auto* window = new TWindowRecord;
    window->Class = found->second;
    window->Text = windowName;
    window->Style = style & ~WS_VISIBLE;
    window->ExStyle = exStyle;
    window->Proc = found->second->Info.lpfnWndProc;
    window->Id = id;
    window->Rect = Bounds(x, y, std::max(width, 0), std::max(height, 0));
    if (child) {
        window->Parent = parent;
        parent->Children.insert(parent->Children.begin(), window);
    } else {
        window->Owner = parent ? TopLevelOf(parent) : nullptr;
        InsertTopLevelAtFront(window);
    }
    system.Live.insert(window);
    if (!child) system.BackendPtr->WindowCreated(window);

    CREATESTRUCT create;
    create.lpCreateParams = param;
    create.id = id;
    create.hwndParent = parent;
    create.x = x;
    create.y = y;
    create.cx = width;
    create.cy = height;
    create.style = style;
    create.dwExStyle = exStyle;
    create.lpszName = windowName;
    create.lpszClass = className;
    if (!Send(window, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create))) {
        DestroyWindow(window);
        return nullptr;
    }
    detail::RecalcClient(window);
    if (!child && Record(window)) system.BackendPtr->WindowMoved(window, window->Rect, window->Client);
    if (Send(window, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow(window);
        return nullptr;
    }
    if (!Record(window)) return nullptr; // destroyed by its own creation handler
    window->Created = true;
    Send(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(window->Client.Width(), window->Client.Height()));
    Send(window, WM_MOVE, 0,
         MAKELPARAM(window->Rect.Left + window->Client.Left, window->Rect.Top + window->Client.Top));
    if (Record(window) && (style & WS_VISIBLE)) ShowWindow(window, child ? SW_SHOWNA : SW_SHOW);
    return Record(window);
}

bool DestroyWindow(HWND window) {
    if (!Record(window)) return false;
    if (window->Destroying) return true;
    auto& system = System();
    ++system.DispatchDepth; // keep records of the tree alive until the end
    // Owned windows go first, as on the platform.
    for (HWND other : std::vector<HWND>(system.TopLevels))
        if (Record(other) && other->Owner == window) DestroyWindow(other);
    if (Record(window) && (window->Style & WS_VISIBLE))
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (Record(window)) {
        DestroyPhaseOne(window);
        DestroyPhaseTwo(window);
    }
    --system.DispatchDepth;
    CollectGarbage();
    return true;
}

bool IsWindow(HWND window) {
    return Record(window) != nullptr;
}

LRESULT CallWindowProc(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!procedure) return 0;
    return procedure(window, message, wParam, lParam);
}

LONG_PTR GetWindowLongPtr(HWND window, Integer index) {
    if (!Record(window)) return 0;
    switch (index) {
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(window->Proc);
    case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>(IsTopLevel(*window) ? window->Owner : window->Parent);
    case GWLP_ID:
        return window->Id;
    case GWL_STYLE:
        return LONG_PTR(window->Style);
    case GWL_EXSTYLE:
        return LONG_PTR(window->ExStyle);
    case GWLP_USERDATA:
        return window->UserData;
    default:
        return 0;
    }
}

LONG_PTR SetWindowLongPtr(HWND window, Integer index, LONG_PTR value) {
    if (!Record(window)) return 0;
    LONG_PTR old = GetWindowLongPtr(window, index);
    switch (index) {
    case GWLP_WNDPROC:
        if (value) window->Proc = reinterpret_cast<WNDPROC>(value);
        break;
    case GWLP_HWNDPARENT:
        if (IsTopLevel(*window)) {
            HWND owner = reinterpret_cast<HWND>(value);
            window->Owner = Record(owner) ? TopLevelOf(owner) : nullptr;
        }
        break;
    case GWLP_ID:
        window->Id = value;
        break;
    case GWL_STYLE:
    case GWL_EXSTYLE: {
        STYLESTRUCT change{DWORD(old), DWORD(value)};
        if (index == GWL_STYLE) {
            // Whether a window is a child is fixed at creation.
            change.styleNew = (change.styleNew & ~WS_CHILD) | (window->Style & WS_CHILD);
        } else {
            // Topmost follows SetWindowPos only.
            change.styleNew = (change.styleNew & ~WS_EX_TOPMOST) | (window->ExStyle & WS_EX_TOPMOST);
        }
        Send(window, WM_STYLECHANGING, WPARAM(index), reinterpret_cast<LPARAM>(&change));
        if (!Record(window)) return old;
        (index == GWL_STYLE ? window->Style : window->ExStyle) = change.styleNew;
        Send(window, WM_STYLECHANGED, WPARAM(index), reinterpret_cast<LPARAM>(&change));
        break;
    }
    case GWLP_USERDATA:
        window->UserData = value;
        break;
    default:
        return 0;
    }
    return old;
}

bool SetWindowText(HWND window, const String& text) {
    if (!Record(window)) return false;
    return Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(&text)) != 0;
}

String GetWindowText(HWND window) {
    if (!Record(window)) return String();
    String text;
    Send(window, WM_GETTEXT, 0, reinterpret_cast<LPARAM>(&text));
    return text;
}

HWND GetParent(HWND window) {
    if (!Record(window)) return nullptr;
    return IsTopLevel(*window) ? window->Owner : window->Parent;
}

HWND SetParent(HWND window, HWND newParent) {
    if (!Record(window) || !Record(newParent) || IsTopLevel(*window)) return nullptr;
    if (newParent == window || IsChild(window, newParent)) return nullptr;
    HWND old = window->Parent;
    if (old == newParent) return old;
    bool visible = IsShownChain(window);
    if (visible) detail::InvalidateExposedArea(TopLevelOf(window), SurfaceRect(window));
    Unlink(window);
    window->Parent = newParent;
    newParent->Children.insert(newParent->Children.begin(), window);
    // The focus stays where it is; capture and tracking follow the window.
    if (IsShownChain(window)) detail::InvalidateAfterShow(window);
    return old;
}

HWND GetAncestor(HWND window, UINT kind) {
    if (!Record(window)) return nullptr;
    switch (kind) {
    case GA_PARENT:
        return IsTopLevel(*window) ? GetDesktopWindow() : window->Parent;
    case GA_ROOT:
        return TopLevelOf(window);
    case GA_ROOTOWNER: {
        HWND root = TopLevelOf(window);
        while (root->Owner)
            root = root->Owner;
        return root;
    }
    default:
        return nullptr;
    }
}

HWND GetWindow(HWND window, UINT relation) {
    if (!Record(window)) return nullptr;
    if (relation == GW_OWNER) return IsTopLevel(*window) ? window->Owner : nullptr;
    if (relation == GW_CHILD) return window->Children.empty() ? nullptr : window->Children.front();
    auto& list = SiblingList(window);
    auto at = std::find(list.begin(), list.end(), window);
    switch (relation) {
    case GW_HWNDFIRST:
        return list.front();
    case GW_HWNDLAST:
        return list.back();
    case GW_HWNDNEXT:
        return at + 1 < list.end() ? *(at + 1) : nullptr;
    case GW_HWNDPREV:
        return at == list.begin() ? nullptr : *(at - 1);
    default:
        return nullptr;
    }
}

HWND GetTopWindow(HWND window) {
    if (!window) {
        auto& list = System().TopLevels;
        return list.empty() ? nullptr : list.front();
    }
    return GetWindow(window, GW_CHILD);
}

bool IsChild(HWND parent, HWND window) {
    if (!Record(parent) || !Record(window)) return false;
    for (HWND w = window; !IsTopLevel(*w); w = w->Parent)
        if (w->Parent == parent) return true;
    return false;
}

HWND GetDesktopWindow() {
    return nullptr;
}

HWND FindWindow(const String* className, const String* windowName) {
    for (HWND window : System().TopLevels) {
        if (className && !SameText(window->Class->Info.lpszClassName, *className)) continue;
        if (windowName && window->Text != *windowName) continue;
        return window;
    }
    return nullptr;
}

HWND GetDlgItem(HWND parent, NativeInt id) {
    if (!Record(parent)) return nullptr;
    for (HWND child : parent->Children)
        if (child->Id == id) return child;
    return nullptr;
}

NativeInt GetDlgCtrlID(HWND window) {
    return Record(window) ? window->Id : 0;
}

bool ShowWindow(HWND window, Integer command) {
    if (!Record(window)) return false;
    bool wasVisible = window->Style & WS_VISIBLE;
    bool top = IsTopLevel(*window);
    if (command == SW_HIDE) {
        if (!wasVisible) return false;
        Send(window, WM_SHOWWINDOW, 0, 0);
        if (Record(window))
            SetWindowPos(window, nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return wasVisible;
    }
    bool activate = top && !(command == SW_SHOWNOACTIVATE || command == SW_SHOWNA ||
                             command == SW_SHOWMINNOACTIVE || command == SW_MINIMIZE);
    if (!wasVisible) Send(window, WM_SHOWWINDOW, 1, 0);
    if (!Record(window)) return wasVisible;
    UINT flags = SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE;
    if (!activate) flags |= SWP_NOACTIVATE | SWP_NOZORDER;
    if (command == SW_SHOWNA || wasVisible) flags |= SWP_NOZORDER;
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, flags);
    return wasVisible;
}

bool IsWindowVisible(HWND window) {
    return Record(window) && IsShownChain(window);
}

bool EnableWindow(HWND window, bool enable) {
    if (!Record(window)) return false;
    bool wasDisabled = window->Style & WS_DISABLED;
    if (wasDisabled == !enable) return wasDisabled;
    if (enable) {
        window->Style &= ~WS_DISABLED;
    } else {
        window->Style |= WS_DISABLED;
        // A disabled window keeps neither the focus nor the capture.
        auto& system = System();
        if (system.Focus && (system.Focus == window || IsChild(window, system.Focus))) SetFocus(nullptr);
        if (system.Capture && (system.Capture == window || IsChild(window, system.Capture))) ReleaseCapture();
    }
    Send(window, WM_ENABLE, enable ? 1 : 0, 0);
    return wasDisabled;
}

bool IsWindowEnabled(HWND window) {
    return Record(window) && !(window->Style & WS_DISABLED);
}
bool IsIconic(HWND window) {
    return Record(window) && (window->Style & WS_MINIMIZE);
}
bool IsZoomed(HWND window) {
    return Record(window) && (window->Style & WS_MAXIMIZE);
}

bool SetWindowPos(HWND window, HWND insertAfter, Integer x, Integer y, Integer width, Integer height,
                  UINT flags) {
    if (!Record(window)) return false;
    WINDOWPOS pos{window, insertAfter, x, y, width, height, flags};
    if (flags & SWP_NOMOVE) {
        pos.x = window->Rect.Left;
        pos.y = window->Rect.Top;
    }
    if (flags & SWP_NOSIZE) {
        pos.cx = window->Rect.Width();
        pos.cy = window->Rect.Height();
    }
    if (!(flags & SWP_NOSENDCHANGING)) {
        Send(window, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
        if (!Record(window)) return false;
    }
    flags = pos.flags;
    bool top = IsTopLevel(*window);
    bool wasShown = IsShownChain(window);
    TRect oldSurfaceRect = SurfaceRect(window);
    TRect oldRect = window->Rect;
    TRect newRect = Bounds(pos.x, pos.y, std::max(pos.cx, 0), std::max(pos.cy, 0));
    bool moved = newRect.TopLeft() != oldRect.TopLeft();
    bool sized = newRect.Width() != oldRect.Width() || newRect.Height() != oldRect.Height();

    if (!(flags & SWP_NOZORDER)) ApplyZOrder(window, pos.hwndInsertAfter);
    window->Rect = newRect;
    if (sized || (flags & SWP_FRAMECHANGED)) detail::RecalcClient(window);
    if (!Record(window)) return false;
    if (flags & SWP_SHOWWINDOW) window->Style |= WS_VISIBLE;
    if (flags & SWP_HIDEWINDOW) window->Style &= ~WS_VISIBLE;
    bool shown = IsShownChain(window);

    auto& backend = Backend();
    if (top && (moved || sized || (flags & SWP_FRAMECHANGED)))
        backend.WindowMoved(window, window->Rect, window->Client);
    if (top && (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)))
        backend.WindowShown(window, window->Style & WS_VISIBLE, !(flags & SWP_NOACTIVATE));

    // What has to be painted again.
    if (!(flags & SWP_NOREDRAW)) {
        if (!top && wasShown && (!shown || moved || sized))
            detail::InvalidateExposedArea(TopLevelOf(window), oldSurfaceRect);
        if (shown && (!wasShown || sized || (flags & SWP_FRAMECHANGED) || (!top && moved)))
            detail::InvalidateAfterShow(window);
        else if (shown && !top && !(flags & SWP_NOZORDER))
            detail::InvalidateAfterShow(window);
    }
    if (wasShown && !shown) detail::WindowHidden(window);

    if (top && !(flags & SWP_NOACTIVATE) && (window->Style & WS_VISIBLE) &&
        !(window->ExStyle & WS_EX_NOACTIVATE)) {
        window->NoActivateShow = false;
        detail::ActivateTopLevel(window, WA_ACTIVE);
    } else if (top && (flags & SWP_SHOWWINDOW)) {
        window->NoActivateShow = true;
    }
    if (!Record(window)) return true;

    WINDOWPOS changed = pos;
    changed.x = window->Rect.Left;
    changed.y = window->Rect.Top;
    changed.cx = window->Rect.Width();
    changed.cy = window->Rect.Height();
    if (!moved) changed.flags |= SWP_NOMOVE;
    if (!sized) changed.flags |= SWP_NOSIZE;
    Send(window, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&changed));
    return true;
}

bool MoveWindow(HWND window, Integer x, Integer y, Integer width, Integer height, bool repaint) {
    return SetWindowPos(window, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? UINT(0) : UINT(SWP_NOREDRAW)));
}

bool BringWindowToTop(HWND window) {
    return SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool SetLayeredWindowAttributes(HWND window, TColor /*key*/, Byte alpha, DWORD flags) {
    if (!Record(window) || !IsTopLevel(*window) || !(window->ExStyle & WS_EX_LAYERED)) return false;
    if (flags & LWA_COLORKEY) return false; // colour-keyed transparency is not available
    Byte value = (flags & LWA_ALPHA) ? alpha : 255;
    if (value == window->Alpha) return true;
    window->Alpha = value;
    System().BackendPtr->WindowOpacityChanged(window, value);
    return true;
}

bool GetLayeredWindowAttributes(HWND window, TColor* key, Byte* alpha, DWORD* flags) {
    if (!Record(window) || !IsTopLevel(*window) || !(window->ExStyle & WS_EX_LAYERED)) return false;
    if (key) *key = 0;
    if (alpha) *alpha = window->Alpha;
    if (flags) *flags = LWA_ALPHA;
    return true;
}

bool AdjustWindowRectEx(TRect& rect, DWORD style, bool menu, DWORD exStyle) {
    TRect insets = detail::ClientInsets(style, exStyle, menu);
    rect.Left -= insets.Left;
    rect.Top -= insets.Top;
    rect.Right += insets.Right;
    rect.Bottom += insets.Bottom;
    return true;
}

} // namespace winapi

namespace detail {

TRect ClientInsets(DWORD style, DWORD exStyle, bool menu) {
    TRect insets;
    auto add = [&](Integer n) {
        insets.Left += n;
        insets.Top += n;
        insets.Right += n;
        insets.Bottom += n;
    };
    if (style & WS_THICKFRAME)
        add(4);
    else if (style & WS_DLGFRAME)
        add(3);
    else if (style & WS_BORDER)
        add(1);
    if ((style & WS_CAPTION) == WS_CAPTION) insets.Top += 23;
    if (menu && !(style & WS_CHILD)) insets.Top += GetSystemMetrics(SM_CYMENU);
    if (exStyle & WS_EX_CLIENTEDGE) add(2);
    if (exStyle & WS_EX_STATICEDGE) add(1);
    if (style & WS_VSCROLL) insets.Right += 17;
    if (style & WS_HSCROLL) insets.Bottom += 17;
    return insets;
}

TRect DefaultClientInsets(const TWindowRecord& record) {
    return ClientInsets(record.Style, record.ExStyle, record.Menu != nullptr);
}

void RecalcClient(HWND window) {
    NCCALCSIZE_PARAMS params;
    params.rgrc[0] = window->Rect;
    Send(window, WM_NCCALCSIZE, 1, reinterpret_cast<LPARAM>(&params));
    if (!Record(window)) return;
    TRect client = params.rgrc[0];
    winapi::OffsetRect(client, -window->Rect.Left, -window->Rect.Top);
    client.Left = std::clamp(client.Left, 0, window->Rect.Width());
    client.Top = std::clamp(client.Top, 0, window->Rect.Height());
    client.Right = std::clamp(client.Right, client.Left, window->Rect.Width());
    client.Bottom = std::clamp(client.Bottom, client.Top, window->Rect.Height());
    window->Client = client;
    if (IsTopLevel(*window)) EnsureSurface(window);
}

} // namespace detail
