#include "FilterExpression.h"

#include "data/DataErrors.h"
#include "rtl/Convert.h"
#include "rtl/StringUtils.h"
#include "rtl/TextCompare.h"

namespace detail {

namespace {

const char16_t* const BadFilter =
    u"Arguments are of the wrong type, are out of acceptable range, or are in conflict with one another.";

enum class TOperator { Equal, NotEqual, Less, LessOrEqual, Greater, GreaterOrEqual };

// -1, 0 or 1; answers false when the two values cannot be compared.
bool CompareValues(const TDbValue& field, const TDbValue& constant, int& order) {
    auto AsNumber = [](const TDbValue& v, double& n) {
        if (const auto* I = std::get_if<Int64>(&v))
            n = static_cast<double>(*I);
        else if (const auto* D = std::get_if<double>(&v))
            n = *D;
        else if (const auto* T = std::get_if<TDbDateTime>(&v))
            n = T->Value;
        else
            return false;
        return true;
    };
    double A, B;
    if (AsNumber(field, A) && AsNumber(constant, B)) {
        order = A < B ? -1 : A > B ? 1 : 0;
        return true;
    }
    const auto* Text = std::get_if<String>(&constant);
    if (!Text) return false;
    String FieldText;
    if (const auto* S = std::get_if<String>(&field))
        FieldText = *S;
    else if (AsNumber(field, A))
        return TryStrToFloat(*Text, B) && (order = A < B ? -1 : A > B ? 1 : 0, true);
    else
        return false;
    const Integer Result = AnsiCompareText(FieldText, *Text);
    order = Result < 0 ? -1 : Result > 0 ? 1 : 0;
    return true;
}

} // namespace

struct TFilterExpression::TNode {
    enum class TKind { Comparison, And, Or } Kind = TKind::Comparison;
    // Comparison
    Integer Field = -1;
    TOperator Operator = TOperator::Equal;
    TDbValue Constant;
    // And, Or
    std::unique_ptr<TNode> Left, Right;

    bool Matches(const std::vector<TDbValue>& row) const {
        switch (Kind) {
        case TKind::And:
            return Left->Matches(row) && Right->Matches(row);
        case TKind::Or:
            return Left->Matches(row) || Right->Matches(row);
        case TKind::Comparison:
            break;
        }
        const TDbValue& Value = row[static_cast<size_t>(Field)];
        if (IsNull(Value)) return false;
        int Order = 0;
        if (!CompareValues(Value, Constant, Order)) return false;
        switch (Operator) {
        case TOperator::Equal:
            return Order == 0;
        case TOperator::NotEqual:
            return Order != 0;
        case TOperator::Less:
            return Order < 0;
        case TOperator::LessOrEqual:
            return Order <= 0;
        case TOperator::Greater:
            return Order > 0;
        case TOperator::GreaterOrEqual:
            return Order >= 0;
        }
        return false;
    }
};

namespace {

// A recursive-descent reader: or-expression := and-expression {"or" and-expression};
// and-expression := term {"and" term}; term := "(" or-expression ")" | comparison.
class TFilterParser {
public:
    TFilterParser(std::u16string_view text, const TFilterExpression::TFieldLookup& lookup)
        : FText(text), FLookup(lookup) {}

    std::unique_ptr<TFilterExpression::TNode> Parse() {
        auto Root = ParseOr();
        SkipBlanks();
        if (FAt != FText.size()) Fail();
        return Root;
    }

private:
    using TNode = TFilterExpression::TNode;

    [[noreturn]] static void Fail() { throw EADOError(BadFilter); }

    void SkipBlanks() {
        while (FAt < FText.size() && (FText[FAt] == u' ' || FText[FAt] == u'\t'))
            ++FAt;
    }

    static bool IsWordChar(Char c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
               c == u'_' || c >= 0x80;
    }

    bool TakeKeyword(std::u16string_view word) {
        SkipBlanks();
        if (FAt + word.size() > FText.size() || !SameText(FText.substr(FAt, word.size()), word)) return false;
        if (FAt + word.size() < FText.size() && IsWordChar(FText[FAt + word.size()])) return false;
        FAt += word.size();
        return true;
    }

