// Makes the images of the asset directory: tiling normal maps for the bump
// shading and the random-vector image of the ambient-occlusion pass. Every
// image comes from a fixed seed and the tool's own uniform numbers; only the
// last bit of a libm sine or square root could move a pixel by one step on
// another platform. The outputs are committed, so the program never runs this.
//
// Usage: thalorin_make_assets <assets directory>
//
// [SECTION] Random numbers and periodic noise
// [SECTION] Height fields
// [SECTION] Images and PNG output
// [SECTION] Main

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

// ---------------------------------------------------------------------------
// [SECTION] Random numbers and periodic noise
// ---------------------------------------------------------------------------

// Uniform numbers in [0, 1) from the raw Mersenne Twister outputs; the
// standard distributions may differ between library implementations.
class Random {
public:
    explicit Random(uint32_t seed) : engine_(seed) {}
    double next() { return static_cast<double>(engine_() >> 8) / 16777216.0; }

private:
    std::mt19937 engine_;
};

double smooth(double t) {
    return t * t * t * (t * (t * 6 - 15) + 10);
}

// Gradient noise on a lattice of period x period cells, so that it tiles.
class TilingNoise {
public:
    TilingNoise(int period, uint32_t seed) : period_(period), angles_(period * period) {
        Random random(seed);
        for (double& angle : angles_) {
            angle = random.next() * 2 * kPi;
        }
    }

    // (u, v) in lattice cells; about -0.7 .. 0.7.
    double operator()(double u, double v) const {
        const double fu = std::floor(u);
        const double fv = std::floor(v);
        const int i = static_cast<int>(fu);
        const int j = static_cast<int>(fv);
        const double du = u - fu;
        const double dv = v - fv;
        const double a = corner(i, j, du, dv);
        const double b = corner(i + 1, j, du - 1, dv);
        const double c = corner(i, j + 1, du, dv - 1);
        const double d = corner(i + 1, j + 1, du - 1, dv - 1);
        const double su = smooth(du);
        const double sv = smooth(dv);
        return (a + (b - a) * su) + ((c + (d - c) * su) - (a + (b - a) * su)) * sv;
    }

private:
    double corner(int i, int j, double du, double dv) const {
        const int wi = ((i % period_) + period_) % period_;
        const int wj = ((j % period_) + period_) % period_;
        const double angle = angles_[static_cast<size_t>(wj) * period_ + wi];
        return std::cos(angle) * du + std::sin(angle) * dv;
    }

    int period_;
    std::vector<double> angles_;
};

// Distances to the nearest and second-nearest of one random point per cell,
// on a torus of cells x cells.
struct CellDistances {
    double nearest;
    double second;
};

class TilingCells {
public:
    TilingCells(int cells, uint32_t seed) : cells_(cells), points_(2 * cells * cells) {
        Random random(seed);
        for (double& p : points_) {
            p = 0.15 + 0.7 * random.next();  // keep points off the cell borders
        }
    }

    // (u, v) in cells.
    CellDistances operator()(double u, double v) const {
        const int ci = static_cast<int>(std::floor(u));
        const int cj = static_cast<int>(std::floor(v));
        CellDistances d{1e9, 1e9};
        for (int j = cj - 2; j <= cj + 2; ++j) {
            for (int i = ci - 2; i <= ci + 2; ++i) {
                const int wi = ((i % cells_) + cells_) % cells_;
                const int wj = ((j % cells_) + cells_) % cells_;
                const size_t k = 2 * (static_cast<size_t>(wj) * cells_ + wi);
                const double dx = i + points_[k] - u;
                const double dy = j + points_[k + 1] - v;
                const double dist = std::sqrt(dx * dx + dy * dy);
                if (dist < d.nearest) {
                    d.second = d.nearest;
                    d.nearest = dist;
                } else if (dist < d.second) {
                    d.second = dist;
                }
            }
        }
        return d;
    }

private:
    int cells_;
    std::vector<double> points_;
};

// ---------------------------------------------------------------------------
// [SECTION] Height fields
// ---------------------------------------------------------------------------

// A height per pixel, read with wrap-around so that derived normals tile too.
class HeightField {
public:
    HeightField(int size, const std::function<double(double, double)>& height)
        : size_(size), values_(static_cast<size_t>(size) * size) {
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                // Four samples per pixel, as fractions of the tile: smooths
                // the steps where one scale or cell meets another.
                double sum = 0;
                for (const double sy : {0.25, 0.75}) {
                    for (const double sx : {0.25, 0.75}) {
                        sum += height((x + sx) / size, (y + sy) / size);
                    }
                }
                values_[static_cast<size_t>(y) * size + x] = sum / 4;
            }
        }
    }

    double at(int x, int y) const {
        x = ((x % size_) + size_) % size_;
        y = ((y % size_) + size_) % size_;
        return values_[static_cast<size_t>(y) * size_ + x];
    }
    int size() const { return size_; }

private:
    int size_;
    std::vector<double> values_;
};

// Fine bumps: three octaves of gradient noise.
double bumpsHeight(const TilingNoise& coarse, const TilingNoise& fine, const TilingNoise& finest,
                   double u, double v) {
    return coarse(u * 8, v * 8) + 0.5 * fine(u * 16, v * 16) + 0.25 * finest(u * 32, v * 32);
}

// Cells: raised plates with grooves where two cells meet.
double cellsHeight(const TilingCells& cells, double u, double v) {
    const CellDistances d = cells(u * 8, v * 8);
    return std::min((d.second - d.nearest) * 4.0, 1.0);
}

