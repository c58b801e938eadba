#pragma once
// TCropAreas: a crop-area file (*.CropArea) with its regional crop
// groupings. After the leading comment lines, which hold the intake areas of
// the abstraction points, every line is one grouping: its code, Dutch name,
// CBS crop number, English name (a blank in a name written as "_"), then its
// area in ha at each of the N abstraction points, separated by blanks or
// commas. Lines whose first value begins with "*" or "-", and empty lines,
// are passed over.

#include "core/Crops.h"
#include "core/InputFile.h"
#include "core/OwnedList.h"
#include "rtl/Types.h"

class TCropAreas : public TInputFile {
public:
    // The groupings in file order.
    TKorvalisCrop* Crops(Integer Index) const { return FCrops.Items(Index); }
    Integer CropCount() const { return FCrops.Count(); }
    // Appends a new, empty grouping and answers it.
    TKorvalisCrop* NewCrop();

    // Reads the file and its groupings. A grouping line short of areas gets
    // -1 for each missing one; a crop number or area that is not a whole
    // number raises the conversion error; a grouping line with fewer than
    // the four values before the areas raises EReadError naming the line
    // and the file. A file of comment lines only has no groupings.
    void Load(const String& FileName) override;

protected:
    // Frees every grouping. A derived list that refers to the groupings
    // drops those references first.
    virtual void ClearCrops();
    // Makes this file's lines and groupings a copy of Source's.
    void CopyFileAndCrops(const TCropAreas& Source);

private:
    TKorvalisCropList FCrops;
};
