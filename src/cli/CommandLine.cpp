#include "Cli.h"
#include "Commands.h"
#include "Suggestions.h"
#include "Usage.h"
#include "catalogue/Errors.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <sstream>

namespace pelmora::cli {

namespace {

constexpr const char* Version = "pelmora-cli " PELMORA_VERSION;

constexpr const char* Footer =
    "Run 'pelmora-cli help COMMAND' for the options of a command.\n"
    "\n"
    "Exit status: 0 done as asked; 1 a negative answer (a part the catalogue does not "
    "make, a refused step, a skipped input line, a catalogue error); 2 a usage error, an "
    "unreadable input file or no catalogue; 3 output that could not be written.\n"
    "\n"
    "Examples:\n"
    "  pelmora-cli quote R090PC0120USG --qty 3\n"
    "  pelmora-cli order --in rfq.txt --out order.xls --bom order.lom";

// The keys of build, each with what it takes, one a line.
std::string BuildKeysHelp() {
    std::string help = "Keys, in screen order (each at most once):\n";
    for (const service::BuildKey& key : service::BuildKeys()) {
        std::string name = "  " + std::string(key.Name);
        name.resize(14, ' ');
        help += name + key.Takes + "\n";
    }
    return help + "\nExample:\n  pelmora-cli build family=R waveguide=WR90 flangeA=U flangeB=C "
                  "band=X";
}

// The commands and options; running the command is left to the caller, once the
// whole line is known to be well-formed.
struct Line {
    CLI::App App{"The Pelmora 38 configurator for scripts, RFQ lists and catalogue "
                 "maintainers: the same wizard, prices and order files as the window.",
                 "pelmora-cli"};
    std::optional<std::string> AppDir;
    bool Json = false;
    bool Compact = false;
    std::function<int(Cli&)> Command;
    // Every command but diff answers from the catalogue of --app-dir.
    bool NeedsCatalogue = true;
    // The help a command asked for ("help build"), to print once the line is read.
    std::optional<std::string> Help;

    Line() {
        App.get_formatter()->label("SUBCOMMAND", "COMMAND");
        App.set_version_flag("--version", Version);
        App.add_option("--app-dir", AppDir,
                       "The folder holding Data/ and Images/ (and Pelmora.ini for the units); "
                       "default: the program's own catalogue")
            ->type_name("DIR");
        auto* json = App.add_flag("--json", Json, "Answers as one JSON document");
        App.add_flag("--compact", Compact,
                     "With --json, the document on one line, byte for byte as pelmora-web sends it")
            ->needs(json);
        App.require_subcommand(1);
        App.fallthrough();
        AddQuote();
        AddDescribe();
        AddBuild();
        AddConvert();
        AddOrder();
        AddWalk();
        AddParts();
        AddDiff();
        AddCheck();
        AddHelp();
        AddValues();
        for (CLI::App* command : App.get_subcommands({}))
            if (!command->get_group().empty())
                command->group("Commands");
        // Set last: a command made before takes the program's footer as its own.
        App.footer(Footer);
    }

    void AddQuote() {
        auto* quote = App.add_subcommand(
            "quote", "Prices each part as the Add to Order dialog does: part, family, "
                     "quantity, line total (or N/A), delivery");
        auto parts = std::make_shared<Arguments>();
        auto quantity = std::make_shared<std::optional<std::string>>();
        quote->add_option("PART", *parts, "Part numbers")->required();
        quote->add_option("--qty", *quantity, "The quantity, 1 to 99999 (default 1)")
            ->type_name("N");
        quote->callback([this, parts, quantity] {
            Command = [parts, quantity](Cli& cli) {
                return cli.Print(service::Quote(cli.Session, *parts, *quantity));
            };
        });
    }

    void AddDescribe() {
        auto* describe = App.add_subcommand(
            "describe", "Applies the part number as the Quick Builder does and prints every "
                        "selection, the description grid and what Create composes");
        auto part = std::make_shared<std::string>();
        describe->add_option("PART", *part, "A part number")->required();
        describe->callback([this, part] {
            Command = [part](Cli& cli) { return cli.Print(service::Describe(cli.Session, *part)); };
        });
    }

