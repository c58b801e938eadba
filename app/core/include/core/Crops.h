#pragma once
// The two kinds of crop a run refers to: the FOCUS D3 crop the scenario tool
// simulated (TFOCUS_D3_Crop) and the regional crop grouping it stands for in
// the assessment (TKorvalisCrop), with its area at every abstraction point.

#include "core/OwnedList.h"
#include "rtl/Object.h"
#include "rtl/Types.h"

#include <memory>
#include <vector>

class TKorvalisCrop : public TObject {
public:
    // A grouping with N zero areas (N = NumberOfAbstractionPoints()).
    TKorvalisCrop();

    std::unique_ptr<TKorvalisCrop> Copy() const;
    // Copies every field into destCrop.
    void CopyData(TKorvalisCrop& destCrop) const;

    String ID;            // the grouping code (codeID, up to 3 characters)
    Integer CBScrpNr = 0; // crop number of the crop-area file's third column
    String KV_NameE;      // English name
    String KV_NameD;      // Dutch name
    // Area in ha in the intake area of each abstraction point; -1 where a
    // crop-area file gave no value.
    std::vector<Integer> Areas;
    String KV_NameDWT; // the name written into the engine's input
};

using TKorvalisCropList = TOwnedList<TKorvalisCrop>;

class TFOCUS_D3_Crop : public TObject {
public:
    // CropCode, followed by "_" and CropOrder for crop number 22, so that two
    // runs of that crop in one project are told apart.
    String AsString() const;

    std::unique_ptr<TFOCUS_D3_Crop> Copy() const;
    // Copies every field (the stored CropCodeDWT, without the suffix) into
    // destCrop, so that the copy reads exactly as this crop.
    void CopyData(TFOCUS_D3_Crop& destCrop) const;

    // The crop name written into the engine's input: the stored name with the
    // suffix of AsString.
    String CropCodeDWT() const;
    void SetCropCodeDWT(const String& Value) { FCropCodeDWT = Value; }

    String CropCode;    // the scenario database's FocusCrops.Caption
    String CropDirName; // folder below the scenario project's lateral-entry folder
    Integer CropNr = 0; // FOCUS crop number
    String CropOrder;   // order number of the crop within the project

private:
    String WithOrderSuffix(const String& Text) const;

    String FCropCodeDWT;
};
