#include "PriceBook.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace pelmora::service {

namespace {

// Parts are handed to the threads in runs of about this many, each run starting
// from a copy of the wizard opened at its branch.
constexpr std::uint64_t TaskParts = 20000;
// Output waits to be written for at most this many runs per thread.
constexpr size_t RunsAheadPerThread = 4;
constexpr size_t SinkBytes = 1 << 20;

// A run of entries of one branch's first length box.
struct Task {
    size_t Branch = 0;
    size_t First = 0;
    size_t Last = 0;
    std::uint64_t Parts = 0;
};

// The runs of the shard: the parts are cut into Shards stretches of equal count,
// each entry of a first length box going whole to the stretch it starts in.
std::vector<Task> ShardTasks(const std::vector<PartBranch>& branches, int shard, int shards) {
    std::uint64_t total = 0;
    for (const PartBranch& branch : branches)
        total += branch.Parts();
    const auto pieces = static_cast<std::uint64_t>(shards);
    const std::uint64_t stretch = std::max<std::uint64_t>(1, (total + pieces - 1) / pieces);
    std::vector<Task> tasks;
    std::uint64_t offset = 0;
    for (size_t b = 0; b < branches.size(); ++b) {
        const auto& counts = branches[b].PartsPerLength;
        for (size_t i = 0; i < counts.size(); ++i) {
            const std::uint64_t start = offset;
            offset += counts[i];
            if (std::min(pieces - 1, start / stretch) != static_cast<std::uint64_t>(shard - 1))
                continue;
            if (!tasks.empty() && tasks.back().Branch == b && tasks.back().Last == i &&
                tasks.back().Parts < TaskParts) {
                tasks.back().Last = i + 1;
                tasks.back().Parts += counts[i];
            } else {
                tasks.push_back({b, i, i + 1, counts[i]});
            }
        }
    }
    return tasks;
}

void Produce(PartWalker& walker, const PartBranch& branch, const Task& task, BookFormat format,
             std::string& out) {
    walker.Space().Enumerate(branch, task.First, task.Last, [&](const OfferedPart& part) {
        AppendRow(walker.Row(part), format, out);
    });
}

void Merge(const Messages& shown, Messages& messages) {
    for (const service::Shown& line : shown) {
        const bool known = std::any_of(messages.begin(), messages.end(), [&](const auto& kept) {
            return kept.Kind == line.Kind && kept.Text == line.Text;
        });
        if (!known)
            messages.push_back(line);
    }
}

// The runs on one thread, written as they are made.
Messages RunInline(PartWalker& walker, const std::vector<PartBranch>& branches,
                   const std::vector<Task>& tasks, BookFormat format,
                   const std::function<void(std::string_view)>& sink) {
    std::string buffer;
    for (const Task& task : tasks) {
        Produce(walker, branches[task.Branch], task, format, buffer);
        if (buffer.size() >= SinkBytes) {
            sink(buffer);
            buffer.clear();
        }
    }
    if (!buffer.empty())
        sink(buffer);
    return walker.Shown();
}

// The runs made by several threads and written in their order, with only a few
// runs per thread waiting, so that memory stays bounded.
class ParallelRun {
public:
    ParallelRun(const AppState& app, const PriceBookRequest& request,
                const std::vector<PartBranch>& branches, const std::vector<Task>& tasks)
        : app_(app), request_(request), branches_(branches), tasks_(tasks), done_(tasks.size()),
          ready_(tasks.size(), false) {}

    Messages Run(const std::function<void(std::string_view)>& sink) {
        const int threads = std::min<int>(request_.Jobs, static_cast<int>(tasks_.size()));
        std::vector<std::thread> workers;
        std::vector<Messages> shown(static_cast<size_t>(threads));
        for (int t = 0; t < threads; ++t)
            workers.emplace_back([this, &shown, t] { Work(shown[static_cast<size_t>(t)]); });
        try {
            WriteInOrder(sink);
        } catch (...) {
            Fail(std::current_exception());
        }
        for (std::thread& worker : workers)
            worker.join();
        if (failure_)
            std::rethrow_exception(failure_);
        Messages messages;
        for (const auto& lines : shown)
            Merge(lines, messages);
        return messages;
    }

private:
    void Work(Messages& shown) {
        try {
            PartWalker walker(app_, request_.Quantity);
            for (;;) {
                size_t index = 0;
                {
                    std::unique_lock lock(mutex_);
                    changed_.wait(lock, [&] {
                        return failure_ || next_ >= tasks_.size() || next_ < written_ + Ahead();
                    });
                    if (failure_ || next_ >= tasks_.size())
                        break;
                    index = next_++;
                }
                std::string out;
                Produce(walker, branches_[tasks_[index].Branch], tasks_[index], request_.Format,
                        out);
                std::lock_guard lock(mutex_);
                done_[index] = std::move(out);
                ready_[index] = true;
                changed_.notify_all();
            }
            shown = walker.Shown();
        } catch (...) {
            Fail(std::current_exception());
        }
    }

