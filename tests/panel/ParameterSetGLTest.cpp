// The parameter set and the colour-gradient editor against a recording
// tweak-bar library (the panel needs a window, hence a display).

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/app/RendererGl.h"
#include "framework/app/Window.h"
#include "panel/ColorGradientEditor.h"
#include "panel/ModelAccessors.h"
#include "panel/ParameterSet.h"
#include "tests/framework/params/RecordingTweakBar.h"

namespace {

using thalorin::AnemoneModel;
using thalorin::ColorGradientEditor;
using Calls = std::vector<std::string>;

// Every value the panel binds, in one place.
struct AppValues {
    float textureAlpha = 0.8f;
    bool viewTexture = false, bumpMapping = true;
    std::vector<std::string> normalMapNames{"cells", "ridges", "scales"};
    int32_t normalMapSelection = 0;
    bool viewDepthTexture = false, viewNormalDepth = false;
    float ssao[6] = {0.7f, 0.38f, 0.3f, 0.002f, 0.0f, 0.03f};
    bool useSss = true;
    float sss[5] = {4, 9, 0.185f, 2, 0};
    reef::Color diffuse{0.85f, 0.63f, 0.51f};
    float k[3] = {0.5f, 0.05f, 0.0001f};
    float specScale = 0;
    bool viewCapsules = false, viewBloom = false, animation = true;
};

class ParameterSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        reef::app::WindowFormat format;
        format.setSize({875, 700});
        window_ = std::make_shared<reef::app::Window>(nullptr, format,
                                                      std::make_shared<reef::app::RendererGl>(0));
        panel_ = std::make_unique<reef::params::CallbackMenu>(
            window_, "Thalorin", reef::Vec2i(200, 650), reef::ColorA(0.3f, 0.3f, 0.3f, 0.4f));
        model_.rebuild();
        editor_ = std::make_unique<ColorGradientEditor>(*panel_, model_);
        recording::clear();
    }

    thalorin::ParameterTargets targets() {
        thalorin::ParameterTargets t;
        t.model = &model_;
        t.averageFps = [] { return 42.0f; };
        t.textureAlpha = &v_.textureAlpha;
        t.viewTexture = &v_.viewTexture;
        t.bumpMapping = &v_.bumpMapping;
        t.normalMapNames = &v_.normalMapNames;
        t.normalMapSelection = &v_.normalMapSelection;
        t.viewDepthTexture = &v_.viewDepthTexture;
        t.viewNormalDepth = &v_.viewNormalDepth;
        t.ssaoDarkness = &v_.ssao[0];
        t.ssaoTotStrength = &v_.ssao[1];
        t.ssaoStrength = &v_.ssao[2];
        t.ssaoOffset = &v_.ssao[3];
        t.ssaoFalloff = &v_.ssao[4];
        t.ssaoRad = &v_.ssao[5];
        t.useSss = &v_.useSss;
        t.sssPower = &v_.sss[0];
        t.sssScale = &v_.sss[1];
        t.sssDistortion = &v_.sss[2];
        t.sssAmbient = &v_.sss[3];
        t.sssShininess = &v_.sss[4];
        t.sssDiffuse = &v_.diffuse;
        t.kC = &v_.k[0];
        t.kL = &v_.k[1];
        t.kQ = &v_.k[2];
        t.specScale = &v_.specScale;
        t.viewCapsules = &v_.viewCapsules;
        t.viewBloom = &v_.viewBloom;
        t.animation = &v_.animation;
        t.addColor = [this] { editor_->addColor(); };
        t.removeColor = [this] { editor_->removeColor(); };
        return t;
    }

    // The entry calls only, without the window-context selections.
    static Calls entries() {
        Calls result;
        for (const std::string& call : recording::log().calls) {
            if (call.rfind("TwSetCurrentWindow", 0) != 0) {
                result.push_back(call);
            }
        }
        return result;
    }

    // The last accessor entry added, as its setter and getter.
    template <typename T>
    static void set(const T& value) {
        recording::log().lastSetter(&value, recording::log().lastClientData);
    }

    std::shared_ptr<reef::app::Window> window_;
    std::unique_ptr<reef::params::CallbackMenu> panel_;
    AnemoneModel model_;
    std::unique_ptr<ColorGradientEditor> editor_;
    AppValues v_;
};