    void AddBuild() {
        auto* build = App.add_subcommand(
            "build", "Walks the wizard in screen order from key=value choices: family, "
                     "waveguide, flangeA, flangeB, coax, length, legA, legB, adaptor, units, "
                     "band, finish, confirm");
        build->footer(BuildKeysHelp());
        auto choices = std::make_shared<Arguments>();
        build->add_option("CHOICE", *choices, "key=value")->type_name("KEY=VALUE");
        build->callback([this, choices] {
            Command = [choices](Cli& cli) {
                return cli.Print(service::Build(cli.Session, *choices));
            };
        });
    }

    void AddConvert() {
        auto* convert =
            App.add_subcommand("convert", "The new part number and comment of an old part number");
        auto part = std::make_shared<std::string>();
        convert->add_option("OLDPART", *part, "An old part number")->required();
        convert->callback([this, part] {
            Command = [part](Cli& cli) { return cli.Print(service::Convert(cli.Session, *part)); };
        });
    }

    void AddOrder() {
        auto* order = App.add_subcommand(
            "order", "Prices an RFQ list into an order, or converts an order the program "
                     "saved; writes .xls, .txt or .xml and the bill of materials");
        auto files = std::make_shared<OrderFiles>();
        order
            ->add_option("--in", files->In,
                         "An RFQ list, or an order saved as .xls/.txt/.xml; - reads standard input")
            ->required()
            ->type_name("FILE");
        order->add_option("--out", files->Out, "The order file: .xls, .txt or .xml")
            ->type_name("FILE");
        order->add_option("--bom", files->Bom, "The bill of materials")->type_name("FILE");
        order->callback(
            [this, files] { Command = [files](Cli& cli) { return Order(cli, *files); }; });
    }

    void AddWalk() {
        auto* walk = App.add_subcommand(
            "walk", "Runs user actions on one wizard in the order given: family=, waveguide=, "
                    "flangeA=, flangeB=, coax= (code, name or #N), pick:BOX=TEXT, "
                    "type:BOX=TEXT (BOX: length, legA, legB), adaptor=yes|no, units=P|M, "
                    "next, back, band=, finish=, create[=continue|swap|cancel], apply=TEXT, "
                    "quickbuild=TEXT, reset, other-ranges");
        auto actions = std::make_shared<Arguments>();
        auto script = std::make_shared<std::optional<std::string>>();
        auto steps = std::make_shared<bool>(false);
        walk->add_option("ACTION", *actions, "Actions")->type_name("ACTION");
        walk->add_option("--script", *script, "One action a line; - reads standard input")
            ->type_name("FILE");
        walk->add_flag("--steps", *steps, "With --json, the state after every action");
        walk->callback([this, actions, script, steps] {
            Command = [actions, script, steps](Cli& cli) {
                if (*script && !actions->empty())
                    throw UsageError("walk takes actions or --script FILE, not both");
                return cli.Print(service::Walk(
                    cli.Session, *script ? ScriptOf(cli, **script) : *actions, *steps));
            };
        });
    }

    void AddCheck() {
        auto* check = App.add_subcommand(
            "check", "Reads every table; reports errors and warnings with file, line and column");
        auto parts = std::make_shared<bool>(false);
        check->add_flag("--parts", *parts,
                        "Also every part the tables make: part numbers composed twice or not "
                        "read back, parts without price or delivery, prices falling with length");
        check->callback(
            [this, parts] { Command = [parts](Cli& cli) { return Check(cli, *parts); }; });
    }

    void AddParts() {
        auto* parts = App.add_subcommand(
            "parts", "Every part number the wizard can create, one a line, streamed: part "
                     "number, family, order description, unit price, line total, delivery");
        auto options = std::make_shared<PartsOptions>();
        parts->add_option("--family", options->Family, "Only this family (letter or name)")
            ->type_name("FAMILY");
        parts->add_option("--waveguide", options->Waveguide, "Only this size (code or name)")
            ->type_name("SIZE");
        parts->add_option("--qty", options->Quantity, "The quantity, 1 to 99999 (default 1)")
            ->type_name("N");
        parts->add_option("--format", options->Format, "tsv (default), csv or jsonl")
            ->type_name("FORMAT");
        parts->add_flag("--count", options->Count, "Only how many parts each family makes");
        parts
            ->add_option("--shard", options->Shard,
                         "The I-th of N pieces; the N pieces in order make the whole output")
            ->type_name("I/N");
        parts->add_option("--jobs", options->Jobs, "Threads (default 1)")->type_name("N");
        parts->callback(
            [this, options] { Command = [options](Cli& cli) { return Parts(cli, *options); }; });
    }

