#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pelmora::service {

// One line of the price book; texts in Windows-1252.
struct PriceRow {
    std::string PartNumber;
    std::string Family;
    std::string Description;
    // "N/A" where the part has no price.
    std::string UnitPrice;
    std::string Total;
    std::string Delivery;

    bool operator==(const PriceRow&) const = default;
};

enum class BookFormat { Tsv, Csv, Jsonl };

std::optional<BookFormat> ParseBookFormat(std::string_view name);

// The header line of the format (none for JSON lines), with its line end.
std::string BookHeader(BookFormat format);
// The row as a line of the format in UTF-8, with its line end: CR LF for CSV, as
// RFC 4180 has it, LF for the others. CSV text cells a spreadsheet would take for
// a formula are kept text, as in the .xls.
void AppendRow(const PriceRow& row, BookFormat format, std::string& out);
// A line back into a row (line end removed); nothing for the header or a line
// that is no row of the format.
std::optional<PriceRow> ParseRow(std::string_view line, BookFormat format);

} // namespace pelmora::service
