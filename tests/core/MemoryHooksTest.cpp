#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include <vek/core/CoreLibrary.h>
#include <vek/core/exceptions/InternalException.h>
#include <vek/core/memory/VEKMemory.h>
#include <vek/core/utility/SharedPtr.h>

#include "support/CountingHooks.h"
#include "support/InternalMessage.h"

using VEKTest::CountingHooks;

using VEKTest::InternalMessageOf;

namespace {

void* OtherAllocate(std::size_t, VEK::MemoryType, const char*, int) {
    return nullptr;
}
void OtherDeallocate(void*, VEK::MemoryType, const char*, int) {}
bool Check(const void*, std::size_t) {
    return false;
}

struct Throwing {
    Throwing() { throw VEK::InternalException("here", 1, "constructor"); }
};

struct Base {
    virtual ~Base() = default;
    int a = 1;
};
struct Other {
    virtual ~Other() = default;
    int b = 2;
};
struct Derived : Base, Other {};

}  // namespace

TEST(MemoryHooks, RefusedAfterStartEvenIfNeverInstalled) {
    VEK::Core::Library::Initialize();
    EXPECT_EQ(InternalMessageOf([] { CountingHooks::Install(); }),
              "!Core::Library::IsInitialized()");
    EXPECT_EQ(InternalMessageOf([] { VEK::SetMemoryCheckFunction(&Check); }),
              "!Core::Library::IsInitialized()");
    EXPECT_EQ(VEK_private::gAllocationFunction, nullptr);
    EXPECT_EQ(VEK_private::gDeallocationFunction, nullptr);
    EXPECT_EQ(VEK_private::gMemoryCheckFunction, nullptr);
    VEK::Core::Library::Terminate();
}

TEST(MemoryHooks, InstalledOnceAndRefusalChangesNothing) {
    // Two nulls change nothing; hooks may still be installed afterwards.
    VEK::SetAllocationDeallocationFunction(nullptr, nullptr);
    CountingHooks::Install();
    const auto allocation = VEK_private::gAllocationFunction;
    const auto deallocation = VEK_private::gDeallocationFunction;
    EXPECT_EQ(InternalMessageOf(
                  [] { VEK::SetAllocationDeallocationFunction(&OtherAllocate, &OtherDeallocate); }),
              "VEK_private::gAllocationFunction == NULL");
    EXPECT_EQ(VEK_private::gAllocationFunction, allocation);
    EXPECT_EQ(VEK_private::gDeallocationFunction, deallocation);

    VEK::SetMemoryCheckFunction(&Check);
    EXPECT_EQ(InternalMessageOf([] { VEK::SetMemoryCheckFunction(&Check); }),
              "VEK_private::gMemoryCheckFunction == NULL");
    EXPECT_TRUE(VEK_private::CheckMemoryLegal(nullptr, 0));
}

TEST(MemoryHooks, OnlyDeallocationSetRefusesTheNextInstall) {
    VEK::SetAllocationDeallocationFunction(nullptr, &OtherDeallocate);
    EXPECT_EQ(
        InternalMessageOf([] { VEK::SetAllocationDeallocationFunction(&OtherAllocate, nullptr); }),
        "VEK_private::gDeallocationFunction == NULL");
    EXPECT_EQ(VEK_private::gAllocationFunction, nullptr);
    EXPECT_EQ(VEK_private::gDeallocationFunction, &OtherDeallocate);
}

TEST(MemoryHooks, ObjectsAndClonesPassThroughTheHooks) {
    CountingHooks::Install();
    VEK::Core::AutoInitializer core;

    CountingHooks::Clear();
    const int line = __LINE__ + 1;
    VEK::ExceptionBase* clone = VEK::InternalException("f", 2, "m").clone();
    ASSERT_NE(clone, nullptr);
    ASSERT_EQ(CountingHooks::Allocations().size(), 1u);
    const auto& made = CountingHooks::Allocations()[0];
    EXPECT_EQ(made.type, VEK::kObjectMemory);
    EXPECT_EQ(made.size, sizeof(VEK::InternalException));
    EXPECT_NE(made.file.find("InternalException.cpp"), std::string::npos);
    EXPECT_GT(made.line, 0);
    VEK_DELETE(clone);
    ASSERT_EQ(CountingHooks::Deallocations().size(), 1u);
    EXPECT_EQ(CountingHooks::Deallocations()[0].block, made.block);
    EXPECT_EQ(CountingHooks::Deallocations()[0].type, VEK::kObjectMemory);
    EXPECT_NE(CountingHooks::Deallocations()[0].file.find("MemoryHooksTest.cpp"),
              std::string::npos);
    EXPECT_GT(CountingHooks::Deallocations()[0].line, line);

    // A hook that gives no memory: a null object and no constructor run, never a crash.
    CountingHooks::SetRefuse(true);
    EXPECT_EQ(VEK::InternalException().clone(), nullptr);
    EXPECT_EQ(VEK_NEW(Throwing)(), nullptr);
    EXPECT_EQ(VEK_private::NewAlignedMemory(VEK::kImageMemory, 64, 16), nullptr);
    CountingHooks::SetRefuse(false);

    // A constructor that throws hands its block back through the deallocation hook.
    EXPECT_THROW(VEK_NEW(Throwing)(), VEK::InternalException);
    EXPECT_EQ(CountingHooks::Outstanding(), 0u);

    // Destroying through a secondary base releases the block that was allocated.
    Other* other = VEK_NEW(Derived)();
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->b, 2);
    VEK_DELETE(other);
    EXPECT_EQ(CountingHooks::Outstanding(), 0u);

    std::shared_ptr<Base> shared(VEK_NEW(Base)(), VEK::VEKDeleter<Base>());
    EXPECT_EQ(CountingHooks::Outstanding(), 1u);
    shared.reset();
    EXPECT_EQ(CountingHooks::Outstanding(), 0u);
    VEK::VEKDeleter<Base>()(nullptr);  // null is ignored
}

