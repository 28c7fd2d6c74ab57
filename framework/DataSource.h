#pragma once
// A readable asset. The path form names a file on disk.

#include <memory>
#include <string>

namespace reef {

class DataSource {
public:
    virtual ~DataSource() = default;
    virtual bool isFilePath() const = 0;
    // The full path of the file; empty for sources that are not files.
    virtual const std::string& getFilePath() const = 0;
};

class DataSourcePath : public DataSource {
public:
    explicit DataSourcePath(std::string path) : path_(std::move(path)) {}

    bool isFilePath() const override { return true; }
    const std::string& getFilePath() const override { return path_; }

private:
    std::string path_;
};

using DataSourceRef = std::shared_ptr<DataSource>;

}  // namespace reef
