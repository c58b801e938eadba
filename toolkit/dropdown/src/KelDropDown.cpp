// The drop-down edit: creation, properties, the label, the button layout,
// the edit rectangle, painting of borders, focus rectangle and empty text,
// and the window messages it handles.

#include "dropdown/KelDropDown.h"
#include "dropdown/KelCalculatorDropdown.h"
#include "dropdown/KelColorPickerDropDown.h"
#include "dropdown/KelDateTimePicker.h"
#include "dropdown/ZuvEdiraRareriVavuRaze.h"
#include "dropdown/KelTimePickerDropDown.h"
#include "dropdown/KelWatch.h"
#include "dropdown/KelDetailDropDown.h"
#include "dropdown/KelImagePickerDropDown.h"
#include "dropdown/KelPickerDropDowns.h"

#include "graphics/Colors.h"
#include "graphics/GdiControls.h"
#include "graphics/GdiText.h"
#include "gridbase/EditorLayout.h"
#include "kel/WindowsPlatform.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "rtl/MathUtils.h"
#include "vcl/Forms.h"
#include "windowing/Focus.h"
#include "windowing/Input.h"
#include "windowing/Paint.h"

using namespace winapi;
using namespace KelDropDown;

namespace {

void FrameWindowRect(HDC DC, const TRect& Rect, TColor Color) {
    TCanvas Canvas;
    Canvas.SetHandle(DC);
    Canvas.Brush()->SetColor(Color);
    Canvas.FrameRect(Rect);
    Canvas.SetHandle(nullptr);
}

} // namespace

const TClassInfo& TKelCustomDropDown::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelCustomDropDown, TCustomMaskEdit>().Build();
    return Info;
}

const TClassInfo& TKelDropDown::StaticClassInfo() {
    using C = TKelDropDown;
    static const TClassInfo Info =
        TClassBuilder<C, TKelCustomDropDown>()
            .Property(u"BorderColor", TypeInfo_TColor(), &C::BorderColor, &C::SetBorderColor)
            .Default(clNone)
            .Property(u"FocusBorderColor", TypeInfo_TColor(), &C::FocusBorderColor, &C::SetFocusBorderColor)
            .Default(clNone)
            .Property(u"EmptyText", &C::EmptyText, &C::SetEmptyText)
            .Property(u"EmptyTextFocused", &C::EmptyTextFocused, &C::SetEmptyTextFocused)
            .Default(false)
            .Property(u"EmptyTextStyle", &C::EmptyTextStyle, &C::SetEmptyTextStyle)
            .Default(TFontStyles{})
            .Property(u"DropDownColor", TypeInfo_TColor(), &C::DropDownColor, &C::SetDropDownColor)
            .Default(0xFFFFFF)
            .Property(u"DropDownColorTo", TypeInfo_TColor(), &C::DropDownColorTo, &C::SetDropDownColorTo)
            .Default(clNone)
            .Property(u"DropDownBorderColor", TypeInfo_TColor(), &C::DropDownBorderColor,
                      &C::SetDropDownBorderColor)
            .Default(clBlack)
            .Property(u"DropDownBorderWidth", &C::DropDownBorderWidth, &C::SetDropDownBorderWidth)
            .Default(1)
            .Property(u"DropDownShadow", &C::DropDownShadow, &C::SetDropDownShadow)
            .Default(true)
            .Property(u"DropDownWidth", &C::DropDownWidth, &C::SetDropDownWidth)
            .Default(0)
            .Property(u"DropDownHeight", &C::DropDownHeight, &C::SetDropDownHeight)
            .Default(0)
            .Property(u"DropDownEnabled", &C::DropDownEnabled, &C::SetDropDownEnabled)
            .Default(true)
            .Property(u"DropPosition", &C::DropPosition, &C::SetDropPosition)
            .Default(dpAuto)
            .Property(u"DropDownButtonWidth", &C::DropDownButtonWidth, &C::SetDropDownButtonWidth)
            .Default(17)
            .Property(u"DropDownButtonHint", &C::DropDownButtonHint, &C::SetDropDownButtonHint)
            .Property(u"DropDownSizeable", &C::DropDownSizeable, &C::SetDropDownSizeable)
            .Default(true)
            .Property(u"EditorEnabled", &C::EditorEnabled, &C::SetEditorEnabled)
            .Default(true)
            .Property(u"LabelCaption", &C::LabelCaption, &C::SetLabelCaption)
            .Property(u"LabelPosition", &C::LabelPosition, &C::SetLabelPosition)
            .Default(lpLeftTop)
            .Property(u"LabelMargin", &C::LabelMargin, &C::SetLabelMargin)
            .Default(4)
            .Property(u"LabelTransparent", &C::LabelTransparent, &C::SetLabelTransparent)
            .Default(false)
            .Property(u"LabelAlwaysEnabled", &C::LabelAlwaysEnabled, &C::SetLabelAlwaysEnabled)
            .Default(false)
            .Property(u"LabelFont", &C::LabelFont, &C::SetLabelFont)
            .Property(u"Version", &C::Version, &C::SetVersion)
            .Property(u"ButtonAppearance", &C::ButtonAppearance, &C::SetButtonAppearance)
            .Property(u"DropDownHeader", &C::DropDownHeader, &C::SetDropDownHeader)
            .Property(u"DropDownFooter", &C::DropDownFooter, &C::SetDropDownFooter)
            // The two extra stream values, read back without being applied.
            .Property(u"SelectionColorStyle", &C::StoredSelectionColorStyle,
                      [](C& Self, SmallInt Value) { Self.ReadStoredSelectionColorStyle(Value); })
            .Property(u"DOVStyle", &C::StoredStyle, [](C& Self, Integer Value) { Self.ReadStoredStyle(Value); })
            .Build();
    return Info;
}

