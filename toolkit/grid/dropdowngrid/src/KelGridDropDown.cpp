// The grid drop-down control: data sources, item index and text, lookup
// while typing, the pop-up's opening and closing, keys, sorting and the
// forwarding of the pop-up grid's events.

#include "dropdowngrid/ZedArudorIdudIvudAriz.h"

#include "dropdown/DropDownForm.h"
#include "rtl/ClassBuilder.h"
#include "rtl/MathUtils.h"
#include "rtl/StringUtils.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"
#include "windowing/Messages.h"
#include "windowing/SystemMetrics.h"

#include <algorithm>
#include <cmath>

using namespace winapi;

namespace ZedArudorIdudIvudAriz {

namespace {

bool IsNavigationKey(Word Key) {
    return Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_HOME || Key == VK_UP || Key == VK_DOWN;
}

bool KeyHeld(Integer VirtualKey) { return GetKeyState(VirtualKey) < 0; }

bool BeginsWith(const String& Text, const String& Key) {
    return !Key.empty() && Text.size() >= Key.size() && Text.compare(0, Key.size(), Key) == 0;
}

// Keeps the pop-up open while an event handler runs (it may show a dialog).
struct TFlagBlock {
    explicit TFlagBlock(TDropDownForm* AForm) : Form(AForm), Old(AForm && AForm->BlockActivate()) {
        if (Form) Form->SetBlockActivate(true);
    }
    ~TFlagBlock() {
        if (Form) Form->SetBlockActivate(Old);
    }
    TFlagBlock(const TFlagBlock&) = delete;
    TFlagBlock& operator=(const TFlagBlock&) = delete;
    TDropDownForm* Form;
    bool Old;
};

} // namespace

const TClassInfo& TCustomKelGridDropDown::StaticClassInfo() {
    using C = TCustomKelGridDropDown;
    static const TClassInfo Info =
        TClassBuilder<C, TKelCustomDropDown>()
            .Property(u"Items", &C::Items, &C::SetItems)
            .Property(u"Columns", &C::Columns, &C::SetColumns)
            .Property(u"UseItems", &C::UseItems, &C::SetUseItems)
            .Default(true)
            .Property(u"ItemIndex", &C::ItemIndex, &C::SetItemIndex)
            .Default(-1)
            .Property(u"LookupColumn", &C::LookupColumn, &C::SetLookupColumn)
            .Default(0)
            .Property(u"LookupMethod", &C::LookupMethod, &C::SetLookupMethod)
            .Default(lmLookup)
            .Property(u"CaseSensitive", &C::CaseSensitive, &C::SetCaseSensitive)
            .Default(false)
            .Property(u"Style", &C::Style, &C::SetStyle)
            .Default(dsDropDown)
            .Property(u"Sorting", &C::Sorting, &C::SetSorting)
            .Default(gsNone)
            .Property(u"AutoShowDropDown", &C::AutoShowDropDown, &C::SetAutoShowDropDown)
            .Default(false)
            .Property(u"AutoSizeColumns", &C::AutoSizeColumns, &C::SetAutoSizeColumns)
            .Default(true)
            .Property(u"ColumnSizeWithDropDown", &C::ColumnSizeWithDropDown, &C::SetColumnSizeWithDropDown)
            .Default(true)
            .Property(u"DropDownAutoWidth", &C::DropDownAutoWidth, &C::SetDropDownAutoWidth)
            .Default(true)
            .Property(u"DropDownRowHeight", &C::DropDownRowHeight, &C::SetDropDownRowHeight)
            .Default(22)
            .Property(u"HeaderHeight", &C::HeaderHeight, &C::SetHeaderHeight)
            .Default(25)
            .Property(u"HeaderColor", &C::HeaderColor, &C::SetHeaderColor)
            .Property(u"HeaderColorTo", &C::HeaderColorTo, &C::SetHeaderColorTo)
            .Property(u"HeaderFont", &C::HeaderFont, &C::SetHeaderFont)
            .Property(u"LineColor", &C::LineColor, &C::SetLineColor)
            .Property(u"FixedLineColor", &C::FixedLineColor, &C::SetFixedLineColor)
            .Property(u"SelectionTextColor", &C::SelectionTextColor, &C::SetSelectionTextColor)
            .Default(0)
            .Property(u"HoverRow", &C::HoverRow, &C::SetHoverRow)
            .Default(false)
            .Property(u"RowSelect", &C::RowSelect, &C::SetRowSelect)
            .Default(true)
            .Property(u"GridEditable", &C::GridEditable, &C::SetGridEditable)
            .Default(false)
            .Property(u"ColumnSizing", &C::ColumnSizing, &C::SetColumnSizing)
            .Default(false)
            .Property(u"ColumnMoving", &C::ColumnMoving, &C::SetColumnMoving)
            .Default(false)
            .Property(u"RowSizing", &C::RowSizing, &C::SetRowSizing)
            .Default(false)
            .Property(u"RowMoving", &C::RowMoving, &C::SetRowMoving)
            .Default(false)
            .Build();
    return Info;
}

const TClassInfo& TKelGridDropDown::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelGridDropDown, TCustomKelGridDropDown>().Build();
    return Info;
}

