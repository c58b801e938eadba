#pragma once
// One run of the scenario tool (TRun) with its applications
// (TRunApplication): the lateral-entry file, the substance, the FOCUS D3 crop
// and the regional crop grouping, and the peak the user gives for it.
//
// A run moves from created (not available, not valid, used) to available
// when its application dates are known, and to valid when its peak, peak
// date and entry route are given. `used` is cleared for the lower peak of two
// runs that share a crop grouping.

#include "core/Crops.h"
#include "core/OwnedList.h"
#include "rtl/Object.h"
#include "rtl/Types.h"

#include <memory>

class TRunApplication : public TObject {
public:
    std::unique_ptr<TRunApplication> Copy() const;

    Integer NrOfAppl = 0;
    Double Rate = 0; // kg/ha
    String CAM;
    Double Depi = 0;
    Double Perc = 0;
    String ApplDate; // as written in the lateral-entry file
};

// The entry route of a peak, as CausedBy reads and writes it.
inline constexpr Integer CausedBySprayDrift = 1;
inline constexpr Integer CausedByDrainage = 2;

class TRun : public TObject {
public:
    // An empty run: no applications, not available, not valid, used, with an
    // empty FOCUS crop and crop grouping.
    TRun();

    // A bare file name or a full path.
    const String& LatEntryFile() const { return FLatEntryFile; }
    void SetLatEntryFile(const String& Value) { FLatEntryFile = Value; }
    const String& SubstanceGUID() const { return FSubstanceGUID; }
    void SetSubstanceGUID(const String& Value) { FSubstanceGUID = Value; }
    const String& SubstanceCheckSum() const { return FSubstanceCheckSum; }
    void SetSubstanceCheckSum(const String& Value) { FSubstanceCheckSum = Value; }

    TFOCUS_D3_Crop* FOCUS_D3_Crop() const { return FFOCUS_D3_Crop.get(); }
    TKorvalisCrop* KorvalisCrop() const { return FKorvalisCrop.get(); }
    // One item per application, in application order.
    TOwnedList<TRunApplication>& Applications() { return FApplications; }
    const TOwnedList<TRunApplication>& Applications() const { return FApplications; }

    // The application at 0-based position AppNr; null outside the list.
    TRunApplication* GetApplication(Integer AppNr) const;
    // The lateral-entry file relative to the scenario project's lateral-entry
    // folder: CropDirName of the FOCUS crop, a path delimiter, LatEntryFile.
    String GetMACRO_M2T() const;
    // A new, independent run equal to this one in every field. The whole
    // application list is copied, whatever NumberOfApplications says.
    std::unique_ptr<TRun> Copy() const;

    // 2 (drainage) when sCausedBy is exactly "drainage", else 1 (spray
    // drift). Writing 2 stores "drainage", any other value "spray drift".
    Integer CausedBy() const;
    void SetCausedBy(Integer Value);

    String RunID;
    bool Selected = false;
    String SubstanceCode;
    String LocationCode;
    String Name;
    TDateTime RunCreationDate = 0;
    TDateTime RunModificationDate = 0;
    String ApplicationMethod;
    Integer NumberOfApplications = 0;
    bool available = false; // the application dates are known
    bool valid = false;     // peak, peak date and entry route are given
    bool used = true;       // the run takes part in the calculation
    Double PEC_peak = 0;    // peak concentration in the ditch, ug/L
    String Date_peak;
    String sCausedBy; // "spray drift" or "drainage"

private:
    String FLatEntryFile;
    String FSubstanceGUID;
    String FSubstanceCheckSum;
    std::unique_ptr<TFOCUS_D3_Crop> FFOCUS_D3_Crop;
    std::unique_ptr<TKorvalisCrop> FKorvalisCrop;
    TOwnedList<TRunApplication> FApplications;
};
