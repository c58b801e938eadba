#include "data/DataSet.h"

#include "FilterExpression.h"
#include "Provider.h"
#include "data/DataSource.h"
#include "rtl/ClassBuilder.h"
#include "rtl/StringUtils.h"
#include "rtl/TextCompare.h"

#include <algorithm>

using detail::TDbRecord;
using detail::TDbValue;

namespace {

const TDbValue NoValue;

TField* MakeField(detail::TDbColumnKind Kind, TComponent* Owner) {
    switch (Kind) {
    case detail::TDbColumnKind::Integer:
        return Create<TIntegerField>(Owner);
    case detail::TDbColumnKind::Float:
        return Create<TFloatField>(Owner);
    case detail::TDbColumnKind::DateTime:
        return Create<TDateTimeField>(Owner);
    case detail::TDbColumnKind::Boolean:
        return Create<TBooleanField>(Owner);
    case detail::TDbColumnKind::Memo:
        return Create<TMemoField>(Owner);
    case detail::TDbColumnKind::Blob:
        return Create<TBlobField>(Owner);
    case detail::TDbColumnKind::Text:
        break;
    }
    return Create<TStringField>(Owner);
}

std::vector<String> SplitFieldNames(const String& Names) {
    std::vector<String> Result;
    size_t At = 0;
    while (At <= Names.size()) {
        const size_t End = std::min(Names.find(u';', At), Names.size());
        const String Name = Trim(std::u16string_view(Names).substr(At, End - At));
        if (!Name.empty()) Result.push_back(Name);
        At = End + 1;
    }
    return Result;
}

// Whether a stored value equals a key value of Locate.
bool KeyMatches(const TDbValue& Stored, const Variant& Key, TLocateOptions Options) {
    if (Key.IsNull() || Key.IsEmpty()) return detail::IsNull(Stored);
    if (detail::IsNull(Stored)) return false;
    double Number = 0;
    const bool StoredIsNumber = std::visit(
        [&Number](const auto& V) {
            using T = std::decay_t<decltype(V)>;
            if constexpr (std::is_same_v<T, Int64> || std::is_same_v<T, double>) {
                Number = static_cast<double>(V);
                return true;
            } else if constexpr (std::is_same_v<T, detail::TDbDateTime>) {
                Number = V.Value;
                return true;
            } else {
                return false;
            }
        },
        static_cast<const TDbValue::variant&>(Stored));
    if (StoredIsNumber && (VarIsNumeric(Key) || Key.VarType() == varDate || Key.VarType() == varBoolean)) {
        const double KeyNumber = Key.VarType() == varBoolean ? (Key.AsBoolean() ? 1 : 0) : Key.AsDouble();
        return Number == KeyNumber || (Key.VarType() == varBoolean && (Number != 0) == Key.AsBoolean());
    }
    const String* Text = std::get_if<String>(&Stored);
    if (!Text) return false;
    const String KeyText = Key.AsString();
    if (Options.Contains(loPartialKey)) {
        const String Start = Text->substr(0, KeyText.size());
        return Options.Contains(loCaseInsensitive) ? AnsiSameText(Start, KeyText) : Start == KeyText;
    }
    return Options.Contains(loCaseInsensitive) ? AnsiSameText(*Text, KeyText) : *Text == KeyText;
}

} // namespace

const TClassInfo& TDataSet::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TDataSet, TComponent>().Build();
    return Info;
}

TDataSet::TDataSet(TComponent* AOwner) : TComponent(AOwner) {}

TDataSet::~TDataSet() = default;

void TDataSet::BeforeDestruction() {
    Close();
    for (TField* Field : FFields)
        Field->FDataSet = nullptr;
    FFields.clear();
    for (TDataSource* Source : FDataSources)
        Source->FDataSet = nullptr;
    FDataSources.clear();
    TComponent::BeforeDestruction();
}

void TDataSet::DatabaseError(const String& Message) const {
    throw EDatabaseError(Name().empty() ? Message : Name() + u": " + Message);
}

void TDataSet::CheckActive() const {
    if (!Active()) DatabaseError(u"Cannot perform this operation on a closed dataset");
}

