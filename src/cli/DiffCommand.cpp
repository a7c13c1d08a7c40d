#include "CatalogueDiff.h"
#include "Cli.h"
#include "Utf8.h"
#include "WizardJson.h"

#include <cstdint>
#include <cstdio>
#include <ostream>
#include <stdexcept>

namespace pelmora::cli {

namespace {

std::string PercentText(const std::optional<double>& percent) {
    if (!percent)
        return {};
    char text[32];
    std::snprintf(text, sizeof text, "%+.1f%%", *percent);
    return text;
}

const char* KindName(service::PartChange::Kind kind) {
    switch (kind) {
    case service::PartChange::Added:
        return "added";
    case service::PartChange::Removed:
        return "removed";
    case service::PartChange::Changed:
        break;
    }
    return "changed";
}

const service::PriceRow& Known(const service::PartChange& change) {
    return change.What == service::PartChange::Removed ? change.Old : change.New;
}

nlohmann::json ChangeJson(const service::PartChange& change) {
    const service::PriceRow& row = Known(change);
    auto text = [](const std::string& bytes) {
        return bytes.empty() ? nlohmann::json() : service::Text(bytes);
    };
    return {{"change", KindName(change.What)},
            {"partNumber", service::Text(row.PartNumber)},
            {"family", service::Text(row.Family)},
            {"description", service::Text(row.Description)},
            {"oldPrice", text(change.Old.UnitPrice)},
            {"newPrice", text(change.New.UnitPrice)},
            {"percent", change.Percent ? nlohmann::json(*change.Percent) : nlohmann::json()},
            {"oldDelivery", text(change.Old.Delivery)},
            {"newDelivery", text(change.New.Delivery)}};
}

std::string ChangeLine(const service::PartChange& change) {
    const service::PriceRow& row = Known(change);
    return std::string(KindName(change.What)) + "\t" + row.PartNumber + "\t" + row.Family + "\t" +
           change.Old.UnitPrice + "\t" + change.New.UnitPrice + "\t" + PercentText(change.Percent) +
           "\t" + change.Old.Delivery + "\t" + change.New.Delivery;
}

std::string Extreme(const char* what, const std::optional<service::PartChange>& change) {
    return change ? std::string("; largest ") + what + " " + Known(*change).PartNumber + " " +
                        PercentText(change->Percent)
                  : std::string();
}

// The document as dump(2) writes it, each line indented by the depth it is put at.
std::string Indented(const nlohmann::json& document, const std::string& indent) {
    std::string text = indent + document.dump(2);
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        text.insert(at + 1, indent);
    return text;
}

// The list of changes of the JSON answer written as each change is found, so that
// it is never held whole: the answer reads as if written in one piece.
class ChangeList {
public:
    explicit ChangeList(std::ostream& out) : out_(out) {}

    void Add(const service::PartChange& change) {
        out_ << (count_++ == 0 ? "{\n  \"changes\": [\n" : ",\n")
             << Indented(ChangeJson(change), "    ");
    }
    void Close(const nlohmann::json& families) {
        out_ << (count_ == 0 ? "{\n  \"changes\": [],\n" : "\n  ],\n")
             << "  \"families\": " << Indented(families, "  ").substr(2) << "\n}\n";
    }

private:
    std::ostream& out_;
    std::uint64_t count_ = 0;
};

} // namespace

// The parts added, removed and repriced between two catalogues or price books.
int Diff(Cli& cli, const std::string& oldSide, const std::string& newSide) {
    ChangeList changes(cli.Out);
    service::DiffSummary summary;
    try {
        summary = service::DiffPriceBooks(cli.Session.App, oldSide, newSide,
                                          [&](const service::PartChange& change) {
                                              if (cli.Json)
                                                  changes.Add(change);
                                              else
                                                  cli.Print(ChangeLine(change));
                                          });
    } catch (const std::invalid_argument& error) {
        throw UsageError(error.what());
    }
    const bool failed = ReportMessages(cli, summary.Shown) != Success;
    nlohmann::json families = nlohmann::json::array();
    for (const service::FamilyDiff& family : summary.Families) {
        if (cli.Json)
            families.push_back(
                {{"family", service::Text(family.Family)},
                 {"added", family.Added},
                 {"removed", family.Removed},
                 {"changed", family.Changed},
                 {"largestRise", family.LargestRise ? ChangeJson(*family.LargestRise) : nullptr},
                 {"largestFall", family.LargestFall ? ChangeJson(*family.LargestFall) : nullptr}});
        else
            cli.Print(family.Family + ": " + std::to_string(family.Added) + " added, " +
                      std::to_string(family.Removed) + " removed, " +
                      std::to_string(family.Changed) + " changed" +
                      Extreme("rise", family.LargestRise) + Extreme("fall", family.LargestFall));
    }
    if (cli.Json)
        changes.Close(families);
    return summary.Differs() || failed ? Negative : Success;
}

} // namespace pelmora::cli
