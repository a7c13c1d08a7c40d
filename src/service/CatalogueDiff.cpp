#include "CatalogueDiff.h"

#include "RowRuns.h"
#include "catalogue/FileSystem.h"
#include "order/Money.h"

#include <condition_variable>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <unordered_map>
#include <utility>

namespace pelmora::service {

namespace {

constexpr size_t BatchRows = 4096;
constexpr size_t BatchesAhead = 8;

// Rows handed from the thread that reads a side to the merge, in batches, with a
// few batches waiting at most.
class RowQueue {
public:
    // Throws when the merge gave up, so that the reader stops.
    void Push(std::vector<PriceRow> batch) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return batches_.size() < BatchesAhead || stopped_; });
        if (stopped_)
            throw std::runtime_error("the diff stopped");
        batches_.push_back(std::move(batch));
        changed_.notify_all();
    }
    void Close(std::exception_ptr failure = nullptr) {
        std::lock_guard lock(mutex_);
        closed_ = true;
        failure_ = failure;
        changed_.notify_all();
    }
    // Unblocks the reader when the merge gives up.
    void Stop() {
        std::lock_guard lock(mutex_);
        stopped_ = true;
        changed_.notify_all();
    }
    // Empty at the end.
    std::vector<PriceRow> Pop() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return !batches_.empty() || closed_; });
        if (batches_.empty()) {
            if (failure_)
                std::rethrow_exception(failure_);
            return {};
        }
        std::vector<PriceRow> batch = std::move(batches_.front());
        batches_.pop_front();
        changed_.notify_all();
        return batch;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<PriceRow>> batches_;
    bool closed_ = false;
    bool stopped_ = false;
    std::exception_ptr failure_;
};

std::optional<BookFormat> FormatOfFile(const std::string& path) {
    const std::string extension = std::filesystem::path(path).extension().string();
    return ParseBookFormat(extension.empty() ? "" : extension.substr(1));
}

// The folder holding the tables: Data/ inside a program's folder, or the folder.
std::string TablesFolder(const std::string& folder) {
    const std::filesystem::path data = std::filesystem::path(folder) / "Data";
    return (std::filesystem::is_directory(data) ? data : std::filesystem::path(folder)).string() +
           "/";
}

// Reads one side on its own thread into the queue.
class Side {
public:
    Side(const AppState& app, const std::string& path) : app_(app), path_(path) {
        if (std::filesystem::is_directory(path)) {
            app_.DataDir = TablesFolder(path);
        } else if (!(format_ = FormatOfFile(path))) {
            throw std::invalid_argument(path + " is neither a catalogue folder nor a price book "
                                               "(.tsv, .csv, .jsonl)");
        }
        thread_ = std::thread([this] { Read(); });
    }
    ~Side() {
        queue_.Stop();
        thread_.join();
    }
    Side(const Side&) = delete;
    Side& operator=(const Side&) = delete;

    std::optional<PriceRow> Next() {
        if (next_ == batch_.size()) {
            batch_ = queue_.Pop();
            next_ = 0;
            if (batch_.empty())
                return std::nullopt;
        }
        return std::move(batch_[next_++]);
    }
    const Messages& Shown() const { return shown_; }

private:
    void Read() {
        try {
            std::vector<PriceRow> batch;
            auto add = [&](PriceRow row) {
                batch.push_back(std::move(row));
                if (batch.size() == BatchRows)
                    queue_.Push(std::exchange(batch, {}));
            };
            if (format_)
                ReadFile(add);
            else
                shown_ = ForEachPart(app_, {}, 1,
                                     [&](const OfferedPart&, const PriceRow& row) { add(row); });
            if (!batch.empty())
                queue_.Push(std::move(batch));
            queue_.Close();
        } catch (...) {
            queue_.Close(std::current_exception());
        }
    }

    // A line longer than this is no row of a price book (a file of zeros, a binary
    // file): it is refused, not read until memory runs out.
    static constexpr std::streamsize MaxLine = 1 << 20;

    template <typename Add> void ReadFile(Add& add) {
        std::ifstream in(path_, std::ios::binary);
        if (!in)
            throw std::runtime_error("Cannot read " + path_);
        std::vector<char> line(MaxLine + 1);
        while (in.getline(line.data(), MaxLine + 1)) {
            // The count includes the line break, unless the file ended first.
            const auto length = static_cast<size_t>(in.gcount() - (in.eof() ? 0 : 1));
            if (auto row = ParseRow({line.data(), length}, *format_))
                add(std::move(*row));
        }
        if (!in.eof())
            throw std::runtime_error(path_ + " has a line longer than " +
                                     std::to_string(MaxLine >> 20) + " MB");
    }

    AppState app_;
    std::string path_;
    std::optional<BookFormat> format_;
    RowQueue queue_;
    Messages shown_;
    std::thread thread_;
    std::vector<PriceRow> batch_;
    size_t next_ = 0;
};

// What matches a part on both sides: its number, or for a special-quote listing
// (no number) its family and text.
std::string KeyOf(const PriceRow& row) {
    return row.PartNumber.empty() ? row.Family + "\t" + row.Description : row.PartNumber;
}

// The amount of a price text as the dialog writes it ("$1,234.50").
std::optional<Money> AmountOf(const std::string& text) {
    if (!IsMoneyText(text))
        return std::nullopt;
    Money cents = 0;
    for (const char c : text) {
        if (c >= '0' && c <= '9')
            cents = cents * 10 + (c - '0');
    }
    return cents * (MoneyOne / 100);
}

