// Cell decorations of the string grid: the add, create, query and remove
// operations per kind of cell object, balloons, comments and markers, the
// placement of expand buttons and drawn objects for the mouse code, and the
// grid's bottom panel and painted scroll controls.

#include "grid/ZirOvararIzazCore.h"

#include "gridbase/FileHelpers.h"
#include "graphics/Picture.h"
#include "rtl/ClassBuilder.h"
#include "rtl/MathUtils.h"

#include <cmath>

namespace {

bool CarriesBalloon(TCellType Kind) {
    return Kind == ctIcon || Kind == ctCheckBox || Kind == ctDataCheckBox || Kind == ctRadioButton;
}

} // namespace

// ---- The grid's child controls ------------------------------------------------------------------------

const TClassInfo& TFooterPanel::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TFooterPanel, TCustomPanel>().Build();
    return Info;
}

TFooterPanel::TFooterPanel(TComponent* AOwner) : TCustomPanel(AOwner) {
    FGrid = dynamic_cast<TZirOvararIzazCore*>(AOwner);
}

TFooterPanel* TZirOvararIzazCore::CreateFooterPanel() {
    return Create<TFooterPanel>(this);
}

void TZirOvararIzazCore::CreateScrollControls() {
    const TScrollStyle Bars = ScrollBars();
    auto Make = [this](TScrollDirection Direction) {
        auto* Control = Create<TScrollControl>(this);
        Control->SetDirection(Direction);
        if (Direction == sdVertical) {
            Control->SetWidth(6);
            Control->SetAlign(alRight);
        } else {
            Control->SetHeight(6);
            Control->SetAlign(alBottom);
        }
        Control->SetDoubleBuffered(true);
        Control->SetParent(this);
        Control->SetVisible(true);
        return Control;
    };
    if ((Bars == ssVertical || Bars == ssBoth) && !FVScrollControl) FVScrollControl = Make(sdVertical);
    if ((Bars == ssHorizontal || Bars == ssBoth) && !FHScrollControl) FHScrollControl = Make(sdHorizontal);
}

void TZirOvararIzazCore::FreeScrollControls() {
    Free(FVScrollControl);
    Free(FHScrollControl);
    FVScrollControl = nullptr;
    FHScrollControl = nullptr;
}

// ---- Helpers -------------------------------------------------------------------------------------------

TCellGraphic* TZirOvararIzazCore::ObjectOrNew(Integer ACol, Integer ARow, TCellType Kind) {
    // The object stored in the cell: the shared row check box is no place
    // for a comment or marker.
    if (auto* G = dynamic_cast<TCellGraphic*>(GraphicObjects(ACol, ARow))) return G;
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    if (G) G->SetCellType(Kind);
    return G;
}

TCellGraphic* TZirOvararIzazCore::BaseObjectOf(Integer ACol, Integer ARow, TCellType Kind) {
    if (ACol < 0 || ARow < 0) return nullptr;
    const TPoint Base = BaseCell(ACol, ARow);
    TCellGraphic* G = GetCellGraphic(Base.X, Base.Y);
    return G && G->CellType() == Kind ? G : nullptr;
}

// ---- Pictures, bitmaps and icons -----------------------------------------------------------------------

void TZirOvararIzazCore::AddBitmap(Integer ACol, Integer ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal,
                                   TCellVAlign val) {
    if (TCellGraphic* G = CreateCellGraphic(ACol, ARow)) G->SetBitmap(ABmp, Transparent, hal, val);
}

TBitmap* TZirOvararIzazCore::CreateBitmap(Integer ACol, Integer ARow, bool Transparent, TCellHAlign hal,
                                          TCellVAlign val) {
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    if (!G) return nullptr;
    auto* Bmp = Create<TBitmap>();
    G->SetBitmap(Bmp, Transparent, hal, val);
    G->SetCellCreated(true);
    return Bmp;
}