void TDataSet::CheckBrowseMode() {
    CheckActive();
    if (FState == dsEdit || FState == dsInsert) Post();
}

// ---- opening and closing ------------------------------------------------------

void TDataSet::SetActive(bool Value) {
    if (Value)
        Open();
    else
        Close();
}

void TDataSet::Open() {
    if (Active()) return;
    std::vector<detail::TDbColumn> Columns;
    std::vector<std::unique_ptr<TDbRecord>> Records;
    InternalOpen(Columns, Records);
    FColumns = std::move(Columns);
    FRecords = std::move(Records);
    try {
        if (FFields.empty()) {
            CreateDefaultFields(FColumns);
        } else {
            for (TField* Field : FFields) {
                auto Column = std::find_if(FColumns.begin(), FColumns.end(), [Field](const auto& C) {
                    return SameText(C.Name, Field->FieldName());
                });
                if (Column == FColumns.end())
                    DatabaseError(Format(u"Field '%s' not found", {Field->FieldName()}));
                Field->Bind(static_cast<Integer>(Column - FColumns.begin()), *Column);
            }
        }
        ApplyFilter();
    } catch (...) {
        DestroyDefaultFields();
        FRecords.clear();
        FColumns.clear();
        throw;
    }
    FCurrent = FView.empty() ? -1 : 0;
    FBof = true;
    FEof = FView.empty();
    SetState(dsBrowse);
    DataEvent(deDataSetChange);
    DoAfterScroll();
}

void TDataSet::Close() {
    if (!Active()) return;
    FEditBuffer.reset();
    DestroyDefaultFields();
    FView.clear();
    FRecords.clear();
    FColumns.clear();
    FFilterExpression.reset();
    FCurrent = -1;
    FBof = FEof = true;
    SetState(dsInactive);
}

void TDataSet::CreateDefaultFields(const std::vector<detail::TDbColumn>& Columns) {
    for (size_t i = 0; i < Columns.size(); ++i) {
        TField* Field = MakeField(Columns[i].Kind, this);
        Field->SetFieldName(Columns[i].Name);
        Field->FDataSet = this;
        Field->Bind(static_cast<Integer>(i), Columns[i]);
        FFields.push_back(Field);
        FDefaultFields.push_back(Field);
    }
}

void TDataSet::DestroyDefaultFields() {
    std::vector<TField*> Fields;
    Fields.swap(FDefaultFields);
    for (TField* Field : Fields) {
        FFields.erase(std::remove(FFields.begin(), FFields.end(), Field), FFields.end());
        Field->FDataSet = nullptr;
        Free(Field);
    }
}

void TDataSet::AddField(TField* Field) {
    Field->FDataSet = this;
    FFields.push_back(Field);
}

void TDataSet::RemoveField(TField* Field) {
    FFields.erase(std::remove(FFields.begin(), FFields.end(), Field), FFields.end());
    FDefaultFields.erase(std::remove(FDefaultFields.begin(), FDefaultFields.end(), Field),
                         FDefaultFields.end());
    Field->FDataSet = nullptr;
}

TField* TDataSet::Fields(Integer Index) const {
    if (Index < 0 || Index >= FieldCount()) throw EListError(u"List index out of bounds (%d)", {Index});
    return FFields[static_cast<size_t>(Index)];
}

TField* TDataSet::FindField(const String& FieldName) const {
    for (TField* Field : FFields)
        if (SameText(Field->FieldName(), FieldName)) return Field;
    return nullptr;
}

TField* TDataSet::FieldByName(const String& FieldName) const {
    TField* Field = FindField(FieldName);
    if (!Field) DatabaseError(Format(u"Field '%s' not found", {FieldName}));
    return Field;
}

// ---- filter -----------------------------------------------------------------

void TDataSet::SetFilter(const String& Value) {
    if (Value == FFilter) return;
    FFilter = Value;
    if (Active() && FFiltered) {
        CheckBrowseMode();
        ApplyFilter();
        MoveTo(FView.empty() ? -1 : 0, true, FView.empty(), /*notify=*/false);
        DataEvent(deDataSetChange);
        DoAfterScroll();
    }
}

