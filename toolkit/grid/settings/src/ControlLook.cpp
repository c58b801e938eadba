#include "grid/ControlLook.h"

#include "rtl/ClassBuilder.h"

const TClassInfo& TControlLook::StaticClassInfo() {
    using C = TControlLook;
    static const TClassInfo Info =
        TClassBuilder<C, TPersistent>()
            .Property(u"ButtonPrefix", &C::ButtonPrefix, &C::SetButtonPrefix)
            .Default(false)
            .Property(u"Color", TypeInfo_TColor(), &C::Color, &C::SetColor)
            .Default(clBlack)
            .Property(u"CommentColor", TypeInfo_TColor(), &C::CommentColor, &C::SetCommentColor)
            .Default(clRed)
            .Property(u"CheckedGlyph", &C::CheckedGlyph, &C::SetCheckedGlyph)
            .Property(u"FixedGradientFrom", TypeInfo_TColor(), &C::FixedGradientFrom,
                      &C::SetFixedGradientFrom)
            .Default(clNone)
            .Property(u"FixedGradientTo", TypeInfo_TColor(), &C::FixedGradientTo, &C::SetFixedGradientTo)
            .Default(clNone)
            .Property(u"FixedGradientMirrorFrom", TypeInfo_TColor(), &C::FixedGradientMirrorFrom,
                      &C::SetFixedGradientMirrorFrom)
            .Default(clNone)
            .Property(u"FixedGradientMirrorTo", TypeInfo_TColor(), &C::FixedGradientMirrorTo,
                      &C::SetFixedGradientMirrorTo)
            .Default(clNone)
            // The declared stream defaults of the hover and down gradients
            // differ from the values construction leaves, so a new control
            // look writes them.
            .Property(u"FixedGradientHoverFrom", TypeInfo_TColor(), &C::FixedGradientHoverFrom,
                      &C::SetFixedGradientHoverFrom)
            .Default(clWhite)
            .Property(u"FixedGradientHoverTo", TypeInfo_TColor(), &C::FixedGradientHoverTo,
                      &C::SetFixedGradientHoverTo)
            .Default(clGray)
            .Property(u"FixedGradientHoverMirrorFrom", TypeInfo_TColor(), &C::FixedGradientHoverMirrorFrom,
                      &C::SetFixedGradientHoverMirrorFrom)
            .Default(clNone)
            .Property(u"FixedGradientHoverMirrorTo", TypeInfo_TColor(), &C::FixedGradientHoverMirrorTo,
                      &C::SetFixedGradientHoverMirrorTo)
            .Default(clNone)
            .Property(u"FixedGradientHoverBorder", TypeInfo_TColor(), &C::FixedGradientHoverBorder,
                      &C::SetFixedGradientHoverBorder)
            .Default(clSilver)
            .Property(u"FixedGradientDownFrom", TypeInfo_TColor(), &C::FixedGradientDownFrom,
                      &C::SetFixedGradientDownFrom)
            .Default(clSilver)
            .Property(u"FixedGradientDownTo", TypeInfo_TColor(), &C::FixedGradientDownTo,
                      &C::SetFixedGradientDownTo)
            .Default(clGray)
            .Property(u"FixedGradientDownMirrorFrom", TypeInfo_TColor(), &C::FixedGradientDownMirrorFrom,
                      &C::SetFixedGradientDownMirrorFrom)
            .Default(clNone)
            .Property(u"FixedGradientDownMirrorTo", TypeInfo_TColor(), &C::FixedGradientDownMirrorTo,
                      &C::SetFixedGradientDownMirrorTo)
            .Default(clNone)
            .Property(u"FixedGradientDownBorder", TypeInfo_TColor(), &C::FixedGradientDownBorder,
                      &C::SetFixedGradientDownBorder)
            .Default(clGray)
            .Property(u"FixedDropDownButton", &C::FixedDropDownButton, &C::SetFixedDropDownButton)
            .Default(false)
            .Property(u"HintMaxWidth", &C::HintMaxWidth, &C::SetHintMaxWidth)
            .Default(0)
            .Property(u"UnCheckedGlyph", &C::UnCheckedGlyph, &C::SetUnCheckedGlyph)
            .Property(u"RadioOnGlyph", &C::RadioOnGlyph, &C::SetRadioOnGlyph)
            .Property(u"RadioOffGlyph", &C::RadioOffGlyph, &C::SetRadioOffGlyph)
            .Property(u"CheckSize", &C::CheckSize, &C::SetCheckSize)
            .Default(15)
            .Property(u"CheckAlwaysActive", &C::CheckAlwaysActive, &C::SetCheckAlwaysActive)
            .Default(false)
            .Property(u"RadioSize", &C::RadioSize, &C::SetRadioSize)
            .Default(10)
            .Property(u"RadioAlwaysActive", &C::RadioAlwaysActive, &C::SetRadioAlwaysActive)
            .Default(false)
            .Property(u"RadioRange", &C::RadioRange, &C::SetRadioRange)
            .Default(false)
            .Property(u"ControlStyle", &C::ControlStyle, &C::SetControlStyle)
            .Default(ZirOvararIzaz::csTheme)
            .Property(u"DropDownAlwaysVisible", &C::DropDownAlwaysVisible, &C::SetDropDownAlwaysVisible)
            .Default(false)
            .Property(u"DropDownButtonWidth", &C::DropDownButtonWidth, &C::SetDropDownButtonWidth)
            .Default(16)
            .Property(u"DropDownCount", &C::DropDownCount, &C::SetDropDownCount)
            .Default(8)
            .Property(u"DropDownHeader", &C::DropDownHeader, &C::SetDropDownHeader)
            .Property(u"DropDownFooter", &C::DropDownFooter, &C::SetDropDownFooter)
            .Property(u"SpinButtonsAlwaysVisible", &C::SpinButtonsAlwaysVisible,
                      &C::SetSpinButtonsAlwaysVisible)
            .Default(false)
            .Property(u"FlatButton", &C::FlatButton, &C::SetFlatButton)
            .Default(false)
            .Property(u"NoDisabledCheckRadioLook", &C::NoDisabledCheckRadioLook,
                      &C::SetNoDisabledCheckRadioLook)
            .Default(false)
            .Property(u"NoDisabledButtonLook", &C::NoDisabledButtonLook, &C::SetNoDisabledButtonLook)
            .Default(false)
            .Property(u"ProgressBorderColor", TypeInfo_TColor(), &C::ProgressBorderColor,
                      &C::SetProgressBorderColor)
            .Default(clGray)
            .Property(u"ProgressMarginX", &C::ProgressMarginX, &C::SetProgressMarginX)
            .Default(2)
            .Property(u"ProgressMarginY", &C::ProgressMarginY, &C::SetProgressMarginY)
            .Default(2)
            .Property(u"ProgressXP", &C::ProgressXP, &C::SetProgressXP)
            .Default(false)
            .Property(u"ProgressHeight", &C::ProgressHeight, &C::SetProgressHeight)
            .Default(0)
            .Build();
    return Info;
}

