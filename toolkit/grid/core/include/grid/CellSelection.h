#pragma once
// The disjunct cell selection of the string grid: (column, row) pairs in the
// order they were selected, each at most once. Membership is a hash lookup,
// so rows and columns of any size keep apart (no packing into 16 bits).

#include "rtl/Types.h"
#include "vcl/Grids.h"

#include <cstdint>
#include <unordered_set>
#include <vector>

class TCellSelection {
public:
    Integer Count() const { return Integer(FCells.size()); }
    // Entry Index in selecting order; out of range raises EListError.
    TGridCoord Item(Integer Index) const;
    bool Contains(Integer ACol, Integer ARow) const { return FKeys.count(Key(ACol, ARow)) != 0; }
    // False when the cell was there already.
    bool Add(Integer ACol, Integer ARow);
    // False when the cell was not there.
    bool Remove(Integer ACol, Integer ARow);
    void Clear();

private:
    static uint64_t Key(Integer ACol, Integer ARow) {
        return (uint64_t(uint32_t(ARow)) << 32) | uint64_t(uint32_t(ACol));
    }
    std::vector<TGridCoord> FCells;
    std::unordered_set<uint64_t> FKeys;
};
