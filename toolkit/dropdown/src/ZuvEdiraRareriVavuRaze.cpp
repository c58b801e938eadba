// The multi-column drop-down and its list grid.

#include "dropdown/ZuvEdiraRareriVavuRaze.h"

#include "dropdown/DropDownForm.h"
#include "dropdown/KelDropDownRoutines.h"
#include "graphics/GdiText.h"
#include "graphics/ImageList.h"
#include "rtl/ClassBuilder.h"
#include "rtl/MathUtils.h"
#include "rtl/StringUtils.h"
#include "vcl/Forms.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"
#include "windowing/Messages.h"
#include "windowing/Paint.h"
#include "windowing/SystemMetrics.h"
#include "DropDownScopes.h"

#include <algorithm>
#include <cmath>

using namespace winapi;

namespace ZuvEdiraRareriVavuRaze {

namespace {

bool StartsWith(const String& Text, const String& Prefix) {
    return !Prefix.empty() && Text.size() >= Prefix.size() && Text.compare(0, Prefix.size(), Prefix) == 0;
}

} // namespace

// ---- Columns and items ----

const TClassInfo& TDropDownColumn::StaticClassInfo() {
    using C = TDropDownColumn;
    static const TClassInfo Info = TClassBuilder<C, TCollectionItem>()
                                       .Property(u"Wordwrap", &C::Wordwrap, &C::SetWordwrap)
                                       .Default(false)
                                       .Property(u"Width", &C::Width, &C::SetWidth)
                                       .Default(80)
                                       .Property(u"AutoSize", &C::AutoSize, &C::SetAutoSize)
                                       .Default(false)
                                       .Property(u"Header", &C::Header, &C::SetHeader)
                                       .Property(u"Alignment", &C::Alignment, &C::SetAlignment)
                                       .Default(taLeftJustify)
                                       .Property(u"Color", &C::Color, &C::SetColor)
                                       .Default(0xFFFFFF)
                                       .Property(u"ColumnType", &C::ColumnType, &C::SetColumnType)
                                       .Default(ctText)
                                       .Property(u"Font", &C::Font, &C::SetFont)
                                       .Property(u"Ellipsis", &C::Ellipsis, &C::SetEllipsis)
                                       .Default(false)
                                       .Build();
    return Info;
}

TDropDownColumn::TDropDownColumn(TCollection* ACollection)
    : TCollectionItem(ACollection), FFont(std::make_unique<TFont>()) {}

TDropDownColumn::~TDropDownColumn() = default;

void TDropDownColumn::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TDropDownColumn*>(Source);
    if (!Other) {
        TCollectionItem::Assign(Source);
        return;
    }
    FWordwrap = Other->FWordwrap;
    FWidth = Other->FWidth;
    FAutoSize = Other->FAutoSize;
    FHeader = Other->FHeader;
    FAlignment = Other->FAlignment;
    FColor = Other->FColor;
    FColumnType = Other->FColumnType;
    FFont->Assign(Other->FFont.get());
    FEllipsis = Other->FEllipsis;
}

const TClassInfo& TDropDownColumns::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TDropDownColumns, TOwnedCollection>().Build();
    return Info;
}

TDropDownColumns::TDropDownColumns(TPersistent* AOwner)
    : TOwnedCollection(AOwner, TDropDownColumn::StaticClassInfo()) {}

const TClassInfo& TDropDownItem::StaticClassInfo() {
    using C = TDropDownItem;
    static const TClassInfo Info = TClassBuilder<C, TCollectionItem>()
                                       .Property(u"ImageIndex", &C::ImageIndex, &C::SetImageIndex)
                                       .Default(-1)
                                       .Property(u"Text", &C::Text, &C::SetText)
                                       .Property(u"Tag", &C::Tag, &C::SetTag)
                                       .Default(0)
                                       .Build();
    return Info;
}

TDropDownItem::TDropDownItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FText(std::make_unique<TStringList>()) {}

TDropDownItem::~TDropDownItem() = default;

void TDropDownItem::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TDropDownItem*>(Source);
    if (!Other) return;
    FImageIndex = Other->FImageIndex;
    FText->Assign(Other->FText.get());
    FTag = Other->FTag;
}

String TDropDownItem::Column(Integer Index) const {
    return Index >= 0 && Index < FText->Count() ? FText->Strings(Index) : String();
}

const TClassInfo& TDropDownItems::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TDropDownItems, TOwnedCollection>().Build();
    return Info;
}

TDropDownItems::TDropDownItems(TPersistent* AOwner)
    : TOwnedCollection(AOwner, TDropDownItem::StaticClassInfo()) {}

Integer TDropDownItems::IndexInColumn(Integer Column, const String& Value) const {
    if (Column < 0) return -1;
    for (Integer I = 0; I < Count(); ++I) {
        const TStringList* Text = Items(I)->Text();
        if (Column < Text->Count() && Text->Strings(Column) == Value) return I;
    }
    return -1;
}

// ---- The list ----

const TClassInfo& TZazUruDava::StaticClassInfo() {
    using C = TZazUruDava;
    static const TClassInfo Info = TClassBuilder<C, TStringGrid>()
                                       .Property(u"Columns", &C::Columns, &C::SetColumns)
                                       .Property(u"LineColor", &C::LineColor, &C::SetLineColor)
                                       .Default(0x808080)
                                       .Property(u"FixedLineColor", &C::FixedLineColor, &C::SetFixedLineColor)
                                       .Property(u"HeaderColor", &C::HeaderColor, &C::SetHeaderColor)
                                       .Property(u"HeaderColorTo", &C::HeaderColorTo, &C::SetHeaderColorTo)
                                       .Property(u"HeaderHeight", &C::HeaderHeight, &C::SetHeaderHeight)
                                       .Property(u"HeaderFont", &C::HeaderFont, &C::SetHeaderFont)
                                       .Property(u"HoverSelect", &C::HoverSelect, &C::SetHoverSelect)
                                       .Default(false)
                                       .Build();
    return Info;
}

