// The base grid's cell store: property records, merged cells, accessors,
// geometry and clearing.

#include "gridbase/BaseGrid.h"

#include "gridbase/UndoRedo.h"
#include "graphics/Rect.h"
#include "rtl/ClassBuilder.h"

#include <algorithm>

// ---- TCellProperties -----------------------------------------------------------------------------------

const TClassInfo& TCellProperties::StaticClassInfo() {
    using P = TCellProperties;
    // The user object is a pointer of the running program: it is not
    // published, so no stream can plant one.
    static const TClassInfo Info =
        TClassBuilder<P, TPersistent>()
            .Property(u"OwnerCol", &P::OwnerCol, &P::SetOwnerCol)
            .Stored(false)
            .Property(u"OwnerRow", &P::OwnerRow, &P::SetOwnerRow)
            .Stored(false)
            .Property(u"BrushStyle", &P::BrushStyle, &P::SetBrushStyle)
            .Default(bsSolid)
            .Property(u"BrushColor", TypeInfo_TColor(), &P::BrushColor, &P::SetBrushColor)
            .Default(clNone)
            .Property(u"BrushColorTo", TypeInfo_TColor(), &P::BrushColorTo, &P::SetBrushColorTo)
            .Default(clNone)
            .Property(u"FontSize", &P::FontSize, &P::SetFontSize)
            .Default(0)
            .Property(u"FontColor", TypeInfo_TColor(), &P::FontColor, &P::SetFontColor)
            .Default(clNone)
            .Property(u"FontStyle", &P::FontStyle, &P::SetFontStyle)
            .Default(TFontStyles())
            .Property(u"CellSpanY", &P::CellSpanY, &P::SetCellSpanY)
            .Default(-1)
            .Property(u"CellSpanX", &P::CellSpanX, &P::SetCellSpanX)
            .Default(-1)
            .Property(u"BorderWidth", &P::BorderWidth, &P::SetBorderWidth)
            .Default(0)
            .Property(u"BorderColor", TypeInfo_TColor(), &P::BorderColor, &P::SetBorderColor)
            .Default(0)
            .Property(u"Alignment", &P::Alignment, &P::SetAlignment)
            .Default(taLeftJustify)
            .Property(u"VAlignment", &P::VAlignment, &P::SetVAlignment)
            .Default(vtaTop)
            .Property(u"WordWrap", &P::WordWrap, &P::SetWordWrap)
            .Property(u"IsBaseCell", &P::IsBaseCell, &P::SetIsBaseCell)
            .Default(true)
            .Property(u"NodeLevel", &P::NodeLevel, &P::SetNodeLevel)
            .Default(0)
            .Property(u"Editor", &P::Editor, &P::SetEditor)
            .Default(edNormal)
            .Property(u"FontName", &P::FontName, &P::SetFontName)
            .Property(u"ReadOnly", &P::ReadOnly, &P::SetReadOnly)
            .Default(false)
            .Property(u"GradientDirection", &P::GradientDirection, &P::SetGradientDirection)
            .Default(GradientVertical)
            .Property(u"Control", &P::Control, &P::SetControl)
            .Build();
    return Info;
}

TCellProperties::TCellProperties(TBaseGrid* AOwner, Integer ACol, Integer ARow)
    : FOwnerGrid(AOwner), FOwnerCol(ACol), FOwnerRow(ARow) {
    if (FOwnerGrid) {
        FWordWrap = FOwnerGrid->WordWrap();
        FOwnerGrid->SetHasCellProps(true);
    }
}

TCellProperties::~TCellProperties() = default;

void TCellProperties::SetGraphicObject(TObject* Value, bool Owned) {
    FGraphicObject = Value;
    FGraphicOwned = Value && (Owned || Value->ClassName() == u"TCellGraphic");
}

void TCellProperties::RepaintOwnerCell() {
    if (FOwnerGrid) FOwnerGrid->RepaintCell(FOwnerCol, FOwnerRow);
}

void TCellProperties::SetBrushColor(TColor Value) {
    FBrushColor = Value;
    RepaintOwnerCell();
}

