#include <gtest/gtest.h>

#include <sstream>

#include <vek/core/memory/VEKMemory.h>
#include <vek/vek_ocl/ExceptionOCL.h>

using VEK::OCL::ExceptionOCL;

TEST(ExceptionOCL, NamesTheStatusAndKeepsTheMessageApart) {
    const ExceptionOCL e("Here.cpp", 42, "the message", static_cast<std::uint32_t>(-5));
    EXPECT_STREQ(e.what(), "OCL Exception: CL_OUT_OF_RESOURCES");
    EXPECT_EQ(e.errorDescription(), "OCL Exception: CL_OUT_OF_RESOURCES");
    EXPECT_EQ(e.errorNumber(), 4294967291u);
    EXPECT_STREQ(e.message(), "the message");
    EXPECT_EQ(e.line(), 42);

    std::ostringstream written;
    written << e;
    EXPECT_EQ(written.str(), "OCL Exception: CL_OUT_OF_RESOURCES Here.cpp:42 (the message)");

    // Caught as any of its bases.
    try {
        throw e;
    } catch (const VEK::LogicalException& base) {
        EXPECT_STREQ(base.what(), e.what());
    }
}

TEST(ExceptionOCL, CloneAndCopiesCarryEverything) {
    const ExceptionOCL e("File.cpp", 7, "msg", static_cast<std::uint32_t>(-11));
    VEK::ExceptionBase* copy = e.clone();
    ASSERT_NE(copy, nullptr);
    auto* clone = dynamic_cast<ExceptionOCL*>(copy);
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->errorNumber(), e.errorNumber());
    EXPECT_EQ(clone->errorDescription(), e.errorDescription());
    EXPECT_STREQ(clone->message(), e.message());
    EXPECT_STREQ(clone->file(), e.file());
    EXPECT_EQ(clone->line(), e.line());
    EXPECT_STREQ(clone->what(), "OCL Exception: CL_BUILD_PROGRAM_FAILURE");
    VEK_DELETE(copy);

    ExceptionOCL assigned("Other.cpp", 1, "", 0);
    assigned = e;
    EXPECT_EQ(assigned.errorNumber(), e.errorNumber());
    EXPECT_STREQ(assigned.what(), e.what());
    EXPECT_STREQ(assigned.file(), "File.cpp");
}

TEST(ExceptionOCL, ErrorNamesCoverTheKnownCodesOnly) {
    EXPECT_STREQ(ExceptionOCL::ErrorToCString(0), "CL_SUCCESS");
    EXPECT_STREQ(ExceptionOCL::ErrorToCString(-1), "CL_DEVICE_NOT_FOUND");
    EXPECT_STREQ(ExceptionOCL::ErrorToCString(-12), "CL_MAP_FAILURE");
    EXPECT_STREQ(ExceptionOCL::ErrorToCString(-30), "CL_INVALID_VALUE");
    EXPECT_STREQ(ExceptionOCL::ErrorToCString(-62), "CL_INVALID_MIP_LEVEL");
    for (int code : {-13, -14, -29, -63, -1001, 1, 2147483647}) {
        EXPECT_STREQ(ExceptionOCL::ErrorToCString(code), "UNKNOWN CL ERROR CODE") << code;
    }
    // Every listed code names itself after the OpenCL constant of the same value.
    EXPECT_STREQ(ExceptionOCL::ErrorToCString(CL_INVALID_GLOBAL_OFFSET),
                 "CL_INVALID_GLOBAL_OFFSET");
    EXPECT_STREQ(ExceptionOCL::ErrorToCString(CL_INVALID_KERNEL_ARGS), "CL_INVALID_KERNEL_ARGS");
    EXPECT_STREQ(ExceptionOCL::ErrorToCString(CL_IMAGE_FORMAT_NOT_SUPPORTED),
                 "CL_IMAGE_FORMAT_NOT_SUPPORTED");
}
