#include "graphics/GdiPlusText.h"

#include "GdiPlusNative.h"
#include "graphics/Fonts.h"
#include "graphics/GdiPlusGraphics.h"
#include "rtl/Encoding.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <pango/pangocairo.h>

using detail::GpFont;
using detail::GpFontFamily;
using detail::GpStringFormat;

namespace detail {

double GpFont::PixelSize() const {
    switch (Unit) {
    case UnitPoint:
        return Size * 96.0 / 72.0;
    case UnitInch:
        return Size * 96.0;
    case UnitDocument:
        return Size * 96.0 / 300.0;
    case UnitMillimeter:
        return Size * 96.0 / 25.4;
    default:
        return Size; // world, display and pixel units
    }
}

} // namespace detail

namespace {

// Ascent and descent of a family at an em of `em` pixels.
void FamilyMetrics(const String& family, Integer style, double em, double& ascent, double& descent) {
    PangoFontDescription* desc = CreatePangoFontDescription(family, em, style & FontStyleBold ? 700 : 400,
                                                            (style & FontStyleItalic) != 0);
    PangoFontMetrics* metrics = pango_context_get_metrics(GraphicsPangoContext(), desc, nullptr);
    ascent = pango_font_metrics_get_ascent(metrics) / double(PANGO_SCALE);
    descent = pango_font_metrics_get_descent(metrics) / double(PANGO_SCALE);
    pango_font_metrics_unref(metrics);
    pango_font_description_free(desc);
}

} // namespace

// ---- TGPFontFamily ----

TGPFontFamily::TGPFontFamily() = default;

TGPFontFamily::TGPFontFamily(const String& name, const TGPFontCollection*) {
    if (!FontFamilyExists(name)) {
        lastResult = FontFamilyNotFound;
        return;
    }
    nativeFamily = new GpFontFamily{name};
}

TGPFontFamily::TGPFontFamily(GpFontFamily* native, Status status) : nativeFamily(native) {
    lastResult = status;
}

TGPFontFamily::~TGPFontFamily() {
    delete nativeFamily;
}

namespace {

TGPFontFamily* SharedFamily(const char16_t* name) {
    // One object per kind for the life of the program.
    static std::map<String, std::unique_ptr<TGPFontFamily>> shared;
    auto& family = shared[name];
    if (!family) family = std::make_unique<TGPFontFamily>(name);
    return family.get();
}

} // namespace

TGPFontFamily* TGPFontFamily::GenericSansSerif() {
    return SharedFamily(u"Arial");
}
TGPFontFamily* TGPFontFamily::GenericSerif() {
    return SharedFamily(u"Times New Roman");
}
TGPFontFamily* TGPFontFamily::GenericMonospace() {
    return SharedFamily(u"Courier New");
}

Status TGPFontFamily::GetFamilyName(String& name, Word) {
    name.clear();
    if (!nativeFamily) return SetStatus(InvalidParameter);
    name = nativeFamily->Name.substr(0, 31); // GDI+ answers in 32 characters
    return Ok;
}

TGPFontFamily* TGPFontFamily::Clone() {
    return new TGPFontFamily(nativeFamily ? new GpFontFamily(*nativeFamily) : nullptr, lastResult);
}

bool TGPFontFamily::IsStyleAvailable(Integer) {
    if (!nativeFamily) return SetStatus(InvalidParameter), false;
    return true; // fontconfig synthesises the styles a family lacks
}

Word TGPFontFamily::GetEmHeight(Integer) {
    if (!nativeFamily) return SetStatus(InvalidParameter), 0;
    return 2048;
}

Word TGPFontFamily::GetCellAscent(Integer style) {
    if (!nativeFamily) return SetStatus(InvalidParameter), 0;
    double ascent, descent;
    FamilyMetrics(nativeFamily->Name, style, 2048, ascent, descent);
    return Word(std::lround(ascent));
}

Word TGPFontFamily::GetCellDescent(Integer style) {
    if (!nativeFamily) return SetStatus(InvalidParameter), 0;
    double ascent, descent;
    FamilyMetrics(nativeFamily->Name, style, 2048, ascent, descent);
    return Word(std::lround(descent));
}

