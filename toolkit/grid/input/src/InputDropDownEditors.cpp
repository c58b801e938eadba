// Set-up and write-back of the drop-down editors, and the getters that make
// each editor on first use.

#include "grid/GridDropDownEditors.h"
#include "grid/ZirOvararIzazInput.h"
#include "rtl/Convert.h"
#include "rtl/FlagScope.h"
#include "rtl/StringUtils.h"
#include "windowing/MessageQueue.h"

#include <cmath>

using namespace winapi;

namespace {

TKelGridDropDownFactory& KelGridFactory() {
    static TKelGridDropDownFactory Factory;
    return Factory;
}

// A new editor: owned by the grid and inside it, hidden, in the grid's style.
template <class TEditor>
TEditor* MakeDropDownEditor(TZirOvararIzazInput* Grid) {
    auto* Editor = Create<TEditor>(Grid);
    Editor->SetVisible(false);
    Editor->SetParent(Grid);
    if (Grid->UIStyle() != tsCustom) Editor->SetComponentStyle(Grid->UIStyle());
    return Editor;
}

} // namespace

void RegisterKelGridDropDownFactory(TKelGridDropDownFactory Factory) {
    KelGridFactory() = std::move(Factory);
}

// ---- The getters ---------------------------------------------------------------------

TGridTrackbarDropDown* TZirOvararIzazInput::TrackbarDropDown() {
    if (!FEditTrackBar) {
        FEditTrackBar = MakeDropDownEditor<TGridTrackbarDropDown>(this);
        FEditTrackBar->SetEditorEnabled(true);
    }
    return FEditTrackBar;
}

TGridMemoDropDown* TZirOvararIzazInput::MemoDropDown() {
    if (!FEditMemo) {
        FEditMemo = MakeDropDownEditor<TGridMemoDropDown>(this);
        FEditMemo->OnMemoChange = [this](TObject* Sender) { MemoEditorChanged(Sender); };
    }
    return FEditMemo;
}

TGridCalculatorDropDown* TZirOvararIzazInput::CalculatorDropDown() {
    if (!FEditCalculator) {
        FEditCalculator = MakeDropDownEditor<TGridCalculatorDropDown>(this);
        FEditCalculator->SetEditorEnabled(true);
    }
    return FEditCalculator;
}

TGridTimepickerDropDown* TZirOvararIzazInput::TimePickerDropDown() {
    if (!FEditTimePicker) FEditTimePicker = MakeDropDownEditor<TGridTimepickerDropDown>(this);
    return FEditTimePicker;
}

TGridDetailPickerDropDown* TZirOvararIzazInput::DetailPickerDropDown() {
    if (!FEditDetailPicker) FEditDetailPicker = MakeDropDownEditor<TGridDetailPickerDropDown>(this);
    return FEditDetailPicker;
}

TGridGridDropDown* TZirOvararIzazInput::GridDropDown() {
    if (!FEditGridPicker) FEditGridPicker = MakeDropDownEditor<TGridGridDropDown>(this);
    return FEditGridPicker;
}

TGridColorDropDown* TZirOvararIzazInput::ColorPickerDropDown() {
    if (!FEditColorPicker) {
        FEditColorPicker = MakeDropDownEditor<TGridColorDropDown>(this);
        FEditColorPicker->AddDefaultColors();
        FEditColorPicker->OnSelect = [this](TObject*) {
            DoColorSelect(FEditColorPicker->SelectedColor(), FEditColorPicker->GetSelectedColorText());
        };
    }
    return FEditColorPicker;
}

TGridImageDropDown* TZirOvararIzazInput::ImagePickerDropDown() {
    if (!FEditImagePicker) {
        FEditImagePicker = MakeDropDownEditor<TGridImageDropDown>(this);
        FEditImagePicker->OnSelect = [this](TObject*) { DoImageSelect(FEditImagePicker->ImageIndex()); };
    }
    return FEditImagePicker;
}

