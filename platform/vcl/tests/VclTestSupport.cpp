#include "VclTestSupport.h"

#include "rtl/Encoding.h"
#include "vcl/ControlMessages.h"

using namespace winapi;

std::string Narrow(const String& Text) {
    return Utf8(Text);
}

std::string MessageName(UINT Msg) {
    switch (Msg) {
    case CM_ENTER:
        return "CM_ENTER";
    case CM_EXIT:
        return "CM_EXIT";
    case CM_ENABLEDCHANGED:
        return "CM_ENABLEDCHANGED";
    case CM_VISIBLECHANGED:
        return "CM_VISIBLECHANGED";
    case CM_FONTCHANGED:
        return "CM_FONTCHANGED";
    case CM_PARENTFONTCHANGED:
        return "CM_PARENTFONTCHANGED";
    case CM_COLORCHANGED:
        return "CM_COLORCHANGED";
    case CM_PARENTCOLORCHANGED:
        return "CM_PARENTCOLORCHANGED";
    case CM_TEXTCHANGED:
        return "CM_TEXTCHANGED";
    case CM_MOUSEENTER:
        return "CM_MOUSEENTER";
    case CM_MOUSELEAVE:
        return "CM_MOUSELEAVE";
    case CM_SHOWHINTCHANGED:
        return "CM_SHOWHINTCHANGED";
    case CM_CURSORCHANGED:
        return "CM_CURSORCHANGED";
    case WM_SETFOCUS:
        return "WM_SETFOCUS";
    case WM_KILLFOCUS:
        return "WM_KILLFOCUS";
    case WM_KEYDOWN:
        return "WM_KEYDOWN";
    case WM_CHAR:
        return "WM_CHAR";
    case WM_KEYUP:
        return "WM_KEYUP";
    case WM_CREATE:
        return "WM_CREATE";
    case WM_DESTROY:
        return "WM_DESTROY";
    case WM_NCDESTROY:
        return "WM_NCDESTROY";
    default:
        return std::string();
    }
}

void VclTest::SetUp() {
    headless::Start();
    Free(Application);
    Application = Create<TApplication>(nullptr);
    SetMessageBoxHandler([this](HWND, const String& Text, const String& Caption, UINT) {
        Boxes.push_back(Caption + u"|" + Text);
        return IDOK;
    });
}

void VclTest::TearDown() {
    // Whatever a test left open goes with it.
    while (Screen->CustomFormCount() > 0)
        Free(Screen->CustomForms(0));
    Free(Application);
    Application = Create<TApplication>(nullptr);
    SetMessageBoxHandler(nullptr);
}

TForm* VclTest::NewForm(const String& Name) {
    auto* Form = Create<TForm>(nullptr);
    Form->SetName(Name);
    Form->SetBounds(100, 100, 400, 300);
    return Form;
}

// ---- TLogControl ----

TLogControl::TLogControl(TComponent* AOwner, TLog& ALog, const String& AName, TWinControl* AParent,
                         TRect ABounds)
    : TCustomControl(AOwner), FLog(ALog) {
    SetName(AName);
    SetBoundsRect(ABounds);
    SetTabStop(true);
    SetParent(AParent);
}

void TLogControl::WndProc(TMessage& Message) {
    std::string Name = MessageName(Message.Msg);
    bool Key = Message.Msg == WM_KEYDOWN || Message.Msg == WM_CHAR || Message.Msg == WM_KEYUP;
    if (!Name.empty() && (!Key || LogKeys)) FLog.push_back(Narrow(this->Name()) + ":" + Name);
    if (Message.Msg == WM_GETDLGCODE) {
        Message.Result = DialogCode;
        return;
    }
    TCustomControl::WndProc(Message);
}

void TLogControl::Paint() {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
}

void TLogControl::DoEnter() {
    FLog.push_back(Narrow(Name()) + ":OnEnter");
    TCustomControl::DoEnter();
}

void TLogControl::DoExit() {
    FLog.push_back(Narrow(Name()) + ":OnExit");
    TCustomControl::DoExit();
}

// ---- TLogGraphic ----

TLogGraphic::TLogGraphic(TComponent* AOwner, TLog& ALog, const String& AName, TWinControl* AParent,
                         TRect ABounds)
    : TGraphicControl(AOwner), FLog(ALog) {
    SetName(AName);
    SetBoundsRect(ABounds);
    SetParent(AParent);
}

void TLogGraphic::WndProc(TMessage& Message) {
    std::string Name = MessageName(Message.Msg);
    if (!Name.empty()) FLog.push_back(Narrow(this->Name()) + ":" + Name);
    TGraphicControl::WndProc(Message);
}

void TLogGraphic::Paint() {
    ++PaintCount;
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
}

// Fontconfig keeps its configuration until the process ends, by design.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