    std::unique_ptr<TNode> Join(TNode::TKind kind, std::unique_ptr<TNode> left,
                                std::unique_ptr<TNode> right) {
        auto Node = std::make_unique<TNode>();
        Node->Kind = kind;
        Node->Left = std::move(left);
        Node->Right = std::move(right);
        return Node;
    }

    std::unique_ptr<TNode> ParseOr() {
        auto Left = ParseAnd();
        while (TakeKeyword(u"or"))
            Left = Join(TNode::TKind::Or, std::move(Left), ParseAnd());
        return Left;
    }

    std::unique_ptr<TNode> ParseAnd() {
        auto Left = ParseTerm();
        while (TakeKeyword(u"and"))
            Left = Join(TNode::TKind::And, std::move(Left), ParseTerm());
        return Left;
    }

    std::unique_ptr<TNode> ParseTerm() {
        SkipBlanks();
        if (FAt < FText.size() && FText[FAt] == u'(') {
            ++FAt;
            auto Inner = ParseOr();
            SkipBlanks();
            if (FAt >= FText.size() || FText[FAt] != u')') Fail();
            ++FAt;
            return Inner;
        }
        auto Node = std::make_unique<TNode>();
        Node->Field = FLookup(ReadFieldName());
        if (Node->Field < 0) Fail();
        Node->Operator = ReadOperator();
        Node->Constant = ReadConstant();
        return Node;
    }

    String ReadFieldName() {
        SkipBlanks();
        if (FAt < FText.size() && FText[FAt] == u'[') {
            const size_t End = FText.find(u']', FAt);
            if (End == std::u16string_view::npos) Fail();
            String Name(FText.substr(FAt + 1, End - FAt - 1));
            FAt = End + 1;
            return Name;
        }
        const size_t Start = FAt;
        while (FAt < FText.size() && IsWordChar(FText[FAt]))
            ++FAt;
        if (FAt == Start) Fail();
        return String(FText.substr(Start, FAt - Start));
    }

    TOperator ReadOperator() {
        SkipBlanks();
        auto Take = [this](std::u16string_view op) {
            if (FText.substr(FAt, op.size()) != op) return false;
            FAt += op.size();
            return true;
        };
        if (Take(u"<>")) return TOperator::NotEqual;
        if (Take(u"<=")) return TOperator::LessOrEqual;
        if (Take(u">=")) return TOperator::GreaterOrEqual;
        if (Take(u"=")) return TOperator::Equal;
        if (Take(u"<")) return TOperator::Less;
        if (Take(u">")) return TOperator::Greater;
        Fail();
    }

    TDbValue ReadConstant() {
        SkipBlanks();
        if (FAt < FText.size() && (FText[FAt] == u'\'' || FText[FAt] == u'#')) {
            const Char Quote = FText[FAt++];
            String Text;
            for (;;) {
                if (FAt >= FText.size()) Fail();
                if (FText[FAt] == Quote) {
                    if (Quote == u'\'' && FAt + 1 < FText.size() && FText[FAt + 1] == Quote) {
                        Text += Quote;
                        FAt += 2;
                        continue;
                    }
                    ++FAt;
                    break;
                }
                Text += FText[FAt++];
            }
            return Text;
        }
        const size_t Start = FAt;
        while (FAt < FText.size() &&
               (IsWordChar(FText[FAt]) || FText[FAt] == u'.' || FText[FAt] == u'-' || FText[FAt] == u'+'))
            ++FAt;
        const std::u16string_view Number = FText.substr(Start, FAt - Start);
        Int64 Whole;
        if (TryStrToInt64(Number, Whole)) return Whole;
        double Real;
        if (TryStrToFloat(Number, Real, TFormatSettings::Invariant())) return Real;
        Fail();
    }

    std::u16string_view FText;
    const TFilterExpression::TFieldLookup& FLookup;
    size_t FAt = 0;
};

} // namespace

TFilterExpression::TFilterExpression(std::u16string_view text, const TFieldLookup& lookup)
    : FRoot(TFilterParser(text, lookup).Parse()) {}

TFilterExpression::~TFilterExpression() = default;

bool TFilterExpression::Matches(const std::vector<TDbValue>& row) const {
    return FRoot->Matches(row);
}

} // namespace detail
