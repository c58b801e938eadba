#pragma once
// TSubstance: the substance of a project as the substance library knows it.

#include "rtl/Object.h"
#include "rtl/Types.h"

class TSubstance : public TObject {
public:
    const String& GUID() const { return FGUID; }
    void SetGUID(const String& Value) { FGUID = Value; }
    const String& CheckSum() const { return FCheckSum; }
    void SetCheckSum(const String& Value) { FCheckSum = Value; }
    // The substance code from the substance library.
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value) { FCaption = Value; }

    // Empties GUID and Caption; CheckSum keeps its value.
    void Clear();
    // Writes Caption, GUID and CheckSum into dest.
    void Copy(TSubstance& dest) const;

    // Asks "Reset all values to the values in the Travo database?"; Yes has
    // the data module reset the substance and answers true, No answers false.
    bool ConformOriginal();

private:
    String FGUID;
    String FCheckSum;
    String FCaption;
};
