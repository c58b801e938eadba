#pragma once
// A fresh application on the headless window system with a manual clock,
// for the drop-down tests.

#include "vcl/Forms.h"
#include "windowing/HeadlessBackend.h"
#include "windowing/Timers.h"

#include <gtest/gtest.h>
#include <memory>

class DropDownTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void Pump() { Application->ProcessMessages(); }
    // A form of 400 x 300 at (100, 100), shown, freed by the test's end.
    TForm* NewForm();
    void Advance(UInt64 Milliseconds) { Clock->Advance(Milliseconds); }
    // Press and release of a key on the focused window, pumped.
    void Key(Integer VirtualKey);
    void Type(const String& Text);
    void ClickAt(TPoint Screen, TMouseButton Button = mbLeft);

    THeadlessBackend* Backend = nullptr;
    std::shared_ptr<TManualClock> Clock;
};