TKelCustomDropDown* TZirOvararIzazInput::KelGridDropDown() {
    if (!FEditKelGridPicker && KelGridFactory()) {
        FEditKelGridPicker = KelGridFactory()(this);
        if (FEditKelGridPicker) {
            FEditKelGridPicker->SetVisible(false);
            FEditKelGridPicker->SetParent(this);
            if (UIStyle() != tsCustom) FEditKelGridPicker->SetComponentStyle(UIStyle());
        }
    }
    return FEditKelGridPicker;
}

TGridControlDropDown* TZirOvararIzazInput::ControlDropDown() {
    if (!FEditControlPicker) FEditControlPicker = MakeDropDownEditor<TGridControlDropDown>(this);
    return FEditControlPicker;
}

// ---- Events of the editors -----------------------------------------------------------

void TZirOvararIzazInput::DropDownHeaderButtonClicked(TObject* Sender, Integer ButtonIndex) {
    if (OnDropDownHeaderButtonClick) OnDropDownHeaderButtonClick(Sender, Col(), Row(), ButtonIndex);
}

void TZirOvararIzazInput::DropDownFooterButtonClicked(TObject* Sender, Integer ButtonIndex) {
    if (OnDropDownFooterButtonClick) OnDropDownFooterButtonClick(Sender, Col(), Row(), ButtonIndex);
}

void TZirOvararIzazInput::MemoEditorChanged(TObject*) {
    if (FEditMemo) SetEditText(Col(), Row(), FEditMemo->MemoValue());
}

// ---- Set-up --------------------------------------------------------------------------

TKelCustomDropDown* TZirOvararIzazInput::DropDownEditorOf(TEditorType Kind) {
    switch (Kind) {
    case edTrackbarDropDown: return TrackbarDropDown();
    case edMemoDropDown: return MemoDropDown();
    case edCalculatorDropDown: return CalculatorDropDown();
    case edTimePickerDropDown: return TimePickerDropDown();
    case edDetailDropDown: return DetailPickerDropDown();
    case edGridDropDown: return GridDropDown();
    case edColorPickerDropDown: return ColorPickerDropDown();
    case edImagePickerDropDown: return ImagePickerDropDown();
    case edKelGridDropDown: return KelGridDropDown();
    case edControlDropDown: return ControlDropDown();
    default: return nullptr;
    }
}

namespace {

bool IsDropDownKind(TEditorType Kind) {
    switch (Kind) {
    case edTrackbarDropDown: case edMemoDropDown: case edCalculatorDropDown: case edTimePickerDropDown:
    case edDetailDropDown: case edGridDropDown: case edColorPickerDropDown: case edImagePickerDropDown:
    case edKelGridDropDown: case edControlDropDown:
        return true;
    default:
        return false;
    }
}

} // namespace

