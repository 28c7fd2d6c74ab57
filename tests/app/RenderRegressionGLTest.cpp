// Reference views of the real program at its window size, rendered with a
// fixed frame time. A view fails when more than 0.3% of its pixels differ by
// more than 4/255 in a channel, or any pixel by more than 32/255 (llvmpipe
// builds may round a few edge pixels differently). A failure writes the
// actual frame and a difference image into the test's output folder.
// THALORIN_UPDATE_REFERENCES=1 rewrites the references instead
// (scripts/update-references.sh); look at every one you commit.
//
// Besides the pictures, every frame of every run must leave no GL error and
// no high-severity driver message.

#include <epoxy/gl.h>
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "tests/app/FixedStepHarness.h"
#include "tests/app/ThalorinAppProbe.h"

namespace {

using Kind = reef::platform::Message::Kind;

constexpr int kWidth = 875;
constexpr int kHeight = 700;
constexpr int kWarmUpFrames = 30;

struct View {
    const char* name;
    std::function<void(FixedStepHarness&, ThalorinAppProbe&)> apply;
    std::function<void(FixedStepHarness&, ThalorinAppProbe&)> revert;
    int settleFrames = 0;  // frames between apply and capture
    // Runs two frames after apply, when settleFrames allows.
    std::function<void(FixedStepHarness&, ThalorinAppProbe&)> later = nullptr;
};

void rebuild(ThalorinAppProbe& p) {
    p.model().rebuild();
}

std::vector<View> views() {
    std::vector<View> list = {
        {"defaults", nullptr, nullptr},
        {"sss-off", [](auto&, auto& p) { p.useSss() = false; },
         [](auto&, auto& p) { p.useSss() = true; }},
        {"bump-mapping-off", [](auto&, auto& p) { p.useSss() = false, p.bumpMapping() = false; },
         [](auto&, auto& p) { p.useSss() = true, p.bumpMapping() = true; }},
        {"view-bloom", [](auto&, auto& p) { p.viewBloom() = true; },
         [](auto&, auto& p) { p.viewBloom() = false; }},
        {"view-depth-texture", [](auto&, auto& p) { p.viewDepthTexture() = true; },
         [](auto&, auto& p) { p.viewDepthTexture() = false; }},
        {"view-normal-depth", [](auto&, auto& p) { p.viewNormalDepth() = true; },
         [](auto&, auto& p) { p.viewNormalDepth() = false; }},
        {"view-triangles", [](auto&, auto& p) { p.model().viewTriangles = true; },
         [](auto&, auto& p) { p.model().viewTriangles = false; }},
        {"view-normals", [](auto&, auto& p) { p.model().viewNormals = true; },
         [](auto&, auto& p) { p.model().viewNormals = false; }},
        {"view-capsules",
         [](auto&, auto& p) { p.viewCapsules() = true, p.model().viewHair = false; },
         [](auto&, auto& p) { p.viewCapsules() = false, p.model().viewHair = true; }},
        {"bent-cylindrical",
         [](auto&, auto& p) {
             p.model().bendAngle = 60, p.model().hairCylindrical = true;
             rebuild(p);
         },
         [](auto&, auto& p) {
             p.model().bendAngle = 0, p.model().hairCylindrical = false;
             rebuild(p);
         },
         10},
        {"ball-among-tentacles", [](auto&, auto& p) { p.model().physicsWorld.throwBall(); },
         nullptr, 18},
        // The new stop's entries are at the bottom: scroll the panel there once
        // they exist.
        {"panel-after-add-color", [](auto&, auto& p) { p.addColor(); }, nullptr, 4,
         [](FixedStepHarness& h, auto&) {
             auto move = h.messageFor(Kind::MouseMove);
             move.position = {100, 300};
             h.send(move);
             auto wheel = h.messageFor(Kind::Wheel);
             wheel.position = {100, 300};
             wheel.wheelDelta = -120.0f * 40;
             h.send(wheel);
         }},
    };
    for (const char* map : {"bumps", "cells", "ridges", "scales"}) {
        list.push_back({map,
                        [map](auto&, auto& p) {
                            p.useSss() = false;
                            const auto& names = p.normalMapNames();
                            p.normalMapSelection() =
                                int32_t(std::find(names.begin(), names.end(), map) - names.begin());
                        },
                        [](auto&, auto& p) { p.useSss() = true, p.normalMapSelection() = 0; }, 1});
        list.back().name = map;
    }
    return list;
}

std::string referencePath(const std::string& name) {
    return std::string(THALORIN_REFERENCE_DIR) + "/" + name + ".png";
}

bool writePng(const std::string& path, const Frame& frame) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(frame.width);
    image.height = png_uint_32(frame.height);
    image.format = PNG_FORMAT_RGBA;
    return png_image_write_to_file(&image, path.c_str(), 0, frame.rgba.data(), 0, nullptr) != 0;
}

