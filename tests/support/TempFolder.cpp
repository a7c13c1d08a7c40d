#include "TempFolder.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

namespace pelmora::testing {

TempFolder::TempFolder() {
    std::random_device seed;
    const fs::path folder = fs::temp_directory_path() /
                            ("pelmora-test-" + std::to_string(seed()) + std::to_string(seed()));
    fs::create_directories(folder);
    path_ = folder.string() + "/";
}

TempFolder::~TempFolder() {
    std::error_code error;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(path_, error);
}

std::string TempFolder::Write(const std::string& name, const std::string& bytes) const {
    const fs::path file = fs::path(path_) / name;
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << bytes;
    if (!out)
        throw std::runtime_error("cannot write test file " + file.string());
    return file.string();
}

std::string TempFolder::Read(const std::string& name) const {
    std::ifstream in(fs::path(path_) / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace pelmora::testing