TZazUruDava::TZazUruDava(TComponent* AOwner)
    : TStringGrid(AOwner), FColumns(std::make_unique<TDropDownColumns>(this)),
      FHeaderFont(std::make_unique<TFont>()) {
    SetFixedRows(1);
    SetFixedCols(0);
    TGridOptions Options = this->Options();
    Options.Include(goHorzLine);
    Options.Include(goTabs);
    Options.Include(goRowSelect);
    Options.Exclude(goRangeSelect);
    Options.Exclude(goDrawFocusSelected);
    SetOptions(Options);
    SetDefaultDrawing(false);
    SetCtl3D(false);
    SetParentCtl3D(false);
    WriteGridLineWidth(0);
    FGridLineWidth = 1;
    SetBorderStyle(bsNone);
}

TZazUruDava::~TZazUruDava() = default;

void TZazUruDava::WriteGridLineWidth(Integer Value) {
    FGridLineWidth = Value;
    SetGridLineWidth(0);
    Invalidate();
}

void TZazUruDava::Notification(TComponent* AComponent, TOperation Operation) {
    TStringGrid::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages && !ComponentState().Contains(csDestroying))
        FImages = nullptr;
}

void TZazUruDava::DoSelect() {
    if (OnSelect) OnSelect(this);
}

bool TZazUruDava::UnderPopupForm() const { return dynamic_cast<TDropDownForm*>(Parent()) != nullptr; }

Integer TZazUruDava::TotalWidth() const {
    Integer W = 0;
    for (Integer I = 0; I < ColCount(); ++I)
        W += ColWidths(I);
    if (VisibleRowCount() + FixedRows() != RowCount()) W += GetSystemMetrics(SM_CXVSCROLL);
    return W;
}

TRect TZazUruDava::CellBounds(Integer ACol, Integer ARow) const {
    if (ACol < 0 || ARow < 0) return {0, 0, 0, 0};
    const TRect R = CellRect(ACol, ARow);
    if (R.IsEmpty()) return R;
    return {R.Left, R.Top, R.Left + ColWidths(ACol), R.Top + RowHeights(ARow)};
}

void TZazUruDava::LoadFromDropDown(TZuvEdiraRareriVavuRaze* DropDown) {
    if (!DropDown) return;
    SetDropDown(DropDown);
    FColumns->Assign(DropDown->Columns());
    SetColCount(std::max<Integer>(FColumns->Count(), 1));
    const Integer Items = DropDown->Items()->Count();
    SetFixedRows(0);
    SetRowCount(std::max(Items + 1, 2));
    SetFixedRows(1);
    SetRow(1);
    for (Integer I = 0; I < ColCount() && I < FColumns->Count(); ++I)
        SetColWidths(I, FColumns->Items(I)->Width());
    FLineColor = DropDown->LineColor();
    FFixedLineColor = DropDown->FixedLineColor();
    FHeaderColor = DropDown->HeaderColor();
    FHeaderColorTo = DropDown->HeaderColorTo();
    FHeaderHeight = DropDown->HeaderHeight();
    FHeaderFont->Assign(DropDown->HeaderFont());
    FImages = DropDown->Images();
    TGridOptions Options = this->Options();
    if (DropDown->ColumnSizing())
        Options.Include(goColSizing);
    else
        Options.Exclude(goColSizing);
    SetOptions(Options);
    AutoSizeColumns();
    if (DropDown->DropDownRowHeight() > 0) SetDefaultRowHeight(DropDown->DropDownRowHeight());
    FitWordWrapRows();
    SetRowHeights(0, std::max(1, FHeaderHeight));
}

void TZazUruDava::AutoSizeColumns() {
    for (Integer I = 0; I < FColumns->Count(); ++I)
        if (FColumns->Items(I)->AutoSize()) AutoSizeColumn(I);
}

TCanvas* TZazUruDava::MeasureCanvas() const {
    auto* Form = dynamic_cast<TCustomForm*>(Parent());
    return Form ? Form->Canvas() : nullptr;
}

void TZazUruDava::AutoSizeColumn(Integer Index) {
    if (Index < 0 || Index >= FColumns->Count() || !FColumns->Items(Index)->AutoSize()) return;
    if (!UnderPopupForm() || !FKelDropDown || FKelDropDown->Items()->Count() == 0) return;
    TCanvas* C = MeasureCanvas();
    if (!C) return;
    TDropDownColumn* Column = FColumns->Items(Index);
    C->Font()->Assign(Column->Font());
    auto TextWidth = [C](const String& Text) {
        TSize Size{0, 0};
        MeasureText(C, Text, Size);
        return Integer(Size.cx);
    };
    Integer Width = Column->Header().empty() ? 0 : TextWidth(Column->Header()) + 6;
    const TDropDownItems* Items = FKelDropDown->Items();
    for (Integer R = 1; R < RowCount() && R - 1 < Items->Count(); ++R) {
        const TDropDownItem* Item = Items->Items(R - 1);
        const String Text = Item->Column(Index);
        const Integer Image = Column->ColumnType() == ctImage ? Item->ImageIndex() : -1;
        Integer Cell = Image >= 0 && FImages ? FImages->Width() + 4 : 0;
        if (!Text.empty()) Cell += TextWidth(Text) + 6;
        Width = std::max(Width, Cell);
    }
    Column->SetWidth(Width);
    SetColWidths(Index, Width);
}

