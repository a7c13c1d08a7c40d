// Every family walked through the wizard as the window walks it (tables through
// the checked cache the window uses), on the shipped catalogue and on one a
// hundred times larger: each action timed on its own in the thread's processor
// time (the machine is shared), p50 and p99 of many runs. Back to back, the same
// action repeats on a fresh wizard; mixed, one wizard takes the actions of every
// family in a random order, as a user would, so that no action finds the caches
// warmed by its own previous run.
#include "catalogue/AppState.h"
#include "catalogue/TableSource.h"
#include "order/AddOrderForm.h"
#include "support/FakePlatform.h"
#include "wizard/MainForm.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace pelmora::bench {
namespace {

double Percentile(std::vector<double> samples, double share) {
    std::sort(samples.begin(), samples.end());
    const auto at = static_cast<size_t>(share * static_cast<double>(samples.size() - 1) + 0.5);
    return samples[std::min(at, samples.size() - 1)];
}

// One catalogue, started as the window starts, with a part of every family found
// by walking the wizard once.
class Catalogue {
public:
    explicit Catalogue(const std::string& folder) {
        app_.SetFolders(folder);
        app_.Cache = &cache_;
        started_ = std::make_unique<MainForm>(app_, platform_.Seams);
        started_->FormCreate();
        units_ = app_.ImperialUnits;
    }

    // A wizard as it stands after start-up.
    MainForm Fresh() {
        app_.ImperialUnits = units_;
        app_.BuildingFromPartNumber = false;
        platform_.Messages.Log.clear();
        platform_.Busy.Shown.clear();
        platform_.Confirm.Shown.clear();
        return *started_;
    }

    // The family walked to the latest size of its list that composes a part
    // number: the family, the size, first flanges and the lengths the lists
    // preselect, the band and finish they preselect.
    struct Walk {
        int Waveguide = -1;
        std::string PartNumber;
    };
    Walk WalkOf(TProductFamily family) {
        MainForm probe = Fresh();
        probe.PickProductType(family);
        for (int size = static_cast<int>(probe.cbxWaveguide.Items.size()) - 1; size >= 0; --size) {
            MainForm wizard = Fresh();
            wizard.PickProductType(family);
            wizard.PickWaveguide(size);
            if (!wizard.cbxWaveguide.HasSelection())
                continue;
            if (!wizard.cbxFlangeA.HasSelection() && !wizard.cbxFlangeA.Items.empty())
                wizard.PickFlangeA(0);
            if (family == pfCoax && !wizard.cbxCoax.Items.empty())
                wizard.PickCoax(0);
            else if (!wizard.cbxFlangeB.HasSelection() && !wizard.cbxFlangeB.Items.empty())
                wizard.PickFlangeB(0);
            wizard.btnNextClick();
            wizard.btnCreateClick();
            if (!wizard.txtPartNumber.empty())
                return {size, wizard.txtPartNumber};
        }
        return {};
    }

