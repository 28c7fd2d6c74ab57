#include "framework/image/LoadImage.h"

#include <filesystem>
#include <memory>

#include "framework/image/ImageIoRegistrar.h"

namespace reef {

ImageSourceRef loadImage(const std::string& path, ImageSource::Options options,
                         std::string extension) {
    return loadImage(std::make_shared<DataSourcePath>(path), options, std::move(extension));
}

ImageSourceRef loadImage(DataSourceRef dataSource, ImageSource::Options options,
                         std::string extension) {
    if (extension.empty() && dataSource && dataSource->isFilePath()) {
        extension = std::filesystem::path(dataSource->getFilePath()).extension().string();
        if (!extension.empty() && extension[0] == '.') {
            extension.erase(0, 1);
        }
    }
    return ImageIoRegistrar::get().createSource(std::move(dataSource), options,
                                                std::move(extension));
}

}  // namespace reef
