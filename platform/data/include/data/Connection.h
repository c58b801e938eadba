#pragma once
// TADOConnection: one open database, named by a connection text:
//   "Provider=SQLite;Data Source=<file>"                    an SQLite file, which must exist
//   "Provider=Firebird;Database=<file>;User ID=<user>"      a Firebird file, through the embedded engine
// Its tables and queries run their statements on it. Failures of the
// database raise EADOError with the provider's message.

#include "data/DataErrors.h"
#include "rtl/Component.h"

#include <memory>
#include <vector>

namespace detail {
class IDbConnection;
}

class TCustomADODataSet;

class TADOConnection : public TComponent {
    RTL_CLASS(TADOConnection)
public:
    explicit TADOConnection(TComponent* AOwner);
    ~TADOConnection() override;

    const String& ConnectionString() const { return FConnectionString; }
    // Changing the text of an open connection closes it first.
    void SetConnectionString(const String& Value);
    // Kept for the callers that switch it off; no login dialog exists here.
    bool LoginPrompt() const { return FLoginPrompt; }
    void SetLoginPrompt(bool Value) { FLoginPrompt = Value; }

    void Open();
    // Closes the data sets on the connection first; an open transaction is
    // rolled back.
    void Close();
    bool Connected() const { return FDatabase != nullptr; }
    void SetConnected(bool Value);

    // Transactions do not nest: BeginTrans answers the level, 1.
    Integer BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool InTransaction() const;

    // The data sets that use this connection.
    Integer DataSetCount() const { return static_cast<Integer>(FDataSets.size()); }
    TCustomADODataSet* DataSets(Integer Index) const { return FDataSets.at(static_cast<size_t>(Index)); }

    detail::IDbConnection& Database() const; // raises when not connected

protected:
    void BeforeDestruction() override;

private:
    friend class TCustomADODataSet;
    void CheckConnected() const;

    String FConnectionString;
    bool FLoginPrompt = true;
    std::unique_ptr<detail::IDbConnection> FDatabase;
    std::vector<TCustomADODataSet*> FDataSets;
};

// A transaction for the length of a scope: rolled back when the scope is
// left without Commit (also by an exception).
class TTransactionScope {
public:
    explicit TTransactionScope(TADOConnection& Connection);
    ~TTransactionScope();
    TTransactionScope(const TTransactionScope&) = delete;
    TTransactionScope& operator=(const TTransactionScope&) = delete;

    void Commit();

private:
    TADOConnection& FConnection;
    bool FDone = false;
};
