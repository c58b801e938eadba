#pragma once
// A fresh application on a headless window system with a manual clock, and
// controls that log what happens to them into one shared log.

#include "HeadlessInput.h"
#include "vcl/Forms.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using TLog = std::vector<std::string>;

class VclTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Handles every waiting message (input, posted, paint, due timers).
    void Pump() { Application->ProcessMessages(); }
    // A form of 400 x 300 at (100, 100) on the screen, freed by the test's end.
    TForm* NewForm(const String& Name = u"Form");
    // Logs "Name:Event" of the events every test control reports.
    TLog Log;
    std::vector<String> Boxes; // the message boxes shown: "Caption|Text"
};

// A windowed control that logs focus and notification messages and paints
// its client area in its colour.
class TLogControl : public TCustomControl {
public:
    TLogControl(TComponent* AOwner, TLog& ALog, const String& AName, TWinControl* AParent, TRect ABounds);
    void WndProc(TMessage& Message) override;
    // Key messages are logged only when asked for.
    bool LogKeys = false;
    winapi::LRESULT DialogCode = 0;

protected:
    void Paint() override;
    void DoEnter() override;
    void DoExit() override;

private:
    TLog& FLog;
};

// A graphic control that fills its rectangle with its colour.
class TLogGraphic : public TGraphicControl {
public:
    TLogGraphic(TComponent* AOwner, TLog& ALog, const String& AName, TWinControl* AParent, TRect ABounds);
    void WndProc(TMessage& Message) override;
    Integer PaintCount = 0;

protected:
    void Paint() override;

private:
    TLog& FLog;
};

std::string Narrow(const String& Text);
// The name of a control message or window message for logs.
std::string MessageName(winapi::UINT Msg);
