#include "core/Crops.h"

#include "core/ProjectDataModule.h"

namespace {

// The FOCUS crop number that occurs more than once in a project.
constexpr Integer RepeatedCropNr = 22;

} // namespace

// ---------------------------------------------------------------- TKorvalisCrop

TKorvalisCrop::TKorvalisCrop() : Areas(static_cast<std::size_t>(NumberOfAbstractionPoints()), 0) {}

std::unique_ptr<TKorvalisCrop> TKorvalisCrop::Copy() const {
    auto Result = std::make_unique<TKorvalisCrop>();
    CopyData(*Result);
    return Result;
}

void TKorvalisCrop::CopyData(TKorvalisCrop& destCrop) const {
    destCrop.ID = ID;
    destCrop.KV_NameD = KV_NameD;
    destCrop.KV_NameE = KV_NameE;
    destCrop.CBScrpNr = CBScrpNr;
    destCrop.Areas = Areas;
    destCrop.KV_NameDWT = KV_NameDWT;
}

// --------------------------------------------------------------- TFOCUS_D3_Crop

String TFOCUS_D3_Crop::WithOrderSuffix(const String& Text) const {
    return CropNr == RepeatedCropNr ? Text + u"_" + CropOrder : Text;
}

String TFOCUS_D3_Crop::AsString() const {
    return WithOrderSuffix(CropCode);
}

String TFOCUS_D3_Crop::CropCodeDWT() const {
    return WithOrderSuffix(FCropCodeDWT);
}

std::unique_ptr<TFOCUS_D3_Crop> TFOCUS_D3_Crop::Copy() const {
    auto Result = std::make_unique<TFOCUS_D3_Crop>();
    CopyData(*Result);
    return Result;
}

void TFOCUS_D3_Crop::CopyData(TFOCUS_D3_Crop& destCrop) const {
    destCrop.CropCode = CropCode;
    destCrop.CropNr = CropNr;
    destCrop.CropOrder = CropOrder;
    destCrop.FCropCodeDWT = FCropCodeDWT;
    destCrop.CropDirName = CropDirName;
}
