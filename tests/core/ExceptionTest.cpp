#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include <vek/core/exceptions/InternalException.h>
#include <vek/core/memory/VEKMemory.h>

namespace {

std::string Written(const VEK::ExceptionBase& e) {
    std::ostringstream out;
    out << e;
    return out.str();
}

struct Destroy {
    void operator()(VEK::ExceptionBase* e) const { VEK_DELETE(e); }
};

}  // namespace

TEST(Exceptions, KindTextsAndWrittenForm) {
    EXPECT_STREQ(VEK::ExceptionBase().what(), "VEK exception");
    EXPECT_EQ(Written(VEK::ExceptionBase()), "VEK exception");
    EXPECT_EQ(Written(VEK::ExceptionBase("custom kind")), "custom kind");
    EXPECT_EQ(Written(VEK::LogicalException()), "VEK logical exception Undefined:0 (Undefined)");
    EXPECT_EQ(Written(VEK::InternalException()), "VEK Internal exception Undefined:0 (Undefined)");

    const VEK::InternalException e("src/a.cpp", 12, "x != 0");
    EXPECT_STREQ(e.what(), "VEK Internal exception");
    EXPECT_STREQ(e.file(), "src/a.cpp");
    EXPECT_EQ(e.line(), 12);
    EXPECT_STREQ(e.message(), "x != 0");
    EXPECT_EQ(Written(e), "VEK Internal exception src/a.cpp:12 (x != 0)");

    const VEK::LogicalException nulls(nullptr, -3, nullptr);
    EXPECT_EQ(Written(nulls), "VEK logical exception Undefined:-3 (Undefined)");
}

TEST(Exceptions, CopiesAndClonesKeepClassAndFields) {
    VEK::InternalException original("f.cpp", 7, "m");
    VEK::InternalException copy(original);
    EXPECT_EQ(Written(copy), Written(original));
    VEK::InternalException assigned;
    assigned = original;
    EXPECT_EQ(Written(assigned), Written(original));
    VEK::InternalException& alias = assigned;
    assigned = alias;  // self-assignment keeps the fields
    EXPECT_EQ(Written(assigned), Written(original));

    const VEK::ExceptionBase& asBase = original;
    std::unique_ptr<VEK::ExceptionBase, Destroy> cloned(asBase.clone());
    ASSERT_NE(cloned, nullptr);
    auto* internal = dynamic_cast<VEK::InternalException*>(cloned.get());
    ASSERT_NE(internal, nullptr);
    EXPECT_STREQ(internal->file(), "f.cpp");
    EXPECT_EQ(internal->line(), 7);
    EXPECT_STREQ(internal->message(), "m");
    EXPECT_STREQ(internal->what(), "VEK Internal exception");

    std::unique_ptr<VEK::ExceptionBase, Destroy> logical(
        VEK::LogicalException("g", 1, "n").clone());
    EXPECT_EQ(dynamic_cast<VEK::InternalException*>(logical.get()), nullptr);
    EXPECT_EQ(Written(*logical), "VEK logical exception g:1 (n)");
    std::unique_ptr<VEK::ExceptionBase, Destroy> base(VEK::ExceptionBase("k").clone());
    EXPECT_EQ(Written(*base), "k");
}

TEST(Exceptions, ChecksCarryConditionTextAndLocation) {
    int value = 3;
    int assertLine = 0;
    try {
        assertLine = __LINE__ + 1;
        VEK_ASSERT(value == 4 && value > 0);
        FAIL() << "no throw";
    } catch (const VEK::InternalException& e) {
        EXPECT_STREQ(e.message(), "value == 4 && value > 0");
        EXPECT_EQ(e.line(), assertLine);
        EXPECT_NE(std::string(e.file()).find("ExceptionTest.cpp"), std::string::npos);
    }

    const char* pointer = nullptr;
    try {
        VEK_ENFORCE(pointer != NULL);
        FAIL() << "no throw";
    } catch (const VEK::LogicalException& e) {  // caught through the base class too
        EXPECT_STREQ(e.message(), "Enforce pointer != NULL");
    }
    EXPECT_NO_THROW(VEK_ASSERT(value == 3));
    const char* text = "t";
    EXPECT_NO_THROW(VEK_ENFORCE(text != NULL));

    // Everything the library throws is a std::exception.
    EXPECT_THROW(VEK_ASSERT(false), std::exception);
    try {
        VEK_THROW_INTERNAL("composed " << 42 << " text");
    } catch (const VEK::ExceptionBase& e) {
        EXPECT_EQ(Written(e).substr(0, 22), "VEK Internal exception");
        EXPECT_STREQ(dynamic_cast<const VEK::InternalException&>(e).message(), "composed 42 text");
    }
}
