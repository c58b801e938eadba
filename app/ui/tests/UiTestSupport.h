#pragma once
// The windows' tests: a fresh application on the headless window system with
// a manual clock; message boxes answered by script and recorded; the core's
// user interaction scripted; and modal windows driven step by step: each
// time a modal loop would wait for input, the next step runs.

#include "coretesting/ScriptedUserInteraction.h"
#include "vcl/Forms.h"
#include "windowing/HeadlessBackend.h"
#include "windowing/Timers.h"

#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

class UiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void Pump() { Application->ProcessMessages(); }
    // Steps for the modal loops to come, run in order whenever a loop would
    // wait; a loop that waits with no step left fails the test.
    void Steps(std::vector<std::function<void()>> Steps);
    bool StepsDone() const { return FSteps.empty(); }

    // Types the text into the focused control, character by character.
    void Type(const String& Text);
    void Key(Integer VirtualKey);
    // Clicks the middle of a control.
    void ClickOn(const TControl& Control);

    // The message boxes shown, "Text" each; the next answers (IDOK when none).
    std::vector<String> Boxes;
    std::deque<Integer> BoxAnswers;

    THeadlessBackend* Backend = nullptr;
    std::shared_ptr<TManualClock> Clock;
    TScriptedUserInteraction User;

private:
    std::deque<std::function<void()>> FSteps;
};

std::string Narrow(const String& Text);
