// Applying a staged read of a full 65,535-slot book to a category that a view
// watches: the work the UI thread does at the end of Read SIM (the worker
// then zeroes and frees the slots the book held before). Target: under 50 ms
// per apply.

#include "Category.h"
#include "Records.h"

#include <benchmark/benchmark.h>

namespace {

using namespace pelmora::model;

// Counts the rows a table model would have to show again.
struct CountingView : CategoryListener {
    uint64_t rowsToShow = 0;
    void slotsReset(const Category& category) override { rowsToShow += category.slotCount(); }
    void slotsChanged(const Category&, int first, int last) override {
        rowsToShow += static_cast<uint64_t>(last - first + 1);
    }
};

void applyStagedRead(benchmark::State& state) {
    Category shown(kBookAdn, Category::kMaxSlots);
    CountingView view;
    const Subscription subscription = shown.subscribe(view);
    for (auto _ : state) {
        state.PauseTiming();
        auto staged = std::make_unique<Category>(kBookAdn, Category::kMaxSlots);
        for (PhoneBookEntry& e : staged->entries()) {
            setFieldText(e.name, u"Staged");
        }
        state.ResumeTiming();
        shown.takeContents(*staged);
        benchmark::DoNotOptimize(view.rowsToShow);
        state.PauseTiming();
        staged.reset(); // on the command's worker
        state.ResumeTiming();
    }
    state.counters["slots"] = Category::kMaxSlots;
}
BENCHMARK(applyStagedRead)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

BENCHMARK_MAIN();
