#include "core/UserInteraction.h"

#include "core/InstallPoint.h"

namespace {

constinit TInstallPoint<IUserInteraction> InstalledInteraction(u"No user interaction installed");

} // namespace

IUserInteraction* SetUserInteraction(IUserInteraction* interaction) {
    return InstalledInteraction.Install(interaction);
}

IUserInteraction& UserInteraction() {
    return InstalledInteraction.Installed();
}

bool HasUserInteraction() {
    return InstalledInteraction.HasInstalled();
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
