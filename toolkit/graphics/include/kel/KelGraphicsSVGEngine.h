#pragma once
// TKelGraphicsSVGImport: the toolkit's SVG engine. Loading parses the text
// with the platform's XML document and walks its element nodes into a tree
// of elements: the top-level elements, and the definitions (the content of
// "defs" and the style rules). References between elements (style rules,
// paint servers, clip paths, gradient links) are then resolved, and the view
// rectangle fixed: the viewBox, else the width and height, else the bounds of
// the drawable content. Elements and attributes the engine does not know are
// skipped; "use", "switch" and a nested "svg" are skipped with their content.
//
// The grammars that turn attribute texts into geometry and presentation:
//   - transform lists into matrices, path data into sub-paths (elliptical arcs
//     become cubic curves);
//   - declarations ("fill:red;stroke-width:2") and style sheets of single
//     class selectors into element fields and style rules;
//   - the value grammars: paints and colours, rgb(), lengths, font families.
// Numbers are always read with "." as decimal separator. Nothing here raises:
// what cannot be read is skipped, or read as the documented fallback.
//
// Transform lists compose as SVG composes them: the function written last acts
// first on the coordinates.

#include "graphics/GraphicsObjects.h"
#include "kel/KelGraphicsMatrix.h"
#include "kel/KelGraphicsSVGElement.h"
#include "kel/KelSVGImport.h"
#include "rtl/Types.h"

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

class IXMLNode;
class TKelGraphics;
class TXMLDocument;

using TKelGraphicsSVGTokens = std::vector<String>;

class TKelGraphicsSVGImport : public TKelSVGImport {
    RTL_CLASS(TKelGraphicsSVGImport)
public:
    TKelGraphicsSVGImport();
    ~TKelGraphicsSVGImport() override;

    // --- The document ------------------------------------------------------------

    bool HasElements() const override { return ElementCount() > 0; }
    Integer ElementCount() const override { return FElementList.Count(); }
    // Empties the lists, releases the document and sets ViewRect to
    // EmptyViewRect.
    void Clear() override;
    // Raises the XML document's EDOMParseError for text that is not
    // well-formed XML; the importer is then empty. A document element not
    // named "svg" leaves it empty without error.
    void LoadFromText(const String& AText) override;
    void LoadFromFile(const String& AFile) override;
    // The whole stream, from its start, read as UTF-8 text.
    void LoadFromStream(TStream* AStream) override;
    // The parsed document written anew; nothing when none is held.
    void SaveToStream(TStream* AStream) const override;
    void SaveToFile(const String& AFile) const override;

    // --- Drawing -----------------------------------------------------------------

    // A new drawing class on the canvas draws the document into ARect.
    void Draw(TCanvas* ACanvas, const TRectF& ARect, bool ANative) override;
    // Draws into an existing drawing class: itself, or (ARecreateGraphics) a
    // new one on its canvas; with both ANative and ARecreateGraphics its
    // current transform applies as well.
    void Draw(TKelGraphics* AGraphics, const TRectF& ARect, bool ANative, bool ARecreateGraphics);
    TKelBitmap* GenerateBitmap(Single AWidth, Single AHeight) override;
    // Draws a list of elements with the view scale (ASX, ASY) of the draw in
    // progress.
    void DrawElements(TKelGraphicsSVGElementList& AList, TKelGraphics* AGraphics, Single ASX, Single ASY);
    // The view matrix of the last draw.
    const TKelGraphicsMatrix& Matrix() const { return FMatrix; }

    // The colour options applied to a colour: grey, tint, or the custom colour
    // ACustom when not -1.
    TColor OptionColor(TColor AColor, TColor ACustom) const;
    // The grey of a colour: v = round(0.3 red + 0.6 green + 0.1 blue).
    static TColor GrayColor(TColor AColor);
    // Each channel of AColor times that of ATint, divided by 255.
    static TColor TintedColor(TColor AColor, TColor ATint);

    // Nesting deeper than this (groups, "use" chains) is not drawn.
    static constexpr Integer MaxDrawDepth = 64;

    // The marker of a view rectangle nothing has extended yet.
    static TRectF EmptyViewRect();

    // The top-level elements (owned), every gradient and pattern, and every
    // clipPath element (referred to).
    TKelGraphicsSVGElementList& ElementList() { return FElementList; }
    TKelGraphicsSVGElementClassList& ElementPatternList() { return FElementPatternList; }
    TKelGraphicsSVGElementClassList& ElementClipPathList() { return FElementClipPathList; }

    // --- Transforms --------------------------------------------------------------

