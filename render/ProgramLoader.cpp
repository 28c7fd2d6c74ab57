#include "render/ProgramLoader.h"

#include "framework/Exception.h"

namespace thalorin {

namespace {

// The log's lines joined with "; ", so that the report stays one line.
std::string oneLine(const std::string& log) {
    std::string line;
    size_t start = 0;
    while (start < log.size()) {
        size_t end = log.find('\n', start);
        if (end == std::string::npos) {
            end = log.size();
        }
        const std::string part = log.substr(start, end - start);
        if (part.find_first_not_of(" \t\r") != std::string::npos) {
            line += (line.empty() ? "" : "; ") + part;
        }
        start = end + 1;
    }
    return line.empty() ? "the program does not link" : line;
}

}  // namespace

reef::gl::GlslProg loadProgram(const AssetLoader& loadAsset, const std::string& name) {
    const std::string fragmentPath = "shaders/" + name + "_frag.glsl";
    const std::string vertexPath = "shaders/" + name + "_vert.glsl";
    const reef::DataSourceRef fragment = loadAsset(fragmentPath);
    const reef::DataSourceRef vertex = loadAsset(vertexPath);
    reef::gl::GlslProg program = reef::gl::GlslProg::withAttribLocations(
        vertex, fragment, {{"in_height", kHeightAttribLocation}});
    if (!program.isLinked()) {
        throw reef::Exception("LINK: " + vertexPath + ", " + fragmentPath + ": " +
                              oneLine(program.getLinkLog()));
    }
    return program;
}

}  // namespace thalorin
