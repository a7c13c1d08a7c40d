#pragma once

#include "ViewPlatform.h"
#include "catalogue/AppState.h"
#include "catalogue/TableSource.h"

#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace pelmora {
class TTxtTable;
}

namespace pelmora::cli {

// Exit codes of every command.
enum ExitCode { Success = 0, Negative = 1, UsageFailure = 2, WriteFailure = 3 };

// A command line or input file the command cannot work with.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What every command works with: the program's folders and settings, the seams on
// standard error, and where the answer goes.
struct Cli {
    // The program's folders found from its own folder, as the window finds them
    // (portable or installed), or all in the folder --app-dir names.
    // The tables come through the shared cache when one is given (the web server's,
    // for all its requests), else through a cache of this run's own.
    Cli(const std::string& programFolder, const std::optional<std::string>& appDir, bool json,
        std::ostream& out, std::ostream& errors, TableCache* sharedCache = nullptr);

    AppState App;
    TableCache Cache{TableCache::ShortRun};
    view::ViewPlatform Platform;
    bool Json;
    std::ostream& Out;

    // A line of text output, in UTF-8.
    void Print(const std::string& bytes);
    void Print(const nlohmann::json& document);
    // Windows-1252 bytes as a JSON string.
    static nlohmann::json Text(const std::string& bytes);
    nlohmann::json Messages() const;
};

using Arguments = std::vector<std::string>;

// The whole command line: global options, then one command. Returns the exit
// code; usage errors and failures are told on errors in one line, help and the
// version go to out.
int RunCommandLine(const Arguments& arguments, const std::string& programFolder, std::ostream& out,
                   std::ostream& errors);

// The files of the order command.
struct OrderFiles {
    std::string In;
    std::optional<std::string> Out;
    std::optional<std::string> Bom;
};

int Quote(Cli& cli, const Arguments& parts, const std::optional<std::string>& quantity);
int Describe(Cli& cli, const std::string& part);
int Build(Cli& cli, const Arguments& choices);
int Convert(Cli& cli, const std::string& oldPart);
int Order(Cli& cli, const OrderFiles& files);
// The order of a saved order or an RFQ list (its text as read, the name for
// messages), as the order command makes it; the lines of the list it skipped
// in skipped. Negative when a line was skipped or a part is no catalogue part.
int MakeOrder(Cli& cli, const std::string& text, const std::string& name, TTxtTable& lines,
              nlohmann::json& skipped);
// The order as the order command prints it with --json, with the messages shown.
nlohmann::json OrderJson(const Cli& cli, const TTxtTable& lines, const nlohmann::json& skipped);
int Check(Cli& cli, bool parts);

// The options of the parts command.
struct PartsOptions {
    std::string Family;
    std::string Waveguide;
    std::optional<std::string> Quantity;
    std::string Format = "tsv";
    std::optional<std::string> Shard;
    int Jobs = 1;
    bool Count = false;
};
int Parts(Cli& cli, const PartsOptions& options);
// The messages a walk over the parts showed, on standard error; Negative when one
// was an error.
int ReportMessages(Cli& cli, const std::vector<view::Shown>& messages);
// Parts added, removed and repriced between two catalogues or price books.
int Diff(Cli& cli, const std::string& oldSide, const std::string& newSide);
// Actions on one wizard; the state after the last, or after every one with steps.
int Walk(Cli& cli, const Arguments& actions, const std::optional<std::string>& script, bool steps);

} // namespace pelmora::cli
