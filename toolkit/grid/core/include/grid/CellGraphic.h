#pragma once
// The object a string-grid cell may carry beside its text: a picture, icon,
// image-list image, check box, radio list or button, progress bar, shape,
// rating, balloon and so on. The kind (TCellType) decides what the generic
// fields mean; the table of kinds is in the string grid's documentation of
// cell objects.
//
// Ownership by kind: the object frees, when it goes, the bitmap of ctBitmap,
// the icon of ctIcon, the item list of ctRadio, the picture of ctPicture and
// ctFilePicture and the glyph of ctBitButton, each only when CellCreated is
// set (the grid made it); the index list of ctImages and the balloon list of
// ctBalloon always; and the balloon a check box, icon or radio button
// carries. Anything a caller handed in without CellCreated stays the
// caller's. Changing the kind through a setter first frees what the object
// owned, so no setter leaks.
//
// Colour values of the colour kinds (progress bars, shapes, ratings, range
// indicators) live in typed fields of their own (CellBitmapColor,
// CellIconColor), never in the object references.

#include "grid/GridEvents.h"
#include "gridbase/CellPainting.h"
#include "gridbase/IntList.h"
#include "graphics/Graphic.h"
#include "rtl/Persistent.h"
#include "rtl/StringList.h"
#include "vcl/StdCtrls.h"

class TPicture;

RTL_ENUM(TCellHAlign, haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull)
RTL_ENUM(TCellVAlign, vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull)
RTL_ENUM(TStretchMode, noStretch, Stretch, StretchWithAspectRatio, Shrink, ShrinkWithAspectRatio)
RTL_ENUM(TRadioButtonGroup, rgNone, rgCol, rgRow)
RTL_ENUM(TBalloonIcon, biNone, biInfo, biWarning, biError)

using TRatingChangeEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, Double& NewRate, bool& Allow)>;
using TColorSelectEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, TColor Color, const String& Value)>;
using TImageSelectEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer Index)>;
using TProgressColorEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, TColor& ColorFG, TColor& ColorBK,
                       TColor& TextColorFG, TColor& TextColorBK)>;

// An object that draws and measures itself in a cell (ctInterface).
class IInterfacedCell {
public:
    virtual ~IInterfacedCell() = default;
    virtual void Draw(TCanvas* Canvas, const TRect& R, Integer Col, Integer Row, bool Selected, bool Print) = 0;
    virtual Integer GetWidth() = 0;
    virtual Integer GetHeight() = 0;
    virtual bool IsMouseDown() { return false; }
};

class TBaseCellGraphic : public TPersistent {
    RTL_CLASS(TBaseCellGraphic)
public:
    TBaseCellGraphic() = default;
    ~TBaseCellGraphic() override;

    // Copies kind, alignments, CellIndex, CellTransparent, CellValue,
    // CellAngle, CellBoolean, the marker fields, CellText and CellCreated;
    // the references, CellVar and CellCheckBoxState are not copied. Any other
    // source does nothing.
    void Assign(const TPersistent* Source) override;

    // Frees what the object owns for its kind and clears the references;
    // the kind stays.
    void FreeOwned();

    // ---- Fields ----
    TCellType CellType() const { return FCellType; }
    void SetCellType(TCellType Value) { FCellType = Value; }
    TObject* CellBitmap() const { return FCellBitmap; }
    void SetCellBitmap(TObject* Value) { FCellBitmap = Value; }
    TObject* CellIcon() const { return FCellIcon; }
    void SetCellIcon(TObject* Value) { FCellIcon = Value; }
    // Colour values of the colour kinds.
    TColor CellBitmapColor() const { return FCellBitmapColor; }
    void SetCellBitmapColor(TColor Value) { FCellBitmapColor = Value; }
    TColor CellIconColor() const { return FCellIconColor; }
    void SetCellIconColor(TColor Value) { FCellIconColor = Value; }
    TCellVAlign CellVAlign() const { return FCellVAlign; }
    void SetCellVAlign(TCellVAlign Value) { FCellVAlign = Value; }
    TCellHAlign CellHAlign() const { return FCellHAlign; }
    void SetCellHAlign(TCellHAlign Value) { FCellHAlign = Value; }
    Integer CellIndex() const { return FCellIndex; }
    void SetCellIndex(Integer Value) { FCellIndex = Value; }
    bool CellTransparent() const { return FCellTransparent; }
    void SetCellTransparent(bool Value) { FCellTransparent = Value; }
    bool CellCreated() const { return FCellCreated; }
    void SetCellCreated(bool Value) { FCellCreated = Value; }
    bool CellBoolean() const { return FCellBoolean; }
    void SetCellBoolean(bool Value) { FCellBoolean = Value; }
    Integer CellAngle() const { return FCellAngle; }
    void SetCellAngle(Integer Value) { FCellAngle = Value; }
    Double CellValue() const { return FCellValue; }
    void SetCellValue(Double Value) { FCellValue = Value; }
    Integer CellErrFrom() const { return FCellErrFrom; }
    void SetCellErrFrom(Integer Value) { FCellErrFrom = Value; }
    Integer CellErrLen() const { return FCellErrLen; }
    void SetCellErrLen(Integer Value) { FCellErrLen = Value; }
    String CellText() const { return FCellText; }
    void SetCellText(const String& Value) { FCellText = Value; }
    // The expanded state of ctExpand (0/1), the last cycled item of ctRadio.
    Integer CellVar() const { return FCellVar; }
    void SetCellVar(Integer Value) { FCellVar = Value; }
    TCheckBoxState CellCheckBoxState() const { return FCellCheckBoxState; }
    void SetCellCheckBoxState(TCheckBoxState Value) { FCellCheckBoxState = Value; }

