#include "Cli.h"
#include "Usage.h"

#include <filesystem>
#include <iostream>

namespace {

// The folder of the executable, as the window takes its own.
std::string ProgramFolder(const char* argv0) {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error)
        return self.parent_path().string();
    return std::filesystem::absolute(argv0).parent_path().string();
}

} // namespace

int main(int argc, char* argv[]) {
    return pelmora::cli::RunCommandLine(pelmora::cli::Arguments(argv + 1, argv + argc),
                                        ProgramFolder(argv[0]), std::cout, std::cerr,
                                        {std::cin, pelmora::cli::TerminalColumns()});
}