    // The matrix of the node's transform attribute AName; all zeros (the marker
    // of "no transform") when the node has no such attribute.
    static TKelGraphicsMatrix ParseTransform(const IXMLNode& ANode, const String& AName);
    // The product of the transform functions of a present attribute's text;
    // the identity for text without any function.
    static TKelGraphicsMatrix ParseTransform(const String& AText);

    // --- Path data ---------------------------------------------------------------

    // Appends the sub-paths of the path data AData to the element's Paths,
    // one per move command.
    static void ParsePathData(TKelGraphicsSVGElement* AElement, const String& AData);
    // The tokens of path data (commas already replaced by spaces): each command
    // letter followed by its numbers.
    static TKelGraphicsSVGTokens SplitPathData(const String& AData);
    // A command letter and the text after it up to the next command letter.
    static TKelGraphicsSVGTokens TokenizePathSegment(Char ACommand, const String& AText);
    // Repeats each command letter before every further complete group of its
    // operands ("L" for "M", "l" for "m").
    static TKelGraphicsSVGTokens InsertImplicitCommands(const TKelGraphicsSVGTokens& ATokens);
    // An elliptical arc from AStart to AEnd as cubic curves (a straight line
    // when a radius is 0; nothing when the two points are equal). ARotation in
    // degrees.
    static void AddEllipticalArc(TKelGraphicsPath* APath, const TPointF& AStart, const TPointF& AEnd,
                                 Single ARx, Single ARy, Single ARotation, bool ALargeArc, bool ASweep);

    // --- Presentation ------------------------------------------------------------

    // Reads "name:value" declarations separated by ";" into the element.
    void ParseDeclarations(TKelGraphicsSVGElement* AElement, const String& AText);
    // Reads the style sheet of a style element: one style rule per class
    // selector, kept in the definitions list.
    void ParseStyleSheet(const String& AText);

    // The colour of "rgb(r, g, b)" or "rgba(r, g, b, a)"; gcNull when the text
    // is neither or a component cannot be read. AAlpha is the opacity from 0 to
    // 255 (255 for rgb()), -1 when the alpha cannot be read.
    static TColor ParseRGB(const String& AText, Integer& AAlpha);

    // The elements carrying a class outside gradients and patterns (referred
    // to), and the definitions with the style rules (owned).
    TKelGraphicsSVGElementClassList& ElementClassList() { return FElementClassList; }
    TKelGraphicsSVGElementList& DefsList() { return FDefsList; }

private:
    // Drawing of one element, and its parts (see KelGraphicsSVGDraw.cpp).
    void DrawElement(TKelGraphicsSVGElement* AElement, TKelGraphics* AGraphics, Single ASX, Single ASY);
    TKelGraphicsMatrix ElementMatrix(const TKelGraphicsSVGElement* AElement) const;
    // The presenting element of a drawn element: its style rule, or itself.
    static TKelGraphicsSVGElement* Presenter(TKelGraphicsSVGElement* AElement);
    // The nearest element of the drawn chain (the element, then the
    // ancestors drawn around it) whose presenter gives the property AHas.
    template <class F>
    TKelGraphicsSVGElement* Inherited(TKelGraphicsSVGElement* AElement, F&& AHas) const;
    void ApplyFill(TKelGraphicsSVGElement* AElement, TKelGraphics* AGraphics, const TKelGraphicsMatrix& M,
                   Single AOpacity);
    void ApplyGradient(TKelGraphicsSVGElement* AElement, TKelGraphicsSVGElement* AServer, TKelGraphics* AGraphics,
                       const TKelGraphicsMatrix& M, Single AOpacity);
    void ApplyStroke(TKelGraphicsSVGElement* AElement, TKelGraphics* AGraphics, const TKelGraphicsMatrix& M,
                     Single AOpacity);
    void ApplyClip(TKelGraphicsSVGElement* AElement, TKelGraphics* AGraphics, const TKelGraphicsMatrix& M);
    void DrawText(TKelGraphicsSVGElement* AElement, TKelGraphics* AGraphics, const TKelGraphicsMatrix& M);
    void DrawImage(TKelGraphicsSVGElement* AElement, TKelGraphics* AGraphics, const TKelGraphicsMatrix& M);
    void DrawUse(TKelGraphicsSVGElement* AElement, TKelGraphics* AGraphics, Single ASX, Single ASY);
    // The content of a group or "use" element with an opacity below 1:
    // drawn by ADraw into a layer of its own, which is then laid onto
    // AGraphics with the opacity, so that overlapping children do not show
    // through each other. False (nothing drawn) when the layer cannot be
    // made; the content is then drawn directly with the opacity multiplied
    // into each shape.
    bool DrawLayer(TKelGraphicsSVGElement* AElement, TKelGraphics* AGraphics,
                   const std::function<void(TKelGraphics*)>& ADraw);
    bool IsLayer(const TKelGraphicsSVGElement* AElement) const;
    // The shape of a drawn or clipping element in its own user space (its
    // own transform applied where drawing applies it); false for kinds
    // without geometry.
    static bool BuildShape(TKelGraphicsSVGElement* AElement, TKelGraphicsPath& APath);
    // The element of an id; null when none has it.
    TKelGraphicsSVGElement* FindByID(const String& AID);
    void IndexIDs(TKelGraphicsSVGElementList& AList);
    void ComputeViewMatrix(const TRectF& ARect, Single& ASX, Single& ASY);
    void PrepareNative(TKelGraphics* AGraphics, const TRectF& ARect);

