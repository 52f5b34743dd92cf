// The single-instance mutex on a named kernel object.
#include <gtest/gtest.h>

#include "platform/NamedMutex.h"

// A second holder is told the mutex exists; once it is let go, it can be taken again.
TEST(Win32NamedMutex, SecondHolderIsRefusedUntilRelease)
{
    bool existed = true;
    const HNamedMutex first = SysCreateNamedMutex("CoraluxTestMutex", &existed);
    ASSERT_NE(first, 0u);
    EXPECT_FALSE(existed);
    EXPECT_EQ(SysCreateNamedMutex("CoraluxTestMutex", &existed), 0u);
    EXPECT_TRUE(existed);
    SysCloseNamedMutex(first);
    const HNamedMutex again = SysCreateNamedMutex("CoraluxTestMutex", &existed);
    EXPECT_NE(again, 0u);
    EXPECT_FALSE(existed);
    SysCloseNamedMutex(again);
}
