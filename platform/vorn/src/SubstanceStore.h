#pragma once
// The substances of the stand-in library, kept in an SQLite file (see
// data/substances/schema.sql for its tables). Answers the questions the
// entry points ask: the substances in code order, a substance's information
// list, its checksum, codes and identifiers, metabolites, and imports.

#include "SqliteDatabase.h"
#include "rtl/Types.h"

#include <vector>

namespace vorn {

// One Name=Value entry of an information list.
struct TAttribute {
    String Name;
    String Value;
    bool operator==(const TAttribute&) const = default;
};
using TInfoList = std::vector<TAttribute>;

// Names of the attributes the library adds to every information list.
inline constexpr const Char* SubstanceGUIDAttribute = u"SubstanceGUID";
inline constexpr const Char* SubstanceCodeAttribute = u"SubstanceCode";
inline constexpr const Char* LockedAttribute = u"Locked";
inline constexpr const Char* IncompleteAttribute = u"Incomplete";
inline constexpr const Char* MetabolitesIncompleteAttribute = u"MetabolitesIncomplete";
inline constexpr const Char* ChecksumAttribute = u"Checksum";

// The library's texts for true and false.
String BooleanText(bool value);
// Reads "True" or "False" in any case; raises ESubstanceStoreError otherwise.
bool ReadBooleanText(const String& text);

// A substance or metabolite to add: its code, attributes (numbers with "."),
// and for a metabolite the parent, compartment and formation fraction.
struct TNewSubstance {
    String GUID; // a new identifier is made when empty
    String Code;
    bool Locked = false;
    TInfoList Attributes;
};

class TSubstanceStore {
public:
    // Opens an existing store file; raises ESubstanceStoreError when it is
    // missing or is no substance store.
    explicit TSubstanceStore(const String& fileName);

    const String& FileName() const { return FDatabase.FileName(); }

    // Every substance's identifier, ordered by code regardless of case.
    std::vector<String> SubstanceGUIDs() const;
    // The information list; numbers are written with `decimalSeparator`.
    // Empty when the store does not know the substance.
    TInfoList InfoList(const String& guid, bool onlyRequired, Char decimalSeparator) const;
    // The information list of a metabolite formed from the parent in the
    // compartment, with ParentGUID, CompartmentID and FormationFraction
    // added; empty when there is no such metabolite.
    TInfoList MetaboliteInfoList(const String& parentGUID, const String& metaboliteGUID,
                                 Integer compartmentID, bool onlyRequired, Char decimalSeparator) const;
    // A checksum of the substance's code and attributes (16 hexadecimal
    // digits); empty when the store does not know the substance.
    String Checksum(const String& guid) const;
    // Empty when unknown.
    String CodeOf(const String& guid) const;
    String GUIDOf(const String& code) const;
    // The code itself when no substance has it, else the code followed by
    // "_1", "_2" … whichever is free first.
    String UniqueCode(const String& code) const;
    // The names of the required attributes the substance lacks.
    std::vector<String> MissingAttributes(const String& guid) const;
    // The metabolites formed directly from the substance in the compartment.
    std::vector<String> Metabolites(const String& parentGUID, Integer compartmentID) const;
    // Every metabolite of the substance's pathway in the compartment: its
    // metabolites, theirs, and so on, each once, nearest first.
    std::vector<String> MetabolitePathway(const String& parentGUID, Integer compartmentID) const;

    // Adds substances in one transaction (all or none). With `ensureUnique`
    // a code in use gets a free one (UniqueCode); without, a code in use is
    // an error. Answers the identifiers given, in order.
    std::vector<String> AddSubstances(const std::vector<TNewSubstance>& substances, bool ensureUnique);
    // Adds metabolites with their relation to a parent (by identifier or, when
    // that is empty, by code), all or none.
    struct TNewMetabolite {
        String ParentGUID;
        String ParentCode;
        Integer CompartmentID = 0;
        String FormationFraction;
        TNewSubstance Metabolite;
    };
    std::vector<String> AddMetabolites(const std::vector<TNewMetabolite>& metabolites, bool ensureUnique);

    // The defined attribute that has this name regardless of case; raises
    // ESubstanceStoreError naming it when there is none.
    struct TDefinition {
        String Name;
        bool IsNumber = false;
        bool Required = false;
    };
    TDefinition Definition(const String& name) const;

private:
    bool Exists(const String& guid) const;
    bool IsIncomplete(const String& guid) const;
    String AddSubstance(const TNewSubstance& substance, bool ensureUnique);

    TSqliteDatabase FDatabase;
};

// A new identifier in the registry form {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}.
String NewGUID();

} // namespace vorn
