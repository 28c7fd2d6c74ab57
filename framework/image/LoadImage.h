#pragma once
// Opens an image file through the decoder registry.

#include <string>

#include "framework/DataSource.h"
#include "framework/image/ImageSource.h"

namespace reef {

// With an empty extension the path's own extension is used. Throws
// ImageIoExceptionFailedLoad when no decoder can read the file.
ImageSourceRef loadImage(const std::string& path,
                         ImageSource::Options options = ImageSource::Options(),
                         std::string extension = "");
ImageSourceRef loadImage(DataSourceRef dataSource,
                         ImageSource::Options options = ImageSource::Options(),
                         std::string extension = "");

}  // namespace reef
