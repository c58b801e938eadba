#pragma once
// The abstraction points of a project: TAbstractionPoints, built from the
// project database's abstraction points and a crop-area file; each
// TAbstractionPoint with one TCropData per crop grouping that has area in its
// intake area.

#include "core/CropAreas.h"
#include "core/Crops.h"
#include "core/OwnedList.h"
#include "rtl/Object.h"
#include "rtl/Types.h"

#include <functional>
#include <memory>

class TAbstractionPoint;

// One crop grouping at one abstraction point.
class TCropData : public TObject {
public:
    TCropData(TAbstractionPoint* AOwner, TKorvalisCrop* ACrop) : FOwner(AOwner), FCrop(ACrop) {}

    // The grouping, owned by the crop-area list.
    TKorvalisCrop* Crop() const { return FCrop; }
    // The point this crop data belongs to.
    TAbstractionPoint* Owner() const { return FOwner; }
    Integer Area_ha() const { return FArea_ha; }
    void SetArea_ha(Integer Value) { FArea_ha = Value; }
    // Market share of the substance, 0 to 1.
    Double MarketShare() const { return FMarketShare; }
    void SetMarketShare(Double Value) { FMarketShare = Value; }
    // The share the crop data was created with.
    Double MarketShare_default() const { return FMarketShare_default; }
    void SetMarketShare_default(Double Value) { FMarketShare_default = Value; }
    // Relative cropped area: Area_ha divided by the owner's intake area; 0
    // when the point has no intake area.
    Double RCA() const;

    // A new crop data with the same grouping, owner, area and shares.
    std::unique_ptr<TCropData> Copy() const;

private:
    friend class TAbstractionPoint;

    TAbstractionPoint* FOwner;
    TKorvalisCrop* FCrop;
    Integer FArea_ha = 0;
    Double FMarketShare = 0.4;
    Double FMarketShare_default = 0.4;
};

class TAbstractionPoint : public TObject {
public:
    // The point's ID in the project database.
    Integer ID() const { return FID; }
    void SetID(Integer Value) { FID = Value; }
    const String& Name() const { return FName; }
    void SetName(const String& Value) { FName = Value; }
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value) { FCaption = Value; }
    // Intake area in ha.
    Integer Area() const { return FArea; }
    void SetArea(Integer Value) { FArea = Value; }
    // Additional dilution factor.
    Double ADF() const { return FADF; }
    void SetADF(Double Value) { FADF = Value; }
    // Result text of the last results read.
    const String& PEC_Tier1() const { return FPEC_Tier1; }
    void SetPEC_Tier1(const String& Value) { FPEC_Tier1 = Value; }

    // One crop data per grouping with area here, in grouping order.
    TCropData* Crops(Integer Index) const { return FCrops.Items(Index); }
    Integer CropCount() const { return FCrops.Count(); }

    // Frees all crop data.
    void Clear();
    // Appends crop data for Grouping with Area and Share as market share and
    // default share; nothing when Area is 0 or less.
    void AddCrop(TKorvalisCrop* Grouping, Integer Area, Double Share);
    // The first crop data of that very grouping object; null when none.
    TCropData* Find(const TKorvalisCrop* Grouping) const;
    // The first crop data whose grouping code equals Code exactly; null when none.
    TCropData* Find(const String& Code) const;
    // Copies ID, Name, Caption, Area and ADF into Destination and appends a
    // copy of each crop data, owned by Destination (PEC_Tier1 is not copied).
    void CopyData(TAbstractionPoint& Destination) const;

private:
    friend class TAbstractionPoints;
    using TGroupingMap = std::function<TKorvalisCrop*(TKorvalisCrop*)>;
    // CopyData with each copy's grouping given by GroupingOf.
    void CopyData(TAbstractionPoint& Destination, const TGroupingMap& GroupingOf) const;

    Integer FID = 0;
    String FName;
    String FCaption;
    Integer FArea = 0;
    Double FADF = 1.0;
    String FPEC_Tier1;
    TOwnedList<TCropData> FCrops;
};

class TAbstractionPoints : public TCropAreas {
public:
    // The points, in ID order.
    TAbstractionPoint* Items(Integer Index) const { return FItems.Items(Index); }
    Integer Count() const { return FItems.Count(); }
    // The remark of the last results read.
    const String& Kom_comment() const { return FKom_comment; }
    // True when the last Summary.out read holds no results because the engine
    // stopped on out-of-range input; EngineMessages then tells why.
    bool RunStopped() const { return FRunStopped; }
    const String& EngineMessages() const { return FEngineMessages; }

    // Fills every point's PEC_Tier1, Kom_comment, RunStopped and
    // EngineMessages from a Summary.out (ReadSummaryResults). Raises
    // EFOpenError "File nof found: <file name>" when the file is missing and
    // EReadError "Summary.out incomplete" when its result rows are not all
    // there; nothing changes then.
    void ReadResults(const String& FileName);

    // Reads the crop-area file, rebuilds the points from the project
    // database, gives every point one crop data per grouping with area there
    // (market share 0.4), and takes the intake areas from the line
    // "* Intake area of abstraction point [ha]". Raises "invalid number of
    // Area-values in file <file name>" when that line is missing or does not
    // hold N values (the points and crop data then stay as built).
    void Load(const String& FileName) override;
    // Writes the lines unchanged to FileName.
    void Save(const String& FileName) override;

    // Frees all points.
    void Clear();
    // Appends a new point and answers it.
    TAbstractionPoint* NewAbstractionPoint();
    // Loads the data module's default crop-area file.
    void ResetToDefault();
    // True when FileName is the default crop-area file, ignoring case.
    bool IsDefault() const;
    // Rebuilds the crop data of every point from the groupings' areas; every
    // market share returns to 0.4.
    void UndoChanges();

    // A new, independent copy (see CopyData).
    std::unique_ptr<TAbstractionPoints> Copy() const;
    // Makes Destination a deep copy: file name, lines, groupings, and the
    // points with their crop data, which refer to Destination's own
    // groupings. Results are not copied.
    void CopyData(TAbstractionPoints& Destination) const;

protected:
    // The crop data refer to the groupings, so they go first.
    void ClearCrops() override;

private:
    TOwnedList<TAbstractionPoint> FItems;
    String FKom_comment;
    bool FRunStopped = false;
    String FEngineMessages;
};
