// Registry hive files: the text form of one hive read into its key tree,
// which is then written again and read back.

#include "RegistryHive.h"
#include "os/Registry.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const os::detail::TRegKeyNode root = os::detail::ReadHiveText(text, u"fuzz.reg");
        os::detail::ReadHiveText(os::detail::WriteHiveText(root, u"HKEY_CURRENT_USER"), u"written.reg");
    } catch (const ERegistryException&) {
        // A damaged hive is refused with the file and line: the expected outcome.
    }
    return 0;
}
