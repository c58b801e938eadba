#include "ViewTestSupport.h"

TEST_F(ViewTest, CreatesAndFreesOnAForm) {
    Show();
    EXPECT_TRUE(Grid->HandleAllocated());
    EXPECT_TRUE(Grid->ClassType().InheritsFrom(TZirOvararIzazInput::StaticClassInfo()));
    EXPECT_EQ(Grid->ClassType().Name, u"TZirOvararIzaz");
}