void TCellProperties::SetBrushColorTo(TColor Value) {
    FBrushColorTo = Value;
    RepaintOwnerCell();
}

void TCellProperties::SetVAlignment(TVAlignment Value) {
    FVAlignment = Value;
    RepaintOwnerCell();
}

void TCellProperties::SetWordWrap(bool Value) {
    FWordWrap = Value;
    RepaintOwnerCell();
}

void TCellProperties::Assign(const TPersistent* Source) {
    const auto* S = dynamic_cast<const TCellProperties*>(Source);
    if (!S) return;
    FIsBaseCell = S->FIsBaseCell;
    FCellSpanX = S->FCellSpanX;
    FCellSpanY = S->CellSpanY();
    FOwnerRow = S->FOwnerRow;
    FOwnerCol = S->FOwnerCol;
    FObject = S->FObject;
    FAlignment = S->FAlignment;
    FBorderColor = S->FBorderColor;
    FBorderWidth = S->FBorderWidth;
    FBrushColor = S->FBrushColor;
    FBrushStyle = S->FBrushStyle;
    FFontColor = S->FFontColor;
    FFontStyle = S->FFontStyle;
    FFontName = S->FFontName;
    FFontHeight = S->FFontHeight;
    FReadOnly = S->FReadOnly;
    FEditor = S->FEditor;
    FVAlignment = S->FVAlignment;
    FWordWrap = S->FWordWrap;
    FNodeLevel = S->FNodeLevel;
    FControl = S->FControl;
    FMergeCollaps = S->FMergeCollaps;
}

TPoint TCellProperties::BaseCellOf(Integer c, Integer r) const {
    if (FIsBaseCell) return {c, r};
    if (FCellSpanX != -1 && CellSpanY() >= 0) return {c - FCellSpanX, r - CellSpanY()};
    return {c, r};
}

// ---- Wide cell text ------------------------------------------------------------------------------------

String EncodeWideCellText(const String& Wide) {
    String Text = u"|\\";
    Text.reserve(2 + 2 * Wide.size());
    for (const Char Ch : Wide) {
        Text += Char(Ch >> 8);
        Text += Char(Ch & 0xFF);
    }
    return Text;
}

String DecodeWideCellText(const String& Text) {
    if (!Text.starts_with(u"|\\")) return Text;
    String Wide;
    Wide.reserve((Text.size() - 2) / 2);
    for (std::size_t I = 2; I + 1 < Text.size(); I += 2)
        Wide += Char(((Text[I] & 0xFF) << 8) | (Text[I + 1] & 0xFF));
    return Wide;
}

// ---- TBaseGrid: construction ---------------------------------------------------------------------------

const TClassInfo& TObjStringGrid::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TObjStringGrid, TStringGrid>().Build();
    return Info;
}

const TClassInfo& TBaseGrid::StaticClassInfo() {
    using G = TBaseGrid;
    static const TClassInfo Info =
        TClassBuilder<G, TObjStringGrid>()
            .Property(u"ActiveRowShow", &G::ActiveRowShow, &G::SetActiveRowShow)
            .Default(false)
            .Property(u"ActiveRowColor", TypeInfo_TColor(), &G::ActiveRowColor, &G::SetActiveRowColor)
            .Default(clInfoBk)
            .Property(u"DefaultDrawing", &G::DefaultDrawing, &G::SetDefaultDrawing)
            .Default(false)
            .Property(u"GridLineWidth", &G::GridLineWidth, &G::SetGridLineWidth)
            .Default(1)
            .Property(u"GridLineColor", TypeInfo_TColor(), &G::GridLineColor, &G::SetGridLineColor)
            .Default(0xC0C0C0)
            .Property(u"GridFixedLineColor", TypeInfo_TColor(), &G::GridFixedLineColor, &G::SetGridFixedLineColor)
            .Default(0x808080)
            .Property(u"GridFixedLineWidth", &G::GridFixedLineWidth, &G::SetGridFixedLineWidth)
            .Default(1)
            .Property(u"HoverRow", &G::HoverRow, &G::SetHoverRow)
            .Default(false)
            .Property(u"HoverRowColor", TypeInfo_TColor(), &G::HoverRowColor, &G::SetHoverRowColor)
            .Default(clInfoBk)
            .Property(u"HoverRowColorTo", TypeInfo_TColor(), &G::HoverRowColorTo, &G::SetHoverRowColorTo)
            .Default(clNone)
            .Property(u"HoverRowCells", &G::HoverRowCells, &G::SetHoverRowCells)
            .Default(THoverRowCells{hcNormal, hcSelected})
            .Property(u"OnGetDisplText", &G::OnGetDisplText,
                      [](G& O, TGetDisplTextEvent E) { O.OnGetDisplText = std::move(E); })
            .Property(u"OnGetDisplWideText", &G::OnGetDisplWideText,
                      [](G& O, TGetDisplWideTextEvent E) { O.OnGetDisplWideText = std::move(E); })
            .Property(u"UndoRedo", &G::UndoRedo, &G::SetUndoRedo)
            .Build();
    return Info;
}