TCustomKelGridDropDown::TCustomKelGridDropDown(TComponent* AOwner)
    : TKelCustomDropDown(AOwner), FHeaderFont(std::make_unique<TFont>()) {
    FLookupIndex = -1;
    FItems = CreateItems();
    FColumns = std::make_unique<TDropDownColumns>(this);
    SetDropDownColor(0xFFFFFF);
    SetDropDownHeight(200);
    FItemIndex = -1;
    FOldItemIndex = -1;
    FLookupItems = std::make_unique<TStringList>();
    FWorkMode = true;
    FMatchCase = false;
    SetAutoSelect(true);
    SetSelectionColorStyle(scOffice2007);
    DoSetComponentStyle(tsCustom);
    FSearchFooter = std::make_unique<TSearchFooter>(this, false);
    FBands = std::make_unique<TBands>();
    FNavigation = std::make_unique<TNavigation>();
    FNavigation->PlainSettings().HomeEndKey = heFirstLastRow;
    FMouseActions = std::make_unique<TMouseActions>(this);
}

TCustomKelGridDropDown::~TCustomKelGridDropDown() = default;

std::unique_ptr<TDropDownItems> TCustomKelGridDropDown::CreateItems() {
    return std::make_unique<TDropDownItems>(this);
}

void TCustomKelGridDropDown::DoSelect() {
    if (OnSelect) OnSelect(this);
}

void TCustomKelGridDropDown::Loaded() {
    TKelCustomDropDown::Loaded();
    BuildLookupList();
    if (FZazUruDava) FZazUruDava->FillFromItems();
}

void TCustomKelGridDropDown::Notification(TComponent* AComponent, TOperation Operation) {
    TKelCustomDropDown::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FGridImages) SetGridImages(nullptr);
}

void TCustomKelGridDropDown::SetGridImages(TCustomImageList* Value) {
    FGridImages = Value;
    if (FZazUruDava) FZazUruDava->SetGridImages(Value);
}

void TCustomKelGridDropDown::SetStyle(TDropDownStyle Value) {
    FStyle = Value;
    SetEditorEnabled(Value == dsDropDown);
}

Integer TCustomKelGridDropDown::ItemCount() const {
    if (FUseItems) return FItems->Count();
    return FZazUruDava ? FZazUruDava->RowCount() - FZazUruDava->FixedRows() : 0;
}

bool TCustomKelGridDropDown::PopupVisible() const { return FDropDownForm && FDropDownForm->Visible(); }

// ---- Items, item index and the lookup list ----

void TCustomKelGridDropDown::BuildLookupList() {
    if (FLookupColumn < 0 || FItems->Count() == 0) return;
    FLookupItems->Clear();
    for (Integer I = 0; I < FItems->Count(); ++I)
        FLookupItems->Add(FItems->Items(I)->Column(FLookupColumn));
}

void TCustomKelGridDropDown::SetItemIndex(Integer Value) {
    if (FUseItems) {
        if (Value >= FItems->Count()) return;
        FItemIndex = Value;
        WriteText(Value >= 0 && FLookupColumn >= 0 ? FItems->Items(Value)->Column(FLookupColumn) : String());
        return;
    }
    if (!FZazUruDava) {
        FItemIndex = Value;
        return;
    }
    const Integer R = Value + FZazUruDava->FixedRows();
    if (Value == FItemIndex || R >= FZazUruDava->RowCount()) return;
    FItemIndex = Value;
    WriteText(Value >= 0 && FLookupColumn >= 0 ? FZazUruDava->Cells(FLookupColumn, R) : String());
}

Integer TCustomKelGridDropDown::ItemOfRow(Integer R) const {
    if (FZazUruDava && R >= 0 && R < FZazUruDava->RowCount()) {
        const Integer Item = FZazUruDava->RowItem(R);
        if (Item >= 0) return Item;
    }
    return R;
}

Integer TCustomKelGridDropDown::RowOfItem(Integer I) const {
    if (I < 0 || !FZazUruDava) return FItemIndex;
    for (Integer R = FZazUruDava->FixedRows(); R < FZazUruDava->RowCount(); ++R)
        if (FZazUruDava->RowItem(R) == I) return R;
    return FItemIndex;
}

// ---- Lookup while typing ----

String TCustomKelGridDropDown::Folded(const String& Text) const {
    return FCaseSensitive ? Text : AnsiUpperCase(Text);
}