    AppState& App() { return app_; }
    Platform& Seams() { return platform_.Seams; }
    testing::FakePlatform& Fakes() { return platform_; }

private:
    AppState app_;
    TableCache cache_;
    testing::FakePlatform platform_;
    std::unique_ptr<MainForm> started_;
    bool units_ = true;
};

// Processor time of this thread, in seconds: what other work on the machine does
// not lengthen.
double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Under a table scope of its own, as the window runs each action.
double TimeOf(const std::function<void()>& action) {
    const double start = ThreadSeconds();
    {
        const TableScope tables;
        action();
    }
    return ThreadSeconds() - start;
}

// Times the action alone, after the untimed preparation, on a fresh wizard.
void TimeAction(benchmark::State& state, Catalogue& catalogue,
                const std::function<void(MainForm&)>& prepare,
                const std::function<void(MainForm&)>& action) {
    for (auto _ : state) {
        MainForm wizard = catalogue.Fresh();
        prepare(wizard);
        state.SetIterationTime(TimeOf([&] { action(wizard); }));
    }
}

const char* const FamilyNames[] = {"coax",     "rigid-twist", "e-bend",  "flex-twist",
                                   "h-bend",   "miter-h",     "miter-e", "pressure-window",
                                   "straight", "step-twist",  "taper"};

const char* const ActionNames[] = {"family", "waveguide", "apply", "add-to-order"};

void Register(const std::string& name, const std::string& family, const std::string& action,
              int samples, std::function<void(benchmark::State&)> run) {
    benchmark::RegisterBenchmark((name + "/" + family + "/" + action).c_str(), std::move(run))
        ->Iterations(1)
        ->Repetitions(samples)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->ComputeStatistics("p50", [](const std::vector<double>& v) { return Percentile(v, 0.5); })
        ->ComputeStatistics("p99", [](const std::vector<double>& v) { return Percentile(v, 0.99); })
        ->ReportAggregatesOnly(true);
}

// One wizard, kept from action to action, takes a random action of a random family
// at each round; each action's time is kept under its family and action.
void RunMixed(benchmark::State& state, Catalogue& catalogue,
              const std::vector<Catalogue::Walk>& walks, int rounds) {
    std::map<std::string, std::vector<double>> samples;
    AddOrderForm dialog(catalogue.App(), catalogue.Seams());
    catalogue.Fakes().Windows.AddToOrder = [&dialog] {
        dialog.FormShow();
        dialog.btnAddClick();
        return true;
    };
    for (auto _ : state) {
        std::mt19937 random(38);
        std::uniform_int_distribution<int> anyFamily(pfCoax, pfTaperedTransition);
        std::uniform_int_distribution<int> anyAction(0, 3);
        MainForm wizard = catalogue.Fresh();
        TTxtTable order;
        double total = 0;
        for (int round = 0; round < rounds; ++round) {
            const auto family = static_cast<TProductFamily>(anyFamily(random));
            const Catalogue::Walk& walk = walks[static_cast<size_t>(family)];
            const int action = walk.PartNumber.empty() ? 0 : anyAction(random);
            if (action == 1 && wizard.Family() != family)
                wizard.PickProductType(family);
            catalogue.Fakes().Messages.Log.clear();
            const std::function<void()> actions[] = {
                [&] { wizard.PickProductType(family); },
                [&] { wizard.PickWaveguide(walk.Waveguide); },
                [&] { wizard.ApplyPartNumber(walk.PartNumber); },
                [&] {
                    dialog.OpenAddToOrder({1, walk.PartNumber, "d"}, order);
                },
            };
            const double seconds = TimeOf(actions[action]);
            samples[std::string(FamilyNames[family]) + "/" + ActionNames[action]].push_back(
                seconds);
            total += seconds;
        }
        state.SetIterationTime(total);
    }
    for (const auto& [key, times] : samples) {
        state.counters[key + "/p50"] = Percentile(times, 0.5) * 1000;
        state.counters[key + "/p99"] = Percentile(times, 0.99) * 1000;
    }
}

void RegisterCatalogue(const std::string& name, const char* folder, int samples) {
    if (!folder)
        return;
    auto catalogue = std::make_shared<Catalogue>(folder);
    std::vector<Catalogue::Walk> walks;
    for (int f = pfCoax; f <= pfTaperedTransition; ++f)
        walks.push_back(catalogue->WalkOf(static_cast<TProductFamily>(f)));
    // About a hundred samples of every family's every action.
    const int rounds = samples * 44;
    benchmark::RegisterBenchmark(
        ("mixed/" + name).c_str(),
        [=](benchmark::State& state) { RunMixed(state, *catalogue, walks, rounds); })
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    for (int f = pfCoax; f <= pfTaperedTransition; ++f) {
        const auto family = static_cast<TProductFamily>(f);
        const Catalogue::Walk walk = walks[static_cast<size_t>(f)];
        const std::string familyName = FamilyNames[f];
        auto none = [](MainForm&) {};
        Register(name, familyName, "family", samples, [=](benchmark::State& state) {
            TimeAction(state, *catalogue, none, [=](MainForm& w) { w.PickProductType(family); });
        });
        if (walk.PartNumber.empty())
            continue;
        Register(name, familyName, "waveguide", samples, [=](benchmark::State& state) {
            TimeAction(
                state, *catalogue, [=](MainForm& w) { w.PickProductType(family); },
                [=](MainForm& w) { w.PickWaveguide(walk.Waveguide); });
        });
        Register(name, familyName, "apply", samples, [=](benchmark::State& state) {
            TimeAction(state, *catalogue, none,
                       [=](MainForm& w) { w.ApplyPartNumber(walk.PartNumber); });
        });
        Register(name, familyName, "add-to-order", samples, [=](benchmark::State& state) {
            AddOrderForm dialog(catalogue->App(), catalogue->Seams());
            catalogue->Fakes().Windows.AddToOrder = [&dialog] {
                dialog.FormShow();
                dialog.btnAddClick();
                return true;
            };
            TTxtTable order;
            TimeAction(state, *catalogue, none, [&](MainForm&) {
                dialog.OpenAddToOrder({1, walk.PartNumber, "d"}, order);
            });
        });
    }
}

} // namespace
} // namespace pelmora::bench

// The wizard's benchmarks depend on the catalogues tools/bench names, so they are
// registered here rather than at static initialisation.
int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    pelmora::bench::RegisterCatalogue("shipped", std::getenv("PELMORA_BENCH_SHIPPED"), 200);
    pelmora::bench::RegisterCatalogue("large", std::getenv("PELMORA_BENCH_LARGE"), 100);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
