#include "core/CropGroupCache.h"

#include "coretesting/MemoryProjectDataModule.h"
#include "rtl/Encoding.h"

#include <gtest/gtest.h>

namespace {

class CropGroupCache : public ::testing::Test {
protected:
    void SetUp() override {
        FDataModule.Crops = {
            {u"abc", u"Grassland", u"Grasland", u"1"},
            {u"abc", u"Maize", u"Mais", u"2"},
            {u"abc56", u"Onions", u"Uien", u"11"},
            {u"Vegetables, leafy", u"Leafy vegetables", u"Bladgroenten", u"12"},
        };
    }

    std::vector<String> NamesOf(const String& FocusCrop) {
        TStringList Names;
        Names.Add(u"left over");
        GetKorvalisCropNames(FocusCrop, Names);
        std::vector<String> Result;
        for (Integer I = 0; I < Names.Count(); ++I)
            Result.push_back(Names.Strings(I));
        return Result;
    }

    TMemoryProjectDataModule FDataModule;
};

} // namespace

TEST_F(CropGroupCache, NothingIsFoundBeforeTheCacheIsBuilt) {
    EXPECT_EQ(FindCropGroupList(u"abc"), nullptr);
    EXPECT_EQ(GetKorvalisCropID(u"abc", u"Maize"), u"");
    EXPECT_EQ(FDataModule.GetFocusCropsListCalls, 0);
}

TEST_F(CropGroupCache, NamesComeInCacheOrderAndTheCacheIsBuiltOnce) {
    EXPECT_EQ(NamesOf(u"abc"), (std::vector<String>{u"Grassland", u"Maize"}));
    EXPECT_EQ(NamesOf(u"Vegetables, leafy_2"), std::vector<String>{u"Leafy vegetables"});
    EXPECT_EQ(NamesOf(u"unknown"), std::vector<String>{});
    EXPECT_EQ(FDataModule.GetFocusCropsListCalls, 1);
}

TEST_F(CropGroupCache, TheOrderSuffixIsDroppedAndCaseIgnored) {
    NamesOf(u"abc");
    const std::vector<std::pair<String, String>> Cases{{u"abc_1", u"abc"},
                                                       {u"abc_123456", u"abc56"},
                                                       {u"ABC", u"abc"},
                                                       {u"Abc56", u"abc56"},
                                                       {u"abc_", u"abc"}};
    for (const auto& [Text, Crop] : Cases) {
        const TKorvalisCropList* Groupings = FindCropGroupList(Text);
        ASSERT_NE(Groupings, nullptr) << Utf8(Text);
        EXPECT_EQ(Groupings, FindCropGroupList(Crop)) << Utf8(Text);
    }
    EXPECT_EQ(FindCropGroupList(u"ab"), nullptr);
}

TEST_F(CropGroupCache, TheIDComesFromTheExactEnglishName) {
    NamesOf(u"abc");
    EXPECT_EQ(GetKorvalisCropID(u"abc_3", u"Maize"), u"2");
    EXPECT_EQ(GetKorvalisCropID(u"abc", u"maize"), u"");
    EXPECT_EQ(GetKorvalisCropID(u"abc56", u"Maize"), u"");
}
