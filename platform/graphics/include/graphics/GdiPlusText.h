#pragma once
// GDI+-style fonts, font families and string formats.

#include "graphics/GdiObjects.h"
#include "graphics/GdiPlusTypes.h"

namespace detail {
struct GpFontFamily;
struct GpFont;
struct GpStringFormat;
} // namespace detail

class TGPGraphics;

class TGPFontFamily;

// Stands for the installed fonts (as fontconfig lists them); it holds no
// handle of its own.
class TGPFontCollection : public TGdiplusBase {
public:
    Integer GetFamilyCount();
    // Fills the handles of the caller's family objects with copies of the
    // first families, in name order.
    Status GetFamilies(Integer numSought, TGPFontFamily* gpfamilies, Integer& numFound);

    void* nativeFontCollection = nullptr;
};

class TGPFontFamily : public TGdiplusBase {
public:
    TGPFontFamily(); // a null handle, status Ok
    // FontFamilyNotFound (and a null handle) for a family that is not
    // installed and is no configured alias.
    explicit TGPFontFamily(const String& name, const TGPFontCollection* fontCollection = nullptr);
    ~TGPFontFamily() override;

    // Shared objects; callers never free them.
    static TGPFontFamily* GenericSansSerif();
    static TGPFontFamily* GenericSerif();
    static TGPFontFamily* GenericMonospace();

    Status GetFamilyName(String& name, Word language = 0);
    TGPFontFamily* Clone();
    bool IsAvailable() const { return nativeFamily != nullptr; }
    bool IsStyleAvailable(Integer style);
    // Design units: an em of 2048.
    Word GetEmHeight(Integer style);
    Word GetCellAscent(Integer style);
    Word GetCellDescent(Integer style);
    Word GetLineSpacing(Integer style);

    detail::GpFontFamily* nativeFamily = nullptr;

protected:
    TGPFontFamily(detail::GpFontFamily* native, Status status);
};

class TGPFont : public TGdiplusBase {
public:
    // The font selected into the device context.
    explicit TGPFont(winapi::HDC dc);
    // The record's font (null: the context's); its height counts in pixels,
    // negative for the em, positive for the cell.
    TGPFont(winapi::HDC dc, const TLogFont* logfont);
    // The GDI font (0: the context's).
    TGPFont(winapi::HDC dc, winapi::HFONT font);
    TGPFont(const TGPFontFamily* family, Single emSize, Integer style = FontStyleRegular,
            Unit_ unit = UnitPoint);
    // Falls back to the generic sans-serif family when the name is unknown.
    TGPFont(const String& familyName, Single emSize, Integer style = FontStyleRegular, Unit_ unit = UnitPoint,
            const TGPFontCollection* fontCollection = nullptr);
    ~TGPFont() override;

    TGPFont* Clone();
    bool IsAvailable() const { return nativeFont != nullptr; }
    Integer GetStyle();
    Single GetSize();
    Unit_ GetUnit();
    // The line spacing in the graphics' units (pixels); 96 dots per inch
    // without a graphics.
    Single GetHeight(const TGPGraphics* graphics);
    Single GetHeight(Single dpi);
    // The font as a GDI record (height as a negative em in pixels).
    Status GetLogFontA(const TGPGraphics* g, TLogFont& logfontA);
    Status GetLogFontW(const TGPGraphics* g, TLogFont& logfontW);
    // Writes the family into the caller's family object.
    Status GetFamily(TGPFontFamily* family);

    detail::GpFont* nativeFont = nullptr;

protected:
    TGPFont(detail::GpFont* native, Status status);
};

class TGPStringFormat : public TGdiplusBase {
public:
    explicit TGPStringFormat(Integer formatFlags = 0, Word language = 0);
    // A copy of the format; a null format copies a null handle.
    explicit TGPStringFormat(const TGPStringFormat* format);
    ~TGPStringFormat() override;

    // Shared objects: the default format (with GDI+'s measuring padding of
    // one sixth of an em on each side) and the typographic one (none).
    static TGPStringFormat* GenericDefault();
    static TGPStringFormat* GenericTypographic();

    TGPStringFormat* Clone();
    Status SetFormatFlags(Integer flags);
    Integer GetFormatFlags();
    Status SetAlignment(StringAlignment align);
    StringAlignment GetAlignment();
    Status SetLineAlignment(StringAlignment align);
    StringAlignment GetLineAlignment();
    Status SetHotkeyPrefix(HotkeyPrefix hotkeyPrefix);
    HotkeyPrefix GetHotkeyPrefix();
    Status SetTrimming(StringTrimming trimming);
    StringTrimming GetTrimming();
    Status SetTabStops(Single firstTabOffset, Integer count, const Single* tabStops);
    Integer GetTabStopCount();
    Status GetTabStops(Integer count, Single& firstTabOffset, Single* tabStops);
    Status SetDigitSubstitution(Word language, StringDigitSubstitute substitute);
    Word GetDigitSubstitutionLanguage();
    StringDigitSubstitute GetDigitSubstitutionMethod();
    // The ranges MeasureCharacterRanges measures.
    Status SetMeasurableCharacterRanges(Integer rangeCount, const TCharacterRange* ranges);
    Integer GetMeasurableCharacterRangeCount();

    detail::GpStringFormat* nativeFormat = nullptr;
    Status lastError = Ok;

    Status GetLastStatus() {
        const Status s = lastError;
        lastError = Ok;
        return s;
    }

protected:
    TGPStringFormat(detail::GpStringFormat* native, Status status);
    Status SetStatus(Status status) {
        if (status != Ok) lastError = status;
        return status;
    }
};
