// INI files: read from disk (byte-order mark, encoding, lines), then every
// section and key read back with each typed read.

#include "rtl/IniFile.h"
#include "rtl/StringList.h"
#include "rtltesting/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path file = FuzzInputFile("input.ini", data, size);
    TMemIniFile ini(file.u16string());
    TStringList sections;
    ini.ReadSections(sections);
    for (Integer s = 0; s < sections.Count(); ++s) {
        TStringList keys;
        ini.ReadSection(sections.Strings(s), keys);
        for (Integer k = 0; k < keys.Count(); ++k) {
            ini.ReadString(sections.Strings(s), keys.Strings(k), u"");
            ini.ReadInteger(sections.Strings(s), keys.Strings(k), 0);
            ini.ReadBool(sections.Strings(s), keys.Strings(k), false);
            ini.ReadFloat(sections.Strings(s), keys.Strings(k), 0);
            ini.ReadDateTime(sections.Strings(s), keys.Strings(k), 0);
        }
    }
    TStringList lines;
    ini.GetStrings(lines);
    return 0;
}
