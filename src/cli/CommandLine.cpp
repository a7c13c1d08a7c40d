#include "Cli.h"
#include "catalogue/Errors.h"

#include <filesystem>
#include <map>

namespace pelmora::cli {

namespace {

constexpr const char* Usage =
    "usage: pelmora-cli [--app-dir DIR] [--json] COMMAND ...\n"
    "commands: quote PART... [--qty N] | describe PART | build key=value... |\n"
    "          convert OLDPART | order --in FILE [--out FILE] [--bom FILE] | check";

int Run(const Arguments& all, const std::string& programFolder, std::ostream& out,
        std::ostream& errors) {
    std::string appDir = programFolder;
    bool json = false;
    size_t next = 0;
    for (; next < all.size(); ++next) {
        if (all[next] == "--json") {
            json = true;
        } else if (all[next] == "--app-dir") {
            if (++next >= all.size())
                throw UsageError("--app-dir needs a folder");
            appDir = all[next];
        } else {
            break;
        }
    }
    if (next >= all.size()) {
        out << Usage << '\n';
        throw UsageError("no command given");
    }
    const std::string& command = all[next];
    const Arguments arguments(all.begin() + static_cast<std::ptrdiff_t>(next) + 1, all.end());

    static const std::map<std::string, int (*)(Cli&, const Arguments&)> Commands = {
        {"quote", Quote},     {"describe", Describe}, {"build", Build},
        {"convert", Convert}, {"order", Order},       {"check", Check}};
    const auto found = Commands.find(command);
    if (found == Commands.end())
        throw UsageError("unknown command " + command);
    if (!std::filesystem::is_directory(appDir))
        throw UsageError("no such folder " + appDir);
    Cli cli(appDir, json, out, errors);
    return found->second(cli, arguments);
}

} // namespace

int RunCommandLine(const Arguments& arguments, const std::string& programFolder, std::ostream& out,
                   std::ostream& errors) {
    try {
        return Run(arguments, programFolder, out, errors);
    } catch (const UsageError& error) {
        errors << "pelmora-cli: " << error.what() << '\n';
        return UsageFailure;
    } catch (const WriteError& error) {
        errors << "pelmora-cli: " << error.what() << '\n';
        return WriteFailure;
    } catch (const std::exception& error) {
        errors << "pelmora-cli: " << error.what() << '\n';
        return Negative;
    }
}

} // namespace pelmora::cli