void RegisterDropDownClasses() {
    RegisterDropDownAppearanceClasses();
    RegisterClasses({&TKelDropDown::StaticClassInfo(), &TDropDownEditButton::StaticClassInfo(),
                     &TKelControlDropDown::StaticClassInfo(), &TKelTrackBarDropDown::StaticClassInfo(),
                     &TKelMemoDropDown::StaticClassInfo(), &TKelDetailDropDown::StaticClassInfo(),
                     &TKelImagePickerDropDown::StaticClassInfo(),
                     &TItemAppearance::StaticClassInfo(),
                     &TKelDropDownSpeedButton::StaticClassInfo(), &TDropDownForm::StaticClassInfo()});
    RegisterClasses({&TKelCalculatorDropdown::StaticClassInfo(), &TCalcButtonItem::StaticClassInfo(),
                     &TKelWatch::StaticClassInfo(), &TKelTimePickerDropDown::StaticClassInfo(),
                     &TCustomDateTimePicker::StaticClassInfo(), &TKelDateTimePicker::StaticClassInfo()});
    RegisterColorPickerClasses();
    RegisterClasses({&ZuvEdiraRareriVavuRaze::TZuvEdiraRareriVavuRaze::StaticClassInfo(),
                     &ZuvEdiraRareriVavuRaze::TZazUruDava::StaticClassInfo(),
                     &ZuvEdiraRareriVavuRaze::TDropDownColumn::StaticClassInfo(),
                     &ZuvEdiraRareriVavuRaze::TDropDownItem::StaticClassInfo()});
}

// ---- Creation ----

TKelCustomDropDown::TKelCustomDropDown(TComponent* AOwner)
    : TCustomMaskEdit(AOwner), FDropDownHeader(std::make_unique<THeaderAppearance>(this)),
      FButtonAppearance(std::make_unique<TKelButtonAppearance>()),
      FDropDownFooter(std::make_unique<TFooterAppearance>(this)), FLabelFont(std::make_unique<TFont>()) {
    TControl::SetBounds(Left(), Top(), 200, 21);
    Integer Major = 0, Minor = 0;
    GetWindowsVersion(Major, Minor);
    FIsWinXP = Major > 5 || (Major == 5 && Minor > 0);
    const Cardinal Comctl = WindowsPlatform().FileVersionMajor(u"comctl32.dll");
    FIsThemed = Comctl != 0xFFFFFFFFu && Comctl > 5;
    FDesignTime = IsDesigning() && !(Owner() && Owner()->ComponentState().Contains(csReading)) &&
                  !(Owner() && Owner()->ComponentState().Contains(csLoading));
    const auto Changed = [this](TObject* Sender) { AppearanceChanged(Sender); };
    FDropDownHeader->OnChange = Changed;
    FDropDownHeader->OnButtonsChanged = Changed;
    FDropDownFooter->OnChange = Changed;
    FDropDownFooter->OnButtonsChanged = Changed;
    FLabelFont->SetName(u"Segoe UI");
    FLabelFont->SetHeight(-11);
    FLblFntHeight = -11;
    FLabelFont->OnChange = [this](TObject*) {
        if (!FLblUpdate) FLblFntHeight = FLabelFont->Height();
        if (FLabel) PositionLabel();
        if (IsDesigning() && !ComponentState().Contains(csLoading)) SetParentFont(false);
    };
}

