#include <gtest/gtest.h>

#include "fish/SmartPtr.h"

namespace {

struct SCounted
{
    explicit SCounted(int* deaths) : m_deaths(deaths) {}
    virtual ~SCounted() { ++*m_deaths; }
    int* m_deaths;
};

}  // namespace

// The first pointer brings a fresh wrap to 1; the last release deletes it once.
TEST(CSmartPtr, DeletesAtLastRelease)
{
    int deaths = 0;
    auto* wrap = new CSmartPtrWrap<SCounted>(&deaths);
    EXPECT_EQ(wrap->GetRefCount(), 0);
    {
        CSmartPtr<SCounted> a = wrap;
        EXPECT_EQ(wrap->GetRefCount(), 1);
        {
            CSmartPtr<SCounted> b = a;
            EXPECT_EQ(wrap->GetRefCount(), 2);
        }
        EXPECT_EQ(deaths, 0);
    }
    EXPECT_EQ(deaths, 1);
}

// Assigning the same wrap again changes nothing; a different one releases the old.
TEST(CSmartPtr, ReassignmentReleasesOldKeepsSame)
{
    int deaths = 0;
    auto* first = new CSmartPtrWrap<SCounted>(&deaths);
    CSmartPtr<SCounted> p = first;
    p = first;
    EXPECT_EQ(first->GetRefCount(), 1);
    p = p;
    EXPECT_EQ(deaths, 0);
    p = new CSmartPtrWrap<SCounted>(&deaths);
    EXPECT_EQ(deaths, 1);
    p.Reset();
    EXPECT_EQ(deaths, 2);
    EXPECT_FALSE(p);
}
