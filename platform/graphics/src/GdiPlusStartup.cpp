#include "graphics/GdiPlusStartup.h"

#include <set>

namespace {

struct TStartupBook {
    std::set<std::uintptr_t> Live;
    std::set<std::uintptr_t> LiveHooks;
    std::uintptr_t Next = 1;
    Integer Unbalanced = 0;
};

TStartupBook& Book() {
    static TStartupBook book;
    return book;
}

Status Hook(std::uintptr_t* token) {
    if (!token) return InvalidParameter;
    *token = Book().Next++;
    Book().LiveHooks.insert(*token);
    return Ok;
}

void Unhook(std::uintptr_t token) {
    if (Book().LiveHooks.erase(token) == 0) ++Book().Unbalanced;
}

} // namespace

Status GdiplusStartup(std::uintptr_t* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output) {
    if (!token || !input) return InvalidParameter;
    if (input->GdiplusVersion != 1 && input->GdiplusVersion != 2) return UnsupportedGdiplusVersion;
    if (input->SuppressBackgroundThread) {
        if (!output) return InvalidParameter;
        output->NotificationHook = Hook;
        output->NotificationUnhook = Unhook;
    }
    *token = Book().Next++;
    Book().Live.insert(*token);
    return Ok;
}

void GdiplusShutdown(std::uintptr_t token) {
    if (Book().Live.erase(token) == 0) ++Book().Unbalanced;
}

Integer GdiplusStartedCount() {
    return Integer(Book().Live.size());
}

Integer GdiplusUnbalancedShutdowns() {
    return Book().Unbalanced;
}
