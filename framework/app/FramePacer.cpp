#include "framework/app/FramePacer.h"

namespace reef::app {

double FramePacer::advance(double now, double framesPerSecond) {
    const double secondsPerFrame = 1.0 / framesPerSecond;
    if (now - nextFrameTime_ > 1.0) {
        const int skipped = static_cast<int>((now - nextFrameTime_) / secondsPerFrame);
        nextFrameTime_ = nextFrameTime_ + skipped * secondsPerFrame;
    }
    nextFrameTime_ = nextFrameTime_ + secondsPerFrame;
    return nextFrameTime_ > now ? nextFrameTime_ - now : 0.0;
}

void FrameRateSampler::sample(double now, unsigned frameCount) {
    if (now > lastSampleTime_ + sampleInterval_) {
        averageFps_ = static_cast<float>(static_cast<double>(frameCount - framesAtLastSample_) /
                                         (now - lastSampleTime_));
        lastSampleTime_ = now;
        framesAtLastSample_ = frameCount;
    }
}

}  // namespace reef::app
