#pragma once
// TDataSource connects a data set to the things that show it: the data
// links of data-aware controls and its own OnDataChange handler. While it is
// disabled it passes nothing on.

#include "data/DataSet.h"
#include "rtl/Component.h"
#include "rtl/Events.h"

#include <vector>

class TDataLink;
class TDataSource;

// Field is the changed field, or null for a change of the whole record (a
// move, a delete, a refresh, the end of DisableControls).
using TDataChangeEvent = std::function<void(TObject* Sender, TField* Field)>;

class TDataSource : public TComponent {
    RTL_CLASS(TDataSource)
public:
    explicit TDataSource(TComponent* AOwner);
    ~TDataSource() override;

    TDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet* Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    // The data set's state, or dsInactive without an enabled, open data set.
    TDataSetState State() const;

    TDataChangeEvent OnDataChange;
    TNotifyEvent OnStateChange;

protected:
    void BeforeDestruction() override;

private:
    friend class TDataSet;
    friend class TDataLink;
    void DataEvent(TDataEvent Event, TField* Field);

    TDataSet* FDataSet = nullptr;
    bool FEnabled = true;
    std::vector<TDataLink*> FDataLinks;
};

// What a data-aware control holds to follow a data set through a data
// source. The control derives from it and overrides the hooks it needs.
class TDataLink : public TObject {
public:
    TDataLink() = default;
    ~TDataLink() override;

    TDataSource* DataSource() const { return FDataSource; }
    void SetDataSource(TDataSource* Value);
    TDataSet* DataSet() const;
    // True while the data source is enabled and its data set is open.
    bool Active() const;
    bool Editing() const;

protected:
    // The data set opened or closed, or the link moved to another source.
    virtual void ActiveChanged() {}
    // Records were added, deleted or reread; by default the record changed.
    virtual void DataSetChanged() { RecordChanged(nullptr); }
    // The cursor moved.
    virtual void DataSetScrolled() { DataSetChanged(); }
    // A field (or, with null, the whole current record) changed.
    virtual void RecordChanged(TField* /*Field*/) {}
    // An edit began or ended.
    virtual void EditingChanged() {}

private:
    friend class TDataSource;
    void DataEvent(TDataEvent Event, TField* Field);

    TDataSource* FDataSource = nullptr;
    bool FActive = false;
    bool FEditing = false;
};
