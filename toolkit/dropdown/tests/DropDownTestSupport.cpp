#include "DropDownTestSupport.h"

void DropDownTest::SetUp() {
    Backend = &UseHeadlessBackend();
    Clock = std::make_shared<TManualClock>();
    SetWindowClock(Clock);
    Free(Application);
    Application = Create<TApplication>(nullptr);
}

void DropDownTest::TearDown() {
    while (Screen->CustomFormCount() > 0)
        Free(Screen->CustomForms(0));
    Free(Application);
    Application = Create<TApplication>(nullptr);
    SetWindowClock(nullptr);
}

TForm* DropDownTest::NewForm() {
    auto* Form = Create<TForm>(nullptr);
    Form->SetBounds(100, 100, 400, 300);
    Form->Show();
    Pump();
    return Form;
}

void DropDownTest::Key(Integer VirtualKey) {
    Backend->TypeKey(VirtualKey);
    Pump();
}

void DropDownTest::Type(const String& Text) {
    Backend->TypeText(Text);
    Pump();
}

void DropDownTest::ClickAt(TPoint Screen, TMouseButton Button) {
    Backend->Click(Screen.X, Screen.Y, Button);
    Pump();
}

// fontconfig keeps a few bytes of its configuration parser unreachable for
// the life of the process; the leak checker is told so.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
