#include "render/TextureDirectory.h"

#include <algorithm>
#include <boost/filesystem.hpp>

#include "framework/Exception.h"
#include "framework/image/LoadImage.h"

namespace thalorin {
namespace {

// The regular files of the directory, sorted by name. Boost's own errors are
// turned into the framework's exception, naming the directory.
std::vector<std::string> listRegularFiles(const std::string& directoryPath) {
    namespace fs = boost::filesystem;
    const std::string shownPath = directoryPath.empty() ? "(empty path)" : directoryPath;
    boost::system::error_code error;
    // An empty path would otherwise stand for nothing rather than fail.
    if (directoryPath.empty() || !fs::is_directory(directoryPath, error)) {
        throw reef::Exception("texture directory not found: " + shownPath);
    }
    std::vector<std::string> files;
    fs::directory_iterator entry(directoryPath, error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        if (fs::is_regular_file(entry->path(), error) && !error) {
            files.push_back(entry->path().filename().string());
        }
        // A broken link or an entry that vanished is simply not a regular file.
        error.clear();
    }
    if (error) {
        throw reef::Exception("cannot list texture directory " + shownPath + ": " +
                              error.message());
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

std::string textureNameFromFile(const std::string& fileName) {
    const size_t dot = fileName.rfind('.');
    return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

void loadTextureDirectory(const std::string& directoryPath,
                          std::vector<reef::gl::Texture>& textures, std::vector<std::string>& names,
                          GLenum wrap) {
    textures.clear();
    names.clear();
    // Plain concatenation needs the separator; tolerate a caller that left it out.
    const std::string prefix =
        directoryPath.empty() || directoryPath.back() == '/' ? directoryPath : directoryPath + "/";
    for (const std::string& file : listRegularFiles(directoryPath)) {
        const reef::gl::Texture texture(reef::loadImage(prefix + file),
                                        reef::gl::Texture::Format());
        textures.push_back(texture);
        // The new texture is still bound: the setters act on it.
        texture.setWrapS(wrap);
        texture.setWrapT(wrap);
        texture.setMinFilter(GL_LINEAR);
        texture.setMagFilter(GL_LINEAR);
        names.push_back(textureNameFromFile(file));
    }
}

void loadTextureDirectory(const AssetPathResolver& getAssetPath, const std::string& directory,
                          std::vector<reef::gl::Texture>& textures, std::vector<std::string>& names,
                          GLenum wrap) {
    const std::string full = getAssetPath(directory);
    if (full.empty()) {
        textures.clear();
        names.clear();
        throw reef::Exception("texture directory not found: " + directory);
    }
    loadTextureDirectory(full, textures, names, wrap);
}

}  // namespace thalorin