TBaseGrid::TBaseGrid(TComponent* AOwner)
    : TObjStringGrid(AOwner), FDefFont(std::make_unique<TFont>()), FDefBrush(std::make_unique<TBrush>()) {
    // The grid paints every cell itself, with its own grid lines.
    TObjStringGrid::SetDefaultDrawing(false);
    TObjStringGrid::SetGridLineWidth(0);
}

TBaseGrid::~TBaseGrid() = default;

void TBaseGrid::BeforeDestruction() {
    SetUndoRedo(nullptr);
    FDefFont.reset();
    FDefBrush.reset();
    // Every record goes, whatever FHasCellProps says.
    FHasCellProps = true;
    ClearAllCellProps();
    TObjStringGrid::BeforeDestruction();
}

// ---- Raw store -------------------------------------------------------------------------------------------

bool TBaseGrid::InGrid(Integer ACol, Integer ARow) const {
    return ACol >= 0 && ARow >= 0 && ACol < TotalColCount() && ARow < RowCount();
}

TCellProperties* TBaseGrid::RecordOf(Integer ACol, Integer ARow) const {
    if (!InGrid(ACol, ARow)) return nullptr;
    return static_cast<TCellProperties*>(TStringGrid::Objects(ACol, ARow));
}

TCellProperties* TBaseGrid::GetRawObject(Integer ACol, Integer ARow) const {
    return RecordOf(ACol, ARow);
}

void TBaseGrid::SetRawObject(Integer ACol, Integer ARow, TCellProperties* Value) {
    if (InGrid(ACol, ARow)) TStringGrid::SetObjects(ACol, ARow, Value);
}

bool TBaseGrid::HasCellProperties(Integer ACol, Integer ARow) const {
    return RecordOf(ACol, ARow) != nullptr;
}

TObject* TBaseGrid::GetPropsGraphic(const TCellProperties* Props) {
    return Props ? Props->GraphicObject() : nullptr;
}

void TBaseGrid::FreeRecord(TCellProperties* Props) {
    if (!Props) return;
    // One rule on every path: a graphic the grid owns goes with its record.
    if (Props->GraphicOwned()) {
        TObject* Graphic = Props->GraphicObject();
        Props->SetGraphicObject(nullptr);
        Free(Graphic);
    }
    Free(Props);
}

// ---- Cells -----------------------------------------------------------------------------------------------

String TBaseGrid::GridCells(Integer ACol, Integer ARow) const {
    return InGrid(ACol, ARow) ? TStringGrid::Cells(ACol, ARow) : String();
}

void TBaseGrid::SetGridCells(Integer ACol, Integer ARow, const String& Value) {
    if (InGrid(ACol, ARow)) TStringGrid::SetCells(ACol, ARow, Value);
}

