#pragma once
// TKelGraphics: the drawing class of the toolkit. One object wraps one canvas
// (a caller's, or a bitmap of its own) and draws shapes, text and pictures on
// it through a drawing context: the GDI+-style context when native, the
// canvas context otherwise. It owns the current fill, stroke and font and
// keeps the context in step with them: a change made through the setters, or
// directly on Fill(), Stroke() or Font(), reaches the context once.
//
// Create objects with Create<TKelGraphics>(...) (or the class functions
// below) and free them with Free: AfterConstruction hands the initial fill,
// stroke and font to the context. A drawing pass is BeginScene, drawing,
// EndScene.
//
// Shapes are filled first, then outlined. The fill is painted when its
// colour is not gcNull and its kind not gfkNone, or when it is a texture;
// the outline when the stroke's colour is not gcNull and its kind not
// gskNone.

#include "graphics/Canvas.h"
#include "graphics/Graphic.h"
#include "graphics/ImageList.h"
#include "graphics/Picture.h"
#include "kel/KelBitmap.h"
#include "kel/KelGraphicsContext.h"
#include "kel/KelGraphicsFill.h"
#include "kel/KelGraphicsFont.h"
#include "kel/KelGraphicsMatrix.h"
#include "kel/KelGraphicsPath.h"
#include "kel/KelGraphicsSaveState.h"
#include "kel/KelGraphicsStroke.h"
#include "kel/KelGraphicsTypes.h"
#include "kel/KelJSONMembers.h"

#include <memory>

class TKelGraphics;

// --- The markup renderer's hook ------------------------------------------------
//
// Text with markup is laid out and drawn by the mini-HTML renderer, which
// draws back through the drawing class. The renderer registers itself here;
// while none is registered, marked-up text is handled as plain text. The
// mini-HTML renderer (kel/KelMarkupRenderer.h) is registered from the start.

struct TKelMarkupTextRequest {
    String Text;
    TRectF Rect;
    // Only measure: nothing is drawn.
    bool MeasureOnly = false;
    bool WordWrap = false;
    // Hit test only at TestPoint: nothing is drawn, the anchor there is reported.
    bool HitTest = false;
    TPoint TestPoint;
};

struct TKelMarkupTextResult {
    // The block's size and its number of lines.
    Single XSize = 0;
    Single YSize = 0;
    Integer LineCount = 0;
    // The hit test found a link (Anchor) or a form control (the Control fields).
    bool Hit = false;
    String Anchor;
    String ControlID;
    String ControlValue;
    String ControlType;
};

// Draws or measures one marked-up text with AGraphics; the renderer reads the
// link, highlight, picture and image settings from AGraphics itself.
using TKelMarkupTextRenderer = void (*)(TKelGraphics* AGraphics, const TKelMarkupTextRequest& ARequest,
                                        TKelMarkupTextResult& AResult);
// Registers the renderer (null: none).
void SetKelMarkupTextRenderer(TKelMarkupTextRenderer ARenderer);
TKelMarkupTextRenderer KelMarkupTextRenderer();

// The named pictures that markup and DrawBitmapWithName look up; supplied by
// the picture container.
class TPictureContainer;

class TKelGraphics : public TObject {
    RTL_CLASS(TKelGraphics)
public:
    // The size of an object's own bitmap canvas.
    struct TBitmapCanvasSize {
        Integer Width = 0;
        Integer Height = 0;
    };

    // On a caller's canvas (not owned).
    explicit TKelGraphics(TCanvas* ACanvas, bool ANative = false);
    // On a bitmap of its own of the given size. The highlight settings stay 0.
    explicit TKelGraphics(TBitmapCanvasSize ASize, bool ANative = false);
    ~TKelGraphics() override;
    // Hands the own fill, stroke and font to the context.
    void AfterConstruction() override;

