#pragma once
// Runs the real application in-process with a fixed frame time (1/60 s per
// frame, no pacing) and a script, so that frame N is the same picture on every
// run on the same GL driver. Checks glGetError after every frame and records
// high-severity driver debug messages where the driver offers them.

#include <functional>
#include <string>
#include <vector>

#include "app/ThalorinApp.h"
#include "framework/platform/Platform.h"

class FixedStepHarness : public ThalorinApp {
public:
    // Called before the update of each frame (frame 0 first) and after the draw
    // of each frame, with the frame number.
    using Step = std::function<void(FixedStepHarness&, int frame)>;

    FixedStepHarness(int frames, Step beforeUpdate, Step afterDraw);

    void prepareSettings(Settings* settings) override;
    void setup() override;
    void update() override;
    void draw() override;

    void send(const reef::platform::Message& message) { handleMessage(message); }
    reef::platform::Message messageFor(reef::platform::Message::Kind kind) const;

    int frame() const { return frame_; }
    double time() const { return frame_ / 60.0; }
    // GL errors seen after frames, as text; empty when there were none.
    const std::vector<std::string>& glErrors() const { return glErrors_; }
    static const std::vector<std::string>& highSeverityMessages();

    // Launches a harness and returns once it quits.
    static void run(int frames, Step beforeUpdate, Step afterDraw = nullptr);

private:
    int frames_;
    int frame_ = 0;
    Step beforeUpdate_;
    Step afterDraw_;
    std::vector<std::string> glErrors_;
};

// The window's back buffer as RGBA rows, top row first.
struct Frame {
    int width = 0, height = 0;
    std::vector<unsigned char> rgba;
};
Frame readFrame(int width, int height);
