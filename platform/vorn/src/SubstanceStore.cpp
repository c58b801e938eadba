#include "SubstanceStore.h"

#include "rtl/Convert.h"
#include "rtl/Encoding.h"
#include "rtl/StringUtils.h"
#include "rtl/TextCompare.h"

#include <algorithm>
#include <random>

namespace vorn {

namespace {

String WithDecimalSeparator(const String& number, Char decimalSeparator) {
    String result = number;
    std::replace(result.begin(), result.end(), u'.', decimalSeparator);
    return result;
}

// FNV-1a over the UTF-8 bytes: stable across runs and machines.
std::uint64_t Fnv1a(const std::string& bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char byte : bytes) {
        hash ^= byte;
        hash *= 1099511628211ull;
    }
    return hash;
}

} // namespace

String BooleanText(bool value) {
    return value ? u"True" : u"False";
}

bool ReadBooleanText(const String& text) {
    if (SameText(text, BooleanText(true))) return true;
    if (SameText(text, BooleanText(false))) return false;
    throw ESubstanceStoreError(u"\"" + text + u"\" is no Boolean text; use \"True\" or \"False\".");
}

String NewGUID() {
    static std::random_device device;
    static std::mt19937_64 generator(device());
    const std::uint64_t high = generator();
    std::uint64_t low = generator();
    // Version 4 (random), variant 1.
    const std::uint64_t versioned = (high & ~0xF000ull) | 0x4000ull;
    low = (low & ~(0xC000ull << 48)) | (0x8000ull << 48);
    const String hex = IntToHex(static_cast<UInt64>(versioned), 16) + IntToHex(static_cast<UInt64>(low), 16);
    String guid = u"{";
    for (size_t i = 0; i < hex.size(); ++i) {
        if (i == 8 || i == 12 || i == 16 || i == 20) guid += u'-';
        guid += hex[i];
    }
    return guid + u'}';
}

TSubstanceStore::TSubstanceStore(const String& fileName) : FDatabase(fileName, false) {
    TSqliteStatement check(FDatabase,
                           "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN "
                           "('AttributeDefinitions', 'Substances', 'SubstanceAttributes', 'Metabolites')");
    if (!check.Step() || check.Int(0) != 4)
        throw ESubstanceStoreError(u"\"" + fileName + u"\" is no substance store.");
}

std::vector<String> TSubstanceStore::SubstanceGUIDs() const {
    std::vector<String> guids;
    TSqliteStatement query(FDatabase,
                           "SELECT GUID FROM Substances ORDER BY SubstanceCode COLLATE NOCASE, rowid");
    while (query.Step())
        guids.push_back(query.Text(0));
    return guids;
}

bool TSubstanceStore::Exists(const String& guid) const {
    TSqliteStatement query(FDatabase, "SELECT 1 FROM Substances WHERE GUID = ?");
    query.Bind(1, guid);
    return query.Step();
}

TInfoList TSubstanceStore::InfoList(const String& guid, bool onlyRequired, Char decimalSeparator) const {
    TSqliteStatement substance(FDatabase,
                               "SELECT GUID, SubstanceCode, Locked FROM Substances WHERE GUID = ?");
    substance.Bind(1, guid);
    if (!substance.Step()) return {};

    TInfoList list{{SubstanceGUIDAttribute, substance.Text(0)}, {SubstanceCodeAttribute, substance.Text(1)}};
    const bool locked = substance.Int(2) != 0;

    TSqliteStatement attributes(FDatabase,
                                "SELECT d.Name, d.Kind, a.Value FROM AttributeDefinitions d "
                                "LEFT JOIN SubstanceAttributes a ON a.Name = d.Name AND a.SubstanceGUID = ? "
                                "WHERE d.Required = 1 OR ? = 0 ORDER BY d.Position");
    attributes.Bind(1, guid).Bind(2, std::int64_t(onlyRequired ? 1 : 0));
    while (attributes.Step()) {
        String value = attributes.Text(2);
        if (attributes.Text(1) == u"Number") value = WithDecimalSeparator(value, decimalSeparator);
        list.push_back({attributes.Text(0), value});
    }

    bool metabolitesIncomplete = false;
    TSqliteStatement metabolites(FDatabase,
                                 "SELECT DISTINCT MetaboliteGUID FROM Metabolites WHERE ParentGUID = ?");
    metabolites.Bind(1, guid);
    while (!metabolitesIncomplete && metabolites.Step())
        metabolitesIncomplete = IsIncomplete(metabolites.Text(0));

    list.push_back({LockedAttribute, BooleanText(locked)});
    list.push_back({IncompleteAttribute, BooleanText(IsIncomplete(guid))});
    list.push_back({MetabolitesIncompleteAttribute, BooleanText(metabolitesIncomplete)});
    list.push_back({ChecksumAttribute, Checksum(guid)});
    return list;
}