bool TCustomKelGridDropDown::Find(const String& Key, Integer& Found, String& Text) {
    if (Key.empty()) return false;
    const String Wanted = Folded(Key);
    if (FUseItems) {
        for (Integer I = 0; I < FItems->Count(); ++I) {
            const String Candidate = FItems->Items(I)->Column(FLookupColumn);
            if (BeginsWith(Folded(Candidate), Wanted)) {
                Found = I;
                Text = Candidate;
                return true;
            }
        }
        return false;
    }
    if (!FFirstDropDown) {
        FFirstDropDown = true;
        if (OnBeforeDropDown) OnBeforeDropDown(this);
    }
    if (!FZazUruDava) return false;
    for (Integer R = FZazUruDava->FixedRows(); R < FZazUruDava->RowCount(); ++R) {
        const String Candidate = FZazUruDava->Cells(FLookupColumn, R);
        if (BeginsWith(Folded(Candidate), Wanted)) {
            Found = R;
            Text = Candidate;
            return true;
        }
    }
    return false;
}

void TCustomKelGridDropDown::SelectBeyond(Integer From) {
    const Integer Length = Integer(ReadText().size());
    SetSelStart(From);
    SetSelLength(std::max(0, Length - From));
}

Integer TCustomKelGridDropDown::LookupChar(Char C) {
    FLookupIndex = -1;
    if (FLookupMethod == lmNone) return -1;
    if (C == Char(VK_BACK)) {
        if (SelLength() > 0 && !FLookupEntry.empty()) {
            String Text = ReadText();
            const Integer Start = std::clamp(SelStart(), 0, Integer(Text.size()));
            Text.erase(size_t(Start), size_t(SelLength()));
            WriteText(Text);
        } else {
            if (!FLookupEntry.empty()) FLookupEntry.pop_back();
            WriteText(FLookupEntry);
        }
        SetSelStart(Integer(ReadText().size()));
        SetSelLength(0);
        return -1;
    }
    if (C != Char(VK_TAB)) FLookupEntry += C;
    const String Key = Trim(FLookupEntry);

    if (FLookupMethod == lmNarrowDown) {
        if (!FZazUruDava) return -1;
        if (Key.empty()) {
            FZazUruDava->RemoveAllFilters();
        } else {
            FZazUruDava->SetFixedRowAlways(true);
            FZazUruDava->NarrowDown(Key, FLookupColumn);
            if (FStyle == dsDropDown && FZazUruDava->RowCount() > FZazUruDava->FixedRows()) {
                WriteText(FZazUruDava->Cells(FLookupColumn, FZazUruDava->FixedRows()));
                SelectBeyond(Integer(FLookupEntry.size()));
                FLookupEntry.clear();
            }
        }
        return FZazUruDava->FixedRows();
    }

    Integer Found = -1;
    String Text;
    if (Find(Key, Found, Text)) {
        FItemIndex = FUseItems || !FZazUruDava ? Found : Found - FZazUruDava->FixedRows();
        FLookupIndex = Found;
        FSelRow = Found;
        WriteText(Text);
        DoSelect();
        if (FStyle == dsDropDown) SelectBeyond(Integer(FLookupEntry.size()));
        return Found;
    }
    if (FStyle == dsDropDown) return -1;
    if (Find(String(1, C), Found, Text)) {
        FItemIndex = FUseItems || !FZazUruDava ? Found : Found - FZazUruDava->FixedRows();
        FLookupIndex = Found;
        WriteText(Text);
        DoSelect();
        return Found;
    }
    FLookupEntry.clear();
    return -1;
}

// ---- Keys of the edit ----

void TCustomKelGridDropDown::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_KEYDOWN: {
        const Word Key = Word(Message.WParam);
        if (Key == VK_RETURN && FZazUruDava) FZazUruDava->SetConfirmSelection(true);
        TKelCustomDropDown::WndProc(Message);
        if (!Enabled() || KeyHeld(VK_MENU) || !IsNavigationKey(Key)) return;
        FLookupEntry.clear();
        const bool Shift = KeyHeld(VK_SHIFT);
        switch (Key) {
        case VK_PRIOR: MovePageUp(); break;
        case VK_NEXT: MovePageDown(); break;
        case VK_END:
            if (!Shift && FStyle == dsDropDownList) MoveLast();
            break;
        case VK_HOME:
            if (!Shift && FStyle == dsDropDownList) MoveFirst();
            break;
        case VK_UP: MovePrevious(); break;
        case VK_DOWN: MoveNext(); break;
        default: break;
        }
        return;
    }
    case WM_CHAR: {
        const Char C = Char(Message.WParam);
        TKelCustomDropDown::WndProc(Message);
        LookupChar(C);
        if (FAutoShowDropDown && C != 0 && !PopupVisible()) ShowDropDown();
        return;
    }
    default: TKelCustomDropDown::WndProc(Message); return;
    }
}