void TKelCustomDropDown::AfterConstruction() {
    TCustomMaskEdit::AfterConstruction();
    if (!IsDesigning()) CreateDropDownForm();
    CreateDropDownButton();
    TControlStyle Style = ControlStyle();
    Style.Exclude(csSetCaption);
    SetControlStyle(Style);
    SetReadOnly(false);
    SetEditTextRaw(String());
    if (FDesignTime) SetSelectionColorStyle(scWindows7);
}

TKelCustomDropDown::~TKelCustomDropDown() = default;

void TKelCustomDropDown::BeforeDestruction() {
    // The pop-up and the button are components of this edit and go with it;
    // the hosted control only loses its parent.
    if (FControl && FDropDownForm && FControl->Parent() == FDropDownForm) FControl->SetParent(nullptr);
    if (FDropDownForm) FDropDownForm->SetKelDropDown(nullptr);
    TCustomMaskEdit::BeforeDestruction();
}

bool TKelCustomDropDown::IsDesigning() const {
    return ComponentState().Contains(csDesigning);
}

void TKelCustomDropDown::CreateDropDownButton() {
    if (FButton) return;
    FButton = Create<TDropDownEditButton>(this);
    FButton->SetParent(this);
    if (IsDesigning()) FButton->SetColor(clBtnFace);
    UpdateDropDownButton();
}

void TKelCustomDropDown::UpdateDropDownButton() {
    if (!FButton) return;
    FButton->SetWidth(FButtonWidth);
    FButton->SetHeight(17);
    FButton->SetVisible(true);
    FButton->SetFocusControl(this);
}

void TKelCustomDropDown::CreateParams(TCreateParams& Params) {
    TCustomMaskEdit::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN;
}

void TKelCustomDropDown::CreateWnd() {
    TCustomMaskEdit::CreateWnd();
    UpdateEditRect();
    AlignDropDownButton();
    if (FLabel) PositionLabel();
}

void TKelCustomDropDown::Loaded() {
    TCustomMaskEdit::Loaded();
    FParentFnt = ParentFont();
    if (HandleAllocated()) UpdateEditRect();
    AlignDropDownButton();
    if (FButton) FButton->SetEnabled(Enabled());
    if (FLabel) {
        if (!FLabelAlwaysEnabled) FLabel->SetEnabled(Enabled());
        PositionLabel();
        if (ParentFont()) FLabel->Font()->Assign(Font());
    }
    FLblFntHeight = FLabelFont->Height();
}

void TKelCustomDropDown::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomMaskEdit::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    // References are dropped even while this edit is being destroyed; only
    // the repaint and the hooks are left out then.
    const bool Destroying = ComponentState().Contains(csDestroying);
    if (AComponent == FImages) {
        FImages = nullptr;
        if (!Destroying) Invalidate();
    }
    if (AComponent == FControl) FControl = nullptr;
    if (AComponent == FFocusControl) FFocusControl = nullptr;
    if (AComponent == FLabel) FLabel = nullptr;
    if (AComponent == FButton) FButton = nullptr;
    if (AComponent == FDropDownForm) {
        FDropDownForm = nullptr;
        if (!Destroying) DropDownFormDestroyed();
    }
}

