#pragma once
// The data sets on a TADOConnection: TADOQuery runs SQL text with bound
// ":name" parameters; TADOTable reads a whole table in an order and writes
// its edits, appends and deletes back to it.

#include "data/Connection.h"
#include "data/DataSet.h"
#include "rtl/StringList.h"

#include <memory>

namespace detail {
class IDbStatement;
}

// One named parameter of a query and the value bound to it.
class TParameter : public TObject {
public:
    explicit TParameter(String Name) : FName(std::move(Name)) {}
    const String& Name() const { return FName; }
    const Variant& Value() const { return FValue; }
    void SetValue(const Variant& Value) { FValue = Value; }

private:
    String FName;
    Variant FValue = Variant::Null();
};

// The parameters of a query, made from its SQL text: one per distinct name,
// in the order they first appear.
class TParameters {
public:
    Integer Count() const { return static_cast<Integer>(FItems.size()); }
    TParameter* Items(Integer Index) const { return FItems.at(static_cast<size_t>(Index)).get(); }
    // Names compare without regard to case; null when there is none.
    TParameter* FindParam(const String& Name) const;
    // Raises EADOError "Parameter '<name>' not found" when there is none.
    TParameter* ParamByName(const String& Name) const;

private:
    friend class TADOQuery;
    void Rebuild(const std::vector<String>& Names);
    std::vector<std::unique_ptr<TParameter>> FItems;
};

class TCustomADODataSet : public TDataSet {
    RTL_CLASS(TCustomADODataSet)
public:
    explicit TCustomADODataSet(TComponent* AOwner);
    ~TCustomADODataSet() override;

    TADOConnection* Connection() const { return FConnection; }
    void SetConnection(TADOConnection* Value);

protected:
    void BeforeDestruction() override;

    detail::IDbConnection& Database() const;
    // Runs a statement that returns rows and reads them all.
    void ReadAll(detail::IDbStatement& Statement, std::vector<detail::TDbColumn>& Columns,
                 std::vector<std::unique_ptr<detail::TDbRecord>>& Records, bool FirstIsIdentity);

private:
    friend class TADOConnection;
    // The connection is going away or closing: let go of prepared statements.
    virtual void ReleaseStatements() {}

    TADOConnection* FConnection = nullptr;
};

class TADOQuery : public TCustomADODataSet {
    RTL_CLASS(TADOQuery)
public:
    explicit TADOQuery(TComponent* AOwner);
    ~TADOQuery() override;

    // The SQL text; changing it closes the query and makes its parameters anew.
    TStrings* SQL() const { return FSQL.get(); }
    TParameters* Parameters() { return &FParameters; }

    // Runs a statement that returns no rows; answers RowsAffected.
    Integer ExecSQL();
    Integer RowsAffected() const { return FRowsAffected; }

protected:
    void InternalOpen(std::vector<detail::TDbColumn>& Columns,
                      std::vector<std::unique_ptr<detail::TDbRecord>>& Records) override;

private:
    void SQLChanged();
    void ReleaseStatements() override;
    detail::IDbStatement& PreparedStatement();

    std::unique_ptr<TStringList> FSQL;
    TParameters FParameters;
    String FParsedText;
    std::vector<String> FParamOrder; // the parameter name of every "?" in order
    std::unique_ptr<detail::IDbStatement> FStatement;
    Integer FRowsAffected = -1;
};

class TADOTable : public TCustomADODataSet {
    RTL_CLASS(TADOTable)
public:
    explicit TADOTable(TComponent* AOwner);

    const String& TableName() const { return FTableName; }
    void SetTableName(const String& Value);
    // The order of the records: field names separated by ";".
    const String& IndexFieldNames() const { return FIndexFieldNames; }
    void SetIndexFieldNames(const String& Value);

protected:
    void InternalOpen(std::vector<detail::TDbColumn>& Columns,
                      std::vector<std::unique_ptr<detail::TDbRecord>>& Records) override;
    bool CanWrite() const override;
    void InternalPost(detail::TDbRecord& Record, const std::vector<bool>& Changed, bool Inserting) override;
    void InternalDelete(const detail::TDbRecord& Record) override;

private:
    String QuotedTable() const;
    String SelectText() const; // every column, the row identity first

    String FTableName;
    String FIndexFieldNames;
};
