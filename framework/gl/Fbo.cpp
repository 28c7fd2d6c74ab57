#include "framework/gl/Fbo.h"

#include <algorithm>
#include <cassert>
#include <vector>

#include "framework/gl/Extensions.h"
#include "framework/gl/FboException.h"
#include "framework/gl/Renderbuffer.h"

namespace reef::gl {

namespace {

struct FboState {
    FboState() = default;
    FboState(const FboState&) = delete;
    FboState& operator=(const FboState&) = delete;
    ~FboState() {
        if (id != 0) {
            glDeleteFramebuffersEXT(1, &id);
        }
        if (resolveId != 0) {
            glDeleteFramebuffersEXT(1, &resolveId);
        }
    }

    int width = 0;
    int height = 0;
    Fbo::Format format;
    GLuint id = 0;
    GLuint resolveId = 0;  // 0 unless multisampled
    std::vector<Renderbuffer> multisampleColorRenderbuffers;
    Renderbuffer multisampleDepthRenderbuffer;
    std::vector<Texture> colorTextures;
    Texture depthTexture;
    Renderbuffer depthRenderbuffer;  // only when the depth buffer is not a texture
    bool needsResolve = false;
};

// Rebinds the framebuffer bound at construction, on success and on throw.
class FramebufferBindingGuard {
public:
    FramebufferBindingGuard() { glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &previous_); }
    ~FramebufferBindingGuard() {
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, static_cast<GLuint>(previous_));
    }
    FramebufferBindingGuard(const FramebufferBindingGuard&) = delete;
    FramebufferBindingGuard& operator=(const FramebufferBindingGuard&) = delete;

private:
    GLint previous_ = 0;
};

// Null when the bound framebuffer is complete, otherwise why it is not.
const char* incompleteReason() {
    switch (glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT)) {
        case GL_FRAMEBUFFER_COMPLETE_EXT:
            return nullptr;
        case GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT_EXT:
            return "Framebuffer incomplete: duplicate attachment";
        case GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT_EXT:
            return "Framebuffer incomplete: missing attachment";
        case GL_FRAMEBUFFER_INCOMPLETE_DIMENSIONS_EXT:
            return "Framebuffer incomplete: attached images must have same dimensions";
        case GL_FRAMEBUFFER_INCOMPLETE_FORMATS_EXT:
            return "Framebuffer incomplete: attached images must have same format";
        case GL_FRAMEBUFFER_INCOMPLETE_DRAW_BUFFER_EXT:
            return "Framebuffer incomplete: missing draw buffer";
        case GL_FRAMEBUFFER_INCOMPLETE_READ_BUFFER_EXT:
            return "Framebuffer incomplete: missing read buffer";
        case GL_FRAMEBUFFER_UNSUPPORTED_EXT:
            return "Unsupported framebuffer format";
        default:
            return "Framebuffer invalid: unknown reason";
    }
}

std::vector<GLenum> colorAttachments(int count) {
    std::vector<GLenum> attachments;
    for (int i = 0; i < count; ++i) {
        attachments.push_back(GL_COLOR_ATTACHMENT0_EXT + i);
    }
    return attachments;
}

void setDrawBuffers(const std::vector<GLenum>& attachments) {
    if (!attachments.empty()) {
        glDrawBuffers(static_cast<GLsizei>(attachments.size()), attachments.data());
    }
}

void attachColorTextures(const std::vector<Texture>& textures) {
    for (size_t i = 0; i < textures.size(); ++i) {
        glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT + GLenum(i),
                                  textures[i].getTarget(), textures[i].getId(), 0);
    }
    setDrawBuffers(colorAttachments(static_cast<int>(textures.size())));
}

// Multisampled renderbuffers on the main framebuffer, resolved into the
// textures attached to a second one. False when either is incomplete.
bool setUpMultisample(FboState& obj) {
    glGenFramebuffersEXT(1, &obj.resolveId);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, obj.resolveId);
    attachColorTextures(obj.colorTextures);
    if (incompleteReason() != nullptr) {
        return false;
    }

    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, obj.id);
    obj.format.samples = std::min(obj.format.samples, Fbo::getMaxSamples());
    for (int i = 0; i < obj.format.numColorBuffers; ++i) {
        obj.multisampleColorRenderbuffers.emplace_back(
            obj.width, obj.height, obj.format.colorInternalFormat, obj.format.samples);
        glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT + i,
                                     GL_RENDERBUFFER_EXT,
                                     obj.multisampleColorRenderbuffers.back().getId());
    }
    setDrawBuffers(colorAttachments(obj.format.numColorBuffers));
    if (obj.format.depthBuffer) {
        obj.multisampleDepthRenderbuffer =
            Renderbuffer(obj.width, obj.height, obj.format.depthInternalFormat, obj.format.samples);
        glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT,
                                     GL_RENDERBUFFER_EXT, obj.multisampleDepthRenderbuffer.getId());
    }
    return incompleteReason() == nullptr;
}

void attachDepth(FboState& obj) {
    const Fbo::Format& f = obj.format;
    if (f.depthBufferAsTexture) {
        GLuint id = 0;
        glGenTextures(1, &id);
        obj.depthTexture = Texture(f.target, id, obj.width, obj.height);
        glBindTexture(f.target, id);
        glTexImage2D(f.target, 0, static_cast<GLint>(f.depthInternalFormat), obj.width, obj.height,
                     0, GL_DEPTH_COMPONENT, GL_FLOAT, nullptr);
        glTexParameteri(f.target, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(f.minFilter));
        glTexParameteri(f.target, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(f.magFilter));
        glTexParameteri(f.target, GL_TEXTURE_WRAP_S, static_cast<GLint>(f.wrapS));
        glTexParameteri(f.target, GL_TEXTURE_WRAP_T, static_cast<GLint>(f.wrapT));
        glTexParameteri(f.target, GL_DEPTH_TEXTURE_MODE, GL_LUMINANCE);
        glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, f.target, id, 0);
    } else {
        obj.depthRenderbuffer = Renderbuffer(obj.width, obj.height, f.depthInternalFormat);
        glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT,
                                     GL_RENDERBUFFER_EXT, obj.depthRenderbuffer.getId());
    }
}

}  // namespace

