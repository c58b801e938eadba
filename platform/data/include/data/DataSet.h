#pragma once
// TDataSet: a cursor over the records of a table or a query, kept in memory
// while the data set is open (a static cursor). It moves over the records,
// edits, appends, inserts and deletes them, filters them, keeps the fields of
// the current record and tells its data sources of every change.

#include "data/DataErrors.h"
#include "data/Field.h"
#include "rtl/Component.h"
#include "rtl/Set.h"
#include "rtl/Variant.h"

#include <functional>
#include <memory>
#include <vector>

class TDataSource;

namespace detail {
struct TDbRecord;
class TFilterExpression;
} // namespace detail

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

// What a post-error handler decides: let the post fail, fail silently
// (abort), or try the post again.
enum TDataAction { daFail, daAbort, daRetry };

enum TLocateOption { loCaseInsensitive, loPartialKey };
using TLocateOptions = TSet<TLocateOption>;

// What a data set tells its data sources.
enum TDataEvent {
    deFieldChange,   // one field of the current record changed
    deRecordChange,  // the current record changed in place
    deDataSetChange, // records were added, deleted or reread
    deDataSetScroll, // the cursor moved to another record
    deUpdateState,   // opened, closed, or an edit began or ended
};

class TDataSet;
using TDataSetNotifyEvent = std::function<void(TDataSet* DataSet)>;
using TDataSetErrorEvent = std::function<void(TDataSet* DataSet, EDatabaseError& E, TDataAction& Action)>;

class TDataSet : public TComponent {
    RTL_CLASS(TDataSet)
public:
    explicit TDataSet(TComponent* AOwner);
    ~TDataSet() override;

    void Open();
    void Close();
    bool Active() const { return FState != dsInactive; }
    void SetActive(bool Value);
    TDataSetState State() const { return FState; }

    // Cursor. Bof and Eof tell that a move went past the first or the last
    // record (both hold for an empty data set). RecNo counts from 1; 0 when
    // there is no current record.
    void First();
    void Last();
    void Next();
    void Prior();
    Integer MoveBy(Integer Distance);
    bool Bof() const { return FBof; }
    bool Eof() const { return FEof; }
    Integer RecNo() const;
    void SetRecNo(Integer Value);
    Integer RecordCount() const;
    bool IsEmpty() const { return RecordCount() == 0; }

    // Moves to the first record whose key fields (names separated by ";")
    // equal the values; exact and case-sensitive unless the options say
    // otherwise. False, and the cursor stays, when none does.
    bool Locate(const String& KeyFields, const Variant& KeyValue, TLocateOptions Options = {});
    bool Locate(const String& KeyFields, const std::vector<Variant>& KeyValues, TLocateOptions Options = {});

    // Editing. Post writes the record to the database; Cancel drops the
    // changes; Delete removes the current record (BeforeDelete may veto it by
    // raising EAbort).
    void Edit();
    void Append();
    void Insert();
    void Post();
    void Cancel();
    void Delete();
    // Reads the records again, keeping the current one where it still exists.
    void Refresh();
    bool CanModify() const { return !FReadOnly && CanWrite(); }

    // While controls are disabled the data sources hear nothing; the last
    // EnableControls tells them once that the data set changed.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return FDisableCount > 0; }

    // Fields by position (from 0) and by name (without regard to case).
    Integer FieldCount() const { return static_cast<Integer>(FFields.size()); }
    TField* Fields(Integer Index) const;
    TField* FieldByName(const String& FieldName) const; // raises when there is none
    TField* FindField(const String& FieldName) const;   // null when there is none

    // The display text of a field in record RecNo (from 1) of those shown,
    // read without moving the cursor or telling anyone (for grids that draw
    // many records). Empty for a RecNo that names no record.
    String DisplayTextAt(Integer RecNo, const TField& Field) const;

    // Filter: shows only the records that match the text while Filtered.
    const String& Filter() const { return FFilter; }
    void SetFilter(const String& Value);
    bool Filtered() const { return FFiltered; }
    void SetFiltered(bool Value);

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }

    TDataSetNotifyEvent BeforeDelete;
    TDataSetNotifyEvent AfterScroll;
    TDataSetErrorEvent OnPostError;

    // Raises EDatabaseError with the message, prefixed "<Name>: " when the
    // data set has a name.
    [[noreturn]] void DatabaseError(const String& Message) const;

protected:
    void BeforeDestruction() override;

    // The work of a kind of data set: read the columns and records, and
    // write a posted or deleted record.
    virtual void InternalOpen(std::vector<detail::TDbColumn>& Columns,
                              std::vector<std::unique_ptr<detail::TDbRecord>>& Records) = 0;
    virtual bool CanWrite() const { return false; }
    // Writes the record (all values, with the changed ones marked); an insert
    // answers the record as the database stored it (with generated values).
    virtual void InternalPost(detail::TDbRecord& Record, const std::vector<bool>& Changed, bool Inserting);
    virtual void InternalDelete(const detail::TDbRecord& Record);

    void CheckActive() const;
    void CheckBrowseMode();
    // The columns of the records, in the order of their values.
    const std::vector<detail::TDbColumn>& Columns() const { return FColumns; }

private:
    friend class TField;
    friend class TDataSource;

    void AddField(TField* Field);
    void RemoveField(TField* Field);
    void CreateDefaultFields(const std::vector<detail::TDbColumn>& Columns);
    void DestroyDefaultFields();
    void ApplyFilter();
    void MoveTo(Integer Index, bool AtBof, bool AtEof, bool Notify);
    bool LocateRecord(const String& KeyFields, const std::vector<Variant>& KeyValues, TLocateOptions Options,
                      Integer& Found) const;
    void SetState(TDataSetState Value);
    void DoAfterScroll();
    void DataEvent(TDataEvent Event, TField* Field = nullptr);

    const detail::TDbValue& FieldData(const TField& Field) const;
    void SetFieldData(TField& Field, detail::TDbValue Value);

    void AddDataSource(TDataSource* Source);
    void RemoveDataSource(TDataSource* Source);

    TDataSetState FState = dsInactive;
    std::vector<TField*> FFields;
    std::vector<TField*> FDefaultFields; // made on open, freed on close
    std::vector<detail::TDbColumn> FColumns;
    std::vector<std::unique_ptr<detail::TDbRecord>> FRecords; // all records, in order
    std::vector<detail::TDbRecord*> FView;                    // the ones the filter lets through
    Integer FCurrent = -1;                                    // index into FView
    mutable Integer FPeek = -1; // the record DisplayTextAt reads (index into FView), -1 otherwise
    bool FBof = true;
    bool FEof = true;
    std::unique_ptr<detail::TDbRecord> FEditBuffer;
    std::vector<bool> FChanged;
    Integer FInsertAt = 0; // where an inserted record goes in FView
    Integer FDisableCount = 0;
    String FFilter;
    bool FFiltered = false;
    std::unique_ptr<detail::TFilterExpression> FFilterExpression;
    bool FReadOnly = false;
    std::vector<TDataSource*> FDataSources;
};
