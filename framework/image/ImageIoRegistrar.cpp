#include "framework/image/ImageIoRegistrar.h"

#include <cctype>
#include <exception>

#include "framework/image/ImageIoException.h"
#include "framework/image/ImageSourceFile.h"

namespace reef {

namespace {

std::string toLower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

}  // namespace

const ImageIoRegistrar& ImageIoRegistrar::get() {
    // Built here rather than by a static object in the decoder's file: a static
    // library drops object files nothing refers to, registrations included.
    static const ImageIoRegistrar registrar = [] {
        ImageIoRegistrar r;
        r.registerSourceGeneric(&ImageSourceFile::create, 2);
        return r;
    }();
    return registrar;
}

void ImageIoRegistrar::registerSourceType(const std::string& extension, SourceCreationFunc func,
                                          int32_t priority) {
    sources_[toLower(extension)].emplace(priority, std::move(func));
}

void ImageIoRegistrar::registerSourceGeneric(SourceCreationFunc func, int32_t priority) {
    genericSources_.emplace(priority, std::move(func));
}

ImageSourceRef ImageIoRegistrar::createSource(DataSourceRef dataSource,
                                              ImageSource::Options options,
                                              std::string extension) const {
    extension = toLower(std::move(extension));
    std::string lastError = "no decoder for this image";

    auto tryList = [&](const PriorityList& list) -> ImageSourceRef {
        for (const auto& entry : list) {
            try {
                if (ImageSourceRef source = entry.second(dataSource, options)) {
                    return source;
                }
            } catch (const std::exception& e) {
                lastError = e.what();
            }
        }
        return nullptr;
    };

    if (!extension.empty()) {
        const auto it = sources_.find(extension);
        if (it != sources_.end()) {
            if (ImageSourceRef source = tryList(it->second)) {
                return source;
            }
        }
    }
    if (ImageSourceRef source = tryList(genericSources_)) {
        return source;
    }
    throw ImageIoExceptionFailedLoad(lastError);
}

}  // namespace reef
