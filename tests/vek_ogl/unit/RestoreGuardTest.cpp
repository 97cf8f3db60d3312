// The restore guard: every restoring call in its order, the first failure kept, dropped when the
// guard goes and thrown on request.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include <vek/core/exceptions/InternalException.h>
#include <vek/vek_ogl/ogl/internal/RestoreGuard.h>

#include "support/InternalMessage.h"

using VEK::OGL::internal::RestoreGuard;

TEST(RestoreGuard, MakesEveryCallInOrderAndKeepsTheFirstFailure) {
    std::string made;
    {
        RestoreGuard restoring;
        restoring([&] { made += 'a'; });
        restoring([&] {
            made += 'b';
            VEK_THROW_INTERNAL("first");
        });
        restoring([&] {
            made += 'c';
            throw std::runtime_error("second");
        });
        restoring([&] { made += 'd'; });
        EXPECT_TRUE(restoring.failed());
        EXPECT_EQ(made, "abcd");
        EXPECT_EQ(VEKTest::InternalMessageOf([&] { restoring.throwFirstFailure(); }), "first");
        // Thrown once: the guard has nothing left to report.
        EXPECT_FALSE(restoring.failed());
        EXPECT_NO_THROW(restoring.throwFirstFailure());

        restoring([] { throw std::runtime_error("dropped"); });
        EXPECT_TRUE(restoring.failed());
    }  // goes away with a failure it drops
    RestoreGuard clean;
    clean([&] { made += 'e'; });
    EXPECT_FALSE(clean.failed());
    EXPECT_NO_THROW(clean.throwFirstFailure());
    EXPECT_EQ(made, "abcde");
}
