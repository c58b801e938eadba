#pragma once
// The hourglass cursor for the length of a long file operation; the cursor
// from before comes back on every way out.

#include "vcl/Forms.h"

struct THourglass {
    TCursor Old = Screen ? Screen->Cursor() : TCursor(crDefault);
    THourglass() {
        if (Screen) Screen->SetCursor(crHourGlass);
    }
    ~THourglass() {
        if (Screen) Screen->SetCursor(Old);
    }
    THourglass(const THourglass&) = delete;
    THourglass& operator=(const THourglass&) = delete;
};
