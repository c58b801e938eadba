#include "ViewTestSupport.h"

TEST_F(ViewTest, CreatesAndFreesOnAForm) {
    Show();
    EXPECT_TRUE(Grid->HandleAllocated());
    EXPECT_TRUE(Grid->ClassType().InheritsFrom(TZirOvararIzazInput::StaticClassInfo()));
    EXPECT_EQ(Grid->ClassType().Name, u"TZirOvararIzaz");
}

// fontconfig keeps caches for the life of the process that it never frees
// (one definition for the whole test program).
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