String TBaseGrid::Cells(Integer ACol, Integer ARow) {
    if (!InGrid(ACol, ARow)) return String();
    Integer C = ACol, R = ARow;
    if (const TCellProperties* Props = RecordOf(ACol, ARow)) {
        const TPoint Base = Props->BaseCellOf(ACol, ARow);
        C = Base.X;
        R = Base.Y;
    }
    String Value = GridCells(C, R);
    if (R < FNormalRowCount) {
        GetDisplText(C, R, Value);
        if (OnGetDisplWideText) {
            String Wide = DecodeWideCellText(Value);
            GetDisplWideText(C, R, Wide);
            Value = EncodeWideCellText(Wide);
        }
    }
    return Value;
}

void TBaseGrid::SetCells(Integer ACol, Integer ARow, const String& Value) {
    if (!InGrid(ACol, ARow)) return;
    if (const TCellProperties* Props = RecordOf(ACol, ARow)) {
        const TPoint Base = Props->BaseCellOf(ACol, ARow);
        SetGridCells(Base.X, Base.Y, Value);
        CellChanged(Base.X, Base.Y);
        if (Parent()) RepaintCell(ACol, ARow);
    } else {
        FEditCellSet = true;
        SetGridCells(ACol, ARow, Value);
        FEditCellSet = false;
    }
    if (FHideLastRow && ARow == RowCount() - 1) HiddenRowChanged();
}

void TBaseGrid::GetDisplText(Integer ACol, Integer ARow, String& Value) {
    if (OnGetDisplText) OnGetDisplText(this, ACol, ARow, Value);
}

void TBaseGrid::GetDisplWideText(Integer ACol, Integer ARow, String& Value) {
    if (OnGetDisplWideText) OnGetDisplWideText(this, ACol, ARow, Value);
}

TObject* TBaseGrid::Objects(Integer ACol, Integer ARow) const {
    const TCellProperties* Props = RecordOf(ACol, ARow);
    return Props ? Props->CellObject() : nullptr;
}

void TBaseGrid::SetObjects(Integer ACol, Integer ARow, TObject* Value) {
    if (!InGrid(ACol, ARow)) return;
    const bool WasEmpty = GridCells(ACol, ARow).empty();
    if (WasEmpty) SetGridCells(ACol, ARow, u" ");
    CellProperties(ACol, ARow)->SetCellObject(Value);
    if (WasEmpty) SetGridCells(ACol, ARow, String());
}

TObject* TBaseGrid::GraphicObjects(Integer ACol, Integer ARow) const {
    return GetPropsGraphic(RecordOf(ACol, ARow));
}

void TBaseGrid::SetGraphicObjects(Integer ACol, Integer ARow, TObject* Value, bool Owned) {
    if (!InGrid(ACol, ARow)) return;
    if (ComponentState().Contains(csDestroying)) {
        if (TCellProperties* Props = RecordOf(ACol, ARow); Props && !Value) Props->SetGraphicObject(nullptr);
        return;
    }
    const bool WasEmpty = GridCells(ACol, ARow).empty();
    if (WasEmpty) SetCells(ACol, ARow, u" ");
    TCellProperties* Props = RecordOf(ACol, ARow);
    if (!Props) Props = CreateCellProperties(ACol, ARow);
    // A graphic the grid owned and that is replaced goes now.
    if (Props->GraphicOwned() && Props->GraphicObject() != Value) {
        TObject* Old = Props->GraphicObject();
        Props->SetGraphicObject(nullptr);
        Free(Old);
    }
    Props->SetGraphicObject(Value, Owned);
    if (WasEmpty) SetCells(ACol, ARow, String());
}

TCellProperties* TBaseGrid::CellProperties(Integer ACol, Integer ARow) {
    if (!InGrid(ACol, ARow)) return nullptr;
    if (TCellProperties* Props = RecordOf(ACol, ARow)) return Props;
    return CreateCellProperties(ACol, ARow);
}

void TBaseGrid::SetCellProperties(Integer ACol, Integer ARow, TCellProperties* Value) {
    if (!InGrid(ACol, ARow)) return;
    TCellProperties* Old = RecordOf(ACol, ARow);
    if (Old == Value) return;
    SetRawObject(ACol, ARow, Value);
    FreeRecord(Old);
}