bool readPng(const std::string& path, Frame* frame) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        return false;
    }
    image.format = PNG_FORMAT_RGBA;
    frame->width = int(image.width);
    frame->height = int(image.height);
    frame->rgba.resize(PNG_IMAGE_SIZE(image));
    return png_image_finish_read(&image, nullptr, frame->rgba.data(), 0, nullptr) != 0;
}

struct Comparison {
    size_t differing = 0;  // pixels off by more than 4/255 in a channel
    int largest = 0;       // largest channel difference
    Frame difference;      // |actual - reference| scaled up for viewing
};

Comparison compare(const Frame& actual, const Frame& reference) {
    Comparison c;
    c.difference = actual;
    for (size_t i = 0; i < actual.rgba.size(); i += 4) {
        int worst = 0;
        for (size_t k = 0; k < 3; ++k) {
            worst = std::max(worst, std::abs(int(actual.rgba[i + k]) - int(reference.rgba[i + k])));
        }
        c.largest = std::max(c.largest, worst);
        c.differing += worst > 4 ? 1 : 0;
        const auto shown = static_cast<unsigned char>(std::min(255, worst * 8));
        c.difference.rgba[i] = c.difference.rgba[i + 1] = c.difference.rgba[i + 2] = shown;
        c.difference.rgba[i + 3] = 255;
    }
    return c;
}

TEST(RenderRegression, ReferenceViewsMatch) {
    const bool update = std::getenv("THALORIN_UPDATE_REFERENCES") != nullptr;
    const std::vector<View> list = views();
    // Each view: apply before the update of its first frame, capture after the
    // draw of its last, revert before the next view starts.
    struct Slot {
        int applyFrame, captureFrame;
    };
    std::vector<Slot> slots;
    int next = kWarmUpFrames;
    for (const View& v : list) {
        slots.push_back({next, next + v.settleFrames});
        next += v.settleFrames + 1;
    }
    std::vector<Frame> captured(list.size());
    FixedStepHarness::run(
        next,
        [&](FixedStepHarness& h, int frame) {
            ThalorinAppProbe probe(h);
            for (size_t i = 0; i < list.size(); ++i) {
                if (slots[i].applyFrame == frame && list[i].apply) {
                    list[i].apply(h, probe);
                }
                if (slots[i].applyFrame + 2 == frame && list[i].later) {
                    list[i].later(h, probe);
                }
            }
        },
        [&](FixedStepHarness& h, int frame) {
            ThalorinAppProbe probe(h);
            for (size_t i = 0; i < list.size(); ++i) {
                if (slots[i].captureFrame == frame) {
                    captured[i] = readFrame(kWidth, kHeight);
                    if (list[i].revert) {
                        list[i].revert(h, probe);
                    }
                }
            }
        });
    EXPECT_TRUE(FixedStepHarness::highSeverityMessages().empty())
        << FixedStepHarness::highSeverityMessages().front();

    for (size_t i = 0; i < list.size(); ++i) {
        SCOPED_TRACE(list[i].name);
        const Frame& actual = captured[i];
        ASSERT_EQ(actual.rgba.size(), size_t(kWidth) * kHeight * 4);
        if (update) {
            EXPECT_TRUE(writePng(referencePath(list[i].name), actual));
            continue;
        }
        Frame reference;
        ASSERT_TRUE(readPng(referencePath(list[i].name), &reference))
            << "missing reference " << referencePath(list[i].name)
            << " (scripts/update-references.sh makes it)";
        ASSERT_EQ(reference.width, kWidth);
        ASSERT_EQ(reference.height, kHeight);
        const Comparison c = compare(actual, reference);
        const size_t allowed = size_t(kWidth) * kHeight * 3 / 1000;
        const bool ok = c.differing <= allowed && c.largest <= 32;
        if (!ok) {
            const std::string base = std::string(THALORIN_OUTPUT_DIR) + "/" + list[i].name;
            writePng(base + "-actual.png", actual);
            writePng(base + "-difference.png", c.difference);
        }
        EXPECT_TRUE(ok) << c.differing << " pixels differ by more than 4/255 (allowed " << allowed
                        << "), the largest difference is " << c.largest << "/255; see "
                        << THALORIN_OUTPUT_DIR;
    }
}

