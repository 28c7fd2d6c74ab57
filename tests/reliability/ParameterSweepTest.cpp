// Shape sweep: seeded random values for the eighteen geometry entries, and
// targeted 0, negative, huge, NaN and infinite ones, each delivered through the
// panel's own store-and-rebuild setters, then 600 frames of animation at
// 60 fps with the ball thrown through the tentacles. No GL needed.
//
// The short form (CI) runs 30 random sets, and the targeted ones for 60
// frames; THALORIN_LONG_TESTS=1 runs 1 000 random sets and every set for 600
// frames. Sets near the caps (hundreds of tentacles, or a million vertices)
// take up to half a second a frame, so the short form runs those for 20.
//
// [SECTION] The geometry entries and the ranges they are swept over
// [SECTION] Random sets
// [SECTION] Targeted sets
// [SECTION] Running a set

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "model/AnemoneModel.h"
#include "panel/ModelAccessors.h"
#include "tests/reliability/LongTests.h"
#include "tests/reliability/ModelChecks.h"

namespace thalorin {
namespace {

using reef::Vec3f;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kHuge = std::numeric_limits<float>::max();
constexpr int32_t kIntMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kIntMax = std::numeric_limits<int32_t>::max();

// [SECTION] The geometry entries and the ranges they are swept over

// Twice the panel's range, negative values down to minus that; where the panel
// sets no maximum, twice a large sensible value stands in for it.
struct FloatEntry {
    const char* label;
    float AnemoneModel::*member;
    float limit;  // values are drawn from [-limit, limit]
};
struct IntEntry {
    const char* label;
    int32_t AnemoneModel::*member;
    int32_t limit;
};

const FloatEntry kFloatEntries[] = {
    {"r", &AnemoneModel::topRadius, 1000},  // no maximum: 500 is a large top
    {"R", &AnemoneModel::bottomRadius, 1000},
    {"H", &AnemoneModel::bodyHeight, 2000},  // 1000 is a tall body
    {"middle R", &AnemoneModel::middleRadius, 1000},
    {"middle R H", &AnemoneModel::middleHeight, 2},  // 0..1
    {"vertical scale", &AnemoneModel::capScale, 2},  // 0..1
    {"sole clamp", &AnemoneModel::soleClamp, 2},     // 0..1
    {"wave size", &AnemoneModel::waveSize, 2},       // no maximum: 1 doubles the sole
    {"Bend Angle", &AnemoneModel::bendAngle, 360},   // 0..180
    {"hair R", &AnemoneModel::hairRadius, 100},      // no maximum: 50 is a fat tentacle
    {"hair H", &AnemoneModel::hairHeight, 200},      // no maximum: 100 is a long link
};
// The counts multiply into the amount of geometry and physics, so their sizes
// are drawn log-uniformly (every order of magnitude as often); a uniform draw
// would spend nearly every set at the caps.
const IntEntry kIntEntries[] = {
    {"Radial segments", &AnemoneModel::radialSegments, 400},  // no maximum: 200 is fine
    {"Height segments", &AnemoneModel::heightSegments, 200},  // no maximum: 100 is fine
    {"num waves", &AnemoneModel::numWaves, 40},               // 0..20
    {"Hair in line", &AnemoneModel::hairInLine, 200},         // no maximum: 100 is dense
    {"Number of lines", &AnemoneModel::numberOfLines, 40},    // 0..20
};

const FloatEntry* floatEntry(const std::string& label) {
    for (const FloatEntry& entry : kFloatEntries) {
        if (label == entry.label) {
            return &entry;
        }
    }
    ADD_FAILURE() << "no entry " << label;
    return &kFloatEntries[0];
}

// One set: values for some or all of the entries, delivered floats first, then
// counts, the bend axis and the tube kind.
struct ShapeSet {
    std::string name;
    std::vector<std::pair<const FloatEntry*, float>> floats;
    std::vector<std::pair<const IntEntry*, int32_t>> ints;
    bool setAxis = false;
    Vec3f axis;
    bool setCylindrical = false;
    bool cylindrical = false;

