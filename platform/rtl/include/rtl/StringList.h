#pragma once
// TStrings, the interface of every list of text lines (with an object per
// line, name=value lines, whole-text, comma-text and file forms), and
// TStringList, the list that holds them, optionally sorted.
//
// Index errors raise EStringListError "List index out of bounds (%d)".

#include "rtl/Encoding.h"
#include "rtl/Events.h"
#include "rtl/Persistent.h"
#include "rtl/Stream.h"

#include <functional>
#include <vector>

class TStrings : public TPersistent {
    RTL_CLASS(TStrings)
public:
    // ---- storage, supplied by the concrete list
    virtual Integer Count() const = 0;
    virtual String Get(Integer Index) const = 0;
    // Replaces a line, keeping its object.
    virtual void Put(Integer Index, const String& S);
    virtual TObject* GetObject(Integer Index) const;
    virtual void PutObject(Integer Index, TObject* AObject);
    virtual void Clear() = 0;
    virtual void Delete(Integer Index) = 0;
    virtual void Insert(Integer Index, const String& S) = 0;
    virtual void InsertObject(Integer Index, const String& S, TObject* AObject);

    // ---- lines and objects
    // Answers the index of the line (for a sorted list, where it went).
    virtual Integer Add(const String& S);
    virtual Integer AddObject(const String& S, TObject* AObject);
    void Append(const String& S) { Add(S); }
    // Adds every line of Strings with its object.
    void AddStrings(const TStrings& Strings);
    virtual void Exchange(Integer Index1, Integer Index2);
    virtual void Move(Integer CurIndex, Integer NewIndex);
    // The first line equal to S (by CompareStrings), -1 when none.
    virtual Integer IndexOf(const String& S) const;
    // The first name=value line whose name equals Name (by CompareStrings).
    virtual Integer IndexOfName(const String& Name) const;
    Integer IndexOfObject(const TObject* AObject) const;

    String Strings(Integer Index) const { return Get(Index); }
    void SetStrings(Integer Index, const String& S) { Put(Index, S); }
    TObject* Objects(Integer Index) const { return GetObject(Index); }
    void SetObjects(Integer Index, TObject* AObject) { PutObject(Index, AObject); }

    // ---- name=value lines
    // The part before the first separator; empty for a line without one.
    String Names(Integer Index) const;
    // The part after the first separator; empty for a line without one.
    String ValueFromIndex(Integer Index) const;
    // An empty value deletes the line.
    void SetValueFromIndex(Integer Index, const String& Value);
    // The value of the first line named Name; empty when there is none.
    String Values(const String& Name) const;
    // Replaces the value of the line named Name or adds a line; an empty
    // value deletes the line.
    void SetValues(const String& Name, const String& Value);
    Char NameValueSeparator() const { return FNameValueSeparator; }
    void SetNameValueSeparator(Char Value) { FNameValueSeparator = Value; }

    // ---- whole text
    // Every line followed by CR LF.
    virtual String Text() const;
    // Splits at CR LF, LF or CR; a last line without a break counts.
    void SetText(const String& Value);

    // Items separated by Delimiter and quoted with QuoteChar (see the
    // setters for the rules).
    String DelimitedText() const;
    void SetDelimitedText(const String& Value);
    // DelimitedText with ',' and '"' and blanks as separators too.
    String CommaText() const;
    void SetCommaText(const String& Value);
    Char Delimiter() const { return FDelimiter; }
    void SetDelimiter(Char Value) { FDelimiter = Value; }
    Char QuoteChar() const { return FQuoteChar; }
    void SetQuoteChar(Char Value) { FQuoteChar = Value; }
    // When set, only the delimiter separates items and blanks are kept.
    bool StrictDelimiter() const { return FStrictDelimiter; }
    void SetStrictDelimiter(bool Value) { FStrictDelimiter = Value; }

    // ---- files and streams
    // Loading decodes the bytes by their byte-order mark (UTF-8, UTF-16 LE
    // or BE), else by Encoding, else as ANSI (Windows-1252), and remembers
    // the encoding. Saving writes CR LF line ends in Encoding, else in the
    // remembered one, with the encoding's byte-order mark (none for ANSI).
    // Files that cannot be opened or created raise EFOpenError or
    // EFCreateError.
    void LoadFromFile(const String& FileName, const TEncoding* Encoding = nullptr);
    void LoadFromStream(TStream& Stream, const TEncoding* Encoding = nullptr);
    void SaveToFile(const String& FileName, const TEncoding* Encoding = nullptr) const;
    void SaveToStream(TStream& Stream, const TEncoding* Encoding = nullptr) const;
    // The encoding of the last load; ANSI before any.
    const TEncoding& Encoding() const { return *FEncoding; }