void TZazUruDava::FitWordWrapRows() {
    bool Wrapping = false;
    for (Integer I = 0; I < FColumns->Count(); ++I)
        Wrapping = Wrapping || FColumns->Items(I)->Wordwrap();
    if (!Wrapping || !UnderPopupForm() || !FKelDropDown) return;
    TCanvas* C = MeasureCanvas();
    if (!C) return;
    const TDropDownItems* Items = FKelDropDown->Items();
    for (Integer R = 1; R < RowCount() && R - 1 < Items->Count(); ++R) {
        const TDropDownItem* Item = Items->Items(R - 1);
        Integer H = 24;
        for (Integer Col = 0; Col < ColCount() && Col < FColumns->Count(); ++Col) {
            const TDropDownColumn* Column = FColumns->Items(Col);
            if (!Column->Wordwrap()) continue;
            Integer Cell = Column->ColumnType() == ctImage && Item->ImageIndex() >= 0 && FImages
                               ? FImages->Height() + 6
                               : 0;
            const String Text = Item->Column(Col);
            if (!Text.empty()) {
                C->Font()->Assign(Column->Font());
                TRect Box{0, 0, ColWidths(Col), 500};
                DrawText(C->Handle(), Text, Box,
                          DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
                Cell = std::max(Cell, Integer(Box.Height()) + 6);
            }
            H = std::max(H, Cell);
        }
        const Integer RowHeight = FKelDropDown->DropDownRowHeight();
        if (RowHeight > 0 && RowHeight < H) SetRowHeights(R, H);
    }
}

void TZazUruDava::DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) {
    TZuvEdiraRareriVavuRaze* Owner = FKelDropDown;
    TCanvas* C = Canvas();
    if (Owner && Owner->OnDropDownDrawItem) {
        Owner->OnDropDownDrawItem(Owner, ACol, ARow, C, ARect);
        return;
    }
    const bool Selected = AState.Contains(gdSelected);
    const bool Fixed = ARow < FixedRows();
    const Integer Part = ColCount() == 1 ? 0 : ACol == 0 ? 1 : ACol == ColCount() - 1 ? 2 : 3;
    TRect R = CellBounds(ACol, ARow);
    if (R.IsEmpty()) R = ARect;
    String Text = Cells(ACol, ARow);
    Integer ImageIndex = -1;
    TColor Background = Color();
    TAlignment Alignment = taLeftJustify;
    bool Wrap = false, Ellipsis = false;
    const TDropDownColumn* Column = ACol < FColumns->Count() ? FColumns->Items(ACol) : nullptr;
    if (Column) {
        Background = Column->Color();
        Alignment = Column->Alignment();
        Wrap = Column->Wordwrap();
        Ellipsis = Column->Ellipsis();
        C->Font()->Assign(Column->Font());
        if (!Fixed && Owner && ARow - 1 < Owner->Items()->Count()) {
            const TDropDownItem* Item = Owner->Items()->Items(ARow - 1);
            if (Column->ColumnType() == ctImage) ImageIndex = Item->ImageIndex();
            if (ACol < Item->Text()->Count()) Text = Item->Text()->Strings(ACol);
        }
    } else {
        C->Font()->Assign(FHeaderFont.get());
    }
    if (Owner && Owner->OnDropDownGetItemText) Owner->OnDropDownGetItemText(Owner, ACol, ARow, Text);

    if (!Fixed) {
        if (!Selected) {
            C->Pen()->SetColor(Background);
            C->Pen()->SetWidth(1);
            C->Brush()->SetStyle(bsSolid);
            C->Brush()->SetColor(Background);
            C->Rectangle(R);
        } else if (Owner) {
            Owner->DrawSelection(C, R, Part, Background);
        } else {
            C->Brush()->SetStyle(bsSolid);
            C->Brush()->SetColor(clActiveCaption);
            C->FillRect(R);
        }
    } else {
        Text = Column ? Column->Header() : String();
        ImageIndex = -1;
        if (FHeaderColor == clNone || FHeaderColorTo == clNone) {
            C->Brush()->SetStyle(bsSolid);
            C->Brush()->SetColor(FHeaderColor);
            C->FillRect(R);
        } else if (Owner) {
            Owner->DrawHeaderGradient(C, FHeaderColor, FHeaderColorTo, R);
        } else {
            DrawBandedGradient(C, FHeaderColor, FHeaderColorTo, 80, R, false);
        }
    }

    // Lines.
    const TGridOptions O = Options();
    Integer Offset;
    if (!Fixed) {
        if (FGridLineWidth > 0) C->Pen()->SetColor(FLineColor);
        C->Pen()->SetWidth(FGridLineWidth);
        Offset = (FGridLineWidth + 1) / 2;
    } else {
        C->Pen()->SetColor(FFixedLineColor);
        C->Pen()->SetWidth(1);
        Offset = 1;
    }
    const bool Horizontal = Fixed ? O.Contains(goFixedHorzLine) : O.Contains(goHorzLine);
    const bool Vertical = Fixed ? O.Contains(goFixedVertLine) : O.Contains(goVertLine);
    if ((Fixed || FGridLineWidth > 0) && Horizontal) {
        C->MoveTo(R.Left - Offset + 1, R.Bottom - Offset);
        C->LineTo(R.Right - Offset + 1, R.Bottom - Offset);
    }
    if ((Fixed || FGridLineWidth > 0) && Vertical) {
        const Integer X = UseRightToLeftReading() ? R.Right - Offset + 1 : R.Right - Offset;
        C->MoveTo(X, R.Bottom - Offset);
        C->LineTo(X, R.Top - Offset);
    }
    C->Pen()->SetWidth(1);

    InflateRect(R, -FGridLineWidth, -FGridLineWidth);
    TRect TextRect = R;
    TextRect.Left += 2;
    if (Owner && Owner->Images() && ImageIndex >= 0) {
        TCustomImageList* List = Owner->Images();
        const Integer Y = List->Height() < R.Height() ? R.Top + (R.Height() - List->Height()) / 2 : R.Top;
        List->Draw(C, R.Left + 2, Y, ImageIndex, true);
        TextRect.Left = R.Left + List->Width() + 4;
    }
    if (Text.empty()) return;
    C->Brush()->SetStyle(bsClear);
    if (Selected && Owner && !Fixed) C->Font()->SetColor(Owner->SelectionTextColor());
    if (Fixed) C->Font()->Assign(FHeaderFont.get());
    UINT Flags = DT_EXPANDTABS | DT_NOPREFIX | DT_VCENTER;
    Flags |= Wrap ? UINT(DT_WORDBREAK | DT_EDITCONTROL) : UINT(DT_SINGLELINE);
    Flags |= Alignment == taCenter ? UINT(DT_CENTER) : Alignment == taRightJustify ? UINT(DT_RIGHT) : UINT(DT_LEFT);
    if (Ellipsis) Flags |= DT_END_ELLIPSIS;
    DrawText(C->Handle(), Text, TextRect, Flags);
    C->Brush()->SetStyle(bsSolid);
}

void TZazUruDava::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    FConfirmSelection = true;
    TStringGrid::MouseDown(Button, Shift, X, Y);
}

void TZazUruDava::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TStringGrid::MouseUp(Button, Shift, X, Y);
    Integer Col = -1, Row = -1;
    MouseToCell(X, Y, Col, Row);
    if (Row >= FixedRows()) DoSelect();
}

void TZazUruDava::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    TStringGrid::MouseMove(Shift, X, Y);
    if (!FHoverSelect) return;
    Integer Col = -1, Row = -1;
    MouseToCell(X, Y, Col, Row);
    if (Col >= FixedCols() && Row >= FixedRows() && (Col != this->Col() || Row != this->Row())) {
        SetCol(Col);
        SetRow(Row);
    }
}