TCellProperties* TBaseGrid::CreateCellProperties(Integer ACol, Integer ARow) {
    auto* Props = Create<TCellProperties>(this, ACol, ARow);
    Props->SetAlignment(DefaultCellAlignment());
    SetRawObject(ACol, ARow, Props);
    TColor ColorTo = clNone, MirrorColor = clNone, MirrorColorTo = clNone;
    TAlignment HAlign = DefaultCellAlignment();
    TVAlignment VAlign = vtaTop;
    bool Wrap = FWordWrap;
    TCellGradientDirection Direction = GradientVertical;
    TFont* LookFont = FDefFont ? FDefFont.get() : Font();
    TBrush Scratch;
    TBrush* LookBrush = FDefBrush ? FDefBrush.get() : &Scratch;
    GetCellLook(ACol, ARow, LookFont, LookBrush, ColorTo, MirrorColor, MirrorColorTo, HAlign, VAlign, Wrap,
                Direction);
    // Plain fields: a new record repaints nothing.
    Props->SetCalcType(acNONE);
    Props->SetAlignment(HAlign);
    Props->SetFontName(LookFont->Name());
    Props->SetFontSize(LookFont->Height());
    Props->SetFontStyle(LookFont->Style());
    Props->SetFontColor(LookFont->Color());
    Props->SetGradientDirection(Direction);
    // VAlignment, WordWrap and the brush colours repaint the cell as they are set.
    Props->SetVAlignment(VAlign);
    Props->SetWordWrap(Wrap);
    Props->SetBrushColor(LookBrush->Color());
    Props->SetBrushColorTo(ColorTo);
    return Props;
}

void TBaseGrid::GetCellLook(Integer, Integer, TFont* AFont, TBrush* ABrush, TColor& ColorTo, TColor& MirrorColor,
                            TColor& MirrorColorTo, TAlignment& HAlign, TVAlignment& VAlign, bool& WordWrap,
                            TCellGradientDirection& GradientDirection) {
    AFont->Assign(Font());
    ABrush->SetColor(Color());
    ColorTo = clNone;
    MirrorColor = clNone;
    MirrorColorTo = clNone;
    HAlign = DefaultCellAlignment();
    VAlign = vtaTop;
    WordWrap = FWordWrap;
    GradientDirection = GradientVertical;
}

// ---- Merged cells ----------------------------------------------------------------------------------------

void TBaseGrid::MergeCells(Integer c, Integer r, Integer spanx, Integer spany) {
    ++FMergeCount;
    // Clipped to the grid: the area never reaches past the last column or row.
    if (c < 0 || r < 0 || c >= TotalColCount() || r >= RowCount()) return;
    spanx = std::min(spanx, TotalColCount() - c);
    spany = std::min(spany, RowCount() - r);
    for (Integer I = c; I < c + spanx; ++I)
        for (Integer J = r; J < r + spany; ++J) {
            TCellProperties* Props = CellProperties(I, J);
            const bool Base = I == c && J == r;
            Props->SetIsBaseCell(Base);
            Props->SetCellSpanX(Base ? spanx - 1 : I - c);
            Props->SetCellSpanY(Base ? spany - 1 : J - r);
        }
    for (Integer I = c; I < c + spanx; ++I)
        for (Integer J = r; J < r + spany; ++J)
            RepaintCell(I, J);
}

void TBaseGrid::SplitCells(Integer c, Integer r) {
    TCellProperties* Props = CellProperties(c, r);
    if (Props) {
        const TPoint Base = Props->BaseCellOf(c, r);
        const TCellProperties* BaseProps = RecordOf(Base.X, Base.Y);
        const Integer SX = BaseProps ? BaseProps->CellSpanX() : -1;
        const Integer SY = BaseProps ? BaseProps->CellSpanY() : -1;
        const Integer LastCol = std::min(Base.X + SX, TotalColCount() - 1);
        const Integer LastRow = std::min(Base.Y + SY, RowCount() - 1);
        for (Integer I = Base.X; I <= LastCol; ++I)
            for (Integer J = Base.Y; J <= LastRow; ++J) {
                TCellProperties* Cell = CellProperties(I, J);
                Cell->SetIsBaseCell(true);
                Cell->SetCellSpanX(-1);
                Cell->SetCellSpanY(-1);
            }
        for (Integer I = Base.X; I <= LastCol; ++I)
            for (Integer J = Base.Y; J <= LastRow; ++J)
                RepaintCell(I, J);
    }
    --FMergeCount;
}

