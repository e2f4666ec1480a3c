// The module's start and stop hooks and the counting of the entry points.
#include "public.sdk/source/main/moduleinit.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using namespace Steinberg;

namespace
{

std::string trail;
bool failNextStart = false;

// Registered out of order on purpose: priorities decide.
ModuleInitializer late([] { trail += "L"; }, DefaultModulePriority + 1);
ModuleInitializer early([] { trail += "E"; }, DefaultModulePriority - 1);
ModuleInitializer failing(
    []
    {
        if (failNextStart)
            throw std::runtime_error("no display");
    });
ModuleTerminator stop([] { trail += "S"; });

} // namespace

TEST(ModuleEntry, HooksRunOnTheFirstEntryAndTheBalancingExitOnly)
{
    trail.clear();
    int handle = 0;
    EXPECT_EQ(getPlatformModuleHandle(), nullptr);
    EXPECT_TRUE(ModuleEntryDetail::enter(&handle));
    EXPECT_EQ(trail, "EL");
    EXPECT_EQ(getPlatformModuleHandle(), &handle);
    EXPECT_TRUE(ModuleEntryDetail::enter(&handle));
    EXPECT_EQ(trail, "EL");

    EXPECT_TRUE(ModuleEntryDetail::leave());
    EXPECT_EQ(trail, "EL");
    EXPECT_TRUE(ModuleEntryDetail::leave());
    EXPECT_EQ(trail, "ELS");
    EXPECT_EQ(getPlatformModuleHandle(), nullptr);

    // An exit too many is refused and does not unbalance the next entry.
    EXPECT_FALSE(ModuleEntryDetail::leave());
    EXPECT_TRUE(ModuleEntryDetail::enter(&handle));
    EXPECT_EQ(trail, "ELSEL");
    EXPECT_TRUE(ModuleEntryDetail::leave());
    EXPECT_EQ(trail, "ELSELS");
}

TEST(ModuleEntry, AFailedStartLeavesTheModuleClosedForAnotherTry)
{
    trail.clear();
    failNextStart = true;
    EXPECT_FALSE(ModuleEntryDetail::enter(nullptr));
    EXPECT_FALSE(ModuleEntryDetail::leave()); // nothing is open
    failNextStart = false;
    EXPECT_TRUE(ModuleEntryDetail::enter(nullptr));
    EXPECT_TRUE(ModuleEntryDetail::leave());
    EXPECT_EQ(trail, "ELELS");
}