bool TZazUruDava::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    FMouseWheelSelection = true;
    FConfirmSelection = false;
    const bool Result = TStringGrid::DoMouseWheelDown(Shift, MousePos);
    FMouseWheelSelection = false;
    return Result;
}

bool TZazUruDava::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    FMouseWheelSelection = true;
    FConfirmSelection = false;
    const bool Result = TStringGrid::DoMouseWheelUp(Shift, MousePos);
    FMouseWheelSelection = false;
    return Result;
}

void TZazUruDava::KeyDown(Word& Key, TShiftState Shift) {
    FConfirmSelection = true;
    if ((Key == VK_UP || Key == VK_DOWN) && Shift.Contains(ssAlt)) {
        if (FKelDropDown && FKelDropDown->HandleAllocated())
            SendMessage(FKelDropDown->Handle(), WM_KEYDOWN, Key, 0);
        return;
    }
    const Word Pressed = Key;
    TStringGrid::KeyDown(Key, Shift);
    if (Pressed == VK_RETURN) DoSelect();
}

void TZazUruDava::WndProc(TMessage& Message) {
    if (Message.Msg == WM_GETDLGCODE) {
        Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB;
        return;
    }
    if (Message.Msg != WM_LBUTTONDOWN) {
        TStringGrid::WndProc(Message);
        return;
    }
    Integer Col = -1, Row = -1;
    MouseToCell(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam), Col, Row);
    // A cell only partly in view (the click scrolls it in): no drag
    // selection starts from it.
    const bool Partial = Row == TopRow() + VisibleRowCount() || Col == LeftCol() + VisibleColCount() ||
                         (Col == LeftCol() && LeftCol() > FixedCols());
    TStringGrid::WndProc(Message);
    if (Partial && GridState() == gsSelecting) SetGridState(gsNormal);
}

// ---- The drop-down ----

const TClassInfo& TZuvEdiraRareriVavuRaze::StaticClassInfo() {
    using C = TZuvEdiraRareriVavuRaze;
    static const TClassInfo Info =
        TClassBuilder<C, TKelCustomDropDown>()
            .Property(u"CaseSensitive", &C::CaseSensitive, &C::SetCaseSensitive)
            .Default(false)
            .Property(u"DropDownAutoWidth", &C::DropDownAutoWidth, &C::SetDropDownAutoWidth)
            .Default(true)
            .Property(u"DropDownRowHeight", &C::DropDownRowHeight, &C::SetDropDownRowHeight)
            .Default(22)
            .Property(u"LineColor", &C::LineColor, &C::SetLineColor)
            .Default(0x808080)
            .Property(u"FixedLineColor", &C::FixedLineColor, &C::SetFixedLineColor)
            .Property(u"ColumnSizing", &C::ColumnSizing, &C::SetColumnSizing)
            .Default(false)
            .Property(u"ColumnSizeWithDropDown", &C::ColumnSizeWithDropDown, &C::SetColumnSizeWithDropDown)
            .Default(true)
            .Property(u"Columns", &C::Columns, &C::SetColumns)
            .Property(u"HeaderColor", &C::HeaderColor, &C::SetHeaderColor)
            .Property(u"HeaderColorTo", &C::HeaderColorTo, &C::SetHeaderColorTo)
            .Property(u"HeaderHeight", &C::HeaderHeight, &C::SetHeaderHeight)
            .Property(u"HeaderFont", &C::HeaderFont, &C::SetHeaderFont)
            .Property(u"HoverSelect", &C::HoverSelect, &C::SetHoverSelect)
            .Default(false)
            .Property(u"LookupColumn", &C::LookupColumn, &C::SetLookupColumn)
            .Default(0)
            .Property(u"LookupIncr", &C::LookupIncr, &C::SetLookupIncr)
            .Default(false)
            .Property(u"SelectionTextColor", &C::SelectionTextColor, &C::SetSelectionTextColor)
            .Default(0)
            .Property(u"Items", &C::Items, &C::SetItems)
            .Property(u"ItemIndex", &C::ItemIndex, &C::SetItemIndex)
            .Build();
    return Info;
}

TZuvEdiraRareriVavuRaze::TZuvEdiraRareriVavuRaze(TComponent* AOwner)
    : TKelCustomDropDown(AOwner), FItems(std::make_unique<TDropDownItems>(this)),
      FColumns(std::make_unique<TDropDownColumns>(this)), FHeaderFont(std::make_unique<TFont>()),
      FLookupItems(std::make_unique<TStringList>()) {
    FColumnSizing = false;
    FLookupColumn = 0;
    FHeaderColorTo = 0x808080;
    FHeaderColor = 0xFFFFFF;
    FHeaderHeight = 25;
    FLineColor = 0xC0C0C0;
    FDropDownColor = 0xFFFFFF;
    SetDropDownHeight(200);
    FItemIndex = -1;
    FOldItemIndex = -1;
    SetAutoSelect(true);
    FItemChange = false;
    FDropDownAutoWidth = true;
    SetSelectionColorStyle(scOffice2007);
    FSelectionTextColor = 0;
    FColumnSizeWithDropDown = true;
    FDropDownRowHeight = 22;
}

TZuvEdiraRareriVavuRaze::~TZuvEdiraRareriVavuRaze() = default;

void TZuvEdiraRareriVavuRaze::Assign(const TPersistent* Source) {
    TKelCustomDropDown::Assign(Source);
    const auto* Other = dynamic_cast<const TZuvEdiraRareriVavuRaze*>(Source);
    if (!Other) return;
    FCaseSensitive = Other->FCaseSensitive;
    FDropDownAutoWidth = Other->FDropDownAutoWidth;
    FDropDownRowHeight = Other->FDropDownRowHeight;
    FLineColor = Other->FLineColor;
    FFixedLineColor = Other->FFixedLineColor;
    FColumnSizing = Other->FColumnSizing;
    FColumnSizeWithDropDown = Other->FColumnSizeWithDropDown;
    FColumns->Assign(Other->FColumns.get());
    FHeaderColor = Other->FHeaderColor;
    FHeaderColorTo = Other->FHeaderColorTo;
    FHeaderHeight = Other->FHeaderHeight;
    FHeaderFont->Assign(Other->FHeaderFont.get());
    FLookupColumn = Other->FLookupColumn;
    FSelectionTextColor = Other->FSelectionTextColor;
    FItems->Assign(Other->FItems.get());
    FItemIndex = Other->FItemIndex;
}