void TCustomKelGridDropDown::KeyDown(Word& Key, TShiftState Shift) {
    if (FZazUruDava && FZazUruDava->Options().Contains(goEditing) && FZazUruDava->EditorMode() &&
        Key == VK_RETURN && !Shift.Contains(ssShift)) {
        FZazUruDava->HideInplaceEdit();
        if (FLookupColumn >= 0) WriteText(FZazUruDava->Cells(FLookupColumn, FZazUruDava->Row()));
        FItemIndex = FZazUruDava->Row() - FZazUruDava->FixedRows();
        Key = 0;
        return;
    }
    if (FLookupColumn < 0 || FItems->Count() == 0) {
        TKelCustomDropDown::KeyDown(Key, Shift);
        return;
    }
    if (Key == VK_BACK || Key == VK_ESCAPE || Key == VK_DELETE) {
        FWorkMode = false;
    } else if (Key == VK_RETURN) {
        const Integer Index = FLookupItems->IndexOf(ReadText());
        if (Index >= 0) {
            WriteText(FLookupItems->Strings(Index));
            SetItemIndex(Index);
            Change();
        }
        if (FReturnIsTab) {
            if (HandleAllocated()) PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
            Key = 0;
        }
    } else {
        FWorkMode = true;
    }
    if (Key == VK_ESCAPE || (Key >= VK_PRIOR && Key <= VK_DOWN)) FLookupEntry.clear();
    const bool Escape = Key == VK_ESCAPE;
    TKelCustomDropDown::KeyDown(Key, Shift);
    if (Escape) FItemIndex = FLookupItems->IndexOf(ReadText());
}

void TCustomKelGridDropDown::KeyPress(Char& Key) {
    if (Key == Char(VK_RETURN) && FReturnIsTab) {
        Key = 0;
        return;
    }
    TKelCustomDropDown::KeyPress(Key);
}

void TCustomKelGridDropDown::KeyUp(Word& Key, TShiftState Shift) {
    if (!(Key == VK_RETURN && FReturnIsTab)) TKelCustomDropDown::KeyUp(Key, Shift);
    if (FZazUruDava && FZazUruDava->Options().Contains(goEditing) && FZazUruDava->EditorMode() &&
        Key == VK_RETURN && !Shift.Contains(ssShift)) {
        if (FZazUruDava->Col() == FLookupColumn)
            HideDropDown(false);
        else
            FZazUruDava->HideInplaceEdit();
    }
    if (FItemChange) {
        FItemIndex = FItemIdx;
        // The completed part stays selected after the key.
        SelectBeyond(FItemSel);
        FItemChange = false;
    }
}

void TCustomKelGridDropDown::Change() {
    FItemChange = false;
    TKelCustomDropDown::Change();
    if (FDesignTime || !FWorkMode) return;
    const String Text = ReadText();
    MarkModified(Text != FOldValue);
    // Without a lookup method typing never changes the item index.
    if (FLookupItems->Count() == 0 || FLookupMethod == lmNone) return;
    const Integer Caret = std::clamp(SelStart(), 0, Integer(Text.size()));
    const String Typed = Text.substr(0, size_t(Caret));
    const String Key = FMatchCase ? Typed : AnsiUpperCase(Typed);
    if (Key.empty()) return;
    for (Integer I = 0; I < FLookupItems->Count(); ++I) {
        const String& Entry = FLookupItems->Strings(I);
        if (!BeginsWith(FMatchCase ? Entry : AnsiUpperCase(Entry), Key)) continue;
        const String Completed = Text.substr(0, Key.size()) + Entry.substr(Key.size(), 255);
        const bool IndexChanged = FItemIndex != I;
        FItemIndex = I;
        FItemIdx = I;
        FItemSel = Integer(Key.size());
        {
            // The completion writes the text once; its own change is not
            // completed again.
            const bool Old = FWorkMode;
            FWorkMode = false;
            if (Completed != Text) WriteText(Completed);
            FWorkMode = Old;
        }
        FItemChange = true;
        SelectBeyond(FItemSel);
        if (IndexChanged && OnChange) OnChange(this);
        return;
    }
    if (!Typed.empty() && Typed != Text) {
        const bool Old = FWorkMode;
        FWorkMode = false;
        WriteText(Typed);
        FWorkMode = Old;
        SetSelStart(Integer(Typed.size()));
        SetSelLength(0);
    }
}

void TCustomKelGridDropDown::DoEnter() {
    TKelCustomDropDown::DoEnter();
    if (FLookupMethod == lmNarrowDown && FZazUruDava && !FZazUruDava->FilterActive())
        FZazUruDava->RemoveAllFilters();
    FLookupEntry.clear();
}

// ---- Moving through the list ----

void TCustomKelGridDropDown::EndMove() {
    if (FZazUruDava) FSelRow = FZazUruDava->Row();
}