    static TKelGraphics* CreateNative(TCanvas* ACanvas) { return Create<TKelGraphics>(ACanvas, true); }
    // AHighDPI has no effect.
    static TKelGraphics* CreateBitmapCanvas(Integer AWidth, Integer AHeight, bool ANative = false,
                                            bool AHighDPI = false);
    static TKelGraphics* CreateNativeBitmapCanvas(Integer AWidth, Integer AHeight) {
        return CreateBitmapCanvas(AWidth, AHeight, true, true);
    }

    // --- State ---------------------------------------------------------------
    TKelGraphicsFill* Fill() const { return FFill.get(); }
    TKelGraphicsStroke* Stroke() const { return FStroke.get(); }
    TKelGraphicsFont* Font() const { return FFont.get(); }
    // The own bitmap of a bitmap-canvas object, else null.
    TBitmap* Bitmap() const { return FBitmap.get(); }
    // The canvas drawn on.
    TCanvas* Canvas() const { return FActiveCanvas; }
    bool Native() const { return FNative; }
    TKelGraphicsContext* Context() const;

    bool OptimizedHTMLDrawing() const { return FOptimizedHTMLDrawing; }
    void SetOptimizedHTMLDrawing(bool Value) { FOptimizedHTMLDrawing = Value; }
    TColor HighlightColor() const { return FHighlightColor; }
    void SetHighlightColor(TColor Value) { FHighlightColor = Value; }
    TColor HighlightTextColor() const { return FHighlightTextColor; }
    void SetHighlightTextColor(TColor Value) { FHighlightTextColor = Value; }
    TFontStyles HighlightFontStyle() const { return FHighlightFontStyles; }
    void SetHighlightFontStyle(TFontStyles Value) { FHighlightFontStyles = Value; }
    TColor URLColor() const { return FURLColor; }
    void SetURLColor(TColor Value) { FURLColor = Value; }
    bool URLUnderline() const { return FURLUnderline; }
    void SetURLUnderline(bool Value) { FURLUnderline = Value; }
    // Not owned.
    TCustomImageList* ImageList() const { return FImageList; }
    void SetImageList(TCustomImageList* Value) { FImageList = Value; }
    TPictureContainer* PictureContainer() const { return FPictureContainer; }
    void SetPictureContainer(TPictureContainer* Value) { FPictureContainer = Value; }

    // The state setters pass the value to the context, then store it in the
    // own fill, stroke or font; a change echoed back meanwhile is ignored.
    virtual void SetFill(const TKelGraphicsFill* AFill);
    virtual void SetFillKind(TKelGraphicsFillKind AKind);
    virtual void SetFillColor(TColor AColor);
    virtual void SetStroke(const TKelGraphicsStroke* AStroke);
    virtual void SetStrokeKind(TKelGraphicsStrokeKind AKind);
    virtual void SetStrokeColor(TColor AColor);
    virtual void SetStrokeWidth(Single AWidth);
    virtual void SetFont(const TKelGraphicsFont* AFont);
    virtual void SetFontColor(TColor AColor);
    virtual void SetFontName(const String& AName);
    virtual void SetFontSize(Integer ASize);
    virtual void SetFontStyles(TFontStyles AStyle);

    // Fill, stroke and font of Source (nothing for null), each reported once.
    virtual void Assign(const TKelGraphics* Source);

    // A snapshot of the context (and, unless ACanvasOnly, of fill, stroke and
    // font); the caller passes it back to RestoreState, which frees it.
    virtual TKelGraphicsSaveState* SaveState(bool ACanvasOnly = false);
    virtual void RestoreState(TKelGraphicsSaveState* AState, bool ACanvasOnly = false);

    // --- Forwarders to the context ---------------------------------------------
    virtual void BeginScene();
    virtual void EndScene();
    virtual void BeginPrinting();
    virtual void EndPrinting();
    void StartSpecialPen();
    void StopSpecialPen();
    virtual TKelGraphicsMatrix GetMatrix();
    virtual void SetMatrix(const TKelGraphicsMatrix& AMatrix);
    virtual void ClipRect(const TRectF& ARect);
    void ClipRect(const TRect& ARect) { ClipRect(RectToRectF(ARect)); }

