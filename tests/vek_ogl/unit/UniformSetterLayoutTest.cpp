// The program's setters keep their slots in the virtual table, which needs no context.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include <vek/vek_ogl/ogl/ProgramOGL.h>

#include "support/VtableSlot.h"
using namespace VEK::OGL;

#ifdef VEK_TEST_HAS_VTABLE_SLOT
namespace {
using VEKTest::Slot;

template <class... A>
using SetterOf = void (ProgramImpl::*)(A...);
}  // namespace

// Slots 0 and 1 are the destructor's two entries.
TEST(UniformSetterLayout, SlotsFollowTheFamilysOrder) {
    using PI = ProgramImpl;
    EXPECT_EQ(Slot(&PI::attach), 2);
    EXPECT_EQ(Slot(&PI::postLinkInit), 10);
    EXPECT_EQ(Slot(&PI::getUniformLocation), 21);
    // Checked half: the basic kinds by name, then by location.
    EXPECT_EQ(Slot(static_cast<SetterOf<const char*, int, int*>>(&PI::setUniform)), 22);
    EXPECT_EQ(Slot(static_cast<SetterOf<const char*, int, float*>>(&PI::setUniform)), 23);
    EXPECT_EQ(Slot(static_cast<SetterOf<const char*, bool, bool, bool, bool>>(&PI::setUniform)),
              24);
    EXPECT_EQ(Slot(static_cast<SetterOf<const char*, bool>>(&PI::setUniform)), 27);
    EXPECT_EQ(Slot(static_cast<SetterOf<const char*, unsigned char, unsigned char, unsigned char,
                                        unsigned char>>(&PI::setUniform)),
              28);
    EXPECT_EQ(Slot(static_cast<SetterOf<const char*, int, int, int, int>>(&PI::setUniform)), 32);
    EXPECT_EQ(Slot(static_cast<SetterOf<const char*, float>>(&PI::setUniform)), 39);
    EXPECT_EQ(Slot(static_cast<SetterOf<int, int, int*>>(&PI::setUniform)), 40);
    EXPECT_EQ(Slot(static_cast<SetterOf<int, float>>(&PI::setUniform)), 57);
    EXPECT_EQ(Slot(static_cast<SetterOf<const char*, int>>(&PI::setUniformSampler1D)), 58);
    EXPECT_EQ(Slot(static_cast<SetterOf<int, int>>(&PI::setUniformSampler2D)), 61);
    EXPECT_EQ(Slot(static_cast<SetterOf<const char*, int>>(&PI::setUniformSampler2DRECT)), 62);
    EXPECT_EQ(Slot(static_cast<SetterOf<int, int>>(&PI::setUniformSampler3D)), 65);
    EXPECT_EQ(Slot(static_cast<SetterOf<const char*, int, int*>>(&PI::setUniform2)), 66);
    EXPECT_EQ(Slot(static_cast<SetterOf<int, int, float*>>(&PI::setUniform2)), 69);
    EXPECT_EQ(Slot(static_cast<SetterOf<const char*, int, float*>>(&PI::setUniform4)), 75);
    EXPECT_EQ(Slot(static_cast<SetterOf<const char*, const float*, unsigned char>>(
                  &PI::setUniformMatrix2)),
              78);
    EXPECT_EQ(Slot(static_cast<SetterOf<int, int, const float*, unsigned char>>(
                  &PI::setUniformMatrices2)),
              81);
    EXPECT_EQ(Slot(static_cast<SetterOf<int, int, const float*, unsigned char>>(
                  &PI::setUniformMatrices4)),
              89);
    // The _Unsafe half in the same order.
    EXPECT_EQ(Slot(static_cast<SetterOf<const char*, int, int*>>(&PI::setUniform_Unsafe)), 90);
    EXPECT_EQ(Slot(static_cast<SetterOf<int, int, int*>>(&PI::setUniform_Unsafe)), 108);
    EXPECT_EQ(Slot(static_cast<SetterOf<const char*, int>>(&PI::setUniformSampler1D_Unsafe)), 126);
    EXPECT_EQ(Slot(static_cast<SetterOf<const char*, int, int*>>(&PI::setUniform2_Unsafe)), 134);
    EXPECT_EQ(Slot(static_cast<SetterOf<int, int, const float*, unsigned char>>(
                  &PI::setUniformMatrices4_Unsafe)),
              157);
    EXPECT_EQ(Slot(&PI::assertActiveUniformType), 158);
    EXPECT_EQ(Slot(&PI::getInfoLog), 160);
}
#endif