TPoint TBaseGrid::BaseCell(Integer ACol, Integer ARow) const {
    const TCellProperties* Props = RecordOf(ACol, ARow);
    return Props ? Props->BaseCellOf(ACol, ARow) : TPoint{ACol, ARow};
}

bool TBaseGrid::IsBaseCell(Integer ACol, Integer ARow) const {
    const TCellProperties* Props = RecordOf(ACol, ARow);
    return !Props || Props->IsBaseCell();
}

bool TBaseGrid::ResolveBaseCell(Integer ACol, Integer ARow, Integer& BaseCol, Integer& BaseRow) const {
    BaseCol = ACol;
    BaseRow = ARow;
    const TCellProperties* Props = RecordOf(ACol, ARow);
    if (!Props || Props->IsBaseCell()) return true;
    const TPoint Base = Props->BaseCellOf(ACol, ARow);
    BaseCol = Base.X;
    BaseRow = Base.Y;
    return false;
}

bool TBaseGrid::IsMergedCell(Integer ACol, Integer ARow) const {
    const TCellProperties* Props = RecordOf(ACol, ARow);
    return Props && (Props->CellSpanX() > 0 || Props->CellSpanY() > 0);
}

bool TBaseGrid::IsMergedNonBaseCell(Integer ACol, Integer ARow) const {
    return IsMergedCell(ACol, ARow) && !RecordOf(ACol, ARow)->IsBaseCell();
}

bool TBaseGrid::IsXMergedCell(Integer ACol, Integer ARow) const {
    if (!RecordOf(ACol, ARow)) return false;
    const TPoint Base = BaseCell(ACol, ARow);
    const TCellProperties* BaseProps = RecordOf(Base.X, Base.Y);
    return BaseProps && BaseProps->CellSpanX() > 0;
}

bool TBaseGrid::IsYMergedCell(Integer ACol, Integer ARow) const {
    if (!RecordOf(ACol, ARow)) return false;
    const TPoint Base = BaseCell(ACol, ARow);
    const TCellProperties* BaseProps = RecordOf(Base.X, Base.Y);
    return BaseProps && BaseProps->CellSpanY() > 0;
}

TPoint TBaseGrid::CellSpan(Integer ACol, Integer ARow) const {
    const TCellProperties* Props = RecordOf(ACol, ARow);
    if (!Props || (Props->CellSpanX() == -1 && Props->CellSpanY() <= 0)) return {0, 0};
    const TPoint Base = Props->BaseCellOf(ACol, ARow);
    const TCellProperties* BaseProps = RecordOf(Base.X, Base.Y);
    if (!BaseProps) return {0, 0};
    return {BaseProps->CellSpanX(), BaseProps->CellSpanY()};
}

TPoint TBaseGrid::CellExt(Integer ACol, Integer ARow) const {
    const TCellProperties* Props = RecordOf(ACol, ARow);
    if (!Props || Props->CellSpanX() == -1 || Props->CellSpanY() == -1) return {0, 0};
    const TPoint Base = Props->BaseCellOf(ACol, ARow);
    const TCellProperties* BaseProps = RecordOf(Base.X, Base.Y);
    if (!BaseProps) return {0, 0};
    return {BaseProps->CellSpanX() + Base.X - ACol, BaseProps->CellSpanY() + Base.Y - ARow};
}

