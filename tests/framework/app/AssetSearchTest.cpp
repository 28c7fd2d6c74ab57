#include "framework/app/AssetSearch.h"

#include <gtest/gtest.h>

#include <boost/filesystem.hpp>
#include <fstream>

namespace {

namespace fs = boost::filesystem;
using reef::app::findAssetDirectory;
using reef::app::resolveAsset;

// A scratch tree: root/a/b/c/d is the "executable directory".
class AssetSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / fs::unique_path("asset-search-%%%%-%%%%");
        exeDir_ = root_ / "a" / "b" / "c" / "d";
        fs::create_directories(exeDir_);
    }
    void TearDown() override { fs::remove_all(root_); }

    void makeAssets(const fs::path& dir) { fs::create_directories(dir / "assets"); }

    fs::path root_;
    fs::path exeDir_;
};

TEST_F(AssetSearchTest, BesideTheExecutableWinsOverItsParent) {
    makeAssets(exeDir_);
    makeAssets(exeDir_.parent_path());
    EXPECT_EQ(findAssetDirectory(exeDir_), exeDir_ / "assets");
}

TEST_F(AssetSearchTest, FindsUpToThreeLevelsAbove) {
    const struct {
        const char* name;
        int levelsUp;
        bool found;
    } cases[] = {
        {"parent", 1, true},
        {"grandparent", 2, true},
        {"great-grandparent", 3, true},
        {"four levels up", 4, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::path dir = exeDir_;
        for (int i = 0; i < c.levelsUp; ++i) {
            dir = dir.parent_path();
        }
        makeAssets(dir);
        EXPECT_EQ(!findAssetDirectory(exeDir_).empty(), c.found);
        fs::remove_all(dir / "assets");
    }
}

TEST_F(AssetSearchTest, AFileNamedAssetsIsSkipped) {
    std::ofstream(exeDir_ / "assets").put('x');
    makeAssets(exeDir_.parent_path());
    EXPECT_EQ(findAssetDirectory(exeDir_), exeDir_.parent_path() / "assets");
}

TEST_F(AssetSearchTest, StopsAtTheFileSystemRoot) {
    EXPECT_NO_THROW(findAssetDirectory(fs::path("/")));
}

TEST_F(AssetSearchTest, ResolvesExistingFilesAndDirectoriesOnly) {
    makeAssets(exeDir_);
    const fs::path assets = exeDir_ / "assets";
    fs::create_directories(assets / "shaders");
    std::ofstream(assets / "shaders" / "blur_frag.glsl") << "void main() {}";

    EXPECT_EQ(resolveAsset(assets, "shaders/blur_frag.glsl"), assets / "shaders/blur_frag.glsl");
    EXPECT_EQ(resolveAsset(assets, "shaders"), assets / "shaders");
    EXPECT_TRUE(resolveAsset(assets, "shaders/missing.glsl").empty());
    EXPECT_TRUE(resolveAsset(fs::path(), "shaders/blur_frag.glsl").empty());
}

}  // namespace
