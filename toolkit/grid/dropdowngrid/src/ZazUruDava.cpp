// The grid drop-down's pop-up grid: filled from the control's items, sized to
// its contents, reporting a choice by Enter or a left-button release.

#include "dropdowngrid/ZedArudorIdudIvudAriz.h"

#include "dropdown/DropDownForm.h"
#include "graphics/GdiText.h"
#include "graphics/ImageList.h"
#include "rtl/ClassBuilder.h"
#include "rtl/MathUtils.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"
#include "windowing/Messages.h"
#include "windowing/SystemMetrics.h"

#include <algorithm>

using namespace winapi;

namespace ZedArudorIdudIvudAriz {

namespace {

// The item's text for a column; empty when it has fewer texts.
String ItemText(const TDropDownItem* Item, Integer Column) { return Item->Column(Column); }

// Lets go of the device context a measurement took from the pop-up form's
// canvas, so that none is held when the form's window goes with its owner.
struct TMeasureScope {
    explicit TMeasureScope(TCanvas* ACanvas) : Canvas(ACanvas) {}
    ~TMeasureScope() {
        if (auto* Control = dynamic_cast<TControlCanvas*>(Canvas)) Control->FreeHandle();
    }
    TMeasureScope(const TMeasureScope&) = delete;
    TMeasureScope& operator=(const TMeasureScope&) = delete;
    TCanvas* Canvas;
};

} // namespace

const TClassInfo& TZazUruDava::StaticClassInfo() {
    using C = TZazUruDava;
    static const TClassInfo Info = TClassBuilder<C, TZirOvararIzaz>()
                                       .Property(u"Columns", &C::Columns, &C::SetColumns)
                                       .Property(u"LineColor", &C::LineColor, &C::SetLineColor)
                                       .Default(0x808080)
                                       .Property(u"FixedLineColor", &C::FixedLineColor, &C::SetFixedLineColor)
                                       .Property(u"HeaderColor", &C::HeaderColor, &C::SetHeaderColor)
                                       .Property(u"HeaderColorTo", &C::HeaderColorTo, &C::SetHeaderColorTo)
                                       .Property(u"HeaderHeight", &C::HeaderHeight, &C::SetHeaderHeight)
                                       .Default(25)
                                       .Property(u"HeaderFont", &C::HeaderFont, &C::SetHeaderFont)
                                       .Build();
    return Info;
}

TZazUruDava::TZazUruDava(TComponent* AOwner)
    : TZirOvararIzaz(AOwner), FColumns(std::make_unique<TDropDownColumns>(this)),
      FHeaderFont(std::make_unique<TFont>()) {
    FHeaderColorTo = 0x808080;
    FHeaderColor = 0xFFFFFF;
    FLineColor = 0x808080;
    SetFixedRowAlways(true);
    SetFixedRows(1);
    SetFixedCols(0);
    FHeaderHeight = 25;
    TGridOptions O = Options();
    O.Exclude(goRangeSelect);
    O.Include(goRowSelect);
    O.Include(goHorzLine);
    SetOptions(O);
    SetParentCtl3D(false);
    SetCtl3D(false);
    SetBorderStyle(bsNone);
    FListLineWidth = 1;
    FOldRow = Row();
}

TZazUruDava::~TZazUruDava() = default;

void TZazUruDava::SetListLineWidth(Integer Value) {
    FListLineWidth = Value;
    SetGridLineWidth(0);
    Invalidate();
}

void TZazUruDava::Notification(TComponent* AComponent, TOperation Operation) {
    TZirOvararIzaz::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages && !ComponentState().Contains(csDestroying))
        FImages = nullptr;
}

bool TZazUruDava::UnderPopupForm() const { return dynamic_cast<TDropDownForm*>(Parent()) != nullptr; }

TDropDownRowItem* TZazUruDava::RowItemObject(Integer Index) {
    while (Integer(FRowItems.size()) <= Index)
        FRowItems.push_back(std::make_unique<TDropDownRowItem>(Integer(FRowItems.size())));
    return FRowItems[size_t(Index)].get();
}

Integer TZazUruDava::RowItem(Integer ARow) const {
    if (ARow < 0 || ARow >= RowCount()) return -1;
    const auto* Link = dynamic_cast<const TDropDownRowItem*>(Objects(0, ARow));
    return Link ? Link->Index : -1;
}

