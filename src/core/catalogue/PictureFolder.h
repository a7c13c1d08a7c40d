#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace pelmora::check {

// The Images folder, listed once: thousands of rows naming missing pictures cost a
// lookup each, not a listing of the folder each.
class PictureFolder {
public:
    enum Place { Inside, Outside, Missing };

    explicit PictureFolder(const std::string& folder);

    Place Find(const std::string& picture) const;

private:
    // The entry of that name, else the first whose name differs only in letter
    // case, as a lookup that ignores case finds it.
    std::optional<std::string> OnDisk(const std::string& name) const;

    std::string folder_;
    std::unordered_set<std::string> names_;
    std::unordered_map<std::string, std::string> spellings_;
};

} // namespace pelmora::check
