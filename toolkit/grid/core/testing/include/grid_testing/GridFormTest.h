#pragma once
// A test fixture that puts a grid of type TGrid on a headless form, with a
// manual clock driving the window system's timers. Every layer of the string
// grid tests with it: the core with its own test subclass, the input and
// view layers with theirs.

#include "grid/GridUnit.h"
#include "vcl/Forms.h"
#include "windowing/HeadlessBackend.h"
#include "windowing/MessageQueue.h"
#include "windowing/Timers.h"

#include <gtest/gtest.h>
#include <memory>

template <class TGrid>
class GridFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        Clock = std::make_shared<TManualClock>();
        SetWindowClock(Clock);
        UseHeadlessBackend();
        // A new window system has no hooks: the grid module's goes in again.
        RemoveFocusWindowHook();
        InstallFocusWindowHook();
        Free(Application);
        Application = Create<TApplication>(nullptr);
        Form = Create<TForm>(nullptr);
        Form->SetBounds(100, 100, 600, 400);
        Grid = Create<TGrid>(Form);
        Grid->SetParent(Form);
    }
    void TearDown() override {
        Free(Form);
        Free(Application);
        Application = Create<TApplication>(nullptr);
        ResetGridPlatformAnswers();
        SetWindowClock(nullptr);
    }
    void Show() {
        Form->Show();
        Pump();
    }
    void Pump() { Application->ProcessMessages(); }
    // Each tick moves the clock by half a second and delivers what is due.
    void Tick(Integer Times) {
        for (Integer i = 0; i < Times; ++i) {
            Clock->Advance(500);
            Pump();
        }
    }

    std::shared_ptr<TManualClock> Clock;
    TForm* Form = nullptr;
    TGrid* Grid = nullptr;
};
