#pragma once
// The base of the tests that run the input grid demo on a real window (SDL2
// under Xvfb) and follow the lines it prints.

#include "windowing_testing/Xvfb.h"

#include <string>

class TInputDemoXvfbTest : public xvfb::TXvfbTest {
protected:
    // Reads lines until one equals `Wanted`; answers the last line read
    // when it never came.
    std::string WaitFor(xvfb::TChildProcess& Demo, const std::string& Wanted) {
        std::string Line;
        for (std::string Next = Demo.ReadLine(); !Next.empty(); Next = Demo.ReadLine()) {
            Line = Next;
            if (Line == Wanted) return Line;
        }
        return Line;
    }
};