    // --- Shapes ----------------------------------------------------------------
    virtual void DrawLine(const TPointF& AFromPoint, const TPointF& AToPoint,
                          TKelGraphicsModifyPointMode AModifyPointModeFrom = gcpmNone,
                          TKelGraphicsModifyPointMode AModifyPointModeTo = gcpmNone);
    void DrawLine(const TPoint& AFromPoint, const TPoint& AToPoint,
                  TKelGraphicsModifyPointMode AModifyPointModeFrom = gcpmNone,
                  TKelGraphicsModifyPointMode AModifyPointModeTo = gcpmNone) {
        DrawLine(PointToPointF(AFromPoint), PointToPointF(AToPoint), AModifyPointModeFrom,
                 AModifyPointModeTo);
    }
    virtual void DrawPolygon(const TKelGraphicsPathPolygon& APolygon);
    virtual void DrawPolyline(const TKelGraphicsPathPolygon& APolyline);
    virtual void DrawPath(const TKelGraphicsPath* APath, TKelGraphicsPathDrawMode APathMode = pdmPath);
    virtual void DrawArc(const TPointF& Center, const TPointF& Radius, Single StartAngle, Single SweepAngle);
    void DrawArc(const TPoint& Center, const TPoint& Radius, Integer StartAngle, Integer SweepAngle) {
        DrawArc(PointToPointF(Center), PointToPointF(Radius), Single(StartAngle), Single(SweepAngle));
    }
    virtual void DrawRectangle(Double ALeft, Double ATop, Double ARight, Double ABottom,
                               TKelGraphicsSides ASides,
                               TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone);
    void DrawRectangle(Double ALeft, Double ATop, Double ARight, Double ABottom,
                       TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) {
        DrawRectangle(ALeft, ATop, ARight, ABottom, AllSides(), AModifyRectMode);
    }
    void DrawRectangle(const TRectF& ARect, TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) {
        DrawRectangle(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, AllSides(), AModifyRectMode);
    }
    void DrawRectangle(const TRectF& ARect, TKelGraphicsSides ASides,
                       TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) {
        DrawRectangle(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, ASides, AModifyRectMode);
    }
    void DrawRectangle(const TRect& ARect, TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) {
        DrawRectangle(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, AllSides(), AModifyRectMode);
    }
    void DrawRectangle(const TRect& ARect, TKelGraphicsSides ASides,
                       TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) {
        DrawRectangle(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, ASides, AModifyRectMode);
    }
    virtual void DrawRoundRectangle(Double ALeft, Double ATop, Double ARight, Double ABottom,
                                    Single ARounding, TKelGraphicsCorners ACorners = AllCorners(),
                                    TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone);
    void DrawRoundRectangle(const TRectF& ARect, Single ARounding,
                            TKelGraphicsCorners ACorners = AllCorners(),
                            TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) {
        DrawRoundRectangle(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, ARounding, ACorners,
                           AModifyRectMode);
    }
    void DrawRoundRectangle(const TRect& ARect, Integer ARounding,
                            TKelGraphicsCorners ACorners = AllCorners(),
                            TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) {
        DrawRoundRectangle(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, Single(ARounding), ACorners,
                           AModifyRectMode);
    }
    virtual void DrawEllipse(Double ALeft, Double ATop, Double ARight, Double ABottom,
                             TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone);
    void DrawEllipse(const TRectF& ARect, TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) {
        DrawEllipse(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, AModifyRectMode);
    }
    void DrawEllipse(const TRect& ARect, TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) {
        DrawEllipse(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, AModifyRectMode);
    }
    // A dotted outline in AColor, whatever the stroke's kind and colour.
    virtual void DrawFocusRectangle(Double ALeft, Double ATop, Double ARight, Double ABottom, TColor AColor,
                                    TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone);
    void DrawFocusRectangle(const TRectF& ARect, TColor AColor,
                            TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) {
        DrawFocusRectangle(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, AColor, AModifyRectMode);
    }
    void DrawFocusRectangle(const TRect& ARect, TColor AColor,
                            TKelGraphicsModifyRectMode AModifyRectMode = gcrmNone) {
        DrawFocusRectangle(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, AColor, AModifyRectMode);
    }
    virtual void DrawFocusPath(const TKelGraphicsPath* APath, TColor AColor);

