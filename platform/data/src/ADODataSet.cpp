#include "data/ADODataSet.h"

#include "Provider.h"
#include "SqlParameters.h"
#include "rtl/ClassBuilder.h"
#include "rtl/StringUtils.h"
#include "rtl/TextCompare.h"

#include <algorithm>

using detail::TDbRecord;
using detail::TDbValue;

namespace {

// A parameter value as the database takes it.
TDbValue ToDbValue(const Variant& Value) {
    if (VarTypeIsInteger(Value.VarType())) return Value.AsInt64();
    switch (Value.VarType()) {
    case varEmpty:
    case varNull:
        return std::monostate();
    case varBoolean:
        return Int64(Value.AsBoolean() ? 1 : 0);
    case varSingle:
    case varDouble:
    case varCurrency:
        return Value.AsDouble();
    case varDate:
        return detail::TDbDateTime{Value.AsDateTime()};
    default:
        return Value.AsString();
    }
}

// A table or column name in SQL text. A plain name stays as it is, so each
// database folds its case as it does for the program's own SQL (Firebird
// keeps the case of quoted names); any other name is quoted.
String QuoteName(const String& Name) {
    const bool Plain = !Name.empty() && !(Name[0] >= u'0' && Name[0] <= u'9') &&
                       std::all_of(Name.begin(), Name.end(), [](Char C) {
                           return (C >= u'a' && C <= u'z') || (C >= u'A' && C <= u'Z') ||
                                  (C >= u'0' && C <= u'9') || C == u'_';
                       });
    return Plain ? Name : AnsiQuotedStr(Name, u'"');
}

} // namespace

const TClassInfo& TCustomADODataSet::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TCustomADODataSet, TDataSet>().Build();
    return Info;
}
const TClassInfo& TADOQuery::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TADOQuery, TCustomADODataSet>().Build();
    return Info;
}
const TClassInfo& TADOTable::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TADOTable, TCustomADODataSet>().Build();
    return Info;
}

// ---- TParameters --------------------------------------------------------------

TParameter* TParameters::FindParam(const String& Name) const {
    for (const auto& Item : FItems)
        if (SameText(Item->Name(), Name)) return Item.get();
    return nullptr;
}

TParameter* TParameters::ParamByName(const String& Name) const {
    TParameter* Found = FindParam(Name);
    if (!Found) throw EADOError(u"Parameter '%s' not found", {Name});
    return Found;
}

void TParameters::Rebuild(const std::vector<String>& Names) {
    std::vector<std::unique_ptr<TParameter>> Items;
    for (const String& Name : Names) {
        if (std::any_of(Items.begin(), Items.end(),
                        [&Name](const auto& P) { return SameText(P->Name(), Name); }))
            continue;
        // A parameter that stays in the text keeps its value.
        auto Old = std::find_if(FItems.begin(), FItems.end(),
                                [&Name](const auto& P) { return P && SameText(P->Name(), Name); });
        Items.push_back(std::make_unique<TParameter>(Name));
        if (Old != FItems.end()) Items.back()->SetValue((*Old)->Value());
    }
    FItems = std::move(Items);
}

// ---- TCustomADODataSet ----------------------------------------------------------

TCustomADODataSet::TCustomADODataSet(TComponent* AOwner) : TDataSet(AOwner) {}

TCustomADODataSet::~TCustomADODataSet() = default;

void TCustomADODataSet::BeforeDestruction() {
    Close();
    ReleaseStatements();
    SetConnection(nullptr);
    TDataSet::BeforeDestruction();
}

void TCustomADODataSet::SetConnection(TADOConnection* Value) {
    if (Value == FConnection) return;
    Close();
    ReleaseStatements();
    if (FConnection) {
        auto& List = FConnection->FDataSets;
        List.erase(std::remove(List.begin(), List.end(), this), List.end());
    }
    FConnection = Value;
    if (FConnection) FConnection->FDataSets.push_back(this);
}