TRect TBaseGrid::FullCell(Integer ACol, Integer ARow) const {
    const TPoint Base = BaseCell(ACol, ARow);
    const TPoint Span = CellSpan(ACol, ARow);
    return {Base.X, Base.Y, Base.X + Span.X, Base.Y + Span.Y};
}

Integer TBaseGrid::MinRowSpan(Integer ARow) const {
    Integer Result = RowCount();
    bool Found = false;
    for (Integer C = 0; C < ColCount(); ++C) {
        const Integer Span = CellSpan(C, ARow).Y;
        if (Span > 0 && (!Found || Span < Result)) {
            Result = Span;
            Found = true;
        }
    }
    return Found ? Result : RowCount();
}

Integer TBaseGrid::MaxRowSpan(Integer ARow) const {
    Integer Result = 0;
    for (Integer C = 0; C < ColCount(); ++C)
        Result = std::max(Result, CellSpan(C, ARow).Y);
    return Result;
}

bool TBaseGrid::RowSpanIdentical(Integer ARow1, Integer ARow2) const {
    bool Found = false;
    for (Integer C = 0; C < ColCount(); ++C) {
        if (CellSpan(C, ARow1).Y > 0 && CellSpan(C, ARow2).Y > 0) {
            Found = true;
            if (BaseCell(C, ARow1).Y != BaseCell(C, ARow2).Y) return false;
        }
    }
    return Found;
}

bool TBaseGrid::ColSpanIdentical(Integer ACol1, Integer ACol2) const {
    bool Found = false;
    for (Integer R = 0; R < RowCount(); ++R) {
        const Integer Span1 = CellSpan(ACol1, R).X, Span2 = CellSpan(ACol2, R).X;
        if (Span1 > 0 && Span2 > 0) {
            Found = true;
            if (BaseCell(ACol1, R).X != BaseCell(ACol2, R).X) return false;
        } else if (Span1 != Span2) {
            return false;
        }
    }
    return Found;
}

// ---- Geometry --------------------------------------------------------------------------------------------

TRect TBaseGrid::GetVirtualCellRect(Integer ACol, Integer ARow) const {
    auto Sum = [](Integer Count, auto Size) {
        Integer Total = 0;
        for (Integer I = 0; I < Count; ++I)
            Total += Size(I);
        return Total;
    };
    auto Width = [this](Integer I) { return ColWidths(I); };
    auto Height = [this](Integer I) { return RowHeights(I); };
    const Integer X = Sum(ACol, Width), Y = Sum(ARow, Height);
    TRect R{X, Y, X + ColWidths(ACol), Y + RowHeights(ARow)};
    const Integer DX = ACol >= FixedCols() ? Sum(LeftCol(), Width) : 0;
    const Integer DY = ARow >= FixedRows() ? Sum(TopRow(), Height) : 0;
    winapi::OffsetRect(R, -DX, -DY);
    TRect O = TStringGrid::CellRect(LeftCol(), TopRow());
    if (ACol < FixedCols()) O.Left = 0;
    if (ARow < FixedRows()) O.Top = 0;
    winapi::OffsetRect(R, O.Left, O.Top);
    return R;
}

namespace {
TRect Union(const TRect& A, const TRect& B) {
    return {std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
            std::max(A.Bottom, B.Bottom)};
}
} // namespace

TRect TBaseGrid::CellRect(Integer ACol, Integer ARow) {
    const Integer RC = RealColIndex(ACol);
    const TCellProperties* Props = RecordOf(RC, ARow);
    if (Props && (Props->CellSpanX() != -1 || Props->CellSpanY() > 0)) {
        const TPoint Base = Props->BaseCellOf(RC, ARow);
        const TCellProperties* BaseProps = RecordOf(Base.X, Base.Y);
        const Integer DC = DisplColIndex(Base.X);
        TRect A = GetVirtualCellRect(DC, Base.Y);
        if (A.Left == A.Right) ++A.Right;
        const Integer SX = BaseProps ? std::max(BaseProps->CellSpanX(), 0) : 0;
        const Integer SY = BaseProps ? std::max(BaseProps->CellSpanY(), 0) : 0;
        TRect B = GetVirtualCellRect(std::min(DC + SX, ColCount() - 1), std::min(Base.Y + SY, RowCount() - 1));
        if (B.Left == B.Right) --B.Left;
        return Union(A, B);
    }
    if (Props && InGrid(ACol, ARow) && RecordOf(ACol, ARow) && RecordOf(ACol, ARow)->Control())
        return GetVirtualCellRect(ACol, ARow);
    const TRect O = TStringGrid::CellRect(ACol, ARow);
    return {O.Left, O.Top, O.Left + ColWidths(ACol), O.Top + RowHeights(ARow)};
}

