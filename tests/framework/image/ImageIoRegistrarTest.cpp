// Decoder choice: extension decoders before general ones, priority order,
// failing decoders skipped.

#include "framework/image/ImageIoRegistrar.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/image/ImageIoException.h"
#include "framework/image/LoadImage.h"
#include "tests/framework/image/TestImages.h"

namespace reef::test {
namespace {

class NamedSource : public ImageSource {
public:
    explicit NamedSource(std::string name) : name(std::move(name)) {}
    void load(ImageTarget&) override {}
    std::string name;
};

ImageIoRegistrar::SourceCreationFunc returning(const std::string& name,
                                               std::vector<std::string>* calls) {
    return [name, calls](DataSourceRef, ImageSource::Options) -> ImageSourceRef {
        calls->push_back(name);
        return std::make_shared<NamedSource>(name);
    };
}

ImageIoRegistrar::SourceCreationFunc throwing(const std::string& name,
                                              std::vector<std::string>* calls) {
    return [name, calls](DataSourceRef, ImageSource::Options) -> ImageSourceRef {
        calls->push_back(name);
        throw ImageIoExceptionFailedLoad(name + " cannot read this");
    };
}

std::string chosen(const ImageIoRegistrar& registrar, const std::string& extension) {
    const ImageSourceRef source = registrar.createSource(std::make_shared<DataSourcePath>("x"),
                                                         ImageSource::Options(), extension);
    return static_cast<const NamedSource&>(*source).name;
}

TEST(ImageIoRegistrar, TriesExtensionDecodersThenGeneralOnesInPriorityOrder) {
    std::vector<std::string> calls;
    ImageIoRegistrar registrar;
    registrar.registerSourceGeneric(returning("general-5", &calls), 5);
    registrar.registerSourceGeneric(returning("general-2", &calls), 2);
    registrar.registerSourceType("png", throwing("png-1", &calls), 1);
    registrar.registerSourceType("PNG", returning("png-3", &calls), 3);
    registrar.registerSourceType("tga", throwing("tga-1", &calls), 1);

    const struct {
        const char* name;
        const char* extension;
        const char* winner;
        std::vector<std::string> calls;
    } cases[] = {
        {"extension decoder after a failing one", "png", "png-3", {"png-1", "png-3"}},
        {"extension compared in lower case", "PnG", "png-3", {"png-1", "png-3"}},
        {"general decoders when the extension's fail", "tga", "general-2", {"tga-1", "general-2"}},
        {"general decoders for an unknown extension", "jpg", "general-2", {"general-2"}},
        {"general decoders without an extension", "", "general-2", {"general-2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        calls.clear();
        EXPECT_EQ(chosen(registrar, c.extension), c.winner);
        EXPECT_EQ(calls, c.calls);
    }
}

TEST(ImageIoRegistrar, FailsWhenNoDecoderSucceeds) {
    std::vector<std::string> calls;
    ImageIoRegistrar registrar;
    EXPECT_THROW(chosen(registrar, "png"), ImageIoExceptionFailedLoad);
    registrar.registerSourceGeneric(throwing("general", &calls), 2);
    EXPECT_THROW(chosen(registrar, "png"), ImageIoExceptionFailedLoad);
}

TEST(ImageIoRegistrar, LoadImageUsesTheFileDecoderWhateverTheExtension) {
    TempDir dir;
    const std::string path = dir.write("rock.png", solidRgbPng(4, 2, 0, 0, 0));
    for (const char* extension : {"", "png", "tga", "JPG"}) {
        SCOPED_TRACE(extension);
        const ImageSourceRef source = loadImage(path, ImageSource::Options(), extension);
        ASSERT_TRUE(source);
        EXPECT_EQ(source->getWidth(), 4);
        EXPECT_EQ(source->getHeight(), 2);
    }
}

}  // namespace
}  // namespace reef::test