TBitmap* TZirOvararIzazCore::GetBitmap(Integer ACol, Integer ARow) {
    TCellGraphic* G = BaseObjectOf(ACol, ARow, ctBitmap);
    return G ? G->Bitmap() : nullptr;
}

void TZirOvararIzazCore::AddPicture(Integer ACol, Integer ARow, TPicture* APicture, bool Transparent,
                                    TStretchMode StretchMode, Integer Padding, TCellHAlign hal, TCellVAlign val) {
    if (TCellGraphic* G = CreateCellGraphic(ACol, ARow))
        G->SetPicture(APicture, Transparent, StretchMode, Padding, hal, val);
}

TPicture* TZirOvararIzazCore::CreatePicture(Integer ACol, Integer ARow, bool Transparent, TStretchMode StretchMode,
                                            Integer Padding, TCellHAlign hal, TCellVAlign val) {
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    if (!G) return nullptr;
    auto* Pic = Create<TPicture>();
    G->SetPicture(Pic, Transparent, StretchMode, Padding, hal, val);
    G->SetCellCreated(true);
    return Pic;
}

TPicture* TZirOvararIzazCore::GetPicture(Integer ACol, Integer ARow) {
    TCellGraphic* G = BaseObjectOf(ACol, ARow, ctPicture);
    return G ? G->Picture() : nullptr;
}

void TZirOvararIzazCore::AddFilePicture(Integer ACol, Integer ARow, TFilePicture* AFilePicture, bool Transparent,
                                        TStretchMode StretchMode, Integer Padding, TCellHAlign hal,
                                        TCellVAlign val) {
    if (TCellGraphic* G = CreateCellGraphic(ACol, ARow))
        G->SetFilePicture(AFilePicture, Transparent, StretchMode, Padding, hal, val);
}

TFilePicture* TZirOvararIzazCore::CreateFilePicture(Integer ACol, Integer ARow, bool Transparent,
                                                    TStretchMode StretchMode, Integer Padding, TCellHAlign hal,
                                                    TCellVAlign val) {
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    if (!G) return nullptr;
    auto* Pic = Create<TFilePicture>();
    G->SetFilePicture(Pic, Transparent, StretchMode, Padding, hal, val);
    G->SetCellCreated(true);
    return Pic;
}

TFilePicture* TZirOvararIzazCore::GetFilePicture(Integer ACol, Integer ARow) {
    TCellGraphic* G = BaseObjectOf(ACol, ARow, ctFilePicture);
    return G ? dynamic_cast<TFilePicture*>(G->CellBitmap()) : nullptr;
}

void TZirOvararIzazCore::AddIcon(Integer ACol, Integer ARow, TIcon* AIcon, TCellHAlign hal, TCellVAlign val) {
    if (TCellGraphic* G = CreateCellGraphic(ACol, ARow)) G->SetIcon(AIcon, hal, val);
}

TIcon* TZirOvararIzazCore::CreateIcon(Integer ACol, Integer ARow, TCellHAlign hal, TCellVAlign val) {
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    if (!G) return nullptr;
    auto* Icon = Create<TIcon>();
    G->SetIcon(Icon, hal, val);
    G->SetCellCreated(true);
    return Icon;
}

// ---- Image lists and data images -----------------------------------------------------------------------

void TZirOvararIzazCore::AddImageIdx(Integer ACol, Integer ARow, Integer Aidx, TCellHAlign hal, TCellVAlign val) {
    if (!FGridImages) return;
    if (TCellGraphic* G = CreateCellGraphic(ACol, ARow)) {
        G->SetImageIdx(Aidx, hal, val);
        RepaintCell(ACol, ARow);
    }
}

void TZirOvararIzazCore::AddDataImage(Integer ACol, Integer ARow, Integer Aidx, TCellHAlign hal, TCellVAlign val) {
    if (!FGridImages) return;
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    if (!G) return;
    G->SetDataImage(Aidx, hal, val);
    if (Cells(ACol, ARow).empty()) SetInts(ACol, ARow, Aidx);
}