bool TZirOvararIzazInput::SetUpDropDownEditor(const TSpecialEditorPlace& Place) {
    if (!IsDropDownKind(FEditControl)) return false;
    TKelCustomDropDown* Editor = DropDownEditorOf(FEditControl);
    // Without its editor the kind is granted with nothing shown.
    if (!Editor) return true;
    if (auto* Keys = dynamic_cast<TGridDropDownKeys*>(Editor)) Keys->SetCancelled(false);
    const Integer C = Place.C, ARow = Place.Row;
    String Start;
    {
        TFlagScope Align(FGetEditTextAlign, true);
        Start = GetEditText(RealToDisplColumn(C), ARow);
    }

    // The pop-up's bars in the grid's look; their buttons report to the grid.
    if (auto* Header = dynamic_cast<const THeaderAppearance*>(ControlLook()->DropDownHeader()))
        Editor->SetDropDownHeader(Header);
    if (auto* Footer = dynamic_cast<const TFooterAppearance*>(ControlLook()->DropDownFooter()))
        Editor->SetDropDownFooter(Footer);
    if (UIStyle() != tsCustom) Editor->SetComponentStyle(UIStyle());
    Editor->OnDropDownHeaderButtonClick = [this](TObject* Sender, Integer Index) {
        DropDownHeaderButtonClicked(Sender, Index);
    };
    Editor->OnDropDownFooterButtonClick = [this](TObject* Sender, Integer Index) {
        DropDownFooterButtonClicked(Sender, Index);
    };

    // What some kinds need before the cell's editor properties are asked.
    if (FEditControl == edGridDropDown || FEditControl == edControlDropDown) {
        Editor->SetColor(Place.Colour);
        Editor->SetEditorEnabled(true);
    } else if (FEditControl == edKelGridDropDown) {
        if (auto* External = dynamic_cast<IGridKelGridDropDown*>(Editor)) External->PrepareForCell(Place.Colour);
    } else if (FEditControl == edColorPickerDropDown) {
        FEditColorPicker->BeginUpdate();
    }

    DoGetEditorProp(C, ARow, nullptr);

    Editor->SetBounds(Place.R.Left, Place.R.Top, 0, 0);
    Editor->SetEnabled(true);
    Editor->SetBorderStyle(bsNone);
    Editor->SetBounds(Place.R.Left, Place.R.Top, Place.W, Place.H);

    // The start value of the kind.
    bool ColourStep = true;
    switch (FEditControl) {
    case edTrackbarDropDown:
        FEditTrackBar->SetPosition(StrToIntDef(Trim(Start), 0));
        break;
    case edMemoDropDown:
        FEditMemo->SetMemoValue(Start);
        break;
    case edCalculatorDropDown:
        FEditCalculator->SetText(Start);
        break;
    case edTimePickerDropDown:
        FEditTimePicker->SetText(Start);
        FEditTimePicker->SetEditorEnabled(true);
        break;
    case edDetailDropDown:
        FEditDetailPicker->SetText(Start);
        FEditDetailPicker->SetEditorEnabled(true);
        break;
    case edGridDropDown:
        FEditGridPicker->BeginUpdate();
        FEditGridPicker->EndUpdate();
        FEditGridPicker->SetItemIndex(Start.empty() ? 0 : FEditGridPicker->GetItemIndex(Start));
        FEditGridPicker->SetText(Start);
        ColourStep = false;
        break;
    case edColorPickerDropDown: {
        FEditColorPicker->ItemAppearance()->Font()->Assign(Font());
        FEditColorPicker->ItemAppearance()->Font()->SetHeight(
            Integer(std::lround(Font()->Height() / Double(DPIScale()))));
        FEditColorPicker->SetDropDownWidth(Integer(std::lround(ColWidths(RealToDisplColumn(C)) / Double(DPIScale()))));
        TColor StartColour = Color();
        if (HasShape(C, ARow))
            StartColour = GetShapeColor(C, ARow);
        else if (Colors(C, ARow) != clNone)
            StartColour = Colors(C, ARow);
        FEditColorPicker->SetSelectedColor(StartColour);
        FEditColorPicker->EndUpdate();
        ColourStep = false;
        break;
    }
    case edImagePickerDropDown: {
        const TCellType Type = GetCellType(C, ARow);
        if (Type == ctImageList || Type == ctDataImage) {
            FEditImagePicker->SetImages(GridImages());
            if (FEditImagePicker->Items()->Count() == 0) FEditImagePicker->AddImagesFromImageList();
            Integer Index = -1;
            if (Type == ctImageList)
                GetImageIdx(C, ARow, Index);
            else
                Index = StrToIntDef(Trim(Cells(C, ARow)), -1);
            FEditImagePicker->SetImageIndex(Index);
            const Integer Item = FEditImagePicker->ItemIndex();
            FEditImagePicker->SetText(Item >= 0 ? FEditImagePicker->Items()->Items(Item)->Caption() : String());
        }
        ColourStep = false;
        break;
    }
    case edKelGridDropDown:
        if (auto* External = dynamic_cast<IGridKelGridDropDown*>(Editor)) External->StartWithText(Start);
        ColourStep = false;
        break;
    case edControlDropDown:
        FEditControlPicker->SetText(Start);
        ColourStep = false;
        break;
    default:
        break;
    }
    if (ColourStep) Editor->SetColor(Place.Colour);

    StartDropDownEditor(Editor, Place);
    return true;
}

