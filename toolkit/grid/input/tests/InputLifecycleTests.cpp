#include "InputTestSupport.h"

TEST_F(InputTest, CreatesAndFreesOnAForm) {
    Show();
    EXPECT_TRUE(Grid->HandleAllocated());
    EXPECT_EQ(Grid->ColCount(), 5);
    EXPECT_TRUE(Grid->ClassType().InheritsFrom(TZirOvararIzazCore::StaticClassInfo()));
}
