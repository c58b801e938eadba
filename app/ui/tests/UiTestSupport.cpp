#include "UiTestSupport.h"

#include "rtl/Encoding.h"
#include "rtl/Exception.h"
#include "ui/UiGlobals.h"
#include "vcl/Controls.h"
#include "vcl/Dialogs.h"
#include "windowing/Window.h"

void UiTest::SetUp() {
    Clock = std::make_shared<TManualClock>();
    SetWindowClock(Clock);
    Backend = &UseHeadlessBackend();
    Free(Application);
    Application = Create<TApplication>(nullptr);
    SetMessageBoxHandler([this](winapi::HWND, const String& Text, const String&, winapi::UINT) -> Integer {
        Boxes.push_back(Text);
        if (BoxAnswers.empty()) return winapi::IDOK;
        const Integer Answer = BoxAnswers.front();
        BoxAnswers.pop_front();
        return Answer;
    });
    Backend->SetIdleHandler([this] {
        if (FSteps.empty()) throw Exception(u"A modal window waits for input the test does not give");
        auto Step = std::move(FSteps.front());
        FSteps.pop_front();
        Step();
    });
    ScaleFactor = 1.0;
}

void UiTest::TearDown() {
    Backend->SetIdleHandler(nullptr);
    SetMessageBoxHandler(nullptr);
    Free(Application);
    Application = Create<TApplication>(nullptr);
    SetWindowClock(nullptr);
    ScaleFactor = 1.0;
}

void UiTest::Steps(std::vector<std::function<void()>> Steps) {
    for (auto& Step : Steps)
        FSteps.push_back(std::move(Step));
}

void UiTest::Type(const String& Text) {
    Backend->TypeText(Text);
    Pump();
}

void UiTest::Key(Integer VirtualKey) {
    Backend->TypeKey(VirtualKey);
    Pump();
}

void UiTest::ClickOn(const TControl& Control) {
    const TPoint Centre = Control.ClientToScreen(TPoint{Control.Width() / 2, Control.Height() / 2});
    Backend->Click(Centre.X, Centre.Y);
    Pump();
}

std::string Narrow(const String& Text) { return Utf8(Text); }

// fontconfig keeps caches for the life of the process that it never frees;
// the embedded Firebird engine keeps its converters and the loader the
// records of its plugins; glib keeps per-thread data, which LeakSanitizer
// sees as leaked once it does not scan thread-local storage (WizardTest.cpp);
// the C library keeps the text of the last failed library load per thread
// there too.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libfbclient.so\nleak:_dl_map_object_deps\nleak:libglib-2.0.so\n"
           "leak:_dlerror_run\n";
}
