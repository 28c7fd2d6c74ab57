#pragma once
// Builds the shader programs from the asset directory's "shaders/" files.

#include <epoxy/gl.h>

#include <functional>
#include <string>

#include "framework/DataSource.h"
#include "framework/gl/GlslProg.h"

namespace thalorin {

// Location bound to "in_height" in every program before linking, so that the
// location looked up in one program holds in the others. Not 0: in the
// compatibility profile attribute 0 aliases gl_Vertex.
constexpr GLuint kHeightAttribLocation = 1;

// Resolves an asset path relative to the asset directory (the application's
// loadAsset); throws when the asset does not exist.
using AssetLoader = std::function<reef::DataSourceRef(const std::string&)>;

// The program from "shaders/<name>_vert.glsl" and "shaders/<name>_frag.glsl"
// with "in_height" at kHeightAttribLocation. The fragment file is resolved
// first, so a program missing both reports its fragment file. Throws what
// loadAsset throws, GlslProgCompileExc for a stage that fails to compile, and
// reef::Exception "LINK: <vertex file>, <fragment file>: <log on one line>"
// for stages that compile but do not link (a shader cut short after its
// declarations compiles, and would otherwise draw nothing without a word).
reef::gl::GlslProg loadProgram(const AssetLoader& loadAsset, const std::string& name);

}  // namespace thalorin
