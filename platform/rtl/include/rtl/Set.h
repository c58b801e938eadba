#pragma once
// TSet<E>: a set of the values of an enumeration whose values run from 0 in
// steps of one (at most 64 of them), the value type of set properties such
// as a font's style. Its bit mask (bit n for value n) is the form in which
// sets are streamed and reflected.

#include <cstdint>
#include <initializer_list>
#include <type_traits>

template <class E>
requires std::is_enum_v<E>
class TSet {
public:
    using TElement = E;

    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> Elements) {
        for (E Element : Elements)
            Include(Element);
    }

    static constexpr TSet FromMask(std::uint64_t Mask) {
        TSet Result;
        Result.FBits = Mask;
        return Result;
    }
    constexpr std::uint64_t Mask() const { return FBits; }

    constexpr bool Contains(E Element) const { return (FBits & Bit(Element)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr TSet& Include(E Element) {
        FBits |= Bit(Element);
        return *this;
    }
    constexpr TSet& Exclude(E Element) {
        FBits &= ~Bit(Element);
        return *this;
    }

    friend constexpr TSet operator+(TSet A, TSet B) { return FromMask(A.FBits | B.FBits); }
    friend constexpr TSet operator-(TSet A, TSet B) { return FromMask(A.FBits & ~B.FBits); }
    friend constexpr TSet operator*(TSet A, TSet B) { return FromMask(A.FBits & B.FBits); }
    friend constexpr bool operator==(TSet A, TSet B) = default;
    // A <= B: every element of A is in B.
    friend constexpr bool operator<=(TSet A, TSet B) { return (A.FBits & ~B.FBits) == 0; }

private:
    static constexpr std::uint64_t Bit(E Element) {
        return std::uint64_t{1} << static_cast<unsigned>(static_cast<std::underlying_type_t<E>>(Element));
    }

    std::uint64_t FBits = 0;
};
