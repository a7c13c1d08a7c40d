#pragma once

#include <string>

namespace pelmora::testing {

// A fresh folder for one test, removed with everything in it afterwards. Path()
// ends in '/'.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // Writes the bytes as they are (no line-end conversion) to Path() + name,
    // creating sub-folders as needed; returns the full path.
    std::string Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;

private:
    std::string path_;
};

} // namespace pelmora::testing
