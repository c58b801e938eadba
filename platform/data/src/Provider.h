#pragma once
// The seam between the data sets and a database engine. A provider opens a
// database, prepares statements with positional "?" markers, binds values,
// runs them and hands back rows of provider values. Everything above this
// seam (parameters by name, cursors, fields, notifications) is shared by all
// providers.

#include "rtl/Types.h"

#include <memory>
#include <string_view>
#include <variant>
#include <vector>

namespace detail {

// A date and time value on its way to or from the database.
struct TDbDateTime {
    TDateTime Value;
    bool operator==(const TDbDateTime&) const = default;
};

// One value as the database stores it: null, an integer, a floating-point
// number, text, or a date and time.
struct TDbValue : std::variant<std::monostate, Int64, double, String, TDbDateTime> {
    using variant::variant;
};

inline bool IsNull(const TDbValue& value) {
    return std::holds_alternative<std::monostate>(value);
}

// Bytes kept as text, one character per byte.
inline String BytesToString(std::string_view bytes) {
    String Text(bytes.size(), u'\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        Text[i] = static_cast<unsigned char>(bytes[i]);
    return Text;
}

// What a result column holds, as far as the fields need to know.
enum class TDbColumnKind { Integer, Float, Text, Memo, DateTime, Boolean, Blob };

struct TDbColumn {
    String Name;
    TDbColumnKind Kind = TDbColumnKind::Text;
    Integer Size = 0; // characters of a text column when the database declares them, else 0
};

class IDbStatement {
public:
    virtual ~IDbStatement() = default;

    virtual Integer ParamCount() const = 0;
    // Binds the value of the 0-based parameter for the next run.
    virtual void Bind(Integer index, const TDbValue& value) = 0;

    // The result columns (empty for a statement that returns no rows).
    virtual const std::vector<TDbColumn>& Columns() const = 0;

    // Runs the statement on the first call after binding and answers the
    // next row, false when there is none left.
    virtual bool Fetch(std::vector<TDbValue>& row) = 0;

    // Runs a statement that returns no rows; answers the rows it changed.
    virtual Int64 Execute() = 0;

    // Makes the statement ready to run again (bindings stay).
    virtual void Reset() = 0;
};

class IDbConnection {
public:
    virtual ~IDbConnection() = default;

    virtual std::unique_ptr<IDbStatement> Prepare(std::u16string_view sql) = 0;

    virtual void BeginTransaction() = 0;
    virtual void Commit() = 0;
    virtual void Rollback() = 0;
    virtual bool InTransaction() const = 0;

    // The column expression that names a stored row for updates and deletes
    // ("rowid"), and the identity of the row the last insert made.
    virtual String RowIdentity() const = 0;
    virtual TDbValue LastInsertIdentity() = 0;
};

struct TConnectionString;

std::unique_ptr<IDbConnection> OpenSqliteDatabase(const TConnectionString& settings);
std::unique_ptr<IDbConnection> OpenFirebirdDatabase(const TConnectionString& settings);

} // namespace detail

namespace detail {

// A record held by a data set: its values by column, and the identity by
// which the database finds the stored row again (null for query rows).
struct TDbRecord {
    std::vector<TDbValue> Values;
    TDbValue Identity;
};

} // namespace detail