void TKelCustomDropDown::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TKelCustomDropDown*>(Source);
    if (!Other) {
        TCustomMaskEdit::Assign(Source);
        return;
    }
    FFocusDraw = Other->FFocusDraw;
    FForceShadow = Other->FForceShadow;
    SetDropDownEnabled(Other->FDropDownEnabled);
    FDropDownColor = Other->FDropDownColor;
    FDropDownColorTo = Other->FDropDownColorTo;
    FDropDownGradient = Other->FDropDownGradient;
    FDropDownBorderColor = Other->FDropDownBorderColor;
    FDropDownBorderWidth = Other->FDropDownBorderWidth;
    FDropDownShadow = Other->FDropDownShadow;
    FDropDownWidth = Other->FDropDownWidth;
    FDropDownHeight = Other->FDropDownHeight;
    FDropDownSizeable = Other->FDropDownSizeable;
    FEditType = Other->FEditType;
    FReturnIsTab = Other->FReturnIsTab;
    FLengthLimit = Other->FLengthLimit;
    FPrecision = Other->FPrecision;
    FPrefix = Other->FPrefix;
    FSuffix = Other->FSuffix;
    FDefaultHandling = Other->FDefaultHandling;
    FCanUndo = Other->FCanUndo;
    FExcelStyleDecimalSeparator = Other->FExcelStyleDecimalSeparator;
    FValidChars = Other->FValidChars;
    FSigned = Other->FSigned;
    FAutoThousandSeparator = Other->FAutoThousandSeparator;
    FButtonAppearance->Assign(Other->FButtonAppearance.get());
    FDropDownHeader->Assign(Other->FDropDownHeader.get());
    FDropDownFooter->Assign(Other->FDropDownFooter.get());
    FDropPosition = Other->FDropPosition;
    FFlat = Other->FFlat;
    SetDropDownButtonWidth(Other->FButtonWidth);
    SetDropDownButtonHint(Other->FButtonHint);
    FEditorEnabled = Other->FEditorEnabled;
    if (FButton && Other->FButton) {
        FButton->SetGlyph(Other->FButton->Glyph());
        FButton->SetButtonCaption(Other->FButton->ButtonCaption());
    }
    FEtched = Other->FEtched;
    SetImages(Other->FImages);
    FSelectionColorStyle = Other->FSelectionColorStyle;
    FSelectionColor = Other->FSelectionColor;
    FSelectionColorTo = Other->FSelectionColorTo;
}

// ---- Properties ----

String TKelCustomDropDown::Version() const {
    const Cardinal Nr = GetVersionNr();
    return IntToStr((Nr >> 24) & 0xFF) + u"." + IntToStr((Nr >> 16) & 0xFF) + u"." + IntToStr((Nr >> 8) & 0xFF) +
           u"." + IntToStr(Nr & 0xFF);
}

void TKelCustomDropDown::SetBorderColor(TColor Value) {
    if (FBorderColor == Value) return;
    FBorderColor = Value;
    Invalidate();
    if (Value == clNone && HandleAllocated()) {
        // Nudge the size so the window system repaints the frame.
        SetWidth(Width() + 1);
        SetWidth(Width() - 1);
    }
    RefreshButton();
}

void TKelCustomDropDown::SetFocusBorderColor(TColor Value) {
    if (FFocusBorderColor == Value) return;
    FFocusBorderColor = Value;
    Invalidate();
}

void TKelCustomDropDown::SetDisabledBorder(bool Value) {
    if (FDisabledBorder == Value) return;
    FDisabledBorder = Value;
    Invalidate();
}

void TKelCustomDropDown::SetEmptyText(const String& Value) {
    if (FEmptyText == Value) return;
    FEmptyText = Value;
    Invalidate();
}

void TKelCustomDropDown::SetEmptyTextStyle(TFontStyles Value) {
    if (FEmptyTextStyle == Value) return;
    FEmptyTextStyle = Value;
    Invalidate();
}

void TKelCustomDropDown::SetDropDownWidth(Integer Value) {
    if (FDropDownWidth == Value) return;
    FDropDownWidth = Value;
    FUserDropDownWidth = -1;
}

void TKelCustomDropDown::SetDropDownHeight(Integer Value) {
    if (Value < 0 || FDropDownHeight == Value) return;
    FDropDownHeight = Value;
    FUserDropDownHeight = -1;
}

void TKelCustomDropDown::ResetUserDropDownSize() {
    FUserDropDownWidth = -1;
    FUserDropDownHeight = -1;
}

void TKelCustomDropDown::SetDropDownEnabled(bool Value) {
    FDropDownEnabled = Value;
    if (FButton) FButton->SetEnabled(Value);
}

void TKelCustomDropDown::SetDropDownButtonWidth(Integer Value) {
    if (FButtonWidth == Value) return;
    FButtonWidth = Value;
    if (FButton && FButton->ButtonWidth() != Value) FButton->SetButtonWidth(Value);
    if (FButton && FButton->HandleAllocated()) AlignDropDownButton();
}