    // A marker range in the text, kept apart from the kind's own fields.
    Integer MarkerFrom() const { return FMarkerFrom; }
    Integer MarkerLen() const { return FMarkerLen; }
    void SetMarker(Integer From, Integer Len) { FMarkerFrom = From, FMarkerLen = Len; }
    bool HasMarker() const { return FMarkerLen > 0; }

    // The balloon a check box, icon or radio button carries (title, text),
    // owned; kept apart from the kind's fields so a radio button keeps its
    // group. Null when there is none.
    TStringList* Balloon() const { return FBalloon; }
    TBalloonIcon BalloonIcon() const { return FBalloonIcon; }
    void SetBalloon(const String& Title, const String& Text, TBalloonIcon Icon);
    void RemoveBalloon();

    // ---- Setters of a kind and its fields ----
    void SetInterfacedCell(TObject* AObject);
    void SetBitmap(TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
    void SetButton(Integer bw, Integer bh, const String& Caption, TCellHAlign hal, TCellVAlign val);
    void SetBitButton(Integer bw, Integer bh, const String& Caption, TBitmap* Glyph, TCellHAlign hal,
                      TCellVAlign val);
    void SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode, Integer Padding,
                    TCellHAlign hal, TCellVAlign val);
    void SetFilePicture(TObject* APicture, bool Transparent, TStretchMode StretchMode, Integer Padding,
                        TCellHAlign hal, TCellVAlign val);
    void SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val);
    void SetCheckBox(TCheckBoxState Value, bool Flat, TCellHAlign hal, TCellVAlign val);
    void SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val, TRadioButtonGroup Group);
    void SetIcon(TIcon* AIcon, TCellHAlign hal, TCellVAlign val);
    void SetDataImage(Integer Idx, TCellHAlign hal, TCellVAlign val);
    void SetDataPicture(TCellHAlign hal, TCellVAlign val);
    void SetMultiImage(Integer Col, Integer Row, Integer Dir, TCellHAlign hal, TCellVAlign val,
                       TImageChangeEvent Notifier);
    void SetImageIdx(Integer Idx, TCellHAlign hal, TCellVAlign val);
    // Brought into 0..360: -90 gives 270, 720 gives 360, 360 stays.
    void SetAngle(Integer AAngle);

    // The drawn size of a ctPicture / ctFilePicture in a box of cw x rh
    // pixels by its stretch mode; other kinds answer (0, 0).
    TPoint GetPictureSize(Integer cw, Integer rh, bool HasText = false) const;
    // Width and height of the picture of a picture kind (a file picture's
    // stored size).
    TPoint PictureExtent() const;

    // The typed views of the main object by kind (null when another kind).
    TBitmap* Bitmap() const;
    TIcon* Icon() const;
    TPicture* Picture() const;
    TIntList* ImageIndexes() const;
    TStringList* Items() const;

protected:
    // Frees what the old kind owned before a setter changes the kind.
    void ChangeKind(TCellType Kind);

private:
    TCellType FCellType = ctNone;
    TObject* FCellBitmap = nullptr;
    TObject* FCellIcon = nullptr;
    TColor FCellBitmapColor = clNone;
    TColor FCellIconColor = clNone;
    TCellVAlign FCellVAlign = vaTop;
    TCellHAlign FCellHAlign = haLeft;
    Integer FCellIndex = 0;
    bool FCellTransparent = false;
    bool FCellCreated = false;
    bool FCellBoolean = false;
    Integer FCellAngle = 0;
    Double FCellValue = 0;
    Integer FCellErrFrom = 0;
    Integer FCellErrLen = 0;
    String FCellText;
    Integer FCellVar = 0;
    TCheckBoxState FCellCheckBoxState = cbUnchecked;
    Integer FMarkerFrom = 0;
    Integer FMarkerLen = 0;
    TStringList* FBalloon = nullptr;
    TBalloonIcon FBalloonIcon = biNone;
};

// The concrete cell object the grid creates; adds a comment.
class TCellGraphic : public TBaseCellGraphic {
    RTL_CLASS(TCellGraphic)
public:
    TCellGraphic() = default;
    void Assign(const TPersistent* Source) override;
    String CellComment() const { return FCellComment; }
    void SetCellComment(const String& Value) { FCellComment = Value; }
    TColor CommentColor() const { return FCommentColor; }
    void SetCommentColor(TColor Value) { FCommentColor = Value; }

private:
    String FCellComment;
    TColor FCommentColor = clNone;
};

// The kinds whose object is shared by the grid and never stored in a cell.
inline bool IsSharedCellKind(TCellType Kind) {
    return Kind == ctVirtCheckBox || Kind == ctRowCheckBox || Kind == ctVirtButton;
}
inline bool IsCheckBoxKind(TCellType Kind) {
    return Kind == ctCheckBox || Kind == ctDataCheckBox || Kind == ctVirtCheckBox || Kind == ctRowCheckBox ||
           Kind == ctTriStateCheckBox;
}