TControlLook::TControlLook(IGridSettingsOwner* AOwner)
    : FOwner(AOwner), FCheckedGlyph(std::make_unique<TBitmap>()),
      FUnCheckedGlyph(std::make_unique<TBitmap>()), FRadioOnGlyph(std::make_unique<TBitmap>()),
      FRadioOffGlyph(std::make_unique<TBitmap>()) {
    Init();
    if (FOwner) {
        FDropDownHeader = FOwner->CreateDropDownHeader();
        FDropDownFooter = FOwner->CreateDropDownFooter();
    }
}

TControlLook::~TControlLook() = default;

TPersistent* TControlLook::GetOwner() const {
    return FOwner ? FOwner->GridObject() : nullptr;
}

void TControlLook::Repaint() {
    if (FOwner) FOwner->Repaint();
}

void TControlLook::WriteThrough(TDOVGradientColor Which, TColor Value) {
    if (FOwner) FOwner->SetDOVGradient(Which, Value);
}

void TControlLook::Init() {
    FColor = clBlack;
    FCommentColor = clRed;
    FProgressBorderColor = clGray;
    // Stored only: the grid's own gradient keeps its colours.
    FFixedGradientFrom = clNone;
    FFixedGradientTo = clNone;
    FFixedGradientMirrorFrom = clNone;
    FFixedGradientMirrorTo = clNone;
    FFixedGradientHoverFrom = clGray;
    FFixedGradientHoverTo = clWhite;
    // Through the setters, which clear the grid's mirror colours.
    SetFixedGradientHoverMirrorFrom(clNone);
    SetFixedGradientHoverMirrorTo(clNone);
    FFixedGradientHoverBorder = clSilver;
    FFixedGradientDownFrom = clGray;
    FFixedGradientDownTo = clSilver;
    SetFixedGradientDownMirrorFrom(clNone);
    SetFixedGradientDownMirrorTo(clNone);
    FFixedGradientDownBorder = clGray;
}