    // --- Text (plain; marked-up text through the renderer's hook) --------------
    //
    // Every DrawText returns the link target found at (AX, AY) when
    // ATestAnchor is set and the point lies on a link, else the empty string.
    // With ATestAnchor nothing is drawn.
    String DrawText(const TRectF& ARect, const String& AText, String& AControlID, String& AControlValue,
                    String& AControlType, bool AWordWrapping = false,
                    TKelGraphicsTextAlign AHorizontalAlign = gtaCenter,
                    TKelGraphicsTextAlign AVerticalAlign = gtaCenter,
                    TKelGraphicsTextTrimming ATrimming = gttNone, Single AAngle = 0, Single AMinWidth = -1,
                    Single AMinHeight = -1, bool ASupportHTML = true, bool ATestAnchor = false,
                    Single AX = -1, Single AY = -1);
    String DrawText(const TRectF& ARect, const String& AText, bool AWordWrapping = false,
                    TKelGraphicsTextAlign AHorizontalAlign = gtaCenter,
                    TKelGraphicsTextAlign AVerticalAlign = gtaCenter,
                    TKelGraphicsTextTrimming ATrimming = gttNone, Single AAngle = 0, Single AMinWidth = -1,
                    Single AMinHeight = -1, bool ASupportHTML = true, bool ATestAnchor = false,
                    Single AX = -1, Single AY = -1);
    String DrawText(const TRect& ARect, const String& AText, bool AWordWrapping = false,
                    TKelGraphicsTextAlign AHorizontalAlign = gtaCenter,
                    TKelGraphicsTextAlign AVerticalAlign = gtaCenter,
                    TKelGraphicsTextTrimming ATrimming = gttNone, Single AAngle = 0, Single AMinWidth = -1,
                    Single AMinHeight = -1, bool ASupportHTML = true, bool ATestAnchor = false,
                    Single AX = -1, Single AY = -1) {
        return DrawText(RectToRectF(ARect), AText, AWordWrapping, AHorizontalAlign, AVerticalAlign, ATrimming,
                        AAngle, AMinWidth, AMinHeight, ASupportHTML, ATestAnchor, AX, AY);
    }
    // From APoint, in a 10000 x 10000 rectangle, leading alignment both ways.
    String DrawText(const TPointF& APoint, const String& AText, Single AAngle = 0, bool ASupportHTML = true,
                    bool ATestAnchor = false, Single AX = -1, Single AY = -1);

    // The rectangle the text occupies, laid out from ARect's top-left corner.
    TRectF CalculateText(const String& AText, const TRectF& ARect, bool AWordWrapping = false,
                         bool ASupportHTML = true);
    TRect CalculateText(const String& AText, const TRect& ARect, bool AWordWrapping = false,
                        bool ASupportHTML = true) {
        return RectFToRect(CalculateText(AText, RectToRectF(ARect), AWordWrapping, ASupportHTML));
    }
    // In (0, 0, 10000, 10000), no wrapping, markup allowed.
    TRectF CalculateText(const String& AText) { return CalculateText(AText, RectF(0, 0, 10000, 10000)); }
    TRect CalculateTextInt(const String& AText) { return RectFToRect(CalculateText(AText)); }
    TSizeF CalculateTextSize(const String& AText, const TRectF& ARect, bool AWordWrapping = false,
                             bool ASupportHTML = true);
    TSizeF CalculateTextSize(const String& AText) {
        return CalculateTextSize(AText, RectF(0, 0, 10000, 10000));
    }
    Single CalculateTextWidth(const String& AText, const TRectF& ARect, bool AWordWrapping = false,
                              bool ASupportHTML = true) {
        return CalculateTextSize(AText, ARect, AWordWrapping, ASupportHTML).cx;
    }
    Single CalculateTextWidth(const String& AText) { return CalculateTextSize(AText).cx; }
    Single CalculateTextHeight(const String& AText, const TRectF& ARect, bool AWordWrapping = false,
                               bool ASupportHTML = true) {
        return CalculateTextSize(AText, ARect, AWordWrapping, ASupportHTML).cy;
    }
    Single CalculateTextHeight(const String& AText) { return CalculateTextSize(AText).cy; }