TEST_F(ParameterSetTest, EntriesTopToBottom) {
    thalorin::setupParams(*panel_, targets());
    const Calls expected = {
        "TwAddSeparator(, )",
        "TwAddVarCB(FPS, 12, )",
        "TwAddSeparator(, )",
        "TwAddVarCB(r, 12, min=0 step=5)",
        "TwAddVarCB(R, 12, min=0.1 step=5)",
        "TwAddVarCB(H, 12, min=0.1 step=10)",
        "TwAddSeparator(, )",
        "TwAddVarCB(middle R, 12, min=0.1 step=5)",
        "TwAddVarCB(middle R H, 12, min=0.0 max=1.0 step=0.1)",
        "TwAddVarCB(vertical scale, 12, min=0.0 max=1.0 step=0.05)",
        "TwAddSeparator(, )",
        "TwAddVarCB(Radial segments, 10, min=1 step=10)",
        "TwAddVarCB(Height segments, 10, min=1 step=10)",
        "TwAddSeparator(, )",
        "TwAddVarCB(sole clamp, 12, min=0.0 max=1.0 step=0.1)",
        "TwAddVarCB(wave size, 12, min=0 step=0.02)",
        "TwAddVarCB(num waves, 10, min=0 max=20 step=1)",
        "TwAddSeparator(, )",
        "TwAddVarCB(Bend Angle, 12, min=0. max=180. step=1.)",
        "TwAddVarCB(Bend Axis, 21, opened=1)",
        "TwAddSeparator(, )",
        "TwAddVarCB(Hair in line, 10, min=0 step=1)",
        "TwAddVarCB(Number of lines, 10, min=0 max=20 step=1)",
        "TwAddVarCB(hair R, 12, min=0.1 step=1)",
        "TwAddVarCB(hair H, 12, min=0.1 step=1)",
        "TwAddVarCB(hair cylindrical, 1, )",
        "TwAddSeparator(, )",
        "TwAddVarRW(texture alpha, 12, min=0.01 max=1.0 step=0.05)",
        "TwAddVarRW(view texture, 1, )",
        "TwAddVarRW(bump mapping, 1, )",
        "TwDefineEnum(normal mapEnumType, 0=cells, 1=ridges, 2=scales)",
        "TwAddVarRW(normal map, 100, )",
        "TwAddSeparator(, )",
        "TwAddVarRW(view depth texture, 1, )",
        "TwAddVarRW(view normal depth, 1, )",
        "TwAddVarRW(SSAO darkness, 12, min=0.0 max=1.0 step=0.1)",
        "TwAddVarRW(SSAO totStrength, 12, min=0.0 max=1.0 step=0.01)",
        "TwAddVarRW(SSAO strength, 12, min=0.0 max=1.0 step=0.1)",
        "TwAddVarRW(SSAO offset, 12, min=0.0 max=1.0 step=0.001)",
        "TwAddVarRW(SSAO falloff, 12, min=0.0 max=1.0 step=0.1)",
        "TwAddVarRW(SSAO rad, 12, min=0.0 max=1.0 step=0.01)",
        "TwAddSeparator(, )",
        "TwAddVarRW(use SSS, 1, )",
        "TwAddVarRW(Power, 12, min=0.0 step=1.0)",
        "TwAddVarRW(Scale, 12, min=0.0 step=1.0)",
        "TwAddVarRW(Disortion, 12, min=0.0 max=1.0 step=0.005)",
        "TwAddVarRW(Ambient, 12, min=0.0 step=0.5)",
        "TwAddVarRW(Shininess, 12, min=0.0 step=10.0)",
        "TwAddVarRW(Diffuse, 15, )",
        "TwAddVarRW(KC, 12, min=0.0 max=1.0 step=0.1)",
        "TwAddVarRW(KL, 12, min=0.0 max=1.0 step=0.05)",
        "TwAddVarRW(KQ, 12, min=0.0 max=1.0 step=0.0001)",
        "TwAddVarRW(Spec scale, 12, min=0.0 max=30.0 step=0.1)",
        "TwAddSeparator(, )",
        "TwAddVarRW(view triangles, 1, )",
        "TwAddVarRW(view normals, 1, )",
        "TwAddVarRW(view model, 1, )",
        "TwAddVarRW(view hair, 1, )",
        "TwAddVarRW(view capsules, 1, )",
        "TwAddVarRW(view bloom, 1, )",
        "TwAddVarRW(animation, 1, )",
        "TwAddVarRW(normals lengths, 12, min=1 step=2)",
        "TwAddSeparator(, )",
        "TwAddButton(Add color, )",
        "TwAddButton(Remove color, )",
        "TwAddVarRW(Color0, 15, )",
        "TwAddVarRW(Color0 starts at, 12, min=0 max=1.0 step=0.05)",
        "TwAddVarRW(Color1, 15, )",
        "TwAddVarRW(Color1 starts at, 12, min=0 max=1.0 step=0.05)",
        "TwAddVarRW(Color2, 15, )",
        "TwAddVarRW(Color2 starts at, 12, min=0 max=1.0 step=0.05)",
        "TwAddVarRW(Color3, 15, )",
        "TwAddVarRW(Color3 starts at, 12, min=0 max=1.0 step=0.05)",
        "TwAddVarRW(Color4, 15, )",
        "TwAddVarRW(Color4 starts at, 12, min=0 max=1.0 step=0.05)",
        "TwAddVarRW(Color5, 15, )",
        "TwAddVarRW(Color5 starts at, 12, min=0 max=1.0 step=0.05)",
    };
    EXPECT_EQ(entries(), expected);
    const auto count = [&](const std::string& prefix) {
        return std::count_if(expected.begin(), expected.end(),
                             [&](const std::string& c) { return c.rfind(prefix, 0) == 0; });
    };
    EXPECT_EQ(count("TwAddSeparator"), 12);
    EXPECT_EQ(count("TwAddButton"), 2);
}