void TCustomKelGridDropDown::MoveGridRow(Integer ARow) {
    // The item index is set already: the row change does not set it again
    // from a row the list may not have filled yet.
    const bool Old = FInitializing;
    FInitializing = true;
    FZazUruDava->SetRow(ARow);
    FInitializing = Old;
}

void TCustomKelGridDropDown::MoveFirst() {
    if (ItemCount() == 0) return;
    SetItemIndex(0);
    if (FZazUruDava && FZazUruDava->RowCount() > FZazUruDava->FixedRows())
        MoveGridRow(FZazUruDava->FixedRows());
    EndMove();
}

void TCustomKelGridDropDown::MoveLast() {
    const Integer N = ItemCount();
    if (N == 0) return;
    SetItemIndex(N - 1);
    if (FZazUruDava && FZazUruDava->RowCount() > FZazUruDava->FixedRows())
        MoveGridRow(FZazUruDava->RowCount() - 1);
    EndMove();
}

void TCustomKelGridDropDown::MoveNext() {
    const Integer N = ItemCount();
    if (N == 0) return;
    if (FItemIndex < 0) return MoveFirst();
    if (FItemIndex + 1 < N) {
        SetItemIndex(FItemIndex + 1);
        if (!FUseItems && FZazUruDava && FZazUruDava->Row() + 1 < FZazUruDava->RowCount())
            MoveGridRow(FZazUruDava->Row() + 1);
    }
    EndMove();
}

void TCustomKelGridDropDown::MovePrevious() {
    if (ItemCount() < 1) return;
    if (FItemIndex < 0) return MoveFirst();
    if (FItemIndex >= 1) {
        SetItemIndex(FItemIndex - 1);
        if (FZazUruDava && FZazUruDava->Row() > FZazUruDava->FixedRows()) MoveGridRow(FZazUruDava->Row() - 1);
    }
    EndMove();
}

void TCustomKelGridDropDown::MovePageDown() {
    const Integer N = ItemCount();
    if (N == 0) return;
    if (FItemIndex < 0) return MoveFirst();
    if (FItemIndex + 10 < N) {
        SetItemIndex(FItemIndex + 10);
        if (!FUseItems && FZazUruDava && FZazUruDava->Row() + 10 < FZazUruDava->RowCount())
            MoveGridRow(FZazUruDava->Row() + 10);
        EndMove();
    } else {
        MoveLast();
    }
}

void TCustomKelGridDropDown::MovePageUp() {
    if (ItemCount() == 0) return;
    if (FItemIndex < 10) return MoveFirst();
    SetItemIndex(FItemIndex - 10);
    if (!FUseItems && FZazUruDava && FZazUruDava->Row() - 10 >= FZazUruDava->FixedRows())
        MoveGridRow(FZazUruDava->Row() - 10);
    EndMove();
}

// ---- The pop-up ----

void TCustomKelGridDropDown::CreateDropDownForm() {
    TKelCustomDropDown::CreateDropDownForm();
    if (!FDropDownForm || FZazUruDava) return;
    FDropDownForm->SetAutoScroll(false);
    FZazUruDava = Create<TZazUruDava>(this);
    FZazUruDava->SetKelDropDown(this);
    FZazUruDava->SetParent(FDropDownForm);
    FZazUruDava->SetBounds(0, 0, FZazUruDava->Width(), 180);
    FZazUruDava->SetColor(FDropDownColor);
    FZazUruDava->SetDoubleBuffered(true);
    FZazUruDava->Navigation()->PlainSettings().HomeEndKey = heFirstLastRow;
    FZazUruDava->MouseActions()->PlainSettings().NoAutoRangeScroll = true;
    FZazUruDava->OnSelectCell = [this](TObject*, Integer ACol, Integer ARow, bool& CanSelect) {
        GridSelectCell(ACol, ARow, CanSelect);
    };
    if (FGridImages) FZazUruDava->SetGridImages(FGridImages);
}

