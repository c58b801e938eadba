#include "data/DataSource.h"

#include "rtl/ClassBuilder.h"

#include <algorithm>

const TClassInfo& TDataSource::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TDataSource, TComponent>().Build();
    return Info;
}

TDataSource::TDataSource(TComponent* AOwner) : TComponent(AOwner) {}

TDataSource::~TDataSource() = default;

void TDataSource::BeforeDestruction() {
    SetDataSet(nullptr);
    for (TDataLink* Link : FDataLinks)
        Link->FDataSource = nullptr;
    FDataLinks.clear();
    TComponent::BeforeDestruction();
}

void TDataSource::SetDataSet(TDataSet* Value) {
    if (Value == FDataSet) return;
    if (FDataSet) FDataSet->RemoveDataSource(this);
    FDataSet = Value;
    if (FDataSet) FDataSet->AddDataSource(this);
    for (TDataLink* Link : std::vector<TDataLink*>(FDataLinks))
        Link->DataEvent(deUpdateState, nullptr);
}

void TDataSource::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    FEnabled = Value;
    for (TDataLink* Link : std::vector<TDataLink*>(FDataLinks))
        Link->DataEvent(deUpdateState, nullptr);
}

TDataSetState TDataSource::State() const {
    return FEnabled && FDataSet ? FDataSet->State() : dsInactive;
}

void TDataSource::DataEvent(TDataEvent Event, TField* Field) {
    if (!FEnabled) return;
    for (TDataLink* Link : std::vector<TDataLink*>(FDataLinks))
        Link->DataEvent(Event, Field);
    switch (Event) {
    case deUpdateState:
        if (OnStateChange) OnStateChange(this);
        break;
    case deFieldChange:
        if (OnDataChange) OnDataChange(this, Field);
        break;
    case deRecordChange:
    case deDataSetChange:
    case deDataSetScroll:
        if (OnDataChange) OnDataChange(this, nullptr);
        break;
    }
}

// ---- TDataLink ----------------------------------------------------------------

TDataLink::~TDataLink() {
    // Leaves the source without calling the hooks: they belong to a class
    // that is already gone.
    if (FDataSource) {
        auto& Links = FDataSource->FDataLinks;
        Links.erase(std::remove(Links.begin(), Links.end(), this), Links.end());
    }
}

void TDataLink::SetDataSource(TDataSource* Value) {
    if (Value == FDataSource) return;
    if (FDataSource) {
        auto& Links = FDataSource->FDataLinks;
        Links.erase(std::remove(Links.begin(), Links.end(), this), Links.end());
    }
    FDataSource = Value;
    if (FDataSource) FDataSource->FDataLinks.push_back(this);
    DataEvent(deUpdateState, nullptr);
}

TDataSet* TDataLink::DataSet() const {
    return FDataSource ? FDataSource->DataSet() : nullptr;
}

bool TDataLink::Active() const {
    return FDataSource && FDataSource->State() != dsInactive;
}

bool TDataLink::Editing() const {
    return FEditing;
}

void TDataLink::DataEvent(TDataEvent Event, TField* Field) {
    switch (Event) {
    case deUpdateState: {
        if (Active() != FActive) {
            FActive = Active();
            ActiveChanged();
        }
        const TDataSetState State = FDataSource ? FDataSource->State() : dsInactive;
        const bool Editing = State == dsEdit || State == dsInsert;
        if (Editing != FEditing) {
            FEditing = Editing;
            EditingChanged();
        }
        break;
    }
    case deDataSetChange:
        DataSetChanged();
        break;
    case deDataSetScroll:
        DataSetScrolled();
        break;
    case deRecordChange:
        RecordChanged(nullptr);
        break;
    case deFieldChange:
        RecordChanged(Field);
        break;
    }
}
