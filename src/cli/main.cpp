#include "Cli.h"

#include <filesystem>
#include <iostream>
#include <map>

using namespace pelmora::cli;

namespace {

constexpr const char* Usage =
    "usage: pelmora-cli [--app-dir DIR] [--json] COMMAND ...\n"
    "commands: quote PART... [--qty N] | describe PART | build key=value... |\n"
    "          convert OLDPART | order --in FILE [--out FILE] [--bom FILE] | check";

// The folder of the executable, as the window takes its own.
std::string ProgramFolder(const char* argv0) {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error)
        return self.parent_path().string();
    return std::filesystem::absolute(argv0).parent_path().string();
}

int Run(int argc, char* argv[]) {
    std::string appDir = ProgramFolder(argv[0]);
    bool json = false;
    int next = 1;
    for (; next < argc; ++next) {
        const std::string argument = argv[next];
        if (argument == "--json") {
            json = true;
        } else if (argument == "--app-dir") {
            if (++next >= argc)
                throw UsageError("--app-dir needs a folder");
            appDir = argv[next];
        } else {
            break;
        }
    }
    if (next >= argc) {
        std::cout << Usage << '\n';
        throw UsageError("no command given");
    }
    const std::string command = argv[next];
    const Arguments arguments(argv + next + 1, argv + argc);

    static const std::map<std::string, int (*)(Cli&, const Arguments&)> Commands = {
        {"quote", Quote},     {"describe", Describe}, {"build", Build},
        {"convert", Convert}, {"order", Order},       {"check", Check}};
    const auto found = Commands.find(command);
    if (found == Commands.end())
        throw UsageError("unknown command " + command);
    if (!std::filesystem::is_directory(appDir))
        throw UsageError("no such folder " + appDir);
    Cli cli(appDir, json, std::cout, std::cerr);
    return found->second(cli, arguments);
}

} // namespace

int main(int argc, char* argv[]) {
    try {
        return Run(argc, argv);
    } catch (const UsageError& error) {
        std::cerr << "pelmora-cli: " << error.what() << '\n';
        return UsageFailure;
    } catch (const std::exception& error) {
        std::cerr << "pelmora-cli: " << error.what() << '\n';
        return Negative;
    }
}
