#include <memory>

#include "app/ThalorinApp.h"
#include "framework/app/RendererGl.h"

int main(int argc, char* argv[]) {
    auto renderer = std::make_shared<reef::app::RendererGl>(5);
    return reef::app::AppBasic::executeLaunch(std::make_unique<ThalorinApp>(), renderer,
                                              "ThalorinApp", argc, argv);
}
