// The Firebird provider: "Provider=Firebird;Database=<file>;User ID=<user>"
// [";Password=<password>"], through Firebird's embedded engine in this
// process (no server). Text travels as UTF-8. A statement outside an explicit
// transaction runs in a transaction of its own, committed when it is done.

#include "ConnectionString.h"
#include "Provider.h"
#include "data/DataErrors.h"
#include "rtl/Encoding.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <firebird/Interface.h>
#include <ibase.h>

namespace detail {

namespace {

using namespace Firebird;

constexpr unsigned Utf8CharSet = 4;
constexpr unsigned OctetsCharSet = 1;
constexpr unsigned TextBlobSubType = 1;
// Days from the engine's day 0 (1858-11-17) to the TDateTime day 0 (1899-12-30).
constexpr int DateEpochOffset = 15018;
constexpr double TimeUnitsPerDay = 86400.0 * ISC_TIME_SECONDS_PRECISION;

IMaster* Master() {
    return fb_get_master_interface();
}

[[noreturn]] void RaiseFirebirdError(const FbException& error) {
    char Text[2048];
    Master()->getUtilInterface()->formatStatus(Text, sizeof Text, error.getStatus());
    throw EADOError(FromUtf8(Text));
}

// Runs a call of the engine and turns its failure into the provider's error.
template <class F>
auto Guard(F&& call) -> decltype(call()) {
    try {
        return call();
    } catch (const FbException& Error) {
        RaiseFirebirdError(Error);
    }
}

TDateTime FromEngineDate(ISC_DATE date, ISC_TIME time) {
    const double Day = static_cast<double>(date) - DateEpochOffset;
    const double Fraction = time / TimeUnitsPerDay;
    // Before day 0 the fraction counts away from zero, as TDateTime does.
    return Day < 0 ? Day - Fraction : Day + Fraction;
}

void ToEngineDate(TDateTime value, ISC_TIMESTAMP& stamp) {
    double Day = value < 0 ? std::ceil(value) : std::floor(value);
    double Fraction = std::fabs(value - Day);
    auto Units = static_cast<int64_t>(std::llround(Fraction * TimeUnitsPerDay));
    if (Units >= static_cast<int64_t>(TimeUnitsPerDay)) {
        Units = 0;
        Day += value < 0 ? -1 : 1;
    }
    stamp.timestamp_date = static_cast<ISC_DATE>(Day + DateEpochOffset);
    stamp.timestamp_time = static_cast<ISC_TIME>(Units);
}

class TFirebirdConnection;

class TFirebirdStatement final : public IDbStatement {
public:
    TFirebirdStatement(TFirebirdConnection& connection, IStatement* statement);
    ~TFirebirdStatement() override;

    Integer ParamCount() const override { return static_cast<Integer>(FValues.size()); }
    void Bind(Integer index, const TDbValue& value) override {
        FValues.at(static_cast<size_t>(index)) = value;
    }
    const std::vector<TDbColumn>& Columns() const override { return FColumns; }
    bool Fetch(std::vector<TDbValue>& row) override;
    Int64 Execute() override;
    void Reset() override { Finish(true); }

private:
    void DescribeOutput();
    IMessageMetadata* BuildInput(std::vector<unsigned char>& buffer);
    template <class TStart>
    void StartWithInput(TStart&& start);
    TDbValue ReadColumn(unsigned index);
    String ReadBlob(ISC_QUAD* id, bool text);
    void Finish(bool success);