void TCustomKelGridDropDown::BindGridEvents() {
    TZazUruDava* G = FZazUruDava;
#define KEL_GRID_DROPDOWN_BIND_EVENT(GridEvent, ControlEvent)                                                     \
    G->GridEvent = [this](auto&&... Args) {                                                                        \
        if (ControlEvent) ControlEvent(Args...);                                                                   \
    };
    KEL_GRID_DROPDOWN_FORWARDED_EVENTS(KEL_GRID_DROPDOWN_BIND_EVENT)
#undef KEL_GRID_DROPDOWN_BIND_EVENT
    // A handler that shows a dialog must not close the pop-up.
    G->OnButtonClick = [this](TObject* Sender, Integer ACol, Integer ARow) {
        TFlagBlock Block(FDropDownForm);
        if (OnGridButtonClick) OnGridButtonClick(Sender, ACol, ARow);
    };
    G->OnEllipsClick = [this](TObject* Sender, Integer ACol, Integer ARow, String& S) {
        TFlagBlock Block(FDropDownForm);
        if (OnGridEllipsClick) OnGridEllipsClick(Sender, ACol, ARow, S);
    };
    if (!OnGridCustomCellDraw) G->OnCustomCellDraw = nullptr;
    if (!OnGridCustomCellBkgDraw) G->OnCustomCellBkgDraw = nullptr;
    G->OnTopLeftChanged = [this](TObject*) {
        if (OnGridTopLeftChanged) OnGridTopLeftChanged(this);
    };
    G->OnGetAlignment = [this](TObject* Sender, Integer ARow, Integer ACol, TAlignment& HAlign, TVAlignment& VAlign) {
        if (ACol >= 0 && ACol < FColumns->Count()) HAlign = FColumns->Items(ACol)->Alignment();
        if (OnGridGetAlignment) OnGridGetAlignment(Sender, ARow, ACol, HAlign, VAlign);
    };
    G->OnGetCellColor = [this](TObject* Sender, Integer ARow, Integer ACol, TGridDrawState AState, TBrush* ABrush,
                               TFont* AFont) {
        if (ACol >= 0 && ACol < FColumns->Count()) {
            const TDropDownColumn* Column = FColumns->Items(ACol);
            ABrush->SetColor(Column->Color());
            AFont->Assign(Column->Font());
            AFont->SetHeight(RoundToInt(Column->Font()->Height() * FZazUruDava->GetDPIScale()));
        }
        if (OnGridGetCellColor) OnGridGetCellColor(Sender, ARow, ACol, AState, ABrush, AFont);
    };
    G->OnGetFloatFormat = [this](TObject* Sender, Integer ACol, Integer ARow, bool& IsFloat, String& FloatFormat) {
        FloatFormat.clear();
        if (OnGridGetFloatFormat) OnGridGetFloatFormat(Sender, ACol, ARow, IsFloat, FloatFormat);
    };
    G->OnMouseMove = [this](TObject* Sender, TShiftState Shift, Integer X, Integer Y) {
        if (!FBalloonInit) {
            FBalloonInit = true;
            if (TBalloonSettings* Balloon = FZazUruDava->Balloon(); Balloon && Balloon->Enable()) {
                Balloon->SetEnable(false);
                Balloon->SetEnable(true);
            }
        }
        if (OnGridMouseMove) OnGridMouseMove(Sender, Shift, X, Y);
    };
    G->OnCheckBoxClick = [this](TObject* Sender, Integer ACol, Integer ARow, bool State) {
        if (OnGridCheckBoxClick) OnGridCheckBoxClick(Sender, ACol, ARow, State);
    };
    G->OnSelect = [this](TObject*) { GridSelect(); };
    G->OnStartBlockFocus = [](TObject*) {};
    G->OnEndBlockFocus = [this](TObject*) {
        if (FDropDownForm) FDropDownForm->SetBlockActivate(false);
    };
    G->OnCanSort = [this](TObject*, Integer, bool& DoSort) {
        FTempItemIndex = FItemIndex;
        DoSort = true;
    };
    G->OnClickSort = [this](TObject*, Integer ACol) { GridClickSort(ACol); };
    G->OnSelectCell = [this](TObject*, Integer ACol, Integer ARow, bool& CanSelect) {
        GridSelectCell(ACol, ARow, CanSelect);
    };
}

void TCustomKelGridDropDown::DoBeforeDropDown() {
    if (FDropDownForm) FDropDownForm->SetCancelOnDeActivate(false);
    TZazUruDava* G = FZazUruDava;
    if (G) {
        FInitializing = true;
        G->ApplyDropDownSettings(this);
        G->SetColor(FDropDownColor);
        TSortSettings* Sort = G->SortSettings();
        Sort->SetShow(FSorting != gsNone);
        Sort->SetIndexShow(FSorting == gsMultiColumn);
        FBalloonInit = false;
        BindGridEvents();
        G->SearchFooter()->Assign(FSearchFooter.get());
        G->MouseActions()->Assign(FMouseActions.get());
        G->Navigation()->Assign(FNavigation.get());
        G->Bands()->Assign(FBands.get());
        TControlLook* Look = G->ControlLook();
        Look->SetNoDisabledCheckRadioLook(true);
        Look->SetNoDisabledButtonLook(true);
        Look->SetCheckAlwaysActive(true);
        Look->SetRadioAlwaysActive(true);
        TGridOptions O = G->Options();
        O.Include(goThumbTracking);
        if (FRowSelect)
            O.Include(goRowSelect);
        else
            O.Exclude(goRowSelect);
        if (FGridEditable)
            O.Include(goEditing);
        else
            O.Exclude(goEditing);
        G->SetOptions(O);
        G->SetGridImages(FGridImages);
        G->SetComponentStyle(FKelStyle);
        G->SetSelectionColor(FSelectionColor);
        G->SetSelectionColorTo(FSelectionColorTo);
        G->SetSelectionTextColor(FSelectionTextColor);
        FInitializing = false;
    }
    if (FUseItems) {
        TKelCustomDropDown::DoBeforeDropDown();
        if (G) {
            FInitializing = true;
            G->SetRowCount(FItems->Count() + 1);
            G->SetFixedRows(1);
            G->FillFromItems();
            Integer R = RowOfItem(FItemIndex);
            if (R >= G->FixedRows() && R < G->RowCount() && FLookupIndex == -1) {
                G->SetRow(R);
            } else {
                R = std::max(G->FixedRows(), RowOfItem(FLookupIndex));
                if (R < G->RowCount()) G->SetRow(R);
            }
            FInitializing = false;
        }
    } else if (G) {
        Integer Found = -1;
        String Text;
        FInitializing = true;
        if (Find(ReadText(), Found, Text)) {
            G->SetRow(Found);
            FLookupEntry.clear();
        } else if (G->RowCount() > G->FixedRows()) {
            G->SetRow(G->FixedRows());
        }
        FInitializing = false;
    }
    if (G && G->SortSettings()->Column() >= 0 && G->SortSettings()->Show()) {
        FInitializing = true;
        G->QSort();
        // The chosen item's row, where the sort put it.
        const Integer R = RowOfItem(FItemIndex);
        if (FUseItems && R >= G->FixedRows() && R < G->RowCount()) G->SetRow(R);
        FInitializing = false;
    }
    FOldItemIndex = FItemIndex;
    if (!FUseItems) TKelCustomDropDown::DoBeforeDropDown();
}