// Every switch toggled twice, every shape entry changed, colours added and
// removed, three window sizes and full screen: no GL error after any frame and
// no high-severity driver message.
TEST(GlErrors, ScriptedSessionLeavesNoErrors) {
    using Toggle = std::function<bool&(ThalorinAppProbe&)>;
    const std::vector<Toggle> toggles = {
        [](auto& p) -> bool& { return p.useSss(); },
        [](auto& p) -> bool& { return p.viewBloom(); },
        [](auto& p) -> bool& { return p.viewDepthTexture(); },
        [](auto& p) -> bool& { return p.viewNormalDepth(); },
        [](auto& p) -> bool& { return p.viewTexture(); },
        [](auto& p) -> bool& { return p.viewCapsules(); },
        [](auto& p) -> bool& { return p.bumpMapping(); },
        [](auto& p) -> bool& { return p.animation(); },
        [](auto& p) -> bool& { return p.model().viewTriangles; },
        [](auto& p) -> bool& { return p.model().viewNormals; },
        [](auto& p) -> bool& { return p.model().viewModel; },
        [](auto& p) -> bool& { return p.model().viewHair; },
        [](auto& p) -> bool& { return p.model().hairCylindrical; },
    };
    using Change = std::function<void(thalorin::AnemoneModel&)>;
    const std::vector<Change> shapes = {
        [](auto& m) { m.topRadius = 50; },
        [](auto& m) { m.bottomRadius = 140; },
        [](auto& m) { m.bodyHeight = 120; },
        [](auto& m) { m.middleRadius = 30; },
        [](auto& m) { m.middleHeight = 0.3f; },
        [](auto& m) { m.capScale = 0.6f; },
        [](auto& m) { m.radialSegments = 12; },
        [](auto& m) { m.heightSegments = 7; },
        [](auto& m) { m.soleClamp = 0.6f; },
        [](auto& m) { m.waveSize = 0.5f; },
        [](auto& m) { m.numWaves = 3; },
        [](auto& m) { m.bendAngle = 120; },
        [](auto& m) { m.bendAxis = reef::Vec3f(1, 0, 1); },
        [](auto& m) { m.hairInLine = 7; },
        [](auto& m) { m.numberOfLines = 2; },
        [](auto& m) { m.hairRadius = 2; },
        [](auto& m) { m.hairHeight = 3; },
    };
    const std::vector<reef::Vec2i> sizes = {{640, 480}, {320, 200}, {1000, 300}};
    int next = 2;
    std::vector<std::function<void(FixedStepHarness&, ThalorinAppProbe&)>> script;
    for (const Toggle& t : toggles) {
        for (int i = 0; i < 4; ++i) {  // on/off twice
            script.push_back([t](auto&, auto& p) { t(p) = !t(p); });
        }
    }
    for (const Change& c : shapes) {
        script.push_back([c](auto&, auto& p) {
            c(p.model());
            p.model().rebuild();
        });
    }
    for (int i = 0; i < 3; ++i) {
        script.push_back([](auto&, auto& p) { p.addColor(); });
    }
    for (int i = 0; i < 6; ++i) {
        script.push_back([](auto&, auto& p) { p.removeColor(); });
    }
    for (const reef::Vec2i& size : sizes) {
        script.push_back([size](FixedStepHarness& h, auto&) {
            auto m = h.messageFor(Kind::Resized);
            m.size = size;
            h.send(m);
        });
    }
    script.push_back([](FixedStepHarness& h, auto&) { h.getWindow()->setFullScreen(true); });
    script.push_back([](FixedStepHarness& h, auto&) { h.getWindow()->setFullScreen(false); });

    FixedStepHarness::run(next + int(script.size()) + 2, [&](FixedStepHarness& h, int frame) {
        const int step = frame - next;
        if (step >= 0 && step < int(script.size())) {
            ThalorinAppProbe probe(h);
            script[size_t(step)](h, probe);
        }
    });
    EXPECT_TRUE(FixedStepHarness::highSeverityMessages().empty())
        << FixedStepHarness::highSeverityMessages().front();
}

}  // namespace
