#pragma once
// The frame schedule of the frame loop, in double-precision seconds. Pure
// arithmetic so that pacing can be checked with a fake clock.

namespace reef::app {

class FramePacer {
public:
    void restart(double now) { nextFrameTime_ = now; }

    // Moves the schedule on by one frame after a frame finished at `now` and
    // returns how long to wait for the next one (0: start it at once). A stall of
    // more than a second skips whole periods instead of bursting to catch up.
    double advance(double now, double framesPerSecond);

    double getNextFrameTime() const { return nextFrameTime_; }

private:
    double nextFrameTime_ = 0.0;
};

// Average frame rate over the last completed sample interval (1 s).
class FrameRateSampler {
public:
    // Called once per frame after the frame count was incremented.
    void sample(double now, unsigned frameCount);
    float getAverageFps() const { return averageFps_; }

private:
    float averageFps_ = 0.0f;
    double lastSampleTime_ = 0.0;
    unsigned framesAtLastSample_ = 0;
    double sampleInterval_ = 1.0;
};

}  // namespace reef::app
