#include "dropdown/KelPickerDropDowns.h"

#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "rtl/StringUtils.h"
#include "vcl/Menus.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"
#include "windowing/Paint.h"

#include <charconv>

using namespace winapi;

// ---- TKelControlDropDown ----

const TClassInfo& TKelControlDropDown::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelControlDropDown, TKelDropDown>().Build();
    return Info;
}

void TKelControlDropDown::Loaded() {
    TKelDropDown::Loaded();
    if (!ComponentState().Contains(csDesigning)) PlaceDropDownControl();
}

void TKelControlDropDown::Notification(TComponent* AComponent, TOperation Operation) {
    TKelDropDown::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == Control() && !ComponentState().Contains(csDestroying))
        SetControl(nullptr);
}

// ---- TKelTrackBarDropDown ----

namespace {

// The decimal integer of a text, or nothing when it is not one.
std::optional<Integer> ParseInteger(const String& Text) {
    std::string Narrow;
    for (Char C : Text) {
        if (C > 127) return std::nullopt;
        Narrow.push_back(char(C));
    }
    Integer Value = 0;
    const char* End = Narrow.data() + Narrow.size();
    auto [Ptr, Error] = std::from_chars(Narrow.data(), End, Value);
    if (Error != std::errc() || Ptr != End || Narrow.empty()) return std::nullopt;
    return Value;
}

} // namespace

const TClassInfo& TKelTrackBarDropDown::StaticClassInfo() {
    using C = TKelTrackBarDropDown;
    static const TClassInfo Info = TClassBuilder<C, TKelCustomDropDown>()
                                       .Property(u"Max", &C::Max, &C::SetMax)
                                       .Default(10)
                                       .Property(u"Min", &C::Min, &C::SetMin)
                                       .Default(0)
                                       .Property(u"Frequency", &C::Frequency, &C::SetFrequency)
                                       .Default(1)
                                       .Property(u"Position", &C::Position, &C::SetPosition)
                                       .Default(0)
                                       .Property(u"PageSize", &C::PageSize, &C::SetPageSize)
                                       .Default(2)
                                       .Build();
    return Info;
}

TKelTrackBarDropDown::TKelTrackBarDropDown(TComponent* AOwner) : TKelCustomDropDown(AOwner) {
    FEditorEnabled = false;
    FDropDownEnabled = true;
    FEditType = etNumeric;
    FDropDownHeader->SetVisible(false);
    FDropDownFooter->SetVisible(false);
    FForceShadow = true;
}

void TKelTrackBarDropDown::CreateDropDownForm() {
    TKelCustomDropDown::CreateDropDownForm();
    if (!FTrackBar && FDropDownForm) {
        FTrackBar = Create<TTrackBar>(this);
        FTrackBar->SetParent(FDropDownForm);
        FTrackBar->SetBounds(0, 0, FTrackBar->Width(), 40);
    }
    if (FTrackBar) FTrackBar->OnChange = [this](TObject* Sender) { TrackBarChanged(Sender); };
}

void TKelTrackBarDropDown::DoBeforeDropDown() {
    TKelCustomDropDown::DoBeforeDropDown();
    if (FDropDownForm) FDropDownForm->SetCancelOnDeActivate(false);
    if (FTrackBar) {
        FTrackBar->SetMin(FMin);
        FTrackBar->SetMax(FMax);
        FTrackBar->SetPosition(FPosition);
        FTrackBar->SetPageSize(FPageSize);
        FTrackBar->SetFrequency(FFrequency);
        FTrackBar->SetWidth(Width());
        SetControl(FTrackBar);
    }
}

void TKelTrackBarDropDown::WriteMin(Integer Value) {
    FMin = Value;
    if (FTrackBar) {
        FTrackBar->SetMin(Value);
        FMin = FTrackBar->Min();
    }
}

void TKelTrackBarDropDown::WriteMax(Integer Value) {
    FMax = Value;
    if (FTrackBar) {
        FTrackBar->SetMax(Value);
        FMax = FTrackBar->Max();
    }
}

void TKelTrackBarDropDown::WritePosition(Integer Value) {
    FPosition = Value;
    if (FTrackBar) {
        FTrackBar->SetPosition(Value);
        FPosition = FTrackBar->Position();
    }
}

void TKelTrackBarDropDown::WriteFrequency(Integer Value) {
    FFrequency = Value;
    if (FTrackBar) FTrackBar->SetFrequency(Value);
}

void TKelTrackBarDropDown::WritePageSize(Integer Value) {
    FPageSize = Value;
    if (FTrackBar) FTrackBar->SetPageSize(Value);
}