void TZazUruDava::ApplyDropDownSettings(TCustomKelGridDropDown* Control) {
    if (!Control) return;
    SetKelDropDown(Control);
    FColumns->Assign(Control->Columns());
    if (ColCount() < FColumns->Count()) SetColCount(FColumns->Count());
    if (Control->UseItems()) SetRowCount(Control->Items()->Count() + 1);
    for (Integer I = 0; I < FColumns->Count() && I < ColCount(); ++I)
        SetColWidths(I, FColumns->Items(I)->Width());
    FLineColor = Control->LineColor();
    FFixedLineColor = Control->FixedLineColor();
    FHeaderColor = Control->HeaderColor();
    FHeaderColorTo = Control->HeaderColorTo();
    FHeaderHeight = Control->HeaderHeight();
    FHeaderFont->Assign(Control->HeaderFont());
    FHoverRow = Control->HoverRow();
    FHoverRowColor = Control->HoverRowColor();
    FHoverRowColorTo = Control->HoverRowColorTo();
    FImages = Control->Images();
    SetDefaultRowHeight(RoundToInt(Control->DropDownRowHeight() * GetDPIScale()));
    if (RowCount() > 0) SetRowHeights(0, FHeaderHeight);
    TGridOptions O = Options();
    auto Set = [&O](TGridOption Option, bool On) {
        if (On)
            O.Include(Option);
        else
            O.Exclude(Option);
    };
    Set(goColSizing, Control->ColumnSizing());
    Set(goColMoving, Control->ColumnMoving());
    Set(goRowSizing, Control->RowSizing());
    Set(goRowMoving, Control->RowMoving());
    SetOptions(O);
    if (Control->AutoSizeColumns()) {
        if (Control->UseItems())
            AutoSizeListColumns();
        else
            TZirOvararIzaz::AutoSizeColumns(true, 4);
    }
    UpdateWordWrapHeights();
}

void TZazUruDava::FillFromItems() {
    if (!FKelDropDown) return;
    if (ColCount() != FColumns->Count() && FColumns->Count() > 0) SetColCount(FColumns->Count());
    for (Integer I = 0; I < FColumns->Count(); ++I) {
        SetCells(I, 0, FColumns->Items(I)->Header());
        SetObjects(I, 0, nullptr);
    }
    const TDropDownItems* Items = FKelDropDown->Items();
    if (Items->Count() > 0) SetRowCount(FixedRows() + Items->Count());
    for (Integer I = 0; I < Items->Count(); ++I) {
        const TDropDownItem* Item = Items->Items(I);
        for (Integer C = 0; C < ColCount(); ++C) {
            SetCells(C, I + 1, ItemText(Item, C));
            if (C < FColumns->Count() && FColumns->Items(C)->ColumnType() == ctImage && Item->ImageIndex() >= 0 &&
                GridImages())
                AddImageIdx(C, I + 1, Item->ImageIndex(), haLeft, vaCenter);
        }
        SetObjects(0, I + 1, RowItemObject(I));
    }
}

Integer TZazUruDava::GetNeededWidth() const {
    Integer W = 0;
    for (Integer I = 0; I < ColCount(); ++I)
        W += ColWidths(I);
    if (VisibleRowCount() + FixedRows() != RowCount()) W += GetSystemMetrics(SM_CXVSCROLL);
    return W;
}

void TZazUruDava::AutoSizeListColumns() {
    for (Integer I = 0; I < FColumns->Count(); ++I)
        if (FColumns->Items(I)->AutoSize()) AutoSizeColumn(I);
}

void TZazUruDava::AutoSizeColumn(Integer Index) {
    if (Index < 0 || Index >= FColumns->Count() || !FColumns->Items(Index)->AutoSize()) return;
    if (!UnderPopupForm() || !FKelDropDown) return;
    TCanvas* Canvas = static_cast<TCustomForm*>(Parent())->Canvas();
    const TMeasureScope Measuring(Canvas);
    TDropDownColumn* Column = FColumns->Items(Index);
    Canvas->Font()->Assign(Column->Font());
    const TDropDownItems* Items = FKelDropDown->Items();
    Integer Widest = 0;
    for (Integer R = 1; R < RowCount() && R - 1 < Items->Count(); ++R) {
        const TDropDownItem* Item = Items->Items(R - 1);
        const String Text = ItemText(Item, Index);
        Integer Candidate =
            Column->ColumnType() == ctImage && Item->ImageIndex() >= 0 && FImages ? FImages->Width() + 4 : 0;
        if (!Text.empty()) {
            TRect Box{0, 0, 1000, 500};
            DrawText(Canvas->Handle(), Text, Box, DT_CALCRECT | DT_SINGLELINE);
            Candidate += 6 + Box.Right;
        }
        Widest = std::max(Widest, Candidate);
    }
    Column->SetWidth(Widest);
    if (Index < ColCount()) SetColWidths(Index, Widest);
}

