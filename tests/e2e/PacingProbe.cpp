// A minimal application on the framework: clears its window each frame and
// quits on Escape. The end-to-end pacing test measures the frame loop with it,
// free of the cost of the real scene.

#include <epoxy/gl.h>

#include <memory>

#include "framework/app/AppBasic.h"
#include "framework/app/RendererGl.h"

namespace {

class PacingProbe : public reef::app::AppBasic {
public:
    void prepareSettings(Settings* settings) override {
        settings->setWindowSize(875, 700);
        settings->setFrameRate(60.0f);
        settings->setBorderless(true);
    }
    void draw() override {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    void keyDown(reef::app::KeyEvent event) override {
        if (event.getCode() == reef::app::KeyEvent::KEY_ESCAPE) {
            quit();
        }
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    return reef::app::AppBasic::executeLaunch(std::make_unique<PacingProbe>(),
                                              std::make_shared<reef::app::RendererGl>(5),
                                              "PacingProbe", argc, argv);
}