TEST_F(ParameterSetTest, GeometrySettersStoreAndRebuildEvenWithTheSameValue) {
    // A change made behind the model's back shows only after a rebuild.
    const size_t before = model_.getBodyMesh().getVertices().size();
    thalorin::addGeometryParam(*panel_, model_, "R", &AnemoneModel::bottomRadius, "");
    model_.radialSegments = 60;
    set(model_.bottomRadius);  // the value it already holds
    EXPECT_NE(model_.getBodyMesh().getVertices().size(), before);
    EXPECT_EQ(model_.bottomRadius, 100.0f);
}

TEST_F(ParameterSetTest, HairCylindricalToggledTwiceRebuildsFourTimes) {
    thalorin::addGeometryParam(*panel_, model_, "hair cylindrical", &AnemoneModel::hairCylindrical,
                               "");
    int rebuilds = 0;
    for (bool value : {true, false, true, false}) {
        model_.radialSegments += 1;  // observable only through a rebuild
        const size_t expected = size_t(model_.radialSegments + 1);
        set(value);
        EXPECT_EQ(model_.hairCylindrical, value);
        // Ring 0 is the first radialSegments + 1 vertices; the sole centre follows.
        if (model_.getBodyMesh().getVertices().size() > expected &&
            model_.getBodyMesh().getVertices()[expected] == reef::Vec3f(0, 0, 0)) {
            ++rebuilds;
        }
    }
    EXPECT_EQ(rebuilds, 4);
}

TEST_F(ParameterSetTest, BendAxisIsStoredAsDeliveredWithoutNormalising) {
    thalorin::addGeometryParam(*panel_, model_, "Bend Axis", &AnemoneModel::bendAxis, "opened=1");
    set(reef::Vec3f(0, 3, 4));
    EXPECT_EQ(model_.bendAxis, reef::Vec3f(0, 3, 4));
}

TEST_F(ParameterSetTest, FpsShowsTheMeasuredRateAndIgnoresEdits) {
    float fps = 0.0f;
    thalorin::addFpsParam(*panel_, [&] { return fps; });
    set(1000.0f);
    float shown = -1.0f;
    recording::log().lastGetter(&shown, recording::log().lastClientData);
    EXPECT_EQ(shown, 0.0f);
    fps = 59.5f;
    recording::log().lastGetter(&shown, recording::log().lastClientData);
    EXPECT_EQ(shown, 59.5f);
}

TEST_F(ParameterSetTest, AddAndRemoveColorRebindAndKeepAtLeastTwoStops) {
    editor_->addColor();
    ASSERT_EQ(model_.gradientColors.size(), 7u);
    EXPECT_EQ(model_.gradientColors[6], reef::Color(0, 0, 0));
    EXPECT_EQ(model_.gradientStarts[6], 1.0f);
    Calls calls = entries();
    // Six pairs removed (colour first), then seven pairs added.
    ASSERT_EQ(calls.size(), 12u + 14u);
    EXPECT_EQ(calls[0], "TwRemoveVar(Color0)");
    EXPECT_EQ(calls[1], "TwRemoveVar(Color0 starts at)");
    EXPECT_EQ(calls[11], "TwRemoveVar(Color5 starts at)");
    EXPECT_EQ(calls[12], "TwAddVarRW(Color0, 15, )");
    EXPECT_EQ(calls[24], "TwAddVarRW(Color6, 15, )");
    EXPECT_EQ(calls[25], "TwAddVarRW(Color6 starts at, 12, min=0 max=1.0 step=0.05)");

    recording::clear();
    editor_->removeColor();
    EXPECT_EQ(model_.gradientColors.size(), 6u);
    EXPECT_EQ(entries(), (Calls{"TwRemoveVar(Color6)", "TwRemoveVar(Color6 starts at)"}));

    for (int press = 0; press < 4; ++press) {
        editor_->removeColor();
    }
    EXPECT_EQ(model_.gradientColors.size(), 2u);
    EXPECT_EQ(model_.gradientStarts.size(), 2u);
    recording::clear();
    editor_->removeColor();  // a fifth press changes nothing
    EXPECT_EQ(model_.gradientColors.size(), 2u);
    EXPECT_TRUE(entries().empty());
}

}  // namespace
