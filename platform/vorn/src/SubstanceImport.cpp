#include "SubstanceImport.h"

#include "rtl/Convert.h"
#include "rtl/StringList.h"
#include "rtl/StringUtils.h"
#include "rtl/TextCompare.h"

#include <algorithm>
#include <optional>

namespace vorn {

namespace {

// The rows of a delimited file as column name → field, with the line each
// came from.
struct TRow {
    Integer Line = 0;
    std::vector<std::pair<String, String>> Fields;

    std::optional<String> Field(const Char* name) const {
        for (const auto& [column, value] : Fields)
            if (SameText(column, name)) return value;
        return std::nullopt;
    }
};

[[noreturn]] void RaiseAt(const String& fileName, Integer line, const String& reason) {
    throw ESubstanceStoreError(u"Line " + IntToStr(line) + u" of \"" + fileName + u"\": " + reason);
}

std::vector<String> SplitFields(const String& line, const TImportFormat& format) {
    TStringList fields;
    fields.SetDelimiter(format.FieldSeparator);
    fields.SetQuoteChar(format.TextQualifier);
    fields.SetStrictDelimiter(true);
    fields.SetDelimitedText(line);
    std::vector<String> result;
    for (Integer i = 0; i < fields.Count(); ++i)
        result.push_back(fields.Strings(i));
    return result;
}

std::vector<TRow> ReadRows(const String& fileName, const TImportFormat& format) {
    TStringList lines;
    try {
        lines.LoadFromFile(fileName);
    } catch (const Exception& e) {
        throw ESubstanceStoreError(u"Cannot read \"" + fileName + u"\": " + e.Message());
    }
    if (lines.Count() == 0 || Trim(lines.Strings(0)).empty())
        RaiseAt(fileName, 1, u"the first line must name the columns.");
    const std::vector<String> columns = SplitFields(lines.Strings(0), format);

    std::vector<TRow> rows;
    for (Integer i = 1; i < lines.Count(); ++i) {
        if (Trim(lines.Strings(i)).empty()) continue;
        const std::vector<String> fields = SplitFields(lines.Strings(i), format);
        if (fields.size() != columns.size())
            RaiseAt(fileName, i + 1,
                    IntToStr(Integer(fields.size())) + u" fields where the first line names " +
                        IntToStr(Integer(columns.size())) + u" columns.");
        TRow row{i + 1, {}};
        for (size_t c = 0; c < columns.size(); ++c)
            row.Fields.emplace_back(Trim(columns[c]), fields[c]);
        rows.push_back(std::move(row));
    }
    return rows;
}

String CanonicalNumber(const String& text, const TImportFormat& format) {
    String result = Trim(text);
    std::replace(result.begin(), result.end(), format.DecimalSeparator, u'.');
    return result;
}

bool IsColumnOf(const String& column, std::initializer_list<const Char*> names) {
    return std::any_of(names.begin(), names.end(), [&](const Char* name) { return SameText(column, name); });
}

TNewSubstance SubstanceOfRow(const TSubstanceStore& store, const String& fileName, const TRow& row,
                             const TImportFormat& format,
                             std::initializer_list<const Char*> relationColumns) {
    TNewSubstance substance;
    substance.Code = Trim(row.Field(SubstanceCodeAttribute).value_or(String()));
    if (substance.Code.empty()) RaiseAt(fileName, row.Line, u"the substance code is empty.");
    substance.GUID = Trim(row.Field(SubstanceGUIDAttribute).value_or(String()));
    for (const auto& [column, value] : row.Fields) {
        if (IsColumnOf(column, {SubstanceCodeAttribute, SubstanceGUIDAttribute}) ||
            IsColumnOf(column, relationColumns))
            continue;
        TSubstanceStore::TDefinition definition;
        try {
            definition = store.Definition(column);
        } catch (const ESubstanceStoreError& e) {
            RaiseAt(fileName, row.Line, e.Message());
        }
        substance.Attributes.push_back(
            {definition.Name, definition.IsNumber ? CanonicalNumber(value, format) : value});
    }
    return substance;
}

void RequireColumn(const String& fileName, const std::vector<TRow>& rows, const Char* name) {
    if (!rows.empty() && !rows.front().Field(name)) RaiseAt(fileName, 1, u"no column " + String(name) + u".");
}

} // namespace

std::vector<TNewSubstance> ReadSubstanceFile(const TSubstanceStore& store, const String& fileName,
                                             const TImportFormat& format) {
    const std::vector<TRow> rows = ReadRows(fileName, format);
    RequireColumn(fileName, rows, SubstanceCodeAttribute);
    std::vector<TNewSubstance> substances;
    for (const TRow& row : rows)
        substances.push_back(SubstanceOfRow(store, fileName, row, format, {}));
    return substances;
}

std::vector<TSubstanceStore::TNewMetabolite>
ReadMetaboliteFile(const TSubstanceStore& store, const String& fileName, const TImportFormat& format) {
    const std::vector<TRow> rows = ReadRows(fileName, format);
    RequireColumn(fileName, rows, SubstanceCodeAttribute);
    RequireColumn(fileName, rows, u"CompartmentID");
    RequireColumn(fileName, rows, u"FormationFraction");
    std::vector<TSubstanceStore::TNewMetabolite> metabolites;
    for (const TRow& row : rows) {
        TSubstanceStore::TNewMetabolite item;
        item.ParentGUID = Trim(row.Field(u"ParentGUID").value_or(String()));
        item.ParentCode = Trim(row.Field(u"ParentCode").value_or(String()));
        if (item.ParentGUID.empty() && item.ParentCode.empty())
            RaiseAt(fileName, row.Line, u"neither ParentGUID nor ParentCode is given.");
        if (!TryStrToInt(Trim(*row.Field(u"CompartmentID")), item.CompartmentID))
            RaiseAt(fileName, row.Line, u"the compartment is no whole number.");
        item.FormationFraction = CanonicalNumber(*row.Field(u"FormationFraction"), format);
        item.Metabolite =
            SubstanceOfRow(store, fileName, row, format,
                           {u"ParentGUID", u"ParentCode", u"CompartmentID", u"FormationFraction"});
        metabolites.push_back(std::move(item));
    }
    return metabolites;
}

} // namespace vorn