void TCustomKelGridDropDown::AdjustDropDownHeight(Integer& Height) {
    if (FDropDownSizeable || FDropDownRowHeight <= 0) return;
    Integer Bars = 0;
    if (FDropDownHeader->Visible()) Bars += FDropDownHeader->Height();
    if (FDropDownFooter->Visible()) Bars += FDropDownFooter->Height();
    Height = (Height - Bars - FHeaderHeight - 2) / FDropDownRowHeight * FDropDownRowHeight + Bars + FHeaderHeight + 6;
}

void TCustomKelGridDropDown::DoShowDropDown() {
    TNotifyEvent AfterDropDown = std::move(OnAfterDropDown);
    OnAfterDropDown = nullptr;
    TKelCustomDropDown::DoShowDropDown();
    OnAfterDropDown = std::move(AfterDropDown);
    if (!PopupVisible() || !FZazUruDava) return;
    TZazUruDava* G = FZazUruDava;
    if (!FUseItems)
        while (FColumns->Count() < G->ColCount())
            FColumns->Add();
    ScaleColumns();
    if (G->VisibleRowCount() + G->FixedRows() < G->RowCount()) {
        if (G->Row() > G->TopRow() + G->VisibleRowCount() || G->Row() < G->TopRow()) G->SetTopRow(G->Row());
        if (G->SearchFooter()->Visible() && G->Row() > G->TopRow() + G->VisibleRowCount() - 2)
            G->SetTopRow(std::min(G->TopRow() + 2, G->RowCount() - 1));
    }
    FSelRow = std::max(FSelRow, G->FixedRows());
    G->SetTabStop(true);
    if (G->CanFocus()) G->SetFocus();
    if (OnAfterDropDown) OnAfterDropDown(this);
}

void TCustomKelGridDropDown::PlaceDropDownControl() {
    if (FZazUruDava && FControl != FZazUruDava) SetControl(FZazUruDava);
    TKelCustomDropDown::PlaceDropDownControl();
}

void TCustomKelGridDropDown::AdaptDropDownSize() {
    TKelCustomDropDown::AdaptDropDownSize();
    if (!FDropDownAutoWidth || !FDropDownForm || !FZazUruDava) return;
    FZazUruDava->SetAlign(alNone);
    FZazUruDava->SetWidth(FZazUruDava->GetNeededWidth());
    FDropDownForm->SetWidth(FZazUruDava->Width() + 2 * FDropDownBorderWidth);
    FZazUruDava->SetAlign(alClient);
}

void TCustomKelGridDropDown::DropDownResized() {
    TKelCustomDropDown::DropDownResized();
    ScaleColumns();
}

void TCustomKelGridDropDown::ScaleColumns() {
    if (!FColumnSizeWithDropDown || !FZazUruDava || !FDropDownForm || FColumns->Count() == 0) return;
    TZazUruDava* G = FZazUruDava;
    G->SetScrollBars(ssVertical);
    Integer Total = 1;
    for (Integer I = 0; I < FColumns->Count(); ++I)
        Total += FColumns->Items(I)->Width();
    Integer Avail = FDropDownForm->Width();
    if (G->VisibleRowCount() + G->FixedRows() < G->RowCount()) Avail -= GetSystemMetrics(SM_CXVSCROLL);
    const Double F = Double(Avail) / Total;
    Double Carry = 0;
    for (Integer I = 0; I < G->ColCount() && I < FColumns->Count(); ++I) {
        const Double Share = F * FColumns->Items(I)->Width();
        const Integer W = RoundToInt(Share);
        Carry += Share - W;
        if (Carry > 1) {
            G->SetColWidths(I, W + 1);
            Carry -= 1;
        } else {
            G->SetColWidths(I, W);
        }
    }
}

