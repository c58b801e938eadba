#include "InputTestSupport.h"

TEST_F(InputTest, CreatesAndFreesOnAForm) {
    Show();
    EXPECT_TRUE(Grid->HandleAllocated());
    EXPECT_EQ(Grid->ColCount(), 5);
    EXPECT_TRUE(Grid->ClassType().InheritsFrom(TZirOvararIzazCore::StaticClassInfo()));
}

// fontconfig keeps caches for the life of the process that it never frees.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