    // AText with every occurrence of AHilight (found in the text without its
    // tags, with case when ADoCase) wrapped in the tag ATag.
    static String ApplyHilight(const String& AText, const String& AHilight, const String& ATag, bool ADoCase);

    // --- Pictures ----------------------------------------------------------------
    //
    // The placement flags: AAspectRatio keeps the picture's proportions,
    // AStretch scales it up to the rectangle even when it is smaller, ACenter
    // centres it, ACropping centres it at its own size.

    // The size a picture of AOriginalWidth x AOriginalHeight takes in an
    // available ANewWidth x ANewHeight.
    virtual void GetAspectSize(Single& AWidth, Single& AHeight, Single AOriginalWidth, Single AOriginalHeight,
                               Single ANewWidth, Single ANewHeight, bool AAspectRatio, bool AStretch,
                               bool ACropping);
    // The rectangle the picture occupies; empty at the origin for no picture.
    virtual TRectF GetBitmapDrawRectangle(Double ALeft, Double ATop, Double ARight, Double ABottom,
                                          const TPicture* ABitmap, bool AAspectRatio = true,
                                          bool AStretch = false, bool ACenter = true, bool ACropping = false);
    TRectF GetBitmapDrawRectangle(const TRectF& ARect, const TPicture* ABitmap, bool AAspectRatio = true,
                                  bool AStretch = false, bool ACenter = true, bool ACropping = false) {
        return GetBitmapDrawRectangle(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, ABitmap, AAspectRatio,
                                      AStretch, ACenter, ACropping);
    }
    TRect GetBitmapDrawRectangle(const TRect& ARect, const TPicture* ABitmap, bool AAspectRatio = true,
                                 bool AStretch = false, bool ACenter = true, bool ACropping = false) {
        return RectFToRect(GetBitmapDrawRectangle(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, ABitmap,
                                                  AAspectRatio, AStretch, ACenter, ACropping));
    }
    virtual void DrawBitmap(Double ALeft, Double ATop, Double ARight, Double ABottom, const TPicture* ABitmap,
                            bool AAspectRatio = true, bool AStretch = false, bool ACenter = true,
                            bool ACropping = false);
    void DrawBitmap(const TRectF& ARect, const TPicture* ABitmap, bool AAspectRatio = true,
                    bool AStretch = false, bool ACenter = true, bool ACropping = false) {
        DrawBitmap(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, ABitmap, AAspectRatio, AStretch, ACenter,
                   ACropping);
    }
    void DrawBitmap(const TRect& ARect, const TPicture* ABitmap, bool AAspectRatio = true,
                    bool AStretch = false, bool ACenter = true, bool ACropping = false) {
        DrawBitmap(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, ABitmap, AAspectRatio, AStretch, ACenter,
                   ACropping);
    }
    // At its natural size from (ALeft, ATop).
    void DrawBitmap(Single ALeft, Single ATop, const TPicture* ABitmap);
    // The source part of the picture into the destination rectangle.
    virtual void DrawBitmapPart(const TRectF& ASourceRect, const TRectF& ADestinationRect,
                                const TPicture* ABitmap, bool AAspectRatio = false, bool AStretch = false,
                                bool ACenter = false, bool ACropping = false);
    void DrawBitmapPart(const TRect& ASourceRect, const TRect& ADestinationRect, const TPicture* ABitmap,
                        bool AAspectRatio = false, bool AStretch = false, bool ACenter = false,
                        bool ACropping = false) {
        DrawBitmapPart(RectToRectF(ASourceRect), RectToRectF(ADestinationRect), ABitmap, AAspectRatio,
                       AStretch, ACenter, ACropping);
    }
    // The source part of the picture as a new picture the caller owns; null
    // for an empty source or destination rectangle or no picture.
    virtual std::unique_ptr<TKelBitmap>
    DrawBitmapPartSync(const TRectF& ASourceRect, const TRectF& ADestinationRect, const TPicture* ABitmap);