detail::IDbConnection& TCustomADODataSet::Database() const {
    if (!FConnection) DatabaseError(u"Missing Connection or ConnectionString");
    if (!FConnection->Connected()) FConnection->Open();
    return FConnection->Database();
}

void TCustomADODataSet::ReadAll(detail::IDbStatement& Statement, std::vector<detail::TDbColumn>& Columns,
                                std::vector<std::unique_ptr<TDbRecord>>& Records, bool FirstIsIdentity) {
    std::vector<TDbValue> Row;
    while (Statement.Fetch(Row)) {
        auto Record = std::make_unique<TDbRecord>();
        if (FirstIsIdentity) {
            Record->Identity = std::move(Row.front());
            Record->Values.assign(std::make_move_iterator(Row.begin() + 1),
                                  std::make_move_iterator(Row.end()));
        } else {
            Record->Values = std::move(Row);
        }
        Records.push_back(std::move(Record));
    }
    // Column kinds are final once the rows are read (computed columns take
    // the kind of their first value).
    Columns = Statement.Columns();
    if (FirstIsIdentity && !Columns.empty()) Columns.erase(Columns.begin());
}

// ---- TADOQuery ------------------------------------------------------------------

TADOQuery::TADOQuery(TComponent* AOwner) : TCustomADODataSet(AOwner), FSQL(std::make_unique<TStringList>()) {
    SetReadOnly(true);
    FSQL->OnChange = [this](TObject*) { SQLChanged(); };
}

TADOQuery::~TADOQuery() = default;

void TADOQuery::SQLChanged() {
    Close();
    ReleaseStatements();
    const detail::TParsedSql Parsed = detail::ParseSqlParameters(FSQL->Text());
    FParsedText = Parsed.Text;
    FParamOrder = Parsed.ParamNames;
    FParameters.Rebuild(FParamOrder);
}

void TADOQuery::ReleaseStatements() {
    FStatement.reset();
}

detail::IDbStatement& TADOQuery::PreparedStatement() {
    detail::IDbConnection& Db = Database();
    if (Trim(FParsedText).empty()) DatabaseError(u"CommandText does not return a result set");
    if (!FStatement) FStatement = Db.Prepare(FParsedText);
    FStatement->Reset();
    for (size_t i = 0; i < FParamOrder.size(); ++i)
        FStatement->Bind(static_cast<Integer>(i),
                         ToDbValue(FParameters.ParamByName(FParamOrder[i])->Value()));
    return *FStatement;
}

void TADOQuery::InternalOpen(std::vector<detail::TDbColumn>& Columns,
                             std::vector<std::unique_ptr<TDbRecord>>& Records) {
    detail::IDbStatement& Statement = PreparedStatement();
    if (Statement.Columns().empty()) DatabaseError(u"CommandText does not return a result set");
    try {
        ReadAll(Statement, Columns, Records, false);
    } catch (...) {
        Statement.Reset();
        throw;
    }
    Statement.Reset();
}

Integer TADOQuery::ExecSQL() {
    Close();
    detail::IDbStatement& Statement = PreparedStatement();
    const Int64 Affected = Statement.Execute();
    Statement.Reset();
    FRowsAffected = static_cast<Integer>(Affected);
    return FRowsAffected;
}

// ---- TADOTable ------------------------------------------------------------------

TADOTable::TADOTable(TComponent* AOwner) : TCustomADODataSet(AOwner) {}

void TADOTable::SetTableName(const String& Value) {
    if (Value == FTableName) return;
    if (Active()) DatabaseError(u"Cannot perform this operation on an open dataset");
    FTableName = Value;
}

void TADOTable::SetIndexFieldNames(const String& Value) {
    if (Value == FIndexFieldNames) return;
    FIndexFieldNames = Value;
    if (Active()) Refresh();
}

String TADOTable::QuotedTable() const {
    if (FTableName.empty()) DatabaseError(u"Missing TableName property");
    return QuoteName(FTableName);
}