Word TGPFontFamily::GetLineSpacing(Integer style) {
    if (!nativeFamily) return SetStatus(InvalidParameter), 0;
    double ascent, descent;
    FamilyMetrics(nativeFamily->Name, style, 2048, ascent, descent);
    return Word(std::lround(ascent + descent));
}

// ---- TGPFont ----

TGPFont::TGPFont(const TGPFontFamily* family, Single emSize, Integer style, Unit_ unit) {
    if (!family || !family->nativeFamily || emSize <= 0 || unit == UnitDisplay) {
        lastResult = InvalidParameter;
        return;
    }
    nativeFont = new GpFont{family->nativeFamily->Name, emSize, style, unit};
}

TGPFont::TGPFont(const String& familyName, Single emSize, Integer style, Unit_ unit,
                 const TGPFontCollection* fontCollection) {
    TGPFontFamily family(familyName, fontCollection);
    const TGPFontFamily* use = &family;
    if (family.lastResult != Ok) {
        use = TGPFontFamily::GenericSansSerif();
        if (use->lastResult != Ok) {
            lastResult = use->lastResult;
            return;
        }
    }
    TGPFont made(use, emSize, style, unit);
    lastResult = made.lastResult;
    if (made.lastResult != Ok && use != TGPFontFamily::GenericSansSerif()) {
        TGPFont fallback(TGPFontFamily::GenericSansSerif(), emSize, style, unit);
        lastResult = fallback.lastResult;
        std::swap(nativeFont, fallback.nativeFont);
        return;
    }
    std::swap(nativeFont, made.nativeFont);
}

TGPFont::TGPFont(GpFont* native, Status status) : nativeFont(native) {
    lastResult = status;
}

TGPFont::~TGPFont() {
    delete nativeFont;
}

TGPFont* TGPFont::Clone() {
    return new TGPFont(nativeFont ? new GpFont(*nativeFont) : nullptr, lastResult);
}

Integer TGPFont::GetStyle() {
    if (!nativeFont) return SetStatus(InvalidParameter), 0;
    return nativeFont->Style;
}

Single TGPFont::GetSize() {
    if (!nativeFont) return SetStatus(InvalidParameter), 0;
    return nativeFont->Size;
}

Unit_ TGPFont::GetUnit() {
    if (!nativeFont) return SetStatus(InvalidParameter), UnitWorld;
    return nativeFont->Unit;
}

Single TGPFont::GetHeight(Single dpi) {
    if (!nativeFont) return SetStatus(InvalidParameter), 0;
    double ascent, descent;
    FamilyMetrics(nativeFont->Family, nativeFont->Style, nativeFont->PixelSize(), ascent, descent);
    return Single((ascent + descent) * dpi / 96.0);
}

Single TGPFont::GetHeight(const TGPGraphics*) {
    return GetHeight(96.0f);
}

Status TGPFont::GetFamily(TGPFontFamily* family) {
    if (!family) return SetStatus(InvalidParameter);
    if (!nativeFont) return SetStatus(InvalidParameter);
    delete family->nativeFamily;
    family->nativeFamily = new GpFontFamily{nativeFont->Family};
    return Ok;
}

// ---- TGPStringFormat ----

TGPStringFormat::TGPStringFormat(Integer formatFlags, Word) : nativeFormat(new GpStringFormat) {
    nativeFormat->Flags = formatFlags;
}

TGPStringFormat::TGPStringFormat(const TGPStringFormat* format) {
    if (format && format->nativeFormat) nativeFormat = new GpStringFormat(*format->nativeFormat);
}

TGPStringFormat::TGPStringFormat(GpStringFormat* native, Status status) : nativeFormat(native) {
    lastError = status;
}

TGPStringFormat::~TGPStringFormat() {
    delete nativeFormat;
}

TGPStringFormat* TGPStringFormat::GenericDefault() {
    static TGPStringFormat format(new GpStringFormat, Ok);
    return &format;
}

