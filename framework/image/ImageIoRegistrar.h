#pragma once
// The registry of image decoders: per lower-case extension a priority-ordered
// list of factories, and a priority-ordered list of general ones. Lower
// priority values are tried first; equal values in registration order. The
// process-wide registry (get()) holds exactly one general decoder, the file
// source at priority 2.

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "framework/DataSource.h"
#include "framework/image/ImageSource.h"

namespace reef {

class ImageIoRegistrar {
public:
    using SourceCreationFunc = std::function<ImageSourceRef(DataSourceRef, ImageSource::Options)>;

    // The process-wide registry, built on first use and never changed after.
    static const ImageIoRegistrar& get();

    void registerSourceType(const std::string& extension, SourceCreationFunc func,
                            int32_t priority = 2);
    void registerSourceGeneric(SourceCreationFunc func, int32_t priority = 2);

    // Tries the decoders for the extension, then the general ones; a decoder
    // that throws is skipped. Throws ImageIoExceptionFailedLoad when none succeeds.
    ImageSourceRef createSource(DataSourceRef dataSource, ImageSource::Options options,
                                std::string extension) const;

private:
    using PriorityList = std::multimap<int32_t, SourceCreationFunc>;

    std::map<std::string, PriorityList> sources_;
    PriorityList genericSources_;
};

}  // namespace reef
