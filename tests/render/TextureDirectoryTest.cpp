// Texture-directory rules that need no GL: names from file names, and a
// directory that is not there.

#include "render/TextureDirectory.h"

#include <gtest/gtest.h>

#include "framework/Exception.h"
#include "tests/framework/image/TestImages.h"

namespace thalorin {
namespace {

TEST(TextureDirectory, NameIsTheFileNameBeforeItsLastDot) {
    const struct {
        const char* file;
        const char* name;
    } cases[] = {
        {"rock.png", "rock"}, {"skin.tga", "skin"},      {"plain", "plain"},
        {"a.b.png", "a.b"},   {"trailing.", "trailing"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        EXPECT_EQ(textureNameFromFile(c.file), c.name);
    }
}

TEST(TextureDirectory, MissingDirectoryThrowsNamingItAndEmptiesTheLists) {
    const reef::test::TempDir dir;
    const std::string missing = dir.path() + "/normalMaps/";
    const struct {
        const char* name;
        std::string path;
        std::string shown;
    } cases[] = {
        {"nonexistent", missing, missing},
        {"a file, not a directory",
         dir.write("file.png", reef::test::solidRgbPng(1, 1, 0, 0, 0)) + "/", "file.png"},
        {"empty path (the asset was not found)", "", "empty path"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<reef::gl::Texture> textures(1);
        std::vector<std::string> names{"stale"};
        try {
            loadTextureDirectory(c.path, textures, names, GL_REPEAT);
            ADD_FAILURE() << "no exception";
        } catch (const reef::Exception& e) {
            EXPECT_NE(std::string(e.what()).find(c.shown), std::string::npos) << e.what();
        }
        EXPECT_TRUE(textures.empty());
        EXPECT_TRUE(names.empty());
    }
}

TEST(TextureDirectory, RelativeDirectoryThatTheAssetSearchCannotFindIsNamed) {
    std::vector<std::string> asked;
    const AssetPathResolver notFound = [&](const std::string& relative) {
        asked.push_back(relative);
        return std::string();
    };
    std::vector<reef::gl::Texture> textures(1);
    std::vector<std::string> names{"stale"};
    try {
        loadTextureDirectory(notFound, "normalMaps/", textures, names, GL_REPEAT);
        ADD_FAILURE() << "no exception";
    } catch (const reef::Exception& e) {
        EXPECT_NE(std::string(e.what()).find("normalMaps/"), std::string::npos) << e.what();
    }
    EXPECT_EQ(asked, std::vector<std::string>{"normalMaps/"});
    EXPECT_TRUE(textures.empty());
    EXPECT_TRUE(names.empty());
}

}  // namespace
}  // namespace thalorin
