#pragma once
// TKelGraphicsSVGElement: one element of a loaded SVG document (a shape, a
// container, a gradient, a stop, a text piece or a style rule) with the
// presentation read from its attributes, its style attribute and the style
// sheet, and the sub-paths of its path data or point list. Shapes keep their
// geometry in X, Y, Width, Height, Rx and Ry (see each field for the kinds
// that use it another way).
//
// A value field holding "default" means the property was not given on this
// element; the Has... tests read it so.

#include "graphics/GraphicsObjects.h"
#include "kel/KelBitmap.h"
#include "kel/KelGraphicsMatrix.h"
#include "kel/KelGraphicsPath.h"
#include "kel/KelJSONMembers.h"
#include "rtl/List.h"
#include "rtl/TypeInfo.h"

#include <memory>

RTL_ENUM(TKelGraphicsSVGElementType, etContainer, etSwitch, etDefs, etUse, etRect, etLine, etPolyline,
         etPolygon, etCircle, etEllipse, etPath, etImage, etText, etTextSpan, etTextSpanChild, etTextPath,
         etClipPath, etLinearGradient, etRadialGradient, etStyle, etStop, etPattern, etUnknown)

RTL_ENUM(TKelGraphicsSVGElementPreserveAspectRatio, parNone, parOther)

// How a shape with crossing or nested sub-paths is filled; SVG's default is
// the non-zero rule.
RTL_ENUM(TKelGraphicsSVGFillRule, frNonZero, frEvenOdd)
// The units of a gradient's geometry: fractions of the filled shape's bounds
// (the default) or the user space where the shape is drawn.
RTL_ENUM(TKelGraphicsSVGGradientUnits, guObjectBoundingBox, guUserSpaceOnUse)
// What a gradient paints beyond its ends.
RTL_ENUM(TKelGraphicsSVGSpreadMethod, smPad, smReflect, smRepeat)

class TKelGraphicsSVGElement;

// The sub-paths of an element; the list owns them.
class TKelGraphicsSVGElementPathList : public TObjectList {
public:
    TKelGraphicsSVGElementPathList() : TObjectList(true) {}
    TKelGraphicsPath* Items(Integer Index) const {
        return static_cast<TKelGraphicsPath*>(TObjectList::Items(Index));
    }
};

// Elements owned by the list (child elements, top-level elements, definitions).
class TKelGraphicsSVGElementList : public TObjectList {
public:
    TKelGraphicsSVGElementList() : TObjectList(true) {}
    TKelGraphicsSVGElement* Items(Integer Index) const;
};

// Elements the list only refers to.
class TKelGraphicsSVGElementClassList : public TObjectList {
public:
    TKelGraphicsSVGElementClassList() : TObjectList(false) {}
    TKelGraphicsSVGElement* Items(Integer Index) const;
};

class TKelGraphicsSVGElement : public TObject {
public:
    TKelGraphicsSVGElement() = default;
    ~TKelGraphicsSVGElement() override;

    // Created on first read.
    TKelGraphicsSVGElementPathList* Paths();
    TKelGraphicsSVGElementList* Elements();
    // The picture of an image element.
    TKelBitmap* Bitmap();
    // All sub-paths joined; built on the first read and never rebuilt.
    TKelGraphicsPath* CombinedPath();
    bool HasElements() const { return FElements != nullptr; }
    bool HasBitmap() const { return FBitmap != nullptr; }
    // The last sub-path; null when there is none.
    TKelGraphicsPath* ActivePath() const;
    bool HasPaths() const { return FPaths != nullptr; }
    bool HasActivePath() const { return ActivePath() != nullptr; }

    bool HasFillColor() const;
    bool HasStrokeColor() const;
    bool HasStopColor() const;
    bool HasStrokeWidth() const { return FStrokeWidthValue != DefaultValue; }
    bool HasOpacity() const { return FOpacityValue != DefaultValue; }
    bool HasOffset() const { return FOffsetValue != DefaultValue; }
    bool HasStopOpacity() const { return FStopOpacityValue != DefaultValue; }
    bool HasPreserveAspectRatio() const { return FPreserveAspectRatioValue != DefaultValue; }
    bool HasFontSize() const { return FFontSizeValue != DefaultValue; }
    bool HasFillOpacity() const { return FFillOpacityValue != DefaultValue; }
    bool HasStrokeOpacity() const { return FStrokeOpacityValue != DefaultValue; }
    bool HasFillRule() const { return FFillRuleValue != DefaultValue; }

