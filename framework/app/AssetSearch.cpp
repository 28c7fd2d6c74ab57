#include "framework/app/AssetSearch.h"

#include <boost/filesystem/operations.hpp>

namespace reef::app {

namespace fs = boost::filesystem;

fs::path findAssetDirectory(const fs::path& executableDirectory) {
    fs::path candidate = executableDirectory;
    for (int level = 0; level <= 3 && !candidate.empty(); ++level) {
        const fs::path assets = candidate / "assets";
        boost::system::error_code ec;
        if (fs::is_directory(assets, ec)) {
            return assets;
        }
        if (!candidate.has_parent_path() || candidate.parent_path() == candidate) {
            break;  // the root of the file system
        }
        candidate = candidate.parent_path();
    }
    return fs::path();
}

fs::path resolveAsset(const fs::path& assetDirectory, const std::string& relativePath) {
    if (assetDirectory.empty()) {
        return fs::path();
    }
    const fs::path full = assetDirectory / relativePath;
    boost::system::error_code ec;
    return fs::exists(full, ec) ? full : fs::path();
}

}  // namespace reef::app
