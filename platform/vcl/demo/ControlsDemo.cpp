// A form read from its text layout (ControlsDemo.layout) with a main menu,
// a pop-up menu on a frame that reads its own layout (DemoFrame.layout),
// buttons and a message box, on whichever backend is chosen. The
// screenshot test runs it on the SDL2 backend under Xvfb.
//
// It prints "ready" once the form is shown, "menu File" when the File menu
// opens, "asking" before the question box and "answer yes|no" after it,
// "popup" when the frame's pop-up menu opens and "hello" for its item,
// "closed" when the form closes (which ends the program). It also ends when
// its time is up (argument 1, seconds; default 30). Argument 2 names the
// folder of the layout files.

#include "rtl/ClassBuilder.h"
#include "rtl/Encoding.h"
#include "vcl/Dialogs.h"
#include "vcl/FormLayout.h"
#include "vcl/Forms.h"
#include "vcl/Frame.h"
#include "vcl/Timer.h"
#include "windowing/Backend.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Say(const char* Line) {
    std::printf("%s\n", Line);
    std::fflush(stdout);
}

class TDemoFrame : public TFrame {
    RTL_CLASS(TDemoFrame)
public:
    explicit TDemoFrame(TComponent* AOwner) : TFrame(AOwner) {}
};

class TfrmControlsDemo : public TForm {
    RTL_CLASS(TfrmControlsDemo)
public:
    explicit TfrmControlsDemo(TComponent* AOwner) : TForm(AOwner) {}

    void miFileClick(TObject*) { Say("menu File"); }
    void btnAskClick(TObject*) {
        Say("asking");
        TModalResult Answer =
            MessageDlg(u"Do you want to go on?", mtConfirmation, TMsgDlgButtons{mbYes, mbNo}, 0);
        Say(Answer == mrYes ? "answer yes" : Answer == mrNo ? "answer no" : "answer other");
    }
    void miExitClick(TObject*) { Close(); }
    void miHelloClick(TObject*) { Say("hello"); }
    void pmFramePopup(TObject*) { Say("popup"); }
    void FormClose(TObject*, TCloseAction&) { Say("closed"); }
};

} // namespace

const TClassInfo& TDemoFrame::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TDemoFrame, TFrame>().Build();
    return Info;
}

const TClassInfo& TfrmControlsDemo::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TfrmControlsDemo, TForm>()
                                       .Method(u"miFileClick", &TfrmControlsDemo::miFileClick)
                                       .Method(u"btnAskClick", &TfrmControlsDemo::btnAskClick)
                                       .Method(u"miExitClick", &TfrmControlsDemo::miExitClick)
                                       .Method(u"miHelloClick", &TfrmControlsDemo::miHelloClick)
                                       .Method(u"pmFramePopup", &TfrmControlsDemo::pmFramePopup)
                                       .Method(u"FormClose", &TfrmControlsDemo::FormClose)
                                       .Build();
    return Info;
}

int main(int argc, char** argv) {
    const int Seconds = argc > 1 ? std::atoi(argv[1]) : 30;
    const std::string Folder = argc > 2 ? argv[2] : CONTROLS_DEMO_LAYOUTS;
    std::printf("backend %s\n", Utf8(Backend().Name()).c_str());
    std::fflush(stdout);
    Application->Initialize();
    RegisterClass<TDemoFrame>();
    RegisterClass<TfrmControlsDemo>();
    RegisterLayout(TDemoFrame::StaticClassInfo(), FromUtf8(Folder + "/DemoFrame.layout"));
    RegisterLayout(TfrmControlsDemo::StaticClassInfo(), FromUtf8(Folder + "/ControlsDemo.layout"));

    TfrmControlsDemo* Form = nullptr;
    Application->CreateForm(Form);

    auto* Timer = Create<TTimer>(Form);
    Timer->SetInterval(Cardinal(Seconds) * 1000);
    Timer->OnTimer = [](TObject*) { Application->Terminate(); };
    Timer->SetEnabled(true);

    Form->Show();
    Application->ProcessMessages();
    Say("ready");
    Application->Run();
    return 0;
}