void TControlLook::Assign(const TPersistent* Source) {
    const auto* Look = dynamic_cast<const TControlLook*>(Source);
    if (!Look) return;
    FButtonPrefix = Look->FButtonPrefix;
    FCheckSize = Look->CheckSize();
    FRadioSize = Look->FRadioSize;
    FControlStyle = Look->FControlStyle;
    FCheckedGlyph->Assign(Look->FCheckedGlyph.get());
    FUnCheckedGlyph->Assign(Look->FUnCheckedGlyph.get());
    FRadioOnGlyph->Assign(Look->FRadioOnGlyph.get());
    FRadioOffGlyph->Assign(Look->FRadioOffGlyph.get());
    FProgressMarginX = Look->FProgressMarginX;
    FProgressMarginY = Look->FProgressMarginY;
    FProgressHeight = Look->FProgressHeight;
    FProgressBorderColor = Look->FProgressBorderColor;
    FProgressXP = Look->FProgressXP;
    FCommentColor = Look->FCommentColor;
    FColor = Look->FColor;
    FCheckAlwaysActive = Look->FCheckAlwaysActive;
    FRadioAlwaysActive = Look->FRadioAlwaysActive;
    FFixedGradientFrom = Look->FFixedGradientFrom;
    FFixedGradientTo = Look->FFixedGradientTo;
    FFixedGradientMirrorFrom = Look->FFixedGradientMirrorFrom;
    FFixedGradientMirrorTo = Look->FFixedGradientMirrorTo;
    FFixedGradientHoverFrom = Look->FFixedGradientHoverFrom;
    FFixedGradientHoverTo = Look->FFixedGradientHoverTo;
    FFixedGradientHoverMirrorFrom = Look->FFixedGradientHoverMirrorFrom;
    FFixedGradientHoverMirrorTo = Look->FFixedGradientHoverMirrorTo;
    FFixedGradientHoverBorder = Look->FFixedGradientHoverBorder;
    FFixedGradientDownFrom = Look->FFixedGradientDownFrom;
    FFixedGradientDownTo = Look->FFixedGradientDownTo;
    FFixedGradientDownMirrorFrom = Look->FFixedGradientDownMirrorFrom;
    FFixedGradientDownMirrorTo = Look->FFixedGradientDownMirrorTo;
    FFixedGradientDownBorder = Look->FFixedGradientDownBorder;
    FDropDownAlwaysVisible = Look->FDropDownAlwaysVisible;
    FSpinButtonsAlwaysVisible = Look->FSpinButtonsAlwaysVisible;
    FDropDownCount = Look->FDropDownCount;
    SetDropDownFooter(Look->FDropDownFooter.get());
    SetDropDownHeader(Look->FDropDownHeader.get());
    FHintMaxWidth = Look->FHintMaxWidth;
    FDropDownButtonWidth = Look->FDropDownButtonWidth;
    FRadioRange = Look->FRadioRange;
}

// ---- Colours and sizes that repaint without comparing ----------------------

void TControlLook::SetColor(TColor Value) {
    FColor = Value;
    Repaint();
}

void TControlLook::SetCommentColor(TColor Value) {
    FCommentColor = Value;
    Repaint();
}

void TControlLook::SetCheckSize(Integer Value) {
    FCheckSize = Value;
    Repaint();
}

Integer TControlLook::CheckSize() const {
    return FControlStyle == ZirOvararIzaz::csDOV ? 16 : FCheckSize;
}

void TControlLook::SetRadioSize(Integer Value) {
    FRadioSize = Value;
    Repaint();
}

void TControlLook::SetSpinButtonsAlwaysVisible(bool Value) {
    FSpinButtonsAlwaysVisible = Value;
    Repaint();
}

void TControlLook::SetFlatButton(bool Value) {
    FFlatButton = Value;
    Repaint();
}

void TControlLook::SetNoDisabledCheckRadioLook(bool Value) {
    FNoDisabledCheckRadioLook = Value;
    Repaint();
}

void TControlLook::SetNoDisabledButtonLook(bool Value) {
    FNoDisabledButtonLook = Value;
    Repaint();
}

void TControlLook::SetProgressMarginX(Integer Value) {
    FProgressMarginX = Value;
    Repaint();
}

void TControlLook::SetProgressMarginY(Integer Value) {
    FProgressMarginY = Value;
    Repaint();
}

void TControlLook::SetProgressXP(bool Value) {
    FProgressXP = Value;
    Repaint();
}

void TControlLook::SetProgressHeight(Integer Value) {
    if (Value < 0) return;
    FProgressHeight = Value;
    Repaint();
}

