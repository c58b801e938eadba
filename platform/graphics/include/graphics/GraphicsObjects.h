#pragma once
// The class library's font, pen and brush: persistent descriptions that make
// their GDI object on demand and report every change through OnChange.

#include "graphics/Colors.h"
#include "graphics/GdiObjects.h"
#include "rtl/Events.h"
#include "rtl/Persistent.h"
#include "rtl/Set.h"

class TGraphicsObject : public TPersistent {
    RTL_CLASS(TGraphicsObject)
public:
    TNotifyEvent OnChange;

protected:
    // Drops the cached GDI object and calls OnChange.
    virtual void Changed();
};

RTL_ENUM(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut)
using TFontStyles = TSet<TFontStyle>;
RTL_SET_INFO(TFontStyles)

class TFont : public TGraphicsObject {
    RTL_CLASS(TFont)
public:
    TFont();
    ~TFont() override;

    void Assign(const TPersistent* Source) override;

    const String& Name() const { return FName; }
    void SetName(const String& value);
    // Points; derived from Height and PixelsPerInch.
    Integer Size() const;
    void SetSize(Integer value);
    // Pixels; negative: the character height, positive: the cell height.
    Integer Height() const { return FHeight; }
    void SetHeight(Integer value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    Integer PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(Integer value);
    // Tenths of a degree, counter-clockwise; turns the baseline as well.
    Integer Orientation() const { return FOrientation; }
    void SetOrientation(Integer value);

    // The font as a GDI object, made on first use and kept until a change.
    winapi::HFONT Handle() const;
    TLogFont LogFont() const;

protected:
    void Changed() override;

private:
    String FName = u"Tahoma";
    Integer FHeight = -11;
    TFontStyles FStyle;
    TColor FColor = clWindowText;
    Integer FPixelsPerInch;
    Integer FOrientation = 0;
    mutable winapi::HFONT FHandle = nullptr;
};

RTL_ENUM(TPenStyle, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame, psUserStyle, psAlternate)

RTL_ENUM(TPenMode, pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot, pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor)

// The binary raster operation of a pen mode.
Integer PenModeToRop2(TPenMode mode);

class TPen : public TGraphicsObject {
    RTL_CLASS(TPen)
public:
    TPen() = default;
    ~TPen() override;

    void Assign(const TPersistent* Source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    Integer Width() const { return FWidth; }
    void SetWidth(Integer value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle value);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode value);

    winapi::HPEN Handle() const;

protected:
    void Changed() override;

private:
    TColor FColor = clBlack;
    Integer FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
    mutable winapi::HPEN FHandle = nullptr;
};

RTL_ENUM(TBrushStyle, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross)

class TBrush : public TGraphicsObject {
    RTL_CLASS(TBrush)
public:
    TBrush() = default;
    ~TBrush() override;

    void Assign(const TPersistent* Source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle value);

    winapi::HBRUSH Handle() const;

protected:
    void Changed() override;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    mutable winapi::HBRUSH FHandle = nullptr;
};