void TZirOvararIzazCore::RemoveDataKind(Integer ACol, Integer ARow, TCellType Kind) {
    // The text is the object's data: it goes with the object, and only then
    // (a cell of another kind keeps its text).
    if (RemoveCellGraphicOfKind(ACol, ARow, Kind)) SetCells(ACol, ARow, String());
}

void TZirOvararIzazCore::RemoveDataImage(Integer ACol, Integer ARow) {
    RemoveDataKind(ACol, ARow, ctDataImage);
}

bool TZirOvararIzazCore::HasDataImage(Integer ACol, Integer ARow) {
    return CellTypeIn(ACol, ARow, {ctDataImage});
}

void TZirOvararIzazCore::AddDataPicture(Integer ACol, Integer ARow, const String& AName, TCellHAlign hal,
                                        TCellVAlign val) {
    if (!FPictureContainer) return;
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    if (!G) return;
    G->SetDataPicture(hal, val);
    if (Cells(ACol, ARow).empty()) SetCells(ACol, ARow, AName);
}

void TZirOvararIzazCore::RemoveDataPicture(Integer ACol, Integer ARow) {
    RemoveDataKind(ACol, ARow, ctDataPicture);
}

bool TZirOvararIzazCore::HasDataPicture(Integer ACol, Integer ARow) {
    return CellTypeIn(ACol, ARow, {ctDataPicture});
}

void TZirOvararIzazCore::AddMultiImage(Integer ACol, Integer ARow, Integer Dir, TCellHAlign hal, TCellVAlign val) {
    if (!FGridImages) return;
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    if (!G) return;
    G->SetMultiImage(ACol, ARow, Dir, hal, val, [this](TObject*, Integer c, Integer r) {
        if (!IsDestroying()) RepaintCell(RealToDisplColumn(c), r);
    });
}

// ---- Progress bars, shapes, ratings --------------------------------------------------------------------

void TZirOvararIzazCore::AddProgress(Integer ACol, Integer ARow, TColor FGColor, TColor BKColor) {
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    if (!G) return;
    G->SetCellType(ctProgress);
    G->SetCellBitmapColor(FGColor);
    G->SetCellIconColor(BKColor);
    G->SetCellErrFrom(0);
    G->SetCellErrLen(100);
    G->SetCellBoolean(false);
    G->SetCellText(String());
    G->SetCellHAlign(haLeft);
    G->SetCellVAlign(vaTop);
}

void TZirOvararIzazCore::AddProgressEx(Integer ACol, Integer ARow, TColor FGColor, TColor FGTextColor,
                                       TColor BKColor, TColor BKTextColor) {
    AddProgress(ACol, ARow, FGColor, BKColor);
    if (TCellGraphic* G = BaseObjectOf(ACol, ARow, ctProgress)) {
        G->SetCellIndex(FGTextColor);
        G->SetCellAngle(BKTextColor);
        G->SetCellBoolean(true);
    }
}

void TZirOvararIzazCore::AddProgressFormatted(Integer ACol, Integer ARow, TColor FGColor, TColor FGTextColor,
                                              TColor BKColor, TColor BKTextColor, const String& Fmt, Integer Min,
                                              Integer Max, Double Scale) {
    AddProgressEx(ACol, ARow, FGColor, FGTextColor, BKColor, BKTextColor);
    if (TCellGraphic* G = BaseObjectOf(ACol, ARow, ctProgress)) {
        G->SetCellErrFrom(Min);
        G->SetCellErrLen(Max);
        G->SetCellText(Fmt);
        G->SetCellValue(Scale);
    }
}