// ---- Settings that repaint only on a change --------------------------------

void TControlLook::SetControlStyle(ZirOvararIzaz::TControlStyle Value) {
    if (FControlStyle == Value) return;
    FControlStyle = Value;
    Repaint();
}

void TControlLook::SetDropDownAlwaysVisible(bool Value) {
    if (FDropDownAlwaysVisible == Value) return;
    FDropDownAlwaysVisible = Value;
    Repaint();
}

void TControlLook::SetDropDownButtonWidth(Integer Value) {
    if (FDropDownButtonWidth == Value) return;
    FDropDownButtonWidth = Value;
    Repaint();
}

void TControlLook::SetRadioRange(bool Value) {
    if (FRadioRange == Value) return;
    FRadioRange = Value;
    Repaint();
}

// ---- Glyphs and drop-down looks: copied into the owned objects --------------

void TControlLook::SetCheckedGlyph(const TBitmap* Value) {
    FCheckedGlyph->Assign(Value);
    Repaint();
}

void TControlLook::SetUnCheckedGlyph(const TBitmap* Value) {
    FUnCheckedGlyph->Assign(Value);
    Repaint();
}

void TControlLook::SetRadioOnGlyph(const TBitmap* Value) {
    FRadioOnGlyph->Assign(Value);
    Repaint();
}

void TControlLook::SetRadioOffGlyph(const TBitmap* Value) {
    FRadioOffGlyph->Assign(Value);
    Repaint();
}

void TControlLook::SetDropDownHeader(const TPersistent* Value) {
    if (FDropDownHeader && Value) FDropDownHeader->Assign(Value);
}

void TControlLook::SetDropDownFooter(const TPersistent* Value) {
    if (FDropDownFooter && Value) FDropDownFooter->Assign(Value);
}

// ---- Fixed-cell gradients: stored, and written through to the grid ----------

void TControlLook::SetFixedGradientFrom(TColor Value) {
    FFixedGradientFrom = Value;
    if (Value != clNone) WriteThrough(dgFrom, Value);
}

void TControlLook::SetFixedGradientTo(TColor Value) {
    FFixedGradientTo = Value;
    if (Value != clNone) WriteThrough(dgTo, Value);
}

void TControlLook::SetFixedGradientMirrorFrom(TColor Value) {
    FFixedGradientMirrorFrom = Value;
    WriteThrough(dgMirrorFrom, Value);
}

void TControlLook::SetFixedGradientMirrorTo(TColor Value) {
    FFixedGradientMirrorTo = Value;
    WriteThrough(dgMirrorTo, Value);
}

void TControlLook::SetFixedGradientHoverFrom(TColor Value) {
    FFixedGradientHoverFrom = Value;
    if (Value != clNone) WriteThrough(dgHoverFrom, Value);
}

void TControlLook::SetFixedGradientHoverTo(TColor Value) {
    FFixedGradientHoverTo = Value;
    if (Value != clNone) WriteThrough(dgHoverTo, Value);
}

void TControlLook::SetFixedGradientHoverMirrorFrom(TColor Value) {
    FFixedGradientHoverMirrorFrom = Value;
    WriteThrough(dgHoverMirrorFrom, Value);
}

void TControlLook::SetFixedGradientHoverMirrorTo(TColor Value) {
    FFixedGradientHoverMirrorTo = Value;
    WriteThrough(dgHoverMirrorTo, Value);
}

void TControlLook::SetFixedGradientHoverBorder(TColor Value) {
    FFixedGradientHoverBorder = Value;
    if (Value != clNone) WriteThrough(dgHoverBorder, Value);
}

void TControlLook::SetFixedGradientDownFrom(TColor Value) {
    FFixedGradientDownFrom = Value;
    if (Value != clNone) WriteThrough(dgDownFrom, Value);
}

void TControlLook::SetFixedGradientDownTo(TColor Value) {
    FFixedGradientDownTo = Value;
    if (Value != clNone) WriteThrough(dgDownTo, Value);
}

void TControlLook::SetFixedGradientDownMirrorFrom(TColor Value) {
    FFixedGradientDownMirrorFrom = Value;
    WriteThrough(dgDownMirrorFrom, Value);
}

void TControlLook::SetFixedGradientDownMirrorTo(TColor Value) {
    FFixedGradientDownMirrorTo = Value;
    WriteThrough(dgDownMirrorTo, Value);
}

void TControlLook::SetFixedGradientDownBorder(TColor Value) {
    FFixedGradientDownBorder = Value;
    if (Value != clNone) WriteThrough(dgDownBorder, Value);
}
