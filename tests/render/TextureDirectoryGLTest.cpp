// Texture directories: which entries become textures, their names, order and
// parameters, and what stays in the lists when a file cannot be read.

#include "render/TextureDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "framework/image/ImageIoException.h"
#include "tests/framework/gl/GlTestUtil.h"
#include "tests/framework/image/TestImages.h"
#include "tests/support/GlTestEnvironment.h"

namespace thalorin {
namespace {

using reef::test::solidRgbPng;
using reef::test::TempDir;
using reef::test::texParameter;

class TextureDirectoryGLTest : public GlTest {
protected:
    void TearDown() override {
        glBindTexture(GL_TEXTURE_2D, 0);
        GlTest::TearDown();
    }

    std::vector<uint8_t> text(const std::string& s) { return {s.begin(), s.end()}; }
};

TEST_F(TextureDirectoryGLTest, LoadsRegularFilesInNameOrderNamedWithoutExtension) {
    TempDir dir;
    // Widths tell the textures apart.
    dir.write("skin.png", solidRgbPng(2, 1, 200, 100, 50));
    dir.write("rock.png", solidRgbPng(3, 1, 10, 20, 30));
    dir.write("plain", solidRgbPng(4, 1, 0, 0, 255));
    dir.write("a.b.png", solidRgbPng(5, 1, 0, 255, 0));
    std::filesystem::create_directory(dir.path() + "/sub");
    dir.write("sub/inner.png", solidRgbPng(6, 1, 1, 1, 1));

    std::vector<reef::gl::Texture> textures(1);
    std::vector<std::string> names{"stale"};
    loadTextureDirectory(dir.path() + "/", textures, names, GL_REPEAT);

    const struct {
        const char* name;
        int width;
    } expected[] = {{"a.b", 5}, {"plain", 4}, {"rock", 3}, {"skin", 2}};
    ASSERT_EQ(textures.size(), std::size(expected));
    ASSERT_EQ(names.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(names[i], expected[i].name);
        ASSERT_TRUE(textures[i]);
        EXPECT_EQ(textures[i].getWidth(), expected[i].width);
        EXPECT_EQ(textures[i].getInternalFormat(), GL_RGB8);
        EXPECT_EQ(texParameter(textures[i], GL_TEXTURE_WRAP_S), GL_REPEAT);
        EXPECT_EQ(texParameter(textures[i], GL_TEXTURE_WRAP_T), GL_REPEAT);
        EXPECT_EQ(texParameter(textures[i], GL_TEXTURE_MIN_FILTER), GL_LINEAR);
        EXPECT_EQ(texParameter(textures[i], GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    }
}

TEST_F(TextureDirectoryGLTest, UnreadableFileThrowsKeepingWhatCameBefore) {
    const struct {
        const char* name;
        const char* file;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"text with an image name", "b.png", text("not an image")},
        {"text without an image name", "b.txt", text("not an image either")},
        {"empty file", "b", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        dir.write("a.png", solidRgbPng(1, 1, 1, 2, 3));
        dir.write(c.file, c.bytes);
        dir.write("c.png", solidRgbPng(1, 1, 4, 5, 6));
        std::vector<reef::gl::Texture> textures;
        std::vector<std::string> names;
        EXPECT_THROW(loadTextureDirectory(dir.path() + "/", textures, names, GL_REPEAT),
                     reef::ImageIoExceptionFailedLoad);
        EXPECT_EQ(textures.size(), 1u);
        EXPECT_EQ(names, std::vector<std::string>{"a"});
    }
}

TEST_F(TextureDirectoryGLTest, PathWithoutTrailingSeparatorStillFindsTheFiles) {
    TempDir dir;
    dir.write("only.png", solidRgbPng(1, 1, 9, 9, 9));
    std::vector<reef::gl::Texture> textures;
    std::vector<std::string> names;
    loadTextureDirectory(dir.path(), textures, names, GL_REPEAT);
    EXPECT_EQ(names, std::vector<std::string>{"only"});
}

TEST_F(TextureDirectoryGLTest, RelativeDirectoryIsResolvedThroughTheAssetSearch) {
    TempDir dir;
    dir.write("found.png", solidRgbPng(1, 1, 9, 9, 9));
    const AssetPathResolver resolve = [&](const std::string& relative) {
        return relative == "normalMaps/" ? dir.path() + "/" : std::string();
    };
    std::vector<reef::gl::Texture> textures;
    std::vector<std::string> names;
    loadTextureDirectory(resolve, "normalMaps/", textures, names, GL_REPEAT);
    EXPECT_EQ(names, std::vector<std::string>{"found"});
}

TEST_F(TextureDirectoryGLTest, EmptyDirectoryGivesEmptyLists) {
    TempDir dir;
    std::vector<reef::gl::Texture> textures(2);
    std::vector<std::string> names{"x", "y"};
    loadTextureDirectory(dir.path() + "/", textures, names, GL_CLAMP_TO_EDGE);
    EXPECT_TRUE(textures.empty());
    EXPECT_TRUE(names.empty());
}

}  // namespace
}  // namespace thalorin
