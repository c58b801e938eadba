// The tool-tip window class: tools, delays, text on request, tracking,
// colours, title and balloon drawing.

#include "WindowSystem.h"
#include "graphics/Colors.h"
#include "graphics/DeviceContext.h"
#include "graphics/GdiDraw.h"
#include "graphics/GdiObjects.h"
#include "graphics/GdiText.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"
#include "windowing/Paint.h"
#include "windowing/SystemMetrics.h"
#include "windowing/Timers.h"
#include "windowing/ToolTips.h"

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

using namespace winapi;

namespace {

constexpr NativeUInt InitialTimer = 1;
constexpr NativeUInt AutoPopTimer = 2;
constexpr Integer DefaultInitial = 500;
constexpr Integer Margin = 4;
constexpr Integer StemHeight = 10;
constexpr size_t MaxTitle = 99;

struct TTool {
    UINT Flags = 0;
    HWND Window = nullptr;
    NativeUInt Id = 0;
    TRect Rect;
    String Text;
    bool Callback = false;
    LPARAM Param = 0;
};

// Everything one tip window keeps.
struct TTip {
    HWND Self = nullptr;
    std::vector<TTool> Tools;
    bool Active = true;
    Integer Initial = DefaultInitial;
    Integer AutoPop = DefaultInitial * 10;
    Integer Reshow = DefaultInitial / 5;
    TColor Back = clInfoBk;
    TColor Fore = clInfoText;
    Integer MaxWidth = -1;
    UINT Icon = TTI_NONE;
    String Title;
    // The tool under the mouse (or tracked), and the shown text.
    Integer Hot = -1;
    bool Shown = false;
    bool Tracking = false;
    TPoint TrackAt;
    String Text;
};

std::map<HWND, std::unique_ptr<TTip>>& Tips() {
    static std::map<HWND, std::unique_ptr<TTip>> Map;
    return Map;
}

// The original procedures of subclassed tool windows.
std::map<HWND, WNDPROC>& Subclassed() {
    static std::map<HWND, WNDPROC> Map;
    return Map;
}

TTip* TipOf(HWND Window) {
    auto Found = Tips().find(Window);
    return Found == Tips().end() ? nullptr : Found->second.get();
}

bool SameTool(const TTool& Tool, const TOOLINFOW& Info) {
    return Tool.Window == Info.hwnd && Tool.Id == Info.uId;
}

// The tool's area in its window's client coordinates.
TRect ToolArea(const TTool& Tool) {
    if (Tool.Flags & TTF_IDISHWND) {
        TRect Client;
        GetClientRect(reinterpret_cast<HWND>(Tool.Id), Client);
        return Client;
    }
    return Tool.Rect;
}

HWND ToolWindow(const TTool& Tool) {
    return (Tool.Flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(Tool.Id) : Tool.Window;
}

HFONT TipFont(bool Bold) {
    TLogFont Font;
    Font.Height = -12;
    Font.FaceName = u"Segoe UI";
    if (Bold) Font.Weight = FW_BOLD;
    return CreateFontIndirect(Font);
}

// The text of a tool, asked from its window when it gives it on request.
String ToolText(TTip& Tip, const TTool& Tool) {
    if (!Tool.Callback) return Tool.Text;
    NMTTDISPINFOW Info;
    Info.hdr.hwndFrom = Tip.Self;
    Info.hdr.idFrom = Tool.Id;
    Info.hdr.code = TTN_GETDISPINFOW;
    Info.uFlags = Tool.Flags;
    Info.lParam = Tool.Param;
    SendMessage(Tool.Window, WM_NOTIFY, WPARAM(Tool.Id), reinterpret_cast<LPARAM>(&Info));
    if (Info.lpszText && Info.lpszText != LPSTR_TEXTCALLBACKW) return String(Info.lpszText);
    return String(Info.szText);
}

void Notify(TTip& Tip, const TTool& Tool, UINT Code) {
    NMHDR Header;
    Header.hwndFrom = Tip.Self;
    Header.idFrom = Tool.Id;
    Header.code = Code;
    SendMessage(Tool.Window, WM_NOTIFY, WPARAM(Tool.Id), reinterpret_cast<LPARAM>(&Header));
}

bool Balloon(const TTip& Tip) {
    return (GetWindowLongPtr(Tip.Self, GWL_STYLE) & TTS_BALLOON) != 0;
}

// The size the text and title need, frame and stem included.
TSize Measure(const TTip& Tip) {
    HDC DC = CreateCompatibleDC(nullptr);
    HFONT Font = TipFont(false);
    HGDIOBJ Old = SelectObject(DC, Font);
    Integer Width = Tip.MaxWidth > 0 ? Tip.MaxWidth : 10000;
    TRect Area{0, 0, Width, 0};
    DrawText(DC, Tip.Text, Area, DT_CALCRECT | DT_NOPREFIX | (Tip.MaxWidth > 0 ? Cardinal(DT_WORDBREAK) : 0u));
    TSize Size{Area.Width(), Area.Height()};
    if (!Tip.Title.empty()) {
        HFONT Bold = TipFont(true);
        SelectObject(DC, Bold);
        TRect Title{0, 0, 10000, 0};
        DrawText(DC, Tip.Title, Title, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
        Integer IconRoom = Tip.Icon != TTI_NONE ? 20 : 0;
        Size.cx = std::max(Size.cx, Title.Width() + IconRoom);
        Size.cy += std::max(Title.Height(), IconRoom > 0 ? 16 : 0) + Margin;
        SelectObject(DC, Font);
        DeleteObject(Bold);
    }
    SelectObject(DC, Old);
    DeleteObject(Font);
    DeleteDC(DC);
    Size.cx += 2 * Margin + 2;
    Size.cy += 2 * Margin + 2 + (Balloon(Tip) ? StemHeight : 0);
    return Size;
}

void Hide(TTip& Tip) {
    KillTimer(Tip.Self, AutoPopTimer);
    KillTimer(Tip.Self, InitialTimer);
    if (!Tip.Shown) return;
    Tip.Shown = false;
    ShowWindow(Tip.Self, SW_HIDE);
    if (Tip.Hot >= 0 && Tip.Hot < Integer(Tip.Tools.size())) Notify(Tip, Tip.Tools[size_t(Tip.Hot)], TTN_POP);
}

// Shows the hot tool's tip: below the cursor, or where tracking puts it.
void Show(TTip& Tip) {
    if (Tip.Hot < 0 || Tip.Hot >= Integer(Tip.Tools.size())) return;
    TTool& Tool = Tip.Tools[size_t(Tip.Hot)];
    Tip.Text = ToolText(Tip, Tool);
    if (Tip.Text.empty()) return;
    TSize Size = Measure(Tip);
    TPoint At;
    if (Tip.Tracking) {
        At = Tip.TrackAt;
    } else {
        GetCursorPos(At);
        At.Y += GetSystemMetrics(SM_CYCURSOR) / 2 + 4;
    }
    SetWindowPos(Tip.Self, HWND_TOPMOST, At.X, At.Y, Size.cx, Size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(Tip.Self, nullptr, true);
    bool WasShown = Tip.Shown;
    Tip.Shown = true;
    if (!WasShown) Notify(Tip, Tool, TTN_SHOW);
    if (!Tip.Tracking && Tip.AutoPop > 0) SetTimer(Tip.Self, AutoPopTimer, Cardinal(Tip.AutoPop), nullptr);
}

// The mouse over a subclassed tool window: which tool is hot now.
void MouseOver(TTip& Tip, HWND Window, UINT Message, TPoint Point) {
    if (!Tip.Active || Tip.Tracking) return;
    if (Message != WM_MOUSEMOVE) {
        Hide(Tip);
        Tip.Hot = -1;
        return;
    }
    Integer Hot = -1;
    for (size_t I = 0; I < Tip.Tools.size(); ++I) {
        const TTool& Tool = Tip.Tools[I];
        if ((Tool.Flags & TTF_SUBCLASS) && ToolWindow(Tool) == Window && PtInRect(ToolArea(Tool), Point)) {
            Hot = Integer(I);
            break;
        }
    }
    if (Hot == Tip.Hot) return;
    Hide(Tip);
    Tip.Hot = Hot;
    if (Hot >= 0) {
        SetTimer(Tip.Self, InitialTimer, Cardinal(std::max(Tip.Initial, 1)), nullptr);
        TRACKMOUSEEVENT Track;
        Track.dwFlags = TME_LEAVE;
        Track.hwndTrack = Window;
        TrackMouseEvent(Track);
    }
}

LRESULT SubclassProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
    WNDPROC Original = Subclassed()[Window];
    switch (Message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MOUSELEAVE: {
        TPoint Point{GET_X_LPARAM(LParam), GET_Y_LPARAM(LParam)};
        std::vector<HWND> Windows;
        for (auto& [Handle, Tip] : Tips())
            Windows.push_back(Handle);
        for (HWND Handle : Windows)
            if (TTip* Tip = TipOf(Handle)) MouseOver(*Tip, Window, Message, Point);
        break;
    }
    case WM_NCDESTROY:
        SetWindowLongPtr(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Original));
        Subclassed().erase(Window);
        return Original ? CallWindowProc(Original, Window, Message, WParam, LParam) : 0;
    default:
        break;
    }
    return Original ? CallWindowProc(Original, Window, Message, WParam, LParam)
                    : DefWindowProc(Window, Message, WParam, LParam);
}

void Subclass(HWND Window) {
    if (!IsWindow(Window) || Subclassed().count(Window)) return;
    Subclassed()[Window] = reinterpret_cast<WNDPROC>(GetWindowLongPtr(Window, GWLP_WNDPROC));
    SetWindowLongPtr(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc));
}

// Draws the small round sign of a title icon.
void DrawIcon(HDC DC, UINT Icon, Integer X, Integer Y) {
    TColor Fill = Icon == TTI_INFO ? TColor(0xD77800) : Icon == TTI_WARNING ? TColor(0x00C0FF) : clRed;
    HBRUSH Brush = CreateSolidBrush(Fill);
    HGDIOBJ OldBrush = SelectObject(DC, Brush);
    HGDIOBJ OldPen = SelectObject(DC, GetStockObject(NULL_PEN));
    Ellipse(DC, X, Y, X + 16, Y + 16);
    SelectObject(DC, OldPen);
    SelectObject(DC, OldBrush);
    DeleteObject(Brush);
    SetTextColor(DC, clWhite);
    TRect Sign{X, Y, X + 16, Y + 16};
    DrawText(DC, Icon == TTI_INFO ? u"i" : Icon == TTI_WARNING ? u"!" : u"x", Sign,
             DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void Paint(TTip& Tip) {
    PAINTSTRUCT Paint;
    HDC DC = BeginPaint(Tip.Self, Paint);
    TRect Client;
    GetClientRect(Tip.Self, Client);
    bool IsBalloon = Balloon(Tip);
    TRect Body = Client;
    if (IsBalloon) Body.Top += StemHeight;
    HBRUSH Back = CreateSolidBrush(ColorToRGB(Tip.Back));
    HPEN Frame = CreatePen(PS_SOLID, 1, ColorToRGB(clInfoText));
    HGDIOBJ OldBrush = SelectObject(DC, Back);
    HGDIOBJ OldPen = SelectObject(DC, Frame);
    if (IsBalloon) {
        RoundRect(DC, Body.Left, Body.Top, Body.Right, Body.Bottom, 12, 12);
        // The stem points up at the tool, from the body's left part.
        TPoint Stem[3] = {{Body.Left + 12, Body.Top + 1}, {Body.Left + 12, Client.Top}, {Body.Left + 24, Body.Top + 1}};
        Polygon(DC, Stem, 3);
    } else {
        Rectangle(DC, Body.Left, Body.Top, Body.Right, Body.Bottom);
    }
    SelectObject(DC, OldPen);
    SelectObject(DC, OldBrush);
    DeleteObject(Frame);
    DeleteObject(Back);
    SetBkMode(DC, TRANSPARENT);
    TRect Text = Body;
    InflateRect(Text, -(Margin + 1), -(Margin + 1));
    if (!Tip.Title.empty()) {
        Integer X = Text.Left;
        if (Tip.Icon != TTI_NONE) {
            DrawIcon(DC, Tip.Icon, X, Text.Top);
            X += 20;
        }
        HFONT Bold = TipFont(true);
        HGDIOBJ Old = SelectObject(DC, Bold);
        SetTextColor(DC, ColorToRGB(Tip.Fore));
        TRect Title{X, Text.Top, Text.Right, Text.Bottom};
        Integer Height = DrawText(DC, Tip.Title, Title, DT_SINGLELINE | DT_NOPREFIX);
        Text.Top += std::max(Height, Tip.Icon != TTI_NONE ? 16 : 0) + Margin;
        SelectObject(DC, Old);
        DeleteObject(Bold);
    }
    HFONT Font = TipFont(false);
    HGDIOBJ Old = SelectObject(DC, Font);
    SetTextColor(DC, ColorToRGB(Tip.Fore));
    DrawText(DC, Tip.Text, Text, DT_NOPREFIX | (Tip.MaxWidth > 0 ? Cardinal(DT_WORDBREAK) : 0u));
    SelectObject(DC, Old);
    DeleteObject(Font);
    EndPaint(Tip.Self, Paint);
}

Integer DelayOrDefault(LPARAM Value, Integer Default) {
    return Value < 0 ? Default : Integer(LOWORD(WPARAM(Value)));
}

LRESULT ToolTipProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
    if (Message == WM_NCCREATE) {
        auto Tip = std::make_unique<TTip>();
        Tip->Self = Window;
        Tips()[Window] = std::move(Tip);
        return DefWindowProc(Window, Message, WParam, LParam);
    }
    TTip* Tip = TipOf(Window);
    if (!Tip) return DefWindowProc(Window, Message, WParam, LParam);
    switch (Message) {
    case TTM_ADDTOOLW: {
        const auto* Info = reinterpret_cast<const TOOLINFOW*>(LParam);
        if (!Info) return 0;
        TTool Tool;
        Tool.Flags = Info->uFlags;
        Tool.Window = Info->hwnd;
        Tool.Id = Info->uId;
        Tool.Rect = Info->rect;
        Tool.Callback = Info->lpszText == LPSTR_TEXTCALLBACKW;
        if (!Tool.Callback && Info->lpszText) Tool.Text = Info->lpszText;
        Tool.Param = Info->lParam;
        Tip->Tools.push_back(Tool);
        if (Tool.Flags & TTF_SUBCLASS) Subclass(ToolWindow(Tool));
        return 1;
    }
    case TTM_DELTOOLW: {
        const auto* Info = reinterpret_cast<const TOOLINFOW*>(LParam);
        if (!Info) return 0;
        for (size_t I = 0; I < Tip->Tools.size(); ++I)
            if (SameTool(Tip->Tools[I], *Info)) {
                if (Integer(I) == Tip->Hot) {
                    Hide(*Tip);
                    Tip->Hot = -1;
                    Tip->Tracking = false;
                } else if (Integer(I) < Tip->Hot) {
                    --Tip->Hot;
                }
                Tip->Tools.erase(Tip->Tools.begin() + Integer(I));
                break;
            }
        return 0;
    }
    case TTM_UPDATETIPTEXTW: {
        const auto* Info = reinterpret_cast<const TOOLINFOW*>(LParam);
        for (TTool& Tool : Tip->Tools)
            if (Info && SameTool(Tool, *Info)) {
                Tool.Callback = Info->lpszText == LPSTR_TEXTCALLBACKW;
                Tool.Text = Tool.Callback || !Info->lpszText ? String() : String(Info->lpszText);
            }
        if (Tip->Shown) Show(*Tip);
        return 0;
    }
    case TTM_NEWTOOLRECTW: {
        const auto* Info = reinterpret_cast<const TOOLINFOW*>(LParam);
        for (TTool& Tool : Tip->Tools)
            if (Info && SameTool(Tool, *Info)) Tool.Rect = Info->rect;
        return 0;
    }
    case TTM_GETTOOLCOUNT:
        return LRESULT(Tip->Tools.size());
    case TTM_ACTIVATE:
        Tip->Active = WParam != 0;
        if (!Tip->Active) Hide(*Tip);
        return 0;
    case TTM_SETDELAYTIME:
        switch (WParam) {
        case TTDT_AUTOMATIC:
            Tip->Initial = DelayOrDefault(LParam, DefaultInitial);
            Tip->AutoPop = Tip->Initial * 10;
            Tip->Reshow = Tip->Initial / 5;
            break;
        case TTDT_INITIAL:
            Tip->Initial = DelayOrDefault(LParam, DefaultInitial);
            break;
        case TTDT_AUTOPOP:
            Tip->AutoPop = DelayOrDefault(LParam, DefaultInitial * 10);
            break;
        case TTDT_RESHOW:
            Tip->Reshow = DelayOrDefault(LParam, DefaultInitial / 5);
            break;
        default:
            break;
        }
        return 0;
    case TTM_GETDELAYTIME:
        return WParam == TTDT_AUTOPOP ? Tip->AutoPop : WParam == TTDT_RESHOW ? Tip->Reshow : Tip->Initial;
    case TTM_SETTIPBKCOLOR:
        Tip->Back = TColor(WParam);
        InvalidateRect(Window, nullptr, true);
        return 0;
    case TTM_SETTIPTEXTCOLOR:
        Tip->Fore = TColor(WParam);
        InvalidateRect(Window, nullptr, true);
        return 0;
    case TTM_GETTIPBKCOLOR:
        return Tip->Back;
    case TTM_GETTIPTEXTCOLOR:
        return Tip->Fore;
    case TTM_SETMAXTIPWIDTH: {
        Integer Old = Tip->MaxWidth;
        Tip->MaxWidth = Integer(LParam);
        return Old;
    }
    case TTM_GETMAXTIPWIDTH:
        return Tip->MaxWidth;
    case TTM_SETTITLEW: {
        if (WParam > TTI_ERROR) return 0;
        Tip->Icon = UINT(WParam);
        Tip->Title = LParam ? String(reinterpret_cast<const Char*>(LParam)) : String();
        if (Tip->Title.size() > MaxTitle) Tip->Title.resize(MaxTitle);
        if (Tip->Shown) Show(*Tip);
        return 1;
    }
    case TTM_POP:
        Hide(*Tip);
        return 0;
    case TTM_UPDATE:
        if (Tip->Shown) Show(*Tip);
        return 0;
    case TTM_TRACKACTIVATE: {
        const auto* Info = reinterpret_cast<const TOOLINFOW*>(LParam);
        if (!WParam) {
            Hide(*Tip);
            Tip->Tracking = false;
            return 0;
        }
        for (size_t I = 0; Info && I < Tip->Tools.size(); ++I)
            if (SameTool(Tip->Tools[I], *Info)) {
                Tip->Hot = Integer(I);
                Tip->Tracking = true;
                Show(*Tip);
            }
        return 0;
    }
    case TTM_TRACKPOSITION:
        Tip->TrackAt = {GET_X_LPARAM(LParam), GET_Y_LPARAM(LParam)};
        if (Tip->Shown && Tip->Tracking) Show(*Tip);
        return 0;
    case WM_TIMER:
        if (WParam == InitialTimer) {
            KillTimer(Window, InitialTimer);
            Show(*Tip);
        } else if (WParam == AutoPopTimer) {
            Hide(*Tip);
        }
        return 0;
    case WM_PAINT:
        Paint(*Tip);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_NCDESTROY:
        KillTimer(Window, InitialTimer);
        KillTimer(Window, AutoPopTimer);
        Tips().erase(Window);
        return DefWindowProc(Window, Message, WParam, LParam);
    default:
        return DefWindowProc(Window, Message, WParam, LParam);
    }
}

} // namespace

namespace winapi {

void InitCommonControls() {
    WNDCLASS Registered;
    if (GetClassInfo(TOOLTIPS_CLASS, Registered)) return;
    WNDCLASS Class;
    Class.lpfnWndProc = &ToolTipProc;
    Class.lpszClassName = TOOLTIPS_CLASS;
    RegisterClass(Class);
}

} // namespace winapi
