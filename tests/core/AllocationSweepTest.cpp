// Every allocation of the core's main paths refused in turn: the library must end in a clean
// exception or success, and give back everything it took.
#include <gtest/gtest.h>

#include <cstdio>

#include <vek/core/CoreLibrary.h>
#include <vek/core/exceptions/InternalException.h>
#include <vek/core/math/region_2d/BoundingRegion.h>
#include <vek/core/memory/VEKMemory.h>

#include "support/AllocationSweep.h"

using VEK::float2;

TEST(AllocationSweep, CoreStartStopAndARegionWorkload) {
    const VEKTest::SweepReport report = VEKTest::SweepAllocationFailures([] {
        VEK::Core::AutoInitializer core;
        VEK::BoundingRegion region(float2(0, 0), float2(4, 4));
        VEK::BoundingRegion copy(region);
        copy.include(float2(9, 9));
        region.intersect(copy);
        VEK::BoundingRegion assigned;
        assigned = copy;
        assigned.outset(float2(1, 1));
        VEK::BoundingRegion grown;
        grown.include(assigned);
        VEK::BoundingRegionBase* clone = grown.clone();
        VEK_DELETE(clone);
        VEK::ExceptionBase* error = VEK::InternalException("f", 1, "m").clone();
        VEK_DELETE(error);
        void* pixels = VEK_private::NewAlignedMemory(VEK::kImageMemory, 256, 16);
        VEK_private::DeleteAlignedMemory(VEK::kImageMemory, pixels);
    });
    EXPECT_GE(report.allocations, 5u);
    EXPECT_EQ(report.runs, 1 + 3 * static_cast<int>(report.allocations));
    std::printf("%zu allocations, %d runs\n", report.allocations, report.runs);
    EXPECT_TRUE(report.faults.empty()) << VEKTest::FaultLines(report);
}
