#include "os/SingleInstance.h"

#include "rtltesting/TestFiles.h"

#include <gtest/gtest.h>
#include <poll.h>

TEST(SingleInstance, ALaterInstanceAsksTheFirstToRaiseItsWindow) {
    TTempFolder temp;
    os::TSingleInstance first(u"VANDREL_1.4.2", temp.Path());
    ASSERT_TRUE(first.IsFirst());
    int raised = 0;
    first.OnRaise = [&] { ++raised; };
    first.ProcessRequests(); // nothing waits
    EXPECT_EQ(raised, 0);

    {
        os::TSingleInstance second(u"VANDREL_1.4.2", temp.Path());
        EXPECT_FALSE(second.IsFirst());
        EXPECT_TRUE(second.RequestRaise());
        pollfd fd{first.RequestDescriptor(), POLLIN, 0};
        EXPECT_EQ(poll(&fd, 1, 5000), 1);
        first.ProcessRequests();
        EXPECT_EQ(raised, 1);
        EXPECT_FALSE(first.RequestRaise());
    }
    os::TSingleInstance other(u"another program", temp.Path());
    EXPECT_TRUE(other.IsFirst());
}

TEST(SingleInstance, TheLockIsFreedWithTheFirstInstance) {
    TTempFolder temp;
    { os::TSingleInstance first(u"VANDREL_1.4.2", temp.Path()); }
    os::TSingleInstance next(u"VANDREL_1.4.2", temp.Path());
    EXPECT_TRUE(next.IsFirst());
}
