#pragma once

#include "Session.h"

#include <istream>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace pelmora::cli {

// Exit codes of every command: those of the service, and the command line's own.
enum ExitCode {
    Success = service::Success,
    Negative = service::Negative,
    UsageFailure = 2,
    WriteFailure = 3
};

// A command line the program cannot work with.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Where the command line runs: its standard input, and how wide help is written.
struct Console {
    std::istream& In;
    size_t Columns = 80;
};

// The name input files are known by in messages when they are read from standard
// input ("-").
constexpr const char* StandardInputName = "<stdin>";

// One run of a command: its session, messages on standard error, and where the
// answer goes.
struct Cli {
    Cli(const std::string& programFolder, const std::optional<std::string>& appDir, bool json,
        std::ostream& out, std::ostream& errors, std::istream& in);

    service::Session Session;
    bool Json;
    // The document on one line rather than indented.
    bool Compact = false;
    std::ostream& Out;
    std::ostream& Errors;
    std::istream& In;

    // The reply as the command line shows it: the document with --json, else its
    // lines. Returns the reply's status.
    int Print(const service::Reply& reply);
    // A line of Windows-1252 text, in UTF-8; a document.
    void Print(const std::string& bytes);
    void Print(const nlohmann::json& document);
    // The messages about lines of the input, in line order: "pelmora-cli:
    // INPUT:LINE: message".
    void TellLineMessages(const std::string& input);
    // The bytes of a file the user names, or of standard input for "-".
    std::string ReadInput(const std::string& path);
};

using Arguments = std::vector<std::string>;

// The whole command line: global options, then one command. Returns the exit
// code; usage errors and failures are told on errors in one line, help and the
// version go to out.
int RunCommandLine(const Arguments& arguments, const std::string& programFolder, std::ostream& out,
                   std::ostream& errors, const Console& console);
// The same with nothing on standard input and help 80 columns wide.
int RunCommandLine(const Arguments& arguments, const std::string& programFolder, std::ostream& out,
                   std::ostream& errors);

// The files of the order command.
struct OrderFiles {
    std::string In;
    std::optional<std::string> Out;
    std::optional<std::string> Bom;
};

// Prices an RFQ list (or converts a saved order) into --out and --bom, or prints it.
int Order(Cli& cli, const OrderFiles& files);
// Writes each finding of the check as it comes; with parts, of every part the
// tables make too.
int Check(Cli& cli, bool parts);
// The actions of walk --script FILE ("-": standard input).
Arguments ScriptOf(Cli& cli, const std::string& path);

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
int ReportMessages(Cli& cli, const std::vector<service::Shown>& messages);
// Parts added, removed and repriced between two catalogues or price books.
int Diff(Cli& cli, const std::string& oldSide, const std::string& newSide);

} // namespace pelmora::cli