    // ---- change notification
    // Changes between BeginUpdate and the matching EndUpdate are announced
    // once: OnChanging at the first BeginUpdate, OnChange at the last EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    Integer UpdateCount() const { return FUpdateCount; }

    // Copies the lines and objects (not the objects themselves) of another
    // TStrings, and its separators and quote character.
    void Assign(const TPersistent* Source) override;

protected:
    // Told when the first BeginUpdate starts (true) and the last EndUpdate ends.
    virtual void SetUpdateState(bool /*Updating*/) {}
    // How lines and names compare; linguistic and case-insensitive here.
    virtual Integer CompareStrings(const String& S1, const String& S2) const;
    [[noreturn]] void IndexError(Integer Index) const;

    // Runs Action between BeginUpdate and EndUpdate (also when it fails).
    template <class F>
    void WithUpdate(F&& Action) {
        BeginUpdate();
        try {
            Action();
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
    }

    std::vector<String> AllLines() const;
    // Replaces the lines (without objects), as one change.
    virtual void SetAllLines(std::vector<String> Lines);

private:
    Char FNameValueSeparator = u'=';
    Char FDelimiter = u',';
    Char FQuoteChar = u'"';
    bool FStrictDelimiter = false;
    Integer FUpdateCount = 0;
    const TEncoding* FEncoding = &TEncoding::ANSI();
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
// Negative when line Index1 sorts before line Index2, 0 when equal.
using TStringListSortCompare = std::function<Integer(TStringList& List, Integer Index1, Integer Index2)>;

class TStringList : public TStrings {
    RTL_CLASS(TStringList)
public:
    // An owning list frees the object of every line it deletes or clears.
    explicit TStringList(bool OwnsObjects = false) : FOwnsObjects(OwnsObjects) {}
    ~TStringList() override;

    Integer Count() const override { return static_cast<Integer>(FItems.size()); }
    String Get(Integer Index) const override;
    // As TStrings::Strings, without copying the line.
    const String& Strings(Integer Index) const;
    // Raises EStringListError "Operation not allowed on sorted list" when sorted.
    void Put(Integer Index, const String& S) override;
    TObject* GetObject(Integer Index) const override;
    void PutObject(Integer Index, TObject* AObject) override;
    void Clear() override;
    void Delete(Integer Index) override;
    // Raises EStringListError "Operation not allowed on sorted list" when sorted.
    void Insert(Integer Index, const String& S) override;
    void InsertObject(Integer Index, const String& S, TObject* AObject) override;
    // A sorted list inserts in order and applies Duplicates: dupIgnore
    // answers the index of the equal line without adding, dupError raises
    // EStringListError "String list does not allow duplicates".
    Integer AddObject(const String& S, TObject* AObject) override;
    Integer Add(const String& S) override { return AddObject(S, nullptr); }
    // As AddObject, taking the text over instead of copying it. An unsorted
    // list appends directly, without an overridden AddObject.
    Integer AddObjectMoved(String&& S, TObject* AObject);
    // Room for Capacity lines before the list has to grow; never drops lines.
    void SetCapacity(Integer Capacity);
    void Exchange(Integer Index1, Integer Index2) override;
    void Move(Integer CurIndex, Integer NewIndex) override;
    Integer IndexOf(const String& S) const override;
    String Text() const override;

    // Binary search of a sorted list: true when S is there, with Index the
    // first equal line; otherwise Index is where S would be inserted.
    bool Find(const String& S, Integer& Index) const;
    // Sorts (stably) by CompareStrings; a sorted list is left as it is.
    void Sort();
    void CustomSort(const TStringListSortCompare& Compare);

    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
    // Case-insensitive by default; changing it re-sorts a sorted list.
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value);
    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

    // Also takes Sorted and CaseSensitive from another TStringList.
    void Assign(const TPersistent* Source) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    void SetUpdateState(bool Updating) override;
    void SetAllLines(std::vector<String> Lines) override;
    Integer CompareStrings(const String& S1, const String& S2) const override;
    virtual void Changed();
    virtual void Changing();

private:
    struct TItem {
        String FString;
        TObject* FObject = nullptr;
    };

    void CheckIndex(Integer Index) const;
    void InsertItem(Integer Index, String S, TObject* AObject);
    void SortItems();

    std::vector<TItem> FItems;
    bool FSorted = false;
    bool FCaseSensitive = false;
    bool FOwnsObjects;
    TDuplicates FDuplicates = dupIgnore;
};