void TKelTrackBarDropDown::TrackBarChanged(TObject*) {
    FPosition = FTrackBar->Position();
    SetTextUnformatted(IntToStr(FPosition));
    if (OnTrackChange) OnTrackChange(this);
}

void TKelTrackBarDropDown::Change() {
    TKelCustomDropDown::Change();
    const String Value = ReadText();
    if (Value.empty()) {
        WritePosition(FMin);
        return;
    }
    // A text that is not an integer leaves the position as it is.
    if (auto Number = ParseInteger(Value)) WritePosition(*Number);
}

void TKelTrackBarDropDown::WndProc(TMessage& Message) {
    TKelCustomDropDown::WndProc(Message);
    if (Message.Msg != WM_KEYDOWN || FEditorEnabled || GetKeyState(VK_MENU) < 0) return;
    if (Message.WParam == VK_UP) {
        if (FPosition - FFrequency >= FMin) WritePosition(FPosition - FFrequency);
    } else if (Message.WParam == VK_DOWN) {
        if (FPosition + FFrequency <= FMax) WritePosition(FPosition + FFrequency);
    }
}

void TKelTrackBarDropDown::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TKelCustomDropDown::MouseDown(Button, Shift, X, Y);
    if (!FDropDownEnabled || FEditorEnabled) return;
    FMouseX = X;
    FMouseDraging = true;
}

void TKelTrackBarDropDown::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    TKelCustomDropDown::MouseMove(Shift, X, Y);
    if (!FMouseDraging || !FDropDownEnabled || FEditorEnabled) return;
    const Integer Delta = X - FMouseX;
    FMouseX = X;
    // A page size of 0 or less drags as with 1.
    const Integer Divisor = FPageSize > 0 ? FPageSize : 1;
    const Integer Step = Delta / Divisor;
    if (Step != 0) WritePosition(FPosition + Step);
}

void TKelTrackBarDropDown::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TKelCustomDropDown::MouseUp(Button, Shift, X, Y);
    FMouseDraging = false;
}

// ---- TKelMemoDropDown ----

const TClassInfo& TKelMemoDropDown::StaticClassInfo() {
    using C = TKelMemoDropDown;
    static const TClassInfo Info = TClassBuilder<C, TKelCustomDropDown>()
                                       .Property(u"AutoDrop", &C::AutoDrop, &C::SetAutoDrop)
                                       .Default(false)
                                       .Property(u"MemoText", &C::MemoText, &C::SetMemoText)
                                       .Property(u"MemoReadOnly", &C::MemoReadOnly, &C::SetMemoReadOnly)
                                       .Default(false)
                                       .Build();
    return Info;
}

TKelMemoDropDown::TKelMemoDropDown(TComponent* AOwner)
    : TKelCustomDropDown(AOwner), FMemoText(std::make_unique<TStringList>()),
      FOpenedLines(std::make_unique<TStringList>()) {
    BindStoredLines(true);
}

TKelMemoDropDown::~TKelMemoDropDown() {
    FMemoText->OnChange = nullptr;
}

void TKelMemoDropDown::BindStoredLines(bool Bound) {
    if (Bound)
        FMemoText->OnChange = [this](TObject* Sender) { UpdateEditFromMemo(Sender); };
    else
        FMemoText->OnChange = nullptr;
}

void TKelMemoDropDown::CreateDropDownForm() {
    TKelCustomDropDown::CreateDropDownForm();
    if (!FMemo && FDropDownForm) {
        FMemo = Create<TMemo>(this);
        FMemo->SetParent(FDropDownForm);
        FMemo->SetHeight(100);
        FMemo->OnChange = [this](TObject* Sender) { MemoChanged(Sender); };
        FMemo->SetBorderStyle(bsNone);
        FMemo->SetWantTabs(true);
        FMemo->SetTabStop(true);
    }
    if (FMemo) SetControl(FMemo);
}

TStrings* TKelMemoDropDown::ReadMemoText() const {
    return FMemo ? FMemo->Lines() : FMemoText.get();
}

void TKelMemoDropDown::WriteMemoText(const TStrings* Value) {
    FMemoText->Assign(Value);
    if (FMemo) FMemo->Lines()->Assign(Value);
}

void TKelMemoDropDown::WriteMemoReadOnly(bool Value) {
    FMemoReadOnly = Value;
    if (FDroppedDown && FMemo) FMemo->SetReadOnly(Value);
}

void TKelMemoDropDown::MemoChanged(TObject*) {
    FMemoText->Assign(FMemo->Lines());
    if (OnMemoChange) OnMemoChange(this);
}