    TKelGraphicsSVGElementType Type() const { return FType; }
    void SetType(TKelGraphicsSVGElementType Value) { FType = Value; }
    TKelGraphicsSVGElement* Parent() const { return FParent; }
    void SetParent(TKelGraphicsSVGElement* Value) { FParent = Value; }

    // The element's own transform; all zeros when it has none.
    const TKelGraphicsMatrix& Matrix() const { return FMatrix; }
    void SetMatrix(const TKelGraphicsMatrix& Value) { FMatrix = Value; }
    // Geometry. Circle and ellipse: X, Y the centre, Rx, Ry the radii (a
    // circle's r in both). Line and linear gradient: (X, Y) the first point,
    // (Width, Height) the second.
    Single X() const { return FX; }
    void SetX(Single Value) { FX = Value; }
    Single Y() const { return FY; }
    void SetY(Single Value) { FY = Value; }
    Single Width() const { return FWidth; }
    void SetWidth(Single Value) { FWidth = Value; }
    Single Height() const { return FHeight; }
    void SetHeight(Single Value) { FHeight = Value; }
    Single Rx() const { return FRx; }
    void SetRx(Single Value) { FRx = Value; }
    Single Ry() const { return FRy; }
    void SetRy(Single Value) { FRy = Value; }
    // A radial gradient's centre in percent of the filled shape's bounds, and
    // whether the attributes were given.
    Single CX() const { return FCX; }
    void SetCX(Single Value) { FCX = Value; }
    Single CY() const { return FCY; }
    void SetCY(Single Value) { FCY = Value; }
    bool HasCX() const { return FHasCX; }
    void SetHasCX(bool Value) { FHasCX = Value; }
    bool HasCY() const { return FHasCY; }
    void SetHasCY(bool Value) { FHasCY = Value; }

    // The gradientTransform attribute; all zeros when absent.
    const TKelGraphicsMatrix& GradientMatrix() const { return FGradientMatrix; }
    void SetGradientMatrix(const TKelGraphicsMatrix& Value) { FGradientMatrix = Value; }

    // Colours are gcNull (-1) when the value names no colour.
    TColor FillColor() const { return FFillColor; }
    void SetFillColor(TColor Value) { FFillColor = Value; }
    TColor StrokeColor() const { return FStrokeColor; }
    void SetStrokeColor(TColor Value) { FStrokeColor = Value; }
    TColor StopColor() const { return FStopColor; }
    void SetStopColor(TColor Value) { FStopColor = Value; }
    const String& FillColorValue() const { return FFillColorValue; }
    void SetFillColorValue(const String& Value) { FFillColorValue = Value; }
    const String& StrokeColorValue() const { return FStrokeColorValue; }
    void SetStrokeColorValue(const String& Value) { FStrokeColorValue = Value; }
    const String& StopColorValue() const { return FStopColorValue; }
    void SetStopColorValue(const String& Value) { FStopColorValue = Value; }

    Single StrokeWidth() const { return FStrokeWidth; }
    void SetStrokeWidth(Single Value) { FStrokeWidth = Value; }
    const String& StrokeWidthValue() const { return FStrokeWidthValue; }
    void SetStrokeWidthValue(const String& Value) { FStrokeWidthValue = Value; }
    Single Opacity() const { return FOpacity; }
    void SetOpacity(Single Value) { FOpacity = Value; }
    const String& OpacityValue() const { return FOpacityValue; }
    void SetOpacityValue(const String& Value) { FOpacityValue = Value; }
    Single Offset() const { return FOffset; }
    void SetOffset(Single Value) { FOffset = Value; }
    const String& OffsetValue() const { return FOffsetValue; }
    void SetOffsetValue(const String& Value) { FOffsetValue = Value; }
    Single StopOpacity() const { return FStopOpacity; }
    void SetStopOpacity(Single Value) { FStopOpacity = Value; }
    const String& StopOpacityValue() const { return FStopOpacityValue; }
    void SetStopOpacityValue(const String& Value) { FStopOpacityValue = Value; }