void TZirOvararIzazCore::AddKelProgress(Integer ACol, Integer ARow, Integer Min, Integer Max) {
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    if (!G) return;
    G->SetCellType(ctXPProgress);
    G->SetCellErrFrom(Min);
    G->SetCellErrLen(Max);
    G->SetCellBoolean(false);
    G->SetCellText(String());
    G->SetCellHAlign(haLeft);
    G->SetCellVAlign(vaTop);
}

void TZirOvararIzazCore::AddProgressPie(Integer ACol, Integer ARow, TColor Color, Integer Value) {
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    if (!G) return;
    G->SetCellType(ctProgressPie);
    G->SetCellErrFrom(Color);
    G->SetCellAngle(Value);
    G->SetCellHAlign(haBeforeText);
    G->SetCellVAlign(vaTop);
}

void TZirOvararIzazCore::SetProgressPie(Integer ACol, Integer ARow, Integer Value) {
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    if (!G || G->CellType() != ctProgressPie) return;
    G->SetCellAngle(Value);
    RepaintCell(RealToDisplColumn(ACol), ARow);
}

void TZirOvararIzazCore::AddRangeIndicator(Integer ACol, Integer ARow, Integer Range, TColor NegColor,
                                           TColor PosColor, bool ShowValue) {
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    if (!G) return;
    G->SetCellType(ctRangeIndicator);
    G->SetCellIndex(Range);
    G->SetCellBitmapColor(NegColor);
    G->SetCellIconColor(PosColor);
    G->SetCellBoolean(ShowValue);
    G->SetCellHAlign(haLeft);
    G->SetCellVAlign(vaTop);
}

void TZirOvararIzazCore::AddShape(Integer ACol, Integer ARow, TCellShape Shape, TColor FillColor, TColor LineColor,
                                  TCellHAlign hal, TCellVAlign val) {
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    if (!G) return;
    G->SetCellType(ctShape);
    G->SetCellAngle(Integer(Shape));
    G->SetCellIndex(FillColor);
    G->SetCellBitmapColor(LineColor);
    G->SetCellHAlign(hal);
    G->SetCellVAlign(val);
}

void TZirOvararIzazCore::SetShapeColor(Integer ACol, Integer ARow, TColor FillColor) {
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    if (G && G->CellType() == ctShape) G->SetCellIndex(FillColor);
}

TColor TZirOvararIzazCore::GetShapeColor(Integer ACol, Integer ARow) {
    const TCellGraphic* G = GetCellGraphic(ACol, ARow);
    return G && G->CellType() == ctShape ? TColor(G->CellIndex()) : clNone;
}

void TZirOvararIzazCore::AddRating(Integer ACol, Integer ARow, Integer Scale, TColor FillColor, TColor EmptyColor) {
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    if (!G) return;
    G->SetCellType(ctRating);
    G->SetCellAngle(Scale);
    G->SetCellIndex(FillColor);
    G->SetCellBitmapColor(EmptyColor);
    G->SetCellHAlign(haFull);
}

// ---- In-cell scroll bars -------------------------------------------------------------------------------

void TZirOvararIzazCore::AddScrollBar(Integer ACol, Integer ARow, bool AutoRange) {
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    if (!G) return;
    G->SetCellType(ctScrollbar);
    G->SetCellAngle(0);
    G->SetCellErrFrom(100);
    G->SetCellIndex(0);
    G->SetCellBoolean(AutoRange);
    if (AutoRange) CellChanged(ACol, ARow);
}

bool TZirOvararIzazCore::HasAutoRangeScrollBar(Integer ACol, Integer ARow) {
    const TCellGraphic* G = BaseObjectOf(ACol, ARow, ctScrollbar);
    return G && G->CellBoolean();
}

void TZirOvararIzazCore::SetScrollPosition(Integer ACol, Integer ARow, Integer Pos) {
    if (TCellGraphic* G = BaseObjectOf(ACol, ARow, ctScrollbar)) {
        G->SetCellIndex(Pos);
        RepaintCell(RealToDisplColumn(ACol), ARow);
    }
}