TEST(MemoryHooks, AlignedImageMemoryLayout) {
    CountingHooks::Install();
    CountingHooks::Clear();
    void* p = VEK_private::NewAlignedMemory(VEK::kImageMemory, 100, 16);
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(VEK::IsAligned(p, 16));
    ASSERT_EQ(CountingHooks::Allocations().size(), 1u);
    const auto& raw = CountingHooks::Allocations()[0];
    EXPECT_EQ(raw.type, VEK::kImageMemory);
    EXPECT_EQ(raw.size, 100u + 16u + sizeof(void*));
    EXPECT_EQ(static_cast<void**>(p)[-1], raw.block);
    // The caller's bytes lie inside the block.
    auto* bytes = static_cast<unsigned char*>(p);
    auto* start = static_cast<unsigned char*>(raw.block);
    EXPECT_GE(bytes, start + sizeof(void*));
    EXPECT_LE(bytes + 100, start + raw.size);

    VEK::VEKImageAlignedDeleter()(p);
    ASSERT_EQ(CountingHooks::Deallocations().size(), 1u);
    EXPECT_EQ(CountingHooks::Deallocations()[0].block, raw.block);
    EXPECT_EQ(CountingHooks::Deallocations()[0].type, VEK::kImageMemory);

    for (int alignment : {1, 2, 8, 64, 4096}) {
        for (std::size_t size : {0u, 1u, 1000u}) {
            void* q = VEK_private::NewAlignedMemory(VEK::kObjectMemory, size, alignment);
            ASSERT_NE(q, nullptr);
            EXPECT_TRUE(VEK::IsAligned(q, alignment)) << alignment;
            VEK_private::DeleteAlignedMemory(VEK::kObjectMemory, q);
        }
    }
    VEK_private::DeleteAlignedMemory(VEK::kImageMemory, nullptr);
    EXPECT_EQ(CountingHooks::Outstanding(), 0u);

    EXPECT_THROW(VEK_private::NewAlignedMemory(VEK::kImageMemory, 10, 0), VEK::InternalException);
    EXPECT_EQ(CountingHooks::Outstanding(), 0u);
}

TEST(MemoryHooks, AThrowingHookCountsAsARefusedAllocation) {
    CountingHooks::Install();
    VEK::Core::AutoInitializer core;
    CountingHooks::SetThrow(true);
    // Without the mending the exception meets the noexcept allocation and ends the process.
    EXPECT_EQ(VEK::InternalException().clone(), nullptr);
    EXPECT_EQ(VEK_NEW(Throwing)(), nullptr);
    EXPECT_EQ(VEK_private::NewAlignedMemory(VEK::kImageMemory, 64, 16), nullptr);
    CountingHooks::SetThrow(false);
    EXPECT_EQ(CountingHooks::Outstanding(), 0u);
    VEK::ExceptionBase* clone = VEK::InternalException().clone();
    EXPECT_NE(clone, nullptr);
    VEK_DELETE(clone);
    EXPECT_EQ(CountingHooks::Outstanding(), 0u);
}

TEST(MemoryHooks, AlignedRequestsThatWrapOrMisalignTheSlot) {
    CountingHooks::Install();
    CountingHooks::Clear();
    // Size plus alignment plus the slot wraps: refused before the hook is asked.
    const std::size_t most = std::numeric_limits<std::size_t>::max();
    EXPECT_EQ(VEK_private::NewAlignedMemory(VEK::kImageMemory, most, 16), nullptr);
    EXPECT_EQ(VEK_private::NewAlignedMemory(VEK::kImageMemory, most - 16, 16), nullptr);
    EXPECT_EQ(VEK_private::NewAlignedMemory(VEK::kImageMemory, most - 16 - sizeof(void*) + 1, 16),
              nullptr);
    EXPECT_TRUE(CountingHooks::Allocations().empty());

    // Alignments that are not multiples of the pointer size put the slot at an odd address; it
    // still holds the block's start and the block goes back whole (the sanitizer build checks
    // the access).
    for (int alignment : {3, 5, 6, 7, 12}) {
        CountingHooks::Clear();
        void* p = VEK_private::NewAlignedMemory(VEK::kImageMemory, 10, alignment);
        ASSERT_NE(p, nullptr);
        EXPECT_TRUE(VEK::IsAligned(p, alignment));
        void* slot = nullptr;
        std::memcpy(&slot, static_cast<char*>(p) - sizeof(void*), sizeof(void*));
        ASSERT_EQ(CountingHooks::Allocations().size(), 1u);
        EXPECT_EQ(slot, CountingHooks::Allocations()[0].block);
        std::memset(p, 0xAB, 10);
        VEK_private::DeleteAlignedMemory(VEK::kImageMemory, p);
        ASSERT_EQ(CountingHooks::Deallocations().size(), 1u);
        EXPECT_EQ(CountingHooks::Deallocations()[0].block, slot);
    }
    EXPECT_EQ(CountingHooks::Outstanding(), 0u);
}

TEST(MemoryHooks, FallbacksWithoutHooks) {
    // Without hooks the same layout comes from new[] and is released with delete[] (ASan checks
    // the pairing).
    void* p = VEK_private::NewAlignedMemory(VEK::kImageMemory, 4096, 64);
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(VEK::IsAligned(p, 64));
    static_cast<char*>(p)[4095] = 1;
    VEK::VEKImageAlignedDeleter()(p);
    VEK::ExceptionBase* e = VEK::LogicalException().clone();
    ASSERT_NE(e, nullptr);
    VEK_DELETE(e);
}
