#include "grid/DragDropSettings.h"

#include "rtl/ClassBuilder.h"

// ---- TDragDropSettings -----------------------------------------------------------

const TClassInfo& TDragDropSettings::StaticClassInfo() {
    using C = TDragDropSettings;
    static const TClassInfo Info =
        TClassBuilder<C, TPersistent>()
            .Property(u"OleDropRTF", &C::OleDropRTF, &C::SetOleDropRTF)
            .Default(false)
            .Property(u"OleAcceptText", &C::OleAcceptText, &C::SetOleAcceptText)
            .Default(true)
            .Property(u"OleEntireRows", &C::OleEntireRows, &C::SetOleEntireRows)
            .Default(false)
            .Property(u"OleDropSource", &C::OleDropSource, &C::SetOleDropSource)
            .Default(false)
            .Property(u"OleRemoveRows", &C::OleRemoveRows, &C::SetOleRemoveRows)
            .Default(false)
            .Property(u"OleAcceptFiles", &C::OleAcceptFiles, &C::SetOleAcceptFiles)
            .Default(true)
            .Property(u"OleAcceptURLs", &C::OleAcceptURLs, &C::SetOleAcceptURLs)
            .Default(true)
            .Property(u"OleDropTarget", &C::OleDropTarget, &C::SetOleDropTarget)
            .Default(false)
            .Property(u"OleInsertRows", &C::OleInsertRows, &C::SetOleInsertRows)
            .Default(false)
            .Property(u"OleAppendRows", &C::OleAppendRows, &C::SetOleAppendRows)
            .Default(false)
            .Property(u"OleCopyAlways", &C::OleCopyAlways, &C::SetOleCopyAlways)
            .Default(false)
            .Property(u"OleColumnDragDrop", &C::OleColumnDragDrop, &C::SetOleColumnDragDrop)
            .Default(false)
            .Property(u"OleColumnReorder", &C::OleColumnReorder, &C::SetOleColumnReorder)
            .Default(false)
            .Property(u"OleColumnsOnly", &C::OleColumnsOnly, &C::SetOleColumnsOnly)
            .Default(false)
            .Property(u"OleColumnPicker", &C::OleColumnPicker, &C::SetOleColumnPicker)
            .Default(false)
            .Property(u"ShowCells", &C::ShowCells, &C::SetShowCells)
            .Default(true)
            .Build();
    return Info;
}

TDragDropSettings::TDragDropSettings(IGridSettingsOwner* AGrid) : FGrid(AGrid) {}

TPersistent* TDragDropSettings::GetOwner() const {
    return FGrid ? FGrid->GridObject() : nullptr;
}

void TDragDropSettings::SetOleDropRTF(bool Value) {
    if (FGrid) FGrid->SetOleRTFSupport(Value);
    FOleDropRTF = Value;
}

void TDragDropSettings::WriteOleDropTarget(bool Value) {
    if (FOleDropTarget == Value) return;
    FOleDropTarget = Value;
    if (!FGrid || FGrid->IsDesigning()) return;
    if (Value) {
        FDropTargetRegistered = FGrid->RegisterDropTarget();
    } else if (FDropTargetRegistered) {
        FGrid->RevokeDropTarget();
        FDropTargetRegistered = false;
    }
}

void TDragDropSettings::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TDragDropSettings*>(Source);
    if (!Other) return;
    FShowCells = Other->FShowCells;
    FOleAcceptFiles = Other->FOleAcceptFiles;
    FOleAcceptText = Other->FOleAcceptText;
    FOleAcceptURLs = Other->FOleAcceptURLs;
    FOleCopyAlways = Other->FOleCopyAlways;
    FOleDropTarget = Other->FOleDropTarget;
    FOleDropSource = Other->FOleDropSource;
    FOleEntireRows = Other->FOleEntireRows;
    FOleInsertRows = Other->FOleInsertRows;
    FOleRemoveRows = Other->FOleRemoveRows;
    FOleAppendRows = Other->FOleAppendRows;
    FOleDropRTF = Other->FOleDropRTF;
    FOleColumnDragDrop = Other->FOleColumnDragDrop;
    FOleColumnsOnly = Other->FOleColumnsOnly;
    FOleColumnReorder = Other->FOleColumnReorder;
    FOleColumnPicker = Other->FOleColumnPicker;
}

// ---- Drag-scroll options -----------------------------------------------------------

const TClassInfo& TDragScrollDelays::StaticClassInfo() {
    using C = TDragScrollDelays;
    static const TClassInfo Info = TClassBuilder<C, TPersistent>()
                                       .Property(u"InitialDelay", &C::InitialDelay, &C::SetInitialDelay)
                                       .Default(1000)
                                       .Property(u"RepeatDelay", &C::RepeatDelay, &C::SetRepeatDelay)
                                       .Default(250)
                                       .Build();
    return Info;
}

void TDragScrollDelays::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TDragScrollDelays*>(Source);
    if (!Other) return;
    FInitialDelay = Other->FInitialDelay;
    FRepeatDelay = Other->FRepeatDelay;
}

const TClassInfo& TDragScrollMargins::StaticClassInfo() {
    using C = TDragScrollMargins;
    static const TClassInfo Info = TClassBuilder<C, TPersistent>()
                                       .Property(u"TopMargin", &C::TopMargin, &C::SetTopMargin)
                                       .Default(50)
                                       .Property(u"BottomMargin", &C::BottomMargin, &C::SetBottomMargin)
                                       .Default(50)
                                       .Property(u"LeftMargin", &C::LeftMargin, &C::SetLeftMargin)
                                       .Default(50)
                                       .Property(u"RightMargin", &C::RightMargin, &C::SetRightMargin)
                                       .Default(50)
                                       .Build();
    return Info;
}

void TDragScrollMargins::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TDragScrollMargins*>(Source);
    if (!Other) return;
    FTopMargin = Other->FTopMargin;
    FBottomMargin = Other->FBottomMargin;
    FLeftMargin = Other->FLeftMargin;
    FRightMargin = Other->FRightMargin;
}

const TClassInfo& TDragScrollOptions::StaticClassInfo() {
    using C = TDragScrollOptions;
    static const TClassInfo Info = TClassBuilder<C, TPersistent>()
                                       .Property(u"Active", &C::Active, &C::SetActive)
                                       .Default(false)
                                       .Property(u"Delays", &C::Delays, &C::SetDelays)
                                       .Property(u"Margins", &C::Margins, &C::SetMargins)
                                       .Build();
    return Info;
}

TDragScrollOptions::TDragScrollOptions()
    : FDelays(std::make_unique<TDragScrollDelays>()), FMargins(std::make_unique<TDragScrollMargins>()) {}

TDragScrollOptions::~TDragScrollOptions() = default;

void TDragScrollOptions::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TDragScrollOptions*>(Source);
    if (!Other) return;
    FMargins->Assign(Other->FMargins.get());
    FDelays->Assign(Other->FDelays.get());
    FActive = Other->FActive;
}