void TZazUruDava::UpdateWordWrapHeights() {
    bool Wrapping = false;
    for (Integer I = 0; I < FColumns->Count(); ++I)
        Wrapping = Wrapping || FColumns->Items(I)->Wordwrap();
    if (!Wrapping || !UnderPopupForm() || !FKelDropDown) return;
    TCanvas* Canvas = static_cast<TCustomForm*>(Parent())->Canvas();
    const TMeasureScope Measuring(Canvas);
    const TDropDownItems* Items = FKelDropDown->Items();
    for (Integer R = FixedRows(); R < RowCount(); ++R) {
        // A row without an item (a list the application filled) is measured
        // by its own cells.
        const TDropDownItem* Item = R - 1 < Items->Count() ? Items->Items(R - 1) : nullptr;
        Integer H = 24;
        for (Integer C = 0; C < FColumns->Count() && C < ColCount(); ++C) {
            const TDropDownColumn* Column = FColumns->Items(C);
            if (!Column->Wordwrap()) continue;
            const String Text = Item ? ItemText(Item, C) : Cells(C, R);
            Integer Candidate =
                Item && Column->ColumnType() == ctImage && Item->ImageIndex() >= 0 && FImages ? FImages->Height() + 6
                                                                                               : 0;
            if (!Text.empty()) {
                Canvas->Font()->Assign(Column->Font());
                TRect Box{0, 0, ColWidths(C), 500};
                DrawText(Canvas->Handle(), Text, Box, DT_CALCRECT | DT_WORDBREAK);
                Candidate = std::max(Candidate, 6 + Integer(Box.Bottom));
            }
            H = std::max(H, Candidate);
        }
        SetRowHeights(R, H);
    }
}

void TZazUruDava::DoSelect() {
    if (OnSelect) OnSelect(this);
}

void TZazUruDava::KeyDown(Word& Key, TShiftState Shift) {
    FConfirmSelection = true;
    if ((Key == VK_UP || Key == VK_DOWN) && Shift.Contains(ssAlt)) {
        if (FKelDropDown && FKelDropDown->HandleAllocated())
            SendMessage(FKelDropDown->Handle(), WM_KEYDOWN, Key, 0);
        return;
    }
    if (Key == VK_RETURN) {
        Key = 0;
        Word None = 0;
        TZirOvararIzaz::KeyDown(None, Shift);
        DoSelect();
        return;
    }
    TZirOvararIzaz::KeyDown(Key, Shift);
}

void TZazUruDava::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB; return;
    case WM_KEYDOWN:
        // Tab stays with the list and does nothing.
        if (Message.WParam == VK_TAB) return;
        // Enter is the list's choice, before the string grid's own Enter
        // handling (which would advance or edit) sees it.
        if (Message.WParam == VK_RETURN) {
            Word Key = VK_RETURN;
            KeyDown(Key, KeyDataToShiftState(Message.LParam));
            Message.Result = 0;
            return;
        }
        break;
    case WM_CHAR:
        // The Enter that chose a row is answered here, without a beep.
        if (Message.WParam == VK_RETURN) {
            Message.Result = 1;
            return;
        }
        break;
    default: break;
    }
    TZirOvararIzaz::WndProc(Message);
}

bool TZazUruDava::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    FConfirmSelection = false;
    return TZirOvararIzaz::DoMouseWheelDown(Shift, MousePos);
}

bool TZazUruDava::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    FConfirmSelection = false;
    return TZirOvararIzaz::DoMouseWheelUp(Shift, MousePos);
}

void TZazUruDava::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    FConfirmSelection = true;
    FOldRow = Row();
    TZirOvararIzaz::MouseDown(Button, Shift, X, Y);
}

void TZazUruDava::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TZirOvararIzaz::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    Integer C = -1, R = -1;
    MouseToCell(X, Y, C, R);
    if (R >= FixedRows() && R < RowCount() && C >= 0 && !HasCheckBox(C, R)) DoSelect();
}

} // namespace ZedArudorIdudIvudAriz
