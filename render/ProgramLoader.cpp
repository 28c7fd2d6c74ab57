#include "render/ProgramLoader.h"

namespace thalorin {

reef::gl::GlslProg loadProgram(const AssetLoader& loadAsset, const std::string& name) {
    const reef::DataSourceRef fragment = loadAsset("shaders/" + name + "_frag.glsl");
    const reef::DataSourceRef vertex = loadAsset("shaders/" + name + "_vert.glsl");
    return reef::gl::GlslProg::withAttribLocations(vertex, fragment,
                                                   {{"in_height", kHeightAttribLocation}});
}

}  // namespace thalorin
