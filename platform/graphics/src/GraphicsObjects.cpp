#include "graphics/GraphicsObjects.h"


#include "graphics/DeviceContext.h"
#include "rtl/ClassBuilder.h"
#include "rtl/MathUtils.h"

namespace {

template <class T>
void FreeHandle(T*& handle) {
    if (handle) winapi::DeleteObject(handle);
    handle = nullptr;
}

} // namespace

const TClassInfo& TGraphicsObject::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TGraphicsObject, TPersistent>().Build();
    return Info;
}

void TGraphicsObject::Changed() {
    if (OnChange) OnChange(this);
}

// ---- TFont ------------------------------------------------------------------------

const TClassInfo& TFont::StaticClassInfo() {
    static const TClassInfo Info =
        TClassBuilder<TFont, TGraphicsObject>()
            .Property(u"Color", TypeInfo_TColor(), &TFont::Color, &TFont::SetColor)
            .Default(clWindowText)
            .Property(u"Height", &TFont::Height, &TFont::SetHeight)
            .Property(u"Name", &TFont::Name, &TFont::SetName)
            .Property(u"Orientation", &TFont::Orientation, &TFont::SetOrientation)
            .Default(0)
            .Property(u"Size", &TFont::Size, &TFont::SetSize)
            .Stored(false)
            .Property(u"Style", &TFont::Style, &TFont::SetStyle)
            .Default(TFontStyles{})
            .Build();
    return Info;
}

TFont::TFont() : FPixelsPerInch(ScreenPixelsPerInch()) {}

TFont::~TFont() { FreeHandle(FHandle); }

void TFont::Changed() {
    FreeHandle(FHandle);
    TGraphicsObject::Changed();
}

void TFont::Assign(const TPersistent* Source) {
    if (auto* font = dynamic_cast<const TFont*>(Source)) {
        FName = font->FName;
        FHeight = font->FHeight;
        FStyle = font->FStyle;
        FColor = font->FColor;
        FPixelsPerInch = font->FPixelsPerInch;
        FOrientation = font->FOrientation;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

void TFont::SetName(const String& value) {
    if (value.empty() || value == FName) return;
    FName = value;
    Changed();
}

Integer TFont::Size() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }

void TFont::SetSize(Integer value) { SetHeight(-MulDiv(value, FPixelsPerInch, 72)); }

void TFont::SetHeight(Integer value) {
    if (value == FHeight) return;
    FHeight = value;
    Changed();
}

void TFont::SetStyle(TFontStyles value) {
    if (value == FStyle) return;
    FStyle = value;
    Changed();
}

void TFont::SetColor(TColor value) {
    if (value == FColor) return;
    FColor = value;
    Changed();
}

void TFont::SetPixelsPerInch(Integer value) {
    if (value <= 0 || value == FPixelsPerInch) return;
    FPixelsPerInch = value;
    Changed();
}

void TFont::SetOrientation(Integer value) {
    if (value == FOrientation) return;
    FOrientation = value;
    Changed();
}

TLogFont TFont::LogFont() const {
    TLogFont f;
    f.Height = FHeight;
    f.Escapement = FOrientation;
    f.Orientation = FOrientation;
    f.Weight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    f.Italic = FStyle.Contains(fsItalic);
    f.Underline = FStyle.Contains(fsUnderline);
    f.StrikeOut = FStyle.Contains(fsStrikeOut);
    f.FaceName = FName;
    return f;
}

winapi::HFONT TFont::Handle() const {
    if (!FHandle) FHandle = winapi::CreateFontIndirect(LogFont());
    return FHandle;
}

// ---- TPen -------------------------------------------------------------------------

Integer PenModeToRop2(TPenMode mode) {
    static const Integer rops[] = {R2_BLACK,       R2_WHITE,      R2_NOP,        R2_NOT,
                                   R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                   R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,   R2_NOTMERGEPEN,
                                   R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,     R2_NOTXORPEN};
    return rops[mode];
}

const TClassInfo& TPen::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TPen, TGraphicsObject>()
                                       .Property(u"Color", TypeInfo_TColor(), &TPen::Color, &TPen::SetColor)
                                       .Default(clBlack)
                                       .Property(u"Mode", &TPen::Mode, &TPen::SetMode)
                                       .Default(pmCopy)
                                       .Property(u"Style", &TPen::Style, &TPen::SetStyle)
                                       .Default(psSolid)
                                       .Property(u"Width", &TPen::Width, &TPen::SetWidth)
                                       .Default(1)
                                       .Build();
    return Info;
}