void TZuvEdiraRareriVavuRaze::Loaded() {
    TKelCustomDropDown::Loaded();
    BuildLookupList();
}

bool TZuvEdiraRareriVavuRaze::ListOpen() const {
    return FZazUruDava && FDropDownForm && FDropDownForm->Visible();
}

String TZuvEdiraRareriVavuRaze::Folded(const String& Text) const {
    return FCaseSensitive ? Text : AnsiUpperCase(Text);
}

// ---- Items and the lookup list ----

void TZuvEdiraRareriVavuRaze::WriteItemIndex(Integer Value) {
    if (Value >= FItems->Count()) return;
    FItemIndex = Value;
    String Text;
    if (Value >= 0 && FLookupColumn >= 0) Text = FItems->Items(Value)->Column(FLookupColumn);
    WriteText(Text);
}

void TZuvEdiraRareriVavuRaze::WriteLookupColumn(Integer Value) {
    FLookupItems->Clear();
    FLookupColumn = Value;
    BuildLookupList();
}

void TZuvEdiraRareriVavuRaze::BuildLookupList() {
    // Cleared in every case, so that no entry outlives the items it named.
    FLookupItems->Clear();
    if (FLookupColumn < 0 || FItems->Count() == 0) return;
    for (Integer I = 0; I < FItems->Count(); ++I)
        FLookupItems->Add(FItems->Items(I)->Column(FLookupColumn));
}

Integer TZuvEdiraRareriVavuRaze::GetItemIndex(const String& Value) const {
    if (FLookupColumn < 0) return -1;
    for (Integer I = 0; I < FItems->Count(); ++I)
        if (FItems->Items(I)->Column(FLookupColumn) == Value) return I;
    return -1;
}

void TZuvEdiraRareriVavuRaze::ChangeIndex(Integer Value) {
    WriteItemIndex(Value);
    if (OnSelect) OnSelect(this);
}

void TZuvEdiraRareriVavuRaze::SelectFirstItem() {
    if (FItems->Count() == 0) return;
    if (FItemIndex != 0) ChangeIndex(0);
}

void TZuvEdiraRareriVavuRaze::SelectLastItem() {
    const Integer N = FItems->Count();
    if (N == 0) return;
    if (FItemIndex + 1 != N) ChangeIndex(N - 1);
}

void TZuvEdiraRareriVavuRaze::SelectNextItem() {
    const Integer N = FItems->Count();
    if (N == 0) return;
    if (FItemIndex < 0)
        ChangeIndex(0);
    else if (FItemIndex + 1 < N)
        ChangeIndex(FItemIndex + 1);
}

void TZuvEdiraRareriVavuRaze::SelectPreviousItem() {
    if (FItems->Count() == 0) return;
    if (FItemIndex < 0)
        ChangeIndex(0);
    else if (FItemIndex - 1 >= 0)
        ChangeIndex(FItemIndex - 1);
}

void TZuvEdiraRareriVavuRaze::PageDownItems() {
    const Integer N = FItems->Count();
    if (N == 0) return;
    if (FItemIndex < 0) {
        ChangeIndex(0);
        return;
    }
    const Integer Target = std::min(FItemIndex + 10, N - 1);
    if (Target != FItemIndex) ChangeIndex(Target);
}

void TZuvEdiraRareriVavuRaze::PageUpItems() {
    if (FItems->Count() == 0) return;
    if (FItemIndex < 0) {
        ChangeIndex(0);
        return;
    }
    const Integer Target = std::max(FItemIndex - 10, 0);
    if (Target != FItemIndex) ChangeIndex(Target);
}

void TZuvEdiraRareriVavuRaze::MoveToNextItem() {
    TKelCustomDropDown::MoveToNextItem();
    SelectNextItem();
}

void TZuvEdiraRareriVavuRaze::MoveToPreviousItem() {
    TKelCustomDropDown::MoveToPreviousItem();
    SelectPreviousItem();
}

// ---- Keys ----

void TZuvEdiraRareriVavuRaze::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SETFOCUS:
        FOrgIndex = -1;
        FOpenedSinceFocus = false;
        TKelCustomDropDown::WndProc(Message);
        return;
    case WM_CHAR:
        if (Char(Message.WParam) >= 32) FKeyChars += Char(Message.WParam);
        TKelCustomDropDown::WndProc(Message);
        return;
    case WM_KEYDOWN: {
        FKeyChars.clear();
        const Word Key = Word(Message.WParam);
        TKelCustomDropDown::WndProc(Message);
        if (!Enabled() || KeyHeld(VK_MENU) || ReadOnly()) return;
        switch (Key) {
        case VK_PRIOR: PageUpItems(); break;
        case VK_NEXT: PageDownItems(); break;
        case VK_END:
            if (!FEditorEnabled) SelectLastItem();
            break;
        case VK_HOME:
            if (!FEditorEnabled) SelectFirstItem();
            break;
        case VK_UP: SelectPreviousItem(); break;
        case VK_DOWN: SelectNextItem(); break;
        default: break;
        }
        return;
    }
    default: TKelCustomDropDown::WndProc(Message); return;
    }
}

void TZuvEdiraRareriVavuRaze::KeyDown(Word& Key, TShiftState Shift) {
    if (FLookupColumn < 0 || FItems->Count() == 0) {
        TKelCustomDropDown::KeyDown(Key, Shift);
        return;
    }
    if (Key == VK_BACK || Key == VK_ESCAPE || Key == VK_DELETE) FLookupStr.clear();
    if (Key == VK_RETURN) {
        if (!ReadOnly()) {
            const Integer Index = FLookupItems->IndexOf(ReadText());
            if (Index >= 0) {
                WriteText(FLookupItems->Strings(Index));
                WriteItemIndex(Index);
                Change();
            }
        }
        if (FReturnIsTab) {
            if (HandleAllocated()) PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
            Key = 0;
        }
    }
    TKelCustomDropDown::KeyDown(Key, Shift);
    // Escape restores the index of the opening only when the pop-up was
    // opened since the edit got the focus.
    if (Key == VK_ESCAPE && FOpenedSinceFocus) WriteItemIndex(FOrgIndex);
}

