// A line of a price book, as diff reads one written by parts or by anyone, in
// each format: it is a row or it is not, and a row of plain text is written and
// read back the same.
#include "PriceRow.h"
#include "Require.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

using namespace pelmora;
using pelmora::fuzzing::Require;

namespace {

bool PlainText(const service::PriceRow& row) {
    const std::string fields[] = {row.PartNumber, row.Family, row.Description,
                                  row.UnitPrice,  row.Total,  row.Delivery};
    return std::all_of(std::begin(fields), std::end(fields), [](const std::string& field) {
        return std::all_of(field.begin(), field.end(),
                           [](char c) { return c >= 0x20 && c <= 0x7E; });
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    for (const auto format :
         {service::BookFormat::Tsv, service::BookFormat::Csv, service::BookFormat::Jsonl}) {
        const auto row = service::ParseRow(line, format);
        if (!row || !PlainText(*row))
            continue;
        std::string written;
        service::AppendRow(*row, format, written);
        while (!written.empty() && (written.back() == '\n' || written.back() == '\r'))
            written.pop_back();
        Require(service::ParseRow(written, format) == row, "a row written reads back the same");
    }
    return 0;
}