// Ridges: parallel waves along v, warped by noise so that they meander.
double ridgesHeight(const TilingNoise& warp, double u, double v) {
    const double phase = 12 * u + 0.6 * warp(u * 4, v * 4);
    return 0.5 + 0.5 * std::sin(2 * kPi * phase);
}

// Scales: rows of round domes, each row offset by half a scale; a row
// overlaps the row above it and lies on top, so every scale shows a full lower
// edge and hides its upper part.
double scalesHeight(double u, double v) {
    constexpr int kColumns = 8;
    constexpr int kRows = 8;  // even, so the alternating offset tiles
    constexpr double kRadius = 0.7;
    const double x = u * kColumns;
    const double y = v * kRows;
    const int row = static_cast<int>(std::floor(y));
    // Lower rows (larger y) first: they lie on top.
    for (int r = row + 1; r >= row - 1; --r) {
        const double shift = (((r % 2) + 2) % 2) * 0.5;
        const double cy = r + 0.5;
        const double cx = std::floor(x - shift) + shift + 0.5;
        double best = -1;
        for (int c = -1; c <= 1; ++c) {
            const double dx = x - (cx + c);
            const double dy = y - cy;
            const double d = std::sqrt(dx * dx + dy * dy) / kRadius;
            if (d < 1) {
                best = std::max(best, std::sqrt(1 - d * d));
            }
        }
        if (best >= 0) {
            return best;
        }
    }
    return 0;
}

// ---------------------------------------------------------------------------
// [SECTION] Images and PNG output
// ---------------------------------------------------------------------------

struct RgbImage {
    int width;
    int height;
    std::vector<uint8_t> pixels;  // rgb, top row first
};

uint8_t encodeUnit(double c) {
    return static_cast<uint8_t>(std::lround(std::clamp(c * 0.5 + 0.5, 0.0, 1.0) * 255));
}

// Tangent-space normals of the height field: x to the right, y down the rows
// (the direction of growing v), z out of the surface; rgb = normal * 0.5 + 0.5.
RgbImage normalMap(const HeightField& field, double strength) {
    const int size = field.size();
    RgbImage image{size, size, std::vector<uint8_t>(static_cast<size_t>(size) * size * 3)};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double dx = (field.at(x + 1, y) - field.at(x - 1, y)) * 0.5 * strength;
            const double dy = (field.at(x, y + 1) - field.at(x, y - 1)) * 0.5 * strength;
            const double len = std::sqrt(dx * dx + dy * dy + 1);
            uint8_t* rgb = &image.pixels[(static_cast<size_t>(y) * size + x) * 3];
            rgb[0] = encodeUnit(-dx / len);
            rgb[1] = encodeUnit(-dy / len);
            rgb[2] = encodeUnit(1 / len);
        }
    }
    return image;
}

// Random unit vectors, uniform over the sphere.
RgbImage randomVectors(int size, uint32_t seed) {
    Random random(seed);
    RgbImage image{size, size, std::vector<uint8_t>(static_cast<size_t>(size) * size * 3)};
    for (size_t i = 0; i < image.pixels.size(); i += 3) {
        const double z = 2 * random.next() - 1;
        const double phi = 2 * kPi * random.next();
        const double r = std::sqrt(std::max(0.0, 1 - z * z));
        image.pixels[i] = encodeUnit(r * std::cos(phi));
        image.pixels[i + 1] = encodeUnit(r * std::sin(phi));
        image.pixels[i + 2] = encodeUnit(z);
    }
    return image;
}

// An 8-bit RGB PNG. Throws on any failure.
void writePng(const std::filesystem::path& path, const RgbImage& image) {
    FILE* file = std::fopen(path.string().c_str(), "wb");
    if (!file) {
        throw std::runtime_error("cannot create " + path.string());
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        throw std::runtime_error("cannot write " + path.string());
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y) {
        png_write_row(png, &image.pixels[static_cast<size_t>(y) * image.width * 3]);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fclose(file) != 0) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// [SECTION] Main
// ---------------------------------------------------------------------------

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " <assets directory>\n";
        return 2;
    }
    namespace fs = std::filesystem;
    const fs::path assets(argv[1]);
    try {
        const fs::path normalMaps = assets / "normalMaps";
        const fs::path noise = assets / "noise";
        fs::create_directories(normalMaps);
        fs::create_directories(noise);

        constexpr int kSize = 256;
        const TilingNoise coarse(8, 101), fine(16, 102), finest(32, 103);
        writePng(normalMaps / "bumps.png",
                 normalMap(HeightField(kSize,
                                       [&](double u, double v) {
                                           return bumpsHeight(coarse, fine, finest, u, v);
                                       }),
                           12));
        const TilingCells cells(8, 201);
        writePng(normalMaps / "cells.png",
                 normalMap(HeightField(
                               kSize, [&](double u, double v) { return cellsHeight(cells, u, v); }),
                           12));
        const TilingNoise warp(4, 301);
        writePng(normalMaps / "ridges.png",
                 normalMap(HeightField(
                               kSize, [&](double u, double v) { return ridgesHeight(warp, u, v); }),
                           6));
        writePng(
            normalMaps / "scales.png",
            normalMap(HeightField(kSize, [](double u, double v) { return scalesHeight(u, v); }),
                      10));

        writePng(noise / "random.png", randomVectors(64, 401));
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    return 0;
}
