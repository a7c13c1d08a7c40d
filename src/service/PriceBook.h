#pragma once

#include "PartsPlatform.h"
#include "PriceRow.h"
#include "ViewPlatform.h"
#include "catalogue/AppState.h"
#include "catalogue/TableSource.h"
#include "catalogue/TxtTable.h"
#include "order/AddOrderForm.h"
#include "order/PriceQuote.h"
#include "wizard/PartSpace.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora::service {

struct PriceBookRequest {
    PartFilter Filter;
    int Quantity = 1;
    BookFormat Format = BookFormat::Tsv;
    // The Shard-th (from 1) of Shards disjoint pieces; the pieces written in order
    // make the whole book byte for byte.
    int Shard = 1;
    int Shards = 1;
    int Jobs = 1;
};

// The messages the forms showed while the parts were walked, each once.
using Messages = std::vector<service::Shown>;

// One wizard and one Add to Order dialog with seams of their own, for the thread
// that makes it.
class PartWalker {
public:
    PartWalker(const AppState& app, int quantity);
    PartWalker(const PartWalker&) = delete;
    PartWalker& operator=(const PartWalker&) = delete;

    PartSpace& Space() { return space_; }
    const Messages& Shown() const { return platform_.Kept; }
    Platform& Seams() { return platform_.Seams(); }

    // The price and delivery Add to Order shows for the part; a special-quote
    // size, without a part number, has none. Valid until the next call.
    const PriceRow& Row(const OfferedPart& part);
    // The unit price of the last row, 0 where it has none.
    Money UnitPrice() const { return dialog_.UnitPrice; }

private:
    // Each table is looked up once for the walk, without the lock of the cache
    // shared with other threads, and the walk sees one version of it.
    TableScope tables_;
    PartsPlatform platform_;
    PartSpace space_;
    AddOrderForm dialog_;
    TTxtTable none_;
    std::string quantity_;
    // The price rows of the size being walked, read once for all its parts.
    std::unique_ptr<PriceSheet> sheet_;
    TProductFamily rowFamily_ = pfUnknown;
    PriceRow row_;
};

struct FamilyCount {
    std::string Family;
    std::uint64_t Parts = 0;
};

// How many parts each family makes (those with none left out), counted from the
// lists without composing a part.
std::vector<FamilyCount> CountParts(const AppState& app, const PartFilter& filter);

// Writes the price book in pieces to the sink.
Messages WritePriceBook(const AppState& app, const PriceBookRequest& request,
                        const std::function<void(std::string_view)>& sink);

// Every part in the book's order with its row, on this thread.
using PartVisitor = std::function<void(const OfferedPart&, const PriceRow&)>;
Messages ForEachPart(const AppState& app, const PartFilter& filter, int quantity,
                     const PartVisitor& visit);

} // namespace pelmora::service