void TCustomKelGridDropDown::DoHideDropDown(bool Cancel) {
    if (PopupVisible()) {
        if (Cancel) {
            SetItemIndex(FOldItemIndex);
        } else if (FZazUruDava) {
            FSelRow = FZazUruDava->Row();
            if (FZazUruDava->ConfirmSelection())
                SetItemIndex(FUseItems ? ItemOfRow(FSelRow) : FSelRow - FZazUruDava->FixedRows());
            FOldItemIndex = FItemIndex;
            FZazUruDava->SetConfirmSelection(false);
        }
    }
    TKelCustomDropDown::DoHideDropDown(Cancel);
}

// ---- The pop-up grid's selection, sorting and keys ----

void TCustomKelGridDropDown::GridSelectCell(Integer ACol, Integer ARow, bool& CanSelect) {
    if (FInitializing || !FZazUruDava) return;
    FNodeCell = false;
    if (ACol == 0 && FZazUruDava->IsNode(ARow)) {
        FNodeCell = true;
        return;
    }
    if (ARow != FSelRow && OnGridSelectCell) OnGridSelectCell(this, ACol, ARow, CanSelect);
    FSelRow = ARow;
    if (FUseItems) {
        SetItemIndex(ItemOfRow(ARow));
    } else {
        if (FLookupColumn >= 0) WriteText(FZazUruDava->Cells(FLookupColumn, ARow));
        FItemIndex = ARow - FZazUruDava->FixedRows();
    }
}

void TCustomKelGridDropDown::GridSelect() {
    if (!FZazUruDava || FNodeCell) return;
    if (FZazUruDava->ConfirmSelection())
        SetItemIndex(FUseItems ? ItemOfRow(FZazUruDava->Row()) : FZazUruDava->Row() - 1);
    if (!FGridEditable) DoHideDropDown(false);
    DoSelect();
}

void TCustomKelGridDropDown::GridClickSort(Integer ACol) {
    if (FZazUruDava) {
        const Integer R = RowOfItem(FTempItemIndex);
        if (R >= FZazUruDava->FixedRows() && R < FZazUruDava->RowCount()) {
            FInitializing = true;
            FZazUruDava->SetRow(R);
            FInitializing = false;
        }
    }
    if (OnGridClickSort) OnGridClickSort(this, ACol);
}

void TCustomKelGridDropDown::ForwardControlKeyDown(TObject* Sender, Word& Key, TShiftState Shift) {
    if (!IsNavigationKey(Key) || Shift.Contains(ssAlt)) TKelCustomDropDown::ForwardControlKeyDown(Sender, Key, Shift);
    if (OnGridKeyDown) OnGridKeyDown(this, Key, Shift);
}

void TCustomKelGridDropDown::ForwardControlKeyUp(TObject* Sender, Word& Key, TShiftState Shift) {
    if (IsNavigationKey(Key) && !Shift.Contains(ssAlt))
        FLookupEntry.clear();
    else
        TKelCustomDropDown::ForwardControlKeyUp(Sender, Key, Shift);
    if (OnGridKeyUp) OnGridKeyUp(this, Key, Shift);
}

void TCustomKelGridDropDown::ForwardControlKeyPress(TObject*, Char& Key) {
    TZazUruDava* G = FZazUruDava;
    const bool Special = (Key == Char(VK_RETURN) || Key == Char(VK_ESCAPE)) && !KeyHeld(VK_MENU);
    if (Special || !G || G->Options().Contains(goEditing)) {
        FLookupEntry.clear();
    } else {
        Integer R = LookupChar(Key);
        if (R >= 0 && FUseItems && FLookupMethod == lmLookup) R = RowOfItem(R);
        if (R >= G->FixedRows() && R < G->RowCount()) {
            if (G->VisibleRowCount() + G->FixedRows() < G->RowCount()) G->SetTopRow(R);
            G->SetRow(R);
            G->SetCol(0);
            G->Invalidate();
        } else if (Key != Char(VK_BACK) && FLookupMethod != lmNarrowDown) {
            // Backspace shortened the entry itself, and a narrowing that
            // left no row keeps growing its entry.
            FLookupEntry.clear();
        }
    }
    if (OnGridKeyPress) OnGridKeyPress(this, Key);
}

// ---- Looks ----

void TCustomKelGridDropDown::SetSelectionColorStyle(TSelectionColorStyle Value) {
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

} // namespace ZedArudorIdudIvudAriz