Integer TZirOvararIzazCore::GetScrollPosition(Integer ACol, Integer ARow) {
    const TCellGraphic* G = BaseObjectOf(ACol, ARow, ctScrollbar);
    return G ? G->CellIndex() : -1;
}

void TZirOvararIzazCore::SetScrollProp(Integer ACol, Integer ARow, TScrollProp Value) {
    if (TCellGraphic* G = BaseObjectOf(ACol, ARow, ctScrollbar)) {
        G->SetCellAngle(Value.PageSize);
        G->SetCellErrFrom(Value.Range);
    }
}

TScrollProp TZirOvararIzazCore::GetScrollProp(Integer ACol, Integer ARow) {
    const TCellGraphic* G = BaseObjectOf(ACol, ARow, ctScrollbar);
    if (!G) return TScrollProp{-1, -1};
    return TScrollProp{G->CellAngle(), G->CellErrFrom()};
}

// ---- Buttons and expand buttons ------------------------------------------------------------------------

void TZirOvararIzazCore::AddButton(Integer ACol, Integer ARow, Integer bw, Integer bh, const String& Caption,
                                   TCellHAlign hal, TCellVAlign val) {
    if (TCellGraphic* G = CreateCellGraphic(ACol, ARow)) G->SetButton(bw, bh, Caption, hal, val);
}

void TZirOvararIzazCore::AddBitButton(Integer ACol, Integer ARow, Integer bw, Integer bh, const String& Caption,
                                      TBitmap* Glyph, TCellHAlign hal, TCellVAlign val) {
    if (TCellGraphic* G = CreateCellGraphic(ACol, ARow)) G->SetBitButton(bw, bh, Caption, Glyph, hal, val);
}

TBitmap* TZirOvararIzazCore::CreateBitButton(Integer ACol, Integer ARow, Integer bw, Integer bh,
                                             const String& Caption, TCellHAlign hal, TCellVAlign val) {
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    if (!G) return nullptr;
    auto* Glyph = Create<TBitmap>();
    G->SetBitButton(bw, bh, Caption, Glyph, hal, val);
    G->SetCellCreated(true);
    return Glyph;
}

void TZirOvararIzazCore::RemoveButton(Integer ACol, Integer ARow) {
    if (!RemoveCellGraphicOfKind(ACol, ARow, ctButton)) RemoveCellGraphicOfKind(ACol, ARow, ctBitButton);
}

void TZirOvararIzazCore::RemoveAllButtons() {
    for (Integer c = 0; c < TotalColCount(); ++c)
        for (Integer r = 0; r < RowCount(); ++r) RemoveButton(c, r);
}

void TZirOvararIzazCore::SetButtonText(Integer ACol, Integer ARow, const String& Caption) {
    if (TCellGraphic* G = GetCellGraphic(RealColIndex(ACol), ARow)) {
        G->SetCellText(Caption);
        RepaintCell(ACol, ARow);
    }
}

String TZirOvararIzazCore::GetButtonText(Integer ACol, Integer ARow) {
    const TCellGraphic* G = GetCellGraphic(RealColIndex(ACol), ARow);
    return G ? G->CellText() : String();
}

void TZirOvararIzazCore::PushButton(Integer ACol, Integer ARow, bool Push) {
    TCellGraphic* G = GetCellGraphic(RealColIndex(ACol), ARow);
    if (!G || G->CellType() == ctNode) return;
    G->SetCellBoolean(Push);
    RepaintCell(ACol, ARow);
}

void TZirOvararIzazCore::AddExpand(Integer ACol, Integer ARow, Integer ExpandedHeight) {
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    if (!G) return;
    G->SetCellType(ctExpand);
    G->SetCellAngle(ExpandedHeight);
    G->SetCellIndex(RowHeights(ARow));
    G->SetCellVar(0);
}

