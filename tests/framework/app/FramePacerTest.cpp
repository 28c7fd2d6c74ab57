#include "framework/app/FramePacer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using reef::app::FramePacer;
using reef::app::FrameRateSampler;

constexpr double kFps = 60.0;
constexpr double kPeriod = 1.0 / kFps;

// Drives the pacer like the frame loop does, with a fake clock: each frame
// takes `frameCost` seconds, then the loop waits whatever the pacer asks for.
struct FakeLoop {
    FramePacer pacer;
    double now = 0.0;
    std::vector<double> waits;

    void runFrame(double frameCost) {
        now += frameCost;
        const double wait = pacer.advance(now, kFps);
        waits.push_back(wait);
        now += wait;
    }
};

TEST(FramePacer, SteadyFramesWaitOutTheRestOfTheirPeriod) {
    FakeLoop loop;
    for (int i = 0; i < 10; ++i) {
        loop.runFrame(0.004);
    }
    for (double wait : loop.waits) {
        EXPECT_NEAR(wait, kPeriod - 0.004, 1e-9);
    }
}

TEST(FramePacer, HalfSecondFrameIsMadeUpByAboutThirtyBackToBackFrames) {
    FakeLoop loop;
    loop.runFrame(0.5);
    int backToBack = 0;
    for (int i = 0; i < 100; ++i) {
        loop.runFrame(0.001);
        if (loop.waits.back() > 0.0) {
            break;
        }
        ++backToBack;
    }
    // 0.5 s behind, catching up (1/60 - 0.001) s per frame: about 31 frames.
    EXPECT_GE(backToBack, 28);
    EXPECT_LE(backToBack, 33);
}

TEST(FramePacer, LongStallSkipsWholePeriodsInsteadOfBursting) {
    FakeLoop loop;
    loop.runFrame(0.001);
    loop.runFrame(3.25);
    const double waitAfterStall = loop.waits.back();
    EXPECT_GT(waitAfterStall, 0.0);
    EXPECT_LE(waitAfterStall, kPeriod);
    // The following frames are paced normally again: no burst.
    loop.runFrame(0.001);
    EXPECT_NEAR(loop.waits.back(), kPeriod - 0.001, 1e-9);
}

TEST(FramePacer, ScheduleStaysOnItsFrameGridAfterAStall) {
    FramePacer pacer;
    pacer.restart(10.0);
    pacer.advance(13.25, kFps);
    const double periods = (pacer.getNextFrameTime() - 10.0) / kPeriod;
    EXPECT_NEAR(periods, std::round(periods), 1e-6);
}

TEST(FrameRateSampler, ReadsZeroUntilMoreThanOneSecondHasPassed) {
    FrameRateSampler sampler;
    unsigned frames = 0;
    for (double t = 0.0; t <= 1.0; t += kPeriod) {
        sampler.sample(t, ++frames);
        EXPECT_EQ(sampler.getAverageFps(), 0.0f) << "at t = " << t;
    }
    sampler.sample(1.0 + kPeriod, ++frames);
    EXPECT_NEAR(sampler.getAverageFps(), frames / (1.0 + kPeriod), 1e-3);
}

TEST(FrameRateSampler, AveragesTheLastCompletedInterval) {
    FrameRateSampler sampler;
    sampler.sample(1.5, 150);  // first sample: 150 frames in 1.5 s
    EXPECT_NEAR(sampler.getAverageFps(), 100.0f, 1e-3);
    sampler.sample(2.0, 180);  // interval not complete: unchanged
    EXPECT_NEAR(sampler.getAverageFps(), 100.0f, 1e-3);
    sampler.sample(2.75, 210);  // 60 frames in 1.25 s
    EXPECT_NEAR(sampler.getAverageFps(), 48.0f, 1e-3);
}

}  // namespace