TInfoList TSubstanceStore::MetaboliteInfoList(const String& parentGUID, const String& metaboliteGUID,
                                              Integer compartmentID, bool onlyRequired,
                                              Char decimalSeparator) const {
    TSqliteStatement relation(FDatabase, "SELECT FormationFraction FROM Metabolites "
                                         "WHERE ParentGUID = ? AND MetaboliteGUID = ? AND CompartmentID = ?");
    relation.Bind(1, parentGUID).Bind(2, metaboliteGUID).Bind(3, std::int64_t(compartmentID));
    if (!relation.Step()) return {};
    TInfoList list = InfoList(metaboliteGUID, onlyRequired, decimalSeparator);
    list.push_back({u"ParentGUID", parentGUID});
    list.push_back({u"CompartmentID", IntToStr(compartmentID)});
    list.push_back({u"FormationFraction", WithDecimalSeparator(relation.Text(0), decimalSeparator)});
    return list;
}

String TSubstanceStore::Checksum(const String& guid) const {
    const String code = CodeOf(guid);
    if (code.empty()) return {};
    String text = String(SubstanceCodeAttribute) + u"=" + code + u";";
    TSqliteStatement attributes(FDatabase, "SELECT lower(Name), Value FROM SubstanceAttributes "
                                           "WHERE SubstanceGUID = ? ORDER BY lower(Name)");
    attributes.Bind(1, guid);
    while (attributes.Step())
        text += attributes.Text(0) + u"=" + attributes.Text(1) + u";";
    return IntToHex(static_cast<UInt64>(Fnv1a(Utf8(text))), 16);
}

String TSubstanceStore::CodeOf(const String& guid) const {
    TSqliteStatement query(FDatabase, "SELECT SubstanceCode FROM Substances WHERE GUID = ?");
    query.Bind(1, guid);
    return query.Step() ? query.Text(0) : String();
}

String TSubstanceStore::GUIDOf(const String& code) const {
    TSqliteStatement query(FDatabase, "SELECT GUID FROM Substances WHERE SubstanceCode = ?");
    query.Bind(1, code);
    return query.Step() ? query.Text(0) : String();
}

String TSubstanceStore::UniqueCode(const String& code) const {
    if (GUIDOf(code).empty()) return code;
    for (Integer suffix = 1;; ++suffix) {
        const String candidate = code + u"_" + IntToStr(suffix);
        if (GUIDOf(candidate).empty()) return candidate;
    }
}

std::vector<String> TSubstanceStore::MissingAttributes(const String& guid) const {
    std::vector<String> missing;
    TSqliteStatement query(FDatabase,
                           "SELECT d.Name FROM AttributeDefinitions d "
                           "LEFT JOIN SubstanceAttributes a ON a.Name = d.Name AND a.SubstanceGUID = ? "
                           "WHERE d.Required = 1 AND trim(coalesce(a.Value, '')) = '' ORDER BY d.Position");
    query.Bind(1, guid);
    while (query.Step())
        missing.push_back(query.Text(0));
    return missing;
}

bool TSubstanceStore::IsIncomplete(const String& guid) const {
    return !MissingAttributes(guid).empty();
}

std::vector<String> TSubstanceStore::Metabolites(const String& parentGUID, Integer compartmentID) const {
    std::vector<String> guids;
    TSqliteStatement query(FDatabase, "SELECT m.MetaboliteGUID FROM Metabolites m "
                                      "JOIN Substances s ON s.GUID = m.MetaboliteGUID "
                                      "WHERE m.ParentGUID = ? AND m.CompartmentID = ? "
                                      "ORDER BY s.SubstanceCode COLLATE NOCASE");
    query.Bind(1, parentGUID).Bind(2, std::int64_t(compartmentID));
    while (query.Step())
        guids.push_back(query.Text(0));
    return guids;
}