    // fill-opacity and stroke-opacity (0 to 1), and the alpha of an rgba()
    // paint (0 to 1), which multiplies into them.
    Single FillOpacity() const { return FFillOpacity; }
    void SetFillOpacity(Single Value) { FFillOpacity = Value; }
    const String& FillOpacityValue() const { return FFillOpacityValue; }
    void SetFillOpacityValue(const String& Value) { FFillOpacityValue = Value; }
    Single StrokeOpacity() const { return FStrokeOpacity; }
    void SetStrokeOpacity(Single Value) { FStrokeOpacity = Value; }
    const String& StrokeOpacityValue() const { return FStrokeOpacityValue; }
    void SetStrokeOpacityValue(const String& Value) { FStrokeOpacityValue = Value; }
    Single FillAlpha() const { return FFillAlpha; }
    void SetFillAlpha(Single Value) { FFillAlpha = Value; }
    Single StrokeAlpha() const { return FStrokeAlpha; }
    void SetStrokeAlpha(Single Value) { FStrokeAlpha = Value; }
    TKelGraphicsSVGFillRule FillRule() const { return FFillRule; }
    void SetFillRule(TKelGraphicsSVGFillRule Value) { FFillRule = Value; }
    const String& FillRuleValue() const { return FFillRuleValue; }
    void SetFillRuleValue(const String& Value) { FFillRuleValue = Value; }

    // Gradients: the units of their geometry and their spread, and the
    // geometry as written: x1, y1, x2, y2 of a linear gradient, cx, cy, r,
    // fx, fy of a radial one, each with whether it was given and whether it
    // was a percentage (then kept as a fraction).
    TKelGraphicsSVGGradientUnits GradientUnits() const { return FGradientUnits; }
    void SetGradientUnits(TKelGraphicsSVGGradientUnits Value) { FGradientUnits = Value; }
    TKelGraphicsSVGSpreadMethod SpreadMethod() const { return FSpreadMethod; }
    void SetSpreadMethod(TKelGraphicsSVGSpreadMethod Value) { FSpreadMethod = Value; }
    bool HasGradientUnits() const { return FHasGradientUnits; }
    void SetHasGradientUnits(bool Value) { FHasGradientUnits = Value; }
    bool HasSpreadMethod() const { return FHasSpreadMethod; }
    void SetHasSpreadMethod(bool Value) { FHasSpreadMethod = Value; }
    struct TGradientLength {
        Single Value = 0;
        bool Given = false;
        bool Percent = false;
    };
    static constexpr Integer GradientLengthCount = 5;
    const TGradientLength& GradientLength(Integer AIndex) const { return FGradientLengths[AIndex]; }
    void SetGradientLength(Integer AIndex, const TGradientLength& Value) { FGradientLengths[AIndex] = Value; }

    const String& ID() const { return FID; }
    void SetID(const String& Value) { FID = Value; }
    const String& ClassRefID() const { return FClassRefID; }
    void SetClassRefID(const String& Value) { FClassRefID = Value; }
    const String& HRefID() const { return FHRefID; }
    void SetHRefID(const String& Value) { FHRefID = Value; }
    const String& URLRefID() const { return FURLRefID; }
    void SetURLRefID(const String& Value) { FURLRefID = Value; }
    const String& ClipPathRefID() const { return FClipPathRefID; }
    void SetClipPathRefID(const String& Value) { FClipPathRefID = Value; }

    // References resolved after loading; the element never owns them.
    // ClassRef: the style rule that replaces this element's presentation.
    TKelGraphicsSVGElement* ClassRef() const { return FClassRef; }
    void SetClassRef(TKelGraphicsSVGElement* Value) { FClassRef = Value; }
    // The shape that clips this element.
    TKelGraphicsSVGElement* ClipPathRef() const { return FClipPathRef; }
    void SetClipPathRef(TKelGraphicsSVGElement* Value) { FClipPathRef = Value; }
    // The gradient or pattern that URLRefID names.
    TKelGraphicsSVGElement* PaintServer() const { return FPaintServer; }
    void SetPaintServer(TKelGraphicsSVGElement* Value) { FPaintServer = Value; }
    // The gradient that HRefID names.
    TKelGraphicsSVGElement* GradientLink() const { return FGradientLink; }
    void SetGradientLink(TKelGraphicsSVGElement* Value) { FGradientLink = Value; }

    // The text of a text element or text node.
    const String& Text() const { return FText; }
    void SetText(const String& Value) { FText = Value; }

