#pragma once
// Finds the asset directory: the first directory named "assets" in the
// executable's directory or one of its three nearest ancestors.

#include <boost/filesystem/path.hpp>

namespace reef::app {

// Empty when there is none.
boost::filesystem::path findAssetDirectory(const boost::filesystem::path& executableDirectory);

// The full path of `relativePath` inside `assetDirectory` when it exists (file or
// directory), else empty. An empty asset directory always gives empty.
boost::filesystem::path resolveAsset(const boost::filesystem::path& assetDirectory,
                                     const std::string& relativePath);

}  // namespace reef::app