    TFirebirdConnection& FConnection;
    IStatement* FStatement;
    ThrowStatusWrapper FStatus;
    IMessageMetadata* FOutMeta = nullptr;
    std::vector<unsigned char> FOutBuffer;
    std::vector<TDbColumn> FColumns;
    std::vector<TDbValue> FValues;
    IResultSet* FCursor = nullptr;
    ITransaction* FOwnTransaction = nullptr; // the statement's own, outside an explicit transaction
    ITransaction* FTransaction = nullptr;
    bool FDone = false;
};

class TFirebirdConnection final : public IDbConnection {
public:
    explicit TFirebirdConnection(const TConnectionString& settings) : FStatus(Master()->getStatus()) {
        const std::string File = Utf8(settings.Value(u"Database"));
        if (File.empty()) throw EADOError(u"No database file is named in the connection text.");
        Guard([&] {
            IXpbBuilder* Dpb =
                Master()->getUtilInterface()->getXpbBuilder(&FStatus, IXpbBuilder::DPB, nullptr, 0);
            const std::string User = Utf8(settings.Value(u"User ID"));
            if (!User.empty()) Dpb->insertString(&FStatus, isc_dpb_user_name, User.c_str());
            if (settings.Has(u"Password"))
                Dpb->insertString(&FStatus, isc_dpb_password, Utf8(settings.Value(u"Password")).c_str());
            Dpb->insertString(&FStatus, isc_dpb_lc_ctype, "UTF8");
            Dpb->insertInt(&FStatus, isc_dpb_sql_dialect, 3);
            // The engine runs inside this process: no server is asked.
            Dpb->insertString(&FStatus, isc_dpb_config, "Providers=Engine12");
            IProvider* Provider = Master()->getDispatcher();
            try {
                FAttachment = Provider->attachDatabase(&FStatus, File.c_str(), Dpb->getBufferLength(&FStatus),
                                                       Dpb->getBuffer(&FStatus));
            } catch (...) {
                Provider->release();
                Dpb->dispose();
                throw;
            }
            Provider->release();
            Dpb->dispose();
        });
    }

    ~TFirebirdConnection() override {
        try {
            if (FTransaction) FTransaction->rollback(&FStatus);
            FAttachment->detach(&FStatus);
        } catch (const FbException&) {
            // Closing cannot report: the engine has released what it could.
            if (FAttachment) FAttachment->release();
        }
        FStatus.dispose();
    }

    std::unique_ptr<IDbStatement> Prepare(std::u16string_view sql) override {
        const std::string Text = Utf8(sql);
        return Guard([&] {
            bool Own = false;
            ITransaction* Tra = Transaction(Own);
            IStatement* Statement = nullptr;
            try {
                Statement =
                    FAttachment->prepare(&FStatus, Tra, static_cast<unsigned>(Text.size()), Text.c_str(),
                                         SQL_DIALECT_V6, IStatement::PREPARE_PREFETCH_METADATA);
            } catch (...) {
                if (Own) Tra->rollback(&FStatus);
                throw;
            }
            if (Own) Tra->commit(&FStatus);
            return std::unique_ptr<IDbStatement>(std::make_unique<TFirebirdStatement>(*this, Statement));
        });
    }

    void BeginTransaction() override {
        if (FTransaction) throw EADOError(u"A transaction is already active.");
        Guard([&] { FTransaction = FAttachment->startTransaction(&FStatus, 0, nullptr); });
    }
    void Commit() override {
        if (!FTransaction) throw EADOError(u"No transaction is active.");
        Guard([&] { FTransaction->commit(&FStatus); });
        FTransaction = nullptr;
    }
    void Rollback() override {
        if (!FTransaction) throw EADOError(u"No transaction is active.");
        Guard([&] { FTransaction->rollback(&FStatus); });
        FTransaction = nullptr;
    }
    bool InTransaction() const override { return FTransaction != nullptr; }

    // Tables on this provider are read through queries only.
    String RowIdentity() const override { return String(); }
    TDbValue LastInsertIdentity() override { return std::monostate(); }

