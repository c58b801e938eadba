#include "gridbase/GridTypes.h"

#include <gtest/gtest.h>

namespace {

TEST(GridTypes, EnumerationNamesInStoredOrder) {
    const TTypeInfo& editors = TypeInfoFor<TEditorType>();
    ASSERT_EQ(editors.EnumNames.size(), 44u);
    EXPECT_EQ(editors.Name, u"TEditorType");
    EXPECT_EQ(editors.EnumNames[edNormal], u"edNormal");
    EXPECT_EQ(editors.EnumNames[edNone], u"edNone");
    EXPECT_EQ(editors.EnumNames[edMaskEditBtn], u"edMaskEditBtn");
    EXPECT_EQ(int(edMaskEditBtn), 43);

    const TTypeInfo& sorts = TypeInfoFor<TSortStyle>();
    ASSERT_EQ(sorts.EnumNames.size(), 22u);
    EXPECT_EQ(sorts.EnumNames[ssNatural], u"ssNatural");
    EXPECT_EQ(int(ssVarDate), 21);

    EXPECT_EQ(TypeInfoFor<TColumnCalcType>().EnumNames.back(), u"acSTDDEV");
    EXPECT_EQ(TypeInfoFor<TGridSelectionStyle>().EnumNames[ssOffice2007], u"ssOffice2007");
    EXPECT_EQ(int(ssOffice2007), 3);
}

TEST(GridTypes, SetsStoreOneBitPerValue) {
    const THoverRowCells hover{hcNormal, hcSelected};
    EXPECT_EQ(hover.Mask(), 5u);
    const TTypeInfo& info = TypeInfoFor<THoverRowCells>();
    EXPECT_EQ(info.Kind, tkSet);
    EXPECT_EQ(info.CompType->Name, u"THoverRowCell");
    EXPECT_EQ(TCellBorders({cbTop, cbBottom}).Mask(), 9u);
}

} // namespace
