#pragma once
// The base of the fixtures that read crop-area files: a data module with the
// abstraction points the files are checked against, and files written line by
// line into a throw-away folder.

#include "coretesting/MemoryProjectDataModule.h"
#include "coretesting/TestFolders.h"
#include "rtl/Convert.h"
#include "rtl/StringList.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

class CropAreaFileTest : public ::testing::Test {
protected:
    explicit CropAreaFileTest(std::vector<TAbstractionPointRow> Points) : FDataModule(std::move(Points)) {}

    // Writes the lines as a new file in the folder and answers its full name.
    String Write(const std::vector<String>& Lines) {
        TStringList List;
        for (const String& Line : Lines)
            List.Add(Line);
        const String FileName = FFolder / (u"file" + IntToStr(++FFiles) + u".CropArea");
        List.SaveToFile(FileName);
        return FileName;
    }

    TTestFolder FFolder;
    TMemoryProjectDataModule FDataModule;

private:
    Integer FFiles = 0;
};