class Merge {
public:
    // Parts left unmatched are held until the other side shows them, up to
    // heldParts; beyond it they are set aside on disk and matched at the end.
    Merge(const std::function<void(const PartChange&)>& visit, size_t heldParts)
        : visit_(visit), heldParts_(heldParts) {}

    // The next row of each side; both sides list their parts in the same order,
    // so most rows meet their counterpart here.
    void Both(PriceRow old, PriceRow next) {
        std::string oldKey = KeyOf(old);
        std::string newKey = KeyOf(next);
        if (oldKey == newKey) {
            Compare(std::move(old), std::move(next));
            return;
        }
        Old(std::move(oldKey), std::move(old));
        New(std::move(newKey), std::move(next));
    }
    void Old(PriceRow row) {
        std::string key = KeyOf(row);
        Old(std::move(key), std::move(row));
    }
    void New(PriceRow row) {
        std::string key = KeyOf(row);
        New(std::move(key), std::move(row));
    }

    // The parts still unmatched, in key order.
    std::vector<FamilyDiff> Finish() {
        SetAside();
        std::optional<KeyedRow> old = spilledOld_.Next();
        std::optional<KeyedRow> next = spilledNew_.Next();
        while (old || next) {
            if (old && next && old->first == next->first) {
                Compare(std::move(old->second), std::move(next->second));
                old = spilledOld_.Next();
                next = spilledNew_.Next();
            } else if (old && (!next || old->first < next->first)) {
                Report({PartChange::Removed, std::move(old->second), {}, std::nullopt});
                old = spilledOld_.Next();
            } else {
                Report({PartChange::Added, {}, std::move(next->second), std::nullopt});
                next = spilledNew_.Next();
            }
        }
        std::vector<FamilyDiff> families;
        for (auto& [name, family] : families_)
            families.push_back(std::move(family));
        return families;
    }

private:
    using Pending = std::unordered_multimap<std::string, PriceRow>;

    void Old(std::string key, PriceRow row) {
        Match(std::move(key), std::move(row), pendingNew_, pendingOld_, true);
    }
    void New(std::string key, PriceRow row) {
        Match(std::move(key), std::move(row), pendingOld_, pendingNew_, false);
    }

    void Match(std::string key, PriceRow row, Pending& other, Pending& own, bool isOld) {
        const auto found = other.find(key);
        if (found == other.end()) {
            own.emplace(std::move(key), std::move(row));
            if (own.size() + other.size() > heldParts_)
                SetAside();
            return;
        }
        PriceRow counterpart = std::move(found->second);
        other.erase(found);
        if (isOld)
            Compare(std::move(row), std::move(counterpart));
        else
            Compare(std::move(counterpart), std::move(row));
    }

    void SetAside() {
        for (auto [pending, runs] :
             {std::pair{&pendingOld_, &spilledOld_}, std::pair{&pendingNew_, &spilledNew_}}) {
            std::vector<KeyedRow> rows;
            rows.reserve(pending->size());
            for (auto& [key, row] : *pending)
                rows.emplace_back(key, std::move(row));
            pending->clear();
            runs->Spill(std::move(rows));
        }
    }

    void Compare(PriceRow before, PriceRow after) {
        if (before.UnitPrice == after.UnitPrice && before.Delivery == after.Delivery)
            return;
        PartChange change{PartChange::Changed, std::move(before), std::move(after), std::nullopt};
        const auto oldPrice = AmountOf(change.Old.UnitPrice);
        const auto newPrice = AmountOf(change.New.UnitPrice);
        if (oldPrice && newPrice && *oldPrice != 0)
            change.Percent =
                100.0 * static_cast<double>(*newPrice - *oldPrice) / static_cast<double>(*oldPrice);
        Report(std::move(change));
    }

    void Report(PartChange change) {
        const std::string& name =
            change.What == PartChange::Removed ? change.Old.Family : change.New.Family;
        FamilyDiff& family = families_[name];
        family.Family = name;
        switch (change.What) {
        case PartChange::Added:
            ++family.Added;
            break;
        case PartChange::Removed:
            ++family.Removed;
            break;
        case PartChange::Changed:
            ++family.Changed;
            if (change.Percent && *change.Percent > 0 &&
                (!family.LargestRise || *change.Percent > *family.LargestRise->Percent))
                family.LargestRise = change;
            if (change.Percent && *change.Percent < 0 &&
                (!family.LargestFall || *change.Percent < *family.LargestFall->Percent))
                family.LargestFall = change;
            break;
        }
        visit_(change);
    }

    const std::function<void(const PartChange&)>& visit_;
    const size_t heldParts_;
    Pending pendingOld_;
    Pending pendingNew_;
    RowRuns spilledOld_;
    RowRuns spilledNew_;
    std::map<std::string, FamilyDiff> families_;
};

} // namespace

DiffSummary DiffPriceBooks(const AppState& app, const std::string& oldSide,
                           const std::string& newSide,
                           const std::function<void(const PartChange&)>& visit, size_t heldParts) {
    Side before(app, oldSide);
    Side after(app, newSide);
    Merge merge(visit, heldParts);
    std::optional<PriceRow> old = before.Next();
    std::optional<PriceRow> next = after.Next();
    while (old || next) {
        if (old && next)
            merge.Both(std::move(*old), std::move(*next));
        else if (old)
            merge.Old(std::move(*old));
        else
            merge.New(std::move(*next));
        if (old)
            old = before.Next();
        if (next)
            next = after.Next();
    }
    DiffSummary summary{merge.Finish(), before.Shown()};
    summary.Shown.insert(summary.Shown.end(), after.Shown().begin(), after.Shown().end());
    return summary;
}

} // namespace pelmora::service