    // --- SVG pictures and pictures by name or scale ------------------------------
    //
    // An SVG picture: a picture holder whose graphic is an SVG picture with
    // at least one element. It is drawn as vector graphics, stretched into
    // the rectangle DrawBitmap works out for it.
    static bool IsSVGPicture(const TPicture* ABitmap);
    void DrawSVGPicture(const TRectF& ARect, const TPicture* ABitmap);
    // The container's picture AName_<scale> (with AApplyScale; the scale is
    // AScale when above 0, else the current DPI scale, written with "." and
    // up to 15 significant digits), else AName; null for no container or name.
    static TPicture* GetBitmapFromPictureContainer(TPictureContainer* APictureContainer, const String& AName,
                                                   bool AApplyScale = false, Single AScale = -1);
    void DrawBitmapWithName(const TRectF& ARect, const String& ABitmapName, bool AApplyScale = false,
                            Single AScale = -1, bool AAspectRatio = true, bool AStretch = false,
                            bool ACenter = true, bool ACropping = false);
    void DrawBitmapWithName(const TRect& ARect, const String& ABitmapName, bool AApplyScale = false,
                            Single AScale = -1, bool AAspectRatio = true, bool AStretch = false,
                            bool ACenter = true, bool ACropping = false) {
        DrawBitmapWithName(RectToRectF(ARect), ABitmapName, AApplyScale, AScale, AAspectRatio, AStretch, ACenter,
                           ACropping);
    }
    // The picture of the collection for the scale (AScale above 0, else the
    // current DPI scale): the item's own picture, else the container's by
    // the item's name with the scale rule, else by the name alone.
    static TPicture* GetScaledBitmap(const TKelScaledBitmaps* ABitmaps, Single AScale,
                                     TPictureContainer* APictureContainer);
    void DrawScaledBitmap(const TRectF& ARect, const TKelScaledBitmaps* ABitmaps, Single AScale = -1,
                          bool AAspectRatio = true, bool AStretch = false, bool ACenter = true,
                          bool ACropping = false);
    void DrawScaledBitmap(const TRect& ARect, const TKelScaledBitmaps* ABitmaps, Single AScale = -1,
                          bool AAspectRatio = true, bool AStretch = false, bool ACenter = true,
                          bool ACropping = false) {
        DrawScaledBitmap(RectToRectF(ARect), ABitmaps, AScale, AAspectRatio, AStretch, ACenter, ACropping);
    }

    // --- Painters of small controls ---------------------------------------------
    //
    // They set the object's fill and stroke and leave them changed (the
    // progress bar puts the fill colour back). With AAdaptToStyle the button
    // colours come from the class-wide defaults below. AScaleFactor is for
    // glyphs; the faces painted here do not use it.
    void DrawButton(const TRectF& ARect, bool ADown, bool AFocused, bool AEnabled, bool AAdaptToStyle = false,
                    Single AScaleFactor = 1);
    void DrawButton(const TRect& ARect, bool ADown, bool AFocused, bool AEnabled, bool AAdaptToStyle = false,
                    Single AScaleFactor = 1) {
        DrawButton(RectToRectF(ARect), ADown, AFocused, AEnabled, AAdaptToStyle, AScaleFactor);
    }
    void DrawCheckBox(const TRectF& ARect, bool AChecked, bool AFocused, bool AEnabled,
                      Single AScaleFactor = 1);
    void DrawCheckBox(const TRect& ARect, bool AChecked, bool AFocused, bool AEnabled,
                      Single AScaleFactor = 1) {
        DrawCheckBox(RectToRectF(ARect), AChecked, AFocused, AEnabled, AScaleFactor);
    }
    void DrawRadioButton(const TRectF& ARect, bool AChecked, bool AFocused, bool AEnabled,
                         Single AScaleFactor = 1);
    void DrawRadioButton(const TRect& ARect, bool AChecked, bool AFocused, bool AEnabled,
                         Single AScaleFactor = 1) {
        DrawRadioButton(RectToRectF(ARect), AChecked, AFocused, AEnabled, AScaleFactor);
    }
    // AFormat takes the percentage as its one floating-point argument; a
    // format that cannot shows the plain number instead.
    void DrawProgressBar(const TRectF& ARect, Single AValue, const String& AFormat, Single AMax,
                         TColor AColor, TColor ATextColor, bool AShowText, bool AEnabled,
                         Single AScaleFactor = 1);
    void DrawProgressBar(const TRect& ARect, Single AValue, const String& AFormat, Single AMax, TColor AColor,
                         TColor ATextColor, bool AShowText, bool AEnabled, Single AScaleFactor = 1) {
        DrawProgressBar(RectToRectF(ARect), AValue, AFormat, AMax, AColor, ATextColor, AShowText, AEnabled,
                        AScaleFactor);
    }

