#include "Cli.h"

#include "Utf8.h"
#include "catalogue/Errors.h"
#include "catalogue/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace pelmora::cli {

Cli::Cli(const std::string& programFolder, const std::optional<std::string>& appDir, bool json,
         std::ostream& out, std::ostream& errors, std::istream& in)
    : Session(programFolder, appDir, &errors), Json(json), Out(out), Errors(errors), In(in) {
    Session.WantsLines = !json;
}

int Cli::Print(const service::Reply& reply) {
    if (Json) {
        Out << reply.DocumentText(!Compact) << '\n';
    } else {
        for (const std::string& line : reply.Lines)
            Out << line << '\n';
    }
    return reply.Status;
}

void Cli::Print(const std::string& bytes) {
    Out << service::ToUtf8(bytes) << '\n';
}

void Cli::Print(const nlohmann::json& document) {
    Out << document.dump(Compact ? -1 : 2) << '\n';
}

void Cli::TellLineMessages(const std::string& input) {
    // Sorted by reference: an order of a million lines may have told as many.
    std::vector<const service::Shown*> placed;
    for (const service::Shown& shown : Session.Platform.Log) {
        if (shown.Line > 0)
            placed.push_back(&shown);
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const auto* a, const auto* b) { return a->Line < b->Line; });
    for (const service::Shown* shown : placed)
        Errors << "pelmora-cli: " << input << ':' << shown->Line << ": "
               << service::ToUtf8(shown->Text) << '\n';
}

std::string Cli::ReadInput(const std::string& path) {
    if (path != "-") {
        try {
            return ReadInputFile(path);
        } catch (const FileError& error) {
            // A missing catalogue table keeps the load error box's plain text; a
            // file the user named is told with the system's reason.
            std::error_code unknown;
            const bool missing = !std::filesystem::exists(path, unknown) && !unknown;
            throw UsageError(error.what() +
                             (missing ? ": " + std::string(std::strerror(ENOENT)) : std::string()));
        }
    }
    std::string text;
    char block[1 << 16];
    while (In.read(block, sizeof block) || In.gcount() > 0) {
        text.append(block, static_cast<size_t>(In.gcount()));
        if (text.size() > MaxFileSize)
            throw UsageError("standard input holds more than the " +
                             std::to_string(MaxFileSize >> 20) + " MB the program reads");
    }
    if (In.bad())
        throw UsageError(std::string("cannot read standard input: ") + std::strerror(errno));
    return text;
}

} // namespace pelmora::cli