struct Fbo::Obj : FboState {};

Fbo::Fbo(int width, int height) : Fbo(width, height, Format()) {}

Fbo::Fbo(int width, int height, Format format) {
    assert(format.numColorBuffers >= 0 && "numColorBuffers must not be negative");
    const FramebufferBindingGuard restoreBinding;
    auto obj = std::make_shared<Obj>();
    obj->width = width;
    obj->height = height;
    obj->format = format;
    const bool multisampled = format.samples > 0;

    glGenFramebuffersEXT(1, &obj->id);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, obj->id);

    Texture::Format textureFormat;
    textureFormat.target = format.target;
    textureFormat.internalFormat = static_cast<GLint>(format.colorInternalFormat);
    textureFormat.wrapS = format.wrapS;
    textureFormat.wrapT = format.wrapT;
    textureFormat.minFilter = format.minFilter;
    textureFormat.magFilter = format.magFilter;
    for (int i = 0; i < format.numColorBuffers; ++i) {
        obj->colorTextures.emplace_back(width, height, textureFormat);
    }
    if (format.numColorBuffers == 0) {
        glDrawBuffer(GL_NONE);
        glReadBuffer(GL_NONE);
    }

    bool multisampleReady = false;
    if (multisampled) {
        multisampleReady = setUpMultisample(*obj);
        if (!multisampleReady) {
            // Carry on single-sampled on the main framebuffer: the textures and
            // the depth buffer below replace the renderbuffers' attachments.
            glDeleteFramebuffersEXT(1, &obj->resolveId);
            obj->resolveId = 0;
            glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, obj->id);
            obj->multisampleColorRenderbuffers.clear();
            obj->multisampleDepthRenderbuffer.reset();
        }
    }
    if (!multisampleReady) {
        attachColorTextures(obj->colorTextures);
        if (format.depthBuffer) {
            attachDepth(*obj);
        }
    }

    if (const char* reason = incompleteReason()) {
        throw FboExceptionInvalidSpecification(reason);
    }
    obj->needsResolve = false;
    obj_ = std::move(obj);
}

int Fbo::getWidth() const {
    return obj_ ? obj_->width : 0;
}
int Fbo::getHeight() const {
    return obj_ ? obj_->height : 0;
}

const Fbo::Format& Fbo::getFormat() const {
    static const Format kDefault;
    return obj_ ? obj_->format : kDefault;
}

GLuint Fbo::getId() const {
    return obj_ ? obj_->id : 0;
}
GLuint Fbo::getResolveId() const {
    return obj_ ? obj_->resolveId : 0;
}

void Fbo::bindFramebuffer() const {
    assert(obj_ && "bindFramebuffer on an empty Fbo");
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, obj_->id);
    if (obj_->resolveId != 0) {
        obj_->needsResolve = true;
    }
}

void Fbo::unbindFramebuffer() {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
}

void Fbo::resolveIfNeeded() const {
    assert(obj_ && "texture requested from an empty Fbo");
    if (!obj_->needsResolve) {
        return;
    }
    GLint previous = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &previous);
    glBindFramebufferEXT(GL_READ_FRAMEBUFFER_EXT, obj_->id);
    glBindFramebufferEXT(GL_DRAW_FRAMEBUFFER_EXT, obj_->resolveId);
    const int width = obj_->width;
    const int height = obj_->height;
    for (int i = 0; i < obj_->format.numColorBuffers; ++i) {
        glDrawBuffer(GL_COLOR_ATTACHMENT0_EXT + i);
        glReadBuffer(GL_COLOR_ATTACHMENT0_EXT + i);
        glBlitFramebufferEXT(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT,
                             GL_NEAREST);
    }
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, obj_->id);
    setDrawBuffers(colorAttachments(obj_->format.numColorBuffers));
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, static_cast<GLuint>(previous));
    obj_->needsResolve = false;
}

Texture Fbo::getTexture(int attachment) const {
    resolveIfNeeded();
    assert(attachment >= 0 && attachment < static_cast<int>(obj_->colorTextures.size()) &&
           "no colour texture at that attachment");
    return obj_->colorTextures[static_cast<size_t>(attachment)];
}

Texture Fbo::getDepthTexture() const {
    return obj_ ? obj_->depthTexture : Texture();
}

void Fbo::bindTexture(GLuint unit, int attachment) const {
    resolveIfNeeded();
    assert(attachment >= 0 && attachment < static_cast<int>(obj_->colorTextures.size()) &&
           "no colour texture at that attachment");
    obj_->colorTextures[static_cast<size_t>(attachment)].bind(unit);
}

void Fbo::unbindTexture() const {
    glBindTexture(getFormat().target, 0);
}

int Fbo::getMaxSamples() {
    static int maxSamples = -1;
    if (maxSamples < 0) {
        if (isExtensionAvailable("GL_EXT_framebuffer_multisample") &&
            isExtensionAvailable("GL_EXT_framebuffer_blit")) {
            GLint value = 0;
            glGetIntegerv(GL_MAX_SAMPLES_EXT, &value);
            maxSamples = value;
        } else {
            maxSamples = 0;
        }
    }
    return maxSamples;
}

}  // namespace reef::gl
