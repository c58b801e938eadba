#pragma once
// Reading substances and metabolites from a delimited text file for the
// import entry points. The first line names the columns: "SubstanceCode"
// (required), "SubstanceGUID" (optional; a new identifier when empty) and
// attribute names; metabolite files add "ParentGUID" or "ParentCode",
// "CompartmentID" and "FormationFraction". Numbers use the file's decimal
// separator. Blank lines are skipped.

#include "SubstanceStore.h"

namespace vorn {

struct TImportFormat {
    Char FieldSeparator = u';';
    Char DecimalSeparator = u'.';
    Char TextQualifier = u'"'; // 0: fields are never quoted
};

// Raise ESubstanceStoreError naming the file and line for a malformed file.
std::vector<TNewSubstance> ReadSubstanceFile(const TSubstanceStore& store, const String& fileName,
                                             const TImportFormat& format);
std::vector<TSubstanceStore::TNewMetabolite>
ReadMetaboliteFile(const TSubstanceStore& store, const String& fileName, const TImportFormat& format);

} // namespace vorn
