#include "Usage.h"

#include "Suggestions.h"

#include <set>
#include <sys/ioctl.h>
#include <unistd.h>

namespace pelmora::cli {

namespace {

const CLI::Option* OptionNamed(const CLI::App& app, const std::string& name) {
    for (const CLI::Option* option : app.get_options())
        if (option->check_name(name))
            return option;
    return nullptr;
}

// The options a command takes, its own and those of the program before it.
std::vector<std::string> OptionNames(const std::vector<const CLI::App*>& scopes) {
    std::vector<std::string> names;
    for (const CLI::App* scope : scopes) {
        for (const CLI::Option* option : scope->get_options()) {
            for (const std::string& name : option->get_lnames())
                names.push_back("--" + name);
            for (const std::string& name : option->get_snames())
                names.push_back("-" + name);
        }
    }
    return names;
}

} // namespace

std::vector<std::string> CommandNames(const CLI::App& app) {
    std::vector<std::string> names;
    for (const CLI::App* command : app.get_subcommands({}))
        if (!command->get_group().empty())
            names.push_back(command->get_name());
    return names;
}

std::optional<std::string> Mistyped(CLI::App& app, const std::vector<std::string>& arguments) {
    std::vector<const CLI::App*> scopes = {&app};
    const CLI::App* command = nullptr;
    std::set<const CLI::Option*> valued;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--")
            return std::nullopt;
        if (argument.size() > 1 && argument[0] == '-') {
            const std::string name = argument.substr(0, argument.find('='));
            const CLI::Option* option = nullptr;
            for (const CLI::App* scope : scopes)
                option = option ? option : OptionNamed(*scope, name);
            if (!option)
                return service::NoSuch("option", name, OptionNames(scopes));
            // A second value would silently win over the first: refused, as for
            // build's keys.
            if (option->get_items_expected_max() > 0 && !valued.insert(option).second)
                return "option " + option->get_name() + " is given twice";
            const bool valueFollows =
                option->get_items_expected_max() > 0 && name.size() == argument.size();
            if (valueFollows && i + 1 == arguments.size())
                return std::nullopt;
            i += valueFollows ? 1 : 0;
            continue;
        }
        if (command)
            continue;
        for (const CLI::App* candidate : app.get_subcommands({}))
            if (candidate->get_name() == argument)
                command = candidate;
        if (!command)
            return service::NoSuch("command", argument, CommandNames(app));
        scopes.insert(scopes.begin(), command);
    }
    if (command)
        return std::nullopt;
    std::string commands;
    for (const std::string& name : CommandNames(app))
        commands += (commands.empty() ? "" : ", ") + name;
    return "no command given; the commands are " + commands;
}

namespace {

// Where the text of a help line starts: after the option or command and the
// blanks that set it apart, or after the line's own indentation.
size_t ContinuationColumn(const std::string& line) {
    const size_t text = line.find_first_not_of(' ');
    if (text == std::string::npos || text == 0)
        return 0;
    const size_t gap = line.find("  ", text);
    const size_t description = gap == std::string::npos ? gap : line.find_first_not_of(' ', gap);
    return description == std::string::npos ? text : description;
}

std::string WithoutTrailingBlanks(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

void WrapLine(const std::string& line, size_t columns, std::string& wrapped) {
    const size_t column = ContinuationColumn(line);
    // Too little room beside the names: the description goes on under them.
    const size_t margin = column == 0 || column + 20 <= columns
                              ? column
                              : std::min<size_t>(line.find_first_not_of(' '), 4) + 4;
    std::string current = line.substr(0, column);
    size_t start = column;
    while (start < line.size()) {
        size_t end = line.find(' ', start);
        if (end == std::string::npos)
            end = line.size();
        const std::string word = line.substr(start, end - start);
        start = end + 1;
        if (word.empty())
            continue;
        const bool joined = !current.empty() && current.back() != ' ';
        if (current.find_first_not_of(' ') != std::string::npos &&
            current.size() + (joined ? 1 : 0) + word.size() > columns) {
            wrapped += WithoutTrailingBlanks(current) + '\n';
            current = std::string(margin, ' ');
        }
        current += (!current.empty() && current.back() != ' ' ? " " : "") + word;
    }
    wrapped += WithoutTrailingBlanks(current) + '\n';
}

} // namespace

std::string Wrapped(const std::string& text, size_t columns) {
    std::string wrapped;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        if (line.size() <= columns)
            wrapped += line + '\n';
        else
            WrapLine(line, columns, wrapped);
        start = end + 1;
    }
    return wrapped;
}

size_t TerminalColumns() {
    winsize size{};
    if (::isatty(STDOUT_FILENO) && ::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 &&
        size.ws_col > 0)
        return size.ws_col;
    return 80;
}

} // namespace pelmora::cli
