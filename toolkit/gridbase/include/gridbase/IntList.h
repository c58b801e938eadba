#pragma once
// TIntList, a list of integers that belongs to a grid cell or to the grid as
// a whole (selections, hidden rows, stored row heights, sort orders), and
// TSortIndexList, the columns and directions of a multi-column sort, with its short text
// form "u3;d5".

#include "gridbase/GridTypes.h"
#include "rtl/List.h"

class TIntList : public TList {
public:
    // An empty list for the cell (Col, Row); each list takes the next serial
    // number of the process as its Tag.
    TIntList(Integer Col, Integer Row);

    // Index errors raise EListError "List index out of bounds (%d)".
    Integer Items(Integer Index) const;
    // Stores the value and fires OnChange.
    void SetItems(Integer Index, Integer Value);

    // Add, Delete and Clear fire OnChange.
    Integer Add(Integer Value);
    void Delete(Integer Index);
    void Clear() override;
    // Inserts at a position; no event.
    void Insert(Integer Index, Integer Value);
    // Sorted insert into an ascending list, before an equal entry; no event,
    // except on an empty list, where it is an Add.
    void Insert(Integer Value);
    // Deletes the first entry equal to Value (firing OnChange); nothing when absent.
    void DeleteValue(Integer Value);
    bool HasValue(Integer Value) const;

    // Binary searches of an ascending list: the index of an entry equal to
    // Value or -1; and the position where Value would be inserted.
    Integer SortedIndexOf(Integer Value) const;
    Integer SortedPosOf(Integer Value) const;

    // The entries in decimal joined by "," ("" for an empty list). Writing
    // splits the text by the comma-text rules, clears the list and adds each
    // part converted strictly; a part that is no integer raises EConvertError
    // "'%s' is not a valid integer value", keeping the parts added before it.
    String StrValue() const;
    void SetStrValue(const String& Value);

    Integer Col() const { return FCol; }
    Integer Row() const { return FRow; }
    Integer Tag() const { return FTag; }

    const TImageChangeEvent& OnChange() const { return FOnChange; }
    void SetOnChange(TImageChangeEvent Value) { FOnChange = std::move(Value); }

    // The list is emptied without an event: its owner may already be half
    // destroyed when the list goes.
    void BeforeDestruction() override;

protected:
    void Changed();

private:
    TImageChangeEvent FOnChange;
    Integer FCol;
    Integer FRow;
    Integer FTag;
};

// Each entry is a column number in the low 31 bits with the sign bit set for
// a descending sort.
class TSortIndexList : public TIntList {
public:
    TSortIndexList(Integer Col = 0, Integer Row = 0) : TIntList(Col, Row) {}

    void AddIndex(Integer ColumnIndex, bool Ascending);
    // Position of the first entry for that column; -1 when none.
    Integer FindIndex(Integer ColumnIndex) const;
    // Flips the direction of the first entry for that column; nothing when absent.
    void ToggleIndex(Integer ColumnIndex);

    Integer SortColumns(Integer Index) const;
    // Keeps the entry's direction.
    void SetSortColumns(Integer Index, Integer Value);
    // True for ascending.
    bool SortDirections(Integer Index) const;
    void SetSortDirections(Integer Index, bool Value);

    // "u" (ascending) or "d" and the column in decimal, per entry, joined by
    // ";". Only the low 16 bits of a column are written.
    String SaveToString() const;
    // Clears the list and reads such a text: items shorter than two
    // characters are skipped, the column is read leniently, and every first
    // character but "u" means descending. Never raises.
    void LoadFromString(String S);
};
