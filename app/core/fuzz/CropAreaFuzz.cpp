// Crop-area files: the comment block, version date and grouping lines read
// from disk. Values that are no whole numbers and grouping lines short of
// values are refused with their errors; nothing else may escape.

#include "core/CropAreas.h"
#include "rtl/Exception.h"
#include "rtltesting/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path file = FuzzInputFile("input.CropArea", data, size);
    TCropAreas areas;
    try {
        areas.Load(file.u16string());
    } catch (const EConvertError&) {
    } catch (const EReadError&) {
    }
    areas.ValuesOf(u"* Intake area of abstraction point [ha]");
    return 0;
}