    // Glyph buttons: a button face (as DrawButton) with a glyph over it. With
    // AAdaptToStyle the glyph is drawn in DefaultGlyphColor at AScaleFactor;
    // without, it is the program's glyph picture (nothing when it is missing).
    void DrawCloseButton(const TRectF& ARect, bool ADown, bool AFocused, bool AEnabled,
                         bool AAdaptToStyle = false, Single AScaleFactor = 1);
    void DrawCloseButton(const TRect& ARect, bool ADown, bool AFocused, bool AEnabled,
                         bool AAdaptToStyle = false, Single AScaleFactor = 1) {
        DrawCloseButton(RectToRectF(ARect), ADown, AFocused, AEnabled, AAdaptToStyle, AScaleFactor);
    }
    void DrawExpanderButton(const TRectF& ARect, TKelGraphicsExpanderState AState, bool ADown, bool AFocused,
                            bool AEnabled, bool AAdaptToStyle = false, Single AScaleFactor = 1);
    void DrawExpanderButton(const TRect& ARect, TKelGraphicsExpanderState AState, bool ADown, bool AFocused,
                            bool AEnabled, bool AAdaptToStyle = false, Single AScaleFactor = 1) {
        DrawExpanderButton(RectToRectF(ARect), AState, ADown, AFocused, AEnabled, AAdaptToStyle, AScaleFactor);
    }
    void DrawCompactButton(const TRectF& ARect, TKelGraphicsCompactState AState, bool ADown, bool AFocused,
                           bool AEnabled, bool AAdaptToStyle = false, Single AScaleFactor = 1);
    void DrawCompactButton(const TRect& ARect, TKelGraphicsCompactState AState, bool ADown, bool AFocused,
                           bool AEnabled, bool AAdaptToStyle = false, Single AScaleFactor = 1) {
        DrawCompactButton(RectToRectF(ARect), AState, ADown, AFocused, AEnabled, AAdaptToStyle, AScaleFactor);
    }
    // The arrow sits at the right end of the rectangle unless ACenter (or the
    // rectangle is too narrow for it), then in its middle.
    void DrawDropDownButton(const TRectF& ARect, bool ADown, bool AFocused, bool AEnabled, bool ACenter,
                            bool AAdaptToStyle = false, Single AScaleFactor = 1);
    void DrawDropDownButton(const TRect& ARect, bool ADown, bool AFocused, bool AEnabled, bool ACenter,
                            bool AAdaptToStyle = false, Single AScaleFactor = 1) {
        DrawDropDownButton(RectToRectF(ARect), ADown, AFocused, AEnabled, ACenter, AAdaptToStyle, AScaleFactor);
    }
    // A gradient rectangle with the word "Sample" on ACanvas.
    static void DrawSample(TCanvas* ACanvas, const TRectF& ARect);

    // The class-wide colours of the adapting painters, shared by all objects.
    static TColor DefaultGlyphColor;
    static TColor DefaultButtonBorderColor;
    static TColor DefaultButtonColor;
    static TColor DefaultButtonFocusedBorderColor;
    static TColor DefaultButtonFocusedColor;
    static TColor DefaultButtonDisabledBorderColor;
    static TColor DefaultButtonDisabledColor;
    // Sets them to the standard colours (which they also start with).
    static void SetDefaultGraphicColors();

