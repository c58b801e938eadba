#pragma once
// Starting and stopping the GDI+-style layer. There is no library to load
// here: start-up checks its arguments and hands out a token, and shut-down
// takes it back. Tokens are counted, so a shut-down with a token that was
// never handed out, or handed back twice, is noticed.

#include "graphics/GdiPlusTypes.h"

#include <cstdint>

using DebugEventProc = void (*)(Integer level, const char* message);
using NotificationHookProc = Status (*)(std::uintptr_t* token);
using NotificationUnhookProc = void (*)(std::uintptr_t token);

struct GdiplusStartupInput {
    Cardinal GdiplusVersion = 1;
    DebugEventProc DebugEventCallback = nullptr;
    Integer SuppressBackgroundThread = 0; // 32-bit booleans
    Integer SuppressExternalCodecs = 0;
};

struct GdiplusStartupOutput {
    NotificationHookProc NotificationHook = nullptr;
    NotificationUnhookProc NotificationUnhook = nullptr;
};

// InvalidParameter for a null token or input, UnsupportedGdiplusVersion for
// a version other than 1 or 2. With the background thread suppressed the
// output receives the notification hook and unhook (a null output is then
// InvalidParameter).
Status GdiplusStartup(std::uintptr_t* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output);
// Takes the token back; an unknown token counts as an unbalanced shut-down.
void GdiplusShutdown(std::uintptr_t token);

// Tokens handed out and not yet taken back.
Integer GdiplusStartedCount();
// Shut-downs whose token was unknown, since the program started.
Integer GdiplusUnbalancedShutdowns();
