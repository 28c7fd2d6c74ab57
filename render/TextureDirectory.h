#pragma once
// Loads every image of one directory into textures named after their files.

#include <epoxy/gl.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/gl/Texture.h"

namespace thalorin {

// Empties both lists, then appends one texture per regular file of
// `directoryPath` (the full path, normally ending in "/"), in file-name order
// so that the result does not depend on the file system; other entries are
// skipped.
// Each texture has the default format, then `wrap` on S and T and linear
// filtering; its name is the file name before the last ".". Throws a
// reef::Exception naming the directory when it is missing or cannot be
// listed, and the image loader's exception for a file it cannot read; the
// lists then keep what was appended so far. Needs a current GL context.
void loadTextureDirectory(const std::string& directoryPath,
                          std::vector<reef::gl::Texture>& textures, std::vector<std::string>& names,
                          GLenum wrap);

// Resolves a path relative to the asset directory to its full path, empty
// when it does not exist (the application's getAssetPath, as text).
using AssetPathResolver = std::function<std::string(const std::string&)>;

// As above for `directory` relative to the asset directory (e.g.
// "normalMaps/"): a missing directory is reported by that relative name.
void loadTextureDirectory(const AssetPathResolver& getAssetPath, const std::string& directory,
                          std::vector<reef::gl::Texture>& textures, std::vector<std::string>& names,
                          GLenum wrap);

// The name a file's texture gets: the part before the last ".", or the whole
// name when it has none.
std::string textureNameFromFile(const std::string& fileName);

}  // namespace thalorin