bool TZirOvararIzazCore::ToggleExpand(Integer ACol, Integer ARow) {
    if (ACol < 0 || ARow < 0) return false;
    const TPoint Base = BaseCell(ACol, ARow);
    TCellGraphic* G = GetCellGraphic(Base.X, Base.Y);
    if (!G) return false;
    G->SetCellVar(G->CellVar() ? 0 : 1);
    return G->CellVar() != 0;
}

bool TZirOvararIzazCore::GetExpandState(Integer ACol, Integer ARow) {
    if (ACol < 0 || ARow < 0) return false;
    const TPoint Base = BaseCell(ACol, ARow);
    const TCellGraphic* G = GetCellGraphic(Base.X, Base.Y);
    return G && G->CellVar() != 0;
}

Integer TZirOvararIzazCore::GetExpandHeight(Integer ACol, Integer ARow, bool Expanded) {
    const TPoint Base = ACol >= 0 && ARow >= 0 ? BaseCell(ACol, ARow) : TPoint(ACol, ARow);
    const TCellGraphic* G = GetCellGraphic(Base.X, Base.Y);
    if (!G) return DefaultRowHeight();
    return Expanded ? G->CellAngle() : G->CellIndex();
}

// ---- Radio lists, interfaced cells, rotated text -------------------------------------------------------

void TZirOvararIzazCore::AddRadio(Integer ACol, Integer ARow, Integer DirRadio, Integer IdxRadio, TStrings* sl) {
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    if (!G) return;
    G->SetCellType(ctRadio);
    G->SetCellBitmap(sl);
    G->SetCellAngle(sl ? sl->Count() : 0);
    G->SetCellBoolean(DirRadio != 0);
    G->SetCellIndex(IdxRadio);
}

TStrings* TZirOvararIzazCore::CreateRadio(Integer ACol, Integer ARow, Integer DirRadio, Integer IdxRadio) {
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    if (!G) return nullptr;
    auto* Items = Create<TStringList>();
    G->SetCellType(ctRadio);
    G->SetCellBitmap(Items);
    G->SetCellCreated(true);
    G->SetCellAngle(0);
    G->SetCellBoolean(DirRadio != 0);
    G->SetCellIndex(IdxRadio);
    return Items;
}

TStrings* TZirOvararIzazCore::GetRadioStrings(Integer ACol, Integer ARow) {
    const TCellGraphic* G = BaseObjectOf(ACol, ARow, ctRadio);
    return G ? dynamic_cast<TStrings*>(G->CellBitmap()) : nullptr;
}

bool TZirOvararIzazCore::GetRadioIdx(Integer ACol, Integer ARow, Integer& IdxRadio) {
    const TCellGraphic* G = GetCellGraphic(ACol, ARow);
    if (!G) return false;
    IdxRadio = G->CellIndex();
    return G->CellType() == ctRadio;
}

bool TZirOvararIzazCore::SetRadioIdx(Integer ACol, Integer ARow, Integer IdxRadio) {
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    if (!G || G->CellType() != ctRadio) return false;
    G->SetCellIndex(IdxRadio);
    if (IdxRadio == -1) SetCells(ACol, ARow, String());
    RepaintCell(RealToDisplColumn(ACol), ARow);
    return true;
}

void TZirOvararIzazCore::AddInterfacedCell(Integer ACol, Integer ARow, TObject* AObject) {
    if (TCellGraphic* G = CreateCellGraphic(ACol, ARow)) G->SetInterfacedCell(AObject);
}

TObject* TZirOvararIzazCore::GetInterfacedCell(Integer ACol, Integer ARow) {
    const TCellGraphic* G = BaseObjectOf(ACol, ARow, ctInterface);
    return G ? G->CellBitmap() : nullptr;
}

void TZirOvararIzazCore::AddRotated(Integer ACol, Integer ARow, Integer AAngle, const String& s) {
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    if (!G) return;
    G->SetAngle(AAngle);
    SetCells(ACol, ARow, s);
}