TPoint TBaseGrid::CellSize(Integer ACol, Integer ARow) {
    const TCellProperties* Props = RecordOf(ACol, ARow);
    TRect R;
    if (Props && (Props->CellSpanX() != -1 || Props->CellSpanY() > 0)) {
        const TPoint Base = Props->BaseCellOf(ACol, ARow);
        const TCellProperties* BaseProps = RecordOf(Base.X, Base.Y);
        const Integer SX = BaseProps ? std::max(BaseProps->CellSpanX(), 0) : 0;
        const Integer SY = BaseProps ? std::max(BaseProps->CellSpanY(), 0) : 0;
        R = Union(GetVirtualCellRect(Base.X, Base.Y), GetVirtualCellRect(std::min(Base.X + SX, ColCount() - 1),
                                                                         std::min(Base.Y + SY, RowCount() - 1)));
    } else {
        R = GetVirtualCellRect(ACol, ARow);
    }
    return {R.Right - R.Left, R.Bottom - R.Top};
}

// ---- Clearing --------------------------------------------------------------------------------------------

void TBaseGrid::ClearColumnCells(Integer ACol) {
    for (Integer R = 0; R < RowCount(); ++R) {
        SetRawObject(ACol, R, nullptr);
        SetCells(ACol, R, String());
    }
}

void TBaseGrid::ClearRowCells(Integer ARow) {
    for (Integer C = 0; C < ColCount(); ++C) {
        SetRawObject(C, ARow, nullptr);
        SetCells(C, ARow, String());
    }
}

void TBaseGrid::ClearCell(Integer ACol, Integer ARow) {
    SetCells(ACol, ARow, String());
    SetRawObject(ACol, ARow, nullptr);
}

void TBaseGrid::ClearCellProps(Integer ACol, Integer ARow) {
    TCellProperties* Props = RecordOf(ACol, ARow);
    if (!Props) return;
    SetRawObject(ACol, ARow, nullptr);
    FreeRecord(Props);
}

void TBaseGrid::ClearCellPropsRange(Integer FromCol, Integer FromRow, Integer ToCol, Integer ToRow) {
    if (!FHasCellProps) return;
    FromCol = std::max(FromCol, 0);
    FromRow = std::max(FromRow, 0);
    ToCol = std::min(ToCol, TotalColCount() - 1);
    ToRow = std::min(ToRow, RowCount() - 1);
    for (Integer C = FromCol; C <= ToCol; ++C)
        for (Integer R = FromRow; R <= ToRow; ++R)
            ClearCellProps(C, R);
}

void TBaseGrid::ClearAllCellProps() {
    ClearCellPropsRange(0, 0, TotalColCount() - 1, RowCount() - 1);
}

// ---- Undo link -------------------------------------------------------------------------------------------

void TBaseGrid::SetUndoRedo(TKelGridUndoRedo* Value) {
    if (FUndoRedo == Value) return;
    if (FUndoRedo) {
        FUndoRedo->RemoveFreeNotification(this);
        if (FUndoRedo->Grid() == this) FUndoRedo->SetGrid(nullptr);
    }
    FUndoRedo = Value;
    if (FUndoRedo) {
        FUndoRedo->FreeNotification(this);
        FUndoRedo->SetGrid(this);
    }
}

void TBaseGrid::Notification(TComponent* AComponent, TOperation Operation) {
    TObjStringGrid::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FUndoRedo) FUndoRedo = nullptr;
}
