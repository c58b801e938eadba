#include "data/Connection.h"

#include "ConnectionString.h"
#include "Provider.h"
#include "data/ADODataSet.h"
#include "rtl/ClassBuilder.h"
#include "rtl/TextCompare.h"

const TClassInfo& TADOConnection::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TADOConnection, TComponent>().Build();
    return Info;
}

TADOConnection::TADOConnection(TComponent* AOwner) : TComponent(AOwner) {}

TADOConnection::~TADOConnection() = default;

void TADOConnection::BeforeDestruction() {
    Close();
    for (TCustomADODataSet* DataSet : FDataSets)
        DataSet->FConnection = nullptr;
    FDataSets.clear();
    TComponent::BeforeDestruction();
}

void TADOConnection::SetConnectionString(const String& Value) {
    if (Value == FConnectionString) return;
    Close();
    FConnectionString = Value;
}

void TADOConnection::SetConnected(bool Value) {
    if (Value)
        Open();
    else
        Close();
}

void TADOConnection::Open() {
    if (Connected()) return;
    const detail::TConnectionString Settings = detail::ParseConnectionString(FConnectionString);
    const String Provider = Settings.Value(u"Provider");
    if (SameText(Provider, u"SQLite"))
        FDatabase = detail::OpenSqliteDatabase(Settings);
    else if (SameText(Provider, u"Firebird"))
        FDatabase = detail::OpenFirebirdDatabase(Settings);
    else
        throw EADOError(u"Provider cannot be found. It may not be properly installed.");
}

void TADOConnection::Close() {
    if (!Connected()) return;
    for (TCustomADODataSet* DataSet : std::vector<TCustomADODataSet*>(FDataSets)) {
        DataSet->Close();
        DataSet->ReleaseStatements();
    }
    // Destroying the database connection rolls back a transaction left open.
    FDatabase.reset();
}

void TADOConnection::CheckConnected() const {
    if (!Connected()) throw EADOError(u"Operation is not allowed when the object is closed.");
}

detail::IDbConnection& TADOConnection::Database() const {
    CheckConnected();
    return *FDatabase;
}

Integer TADOConnection::BeginTrans() {
    Database().BeginTransaction();
    return 1;
}

void TADOConnection::CommitTrans() {
    Database().Commit();
}
void TADOConnection::RollbackTrans() {
    Database().Rollback();
}
bool TADOConnection::InTransaction() const {
    return Connected() && FDatabase->InTransaction();
}

// ---- TTransactionScope ----------------------------------------------------------

TTransactionScope::TTransactionScope(TADOConnection& Connection) : FConnection(Connection) {
    FConnection.BeginTrans();
}

TTransactionScope::~TTransactionScope() {
    if (FDone || !FConnection.InTransaction()) return;
    try {
        FConnection.RollbackTrans();
    } catch (const Exception&) {
        // A destructor cannot raise; the database drops an unfinished
        // transaction when the connection closes.
    }
}

void TTransactionScope::Commit() {
    FConnection.CommitTrans();
    FDone = true;
}
