#pragma once

#include "catalogue/FileLock.h"

#include <memory>
#include <string>
#include <vector>

namespace pelmora {

// An order a run that did not close normally left behind, claimed by this run so
// that no other copy of the program offers it meanwhile.
struct LeftOrder {
    std::string Path;
    std::vector<std::string> Lines;
    FileLock Claim;

    // Restored or declined: the file and its lock go.
    void Discard();
};

// The order of one running program, rewritten after every change, from which it
// comes back after a crash or a power loss. Every running copy of the program
// keeps a file of its own, named by its process and start, and holds the file's
// lock while it lives; a file whose lock can be taken belongs to a run that ended.
class RecoveryFile {
public:
    explicit RecoveryFile(std::string folder);

    // Throws FileError when the file cannot be written.
    void Write(const std::vector<std::string>& lines);
    // This run's own file only.
    void Remove();
    const std::string& Path() const { return path_; }

    // The files of runs that ended without closing, newest first.
    std::vector<LeftOrder> LeftBehind() const;

private:
    std::string folder_;
    std::string path_;
    // Taken before the first write, shared by copies of the journal.
    std::shared_ptr<FileLock> owner_;
};

} // namespace pelmora
