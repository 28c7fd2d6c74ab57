#pragma once
// Saves the GL state the bar drawing touches and gives the drawing a clean
// fixed-function start (no program, no buffers bound, texture unit 0, identity
// texture matrix, no fog, alpha test or texture generation); the destructor
// puts everything back. Needs a current OpenGL 2.x compatibility context.

namespace tweakbar {

class GlStateGuard {
public:
    GlStateGuard();
    ~GlStateGuard();
    GlStateGuard(const GlStateGuard&) = delete;
    GlStateGuard& operator=(const GlStateGuard&) = delete;

private:
    bool pixelBuffers_;
    int program_ = 0;
    int activeTexture_ = 0;
    int clientActiveTexture_ = 0;
    int arrayBuffer_ = 0;
    int elementBuffer_ = 0;
    int pixelUnpackBuffer_ = 0;
    int matrixMode_ = 0;
    int texture2d_ = 0;
};

}  // namespace tweakbar
