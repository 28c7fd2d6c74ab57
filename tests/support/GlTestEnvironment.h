#pragma once
// One hidden window with an OpenGL 2.x compatibility context, opened once per
// test binary (under Xvfb in CI) and current for every test. GL tests derive
// from GlTest, which fails a test that leaves a GL error behind.

#include <gtest/gtest.h>

namespace reef::test {

class GlTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// Size of the hidden window's default framebuffer.
constexpr int kGlTestWindowWidth = 256;
constexpr int kGlTestWindowHeight = 256;

}  // namespace reef::test

using reef::test::GlTest;