void TKelCustomDropDown::SetDropDownButtonHint(const String& Value) {
    FButtonHint = Value;
    if (!FButton) return;
    FButton->SetHint(Value);
    FButton->SetShowHint(!Value.empty());
    FButton->Button()->SetHint(Value);
    FButton->Button()->SetShowHint(!Value.empty());
}

void TKelCustomDropDown::SetDropDownButtonGlyph(const TBitmap* Value) {
    if (FButton) FButton->SetGlyph(Value);
}

void TKelCustomDropDown::SetEditorEnabled(bool Value) {
    FEditorEnabled = Value;
    TControlStyle Style = ControlStyle();
    if (Value)
        Style.Include(csDoubleClicks);
    else
        Style.Exclude(csDoubleClicks);
    SetControlStyle(Style);
}

void TKelCustomDropDown::SetImages(TCustomImageList* Value) {
    if (FImages == Value) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (Value) Value->FreeNotification(this);
}

void TKelCustomDropDown::SetFocusControl(TWinControl* Value) {
    if (FFocusControl == Value) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = Value;
    if (Value) Value->FreeNotification(this);
}

void TKelCustomDropDown::SetSelectionColor(TColor Value) {
    FSelectionColor = Value;
    FSelectionColorStyle = scCustom;
}

void TKelCustomDropDown::SetFlat(bool Value) {
    if (FFlat == Value) return;
    FFlat = Value;
    AlignDropDownButton();
    Invalidate();
}

void TKelCustomDropDown::SetEtched(bool Value) {
    if (FEtched == Value) return;
    FEtched = Value;
    if (FButton) FButton->Button()->SetEtched(Value);
}

void TKelCustomDropDown::SetPrefix(const String& Value) {
    const String V = ReadText();
    FPrefix = Value;
    SetEditTextRaw(FPrefix + V + FSuffix);
}

void TKelCustomDropDown::SetSuffix(const String& Value) {
    const String V = ReadText();
    FSuffix = Value;
    SetEditTextRaw(FPrefix + V + FSuffix);
}

// ---- Style slots, filled by the colour styles ----

void TKelCustomDropDown::DrawGradientFill(TCanvas* Canvas, TColor FromColor, TColor ToColor, Integer Steps,
                                          const TRect& Rect, bool Direction) {
    DrawBandedGradient(Canvas, FromColor, ToColor, Steps, Rect, !Direction);
}

// ---- Label ----

const String& TKelCustomDropDown::LabelCaption() const {
    static const String Empty;
    return FLabel ? FLabel->Caption() : Empty;
}

void TKelCustomDropDown::SetLabelCaption(const String& Value) {
    if (!FLabel) {
        FLabel = Create<TLabel>(this);
        FLabel->SetParent(Parent());
        FLabel->SetFocusControl(this);
        FLabel->Font()->Assign(FLabelFont.get());
        FLabel->SetParentFont(ParentFont());
        FLabel->OnClick = [this](TObject*) { DoLabelClick(); };
        FLabel->OnDblClick = [this](TObject*) { DoLabelDblClick(); };
    }
    FLabel->SetCaption(Value);
    PositionLabel();
}

void TKelCustomDropDown::SetLabelPosition(TLabelPosition Value) {
    FLabelPosition = Value;
    if (FLabel) PositionLabel();
}

void TKelCustomDropDown::SetLabelMargin(Integer Value) {
    FLabelMargin = Value;
    if (FLabel) PositionLabel();
}

void TKelCustomDropDown::SetLabelTransparent(bool Value) {
    FLabelTransparent = Value;
    if (FLabel) PositionLabel();
}

void TKelCustomDropDown::SetLabelFont(const TFont* Value) {
    if (!ParentFont()) FLabelFont->Assign(Value);
}

void TKelCustomDropDown::DoLabelClick() {
    if (OnLabelClick) OnLabelClick(this);
}

void TKelCustomDropDown::DoLabelDblClick() {
    if (OnLabelDblClick) OnLabelDblClick(this);
}