TGPStringFormat* TGPStringFormat::GenericTypographic() {
    static TGPStringFormat format = [] {
        auto* native = new GpStringFormat;
        native->Flags = StringFormatFlagsNoFitBlackBox | StringFormatFlagsLineLimit | StringFormatFlagsNoClip;
        native->Trimming = StringTrimmingNone;
        native->Typographic = true;
        return TGPStringFormat(native, Ok);
    }();
    return &format;
}

TGPStringFormat* TGPStringFormat::Clone() {
    // The clone call's status is stored first, Ok included.
    lastError = nativeFormat ? Ok : InvalidParameter;
    if (!nativeFormat) return nullptr;
    return new TGPStringFormat(new GpStringFormat(*nativeFormat), lastError);
}

#define FORMAT_ACCESSORS(Type, Name, Field, Fallback)                                                        \
    Status TGPStringFormat::Set##Name(Type value) {                                                          \
        if (!nativeFormat) return SetStatus(InvalidParameter);                                               \
        nativeFormat->Field = value;                                                                         \
        return Ok;                                                                                           \
    }                                                                                                        \
    Type TGPStringFormat::Get##Name() {                                                                      \
        if (!nativeFormat) return SetStatus(InvalidParameter), Fallback;                                     \
        return nativeFormat->Field;                                                                          \
    }

FORMAT_ACCESSORS(Integer, FormatFlags, Flags, 0)
FORMAT_ACCESSORS(StringAlignment, Alignment, Alignment, StringAlignmentNear)
FORMAT_ACCESSORS(StringAlignment, LineAlignment, LineAlignment, StringAlignmentNear)
FORMAT_ACCESSORS(HotkeyPrefix, HotkeyPrefix, Prefix, HotkeyPrefixNone)
FORMAT_ACCESSORS(StringTrimming, Trimming, Trimming, StringTrimmingNone)
#undef FORMAT_ACCESSORS

Status TGPStringFormat::SetTabStops(Single firstTabOffset, Integer count, const Single* tabStops) {
    if (!nativeFormat || count < 0 || (count > 0 && !tabStops)) return SetStatus(InvalidParameter);
    nativeFormat->FirstTabOffset = firstTabOffset;
    nativeFormat->TabStops.assign(tabStops, tabStops + count);
    return Ok;
}

Integer TGPStringFormat::GetTabStopCount() {
    if (!nativeFormat) return SetStatus(InvalidParameter), 0;
    return Integer(nativeFormat->TabStops.size());
}

Status TGPStringFormat::GetTabStops(Integer count, Single& firstTabOffset, Single* tabStops) {
    if (!nativeFormat || count < 0 || (count > 0 && !tabStops)) return SetStatus(InvalidParameter);
    firstTabOffset = nativeFormat->FirstTabOffset;
    const std::size_t n = std::min(std::size_t(count), nativeFormat->TabStops.size());
    std::copy_n(nativeFormat->TabStops.begin(), n, tabStops);
    return Ok;
}

Status TGPStringFormat::SetDigitSubstitution(Word language, StringDigitSubstitute substitute) {
    if (!nativeFormat || substitute < StringDigitSubstituteUser || substitute > StringDigitSubstituteTraditional)
        return SetStatus(InvalidParameter);
    nativeFormat->DigitLanguage = language;
    nativeFormat->DigitMethod = substitute;
    return Ok;
}

Word TGPStringFormat::GetDigitSubstitutionLanguage() {
    if (!nativeFormat) return SetStatus(InvalidParameter), 0;
    return nativeFormat->DigitLanguage;
}

StringDigitSubstitute TGPStringFormat::GetDigitSubstitutionMethod() {
    if (!nativeFormat) return SetStatus(InvalidParameter), StringDigitSubstituteUser;
    return nativeFormat->DigitMethod;
}

Status TGPStringFormat::SetMeasurableCharacterRanges(Integer rangeCount, const TCharacterRange* ranges) {
    // GDI+ measures at most 32 ranges at once.
    if (!nativeFormat || rangeCount < 0 || rangeCount > 32 || (rangeCount > 0 && !ranges))
        return SetStatus(rangeCount > 32 ? ValueOverflow : InvalidParameter);
    nativeFormat->Ranges.assign(ranges, ranges + rangeCount);
    return Ok;
}