    // A paint value of "fill" or "stroke": the colour, or the paint server's
    // id kept in URLRefID; AValue becomes "none" for a transparent rgba().
    // AAlpha becomes the alpha of a fractional rgba() (else it stays).
    static void ParsePaint(TKelGraphicsSVGElement* AElement, String& AValue, TColor& AColor, Single& AAlpha);

    // Walks the child nodes of ANode into AList, each new element with the
    // parent AParent. AExtendsBounds: drawable content extends ViewRect.
    void ParseNodes(TKelGraphicsSVGElementList& AList, const IXMLNode& ANode, bool AExtendsBounds,
                    TKelGraphicsSVGElement* AParent);
    // Reads one element node or text node into the new element AElement.
    void ParseElement(TKelGraphicsSVGElement* AElement, const IXMLNode& ANode, bool AExtendsBounds);
    static void ParseGeometry(TKelGraphicsSVGElement* AElement, const IXMLNode& ANode);
    // The "points" of a polyline or polygon as a new sub-path; false (and no
    // path) for an odd count of numbers.
    static bool ParsePoints(TKelGraphicsSVGElement* AElement, const String& APoints);
    // Loads the picture of an image element from its xlink:href.
    static void ImageSource(TKelGraphicsSVGElement* AElement, const IXMLNode& ANode);
    // Merges ARect, in the coordinates of AElement's ancestors' transforms,
    // into ViewRect.
    void ExtendViewRect(const TKelGraphicsSVGElement* AElement, const TRectF& ARect);

    // Resolution of the references after the walk.
    static void ResolveClassRefs(const TObjectList& AList, const TKelGraphicsSVGElementList& ADefs);
    void ResolvePatternRefs(const TKelGraphicsSVGElementList& AList) const;
    void ResolveHRefs();

    std::unique_ptr<TXMLDocument> FXML;
    TKelGraphicsSVGElementClassList FElementClassList;
    TKelGraphicsSVGElementClassList FElementPatternList;
    TKelGraphicsSVGElementClassList FElementClipPathList;
    TKelGraphicsSVGElementList FElementList;
    TKelGraphicsSVGElementList FDefsList;

    // The draw in progress: the view matrix, the text matrix, the elements
    // drawn around the current one (outermost first, "use" elements
    // included), and the cached raster picture.
    TKelGraphicsMatrix FMatrix = TKelGraphicsMatrix::Identity();
    TKelGraphicsMatrix FTextMatrix = TKelGraphicsMatrix::Identity();
    std::vector<TKelGraphicsSVGElement*> FDrawChain;
    // The groups of the chain drawn in layers of their own, and the device
    // size that a layer covers (0: no layers in this draw).
    std::vector<const TKelGraphicsSVGElement*> FLayers;
    Integer FLayerWidth = 0;
    Integer FLayerHeight = 0;
    std::unique_ptr<TKelBitmap> FCachedBitmap;
    std::unordered_map<String, TKelGraphicsSVGElement*> FIDs;
    bool FIDsIndexed = false;
};

// --- Value grammars ------------------------------------------------------------------

// A rotation angle in radians: a number in degrees, or with the unit "deg",
// "grad" or "rad"; 0 when empty or unreadable.
Double ParseAngle(const String& AText);
// One colour channel of rgb(): decimal, else hexadecimal digits, or a
// percentage; at most 255; -1 when it cannot be read.
Integer ParseColorComponent(const String& AText);
// A length in user units: a number with an optional unit "px", "pt", "pc",
// "mm", "cm", "in" (CSS absolute units at 96 per inch), "em", "ex" or "%"
// (those three stay plain numbers: 50% is 50). 0 when empty or unreadable.
Single ParseLength(const String& AText);
// The first family of a font-family list, without quotes and without a style
// suffix ("Arial-BoldMT" is Arial, bold); the style words go to AStyle.
String ParseFontFamily(const String& AText, TFontStyles& AStyle);
