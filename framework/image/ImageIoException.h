#pragma once
// Failures of image loading. FailedLoad: the file could not be opened or
// decoded, or its pixel layout is not one the loader maps. IllegalColorModel:
// the image's colour model is one a consumer (the texture upload) cannot take.

#include <string>

#include "framework/Exception.h"

namespace reef {

class ImageIoException : public Exception {
public:
    using Exception::Exception;
};

class ImageIoExceptionFailedLoad : public ImageIoException {
public:
    using ImageIoException::ImageIoException;
};

class ImageIoExceptionIllegalColorModel : public ImageIoException {
public:
    using ImageIoException::ImageIoException;
};

}  // namespace reef