TPen::~TPen() { FreeHandle(FHandle); }

void TPen::Changed() {
    FreeHandle(FHandle);
    TGraphicsObject::Changed();
}

void TPen::Assign(const TPersistent* Source) {
    if (auto* pen = dynamic_cast<const TPen*>(Source)) {
        FColor = pen->FColor;
        FWidth = pen->FWidth;
        FStyle = pen->FStyle;
        FMode = pen->FMode;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

void TPen::SetColor(TColor value) {
    if (value == FColor) return;
    FColor = value;
    Changed();
}

void TPen::SetWidth(Integer value) {
    if (value < 0 || value == FWidth) return;
    FWidth = value;
    Changed();
}

void TPen::SetStyle(TPenStyle value) {
    if (value == FStyle) return;
    FStyle = value;
    Changed();
}

void TPen::SetMode(TPenMode value) {
    if (value == FMode) return;
    FMode = value;
    Changed();
}

winapi::HPEN TPen::Handle() const {
    if (!FHandle) {
        static const Integer styles[] = {PS_SOLID,      PS_DASH,     PS_DOT,   PS_DASHDOT,  PS_DASHDOTDOT,
                                         PS_NULL,       PS_INSIDEFRAME, PS_SOLID, PS_ALTERNATE};
        TColor rgb = ColorToRGB(FColor);
        if (FStyle == psAlternate) {
            FHandle = winapi::ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, TLogBrush{BS_SOLID, rgb, 0});
        } else {
            FHandle = winapi::CreatePen(styles[FStyle], FWidth, rgb);
        }
    }
    return FHandle;
}

// ---- TBrush -----------------------------------------------------------------------

const TClassInfo& TBrush::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TBrush, TGraphicsObject>()
                                       .Property(u"Color", TypeInfo_TColor(), &TBrush::Color, &TBrush::SetColor)
                                       .Default(clWhite)
                                       .Property(u"Style", &TBrush::Style, &TBrush::SetStyle)
                                       .Default(bsSolid)
                                       .Build();
    return Info;
}

TBrush::~TBrush() { FreeHandle(FHandle); }

void TBrush::Changed() {
    FreeHandle(FHandle);
    TGraphicsObject::Changed();
}

void TBrush::Assign(const TPersistent* Source) {
    if (auto* brush = dynamic_cast<const TBrush*>(Source)) {
        FColor = brush->FColor;
        FStyle = brush->FStyle;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

void TBrush::SetColor(TColor value) {
    if (value == FColor && FStyle != bsClear) return;
    FColor = value;
    // A colour given to a clear brush makes it solid, as in the class library.
    if (FStyle == bsClear) FStyle = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle value) {
    if (value == FStyle) return;
    FStyle = value;
    Changed();
}

winapi::HBRUSH TBrush::Handle() const {
    if (!FHandle) {
        TColor rgb = ColorToRGB(FColor);
        switch (FStyle) {
        case bsSolid: FHandle = winapi::CreateSolidBrush(rgb); break;
        case bsClear: FHandle = winapi::CreateBrushIndirect(TLogBrush{BS_NULL, rgb, 0}); break;
        default: FHandle = winapi::CreateHatchBrush(Integer(FStyle) - bsHorizontal, rgb); break;
        }
    }
    return FHandle;
}
