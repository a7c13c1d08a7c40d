#include "Cli.h"
#include "PriceBook.h"
#include "Utf8.h"
#include "WizardJson.h"
#include "catalogue/Errors.h"
#include "catalogue/Numbers.h"
#include "order/OrderList.h"

#include <cerrno>
#include <cstring>

namespace pelmora::cli {

namespace {

// "I/N" with 1 <= I <= N.
std::pair<int, int> ParseShard(const std::string& text) {
    const size_t slash = text.find('/');
    const auto index = ParseInteger(text.substr(0, slash));
    const auto count =
        slash == std::string::npos ? std::nullopt : ParseInteger(text.substr(slash + 1));
    if (!index || !count || *index < 1 || *count < *index || *count > 1000000)
        throw UsageError("--shard takes I/N with 1 <= I <= N, not " + text);
    return {static_cast<int>(*index), static_cast<int>(*count)};
}

} // namespace

int ReportMessages(Cli& cli, const service::Messages& messages) {
    bool failed = false;
    for (const service::Shown& message : messages) {
        failed = failed || message.Kind == "error";
        if (message.Kind == "error")
            cli.Session.Platform.Error(message.Text);
        else
            cli.Session.Platform.Information(message.Text);
    }
    return failed ? Negative : Success;
}

namespace {

int PrintCounts(Cli& cli, const PartFilter& filter) {
    const auto counts = service::CountParts(cli.Session.App, filter);
    std::uint64_t total = 0;
    nlohmann::json families = nlohmann::json::array();
    for (const service::FamilyCount& count : counts) {
        total += count.Parts;
        if (cli.Json)
            families.push_back({{"family", service::Text(count.Family)}, {"parts", count.Parts}});
        else
            cli.Print(count.Family + "\t" + std::to_string(count.Parts));
    }
    if (cli.Json)
        cli.Print(nlohmann::json{{"families", families}, {"total", total}});
    else
        cli.Print("Total\t" + std::to_string(total));
    return Success;
}

} // namespace

// Every part the wizard offers, with its price and delivery, streamed.
int Parts(Cli& cli, const PartsOptions& options) {
    const PartFilter filter{service::FromUtf8(options.Family),
                            service::FromUtf8(options.Waveguide)};
    if (options.Count)
        return PrintCounts(cli, filter);

    service::PriceBookRequest request;
    request.Filter = filter;
    const auto quantity = options.Quantity ? ParseQuantity(*options.Quantity) : 1;
    if (!quantity)
        throw UsageError("--qty takes a whole number from 1 to 99999, not " + *options.Quantity);
    request.Quantity = *quantity;
    const auto format = service::ParseBookFormat(options.Format);
    if (!format)
        throw UsageError("--format takes tsv, csv or jsonl, not " + options.Format);
    request.Format = *format;
    if (options.Shard)
        std::tie(request.Shard, request.Shards) = ParseShard(*options.Shard);
    if (options.Jobs < 1 || options.Jobs > 256)
        throw UsageError("--jobs takes a whole number from 1 to 256");
    request.Jobs = options.Jobs;

    const auto messages =
        service::WritePriceBook(cli.Session.App, request, [&](std::string_view bytes) {
            cli.Out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            if (!cli.Out)
                throw WriteError("standard output", std::strerror(errno));
        });
    cli.Out.flush();
    return ReportMessages(cli, messages);
}

} // namespace pelmora::cli
