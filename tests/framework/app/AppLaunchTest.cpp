#include <gtest/gtest.h>

#include "framework/app/AppBasic.h"
#include "framework/app/RendererGl.h"
#include "framework/platform/Platform.h"

namespace {

using reef::app::AppBasic;

struct Record {
    bool setup = false, update = false, draw = false, shutdown = false;
};

class QuittingApp : public AppBasic {
public:
    explicit QuittingApp(Record* record) : record_(record) {}
    void prepareSettings(Settings* settings) override { settings->setShouldQuit(true); }
    void setup() override { record_->setup = true; }
    void update() override { record_->update = true; }
    void draw() override { record_->draw = true; }
    void shutdown() override { record_->shutdown = true; }

private:
    Record* record_;
};

TEST(AppLaunch, ShouldQuitFromPrepareSettingsOpensNoWindowAndReturnsZero) {
    Record record;
    char arg0[] = "test";
    char* argv[] = {arg0, nullptr};
    const int code =
        AppBasic::executeLaunch(std::make_unique<QuittingApp>(&record),
                                std::make_shared<reef::app::RendererGl>(5), "Test", 1, argv);
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(reef::platform::isInitialized()) << "no window system, no window";
    EXPECT_FALSE(record.setup);
    EXPECT_FALSE(record.update);
    EXPECT_FALSE(record.draw);
    EXPECT_FALSE(record.shutdown);
}

// An application that is never launched: enough for the asset and console queries.
class IdleApp : public AppBasic {};

TEST(AppAssets, MissingAssetIsEmptyAndLoadingItThrowsWithTheRelativePath) {
    IdleApp app;
    EXPECT_TRUE(app.getAssetPath("no/such/asset.glsl").empty());
    try {
        app.loadAsset("no/such/asset.glsl");
        FAIL() << "expected AssetLoadExc";
    } catch (const reef::app::AssetLoadExc& e) {
        EXPECT_STREQ(e.what(), "no/such/asset.glsl");
    }
}

TEST(AppConsole, FlushedLinesGoToStandardError) {
    IdleApp app;
    ::testing::internal::CaptureStderr();
    app.console() << "Could not load and compile resource:"
                  << "x.glsl";
    const std::string beforeFlush = ::testing::internal::GetCapturedStderr();
    ::testing::internal::CaptureStderr();
    app.console() << std::endl;
    const std::string afterFlush = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(beforeFlush, "");
    EXPECT_EQ(afterFlush, "Could not load and compile resource:x.glsl\n");
}

TEST(RendererGl, AntialiasingFallsBackToTheLevelTheSystemOffers) {
    const struct {
        const char* name;
        int requested;
        int maxSamples;
        int expectedLevel;
    } cases[] = {
        {"16 asked, 8 offered", 5, 8, 4}, {"16 asked, 16 offered", 5, 16, 5},
        {"16 asked, 2 offered", 5, 2, 1}, {"none offered", 5, 0, 0},
        {"none asked", 0, 16, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const int level = reef::app::RendererGl::findAntiAliasingLevel(
            c.requested, [&](int samples) { return samples <= c.maxSamples; });
        EXPECT_EQ(level, c.expectedLevel);
    }
}

}  // namespace