void TDataSet::SetFiltered(bool Value) {
    if (Value == FFiltered) return;
    FFiltered = Value;
    if (Active()) {
        CheckBrowseMode();
        ApplyFilter();
        MoveTo(FView.empty() ? -1 : 0, true, FView.empty(), /*notify=*/false);
        DataEvent(deDataSetChange);
        DoAfterScroll();
    }
}

void TDataSet::ApplyFilter() {
    FFilterExpression.reset();
    FView.clear();
    FView.reserve(FRecords.size());
    if (FFiltered && !Trim(FFilter).empty()) {
        FFilterExpression =
            std::make_unique<detail::TFilterExpression>(FFilter, [this](std::u16string_view Name) {
                for (size_t i = 0; i < FColumns.size(); ++i)
                    if (SameText(FColumns[i].Name, Name)) return static_cast<Integer>(i);
                return Integer(-1);
            });
        for (const auto& Record : FRecords)
            if (FFilterExpression->Matches(Record->Values)) FView.push_back(Record.get());
    } else {
        for (const auto& Record : FRecords)
            FView.push_back(Record.get());
    }
}

// ---- cursor -------------------------------------------------------------------

void TDataSet::MoveTo(Integer Index, bool AtBof, bool AtEof, bool Notify) {
    const bool Moved = Index != FCurrent;
    FCurrent = Index;
    FBof = AtBof || FView.empty();
    FEof = AtEof || FView.empty();
    if (Moved && Notify) {
        DataEvent(deDataSetScroll);
        DoAfterScroll();
    }
}

void TDataSet::First() {
    CheckBrowseMode();
    MoveTo(FView.empty() ? -1 : 0, true, false, true);
}

void TDataSet::Last() {
    CheckBrowseMode();
    MoveTo(static_cast<Integer>(FView.size()) - 1, false, true, true);
}

void TDataSet::Next() {
    CheckBrowseMode();
    if (FCurrent + 1 < static_cast<Integer>(FView.size()))
        MoveTo(FCurrent + 1, false, false, true);
    else
        FEof = true;
}

void TDataSet::Prior() {
    CheckBrowseMode();
    if (FCurrent > 0)
        MoveTo(FCurrent - 1, false, false, true);
    else
        FBof = true;
}

Integer TDataSet::MoveBy(Integer Distance) {
    Integer Moved = 0;
    for (; Distance > 0 && !Eof(); --Distance) {
        const Integer Before = FCurrent;
        Next();
        if (FCurrent != Before) ++Moved;
    }
    for (; Distance < 0 && !Bof(); ++Distance) {
        const Integer Before = FCurrent;
        Prior();
        if (FCurrent != Before) --Moved;
    }
    return Moved;
}

Integer TDataSet::RecNo() const {
    if (!Active() || FState == dsInsert) return 0;
    return FCurrent + 1;
}

void TDataSet::SetRecNo(Integer Value) {
    CheckBrowseMode();
    if (Value >= 1 && Value <= static_cast<Integer>(FView.size())) MoveTo(Value - 1, false, false, true);
}

Integer TDataSet::RecordCount() const {
    CheckActive();
    return static_cast<Integer>(FView.size());
}

bool TDataSet::LocateRecord(const String& KeyFields, const std::vector<Variant>& KeyValues,
                            TLocateOptions Options, Integer& Found) const {
    const std::vector<String> Names = SplitFieldNames(KeyFields);
    if (Names.empty() || Names.size() != KeyValues.size())
        DatabaseError(u"Locate needs one key value for every key field");
    std::vector<Integer> Columns;
    for (const String& Name : Names)
        Columns.push_back(FieldByName(Name)->FieldNo());
    for (size_t Row = 0; Row < FView.size(); ++Row) {
        bool All = true;
        for (size_t k = 0; k < Columns.size() && All; ++k)
            All = KeyMatches(FView[Row]->Values[static_cast<size_t>(Columns[k])], KeyValues[k], Options);
        if (All) {
            Found = static_cast<Integer>(Row);
            return true;
        }
    }
    return false;
}

bool TDataSet::Locate(const String& KeyFields, const Variant& KeyValue, TLocateOptions Options) {
    return Locate(KeyFields, std::vector<Variant>{KeyValue}, Options);
}