void TKelMemoDropDown::UpdateEditFromMemo(TObject*) {
    String Text;
    if (FMemoText->Count() > 0) {
        Text = FMemoText->Strings(0);
        if (!FEditorEnabled && HandleAllocated()) {
            TCanvas Canvas;
            const HDC DC = GetDC(Handle());
            Canvas.SetHandle(DC);
            Canvas.Font()->Assign(Font());
            TSize Size{0, 0};
            MeasureText(&Canvas, Text, Size);
            const Integer Avail = GetEditRect().Width();
            if (Size.cx < Avail) {
                if (FMemoText->Count() > 1) Text += u"...";
            } else {
                String Cut;
                TruncateText(&Canvas, Text, Avail, true, Cut);
                Text = Cut;
            }
            Canvas.SetHandle(nullptr);
            ReleaseDC(Handle(), DC);
        }
    }
    FInternalUpdate = true;
    SetTextUnformatted(Text);
    Change();
    FInternalUpdate = false;
}

void TKelMemoDropDown::Change() {
    if (!FInternalUpdate) {
        // Typing in the edit replaces the first line and keeps the others.
        BindStoredLines(false);
        TStrings* Target = FMemo ? FMemo->Lines() : FMemoText.get();
        const String Value = ReadText();
        if (Target->Count() > 0)
            Target->SetStrings(0, Value);
        else
            Target->Add(Value);
        FMemoText->Assign(Target);
        BindStoredLines(true);
    }
    TKelCustomDropDown::Change();
}

void TKelMemoDropDown::DoBeforeDropDown() {
    TKelCustomDropDown::DoBeforeDropDown();
    if (FDropDownForm) FDropDownForm->SetCancelOnDeActivate(false);
    if (FMemo) {
        FMemo->SetPopupMenu(FMemoPopup);
        FMemo->SetMaxLength(MaxLength());
        FMemo->SetScrollBars(FMemoScrollBars);
        FMemo->SetReadOnly(FMemoReadOnly);
        FMemo->Font()->Assign(Font());
        FOpenedLines->Assign(FMemo->Lines());
    } else {
        FOpenedLines->Assign(FMemoText.get());
    }
}

void TKelMemoDropDown::DoEnter() {
    TKelCustomDropDown::DoEnter();
    if (FAutoDrop) DoShowDropDown();
}

void TKelMemoDropDown::DoHideDropDown(bool Cancel) {
    const bool WasAutoDrop = FAutoDrop;
    FAutoDrop = false;
    // A cancel brings back every line held at the opening and the edit text
    // made from them, not the edit's (possibly shortened) first line.
    if (Cancel && FDropDownForm && FDropDownForm->Visible()) {
        if (FMemo) FMemo->Lines()->Assign(FOpenedLines.get());
        FInternalUpdate = true;
        try {
            TKelCustomDropDown::DoHideDropDown(Cancel);
        } catch (...) {
            FInternalUpdate = false;
            FAutoDrop = WasAutoDrop;
            throw;
        }
        FInternalUpdate = false;
        FMemoText->Assign(FOpenedLines.get());
    } else {
        TKelCustomDropDown::DoHideDropDown(Cancel);
    }
    FAutoDrop = WasAutoDrop;
}

void TKelMemoDropDown::AfterHideDropDown() {
    TKelCustomDropDown::AfterHideDropDown();
    if (FMemo) {
        BindStoredLines(false);
        FMemoText->Assign(FMemo->Lines());
        BindStoredLines(true);
    }
    UpdateEditFromMemo(nullptr);
    SetSelStart(0);
    SetSelLength(0);
}

void TKelMemoDropDown::ForwardControlKeyDown(TObject*, Word& Key, TShiftState Shift) {
    if (Key == VK_TAB) {
        Key = 0;
        HideDropDown(false);
        SelectAll();
        return;
    }
    if (Shift.Contains(ssAlt) || Key == VK_ESCAPE || Key == VK_F4) SendMessage(Handle(), WM_KEYDOWN, Key, 0);
    if (Shift.Contains(ssCtrl) && (Key == u'A' || Key == u'a') && FMemo) FMemo->SelectAll();
}

void TKelMemoDropDown::ForwardControlKeyUp(TObject*, Word& Key, TShiftState Shift) {
    if (Shift.Contains(ssAlt) || Key == VK_ESCAPE || Key == VK_F4) SendMessage(Handle(), WM_KEYUP, Key, 0);
}

void TKelMemoDropDown::ForwardControlKeyPress(TObject*, Char& Key) {
    if (Key == VK_TAB) {
        Key = 0;
        SelectAll();
        return;
    }
    if (GetKeyState(VK_MENU) < 0 || Key == VK_ESCAPE) SendMessage(Handle(), WM_CHAR, Key, 0);
}
