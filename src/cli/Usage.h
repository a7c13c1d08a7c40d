#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>
#include <vector>

// What the command line tells a user who typed it wrong or asked for help.
namespace pelmora::cli {

// The commands help shows, in its order; hidden ones are left out.
std::vector<std::string> CommandNames(const CLI::App& app);

// The first argument that names no command or option, with the names it may
// have meant: "no command qoute; did you mean quote?"; an option that takes a
// value given twice; or that no command was given. Nothing when every name is
// known and a command given (the fault then lies elsewhere, and CLI11 tells it).
std::optional<std::string> Mistyped(CLI::App& app, const std::vector<std::string>& arguments);

// Help text with every line longer than the columns broken between words; a
// continued line starts under the description it continues.
std::string Wrapped(const std::string& text, size_t columns);

// The width help is written for: the terminal's, or 80 when standard output is
// not a terminal.
size_t TerminalColumns();

} // namespace pelmora::cli