void TZirOvararIzazCore::SetRotated(Integer ACol, Integer ARow, Integer AAngle) {
    // SetAngle frees what the old kind owned before the kind changes.
    TCellGraphic* G = dynamic_cast<TCellGraphic*>(GraphicObjects(ACol, ARow));
    if (!G) G = CreateCellGraphic(ACol, ARow);
    if (G) G->SetAngle(AAngle);
}

bool TZirOvararIzazCore::IsRotated(Integer ACol, Integer ARow, Integer& aAngle) {
    const TCellGraphic* G = GetCellGraphic(ACol, ARow);
    if (!G || G->CellType() != ctRotated) return false;
    aAngle = G->CellAngle();
    return true;
}

// ---- Balloons ------------------------------------------------------------------------------------------

void TZirOvararIzazCore::AddBalloon(Integer ACol, Integer ARow, const String& Title, const String& Text,
                                    TBalloonIcon Icon) {
    if (auto* G = dynamic_cast<TCellGraphic*>(GraphicObjects(ACol, ARow))) {
        // A carrying kind keeps its own fields (a radio button its group).
        if (CarriesBalloon(G->CellType()) || G->CellType() == ctBalloon) G->SetBalloon(Title, Text, Icon);
        return;
    }
    if (TCellGraphic* G = CreateCellGraphic(ACol, ARow)) {
        G->SetCellType(ctBalloon);
        G->SetBalloon(Title, Text, Icon);
    }
}

void TZirOvararIzazCore::RemoveBalloon(Integer ACol, Integer ARow) {
    auto* G = dynamic_cast<TCellGraphic*>(GraphicObjects(ACol, ARow));
    if (!G) return;
    if (CarriesBalloon(G->CellType())) {
        G->RemoveBalloon();
        RepaintCell(RealToDisplColumn(ACol), ARow);
    } else {
        RemoveCellGraphicOfKind(ACol, ARow, ctBalloon);
    }
}

bool TZirOvararIzazCore::IsBalloon(Integer ACol, Integer ARow, String& Title, String& Text, TBalloonIcon& Icon) {
    const auto* G = dynamic_cast<const TCellGraphic*>(GraphicObjects(ACol, ARow));
    if (!G) return false;
    if (G->CellType() != ctBalloon && !(CarriesBalloon(G->CellType()) && G->Balloon())) return false;
    if (const TStringList* List = G->Balloon()) {
        Title = List->Count() > 0 ? List->Strings(0) : String();
        Text = List->Count() > 1 ? List->Strings(1) : String();
        Icon = G->BalloonIcon();
    }
    return true;
}

// ---- Comments ------------------------------------------------------------------------------------------

void TZirOvararIzazCore::AddComment(Integer ACol, Integer ARow, const String& Comment) {
    AddColorComment(ACol, ARow, Comment, FControlLook->CommentColor());
}

void TZirOvararIzazCore::AddColorComment(Integer ACol, Integer ARow, const String& Comment, TColor Color) {
    if (TCellGraphic* G = ObjectOrNew(ACol, ARow, ctNone)) {
        G->SetCellComment(Comment);
        G->SetCommentColor(Color);
    }
}

void TZirOvararIzazCore::SetComment(Integer ACol, Integer ARow, const String& Value) {
    if (auto* G = dynamic_cast<TCellGraphic*>(GraphicObjects(ACol, ARow)))
        G->SetCellComment(Value);
    else
        AddComment(ACol, ARow, Value);
}

bool TZirOvararIzazCore::IsComment(Integer ACol, Integer ARow, String& Comment) {
    const auto* G = dynamic_cast<const TCellGraphic*>(GraphicObjects(ACol, ARow));
    if (!G) return false;
    if (!G->CellComment().empty()) Comment = G->CellComment();
    if (G->CellType() == ctPicture && !G->CellText().empty()) {
        Comment = G->CellText();
        return true;
    }
    return !G->CellComment().empty();
}