Integer TGPStringFormat::GetMeasurableCharacterRangeCount() {
    if (!nativeFormat) return SetStatus(InvalidParameter), 0;
    return Integer(nativeFormat->Ranges.size());
}

// ---- TGPFontCollection ----

namespace {

std::vector<String> InstalledFamilies() {
    PangoFontFamily** families = nullptr;
    int count = 0;
    pango_font_map_list_families(GraphicsFontMap(), &families, &count);
    std::vector<String> names;
    for (int i = 0; i < count; ++i)
        names.push_back(FromUtf8(pango_font_family_get_name(families[i])));
    g_free(families);
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

} // namespace

Integer TGPFontCollection::GetFamilyCount() {
    // Stored unconditionally, as the original does.
    lastResult = Ok;
    return Integer(InstalledFamilies().size());
}

Status TGPFontCollection::GetFamilies(Integer numSought, TGPFontFamily* gpfamilies, Integer& numFound) {
    if (numSought < 1 || !gpfamilies) return SetStatus(InvalidParameter);
    numFound = 0;
    const std::vector<String> names = InstalledFamilies();
    for (const String& name : names) {
        if (numFound >= numSought) break;
        TGPFontFamily& target = gpfamilies[numFound++];
        delete target.nativeFamily;
        target.nativeFamily = new GpFontFamily{name};
    }
    return Ok;
}

// ---- Fonts from GDI ----

namespace {

// A GDI record as a font: its face (or the generic sans serif when the face
// is not installed), em in pixels and style.
GpFont* FontOfLog(const TLogFont& log) {
    const String face = FontFamilyExists(log.FaceName) ? log.FaceName : String(u"Arial");
    double em = std::abs(log.Height);
    if (log.Height > 0) {
        // A cell height: the em is the part of it without the internal leading.
        double ascent, descent;
        FamilyMetrics(face, 0, 2048, ascent, descent);
        if (ascent + descent > 0) em = log.Height * 2048 / (ascent + descent);
    }
    if (em <= 0) em = 16; // GDI's default of 12 points
    Integer style = FontStyleRegular;
    if (log.Weight >= 600) style |= FontStyleBold;
    if (log.Italic) style |= FontStyleItalic;
    if (log.Underline) style |= FontStyleUnderline;
    if (log.StrikeOut) style |= FontStyleStrikeout;
    return new GpFont{face, Single(em), style, UnitPixel};
}

} // namespace

TGPFont::TGPFont(winapi::HDC dc) {
    if (!dc) {
        lastResult = InvalidParameter;
        return;
    }
    nativeFont = FontOfLog(dc->State().Font);
    lastResult = Ok;
}

TGPFont::TGPFont(winapi::HDC dc, const TLogFont* logfont) {
    if (!logfont) {
        if (!dc) {
            lastResult = InvalidParameter;
            return;
        }
        nativeFont = FontOfLog(dc->State().Font);
        lastResult = Ok;
        return;
    }
    nativeFont = FontOfLog(*logfont);
    lastResult = Ok;
}

TGPFont::TGPFont(winapi::HDC dc, winapi::HFONT font) {
    if (!font) {
        if (!dc) {
            lastResult = InvalidParameter;
            return;
        }
        nativeFont = FontOfLog(dc->State().Font);
    } else {
        nativeFont = FontOfLog(font->Font);
    }
    lastResult = Ok;
}

Status TGPFont::GetLogFontW(const TGPGraphics*, TLogFont& logfont) {
    logfont.Height = 0;
    if (!nativeFont) return SetStatus(InvalidParameter);
    logfont = TLogFont{};
    logfont.Height = -Integer(std::lround(nativeFont->PixelSize()));
    logfont.Weight = (nativeFont->Style & FontStyleBold) ? 700 : 400;
    logfont.Italic = nativeFont->Style & FontStyleItalic;
    logfont.Underline = nativeFont->Style & FontStyleUnderline;
    logfont.StrikeOut = nativeFont->Style & FontStyleStrikeout;
    logfont.FaceName = nativeFont->Family;
    return Ok;
}

Status TGPFont::GetLogFontA(const TGPGraphics* g, TLogFont& logfont) {
    return GetLogFontW(g, logfont);
}