void TZuvEdiraRareriVavuRaze::KeyPress(Char& Key) {
    if (Key == Char(VK_RETURN) && FReturnIsTab) {
        Key = 0;
        return;
    }
    TKelCustomDropDown::KeyPress(Key);
}

void TZuvEdiraRareriVavuRaze::KeyUp(Word& Key, TShiftState Shift) {
    if (!(Key == VK_RETURN && FReturnIsTab)) TKelCustomDropDown::KeyUp(Key, Shift);
    // A completion never waits for a later key.
    FItemChange = false;
    const String KeyChars = FKeyChars;
    FKeyChars.clear();
    if (Key == VK_BACK) return;
    const String Text = ReadText();
    MarkModified(!Text.empty());
    if (FLookupColumn < 0) return;

    String Prefix, Typed;
    if (FLookupIncr && Key > 31) {
        if (KeyChars.empty())
            FLookupStr.clear();
        else
            FLookupStr += KeyChars;
        Prefix = FLookupStr;
    } else {
        FLookupStr.clear();
        const Integer Caret = std::clamp(SelStart(), 0, Integer(Text.size()));
        Typed = Text.substr(0, size_t(Caret));
        Prefix = Typed;
    }
    // Only a key that produced a character completes, and only a non-empty
    // prefix: Home, an arrow or cutting all text leave the text alone.
    if (KeyChars.empty() || Prefix.empty()) return;
    const String Search = Folded(Prefix);
    for (Integer I = 0; I < FLookupItems->Count(); ++I) {
        const String& Entry = FLookupItems->Strings(I);
        if (!StartsWith(Folded(Entry), Search)) continue;
        const String Head = Text.substr(0, std::min(Prefix.size(), Text.size()));
        const String Tail = Entry.size() > Prefix.size() ? Entry.substr(Prefix.size(), 255) : String();
        FItemIndex = I;
        FItemIdx = I;
        FItemSel = Integer(Prefix.size());
        WriteText(Head + Tail);
        FLookupEntry = ReadText();
        SetSelStart(FItemSel);
        SetSelLength(Integer(FLookupEntry.size()) - FItemSel);
        if (FZazUruDava && I + 1 < FZazUruDava->RowCount()) {
            TFlagSet Showing(FShowing);
            FZazUruDava->SetRow(I + 1);
        }
        return;
    }
    if (!Typed.empty()) {
        if (Typed != Text) WriteText(Typed);
        SetSelStart(Integer(Typed.size()));
        SetSelLength(0);
    }
}

void TZuvEdiraRareriVavuRaze::Change() {
    FItemChange = false;
    TKelCustomDropDown::Change();
}

// ---- Keys from the list ----

void TZuvEdiraRareriVavuRaze::ForwardControlKeyDown(TObject* Sender, Word& Key, TShiftState Shift) {
    const bool Navigation = Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
    if (!Navigation || Shift.Contains(ssAlt)) TKelCustomDropDown::ForwardControlKeyDown(Sender, Key, Shift);
    if (Key == VK_TAB) {
        Key = 0;
        HideDropDown(false);
        SelectAll();
    }
}

void TZuvEdiraRareriVavuRaze::ForwardControlKeyUp(TObject* Sender, Word& Key, TShiftState Shift) {
    const bool Navigation = Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
    if (!Navigation || Shift.Contains(ssAlt)) TKelCustomDropDown::ForwardControlKeyUp(Sender, Key, Shift);
}

void TZuvEdiraRareriVavuRaze::ForwardControlKeyPress(TObject*, Char& Key) {
    // Only Enter and Escape are special here; every other character looks
    // an item up.
    const bool Special = Key == Char(VK_RETURN) || Key == Char(VK_ESCAPE);
    if (FZazUruDava && (!Special || KeyHeld(VK_MENU)) && !FZazUruDava->Options().Contains(goEditing)) {
        const Integer R = LookupEntryKey(Key);
        if (R >= 0) {
            const Integer Row = R + FZazUruDava->FixedRows();
            if (Row < FZazUruDava->RowCount()) {
                if (Row < FZazUruDava->TopRow() || Row > FZazUruDava->TopRow() + FZazUruDava->VisibleRowCount())
                    FZazUruDava->SetTopRow(Row);
                FZazUruDava->SetRow(Row);
                FZazUruDava->SetCol(0);
            }
            return;
        }
    }
    FLookupEntry.clear();
}

bool TZuvEdiraRareriVavuRaze::FindLookupPrefix(const String& S, String& Text, Integer& Index) const {
    if (!FZazUruDava || S.empty() || FLookupColumn < 0) return false;
    const String Search = Folded(S);
    for (Integer I = 0; I < FItems->Count(); ++I) {
        // An item without a lookup-column string counts as empty.
        const String Entry = FItems->Items(I)->Column(FLookupColumn);
        if (StartsWith(Folded(Entry), Search)) {
            Text = Entry;
            Index = I;
            return true;
        }
    }
    return false;
}

Integer TZuvEdiraRareriVavuRaze::LookupEntryKey(Char Key) {
    if (Key == Char(VK_BACK)) {
        if (SelLength() == 0) {
            if (!FLookupEntry.empty()) FLookupEntry.pop_back();
            WriteText(FLookupEntry);
        } else {
            String Text = ReadText();
            const Integer Start = std::clamp(SelStart(), 0, Integer(Text.size()));
            Text.erase(size_t(Start), size_t(SelLength()));
            WriteText(Text);
        }
        SetSelStart(Integer(ReadText().size()));
        return -1;
    }
    if (Key != Char(VK_TAB)) FLookupEntry += Key;
    String Text;
    Integer Index = -1;
    if (FindLookupPrefix(FLookupEntry, Text, Index)) {
        FItemIndex = Index;
        WriteText(Text);
        SetSelStart(Integer(FLookupEntry.size()));
        SetSelLength(Integer(Text.size()) - Integer(FLookupEntry.size()));
        return Index;
    }
    if (FindLookupPrefix(String(1, Key), Text, Index)) {
        FItemIndex = Index;
        WriteText(Text);
        FLookupEntry = String(1, Key);
        return Index;
    }
    FLookupEntry.clear();
    return -1;
}

// ---- The pop-up ----

