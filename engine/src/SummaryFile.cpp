#include "engine/SummaryFile.h"

namespace tesvorik {

SummaryFile::SummaryFile(const std::filesystem::path& folder)
    : file_(folder / kName, std::ios::binary | std::ios::trunc) {
    if (!file_) throw OutputError(std::string("Error writing ") + kName + ": cannot create the file");
}

void SummaryFile::Line(std::string_view text) {
    file_.write(text.data(), static_cast<std::streamsize>(text.size()));
    file_.write("\r\n", 2);
}

void SummaryFile::Close() {
    file_.close();
    if (!file_) throw OutputError(std::string("Error writing ") + kName + ": the file could not be written");
}

} // namespace tesvorik