void TKelCustomDropDown::PositionLabel() {
    if (!FLabel) return;
    FLabel->SetTransparent(FLabelTransparent);
    FLabel->Font()->Assign(FParentFnt ? Font() : FLabelFont.get());
    Integer W = 0;
    if (FLabel->Parent() && FLabel->Parent()->HandleAllocated()) {
        TCanvas Canvas;
        const HDC DC = GetDC(FLabel->Parent()->Handle());
        Canvas.SetHandle(DC);
        Canvas.Font()->Assign(FLabel->Font());
        TRect Box(0, 0, 1000, 255);
        DrawText(Canvas.Handle(), FLabel->Caption(), Box, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        Canvas.SetHandle(nullptr);
        ReleaseDC(FLabel->Parent()->Handle(), DC);
        W = Box.Width();
    }
    static_assert(KelDropDown::lpBottomRight == 14, "the label positions follow the shared placement order");
    const TPoint At =
        LabelPlacement(FLabelPosition, BoundsRect(), {FLabel->Width(), FLabel->Height()}, W, FLabelMargin);
    FLabel->SetTop(At.Y);
    FLabel->SetLeft(At.X);
    FLabel->SetVisible(Visible());
}

void TKelCustomDropDown::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
    TCustomMaskEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FLabel) PositionLabel();
}

void TKelCustomDropDown::SetParent(TWinControl* AParent) {
    TCustomMaskEdit::SetParent(AParent);
    if (FLabel) {
        FLabel->SetParent(AParent);
        PositionLabel();
    }
}

// ---- Layout ----

Integer TKelCustomDropDown::GetMinHeight() {
    return EditTextHeight(Font());
}

void TKelCustomDropDown::UpdateEditRect() {
    if (!HandleAllocated()) return;
    FDPIScale = GetDPIScale(this);
    const Integer Inset = BorderStyle() == bsNone && BevelKind() == bkNone ? 2 : 1;
    // The button window's own width (it keeps 16 until DropDownButtonWidth changes).
    const Integer ButtonWidth = FButton ? FButton->Width() : FButtonWidth;
    TRect Rect;
    Rect.Left = Rect.Top = RoundToInt(Inset * FDPIScale);
    Rect.Right = ClientWidth() - RoundToInt(ButtonWidth * FDPIScale) - 3;
    Rect.Bottom = ClientHeight() + 1;
    FEditRect = Rect;
    if (!Ctl3D()) Rect.Left += RoundToInt(FDPIScale);
    Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&Rect));
}

void TKelCustomDropDown::AlignDropDownButton() {
    if (!FButton) return;
    const bool Bordered = BorderStyle() != bsNone || BevelKind() != bkNone;
    const Integer M = Bordered ? 4 : 2;
    const Integer MinHeight = GetMinHeight();
    if (Height() < MinHeight) {
        SetHeight(MinHeight);
        return;
    }
    if (Ctl3D() && Bordered) {
        FButton->SetBounds(Width() - FButton->Width() - (FFlat ? 3 : M), FFlat ? 2 : 0, FButton->Width(),
                           Height() - (FFlat ? 3 : M));
    } else {
        FButton->SetBounds(Width() - FButton->Width() - (Ctl3D() ? 0 : 2), 1, FButton->Width(), Height() - 2);
    }
    UpdateEditRect();
    Invalidate();
}

void TKelCustomDropDown::ChangeScale(Integer M, Integer D) {
    TCustomMaskEdit::ChangeScale(M, D);
    // One factor for the whole control: the form's monitor's.
    FDPIScale = GetDPIScale(this);
    if (FButton) {
        FButton->SetButtonWidth(RoundToInt(FButtonWidth * FDPIScale));
        AlignDropDownButton();
    }
    FLblUpdate = true;
    FLabelFont->SetHeight(RoundToInt(FLblFntHeight * FDPIScale));
    FLblUpdate = false;
}

// ---- Painting ----

bool TKelCustomDropDown::Hot() const {
    if (IsDesigning()) return false;
    return FMouseInControl || Focused();
}

void TKelCustomDropDown::RefreshButton() {
    if (FButton && FButton->Button()) FButton->Button()->Invalidate();
}