String TADOTable::SelectText() const {
    const String Identity = Database().RowIdentity();
    String Text = u"SELECT " + (Identity.empty() ? String() : Identity + u", ") + u"* FROM " + QuotedTable();
    String Order;
    size_t At = 0;
    while (At <= FIndexFieldNames.size()) {
        const size_t End = std::min(FIndexFieldNames.find(u';', At), FIndexFieldNames.size());
        const String Name = Trim(std::u16string_view(FIndexFieldNames).substr(At, End - At));
        if (!Name.empty()) Order += (Order.empty() ? u"" : u", ") + QuoteName(Name);
        At = End + 1;
    }
    if (!Order.empty()) Text += u" ORDER BY " + Order;
    return Text;
}

bool TADOTable::CanWrite() const {
    return Connection() && Connection()->Connected() && !Connection()->Database().RowIdentity().empty();
}

void TADOTable::InternalOpen(std::vector<detail::TDbColumn>& Columns,
                             std::vector<std::unique_ptr<TDbRecord>>& Records) {
    const bool WithIdentity = !Database().RowIdentity().empty();
    auto Statement = Database().Prepare(SelectText());
    ReadAll(*Statement, Columns, Records, WithIdentity);
}

void TADOTable::InternalPost(TDbRecord& Record, const std::vector<bool>& Changed, bool Inserting) {
    detail::IDbConnection& Db = Database();
    // The columns in the order of the record, whether or not a field shows them.
    std::vector<String> Names;
    for (const auto& Column : Columns())
        Names.push_back(Column.Name);
    std::vector<size_t> Written;
    for (size_t i = 0; i < Changed.size() && i < Names.size(); ++i)
        if (Changed[i]) Written.push_back(i);

    if (Inserting) {
        String Text = u"INSERT INTO " + QuotedTable();
        if (Written.empty()) {
            Text += u" DEFAULT VALUES";
        } else {
            String Columns, Marks;
            for (size_t i : Written) {
                Columns += (Columns.empty() ? u"" : u", ") + QuoteName(Names[i]);
                Marks += Marks.empty() ? u"?" : u", ?";
            }
            Text += u" (" + Columns + u") VALUES (" + Marks + u")";
        }
        auto Statement = Db.Prepare(Text);
        for (size_t k = 0; k < Written.size(); ++k)
            Statement->Bind(static_cast<Integer>(k), Record.Values[Written[k]]);
        Statement->Execute();
        // Read the stored row back: the database fills generated keys and defaults.
        const TDbValue Identity = Db.LastInsertIdentity();
        auto Reread = Db.Prepare(u"SELECT " + Db.RowIdentity() + u", * FROM " + QuotedTable() + u" WHERE " +
                                 Db.RowIdentity() + u" = ?");
        Reread->Bind(0, Identity);
        std::vector<TDbValue> Row;
        if (!Reread->Fetch(Row)) DatabaseError(u"The inserted row could not be read back");
        Record.Identity = std::move(Row.front());
        Record.Values.assign(std::make_move_iterator(Row.begin() + 1), std::make_move_iterator(Row.end()));
        return;
    }
    if (Written.empty()) return;
    String Assignments;
    for (size_t i : Written)
        Assignments += (Assignments.empty() ? u"" : u", ") + QuoteName(Names[i]) + u" = ?";
    auto Statement = Db.Prepare(u"UPDATE " + QuotedTable() + u" SET " + Assignments + u" WHERE " +
                                Db.RowIdentity() + u" = ?");
    Integer Index = 0;
    for (size_t i : Written)
        Statement->Bind(Index++, Record.Values[i]);
    Statement->Bind(Index, Record.Identity);
    if (Statement->Execute() == 0)
        DatabaseError(
            u"Row cannot be located for updating. Some values may have been changed since it was last read.");
}

void TADOTable::InternalDelete(const TDbRecord& Record) {
    detail::IDbConnection& Db = Database();
    auto Statement = Db.Prepare(u"DELETE FROM " + QuotedTable() + u" WHERE " + Db.RowIdentity() + u" = ?");
    Statement->Bind(0, Record.Identity);
    if (Statement->Execute() == 0)
        DatabaseError(
            u"Row cannot be located for updating. Some values may have been changed since it was last read.");
}