bool TDataSet::Locate(const String& KeyFields, const std::vector<Variant>& KeyValues,
                      TLocateOptions Options) {
    CheckBrowseMode();
    Integer Found = -1;
    if (!LocateRecord(KeyFields, KeyValues, Options, Found)) return false;
    MoveTo(Found, false, false, true);
    return true;
}

// ---- editing ------------------------------------------------------------------

void TDataSet::Edit() {
    CheckActive();
    if (FState == dsEdit || FState == dsInsert) return;
    if (!CanModify()) DatabaseError(u"Cannot modify a read-only dataset");
    if (FView.empty()) {
        Insert();
        return;
    }
    FEditBuffer = std::make_unique<TDbRecord>(*FView[static_cast<size_t>(FCurrent)]);
    FChanged.assign(FColumns.size(), false);
    SetState(dsEdit);
}

void TDataSet::Append() {
    CheckBrowseMode();
    if (!CanModify()) DatabaseError(u"Cannot modify a read-only dataset");
    FEditBuffer = std::make_unique<TDbRecord>();
    FEditBuffer->Values.resize(FColumns.size());
    FChanged.assign(FColumns.size(), false);
    FInsertAt = static_cast<Integer>(FView.size());
    SetState(dsInsert);
    DataEvent(deDataSetChange);
    DoAfterScroll();
}

void TDataSet::Insert() {
    CheckBrowseMode();
    if (!CanModify()) DatabaseError(u"Cannot modify a read-only dataset");
    FEditBuffer = std::make_unique<TDbRecord>();
    FEditBuffer->Values.resize(FColumns.size());
    FChanged.assign(FColumns.size(), false);
    FInsertAt = std::max(FCurrent, 0);
    SetState(dsInsert);
    DataEvent(deDataSetChange);
    DoAfterScroll();
}

void TDataSet::Post() {
    CheckActive();
    if (FState != dsEdit && FState != dsInsert) return;
    const bool Inserting = FState == dsInsert;
    for (;;) {
        try {
            InternalPost(*FEditBuffer, FChanged, Inserting);
            break;
        } catch (EDatabaseError& E) {
            if (!OnPostError) throw;
            TDataAction Action = daFail;
            OnPostError(this, E, Action);
            if (Action == daRetry) continue;
            if (Action == daAbort) throw EAbort(u"Operation aborted");
            throw;
        }
    }
    if (Inserting) {
        // The new record goes before the record it was inserted at (or last).
        TDbRecord* Before =
            FInsertAt < static_cast<Integer>(FView.size()) ? FView[static_cast<size_t>(FInsertAt)] : nullptr;
        auto At = Before ? std::find_if(FRecords.begin(), FRecords.end(),
                                        [Before](const auto& R) { return R.get() == Before; })
                         : FRecords.end();
        TDbRecord* Added = FRecords.insert(At, std::move(FEditBuffer))->get();
        FView.insert(FView.begin() + FInsertAt, Added);
        FCurrent = FInsertAt;
    } else {
        *FView[static_cast<size_t>(FCurrent)] = std::move(*FEditBuffer);
    }
    FEditBuffer.reset();
    FBof = FEof = false;
    SetState(dsBrowse);
    DataEvent(deDataSetChange);
}

void TDataSet::Cancel() {
    if (FState != dsEdit && FState != dsInsert) return;
    const bool WasInserting = FState == dsInsert;
    FEditBuffer.reset();
    SetState(dsBrowse);
    DataEvent(deDataSetChange);
    if (WasInserting) DoAfterScroll();
}

void TDataSet::Delete() {
    CheckActive();
    if (FState == dsInsert) {
        Cancel();
        return;
    }
    if (FView.empty()) DatabaseError(u"Cannot perform this operation on an empty dataset");
    if (!CanModify()) DatabaseError(u"Cannot modify a read-only dataset");
    if (BeforeDelete) BeforeDelete(this); // raising EAbort leaves the record
    TDbRecord* Doomed = FView[static_cast<size_t>(FCurrent)];
    InternalDelete(*Doomed);
    FEditBuffer.reset();
    FView.erase(FView.begin() + FCurrent);
    FRecords.erase(std::find_if(FRecords.begin(), FRecords.end(),
                                [Doomed](const auto& R) { return R.get() == Doomed; }));
    FCurrent = std::min(FCurrent, static_cast<Integer>(FView.size()) - 1);
    FBof = FEof = FView.empty();
    SetState(dsBrowse);
    DataEvent(deDataSetChange);
    DoAfterScroll();
}