void TZirOvararIzazInput::StartDropDownEditor(TKelCustomDropDown* Editor, const TSpecialEditorPlace&) {
    Editor->SetVisible(true);
    if (Editor->CanFocus()) Editor->SetFocus();
    if (FEditControl == edDetailDropDown) {
        const Integer Index = FEditDetailPicker->Items()->IndexOf(FEditDetailPicker->Text());
        if (Index >= 0) FEditDetailPicker->SetItemIndex(Index);
    }
    const bool Drop = MouseActions()->Settings().DirectComboDrop;
    // The grid drop-down opens before the typed character reaches it.
    if (FEditControl == edGridDropDown && Drop) Editor->ShowDropDown();
    if (FStartEditChar != 0 && Editor->HandleAllocated())
        PostMessage(Editor->Handle(), WM_CHAR, WPARAM(FStartEditChar), 0);
    if (FEditControl != edGridDropDown && Drop) Editor->ShowDropDown();
    if (FEditControl == edMemoDropDown) {
        Editor->SetSelStart(0);
        Editor->SetSelLength(0);
    }
    FEditCtrl = Editor;
}

// ---- Write-back ----------------------------------------------------------------------

bool TZirOvararIzazInput::WriteBackDropDownEditor(Integer C, Integer ARow) {
    if (!IsDropDownKind(FEditControl)) return false;
    TKelCustomDropDown* Editor = nullptr;
    switch (FEditControl) {
    case edTrackbarDropDown: Editor = FEditTrackBar; break;
    case edMemoDropDown: Editor = FEditMemo; break;
    case edCalculatorDropDown: Editor = FEditCalculator; break;
    case edTimePickerDropDown: Editor = FEditTimePicker; break;
    case edDetailDropDown: Editor = FEditDetailPicker; break;
    case edGridDropDown: Editor = FEditGridPicker; break;
    case edColorPickerDropDown: Editor = FEditColorPicker; break;
    case edImagePickerDropDown: Editor = FEditImagePicker; break;
    case edKelGridDropDown: Editor = FEditKelGridPicker; break;
    case edControlDropDown: Editor = FEditControlPicker; break;
    default: break;
    }
    if (!Editor || !FEditMode || !Editor->Visible()) return true;
    FEditMode = false;
    auto* Keys = dynamic_cast<TGridDropDownKeys*>(Editor);
    const bool Cancelled = Keys && Keys->Cancelled();
    if (FEditControl == edColorPickerDropDown) {
        // A cancelled pick leaves the cell and its colour as they were.
        if (!Cancelled) {
            TColor Value = FEditColorPicker->SelectedColor();
            String Text = FEditColorPicker->GetSelectedColorText();
            if (OnColorSelected) OnColorSelected(this, C, ARow, Value, Text);
            if (HasShape(C, ARow)) {
                SetShapeColor(C, ARow, Value);
                if (OriginalCellValue().empty()) SetCells(C, ARow, String());
            } else {
                StoreEditValue(C, ARow, Text);
                SetColors(C, ARow, Value);
            }
        }
    } else if (FEditControl == edImagePickerDropDown) {
        const TCellType Type = GetCellType(C, ARow);
        if (!Cancelled && (Type == ctImageList || Type == ctDataImage)) {
            Integer Index = FEditImagePicker->ImageIndex();
            if (OnImageSelected) OnImageSelected(this, C, ARow, Index);
            if (Type == ctImageList)
                SetImageIdx(C, ARow, Index);
            else
                StoreEditValue(C, ARow, IntToStr(Index));
        }
    } else {
        const String Value = FEditControl == edMemoDropDown ? FEditMemo->MemoValue() : Editor->Text();
        StoreEditValue(C, ARow, Value);
    }
    // A pop-up still open goes with its editor.
    if (Editor->DroppedDown()) Editor->HideDropDown(true);
    Editor->SetVisible(false);
    Editor->SetEnabled(false);
    return true;
}
