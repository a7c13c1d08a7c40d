#include "PriceRow.h"

#include "Utf8.h"
#include "catalogue/TabSeparated.h"

#include <algorithm>
#include <array>
#include <nlohmann/json.hpp>
#include <vector>

namespace pelmora::service {

namespace {

constexpr std::array<const char*, 6> Columns{"Part Number", "Family", "Description",
                                             "Unit Price",  "Total",  "Delivery"};

std::array<const std::string*, 6> Cells(const PriceRow& row) {
    return {&row.PartNumber, &row.Family, &row.Description,
            &row.UnitPrice,  &row.Total,  &row.Delivery};
}

std::array<std::string*, 6> Cells(PriceRow& row) {
    return {&row.PartNumber, &row.Family, &row.Description,
            &row.UnitPrice,  &row.Total,  &row.Delivery};
}

// A TAB or line end inside a field would shift the columns or start a new line.
void AppendTsvCell(std::string_view text, std::string& out) {
    auto special = [](char c) {
        return static_cast<unsigned char>(c) >= 0x80 || c == '\t' || c == '\r' || c == '\n';
    };
    // Runs without such bytes or any beyond ASCII go over whole.
    for (auto at = text.begin(); at != text.end();) {
        const auto stop = std::find_if(at, text.end(), special);
        out.append(at, stop);
        if (stop == text.end())
            break;
        if (static_cast<unsigned char>(*stop) >= 0x80)
            service::AppendAsUtf8({stop, stop + 1}, out);
        else
            out += ' ';
        at = stop + 1;
    }
}

std::string CsvCell(const std::string& text, bool isText) {
    std::string cell = service::ToUtf8(text);
    if (isText)
        cell = FormulaGuarded(std::move(cell));
    if (cell.find_first_of(",\"\r\n") == std::string::npos)
        return cell;
    std::string quoted = "\"";
    for (const char c : cell) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + '"';
}

std::vector<std::string> SplitTsv(std::string_view line) {
    std::vector<std::string> cells;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string_view::npos; start = tab + 1)
        cells.emplace_back(line.substr(start, tab - start));
    cells.emplace_back(line.substr(start));
    return cells;
}

std::optional<std::vector<std::string>> SplitCsv(std::string_view line) {
    std::vector<std::string> cells(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            cells.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            cells.emplace_back();
        } else {
            cells.back() += c;
        }
    }
    if (quoted)
        return std::nullopt;
    return cells;
}

std::optional<PriceRow> FromJson(std::string_view line) {
    const auto document = nlohmann::json::parse(line, nullptr, false);
    if (!document.is_object())
        return std::nullopt;
    auto text = [&](const char* key) {
        const auto found = document.find(key);
        return found != document.end() && found->is_string()
                   ? service::FromUtf8(found->get<std::string>())
                   : std::string("N/A");
    };
    return PriceRow{text("partNumber"), text("family"), text("description"),
                    text("unitPrice"),  text("total"),  text("delivery")};
}

} // namespace

std::optional<BookFormat> ParseBookFormat(std::string_view name) {
    if (name == "tsv")
        return BookFormat::Tsv;
    if (name == "csv")
        return BookFormat::Csv;
    if (name == "jsonl")
        return BookFormat::Jsonl;
    return std::nullopt;
}

std::string BookHeader(BookFormat format) {
    if (format == BookFormat::Jsonl)
        return {};
    const char* separator = format == BookFormat::Tsv ? "\t" : ",";
    std::string header;
    for (const char* column : Columns)
        header += (header.empty() ? "" : separator) + std::string(column);
    return header + (format == BookFormat::Csv ? "\r\n" : "\n");
}

void AppendRow(const PriceRow& row, BookFormat format, std::string& out) {
    if (format == BookFormat::Jsonl) {
        auto text = [](const std::string& bytes) { return service::ToUtf8(bytes); };
        const nlohmann::json line{{"partNumber", text(row.PartNumber)},
                                  {"family", text(row.Family)},
                                  {"description", text(row.Description)},
                                  {"unitPrice", row.UnitPrice == "N/A"
                                                    ? nlohmann::json()
                                                    : nlohmann::json(text(row.UnitPrice))},
                                  {"total", text(row.Total)},
                                  {"delivery", text(row.Delivery)}};
        out += line.dump();
        out += '\n';
        return;
    }
    const auto cells = Cells(row);
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            out += format == BookFormat::Tsv ? '\t' : ',';
        const bool isPrice = cells[i] == &row.UnitPrice || cells[i] == &row.Total;
        if (format == BookFormat::Tsv)
            AppendTsvCell(*cells[i], out);
        else
            out += CsvCell(*cells[i], !isPrice);
    }
    out += format == BookFormat::Csv ? "\r\n" : "\n";
}

std::optional<PriceRow> ParseRow(std::string_view line, BookFormat format) {
    if (format == BookFormat::Jsonl)
        return FromJson(line);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (std::string(line) + (format == BookFormat::Csv ? "\r\n" : "\n") == BookHeader(format))
        return std::nullopt;
    const auto cells = format == BookFormat::Tsv ? std::optional(SplitTsv(line)) : SplitCsv(line);
    if (!cells || cells->size() != Columns.size())
        return std::nullopt;
    PriceRow row;
    const auto target = Cells(row);
    for (size_t i = 0; i < target.size(); ++i) {
        // Only the text cells were guarded when written; the prices are as they stand.
        const bool isPrice = target[i] == &row.UnitPrice || target[i] == &row.Total;
        const std::string& cell = (*cells)[i];
        *target[i] = service::FromUtf8(
            format == BookFormat::Csv && !isPrice ? FormulaUnguarded(cell) : cell);
    }
    return row;
}

} // namespace pelmora::service
