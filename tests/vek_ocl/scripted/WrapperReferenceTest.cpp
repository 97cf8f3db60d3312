// The reference rules of the handle wrappers, against the test loader's counts.
#include <gtest/gtest.h>

#include <utility>

#include <vek/vek_ocl/LibraryOCL.h>
#include <vek/vek_ocl/OpenCLObjectWrapper.h>

#include "FakeOpenCLControl.h"

namespace {

using VEK::OCL::add_ref_tag;
using VEK::OCL::OpenCLObjectWrapper;

// The wrapper's protected interface, opened for the test as a derived class would use it.
class Wrapped : public OpenCLObjectWrapper<cl_context> {
public:
    Wrapped() = default;
    explicit Wrapped(cl_context handle) : OpenCLObjectWrapper(handle) {}
    Wrapped(cl_context handle, add_ref_tag tag) : OpenCLObjectWrapper(handle, tag) {}
    Wrapped(const Wrapped&) = default;
    Wrapped(Wrapped&&) = default;
    Wrapped& operator=(const Wrapped&) = default;
    Wrapped& operator=(Wrapped&&) = default;
    using OpenCLObjectWrapper::release;
    using OpenCLObjectWrapper::retain;
};

class OclWrapper : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(VEK::OCL::Library::IsOpenCLAvailable(VEKTest::FakeOpenCL::Prefix()));
        VEK::OCL::Library::Initialize();
    }
    void TearDown() override {
        EXPECT_EQ(fake_.counts().badHandle, 0);
        EXPECT_EQ(fake_.counts().unimplemented, 0);
        VEK::OCL::Library::Terminate();
    }
    VEKTest::FakeOpenCL fake_;
};

}  // namespace

TEST_F(OclWrapper, AdoptingAndAddingReferences) {
    const cl_context a = fake_.newContext();
    {
        Wrapped adopted(a);
        EXPECT_EQ(adopted.handle(), a);
        EXPECT_EQ(&adopted.id(), &adopted.handle());
        EXPECT_EQ(fake_.refCount(a), 1);  // adopted the caller's reference
        {
            Wrapped added(a, add_ref_tag());
            EXPECT_EQ(fake_.refCount(a), 2);
            Wrapped copy(added);
            EXPECT_EQ(fake_.refCount(a), 3);
        }
        EXPECT_EQ(fake_.refCount(a), 1);
    }
    EXPECT_EQ(fake_.refCount(a), 0);
    EXPECT_EQ(fake_.counts().live, 0);

    // Empty wrappers call nothing.
    {
        Wrapped empty;
        Wrapped nullAdded(nullptr, add_ref_tag());
        Wrapped copy(empty);
        EXPECT_EQ(empty.retain(), CL_SUCCESS);
        EXPECT_EQ(empty.release(), CL_SUCCESS);
        EXPECT_EQ(copy.handle(), nullptr);
    }
    EXPECT_EQ(fake_.calls("clRetainContext"), 2);
    EXPECT_EQ(fake_.calls("clReleaseContext"), 3);
}

TEST_F(OclWrapper, AssignmentGivesBackTheOldHandleOnly) {
    const cl_context a = fake_.newContext();
    const cl_context b = fake_.newContext();
    {
        Wrapped wa(a);
        Wrapped wa2(a, add_ref_tag());
        Wrapped wb(b);
        const int retains = fake_.calls("clRetainContext");
        const int releases = fake_.calls("clReleaseContext");

        wa = wa2;  // the same handle: nothing happens
        Wrapped& self = wa;
        wa = self;
        EXPECT_EQ(fake_.calls("clRetainContext"), retains);
        EXPECT_EQ(fake_.calls("clReleaseContext"), releases);
        EXPECT_EQ(fake_.refCount(a), 2);

        wa = wb;  // a loses one, b gains one
        EXPECT_EQ(fake_.refCount(a), 1);
        EXPECT_EQ(fake_.refCount(b), 2);
        EXPECT_EQ(wa.handle(), b);

        wa = Wrapped();  // an empty wrapper: the old handle goes, null is stored
        EXPECT_EQ(wa.handle(), nullptr);
        EXPECT_EQ(fake_.refCount(b), 1);
    }
    EXPECT_EQ(fake_.counts().live, 0);
}

TEST_F(OclWrapper, MovesBehaveAsCopies) {
    const cl_context a = fake_.newContext();
    const cl_context b = fake_.newContext();
    {
        Wrapped source(a);
        Wrapped moved(std::move(source));
        EXPECT_EQ(source.handle(), a);  // NOLINT: the source keeps its handle
        EXPECT_EQ(moved.handle(), a);
        EXPECT_EQ(fake_.refCount(a), 2);

        Wrapped target(b);
        target = std::move(moved);
        EXPECT_EQ(moved.handle(), a);  // NOLINT
        EXPECT_EQ(target.handle(), a);
        EXPECT_EQ(fake_.refCount(a), 3);
        EXPECT_EQ(fake_.refCount(b), 0);
    }
    EXPECT_EQ(fake_.counts().live, 0);
    EXPECT_EQ(fake_.counts().retains, fake_.counts().releases - 2);  // two adopted references
}

TEST_F(OclWrapper, RetainAndReleaseReportTheStatus) {
    const cl_context a = fake_.newContext();
    Wrapped w(a);
    fake_.fail("clRetainContext", CL_OUT_OF_HOST_MEMORY);
    EXPECT_EQ(w.retain(), CL_OUT_OF_HOST_MEMORY);
    fake_.fail("", 0);
    EXPECT_EQ(w.retain(), CL_SUCCESS);
    EXPECT_EQ(w.release(), CL_SUCCESS);
    // A failing release in a destructor is swallowed; the test gives the reference back after.
    fake_.fail("clReleaseContext", CL_INVALID_CONTEXT);
    { Wrapped copy(w); }
    fake_.fail("", 0);
    EXPECT_EQ(fake_.refCount(a), 2);
    EXPECT_EQ(w.release(), CL_SUCCESS);
}
