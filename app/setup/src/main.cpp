// vandrel-setup: completes the user's data path from the installation this
// program belongs to and writes the registry values the programs start from.
//
//   vandrel-setup [--data-path FOLDER]
//
// Prints one line for every change; exits with 0 when the data path is
// complete, 1 when the setup failed and 2 for a wrong command line.

#include "rtl/Encoding.h"
#include "rtl/Exception.h"
#include "setup/FirstRunSetup.h"

#include <iostream>
#include <string_view>

namespace {

constexpr std::string_view Usage = "Usage: vandrel-setup [--data-path FOLDER]\n"
                                   "Completes the data path (default: the registered \"Datapath\", else\n"
                                   "$XDG_DATA_HOME/Vandrel/) and the registry values of the installation.\n";

} // namespace

int main(int argc, char** argv) {
    String dataPath;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help") {
            std::cout << Usage;
            return 0;
        }
        if (argument == "--data-path" && i + 1 < argc && *argv[i + 1]) {
            dataPath = FromUtf8(argv[++i]);
            continue;
        }
        std::cerr << "vandrel-setup: unexpected argument \"" << argument << "\"\n" << Usage;
        return 2;
    }
    try {
        TFirstRunSetup setup(TInstallation::OfRunningProgram(),
                             dataPath.empty() ? DefaultDataPath() : dataPath);
        const auto changes = setup.Run();
        for (const String& change : changes)
            std::cout << Utf8(change) << '\n';
        std::cout << (changes.empty() ? "Nothing to do: " : "Complete: ") << Utf8(setup.DataPath()) << '\n';
        return 0;
    } catch (const Exception& e) {
        std::cerr << "vandrel-setup: " << e.what() << '\n';
        return 1;
    }
}