void TDataSet::Refresh() {
    CheckBrowseMode();
    const TDbValue Identity = FCurrent >= 0 ? FView[static_cast<size_t>(FCurrent)]->Identity : TDbValue();
    const Integer Position = FCurrent;
    std::vector<detail::TDbColumn> Columns;
    std::vector<std::unique_ptr<TDbRecord>> Records;
    InternalOpen(Columns, Records);
    FRecords = std::move(Records);
    ApplyFilter();
    FCurrent = std::min(Position, static_cast<Integer>(FView.size()) - 1);
    if (!detail::IsNull(Identity)) {
        for (size_t i = 0; i < FView.size(); ++i)
            if (FView[i]->Identity == Identity) FCurrent = static_cast<Integer>(i);
    }
    FBof = FEof = FView.empty();
    DataEvent(deDataSetChange);
}

void TDataSet::InternalPost(TDbRecord&, const std::vector<bool>&, bool) {
    DatabaseError(u"Cannot modify a read-only dataset");
}

void TDataSet::InternalDelete(const TDbRecord&) {
    DatabaseError(u"Cannot modify a read-only dataset");
}

// ---- field values -------------------------------------------------------------

const TDbValue& TDataSet::FieldData(const TField& Field) const {
    CheckActive();
    if (Field.FieldNo() < 0) DatabaseError(Format(u"Field '%s' not found", {Field.FieldName()}));
    const auto Column = static_cast<size_t>(Field.FieldNo());
    if (FPeek >= 0) return FView[static_cast<size_t>(FPeek)]->Values[Column];
    if (FState == dsEdit || FState == dsInsert) return FEditBuffer->Values[Column];
    if (FCurrent < 0) return NoValue;
    return FView[static_cast<size_t>(FCurrent)]->Values[Column];
}

String TDataSet::DisplayTextAt(Integer RecNo, const TField& Field) const {
    CheckActive();
    if (RecNo < 1 || RecNo > static_cast<Integer>(FView.size())) return String();
    if (RecNo - 1 == FCurrent) return Field.DisplayText(); // with the edits of an edited record
    struct TPeek {
        Integer& Slot;
        ~TPeek() { Slot = -1; }
    } Peek{FPeek};
    FPeek = RecNo - 1;
    return Field.DisplayText();
}

void TDataSet::SetFieldData(TField& Field, TDbValue Value) {
    CheckActive();
    if (FState != dsEdit && FState != dsInsert) DatabaseError(u"Dataset not in edit or insert mode");
    const auto Column = static_cast<size_t>(Field.FieldNo());
    FEditBuffer->Values[Column] = std::move(Value);
    FChanged[Column] = true;
    DataEvent(deFieldChange, &Field);
}

// ---- notifications ------------------------------------------------------------

void TDataSet::SetState(TDataSetState Value) {
    if (FState == Value) return;
    FState = Value;
    DataEvent(deUpdateState);
}

void TDataSet::DoAfterScroll() {
    if (AfterScroll) AfterScroll(this);
}

void TDataSet::DisableControls() {
    ++FDisableCount;
}

void TDataSet::EnableControls() {
    if (FDisableCount == 0) return;
    if (--FDisableCount == 0) DataEvent(Active() ? deDataSetChange : deUpdateState);
}

void TDataSet::DataEvent(TDataEvent Event, TField* Field) {
    if (FDisableCount > 0) return;
    const std::vector<TDataSource*> Sources = FDataSources; // a handler may detach a source
    for (TDataSource* Source : Sources)
        Source->DataEvent(Event, Field);
}

void TDataSet::AddDataSource(TDataSource* Source) {
    FDataSources.push_back(Source);
}

void TDataSet::RemoveDataSource(TDataSource* Source) {
    FDataSources.erase(std::remove(FDataSources.begin(), FDataSources.end(), Source), FDataSources.end());
}