std::vector<String> TSubstanceStore::MetabolitePathway(const String& parentGUID,
                                                       Integer compartmentID) const {
    std::vector<String> pathway;
    std::vector<String> generation{parentGUID};
    while (!generation.empty()) {
        std::vector<String> next;
        for (const String& guid : generation)
            for (const String& metabolite : Metabolites(guid, compartmentID))
                if (metabolite != parentGUID &&
                    std::find(pathway.begin(), pathway.end(), metabolite) == pathway.end()) {
                    pathway.push_back(metabolite);
                    next.push_back(metabolite);
                }
        generation = std::move(next);
    }
    return pathway;
}

TSubstanceStore::TDefinition TSubstanceStore::Definition(const String& name) const {
    TSqliteStatement query(FDatabase, "SELECT Name, Kind, Required FROM AttributeDefinitions WHERE Name = ?");
    query.Bind(1, name);
    if (!query.Step()) throw ESubstanceStoreError(u"Unknown substance attribute \"" + name + u"\".");
    return {query.Text(0), query.Text(1) == u"Number", query.Int(2) != 0};
}

String TSubstanceStore::AddSubstance(const TNewSubstance& substance, bool ensureUnique) {
    if (Trim(substance.Code).empty()) throw ESubstanceStoreError(u"A substance needs a code.");
    const String guid = substance.GUID.empty() ? NewGUID() : substance.GUID;
    if (Exists(guid))
        throw ESubstanceStoreError(u"A substance with identifier " + guid + u" exists already.");
    String code = substance.Code;
    if (!GUIDOf(code).empty()) {
        if (!ensureUnique)
            throw ESubstanceStoreError(u"A substance with code \"" + code + u"\" exists already.");
        code = UniqueCode(code);
    }
    TSqliteStatement insert(FDatabase,
                            "INSERT INTO Substances (GUID, SubstanceCode, Locked) VALUES (?, ?, ?)");
    insert.Bind(1, guid).Bind(2, code).Bind(3, std::int64_t(substance.Locked ? 1 : 0)).Execute();

    TSqliteStatement attribute(
        FDatabase, "INSERT INTO SubstanceAttributes (SubstanceGUID, Name, Value) VALUES (?, ?, ?)");
    for (const TAttribute& item : substance.Attributes) {
        if (Trim(item.Value).empty()) continue; // an empty value is a missing one
        const TDefinition definition = Definition(item.Name);
        Double number;
        if (definition.IsNumber && !TryStrToFloat(item.Value, number, TFormatSettings{}))
            throw ESubstanceStoreError(u"\"" + item.Value + u"\" is no number for " + definition.Name +
                                       u" of " + code + u".");
        attribute.Reset();
        attribute.Bind(1, guid).Bind(2, definition.Name).Bind(3, item.Value).Execute();
    }
    return guid;
}

std::vector<String> TSubstanceStore::AddSubstances(const std::vector<TNewSubstance>& substances,
                                                   bool ensureUnique) {
    std::vector<String> guids;
    FDatabase.InTransaction([&] {
        for (const TNewSubstance& substance : substances)
            guids.push_back(AddSubstance(substance, ensureUnique));
    });
    return guids;
}

std::vector<String> TSubstanceStore::AddMetabolites(const std::vector<TNewMetabolite>& metabolites,
                                                    bool ensureUnique) {
    std::vector<String> guids;
    FDatabase.InTransaction([&] {
        for (const TNewMetabolite& item : metabolites) {
            const String parent = item.ParentGUID.empty() ? GUIDOf(item.ParentCode) : item.ParentGUID;
            if (parent.empty() || !Exists(parent))
                throw ESubstanceStoreError(u"Unknown parent substance \"" +
                                           (item.ParentGUID.empty() ? item.ParentCode : item.ParentGUID) +
                                           u"\".");
            Double fraction;
            if (!TryStrToFloat(item.FormationFraction, fraction, TFormatSettings{}) || fraction < 0 ||
                fraction > 1)
                throw ESubstanceStoreError(u"\"" + item.FormationFraction +
                                           u"\" is no formation fraction between 0 and 1.");
            const String guid = AddSubstance(item.Metabolite, ensureUnique);
            TSqliteStatement relation(FDatabase,
                                      "INSERT INTO Metabolites (ParentGUID, MetaboliteGUID, CompartmentID, "
                                      "FormationFraction) VALUES (?, ?, ?, ?)");
            relation.Bind(1, parent).Bind(2, guid).Bind(3, std::int64_t(item.CompartmentID));
            relation.Bind(4, item.FormationFraction).Execute();
            guids.push_back(guid);
        }
    });
    return guids;
}

} // namespace vorn
