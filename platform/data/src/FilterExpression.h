#pragma once
// A data set's filter: comparisons of a field with a constant ("ID<10",
// "Name='Rhine'", "Value >= 0.5"), joined with "and" and "or" and grouped in
// parentheses ("ID=6 or ID=10"). Keywords and field names ignore case; text
// compares without regard to case; a null field matches no comparison.

#include "Provider.h"

#include <functional>
#include <memory>
#include <string_view>

namespace detail {

class TFilterExpression {
public:
    // Finds the index of a field by name; -1 when there is none.
    using TFieldLookup = std::function<Integer(std::u16string_view name)>;

    // Raises EADOError for a text that is not such a filter or names an
    // unknown field.
    TFilterExpression(std::u16string_view text, const TFieldLookup& lookup);
    ~TFilterExpression();

    bool Matches(const std::vector<TDbValue>& row) const;

    struct TNode;

private:
    std::unique_ptr<TNode> FRoot;
};

} // namespace detail