void TZuvEdiraRareriVavuRaze::CreateDropDownForm() {
    TKelCustomDropDown::CreateDropDownForm();
    if (!FDropDownForm || FZazUruDava) return;
    FDropDownForm->SetAutoScroll(false);
    FZazUruDava = Create<TZazUruDava>(this);
    FZazUruDava->SetDropDown(this);
    FZazUruDava->SetParent(FDropDownForm);
    FZazUruDava->SetBounds(0, 0, FZazUruDava->Width(), 180);
    FZazUruDava->SetColor(FDropDownColor);
    FZazUruDava->SetDoubleBuffered(true);
}

void TZuvEdiraRareriVavuRaze::DoBeforeDropDown() {
    TKelCustomDropDown::DoBeforeDropDown();
    if (FDropDownForm) FDropDownForm->SetCancelOnDeActivate(false);
    FShowing = true;
    if (FZazUruDava) {
        FZazUruDava->LoadFromDropDown(this);
        TGridOptions Options = FZazUruDava->Options();
        Options.Include(goThumbTracking);
        FZazUruDava->SetOptions(Options);
        FZazUruDava->SetColor(FDropDownColor);
        FZazUruDava->OnSelectCell = [this](TObject* Sender, Integer ACol, Integer ARow, bool& CanSelect) {
            ListSelectCell(Sender, ACol, ARow, CanSelect);
        };
        FZazUruDava->OnSelect = [this](TObject* Sender) { ListSelect(Sender); };
        const Integer Row = FItemIndex + 1;
        FZazUruDava->SetRow(Row >= 1 && Row < FZazUruDava->RowCount() ? Row : 1);
    }
    FOldItemIndex = FItemIndex;
}

void TZuvEdiraRareriVavuRaze::DoShowDropDown() {
    if (!Enabled() || ReadOnly()) return;
    FOrgIndex = FItemIndex;
    TKelCustomDropDown::DoShowDropDown();
    if (ListOpen()) FOpenedSinceFocus = true;
    if (FZazUruDava) {
        FZazUruDava->SetHoverSelect(FHoverSelect);
        SizeColumns();
        if (FZazUruDava->RowCount() > 1) {
            Integer Row = FItemIndex + 1;
            if (FItemIndex < 0 || Row >= FZazUruDava->RowCount()) Row = 1;
            {
                TFlagSet Showing(FShowing);
                FZazUruDava->SetRow(Row);
            }
            if (FZazUruDava->CellBounds(0, Row).IsEmpty())
                FZazUruDava->SetTopRow(std::max(Row - FZazUruDava->VisibleRowCount() + 1, 1));
        }
    }
    FShowing = false;
}

void TZuvEdiraRareriVavuRaze::AdjustDropDownHeight(Integer& Height) {
    if (FDropDownSizeable || FDropDownRowHeight <= 0) return;
    Integer Bars = 0;
    if (FDropDownHeader->Visible()) Bars += FDropDownHeader->Height();
    if (FDropDownFooter->Visible()) Bars += FDropDownFooter->Height();
    const Integer H = Height - Bars;
    Height = (H - FHeaderHeight - 2) / FDropDownRowHeight * FDropDownRowHeight + Bars + FHeaderHeight + 2;
}

void TZuvEdiraRareriVavuRaze::PlaceDropDownControl() {
    if (FZazUruDava && FControl != FZazUruDava) SetControl(FZazUruDava);
    TKelCustomDropDown::PlaceDropDownControl();
}

void TZuvEdiraRareriVavuRaze::AdaptDropDownSize() {
    TKelCustomDropDown::AdaptDropDownSize();
    if (!FDropDownAutoWidth || !FDropDownForm || !FZazUruDava) return;
    FZazUruDava->SetAlign(alNone);
    FZazUruDava->SetWidth(FZazUruDava->TotalWidth());
    FDropDownForm->SetWidth(FZazUruDava->Width() + 2 * FDropDownBorderWidth);
    FZazUruDava->SetAlign(alClient);
}

void TZuvEdiraRareriVavuRaze::DropDownResized() {
    TKelCustomDropDown::DropDownResized();
    SizeColumns();
}

void TZuvEdiraRareriVavuRaze::SizeColumns() {
    if (!FColumnSizeWithDropDown || !FZazUruDava || !FDropDownForm) return;
    FZazUruDava->SetScrollBars(ssVertical);
    const TDropDownColumns* Columns = FZazUruDava->Columns();
    if (Columns->Count() == 0) return;
    Integer Total = 1;
    for (Integer I = 0; I < Columns->Count(); ++I)
        Total += Columns->Items(I)->Width();
    Integer Avail = FDropDownForm->Width();
    if (FZazUruDava->VisibleRowCount() + FZazUruDava->FixedRows() != FZazUruDava->RowCount())
        Avail -= GetSystemMetrics(SM_CXVSCROLL);
    const Double F = Double(Avail) / Total;
    Double Carry = 0;
    for (Integer I = 0; I < FZazUruDava->ColCount() && I < Columns->Count(); ++I) {
        const Double Share = F * Columns->Items(I)->Width();
        const Integer W = RoundToInt(Share);
        Carry += Share - W;
        if (Carry > 1) {
            FZazUruDava->SetColWidths(I, W + 1);
            Carry -= 1;
        } else {
            FZazUruDava->SetColWidths(I, W);
        }
    }
}

void TZuvEdiraRareriVavuRaze::DoHideDropDown(bool Cancel) {
    if (!FDropDownForm || !FDropDownForm->Visible()) {
        TKelCustomDropDown::DoHideDropDown(Cancel);
        return;
    }
    TKelCustomDropDown::DoHideDropDown(Cancel);
    if (!Cancel) {
        if (FZazUruDava && FZazUruDava->ConfirmSelection()) WriteItemIndex(FZazUruDava->Row() - 1);
        FOldItemIndex = FItemIndex;
    } else if (FItemIndex != FOldItemIndex) {
        WriteItemIndex(FOldItemIndex);
    }
}

void TZuvEdiraRareriVavuRaze::ListSelectCell(TObject*, Integer ACol, Integer ARow, bool&) {
    if (!FZazUruDava->MouseWheelSelection() && !FShowing) WriteItemIndex(ARow - 1);
    if (OnDropDownCellClick) {
        const Integer Item = ARow - FZazUruDava->FixedRows();
        const String Value = Item >= 0 && Item < FItems->Count() ? FItems->Items(Item)->Column(ACol) : String();
        OnDropDownCellClick(this, ACol, ARow, Value);
    }
}

