// Platform services: DPI and font scaling, standard folders, opening files and
// links, resources and diagnostics.

#include "graphics/DeviceContext.h"
#include "graphics/GraphicsObjects.h"
#include "kel/RarEvads.h"
#include "os/Folders.h"
#include "os/Shell.h"
#include "rtl/Encoding.h"
#include "rtl/Exception.h"
#include "rtl/MathUtils.h"
#include "windowing/Input.h"

#include <cstdio>

namespace {

constexpr Integer DesignPixelsPerInch = 96;

// The shell refuses what it cannot open; say so in the diagnostics output.
void ShellOpenOrLog(const String& target) {
    if (!os::ShellOpen(target)) TRarEvads::Log(u"Cannot open " + target);
}

} // namespace

Single TRarEvads::GetDPIScale(const TComponent* /*AOwner*/, Integer ADefaultDPI) {
    // Every form works at the screen's resolution, so the owner's form needs
    // no lookup: the scale is the same for all of them.
    const Integer designDPI = ADefaultDPI > 0 ? ADefaultDPI : DesignPixelsPerInch;
    return Single(ScreenPixelsPerInch()) / Single(designDPI);
}

bool TRarEvads::IsHighDPIScale(const TComponent* AOwner, Integer ADefaultDPI) {
    return GetDPIScale(AOwner, ADefaultDPI) > 1;
}

void TRarEvads::SetFontSize(TFont* AFont, Single ASize) {
    const Integer points = Integer(Round(double(ASize) / DesignPixelsPerInch * 72));
    AFont->SetHeight(-MulDivInt(points, DesignPixelsPerInch, 72));
}

String TRarEvads::GetTempPath() {
    return os::TempFolder();
}

String TRarEvads::GetAppPath() {
    return os::ProgramFolder();
}

String TRarEvads::GetDocumentsPath() {
    return os::DocumentsFolder();
}

String TRarEvads::AddBackslash(const String& AValue) {
    if (AValue.empty() || AValue.back() == u'\\') return AValue;
    return AValue + u'\\';
}

String TRarEvads::AddForwardslash(const String& AValue) {
    if (AValue.empty() || AValue.back() == u'/') return AValue;
    return AValue + u'/';
}

void TRarEvads::OpenFile(const String& AFile, const TObject* /*AControlReference*/) {
    ShellOpenOrLog(AFile);
}

void TRarEvads::OpenURL(const String& AURL) {
    ShellOpenOrLog(AURL);
}

std::unique_ptr<TMemoryStream> TRarEvads::DownloadImage(const String& /*AURL*/) {
    // The program has no internet service to download with.
    throw Exception(u"Unable to initialize Wininet");
}

HINSTANCE TRarEvads::GetHInstance() {
    return &TResourceModule::Program();
}

std::unique_ptr<TMemoryStream> TRarEvads::GetResourceStream(const String& AResourceName) {
    return GetResourceStream(AResourceName, GetHInstance());
}

std::unique_ptr<TMemoryStream> TRarEvads::GetResourceStream(const String& AResourceName,
                                                            HINSTANCE AInstance) {
    const TResourceEntry* entry = AInstance ? AInstance->Find(AResourceName) : nullptr;
    if (!entry) return nullptr;
    auto stream = std::make_unique<TMemoryStream>();
    if (!entry->Data.empty()) stream->WriteBuffer(entry->Data.data(), Int64(entry->Data.size()));
    stream->SetPosition(0);
    return stream;
}

void TRarEvads::Log(const String& AMessage) {
    const std::string text = Utf8(AMessage) + "\n";
    std::fwrite(text.data(), 1, text.size(), stderr);
}

TPointF TRarEvads::GetMousePos() {
    TPoint point;
    if (!winapi::GetCursorPos(point)) return {};
    return PointToPointF(point);
}
