#include "core/UserInteraction.h"

#include "rtl/Exception.h"

namespace {

IUserInteraction* gInteraction = nullptr;

} // namespace

IUserInteraction* SetUserInteraction(IUserInteraction* interaction) {
    IUserInteraction* previous = gInteraction;
    gInteraction = interaction;
    return previous;
}

IUserInteraction& UserInteraction() {
    if (!gInteraction) throw EInvalidOperation(u"No user interaction installed");
    return *gInteraction;
}

bool HasUserInteraction() {
    return gInteraction != nullptr;
}

void ShowWarning(const String& text) {
    UserInteraction().ShowWarning(text);
}

void ShowError(const String& text) {
    UserInteraction().ShowError(text);
}

bool Confirm(const String& text) {
    return UserInteraction().Confirm(text);
}