    // The explicit transaction, or a new one that the caller owns.
    ITransaction* Transaction(bool& own) {
        own = FTransaction == nullptr;
        return own ? FAttachment->startTransaction(&FStatus, 0, nullptr) : FTransaction;
    }
    IAttachment* Attachment() const { return FAttachment; }

private:
    ThrowStatusWrapper FStatus;
    IAttachment* FAttachment = nullptr;
    ITransaction* FTransaction = nullptr;
};

TFirebirdStatement::TFirebirdStatement(TFirebirdConnection& connection, IStatement* statement)
    : FConnection(connection), FStatement(statement), FStatus(Master()->getStatus()) {
    Guard([&] {
        IMessageMetadata* In = FStatement->getInputMetadata(&FStatus);
        FValues.resize(In->getCount(&FStatus));
        In->release();
        DescribeOutput();
    });
}

TFirebirdStatement::~TFirebirdStatement() {
    try {
        Finish(false);
    } catch (const Exception&) {
        // Nothing was written that a rollback could lose; the engine keeps no state.
    }
    if (FOutMeta) FOutMeta->release();
    try {
        FStatement->free(&FStatus);
    } catch (const FbException&) {
        FStatement->release();
    }
    FStatus.dispose();
}

// Asks the engine for every result column in a form that needs one reader
// per kind: whole numbers as 64-bit integers, scaled and floating numbers as
// doubles, text as variable-length text.
void TFirebirdStatement::DescribeOutput() {
    IMessageMetadata* Described = FStatement->getOutputMetadata(&FStatus);
    const unsigned Count = Described->getCount(&FStatus);
    IMetadataBuilder* Builder = Described->getBuilder(&FStatus);
    for (unsigned i = 0; i < Count; ++i) {
        TDbColumn Column;
        Column.Name = FromUtf8(Described->getAlias(&FStatus, i));
        const unsigned Type = Described->getType(&FStatus, i) & ~1u;
        const int Scale = Described->getScale(&FStatus, i);
        switch (Type) {
        case SQL_SHORT:
        case SQL_LONG:
        case SQL_INT64:
            if (Scale == 0) {
                Column.Kind = TDbColumnKind::Integer;
                Builder->setType(&FStatus, i, SQL_INT64 | 1);
                Builder->setLength(&FStatus, i, sizeof(ISC_INT64));
                break;
            }
            [[fallthrough]];
        case SQL_FLOAT:
        case SQL_DOUBLE:
        case SQL_D_FLOAT:
            Column.Kind = TDbColumnKind::Float;
            Builder->setType(&FStatus, i, SQL_DOUBLE | 1);
            Builder->setLength(&FStatus, i, sizeof(double));
            Builder->setScale(&FStatus, i, 0);
            break;
        case SQL_TEXT:
        case SQL_VARYING: {
            const unsigned CharSet = Described->getCharSet(&FStatus, i);
            Column.Kind = CharSet == OctetsCharSet ? TDbColumnKind::Blob : TDbColumnKind::Text;
            const unsigned Length = Described->getLength(&FStatus, i);
            Column.Size = static_cast<Integer>(CharSet == Utf8CharSet ? Length / 4 : Length);
            Builder->setType(&FStatus, i, SQL_VARYING | 1);
            break;
        }
        case SQL_TIMESTAMP:
        case SQL_TYPE_DATE:
        case SQL_TYPE_TIME:
            Column.Kind = TDbColumnKind::DateTime;
            break;
        case SQL_BOOLEAN:
            Column.Kind = TDbColumnKind::Boolean;
            break;
        case SQL_BLOB:
            Column.Kind = Described->getSubType(&FStatus, i) == static_cast<int>(TextBlobSubType)
                              ? TDbColumnKind::Memo
                              : TDbColumnKind::Blob;
            break;
        default:
            Column.Kind = TDbColumnKind::Text;
            Builder->setType(&FStatus, i, SQL_VARYING | 1);
            Builder->setCharSet(&FStatus, i, Utf8CharSet);
            Builder->setLength(&FStatus, i, 256);
            break;
        }
        FColumns.push_back(std::move(Column));
    }
    FOutMeta = Builder->getMetadata(&FStatus);
    Builder->release();
    Described->release();
    FOutBuffer.resize(FOutMeta->getMessageLength(&FStatus));
}

// The input message for the bound values, each sent in its own kind; the
// engine converts it to the parameter's type.
IMessageMetadata* TFirebirdStatement::BuildInput(std::vector<unsigned char>& buffer) {
    IMessageMetadata* Described = FStatement->getInputMetadata(&FStatus);
    IMetadataBuilder* Builder = Described->getBuilder(&FStatus);
    Described->release();
    std::vector<std::string> Texts(FValues.size());
    for (unsigned i = 0; i < FValues.size(); ++i) {
        const TDbValue& Value = FValues[i];
        if (std::holds_alternative<Int64>(Value)) {
            Builder->setType(&FStatus, i, SQL_INT64 | 1);
            Builder->setLength(&FStatus, i, sizeof(ISC_INT64));
            Builder->setScale(&FStatus, i, 0);
        } else if (std::holds_alternative<double>(Value)) {
            Builder->setType(&FStatus, i, SQL_DOUBLE | 1);
            Builder->setLength(&FStatus, i, sizeof(double));
            Builder->setScale(&FStatus, i, 0);
        } else if (const auto* S = std::get_if<String>(&Value)) {
            Texts[i] = Utf8(*S);
            Builder->setType(&FStatus, i, SQL_VARYING | 1);
            Builder->setCharSet(&FStatus, i, Utf8CharSet);
            Builder->setLength(&FStatus, i, static_cast<unsigned>(std::max<size_t>(Texts[i].size(), 1)));
        } else if (std::holds_alternative<TDbDateTime>(Value)) {
            Builder->setType(&FStatus, i, SQL_TIMESTAMP | 1);
            Builder->setLength(&FStatus, i, sizeof(ISC_TIMESTAMP));
        }
    }
    IMessageMetadata* Meta = Builder->getMetadata(&FStatus);
    Builder->release();
    buffer.assign(Meta->getMessageLength(&FStatus), 0);
    for (unsigned i = 0; i < FValues.size(); ++i) {
        unsigned char* Data = buffer.data() + Meta->getOffset(&FStatus, i);
        auto* Null = reinterpret_cast<ISC_SHORT*>(buffer.data() + Meta->getNullOffset(&FStatus, i));
        const TDbValue& Value = FValues[i];
        *Null = IsNull(Value) ? -1 : 0;
        if (const auto* I = std::get_if<Int64>(&Value)) {
            std::memcpy(Data, I, sizeof *I);
        } else if (const auto* D = std::get_if<double>(&Value)) {
            std::memcpy(Data, D, sizeof *D);
        } else if (std::holds_alternative<String>(Value)) {
            const auto Length = static_cast<ISC_USHORT>(Texts[i].size());
            std::memcpy(Data, &Length, sizeof Length);
            std::memcpy(Data + sizeof Length, Texts[i].data(), Texts[i].size());
        } else if (const auto* T = std::get_if<TDbDateTime>(&Value)) {
            ISC_TIMESTAMP Stamp;
            ToEngineDate(T->Value, Stamp);
            std::memcpy(Data, &Stamp, sizeof Stamp);
        }
    }
    return Meta;
}

// Starts the statement (opens its cursor or executes it) with the input
// message of the bound values, in the connection's transaction or one of the
// statement's own.
template <class TStart>
void TFirebirdStatement::StartWithInput(TStart&& start) {
    std::vector<unsigned char> Input;
    IMessageMetadata* InMeta = BuildInput(Input);
    bool Own = false;
    FTransaction = FConnection.Transaction(Own);
    if (Own) FOwnTransaction = FTransaction;
    try {
        start(InMeta, Input.data());
    } catch (...) {
        InMeta->release();
        throw;
    }
    InMeta->release();
}

bool TFirebirdStatement::Fetch(std::vector<TDbValue>& row) {
    if (FDone) return false;
    try {
        if (!FCursor)
            StartWithInput([&](IMessageMetadata* InMeta, unsigned char* Input) {
                FCursor = FStatement->openCursor(&FStatus, FTransaction, InMeta, Input, FOutMeta, 0);
            });
        if (FCursor->fetchNext(&FStatus, FOutBuffer.data()) != IStatus::RESULT_OK) {
            Finish(true);
            FDone = true;
            return false;
        }
        row.resize(FColumns.size());
        for (unsigned i = 0; i < FColumns.size(); ++i)
            row[i] = ReadColumn(i);
        return true;
    } catch (const FbException& Error) {
        Finish(false);
        RaiseFirebirdError(Error);
    }
}

Int64 TFirebirdStatement::Execute() {
    try {
        StartWithInput([&](IMessageMetadata* InMeta, unsigned char* Input) {
            FStatement->execute(&FStatus, FTransaction, InMeta, Input, nullptr, nullptr);
        });
        const auto Affected = static_cast<Int64>(FStatement->getAffectedRecords(&FStatus));
        Finish(true);
        FDone = true;
        return Affected;
    } catch (const FbException& Error) {
        Finish(false);
        RaiseFirebirdError(Error);
    }
}

void TFirebirdStatement::Finish(bool success) {
    Guard([&] {
        if (FCursor) {
            IResultSet* Cursor = FCursor;
            FCursor = nullptr;
            try {
                Cursor->close(&FStatus);
            } catch (const FbException&) {
                Cursor->release();
                if (success) throw;
            }
        }
        ITransaction* Own = FOwnTransaction;
        FOwnTransaction = nullptr;
        FTransaction = nullptr;
        FDone = false;
        if (Own) {
            if (success)
                Own->commit(&FStatus);
            else
                Own->rollback(&FStatus);
        }
    });
}

TDbValue TFirebirdStatement::ReadColumn(unsigned index) {
    const unsigned char* Data = FOutBuffer.data() + FOutMeta->getOffset(&FStatus, index);
    ISC_SHORT Null;
    std::memcpy(&Null, FOutBuffer.data() + FOutMeta->getNullOffset(&FStatus, index), sizeof Null);
    if (Null) return std::monostate();
    switch (FOutMeta->getType(&FStatus, index) & ~1u) {
    case SQL_INT64: {
        ISC_INT64 Value;
        std::memcpy(&Value, Data, sizeof Value);
        return static_cast<Int64>(Value);
    }
    case SQL_DOUBLE: {
        double Value;
        std::memcpy(&Value, Data, sizeof Value);
        return Value;
    }
    case SQL_VARYING: {
        ISC_USHORT Length;
        std::memcpy(&Length, Data, sizeof Length);
        const char* Text = reinterpret_cast<const char*>(Data + sizeof Length);
        if (FColumns[index].Kind == TDbColumnKind::Blob) return BytesToString(std::string_view(Text, Length));
        return FromUtf8(std::string_view(Text, Length));
    }
    case SQL_TIMESTAMP: {
        ISC_TIMESTAMP Stamp;
        std::memcpy(&Stamp, Data, sizeof Stamp);
        return TDbDateTime{FromEngineDate(Stamp.timestamp_date, Stamp.timestamp_time)};
    }
    case SQL_TYPE_DATE: {
        ISC_DATE Date;
        std::memcpy(&Date, Data, sizeof Date);
        return TDbDateTime{FromEngineDate(Date, 0)};
    }
    case SQL_TYPE_TIME: {
        ISC_TIME Time;
        std::memcpy(&Time, Data, sizeof Time);
        return TDbDateTime{Time / TimeUnitsPerDay};
    }
    case SQL_BOOLEAN:
        return static_cast<Int64>(*Data != 0 ? 1 : 0);
    case SQL_BLOB: {
        ISC_QUAD Id;
        std::memcpy(&Id, Data, sizeof Id);
        return ReadBlob(&Id, FColumns[index].Kind == TDbColumnKind::Memo);
    }
    default:
        return std::monostate();
    }
}

String TFirebirdStatement::ReadBlob(ISC_QUAD* id, bool text) {
    IBlob* Blob = FConnection.Attachment()->openBlob(&FStatus, FTransaction, id, 0, nullptr);
    std::string Bytes;
    char Segment[8192];
    try {
        for (;;) {
            unsigned Got = 0;
            const int Result = Blob->getSegment(&FStatus, sizeof Segment, Segment, &Got);
            if (Result != IStatus::RESULT_OK && Result != IStatus::RESULT_SEGMENT) break;
            Bytes.append(Segment, Got);
        }
    } catch (...) {
        Blob->release();
        throw;
    }
    Blob->close(&FStatus);
    return text ? FromUtf8(Bytes) : BytesToString(Bytes);
}

} // namespace

std::unique_ptr<IDbConnection> OpenFirebirdDatabase(const TConnectionString& settings) {
    return std::make_unique<TFirebirdConnection>(settings);
}

} // namespace detail