    // --- Hit tests and colours (class functions) --------------------------------
    // False for a radius of 0 or less.
    static bool PointInCircle(const TPointF& APoint, const TPointF& ACenter, Single ARadius);
    static bool PointInPath(const TPointF& APoint, const TKelGraphicsPath* APath);
    static bool PointInPath(const TPoint& APoint, const TKelGraphicsPath* APath) {
        return PointInPath(PointToPointF(APoint), APath);
    }
    static bool PointInPolygon(const TPointF& APoint, const TKelGraphicsPathPolygon& APolygon);
    static bool PointInPolygon(const TPoint& APoint, const TKelGraphicsPathPolygon& APolygon) {
        return PointInPolygon(PointToPointF(APoint), APolygon);
    }
    // Left and top edges inside, right and bottom edges outside.
    static bool PointInRect(const TPointF& APoint, const TRectF& ARect);
    static bool PointInRect(const TPoint& APoint, const TRect& ARect) {
        return PointInRect(PointToPointF(APoint), RectToRectF(ARect));
    }
    // The channels of the colour, system colours resolved.
    static Byte GetColorRed(TColor AColor);
    static Byte GetColorGreen(TColor AColor);
    static Byte GetColorBlue(TColor AColor);
    // "#RRGGBB", upper-case digits.
    static String ColorToHTML(TColor AColor);
    static TColor HTMLToColor(const String& AHTML);
    static TColor TextToColor(const String& AText);

    static TKelGraphicsSides AllSides() { return {gsLeft, gsTop, gsRight, gsBottom}; }
    static TKelGraphicsCorners AllCorners() { return {gcTopLeft, gcTopRight, gcBottomLeft, gcBottomRight}; }

protected:
    virtual TRectF InternalCalculateText(const String& AText, const TRectF& ARect, bool AWordWrapping,
                                         bool ASupportHTML);
    virtual String InternalDrawText(const TRectF& ARect, const String& AText, String& AControlID,
                                    String& AControlValue, String& AControlType, bool AWordWrapping,
                                    TKelGraphicsTextAlign AHorizontalAlign,
                                    TKelGraphicsTextAlign AVerticalAlign, TKelGraphicsTextTrimming ATrimming,
                                    Single AAngle, Single AMinWidth, Single AMinHeight, bool ASupportHTML,
                                    bool ATestAnchor, Single AX, Single AY);

private:
    void CreateContextAndState(Single AWidth, Single AHeight);
    // Runs AChange unless a state change is already on its way to the context.
    template <class F>
    void UpdateState(F&& AChange);
    bool ShouldFill() const;
    bool ShouldStroke() const;
    // Paints the fill's texture over ARect as its texture mode says.
    void DrawTexture(const TRectF& ARect, const TKelBitmap* ATexture, TKelGraphicsTextureMode AMode);
    bool IsMarkup(const String& AText, bool ASupportHTML) const;

    // The own bitmap outlives the context that draws on its canvas.
    std::unique_ptr<TBitmap> FBitmap;
    TCanvas* FActiveCanvas = nullptr;
    bool FNative = false;
    Integer FBlockUpdate = 0;
    std::unique_ptr<TKelGraphicsFill> FFill;
    std::unique_ptr<TKelGraphicsStroke> FStroke;
    std::unique_ptr<TKelGraphicsFont> FFont;
    std::unique_ptr<TKelGraphicsContext> FContextNative;
    std::unique_ptr<TKelGraphicsContext> FContextGeneral;
    TColor FHighlightColor = 0;
    TColor FHighlightTextColor = 0;
    TFontStyles FHighlightFontStyles;
    bool FOptimizedHTMLDrawing = false;
    TColor FURLColor = 0xFF0000;
    bool FURLUnderline = true;
    TPictureContainer* FPictureContainer = nullptr;
    TCustomImageList* FImageList = nullptr;

    KEL_JSON_MEMBERS
};