void TZuvEdiraRareriVavuRaze::ListSelect(TObject*) {
    if (FZazUruDava->ConfirmSelection()) WriteItemIndex(FZazUruDava->Row() - 1);
    HideDropDown(false);
    if (OnSelect) OnSelect(this);
}

void TZuvEdiraRareriVavuRaze::DrawHeaderGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor,
                                                 const TRect& Rect) {
    DrawGradientFill(Canvas, FromColor, ToColor, 80, Rect, false);
}

// ---- Looks ----

void TZuvEdiraRareriVavuRaze::SetSelectionColorStyle(TSelectionColorStyle Value) {
    if (Value == scOffice2007) {
        FLineColor = 0xF1EDEB;
        FFixedLineColor = 0xD1BBA4;
        FSelectionColor = 0x5EC1F1;
    } else if (Value == scWindowsVista || Value == scWindows7) {
        FSelectionColor = 0xEACAB6;
        FLineColor = 0xECECF0;
        FFixedLineColor = 0xD4D2D1;
    }
    TKelCustomDropDown::SetSelectionColorStyle(Value);
}

void TZuvEdiraRareriVavuRaze::DoSetComponentStyle(TKelStyle AStyle) {
    SetSelectionColorStyle(scCustom);
    TKelCustomDropDown::DoSetComponentStyle(AStyle);
    constexpr TColor None = clNone;
    struct Row {
        TKelStyle Style;
        TColor Header, HeaderTo, HeaderFont, Line, FixedLine;
        // Either a preset style or one selection colour (None: preset).
        bool Preset;
        TSelectionColorStyle PresetStyle;
        TColor Selection, SelectionText;
    };
    static const Row Rows[] = {
        {tsOffice2003Blue, 0xD68759, 0x933803, 0xFFFFFF, 0x962D00, 0x962D00, true, scOffice2007, None, 0},
        {tsOffice2003Silver, 0xBDA4A5, 0x957475, None, 0x947C7C, 0x947C7C, true, scOffice2007, None, 0},
        {tsOffice2003Olive, 0x82C0AF, 0x447A63, None, 0x588060, 0x588060, true, scOffice2007, None, 0},
        {tsOffice2003Classic, 0x808080, 0x808080, None, 0x808080, 0x808080, true, scOffice2007, None, 0},
        {tsOffice2007Luna, 0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF, 0xFFD2AF, true, scOffice2007, None, 0},
        {tsOffice2007Obsidian, 0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C, 0x5C534C, true, scOffice2007, None, 0},
        {tsWindowsXP, clBtnFace, clBtnFace, 0, 0xC0C0C0, 0, false, scCustom, clHighlight, clHighlightText},
        {tsWhidbey, 0xEBEEEF, 0x7E9898, 0xFFFFFF, 0x962D00, 0x962D00, true, scOffice2007, None, 0},
        {tsOffice2007Silver, 0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F, 0x74706F, true, scOffice2007, None, 0},
        {tsWindowsVista, 0xFFFDF9, 0xFFFAF0, 0, 0xFCF2DA, 0xFCF2DA, true, scWindowsVista, None, 0},
        {tsWindows7, 0xFDFBFA, 0xFDF3EB, 0, 0xFBD6B8, 0xFBD6B8, true, scWindows7, None, 0},
        {tsTerminal, clBtnFace, clBtnFace, 0, 0x808080, 0x808080, false, scCustom, clHighlight, clHighlightText},
        {tsOffice2010Blue, 0xEDDBCD, None, 0x5B391E, 0xEEDDCF, 0xEEDDCF, false, scCustom, 0x6CD0FF, 0},
        {tsOffice2010Silver, 0xEDE9E5, None, 0x5B391E, 0xEEDDCF, 0xEEDDCF, false, scCustom, 0x6CD0FF, 0},
        {tsOffice2010Black, 0x828282, None, 0xD7D7D6, 0xEEDDCF, 0xEEDDCF, false, scCustom, 0x6CD0FF, 0},
        {tsWindows8, 0xF7F6F5, None, 0, 0xE4E3E2, 0xE4E3E2, false, scCustom, 0xF7E0C9, 0},
        {tsOffice2013White, 0xFFFFFF, None, 0, 0xD4D4D4, 0xD4D4D4, false, scCustom, 0xFCE2C8, 0},
        {tsOffice2013LightGray, 0xF6F6F6, None, 0, 0xC6C6C6, 0xC6C6C6, false, scCustom, 0xFCE2C8, 0},
        {tsOffice2013Gray, 0xE5E5E5, None, 0, 0xABABAB, 0xABABAB, false, scCustom, 0xFCE2C8, 0},
        {tsWindows10, 0xF7F6F5, None, 0, 0xE4E3E2, 0xE4E3E2, false, scCustom, 0xF7E0C9, 0},
        {tsOffice2016White, 0xFFFFFF, None, 0, 0xD4D4D4, 0xD4D4D4, false, scCustom, 0xE3BDA3, 0},
        {tsOffice2016Gray, 0x444444, None, 0xF0F0F0, 0x444444, 0x444444, false, scCustom, 0xB2B2B2, 0},
        {tsOffice2016Black, 0x444444, None, 0xFFFFFF, 0x6A6A6A, 0x6A6A6A, false, scCustom, 0x444444, 0xFFFFFF},
        {tsOffice2019White, 0xFFFFFF, None, 0x444648, 0xD4D4D4, 0xABABAB, false, scCustom, 0xF2E1D5, 0x3B3B3B},
        {tsOffice2019Gray, 0x232425, None, 0xF0F0F0, 0xD4D4D4, 0x999999, false, scCustom, 0x969696, 0x232425},
        {tsOffice2019Black, 0x303132, None, 0xFFFFFF, 0xD4D4D4, 0x999999, false, scCustom, 0x505050, 0xFFFFFF},
    };
    for (const Row& R : Rows) {
        if (R.Style != AStyle) continue;
        FHeaderColor = R.Header;
        FHeaderColorTo = R.HeaderTo;
        if (R.HeaderFont != None) FHeaderFont->SetColor(R.HeaderFont);
        if (R.Preset) SetSelectionColorStyle(R.PresetStyle);
        FLineColor = R.Line;
        FFixedLineColor = R.FixedLine;
        if (!R.Preset) {
            FSelectionColor = R.Selection;
            FSelectionColorTo = R.Selection;
        }
        FSelectionTextColor = R.SelectionText;
        return;
    }
}

} // namespace ZuvEdiraRareriVavuRaze