String TZirOvararIzazCore::GetComment(Integer ACol, Integer ARow) {
    String Comment;
    return IsComment(ACol, ARow, Comment) ? Comment : String();
}

void TZirOvararIzazCore::RemoveComment(Integer ACol, Integer ARow) {
    if (auto* G = dynamic_cast<TCellGraphic*>(GraphicObjects(ACol, ARow))) G->SetCellComment(String());
}

void TZirOvararIzazCore::RemoveAllComments() {
    for (Integer c = 0; c < ColCount(); ++c)
        for (Integer r = 0; r < RowCount(); ++r) RemoveComment(c, r);
    Invalidate();
}

// ---- Markers -------------------------------------------------------------------------------------------

void TZirOvararIzazCore::AddMarker(Integer ACol, Integer ARow, Integer ErrPos, Integer ErrLen) {
    // The marker has fields of its own: a progress bar's range or a pie's
    // colour stays.
    if (TCellGraphic* G = ObjectOrNew(ACol, ARow, ctEmpty)) {
        G->SetMarker(ErrPos, ErrLen);
        RepaintCell(RealToDisplColumn(ACol), ARow);
    }
}

void TZirOvararIzazCore::RemoveMarker(Integer ACol, Integer ARow) {
    auto* G = dynamic_cast<TCellGraphic*>(GraphicObjects(ACol, ARow));
    if (!G) return;
    // A marker-only object goes; one that also holds a comment keeps it.
    if (G->CellType() == ctEmpty && G->CellComment().empty())
        RemoveCellGraphic(ACol, ARow);
    else
        G->SetMarker(0, 0);
}

void TZirOvararIzazCore::RemoveAllMarkers() {
    for (Integer c = 0; c < TotalColCount(); ++c)
        for (Integer r = 0; r < RowCount(); ++r) RemoveMarker(c, r);
}

void TZirOvararIzazCore::GetMarker(Integer ACol, Integer ARow, Integer& ErrPos, Integer& ErrLen) {
    ErrPos = 0;
    ErrLen = 0;
    if (const auto* G = dynamic_cast<const TCellGraphic*>(GraphicObjects(ACol, ARow))) {
        ErrPos = G->MarkerFrom();
        ErrLen = G->MarkerLen();
    }
}

// ---- Placement -----------------------------------------------------------------------------------------

TRect TZirOvararIzazCore::GetExpandRect(Integer ACol, Integer ARow) {
    if (!CellTypeIn(RealColIndex(ACol), ARow, {ctExpand})) return TRect(0, 0, 0, 0);
    const TRect R = CellRect(ACol, ARow);
    return TRect(R.Right - 13, R.Top + 2, R.Right - 2, R.Top + 13);
}

TRect TZirOvararIzazCore::GetCellGraphicRect(Integer ACol, Integer ARow) {
    const TCellGraphic* G = GetCellGraphic(RealColIndex(ACol), ARow);
    if (!G) return TRect(0, 0, 0, 0);
    const TRect Cell = CellRect(ACol, ARow);
    const auto P = uint32_t(RoundToInt(G->CellValue()));
    const auto Size = uint32_t(G->CellIndex());
    const Double Dpi = FDPIScale;
    TRect R;
    R.Left = Cell.Left + Integer(P & 0xFFFF);
    R.Top = Cell.Top + Integer(P >> 16);
    R.Right = R.Left + RoundToInt((Size & 0xFFFF) * Dpi);
    R.Bottom = R.Top + RoundToInt((Size >> 16) * Dpi);
    if (G->CellVAlign() == vaFull) R.Top = Cell.Top, R.Bottom = Cell.Bottom;
    if (G->CellHAlign() == haFull) R.Left = Cell.Left, R.Right = Cell.Right;
    return R;
}