    void AddDiff() {
        auto* diff = App.add_subcommand(
            "diff", "Parts added, removed, and whose price or delivery changed between two "
                    "catalogue folders or price books, with a summary per family; exit 1 when "
                    "something changed");
        auto sides = std::make_shared<std::pair<std::string, std::string>>();
        diff->add_option("OLD", sides->first, "A catalogue folder or a price book")->required();
        diff->add_option("NEW", sides->second, "A catalogue folder or a price book")->required();
        diff->callback([this, sides] {
            NeedsCatalogue = false;
            Command = [sides](Cli& cli) { return Diff(cli, sides->first, sides->second); };
        });
    }

    void AddHelp() {
        auto* help = App.add_subcommand("help", "Help on the program or on one command");
        auto command = std::make_shared<std::string>();
        help->add_option("COMMAND", *command, "A command");
        help->callback([this, command] {
            if (command->empty())
                throw CLI::CallForHelp();
            CLI::App* described = nullptr;
            for (CLI::App* candidate : App.get_subcommands({}))
                if (candidate->get_name() == *command && *command != "help")
                    described = candidate;
            if (!described)
                throw CLI::ValidationError(service::NoSuch("command", *command, CommandNames(App)));
            Help = described->help("pelmora-cli");
        });
    }

    // For the shell's completion: the values a key of build or walk takes after
    // the words before it. Hidden from help.
    void AddValues() {
        auto* values = App.add_subcommand("list-values", "")->group("");
        auto key = std::make_shared<std::string>();
        auto before = std::make_shared<Arguments>();
        values->add_option("KEY", *key)->required();
        values->add_option("BEFORE", *before);
        values->callback([this, key, before] {
            Command = [key, before](Cli& cli) {
                for (const std::string& value : service::OfferedValues(cli.Session, *key, *before))
                    cli.Out << value << '\n';
                return Success;
            };
        });
    }
};

// One line for the error, however CLI11 worded it.
std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

int Run(const Arguments& arguments, const std::string& programFolder, std::ostream& out,
        std::ostream& errors, const Console& console) {
    Line line;
    try {
        Arguments reversed(arguments.rbegin(), arguments.rend());
        line.App.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        out << Wrapped(line.App.help(), console.Columns);
        return Success;
    } catch (const CLI::CallForVersion&) {
        out << Version << '\n';
        return Success;
    } catch (const CLI::ParseError& error) {
        if (line.App.get_subcommands().empty() && arguments.empty())
            out << Wrapped(line.App.help(), console.Columns);
        errors << "pelmora-cli: " << Mistyped(line.App, arguments).value_or(OneLine(error.what()))
               << '\n';
        return UsageFailure;
    }
    if (line.Help) {
        out << Wrapped(*line.Help, console.Columns);
        return Success;
    }
    try {
        if (line.AppDir && !std::filesystem::is_directory(*line.AppDir))
            throw UsageError("no such folder " + *line.AppDir);
        Cli cli(programFolder, line.AppDir, line.Json, out, errors, console.In);
        cli.Compact = line.Compact;
        if (const auto missing = cli.Session.MissingCatalogue(); missing && line.NeedsCatalogue)
            throw UsageError(*missing);
        const int result = line.Command(cli);
        // An error the forms showed (a catalogue cell, a table that cannot be
        // read) fails the command even where it went on to an answer.
        return result == Success && cli.Session.ShowedAnError() ? Negative : result;
    } catch (const UsageError& error) {
        errors << "pelmora-cli: " << error.what() << '\n';
        return UsageFailure;
    } catch (const service::RequestError& error) {
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

} // namespace

int RunCommandLine(const Arguments& arguments, const std::string& programFolder, std::ostream& out,
                   std::ostream& errors, const Console& console) {
    const int result = Run(arguments, programFolder, out, errors, console);
    // An answer that never reached its reader (a full disk, a closed pipe) is
    // no success, whatever the command did. The reason is that of the write that
    // failed, whether the command's own or this last flush.
    if (out.flush())
        return result;
    errors << "pelmora-cli: cannot write the output: " << std::strerror(errno != 0 ? errno : EIO)
           << '\n';
    return WriteFailure;
}

int RunCommandLine(const Arguments& arguments, const std::string& programFolder, std::ostream& out,
                   std::ostream& errors) {
    std::istringstream nothing;
    return RunCommandLine(arguments, programFolder, out, errors, Console{nothing});
}

} // namespace pelmora::cli