    const String& FontFamily() const { return FFontFamily; }
    void SetFontFamily(const String& Value) { FFontFamily = Value; }
    Single FontSize() const { return FFontSize; }
    void SetFontSize(Single Value) { FFontSize = Value; }
    const String& FontSizeValue() const { return FFontSizeValue; }
    void SetFontSizeValue(const String& Value) { FFontSizeValue = Value; }
    TFontStyles FontStyle() const { return FFontStyle; }
    void SetFontStyle(TFontStyles Value) { FFontStyle = Value; }

    // text-anchor: "start", "middle" or "end"; empty when not given.
    const String& TextAnchor() const { return FTextAnchor; }
    void SetTextAnchor(const String& Value) { FTextAnchor = Value; }

    const String& DisplayValue() const { return FDisplayValue; }
    void SetDisplayValue(const String& Value) { FDisplayValue = Value; }
    TKelGraphicsSVGElementPreserveAspectRatio PreserveAspectRatio() const { return FPreserveAspectRatio; }
    void SetPreserveAspectRatio(TKelGraphicsSVGElementPreserveAspectRatio Value) {
        FPreserveAspectRatio = Value;
    }
    const String& PreserveAspectRatioValue() const { return FPreserveAspectRatioValue; }
    void SetPreserveAspectRatioValue(const String& Value) { FPreserveAspectRatioValue = Value; }

    // The marker of a value field whose property was not given.
    static inline const String DefaultValue = u"default";

private:
    std::unique_ptr<TKelBitmap> FBitmap;
    std::unique_ptr<TKelGraphicsPath> FCombinedPath;
    std::unique_ptr<TKelGraphicsSVGElementPathList> FPaths;
    std::unique_ptr<TKelGraphicsSVGElementList> FElements;
    TKelGraphicsSVGElementType FType = etContainer;
    Single FWidth = 0;
    Single FX = 0;
    Single FY = 0;
    Single FHeight = 0;
    Single FRx = 0;
    Single FRy = 0;
    TKelGraphicsMatrix FMatrix;
    TColor FFillColor = 0;
    TColor FStrokeColor = 0;
    String FFillColorValue = DefaultValue;
    String FStrokeColorValue = DefaultValue;
    TKelGraphicsSVGElement* FParent = nullptr;
    Single FStrokeWidth = 1;
    String FStrokeWidthValue = DefaultValue;
    String FOpacityValue = DefaultValue;
    String FOffsetValue = DefaultValue;
    Single FOffset = 0;
    String FStopColorValue = DefaultValue;
    TColor FStopColor = 0;
    String FStopOpacityValue = DefaultValue;
    Single FStopOpacity = 1;
    Single FOpacity = 1;
    String FID;
    String FClassRefID;
    TKelGraphicsSVGElement* FClassRef = nullptr;
    String FHRefID;
    String FURLRefID;
    TKelGraphicsSVGElement* FGradientLink = nullptr;
    TKelGraphicsSVGElement* FPaintServer = nullptr;
    String FClipPathRefID;
    TKelGraphicsSVGElement* FClipPathRef = nullptr;
    String FFontFamily;
    String FFontSizeValue;
    Single FFontSize = 0;
    TFontStyles FFontStyle;
    String FText;
    String FDisplayValue;
    String FTextAnchor;
    String FPreserveAspectRatioValue = DefaultValue;
    TKelGraphicsSVGElementPreserveAspectRatio FPreserveAspectRatio = parOther;
    Single FCX = 0;
    Single FCY = 0;
    bool FHasCX = false;
    bool FHasCY = false;
    TKelGraphicsMatrix FGradientMatrix;
    Single FFillOpacity = 1;
    String FFillOpacityValue = DefaultValue;
    Single FStrokeOpacity = 1;
    String FStrokeOpacityValue = DefaultValue;
    Single FFillAlpha = 1;
    Single FStrokeAlpha = 1;
    TKelGraphicsSVGFillRule FFillRule = frNonZero;
    String FFillRuleValue = DefaultValue;
    TKelGraphicsSVGGradientUnits FGradientUnits = guObjectBoundingBox;
    TKelGraphicsSVGSpreadMethod FSpreadMethod = smPad;
    bool FHasGradientUnits = false;
    bool FHasSpreadMethod = false;
    TGradientLength FGradientLengths[GradientLengthCount];

    KEL_JSON_MEMBERS
};