void TKelCustomDropDown::DrawBorders() {
    if (IsDesigning() || !HandleAllocated()) return;
    if (Enabled() && !FFlat && FBorderColor == clNone && FFocusBorderColor == clNone) return;
    const HDC DC = GetWindowDC(Handle());
    TRect Rect(0, 0, Width(), Height());
    if (!Enabled() && FIsThemed && FDisabledBorder) {
        FrameWindowRect(DC, Rect, 0xC0C0C0);
    } else if (FBorderColor != clNone && !(Focused() && FFocusBorderColor != clNone)) {
        FrameWindowRect(DC, Rect, FBorderColor);
    } else if (FFocusBorderColor != clNone) {
        if (Focused()) FrameWindowRect(DC, Rect, FFocusBorderColor);
    } else if (Hot()) {
        DrawEdge(DC, Rect, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        FrameWindowRect(DC, Rect, clBtnFace);
    } else {
        const TColor Background = Parent() ? Parent()->Color() : clBtnFace;
        FrameWindowRect(DC, Rect, Background);
        InflateRect(Rect, -1, -1);
        FrameWindowRect(DC, Rect, Background);
    }
    ReleaseDC(Handle(), DC);
}

void TKelCustomDropDown::PaintFocusRect() {
    if (FEditorEnabled || !Focused() || IsDesigning() || !FFocusDraw || !HandleAllocated()) return;
    const HDC DC = GetWindowDC(Handle());
    TCanvas Canvas;
    Canvas.SetHandle(DC);
    const Integer ButtonWidth = FButton ? FButton->Width() : FButtonWidth;
    TRect Rect(2, 2, Width() - RoundToInt(ButtonWidth * FDPIScale) - 1, Height() - 2);
    Canvas.Brush()->SetColor(clHighlight);
    Canvas.Pen()->SetColor(clBlack);
    Canvas.Rectangle(Rect);
    Canvas.Font()->Assign(Font());
    Canvas.Font()->SetColor(clHighlightText);
    Canvas.Brush()->SetStyle(bsClear);
    TRect TextRect(Rect.Left + 2, Rect.Top, Rect.Right - 3, Rect.Bottom);
    DrawText(DC, ReadText(), TextRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    Canvas.SetHandle(nullptr);
    ReleaseDC(Handle(), DC);
}

void TKelCustomDropDown::PaintEmptyText() {
    if (!ReadText().empty() || FEmptyText.empty() || !HandleAllocated()) return;
    if (Focused() && !FEmptyTextFocused) return;
    const HDC DC = GetDC(Handle());
    TCanvas Canvas;
    Canvas.SetHandle(DC);
    if (IsVistaOrLater()) {
        Canvas.Brush()->SetColor(Color());
        SetBkMode(DC, OPAQUE);
    } else {
        SetBkMode(DC, TRANSPARENT);
    }
    Canvas.Font()->Assign(Font());
    Canvas.Font()->SetStyle(FEmptyTextStyle);
    Canvas.Font()->SetColor(0x808080);
    Canvas.TextOut(Ctl3D() ? 3 : 6, 2, FEmptyText);
    Canvas.SetHandle(nullptr);
    ReleaseDC(Handle(), DC);
}

// ---- Header and footer changes ----

void TKelCustomDropDown::AppearanceChanged(TObject*) {
    if (FDropDownForm && FDroppedDown) {
        FDropDownForm->InitializeAndUpdate();
        FDropDownForm->Invalidate();
    }
}

// ---- Messages ----

void TKelCustomDropDown::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SIZE:
        TCustomMaskEdit::WndProc(Message);
        AlignDropDownButton();
        return;
    case WM_SETFOCUS:
        HandleWMSetFocus(Message);
        return;
    case WM_KILLFOCUS:
        HandleWMKillFocus(Message);
        return;
    case WM_KEYDOWN:
        HandleWMKeyDown(Message);
        return;
    case WM_CHAR:
        HandleWMChar(Message);
        return;
    case WM_CUT:
        HandleWMCut();
        return;
    case WM_COPY:
        HandleWMCopy();
        return;
    case WM_PASTE:
        HandleWMPaste();
        return;
    case WM_LBUTTONDOWN: {
        if (!FEditorEnabled) {
            TCustomMaskEdit::WndProc(Message);
            if (!IsDesigning()) HideCaret(Handle());
            DropDownButtonClick(this);
            return;
        }
        if (Focused() && SelLength() > 0) {
            const LRESULT Index = Perform(EM_CHARFROMPOS, 0, Message.LParam);
            const Integer Char = Integer(LOWORD(NativeUInt(Index)));
            if (Char >= SelStart() && Char < SelStart() + SelLength()) {
                FButtonDown = true;
                return;
            }
        }
        TCustomMaskEdit::WndProc(Message);
        return;
    }
    case WM_LBUTTONUP:
        if (FButtonDown) {
            FButtonDown = false;
            const LRESULT Index = Perform(EM_CHARFROMPOS, 0, Message.LParam);
            SetSelStart(Integer(LOWORD(NativeUInt(Index))));
        }
        TCustomMaskEdit::WndProc(Message);
        if (!FEditorEnabled || ReadOnly()) PaintFocusRect();
        HandleMouseUpClamps();
        return;
    case WM_PAINT:
        TCustomMaskEdit::WndProc(Message);
        if (FBorderColor != clNone || FFocusBorderColor != clNone || (!Enabled() && FDisabledBorder) || FFlat)
            DrawBorders();
        PaintFocusRect();
        PaintEmptyText();
        return;
    case WM_NCPAINT:
        TCustomMaskEdit::WndProc(Message);
        if (FBorderColor != clNone || FFocusBorderColor != clNone || FFlat) DrawBorders();
        return;
    case WM_SETCURSOR:
        if (!FEditorEnabled) {
            winapi::SetCursor(Screen->Cursors(Cursor() == crDefault ? TCursor(crArrow) : Cursor()));
            Message.Result = 1;
            return;
        }
        TCustomMaskEdit::WndProc(Message);
        return;
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
        return;
    case CN_COMMAND:
        if (HIWORD(Message.WParam) == EN_CHANGE && FBlockChange) {
            FBlockChange = false;
            return;
        }
        TCustomMaskEdit::WndProc(Message);
        return;
    case CM_ENTER:
        if (AutoSelect() && !(GetKeyState(VK_LBUTTON) & 0x8000)) SelectAll();
        TCustomMaskEdit::WndProc(Message);
        if (HandleAllocated()) UpdateEditRect();
        DrawBorders();
        if (FButton) FButton->Button()->SetFocused(Hot());
        return;
    case CM_EXIT:
        TCustomMaskEdit::WndProc(Message);
        DrawBorders();
        if (FButton) FButton->Button()->SetFocused(Hot());
        return;
    case CM_MOUSEENTER:
        TCustomMaskEdit::WndProc(Message);
        if (Message.LParam == 0) {
            PaintFocusRect();
            PaintEmptyText();
            if (Enabled()) FMouseInControl = true;
            DrawBorders();
            if (FButton) FButton->Button()->SetFocused(Hot());
        }
        return;
    case CM_MOUSELEAVE:
        TCustomMaskEdit::WndProc(Message);
        if (Message.LParam == 0) {
            FMouseInControl = false;
            DrawBorders();
            if (FButton) FButton->Button()->SetFocused(Hot());
        }
        return;
    case CM_ENABLEDCHANGED:
        TCustomMaskEdit::WndProc(Message);
        if (FButton) FButton->SetEnabled(Enabled());
        if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(Enabled());
        return;
    case CM_FONTCHANGED:
        TCustomMaskEdit::WndProc(Message);
        if (HandleAllocated()) UpdateEditRect();
        return;
    case CM_PARENTFONTCHANGED:
        TCustomMaskEdit::WndProc(Message);
        if (FLabel && ParentFont()) FLabel->Font()->Assign(Font());
        return;
    case CM_VISIBLECHANGED:
        TCustomMaskEdit::WndProc(Message);
        if (FLabel && !FLabel->Caption().empty()) FLabel->SetVisible(Visible());
        return;
    case CM_WANTSPECIALKEY:
        HandleCMWantSpecialKey(Message);
        return;
    case EM_SETREADONLY:
        TCustomMaskEdit::WndProc(Message);
        RefreshButton();
        return;
    default:
        TCustomMaskEdit::WndProc(Message);
        return;
    }
}

bool TKelCustomDropDown::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
    const bool Result = TCustomMaskEdit::DoMouseWheel(Shift, WheelDelta, MousePos);
    const TPoint Client = ScreenToClient(MousePos);
    if (FDroppedDown || PtInRect(ClientRect(), Client)) {
        if (WheelDelta < 0)
            MoveToNextItem();
        else
            MoveToPreviousItem();
    }
    return Result;
}