    void WriteInOrder(const std::function<void(std::string_view)>& sink) {
        for (size_t index = 0; index < tasks_.size(); ++index) {
            std::string out;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return failure_ || ready_[index]; });
                if (failure_)
                    return;
                out = std::move(done_[index]);
            }
            sink(out);
            std::lock_guard lock(mutex_);
            ++written_;
            changed_.notify_all();
        }
    }

    void Fail(std::exception_ptr error) {
        std::lock_guard lock(mutex_);
        if (!failure_)
            failure_ = error;
        changed_.notify_all();
    }

    size_t Ahead() const { return RunsAheadPerThread * static_cast<size_t>(request_.Jobs); }

    const AppState& app_;
    const PriceBookRequest& request_;
    const std::vector<PartBranch>& branches_;
    const std::vector<Task>& tasks_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> done_;
    std::vector<bool> ready_;
    size_t next_ = 0;
    size_t written_ = 0;
    std::exception_ptr failure_;
};

} // namespace

PartWalker::PartWalker(const AppState& app, int quantity)
    : space_(app, platform_.Seams()), dialog_(space_.App(), platform_.Seams()),
      quantity_(std::to_string(quantity)) {}

const PriceRow& PartWalker::Row(const OfferedPart& part) {
    if (!part.SpecialQuote && !(sheet_ && sheet_->Covers(part.Family, part.PartNumber))) {
        sheet_ = std::make_unique<PriceSheet>(space_.App().Tables(platform_.Seams().Messages),
                                              part.Family, part.PartNumber);
        dialog_.UsePriceSheet(sheet_.get());
    }
    // The dialog's description box is not read: the row takes the part's.
    dialog_.OpenAddToOrder({1, part.PartNumber, {}, !part.SpecialQuote}, none_);
    dialog_.txtQuantity = quantity_;
    dialog_.txtQuantityChange();
    // The row's strings keep their room from one part to the next.
    row_.PartNumber = part.PartNumber;
    if (part.Family != rowFamily_ || row_.Family.empty()) {
        row_.Family = space_.FamilyName(part.Family);
        rowFamily_ = part.Family;
    }
    row_.Description = part.Description;
    // For one piece the line total is the unit price, already written.
    if (dialog_.UnitPrice == 0 || quantity_ == "1")
        row_.UnitPrice = dialog_.txtPrice;
    else
        row_.UnitPrice = MoneyText(dialog_.UnitPrice);
    row_.Total = dialog_.txtPrice;
    row_.Delivery = dialog_.txtDelivery;
    return row_;
}

std::vector<FamilyCount> CountParts(const AppState& app, const PartFilter& filter) {
    PartsPlatform platform;
    PartSpace space(app, platform.Seams());
    std::vector<FamilyCount> counts;
    for (const PartBranch& branch : space.Branches(filter)) {
        const std::string name = space.FamilyName(TProductFamily(branch.Family));
        if (counts.empty() || counts.back().Family != name)
            counts.push_back({name, 0});
        counts.back().Parts += branch.Parts();
    }
    std::erase_if(counts, [](const FamilyCount& count) { return count.Parts == 0; });
    return counts;
}

Messages WritePriceBook(const AppState& app, const PriceBookRequest& request,
                        const std::function<void(std::string_view)>& sink) {
    PartWalker walker(app, request.Quantity);
    const std::vector<PartBranch> branches = walker.Space().Branches(request.Filter);
    const std::vector<Task> tasks = ShardTasks(branches, request.Shard, request.Shards);
    if (request.Shard == 1 && request.Format != BookFormat::Jsonl)
        sink(BookHeader(request.Format));
    if (request.Jobs <= 1 || tasks.size() <= 1)
        return RunInline(walker, branches, tasks, request.Format, sink);
    Messages messages = walker.Shown();
    Merge(ParallelRun(app, request, branches, tasks).Run(sink), messages);
    return messages;
}

Messages ForEachPart(const AppState& app, const PartFilter& filter, int quantity,
                     const PartVisitor& visit) {
    PartWalker walker(app, quantity);
    for (const PartBranch& branch : walker.Space().Branches(filter)) {
        walker.Space().Enumerate(branch, 0, branch.PartsPerLength.size(),
                                 [&](const OfferedPart& part) { visit(part, walker.Row(part)); });
    }
    return walker.Shown();
}

} // namespace pelmora::service