    std::string describe() const {
        std::ostringstream out;
        out << name << ":";
        for (const auto& [entry, value] : floats) {
            out << " \"" << entry->label << "\" " << value;
        }
        for (const auto& [entry, value] : ints) {
            out << " \"" << entry->label << "\" " << value;
        }
        if (setAxis) {
            out << " \"Bend Axis\" (" << axis.x << ", " << axis.y << ", " << axis.z << ")";
        }
        if (setCylindrical) {
            out << " \"hair cylindrical\" " << cylindrical;
        }
        return out.str();
    }
};

// Delivers every value through the setter the panel binds to its entry.
void deliver(AnemoneModel& model, const ShapeSet& set) {
    for (const auto& [entry, value] : set.floats) {
        geometrySetter(model, entry->member)(value);
    }
    for (const auto& [entry, value] : set.ints) {
        geometrySetter(model, entry->member)(value);
    }
    if (set.setAxis) {
        geometrySetter(model, &AnemoneModel::bendAxis)(set.axis);
    }
    if (set.setCylindrical) {
        geometrySetter(model, &AnemoneModel::hairCylindrical)(set.cylindrical);
    }
}

// [SECTION] Random sets

// Uniform in [0, 1) from the generator's raw output, which (unlike the
// standard distributions) is the same on every standard library.
double unit(std::mt19937& random) {
    return static_cast<double>(random()) / 4294967296.0;
}

ShapeSet randomSet(uint32_t seed) {
    std::mt19937 random(seed);
    ShapeSet set;
    set.name = "seed " + std::to_string(seed);
    for (const FloatEntry& entry : kFloatEntries) {
        set.floats.emplace_back(&entry,
                                static_cast<float>((unit(random) * 2.0 - 1.0) * entry.limit));
    }
    for (const IntEntry& entry : kIntEntries) {
        // |value| + 1 log-uniform in [1, limit + 1]; a quarter of them negative.
        const double magnitude = std::exp(unit(random) * std::log(entry.limit + 1.0)) - 1.0;
        const int32_t value = static_cast<int32_t>(std::lround(magnitude));
        set.ints.emplace_back(&entry, unit(random) < 0.25 ? -value : value);
    }
    set.setAxis = true;
    set.axis = Vec3f(static_cast<float>(unit(random) * 4.0 - 2.0),
                     static_cast<float>(unit(random) * 4.0 - 2.0),
                     static_cast<float>(unit(random) * 4.0 - 2.0));
    set.setCylindrical = true;
    set.cylindrical = unit(random) < 0.5;
    return set;
}

// [SECTION] Targeted sets

std::vector<ShapeSet> targetedSets() {
    std::vector<ShapeSet> sets;
    const float floatValues[] = {0.0f, -1.0f, -kHuge, kHuge, kNaN, kInf, -kInf};
    const char* floatNames[] = {"0", "-1", "-max", "max", "NaN", "inf", "-inf"};
    for (size_t v = 0; v < std::size(floatValues); ++v) {
        for (const FloatEntry& entry : kFloatEntries) {
            ShapeSet set;
            set.name = std::string(entry.label) + " " + floatNames[v];
            set.floats.emplace_back(&entry, floatValues[v]);
            sets.push_back(set);
        }
        ShapeSet all;
        all.name = std::string("every value ") + floatNames[v];
        for (const FloatEntry& entry : kFloatEntries) {
            all.floats.emplace_back(&entry, floatValues[v]);
        }
        all.setAxis = true;
        all.axis = Vec3f(floatValues[v], floatValues[v], floatValues[v]);
        sets.push_back(all);
    }
    const int32_t intValues[] = {0, -1, kIntMin, kIntMax};
    const char* intNames[] = {"0", "-1", "min", "max"};
    for (size_t v = 0; v < std::size(intValues); ++v) {
        for (const IntEntry& entry : kIntEntries) {
            ShapeSet set;
            set.name = std::string(entry.label) + " " + intNames[v];
            set.ints.emplace_back(&entry, intValues[v]);
            sets.push_back(set);
        }
        ShapeSet all;
        all.name = std::string("every count ") + intNames[v];
        for (const IntEntry& entry : kIntEntries) {
            all.ints.emplace_back(&entry, intValues[v]);
        }
        sets.push_back(all);
    }
    const Vec3f axes[] = {{0, 0, 0}, {kNaN, 0, 1}, {kInf, 0, 0}, {-kHuge, kHuge, kHuge}};
    for (const Vec3f& axis : axes) {
        ShapeSet set;
        set.name = "bent about an odd axis";
        set.floats.emplace_back(floatEntry("Bend Angle"), 90.0f);
        set.setAxis = true;
        set.axis = axis;
        sets.push_back(set);
    }
    const float capsules[][2] = {{-5, 10}, {5, -10}, {-5, -10}, {0, 0}, {100, -200}};
    for (const auto& capsule : capsules) {
        ShapeSet set;
        set.name = "capsules of odd size";
        set.floats = {{floatEntry("hair R"), capsule[0]}, {floatEntry("hair H"), capsule[1]}};
        sets.push_back(set);
    }
    ShapeSet cylindrical;
    cylindrical.name = "cylindrical at the minima";
    cylindrical.setCylindrical = true;
    cylindrical.cylindrical = true;
    cylindrical.floats = {{floatEntry("hair R"), 0.1f}, {floatEntry("hair H"), 0.1f}};
    sets.push_back(cylindrical);
    return sets;
}

// [SECTION] Running a set

// Kinetic energy only enters the world through gravity, the current, the
// throw, and the joints' and contacts' correction of overlaps. The ball is
// thrown at 100 units/s every three seconds and falls meanwhile at 25 units/s^2,
// so it moves at most 100 + 25 x 3 = 175 units/s: 3.1e7 at mass 2000. A link
// (mass 5, linear damping 1, so it keeps no speed of its own from step to
// step) is struck by the ball at up to twice the ball's speed, and the joints
// pull it back by a share (0.3) of its error per 1/60 s step; the bound lets
// it move its whole capsule length, plus the joints' 2-unit gap, every step
// on top. Capsules that overlap at rest (fat tentacles on a crowded dome)
// boil at a few hundred to a few thousand units per second; a blown-up solve
// passes any such bound within a few steps.
double energyBound(const AnemoneModel& model) {
    const double ballSpeed = 100.0 + 25.0 * 3.0;
    const double capsule = 2.0 * std::fabs(model.hairRadius) + std::fabs(model.hairHeight) + 2.0;
    const double linkSpeed = 2.0 * ballSpeed + 60.0 * capsule;
    const double links = 4.0 * static_cast<double>(model.getTentacleChains().size());
    return 0.5 * 2000.0 * ballSpeed * ballSpeed + links * 0.5 * 5.0 * linkSpeed * linkSpeed;
}

// Chains that blow up are put back at rest by the next update; one that did so
// every frame would hang frozen. A moving link never sleeps (the current pushes
// it every frame) and the library switches no body off.
testing::AssertionResult chainsSoundAndAwake(const AnemoneModel& model) {
    const auto& chains = model.getTentacleChains();
    for (size_t c = 0; c < chains.size(); ++c) {
        if (!chains[c].isSound()) {
            return testing::AssertionFailure() << "chain " << c << " blew up";
        }
        for (size_t k = 1; k < chains[c].linkCount(); ++k) {
            if (chains[c].getLink(k).getActivationState() == ISLAND_SLEEPING) {
                return testing::AssertionFailure() << "chain " << c << " link " << k << " sleeps";
            }
        }
    }
    return noBodyDisabled(model);
}

struct RunFigures {
    double maxEnergy = 0;
    size_t maxVertices = 0;
    size_t maxTentacles = 0;
    size_t frames = 0;
    double slowestSeconds = 0;
    std::string slowestSet;
};

// Delivers the set to a fresh model and animates it; throws the ball on the
// first frame and every three seconds (180 frames).
void runSet(const ShapeSet& set, int shortFrames, RunFigures& figures) {
    SCOPED_TRACE(set.describe());
    AnemoneModel model;
    model.rebuild();
    deliver(model, set);
    ASSERT_TRUE(modelFinite(model)) << "after the rebuild";
    const size_t vertices = model.bodyVertexCount() + model.tentacleVertexCount();
    const size_t tentacles = model.getTentacleChains().size();
    figures.maxVertices = std::max(figures.maxVertices, vertices);
    figures.maxTentacles = std::max(figures.maxTentacles, tentacles);
    // The caps' largest models take up to half a second a frame.
    const bool heavy = tentacles > 300 || vertices > 500000;
    const int frames = longTests() ? 600 : heavy ? 20 : shortFrames;
    figures.frames += static_cast<size_t>(frames);

    const double bound = energyBound(model);
    double largestEnergy = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int frame = 1; frame <= frames; ++frame) {
        if (frame % 180 == 1) {
            model.physicsWorld.throwBall();
        }
        model.update(static_cast<float>(frame) / 60.0f);
        ASSERT_TRUE(modelFinite(model)) << "frame " << frame;
        ASSERT_TRUE(chainsSoundAndAwake(model)) << "frame " << frame;
        const double energy = kineticEnergy(model);
        largestEnergy = std::max(largestEnergy, energy);
        ASSERT_LE(energy, bound) << "frame " << frame;
    }
    figures.maxEnergy = std::max(figures.maxEnergy, largestEnergy);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (seconds > figures.slowestSeconds) {
        figures.slowestSeconds = seconds;
        figures.slowestSet = set.name;
    }
    if (longTests()) {
        // Progress through a run of hours.
        std::printf("%s: %zu tentacles, %zu vertices, %d frames in %.1f s, energy up to %.3g\n",
                    set.name.c_str(), tentacles, vertices, frames, seconds, largestEnergy);
        std::fflush(stdout);
    }
}

void report(const char* what, size_t sets, const RunFigures& figures,
            std::chrono::steady_clock::duration elapsed) {
    const double seconds = std::chrono::duration<double>(elapsed).count();
    std::printf(
        "%s: %zu sets, %zu frames in %.1f s (slowest: %s, %.1f s); largest kinetic "
        "energy %.3g; up to %zu vertices and %zu tentacles\n",
        what, sets, figures.frames, seconds, figures.slowestSet.c_str(), figures.slowestSeconds,
        figures.maxEnergy, figures.maxVertices, figures.maxTentacles);
}

TEST(ParameterSweep, RandomShapesStayFiniteAndBounded) {
    const uint32_t count = longTests() ? 1000 : 30;
    RunFigures figures;
    const auto start = std::chrono::steady_clock::now();
    for (uint32_t seed = 1; seed <= count; ++seed) {
        runSet(randomSet(seed), 600, figures);
        if (HasFatalFailure()) {
            return;
        }
    }
    report("random", count, figures, std::chrono::steady_clock::now() - start);
}

TEST(ParameterSweep, TargetedValuesStayFiniteAndBounded) {
    RunFigures figures;
    const auto start = std::chrono::steady_clock::now();
    const std::vector<ShapeSet> sets = targetedSets();
    for (const ShapeSet& set : sets) {
        runSet(set, 60, figures);
        if (HasFatalFailure()) {
            return;
        }
    }
    report("targeted", sets.size(), figures, std::chrono::steady_clock::now() - start);
}

}  // namespace
}  // namespace thalorin
